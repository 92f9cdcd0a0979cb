// The name a run is shown by as the run before (legend, read-out), from the fields as it ran:
// each value after "=", so that "Nachlauf. 1 = 0 s" never reads as "10 s"; six significant
// digits with the user's decimal separator.
#pragma once

#include <string>
#include <string_view>

namespace darstellung {

// "P-Band = 20 K, Nachlaufzeit = 40 s, Vorhaltzeit = 0 s"
std::string laufname_pid(double xp, double tn, double tv, std::string_view komma);

// "Verstärkung = 1, Nachlauf. 1 = 0 s, Vorhalt. 1 = 0 s, P-Band 2 = 0 K, Vorhalt. 2 = 0 s,
// Max.Diff = 50 K"
std::string laufname_kaskade(double v1, double tn1, double tv1, double xp2, double tv2,
                             double maxdiff, std::string_view komma);

} // namespace darstellung
