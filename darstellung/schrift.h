// The pages' font, measured in the core for both faces: Liberation Sans (the files the desktop
// embeds), its advances and line metrics as tools/schriften.py reads them from those files at
// build time. The desktop lays Latin text out without shaping and kerning, each glyph at its
// advance cut down to 1/64 px at the font's pixel size; so does this, to the bit.
#pragma once

#include <cstddef>
#include <string_view>

namespace darstellung {

// A font size in points (8.25: the pages' 11 px at 96 dpi) at a page's scale: rounded at full
// size; on any other scale rounded down, never up, so that a text stays in its box.
int schrift_px(double punkte, double massstab);

// The width of a line of UTF-8 text in pixels at `px`. A character the font lacks counts as
// the font's own stand-in for it would: as wide as "?".
double textbreite(std::string_view text, bool fett, int px);

// A line of the font at `px`: the ascent and descent rounded as FreeType rounds a TrueType
// font's, and their sum, a line's height.
struct zeilenmass {
    int aufstieg = 0, abstieg = 0;
    int hoehe() const { return aufstieg + abstieg; }
};
zeilenmass zeile_bei(int px);

namespace schriftdaten {
struct zeichenbreite {
    char32_t zeichen;
    int einheiten; // the advance in font units
};
extern const zeichenbreite normal[], fett[];
extern const std::size_t normal_anzahl, fett_anzahl;
extern const int einheiten, aufstieg, abstieg;
} // namespace schriftdaten

} // namespace darstellung
