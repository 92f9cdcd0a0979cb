#include "diagrammfeld.h"

#include "seitenbau.h"
#include "zahlen.h"

#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGuiApplication>
#include <QLegend>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {
const QColor reihenfarben[] = {QColor(0, 0, 192), QColor(200, 0, 0), QColor(0, 140, 0),
                               QColor(220, 130, 0)};

// The largest round tick step that still gives at least `mindestens` intervals.
double schritt(double spanne, int mindestens) {
    if (!(spanne > 0)) return 1;
    const double basis = std::pow(10.0, std::floor(std::log10(spanne)));
    for (double b : {basis, basis / 10})
        for (double m : {10.0, 5.0, 2.0, 1.0})
            if (spanne / (m * b) >= mindestens) return m * b;
    return basis / 10;
}

void achse_einrichten(QValueAxis* a, double von, double bis, const QFont& f, int mindestens) {
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    // Qt lays out every tick at each change: a wide range must never meet a fine step, not even
    // between the two calls (0 to 10^9 in steps of 20 froze the program). The coarser goes first.
    const double st = schritt(bis - von, mindestens);
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

// Series names with their line colours, in one row.
class Legende : public QWidget {
public:
    Legende(QWidget* eltern, const QFont& f) : QWidget(eltern) {
        setFont(f);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void eintrag(const QString& name, const QColor& farbe) {
        m_eintraege.push_back({name, farbe});
        const QFontMetrics fm(font());
        int breite = 4;
        for (const auto& e : m_eintraege) breite += 20 + fm.horizontalAdvance(e.first) + 6;
        resize(breite, fm.height() + 4);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(255, 255, 255, 230));
        p.setPen(QColor(170, 170, 170));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        const QFontMetrics fm(font());
        int x = 4;
        const int mitte = height() / 2;
        for (const auto& [name, farbe] : m_eintraege) {
            p.setPen(QPen(farbe, 2));
            p.drawLine(x, mitte, x + 16, mitte);
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRect(x + 20, 0, fm.horizontalAdvance(name) + 2, height()),
                       Qt::AlignVCenter | Qt::AlignLeft, name);
            x += 20 + fm.horizontalAdvance(name) + 6;
        }
    }

private:
    std::vector<std::pair<QString, QColor>> m_eintraege;
};

} // namespace

// The view owns the chart it is built with; a chart set later would leave its first one behind.
Diagrammfeld::Diagrammfeld(const Diagramm& d, QWidget* parent, double massstab)
    : QChartView(new QChart, parent), m_zeilen(d.zeilen), m_bis(d.bis) {
    QChart* chart = this->chart();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setAnimationOptions(QChart::NoAnimation);
    // The charts are too small to give a legend a band of its own: it sits in the top right
    // corner of the plot, inside what the window shows of the chart (below). Qt's goes while the
    // chart is empty, for hiding it lays the chart out anew.
    chart->legend()->hide();
    const QFont f = schrift(normal, massstab);

    auto* zeit = new QValueAxis;
    achse_einrichten(zeit, 0, m_zeilen, f, 3);
    zeit->setTitleText(QString::fromUtf8(d.zeit_titel));
    m_wertachse = new QValueAxis;
    m_wert_intervalle = d.r.h / twips_pro_pixel < 150 ? 2 : 3; // short charts: fewer labels
    achse_einrichten(m_wertachse, 0, m_bis, f, m_wert_intervalle);
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
    for (const auto* r : m_reihen) legende->eintrag(r->name(), r->pen().color());
    m_legende = legende;
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    // Charts of a page may overlap a little; what lies beneath stays visible.
    chart->setBackgroundVisible(false);
    setBackgroundBrush(Qt::NoBrush);
    viewport()->setAutoFillBackground(false);

    m_einheit = QString::fromUtf8(d.wert_titel);
    m_zeiger = new QGraphicsLineItem;
    m_zeiger->setPen(QPen(QColor(90, 90, 90), 1));
    m_zeiger->setZValue(100);
    m_zeiger->hide();
    chart->scene()->addItem(m_zeiger);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);

    setAccessibleName(QStringLiteral("Diagramm ") + reihenNamen().join(QStringLiteral(", ")));
    setAccessibleDescription(
        QStringLiteral("%1 über %2; Kontextmenü: Bild kopieren, Daten kopieren")
            .arg(m_einheit.isEmpty() ? QStringLiteral("Werte") : m_einheit,
                 d.zeit_titel[0] ? QString::fromUtf8(d.zeit_titel) : QStringLiteral("Zeit in s")));

    m_zellen.resize(size_t(std::max(m_zeilen, 0)) * m_reihen.size());
    for (int z = 1; z <= m_zeilen; ++z) {
        if (size_t(z) <= d.zeilen_namen.size())
            m_zeilen_namen << QString::fromUtf8(d.zeilen_namen[size_t(z) - 1]);
        else
            m_zeilen_namen << QStringLiteral("Z%1").arg(z);
    }
}

