// A chart of a page, whole, for both faces: the cells of its runs, the learning aids and the runs
// it compares with, its layout at a size and a scale, and what it draws, reads out and offers in
// its menu. A face paints its list (anzeige.h), hands it the keys and the pointer, and does what
// its menu's entries name; charts over one time span are laid out and read together (zeitgruppe).
#pragma once

#include "achsen.h"
#include "anzeige.h"
#include "diagramm.h"
#include "einstellen.h"
#include "kennwerte.h"
#include "laeufe.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace darstellung {

// What a page's table says of a chart.
struct schaubild_art {
    std::string name;
    int zeilen = 200;
    std::vector<std::string> reihen;
    std::string zeit_titel, wert_titel;
    double bis = 100; // the value axis's least extent, from 0
    // The step response's set-point and actual value (columns from 1; 0: none), whose figures
    // the chart can show; whether it shows runs to compare with, and names them in its legend.
    int kennwerte_soll = 0, kennwerte_ist = 0;
    bool vergleich = false, vergleich_legende = false;
    bool tangente = false;        // a heating curve, with method 2's tangent among its figures
    bool zeit_beschriftet = true; // time labels hidden keep their room
    std::string datei = "diagramm";
    double breite = 0, hoehe = 0; // pixels at full size
};

// The switches of every chart's menu, for the whole program.
struct schalter {
    bool kennwerte = false, vorher = false, projektor = false;
    bool operator==(const schalter&) const = default;
};

// A run drawn beside the last one, dashed: its columns as the chart's, what it ran with, what
// the legend calls it ("Lauf 3").
struct vergleichslauf {
    std::vector<std::vector<double>> spalten;
    laufwerte lauf;
    std::string titel;
};

// A chart menu's entries, known by these; a face does what one names.
enum class befehl {
    bild_kopieren,
    daten_kopieren,
    link_kopieren,
    bild_speichern,
    daten_speichern,
    kennwerte,
    vorher,
    projektor,
    vorschlag,
    protokoll
};
// Its name, as the browser's menu entry carries it.
const char* befehl_name(befehl b);
struct menuepunkt {
    std::optional<befehl> id; // none: a separator line
    std::string text;
    bool schaltbar = false, an = false, moeglich = true;
};

enum class diagrammtaste { links, rechts, anfang, ende, menue };
struct tastenwirkung {
    int zeile = -1; // the cursor's row now (-1: as it was)
    bool menue = false;
};

// The read-out tooltip's box for its text at full size: its lines in the pages' font, 4 px
// aside and 2 px above and below them, in a frame of 1 px.
rechteck tipp_box(std::string_view text);
// The box stands this far right of and below the point it reads, in px.
inline constexpr int tipp_versatz = 12;
// A chart copied or saved as a picture: this many times the screen's resolution, for slides.
inline constexpr double bild_faktor = 2;

class schaubild {
public:
    schaubild(schaubild_art art, Gesicht g);
    const schaubild_art& art() const { return m_art; }
    int spaltenzahl() const { return int(m_art.reihen.size()); }

    // A column (1 …) of a run from row 1 on, or a cell; others are ignored.
    void spalte(int spalte, std::span<const double> werte);
    void zelle(int spalte, int zeile, double wert);
    // A cell as last written; none before a run or for a cell without a number.
    std::optional<double> wert(int spalte, int zeile) const;
    // What the next run runs with; the end of a run.
    void lauf_setzen(laufwerte werte) { m_lauf = std::move(werte); }
    void lauf_abschliessen();
    bool gelaufen() const { return m_gelaufen; }

    void schalter_setzen(schalter s);
    const schalter& schalter_() const { return m_schalter; }
    // Runs chosen to compare with (rows of the lab notebook), in place of the run before, until
    // none are chosen; the runs made meanwhile do not replace them.
    void vergleiche_setzen(std::vector<vergleichslauf> laeufe);
    void komma_setzen(std::string komma);
    const std::string& komma() const { return m_komma; }
    // The chart's box in pixels at `massstab`, of which `sichtbar` wide is seen.
    void groesse_setzen(double breite, double hoehe, double sichtbar, double massstab);
    // Where the chart below in its group begins: the focus frame ends there.
    void fokus_unten_setzen(double y);
    // Where a chart above in its group writes its time title into this one's box (none: nothing):
    // a head that would cover it starts below it.
    void frei_halten(std::optional<rechteck> r);
    // Where this chart writes its time title, if it has room for one.
    std::optional<rechteck> zeit_titel_ort();
    void fokus_setzen(bool f);
    void zeiger_setzen(int zeile); // 0: none

