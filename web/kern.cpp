// The simulation core for the browser: each run fills one buffer of doubles, row after row,
// which the page reads straight out of the module's memory. Nothing here but the core's own
// runs and the texts the desktop writes of them, so that every number and text is the
// desktop's.
#include "achsen.h"
#include "diagramm.h"
#include "kaskade.h"
#include "kennwerte.h"
#include "laeufe.h"
#include "pid.h"
#include "protokollzeilen.h"
#include "seitenlaeufe.h"
#include "tabellen.h"
#include "texte.h"

#include <algorithm>
#include <cmath>
#include <emscripten/emscripten.h>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr int n_hoechstens = 32767; // as many rows as a chart holds

std::vector<double> zeilen;
std::vector<double> eingabe; // what the page hands in, written straight into memory
bool v1_verworfen = false;
std::string text;          // the last text asked for, zero-terminated
std::string texteingabe;   // what the page hands in as text, UTF-8
std::vector<int> naechste; // the figure nearest each second, for the last figures

int anzahl(int n) {
    return std::clamp(n, 0, n_hoechstens);
}

// The user's decimal separator, as the page hands it over: one code point, as UTF-8.
std::string utf8(int c) {
    std::string t;
    const auto u = unsigned(c);
    if (u < 0x80) {
        t += char(u);
    } else if (u < 0x800) {
        t += char(0xC0 | (u >> 6));
        t += char(0x80 | (u & 0x3F));
    } else {
        t += char(0xE0 | (u >> 12));
        t += char(0x80 | ((u >> 6) & 0x3F));
        t += char(0x80 | (u & 0x3F));
    }
    return t;
}

// Each run's columns, named as regler-sim's CSV names them, in the order a row holds them.
struct pid_puffer {
    static constexpr const char* spalten = "heizplatte,pfanne,milch,y,summe";
    void zeile(const sim::pid_zeile& z) {
        zeilen.insert(zeilen.end(), {z.heizplatte, z.pfanne, z.milch, z.y, z.summe});
    }
    void ende() {}
};

struct kaskaden_puffer {
    static constexpr const char* spalten = "x1,w2,x2,y,summe,y_roh";
    void zeile(const sim::kaskaden_zeile& z) {
        zeilen.insert(zeilen.end(), {z.x1, z.w2, z.x2, z.y, z.summe, z.y_roh});
    }
    void ende() {}
};

struct aufheiz_puffer {
    static constexpr const char* spalten = "heizung,stufe,istwert";
    void zeile(const sim::aufheiz_zeile& z) {
        zeilen.insert(zeilen.end(), {z.heizung, z.stufe, z.istwert});
    }
    void ende() {}
};

} // namespace

