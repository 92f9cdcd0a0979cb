#include "schaubild.h"

#include "einstellhilfe.h"
#include "schrift.h"
#include "tabellen.h"
#include "texte.h"
#include "zahltext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace darstellung {

namespace {
constexpr double keine = std::numeric_limits<double>::quiet_NaN();
const std::string trenner = " · ";

// Whether a head laid out at the top, its plot's left edge at `links`, covers `r`.
bool kopf_deckt(const kopf& k, const std::vector<double>& kennwert_breiten, double links,
                const rechteck& r) {
    for (size_t i = 0; i < k.kennwerte.size() && i < kennwert_breiten.size(); ++i)
        if (r.schneidet({links + k.kennwerte[i].x, k.kennwerte[i].y, kennwert_breiten[i], 1}))
            return true;
    return !k.legende.empty() &&
           r.schneidet({links + k.legende_x, k.legende_y, k.legende_breite, k.legende_hoehe});
}
} // namespace

// The layout at a size and scale: the font, the head above the plot, the value axis and the plot.
struct schaubild::lage {
    double m = 1;
    int px = 11;
    zeilenmass z;
    double kopfzeile = 16;
    kopf k;
    std::vector<std::string> kopfstuecke; // the summary's pieces, one too wide broken at blanks
    std::vector<double> kennwert_breiten, legenden_breiten;
    wertachse a;
    std::vector<std::pair<double, std::string>> wert_marken;
    bool zeit_titel = true;
    rechteck plot;
    double natur_links = 0, natur_rechts = 0;
};

schaubild::schaubild(schaubild_art art, Gesicht g)
    : m_art(std::move(art)), m_gesicht(g), m_lage(std::make_shared<lage>()) {
    m_zellen.assign(m_art.reihen.size(),
                    std::vector<double>(size_t(std::max(m_art.zeilen, 0)), keine));
    m_breite = m_sichtbar = m_art.breite;
    m_hoehe = m_art.hoehe;
}

void schaubild::spalte(int spalte, std::span<const double> werte) {
    if (spalte < 1 || spalte > spaltenzahl()) return;
    auto& z = m_zellen[size_t(spalte - 1)];
    for (size_t i = 0; i < z.size(); ++i)
        z[i] = i < werte.size() ? werte[i] : keine;
}

void schaubild::zelle(int spalte, int zeile, double wert) {
    if (spalte >= 1 && spalte <= spaltenzahl() && zeile >= 1 && zeile <= m_art.zeilen)
        m_zellen[size_t(spalte - 1)][size_t(zeile - 1)] = wert;
}

std::optional<double> schaubild::wert(int spalte, int zeile) const {
    if (spalte < 1 || spalte > spaltenzahl() || zeile < 1 || zeile > m_art.zeilen) return {};
    const double v = m_zellen[size_t(spalte - 1)][size_t(zeile - 1)];
    return std::isfinite(v) ? std::optional(v) : std::nullopt;
}

void schaubild::lauf_abschliessen() {
    if (m_art.vergleich) { // the cells are written into again by the next run
        if (m_gelaufen) m_vorher = vergleichslauf{std::move(m_letzte), m_letzter_lauf, "vorher"};
        m_letzte = m_zellen;
        m_letzter_lauf = m_lauf;
    }
    m_gelaufen = true;
    m_inhalt_veraltet = true;
}

void schaubild::schalter_setzen(schalter s) {
    if (s == m_schalter) return;
    m_schalter = s;
    m_inhalt_veraltet = true;
}

void schaubild::vergleiche_setzen(std::vector<vergleichslauf> laeufe) {
    if (!m_art.vergleich) return;
    for (auto& l : laeufe)
        l.spalten.resize(m_zellen.size());
    m_gewaehlt = std::move(laeufe);
    m_inhalt_veraltet = true;
}

void schaubild::komma_setzen(std::string komma) {
    if (komma == m_komma) return;
    m_komma = std::move(komma);
    m_inhalt_veraltet = true;
}

void schaubild::groesse_setzen(double breite, double hoehe, double sichtbar, double massstab) {
    if (breite == m_breite && hoehe == m_hoehe && sichtbar == m_sichtbar && massstab == m_massstab)
        return;
    m_breite = breite, m_hoehe = hoehe, m_sichtbar = std::min(sichtbar, breite);
    if (massstab != m_massstab) m_inhalt_veraltet = true; // the head's widths
    m_massstab = massstab;
    m_lage_veraltet = true;
}

void schaubild::fokus_unten_setzen(double y) {
    if (y == m_fokus_unten) return;
    m_fokus_unten = y;
    m_oben_veraltet = true;
}

void schaubild::frei_halten(std::optional<rechteck> r) {
    if (r == m_frei) return;
    m_frei = r;
    m_lage_veraltet = true;
}

std::optional<rechteck> schaubild::zeit_titel_ort() {
    anordnen();
    const lage& l = *m_lage;
    if (!l.zeit_titel) return {};
    const double w = textbreite(m_art.zeit_titel, false, l.px);
    return rechteck{l.plot.x + (l.plot.b - w) / 2, l.plot.unten() + 10 * l.m + double(l.z.hoehe()),
                    w, double(l.z.hoehe())};
}

void schaubild::fokus_setzen(bool f) {
    if (f == m_fokus) return;
    m_fokus = f;
    m_oben_veraltet = true;
}

void schaubild::zeiger_setzen(int zeile) {
    zeile = zeile >= 1 && zeile <= m_art.zeilen ? zeile : 0;
    if (zeile == m_zeiger) return;
    m_zeiger = zeile;
    m_oben_veraltet = true;
}

