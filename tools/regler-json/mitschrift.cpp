#include "mitschrift.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QWidget>
#include <cmath>
#include <map>

namespace {

// A paint engine that draws nothing and keeps what it is asked to draw, mapped to the device;
// text items on one baseline (a line split into runs) are joined.
class Mitschrift : public QPaintEngine {
public:
    Mitschrift() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    // A frame's border and its caption's ground (QPaintEngine hands whole-pixel rectangles on
    // to this one).
    using QPaintEngine::drawRects;
    void drawRects(const QRectF* r, int n) override {
        for (int i = 0; i < n; ++i)
            gemalt.kaesten.push_back(state->transform().mapRect(r[i]));
    }
    void drawTextItem(const QPointF& p, const QTextItem& t) override {
        const QPointF wo = state->transform().map(p);
        auto& [anfang, text] = m_zeilen[std::round(wo.y() * 4)];
        if (text.isEmpty() || wo.x() < anfang.x()) anfang = wo;
        text.append(t.text());
    }
    void drawLines(const QLineF* l, int n) override {
        const QTransform& t = state->transform();
        for (int i = 0; i < n; ++i)
            gemalt.striche.push_back({t.map(l[i]), state->pen().widthF() * t.m11()});
    }
    void drawPath(const QPainterPath& p) override {
        bool rund = false;
        for (int i = 0; i < p.elementCount(); ++i)
            rund |= p.elementAt(i).isCurveTo();
        gemalt.pfade.push_back({state->transform().mapRect(p.boundingRect()), rund});
    }
    Type type() const override { return User; }
    Gemalt fertig() {
        for (const auto& [y, zeile] : m_zeilen) {
            gemalt.anfaenge.push_back(zeile.first);
            gemalt.zeilen.append(zeile.second);
        }
        return std::move(gemalt);
    }

private:
    Gemalt gemalt;
    std::map<double, std::pair<QPointF, QString>> m_zeilen; // by baseline: its start, its text
};

class Mitschreiber : public QPaintDevice {
public:
    explicit Mitschreiber(QSize groesse) : m_groesse(groesse) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    Mitschrift& mitschrift() { return m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return m_groesse.width();
        case PdmHeight:
            return m_groesse.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1000;
        }
    }

private:
    QSize m_groesse;
    mutable Mitschrift m_engine;
};

} // namespace

Gemalt mitschreiben(QWidget& w, bool kinder) {
    Mitschreiber geraet(w.size());
    w.render(&geraet, QPoint(), QRegion(), kinder ? QWidget::DrawChildren : QWidget::RenderFlags());
    return geraet.mitschrift().fertig();
}