extern "C" {

// n rows of heizplatte, pfanne, milch, y, summe; the fields' values as page 2 reads them.
EMSCRIPTEN_KEEPALIVE const double* regler_pid(double w, double xp, double tn, double tv, int n) {
    zeilen.clear();
    const auto p = sim::pid_parameter_bilden({.w = w, .xp = xp, .tn = tn, .tv = tv});
    sim::pid_lauf(p, anzahl(n), pid_puffer{});
    return zeilen.data();
}

// n rows of x1, w2, x2, y, summe, y_roh; the fields' values as page 3 reads them.
EMSCRIPTEN_KEEPALIVE const double* regler_kaskade(double w1, double v1, double tn1, double tv1,
                                                  double xp2, double tv2, double maxdiff, int n) {
    zeilen.clear();
    const auto p = sim::kaskaden_parameter_bilden(
        {.w1 = w1, .v1 = v1, .tn1 = tn1, .tv1 = tv1, .xp2 = xp2, .tv2 = tv2, .maxdiff = maxdiff});
    v1_verworfen = p.v1_verworfen;
    sim::kaskaden_lauf(p, anzahl(n), kaskaden_puffer{});
    return zeilen.data();
}

// The columns of a run's rows: 0 regler_pid, 1 regler_kaskade, 2 regler_aufheizkurve.
EMSCRIPTEN_KEEPALIVE const char* regler_spalten(int lauf) {
    return lauf == 0   ? pid_puffer::spalten
           : lauf == 1 ? kaskaden_puffer::spalten
                       : aufheiz_puffer::spalten;
}

// Whether the last cascade ran with a gain of 0 in place of one above its limit.
EMSCRIPTEN_KEEPALIVE int regler_v1_verworfen() {
    return v1_verworfen;
}

// n rows of heizung, stufe, istwert.
EMSCRIPTEN_KEEPALIVE const double* regler_aufheizkurve(int n) {
    zeilen.clear();
    sim::aufheiz_lauf(anzahl(n), aufheiz_puffer{});
    return zeilen.data();
}

// Room for n doubles that the page fills before it calls regler_kennwerte.
EMSCRIPTEN_KEEPALIVE double* regler_eingabe(int n) {
    eingabe.assign(size_t(anzahl(n)), 0.0);
    return eingabe.data();
}

// The figures of the actual values in the input against w: anregelzeit, ueberschwingen,
// zeit_maximum, schwingungsdauer, ausregelzeit, bleibende_abweichung (NaN for none), then the
// number of peaks and their seconds. `komma`: the user's decimal separator, for the texts.
EMSCRIPTEN_KEEPALIVE const double* regler_kennwerte(double w, int komma) {
    const auto k = sim::kennwerte_berechnen(w, eingabe);
    const auto s = sim::spitzen(eingabe);
    const auto oder_nan = [](auto v) { return v ? double(*v) : std::nan(""); };
    zeilen.assign({oder_nan(k.anregelzeit_s), oder_nan(k.ueberschwingen_k),
                   oder_nan(k.zeit_maximum_s), oder_nan(k.schwingungsdauer_s),
                   oder_nan(k.ausregelzeit_s), oder_nan(k.bleibende_abweichung_k),
                   double(s.size())});
    zeilen.insert(zeilen.end(), s.begin(), s.end());
    // The box's lines, in the user's format, and the line nearest each second.
    text.clear();
    for (const std::string& z : darstellung::kennwert_zeilen(k, utf8(komma)))
        text += z + '\n';
    naechste = darstellung::naechste_kennwerte(k, s, int(eingabe.size()));
    return zeilen.data();
}

// The lines of the figures last computed, each ended by a line break; UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_kennwert_texte() {
    return text.c_str();
}

// For each second of the last figures' run, the line nearest to it (-1: none).
EMSCRIPTEN_KEEPALIVE const int* regler_naechste_kennwerte() {
    return naechste.data();
}

// Room for `bytes` of UTF-8 that the page fills before it asks for a grid's text.
EMSCRIPTEN_KEEPALIVE char* regler_texteingabe(int bytes) {
    texteingabe.assign(size_t(std::max(bytes, 0)) + 1, '\0');
    return texteingabe.data();
}

extern "C++" {
namespace {
// The grid the page handed in: k columns of n cells in the input (NaN for empty), the series'
// names and then the unit in the text input, each ended by a line break.
struct gitter {
    std::vector<std::string> reihen;
    std::string einheit;
    std::vector<std::vector<double>> spalten;
};
gitter gitter_lesen(int k, int n) {
    gitter g;
    std::string_view t(texteingabe.c_str());
    std::vector<std::string> zeilen;
    for (size_t a = 0, e; (e = t.find('\n', a)) != std::string_view::npos; a = e + 1)
        zeilen.emplace_back(t.substr(a, e - a));
    k = std::clamp(k, 0, int(zeilen.size()));
    n = anzahl(n);
    g.reihen.assign(zeilen.begin(), zeilen.begin() + k);
    if (int(zeilen.size()) > k) g.einheit = zeilen[size_t(k)];
    for (int s = 0; s < k; ++s) {
        g.spalten.emplace_back();
        for (int z = 0; z < n; ++z) {
            const size_t i = size_t(s) * size_t(n) + size_t(z);
            g.spalten.back().push_back(i < eingabe.size() ? eingabe[i] : std::nan(""));
        }
    }
    return g;
}
} // namespace
}

