#include "seitenbau.h"

#include "diagrammfeld.h"
#include "zahlen.h"
#include "zahlenfeld.h"
#include "zeichnung.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <cmath>
#include <string_view>
#include <unordered_map>

namespace shell {

namespace {
constexpr double t = twips_pro_pixel;

QPen stift(Farbe f, double breite) {
    QPen p(farbe(f), breite);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

// The numbers come from umriss(); here they are only painted.
void zeichne_form(QPainter& p, const Form& f, double massstab) {
    const Umriss u = umriss(f, massstab);
    const QRectF innen(u.x, u.y, u.w, u.h);
    QPainterPath pfad;
    if (f.art == FormArt::Kreis)
        pfad.addEllipse(innen);
    else if (f.art == FormArt::RundesRechteck)
        pfad.addRoundedRect(innen, u.radius, u.radius);
    else
        pfad.addRect(innen);
    p.setRenderHint(QPainter::Antialiasing, u.glatt);
    if (f.fuellung) p.fillPath(pfad, farbe(*f.fuellung));
    if (!u.schraffur.empty()) {
        p.save();
        p.setClipPath(pfad, Qt::IntersectClip);
        p.setPen(stift(schwarz, u.schraffurbreite));
        for (double y : u.schraffur)
            p.drawLine(QPointF(u.links, y), QPointF(u.rechts, y));
        p.restore();
    }
    if (f.rand) p.strokePath(pfad, stift(*f.rand, u.randbreite));
}
} // namespace

Flaeche::Flaeche(QWidget* parent) : QWidget(parent) {}

void Flaeche::setzeRahmen(const Rahmen& r) {
    m_titel = QString::fromUtf8(r.titel);
    m_rand = r.rand;
    if (r.bild) m_bild = QPixmap(QString::fromUtf8(r.bild));
    if (r.grund) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, farbe(*r.grund));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    m_schrift = r.schrift;
    setFont(schrift(r.schrift, m_massstab));
}

void Flaeche::massstab_setzen(double m) {
    if (m == m_massstab) return;
    m_massstab = m;
    if (m_schrift) setFont(schrift(*m_schrift, m));
    update();
}

void Flaeche::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_bild.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(QRectF(QPointF(0, 0), QSizeF(m_bild.size()) * m_massstab), m_bild,
                     QRectF(m_bild.rect()));
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    p.scale(m_massstab / t, m_massstab / t);
    if (m_untergrund) m_untergrund(p);
    // Shapes in twips (their pixels at 15 to the pixel), scaled by the painter: Qt flattens a
    // curve by its size in the painter's units, and in pixels a round outline's smoothed edge
    // would come out a shade different.
    for (const Form& f : m_formen)
        zeichne_form(p, f, t);
    p.restore();
    // Lines in pixels: under the twips scale Qt strokes each as a polygon, here a thin pen takes
    // its fast path. The pixels are the same.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const Linie& l : m_linien) {
        const Strich s = strich(l, m_massstab);
        p.setPen(stift(l.farbe, s.breite));
        p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    }
    if (!m_rand) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm(font());
    const Rahmentitel t = rahmentitel(fm.horizontalAdvance(m_titel), fm.height());
    p.drawRect(rect().adjusted(0, t.oben, -1, -1));
    if (m_titel.isEmpty()) return;
    const QRect text(t.x, 0, t.w, t.h);
    p.fillRect(text, palette().brush(backgroundRole()));
    p.drawText(text, Qt::AlignCenter, m_titel);
}