    // The plot's left and right edge as laid out alone; the extra room that makes them the
    // group's (zeitgruppe does both).
    std::pair<double, double> natuerliche_raender();
    void angleichen(double links, double rechts);

    const anzeige& liste();
    // A series' curve as drawn: a point for every cell with a number.
    std::vector<punkt> kurve(int spalte);
    // Counts the lists whose picture (anzeige::bild) differed from the one before: a face keeps
    // its picture until this changes.
    int bildstand() {
        liste();
        return m_bildstand;
    }
    const rechteck& plot();
    const wertachse& achse();

    // The figures shown (none while switched off) and the runs drawn to compare with.
    struct figuren {
        sim::kennwerte k;
        std::vector<int> spitzen;
        double w = 0;
    };
    const std::optional<figuren>& kennwerte() const { return m_figuren; }
    const std::optional<sim::wendetangente>& tangente() const { return m_tangente; }
    std::vector<const vergleichslauf*> verglichen() const;
    // The head's texts: the summary's pieces, the legend's entries.
    const std::vector<std::string>& kopftexte() const { return m_kopftexte; }
    std::vector<std::string> legendentexte() const;

    // Texts for the world outside: the chart's name and what a screen reader is told of it, what
    // a picture of it says it shows, the menu, the grid as TSV and as CSV.
    std::string name() const;
    std::string beschreibung() const;
    std::string bildbeschreibung() const;
    std::vector<menuepunkt> menue() const;
    std::string tsv(std::string_view komma) const;
    std::string csv(std::string_view komma) const;
    // The series at a row, of the last run ("Soll 50 °C · Ist 66,28 °C") or of a run compared
    // (index into verglichen()); the figure nearest the row, where shown.
    std::string ablesen(int zeile) const;
    std::string ablesen_vergleich(size_t lauf, int zeile) const;
    std::string kennwert_bei(int zeile) const;

    // Events: the row under a point (0: outside the plot), a key, the tooltip's box for a
    // read-out text at a point.
    int zeile_bei(punkt p);
    tastenwirkung taste(diagrammtaste t, bool umschalt) const;
    int zeiger() const { return m_zeiger; }
    double spalte_x(int zeile);

private:
    void inhalt_rechnen();
    void anordnen();
    void zeichnen();
    void bild_zeichnen();
    std::vector<double> ist_spalte() const;

    schaubild_art m_art;
    Gesicht m_gesicht;
    std::vector<std::vector<double>> m_zellen; // per series, each row's value (NaN: none)
    laufwerte m_lauf, m_letzter_lauf;
    std::vector<std::vector<double>> m_letzte;
    std::optional<vergleichslauf> m_vorher;
    std::vector<vergleichslauf> m_gewaehlt;
    bool m_gelaufen = false;
    schalter m_schalter;
    std::string m_komma = ".";
    double m_breite = 0, m_hoehe = 0, m_sichtbar = 0, m_massstab = 1;
    double m_extra_links = 0, m_extra_rechts = 0, m_fokus_unten = -1;
    std::optional<rechteck> m_frei;
    int m_zeiger = 0;
    bool m_fokus = false;

    // What the cells and the aids give, then the layout, then the list.
    std::optional<figuren> m_figuren;
    std::optional<sim::wendetangente> m_tangente;
    std::vector<std::string> m_kopftexte;
    struct legendeneintrag {
        std::string text;
        int linien = -1; // the lines it names: a series' (0 …), a run's (-2 - its index), none (-1)
    };
    std::vector<legendeneintrag> m_legende;
    double m_tief = 0, m_hoch = 0;
    bool m_inhalt_veraltet = true, m_lage_veraltet = true, m_liste_veraltet = true;
    bool m_oben_veraltet = true;
    int m_bildstand = 0, m_zeigerstil = 0, m_fokusstil = 0;
    std::vector<size_t> m_kurven; // each series' curve in the list
    // Steps away from a figure label's first place, nearest first, in a plot of nx × ny steps
    // of a line's height: made when a label first needs them, kept while the plot keeps its size.
    struct versatzliste {
        int nx = -1, ny = -1;
        double zh = 0;
        std::vector<punkt> schritte;
    } m_versatz;
    struct lage;
    std::shared_ptr<lage> m_lage;
    anzeige m_anzeige;
};

} // namespace darstellung