// The grid as "Daten kopieren" puts it on the clipboard (darstellung::tsv_text); UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_tsv(int k, int n, int komma) {
    const gitter g = gitter_lesen(k, n);
    text = darstellung::tsv_text(g.reihen, g.spalten, utf8(komma));
    return text.c_str();
}

// The grid as "Daten speichern …" writes it (darstellung::csv_text); UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_csv(int k, int n, int komma) {
    const gitter g = gitter_lesen(k, n);
    text = darstellung::csv_text(g.reihen, g.einheit, g.spalten, utf8(komma));
    return text.c_str();
}

// The value axis for a run's extent (darstellung::wertachse_fuer): from, to, step.
EMSCRIPTEN_KEEPALIVE const double* regler_wertachse(double tief, double hoch, double bis,
                                                    int intervalle, int platz) {
    static double a[3];
    const auto w = darstellung::wertachse_fuer(tief, hoch, bis, intervalle, platz);
    a[0] = w.von;
    a[1] = w.bis;
    a[2] = w.schritt;
    return a;
}

EMSCRIPTEN_KEEPALIVE int regler_marken_platz(double achsenhoehe, double markenhoehe) {
    return darstellung::marken_platz(achsenhoehe, markenhoehe);
}

// Charts of a time-axis group (darstellung::zeitachsen_angleichen): the input holds each plot's
// left and right edge as laid out alone; back, each one's extra room left and right.
EMSCRIPTEN_KEEPALIVE const double* regler_zeitachsen_angleichen(int n) {
    std::vector<std::pair<double, double>> raender;
    for (size_t i = 0; i + 1 < eingabe.size() && int(raender.size()) < n; i += 2)
        raender.emplace_back(eingabe[i], eingabe[i + 1]);
    zeilen.clear();
    for (const auto& [l, r] : darstellung::zeitachsen_angleichen(raender))
        zeilen.insert(zeilen.end(), {l, r});
    return zeilen.data();
}

EMSCRIPTEN_KEEPALIVE double regler_schritt(double spanne, int mindestens) {
    return darstellung::schritt(spanne, mindestens);
}

EMSCRIPTEN_KEEPALIVE int regler_wert_intervalle(int hoehe_px) {
    return darstellung::wert_intervalle(hoehe_px);
}

// What the run in the input ran with: page 2's 4 values (art 0) or page 3's 7 (art 1), in the
// order of darstellung::pid_laufwerte and kaskaden_laufwerte.
extern "C++" {
namespace {
darstellung::laufwerte laufwerte(int art, size_t ab) {
    return darstellung::seiten_laufwerte(
        art == 0 ? 2 : 3, std::span<const double>(eingabe).subspan(std::min(ab, eingabe.size())));
}
} // namespace
}

// A run's name (darstellung::laufname); UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_laufname(int art, int komma) {
    text = darstellung::laufname(laufwerte(art, 0), utf8(komma));
    return text.c_str();
}

// What the legend says of the run before (the input's first values) against this run (the next
// ones): the pieces of darstellung::unterschiede, each ended by a line break; UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_unterschiede(int art, int komma) {
    const size_t n = art == 0 ? 4 : 7;
    text.clear();
    for (const std::string& t :
         darstellung::unterschiede(laufwerte(art, 0), laufwerte(art, n), utf8(komma)))
        text += t + '\n';
    return text.c_str();
}

// The marks of the figures of the actual values in the input against w
// (darstellung::kennwert_marken) over a value axis from `unten`: their number, then art, t0, y0,
// t1, y1, kennwert of each.
EMSCRIPTEN_KEEPALIVE const double* regler_marken(double w, double unten) {
    zeilen.clear();
    const auto m = darstellung::kennwert_marken(sim::kennwerte_berechnen(w, eingabe),
                                                sim::spitzen(eingabe), w, eingabe, unten);
    zeilen.push_back(double(m.size()));
    for (const auto& a : m)
        zeilen.insert(zeilen.end(), {double(a.art), a.t0, a.y0, a.t1, a.y1, double(a.kennwert)});
    return zeilen.data();
}

