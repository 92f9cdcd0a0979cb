#include "fensterplatz.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace darstellung {

namespace {
std::int64_t ueberdeckt(const fensterrechteck& a, const fensterrechteck& c) {
    const int b = std::min(a.rechts(), c.rechts()) - std::max(a.x, c.x);
    const int h = std::min(a.unten(), c.unten()) - std::max(a.y, c.y);
    return b > 0 && h > 0 ? std::int64_t(b) * h : 0;
}

// The window in a strip of the screen, at most as large as wished, centred on the page along
// the strip.
fensterrechteck im_streifen(const fensterrechteck& streifen, const fensterrechteck& seite,
                            const fensterrechteck& wunsch) {
    fensterrechteck r{0, 0, std::min(wunsch.b, streifen.b), std::min(wunsch.h, streifen.h)};
    const auto mitte = [](int von, int bis, int ziel, int laenge) {
        return std::clamp(ziel - laenge / 2, von, std::max(von, bis - laenge));
    };
    r.x = mitte(streifen.x, streifen.rechts(), seite.x + seite.b / 2, r.b);
    r.y = mitte(streifen.y, streifen.unten(), seite.y + seite.h / 2, r.h);
    return r;
}
} // namespace

fensterrechteck fenster_platz(fensterrechteck frei, fensterrechteck seite,
                              std::span<const fensterrechteck> geschuetzt, fensterrechteck wunsch,
                              fensterrechteck mindestens) {
    const fensterrechteck streifen[] = {
        {frei.x, seite.unten(), frei.b, frei.unten() - seite.unten()},    // below
        {frei.x, frei.y, frei.b, seite.y - frei.y},                       // above
        {seite.rechts(), frei.y, frei.rechts() - seite.rechts(), frei.h}, // right
        {frei.x, frei.y, seite.x - frei.x, frei.h},                       // left
    };
    const fensterrechteck* bester = nullptr;
    fensterrechteck platz;
    for (const fensterrechteck& s : streifen) {
        if (s.b < mindestens.b || s.h < mindestens.h) continue;
        const fensterrechteck r = im_streifen(s, seite, wunsch);
        if (!bester || r.b > platz.b || (r.b == platz.b && r.h > platz.h)) {
            bester = &s;
            platz = r;
        }
    }
    if (bester) return platz;
    // Over the page, at its minimum, where it hides least of what is worked with: every place
    // along the screen in steps of an eighth of the free area.
    fensterrechteck r{0, 0, std::min(mindestens.b, frei.b), std::min(mindestens.h, frei.h)};
    std::int64_t wenigst = -1;
    fensterrechteck best = r;
    for (int i = 0; i <= 8; ++i)
        for (int k = 0; k <= 8; ++k) {
            r.x = frei.x + (frei.b - r.b) * i / 8;
            r.y = frei.y + (frei.h - r.h) * k / 8;
            std::int64_t d = 0;
            for (const fensterrechteck& g : geschuetzt)
                d += ueberdeckt(r, g);
            if (wenigst < 0 || d < wenigst) {
                wenigst = d;
                best = r;
            }
        }
    return best;
}

} // namespace darstellung
