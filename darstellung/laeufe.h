// What a run ran with, as the legend and the read-out name it once it is the run before: each
// value after "=", so that "Nachlauf. 1 = 0 s" never reads as "10 s"; six significant digits with
// the user's decimal separator.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace darstellung {

struct laufwert {
    const char* name = "";
    double wert = 0;
    const char* einheit = "";
};
using laufwerte = std::vector<laufwert>;

// A page's run values (page 2: the PID run, page 3: the cascade) from numbers in the order of its
// fields' table (parameter.h), set-point first; missing ones 0.
laufwerte seiten_laufwerte(int seite, std::span<const double> werte);

// "Sollwert = 50 °C, P-Band = 20 K, Nachlaufzeit = 40 s, Vorhaltzeit = 0 s"
std::string laufname(const laufwerte& l, std::string_view komma);

// What the legend says of the run before: its values where they differ from this run's, in
// their order, each but the last ending in ","; "gleiche Werte" where none differs. Pieces, so
// that a narrow chart wraps between them.
std::vector<std::string> unterschiede(const laufwerte& vorher, const laufwerte& jetzt,
                                      std::string_view komma);

} // namespace darstellung
