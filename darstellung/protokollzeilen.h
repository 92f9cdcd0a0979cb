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

// A column's title on short lines (at most 10 characters where the words allow), its unit on a
// line of its own: "Schwingungs-" does not happen, "Schwingungsdauer" / "in s" does.
std::vector<std::string> protokoll_kopfzeilen(size_t spalte);

// Whether a column holds a page's field (empty in the other page's rows).
bool protokoll_feldspalte(size_t spalte);

// A row's cells as the table shows them, in the user's format: fields with six significant
// digits, kelvins and the period with one decimal (rounded half away from zero), seconds whole;
// "" where the page has no such field, "—" where the figure has none.
std::vector<std::string> protokoll_texte(const protokollzeile& z, std::string_view komma);
// A cell as a number, for sorting; NaN where empty.
double protokoll_wert(const protokollzeile& z, size_t spalte);
// Whether row `a` comes before row `b` sorted by a column, rows with an empty cell last either way.
bool protokoll_vor(const protokollzeile& a, const protokollzeile& b, size_t spalte,
                   bool aufsteigend);

// The rows as CSV: a header, one line per row, numbers in full; ";" and "," where the user's
// decimal separator is a comma, else "," and ".".
std::string protokoll_csv(std::span<const protokollzeile> zeilen, std::string_view komma);
// A file written by protokoll_csv (either separator, with or without a byte-order mark, cells
// quoted or not, as spreadsheets write them): its rows, or why it is not one ("Zeile 3: …").
// Every field's value must be one its field could hold; the figures are computed again from the
// run, never taken from the file.
struct protokoll_datei {
    std::vector<protokollzeile> zeilen;
    std::string fehler;
};
// The most rows a notebook holds (and so a file has).
inline constexpr size_t protokoll_hoechstens = 2000;
// A file of more than `platz` rows is refused before any run is made again.
protokoll_datei protokoll_lesen(std::string_view text, size_t platz = protokoll_hoechstens);

// The figures of a page's run made again from its values.
sim::kennwerte protokoll_kennwerte(int seite, const laufwerte& werte);

// Which page fields a page's run values go into, in their order.
std::vector<std::string> laufwert_felder(int seite);

// The notebook as a printed page: a title with the date, the columns shown (not `verborgen`), the
// rows in the order `folge` (the table's sort order); HTML for a text document.
std::string protokoll_html(std::span<const protokollzeile> zeilen, std::span<const size_t> folge,
                           const std::vector<bool>& verborgen, std::string_view komma,
                           std::string_view datum);

// What is asked before the program ends where `n` runs made with "Start Grafik" were not saved,
// and before a file is read into a notebook of `n` rows (append or replace).
std::string frage_beim_beenden(size_t n);
std::string frage_beim_laden(size_t n);
// Why file `datei` was not read: "„datei“ lässt sich nicht laden. Zeile 3: …".
std::string laden_fehler(std::string_view datei, std::string_view grund);
// A file of `bytes` that is too big to be a notebook: why; else "".
std::string dateigroesse_pruefen(double bytes);
// Where the browser could not keep the notebook for the tab's session.
inline constexpr const char* meldung_sitzung =
    "Der Browser konnte das Versuchsprotokoll nicht für diese Sitzung sichern: es ginge beim "
    "Neuladen verloren. Speichern Sie es als Datei.";
inline constexpr const char* titel_protokoll = "Versuchsprotokoll";

// The notebook window's own words, the same in both faces: its buttons and the titles of what it
// asks. Cancel, save, discard and OK are the desktop's standard buttons, in Qt's German; the
// browser has them from here.
namespace protokollworte {
inline constexpr const char* einstellhilfe = "Einstellhilfe";
inline constexpr const char* laden = "Protokoll laden";
inline constexpr const char* knopf_wiederholen = "Lauf wiederholen";
inline constexpr const char* knopf_einstellhilfe = "Einstellhilfe …";
inline constexpr const char* knopf_speichern = "Protokoll speichern …";
inline constexpr const char* knopf_laden = "Protokoll laden …";
inline constexpr const char* knopf_drucken = "Drucken …";
inline constexpr const char* uebernehmen = "Übernehmen";
inline constexpr const char* anhaengen = "Anhängen";
inline constexpr const char* ersetzen = "Ersetzen";
inline constexpr const char* abbrechen = "Abbrechen";
inline constexpr const char* speichern = "Speichern";
inline constexpr const char* verwerfen = "Verwerfen";
inline constexpr const char* schliessen = "Schließen";
inline constexpr const char* ok = "OK";
inline constexpr const char* datei = "versuchsprotokoll"; // a file's name, before its type
} // namespace protokollworte

// The notebook itself, with its rules: numbering, its size, what has not been saved.
class versuchsprotokoll {
public:
    static constexpr size_t hoechstens = protokoll_hoechstens; // rows
    static constexpr size_t datei_hoechstens = 1024 * 1024;    // bytes of a file to read

    // A run of page `seite` made now, at `sekunde` of the program's clock; `gestartet`: with
    // "Start Grafik" (not a page's load run). Numbered after the largest number. Why it was not
    // entered (the notebook is full), or "".
    std::string eintragen(int seite, laufwerte werte, const sim::kennwerte& k, double sekunde,
                          bool gestartet);
    const std::vector<protokollzeile>& zeilen() const { return m_zeilen; }
    const protokollzeile* zeile(int nummer) const;
    int naechste_nummer() const;

    // Runs made with "Start Grafik" since the last save (or a file that replaced the rows).
    size_t ungesichert() const { return m_ungesichert; }
    void gesichert() { m_ungesichert = 0; }
    void ungesichert_setzen(size_t n) { m_ungesichert = n; }

    std::string csv(std::string_view komma) const { return protokoll_csv(m_zeilen, komma); }
    // A file's text in place of the rows, or after them (renumbered after the largest number);
    // whole or not at all: why not, or "".
    std::string laden(std::string_view text, bool anhaengen);
    void leeren();

    // The field columns of a page no row comes from take no room.
    std::vector<bool> verborgen() const;
    // The rows' order sorted by a column, rows with an empty cell last either way.
    std::vector<size_t> reihenfolge(size_t spalte, bool aufsteigend) const;

private:
    std::vector<protokollzeile> m_zeilen;
    size_t m_ungesichert = 0;
};

} // namespace darstellung
