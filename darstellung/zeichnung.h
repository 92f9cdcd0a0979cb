// How a page's lines and shapes (elemente.h, in twips) become pixels at a page's scale: the
// desktop paints these numbers, regler-json writes them at full size for the browser.
#pragma once

#include "elemente.h"

#include <vector>

namespace darstellung::elemente {

// A line from (x1, y1) to (x2, y2), in pixels, `breite` pixels wide, with square caps, aliased.
struct Strich {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int breite = 1;
};

// The ends fall on whole pixels, or for odd widths in their middle, so that lines stay crisp; the
// width is rounded, at least one pixel.
Strich strich(const Linie& l, double massstab = 1);

// A shape in pixels: the outline's path (a rectangle, or the ellipse or rounded rectangle in it)
// and what is drawn along and in it.
struct Umriss {
    // The path lies inside the drawn area by half the outline's width, so that the outline does
    // too.
    double x = 0, y = 0, w = 0, h = 0;
    double radius = 0;     // a rounded rectangle's corners; 0 for the others
    double randbreite = 0; // the outline's pen (square caps, mitred); 0: no outline
    bool glatt = false;    // round shapes are drawn antialiased, straight ones pixel for pixel
    // Hatching: black lines `schraffurbreite` wide across the drawn area, from `links` to
    // `rechts`, at these heights, clipped to the path.
    double links = 0, rechts = 0;
    std::vector<double> schraffur;
    double schraffurbreite = 0;
};

// At a scale of twips_pro_pixel the numbers are the shape's twips.
Umriss umriss(const Form& f, double massstab = 1);

// A frame's caption interrupts its top border, which runs at half the caption's height; the
// caption stands 8 px in, with 2 px of room either side of its text. In pixels, for a caption
// `breite` wide and `hoehe` high in its font; without a caption (width 0) the border is at the
// top.
struct Rahmentitel {
    int oben = 0;
    int x = 0, w = 0, h = 0;
};
Rahmentitel rahmentitel(int breite, int hoehe);

} // namespace darstellung::elemente
