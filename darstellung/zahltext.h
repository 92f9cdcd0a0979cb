// Numbers as text for both faces: in the C locale's format, rounded from the double's exact value,
// the same on the desktop and in the browser.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace darstellung {

// printf's format `art` ('e', 'f' or 'g') with `stellen` digits, in the C locale.
std::string zahl_c(double v, char art, int stellen);

// `v` with `stellen` decimals, rounded half away from zero from the double's exact value, as
// school arithmetic rounds (28.25 to "28.3", -0.05 to "-0.1"); printf rounds a tie to even.
std::string gerundet(double v, int stellen);

// The fewest significant digits that read back as the same double, written out in full where
// the exponent is -4 to 20 ("50", "20.03961332478182", "0.0005"), else in exponent form
// ("1e-05").
std::string kuerzest(double v);

// A number written as kuerzest or zahl_c writes it (a decimal point, no grouping, nothing else);
// nothing for any other text, for infinity and NaN.
std::optional<double> zahl_lesen_c(std::string_view t);

// `t` with its decimal point replaced by the user's separator.
std::string mit_komma(std::string t, std::string_view komma);

} // namespace darstellung
