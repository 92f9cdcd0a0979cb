#include "diagrammfeld.h"

#include "achsen.h"
#include "dateien.h"
#include "seitenbau.h"
#include "tabellen.h"
#include "texte.h"
#include "zahlen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBuffer>
#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QLegend>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {
const QColor reihenfarben[] = {QColor(0, 0, 192), QColor(200, 0, 0), QColor(0, 140, 0),
                               QColor(220, 130, 0)};

// Qt gives each value label the axis height divided by the number of labels, less 4 px above and
// below, and elides a label that does not fit: so many labels fit at the most.
int platz_fuer_marken(double achsenhoehe, const QFont& f) {
    const double je_marke = QFontMetricsF(f).height() + 2 * 4 + 1;
    return std::max(2, int(achsenhoehe / je_marke));
}

void achse_einrichten(QValueAxis* a, double von, double bis, double st, const QFont& f) {
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    // Qt lays out every tick at each change: a wide range must never meet a fine step, not even
    // between the two calls (0 to 10^9 in steps of 20 froze the program). The coarser goes first.
    if (st >= a->tickInterval()) {
        a->setTickInterval(st);
        a->setRange(von, bis);
    } else {
        a->setRange(von, bis);
        a->setTickInterval(st);
    }
    a->setLabelFormat(QStringLiteral("%g"));
    a->setLabelsFont(f);
    a->setTitleFont(f);
}