// The head above a plot (darstellung::kopf_anordnen): the input holds the summary's k widths,
// then the legend's l. Back: hoehe, legende_x, legende_y, legende_breite, legende_hoehe, then x
// and y of each summary piece and each legend entry.
EMSCRIPTEN_KEEPALIVE const double* regler_kopf(int k, int l, double luecke, double breite,
                                               double zeile) {
    k = std::clamp(k, 0, int(eingabe.size()));
    l = std::clamp(l, 0, int(eingabe.size()) - k);
    const std::span<const double> alle(eingabe);
    const auto a = darstellung::kopf_anordnen(alle.subspan(0, size_t(k)), luecke,
                                              alle.subspan(size_t(k), size_t(l)), breite, zeile);
    zeilen = {a.hoehe, a.legende_x, a.legende_y, a.legende_breite, a.legende_hoehe};
    for (const auto* teil : {&a.kennwerte, &a.legende})
        for (const auto& s : *teil)
            zeilen.insert(zeilen.end(), {s.x, s.y});
    return zeilen.data();
}

extern "C++" {
namespace {
// The text input's lines, each ended by a line break.
std::vector<std::string> textzeilen() {
    std::vector<std::string> z;
    std::string_view t(texteingabe.c_str());
    for (size_t a = 0, e; (e = t.find('\n', a)) != std::string_view::npos; a = e + 1)
        z.emplace_back(t.substr(a, e - a));
    return z;
}
} // namespace
}

// A chart's series at a second (darstellung::ablesen): the text input holds the k names and then
// the unit, the input their k values; UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_ablesen(int k, int komma) {
    std::vector<std::string> z = textzeilen();
    k = std::clamp(k, 0, int(z.size()));
    const std::string einheit = int(z.size()) > k ? z[size_t(k)] : "";
    z.resize(size_t(k));
    text = darstellung::ablesen(z, eingabe, einheit, utf8(komma));
    return text.c_str();
}

// The read-out of a group (darstellung::ablesung): the text input holds the t charts' parts, the
// run before's name, its v parts, and the k nearest figures; UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_ablesung(int zeile, int t, int v, int k) {
    const std::vector<std::string> z = textzeilen();
    const std::span<const std::string> alle(z);
    if (t < 0 || v < 0 || k < 0 || size_t(t) + 1 + size_t(v) + size_t(k) > z.size()) return "";
    text = darstellung::ablesung(zeile, alle.subspan(0, size_t(t)), z[size_t(t)],
                                 alle.subspan(size_t(t) + 1, size_t(v)),
                                 alle.subspan(size_t(t) + 1 + size_t(v), size_t(k)));
    return text.c_str();
}

// What a screen reader is told of a chart (darstellung::beschreibung): the text input holds the
// unit, the time axis's title, the run before's name and then the figures' lines, each ended by
// a line break; UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_beschreibung() {
    std::vector<std::string> z = textzeilen();
    z.resize(std::max<size_t>(z.size(), 3));
    text = darstellung::beschreibung(z[0], z[1], z[2], std::span(z).subspan(3),
                                     darstellung::Gesicht::browser);
    return text.c_str();
}

