// "Einstellhilfe": the two tuning methods of page 3 carried out, on the notebook's runs (method
// 1, the stability limit) and on the heating curve (method 2, the inflection tangent), with the
// page's factors. A proposal is what page 2's fields then run with.
#pragma once

#include "einstellen.h"
#include "protokollzeilen.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace darstellung {

struct vorschlag {
    double xp = 0, tn = 0, tv = 0; // the factors times the values as shown, exact to 1/1000
    // "P-Band = 1,7 × 20 K = 34 K", one line each, and what is taken over
    std::vector<std::string> zeilen;
    // Page 2's fields and their texts: whole numbers, rounded half away from zero
    std::vector<std::pair<std::string, std::string>> felder;
};

// Method 1: P-band 1.7 × the critical P-band, reset time 0.5 × the period there, derivative
// time 0.12 × the period.
vorschlag methode_1(double xp_krit, double periode_s, std::string_view komma);
// Method 2: P-band 0.85 × K, reset time 2 × L, derivative time 0.5 × L.
vorschlag methode_2(double k_k, double l_s, std::string_view komma);

// The row at the stability limit, among page 2's runs of a P controller (reset and derivative
// time 0) at the set-point of the latest of them: the one with the largest P-band whose run
// still oscillates (its figures find a period), where a run with a larger P-band no longer
// does; of several such rows the latest. None where the oscillation has not yet been seen to
// die away (then `warum` says what to run).
struct kritisch {
    const protokollzeile* zeile = nullptr;
    std::string warum;
};
kritisch kritische_zeile(std::span<const protokollzeile> zeilen);
// Whether a row can stand for the stability limit (a P controller's run with a period), and why
// not.
std::string als_kritisch_pruefen(const protokollzeile& z);

// What the stability limit's row is: "Lauf 5 an der Stabilitätsgrenze: P-Band = 20 K,
// Schwingungsdauer = 35,5 s"; and method 1's proposal from it.
std::string grenze_text(const protokollzeile& z, std::string_view komma);
vorschlag methode_1(const protokollzeile& z, std::string_view komma);

// Method 1 in the notebook: from the chosen row (where it can stand for the stability limit),
// else from the row found there; the line that names it and the proposal, or why there is none.
struct im_protokoll {
    std::string warum;
    std::string grenze;
    vorschlag v;
};
im_protokoll methode_1_im_protokoll(std::span<const protokollzeile> zeilen,
                                    const protokollzeile* gewaehlt, std::string_view komma);

// The heating curve's tangent for method 2, on the chart's run: x_0 the plant at rest.
std::optional<sim::wendetangente> heizkurven_tangente(std::span<const double> x);

} // namespace darstellung