std::vector<const vergleichslauf*> schaubild::verglichen() const {
    std::vector<const vergleichslauf*> v;
    if (!m_art.vergleich) return v;
    for (const auto& l : m_gewaehlt)
        v.push_back(&l);
    if (v.empty() && m_vorher && m_schalter.vorher) v.push_back(&*m_vorher);
    return v;
}

std::vector<double> schaubild::ist_spalte() const {
    if (m_art.tangente) return m_zellen.empty() ? std::vector<double>{} : m_zellen.front();
    return m_zellen[size_t(m_art.kennwerte_ist - 1)];
}

// ---- what the cells and the aids give: the figures, the head's texts, the extent of the values

namespace {
struct kopfeintrag {
    std::string text;
    std::vector<int> stile; // the lines it names, by the list's styles made below
};
} // namespace

void schaubild::inhalt_rechnen() {
    if (!m_inhalt_veraltet) return;
    m_inhalt_veraltet = false;
    m_lage_veraltet = true;
    m_figuren.reset();
    m_tangente.reset();
    const bool alles = [&] {
        for (const auto& s : m_zellen)
            for (double v : s)
                if (!std::isfinite(v)) return false;
        return !m_zellen.empty();
    }();
    const bool gezeigt = m_gelaufen && alles && (m_schalter.kennwerte || m_schalter.projektor);
    if (gezeigt && m_art.kennwerte_soll && m_art.kennwerte_ist && m_art.zeilen > 0) {
        const std::vector<double> x = ist_spalte();
        const double w = m_zellen[size_t(m_art.kennwerte_soll - 1)].front();
        m_figuren = figuren{sim::kennwerte_berechnen(w, x), sim::spitzen(x), w};
    }
    if (m_gelaufen && alles && m_art.tangente && m_schalter.kennwerte)
        m_tangente = heizkurven_tangente(ist_spalte());

    m_kopftexte.clear();
    if (m_figuren && m_schalter.kennwerte) m_kopftexte = kennwert_zeilen(m_figuren->k, m_komma);
    if (m_tangente) { // the proposal's three lines; its menu entry takes it over
        m_kopftexte = methode_2(m_tangente->k_k, m_tangente->l_s, m_komma).zeilen;
        m_kopftexte.resize(3);
    }
    // The series; each run compared in one entry, its dashed lines side by side, then (on the
    // chart that names them) what it differs in.
    m_legende.clear();
    for (size_t i = 0; i < m_art.reihen.size(); ++i)
        m_legende.push_back({m_art.reihen[i], int(i)});
    const auto laeufe = verglichen();
    for (size_t j = 0; j < laeufe.size(); ++j) {
        const vergleichslauf& v = *laeufe[j];
        m_legende.push_back({m_art.vergleich_legende ? v.titel + ":" : v.titel, -2 - int(j)});
        if (m_art.vergleich_legende)
            for (const std::string& t : unterschiede(v.lauf, m_letzter_lauf, m_komma))
                m_legende.push_back({t});
    }

    m_tief = 0, m_hoch = m_art.bis;
    const auto ausdehnen = [&](const std::vector<std::vector<double>>& spalten) {
        for (const auto& s : spalten)
            for (double v : s)
                if (std::isfinite(v)) m_tief = std::min(m_tief, v), m_hoch = std::max(m_hoch, v);
    };
    ausdehnen(m_zellen);
    for (const vergleichslauf* v : verglichen())
        ausdehnen(v->spalten);
    if (m_tangente) m_tief = std::min(m_tief, m_tangente->bei(0));
}

// ---- the layout

namespace {
// A text wider than `platz` on lines broken at its blanks (a word wider than that alone).
template <class Breite>
std::vector<std::string> an_blanks_umbrochen(const std::string& t, double platz, Breite breite) {
    if (breite(t) <= platz) return {t};
    std::vector<std::string> zeilen;
    size_t von = 0;
    while (von < t.size()) {
        size_t bis = t.find(' ', von);
        for (size_t weiter = bis; weiter != std::string::npos;) {
            weiter = t.find(' ', weiter + 1);
            const size_t ende = weiter == std::string::npos ? t.size() : weiter;
            if (breite(t.substr(von, ende - von)) > platz) break;
            bis = weiter;
        }
        if (bis == std::string::npos) bis = t.size();
        zeilen.push_back(t.substr(von, bis - von));
        von = bis + 1;
    }
    return zeilen;
}

std::string wert_text(double v) {
    return zahl_c(v == 0 ? 0.0 : v, 'g', 6); // as "%g" writes it, never "-0"
}
} // namespace