// Page 2's or page 3's run (darstellung::seitenlauf) for the plan's fields as read, in the input;
// the text input holds each chart's rows as "name=rows" lines. Back: the run's description as
// JSON ({"art", "lauf": number of run values, "spalten": [[chart, column, rows]], "benannt",
// "nachher": [[field, text]], "piep"}); the numbers, run values then the columns one after the
// other, in regler_zahlen().
extern "C++" {
namespace {
std::function<int(std::string_view)> zeilen_je_diagramm() {
    std::vector<std::pair<std::string, int>> zeilen_je;
    std::string_view t(texteingabe.c_str());
    for (size_t a = 0, e; (e = t.find('\n', a)) != std::string_view::npos; a = e + 1) {
        const std::string_view z = t.substr(a, e - a);
        if (const size_t g = z.find('='); g != std::string_view::npos)
            zeilen_je.emplace_back(std::string(z.substr(0, g)),
                                   anzahl(std::atoi(std::string(z.substr(g + 1)).c_str())));
    }
    return [zeilen_je](std::string_view n) {
        for (const auto& [name, z] : zeilen_je)
            if (name == n) return z;
        return 0;
    };
}

const char* lauf_json(const darstellung::laufergebnis& e) {
    const auto q = [](const std::string& s) { return '"' + s + '"'; };
    zeilen.clear();
    for (const auto& v : e.lauf)
        zeilen.push_back(v.wert);
    text = "{\"art\":" + std::to_string(e.art) + ",\"lauf\":" + std::to_string(e.lauf.size()) +
           ",\"ist\":" + std::to_string(e.ist) + ",\"spalten\":[";
    for (size_t i = 0; i < e.spalten.size(); ++i) {
        const auto& s = e.spalten[i];
        text += (i ? ",[" : "[") + q(s.diagramm) + "," + std::to_string(s.spalte) + "," +
                std::to_string(s.werte.size()) + "]";
        zeilen.insert(zeilen.end(), s.werte.begin(), s.werte.end());
    }
    text += "],\"benannt\":[";
    for (size_t i = 0; i < e.benannt.size(); ++i)
        text += (i ? "," : "") + q(e.benannt[i]);
    text += "],\"nachher\":[";
    for (size_t i = 0; i < e.nachher.size(); ++i)
        text += (i ? ",[" : "[") + q(e.nachher[i].first) + "," + q(e.nachher[i].second) + "]";
    text += std::string("],\"piep\":") + (e.piep ? "true" : "false") + "}";
    // The set-point of the figures' step response after the numbers.
    zeilen.push_back(e.soll);
    return text.c_str();
}

// A lab notebook's rows as the page hands them in (and gets them back): number, second, page,
// the number of run values, the run values, the six figures (NaN for none).
std::vector<darstellung::protokollzeile> protokoll_aus_eingabe(int n) {
    std::vector<darstellung::protokollzeile> z;
    size_t i = 0;
    const auto nimm = [&]() { return i < eingabe.size() ? eingabe[i++] : std::nan(""); };
    const auto ganz = [](double v) {
        return std::isnan(v) ? std::nullopt : std::optional<int>(int(v));
    };
    const auto oder = [](double v) {
        return std::isnan(v) ? std::nullopt : std::optional<double>(v);
    };
    for (int r = 0; r < n && i < eingabe.size(); ++r) {
        darstellung::protokollzeile p;
        p.nummer = int(nimm());
        p.sekunde = nimm();
        p.seite = int(nimm()) == 3 ? 3 : 2;
        std::vector<double> w;
        // As many as the page has (fewer taken, too many passed over).
        const size_t haben = darstellung::seiten_laufwerte(p.seite, {}).size();
        const double anzahl = nimm();
        for (size_t k = 0; double(k) < anzahl && i < eingabe.size(); ++k)
            if (const double v = nimm(); k < haben) w.push_back(v);
        p.werte = darstellung::seiten_laufwerte(p.seite, w);
        p.k.anregelzeit_s = ganz(nimm());
        p.k.ueberschwingen_k = oder(nimm());
        p.k.zeit_maximum_s = ganz(nimm());
        p.k.schwingungsdauer_s = oder(nimm());
        p.k.ausregelzeit_s = ganz(nimm());
        p.k.bleibende_abweichung_k = oder(nimm());
        z.push_back(std::move(p));
    }
    return z;
}

void protokoll_in_zahlen(const std::vector<darstellung::protokollzeile>& z) {
    const auto oder_nan = [](auto v) { return v ? double(*v) : std::nan(""); };
    zeilen = {double(z.size())};
    for (const auto& p : z) {
        zeilen.insert(zeilen.end(),
                      {double(p.nummer), p.sekunde, double(p.seite), double(p.werte.size())});
        for (const auto& w : p.werte)
            zeilen.push_back(w.wert);
        zeilen.insert(zeilen.end(),
                      {oder_nan(p.k.anregelzeit_s), oder_nan(p.k.ueberschwingen_k),
                       oder_nan(p.k.zeit_maximum_s), oder_nan(p.k.schwingungsdauer_s),
                       oder_nan(p.k.ausregelzeit_s), oder_nan(p.k.bleibende_abweichung_k)});
    }
}
} // namespace
}