// What a screen reader says of a chart: one object without children (the view's scroll bars,
// viewport and legend are none of the listener's business). A focused chart's name is the
// read-out while a read-out cursor stands, so that a screen reader speaks each second as the
// cursor moves (Orca speaks a focused object's new name); its value is the second, 1 to the
// row count.
class DiagrammZugang : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DiagrammZugang(Diagrammfeld* d) : QAccessibleWidget(d, QAccessible::Chart) {}
    const Diagrammfeld* diagramm() const { return static_cast<const Diagrammfeld*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return diagramm()->ablesung();
        if (t == QAccessible::Name && diagramm()->zeiger() && diagramm()->hasFocus())
            return diagramm()->ablesung().replace(QLatin1Char('\n'), QStringLiteral("; "));
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return diagramm()->zeiger(); }
    void setCurrentValue(const QVariant& v) override {
        auto* d = const_cast<Diagrammfeld*>(diagramm());
        d->zeiger_setzen(v.toInt());
    }
    QVariant maximumValue() const override { return diagramm()->zeilenzahl(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* zugang_fabrik(const QString& klasse, QObject* o) {
    if (klasse == QLatin1String(Diagrammfeld::staticMetaObject.className()) && o)
        return new DiagrammZugang(static_cast<Diagrammfeld*>(o));
    return nullptr;
}

// The lighter, dashed tone in which the run before is drawn.
QColor vorher_farbe(const QColor& c) {
    return QColor((c.red() + 2 * 255) / 3, (c.green() + 2 * 255) / 3, (c.blue() + 2 * 255) / 3);
}

} // namespace

// Series names with their line colours, in one row; below it, where shown, the run before.
class Legende : public QWidget {
public:
    Legende(QWidget* eltern, const QFont& f) : QWidget(eltern) {
        setObjectName(QStringLiteral("legende"));
        setFont(f);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void eintrag(const QString& name, const QColor& farbe) {
        m_eintraege.push_back({name, farbe});
        groesse_setzen();
    }
    void schrift_setzen(const QFont& f) {
        setFont(f);
        groesse_setzen();
        update();
    }
    // Elided to what the chart's width leaves; the read-out names the run in full.
    void vorher(const QString& text, int hoechstens) {
        const QString neu = QFontMetrics(font()).elidedText(text, Qt::ElideRight, hoechstens - 30);
        if (neu == m_vorher) return;
        m_vorher = neu;
        groesse_setzen();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(255, 255, 255, 230));
        p.setPen(QColor(170, 170, 170));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        const QFontMetrics fm(font());
        int x = 4;
        const int zeile = fm.height() + 4;
        const auto eintrag = [&](const QString& name, const QPen& stift, int y) {
            p.setPen(stift);
            p.drawLine(x, y + zeile / 2, x + 16, y + zeile / 2);
            p.setPen(Qt::black);
            p.drawText(QRect(x + 20, y, fm.horizontalAdvance(name) + 2, zeile),
                       Qt::AlignVCenter | Qt::AlignLeft, name);
            x += 20 + fm.horizontalAdvance(name) + 6;
        };
        for (const auto& [name, farbe] : m_eintraege)
            eintrag(name, QPen(farbe, 2), 0);
        x = 4;
        if (!m_vorher.isEmpty())
            eintrag(m_vorher, QPen(vorher_farbe(m_eintraege.back().second), 1.5, Qt::DashLine),
                    zeile - 2);
    }

private:
    void groesse_setzen() {
        const QFontMetrics fm(font());
        int breite = 4;
        for (const auto& e : m_eintraege)
            breite += 20 + fm.horizontalAdvance(e.first) + 6;
        if (!m_vorher.isEmpty())
            breite = std::max(breite, 4 + 20 + fm.horizontalAdvance(m_vorher) + 6);
        resize(breite,
               (fm.height() + 4) * (m_vorher.isEmpty() ? 1 : 2) - (m_vorher.isEmpty() ? 0 : 2));
    }

    std::vector<std::pair<QString, QColor>> m_eintraege;
    QString m_vorher;
};

// The view owns the chart it is built with; a chart set later would leave its first one behind.
Diagrammfeld::Diagrammfeld(const Diagramm& d, QWidget* parent, double massstab)
    : QChartView(new QChart, parent), m_datei(QString::fromUtf8(d.datei)), m_zeilen(d.zeilen),
      m_bis(d.bis), m_soll(d.kennwerte_soll), m_ist(d.kennwerte_ist), m_vergleich(d.vergleich),
      m_vergleich_legende(d.vergleich_legende) {
    QChart* chart = this->chart();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setAnimationOptions(QChart::NoAnimation);
    // Qt's legend would take a band of its own from these small charts; ours stands in the top
    // margin (below). Qt's goes while the chart is empty, for hiding it lays the chart out anew.
    chart->legend()->hide();
    const QFont f = schrift(normal, massstab);

    static const bool zugang = (QAccessible::installFactory(zugang_fabrik), true);
    Q_UNUSED(zugang);

    auto* zeit = m_zeitachse = new QValueAxis;
    achse_einrichten(zeit, 0, m_zeilen, darstellung::schritt(m_zeilen, 3), f);
    zeit->setTitleText(QString::fromUtf8(d.zeit_titel));
    m_wertachse = new QValueAxis;
    m_wert_intervalle = darstellung::wert_intervalle(d.r.h / twips_pro_pixel);
    m_wertachse->setLabelsFont(f);
    m_wertachse->setTitleText(QString::fromUtf8(d.wert_titel));
    chart->addAxis(zeit, Qt::AlignBottom);
    chart->addAxis(m_wertachse, Qt::AlignLeft);

    for (size_t i = 0; i < d.reihen.size(); ++i) {
        auto* s = new QLineSeries;
        s->setName(QString::fromUtf8(d.reihen[i]));
        s->setPen(QPen(reihenfarben[i % std::size(reihenfarben)], 1.5));
        chart->addSeries(s);
        s->attachAxis(zeit);
        s->attachAxis(m_wertachse);
        m_reihen.push_back(s);
    }
    auto* legende = new Legende(this, f);
    for (const auto* r : m_reihen)
        legende->eintrag(r->name(), r->pen().color());
    m_legende = legende;
    // The legend stands above the plot, right-aligned, never over a curve: the top margin makes
    // room for it beside the half of the top value label that reaches above the plot.
    m_halbe_marke = QFontMetrics(f).height() / 2;
    m_oben = std::max(2, legende->height() + 2 - m_halbe_marke);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    // Charts of a page may overlap a little; what lies beneath stays visible.
    chart->setBackgroundVisible(false);
    setBackgroundBrush(Qt::NoBrush);
    viewport()->setAutoFillBackground(false);

    m_einheit = QString::fromUtf8(d.wert_titel);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);

    setAccessibleName(QStringLiteral("Diagramm ") + reihen_namen().join(QStringLiteral(", ")));
    menue_bauen();
    m_beschreibung =
        QStringLiteral("%1 über %2; Pfeiltasten lesen ab; Kontextmenü: %3")
            .arg(m_einheit.isEmpty() ? QStringLiteral("Werte") : m_einheit,
                 d.zeit_titel[0] ? QString::fromUtf8(d.zeit_titel) : QStringLiteral("Zeit in s"),
                 menue_texte());
    setAccessibleDescription(m_beschreibung);
    connect(&Lernhilfen::einstellungen(), &Lernhilfen::geaendert, this, [this] {
        if (m_gelaufen) darstellen();
    });

    m_zellen.resize(m_reihen.size());
    for (auto& reihe : m_zellen) {
        reihe.reserve(std::max(m_zeilen, 0));
        for (int z = 1; z <= m_zeilen; ++z)
            reihe.append(QPointF(z, qQNaN()));
    }
    m_gruppe = {this};
    // Until the first run, which chooses the step for the plot's height.
    achse_einrichten(m_wertachse, 0, m_bis, darstellung::schritt(m_bis, m_wert_intervalle), f);
}

void Diagrammfeld::massstab_setzen(double massstab) {
    const QFont f = schrift(normal, massstab);
    if (f == m_wertachse->labelsFont()) return;
    for (QValueAxis* a : {m_zeitachse, m_wertachse}) {
        a->setLabelsFont(f);
        a->setTitleFont(f);
    }
    m_zeitachse->setTitleVisible(true); // measured anew for the new size
    m_legende->schrift_setzen(f);
    m_halbe_marke = QFontMetrics(f).height() / 2;
    m_oben = std::max(2, m_legende->height() + 2 - m_halbe_marke);
    m_gemessen = {};
}

