// Pieces that both drawn pages build their tables from: the controller symbol, and short forms
// for the kinds of element that recur line after line.
#pragma once

#include "elemente.h"

#include <initializer_list>
#include <vector>

class QWidget;

namespace seiten {

// Pages are tables in the core's vocabulary.
using namespace darstellung::elemente;

// The front view of a controller anchored at (x, y): a 735-twip housing square centred in a
// 975 x 735 box, a two-line red display and four keys. Page 1 draws it in its example, page 4
// four times on the bus.
std::vector<Element> regler_symbol(int x, int y, const char* in);

// The same elements, put into the frame `in` (their coordinates stay frame-relative).
std::vector<Element> umgehaengt(std::vector<Element> elemente, const char* in);

// The maker's logo and address in a command block: the same picture and texts on every page,
// under names and at places of each page's own (labels with no width are sized to their text).
struct Adresse {
    const char* logo;
    Rect logo_r;
    const char* firma;
    Rect firma_r;
    const char* strasse;
    Rect strasse_r;
    const char* ort;
    Rect ort_r;
};
std::vector<Element> adressblock(const Adresse& a, const char* in);

// Appends `dazu` to `tabelle`, so that a page table reads as a sequence of figures.
void anhaengen(std::vector<Element>& tabelle, const std::vector<Element>& dazu);

// One straight line from each point to the next.
std::vector<Element> linienzug(std::initializer_list<Punkt> punkte, int breite, const char* in);

// Labels in the page font, one line, left-aligned; `beschriftung` is sized to its text. A
// `titel` is a section's heading, at the level its number gives ("2.1 P-Regler": 2).
Text titel(const char* name, const char* text, Rect r, const char* in = nullptr);
// A label sized to its text that titles a section: a heading at the section's level.
Text als_titel(Text t);
Text beschriftung(const char* name, const char* text, int x, int y, const char* in = nullptr,
                  Schrift schrift = fett);
// Paragraphs wrap in their box; regular weight unless `fett`.
Text absatz(const char* name, const char* text, Rect r, const char* in = nullptr);
Text fetter_absatz(const char* name, const char* text, Rect r);
// A block of a block diagram: filled, bordered, text centred from the top.
Text kasten(const char* name, const char* text, Rect r, Farbe grund, const char* in);
// Centred lines, wrapping inside the box, with or without a border.
Text zentriert(const char* name, const char* text, Rect r, const char* in, bool rand = false);

Pfeil pfeil(std::vector<Punkt> schaft, const char* in);
// A shape with a fill and no outline.
Form flaeche(FormArt art, Rect r, Farbe fuellung, const char* in);

} // namespace seiten
