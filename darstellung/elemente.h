// The vocabulary pages are described in: plain data, positions in twips (15 twips = 1 pixel at
// 96 dpi), relative to the page's client area or, with `in`, to the named frame or picture box.
// A page is a table of these elements; the desktop turns a table into widgets (shell/seitenbau.h),
// regler-json into the browser's page data.
#pragma once

#include "parameter.h"

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace darstellung::elemente {

struct Punkt {
    int x = 0;
    int y = 0;
    bool operator==(const Punkt&) const = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0; // 0: sized to the text (labels only)
    int h = 0;
    bool operator==(const Rect&) const = default;
};

struct Farbe {
    unsigned char r = 0, g = 0, b = 0;
    bool operator==(const Farbe&) const = default;
};

inline constexpr Farbe schwarz{0, 0, 0};
inline constexpr Farbe weiss{255, 255, 255};
inline constexpr Farbe grau{192, 192, 192};
inline constexpr Farbe dunkelgrau{128, 128, 128};
inline constexpr Farbe hellcyan{128, 255, 255};
inline constexpr Farbe cyan{0, 255, 255};
inline constexpr Farbe rot{255, 0, 0};
inline constexpr Farbe blau{0, 0, 255};
inline constexpr Farbe magenta{255, 0, 255};

// The colours of the program around the pages' own, the same in both faces whatever the system's
// theme: a page's, a field's and a menu's ground, their text, what has the focus or is chosen,
// and the read-out's ground.
namespace farben {
inline constexpr Farbe grund = weiss;
inline constexpr Farbe text = schwarz;
inline constexpr Farbe auswahl{48, 140, 198};
inline constexpr Farbe auswahl_text = weiss;
inline constexpr Farbe tipp{255, 255, 220};
} // namespace farben

struct Schrift {
    const char* familie = "MS Sans Serif";
    double punkte = 8.25;
    bool fett = true;
    bool operator==(const Schrift&) const = default;
};

inline constexpr Schrift fett{};                               // the pages' default font
inline constexpr Schrift normal{"MS Sans Serif", 8.25, false}; // paragraphs
inline constexpr Schrift titelschrift{"MS Sans Serif", 12, true};
inline constexpr Schrift firmenschrift{"MS Sans Serif", 13.5, true};

enum class Art {
    Schlicht,  // one line, left-aligned, no border
    Absatz,    // fixed box, wraps at word boundaries
    Kasten,    // filled box with a black border, centred, from the top, wrapping
    Zentriert, // centred in its box, wrapping, no border
    Fuehrung,  // a contents leader: one line, right-aligned, its text (the page reference) led by
               // full stops from the label before it in the table, whatever the font's widths
};

enum class Ausrichtung { Links, Rechts, Mitte };

// A label.
struct Text {
    const char* name = "";
    const char* text = "";
    Rect r = {};
    Art art = Art::Schlicht;
    Schrift schrift = fett;
    Ausrichtung ausrichtung = Ausrichtung::Links;
    std::optional<Farbe> farbe = std::nullopt; // text colour; default: the system's text colour
    std::optional<Farbe> grund = std::nullopt; // background; default: transparent (Kasten: grau)
    bool rand = false;                         // single black border line
    const char* in = nullptr;
    int ueberschrift = 0; // a section's title: its level (1 for "2.", 2 for "2.1"); 0: none
};

// A frame (with or without caption) or a picture box; both hold other elements.
struct Rahmen {
    const char* name = "";
    const char* titel = ""; // caption on the top border; empty: none
    Rect r = {};
    bool rand = true;
    std::optional<Farbe> grund = std::nullopt; // default: the page background
    Schrift schrift = fett;
    const char* bild = nullptr; // resource path of a picture shown unscaled at the top left
    const char* in = nullptr;
};

struct Linie {
    Punkt a = {};
    Punkt b = {};
    Farbe farbe = schwarz;
    int breite = 1; // pixels
    const char* in = nullptr;
};

// A shaft through the points, with a head of two 120 x 120 twip strokes at the last point.
struct Pfeil {
    std::vector<Punkt> punkte = {};
    Farbe farbe = schwarz;
    int breite = 1;
    const char* in = nullptr;
};

enum class FormArt { Rechteck, Quadrat, Kreis, RundesRechteck };

// Squares and circles take the smaller side of their box, centred in it.
struct Form {
    FormArt art = FormArt::Rechteck;
    Rect r = {};
    std::optional<Farbe> rand = schwarz;          // outline colour; nullopt: no outline
    int randbreite = 1;                           // pixels
    std::optional<Farbe> fuellung = std::nullopt; // solid fill; nullopt: transparent
    bool schraffiert = false;                     // black horizontal hatch lines
    const char* in = nullptr;
};

struct Knopf {
    const char* name = "";
    const char* text = "";
    Rect r = {};
    const char* in = nullptr;
};

// A numeric entry field: its text at first, its key rules, length and limit as its run's table
// defines them (darstellung/parameter.h).
struct Feld {
    const char* name = "";
    Rect r = {};
    const darstellung::parameter* regeln = nullptr;
    const char* in = nullptr;
};

// A chart panel: rows (samples) by columns (series); value axis from 0 to `bis`.
struct Diagramm {
    const char* name = "";
    Rect r = {};
    int zeilen = 200;
    std::vector<const char*> reihen = {}; // series names, columns 1..n
    const char* zeit_titel = "";
    const char* wert_titel = "";
    double bis = 100;
    const char* in = nullptr;
    // Learning aids: the columns of set-point and actual value whose step-response figures the
    // chart can show (0: none); whether it can show the run before beside the last, and whether
    // its legend names that run.
    int kennwerte_soll = 0, kennwerte_ist = 0;
    bool vergleich = false;
    bool vergleich_legende = false;
    bool tangente = false; // a heating curve: with the figures, method 2's tangent and proposal
    const char* datei = "diagramm"; // the file name "Bild/Daten speichern" propose, without ending
    // Charts of a page with the same group (not 0) share their time axis: each second at the same
    // pixel column, one read-out cursor. Time labels hidden keep their room but are not drawn.
    int zeitgruppe = 0;
    bool zeit_beschriftet = true;
};

using Element = std::variant<Text, Rahmen, Linie, Pfeil, Form, Knopf, Feld, Diagramm>;

// Page `seite`'s field `id` as its run's table defines it (text, length, separator, limit), at r.
Feld feld(int seite, const char* id, Rect r, const char* in = nullptr);

// The two strokes of an arrowhead at the end of a shaft segment from `von` to `spitze`
// (axis-parallel segments): each runs 120 twips back and 120 twips to one side.
struct Pfeilspitze {
    Linie links;
    Linie rechts;
};
Pfeilspitze pfeilspitze(Punkt von, Punkt spitze, Farbe farbe = schwarz, int breite = 1);

// Every straight line an element table draws: its lines plus the shafts and heads of its arrows.
std::vector<Linie> alle_linien(const std::vector<Element>& tabelle);

// The rectangle a square or circle is drawn in: the smaller side, centred in the box.
Rect gezeichnete_flaeche(const Form& f);

// A label's background and border as its kind shows them: a Kasten is bordered, and grau where
// it sets no background of its own.
std::optional<Farbe> text_grund(const Text& t);
bool text_rand(const Text& t);

inline constexpr int twips_pro_pixel = 15;

// A rectangle in twips in pixels at a page's scale (1: pixel for pixel). At other scales the
// edges are rounded, not the sizes, so that boxes that meet in the table still meet.
Rect in_pixeln(const Rect& r, double massstab = 1);

// The browser shrinks a page to fit its window, down to a legible 0.6 (then it scrolls) and not
// at all above 0.97, where every line would blur for a few pixels.
inline constexpr double kleinster_massstab = 0.6;
inline constexpr double ganzer_massstab_ueber = 0.97;

// The smallest scale, not below kleinster_massstab, at which a finger meets each of these
// targets (pixels at full size) as surely as the accessibility rule for touch asks: 24 px wide
// and high, or else a circle of 24 px about its centre that meets no other target and no other
// small one's circle. Where even full size falls short: full size, since only another layout
// would do better.
double kleinster_massstab_fuer_finger(const std::vector<Rect>& ziele);

} // namespace darstellung::elemente