void Diagrammfeld::neu_darstellen() {
    if (m_gelaufen)
        darstellen();
    else
        zeitachsen_angleichen();
}

void Diagrammfeld::neu_zeichnen() {
    m_bild_veraltet = true;
    viewport()->update();
}

void Diagrammfeld::paintEvent(QPaintEvent* e) {
    const qreal dpr = viewport()->devicePixelRatioF();
    const QSize groesse = viewport()->size() * dpr;
    if (m_bild_veraltet || m_bild.size() != groesse) {
        if (m_bild.size() != groesse) {
            m_bild = QImage(groesse, QImage::Format_ARGB32_Premultiplied);
            m_bild.setDevicePixelRatio(dpr);
        }
        m_bild.fill(Qt::transparent);
        QPainter p(&m_bild);
        p.setRenderHints(renderHints());
        malen(p);
        m_bild_veraltet = false;
    }
    QPainter p(viewport());
    // On paper the page draws its charts itself, through malen(): Qt Charts' axes drawn through
    // a page's painter come out at the wrong scale. Never the screen's picture there.
    if (const QPaintEngine* m = p.paintEngine(); m && m->type() != QPaintEngine::Raster) return;
    p.setClipRegion(e->region());
    p.drawImage(QPointF(0, 0), m_bild);
    if (m_zeiger_zeile && !m_zeiger_verborgen) {
        const QRectF flaeche = chart()->plotArea();
        const double x = std::floor(pixelspalte(m_zeiger_zeile)) + 0.5;
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.drawLine(QPointF(x, flaeche.top()), QPointF(x, flaeche.bottom()));
    }
    if (hasFocus() && !m_zeiger_verborgen) { // a dotted frame, by key or by click
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(60, 60, 60), 1, Qt::DotLine));
        p.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
}

void Diagrammfeld::malen(QPainter& p) const {
    {
        const QRectF alles(QPointF(0, 0), QSizeF(viewport()->size()));
        if (m_kennwerte_gezeigt) { // the band lies beneath the curves
            const QRectF f = chart()->plotArea();
            const double oben = std::max(
                f.top(),
                chart()->mapToPosition(QPointF(0, m_kennwert_soll + 1), m_reihen.front()).y());
            const double unten = std::min(
                f.bottom(),
                chart()->mapToPosition(QPointF(0, m_kennwert_soll - 1), m_reihen.front()).y());
            if (unten > oben)
                p.fillRect(QRectF(f.left(), oben, f.width(), unten - oben), QColor(0, 0, 192, 28));
        }
        if (vorher_sichtbar()) { // beneath the last run, dashed and lighter
            const QRectF f = chart()->plotArea();
            p.save();
            p.setClipRect(f);
            for (size_t s = 0; s < m_vorher.size(); ++s) {
                // Width 1: Qt draws it dashed without building an outline of every dash.
                p.setPen(QPen(vorher_farbe(m_reihen[s]->pen().color()), 1, Qt::DashLine));
                p.drawPolyline(linie(m_vorher[s], f));
            }
            p.restore();
        }
        scene()->render(&p, alles, mapToScene(viewport()->rect()).boundingRect());
        lernhilfen_zeichnen(p);
    }
}

void Diagrammfeld::resizeEvent(QResizeEvent* e) {
    QChartView::resizeEvent(e);
    zeitachsen_angleichen();
}

QMargins Diagrammfeld::grundraender() const {
    // A chart may reach past its window's edge: the plot and the legend keep to what is seen,
    // so that the last tick label is not cut.
    int rechts = width();
    if (const QWidget* eltern = parentWidget()) rechts = std::min(rechts, eltern->width() - x());
    return QMargins(2, m_oben, 2 + std::max(0, width() - rechts) + m_seitenrand, 2);
}

void Diagrammfeld::anordnen(QMargins extra, bool messen) {
    const QMargins r = grundraender() + extra;
    if (r != m_gesetzt) {
        chart()->setMargins(r);
        m_gesetzt = r;
        messen = true;
    }
    if (chart()->size() != QSizeF(size())) {
        chart()->resize(size());
        messen = true;
    }
    if (!messen) return;
    // Laid out now, not when the event loop comes to it, so that it can be measured.
    chart()->layout()->invalidate();
    chart()->layout()->activate();
}

Diagrammfeld::Anordnung Diagrammfeld::anordnung() const {
    return {size(), grundraender(), m_wertachse->min(), m_wertachse->max(),
            m_wertachse->tickInterval()};
}

