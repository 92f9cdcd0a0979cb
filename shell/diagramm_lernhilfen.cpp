// A chart's learning aids: the figures drawn where they are measured with their summary in the
// head, the band of +-1 K, and the run before, dashed, named in the legend by what it differs in.
#include "diagrammfeld.h"
#include "texte.h"
#include "zahlen.h"

#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <cmath>

namespace shell {

QColor qfarbe(darstellung::farbe f);

namespace {
std::string komma() {
    return zahlformat().decimalPoint().toStdString();
}

// Width 1: Qt draws it dashed without building an outline of every dash; the tone keeps it
// visible.
QPen vorher_stift(int spalte) {
    return QPen(qfarbe(darstellung::vorher_farbe(darstellung::reihenfarbe(spalte))), 1,
                Qt::DashLine);
}

void pfeilspitze(QPainter& p, QPointF von, QPointF spitze) {
    const QPointF d = spitze - von;
    const double l = std::hypot(d.x(), d.y());
    if (l < 1) return;
    const QPointF e = d / l, n(-e.y(), e.x());
    const double lang = std::min(5.0, l / 2);
    p.drawLine(spitze, spitze - e * lang + n * lang * 0.5);
    p.drawLine(spitze, spitze - e * lang - n * lang * 0.5);
}
} // namespace

bool Diagrammfeld::vorher_sichtbar() const {
    return m_vergleich &&
           (m_fest || (!m_vorher.empty() && Lernhilfen::einstellungen().vorheriger_lauf()));
}

void Diagrammfeld::vergleich_setzen(std::vector<QList<QPointF>> zellen, darstellung::laufwerte lauf,
                                    const QString& titel) {
    if (!m_vergleich) return;
    zellen.resize(m_reihen.size());
    m_fest_zellen = std::move(zellen);
    m_fest_lauf = std::move(lauf);
    m_fest_titel = titel;
    m_fest = true;
    if (m_gelaufen) darstellen();
}

void Diagrammfeld::vergleich_loesen() {
    if (!m_fest) return;
    m_fest = false;
    m_fest_zellen.clear();
    if (m_gelaufen) darstellen();
}

QString Diagrammfeld::vorher_name() const {
    return vorher_sichtbar()
               ? QString::fromStdString(darstellung::laufname(vergleich_lauf(), komma()))
               : QString();
}

QList<QPointF> Diagrammfeld::vorher_punkte(int spalte) const {
    QList<QPointF> l;
    if (vorher_sichtbar() && spalte >= 1 && spalte <= spaltenzahl())
        for (const QPointF& p : vergleich_zellen()[size_t(spalte - 1)])
            if (std::isfinite(p.y())) l << p;
    return l;
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

QString Diagrammfeld::kennwert_bei(int zeile) const {
    return m_kennwerte_gezeigt ? naechster_kennwert(*m_kennwerte_gezeigt, zeile, zahlformat())
                               : QString();
}

bool Diagrammfeld::kopf_setzen() {
    Kopf k;
    if (m_kennwerte_gezeigt) k.kennwerte = kennwert_zeilen(m_kennwerte_gezeigt->k, zahlformat());
    for (const QLineSeries* r : m_reihen)
        k.legende.push_back({r->name(), {QPen(r->pen().color(), 2)}});
    // The run before in one entry, its dashed lines side by side in the series' order, then
    // (on the chart that names it) what it differs in.
    if (vorher_sichtbar()) {
        const QString name = m_fest ? m_fest_titel : QStringLiteral("vorher");
        Kopfeintrag vorher{m_vergleich_legende ? name + QLatin1Char(':') : name};
        for (size_t i = 0; i < m_reihen.size(); ++i)
            vorher.stifte.push_back(vorher_stift(int(i)));
        k.legende.push_back(vorher);
        if (m_vergleich_legende)
            for (const std::string& t :
                 darstellung::unterschiede(vergleich_lauf(), m_letzter_lauf, komma()))
                k.legende.push_back({QString::fromStdString(t)});
    }
    const double breite =
        chart()->plotArea().width() > 0 ? chart()->plotArea().width() : std::max(0, width() - 60);
    kopf_anordnen(k, breite, m_legende->font());
    k.ursprung = m_kopf.ursprung;
    const bool anders = k.lage.hoehe != m_kopf.lage.hoehe;
    m_kopf = std::move(k);
    return anders;
}

std::vector<std::pair<QPointF, QPointF>> Diagrammfeld::marken_pixel() const {
    std::vector<std::pair<QPointF, QPointF>> l;
    if (!m_kennwerte_gezeigt) return l;
    std::vector<double> x;
    for (const QPointF& p : m_zellen[size_t(m_ist - 1)])
        x.push_back(p.y());
    for (const darstellung::marke& m :
         darstellung::kennwert_marken(m_kennwerte_gezeigt->k, m_kennwerte_gezeigt->spitzen,
                                      m_kennwert_soll, x, m_wertachse->min()))
        l.emplace_back(pixel(QPointF(m.t0, m.y0)), pixel(QPointF(m.t1, m.y1)));
    return l;
}

void Diagrammfeld::vergleich_zeichnen(QPainter& p) const {
    const QRectF f = chart()->plotArea();
    if (m_kennwerte_gezeigt) { // the band lies beneath the curves, and shows beside the line
        const double mitte = pixel(QPointF(0, m_kennwert_soll)).y();
        const double halb = darstellung::band_halbe(
            std::abs(pixel(QPointF(0, m_kennwert_soll + 1)).y() - mitte), 0.75 + 2);
        const double oben = std::max(f.top(), mitte - halb);
        const double unten = std::min(f.bottom(), mitte + halb);
        if (unten > oben)
            p.fillRect(QRectF(f.left(), oben, f.width(), unten - oben), QColor(0, 0, 192, 40));
    }
    if (vorher_sichtbar()) { // beneath the last run, dashed and lighter
        p.save();
        p.setClipRect(f);
        for (size_t s = 0; s < vergleich_zellen().size(); ++s) {
            p.setPen(vorher_stift(int(s)));
            p.drawPolyline(linie(vergleich_zellen()[s], f));
        }
        p.restore();
    }
}

void Diagrammfeld::lernhilfen_zeichnen(QPainter& p) const {
    kennwerte_zeichnen(p, m_kopf, m_wertachse->labelsFont());
    if (!m_kennwerte_gezeigt) return;
    std::vector<double> x;
    for (const QPointF& q : m_zellen[size_t(m_ist - 1)])
        x.push_back(q.y());
    p.save();
    const QColor ist = m_reihen[size_t(m_ist - 1)]->pen().color();
    for (const darstellung::marke& m :
         darstellung::kennwert_marken(m_kennwerte_gezeigt->k, m_kennwerte_gezeigt->spitzen,
                                      m_kennwert_soll, x, m_wertachse->min())) {
        const QPointF a = pixel(QPointF(m.t0, m.y0)), b = pixel(QPointF(m.t1, m.y1));
        switch (m.art) {
        case darstellung::marke::punkt:
            p.setPen(QPen(ist, 1.2));
            p.setBrush(Qt::white);
            p.drawEllipse(a, 3.5, 3.5);
            break;
        case darstellung::marke::strich:
            p.setPen(QPen(QColor(60, 60, 60), 1, Qt::DotLine));
            p.drawLine(a, b);
            break;
        case darstellung::marke::mass:
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.drawLine(a, b);
            pfeilspitze(p, a, b);
            pfeilspitze(p, b, a);
            break;
        }
    }
    p.restore();
}

void Diagrammfeld::beschreibung_setzen() {
    std::vector<std::string> kennwerte;
    for (const QString& t : m_kopf.kennwerte)
        kennwerte.push_back(t.toStdString());
    const QString b = QString::fromStdString(darstellung::beschreibung(
        m_einheit.toStdString(), m_zeit_titel.toStdString(), vorher_name().toStdString(), kennwerte,
        darstellung::Gesicht::desktop));
    if (b != accessibleDescription()) setAccessibleDescription(b);
}

} // namespace shell