void schaubild::anordnen() {
    inhalt_rechnen();
    if (!m_lage_veraltet) return;
    m_lage_veraltet = false;
    m_liste_veraltet = true;
    lage& l = *m_lage;
    const double m = l.m = m_massstab;
    l.px = schrift_px(8.25, m);
    l.z = darstellung::zeile_bei(l.px);
    const double zh = l.z.hoehe();
    l.kopfzeile = zh + 4 * m;
    const double rand = 2 * m, teil = 4 * m;
    const auto breite = [&](const std::string& t) { return textbreite(t, false, l.px); };

    // Below the plot: ticks, labels, the title; a chart too low for its title leaves it out (it
    // would take more than 0.4 of the chart's height, or leave the plot less than four lines)
    // rather than squeeze its labels.
    const double unten_ohne = rand + teil + 3 * m + zh + 3 * m;
    const double unten_mit = unten_ohne + zh + 5 * m;
    // Right of it: half the last time label, and the part of the box that is not seen.
    const double rechts = rand + m + std::ceil(breite(std::to_string(m_art.zeilen)) / 2) +
                          (m_breite - m_sichtbar) + m_extra_rechts;
    const double titelband = m_art.wert_titel.empty() ? 0 : zh + 4 * m;

    l.legenden_breiten.clear();
    for (const legendeneintrag& e : m_legende) {
        const double linien = e.linien >= 0 ? 1 : e.linien == -1 ? 0 : double(m_zellen.size());
        l.legenden_breiten.push_back(std::ceil(20 * m * linien + breite(e.text) + 6 * m));
    }
    const double luecke = std::ceil(breite(trenner));

    // The head and the value axis depend on each other through the plot's size: laid out until
    // the plot's width stands.
    double plotbreite = std::max(0.0, m_sichtbar - 60 * m);
    const double x1 = std::floor(m_sichtbar - rechts); // the plot's right edge
    double links = 0;
    for (int runde = 0; runde < 4; ++runde) {
        l.kopfstuecke.clear();
        for (const std::string& t : m_kopftexte)
            for (std::string& zeile : an_blanks_umbrochen(t, plotbreite, breite))
                l.kopfstuecke.push_back(std::move(zeile));
        l.kennwert_breiten.clear();
        for (const std::string& t : l.kopfstuecke)
            l.kennwert_breiten.push_back(std::ceil(breite(t)));
        l.k =
            kopf_anordnen(l.kennwert_breiten, luecke, l.legenden_breiten, plotbreite, l.kopfzeile);
        if (m_frei && kopf_deckt(l.k, l.kennwert_breiten, x1 - plotbreite, *m_frei))
            l.k = kopf_anordnen(l.kennwert_breiten, luecke, l.legenden_breiten, plotbreite,
                                l.kopfzeile, std::ceil(m_frei->unten()) + m);
        const double oben = std::max(std::ceil(l.k.hoehe), std::ceil(rand + zh / 2));
        l.zeit_titel = !m_art.zeit_titel.empty() && unten_mit <= 0.4 * m_hoehe &&
                       m_hoehe - oben - unten_mit >= 4 * zh;
        const double unten = l.zeit_titel ? unten_mit : unten_ohne;
        const double plothoehe = std::max(1.0, m_hoehe - oben - unten);
        const int platz = marken_platz(plothoehe, zh);
        const int intervalle = wert_intervalle(int(m_art.hoehe));
        l.a = m_figuren && m_schalter.projektor
                  ? projektor_achse(m_figuren->w, m_figuren->k, intervalle, platz)
                  : wertachse_fuer(m_tief, m_hoch, m_art.bis, intervalle, platz);
        l.wert_marken.clear();
        double labels = 0;
        for (int k = int(std::ceil(l.a.von / l.a.schritt - 1e-9));
             k * l.a.schritt <= l.a.bis + l.a.schritt * 1e-9 && l.wert_marken.size() < 200; ++k) {
            const double v = k * l.a.schritt;
            l.wert_marken.emplace_back(v, wert_text(v));
            labels = std::max(labels, breite(l.wert_marken.back().second));
        }
        links = std::ceil(rand + titelband + labels + 7 * m + teil);
        l.natur_links = links;
        l.natur_rechts = std::floor(m_sichtbar - rechts + m_extra_rechts);
        const double x0 = links + m_extra_links;
        l.plot = {x0, oben, std::max(1.0, x1 - x0), plothoehe};
        if (l.plot.b == plotbreite) break;
        plotbreite = l.plot.b;
    }
}

std::pair<double, double> schaubild::natuerliche_raender() {
    anordnen();
    return {m_lage->natur_links, m_lage->natur_rechts};
}

void schaubild::angleichen(double links, double rechts) {
    if (links == m_extra_links && rechts == m_extra_rechts) return;
    m_extra_links = links, m_extra_rechts = rechts;
    m_lage_veraltet = true;
}

const rechteck& schaubild::plot() {
    anordnen();
    return m_lage->plot;
}

const wertachse& schaubild::achse() {
    anordnen();
    return m_lage->a;
}

double schaubild::spalte_x(int zeile) {
    const rechteck& p = plot();
    return m_art.zeilen > 0 ? p.x + zeile * p.b / m_art.zeilen : p.x;
}

// ---- the list

namespace {
struct zeichner {
    anzeige& a;
    const rechteck& plot;
    double m;
    int px;
    zeilenmass z;

    int stil(stil s) {
        for (size_t i = 0; i < a.stile.size(); ++i)
            if (a.stile[i] == s) return int(i);
        a.stile.push_back(std::move(s));
        return int(a.stile.size() - 1);
    }
    static element linie(int s, std::vector<punkt> p, bool im_plot = false) {
        return {.art = element::form::linie, .stil = s, .punkte = std::move(p), .im_plot = im_plot};
    }
    static element flaeche(int s, rechteck r) {
        return {.art = element::form::flaeche,
                .stil = s,
                .punkte = {{r.x, r.y}, {r.rechts(), r.unten()}}};
    }
    element text(int s, std::string t, double x, double oben, bool senkrecht = false) const {
        return {.art = element::form::text,
                .stil = s,
                .punkte = {{x, oben + z.aufstieg}},
                .mass = double(px),
                .text = std::move(t),
                .senkrecht = senkrecht};
    }
    double breite(const std::string& t) const { return textbreite(t, false, px); }
};

// The two strokes of an arrowhead at `spitze`, pointing away from `von`.
void pfeil(std::vector<element>& l, int s, punkt von, punkt spitze, double lang) {
    const double dx = spitze.x - von.x, dy = spitze.y - von.y, d = std::hypot(dx, dy);
    if (d < 1e-9) return;
    const double ex = dx / d, ey = dy / d;
    for (const double seite : {0.5, -0.5})
        l.push_back(zeichner::linie(s, {{spitze.x - ex * lang - ey * lang * seite,
                                         spitze.y - ey * lang + ex * lang * seite},
                                        spitze}));
}

// A polyline as boxes around runs of its points, each no larger than `hoechstens` either way
// (a single longer piece stands alone), widened by `rand`.
void kaesten_anhaengen(std::vector<rechteck>& k, const std::vector<punkt>& q, double hoechstens,
                       double rand) {
    for (size_t i = 0; i + 1 < q.size();) {
        punkt lo = q[i], hi = q[i];
        size_t j = i;
        for (; j + 1 < q.size(); ++j) {
            const punkt n = q[j + 1];
            const punkt lo2{std::min(lo.x, n.x), std::min(lo.y, n.y)};
            const punkt hi2{std::max(hi.x, n.x), std::max(hi.y, n.y)};
            if (j > i && (hi2.x - lo2.x > hoechstens || hi2.y - lo2.y > hoechstens)) break;
            lo = lo2;
            hi = hi2;
        }
        k.push_back({lo.x - rand, lo.y - rand, hi.x - lo.x + 2 * rand, hi.y - lo.y + 2 * rand});
        i = j;
    }
}
} // namespace