std::pair<double, double> Diagrammfeld::natuerliche_raender() {
    // Where Qt puts the plot's left and right edges with the base margins; it changes only with
    // the size, the margins and the value axis's labels.
    if (!(anordnung() == m_gemessen)) {
        anordnen({}, true);
        // Qt gives the time axis at most 0.4 of the chart's height and elides its texts beyond
        // that: a chart built small (a low screen) keeps its time labels whole and leaves the
        // axis title out instead, which the chart above it names as well.
        if (m_zeitachse->isTitleVisible() && !m_zeitachse->titleText().isEmpty() &&
            zeitachse_gekuerzt()) {
            m_zeitachse->setTitleVisible(false);
            anordnen({}, true);
        }
        const QRectF f = chart()->plotArea();
        m_natuerlich = {f.left(), f.right()};
        m_plothoehe = f.height();
        m_gemessen = anordnung();
    }
    return m_natuerlich;
}

bool Diagrammfeld::zeitachse_gekuerzt() const {
    const double unten = chart()->plotArea().bottom();
    for (const QGraphicsItem* i : scene()->items()) {
        const auto* t = dynamic_cast<const QGraphicsTextItem*>(i);
        if (!t || !t->isVisible() || t->sceneBoundingRect().top() < unten) continue;
        const QString text = t->toPlainText();
        if (text.contains(QChar(0x2026)) || text.contains(QLatin1String("..."))) return true;
    }
    return false;
}

void Diagrammfeld::zeitachsen_angleichen() {
    // Each plot as Qt lays it out alone, in the window's coordinates; then all take the
    // innermost edges, by wider margins.
    double links = -1e9, rechts = 1e9;
    std::vector<std::pair<double, double>> raender;
    for (Diagrammfeld* d : m_gruppe) {
        const auto [l, r] = d->natuerliche_raender();
        const double x = d->mapTo(window(), QPoint(0, 0)).x();
        raender.emplace_back(x + l, x + r);
        links = std::max(links, x + l);
        rechts = std::min(rechts, x + r);
    }
    for (size_t i = 0; i < m_gruppe.size(); ++i) {
        Diagrammfeld* d = m_gruppe[i];
        const QMargins vorher = d->m_gesetzt;
        d->anordnen(
            QMargins(qRound(links - raender[i].first), 0, qRound(raender[i].second - rechts), 0));
        const QRectF f = d->chart()->plotArea();
        d->m_legende->move(std::max(0, int(f.right()) - d->m_legende->width()),
                           std::max(0, int(f.top()) - d->m_legende->height() - 2));
        if (d->m_gesetzt != vorher) d->neu_zeichnen();
    }
}

std::optional<double> Diagrammfeld::wert(int spalte, int zeile) const {
    if (spalte < 1 || spalte > spaltenzahl() || zeile < 1 || zeile > m_zeilen) return {};
    const double v = m_zellen[size_t(spalte - 1)][zeile - 1].y();
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

QStringList Diagrammfeld::reihen_namen() const {
    QStringList namen;
    for (const auto* s : m_reihen)
        namen << s->name();
    return namen;
}

double Diagrammfeld::pixelspalte(double zeile) const {
    if (m_reihen.empty()) return 0;
    return chart()->mapToPosition(QPointF(zeile, 0), m_reihen.front()).x();
}

QList<QPointF> Diagrammfeld::punkte(int spalte) const {
    if (spalte < 1 || spalte > spaltenzahl()) return {};
    return m_reihen[size_t(spalte - 1)]->points();
}

QString Diagrammfeld::ablesen(int zeile) const {
    return lesen(m_zellen, zeile);
}

QString Diagrammfeld::ablesen_vorher(int zeile) const {
    return vorher_sichtbar() ? lesen(m_vorher, zeile) : QString();
}

QString Diagrammfeld::lesen(const std::vector<QList<QPointF>>& zellen, int zeile) const {
    const QLocale format = zahlformat();
    QStringList teile;
    for (size_t s = 0; s < zellen.size(); ++s) {
        const double v = zeile >= 1 && zeile <= m_zeilen ? zellen[s][zeile - 1].y() : qQNaN();
        QString teil =
            m_reihen[s]->name() + QLatin1Char(' ') +
            (std::isfinite(v)
                 ? QString::fromStdString(darstellung::kurz(v, format.decimalPoint().toStdString()))
                 : QStringLiteral("–"));
        if (std::isfinite(v) && !m_einheit.isEmpty()) teil += QLatin1Char(' ') + m_einheit;
        teile << teil;
    }
    return teile.join(QStringLiteral(" · "));
}

namespace {
std::vector<std::string> namen(const std::vector<QLineSeries*>& reihen) {
    std::vector<std::string> n;
    for (const auto* r : reihen)
        n.push_back(r->name().toStdString());
    return n;
}

std::vector<std::vector<double>> spalten(const std::vector<QList<QPointF>>& zellen) {
    std::vector<std::vector<double>> s;
    for (const auto& reihe : zellen) {
        s.emplace_back();
        for (const QPointF& p : reihe)
            s.back().push_back(p.y());
    }
    return s;
}
} // namespace

QString Diagrammfeld::daten_text() const {
    return QString::fromStdString(darstellung::tsv_text(namen(m_reihen), spalten(m_zellen),
                                                        zahlformat().decimalPoint().toStdString()));
}

QString Diagrammfeld::csv_text(const QLocale& format) const {
    return QString::fromStdString(darstellung::csv_text(namen(m_reihen), m_einheit.toStdString(),
                                                        spalten(m_zellen),
                                                        format.decimalPoint().toStdString()));
}

QString Diagrammfeld::daten_speichern(const QString& pfad) const {
    const QByteArray inhalt = "\xEF\xBB\xBF" + csv_text(zahlformat()).toUtf8();
    return datei_schreiben(pfad,
                           [&inhalt](QIODevice& d) { return d.write(inhalt) == inhalt.size(); });
}

QString Diagrammfeld::bild_speichern(const QString& pfad) {
    if (pfad.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QBuffer puffer;
        puffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&puffer);
            svg.setSize(viewport()->size());
            svg.setViewBox(QRect(QPoint(0, 0), viewport()->size()));
            svg.setTitle(accessibleName());
            svg.setDescription(accessibleDescription());
            QPainter p(&svg);
            p.setRenderHints(renderHints());
            malen(p);
            m_legende->render(&p, m_legende->pos());
        }
        // The program's fonts are its own; a picture names what stands for them everywhere.
        QByteArray inhalt = puffer.data();
        for (const char* name : {"\"MS Sans Serif\"", "\"Sans Serif\""})
            inhalt.replace(name, "\"Liberation Sans, Arial, Helvetica, sans-serif\"");
        return datei_schreiben(
            pfad, [&inhalt](QIODevice& d) { return d.write(inhalt) == inhalt.size(); });
    }
    const QImage bild = abbild();
    return datei_schreiben(pfad, [&bild](QIODevice& d) { return bild.save(&d, "PNG"); });
}

