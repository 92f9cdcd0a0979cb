#include "fensterplatz.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace darstellung {

namespace {
std::int64_t ueberdeckt(const rechteck& a, const rechteck& c) {
    const int b = std::min(a.rechts(), c.rechts()) - std::max(a.x, c.x);
    const int h = std::min(a.unten(), c.unten()) - std::max(a.y, c.y);
    return b > 0 && h > 0 ? std::int64_t(b) * h : 0;
}

// The window in a strip of the screen, at most as large as wished, centred on the page along
// the strip.
rechteck im_streifen(const rechteck& streifen, const rechteck& seite, const rechteck& wunsch) {
    rechteck r{0, 0, std::min(wunsch.b, streifen.b), std::min(wunsch.h, streifen.h)};
    const auto mitte = [](int von, int bis, int ziel, int laenge) {
        return std::clamp(ziel - laenge / 2, von, std::max(von, bis - laenge));
    };
    r.x = mitte(streifen.x, streifen.rechts(), seite.x + seite.b / 2, r.b);
    r.y = mitte(streifen.y, streifen.unten(), seite.y + seite.h / 2, r.h);
    return r;
}
} // namespace

rechteck fenster_platz(rechteck frei, rechteck seite, std::span<const rechteck> geschuetzt,
                       rechteck wunsch, rechteck mindestens) {
    const rechteck streifen[] = {
        {frei.x, seite.unten(), frei.b, frei.unten() - seite.unten()},    // below
        {frei.x, frei.y, frei.b, seite.y - frei.y},                       // above
        {seite.rechts(), frei.y, frei.rechts() - seite.rechts(), frei.h}, // right
        {frei.x, frei.y, seite.x - frei.x, frei.h},                       // left
    };
    const rechteck* bester = nullptr;
    rechteck platz;
    for (const rechteck& s : streifen) {
        if (s.b < mindestens.b || s.h < mindestens.h) continue;
        const rechteck r = im_streifen(s, seite, wunsch);
        if (!bester || r.b > platz.b || (r.b == platz.b && r.h > platz.h)) {
            bester = &s;
            platz = r;
        }
    }
    if (bester) return platz;
    // Over the page, at its minimum, where it hides least of what is worked with: every place
    // along the screen in steps of an eighth of the free area.
    rechteck r{0, 0, std::min(mindestens.b, frei.b), std::min(mindestens.h, frei.h)};
    std::int64_t wenigst = -1;
    rechteck best = r;
    for (int i = 0; i <= 8; ++i)
        for (int k = 0; k <= 8; ++k) {
            r.x = frei.x + (frei.b - r.b) * i / 8;
            r.y = frei.y + (frei.h - r.h) * k / 8;
            std::int64_t d = 0;
            for (const rechteck& g : geschuetzt)
                d += ueberdeckt(r, g);
            if (wenigst < 0 || d < wenigst) {
                wenigst = d;
                best = r;
            }
        }
    return best;
}

} // namespace darstellung
