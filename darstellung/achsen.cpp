#include "achsen.h"

#include <algorithm>

#include <cmath>
#include <initializer_list>

namespace darstellung {

double schritt(double spanne, int mindestens) {
    if (!(spanne > 0)) return 1;
    const double basis = std::pow(10.0, std::floor(std::log10(spanne)));
    for (double b : {basis, basis / 10})
        for (double m : {10.0, 5.0, 2.0, 1.0})
            if (spanne / (m * b) >= mindestens) return m * b;
    return basis / 10;
}

double groeber(double st) {
    const double b = std::pow(10.0, std::floor(std::log10(st)));
    const double m = st / b;
    return m < 1.5 ? 2 * b : m < 3.5 ? 5 * b : 10 * b;
}

int wert_intervalle(int hoehe_px) {
    return hoehe_px < 150 ? 2 : 3;
}

wertachse wertachse_fuer(double tief, double hoch, double bis, int intervalle, int platz) {
    // Wide ranges meet coarse steps only: the loop ends once the labels (the steps' multiples
    // from `von` to `bis`) fit, or the step stops being a number.
    wertachse a;
    double st = schritt(hoch - tief, intervalle);
    for (;;) {
        a.von = tief < 0 ? std::floor(tief / st) * st : 0;
        a.bis = hoch > bis ? std::ceil(hoch / st) * st : bis;
        if (std::floor((a.bis - a.von) / st + 1e-9) + 1 <= platz || !std::isfinite(st)) break;
        st = groeber(st);
    }
    a.schritt = st;
    return a;
}

wertachse projektor_achse(double w, const sim::kennwerte& k, int intervalle, int platz) {
    const double d = 1.25 * std::max({5.0, k.ueberschwingen_k.value_or(0),
                                      std::abs(k.bleibende_abweichung_k.value_or(0))});
    wertachse a;
    double st = schritt(2 * d, intervalle);
    for (;;) {
        a.von = std::floor((w - d) / st) * st;
        a.bis = std::ceil((w + d) / st) * st;
        if (std::floor((a.bis - a.von) / st + 1e-9) + 1 <= platz || !std::isfinite(st)) break;
        st = groeber(st);
    }
    a.schritt = st;
    return a;
}

int marken_platz(double achsenhoehe, double markenhoehe) {
    return std::max(2, int(achsenhoehe / (markenhoehe + 2 * 4 + 1)));
}

std::vector<std::pair<double, double>>
zeitachsen_angleichen(std::span<const std::pair<double, double>> raender) {
    double links = -1e300, rechts = 1e300;
    for (const auto& [l, r] : raender) {
        links = std::max(links, l);
        rechts = std::min(rechts, r);
    }
    std::vector<std::pair<double, double>> extra;
    for (const auto& [l, r] : raender)
        extra.emplace_back(links - l, r - rechts);
    return extra;
}

} // namespace darstellung