void schaubild::zeichnen() {
    anordnen();
    if (m_liste_veraltet) bild_zeichnen();
    if (!m_oben_veraltet) return;
    m_oben_veraltet = false;
    // Over the picture: the read-out cursor and the focus frame, which ends where the chart
    // below begins.
    const rechteck& p = m_lage->plot;
    const double m = m_lage->m;
    m_anzeige.oben.clear();
    if (m_zeiger) {
        const double x = std::floor(spalte_x(m_zeiger)) + 0.5;
        m_anzeige.oben.push_back({.stil = m_zeigerstil, .punkte = {{x, p.y}, {x, p.unten()}}});
    }
    if (m_fokus) {
        const double unten = m_fokus_unten > 0 ? std::min(m_hoehe, m_fokus_unten) : m_hoehe;
        m_anzeige.oben.push_back(
            {.art = element::form::flaeche,
             .stil = m_fokusstil,
             .punkte = {{0.5 * m, 0.5 * m}, {m_sichtbar - 0.5 * m, unten - 0.5 * m}}});
    }
}

void schaubild::bild_zeichnen() {
    m_liste_veraltet = false;
    m_oben_veraltet = true;
    ++m_bildstand;
    const lage& l = *m_lage;
    const rechteck& p = l.plot;
    const double m = l.m, zh = l.z.hoehe();
    anzeige& a = m_anzeige;
    a = {.breite = m_breite, .hoehe = m_hoehe, .plot = p};
    zeichner z{a, p, m, l.px, l.z};
    const int n = std::max(m_art.zeilen, 1);
    const double spanne = l.a.bis - l.a.von;
    const auto X = [&](double t) { return p.x + t * p.b / n; };
    const auto Y = [&](double v) { return p.unten() - (v - l.a.von) * p.h / spanne; };
    const farbe schwarz{0, 0, 0};
    const int schrift = z.stil({.f = schwarz});
    auto& b = a.bild;

    // The grid, the band of +-1 K beneath the curves, the runs compared, the curves.
    const int gitter = z.stil({.f = {226, 226, 226}, .breite = m});
    const int achse = z.stil({.f = {160, 160, 160}, .breite = m});
    const double zeitschritt = schritt(m_art.zeilen, 3);
    std::vector<double> zeiten;
    for (int k = 0; k * zeitschritt <= m_art.zeilen + 1e-9 && zeiten.size() < 200; ++k)
        zeiten.push_back(k * zeitschritt);
    for (double t : zeiten)
        b.push_back(z.linie(gitter, {{X(t), p.y}, {X(t), p.unten()}}));
    for (const auto& [v, t] : l.wert_marken)
        b.push_back(z.linie(gitter, {{p.x, Y(v)}, {p.rechts(), Y(v)}}));
    if (m_figuren && m_schalter.kennwerte) {
        const double mitte = Y(m_figuren->w);
        const double halb = band_halbe(std::abs(Y(m_figuren->w + 1) - mitte), (0.75 + 2) * m);
        const double oben = std::max(p.y, mitte - halb), unten = std::min(p.unten(), mitte + halb);
        if (unten > oben)
            b.push_back(z.flaeche(z.stil({.f = {0, 0, 192},
                                          .breite = 0,
                                          .fuellung = farbe{0, 0, 192},
                                          .fuellung_deckung = 40}),
                                  {p.x, oben, p.b, unten - oben}));
    }
    const auto kurve = [&](const std::vector<double>& werte, int s) {
        element e = z.linie(s, {}, true);
        e.punkte.reserve(werte.size());
        for (size_t i = 0; i < werte.size(); ++i)
            if (std::isfinite(werte[i])) e.punkte.push_back({X(double(i + 1)), Y(werte[i])});
        b.push_back(std::move(e));
    };
    const auto laeufe = verglichen();
    const size_t kurven_ab = b.size();
    std::vector<std::vector<int>> laufstile;
    for (size_t j = 0; j < laeufe.size(); ++j) {
        laufstile.emplace_back();
        for (size_t s = 0; s < laeufe[j]->spalten.size(); ++s) {
            laufstile[j].push_back(
                z.stil({.f = vergleichsfarbe(j, int(s)), .breite = m, .strich = {4 * m, 2 * m}}));
            kurve(laeufe[j]->spalten[s], laufstile[j].back());
        }
    }
    m_kurven.clear();
    for (size_t s = 0; s < m_zellen.size(); ++s) {
        m_kurven.push_back(b.size());
        kurve(m_zellen[s], z.stil({.f = reihenfarbe(int(s)), .breite = 1.5 * m}));
    }
    const size_t kurven_bis = b.size();

    // The axes: the plot's frame, ticks and labels, the titles.
    b.push_back(z.linie(achse, {{p.x, p.y}, {p.x, p.unten()}, {p.rechts(), p.unten()}}));
    for (double t : zeiten) {
        b.push_back(z.linie(achse, {{X(t), p.unten()}, {X(t), p.unten() + 4 * m}}));
        if (!m_art.zeit_beschriftet) continue;
        const std::string text = std::to_string(int(t));
        b.push_back(z.text(schrift, text, X(t) - z.breite(text) / 2, p.unten() + 7 * m));
    }
    if (l.zeit_titel)
        b.push_back(z.text(schrift, m_art.zeit_titel, p.x + (p.b - z.breite(m_art.zeit_titel)) / 2,
                           p.unten() + 10 * m + zh));
    for (const auto& [v, t] : l.wert_marken) {
        b.push_back(z.linie(achse, {{p.x - 4 * m, Y(v)}, {p.x, Y(v)}}));
        b.push_back(z.text(schrift, t, p.x - 7 * m - z.breite(t), Y(v) - zh / 2));
    }
    if (!m_art.wert_titel.empty()) {
        element t = z.text(schrift, m_art.wert_titel, 2 * m, 0, true);
        t.punkte = {{2 * m + l.z.aufstieg, p.y + (p.h + z.breite(m_art.wert_titel)) / 2}};
        b.push_back(std::move(t));
    }

    // The figures where they are measured, each mark inside the plot and named: the marks first,
    // then each name at the first of its places that stays clear of the marks and the names
    // before it.
    std::vector<rechteck> belegt;
    std::vector<std::pair<std::string, std::vector<punkt>>> namen; // each with its places
    // Clear of the places given: by default everything placed so far.
    const auto frei_von = [](const rechteck& r, const std::vector<rechteck>& von) {
        return std::none_of(von.begin(), von.end(),
                            [&](const rechteck& q) { return q.schneidet(r); });
    };
    // A name is not struck through by a curve either: each curve kept off in boxes no larger than
    // a line of text (below, where there are names), so that a level stretch leaves the room
    // above and below it.
    std::vector<rechteck> kurven;
    const auto frei = [&](const rechteck& r) { return frei_von(r, belegt) && frei_von(r, kurven); };
    const auto belegen = [&](punkt a, punkt e, double rand) {
        belegt.push_back({std::min(a.x, e.x) - rand, std::min(a.y, e.y) - rand,
                          std::abs(e.x - a.x) + 2 * rand, std::abs(e.y - a.y) + 2 * rand});
    };
    const double pfeillaenge = 5 * m, ring = 3.5 * m;
    // A dimension with arrowheads at both ends; one too short for them has them outside,
    // pointing in.
    const auto mass = [&](int s, punkt von, punkt bis) {
        const double d = std::hypot(bis.x - von.x, bis.y - von.y);
        if (d < 1e-9) return;
        const double ex = (bis.x - von.x) / d, ey = (bis.y - von.y) / d;
        if (d >= 2 * pfeillaenge + 2 * m) {
            b.push_back(z.linie(s, {von, bis}));
            pfeil(b, s, bis, von, pfeillaenge);
            pfeil(b, s, von, bis, pfeillaenge);
            belegen(von, bis, pfeillaenge / 2);
            return;
        }
        const double aus = pfeillaenge + 3 * m;
        const punkt va{von.x - ex * aus, von.y - ey * aus}, ba{bis.x + ex * aus, bis.y + ey * aus};
        b.push_back(z.linie(s, {va, von}));
        b.push_back(z.linie(s, {bis, ba}));
        pfeil(b, s, va, von, pfeillaenge);
        pfeil(b, s, ba, bis, pfeillaenge);
        belegen(va, ba, pfeillaenge / 2);
    };
    const auto innen = [&](punkt q, double r) {
        return punkt{std::clamp(q.x, p.x + r, p.rechts() - r),
                     std::clamp(q.y, p.y + r, p.unten() - r)};
    };
    const auto ring_setzen = [&](int s, punkt q) {
        q = innen(q, ring);
        b.push_back({.art = element::form::ring, .stil = s, .punkte = {q}, .mass = ring});
        belegen(q, q, ring + m);
    };
    const size_t marken_ab = b.size();
    if (m_figuren && m_schalter.kennwerte) {
        const int strich = z.stil({.f = {60, 60, 60}, .breite = m, .strich = {m, 2 * m}});
        const int mass_stil = z.stil({.f = {60, 60, 60}, .breite = m});
        const int ringstil = z.stil({.f = reihenfarbe(m_art.kennwerte_ist - 1),
                                     .breite = 1.2 * m,
                                     .fuellung = farbe{255, 255, 255}});
        const std::vector<double> x = ist_spalte();
        const auto texte = kennwert_namen(m_figuren->k, m_komma);
        std::vector<punkt> ringe;
        std::vector<std::pair<std::string, std::vector<punkt>>> an_linien;
        for (const marke& mk :
             kennwert_marken(m_figuren->k, m_figuren->spitzen, m_figuren->w, x, l.a.von)) {
            const punkt von{X(mk.t0), Y(mk.y0)}, bis{X(mk.t1), Y(mk.y1)};
            const std::string& name = texte[size_t(mk.kennwert)];
            const double w = z.breite(name);
            if (mk.art == marke::punkt) {
                ringe.push_back(von);
            } else if (mk.art == marke::strich) {
                const punkt o = innen(bis, 0), u = innen(von, 0);
                b.push_back(z.linie(strich, {u, o}));
                belegen(u, o, m);
                // At the foot of its line, else up along it, on either side.
                const double y1 = p.unten() - 3 * m - zh, y2 = y1 - 2 * m - zh;
                std::vector<punkt> orte{{o.x + 3 * m, y1}, {o.x - 3 * m - w, y1}};
                for (double y = y2; y >= p.y; y -= zh / 2)
                    orte.insert(orte.end(), {{o.x + 3 * m, y}, {o.x - 3 * m - w, y}});
                an_linien.push_back({name, std::move(orte)});
            } else if (mk.kennwert == 2) { // the period, across from its second peak
                const double y = std::clamp(von.y, p.y + pfeillaenge, p.unten() - pfeillaenge);
                mass(mass_stil, {von.x, y}, {bis.x, y});
                const double mitte = (von.x + bis.x - w) / 2;
                namen.push_back({name, {{mitte, y - 3 * m - zh}, {mitte, y + 3 * m}}});
            } else if (mk.kennwert == 1) { // the overshoot, beside its peak's ring
                const double xm = std::min(von.x + ring + 5 * m, p.rechts() - 3 * m);
                b.push_back(z.linie(mass_stil, {{von.x + ring, bis.y}, {xm + 3 * m, bis.y}}));
                mass(mass_stil, {xm, von.y}, {xm, bis.y});
                const double mitte = (von.y + bis.y - zh) / 2;
                namen.push_back({name,
                                 {{xm + 4 * m, bis.y - 3 * m - zh},
                                  {xm + 4 * m, mitte},
                                  {von.x - ring - 4 * m - w, mitte},
                                  {von.x - w / 2, bis.y - ring - 3 * m - zh}}});
            } else { // the remaining deviation, inside the plot's right edge
                const double xm = p.rechts() - 10 * m;
                mass(mass_stil, {xm, std::clamp(von.y, p.y, p.unten())},
                     {xm, std::clamp(bis.y, p.y, p.unten())});
                const double mitte = (von.y + bis.y - zh) / 2;
                namen.push_back({name,
                                 {{xm - 4 * m - w, mitte},
                                  {xm - 4 * m - w, std::min(von.y, bis.y) - 4 * m - zh},
                                  {xm - 4 * m - w, std::max(von.y, bis.y) + 4 * m}}});
            }
        }
        // The names of the lines last: they may go up along them, where the others have only
        // their mark's few places.
        namen.insert(namen.end(), an_linien.begin(), an_linien.end());
        for (const punkt& q : ringe)
            ring_setzen(ringstil, q);
        // Arrowheads and their shafts kept inside where a dimension meets the plot's edge.
        for (size_t i = marken_ab; i < b.size(); ++i)
            if (b[i].art == element::form::linie)
                for (punkt& q : b[i].punkte)
                    q = innen(q, 0);
    }
    if (m_tangente) { // method 2: the tangent at the inflection point, K and L
        const sim::wendetangente& t = *m_tangente;
        const double x0 = t.bei(t.l_s);
        const int blau = z.stil({.f = {0, 0, 255}, .breite = m, .strich = {4 * m, 2 * m}});
        double ende = m_art.zeilen;
        if (t.steigung > 0) ende = std::min(ende, t.wendepunkt_s + (l.a.bis - t.wert) / t.steigung);
        const punkt ta{X(0), Y(t.bei(0))}, te{X(ende), Y(t.bei(ende))};
        b.push_back(z.linie(blau, {ta, te}, true));
        // The slanted line keeps the labels off in short pieces: its box as a whole would
        // cover half the plot.
        const int stuecke = std::max(1, int(std::hypot(te.x - ta.x, te.y - ta.y) / zh));
        for (int i = 0; i < stuecke; ++i) {
            const auto bei = [&](int j) {
                const double f = double(j) / stuecke;
                return punkt{ta.x + f * (te.x - ta.x), ta.y + f * (te.y - ta.y)};
            };
            belegen(bei(i), bei(i + 1), m);
        }
        ring_setzen(z.stil({.f = schwarz, .breite = m}), {X(t.wendepunkt_s), Y(t.wert)});
        const double xk = p.x + 2 * m;
        const punkt k0 = innen({xk, Y(t.bei(0))}, 0), k1 = innen({xk, Y(x0)}, 0);
        b.push_back(z.linie(z.stil({.f = {0, 0, 255}, .breite = 2 * m}), {k0, k1}));
        b.push_back(z.linie(z.stil({.f = {255, 0, 255}, .breite = 2 * m}),
                            {{X(0), Y(x0)}, {X(t.l_s), Y(x0)}}));
        belegen(k0, k1, m);
        belegen({X(0), Y(x0)}, {X(t.l_s), Y(x0)}, m);
        const std::string k = "K = " + mit_komma(gerundet(t.k_k, 1), m_komma) + " K";
        const std::string ls = "L = " + mit_komma(gerundet(t.l_s, 1), m_komma) + " s";
        namen.push_back({ls,
                         {{X(t.l_s / 2) - z.breite(ls) / 2, Y(x0) - 3 * m - zh},
                          {X(t.l_s) + 4 * m, Y(x0) - zh / 2},
                          {X(t.l_s / 2) - z.breite(ls) / 2, Y(x0) + 3 * m}}});
        namen.push_back({k,
                         {{xk + 4 * m, (k0.y + k1.y - zh) / 2},
                          {xk + 4 * m, std::max(k0.y, k1.y) + 3 * m},
                          {xk + 4 * m, k1.y + 3 * m},
                          {xk + 4 * m, k1.y - 3 * m - zh}}});
    }
    for (size_t k = kurven_ab; k < kurven_bis && !namen.empty(); ++k)
        kaesten_anhaengen(kurven, b[k].punkte, zh, m);
    std::vector<rechteck> schilder; // the labels placed
    const auto versatz = [&]() -> const std::vector<punkt>& {
        const int nx = int(p.b / zh) + 1, ny = int(2 * p.h / zh) + 1;
        if (m_versatz.nx == nx && m_versatz.ny == ny && m_versatz.zh == zh)
            return m_versatz.schritte;
        std::vector<std::pair<double, punkt>> nach_abstand;
        for (int i = -nx; i <= nx; ++i)
            for (int j = -ny; j <= ny; ++j) {
                const punkt v{i * zh, j * zh / 2};
                nach_abstand.push_back({std::hypot(v.x, v.y), v});
            }
        std::stable_sort(nach_abstand.begin(), nach_abstand.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        m_versatz = {nx, ny, zh, {}};
        for (const auto& [abstand, v] : nach_abstand)
            m_versatz.schritte.push_back(v);
        return m_versatz.schritte;
    };
    for (const auto& [text, orte] : namen) {
        const double w = z.breite(text);
        std::optional<rechteck> gewaehlt;
        const auto platz = [&](punkt o) {
            return rechteck{std::clamp(o.x, p.x + 2 * m, p.rechts() - 2 * m - w),
                            std::clamp(o.y, p.y + m, p.unten() - m - zh), w, zh};
        };
        for (punkt o : orte) {
            const rechteck r = platz(o);
            if (!gewaehlt) gewaehlt = r;
            if (frei(r)) {
                gewaehlt = r;
                break;
            }
        }
        // Every place taken (a low or crowded plot): the free one nearest the first, else the
        // nearest clear of the other labels, at least; only where there is none, the first.
        if (!frei(*gewaehlt)) {
            std::optional<rechteck> frei_genug;
            for (const punkt v : versatz()) {
                const rechteck q = platz({orte.front().x + v.x, orte.front().y + v.y});
                if (frei(q)) {
                    frei_genug = q;
                    break;
                }
                if (!frei_genug && frei_von(q, schilder)) frei_genug = q;
            }
            if (frei_genug) gewaehlt = frei_genug;
        }
        // Side by side, two labels keep a gap, as words do.
        const rechteck mit_rand{gewaehlt->x - 2 * m, gewaehlt->y, w + 4 * m, zh};
        schilder.push_back(mit_rand);
        belegt.push_back(mit_rand);
        b.push_back(z.text(schrift, text, gewaehlt->x, gewaehlt->y));
    }

    // The head: the summary from the plot's left edge, the legend right-aligned to its right.
    const double grund = (l.kopfzeile - zh) / 2;
    for (size_t i = 0; i < l.kopfstuecke.size() && i < l.k.kennwerte.size(); ++i) {
        const auto [x, y] = l.k.kennwerte[i];
        if (i > 0 && l.k.kennwerte[i - 1].y == y)
            b.push_back(
                z.text(schrift, trenner, p.x + x - std::ceil(z.breite(trenner)), y + grund));
        b.push_back(z.text(schrift, l.kopfstuecke[i], p.x + x, y + grund));
    }
    if (!l.k.legende.empty()) {
        b.push_back(z.flaeche(z.stil({.f = {170, 170, 170},
                                      .breite = m,
                                      .fuellung = farbe{255, 255, 255},
                                      .fuellung_deckung = 230}),
                              {p.x + l.k.legende_x + 0.5 * m, l.k.legende_y + 0.5 * m,
                               l.k.legende_breite - m, l.k.legende_hoehe - m}));
        for (size_t i = 0; i < m_legende.size() && i < l.k.legende.size(); ++i) {
            const int welche = m_legende[i].linien;
            std::vector<int> striche;
            if (welche >= 0) striche.push_back(z.stil({.f = reihenfarbe(welche), .breite = 2 * m}));
            if (welche <= -2 && size_t(-2 - welche) < laufstile.size())
                striche = laufstile[size_t(-2 - welche)];
            double x = p.x + l.k.legende[i].x;
            const double y = l.k.legende[i].y;
            for (int s : striche) {
                b.push_back(
                    z.linie(s, {{x, y + l.kopfzeile / 2}, {x + 16 * m, y + l.kopfzeile / 2}}));
                x += 20 * m;
            }
            b.push_back(z.text(schrift, m_legende[i].text, x, y + grund));
        }
    }

    m_zeigerstil = z.stil({.f = {90, 90, 90}, .breite = m});
    m_fokusstil = z.stil({.f = {60, 60, 60}, .breite = m, .strich = {m, 2 * m}});
}

const char* befehl_name(befehl b) {
    switch (b) {
    case befehl::bild_kopieren:
        return "bild_kopieren";
    case befehl::daten_kopieren:
        return "daten_kopieren";
    case befehl::link_kopieren:
        return "link_kopieren";
    case befehl::bild_speichern:
        return "bild_speichern";
    case befehl::daten_speichern:
        return "daten_speichern";
    case befehl::kennwerte:
        return "kennwerte";
    case befehl::vorher:
        return "vorher";
    case befehl::projektor:
        return "projektor";
    case befehl::vorschlag:
        return "vorschlag";
    case befehl::protokoll:
        return "protokoll";
    }
    return "";
}

const anzeige& schaubild::liste() {
    zeichnen();
    return m_anzeige;
}

std::vector<punkt> schaubild::kurve(int spalte) {
    zeichnen();
    if (spalte < 1 || size_t(spalte) > m_kurven.size()) return {};
    return m_anzeige.bild[m_kurven[size_t(spalte - 1)]].punkte;
}

// ---- texts

std::vector<std::string> schaubild::legendentexte() const {
    std::vector<std::string> t;
    for (const legendeneintrag& e : m_legende)
        t.push_back(e.text);
    return t;
}

std::string schaubild::name() const {
    std::string t = "Diagramm ";
    for (size_t i = 0; i < m_art.reihen.size(); ++i)
        t += (i ? ", " : "") + m_art.reihen[i];
    return t;
}

std::string schaubild::beschreibung() const {
    std::vector<std::string> eintraege;
    for (const menuepunkt& p : menue())
        eintraege.push_back(p.text);
    std::vector<std::pair<std::string, std::string>> laeufe;
    for (const vergleichslauf* v : verglichen())
        laeufe.emplace_back(v->titel, laufname(v->lauf, m_komma));
    return darstellung::beschreibung(m_art.wert_titel, m_art.zeit_titel, laeufe, m_kopftexte,
                                     eintraege);
}

std::string schaubild::bildbeschreibung() const {
    std::vector<std::pair<std::string, std::string>> laeufe;
    for (const vergleichslauf* v : verglichen())
        laeufe.emplace_back(v->titel, laufname(v->lauf, m_komma));
    return darstellung::bildbeschreibung(m_art.wert_titel, m_art.zeit_titel, m_art.reihen, laeufe,
                                         m_kopftexte);
}

std::vector<menuepunkt> schaubild::menue() const {
    std::vector<menuepunkt> p{{befehl::bild_kopieren, "Bild kopieren"},
                              {befehl::daten_kopieren, "Daten kopieren"}};
    if (m_gesicht == Gesicht::browser)
        p.push_back({befehl::link_kopieren, "Link zu diesem Lauf kopieren"});
    p.push_back({befehl::bild_speichern, "Bild speichern …"});
    p.push_back({befehl::daten_speichern, "Daten speichern …"});
    p.push_back({});
    p.push_back({befehl::kennwerte, "Kennwerte zeigen", true, m_schalter.kennwerte});
    p.push_back({befehl::vorher, "Vorherigen Lauf zeigen", true, m_schalter.vorher});
    p.push_back({befehl::projektor, "Projektoransicht", true, m_schalter.projektor});
    if (m_art.tangente)
        p.push_back(
            {befehl::vorschlag, "Vorschlag übernehmen", false, false, m_tangente.has_value()});
    p.push_back({});
    p.push_back({befehl::protokoll, "Versuchsprotokoll …"});
    return p;
}

std::string schaubild::tsv(std::string_view komma) const {
    return tsv_text(m_art.reihen, m_zellen, komma);
}

std::string schaubild::csv(std::string_view komma) const {
    return csv_text(m_art.reihen, m_art.wert_titel, m_zellen, komma);
}

namespace {
std::string lesen(const schaubild_art& art, const std::vector<std::vector<double>>& spalten,
                  int zeile, std::string_view komma) {
    std::vector<double> werte;
    for (const auto& s : spalten)
        werte.push_back(zeile >= 1 && size_t(zeile) <= s.size() ? s[size_t(zeile - 1)] : keine);
    return ablesen(art.reihen, werte, art.wert_titel, komma);
}
} // namespace

std::string schaubild::ablesen(int zeile) const {
    return lesen(m_art, m_zellen, zeile, m_komma);
}

std::string schaubild::ablesen_vergleich(size_t lauf, int zeile) const {
    const auto v = verglichen();
    return lauf < v.size() ? lesen(m_art, v[lauf]->spalten, zeile, m_komma) : std::string();
}

std::string schaubild::kennwert_bei(int zeile) const {
    if (!m_figuren || !m_schalter.kennwerte) return {};
    const int i = naechster_kennwert(m_figuren->k, m_figuren->spitzen, zeile);
    return i < 0 ? std::string() : kennwert_zeilen(m_figuren->k, m_komma)[size_t(i)];
}

// ---- events

rechteck tipp_box(std::string_view text) {
    const int px = schrift_px(8.25, 1);
    double b = 0, zeilen = 0;
    for (size_t von = 0; von <= text.size(); ++zeilen) {
        const size_t bis = std::min(text.find('\n', von), text.size());
        b = std::max(b, textbreite(text.substr(von, bis - von), false, px));
        von = bis + 1;
    }
    return {0, 0, std::ceil(b) + 2 * 4 + 2, zeilen * zeile_bei(px).hoehe() + 2 * 2 + 2};
}

int schaubild::zeile_bei(punkt q) {
    const rechteck& p = plot();
    if (!p.enthaelt(q) || m_art.zeilen <= 0 || m_zellen.empty()) return 0;
    const int z = int(std::lround((q.x - p.x) * m_art.zeilen / p.b));
    return std::clamp(z, 1, m_art.zeilen);
}

tastenwirkung schaubild::taste(diagrammtaste t, bool umschalt) const {
    const int schritt = umschalt ? 10 : 1, z = m_zeiger;
    switch (t) {
    case diagrammtaste::links:
        return {z ? std::max(1, z - schritt) : 1};
    case diagrammtaste::rechts:
        return {z ? std::min(m_art.zeilen, z + schritt) : 1};
    case diagrammtaste::anfang:
        return {1};
    case diagrammtaste::ende:
        return {m_art.zeilen};
    case diagrammtaste::menue:
        return {-1, true};
    }
    return {};
}

} // namespace darstellung
