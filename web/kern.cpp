// The core for the browser: the runs, the rules and the texts of darstellung/, handed to the
// page as plain values (numbers, texts, arrays, objects; a run's columns as Float64Array copies,
// every double the desktop's to the last bit) and the lab notebook as an object of its own.
// Nothing is shared between calls but that object.
#include "achsen.h"
#include "diagramm.h"
#include "einstellhilfe.h"
#include "kaskade.h"
#include "kennwerte.h"
#include "laeufe.h"
#include "parameter.h"
#include "pid.h"
#include "protokollzeilen.h"
#include "seitenlaeufe.h"
#include "tabellen.h"
#include "texte.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

using emscripten::val;

namespace {

constexpr int n_hoechstens = 32767; // as many rows as a chart holds

int anzahl(int n) {
    return std::clamp(n, 0, n_hoechstens);
}

// ---- values into and out of JavaScript

template <class T> val liste(const std::vector<T>& v) {
    val a = val::array();
    for (size_t i = 0; i < v.size(); ++i)
        a.set(i, v[i]);
    return a;
}

// A column as a Float64Array of its own, outside the module's memory.
val spalte(const std::vector<double>& v) {
    return val(emscripten::typed_memory_view(v.size(), v.data())).call<val>("slice");
}

std::vector<double> zahlen(const val& a) {
    std::vector<double> v;
    const int n = a["length"].as<int>();
    v.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const val x = a[i];
        v.push_back(x.isNumber() ? x.as<double>() : std::nan(""));
    }
    return v;
}

std::vector<std::string> texte(const val& a) {
    std::vector<std::string> v;
    const int n = a["length"].as<int>();
    for (int i = 0; i < n; ++i)
        v.push_back(a[i].as<std::string>());
    return v;
}

template <class T> val oder_null(const std::optional<T>& v) {
    return v ? val(*v) : val::null();
}

val kennwerte_wert(const sim::kennwerte& k) {
    val o = val::object();
    o.set("anregelzeit_s", oder_null(k.anregelzeit_s));
    o.set("ueberschwingen_k", oder_null(k.ueberschwingen_k));
    o.set("zeit_maximum_s", oder_null(k.zeit_maximum_s));
    o.set("schwingungsdauer_s", oder_null(k.schwingungsdauer_s));
    o.set("ausregelzeit_s", oder_null(k.ausregelzeit_s));
    o.set("bleibende_abweichung_k", oder_null(k.bleibende_abweichung_k));
    return o;
}

sim::kennwerte kennwerte_aus(const val& o) {
    const auto ganz = [&o](const char* n) -> std::optional<int> {
        const val v = o[n];
        return v.isNumber() ? std::optional<int>(v.as<int>()) : std::nullopt;
    };
    const auto zahl = [&o](const char* n) -> std::optional<double> {
        const val v = o[n];
        return v.isNumber() ? std::optional<double>(v.as<double>()) : std::nullopt;
    };
    return {.anregelzeit_s = ganz("anregelzeit_s"),
            .ueberschwingen_k = zahl("ueberschwingen_k"),
            .zeit_maximum_s = ganz("zeit_maximum_s"),
            .schwingungsdauer_s = zahl("schwingungsdauer_s"),
            .ausregelzeit_s = ganz("ausregelzeit_s"),
            .bleibende_abweichung_k = zahl("bleibende_abweichung_k")};
}

// ---- runs

// A chart's rows by name, as the page hands them: { graph: 200, … }.
std::function<int(std::string_view)> zeilen_je(const val& zeilen) {
    return [zeilen](std::string_view name) {
        const val z = zeilen[std::string(name)];
        return z.isNumber() ? anzahl(z.as<int>()) : 0;
    };
}

