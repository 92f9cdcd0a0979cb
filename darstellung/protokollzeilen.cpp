#include "protokollzeilen.h"

#include "zahltext.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace darstellung {

namespace {
struct spalte {
    const char* name;
    const char* einheit;
};
// The fields of both pages, each once, in the order page 2 and then page 3 name them.
const spalte felder[] = {{"Sollwert", "°C"},   {"P-Band", "K"},     {"Nachlaufzeit", "s"},
                         {"Vorhaltzeit", "s"}, {"Verstärkung", ""}, {"Nachlauf. 1", "s"},
                         {"Vorhalt. 1", "s"},  {"P-Band 2", "K"},   {"Vorhalt. 2", "s"},
                         {"Max.Diff", "K"}};
constexpr size_t vorne = 3, n_felder = std::size(felder);

std::string mit_einheit(const char* name, const char* einheit) {
    return *einheit ? std::string(name) + " in " + einheit : std::string(name);
}

std::optional<double> oder_nichts(const std::optional<int>& v) {
    return v ? std::optional<double>(*v) : std::nullopt;
}

std::optional<double> feld(const protokollzeile& z, size_t f) {
    for (const laufwert& w : z.werte)
        if (std::strcmp(w.name, felder[f].name) == 0) return w.wert;
    return {};
}

std::optional<double> kennwert(const sim::kennwerte& k, size_t i) {
    switch (i) {
    case 0:
        return oder_nichts(k.anregelzeit_s);
    case 1:
        return k.ueberschwingen_k;
    case 2:
        return oder_nichts(k.zeit_maximum_s);
    case 3:
        return k.schwingungsdauer_s;
    case 4:
        return oder_nichts(k.ausregelzeit_s);
    default:
        return k.bleibende_abweichung_k;
    }
}

std::optional<double> zelle(const protokollzeile& z, size_t s) {
    if (s == 0) return z.nummer;
    if (s == 1) return z.sekunde;
    if (s == 2) return z.seite;
    if (s < vorne + n_felder) return feld(z, s - vorne);
    return kennwert(z.k, s - vorne - n_felder);
}

laufwerte leere_werte(int seite) {
    return seiten_laufwerte(seite, {});
}

std::vector<std::string_view> teilen(std::string_view z, char trenner) {
    std::vector<std::string_view> t;
    for (size_t a = 0;;) {
        const size_t e = z.find(trenner, a);
        t.push_back(z.substr(a, e == std::string_view::npos ? std::string_view::npos : e - a));
        if (e == std::string_view::npos) return t;
        a = e + 1;
    }
}
} // namespace

bool protokollzeile::operator==(const protokollzeile& b) const {
    if (nummer != b.nummer || sekunde != b.sekunde || seite != b.seite ||
        werte.size() != b.werte.size())
        return false;
    for (size_t i = 0; i < werte.size(); ++i)
        if (std::strcmp(werte[i].name, b.werte[i].name) != 0 || werte[i].wert != b.werte[i].wert)
            return false;
    return k == b.k;
}

const std::vector<std::string>& protokoll_spalten() {
    static const std::vector<std::string> s = [] {
        std::vector<std::string> s{"Nr.", "Zeit in s", "Seite"};
        for (const spalte& f : felder)
            s.push_back(mit_einheit(f.name, f.einheit));
        for (const char* k :
             {"Anregelzeit in s", "Überschwingen in K", "Zeit des Maximums in s",
              "Schwingungsdauer in s", "Ausregelzeit in s", "bleibende Abweichung in K"})
            s.emplace_back(k);
        return s;
    }();
    return s;
}

bool protokoll_feldspalte(size_t spalte) {
    return spalte >= vorne && spalte < vorne + n_felder;
}

std::vector<std::string> protokoll_texte(const protokollzeile& z, std::string_view komma) {
    std::vector<std::string> t;
    for (size_t s = 0; s < protokoll_spalten().size(); ++s) {
        const auto v = zelle(z, s);
        if (!v) { // a figure without a value as the box writes it; another page's field empty
            t.emplace_back(s >= vorne + n_felder ? "\u2014" : "");
            continue;
        }
        const size_t k = s >= vorne + n_felder ? s - vorne - n_felder : 99;
        const bool eine_stelle = k == 1 || k == 3 || k == 5;
        std::string text = s < vorne || (k != 99 && !eine_stelle) ? zahl_c(std::floor(*v), 'f', 0)
                           : eine_stelle ? mit_komma(zahl_c(std::abs(*v), 'f', 1), komma)
                                         : mit_komma(zahl_c(*v, 'g', 6), komma);
        if (eine_stelle && *v < 0 && text.find_first_not_of("0,.") != std::string::npos)
            text = "\u2212" + text;
        t.push_back(std::move(text));
    }
    return t;
}

double protokoll_wert(const protokollzeile& z, size_t spalte) {
    return zelle(z, spalte).value_or(std::nan(""));
}

