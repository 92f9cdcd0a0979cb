#pragma once

#include "seite.h"

#include <QPointF>
#include <vector>

class QPainter;

namespace seiten {

std::vector<shell::Element> seite_3_elemente();

// The example drawing of the tangent construction in Picture1: a heating curve fitted to the
// overlay of the element table, in twips relative to the picture box.
struct Tangentenbild {
    QPointF anfang;      // the curve leaves the ambient level here, flat
    QPointF wendepunkt;  // on the tangent, where the curve touches it and turns
    double steigung = 0; // of the tangent, twips per twip
    QPointF ursprung;    // 0 s, 0 °C
    double twips_pro_sekunde = 0;
    double twips_pro_grad = 0;

    double x_von_zeit(double s) const { return ursprung.x() + s * twips_pro_sekunde; }
    double y_von_grad(double c) const { return ursprung.y() - c * twips_pro_grad; }
    double zeit(double x) const { return (x - ursprung.x()) / twips_pro_sekunde; }
    double grad(double y) const { return (ursprung.y() - y) / twips_pro_grad; }

    // The curve's height at x, from the start of the time axis on.
    double kurve(double x) const;
    // The curve from 0 to 80 s as a polyline.
    std::vector<QPointF> kurvenzug() const;
    void zeichnen(QPainter& p) const;
};

// Built from the overlay lines and the circle of the element table.
Tangentenbild tangentenbild();

// "3. Kaskadenregler mit Simulation", beside the heating curve of tuning method 2.
class seite_3 : public shell::Seitenfenster {
    Q_OBJECT
public:
    explicit seite_3(shell::Navigator& nav);

    void start_Click();

protected:
    void Form_Load() override;
};

} // namespace seiten