val lauf_wert(int seite, const darstellung::laufergebnis& e) {
    val o = val::object();
    o.set("seite", seite);
    std::vector<double> lauf;
    for (const auto& w : e.lauf)
        lauf.push_back(w.wert);
    o.set("lauf", liste(lauf));
    val spalten = val::array();
    for (size_t i = 0; i < e.spalten.size(); ++i) {
        val s = val::object();
        s.set("diagramm", e.spalten[i].diagramm);
        s.set("spalte", e.spalten[i].spalte);
        s.set("werte", spalte(e.spalten[i].werte));
        spalten.set(i, s);
    }
    o.set("spalten", spalten);
    o.set("benannt", liste(e.benannt));
    val nachher = val::array();
    for (size_t i = 0; i < e.nachher.size(); ++i)
        nachher.set(i, liste(std::vector<std::string>{e.nachher[i].first, e.nachher[i].second}));
    o.set("nachher", nachher);
    o.set("piep", e.piep);
    o.set("soll", e.soll);
    o.set("ist", e.ist);
    return o;
}

// Page 2's or page 3's run (darstellung::seitenlauf) for the plan's fields as read.
val seitenlauf(int seite, bool laden, const val& werte, const val& zeilen) {
    return lauf_wert(seite,
                     darstellung::seitenlauf(seite, laden, zahlen(werte), zeilen_je(zeilen)));
}

// The plan's fields read from their texts ({ id: text }), as "Start Grafik" reads them:
// { werte, ungueltig (the field to select, or ""), korrigiert: [[id, text]], piepse }.
val felder_lesen(int seite, bool laden, const val& texte, const std::string& komma) {
    const auto g = darstellung::felder_lesen(
        seite, darstellung::lauf_plan(seite, laden),
        [&texte](const std::string& id) {
            const val t = texte[id];
            return t.isString() ? t.as<std::string>() : std::string();
        },
        komma);
    val o = val::object();
    o.set("werte", liste(g.werte));
    o.set("ungueltig", g.ungueltig);
    val k = val::array();
    for (size_t i = 0; i < g.korrigiert.size(); ++i)
        k.set(i, liste(std::vector<std::string>{g.korrigiert[i].first, g.korrigiert[i].second}));
    o.set("korrigiert", k);
    o.set("piepse", g.piepse);
    return o;
}

// The same run again from what it ran with (a row of the lab notebook).
val lauf_aus_werten(int seite, const val& werte, const val& zeilen) {
    return lauf_wert(
        seite, darstellung::lauf_aus_werten(
                   seite, darstellung::seiten_laufwerte(seite, zahlen(werte)), zeilen_je(zeilen)));
}

// The figures of the actual values x against w, the seconds of the peaks, the lines the head
// names them in, and for each second the line nearest to it.
val kennwerte(double w, const val& x, const std::string& komma) {
    const std::vector<double> v = zahlen(x);
    const auto k = sim::kennwerte_berechnen(w, v);
    const auto s = sim::spitzen(v);
    val o = kennwerte_wert(k);
    o.set("spitzen", liste(s));
    o.set("zeilen", liste(darstellung::kennwert_zeilen(k, komma)));
    o.set("naechste", liste(darstellung::naechste_kennwerte(k, s, int(v.size()))));
    return o;
}

val marken(double w, const val& x, double unten) {
    const std::vector<double> v = zahlen(x);
    val a = val::array();
    const char* arten[] = {"punkt", "mass", "strich"};
    const auto m =
        darstellung::kennwert_marken(sim::kennwerte_berechnen(w, v), sim::spitzen(v), w, v, unten);
    for (size_t i = 0; i < m.size(); ++i) {
        val o = val::object();
        o.set("art", std::string(arten[m[i].art]));
        o.set("t0", m[i].t0);
        o.set("y0", m[i].y0);
        o.set("t1", m[i].t1);
        o.set("y1", m[i].y1);
        o.set("kennwert", m[i].kennwert);
        a.set(i, o);
    }
    return a;
}

// ---- charts

val wertachse(double tief, double hoch, double bis, int intervalle, int platz) {
    const auto w = darstellung::wertachse_fuer(tief, hoch, bis, intervalle, platz);
    val o = val::object();
    o.set("von", w.von);
    o.set("bis", w.bis);
    o.set("schritt", w.schritt);
    return o;
}

