// The tuning methods' readings of a curve, each in double, in the order its definition is
// written, so that both faces and regler-sim agree to the last bit.
#pragma once

#include <optional>
#include <span>

namespace sim {

// Method 2, the tangent at the inflection point of a heating curve: x_0 the value at rest before
// heating starts, x_1 … x_n after each second. The inflection point is the first second i at
// which the rise s = x_i - x_(i-1) is largest; the tangent is the line through (i - 1, x_(i-1))
// and (i, x_i), t -> x_i + s * (t - i). L is where it reaches x_0: L = i - (x_i - x_0) / s; K is
// how far below x_0 it starts at t = 0: K = s * L. None for a curve that never rises.
struct wendetangente {
    int wendepunkt_s = 0;
    double wert = 0;     // x_i
    double steigung = 0; // K per second
    double l_s = 0;
    double k_k = 0;
    double bei(double t) const { return wert + steigung * (t - double(wendepunkt_s)); }
};
std::optional<wendetangente> wendetangente_berechnen(double x0, std::span<const double> x);

} // namespace sim
