// What a chart writes as text, written once for the desktop and the browser: the step response's
// figures as the box names them, which figure stands nearest to a second, a read-out's number.
// Numbers with the digits 0 to 9 and the user's decimal separator (passed in), never grouped.
#pragma once

#include "kennwerte.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace darstellung {

// "Anregelzeit 16 s", "Überschwingen 16,3 K nach 26 s", "Schwingungsdauer 28,3 s",
// "Ausregelzeit (±1 K) —", "bleibende Abweichung −7,3 K": kelvins and the period with one
// decimal, seconds whole, "—" for none, a typographic minus, never "−0,0".
std::vector<std::string> kennwert_zeilen(const sim::kennwerte& k, std::string_view komma);

// The line of kennwert_zeilen whose figure stands nearest to second `zeile` (the earlier where
// two are as near; each peak stands for the period); -1 where no figure has a second.
int naechster_kennwert(const sim::kennwerte& k, std::span<const int> spitzen, int zeile);
// The same for each second 1 … n.
std::vector<int> naechste_kennwerte(const sim::kennwerte& k, std::span<const int> spitzen, int n);

// A read-out's number: up to two decimals without trailing zeros, never "-0": "66,28", "50".
std::string kurz(double v, std::string_view komma);

// A chart's series at a second, as the read-out names them: "Soll 50 °C · Ist 66,28 °C"; "–" for
// a cell without a number (NaN), and then no unit.
std::string ablesen(std::span<const std::string> namen, std::span<const double> werte,
                    std::string_view einheit, std::string_view komma);

// The read-out of a group of charts at a second: "t = 26 s · " and each chart's part; then, where
// shown, for each run compared a line of its beginning (`vergleiche[i].first`) and its parts, and
// a line with the nearest figures; `zeilenende` between the lines.
std::string ablesung(int zeile, std::span<const std::string> teile,
                     std::span<const std::pair<std::string, std::vector<std::string>>> vergleiche,
                     std::span<const std::string> kennwerte, std::string_view zeilenende = "\n");

// The figures' marks named on the plot, in kennwert_zeilen's order: "Anregelzeit 16 s",
// "Überschwingen 16,3 K", "Schwingungsdauer 28,3 s", "Ausregelzeit 150 s", "bleibende
// Abweichung −7,3 K".
std::vector<std::string> kennwert_namen(const sim::kennwerte& k, std::string_view komma);

} // namespace darstellung