int Diagrammfeld::zeile_bei(QPoint p) const {
    QChart* c = chart();
    const QPointF imChart = c->mapFromScene(mapToScene(p));
    if (!c->plotArea().contains(imChart) || m_reihen.empty()) return 0;
    const double x = c->mapToValue(imChart, m_reihen.front()).x();
    const int z = qRound(x);
    return z < 1 ? 1 : z > m_zeilen ? m_zeilen : z;
}

QRect Diagrammfeld::zeigerstreifen() const {
    if (!m_zeiger_zeile) return {};
    const int x = int(std::floor(pixelspalte(m_zeiger_zeile)));
    return QRect(x - 1, 0, 3, viewport()->height());
}

void Diagrammfeld::zeiger_zeigen(int zeile) {
    const int neu = zeile >= 1 && zeile <= m_zeilen && !m_reihen.empty() ? zeile : 0;
    if (neu == m_zeiger_zeile) return;
    // The cursor is drawn over the chart's picture: only its old and new column are painted.
    viewport()->update(zeigerstreifen());
    m_zeiger_zeile = neu;
    viewport()->update(zeigerstreifen());
    if (hasFocus()) {
        QAccessibleValueChangeEvent wert(this, m_zeiger_zeile);
        QAccessible::updateAccessibility(&wert);
        QAccessibleEvent name(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
}

void Diagrammfeld::mouseMoveEvent(QMouseEvent* e) {
    QChartView::mouseMoveEvent(e);
    const int z = zeile_bei(e->position().toPoint());
    if (z)
        emit zeiger_bewegt(z, e->globalPosition().toPoint());
    else
        emit zeiger_verlassen();
}

bool Diagrammfeld::viewportEvent(QEvent* e) {
    // Once the mouse rests, Qt asks the scene for a tooltip; it has none and would hide the
    // read-out's.
    if (e->type() == QEvent::ToolTip) return true;
    return QChartView::viewportEvent(e);
}

void Diagrammfeld::leaveEvent(QEvent* e) {
    QChartView::leaveEvent(e);
    emit zeiger_verlassen();
}

QImage Diagrammfeld::abbild() {
    m_zeiger_verborgen = true;
    const QImage bild = grab().toImage();
    m_zeiger_verborgen = false;
    return bild;
}

void Diagrammfeld::contextMenuEvent(QContextMenuEvent* e) {
    // The read-out belongs to the pointer over the chart: a menu over it ends it, so that no
    // line is left standing once the menu has done its work.
    emit zeiger_verlassen();
    const Lernhilfen& l = Lernhilfen::einstellungen();
    m_kennwerte_eintrag->setChecked(l.kennwerte());
    m_vorher_eintrag->setChecked(l.vorheriger_lauf());
    m_menue->popup(e->globalPos());
}

void Diagrammfeld::menue_bauen() {
    m_menue = new QMenu(this);
    m_menue->addAction(QStringLiteral("Bild kopieren"), this,
                       [this] { QGuiApplication::clipboard()->setImage(abbild()); });
    m_menue->addAction(QStringLiteral("Daten kopieren"), this,
                       [this] { QGuiApplication::clipboard()->setText(daten_text()); });
    m_menue->addAction(QStringLiteral("Bild speichern …"), this, [this] {
        speichern(this, QStringLiteral("Bild speichern"), m_datei + QStringLiteral(".png"),
                  QStandardPaths::PicturesLocation,
                  QStringLiteral("PNG-Bild (*.png);;SVG-Grafik (*.svg)"),
                  [this](const QString& pfad) { return bild_speichern(pfad); });
    });
    m_menue->addAction(QStringLiteral("Daten speichern …"), this, [this] {
        speichern(this, QStringLiteral("Daten speichern"), m_datei + QStringLiteral(".csv"),
                  QStandardPaths::DocumentsLocation, QStringLiteral("CSV-Tabelle (*.csv)"),
                  [this](const QString& pfad) { return daten_speichern(pfad); });
    });
    m_menue->addSeparator();
    Lernhilfen& l = Lernhilfen::einstellungen();
    m_kennwerte_eintrag = m_menue->addAction(QStringLiteral("Kennwerte zeigen"), &l,
                                             [&l](bool an) { l.kennwerte_zeigen(an); });
    m_kennwerte_eintrag->setCheckable(true);
    m_vorher_eintrag = m_menue->addAction(QStringLiteral("Vorherigen Lauf zeigen"), &l,
                                          [&l](bool an) { l.vorherigen_lauf_zeigen(an); });
    m_vorher_eintrag->setCheckable(true);
}

QString Diagrammfeld::menue_texte() const {
    QStringList texte;
    for (const QAction* a : m_menue->actions())
        if (!a->isSeparator())
            texte << a->text().remove(QLatin1Char('&')).remove(QStringLiteral(" …"));
    return texte.join(QStringLiteral(", "));
}

QString Diagrammfeld::ablesung() const {
    if (!m_zeiger_zeile) return {};
    QStringList teile{QStringLiteral("t = %1 s").arg(m_zeiger_zeile)};
    QStringList vorher, kennwert;
    QString vorher_name;
    for (const Diagrammfeld* a : m_gruppe) {
        teile << a->ablesen(m_zeiger_zeile);
        if (a->vorher_sichtbar()) {
            vorher_name = a->m_vorher_name;
            vorher << a->ablesen_vorher(m_zeiger_zeile);
        }
        if (a->m_kennwerte_gezeigt)
            kennwert << naechster_kennwert(*a->m_kennwerte_gezeigt, m_zeiger_zeile, zahlformat());
    }
    QString t = teile.join(QStringLiteral(" · "));
    if (!vorher.isEmpty())
        t += QStringLiteral("\nvorher: ") + vorher_name + QStringLiteral(" · ") +
             vorher.join(QStringLiteral(" · "));
    kennwert.removeAll(QString());
    if (!kennwert.isEmpty()) t += QLatin1Char('\n') + kennwert.join(QStringLiteral(" · "));
    return t;
}

void Diagrammfeld::keyPressEvent(QKeyEvent* e) {
    const int schritt = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
    int zeile = m_zeiger_zeile;
    switch (e->key()) {
    case Qt::Key_Left:
        zeile = zeile ? std::max(1, zeile - schritt) : 1;
        break;
    case Qt::Key_Right:
        zeile = zeile ? std::min(m_zeilen, zeile + schritt) : 1;
        break;
    case Qt::Key_Home:
        zeile = 1;
        break;
    case Qt::Key_End:
        zeile = m_zeilen;
        break;
    case Qt::Key_F10:
        if (e->modifiers() & Qt::ShiftModifier) {
            const QPoint wo = m_zeiger_zeile
                                  ? QPoint(int(pixelspalte(m_zeiger_zeile)), height() / 2)
                                  : rect().center();
            QContextMenuEvent menue(QContextMenuEvent::Keyboard, wo, mapToGlobal(wo));
            contextMenuEvent(&menue);
            return;
        }
        [[fallthrough]];
    default:
        QChartView::keyPressEvent(e);
        return;
    }
    if (zeile >= 1) zeiger_setzen(zeile);
}

void Diagrammfeld::zeiger_setzen(int zeile) {
    if (zeile >= 1 && zeile <= m_zeilen)
        emit zeiger_bewegt(zeile, mapToGlobal(QPoint(int(pixelspalte(zeile)), height() / 2)));
    else
        emit zeiger_verlassen();
}

void Diagrammfeld::focusInEvent(QFocusEvent* e) {
    QChartView::focusInEvent(e);
    viewport()->update();
}

void Diagrammfeld::focusOutEvent(QFocusEvent* e) {
    QChartView::focusOutEvent(e);
    viewport()->update();
}

void ablesung_verbinden(const std::vector<Diagrammfeld*>& diagramme) {
    for (Diagrammfeld* d : diagramme) {
        d->gruppe_setzen(diagramme);
        QObject::connect(d, &Diagrammfeld::zeiger_bewegt, d, [diagramme, d](int zeile, QPoint wo) {
            for (Diagrammfeld* a : diagramme)
                a->zeiger_zeigen(zeile);
            QToolTip::showText(wo + QPoint(12, 12), d->ablesung(), d);
        });
        QObject::connect(d, &Diagrammfeld::zeiger_verlassen, d, [diagramme] {
            for (Diagrammfeld* a : diagramme)
                a->zeiger_zeigen(0);
            QToolTip::hideText();
        });
    }
}

void Diagrammfeld::lauf_abschliessen() {
    if (m_vergleich) { // the cells are shared until the next run writes into them
        if (m_gelaufen) {
            m_vorher = std::move(m_letzte);
            m_vorher_name = m_letzter_name;
        }
        m_letzte = m_zellen;
        m_letzter_name = m_laufname;
    }
    for (size_t s = 0; s < m_reihen.size(); ++s) {
        const QList<QPointF>& zellen = m_zellen[s];
        if (std::all_of(zellen.begin(), zellen.end(),
                        [](QPointF p) { return std::isfinite(p.y()); })) {
            m_reihen[s]->replace(zellen);
        } else { // a curve through the cells that hold a number
            QList<QPointF> punkte;
            for (const QPointF& p : zellen)
                if (std::isfinite(p.y())) punkte.append(p);
            m_reihen[s]->replace(punkte);
        }
    }
    m_gelaufen = true;
    darstellen();
    emit lauf_abgeschlossen();
}

void Diagrammfeld::kennwerte_rechnen() {
    if (!m_soll || !m_ist || m_zeilen <= 0) return;
    std::vector<double> x;
    x.reserve(size_t(m_zeilen));
    for (const QPointF& p : m_zellen[size_t(m_ist - 1)])
        x.push_back(p.y());
    m_kennwert_soll = m_zellen[size_t(m_soll - 1)].front().y();
    if (std::isfinite(m_kennwert_soll) &&
        std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); }))
        m_kennwerte_gezeigt =
            kennwerte_lauf{sim::kennwerte_berechnen(m_kennwert_soll, x), sim::spitzen(x)};
}

