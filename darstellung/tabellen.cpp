#include "tabellen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace darstellung {

namespace {
// A double as text in the C locale, in printf's format `art` ('e', 'f' or 'g') with `stellen`
// digits: to_chars where the library has it for doubles (no locale), else printf (in the C
// locale a WebAssembly program never leaves). Both round the double's exact value.
std::string text(double v, char art, int stellen) {
    char puffer[400];
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    const auto format = art == 'e'   ? std::chars_format::scientific
                        : art == 'f' ? std::chars_format::fixed
                                     : std::chars_format::general;
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, v, format, stellen);
    return fehler == std::errc{} ? std::string(puffer, ende) : std::string();
#else
    const char muster[] = {'%', '.', '*', art, '\0'};
    const int n = std::snprintf(puffer, sizeof puffer, muster, stellen, v);
    return n > 0 && n < int(sizeof puffer) ? std::string(puffer, size_t(n)) : std::string();
#endif
}

double lesen(const std::string& t) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
#else
    return std::strtod(t.c_str(), nullptr);
#endif
}

// The fewest significant digits that read back as the same double, written out in full where
// the exponent is -4 to 20 ("50", "20.039613324781817", "0.0005") and in exponent form
// otherwise ("1e-05", "2.5e+21").
std::string kuerzest(double v) {
    std::string e;
    int stellen = 1;
    for (; stellen <= 17; ++stellen) {
        e = text(v, 'e', stellen - 1);
        if (lesen(e) == v) break;
    }
    const int exponent = std::atoi(e.c_str() + e.find('e') + 1);
    if (exponent >= -4 && exponent < 21) return text(v, 'f', std::max(0, stellen - 1 - exponent));
    return e;
}

std::string mit_komma(std::string t, std::string_view komma) {
    if (const auto punkt = t.find('.'); punkt != std::string::npos) t.replace(punkt, 1, komma);
    return t;
}

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
                t += mit_komma(text(v, 'g', 15), komma);
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