// [[left, right] of each plot alone] → each one's extra room [left, right].
val zeitachsen_angleichen(const val& raender) {
    std::vector<std::pair<double, double>> r;
    for (int i = 0; i < raender["length"].as<int>(); ++i)
        r.emplace_back(raender[i][0].as<double>(), raender[i][1].as<double>());
    val a = val::array();
    const auto extra = darstellung::zeitachsen_angleichen(r);
    for (size_t i = 0; i < extra.size(); ++i)
        a.set(i, liste(std::vector<double>{extra[i].first, extra[i].second}));
    return a;
}

// A grid as "Daten kopieren" ('tsv') or "Daten speichern …" ('csv') writes it; cells null for
// none.
std::string tabelle(const std::string& art, const val& reihen, const std::string& einheit,
                    const val& spalten, const std::string& komma) {
    std::vector<std::vector<double>> s;
    for (int i = 0; i < spalten["length"].as<int>(); ++i)
        s.push_back(zahlen(spalten[i]));
    const auto r = texte(reihen);
    return art == "csv" ? darstellung::csv_text(r, einheit, s, komma)
                        : darstellung::tsv_text(r, s, komma);
}

std::string laufname(int seite, const val& werte, const std::string& komma) {
    return darstellung::laufname(darstellung::seiten_laufwerte(seite, zahlen(werte)), komma);
}

val unterschiede(int seite, const val& vorher, const val& jetzt, const std::string& komma) {
    return liste(darstellung::unterschiede(darstellung::seiten_laufwerte(seite, zahlen(vorher)),
                                           darstellung::seiten_laufwerte(seite, zahlen(jetzt)),
                                           komma));
}

// The head above a plot of width `breite`, from the widths of the summary's pieces and the
// legend's entries.
val kopf(const val& kennwerte, const val& eintraege, double luecke, double breite, double zeile) {
    const auto k =
        darstellung::kopf_anordnen(zahlen(kennwerte), luecke, zahlen(eintraege), breite, zeile);
    const auto stellen = [](const std::vector<darstellung::kopf::stelle>& s) {
        val a = val::array();
        for (size_t i = 0; i < s.size(); ++i) {
            val o = val::object();
            o.set("x", s[i].x);
            o.set("y", s[i].y);
            a.set(i, o);
        }
        return a;
    };
    val legende = val::object();
    legende.set("x", k.legende_x);
    legende.set("y", k.legende_y);
    legende.set("breite", k.legende_breite);
    legende.set("hoehe", k.legende_hoehe);
    val o = val::object();
    o.set("hoehe", k.hoehe);
    o.set("legende", legende);
    o.set("kennwerte", stellen(k.kennwerte));
    o.set("eintraege", stellen(k.legende));
    return o;
}

std::string beschreibung(const std::string& einheit, const std::string& zeit_titel,
                         const std::string& vorher_name, const val& kennwerte) {
    return darstellung::beschreibung(einheit, zeit_titel, vorher_name, texte(kennwerte),
                                     darstellung::Gesicht::browser);
}

std::string ablesen(const val& namen, const val& werte, const std::string& einheit,
                    const std::string& komma) {
    return darstellung::ablesen(texte(namen), zahlen(werte), einheit, komma);
}

std::string ablesung(int zeile, const val& teile, const std::string& vorher_name, const val& vorher,
                     const val& kennwerte) {
    return darstellung::ablesung(zeile, texte(teile), vorher_name, texte(vorher), texte(kennwerte));
}

val aufheizkurve(int n) {
    std::vector<double> heizung, stufe, istwert;
    struct senke {
        std::vector<double>&h, &s, &i;
        void zeile(const sim::aufheiz_zeile& z) {
            h.push_back(z.heizung);
            s.push_back(z.stufe);
            i.push_back(z.istwert);
        }
        void ende() {}
    };
    sim::aufheiz_lauf(anzahl(n), senke{heizung, stufe, istwert});
    val o = val::object();
    o.set("heizung", spalte(heizung));
    o.set("stufe", spalte(stufe));
    o.set("istwert", spalte(istwert));
    return o;
}

// ---- entry fields: the rules of darstellung/parameter for page `seite`'s field `id`

