#include "zeilen.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QWidget>
#include <map>

namespace {

// A paint engine that draws nothing and keeps each text item with where it stands; items on
// one baseline (a line split into runs) are joined.
class Mitschrift : public QPaintEngine {
public:
    Mitschrift() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& p, const QTextItem& t) override {
        const QPointF wo = state->transform().map(p);
        m_zeilen[std::round(wo.y() * 4)].append(t.text());
    }
    Type type() const override { return User; }
    QStringList zeilen() const {
        QStringList z;
        for (const auto& [y, text] : m_zeilen)
            z.append(text);
        return z;
    }

private:
    std::map<double, QString> m_zeilen;
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

QStringList gemalte_zeilen(QWidget& w) {
    Mitschreiber geraet(w.size());
    w.render(&geraet, QPoint(), QRegion(), QWidget::DrawChildren);
    return geraet.mitschrift().zeilen();
}
