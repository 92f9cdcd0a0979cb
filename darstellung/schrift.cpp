#include "schrift.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace darstellung {

int schrift_px(double punkte, double massstab) {
    const double px = punkte * 96 / 72;
    return massstab == 1 ? int(std::lround(px)) : std::max(1, int(std::floor(px * massstab)));
}

namespace {
char32_t naechstes(std::string_view& t) {
    const auto b = [&](size_t i) { return char32_t(static_cast<unsigned char>(t[i])); };
    const char32_t c = b(0);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (t.size() < n) {
        t = {};
        return U'?';
    }
    char32_t z = n == 1 ? c : c & (0x7F >> n);
    for (size_t i = 1; i < n; ++i)
        z = (z << 6) | (b(i) & 0x3F);
    t.remove_prefix(n);
    return z;
}

int einheiten(std::span<const schriftdaten::zeichenbreite> tabelle, char32_t z) {
    const auto bei = [&](char32_t c) {
        const auto i = std::lower_bound(tabelle.begin(), tabelle.end(), c,
                                        [](const auto& e, char32_t x) { return e.zeichen < x; });
        return i != tabelle.end() && i->zeichen == c ? i->einheiten : -1;
    };
    const int b = bei(z);
    return b >= 0 ? b : bei(U'?');
}
} // namespace

double textbreite(std::string_view text, bool fett, int px) {
    const std::span<const schriftdaten::zeichenbreite> tabelle =
        fett ? std::span(schriftdaten::fett, schriftdaten::fett_anzahl)
             : std::span(schriftdaten::normal, schriftdaten::normal_anzahl);
    // FreeType's linear advance: font units at px * 64 / em in 16.16, cut to 26.6.
    long long summe = 0;
    while (!text.empty())
        summe += (long long)einheiten(tabelle, naechstes(text)) * px * 64 / schriftdaten::einheiten;
    return double(summe) / 64;
}

zeilenmass zeile_bei(int px) {
    // FreeType's scaled metrics in 26.6, cut down; Qt rounds them to whole pixels.
    const auto gerundet = [&](int e) {
        return int(((long long)e * px * 64 / schriftdaten::einheiten + 32) / 64);
    };
    return {gerundet(schriftdaten::aufstieg), gerundet(schriftdaten::abstieg)};
}

} // namespace darstellung