std::string protokoll_csv(std::span<const protokollzeile> zeilen, std::string_view komma) {
    const bool dezimalkomma = komma == ",";
    const char trenner = dezimalkomma ? ';' : ',';
    std::string t;
    for (const std::string& s : protokoll_spalten())
        t += (t.empty() ? "" : std::string(1, trenner)) + s;
    t += "\r\n";
    for (const protokollzeile& z : zeilen) {
        for (size_t s = 0; s < protokoll_spalten().size(); ++s) {
            if (s) t += trenner;
            if (const auto v = zelle(z, s))
                t += dezimalkomma ? mit_komma(kuerzest(*v), ",") : kuerzest(*v);
        }
        t += "\r\n";
    }
    return t;
}

protokoll_datei protokoll_lesen(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> zeilen;
    for (std::string_view z : teilen(text, '\n')) {
        if (!z.empty() && z.back() == '\r') z.remove_suffix(1);
        zeilen.push_back(z);
    }
    while (!zeilen.empty() && zeilen.back().empty())
        zeilen.pop_back();
    const auto fehler = [](size_t zeile, const std::string& was) {
        return protokoll_datei{{}, "Zeile " + std::to_string(zeile) + ": " + was};
    };
    if (zeilen.empty()) return {{}, "Die Datei ist leer."};
    const char trenner = zeilen[0].find(';') != std::string_view::npos ? ';' : ',';
    const auto kopf = teilen(zeilen[0], trenner);
    if (!std::equal(kopf.begin(), kopf.end(), protokoll_spalten().begin(),
                    protokoll_spalten().end()))
        return fehler(1, "die Spalten sind nicht die eines Versuchsprotokolls.");
    protokoll_datei d;
    for (size_t n = 1; n < zeilen.size(); ++n) {
        const auto zellen = teilen(zeilen[n], trenner);
        if (zellen.size() != protokoll_spalten().size())
            return fehler(n + 1, "falsche Zahl von Feldern.");
        std::vector<std::optional<double>> w;
        for (std::string_view c : zellen) {
            if (c.empty()) {
                w.emplace_back();
                continue;
            }
            std::string s(c);
            if (trenner == ';')
                for (char& ch : s)
                    ch = ch == ',' ? '.' : ch == '.' ? 'x' : ch;
            const auto v = zahl_lesen_c(s);
            if (!v) return fehler(n + 1, "„" + std::string(c) + "“ ist keine Zahl.");
            w.push_back(v);
        }
        // Nr. and the figures in seconds are whole and held as int: a cell beyond its range would
        // read as any number.
        const auto ganz_zahl = [](double v) {
            return v == std::floor(v) && std::abs(v) <= std::numeric_limits<int>::max();
        };
        protokollzeile z;
        if (!w[0] || !w[1] || !w[2] || (*w[2] != 2 && *w[2] != 3) || !ganz_zahl(*w[0]))
            return fehler(n + 1, "Nr., Zeit und Seite (2 oder 3) fehlen.");
        z.nummer = int(*w[0]);
        z.sekunde = *w[1];
        z.seite = int(*w[2]);
        z.werte = leere_werte(z.seite);
        for (size_t f = 0; f < n_felder; ++f) {
            laufwert* ziel = nullptr;
            for (laufwert& l : z.werte)
                if (std::strcmp(l.name, felder[f].name) == 0) ziel = &l;
            if (bool(ziel) != bool(w[vorne + f]))
                return fehler(n + 1,
                              "die Felder passen nicht zu Seite " + std::to_string(z.seite) + ".");
            if (ziel) ziel->wert = *w[vorne + f];
        }
        const size_t k = vorne + n_felder;
        for (size_t s : {k, k + 2, k + 4})
            if (w[s] && !ganz_zahl(*w[s]))
                return fehler(n + 1, "„" + std::string(zellen[s]) + "“ ist keine ganze Zahl.");
        const auto ganz = [](const std::optional<double>& v) {
            return v ? std::optional<int>(int(*v)) : std::nullopt;
        };
        z.k.anregelzeit_s = ganz(w[k]);
        z.k.ueberschwingen_k = w[k + 1].value_or(0);
        z.k.zeit_maximum_s = ganz(w[k + 2]);
        z.k.schwingungsdauer_s = w[k + 3];
        z.k.ausregelzeit_s = ganz(w[k + 4]);
        z.k.bleibende_abweichung_k = w[k + 5];
        d.zeilen.push_back(std::move(z));
    }
    return d;
}

const std::vector<std::string>& laufwert_felder(int seite) {
    static const std::vector<std::string> zwei{"w1", "xp1", "tn1", "tv1"},
        drei{"w1", "v1", "tn1", "tv1", "xp2", "tv2", "maxdiff"};
    return seite == 2 ? zwei : drei;
}

} // namespace darstellung
