#include "zahltext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace darstellung {

// to_chars where the library has it for doubles (no locale), else printf (in the C locale a
// WebAssembly program never leaves).
std::string zahl_c(double v, char art, int stellen) {
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

std::string gerundet(double v, int stellen) {
    if (!std::isfinite(v)) return zahl_c(v, 'f', stellen);
    // Every double's decimal expansion ends within 1074 places: this one is exact, and the first
    // digit cut off decides (5 followed by anything is at least half).
    char puffer[1500];
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    const auto [e, fehler] =
        std::to_chars(puffer, puffer + sizeof puffer, std::abs(v), std::chars_format::fixed, 1075);
    const int n = fehler == std::errc{} ? int(e - puffer) : 0;
#else
    const int n = std::snprintf(puffer, sizeof puffer, "%.1075f", std::abs(v));
#endif
    if (n <= 0 || n >= int(sizeof puffer)) return zahl_c(v, 'f', stellen);
    std::string t(puffer, size_t(n));
    const size_t punkt = t.find('.');
    const size_t ende = punkt + 1 + size_t(std::max(stellen, 0));
    const bool auf = t[ende] >= '5';
    t.resize(stellen > 0 ? ende : punkt);
    if (auf)
        for (size_t i = t.size();; --i) {
            if (i == 0) {
                t.insert(t.begin(), '1');
                break;
            }
            char& c = t[i - 1];
            if (c == '.') continue;
            if (c != '9') {
                ++c;
                break;
            }
            c = '0';
        }
    return v < 0 ? "-" + t : t;
}

namespace {
double lesen(const std::string& t) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
#else
    return std::strtod(t.c_str(), nullptr);
#endif
}
} // namespace

std::string kuerzest(double v) {
    std::string e;
    int stellen = 1;
    for (; stellen <= 17; ++stellen) {
        e = zahl_c(v, 'e', stellen - 1);
        if (lesen(e) == v) break;
    }
    const int exponent = std::atoi(e.c_str() + e.find('e') + 1);
    if (exponent >= -4 && exponent < 21) return zahl_c(v, 'f', std::max(0, stellen - 1 - exponent));
    return e;
}

std::optional<double> zahl_lesen_c(std::string_view t) {
    const auto zulaessig = [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e';
    };
    if (t.empty() || t.size() > 64 || !std::all_of(t.begin(), t.end(), zulaessig)) return {};
    const std::string s(t);
    char* ende = nullptr;
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    double v = 0;
    const auto [p, fehler] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (fehler != std::errc{} || p != s.data() + s.size()) return {};
    (void)ende;
#else
    const double v = std::strtod(s.c_str(), &ende);
    if (ende != s.c_str() + s.size()) return {};
#endif
    if (!std::isfinite(v)) return {};
    return v;
}

std::string mit_komma(std::string t, std::string_view komma) {
    if (const auto punkt = t.find('.'); punkt != std::string::npos) t.replace(punkt, 1, komma);
    return t;
}

} // namespace darstellung
