// The fields of the two runs, one table each: what a page's field admits (its key rules, length
// and limit), its text when the page opens, what the notebook and the legend call it, and which of
// the core's inputs it is. The pages, the run plan, the lab notebook, regler-sim and the browser's
// core take them from here; a new field is a row here and a place in its page's layout.
#pragma once

#include "kaskade.h"
#include "pid.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace darstellung {

struct parameter {
    const char* id = "";                             // the field's name on its page
    const char* name = "";                           // in the notebook's columns and the legend
    const char* einheit = "";                        // "" for none
    const char* vorgabe = "0";                       // the field's text when the page opens
    int laenge = 4;                                  // the most characters the field takes
    bool dezimal = false;                            // admits a decimal separator ("1.6")
    std::optional<double> grenze = std::nullopt;     // above it, the field shows its limit
    const char* grenztext = nullptr;                 // how it shows it; nullptr: the number
    double sim::pid_felder::*pid = nullptr;          // page 2's input to the core
    double sim::kaskaden_felder::*kaskade = nullptr; // page 3's
};

// Page 2's fields (the PID run) or page 3's (the cascade), in the order the notebook and the
// legend name them; none for other pages.
std::span<const parameter> seitenparameter(int seite);
const parameter* parameter_von(int seite, std::string_view id);

// The core's inputs from the fields' values, in the table's order (missing ones 0).
sim::pid_felder pid_felder_aus(std::span<const double> werte);
sim::kaskaden_felder kaskaden_felder_aus(std::span<const double> werte);

// ---- the field rules, one for the desktop and the browser. Texts are UTF-8; places in them
// count characters. `komma` is the user's decimal separator.

// What a key that types `c` puts in (Backspace 8, Return 13, Escape 27 and Ctrl+letters 1 … 26
// type a control character and are refused like any other non-digit): `c` itself, the user's
// separator for ".", "," or that separator where decimals are admitted, or nothing.
std::optional<std::string> zeichen_fuer(const parameter& p, char32_t c, std::string_view komma);

struct feldstand {
    std::string text;
    int anfang = 0, ende = 0; // the selection; the caret where they are equal
};
// An edit for the face to make with its own editing (so that undo keeps working): first the
// whole text replaced, where `ersetzt` says so (the caret then at its end), then `einfuegen` put
// over the selection. Each refusal and each limit reached beeps once.
struct feldaenderung {
    std::optional<std::string> ersetzt;
    std::string einfuegen;
    int piepse = 0;
};
// A key typing `c`: refused or taken; the limit checked on the text as it stands (as the field
// always did: the last digit typed is checked at the next key); `c` put in where there is room.
feldaenderung taste(const parameter& p, const feldstand& f, char32_t c, std::string_view komma);
// Pasted or dropped text: what the key rule refuses is left out, with one beep for all; cut to
// the room the length leaves.
feldaenderung einfuegen(const parameter& p, const feldstand& f, std::string_view text,
                        std::string_view komma);
// The limit alone (before a run reads the field): above it, the limit's text, with a beep.
feldaenderung grenze_pruefen(const parameter& p, std::string_view text, std::string_view komma);

// A field's text as a number in the user's format (digits, one separator, a sign, an exponent;
// no grouping, so that "1.6" never reads as 16); nothing unless finite.
std::optional<double> feldwert(std::string_view text, std::string_view komma);
// A number as a field shows it: up to 15 significant digits, the user's separator.
std::string feldtext(double v, std::string_view komma);

// What a screen reader is told of the field: "Nur Ziffern, höchstens 3 Zeichen, obere Grenze 99,9".
std::string feld_beschreibung(const parameter& p, std::string_view komma);

// Whether a value could stand in the field after a run: its text passes the key rule and the
// length, and it is not above the limit; or it is the limit itself. For values from files.
bool wert_zulaessig(const parameter& p, double v);

} // namespace darstellung