bool Diagrammfeld::vorher_sichtbar() const {
    return m_vergleich && !m_vorher.empty() && Lernhilfen::einstellungen().vorheriger_lauf();
}

void Diagrammfeld::darstellen() {
    const bool vorher = vorher_sichtbar();
    if (m_vergleich_legende) {
        m_legende->vorher(vorher ? QStringLiteral("vorher: ") + m_vorher_name : QString(),
                          width() - 8);
        m_oben = std::max(2, m_legende->height() + 2 - m_halbe_marke);
    }

    double tief = 0;
    double hoch = m_bis;
    const auto ausdehnen = [&](const std::vector<QList<QPointF>>& reihen) {
        for (const auto& reihe : reihen)
            for (const QPointF& p : reihe)
                if (std::isfinite(p.y())) {
                    tief = std::min(tief, p.y());
                    hoch = std::max(hoch, p.y());
                }
    };
    ausdehnen(m_zellen);
    if (vorher) ausdehnen(m_vorher);
    wertachse_einrichten(tief, hoch);
    m_kennwerte_gezeigt.reset();
    if (Lernhilfen::einstellungen().kennwerte()) kennwerte_rechnen();
    zeitachsen_angleichen();
    if (m_kennwerte_gezeigt) {
        kennwerte_platzieren();
    } else if (m_seitenrand) {
        m_seitenrand = 0;
        zeitachsen_angleichen();
    }
    beschreibung_setzen();
    // The curves, and with them perhaps the axis, are new: the chart is drawn anew as a whole.
    neu_zeichnen();
}

