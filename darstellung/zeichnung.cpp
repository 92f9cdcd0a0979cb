#include "zeichnung.h"

#include <algorithm>
#include <cmath>

namespace darstellung::elemente {

Strich strich(const Linie& l, double massstab) {
    // Halves round up, as Qt's qRound does.
    const int breite = std::max(1, int(std::floor(l.breite * massstab + 0.5)));
    const double mitte = breite % 2 ? 0.5 : 0;
    const auto px = [&](int twips) {
        return std::round(twips * massstab / twips_pro_pixel) + mitte;
    };
    return {px(l.a.x), px(l.a.y), px(l.b.x), px(l.b.y), breite};
}

Rahmentitel rahmentitel(int breite, int hoehe) {
    if (breite <= 0) return {};
    return {hoehe / 2, 8, breite + 4, hoehe};
}

Umriss umriss(const Form& f, double massstab) {
    const Rect g = gezeichnete_flaeche(f);
    const auto px = [&](double twips) { return twips * massstab / twips_pro_pixel; };
    Umriss u;
    const double rb = f.rand ? f.randbreite * twips_pro_pixel : 0; // twips
    u.x = px(g.x + rb / 2);
    u.y = px(g.y + rb / 2);
    u.w = px(g.w - rb);
    u.h = px(g.h - rb);
    if (f.art == FormArt::RundesRechteck) u.radius = px(std::min(g.w, g.h) / 4.0);
    u.randbreite = px(rb);
    u.glatt = f.art == FormArt::Kreis || f.art == FormArt::RundesRechteck;
    if (f.schraffiert) {
        // Every 8 pixels, from the middle of the fifth pixel row down.
        constexpr int schritt = 8 * twips_pro_pixel;
        u.links = px(g.x);
        u.rechts = px(g.x + g.w);
        for (double y = g.y + schritt / 2 + twips_pro_pixel / 2.0; y < g.y + g.h; y += schritt)
            u.schraffur.push_back(px(y));
        u.schraffurbreite = px(twips_pro_pixel);
    }
    return u;
}

} // namespace darstellung::elemente