void Diagrammfeld::setData(const QString& text) {
    if (m_spalte < 1 || m_spalte > columnCount() || m_zeile < 1 || m_zeile > m_zeilen) return;
    m_zellen[size_t(m_zeile - 1) * m_reihen.size() + size_t(m_spalte - 1)] = text;
    emit zelleGeschrieben(m_spalte, m_zeile);
}

void Diagrammfeld::resizeEvent(QResizeEvent* e) {
    QChartView::resizeEvent(e);
    // A chart may reach past its window's edge: the plot and the legend keep to what is seen,
    // so that the last tick label is not cut.
    int rechts = width();
    if (const QWidget* eltern = parentWidget()) rechts = std::min(rechts, eltern->width() - x());
    chart()->setMargins(QMargins(2, 2, 2 + std::max(0, width() - rechts), 2));
    m_legende->move(rechts - m_legende->width() - 14, 4);
}

QString Diagrammfeld::data(int spalte, int zeile) const {
    if (spalte < 1 || spalte > columnCount() || zeile < 1 || zeile > m_zeilen) return {};
    return m_zellen[size_t(zeile - 1) * m_reihen.size() + size_t(spalte - 1)];
}

QStringList Diagrammfeld::reihenNamen() const {
    QStringList namen;
    for (const auto* s : m_reihen) namen << s->name();
    return namen;
}

double Diagrammfeld::wertBis() const { return m_wertachse->max(); }

QList<QPointF> Diagrammfeld::punkte(int spalte) const {
    if (spalte < 1 || spalte > columnCount()) return {};
    return m_reihen[size_t(spalte - 1)]->points();
}

namespace {
// Up to two decimals, without trailing zeros: "66,28", "50", "0".
QString kurz(double v, const QLocale& l) {
    QString t = l.toString(v, 'f', 2);
    const QString komma = l.decimalPoint();
    if (t.contains(komma)) {
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(komma)) t.chop(komma.size());
    }
    return t;
}
} // namespace

QString Diagrammfeld::ablesen(int zeile) const {
    const QLocale format = zahlformat();
    QStringList teile;
    for (int s = 1; s <= columnCount(); ++s) {
        const auto v = zahl_lesen(data(s, zeile), format);
        QString teil = m_reihen[size_t(s - 1)]->name() + QLatin1Char(' ') +
                       (v ? kurz(*v, format) : QStringLiteral("–"));
        if (v && !m_einheit.isEmpty()) teil += QLatin1Char(' ') + m_einheit;
        teile << teil;
    }
    return teile.join(QStringLiteral(" · "));
}

QString Diagrammfeld::datenText() const {
    QString t = QStringLiteral("t in s");
    for (const auto* r : m_reihen) t += QLatin1Char('\t') + r->name();
    t += QLatin1Char('\n');
    for (int z = 1; z <= m_zeilen; ++z) {
        t += QString::number(z);
        for (int s = 1; s <= columnCount(); ++s) t += QLatin1Char('\t') + data(s, z);
        t += QLatin1Char('\n');
    }
    return t;
}

int Diagrammfeld::zeileBei(QPoint p) const {
    QChart* c = chart();
    const QPointF imChart = c->mapFromScene(mapToScene(p));
    if (!c->plotArea().contains(imChart) || m_reihen.empty()) return 0;
    const double x = c->mapToValue(imChart, m_reihen.front()).x();
    const int z = qRound(x);
    return z < 1 ? 1 : z > m_zeilen ? m_zeilen : z;
}

