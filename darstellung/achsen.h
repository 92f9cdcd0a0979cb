// The charts' value axis, one rule for the desktop and the browser: its range from a run's
// extent, a round step, and a coarser one until the labels fit the plot's height.
#pragma once

#include "kennwerte.h"

#include <span>
#include <utility>
#include <vector>

namespace darstellung {

// The largest round tick step (1, 2, 5 times a power of ten) that still gives at least
// `mindestens` intervals over `spanne`.
double schritt(double spanne, int mindestens);

// The next coarser round step: 1, 2, 5, 10, 20, …
double groeber(double schritt);

// A chart this many pixels high shows its value axis in 2 intervals, a taller one in 3.
int wert_intervalle(int hoehe_px);

// How many value labels an axis this high holds, each `markenhoehe` high with the 4 px above and
// below and the pixel between that the charts give it (2 at least).
int marken_platz(double achsenhoehe, double markenhoehe);

// Charts over one time span, each plot's left and right edge as laid out alone (in one
// coordinate system): the extra room each takes left and right so that all stand between the
// innermost edges, each second at the same pixel column.
std::vector<std::pair<double, double>>
zeitachsen_angleichen(std::span<const std::pair<double, double>> raender);

struct wertachse {
    double von = 0, bis = 0, schritt = 1;
};

// The value axis for a run's values from `tief` to `hoch`, on a chart whose stored extent is 0 to
// `bis`: 0 to `bis` where the run stays within, else widened to the next multiple of the step,
// never cut off; the largest round step with `intervalle` intervals, coarser until at most
// `platz` labels stand on the axis (`platz`: how many the plot's height holds).
wertachse wertachse_fuer(double tief, double hoch, double bis, int intervalle, int platz);

// The projector's value axis: a window around the set-point `w`, so that the figures' marks read
// large from the back of the room: the overshoot and the remaining deviation, 5 K at least, and a
// quarter more; whole steps as above.
wertachse projektor_achse(double w, const sim::kennwerte& k, int intervalle, int platz);

} // namespace darstellung