const darstellung::parameter& parameter(int seite, const std::string& id) {
    static const darstellung::parameter keiner{};
    const auto* p = darstellung::parameter_von(seite, id);
    return p ? *p : keiner;
}

val aenderung(const darstellung::feldaenderung& a) {
    val o = val::object();
    o.set("ersetzt", a.ersetzt ? val(*a.ersetzt) : val::null());
    o.set("einfuegen", a.einfuegen);
    o.set("piepse", a.piepse);
    return o;
}

darstellung::feldstand stand(const std::string& text, int anfang, int ende) {
    return {text, std::min(anfang, ende), std::max(anfang, ende)};
}

val feld_taste(int seite, const std::string& id, const std::string& text, int anfang, int ende,
               int zeichen, const std::string& komma) {
    return aenderung(darstellung::taste(parameter(seite, id), stand(text, anfang, ende),
                                        char32_t(zeichen), komma));
}

val feld_einfuegen(int seite, const std::string& id, const std::string& text, int anfang, int ende,
                   const std::string& eingefuegt, const std::string& komma) {
    return aenderung(
        darstellung::einfuegen(parameter(seite, id), stand(text, anfang, ende), eingefuegt, komma));
}

val feld_grenze(int seite, const std::string& id, const std::string& text,
                const std::string& komma) {
    return aenderung(darstellung::grenze_pruefen(parameter(seite, id), text, komma));
}

std::string feld_beschreibung(int seite, const std::string& id, const std::string& komma) {
    return darstellung::feld_beschreibung(parameter(seite, id), komma);
}

val feldwert(const std::string& text, const std::string& komma) {
    return oder_null(darstellung::feldwert(text, komma));
}

// ---- the tuning aid

val vorschlag_wert(const darstellung::vorschlag& v) {
    val o = val::object();
    o.set("zeilen", liste(v.zeilen));
    val f = val::array();
    for (size_t i = 0; i < v.felder.size(); ++i)
        f.set(i, liste(std::vector<std::string>{v.felder[i].first, v.felder[i].second}));
    o.set("felder", f);
    return o;
}

val methode_1(double xp, double periode, const std::string& komma) {
    return vorschlag_wert(darstellung::methode_1(xp, periode, komma));
}

val methode_2(double k, double l, const std::string& komma) {
    return vorschlag_wert(darstellung::methode_2(k, l, komma));
}

// The heating curve's inflection tangent: { wendepunkt_s, wert, steigung, l_s, k_k } or null.
val heizkurven_tangente(const val& x) {
    const auto t = darstellung::heizkurven_tangente(zahlen(x));
    if (!t) return val::null();
    val o = val::object();
    o.set("wendepunkt_s", t->wendepunkt_s);
    o.set("wert", t->wert);
    o.set("steigung", t->steigung);
    o.set("l_s", t->l_s);
    o.set("k_k", t->k_k);
    return o;
}

// ---- the lab notebook