void Diagrammfeld::zeigeZeiger(int zeile) {
    m_zeiger_zeile = zeile >= 1 && zeile <= m_zeilen ? zeile : 0;
    if (!m_zeiger_zeile || m_reihen.empty()) {
        m_zeiger->hide();
        return;
    }
    QChart* c = chart();
    const QRectF flaeche = c->plotArea();
    const double x = c->mapToPosition(QPointF(m_zeiger_zeile, 0), m_reihen.front()).x();
    const QPointF oben = c->mapToScene(QPointF(x, flaeche.top()));
    const QPointF unten = c->mapToScene(QPointF(x, flaeche.bottom()));
    m_zeiger->setLine(QLineF(oben, unten));
    m_zeiger->show();
}

void Diagrammfeld::mouseMoveEvent(QMouseEvent* e) {
    QChartView::mouseMoveEvent(e);
    const int z = zeileBei(e->position().toPoint());
    if (z)
        emit zeigerBewegt(z, e->globalPosition().toPoint());
    else
        emit zeigerVerlassen();
}

bool Diagrammfeld::viewportEvent(QEvent* e) {
    // Once the mouse rests, Qt asks the scene for a tooltip; it has none and would hide the
    // read-out's.
    if (e->type() == QEvent::ToolTip) return true;
    return QChartView::viewportEvent(e);
}

void Diagrammfeld::leaveEvent(QEvent* e) {
    QChartView::leaveEvent(e);
    emit zeigerVerlassen();
}

void Diagrammfeld::contextMenuEvent(QContextMenuEvent* e) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Bild kopieren"), this, [this] {
        m_zeiger->hide();
        QGuiApplication::clipboard()->setPixmap(grab());
        zeigeZeiger(m_zeiger_zeile);
    });
    menu->addAction(QStringLiteral("Daten kopieren"), this,
                    [this] { QGuiApplication::clipboard()->setText(datenText()); });
    menu->popup(e->globalPos());
}

void ablesung_verbinden(const std::vector<Diagrammfeld*>& diagramme) {
    for (Diagrammfeld* d : diagramme) {
        QObject::connect(d, &Diagrammfeld::zeigerBewegt, d, [diagramme, d](int zeile, QPoint wo) {
            QStringList teile{QStringLiteral("t = %1 s").arg(zeile)};
            for (Diagrammfeld* a : diagramme) {
                a->zeigeZeiger(zeile);
                teile << a->ablesen(zeile);
            }
            QToolTip::showText(wo + QPoint(12, 12), teile.join(QStringLiteral(" · ")), d);
        });
        QObject::connect(d, &Diagrammfeld::zeigerVerlassen, d, [diagramme] {
            for (Diagrammfeld* a : diagramme) a->zeigeZeiger(0);
            QToolTip::hideText();
        });
    }
}

void Diagrammfeld::lauf_abschliessen() {
    const QLocale format = zahlformat();
    double tief = 0;
    double hoch = m_bis;
    QList<QPointF> punkte;
    for (size_t s = 0; s < m_reihen.size(); ++s) {
        punkte.clear();
        punkte.reserve(m_zeilen);
        for (int z = 1; z <= m_zeilen; ++z) {
            const auto v = zahl_lesen(m_zellen[size_t(z - 1) * m_reihen.size() + s], format);
            if (!v) continue;
            punkte.append(QPointF(z, *v));
            tief = std::min(tief, *v);
            hoch = std::max(hoch, *v);
        }
        m_reihen[s]->replace(punkte);
    }
    // A curve beyond the stored extent widens the axis to the next round number, never cut off.
    const double st = schritt(hoch - tief, m_wert_intervalle);
    const double von = tief < 0 ? std::floor(tief / st) * st : 0;
    const double bis = hoch > m_bis ? std::ceil(hoch / st) * st : m_bis;
    if (von != m_wertachse->min() || bis != m_wertachse->max())
        achse_einrichten(m_wertachse, von, bis, m_wertachse->labelsFont(), m_wert_intervalle);
    if (m_zeiger_zeile) zeigeZeiger(m_zeiger_zeile);
    emit laufAbgeschlossen();
}

} // namespace shell
