// What pages 2 and 3 do at load and on "Start Grafik", one rule for the desktop and the browser:
// which fields a run reads and in what order, what it sets first, which run of the core it makes,
// and which of its columns go into which chart; after it, the fields it corrects (a gain above its
// limit runs as 0, with a beep) and what the run is named by as the run before.
#pragma once

#include "kennwerte.h"
#include "laeufe.h"
#include "schaubild.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace darstellung {

// The samples of a page's run: the rows of its charts.
inline constexpr int laufzeilen = 200;

struct laufplan {
    // Read in this order, each with its limit, before any cell is written: a field that is not a
    // number starts no run and leaves the last complete one on the charts.
    std::vector<std::string> felder;
    std::vector<std::pair<std::string, std::string>> vorher; // field texts set before reading
};
// Page 2 or 3, at load or on "Start Grafik"; an empty plan for a page without runs.
laufplan lauf_plan(int seite, bool laden);

// The plan's fields read from their texts (`text(id)`, after the plan's texts were set): each
// must read as a number in the user's format, else no run starts and the first such field is
// named (one beep; the face selects its text). Then each field above its limit is set to its
// limit's text (a beep each) and runs with the limit, so that no run uses a value above it.
struct gelesen {
    std::vector<double> werte; // in the plan's order
    std::string ungueltig;     // the first field that is no number, or ""
    std::vector<std::pair<std::string, std::string>> korrigiert; // field texts to set
    int piepse = 0;
};
gelesen felder_lesen(int seite, const laufplan& plan,
                     const std::function<std::string(const std::string& id)>& text,
                     std::string_view komma);

struct laufspalte {
    std::string diagramm;
    int spalte = 1; // 1 …
    std::vector<double> werte;
};
struct laufergebnis {
    // In the order they are written; each chart's run ends in the order of its first column.
    std::vector<laufspalte> spalten;
    int art = 0; // 0: page 2's PID run, 1: page 3's cascade (the run values' kind)
    laufwerte lauf;
    std::vector<std::string> benannt; // the charts that name it as their run before
    std::vector<std::pair<std::string, std::string>> nachher; // field texts set after the run
    bool piep = false;
    // The step response the run's figures are read from: its set-point, and the column of its
    // actual value (an index into `spalten`; -1: none).
    double soll = 0;
    int ist = -1;
};
// The run for the plan's fields as read (`werte`, in the plan's order), with as many rows as
// each chart holds (`zeilen`).
laufergebnis seitenlauf(int seite, bool laden, std::span<const double> werte,
                        const std::function<int(std::string_view)>& zeilen);

// A page's run as both faces carry it out, at load or on "Start Grafik": the plan's texts set,
// the fields read (`text(id)`: a field's text as it stands), and where all read as numbers the
// run, with the figures of its step response for the notebook. The face sets `texte` in order,
// beeps `piepse` times, and then either selects `ungueltig` (no run) or fills the charts from
// `lauf` and, where there are `kennwerte`, notes the run.
struct seitenschritt {
    std::vector<std::pair<std::string, std::string>> texte;
    int piepse = 0;
    std::string ungueltig;
    std::optional<laufergebnis> lauf;
    std::optional<sim::kennwerte> kennwerte;
};
seitenschritt seite_laufen(int seite, bool laden,
                           const std::function<std::string(const std::string& id)>& text,
                           std::string_view komma,
                           const std::function<int(std::string_view)>& zeilen);

// The run again from what it ran with (a row of the lab notebook): as "Start Grafik" with these
// values in the fields.
laufergebnis lauf_aus_werten(int seite, const laufwerte& werte,
                             const std::function<int(std::string_view)>& zeilen);

// Row `nummer` of the lab notebook run again as its page's charts compare with it: for each
// chart that names it, that chart's columns and the legend's title for it ("Lauf 3").
std::vector<std::pair<std::string, vergleichslauf>>
vergleichslaeufe(int nummer, int seite, const laufwerte& werte,
                 const std::function<int(std::string_view)>& zeilen);

} // namespace darstellung
