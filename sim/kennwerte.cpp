#include "kennwerte.h"

#include <algorithm>
#include <cmath>

namespace sim {

kennwerte kennwerte_berechnen(double w, std::span<const double> x) {
    kennwerte k;
    const int n = int(x.size());
    if (n == 0) return k;
    const auto wert = [&x](int i) { return x[size_t(i - 1)]; }; // seconds from 1

    for (int i = 1; i <= n && !k.anregelzeit_s; ++i)
        if (wert(i) >= w) k.anregelzeit_s = i;

    const double hoechst = *std::max_element(x.begin(), x.end());
    if (hoechst - w > 0) {
        k.ueberschwingen_k = hoechst - w;
        for (int i = 1; i <= n && !k.zeit_maximum_s; ++i)
            if (wert(i) == hoechst) k.zeit_maximum_s = i;
    }

    // A peak rises above its left neighbour, is not below its right one, and lies above w.
    int erste = 0, letzte = 0, spitzen = 0;
    for (int i = 2; i <= n - 1; ++i)
        if (wert(i) > wert(i - 1) && wert(i) >= wert(i + 1) && wert(i) > w) {
            if (!spitzen) erste = i;
            letzte = i;
            ++spitzen;
        }
    if (spitzen >= 2) k.schwingungsdauer_s = double(letzte - erste) / double(spitzen - 1);

    if (std::abs(wert(n) - w) <= 1) {
        int i = n;
        while (i > 1 && std::abs(wert(i - 1) - w) <= 1)
            --i;
        k.ausregelzeit_s = i;
    }
    k.bleibende_abweichung_k = w - wert(n);
    return k;
}

} // namespace sim