namespace {
QSizeF kastengroesse(const QStringList& zeilen, const QFont& f) {
    const QFontMetricsF fm(f);
    double breite = 0;
    for (const QString& z : zeilen)
        breite = std::max(breite, fm.horizontalAdvance(z));
    return {std::ceil(breite) + 10, std::ceil(fm.height() * zeilen.size()) + 6};
}
} // namespace

QPolygonF Diagrammfeld::linie(const QList<QPointF>& punkte, const QRectF& plot) const {
    // The chart's own mapping, without asking the chart for every point.
    const double sx = plot.width() / m_zeilen;
    const double sy = plot.height() / (m_wertachse->max() - m_wertachse->min());
    QPolygonF l;
    l.reserve(punkte.size());
    for (const QPointF& p : punkte)
        if (std::isfinite(p.y()))
            l << QPointF(plot.left() + p.x() * sx,
                         plot.bottom() - (p.y() - m_wertachse->min()) * sy);
    return l;
}

QList<QPointF> Diagrammfeld::vorher_punkte(int spalte) const {
    QList<QPointF> l;
    if (vorher_sichtbar() && spalte >= 1 && spalte <= spaltenzahl())
        for (const QPointF& p : m_vorher[size_t(spalte - 1)])
            if (std::isfinite(p.y())) l << p;
    return l;
}