namespace {

// A label. On a page built smaller it keeps its full-size font and draws its text scaled, laid
// out at full size: its lines break where they do at full size, at the hand-placed hyphenations.
class Beschriftung : public QLabel {
public:
    Beschriftung(const QString& text, QWidget* eltern, double massstab)
        : QLabel(text, eltern), m_massstab(massstab) {}
    // The box at full size; the scaled box, rounded to whole pixels, may be a little wider.
    void setzeVollgroesse(QRect g) {
        m_voll_rahmen = g;
        m_voll = g.size();
        m_rechts_voll = g.x() + g.width();
    }
    int rechterRandVoll() const { return m_rechts_voll; }
    void skalieren(double massstab) {
        m_massstab = massstab;
        QRect g = m_voll_rahmen;
        if (massstab != 1) {
            // Scaled outwards to whole pixels, so that the scaled text stays inside the box.
            const QRectF k(QPointF(g.topLeft()) * massstab, QSizeF(g.size()) * massstab);
            g = QRect(QPoint(int(std::floor(k.left())), int(std::floor(k.top()))),
                      QPoint(int(std::ceil(k.right())) - 1, int(std::ceil(k.bottom())) - 1));
        }
        setGeometry(g);
        update();
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        if (m_massstab == 1) {
            QLabel::paintEvent(e);
            return;
        }
        QPainter p(this);
        drawFrame(&p);
        const QRectF innen = contentsRect();
        const QSizeF rand = QSizeF(size() - contentsRect().size());
        p.scale(m_massstab, m_massstab);
        p.setPen(palette().color(foregroundRole()));
        int art = int(QStyle::visualAlignment(layoutDirection(), alignment()));
        if (wordWrap()) art |= Qt::TextWordWrap;
        p.drawText(QRectF(innen.topLeft() / m_massstab, QSizeF(m_voll) - rand), art, text());
    }

private:
    double m_massstab = 1;
    QRect m_voll_rahmen;
    QSize m_voll;
    int m_rechts_voll = 0;
};

// Where an element built from twips keeps them, to be placed again at another scale.
const char* const twips_eigenschaft = "twips";
void twips_merken(QWidget* w, const Rect& r) {
    w->setProperty(twips_eigenschaft, QRect(r.x, r.y, r.w, r.h));
}

// `links`: where a leader starts, the full-size right edge of the label before it.
Beschriftung* baue_text(const Text& e, QWidget* eltern, double massstab, int links) {
    auto* l = new Beschriftung(QString::fromUtf8(e.text), eltern, massstab);
    l->setTextFormat(Qt::PlainText);
    l->setFont(schrift(e.schrift));
    Qt::Alignment a = Qt::AlignTop;
    a |= e.ausrichtung == Ausrichtung::Rechts  ? Qt::AlignRight
         : e.ausrichtung == Ausrichtung::Mitte ? Qt::AlignHCenter
                                               : Qt::AlignLeft;
    const std::optional<Farbe> grund = text_grund(e);
    const bool rand = text_rand(e);
    switch (e.art) {
    case Art::Schlicht:
    case Art::Fuehrung:
        break;
    case Art::Absatz:
        l->setWordWrap(true);
        break;
    case Art::Kasten:
        l->setWordWrap(true);
        a = Qt::AlignTop | Qt::AlignHCenter;
        break;
    case Art::Zentriert:
        l->setWordWrap(true);
        a = Qt::AlignTop | Qt::AlignHCenter;
        break;
    }
    l->setAlignment(a);
    QPalette pal = l->palette();
    if (e.farbe) pal.setColor(QPalette::WindowText, farbe(*e.farbe));
    if (grund) {
        pal.setColor(QPalette::Window, farbe(*grund));
        l->setAutoFillBackground(true);
    }
    l->setPalette(pal);
    if (rand) {
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setLineWidth(1);
        l->setIndent(0); // QLabel would indent by half an "x" and clip a tight box's last line
    }
    QRect g = pixel(e.r); // at full size
    if (e.art == Art::Fuehrung) {
        // A blank, as many full stops as fill the rest, a blank and the reference; a pixel clear
        // of the title.
        g.setLeft(links + 1);
        const QFontMetrics fm(l->font());
        const QString ende = QLatin1Char(' ') + l->text();
        const QRect platz(0, 0, g.width(), g.height());
        // From the count the advances give (one more, for rounding) down to the first that fits.
        int punkte = (g.width() - fm.horizontalAdvance(QLatin1Char(' ') + ende)) /
                         fm.horizontalAdvance(QLatin1Char('.')) +
                     1;
        // The advance is never wider than the laid-out box (a bearing only adds to it): it skips
        // the counts that cannot fit without laying the text out.
        const auto mit = [&ende](int n) {
            return QLatin1Char(' ') + QString(std::max(n, 0), QLatin1Char('.')) + ende;
        };
        for (punkte = std::max(punkte, 0); punkte > 0; --punkte)
            if (fm.horizontalAdvance(mit(punkte)) <= g.width()) break;
        QString text;
        for (; punkte >= 0; --punkte) {
            text = mit(punkte);
            if (platz.contains(fm.boundingRect(platz, Qt::AlignRight | Qt::AlignTop, text))) break;
        }
        l->setText(text);
    }
    if (e.art == Art::Schlicht || e.art == Art::Fuehrung) {
        // A one-line label fits its text: where the stand-in font runs wider than the box,
        // the box grows (to the left for right-aligned text) rather than clip.
        const QSize passt = l->sizeHint();
        if (passt.width() > g.width() && e.art == Art::Schlicht) {
            if (e.ausrichtung == Ausrichtung::Rechts)
                g.setLeft(g.right() + 1 - passt.width());
            else
                g.setWidth(passt.width());
        }
        g.setHeight(std::max(g.height(), passt.height()));
    }
    l->setzeVollgroesse(g);
    l->skalieren(massstab);
    return l;
}

} // namespace

namespace {
// A command button: Return and Enter press it too, as Space does.
class Befehlsknopf : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
            click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }
};

