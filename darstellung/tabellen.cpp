#include "tabellen.h"

#include "zahltext.h"

#include <algorithm>
#include <cmath>

namespace darstellung {

namespace {
int zeilenzahl(std::span<const std::vector<double>> spalten) {
    size_t n = 0;
    for (const auto& s : spalten)
        n = std::max(n, s.size());
    return int(n);
}

double zelle(std::span<const std::vector<double>> spalten, size_t s, int z) {
    return size_t(z) < spalten[s].size() ? spalten[s][size_t(z)] : NAN;
}
} // namespace

std::string tsv_text(std::span<const std::string> reihen,
                     std::span<const std::vector<double>> spalten, std::string_view komma) {
    std::string t = "t in s";
    for (const std::string& r : reihen)
        t += '\t' + r;
    t += '\n';
    const int n = zeilenzahl(spalten);
    for (int z = 0; z < n; ++z) {
        t += std::to_string(z + 1);
        for (size_t s = 0; s < spalten.size(); ++s) {
            t += '\t';
            if (const double v = zelle(spalten, s, z); std::isfinite(v))
                t += mit_komma(zahl_c(v, 'g', 15), komma);
        }
        t += '\n';
    }
    return t;
}

std::string csv_text(std::span<const std::string> reihen, std::string_view einheit,
                     std::span<const std::vector<double>> spalten, std::string_view komma) {
    const bool dezimalkomma = komma == ",";
    const char trenner = dezimalkomma ? ';' : ',';
    std::string t = "Zeit in s";
    for (const std::string& r : reihen) {
        t += trenner + r;
        if (!einheit.empty()) t += " in " + std::string(einheit);
    }
    t += "\r\n";
    const int n = zeilenzahl(spalten);
    for (int z = 0; z < n; ++z) {
        t += std::to_string(z + 1);
        for (size_t s = 0; s < spalten.size(); ++s) {
            t += trenner;
            if (const double v = zelle(spalten, s, z); std::isfinite(v))
                t += dezimalkomma ? mit_komma(kuerzest(v), ",") : kuerzest(v);
        }
        t += "\r\n";
    }
    return t;
}

} // namespace darstellung
