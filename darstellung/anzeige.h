// A chart as a list of what to draw, which both faces paint as it stands: lines, surfaces, rings
// and texts at their places in the chart's pixels, each in a style of the list's own table.
#pragma once

#include "diagramm.h"

#include <optional>
#include <string>
#include <vector>

namespace darstellung {

struct punkt {
    double x = 0, y = 0;
    bool operator==(const punkt&) const = default;
};

struct rechteck {
    double x = 0, y = 0, b = 0, h = 0;
    double rechts() const { return x + b; }
    double unten() const { return y + h; }
    bool enthaelt(punkt p) const {
        return p.x >= x && p.x <= rechts() && p.y >= y && p.y <= unten();
    }
    bool schneidet(const rechteck& r) const {
        return x < r.rechts() && r.x < rechts() && y < r.unten() && r.y < unten();
    }
    bool operator==(const rechteck&) const = default;
};

// A line's colour and opacity, its width and dash pattern (dash and gap lengths in pixels, in
// turn; none: solid), a surface's fill. Lines end flat and join round.
struct stil {
    farbe f;
    int deckung = 255;
    double breite = 1; // 0: no line
    std::vector<double> strich;
    std::optional<farbe> fuellung;
    int fuellung_deckung = 255;
    bool operator==(const stil&) const = default;
};

struct element {
    enum class form { linie, flaeche, ring, text };
    form art = form::linie;
    int stil = 0; // an index into anzeige::stile; a text is drawn in its line's colour
    // linie: the polyline; flaeche: its top left and bottom right corner; ring: its centre; text:
    // where its baseline starts
    std::vector<punkt> punkte;
    double mass = 0;      // ring: its radius; text: the font's pixel size
    bool im_plot = false; // clipped to the plot
    std::string text;
    bool fett = false;
    bool senkrecht = false; // a text turned a quarter to the left, read upwards
    bool operator==(const element&) const = default;
};

struct anzeige {
    double breite = 0, hoehe = 0;
    rechteck plot;
    std::vector<stil> stile;
    // What stands until the run, the aids, the size or the scale change: painted once into a
    // picture, which the screen shows.
    std::vector<element> bild;
    // Over it: the read-out cursor and the focus frame.
    std::vector<element> oben;
    bool operator==(const anzeige&) const = default;
};

// The list as JSON (numbers to 1/1000 px), for holding the faces' lists against each other.
std::string anzeige_json(const anzeige& a);

} // namespace darstellung