// A field is named by the labels on its row: "Sollwert" on the left, "°C" on the right give
// "Sollwert in °C".
void feld_benennen(Zahlenfeld* f) {
    QLabel* name = nullptr;
    QLabel* einheit = nullptr;
    const QRect g = f->geometry();
    for (QLabel* l : f->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect lg = l->geometry();
        if (lg.bottom() < g.top() || lg.top() > g.bottom()) continue;
        if (lg.right() < g.left() && (!name || lg.right() > name->geometry().right())) name = l;
        if (lg.left() > g.right() && (!einheit || lg.left() < einheit->geometry().left()))
            einheit = l;
    }
    QString n = name ? name->text() : f->objectName();
    if (einheit) n += QStringLiteral(" in ") + einheit->text();
    f->setAccessibleName(n);
    f->setAccessibleDescription(QString::fromStdString(
        darstellung::feld_beschreibung(f->regeln(), zahlformat().decimalPoint().toStdString())));
}
} // namespace

void seite_bauen(Flaeche* seite, const std::vector<Element>& tabelle) {
    const double m = seite->massstab();
    std::unordered_map<std::string_view, Flaeche*> behaelter;
    int rechts_voriger_text = 0; // full size, pixels
    auto in = [&](const char* name) -> Flaeche* {
        if (!name) return seite;
        const auto it = behaelter.find(name);
        Q_ASSERT_X(it != behaelter.end(), "seite_bauen", name);
        return it != behaelter.end() ? it->second : seite;
    };
    auto benennen = [](QWidget* w, const char* name) { w->setObjectName(QString::fromUtf8(name)); };

    for (const Element& element : tabelle) {
        std::visit(
            [&](const auto& e) {
                using T = std::decay_t<decltype(e)>;
                QWidget* eltern = in(e.in);
                if constexpr (std::is_same_v<T, Text>) {
                    auto* l = baue_text(e, eltern, m, rechts_voriger_text);
                    benennen(l, e.name);
                    rechts_voriger_text = l->rechterRandVoll();
                } else if constexpr (std::is_same_v<T, Rahmen>) {
                    auto* f = new Flaeche(eltern);
                    f->massstab_setzen(m);
                    f->setzeRahmen(e);
                    f->setGeometry(pixel(e.r, m));
                    twips_merken(f, e.r);
                    benennen(f, e.name);
                    if (*e.titel) f->setAccessibleName(QString::fromUtf8(e.titel));
                    if (*e.name) behaelter[e.name] = f;
                } else if constexpr (std::is_same_v<T, Linie>) {
                    static_cast<Flaeche*>(eltern)->linie(e);
                } else if constexpr (std::is_same_v<T, Pfeil>) {
                    for (const Linie& l : alle_linien({e}))
                        static_cast<Flaeche*>(eltern)->linie(l);
                } else if constexpr (std::is_same_v<T, Form>) {
                    static_cast<Flaeche*>(eltern)->form(e);
                } else if constexpr (std::is_same_v<T, Knopf>) {
                    auto* k = new Befehlsknopf(QString::fromUtf8(e.text), eltern);
                    k->setAutoDefault(false);
                    k->setGeometry(pixel(e.r, m));
                    twips_merken(k, e.r);
                    benennen(k, e.name);
                } else if constexpr (std::is_same_v<T, Feld>) {
                    auto* f = new Zahlenfeld(*e.regeln, eltern);
                    f->setText(QString::fromUtf8(e.regeln->vorgabe));
                    f->setGeometry(pixel(e.r, m));
                    twips_merken(f, e.r);
                    benennen(f, e.name);
                } else if constexpr (std::is_same_v<T, Diagramm>) {
                    auto* d = new Diagrammfeld(e, eltern, m);
                    d->setGeometry(pixel(e.r, m));
                    twips_merken(d, e.r);
                    benennen(d, e.name);
                }
            },
            element);
    }
    for (Zahlenfeld* f : seite->findChildren<Zahlenfeld*>())
        feld_benennen(f);
}

void seite_skalieren(Flaeche* seite, double m) {
    seite->massstab_setzen(m);
    // Fonts first, so that each chart lays itself out once, at its new size.
    for (Diagrammfeld* d : seite->findChildren<Diagrammfeld*>())
        d->massstab_setzen(m);
    for (QWidget* w : seite->findChildren<QWidget*>()) {
        if (auto* l = dynamic_cast<Beschriftung*>(w)) {
            l->skalieren(m);
            continue;
        }
        if (auto* f = qobject_cast<Flaeche*>(w)) f->massstab_setzen(m);
        const QVariant twips = w->property(twips_eigenschaft);
        if (twips.isValid()) {
            const QRect r = twips.toRect();
            w->setGeometry(pixel(Rect{r.x(), r.y(), r.width(), r.height()}, m));
        }
    }
    for (Diagrammfeld* d : seite->findChildren<Diagrammfeld*>())
        d->neu_darstellen();
    seite->update();
}

} // namespace shell
