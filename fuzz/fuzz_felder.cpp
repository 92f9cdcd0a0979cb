// Any bytes as the texts of a page's fields, read as numbers, run through the simulation and
// written back as cell texts, as "Start Grafik" (or page 3's load) does it. No run may hit
// undefined behaviour or write a cell that is not a finite number; the power stays in 0..100 and
// the set-point column holds the field's text.
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
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void fehler(const char* was, const QString& text) {
    std::fprintf(stderr, "%s: \"%s\"\n", was, text.toUtf8().constData());
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

QLocale gebietsschema(uint8_t b) {
    const Sprache& s = sprachen[b % std::size(sprachen)];
    return QLocale(s.sprache, s.gebiet);
}

struct Feld {
    int max_laenge;
    const char* grenztext = nullptr; // nullptr: no limit; "": the limit in the user's format
    double grenze = 0;
};

// A cell as the chart takes it: a finite number in the user's format.
double zelle(const QString& text, const QLocale& format) {
    const auto v = shell::zahl_lesen(text, format);
    if (!v) fehler("cell is not a finite number", text);
    return *v;
}

void leistung(const QString& text, const QLocale& format) {
    const double y = zelle(text, format);
    if (!(y >= 0 && y <= 100)) fehler("power outside 0..100", text);
}

// Conversion alone, on the whole uncut text: it reads exactly as Qt reads it (digits take a
// shorter way), what reads as a number is finite, and its text reads back as nearly the same.
void umwandlung(const QString& text, const QLocale& format) {
    const auto v = shell::zahl_lesen(text, format);
    QLocale qt = format;
    qt.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double d = qt.toDouble(QStringView(text).trimmed(), &ok);
    if (v.has_value() != (ok && std::isfinite(d)) ||
        (v && (*v != d || std::signbit(*v) != std::signbit(d))))
        fehler("read otherwise than Qt reads it", text);
    if (!v) return;
    if (!std::isfinite(*v)) fehler("read as a non-finite number", text);
    const QString zurueck = shell::zahl_text(*v, format);
    const auto w = shell::zahl_lesen(zurueck, format);
    if (!w || std::abs(*w - *v) > 1e-14 * std::abs(*v)) fehler("does not read back", zurueck);
}

// Number to text: Qt's text, where the locale's signs and exponent are single characters (else
// they are written plainly, see zahl_text), and it reads back.
void text_von(double wert, const QLocale& format) {
    if (!std::isfinite(wert)) return;
    const QString t = shell::zahl_text(wert, format);
    QLocale qt = format;
    qt.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    const bool einfach = format.negativeSign().size() == 1 && format.positiveSign().size() == 1 &&
                         format.exponential().size() == 1;
    if (einfach && t != qt.toString(wert, 'g', std::abs(wert) > 1.797693134862315e308 ? 17 : 15))
        fehler("written otherwise than Qt writes it", t);
    const auto w = shell::zahl_lesen(t, format);
    if (!w || std::abs(*w - wert) > 1e-14 * std::abs(wert)) fehler("does not read back", t);
}

struct pid_zellen {
    const QString& w_text;
    const QLocale& format;
    void zeile(const sim::pid_zeile& z) {
        if (w_text != QString::fromUtf8(z.w_text.data(), qsizetype(z.w_text.size())))
            fehler("set-point text changed", w_text);
        zelle(shell::zahl_text(z.milch, format), format);
        leistung(shell::zahl_text(z.y, format), format);
    }
    void ende() {}
};

struct kaskaden_zellen {
    const QString& w1_text;
    const QLocale& format;
    void zeile(const sim::kaskaden_zeile& z) {
        if (w1_text != QString::fromUtf8(z.w1_text.data(), qsizetype(z.w1_text.size())))
            fehler("set-point text changed", w1_text);
        zelle(shell::zahl_text(z.x1, format), format);
        zelle(shell::zahl_text(z.w2, format), format);
        zelle(shell::zahl_text(z.x2, format), format);
        leistung(shell::zahl_text(z.y, format), format);
    }
    void ende() {}
};

struct aufheiz_zellen {
    const QLocale& format;
    void zeile(const sim::aufheiz_zeile& z) { zelle(shell::zahl_text(z.istwert, format), format); }
    void ende() {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 3) return 0;
    const int lauf = daten[0] % 3;
    // The pages convert in the user's locale, without digit grouping.
    QLocale::setDefault(gebietsschema(daten[1]));
    const QLocale nutzer = shell::zahlformat();
    const uint8_t grenzbits = daten[2];
    if (groesse >= 11) {
        double roh = 0;
        std::memcpy(&roh, daten + 3, sizeof roh);
        text_von(roh, nutzer);
    }

    // The fields in the order the run reads them.
    static const std::vector<Feld> seite_2 = {{3, "", 99.9}, {4}, {4}, {3}}; // w1 xp1 tn1 tv1
    static const std::vector<Feld> seite_3 = {
        {3}, {4}, {3, "", 9.9}, {4, "", 99.9}, {2}, {4, "100", 100},
        {2}}; // xp2 tn1 v1 w1 tv1 maxdiff tv2
    static const std::vector<Feld> seite_3_laden = {
        {4, "", 99.9}, {2}, {4, "100", 100}, {2}}; // w1 tv1 maxdiff tv2
    const std::vector<Feld>& felder = lauf == 0 ? seite_2 : lauf == 1 ? seite_3 : seite_3_laden;

    std::vector<QString> texte;
    std::vector<double> werte;
    size_t pos = 3;
    for (size_t i = 0; i < felder.size(); ++i) {
        size_t ende = pos;
        while (ende < groesse && daten[ende] != '\n')
            ++ende;
        QString t =
            QString::fromUtf8(reinterpret_cast<const char*>(daten + pos), qsizetype(ende - pos));
        umwandlung(t, nutzer);
        pos = ende < groesse ? ende + 1 : ende;
        const Feld& f = felder[i];
        t.remove(QLatin1Char('\r'));
        if (f.grenztext && (grenzbits >> i & 1))
            t = *f.grenztext ? QString::fromLatin1(f.grenztext)
                             : shell::zahl_text(f.grenze, nutzer);
        else
            t.truncate(f.max_laenge);
        const auto v = shell::zahl_lesen(t, nutzer);
        if (!v) return 0; // the page beeps and starts no run
        texte.push_back(t);
        werte.push_back(*v);
    }

    if (lauf == 0) {
        const QString& w = texte[0];
        const auto p =
            sim::pid_parameter_bilden(w.toStdString(), werte[0], werte[1], werte[2], werte[3]);
        sim::pid_lauf(p, 200, pid_zellen{w, nutzer});
    } else if (lauf == 1) {
        double v1 = werte[2];
        if (v1 > sim::v1_obergrenze) v1 = 0;
        const QString& w1 = texte[3];
        const auto p = sim::kaskaden_parameter_bilden(w1.toStdString(), werte[3], v1, werte[1],
                                                      werte[4], werte[0], werte[6], werte[5]);
        sim::kaskaden_lauf(p, 200, kaskaden_zellen{w1, nutzer});
    } else {
        const QString& w1 = texte[0];
        const auto p = sim::kaskaden_parameter_bilden(w1.toStdString(), werte[0], 1, 10000,
                                                      werte[1], 0.01, werte[3], werte[2]);
        sim::kaskaden_lauf(p, 200, kaskaden_zellen{w1, nutzer});
        sim::aufheiz_lauf(30, aufheiz_zellen{nutzer});
    }
    return 0;
}