class Protokoll {
public:
    std::string eintragen(int seite, const val& werte, const val& k, double sekunde,
                          bool gestartet) {
        return m_p.eintragen(seite, darstellung::seiten_laufwerte(seite, zahlen(werte)),
                             kennwerte_aus(k), sekunde, gestartet);
    }
    int anzahl() const { return int(m_p.zeilen().size()); }
    bool hat_seite(int seite) const {
        return std::any_of(m_p.zeilen().begin(), m_p.zeilen().end(),
                           [seite](const auto& z) { return z.seite == seite; });
    }
    // The rows as the table shows them, sorted by a column (empty cells last): { kopf (each
    // column's title lines), verborgen, zeilen: [{ nummer, texte }] }.
    val tabelle(int spalte, bool auf, const std::string& komma) const {
        val o = val::object();
        val kopf = val::array();
        for (size_t i = 0; i < darstellung::protokoll_spalten().size(); ++i)
            kopf.set(i, liste(darstellung::protokoll_kopfzeilen(i)));
        o.set("kopf", kopf);
        std::vector<bool> v = m_p.verborgen();
        o.set("verborgen", liste(std::vector<int>(v.begin(), v.end())));
        val zeilen = val::array();
        const auto folge = m_p.reihenfolge(size_t(std::max(spalte, 0)), auf);
        for (size_t i = 0; i < folge.size(); ++i) {
            const auto& z = m_p.zeilen()[folge[i]];
            val r = val::object();
            r.set("nummer", z.nummer);
            r.set("texte", liste(darstellung::protokoll_texte(z, komma)));
            zeilen.set(i, r);
        }
        o.set("zeilen", zeilen);
        return o;
    }
    // A row: { nummer, sekunde, seite, werte, k }, or null.
    static val zeile_wert(const darstellung::protokollzeile& z) {
        std::vector<double> w;
        for (const auto& l : z.werte)
            w.push_back(l.wert);
        val o = val::object();
        o.set("nummer", z.nummer);
        o.set("sekunde", z.sekunde);
        o.set("seite", z.seite);
        o.set("werte", liste(w));
        o.set("k", kennwerte_wert(z.k));
        return o;
    }
    val zeile(int nummer) const {
        const auto* z = m_p.zeile(nummer);
        return z ? zeile_wert(*z) : val::null();
    }
    val zeilen() const {
        val a = val::array();
        for (size_t i = 0; i < m_p.zeilen().size(); ++i)
            a.set(i, zeile_wert(m_p.zeilen()[i]));
        return a;
    }
    std::string csv(const std::string& komma) const { return m_p.csv(komma); }
    std::string laden(const std::string& text, bool anhaengen) {
        return m_p.laden(text, anhaengen);
    }
    // Method 1 of the tuning aid from the chosen row (0: none) or the row at the stability
    // limit: { warum, grenze, vorschlag: { zeilen, felder } }.
    val einstellhilfe(int gewaehlt, const std::string& komma) const {
        const auto e =
            darstellung::methode_1_im_protokoll(m_p.zeilen(), m_p.zeile(gewaehlt), komma);
        val o = val::object();
        o.set("warum", e.warum);
        o.set("grenze", e.grenze);
        o.set("vorschlag", vorschlag_wert(e.v));
        return o;
    }
    // On paper: a title with the date, the table sorted by a column.
    std::string html(int spalte, bool auf, const std::string& komma,
                     const std::string& datum) const {
        return darstellung::protokoll_html(m_p.zeilen(),
                                           m_p.reihenfolge(size_t(std::max(spalte, 0)), auf),
                                           m_p.verborgen(), komma, datum);
    }
    int ungesichert() const { return int(m_p.ungesichert()); }
    void gesichert() { m_p.gesichert(); }
    void ungesichert_setzen(int n) { m_p.ungesichert_setzen(size_t(std::max(n, 0))); }
    void leeren() { m_p.leeren(); }

private:
    darstellung::versuchsprotokoll m_p;
};

std::string frage_beim_beenden(int n) {
    return darstellung::frage_beim_beenden(size_t(std::max(n, 0)));
}
std::string frage_beim_laden(int n) {
    return darstellung::frage_beim_laden(size_t(std::max(n, 0)));
}
std::string feldtext(double v, const std::string& komma) {
    return darstellung::feldtext(v, komma);
}
std::string laden_fehler(const std::string& datei, const std::string& grund) {
    return darstellung::laden_fehler(datei, grund);
}
std::string meldung_sitzung() {
    return darstellung::meldung_sitzung;
}

#ifdef REGLER_KERN_TEST
// The core's raw runs, for the test against the reference data: each column by regler-sim's name.
val pid(double w, double xp, double tn, double tv, int n) {
    std::vector<double> s[5];
    struct senke {
        std::vector<double>* s;
        void zeile(const sim::pid_zeile& z) {
            for (int i = 0; const double v : {z.heizplatte, z.pfanne, z.milch, z.y, z.summe})
                s[i++].push_back(v);
        }
        void ende() {}
    };
    sim::pid_lauf(sim::pid_parameter_bilden({.w = w, .xp = xp, .tn = tn, .tv = tv}), anzahl(n),
                  senke{s});
    val o = val::object();
    for (int i = 0; const char* name : {"heizplatte", "pfanne", "milch", "y", "summe"})
        o.set(name, spalte(s[i++]));
    return o;
}

