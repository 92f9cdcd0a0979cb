#include "anzeige_malen.h"

#include <QFont>
#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <map>

namespace shell {

namespace {
QColor farbe(darstellung::farbe f, int deckung) {
    return QColor(f.r, f.g, f.b, deckung);
}

QPen stift(const darstellung::stil& s) {
    if (s.breite <= 0) return Qt::NoPen;
    QPen p(farbe(s.f, s.deckung), s.breite, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    if (!s.strich.empty()) { // Qt counts a pattern in widths of the pen
        QList<qreal> muster;
        for (double l : s.strich)
            muster << l / s.breite;
        p.setDashPattern(muster);
    }
    return p;
}

// A curve as its straight pieces, for the raster engine's line path, which Qt Charts draws its
// series with: several times faster than the general stroker a polyline of hundreds of points
// goes through. Points on one straight line are merged first, so that a level stretch is one
// line, without seams; the pieces get square caps, which close the corners between them, and
// the curve's two ends are pulled in by half the width, so that it ends flat as before. Pieces
// shorter than the width on average would overlap so much that their edges darken (many rows
// in a narrow chart): none then, and the curve is drawn as one line.
QList<QLineF> strecken(const std::vector<darstellung::punkt>& punkte, qreal halb) {
    QPolygonF zug;
    zug.reserve(qsizetype(punkte.size()));
    for (const auto& q : punkte) {
        const QPointF neu(q.x, q.y);
        const qsizetype n = zug.size();
        if (n >= 1 && zug[n - 1] == neu) continue;
        if (n >= 2) {
            const QPointF u = zug[n - 1] - zug[n - 2], v = neu - zug[n - 1];
            if (u.x() * v.y() == u.y() * v.x() && QPointF::dotProduct(u, v) > 0) {
                zug[n - 1] = neu;
                continue;
            }
        }
        zug << neu;
    }
    QList<QLineF> l;
    qreal laenge = 0;
    for (qsizetype i = 1; i < zug.size(); ++i) {
        l << QLineF(zug[i - 1], zug[i]);
        laenge += l.back().length();
    }
    if (laenge < 2 * halb * qreal(l.size())) return {};
    if (!l.isEmpty()) {
        if (const qreal n = l.front().length(); n > 2 * halb)
            l.front().setP1(l.front().pointAt(halb / n));
        if (const qreal n = l.back().length(); n > 2 * halb)
            l.back().setP2(l.back().pointAt(1 - halb / n));
    }
    return l;
}

// The pages' font at a pixel size, set as the pages set it: without shaping, so without kerning.
const QFont& schrift(int px, bool fett) {
    static std::map<std::pair<int, bool>, QFont> schriften;
    auto [i, neu] = schriften.try_emplace({px, fett}, QStringLiteral("MS Sans Serif"));
    if (neu) {
        i->second.setPixelSize(px);
        i->second.setBold(fett);
        i->second.setStyleStrategy(QFont::PreferNoShaping);
    }
    return i->second;
}
} // namespace

void anzeige_malen(QPainter& p, const darstellung::anzeige& a,
                   const std::vector<darstellung::element>& elemente) {
    using form = darstellung::element::form;
    const QRectF plot(a.plot.x, a.plot.y, a.plot.b, a.plot.h);
    // On paper and in vectors a curve stays one line.
    const bool raster = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster;
    for (const darstellung::element& e : elemente) {
        const darstellung::stil& s = a.stile.at(size_t(e.stil));
        p.save();
        if (e.im_plot) p.setClipRect(plot, Qt::IntersectClip);
        p.setPen(stift(s));
        p.setBrush(s.fuellung ? QBrush(farbe(*s.fuellung, s.fuellung_deckung)) : QBrush());
        switch (e.art) {
        case form::linie: {
            if (raster && s.breite > 1 && s.deckung == 255 && s.strich.empty())
                if (const QList<QLineF> l = strecken(e.punkte, s.breite / 2); !l.isEmpty()) {
                    QPen eckig = p.pen();
                    eckig.setCapStyle(Qt::SquareCap);
                    p.setPen(eckig);
                    p.drawLines(l);
                    break;
                }
            QPolygonF zug;
            zug.reserve(qsizetype(e.punkte.size()));
            for (const auto& q : e.punkte)
                zug << QPointF(q.x, q.y);
            p.drawPolyline(zug);
            break;
        }
        case form::flaeche: {
            const QRectF r(QPointF(e.punkte[0].x, e.punkte[0].y),
                           QPointF(e.punkte[1].x, e.punkte[1].y));
            if (s.fuellung) p.fillRect(r, p.brush());
            p.setBrush(Qt::NoBrush);
            if (s.breite > 0) p.drawRect(r);
            break;
        }
        case form::ring:
            p.drawEllipse(QPointF(e.punkte[0].x, e.punkte[0].y), e.mass, e.mass);
            break;
        case form::text:
            p.setFont(schrift(int(e.mass), e.fett));
            p.setPen(farbe(s.f, s.deckung));
            p.translate(e.punkte[0].x, e.punkte[0].y);
            if (e.senkrecht) p.rotate(-90);
            p.drawText(QPointF(0, 0), QString::fromStdString(e.text));
            break;
        }
        p.restore();
    }
}

} // namespace shell
