// The core for the browser: the runs, the rules and the texts of darstellung/, handed to the
// page as plain values (numbers, texts, arrays, objects; a run's columns as Float64Array copies,
// every double the desktop's to the last bit) and the lab notebook as an object of its own.
// Nothing is shared between calls but that object.
#include "bedienung.h"
#include "diagramm.h"
#include "einstellhilfe.h"
#include "kaskade.h"
#include "kennwerte.h"
#include "laeufe.h"
#include "parameter.h"
#include "pid.h"
#include "protokollzeilen.h"
#include "schaubild.h"
#include "schrift.h"
#include "seitenlaeufe.h"
#include "zeitgruppe.h"

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

// A run's values (what it ran with) as plain numbers, in the page's order.
val wertliste(const darstellung::laufwerte& werte) {
    std::vector<double> w;
    for (const auto& l : werte)
        w.push_back(l.wert);
    return liste(w);
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

// A run as the page applies it: { seite, lauf, spalten: [{ diagramm, spalte, werte }], benannt }.
val lauf_wert(int seite, const darstellung::laufergebnis& e) {
    val o = val::object();
    o.set("seite", seite);
    o.set("lauf", wertliste(e.lauf));
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
    return o;
}

// Page 2's or page 3's run from its fields' texts ({ id: text }), as darstellung::seite_laufen
// carries it out: { texte: [[id, text]], piepse, ungueltig, lauf (lauf_wert, or null),
// kennwerte (or null) }.
val seite_laufen(int seite, bool laden, const val& texte, const std::string& komma,
                 const val& zeilen) {
    const auto s = darstellung::seite_laufen(
        seite, laden,
        [&texte](const std::string& id) {
            const val t = texte[id];
            return t.isString() ? t.as<std::string>() : std::string();
        },
        komma, zeilen_je(zeilen));
    val o = val::object();
    val t = val::array();
    for (size_t i = 0; i < s.texte.size(); ++i)
        t.set(i, liste(std::vector<std::string>{s.texte[i].first, s.texte[i].second}));
    o.set("texte", t);
    o.set("piepse", s.piepse);
    o.set("ungueltig", s.ungueltig);
    o.set("lauf", s.lauf ? lauf_wert(seite, *s.lauf) : val::null());
    o.set("kennwerte", s.kennwerte ? kennwerte_wert(*s.kennwerte) : val::null());
    return o;
}

// Row `nummer` of the notebook as its page's charts compare with it:
// [{ diagramm, seite, werte, spalten: [Float64Array], titel }], what a chart's vergleiche_setzen
// takes.
val vergleichslaeufe(int nummer, int seite, const val& werte, const val& zeilen) {
    val a = val::array();
    int i = 0;
    for (const auto& [name, v] : darstellung::vergleichslaeufe(
             nummer, seite, darstellung::seiten_laufwerte(seite, zahlen(werte)),
             zeilen_je(zeilen))) {
        val o = val::object();
        o.set("diagramm", name);
        o.set("seite", seite);
        o.set("werte", wertliste(v.lauf));
        val spalten = val::array();
        for (size_t s = 0; s < v.spalten.size(); ++s)
            spalten.set(s, spalte(v.spalten[s]));
        o.set("spalten", spalten);
        o.set("titel", v.titel);
        a.set(i++, o);
    }
    return a;
}

// ---- charts: the core's chart and group as objects of their own

darstellung::schaubild_art art_aus(const val& e) {
    darstellung::schaubild_art a{.name = e["name"].as<std::string>(),
                                 .zeilen = anzahl(e["zeilen"].as<int>()),
                                 .reihen = texte(e["reihen"]),
                                 .zeit_titel = e["zeit_titel"].as<std::string>(),
                                 .wert_titel = e["wert_titel"].as<std::string>(),
                                 .bis = e["bis"].as<double>(),
                                 .kennwerte_soll = e["kennwerte_soll"].as<int>(),
                                 .kennwerte_ist = e["kennwerte_ist"].as<int>(),
                                 .vergleich = e["vergleich"].as<bool>(),
                                 .vergleich_legende = e["vergleich_legende"].as<bool>(),
                                 .tangente = e["tangente"].as<bool>(),
                                 .zeit_beschriftet = e["zeit_beschriftet"].as<bool>(),
                                 .datei = e["datei"].as<std::string>(),
                                 .breite = e["breite"].as<double>(),
                                 .hoehe = e["hoehe"].as<double>()};
    return a;
}

val elemente_wert(const std::vector<darstellung::element>& l) {
    val a = val::array();
    for (size_t i = 0; i < l.size(); ++i) {
        const darstellung::element& e = l[i];
        std::vector<double> punkte;
        for (const auto& p : e.punkte)
            punkte.insert(punkte.end(), {p.x, p.y});
        val o = val::object();
        o.set("art", int(e.art));
        o.set("stil", e.stil);
        o.set("punkte", spalte(punkte));
        o.set("mass", e.mass);
        o.set("im_plot", e.im_plot);
        o.set("text", e.text);
        o.set("fett", e.fett);
        o.set("senkrecht", e.senkrecht);
        a.set(i, o);
    }
    return a;
}

val farbe_wert(darstellung::farbe f, int deckung) {
    return val(std::string("rgba(") + std::to_string(f.r) + "," + std::to_string(f.g) + "," +
               std::to_string(f.b) + "," + std::to_string(deckung / 255.0) + ")");
}

class Schaubild {
public:
    Schaubild(const val& art) : m_s(art_aus(art), darstellung::Gesicht::browser) {}
    darstellung::schaubild& kern() { return m_s; }

    void spalte_setzen(int spalte, const val& werte) { m_s.spalte(spalte, zahlen(werte)); }
    void lauf_setzen(int seite, const val& werte) {
        m_s.lauf_setzen(darstellung::seiten_laufwerte(seite, zahlen(werte)));
    }
    void lauf_abschliessen() { m_s.lauf_abschliessen(); }
    void schalter_setzen(bool kennwerte, bool vorher, bool projektor) {
        m_s.schalter_setzen({kennwerte, vorher, projektor});
    }
    // [{ seite, werte, spalten: [Float64Array], titel }]
    void vergleiche_setzen(const val& laeufe) {
        std::vector<darstellung::vergleichslauf> v;
        for (int i = 0; i < laeufe["length"].as<int>(); ++i) {
            const val l = laeufe[i];
            darstellung::vergleichslauf lauf{
                {},
                darstellung::seiten_laufwerte(l["seite"].as<int>(), zahlen(l["werte"])),
                l["titel"].as<std::string>()};
            for (int s = 0; s < l["spalten"]["length"].as<int>(); ++s)
                lauf.spalten.push_back(zahlen(l["spalten"][s]));
            v.push_back(std::move(lauf));
        }
        m_s.vergleiche_setzen(std::move(v));
    }
    void komma_setzen(const std::string& k) { m_s.komma_setzen(k); }
    void groesse_setzen(double b, double h, double sichtbar, double massstab) {
        m_s.groesse_setzen(b, h, sichtbar, massstab);
    }
    void fokus_setzen(bool f) { m_s.fokus_setzen(f); }

    // The display list: { breite, hoehe, plot, stile: [{ farbe, breite, strich, fuellung }],
    // bild, oben }, each element { art, stil, punkte (x, y, …), mass, im_plot, text, fett,
    // senkrecht }; `ebene` "bild" or "oben" only, or both.
    val liste(const std::string& ebene) {
        const darstellung::anzeige& a = m_s.liste();
        val o = val::object();
        o.set("breite", a.breite);
        o.set("hoehe", a.hoehe);
        o.set("plot", liste_wert(std::vector<double>{a.plot.x, a.plot.y, a.plot.b, a.plot.h}));
        val stile = val::array();
        for (size_t i = 0; i < a.stile.size(); ++i) {
            const darstellung::stil& s = a.stile[i];
            val st = val::object();
            st.set("farbe", farbe_wert(s.f, s.deckung));
            st.set("breite", s.breite);
            st.set("strich", liste_wert(s.strich));
            st.set("fuellung",
                   s.fuellung ? farbe_wert(*s.fuellung, s.fuellung_deckung) : val::null());
            stile.set(i, st);
        }
        o.set("stile", stile);
        if (ebene != "oben") o.set("bild", elemente_wert(a.bild));
        if (ebene != "bild") o.set("oben", elemente_wert(a.oben));
        return o;
    }
    std::string liste_json() { return darstellung::anzeige_json(m_s.liste()); }
    int bildstand() { return m_s.bildstand(); }
    int zeile_bei(double x, double y) { return m_s.zeile_bei({x, y}); }
    double spalte_x(int zeile) { return m_s.spalte_x(zeile); }
    int zeiger() const { return m_s.zeiger(); }
    // A key by name ("links", "rechts", "anfang", "ende", "menue"): { zeile, menue }.
    val taste(const std::string& name, bool umschalt) const {
        using t = darstellung::diagrammtaste;
        const t k = name == "links"    ? t::links
                    : name == "rechts" ? t::rechts
                    : name == "anfang" ? t::anfang
                    : name == "ende"   ? t::ende
                                       : t::menue;
        const auto w = m_s.taste(k, umschalt);
        val o = val::object();
        o.set("zeile", w.zeile);
        o.set("menue", w.menue);
        return o;
    }
    // The menu: [{ id, text, schaltbar, an, moeglich }, null for a separator].
    val menue() const {
        val a = val::array();
        const auto m = m_s.menue();
        for (size_t i = 0; i < m.size(); ++i) {
            if (!m[i].id) {
                a.set(i, val::null());
                continue;
            }
            val o = val::object();
            o.set("id", std::string(darstellung::befehl_name(*m[i].id)));
            o.set("text", m[i].text);
            o.set("schaltbar", m[i].schaltbar);
            o.set("an", m[i].an);
            o.set("moeglich", m[i].moeglich);
            a.set(i, o);
        }
        return a;
    }
    std::string name() const { return m_s.name(); }
    std::string beschreibung() const { return m_s.beschreibung(); }
    std::string tsv() const { return m_s.tsv(m_s.komma()); }
    std::string csv() const { return m_s.csv(m_s.komma()); }
    val spalten() const {
        val a = val::array();
        for (int s = 1; s <= m_s.spaltenzahl(); ++s) {
            val z = val::array();
            for (int i = 1; i <= m_s.art().zeilen; ++i) {
                const auto w = m_s.wert(s, i);
                z.set(i - 1, w ? val(*w) : val::null());
            }
            a.set(s - 1, z);
        }
        return a;
    }
    // The heating curve's tangent as shown: { k_k, l_s }, or null.
    val tangente() const {
        const auto& t = m_s.tangente();
        if (!t) return val::null();
        val o = val::object();
        o.set("k_k", t->k_k);
        o.set("l_s", t->l_s);
        return o;
    }

private:
    template <class T> static val liste_wert(const std::vector<T>& v) { return ::liste(v); }
    darstellung::schaubild m_s;
};

class Zeitgruppe {
public:
    void aufnehmen(Schaubild& s, double x, double y) { m_g.aufnehmen(&s.kern(), x, y); }
    void angleichen() { m_g.angleichen(); }
    void zeiger(int zeile) { m_g.zeiger(zeile); }
    std::string ablesung(int zeile) const { return m_g.ablesung(zeile); }
    std::string ansage(int zeile) const { return m_g.ansage(zeile); }

private:
    darstellung::zeitgruppe m_g;
};

// The read-out tooltip's box for a text: { breite, hoehe, zeile }, as the core measures its
// lines.
val tipp(const std::string& text) {
    const darstellung::rechteck r = darstellung::tipp_box(text);
    val o = val::object();
    o.set("breite", r.b);
    o.set("hoehe", r.h);
    o.set("zeile", darstellung::zeile_bei(darstellung::schrift_px(8.25, 1)).hoehe());
    o.set("versatz", darstellung::tipp_versatz);
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

val methode_2(double k, double l, const std::string& komma) {
    return vorschlag_wert(darstellung::methode_2(k, l, komma));
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
        val o = val::object();
        o.set("nummer", z.nummer);
        o.set("sekunde", z.sekunde);
        o.set("seite", z.seite);
        o.set("werte", wertliste(z.werte));
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
// The notebook window's words, by the names the page uses.
val protokollworte() {
    namespace w = darstellung::protokollworte;
    val o = val::object();
    for (const auto& [name, text] : {std::pair{"titel", darstellung::titel_protokoll},
                                     {"einstellhilfe", w::einstellhilfe},
                                     {"laden", w::laden},
                                     {"knopf_wiederholen", w::knopf_wiederholen},
                                     {"knopf_einstellhilfe", w::knopf_einstellhilfe},
                                     {"knopf_speichern", w::knopf_speichern},
                                     {"knopf_laden", w::knopf_laden},
                                     {"knopf_drucken", w::knopf_drucken},
                                     {"uebernehmen", w::uebernehmen},
                                     {"anhaengen", w::anhaengen},
                                     {"ersetzen", w::ersetzen},
                                     {"abbrechen", w::abbrechen},
                                     {"speichern", w::speichern},
                                     {"verwerfen", w::verwerfen},
                                     {"schliessen", w::schliessen},
                                     {"ok", w::ok},
                                     {"datei", w::datei}})
        o.set(name, std::string(text));
    return o;
}

double bild_faktor() {
    return darstellung::bild_faktor;
}

// A page's charts that read out together, from each chart's time-axis group: their places.
val zeitgruppen(const val& gruppe_je_diagramm) {
    std::vector<int> g;
    for (const double x : zahlen(gruppe_je_diagramm))
        g.push_back(std::isfinite(x) ? int(x) : 0);
    val a = val::array();
    for (const auto& gruppe : darstellung::zeitgruppen(g)) {
        std::vector<int> stellen(gruppe.begin(), gruppe.end());
        a.call<void>("push", liste(stellen));
    }
    return a;
}

bool klick_gilt(int seite_zuvor, int seite, bool folgeklick) {
    return darstellung::bedienung::klick_gilt(seite_zuvor, seite, folgeklick);
}

bool taste_beendet(unsigned zeichen) {
    return darstellung::bedienung::taste_beendet(char32_t(zeichen));
}

std::string meldung_sitzung() {
    return darstellung::meldung_sitzung;
}

#ifdef REGLER_KERN_TEST
// The core's raw runs, for the test against the reference data: each column by regler-sim's name.
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
    function("seite_laufen", &seite_laufen);
    function("vergleichslaeufe", &vergleichslaeufe);
    function("tipp", &tipp);
    function("feld_taste", &feld_taste);
    function("feld_einfuegen", &feld_einfuegen);
    function("feld_grenze", &feld_grenze);
    function("feldwert", &feldwert);
    function("feld_beschreibung", &feld_beschreibung);
    function("feldtext", &feldtext);
    function("methode_2", &methode_2);
    function("frage_beim_beenden", &frage_beim_beenden);
    function("frage_beim_laden", &frage_beim_laden);
    function("dateigroesse_pruefen", &darstellung::dateigroesse_pruefen);
    function("laden_fehler", &laden_fehler);
    function("meldung_sitzung", &meldung_sitzung);
    function("protokollworte", &protokollworte);
    function("bild_faktor", &bild_faktor);
    function("zeitgruppen", &zeitgruppen);
    function("klick_gilt", &klick_gilt);
    function("taste_beendet", &taste_beendet);
    emscripten::class_<Schaubild>("Schaubild")
        .constructor<const val&>()
        .function("spalte_setzen", &Schaubild::spalte_setzen)
        .function("lauf_setzen", &Schaubild::lauf_setzen)
        .function("lauf_abschliessen", &Schaubild::lauf_abschliessen)
        .function("schalter_setzen", &Schaubild::schalter_setzen)
        .function("vergleiche_setzen", &Schaubild::vergleiche_setzen)
        .function("komma_setzen", &Schaubild::komma_setzen)
        .function("groesse_setzen", &Schaubild::groesse_setzen)
        .function("fokus_setzen", &Schaubild::fokus_setzen)
        .function("liste", &Schaubild::liste)
        .function("liste_json", &Schaubild::liste_json)
        .function("bildstand", &Schaubild::bildstand)
        .function("zeile_bei", &Schaubild::zeile_bei)
        .function("spalte_x", &Schaubild::spalte_x)
        .function("zeiger", &Schaubild::zeiger)
        .function("taste", &Schaubild::taste)
        .function("menue", &Schaubild::menue)
        .function("name", &Schaubild::name)
        .function("beschreibung", &Schaubild::beschreibung)
        .function("tsv", &Schaubild::tsv)
        .function("csv", &Schaubild::csv)
        .function("spalten", &Schaubild::spalten)
        .function("tangente", &Schaubild::tangente);
    emscripten::class_<Zeitgruppe>("Zeitgruppe")
        .constructor<>()
        .function("aufnehmen", &Zeitgruppe::aufnehmen)
        .function("angleichen", &Zeitgruppe::angleichen)
        .function("zeiger", &Zeitgruppe::zeiger)
        .function("ablesung", &Zeitgruppe::ablesung)
        .function("ansage", &Zeitgruppe::ansage);
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
    function("aufheizkurve", &aufheizkurve);
#endif
}