val kaskade(const val& f, int n) {
    const auto p = sim::kaskaden_parameter_bilden({.w1 = f["w1"].as<double>(),
                                                   .v1 = f["v1"].as<double>(),
                                                   .tn1 = f["tn1"].as<double>(),
                                                   .tv1 = f["tv1"].as<double>(),
                                                   .xp2 = f["xp2"].as<double>(),
                                                   .tv2 = f["tv2"].as<double>(),
                                                   .maxdiff = f["maxdiff"].as<double>()});
    std::vector<double> s[6];
    struct senke {
        std::vector<double>* s;
        void zeile(const sim::kaskaden_zeile& z) {
            for (int i = 0; const double v : {z.x1, z.w2, z.x2, z.y, z.summe, z.y_roh})
                s[i++].push_back(v);
        }
        void ende() {}
    };
    sim::kaskaden_lauf(p, anzahl(n), senke{s});
    val o = val::object();
    for (int i = 0; const char* name : {"x1", "w2", "x2", "y", "summe", "y_roh"})
        o.set(name, spalte(s[i++]));
    o.set("v1_verworfen", p.v1_verworfen);
    return o;
}
#endif

} // namespace

EMSCRIPTEN_BINDINGS(regler) {
    using emscripten::function;
    function("seitenlauf", &seitenlauf);
    function("lauf_aus_werten", &lauf_aus_werten);
    function("felder_lesen", &felder_lesen);
    function("kennwerte", &kennwerte);
    function("marken", &marken);
    function("wertachse", &wertachse);
    function("marken_platz", &darstellung::marken_platz);
    function("zeitachsen_angleichen", &zeitachsen_angleichen);
    function("schritt", &darstellung::schritt);
    function("wert_intervalle", &darstellung::wert_intervalle);
    function("band_halbe", &darstellung::band_halbe);
    function("tabelle", &tabelle);
    function("laufname", &laufname);
    function("unterschiede", &unterschiede);
    function("kopf", &kopf);
    function("beschreibung", &beschreibung);
    function("ablesen", &ablesen);
    function("ablesung", &ablesung);
    function("aufheizkurve", &aufheizkurve);
    function("feld_taste", &feld_taste);
    function("feld_einfuegen", &feld_einfuegen);
    function("feld_grenze", &feld_grenze);
    function("feldwert", &feldwert);
    function("feld_beschreibung", &feld_beschreibung);
    function("feldtext", &feldtext);
    function("methode_1", &methode_1);
    function("methode_2", &methode_2);
    function("heizkurven_tangente", &heizkurven_tangente);
    function("frage_beim_beenden", &frage_beim_beenden);
    function("frage_beim_laden", &frage_beim_laden);
    function("dateigroesse_pruefen", &darstellung::dateigroesse_pruefen);
    function("laden_fehler", &laden_fehler);
    function("meldung_sitzung", &meldung_sitzung);
    emscripten::class_<Protokoll>("Protokoll")
        .constructor<>()
        .function("eintragen", &Protokoll::eintragen)
        .function("anzahl", &Protokoll::anzahl)
        .function("hat_seite", &Protokoll::hat_seite)
        .function("tabelle", &Protokoll::tabelle)
        .function("zeile", &Protokoll::zeile)
        .function("zeilen", &Protokoll::zeilen)
        .function("csv", &Protokoll::csv)
        .function("laden", &Protokoll::laden)
        .function("einstellhilfe", &Protokoll::einstellhilfe)
        .function("html", &Protokoll::html)
        .function("ungesichert", &Protokoll::ungesichert)
        .function("gesichert", &Protokoll::gesichert)
        .function("ungesichert_setzen", &Protokoll::ungesichert_setzen)
        .function("leeren", &Protokoll::leeren);
#ifdef REGLER_KERN_TEST
    function("pid", &pid);
    function("kaskade", &kaskade);
#endif
}
