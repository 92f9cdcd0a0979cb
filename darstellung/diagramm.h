// How a chart shows its series and learning aids, one rule for the desktop and the browser: the
// series' colours and the run before's, the figures drawn where they are measured, and the head
// above the plot (figures' summary and legend), laid out from text widths that each face measures
// in its own font.
#pragma once

#include "kennwerte.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace darstellung {

struct farbe {
    int r = 0, g = 0, b = 0;
    bool operator==(const farbe&) const = default;
};

// The colour of a chart's series, by column from 0.
farbe reihenfarbe(int spalte);
// The contrast of two colours as the web's accessibility guidelines measure it, 1 to 21.
double kontrast(farbe a, farbe b);
// The run before's tone of a series colour, drawn dashed: as light as it may be while it keeps a
// contrast of 3:1 against white (a colour below that is darkened until it has it).
farbe vorher_farbe(farbe c);
// The tone of a run compared with the last one (`lauf` from 0), for a series: the first in the
// run before's tones, each further one in a hue of its own for all its series, none of them the
// series' colours, each with a contrast of 3:1 against white at least.
farbe vergleichsfarbe(size_t lauf, int spalte);

// A figure drawn where it is measured, in the chart's own units (seconds, values):
// a point is a peak's ring at (t0, y0); a dimension runs with arrowheads from (t0, y0) to (t1, y1);
// a mark is a dotted line from (t0, y0) to (t1, y1). `kennwert` is the line of kennwert_zeilen
// it stands for.
struct marke {
    enum art { punkt, mass, strich };
    art art = punkt;
    double t0 = 0, y0 = 0, t1 = 0, y1 = 0;
    int kennwert = 0;
};
// The marks of a run's figures: the rise time from the time axis (at `unten`) up to the curve,
// the overshoot from the set-point to the peak, one period from the second peak on, the settling
// time where the curve enters the band for good, the remaining deviation at the run's end, and
// a ring on every peak.
std::vector<marke> kennwert_marken(const sim::kennwerte& k, std::span<const int> spitzen, double w,
                                   std::span<const double> x, double unten);

// Lines of at most `platz` wide from pieces of the given widths, `luecke` between two on a line
// (a piece wider than the line stands alone): the index of each line's first piece.
std::vector<size_t> umbrechen(std::span<const double> breiten, double luecke, double platz);

// The head above the plot: the figures' summary left-aligned from the plot's left edge, below it
// the legend right-aligned to its right edge; nothing reaches left of the plot, where the top value
// label stands. Positions are the
// pieces' top left corners, x from the plot's left edge, y from the chart's top.
struct kopf {
    struct stelle {
        double x = 0, y = 0;
        bool operator==(const stelle&) const = default;
    };
    std::vector<stelle> kennwerte, legende;
    double legende_x = 0, legende_y = 0, legende_breite = 0, legende_hoehe = 0;
    double hoehe = 0; // from the chart's top to the plot's
    bool operator==(const kopf&) const = default;
};
// kennwerte: the summary's pieces (with `luecke_k` between two); legende: the legend's entries;
// `breite` the plot's width, `zeile` a line's height; the head begins `oben` below the chart's top.
kopf kopf_anordnen(std::span<const double> kennwerte, double luecke_k,
                   std::span<const double> legende, double breite, double zeile, double oben = 2);

// The band of +-1 K around the set-point, in pixels from the set-point line: never thinner than
// `mindestens` on either side, so that it shows beyond the line drawn over it.
double band_halbe(double pixel_je_kelvin, double mindestens);

// The program on the desktop, or in a browser: the browser's chart menu also copies a link that
// opens the page with the run shown (the desktop program has no address to link to).
enum class Gesicht { desktop, browser };

// Runs drawn to compare with: each one's title ("vorher", "Lauf 3") and name (all it ran with).
using laufnamen = std::vector<std::pair<std::string, std::string>>;

// What a screen reader is told of a chart: "°C über Zeit in Sekunden; Pfeiltasten lesen ab;
// Kontextmenü: Bild kopieren, …" (every entry of `menue`, without " …"); then, where shown, the
// runs compared and the figures.
std::string beschreibung(std::string_view einheit, std::string_view zeit_titel,
                         const laufnamen& laeufe, std::span<const std::string> kennwerte,
                         std::span<const std::string> menue);
// What a picture of the chart says it shows: "°C über Zeit in Sekunden: Soll, Ist", the runs
// compared, the figures; nothing of keys or menus.
std::string bildbeschreibung(std::string_view einheit, std::string_view zeit_titel,
                             std::span<const std::string> reihen, const laufnamen& laeufe,
                             std::span<const std::string> kennwerte);

} // namespace darstellung
