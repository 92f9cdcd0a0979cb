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

    const std::vector<int> p = spitzen(w, x);
    if (p.size() >= 2)
        k.schwingungsdauer_s = double(p.back() - p.front()) / double(int(p.size()) - 1);

    if (std::abs(wert(n) - w) <= 1) {
        int i = n;
        while (i > 1 && std::abs(wert(i - 1) - w) <= 1)
            --i;
        k.ausregelzeit_s = i;
    }
    k.bleibende_abweichung_k = w - wert(n);
    return k;
}

std::vector<int> spitzen(double w, std::span<const double> x) {
    std::vector<int> p;
    for (size_t i = 1; i + 1 < x.size(); ++i)
        if (x[i] > x[i - 1] && x[i] >= x[i + 1] && x[i] > w) p.push_back(int(i) + 1);
    return p;
}

} // namespace sim