// Page 2's or page 3's run (darstellung::seitenlauf) for the plan's fields as read, in the input;
// the text input holds each chart's rows as "name=rows" lines. Back: the run's description as
// JSON ({"art", "lauf": number of run values, "ist": the column of the figures' actual value,
// "spalten": [[chart, column, rows]], "benannt", "nachher": [[field, text]], "piep"}); the
// numbers, run values, the columns one after the other, then the figures' set-point, in
// regler_zahlen().
EMSCRIPTEN_KEEPALIVE const char* regler_seitenlauf(int seite, int laden) {
    return lauf_json(darstellung::seitenlauf(seite, laden != 0, eingabe, zeilen_je_diagramm()));
}

// The same for a run again from its run values (darstellung::lauf_aus_werten), in the input.
EMSCRIPTEN_KEEPALIVE const char* regler_lauf_aus_werten(int seite) {
    const auto w = darstellung::seiten_laufwerte(seite, eingabe);
    return lauf_json(darstellung::lauf_aus_werten(seite, w, zeilen_je_diagramm()));
}

// The lab notebook (darstellung/protokollzeilen): its columns, each ended by a line break; the
// cells of the n rows in the input, as texts (each ended by a line break) and as numbers for
// sorting (in regler_zahlen(), NaN where empty); the rows as CSV; a CSV file in the text input
// read back: why it is not one, or empty with its rows in regler_zahlen() (their number first).
EMSCRIPTEN_KEEPALIVE const char* regler_protokoll_spalten() {
    text.clear();
    for (const std::string& s : darstellung::protokoll_spalten())
        text += s + '\n';
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE int regler_protokoll_feldspalte(int spalte) {
    return spalte >= 0 && darstellung::protokoll_feldspalte(size_t(spalte));
}

EMSCRIPTEN_KEEPALIVE const char* regler_protokoll_texte(int n, int komma) {
    text.clear();
    zeilen.clear();
    for (const auto& p : protokoll_aus_eingabe(n)) {
        for (const std::string& t : darstellung::protokoll_texte(p, utf8(komma)))
            text += t + '\n';
        for (size_t s = 0; s < darstellung::protokoll_spalten().size(); ++s)
            zeilen.push_back(darstellung::protokoll_wert(p, s));
    }
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* regler_protokoll_csv(int n, int komma) {
    text = darstellung::protokoll_csv(protokoll_aus_eingabe(n), utf8(komma));
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* regler_protokoll_lesen() {
    // The text as handed in, without the end mark the input holds beyond it.
    const auto d = darstellung::protokoll_lesen(texteingabe.c_str());
    protokoll_in_zahlen(d.zeilen);
    text = d.fehler;
    return text.c_str();
}

// The numbers of the last page run.
EMSCRIPTEN_KEEPALIVE const double* regler_zahlen() {
    return zeilen.data();
}

EMSCRIPTEN_KEEPALIVE double regler_band_halbe(double pixel_je_kelvin, double mindestens) {
    return darstellung::band_halbe(pixel_je_kelvin, mindestens);
}

// A read-out's number as the desktop writes it; UTF-8.
EMSCRIPTEN_KEEPALIVE const char* regler_kurz(double v, int komma) {
    text = darstellung::kurz(v, utf8(komma));
    return text.c_str();
}
}
