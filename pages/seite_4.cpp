// Page 4: further kinds of controller, each with a drawn example: program controllers,
// multi-stage and multi-zone controllers, and controllers on a serial bus. Static, like page 1.
#include "seite_4.h"

#include "symbole.h"

namespace seiten {

using namespace shell;

namespace {

// ---- Texts --------------------------------------------------------------------------------

const char* const Q1 =
    "Zeitabhängige Prozesse fährt man am besten mit Programmreglern. Diese werden abschnittweise "
    "programmiert. Der Programmablauf lässt sich von verschiedenen Kriterien abhängig machen, zum "
    "Beispiel vom Erreichen des Sollwerts oder von externen Weiterschaltsignalen, auf die "
    "gewartet wird.";
const char* const Q2 =
    "Hinweise: Die Rampen beginnen beim momentanen Istwert. In Abschnitt 2 wird hier keine Rampe "
    "gefahren, der neue Sollwert wird also so schnell wie möglich angefahren.";
const char* const Q3 =
    "Die Abschnitte sind frei zu Programmen kombinierbar; es gibt Geräte mit bis 99 Abschnitten.";
const char* const Q4 = "Wo Prozesse zu festen Zeiten gestartet werden müssen, stehen Regler mit "
                       "eingebauten Wochenuhren zur Verfügung.";
const char* const Q5 =
    "Mehrstufenregler regeln eine Anlage aus einem einzigen Regelkreis mit mehreren "
    "Stellgliedern, etwa einen Ofen mit mehreren Heizregistern oder eine Kühlanlage mit mehreren "
    "Kompressoren. Der Leistungsbedarf wird gleichmässig auf die Stellglieder verteilt; es lässt "
    "sich auch erreichen, dass alle Kompressoren etwa gleich lange laufen und nicht zu schnell "
    "umschalten.";
const char* const Q6 =
    "Der Standard-Mehrstufenregler eignet sich für 3 bis 6 Stufen. Zur Feinregelung kann eine "
    "Stufe takten; sie erhält meist einen Thyristorschalter, die übrigen Stufen werden mit "
    "Schützen geschaltet.";
const char* const Q7 =
    "Diese Regler regeln mehrere Zonen einer Anlage mit je 1 Fühler und einem Stellglied. Oft "
    "lassen sie sich von einem Gerät aus bedienen, das den Sollwert und den Ein/Aus-Zustand an "
    "die anderen weitergibt (Master-Slave-System). Über einen Offset zum Sollwert des Masters "
    "können die einzelnen Zonen auf verschiedene Werte regeln.";
const char* const Q8 = "Mit programmierbaren Reglern lassen sich ohne Aufwand verschiedene "
                       "Temperaturprofile bei unterschiedlichen Bandgeschwindigkeiten fahren.";
const char* const Q9 =
    "Alle Regler haben eine serielle Schnittstelle. Über einen Bus (RS 485) lassen sie sich "
    "untereinander und mit einem PC in der Leitwarte verbinden. Für die Protokollierung der "
    "Regelvorgänge bietet NORVA eine preisgünstige Standard-Software an; für weitergehende "
    "Anforderungen werden individuelle Lösungen geliefert.";
const char* const Q10 =
    "NORVA baut Regler für jede Anwendung. Die Standardmodelle lassen sich in weiten Grenzen "
    "anpassen; reicht das nicht, kann der Hersteller, der seine Geräte von A bis Z selbst baut, "
    "auf jeder Stufe eingreifen und mit wenig Aufwand Regler genau nach den Bedürfnissen des "
    "Kunden bauen.";

// ---- Figures ------------------------------------------------------------------------------

constexpr Farbe gehaeuse = dunkelgrau; // the belt furnace's housing
constexpr Farbe konverter = cyan;      // the RS232/RS485 converter
constexpr Farbe namensgrund = weiss;   // behind the converter's name

// Set-point profile: ramp and hold; step and hold; falling ramp and hold.
std::vector<Element> sollwertverlauf(const char* in) {
    std::vector<Element> b = {
        beschriftung("", "Beispiel Sollwertverlauf", 120, 120, in),
        Linie{{360, 2400}, {7200, 2400}, schwarz, 1, in}, // time
    };
    for (int x : {360, 2400, 4440, 6840})
        b.push_back(Linie{{x, 360}, {x, 2520}, schwarz, 1, in});   // section boundaries
    b.push_back(Linie{{1320, 480}, {1320, 1200}, schwarz, 1, in}); // ramp | hold, section 1
    b.push_back(Linie{{5640, 360}, {5640, 1920}, schwarz, 1, in}); // ramp | hold, section 3
    anhaengen(b, linienzug({{360, 2160},
                            {1320, 1080},
                            {2400, 1080},
                            {2400, 840},
                            {4440, 840},
                            {5640, 1680},
                            {6840, 1680}},
                           2, in));
    const std::vector<Element> marken = {
        beschriftung("", "Rampe 1", 480, 480, in),
        beschriftung("", "Haltezeit 1", 1440, 480, in),
        beschriftung("", "Haltezeit 2", 3000, 480, in),
        beschriftung("", "Rampe 3", 4680, 480, in),
        beschriftung("", "Haltezeit 3", 5760, 480, in),
        beschriftung("", "Abschnitt 1", 840, 2520, in),
        beschriftung("", "Abschnitt 2", 2880, 2520, in),
        beschriftung("", "Abschnitt 3", 5160, 2520, in),
    };
    anhaengen(b, marken);
    return b;
}

// A furnace with heating stages on both walls; the controller drives the three on the left.
std::vector<Element> mehrstufenofen(const char* in) {
    std::vector<Element> b = {
        Form{.r = {3120, 960, 975, 855}, .in = in},
        beschriftung("", "Regler", 3360, 1320, in),
        Form{.r = {5280, 480, 1215, 1695}, .in = in},
        beschriftung("", "Ofen", 5640, 1560, in),
    };
    for (int x : {5160, 6480})
        for (int y : {480, 1080, 1680})
            b.push_back(Form{.r = {x, y, 135, 495}, .randbreite = 2, .in = in});
    b.push_back(Form{.art = FormArt::Kreis, .r = {5820, 1080, 135, 135}, .in = in}); // sensor
    anhaengen(b, linienzug({{3600, 960}, {3600, 360}, {5880, 360}, {5880, 1080}}, 1, in));
    // Stage 1 rises along a one-pixel rectangle.
    b.push_back(Linie{{4080, 1080}, {4680, 1080}, schwarz, 1, in});
    b.push_back(Form{.r = {4680, 720, 15, 375}, .in = in});
    b.push_back(Linie{{4680, 720}, {5160, 720}, schwarz, 1, in});
    b.push_back(Linie{{4080, 1320}, {5160, 1320}, schwarz, 1, in}); // stage 2
    anhaengen(b, linienzug({{4080, 1560}, {4680, 1560}, {4680, 1920}, {5160, 1920}}, 1, in));
    return b;
}

Text regler_kasten(const char* name, const char* text, int x, const char* in) {
    return zentriert(name, text, {x, 480, 735, 495}, in, true);
}

Text zone(const char* name, const char* text, int x, const char* in) {
    return Text{.name = name, .text = text, .r = {x, 1320, 1035, 255}, .rand = true, .in = in};
}

// Five controllers on one line: four heating zones and the belt; controller 1 is the master.
std::vector<Element> bandofen(const char* in) {
    std::vector<Element> b = {
        regler_kasten("mzr20", " Regler   1", 1380, in),
        regler_kasten("mzr21", " Regler   2", 2580, in),
        regler_kasten("mzr23", " Regler   3", 3780, in),
        regler_kasten("mzr24", " Regler   4", 4980, in),
        regler_kasten("mzr25", " Regler   Band", 6480, in),
        Linie{{1740, 360}, {6840, 360}, schwarz, 1, in},
    };
    for (int x : {1740, 2940, 4140, 5340, 6840})
        b.push_back(Linie{{x, 360}, {x, 480}, schwarz, 1, in});
    const std::vector<Element> zonen = {
        beschriftung("", "Master", 180, 420, in), Linie{{1380, 720}, {780, 540}, schwarz, 1, in},
        zone("mzr11", " Heizung 1", 1200, in),    zone("mzr12", " Heizung 2", 2400, in),
        zone("mzr13", " Heizung 3", 3600, in),    zone("mzr14", " Heizung 4", 4800, in),
    };
    anhaengen(b, zonen);
    for (int x : {1740, 2940, 4140, 5340})
        b.push_back(Linie{{x, 960}, {x, 1320}, schwarz, 1, in});
    const std::vector<Element> ofen = {
        // Only an outline: the zones, the belt and its rollers show through.
        Form{.r = {1080, 1080, 4875, 1335}, .rand = gehaeuse, .randbreite = 4, .in = in},
        Form{.art = FormArt::Kreis, .r = {540, 1680, 435, 435}, .in = in},
        Form{.art = FormArt::Kreis, .r = {6600, 1680, 435, 435}, .in = in},
        Linie{{780, 1680}, {6840, 1680}, schwarz, 1, in},
        Linie{{720, 2100}, {6840, 2100}, schwarz, 1, in},
        Linie{{6840, 960}, {6840, 1920}, schwarz, 1, in}, // belt drive
    };
    anhaengen(b, ofen);
    return b;
}

// A PC, a converter and four controllers on one RS 485 line.
std::vector<Element> bus(const char* in) {
    std::vector<Element> b = {
        Text{.name = "bus_text",
             .text = "Bus RS 485: bis zu 32 Geräte über eine Länge bis 1000 m mit 2-Draht-Leitung, "
                     "bei Bedarf galvanisch getrennt.",
             .r = {1140, 240, 5055, 435},
             .art = Art::Absatz,
             .in = in},
        Rahmen{.name = "pc",
               .r = {360, 660, 615, 555},
               .rand = false,
               .bild = ":/bilder/pc.xpm",
               .in = in},
        Form{.art = FormArt::Kreis, .r = {1380, 780, 375, 435}, .fuellung = konverter, .in = in},
        Form{.r = {1320, 840, 495, 255}, .fuellung = konverter, .in = in},
        Linie{{1320, 900}, {1320, 1080}, schwarz, 2, in},
        Linie{{1320, 1080}, {1380, 1080}, schwarz, 3, in},
        Linie{{1740, 1080}, {1755, 1095}, schwarz, 3, in},
        Text{.name = "konverter",
             .text = "ev. Konverter RS232/RS485",
             .r = {960, 1200, 1335, 435},
             .art = Art::Absatz,
             .grund = namensgrund,
             .in = in},
        Linie{{5940, 960}, {900, 960}, schwarz, 1, in},
    };
    for (int x : {2880, 3900, 4920, 5940})
        b.push_back(Linie{{x, 960}, {x, 1440}, schwarz, 1, in});
    for (int x : {2400, 3420, 4440, 5460})
        anhaengen(b, regler_symbol(x, 1440, in));
    return b;
}

std::vector<Element> befehle(const char* in) {
    std::vector<Element> b = adressblock({"Picture1",
                                          {120, 120, 1605, 795},
                                          "Firma",
                                          {2280, 120, 1710, 360},
                                          "strasse",
                                          {2640, 480, 1230, 195},
                                          "ort",
                                          {2400, 720, 1635, 195}},
                                         in);
    anhaengen(
        b, {
               Knopf{.name = "zurück", .text = "zurück", .r = {4920, 240, 1215, 495}, .in = in},
               Knopf{.name = "beenden", .text = "beenden", .r = {6120, 240, 1215, 495}, .in = in},
           });
    return b;
}

} // namespace

std::vector<Element> seite_4_elemente() {
    std::vector<Element> s = {
        titel("titel4", "4. Weitere Möglichkeiten", {120, 60, 2145, 195}),
        titel("titel41", "4.1 Programmregler", {120, 360, 1650, 195}),
        absatz("txtprg", Q1, {240, 720, 7335, 855}),
        absatz("progabs3", Q4, {240, 5580, 7350, 495}),
        titel("titel42", "4.2 Mehrstufen-Regler", {240, 6240, 1905, 195}),
        absatz("text_mst", Q5, {240, 6480, 7335, 1095}),
        titel("mzreg", "4.3 Mehrzonen-Regler", {7680, 360, 1890, 195}),
        // The right column ends at the window's right edge, 15240, not beyond it.
        absatz("mzreg1", Q7, {7860, 660, 7380, 855}),
        absatz("Label1", Q8, {7860, 4260, 7380, 495}),
        titel("soft1", "4.4 Software für Fernbedienung und Protokollierung",
              {7680, 4860, 4410, 195}),
        absatz("soft2", Q9, {7860, 5160, 7380, 855}),
        absatz("einführung", Q10, {7860, 8640, 7380, 675}),

        Rahmen{.name = "grafprg", .r = {240, 1440, 7335, 3855}},
        Rahmen{.name = "mstreg",
               .titel = "Beispiel: Ofen mit 3 Heizstufen",
               .r = {240, 7800, 7335, 2295}},
        Rahmen{
            .name = "mzreg3", .titel = "Beispiel: 4-Zonen-Bandofen", .r = {7860, 1680, 7380, 2535}},
        Rahmen{.name = "busbild", .r = {7860, 6000, 7380, 2475}},
        Rahmen{.name = "zul_befehle", .r = {7800, 9420, 7440, 1035}},

        absatz("hinwprg", Q2, {120, 2880, 7095, 615}, "grafprg"),
        absatz("proabs2", Q3, {120, 3360, 6975, 375}, "grafprg"),
        absatz("msttext", Q6, {120, 420, 2775, 1455}, "mstreg"),
    };
    anhaengen(s, sollwertverlauf("grafprg"));
    anhaengen(s, mehrstufenofen("mstreg"));
    anhaengen(s, bandofen("mzreg3"));
    anhaengen(s, bus("busbild"));
    anhaengen(s, befehle("zul_befehle"));
    return s;
}

seite_4::seite_4(shell::Navigator& nav)
    : Seitenfenster(nav, {.titel = QStringLiteral("Seite 4"),
                          .breite = 15240,
                          .hoehe = 10650,
                          .elemente = seite_4_elemente(),
                          .tabfolge = {"zurück", "beenden"},
                          .zurueck_zu = 3}) {}

} // namespace seiten
