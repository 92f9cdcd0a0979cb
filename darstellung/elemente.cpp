#include "elemente.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace darstellung::elemente {

namespace {
int vorzeichen(int v) {
    return (v > 0) - (v < 0);
}
} // namespace

Feld feld(int seite, const char* id, Rect r, const char* in) {
    const parameter* p = parameter_von(seite, id);
    assert(p);
    return {.name = p->id, .r = r, .regeln = p, .in = in};
}

Pfeilspitze pfeilspitze(Punkt von, Punkt spitze, Farbe farbe, int breite) {
    constexpr int l = 120;
    const int dx = vorzeichen(spitze.x - von.x);
    const int dy = vorzeichen(spitze.y - von.y);
    const Punkt fuss{spitze.x - l * dx, spitze.y - l * dy};
    // Perpendicular to the shaft: (-dy, dx).
    const Punkt links{fuss.x - l * dy, fuss.y + l * dx};
    const Punkt rechts{fuss.x + l * dy, fuss.y - l * dx};
    return {Linie{links, spitze, farbe, breite}, Linie{rechts, spitze, farbe, breite}};
}

std::vector<Linie> alle_linien(const std::vector<Element>& tabelle) {
    std::vector<Linie> linien;
    for (const Element& e : tabelle) {
        if (const auto* l = std::get_if<Linie>(&e)) {
            linien.push_back(*l);
        } else if (const auto* p = std::get_if<Pfeil>(&e)) {
            const auto& pt = p->punkte;
            for (size_t i = 1; i < pt.size(); ++i)
                linien.push_back(Linie{pt[i - 1], pt[i], p->farbe, p->breite, p->in});
            if (pt.size() >= 2) {
                auto kopf = pfeilspitze(pt[pt.size() - 2], pt.back(), p->farbe, p->breite);
                kopf.links.in = kopf.rechts.in = p->in;
                linien.push_back(kopf.links);
                linien.push_back(kopf.rechts);
            }
        }
    }
    return linien;
}

std::optional<Farbe> text_grund(const Text& t) {
    return t.art == Art::Kasten && !t.grund ? grau : t.grund;
}

bool text_rand(const Text& t) {
    return t.rand || t.art == Art::Kasten;
}

Rect gezeichnete_flaeche(const Form& f) {
    if (f.art != FormArt::Quadrat && f.art != FormArt::Kreis) return f.r;
    const int s = std::min(f.r.w, f.r.h);
    return Rect{f.r.x + (f.r.w - s) / 2, f.r.y + (f.r.h - s) / 2, s, s};
}

Rect in_pixeln(const Rect& r, double massstab) {
    if (massstab == 1)
        return Rect{r.x / twips_pro_pixel, r.y / twips_pro_pixel, r.w / twips_pro_pixel,
                    r.h / twips_pro_pixel};
    // Halves round up, as Qt's qRound does.
    const auto px = [&](int twips) {
        return int(std::floor(twips * massstab / twips_pro_pixel + 0.5));
    };
    const int x = px(r.x), y = px(r.y);
    return Rect{x, y, px(r.x + r.w) - x, px(r.y + r.h) - y};
}

namespace {

// The distance of a point from a rectangle (0 inside it).
double abstand(double x, double y, const Rect& r) {
    const double dx = std::max({r.x - x, 0.0, x - (r.x + r.w)});
    const double dy = std::max({r.y - y, 0.0, y - (r.y + r.h)});
    return std::hypot(dx, dy);
}

bool fingergerecht(const std::vector<Rect>& ziele, double m) {
    constexpr double kreis = 24;
    const auto klein = [&](const Rect& r) { return r.w * m < kreis || r.h * m < kreis; };
    for (size_t i = 0; i < ziele.size(); ++i) {
        const Rect& a = ziele[i];
        if (!klein(a)) continue;
        const double ax = a.x + a.w / 2.0, ay = a.y + a.h / 2.0;
        for (size_t j = 0; j < ziele.size(); ++j) {
            const Rect& b = ziele[j];
            if (j == i) continue;
            if (abstand(ax, ay, b) * m < kreis / 2) return false;
            if (klein(b) && std::hypot(b.x + b.w / 2.0 - ax, b.y + b.h / 2.0 - ay) * m < kreis)
                return false;
        }
    }
    return true;
}

} // namespace

double kleinster_massstab_fuer_finger(const std::vector<Rect>& ziele) {
    // In hundredths, as the page's scale is shown; a page that a finger can use at one scale
    // can use it at every larger one.
    int hundertstel = 100;
    while (hundertstel > std::lround(kleinster_massstab * 100) &&
           fingergerecht(ziele, (hundertstel - 1) / 100.0))
        --hundertstel;
    return hundertstel / 100.0;
}

} // namespace darstellung::elemente
