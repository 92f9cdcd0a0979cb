#include "kennwerte.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr double hysterese_k = 0.5;
constexpr double band_k = 1; // the settling band, w +- 1 K
constexpr double ruhe_k = 2; // the last quarter's span at which the curve counts as at rest
} // namespace

kennwerte kennwerte_berechnen(double w, std::span<const double> x) {
    kennwerte k;
    const int n = int(x.size());
    if (n == 0 || !(w > x[0])) return k;                        // no step up, nothing to measure
    const auto wert = [&x](int i) { return x[size_t(i - 1)]; }; // seconds from 1
    const int q = n / 4;

    for (int i = 1; i <= n && !k.anregelzeit_s; ++i)
        if (wert(i) >= w) k.anregelzeit_s = i;

    const double hoechst = *std::max_element(x.begin(), x.end());
    k.ueberschwingen_k = 0;
    if (hoechst - w > 0) {
        k.ueberschwingen_k = hoechst - w;
        for (int i = 1; i <= n && !k.zeit_maximum_s; ++i)
            if (wert(i) == hoechst) k.zeit_maximum_s = i;
    }

    const std::vector<int> p = spitzen(x);
    if (p.size() >= 3) k.schwingungsdauer_s = double(p.back() - p[1]) / double(int(p.size()) - 2);

    if (std::abs(wert(n) - w) <= band_k) {
        int i = n;
        while (i > 1 && std::abs(wert(i - 1) - w) <= band_k)
            --i;
        if (i <= n - q) k.ausregelzeit_s = i;
    }

    if (q >= 1) {
        const auto [tief, hoch] = std::minmax_element(x.end() - q, x.end());
        if (*hoch - *tief <= ruhe_k) k.bleibende_abweichung_k = w - wert(n);
    }
    return k;
}

std::vector<int> spitzen(std::span<const double> x) {
    std::vector<int> p;
    if (x.empty()) return p;
    bool steigend = false;
    double m = x[0], c = 0;
    int c_i = 0;
    for (int i = 1; i <= int(x.size()); ++i) {
        const double v = x[size_t(i - 1)];
        if (!steigend) {
            if (v < m) m = v;
            if (v - m >= hysterese_k) steigend = true, c = v, c_i = i;
        } else {
            if (v > c) c = v, c_i = i;
            if (c - v >= hysterese_k) p.push_back(c_i), steigend = false, m = v;
        }
    }
    return p;
}

} // namespace sim
