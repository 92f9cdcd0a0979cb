#include "diagrammfeld.h"

#include "achsen.h"
#include "seitenbau.h"
#include "zeitgruppe.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QPaintEngine>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {
// Qt gives each value label the axis height divided by the number of labels, less 4 px above and
// below, and elides a label that does not fit: so many labels fit at the most.
int platz_fuer_marken(double achsenhoehe, const QFont& f) {
    return darstellung::marken_platz(achsenhoehe, QFontMetricsF(f).height());
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
} // namespace

QColor qfarbe(darstellung::farbe f) {
    return QColor(f.r, f.g, f.b);
}

// The view owns the chart it is built with; a chart set later would leave its first one behind.
Diagrammfeld::Diagrammfeld(const Diagramm& d, QWidget* parent, double massstab)
    : QChartView(new QChart, parent), m_datei(QString::fromUtf8(d.datei)),
      m_gruppe(std::make_shared<Zeitgruppe>(std::vector<Diagrammfeld*>{this})), m_zeilen(d.zeilen),
      m_bis(d.bis), m_soll(d.kennwerte_soll), m_ist(d.kennwerte_ist), m_vergleich(d.vergleich),
      m_vergleich_legende(d.vergleich_legende) {
    QChart* chart = this->chart();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setAnimationOptions(QChart::NoAnimation);
    // Qt's legend would take a band of its own from these small charts; ours stands in the head
    // above the plot. Qt's goes while the chart is empty, for hiding it lays the chart out anew.
    chart->legend()->hide();
    const QFont f = schrift(normal, massstab);
    zugang_einrichten();

    auto* zeit = m_zeitachse = new QValueAxis;
    achse_einrichten(zeit, 0, m_zeilen, darstellung::schritt(m_zeilen, 3), f);
    zeit->setTitleText(QString::fromUtf8(d.zeit_titel));
    if (!d.zeit_beschriftet) zeit->setLabelsColor(Qt::transparent);
    m_wertachse = new QValueAxis;
    m_wert_intervalle = darstellung::wert_intervalle(d.r.h / twips_pro_pixel);
    m_wertachse->setLabelsFont(f);
    m_wertachse->setTitleText(QString::fromUtf8(d.wert_titel));
    chart->addAxis(zeit, Qt::AlignBottom);
    chart->addAxis(m_wertachse, Qt::AlignLeft);

    for (size_t i = 0; i < d.reihen.size(); ++i) {
        auto* s = new QLineSeries;
        s->setName(QString::fromUtf8(d.reihen[i]));
        s->setPen(QPen(qfarbe(darstellung::reihenfarbe(int(i))), 1.5));
        chart->addSeries(s);
        s->attachAxis(zeit);
        s->attachAxis(m_wertachse);
        m_reihen.push_back(s);
    }
    m_legende = new Legende(this, f);
    m_halbe_marke = QFontMetrics(f).height() / 2;
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
    m_zeit_titel = QString::fromUtf8(d.zeit_titel);
    beschreibung_setzen();
    connect(&Lernhilfen::einstellungen(), &Lernhilfen::geaendert, this, [this] {
        if (m_gelaufen) darstellen();
    });

    m_zellen.resize(m_reihen.size());
    for (auto& reihe : m_zellen) {
        reihe.reserve(std::max(m_zeilen, 0));
        for (int z = 1; z <= m_zeilen; ++z)
            reihe.append(QPointF(z, qQNaN()));
    }
    // Until the first run, which chooses the step for the plot's height.
    achse_einrichten(m_wertachse, 0, m_bis, darstellung::schritt(m_bis, m_wert_intervalle), f);
    kopf_setzen();
}

Diagrammfeld::~Diagrammfeld() = default;

void Diagrammfeld::massstab_setzen(double massstab) {
    const QFont f = schrift(normal, massstab);
    if (f == m_wertachse->labelsFont()) return;
    for (QValueAxis* a : {m_zeitachse, m_wertachse}) {
        a->setLabelsFont(f);
        a->setTitleFont(f);
    }
    m_legende->setFont(f);
    m_halbe_marke = QFontMetrics(f).height() / 2;
    m_gemessen = {};
}

void Diagrammfeld::neu_darstellen() {
    if (m_gelaufen)
        darstellen();
    else {
        kopf_setzen();
        m_gruppe->angleichen();
    }
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
    vergleich_zeichnen(p);
    const QRectF alles(QPointF(0, 0), QSizeF(viewport()->size()));
    scene()->render(&p, alles, mapToScene(viewport()->rect()).boundingRect());
    lernhilfen_zeichnen(p);
}

void Diagrammfeld::resizeEvent(QResizeEvent* e) {
    QChartView::resizeEvent(e);
    kopf_setzen();
    m_gruppe->angleichen();
}

