// Page 1: the table of contents and the terms of closed-loop control, explained on milk heated
// in a pan on a hot plate. Everything here is static: texts, frames and drawings.
#include "seite_1.h"

#include "symbole.h"

#include <QLabel>
#include <string>

namespace seiten {

using namespace shell;

namespace {

// ---- Texts --------------------------------------------------------------------------------
// Broken by hand for their boxes: "Ener- gie" is a break at the end of a line.

const char* const P1 =
    "Ein Regler hat die Aufgabe, eine Grösse selbsttätig auf einen vorgegebenen Wert zu bringen "
    "und sie dort zu halten. Dazu wird die Grösse gemessen und über ein Stellmittel beeinflusst.";
const char* const P2 =
    "Milch wird in einer Pfanne auf der Heizplatte erwärmt. Der Regler erhält vom Fühler den "
    "Tempe- ratur-Istwert und steuert die Ener- giezufuhr über einen Schalter.";
const char* const P3 =
    "Stellglieder können sehr verschieden sein. Der Schalter im Beispiel kennt zwei Zustände, "
    "offen oder geschlossen; man spricht daher von einem 2-Punkt-Regler. Ein Gerät, das auch "
    "kühlen kann, heisst 3-Punkt-Regler (heizen, aus, kühlen). Stellglieder, die den "
    "Energiefluss stufenlos von 0 bis 100 % verändern, ergeben eine stetige Regelung; meist "
    "spricht jedoch der Preis gegen diese fast idealen Stellglieder. Deshalb lässt man 2- und "
    "3-Punkt-Regler durch Verändern des Impuls-Pausen-Verhältnisses quasistetig arbeiten.";
const char* const P4 = "Die Art, wie der Regler die Informationen verarbeitet, die ihn erreichen "
                       "(Soll- und Istwert), nennt man sein Regelverhalten.";
const char* const P5 =
    "Das einfachste Regelverhalten hat der 2-Punkt-Ein/Aus-Regler: Solange der Istwert unter dem "
    "Sollwert liegt, wird Energie zugeführt; liegt er darüber, wird die Zufuhr unterbrochen. Am "
    "Beispiel der Milch zeigt sich, dass dieses Verfahren wenig befriedigt.";
const char* const P6 =
    "Wird die Heizplatte erst ausgeschaltet, wenn die Milch zu kochen beginnt, so kocht sie über, "
    "weil in der heisseren Platte noch Energie gespeichert ist. Es braucht eine intelligentere "
    "Regelung.";
const char* const P7 =
    "Am häufigsten ist der PID-Regler. Das P-Verhalten dosiert die Leistung proportional zum "
    "Abstand des Istwerts vom Sollwert. Der I-Anteil integriert die Abweichung zwischen Soll- und "
    "Istwert auf und erhöht so lange die Leistungszufuhr, bis sie null wird. Der D-Anteil bremst "
    "die Annäherung an den Sollwert je nach Geschwindigkeit und verhindert so ein Ueberschwingen.";
const char* const P8 = "Die Funktion dieser Regelung kann in Abschnitt 2 ausprobiert werden; dort "
                       "finden Sie auch Hilfe zum Bestimmen der Regelparameter.";
const char* const P9 =
    "Im Beispiel lässt sich das Regelverhalten durch einen zweiten Fühler weiter verbessern.";
const char* const P10 =
    "Über den zweiten Fühler an der Heizplatte erhält der Kaskaden- regler mehr Information über "
    "die Erwärmung; er kann deshalb 'vorausschauend' regeln.";
const char* const P11 =
    "Regler 1 berechnet den Sollwert für Regler 2. Er hat PID-Verhalten; bei NORVA-Reglern wird "
    "statt eines P-Bandes dessen Kehrwert, die Verstärkung, eingegeben. Regler 2 berechnet die "
    "Stellgrösse y; er ist ein PD-Regler, denn für die Hilfsgrösse wird kein I-Anteil gebraucht. "
    "Oft ist es nützlich, die Differenz zwischen Istwert 1 und 2 begrenzen zu können; das "
    "verzögert zwar das Erreichen des Sollwerts, schont aber Anlage und Heizgut.";
const char* const P12 = "Die Funktion dieser Regelung kann in Abschnitt 3 ausprobiert werden; dort "
                        "finden Sie auch Hilfe zum Bestimmen der Regelparameter.";

// ---- Figures ------------------------------------------------------------------------------

constexpr Farbe pfanne = grau;         // the pan and its handles
constexpr Farbe block = grau;          // blocks of the block diagrams
constexpr Farbe hilfskreis = hellcyan; // blocks of the inner loop of the cascade
constexpr Farbe fuehrung = blau;       // short lines from a signal name down to its arrow

// A contents entry's leader: full stops from its title to the page reference, which ends at the
// label's right edge, so that the references line up whatever the length of the titles.
Text verweis(const char* name, const char* seite, Rect r) {
    return Text{.name = name,
                .text = seite,
                .r = r,
                .art = Art::Fuehrung,
                .ausrichtung = Ausrichtung::Rechts,
                .in = "inhaltsverz"};
}

// The example: controller, pan on the hatched hot plate, sensor, and the open switch in the
// plate's supply.
std::vector<Element> beispiel(const char* in) {
    std::vector<Element> b = regler_symbol(3600, 480, in);
    const std::vector<Element> rest = {
        flaeche(FormArt::Rechteck, {5280, 480, 1455, 495}, pfanne, in),
        flaeche(FormArt::Rechteck, {5520, 720, 975, 495}, pfanne, in),
        flaeche(FormArt::Kreis, {5280, 840, 375, 375}, pfanne, in),
        flaeche(FormArt::Kreis, {6360, 840, 375, 375}, pfanne, in),
        Linie{{5280, 720}, {5040, 600}, pfanne, 3, in},
        Linie{{6720, 720}, {6960, 600}, pfanne, 3, in},
        Form{.r = {5160, 1200, 1695, 375}, .schraffiert = true, .in = in},
        // The name covers the hatching behind it, so that it stays legible.
        Text{.name = "heizplatte",
             .text = "Heizplatte",
             .r = {5520, 1320, 870, 195},
             .grund = weiss,
             .in = in},
        Linie{{4080, 480}, {4080, 240}, schwarz, 1, in}, // sensor lead
        Linie{{4080, 240}, {5160, 240}, schwarz, 1, in},
        Linie{{5160, 240}, {5880, 960}, schwarz, 3, in}, // probe into the milk
        Linie{{4080, 1200}, {4080, 1320}, schwarz, 1, in},
        Linie{{3960, 1440}, {3240, 1440}, schwarz, 2, in},
        Linie{{4200, 1320}, {3960, 1440}, schwarz, 2, in}, // the open contact
        Linie{{4200, 1440}, {5160, 1440}, schwarz, 2, in},
    };
    anhaengen(b, rest);
    return b;
}

// The cascade adds a sensor on the hot plate, wired to the controller's right side.
std::vector<Element> zweiter_fuehler(const char* in) {
    return {
        Linie{{4440, 840}, {4920, 840}, schwarz, 1, in},
        Linie{{4920, 840}, {4920, 960}, schwarz, 1, in},
        Linie{{4920, 960}, {5280, 1200}, schwarz, 3, in},
    };
}

std::vector<Element> regelkreis(const char* in) {
    return {
        kasten("begriff61", "Stellglied (Schalter)", {1560, 240, 1215, 495}, block, in),
        kasten("begriff62", "Regelstrecke  (Heizplatte und Pfanne)", {3120, 240, 2055, 495}, block,
               in),
        kasten("begriff63", "Istwertmessung (Fühler)", {5520, 240, 1335, 495}, block, in),
        kasten("begriff64", "Regler", {3480, 840, 1335, 255}, block, in),
        beschriftung("begriff7", "Energie", 720, 240, in),
        beschriftung("begriff68", "Stellgrösse y", 2160, 1080, in),
        beschriftung("Label5", "Sollwert w", 3720, 1320, in),
        beschriftung("begriff69", "Istwert x", 5400, 1080, in),
        beschriftung("begriff74", "Eine Regelung ist immer ein geschlossener Kreis von Signalen",
                     1080, 1560, in),
        pfeil({{720, 480}, {1560, 480}}, in),
        pfeil({{2760, 480}, {3120, 480}}, in),
        pfeil({{5160, 480}, {5520, 480}}, in),
        pfeil({{6840, 480}, {7200, 480}}, in),
        pfeil({{6120, 720}, {6120, 960}, {4800, 960}}, in),
        pfeil({{3480, 960}, {2160, 960}, {2160, 720}}, in),
        pfeil({{4200, 1320}, {4200, 1080}}, in),
    };
}

std::vector<Element> kaskade(const char* in) {
    return {
        kasten("Label13", "Regler", {960, 660, 615, 495}, block, in),
        kasten("Label17", "Regler 2", {1920, 660, 615, 495}, hilfskreis, in),
        kasten("Label15", "Stellglied (Schalter)", {2880, 660, 915, 495}, hilfskreis, in),
        kasten("Label16", "Hilfsstrecke (Heizplatte)", {4080, 660, 1095, 495}, hilfskreis, in),
        kasten("Label14", "Hauptstrecke (Pfanne)", {5520, 660, 1215, 495}, block, in),
        zentriert("Label9", "Sollwert w1", {120, 180, 765, 435}, in),
        Linie{{480, 600}, {480, 840}, fuehrung, 1, in},
        zentriert("Label18", "Sollwert w2", {1440, 180, 735, 435}, in),
        Linie{{1740, 600}, {1740, 780}, fuehrung, 1, in},
        zentriert("Label11", "Stellgrösse y", {2220, 180, 975, 435}, in),
        Linie{{2700, 660}, {2700, 840}, fuehrung, 1, in},
        beschriftung("Label12", "Energie", 3540, 180, in),
        Linie{{3900, 420}, {3900, 840}, fuehrung, 1, in},
        beschriftung("Label19", "Energie", 5040, 180, in),
        Linie{{5340, 420}, {5340, 840}, fuehrung, 1, in},
        beschriftung("Label10", "Istwert x1", 1440, 1500, in),
        beschriftung("Label20", "Istwert x2", 2400, 1440, in),
        beschriftung("Label6",
                     "Eine Kaskadenregelung besteht aus 2 ineinander verschachtelten Kreisen", 660,
                     1860, in),
        pfeil({{120, 900}, {960, 900}}, in),
        pfeil({{1560, 900}, {1920, 900}}, in),
        pfeil({{2520, 900}, {2880, 900}}, in),
        pfeil({{3720, 900}, {4080, 900}}, in),
        pfeil({{5160, 900}, {5520, 900}}, in),
        pfeil({{6720, 900}, {7080, 900}}, in),
        pfeil({{4620, 1140}, {4620, 1380}, {2280, 1380}, {2280, 1140}}, in), // x2, inner loop
        pfeil({{6120, 1140}, {6120, 1740}, {1320, 1740}, {1320, 1140}}, in), // x1, outer loop
    };
}

std::vector<Element> befehle(const char* in) {
    std::vector<Element> b = adressblock({"Picture1",
                                          {120, 120, 1605, 795},
                                          "Label1",
                                          {1920, 120, 1710, 360},
                                          "Label2",
                                          {2160, 480, 1230, 195},
                                          "Label3",
                                          {1920, 720, 1635, 195}},
                                         in);
    anhaengen(
        b, {
               Knopf{.name = "weiter", .text = "weiter", .r = {4680, 240, 1215, 495}, .in = in},
               Knopf{.name = "beenden", .text = "beenden", .r = {5880, 240, 1215, 495}, .in = in},
           });
    return b;
}

} // namespace

std::vector<Element> seite_1_elemente() {
    std::vector<Element> s = {
        Text{.name = "Label4",
             .text = "NORVA-Regler und Regeltechnik",
             .r = {1800, 120, 3960, 300},
             .schrift = titelschrift},
        titel("titel1", "1.  Begriffe", {120, 2040, 960, 195}),
        absatz("begr1a", P1, {360, 2280, 7395, 495}),
        titel("begriff1", "1.1 Beispiel einer Regelung", {120, 2880, 2355, 195}),
        titel("begriff5", "1.2 Schema dieser Regelung", {120, 5040, 2460, 195}),
        titel("begri1", "1.3 Stellglieder", {120, 7260, 1290, 195}),
        absatz("begri2", P3, {360, 7500, 7335, 1275}),
        titel("begriff8", "1.4 Regelverhalten", {120, 8880, 1635, 195}),
        absatz("begr9", P4, {360, 9120, 7335, 435}),
        absatz("begri3", P5, {360, 9600, 7335, 735}),
        // The right column ends at the window's right edge, 15240, not beyond it.
        absatz("s114a", P6, {8100, 540, 7140, 495}),
        titel("begri5", "1.5 PID-Regler", {7980, 1140, 1275, 195}),
        absatz("begri51", P7, {8100, 1380, 7140, 915}),
        fetter_absatz("begri52", P8, {8580, 2340, 6135, 495}),
        titel("begri6", "1.6 Kaskadenregler", {7980, 2880, 1665, 195}),
        absatz("begri61", P9, {8100, 3120, 7140, 495}),
        absatz("Label21", P11, {8040, 7740, 7200, 1035}),
        fetter_absatz("Label22", P12, {8460, 8940, 6135, 495}),

        Rahmen{.name = "inhaltsverz", .titel = "Inhalt:", .r = {120, 480, 7575, 1455}},
        Rahmen{.name = "begriff4", .r = {360, 3120, 7335, 1815}},
        Rahmen{.name = "begriff6", .r = {360, 5280, 7335, 1815}},
        Rahmen{.name = "kaskade_bild", .r = {8040, 3600, 7200, 1815}},
        Rahmen{.name = "kaskade_schema", .r = {8040, 5460, 7200, 2175}},
        Rahmen{.name = "zul_befehle", .r = {8040, 9540, 7200, 975}, .grund = weiss},

        // The contents; the references end at x = 7455.
        titel("titel1(1)", "1. Begriffe", {120, 360, 0, 195}, "inhaltsverz"),
        verweis("s1", "Seite 1", {1200, 360, 6255, 195}),
        titel("titel2(1)", "2. PID-Regler mit Simulation", {120, 600, 0, 255}, "inhaltsverz"),
        verweis("s2", "Seite 2", {2640, 600, 4815, 195}),
        titel("titel3(1)", "3. Kaskadenregler mit Simulation", {120, 840, 0, 195}, "inhaltsverz"),
        verweis("s3", "Seite 3", {3000, 840, 4455, 195}),
        titel("titel4(1)", "4. Weitere Möglichkeiten", {120, 1080, 0, 195}, "inhaltsverz"),
        verweis("s4", "Seite 4", {2340, 1080, 5115, 195}),

        absatz("Label7", P2, {120, 240, 2535, 1095}, "begriff4"),
    };
    anhaengen(s, beispiel("begriff4"));
    anhaengen(s, regelkreis("begriff6"));
    s.push_back(absatz("begri63", P10, {180, 240, 2535, 1095}, "kaskade_bild"));
    anhaengen(s, umgehaengt(beispiel("begriff4"), "kaskade_bild"));
    anhaengen(s, zweiter_fuehler("kaskade_bild"));
    anhaengen(s, kaskade("kaskade_schema"));
    anhaengen(s, befehle("zul_befehle"));
    return s;
}

seite_1::seite_1(shell::Navigator& nav)
    : Seitenfenster(nav, {.titel = QStringLiteral("Seite 1"),
                          .breite = 15240,
                          .hoehe = 11115,
                          .elemente = seite_1_elemente(),
                          .tabfolge = {"weiter", "beenden"},
                          .weiter_zu = 2,
                          .beenden_auf_taste = true}) {}

} // namespace seiten