std::optional<QPointF> Diagrammfeld::platz_im_plot(const QRectF& plot, QSizeF groesse) const {
    // What the box must not cover: every curve shown, as thin lines in a plot of this size (the
    // room around them is kept by looking for a place as much larger as the box).
    constexpr double abstand = 6;
    QImage belegt(plot.size().toSize(), QImage::Format_Alpha8);
    belegt.fill(0);
    const QRect innen = belegt.rect();
    // Each segment walked in steps of at most half a pixel: quicker than a painter.
    const auto zeichnen = [&](const QPolygonF& l) {
        for (qsizetype i = 1; i < l.size(); ++i) {
            const QPointF d = l[i] - l[i - 1];
            const int schritte = 1 + int(2 * std::max(std::abs(d.x()), std::abs(d.y())));
            for (int k = 0; k <= schritte; ++k) {
                const QPoint q = (l[i - 1] + d * (double(k) / schritte)).toPoint();
                if (innen.contains(q)) belegt.scanLine(q.y())[q.x()] = 1;
            }
        }
    };
    const QRectF hier(QPointF(0, 0), plot.size());
    for (const QLineSeries* r : m_reihen)
        zeichnen(linie(r->points(), hier));
    if (vorher_sichtbar())
        for (const auto& zellen : m_vorher)
            zeichnen(linie(zellen, hier));
    if (const auto wo = freier_platz(belegt, groesse + QSizeF(2 * abstand, 2 * abstand)))
        return plot.topLeft() + *wo + QPointF(abstand, abstand);
    return {};
}

void Diagrammfeld::kennwerte_platzieren() {
    m_kasten_zeilen = kennwert_zeilen(m_kennwerte_gezeigt->k, zahlformat());
    const QSizeF groesse = kastengroesse(m_kasten_zeilen, m_wertachse->labelsFont());
    // In the plot where it has room: with room beside it now, the plot is first asked as it
    // would be without, so that a run after run that needs the room lays out nothing anew.
    const QRectF breit = chart()->plotArea().adjusted(0, 0, m_seitenrand, 0);
    if (const auto wo = platz_im_plot(breit, groesse)) {
        if (m_seitenrand) {
            m_seitenrand = 0;
            zeitachsen_angleichen();
        }
        if (const auto genau = platz_im_plot(chart()->plotArea(), groesse)) {
            m_kasten = QRectF(*genau, groesse);
            return;
        }
    }
    // Beside the plot, on the right.
    const int rand = int(groesse.width()) + 8;
    if (rand != m_seitenrand) {
        m_seitenrand = rand;
        zeitachsen_angleichen();
    }
    m_kasten = QRectF(QPointF(width() - groesse.width() - 2, chart()->plotArea().top()), groesse);
}

void Diagrammfeld::lernhilfen_zeichnen(QPainter& p) const {
    if (!m_kennwerte_gezeigt) return;
    QLineSeries* ist = m_reihen[size_t(m_ist - 1)];
    const QColor farbe = ist->pen().color();
    p.setPen(QPen(farbe, 1.2));
    p.setBrush(Qt::white);
    for (int s : m_kennwerte_gezeigt->spitzen) {
        const QPointF wo = chart()->mapToPosition(m_zellen[size_t(m_ist - 1)][s - 1], ist);
        p.drawEllipse(wo, 3.5, 3.5);
    }
    const QStringList& zeilen = m_kasten_zeilen;
    p.setPen(QColor(150, 150, 150));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRect(m_kasten.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(Qt::black);
    p.setFont(m_wertachse->labelsFont());
    const QFontMetricsF fm(p.font());
    for (int i = 0; i < zeilen.size(); ++i)
        p.drawText(QPointF(m_kasten.left() + 5, m_kasten.top() + 3 + fm.ascent() + i * fm.height()),
                   zeilen[i]);
}

void Diagrammfeld::beschreibung_setzen() {
    QString b = m_beschreibung;
    if (vorher_sichtbar())
        b += QStringLiteral("; gestrichelt der Lauf davor (vorher: %1)").arg(m_vorher_name);
    if (m_kennwerte_gezeigt)
        b += QStringLiteral("; Kennwerte: ") + m_kasten_zeilen.join(QStringLiteral("; "));
    if (b != accessibleDescription()) setAccessibleDescription(b);
}

void Diagrammfeld::wertachse_einrichten(double tief, double hoch) {
    // The plot's height, which the margins left and right leave alone, says how many labels fit.
    natuerliche_raender();
    const auto a =
        darstellung::wertachse_fuer(tief, hoch, m_bis, m_wert_intervalle,
                                    platz_fuer_marken(m_plothoehe, m_wertachse->labelsFont()));
    if (a.von != m_wertachse->min() || a.bis != m_wertachse->max() ||
        a.schritt != m_wertachse->tickInterval())
        achse_einrichten(m_wertachse, a.von, a.bis, a.schritt, m_wertachse->labelsFont());
}

} // namespace shell
