// The figures of a step response, read off a run's actual values against its set-point: what a
// learner would otherwise measure on the curves. Each in double, in the order its definition is
// written, so that the results are exact.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace sim {

// x_1 … x_n are the actual values, w the set-point, q = n / 4 the run's last quarter. They
// describe a step upward: where w is not above x_1, every figure is none.
struct kennwerte {
    std::optional<int> anregelzeit_s;         // first second with x >= w
    std::optional<double> ueberschwingen_k;   // max x - w where above 0, else 0
    std::optional<int> zeit_maximum_s;        // first second at max x; none without overshoot
    std::optional<double> schwingungsdauer_s; // (P_k - P_2) / (k - 2) over the peaks, k >= 3
    std::optional<int> ausregelzeit_s; // from here on within w +- 1 K, for q seconds at least
    std::optional<double> bleibende_abweichung_k; // w - x_n, once the last quarter spans <= 2 K
    bool operator==(const kennwerte&) const = default;
};

// x[0] is the actual value after second 1, x[n-1] after second n. Nothing for an empty run.
kennwerte kennwerte_berechnen(double w, std::span<const double> x);

// The seconds of the curve's maxima, with a hysteresis of 0.5 K: a maximum counts once the curve
// has risen 0.5 K above the minimum before it and fallen 0.5 K below it again; a flat top is
// named by its first second. The first one is the step's overshoot; the period is measured
// between the ones after it.
std::vector<int> spitzen(std::span<const double> x);

} // namespace sim
