// Any bytes as the texts of a page's fields, read as numbers in the user's locale, held to the
// fields' limits, made into the run's parameters and run through the simulation, as
// "Start Grafik" (or page 3's load) does it. No run may hit undefined behaviour or produce a
// value that is not finite; the power stays in 0..100, and no gain within its field's limit is
// reset.
//
// Input: byte 0 the run (page 2, page 3, page 3 at load), byte 1 the user's locale, byte 2 which
// limited fields hold their limit text; then the field texts in the page's reading order,
// separated by '\n' (a field never holds one). A field holds at most what can be typed or pasted
// into it: its maximum length, unless it holds its limit text.
#include "kaskade.h"
#include "pid.h"
#include "zahlen.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void fehler(const char* was, double wert) {
    std::fprintf(stderr, "%s: %.17g\n", was, wert);
    std::abort();
}

struct Sprache {
    QLocale::Language sprache;
    QLocale::Territory gebiet;
};
// Decimal point, decimal comma, Arabic and Persian digits and signs, Indian grouping, Swedish
// exponents ("×10^"), Hebrew signs.
const Sprache sprachen[] = {
    {QLocale::C, QLocale::AnyTerritory},       {QLocale::German, QLocale::Germany},
    {QLocale::German, QLocale::Switzerland},   {QLocale::French, QLocale::France},
    {QLocale::English, QLocale::UnitedStates}, {QLocale::Arabic, QLocale::Egypt},
    {QLocale::Persian, QLocale::Iran},         {QLocale::Hindi, QLocale::India},
    {QLocale::Swedish, QLocale::Sweden},       {QLocale::Hebrew, QLocale::Israel},
};

struct Feld {
    int max_laenge;
    const char* grenztext = nullptr; // nullptr: no limit; "": the limit in the user's format
    double grenze = 0;
};

void endlich(double v) {
    if (!std::isfinite(v)) fehler("not a finite number", v);
}
void leistung(double y) {
    if (!(y >= 0 && y <= 100)) fehler("power outside 0..100", y);
}

struct pid_pruefen {
    void zeile(const sim::pid_zeile& z) {
        endlich(z.milch);
        endlich(z.heizplatte);
        leistung(z.y);
    }
    void ende() {}
};
struct kaskaden_pruefen {
    void zeile(const sim::kaskaden_zeile& z) {
        endlich(z.x1);
        endlich(z.w2);
        endlich(z.x2);
        leistung(z.y);
    }
    void ende() {}
};
struct aufheiz_pruefen {
    void zeile(const sim::aufheiz_zeile& z) { endlich(z.istwert); }
    void ende() {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 3) return 0;
    const int lauf = daten[0] % 3;
    const Sprache& sprache = sprachen[daten[1] % std::size(sprachen)];
    QLocale::setDefault(QLocale(sprache.sprache, sprache.gebiet));
    const QLocale nutzer = shell::zahlformat();
    const uint8_t grenzbits = daten[2];

    // The fields in the order the run reads them.
    static const std::vector<Feld> seite_2 = {{3, "", 99.9}, {4}, {4}, {3}}; // w1 xp1 tn1 tv1
    static const std::vector<Feld> seite_3 = {
        {3}, {4}, {3, "", 9.9}, {4, "", 99.9}, {2}, {4, "100", 100},
        {2}}; // xp2 tn1 v1 w1 tv1 maxdiff tv2
    static const std::vector<Feld> seite_3_laden = {
        {4, "", 99.9}, {2}, {4, "100", 100}, {2}}; // w1 tv1 maxdiff tv2
    const std::vector<Feld>& felder = lauf == 0 ? seite_2 : lauf == 1 ? seite_3 : seite_3_laden;

    std::vector<double> werte;
    size_t pos = 3;
    for (size_t i = 0; i < felder.size(); ++i) {
        size_t ende = pos;
        while (ende < groesse && daten[ende] != '\n')
            ++ende;
        QString t =
            QString::fromUtf8(reinterpret_cast<const char*>(daten + pos), qsizetype(ende - pos));
        pos = ende < groesse ? ende + 1 : ende;
        const Feld& f = felder[i];
        t.remove(QLatin1Char('\r'));
        if (f.grenztext && (grenzbits >> i & 1))
            t = *f.grenztext ? QString::fromLatin1(f.grenztext)
                             : shell::zahl_text(f.grenze, nutzer);
        else
            t.truncate(f.max_laenge);
        auto v = shell::zahl_lesen(t, nutzer);
        if (!v) return 0; // the page beeps and starts no run
        // "Start Grafik" holds a field above its limit at the limit.
        if (f.grenztext && *v > f.grenze) v = f.grenze;
        werte.push_back(*v);
    }

    if (lauf == 0) {
        const auto p = sim::pid_parameter_bilden(
            {.w = werte[0], .xp = werte[1], .tn = werte[2], .tv = werte[3]});
        sim::pid_lauf(p, 200, pid_pruefen{});
    } else {
        const auto p =
            sim::kaskaden_parameter_bilden(lauf == 1 ? sim::kaskaden_felder{.w1 = werte[3],
                                                                            .v1 = werte[2],
                                                                            .tn1 = werte[1],
                                                                            .tv1 = werte[4],
                                                                            .xp2 = werte[0],
                                                                            .tv2 = werte[6],
                                                                            .maxdiff = werte[5]}
                                                     : sim::kaskaden_felder{.w1 = werte[0],
                                                                            .v1 = 1,
                                                                            .tv1 = werte[1],
                                                                            .tv2 = werte[3],
                                                                            .maxdiff = werte[2]});
        if (p.v1_verworfen) fehler("a gain within its field's limit was reset", p.v1);
        sim::kaskaden_lauf(p, 200, kaskaden_pruefen{});
        if (lauf == 2) sim::aufheiz_lauf(30, aufheiz_pruefen{});
    }
    return 0;
}
