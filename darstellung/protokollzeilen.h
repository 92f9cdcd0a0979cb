// The lab notebook of a session: every run of pages 2 and 3 as one row (when it ran, the page,
// every value it ran with, the six figures of its step response), its columns in the pages' own
// words and units, its texts in the user's format, and the file it is kept in: CSV as the
// charts' data is written, read back whole or not at all. One rule for the desktop and the
// browser.
#pragma once

#include "kennwerte.h"
#include "laeufe.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace darstellung {

struct protokollzeile {
    int nummer = 0;     // 1, 2, … in the order the runs were made
    double sekunde = 0; // of the program's clock, when it ran
    int seite = 2;      // 2 or 3
    laufwerte werte;    // as the run used them (after the limits at "Start Grafik")
    sim::kennwerte k;   // of the run's actual value against its set-point
    bool operator==(const protokollzeile& b) const;
};

// The columns: "Nr.", "Zeit in s", "Seite", the fields of both pages (each name once, with its
// unit), the six figures.
const std::vector<std::string>& protokoll_spalten();

// Whether a column holds a page's field (empty in the other page's rows).
bool protokoll_feldspalte(size_t spalte);

// A row's cells as the table shows them, in the user's format: fields with six significant
// digits, kelvins and the period with one decimal, seconds whole; "" where the page has no such
// field, "—" where the figure has none.
std::vector<std::string> protokoll_texte(const protokollzeile& z, std::string_view komma);
// A cell as a number, for sorting; NaN where empty.
double protokoll_wert(const protokollzeile& z, size_t spalte);

// The rows as CSV: a header, one line per row, numbers in full; ";" and "," where the user's
// decimal separator is a comma, else "," and ".".
std::string protokoll_csv(std::span<const protokollzeile> zeilen, std::string_view komma);
// A file written by protokoll_csv (either separator, with or without a byte-order mark): its
// rows, or why it is not one ("Zeile 3: …").
struct protokoll_datei {
    std::vector<protokollzeile> zeilen;
    std::string fehler;
};
protokoll_datei protokoll_lesen(std::string_view text);

// Which page fields a page's run values go into, in their order.
const std::vector<std::string>& laufwert_felder(int seite);

} // namespace darstellung