QMargins Diagrammfeld::grundraender() const {
    // A chart may reach past its window's edge: the plot and the legend keep to what is seen,
    // so that the last tick label is not cut. The head stands above the plot, beside the half
    // of the top value label that reaches above it.
    int rechts = width();
    if (const QWidget* eltern = parentWidget()) rechts = std::min(rechts, eltern->width() - x());
    const int oben = std::max(2, int(std::ceil(m_kopf.lage.hoehe)) - m_halbe_marke);
    return QMargins(2, oben, 2 + std::max(0, width() - rechts), 2);
}

void Diagrammfeld::anordnen(QMargins extra, bool messen) {
    const QMargins r = grundraender() + extra;
    if (r != m_gesetzt) {
        chart()->setMargins(r);
        m_gesetzt = r;
        messen = true;
    }
    // A new size lays the chart out at once, with the margins just set: no second layout.
    if (chart()->size() != QSizeF(size())) {
        chart()->resize(size());
        return;
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

std::pair<double, double> Diagrammfeld::natuerliche_raender(bool vermuten) {
    // Where Qt puts the plot's left and right edges with the base margins; it changes only with
    // the size, the margins and the value axis's labels.
    const Anordnung jetzt = anordnung();
    m_vermutet = false;
    if (!(jetzt == m_gemessen)) {
        if (vermuten && jetzt.groesse == m_gemessen.groesse &&
            jetzt.raender == m_gemessen.raender) {
            // Only the value axis changed, whose labels are mostly as wide as before: the edges
            // as they were stand until the layout at the group's margins shows otherwise.
            m_vermutet = true;
        } else {
            // Qt gives the time axis at most 0.4 of the chart's height and elides its texts
            // beyond that: a chart built small (a low screen, a tall head) keeps its time labels
            // whole and leaves the axis title out instead, which the chart above names as well.
            m_zeitachse->setTitleVisible(true);
            anordnen({}, true);
            if (!m_zeitachse->titleText().isEmpty() && zeitachse_gekuerzt()) {
                m_zeitachse->setTitleVisible(false);
                anordnen({}, true);
            }
            const QRectF f = chart()->plotArea();
            m_natuerlich = {f.left(), f.right()};
            m_plothoehe = f.height();
            m_gemessen = anordnung();
        }
    }
    const double x = mapTo(window(), QPoint(0, 0)).x();
    return {x + m_natuerlich.first, x + m_natuerlich.second};
}

bool Diagrammfeld::angleichen(int links, int rechts) {
    const QMargins vorher = m_gesetzt;
    anordnen(QMargins(links, 0, rechts, 0), m_vermutet);
    if (m_vermutet) {
        // The extra room moves the plot's edges inwards by as much: what is left over is the
        // edge Qt gives the new labels alone.
        m_vermutet = false;
        const QRectF f = chart()->plotArea();
        const auto daneben = [](double a, double b) { return std::abs(a - b) > 1e-6; };
        if (daneben(f.left() - links, m_natuerlich.first) ||
            daneben(f.right() + rechts, m_natuerlich.second) || daneben(f.height(), m_plothoehe)) {
            m_gemessen = {}; // measured on the group's second try
            neu_zeichnen();
            return false;
        }
        m_gemessen = anordnung();
    }
    // The head follows the plot's width; where its height changes, the plot's does.
    if (kopf_setzen()) anordnen(QMargins(links, 0, rechts, 0));
    const QRectF f = chart()->plotArea();
    m_kopf.ursprung = QPointF(f.left(), f.top() - m_kopf.lage.hoehe);
    m_legende->setzen(m_kopf);
    m_legende->setVisible(!m_kopf.legende.empty());
    if (m_gesetzt != vorher) neu_zeichnen();
    return true;
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
    return pixel(QPointF(zeile, 0)).x();
}

QPointF Diagrammfeld::pixel(QPointF wert) const {
    if (m_reihen.empty()) return {};
    return chart()->mapToPosition(wert, m_reihen.front());
}

QList<QPointF> Diagrammfeld::punkte(int spalte) const {
    if (spalte < 1 || spalte > spaltenzahl()) return {};
    return m_reihen[size_t(spalte - 1)]->points();
}

void Diagrammfeld::lauf_abschliessen() {
    if (m_vergleich) { // the cells are shared until the next run writes into them
        if (m_gelaufen) {
            m_vorher = std::move(m_letzte);
            m_vorher_lauf = m_letzter_lauf;
        }
        m_letzte = m_zellen;
        m_letzter_lauf = m_lauf;
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

void Diagrammfeld::darstellen() {
    const bool vorher = vorher_sichtbar();
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
    if (vorher) ausdehnen(vergleich_zellen());
    m_kennwerte_gezeigt.reset();
    if (Lernhilfen::einstellungen().kennwerte()) kennwerte_rechnen();
    kopf_setzen();
    wertachse_einrichten(tief, hoch);
    m_gruppe->angleichen();
    beschreibung_setzen();
    // The curves, and with them perhaps the axis, are new: the chart is drawn anew as a whole.
    neu_zeichnen();
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

} // namespace shell
