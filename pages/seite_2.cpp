#include "seite_2.h"

#include "diagrammfeld.h"
#include "laeufe.h"
#include "pid.h"
#include "seitenlaeufe.h"
#include "symbole.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QPushButton>

namespace seiten {

using namespace shell;

namespace {

// ---- Texts -------------------------------------------------------------------------------

const char* const A1 =
    "Regler müssen ihrer Aufgabe angepasst werden, denn die Anforderungen sind sehr "
    "verschieden. Die meisten Geräte haben dafür eine eingebaute Selbstanpassung. Weil das "
    "Optimum aber für jeden Anwender woanders liegt, ist es nützlich zu verstehen, wie "
    "PID-Regler arbeiten. Mit der folgenden Anleitung können Sie die Wirkung der Einstellwerte "
    "ausprobieren und danach den Regler für Ihre eigene Anwendung optimieren.";
const char* const A2 =
    "Prüfen Sie das Verhalten der Regelung mit einem einfachen Thermostaten: Wählen Sie einen "
    "Sollwert zwischen 30 und 100 °C, lassen Sie P-Band, Nachlauf- und Vorhaltzeit auf 0 und "
    "drücken Sie 'Start Grafik'.";
const char* const A3 =
    "Das Ergebnis wird nicht befriedigen; es war zu erwarten, dass diese Regelung nicht genügt.";
const char* const A4 =
    "Der P-Regler verringert die Leistung im Verhältnis zum Abstand vom Sollwert; dadurch wird "
    "das Schwingen des Istwertes kleiner oder verschwindet ganz. Geben Sie ein P-Band zwischen 1 "
    "und 100 ein und prüfen Sie die Wirkung mit 'Start Grafik'.";
const char* const A5 =
    "Der P-Regler kann den Sollwert nie ganz erreichen, denn Heizleistung wird nur verlangt, "
    "solange eine Abweichung vom Sollwert besteht. Deshalb kommt der I-Anteil hinzu: Er summiert "
    "die Abweichung auf und verlangt entsprechend Leistung, bis der Sollwert erreicht ist. Geben "
    "Sie eine Nachlaufzeit zwischen 1 und 100 ein und prüfen Sie die Wirkung mit 'Start "
    "Grafik'.";
const char* const A6 =
    "Man sieht, dass eine zu kurze Nachlaufzeit die Regelung zum Schwingen bringt, während eine "
    "zu lange Nachlaufzeit den Istwert nur sehr langsam an den Sollwert heranführt.";
// "Vorlaufzeit" in A7 and "Voraufzeit" in A8 (for "Vorhaltzeit") are the program's own words,
// kept as they stand.
const char* const A7 =
    "Was jetzt noch stört, ist das Ueberschwingen beim Anfahren des Sollwertes. Der D-Anteil "
    "kann es verhindern: Er verringert die Leistung abhängig von der Geschwindigkeit "
    "(Differential des Istwertes nach der Zeit). Wird der Sollwert zu schnell angefahren, nimmt "
    "er die Leistung entsprechend der eingestellten Vorhaltzeit zurück. Geben Sie für die "
    "Vorlaufzeit einen Wert zwischen 1 und 100 ein und prüfen Sie mit 'Start Grafik'.";
const char* const A8 =
    "Eine zu kurze Voraufzeit bewirkt nichts, eine zu lange lässt den Istwert nur treppenförmig "
    "an den Sollwert herankommen.";
const char* const B1 =
    "Stellen Sie alle 3 Regelparameter (P-Band, Nachlauf- und Vorhaltzeit) auf null und wählen "
    "Sie den Sollwert etwa dort, wo die Regelung arbeiten soll.";
const char* const B2 =
    "Notieren Sie die Schwingungsdauer (die Zeit zwischen 2 Maxima). Vergrössern Sie danach das "
    "P-Band schrittweise, bis die Schwingung abklingt; dieses P-Band heisst 'kritisches P-Band'. "
    "Bestimmen Sie dann die Regelparameter wie folgt:";
const char* const grenzen_hinweis =
    "Für die Simulation können beliebige Werte innerhalb der Grenzen eingegeben werden, danach "
    "'Start Grafik' drücken.\n"
    "0 für Nachlauf- und Vorhaltzeit schaltet die entsprech-\nende Funktion aus.";

// ---- Layout --------------------------------------------------------------------------------

std::vector<Element> tabelle() {
    std::vector<Element> t = {
        // Left column: sections 2.1 to 2.4.
        titel("titel2", "2. PID-Regler mit Simulation", {120, 60, 2535, 255}),
        absatz("anpassung", A1, {240, 360, 7530, 975}),
        titel("pid3", "2.1 Ein/Aus-Regler", {120, 1620, 1635, 195}),
        absatz("pid4", A2, {240, 1860, 7395, 615}),
        absatz("pid5", A3, {240, 2520, 7395, 435}),
        titel("pid6", "2.2 P-Regler", {120, 3000, 1080, 195}),
        absatz("Label4", A4, {240, 3240, 7395, 795}),
        titel("pid8", "2.3 PI-Regler", {120, 4080, 1140, 195}),
        absatz("pid9", A5, {240, 4320, 7395, 1215}),
        absatz("pid10", A6, {240, 5460, 7395, 495}),
        titel("pid11", "2.4 PID-Regler", {120, 6060, 1275, 195}),
        absatz("pid12", A7, {240, 6300, 7395, 1035}),
        absatz("pid13", A8, {240, 7380, 7335, 435}),
        titel("pid14", "2.5 Simulation", {120, 7920, 1215, 195}),

        // Section 2.5: the entry fields.
        Rahmen{.name = "Parameter", .titel = "Parameter", .r = {600, 8220, 2415, 1695}},
        Text{.name = "sollwert", .text = "Sollwert", .r = {120, 300, 855, 255}, .in = "Parameter"},
        feld(2, "w1", {1500, 240, 555, 285}, "Parameter"),
        Text{.name = "pid71", .text = "°C", .r = {2100, 300, 255, 255}, .in = "Parameter"},
        Text{.name = "p_band", .text = "P-Band", .r = {120, 660, 735, 255}, .in = "Parameter"},
        feld(2, "xp1", {1500, 600, 555, 285}, "Parameter"),
        Text{.name = "pid72", .text = "K", .r = {2100, 660, 195, 255}, .in = "Parameter"},
        Text{.name = "Nachlaufzeit",
             .text = "Nachlaufzeit",
             .r = {120, 1020, 1215, 255},
             .in = "Parameter"},
        feld(2, "tn1", {1500, 960, 555, 285}, "Parameter"),
        Text{.name = "pid73", .text = "s", .r = {2100, 1020, 195, 255}, .in = "Parameter"},
        Text{.name = "vorhaltzeit",
             .text = "Vorhaltzeit",
             .r = {120, 1380, 975, 255},
             .in = "Parameter"},
        feld(2, "tv1", {1500, 1320, 555, 285}, "Parameter"),
        Text{.name = "pid74", .text = "s", .r = {2100, 1320, 195, 255}, .in = "Parameter"},

        // The ranges, one line per field.
        absatz("pid15", "Sollwert\nP-Band\nNachlaufzeit (I-Anteil)\nVorhaltzeit (D-Anteil)",
               {3420, 8280, 1695, 855}),
        Text{.name = "Label5",
             .text = "30 bis 100 °C\n0 - 100 K\n0 bis 1000 s\n0 - 100 s",
             .r = {6120, 8280, 1215, 855},
             .art = Art::Absatz,
             .schrift = normal,
             .ausrichtung = Ausrichtung::Rechts},
        // Three pixels wider than the table, so that the hand-placed hyphen ends its line.
        absatz("pid16", grenzen_hinweis, {3420, 9180, 3960, 1035}),

        // Right column: the two charts.
        Diagramm{.name = "graph",
                 .r = {7680, 240, 7365, 3555},
                 .zeilen = darstellung::laufzeilen,
                 .reihen = {"Soll", "Ist"},
                 .zeit_titel = "Zeit in Sekunden",
                 .wert_titel = "°C",
                 .bis = 100,
                 .kennwerte_soll = 1,
                 .kennwerte_ist = 2,
                 .vergleich = true,
                 .vergleich_legende = true,
                 .datei = "seite2-temperatur",
                 .zeitgruppe = 1},
        Diagramm{.name = "Leistung",
                 .r = {7680, 3570, 7815, 1815},
                 .zeilen = darstellung::laufzeilen,
                 .reihen = {"Leistung"},
                 .zeit_titel = "Zeit in Sek",
                 .wert_titel = "%",
                 .bis = 100,
                 .vergleich = true,
                 .datei = "seite2-leistung",
                 .zeitgruppe = 1},

        // Section 2.6: Ziegler-Nichols.
        titel("pid17", "2.6 Parameterbestimmung", {7800, 5640, 2190, 195}),
        Text{.name = "pid18",
             .text = "Ziegler-Nichols bietet 2 Methoden zur Bestimmung der Parameter für Strecken "
                     "dieser Art an. ",
             .r = {7920, 5880, 7335, 255},
             .schrift = normal},
        titel("pid50", "2.6.1 Methode 1: Einstellen anhand der Stabilitätsgrenze",
              {7800, 6240, 4845, 195}),
        absatz("pid51", B1, {7860, 6540, 7395, 495}),
        Text{.name = "pid52",
             .text = "Vorsicht: der Istwert kann den Sollwert wesentlich übersteigen",
             .r = {8580, 7140, 5325, 195},
             .farbe = weiss,
             .grund = schwarz},
        absatz("pid53", B2, {7860, 7440, 7335, 675}),
        Text{.name = "pid54",
             .text = "P-Band:\nNachlaufzeit:\nVorhaltzeit:",
             .r = {8820, 8340, 1155, 675},
             .art = Art::Absatz},
        Text{.name = "Label6",
             .text = "1.7 x kritisches P-Band\n0.5 x Schwingungsdauer\n0.12 x Schwingungsdauer",
             .r = {10200, 8340, 2295, 675},
             .art = Art::Absatz,
             .ausrichtung = Ausrichtung::Rechts},
        Text{.name = "pid56",
             .text = "im Beispiel:",
             .r = {13020, 8340, 780, 195},
             .schrift = normal},
        Text{.name = "pid57",
             .text = "17 K\n20 s\n5 s",
             .r = {14100, 8340, 435, 675},
             .art = Art::Absatz,
             .schrift = normal,
             .ausrichtung = Ausrichtung::Rechts},

        // Command block; it ends at the window's right edge, 15240, not beyond it, where its
        // right border would not be seen, and one pixel below the buttons, which would end on
        // its bottom border.
        Rahmen{.name = "zul_befehle", .r = {7800, 9360, 7440, 1110}},
    };
    anhaengen(t, adressblock({"Picture1",
                              {120, 120, 1605, 795},
                              "Label1",
                              {2280, 120, 1710, 360},
                              "Label2",
                              {2520, 480, 1230, 195},
                              "Label3",
                              {2280, 720, 1635, 195}},
                             "zul_befehle"));
    anhaengen(t, {
                     Knopf{.name = "start",
                           .text = "Start Grafik",
                           .r = {4980, 120, 1215, 495},
                           .in = "zul_befehle"},
                     Knopf{.name = "weiter",
                           .text = "weiter",
                           .r = {4980, 600, 1215, 495},
                           .in = "zul_befehle"},
                     Knopf{.name = "zurück",
                           .text = "zurück",
                           .r = {6180, 120, 1215, 495},
                           .in = "zul_befehle"},
                     Knopf{.name = "beenden",
                           .text = "beenden",
                           .r = {6180, 600, 1215, 495},
                           .in = "zul_befehle"},
                 });
    return t;
}

} // namespace

std::vector<Element> seite_2_elemente() {
    return tabelle();
}

seite_2::seite_2(Navigator& nav)
    : Seitenfenster(nav, {.titel = QStringLiteral("Seite 2"),
                          .breite = 15240,
                          .hoehe = 11010,
                          .elemente = tabelle(),
                          // After the stated order, the charts, to be read out by keyboard.
                          .tabfolge = {"weiter", "zurück", "beenden", "start", "w1", "xp1", "tn1",
                                       "tv1", "graph", "Leistung"},
                          .weiter_zu = 3,
                          .zurueck_zu = 1}) {
    connect(element<QPushButton>("start"), &QPushButton::clicked, this, &seite_2::start_Click);
}

void seite_2::Form_Load() {
    laufen(2, true);
}

void seite_2::start_Click() {
    laufen(2, false);
}

} // namespace seiten
