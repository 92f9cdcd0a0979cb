// Pieces that both drawn pages build their tables from: the controller symbol, and short forms
// for the kinds of element that recur line after line.
#pragma once

#include "elemente.h"

#include <initializer_list>
#include <vector>

class QWidget;

namespace seiten {

// The front view of a controller anchored at (x, y): a 735-twip housing square centred in a
// 975 x 735 box, a two-line red display and four keys. Page 1 draws it in its example, page 4
// four times on the bus.
std::vector<shell::Element> regler_symbol(int x, int y, const char* in);

// The same elements, put into the frame `in` (their coordinates stay frame-relative).
std::vector<shell::Element> umgehaengt(std::vector<shell::Element> elemente, const char* in);

// The maker's logo and address in a command block: the same picture and texts on every page,
// under names and at places of each page's own (labels with no width are sized to their text).
struct Adresse {
    const char* logo;
    shell::Rect logo_r;
    const char* firma;
    shell::Rect firma_r;
    const char* strasse;
    shell::Rect strasse_r;
    const char* ort;
    shell::Rect ort_r;
};
std::vector<shell::Element> adressblock(const Adresse& a, const char* in);

// Appends `dazu` to `tabelle`, so that a page table reads as a sequence of figures.
void anhaengen(std::vector<shell::Element>& tabelle, const std::vector<shell::Element>& dazu);

// One straight line from each point to the next.
std::vector<shell::Element> linienzug(std::initializer_list<shell::Punkt> punkte, int breite,
                                      const char* in);

// Labels in the page font, one line, left-aligned; `beschriftung` is sized to its text. A
// `titel` is a section's heading, at the level its number gives ("2.1 P-Regler": 2).
shell::Text titel(const char* name, const char* text, shell::Rect r, const char* in = nullptr);
// A label sized to its text that titles a section: a heading at the section's level.
shell::Text als_titel(shell::Text t);
shell::Text beschriftung(const char* name, const char* text, int x, int y, const char* in = nullptr,
                         shell::Schrift schrift = shell::fett);
// Paragraphs wrap in their box; regular weight unless `fett`.
shell::Text absatz(const char* name, const char* text, shell::Rect r, const char* in = nullptr);
shell::Text fetter_absatz(const char* name, const char* text, shell::Rect r);
// A block of a block diagram: filled, bordered, text centred from the top.
shell::Text kasten(const char* name, const char* text, shell::Rect r, shell::Farbe grund,
                   const char* in);
// Centred lines, wrapping inside the box, with or without a border.
shell::Text zentriert(const char* name, const char* text, shell::Rect r, const char* in,
                      bool rand = false);

shell::Pfeil pfeil(std::vector<shell::Punkt> schaft, const char* in);
// A shape with a fill and no outline.
shell::Form flaeche(shell::FormArt art, shell::Rect r, shell::Farbe fuellung, const char* in);

} // namespace seiten
