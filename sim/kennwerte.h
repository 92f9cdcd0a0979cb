// The figures of a step response, read off a run's actual values against its set-point: what a
// learner would otherwise measure on the curves. Each in double, in the order its definition is
// written, so that the results are exact.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace sim {

struct kennwerte {
    std::optional<int> anregelzeit_s;             // first second with x >= w
    double ueberschwingen_k = 0;                  // max x - w where above 0, else 0
    std::optional<int> zeit_maximum_s;            // first second at max x; none without overshoot
    std::optional<double> schwingungsdauer_s;     // mean distance of the peaks above w, from 2 on
    std::optional<int> ausregelzeit_s;            // first second from which x stays within w +- 1 K
    std::optional<double> bleibende_abweichung_k; // w - x at the last second
};

// x[0] is the actual value after second 1, x[n-1] after second n. Nothing for an empty run.
kennwerte kennwerte_berechnen(double w, std::span<const double> x);

// The seconds of the peaks the period is measured between: x rises to them from the second
// before, is not higher the second after, and lies above w there.
std::vector<int> spitzen(double w, std::span<const double> x);

} // namespace sim
