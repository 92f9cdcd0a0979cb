#include "anzeige_malen.h"

#include <QFont>
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
    for (const darstellung::element& e : elemente) {
        const darstellung::stil& s = a.stile.at(size_t(e.stil));
        p.save();
        if (e.im_plot) p.setClipRect(plot, Qt::IntersectClip);
        p.setPen(stift(s));
        p.setBrush(s.fuellung ? QBrush(farbe(*s.fuellung, s.fuellung_deckung)) : QBrush());
        switch (e.art) {
        case form::linie: {
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
