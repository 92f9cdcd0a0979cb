#include "einstellhilfe.h"

#include "kaskade.h"
#include "parameter.h"
#include "zahltext.h"

#include <algorithm>

namespace darstellung {

namespace {
// A number in tenths or hundredths (a value as shown, a factor as written) and back, so that
// each product a learner checks by hand holds in decimal: a factor in hundredths times a value
// in tenths is a whole number of thousandths, rounded from there half away from zero.
long long in_einheiten(std::string t, int stellen) {
    const size_t punkt = t.find('.');
    std::string nach = punkt == std::string::npos ? "" : t.substr(punkt + 1);
    if (punkt != std::string::npos) t.resize(punkt);
    nach.resize(size_t(stellen), '0');
    const bool minus = t.starts_with('-');
    const long long v = std::stoll((minus ? t.substr(1) : t) + nach);
    return minus ? -v : v;
}

long long gerundet_auf(long long v, long long teiler) {
    const long long b = (v < 0 ? -v : v) + teiler / 2;
    return (v < 0 ? -1 : 1) * (b / teiler);
}

// Tenths as text: up to one decimal, without a trailing ",0".
std::string zehntel_text(long long z, std::string_view komma) {
    const long long b = z < 0 ? -z : z;
    std::string t = (z < 0 ? "-" : "") + std::to_string(b / 10);
    if (b % 10) t += "." + std::to_string(b % 10);
    return mit_komma(t, komma);
}

std::string zahl(double v, std::string_view komma) {
    return zehntel_text(in_einheiten(gerundet(v, 1), 1), komma);
}

// Each line the factor times the value, "0,85 × 46,8 K = 39,8 K": the chart names K and L.
vorschlag machen(const char* faktoren[3], const double werte[3], const char* einheiten[3],
                 std::string_view komma) {
    static const char* ids[] = {"xp1", "tn1", "tv1"};
    vorschlag v;
    std::string ueber = "Übernommen werden:";
    for (int i = 0; i < 3; ++i) {
        const parameter* p = parameter_von(2, ids[i]);
        const long long wert = in_einheiten(gerundet(werte[i], 1), 1);
        const long long tausendstel = in_einheiten(faktoren[i], 2) * wert;
        (i == 0 ? v.xp : i == 1 ? v.tn : v.tv) = double(tausendstel) / 1000;
        v.zeilen.push_back(std::string(p->name) + " = " + mit_komma(faktoren[i], komma) + " × " +
                           zehntel_text(wert, komma) + " " + einheiten[i] + " = " +
                           zehntel_text(gerundet_auf(tausendstel, 100), komma) + " " +
                           einheiten[i]);
        // The field takes digits only: the whole number, as long as the field holds.
        std::string text = std::to_string(std::max(gerundet_auf(tausendstel, 1000), 0LL));
        if (int(text.size()) > p->laenge) text = std::string(size_t(p->laenge), '9');
        ueber += std::string(i ? ", " : " ") + p->name + " " + text + " " + einheiten[i];
        v.felder.emplace_back(ids[i], text);
    }
    v.zeilen.push_back(ueber);
    return v;
}

double feld(const protokollzeile& z, const char* id) {
    const auto p = seitenparameter(z.seite);
    for (size_t i = 0; i < p.size() && i < z.werte.size(); ++i)
        if (std::string_view(p[i].id) == id) return z.werte[i].wert;
    return 0;
}

bool p_regler(const protokollzeile& z) {
    return z.seite == 2 && feld(z, "tn1") == 0 && feld(z, "tv1") == 0;
}
} // namespace

vorschlag methode_1(double xp_krit, double periode_s, std::string_view komma) {
    const char* faktoren[] = {"1.7", "0.5", "0.12"};
    const double werte[] = {xp_krit, periode_s, periode_s};
    const char* einheiten[] = {"K", "s", "s"};
    return machen(faktoren, werte, einheiten, komma);
}

vorschlag methode_2(double k_k, double l_s, std::string_view komma) {
    const char* faktoren[] = {"0.85", "2", "0.5"};
    const double werte[] = {k_k, l_s, l_s};
    const char* einheiten[] = {"K", "s", "s"};
    return machen(faktoren, werte, einheiten, komma);
}

std::string als_kritisch_pruefen(const protokollzeile& z) {
    if (!p_regler(z))
        return "Lauf " + std::to_string(z.nummer) +
               " ist kein Lauf eines P-Reglers auf Seite 2 (Nachlaufzeit und Vorhaltzeit 0).";
    if (!z.k.schwingungsdauer_s)
        return "Lauf " + std::to_string(z.nummer) +
               " schwingt nicht: er hat keine Schwingungsdauer.";
    return {};
}

kritisch kritische_zeile(std::span<const protokollzeile> zeilen) {
    const protokollzeile* letzte = nullptr;
    for (const protokollzeile& z : zeilen)
        if (p_regler(z) && (!letzte || z.nummer > letzte->nummer)) letzte = &z;
    if (!letzte)
        return {nullptr, "Im Versuchsprotokoll ist noch kein Lauf eines P-Reglers auf Seite 2 "
                         "(Nachlaufzeit und Vorhaltzeit 0)."};
    const double w = feld(*letzte, "w1");
    const auto bei_w = [&](const protokollzeile& z) { return p_regler(z) && feld(z, "w1") == w; };
    const protokollzeile* k = nullptr;
    bool schwingt = false;
    for (const protokollzeile& z : zeilen) {
        if (!bei_w(z) || !z.k.schwingungsdauer_s) continue;
        schwingt = true;
        const double xp = feld(z, "xp1");
        const bool klingt_ab_darueber =
            std::any_of(zeilen.begin(), zeilen.end(), [&](const auto& d) {
                return bei_w(d) && !d.k.schwingungsdauer_s && feld(d, "xp1") > xp;
            });
        if (!klingt_ab_darueber) continue;
        if (!k || xp > feld(*k, "xp1") || (xp == feld(*k, "xp1") && z.nummer > k->nummer)) k = &z;
    }
    if (k) return {k, {}};
    return {nullptr, schwingt ? "Bei keinem P-Band klingt die Schwingung bisher ab: vergrößern Sie "
                                "das P-Band Schritt für Schritt."
                              : "Noch schwingt kein Lauf: verkleinern Sie das P-Band."};
}

std::string grenze_text(const protokollzeile& z, std::string_view komma) {
    return "Lauf " + std::to_string(z.nummer) +
           " an der Stabilitätsgrenze: P-Band = " + zahl(feld(z, "xp1"), komma) +
           " K, Schwingungsdauer = " + zahl(z.k.schwingungsdauer_s.value_or(0), komma) + " s";
}

vorschlag methode_1(const protokollzeile& z, std::string_view komma) {
    return methode_1(feld(z, "xp1"), z.k.schwingungsdauer_s.value_or(0), komma);
}

im_protokoll methode_1_im_protokoll(std::span<const protokollzeile> zeilen,
                                    const protokollzeile* gewaehlt, std::string_view komma) {
    const protokollzeile* z = gewaehlt;
    std::string warum;
    if (z) {
        warum = als_kritisch_pruefen(*z);
    } else {
        const kritisch k = kritische_zeile(zeilen);
        z = k.zeile;
        warum = k.warum;
    }
    if (!warum.empty()) return {warum, {}, {}};
    return {{}, grenze_text(*z, komma), methode_1(*z, komma)};
}

std::optional<sim::wendetangente> heizkurven_tangente(std::span<const double> x) {
    return sim::wendetangente_berechnen(sim::aufheizstrecke{}.istwert, x);
}

} // namespace darstellung
