#include "diagramm.h"

#include "protokollzeilen.h"

#include <algorithm>
#include <cmath>

namespace darstellung {

farbe reihenfarbe(int spalte) {
    static const farbe farben[] = {{0, 0, 192}, {200, 0, 0}, {0, 140, 0}, {220, 130, 0}};
    return farben[size_t(std::max(spalte, 0)) % std::size(farben)];
}

namespace {
double helligkeit(farbe f) {
    const auto linear = [](int k) {
        const double c = k / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(f.r) + 0.7152 * linear(f.g) + 0.0722 * linear(f.b);
}

// k twentieths of the way from c to `ziel`.
farbe gemischt(farbe c, int ziel, int k) {
    const auto m = [&](int a) { return (a * (20 - k) + ziel * k + 10) / 20; };
    return {m(c.r), m(c.g), m(c.b)};
}

// The k-th hue a golden angle on from the one before, laid over the arcs that keep 20 degrees
// from the series' hues (red 0, orange 35, green 120, blue 240); brought to 3:1 against white,
// and darker on each later lap.
farbe weiterer_ton(size_t k) {
    static const double boegen[][2] = {{55, 100}, {140, 220}, {260, 340}};
    double u = std::fmod(double(k) * 0.6180339887498949, 1.0) * 205, h = 0;
    for (const auto& [von, bis] : boegen) {
        if (u <= bis - von) {
            h = von + u;
            break;
        }
        u -= bis - von;
    }
    const auto kanal = [h](double n) {
        const double x = std::fmod(n + h / 60, 6);
        return int(std::lround(204 * (1 - std::max(0.0, std::min({x, 4 - x, 1.0})))));
    };
    return gemischt(vorher_farbe({kanal(5), kanal(3), kanal(1)}), 0, int(k / 300 % 10));
}
} // namespace

double kontrast(farbe a, farbe b) {
    const double la = helligkeit(a), lb = helligkeit(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

farbe vorher_farbe(farbe c) {
    const farbe weiss{255, 255, 255};
    for (int k = 10; k >= 0; --k)
        if (const farbe m = gemischt(c, 255, k); kontrast(m, weiss) >= 3) return m;
    for (int k = 1; k <= 20; ++k)
        if (const farbe m = gemischt(c, 0, k); kontrast(m, weiss) >= 3) return m;
    return {0, 0, 0};
}

farbe vergleichsfarbe(size_t lauf, int spalte) {
    if (lauf == 0) return vorher_farbe(reihenfarbe(spalte));
    // Hues far from the series' blue, red, green and orange, and from one another.
    static const farbe toene[] = {{140, 0, 160}, {0, 130, 130}, {150, 90, 0},
                                  {200, 0, 120}, {90, 90, 90},  {110, 110, 0}};
    if (lauf <= std::size(toene)) return vorher_farbe(toene[lauf - 1]);
    // Past those, a class may tick any number of rows: each further run gets a tone no run
    // before it has, for as many rows as a notebook holds.
    constexpr size_t fest = 4 + std::size(toene); // the run before's tones, then those above
    static const std::vector<farbe> alle = [] {
        std::vector<farbe> t;
        for (int s = 0; s < 4; ++s)
            t.push_back(vorher_farbe(reihenfarbe(s)));
        for (const farbe& f : toene)
            t.push_back(vorher_farbe(f));
        for (size_t k = 1; t.size() < fest + protokoll_hoechstens && k < 100000; ++k)
            if (const farbe f = weiterer_ton(k); std::find(t.begin(), t.end(), f) == t.end())
                t.push_back(f);
        return t;
    }();
    return alle[fest + (lauf - std::size(toene) - 1) % (alle.size() - fest)];
}

std::vector<marke> kennwert_marken(const sim::kennwerte& k, std::span<const int> spitzen, double w,
                                   std::span<const double> x, double unten) {
    std::vector<marke> m;
    const int n = int(x.size());
    const auto bei = [&](int s) { return x[size_t(s - 1)]; };
    const auto gilt = [&](const std::optional<int>& s) { return s && *s >= 1 && *s <= n; };
    if (gilt(k.anregelzeit_s))
        m.push_back({marke::strich, double(*k.anregelzeit_s), unten, double(*k.anregelzeit_s),
                     bei(*k.anregelzeit_s), 0});
    if (gilt(k.zeit_maximum_s) && k.ueberschwingen_k.value_or(0) > 0)
        m.push_back({marke::mass, double(*k.zeit_maximum_s), w, double(*k.zeit_maximum_s),
                     w + *k.ueberschwingen_k, 1});
    if (k.schwingungsdauer_s && spitzen.size() >= 3 && spitzen[1] >= 1 && spitzen[1] <= n) {
        const double t = spitzen[1];
        m.push_back(
            {marke::mass, t, bei(spitzen[1]), t + *k.schwingungsdauer_s, bei(spitzen[1]), 2});
    }
    if (gilt(k.ausregelzeit_s))
        m.push_back({marke::strich, double(*k.ausregelzeit_s), unten, double(*k.ausregelzeit_s),
                     bei(*k.ausregelzeit_s), 3});
    if (k.bleibende_abweichung_k && *k.bleibende_abweichung_k != 0 && n > 0)
        m.push_back({marke::mass, double(n), bei(n), double(n), w, 4});
    for (size_t i = 0; i < spitzen.size(); ++i)
        if (spitzen[i] >= 1 && spitzen[i] <= n)
            m.push_back({marke::punkt, double(spitzen[i]), bei(spitzen[i]), double(spitzen[i]),
                         bei(spitzen[i]), i == 0 && k.zeit_maximum_s == spitzen[i] ? 1 : 2});
    return m;
}

std::vector<size_t> umbrechen(std::span<const double> breiten, double luecke, double platz) {
    std::vector<size_t> anfaenge;
    double zeile = 0;
    for (size_t i = 0; i < breiten.size(); ++i) {
        if (anfaenge.empty() || zeile + luecke + breiten[i] > platz) {
            anfaenge.push_back(i);
            zeile = breiten[i];
        } else {
            zeile += luecke + breiten[i];
        }
    }
    return anfaenge;
}

kopf kopf_anordnen(std::span<const double> kennwerte, double luecke_k,
                   std::span<const double> legende, double breite, double zeile, double oben) {
    constexpr double rand = 2, innen = 4; // below the head; inside the legend's frame
    kopf k;
    double y = oben;
    const std::vector<size_t> zk = umbrechen(kennwerte, luecke_k, breite);
    for (size_t z = 0; z < zk.size(); ++z) {
        const size_t bis = z + 1 < zk.size() ? zk[z + 1] : kennwerte.size();
        double x = 0;
        for (size_t i = zk[z]; i < bis; ++i) {
            k.kennwerte.push_back({x, y});
            x += kennwerte[i] + luecke_k;
        }
        y += zeile;
    }
    // The legend: lines as wide as the plot less the frame.
    std::vector<std::pair<size_t, size_t>> zeilen; // [from, to) per line
    const auto anfaenge = umbrechen(legende, 0, std::max(0.0, breite - innen));
    for (size_t z = 0; z < anfaenge.size(); ++z)
        zeilen.emplace_back(anfaenge[z],
                            z + 1 < anfaenge.size() ? anfaenge[z + 1] : legende.size());
    double b = 0;
    for (auto [von, bis] : zeilen) {
        double w = 0;
        for (size_t i = von; i < bis; ++i)
            w += legende[i];
        b = std::max(b, w);
    }
    if (!zeilen.empty()) {
        k.legende_breite = innen + b;
        k.legende_x = std::max(0.0, breite - k.legende_breite);
        k.legende_y = y;
        k.legende_hoehe = double(zeilen.size()) * zeile;
        for (size_t z = 0; z < zeilen.size(); ++z) {
            double x = k.legende_x + innen;
            for (size_t i = zeilen[z].first; i < zeilen[z].second; ++i) {
                k.legende.push_back({x, y + double(z) * zeile});
                x += legende[i];
            }
        }
        y += k.legende_hoehe;
    }
    k.hoehe = y + rand;
    return k;
}

double band_halbe(double pixel_je_kelvin, double mindestens) {
    return std::max(pixel_je_kelvin, mindestens);
}

namespace {
std::string gezeigt(std::string_view einheit, std::string_view zeit_titel) {
    return std::string(einheit.empty() ? "Werte" : einheit) + " über " +
           std::string(zeit_titel.empty() ? "Zeit in s" : zeit_titel);
}

std::string laeufe_und_kennwerte(const laufnamen& laeufe, std::span<const std::string> kennwerte) {
    std::string t;
    for (size_t i = 0; i < laeufe.size(); ++i)
        t += (i                                                   ? ", "
              : laeufe.size() == 1 && laeufe[0].first == "vorher" ? "; gestrichelt der Lauf davor ("
                                                                  : "; gestrichelt (") +
             laeufe[i].first + ": " + laeufe[i].second + (i + 1 == laeufe.size() ? ")" : "");
    for (size_t i = 0; i < kennwerte.size(); ++i)
        t += (i ? "; " : "; Kennwerte: ") + kennwerte[i];
    return t;
}
} // namespace

std::string beschreibung(std::string_view einheit, std::string_view zeit_titel,
                         const laufnamen& laeufe, std::span<const std::string> kennwerte,
                         std::span<const std::string> menue) {
    std::string eintraege;
    for (std::string t : menue) {
        if (t.empty()) continue;
        if (const auto p = t.find(" …"); p != std::string::npos) t.erase(p);
        eintraege += (eintraege.empty() ? "" : ", ") + t;
    }
    return gezeigt(einheit, zeit_titel) + "; Pfeiltasten lesen ab; Kontextmenü: " + eintraege +
           laeufe_und_kennwerte(laeufe, kennwerte);
}

std::string bildbeschreibung(std::string_view einheit, std::string_view zeit_titel,
                             std::span<const std::string> reihen, const laufnamen& laeufe,
                             std::span<const std::string> kennwerte) {
    std::string t = gezeigt(einheit, zeit_titel);
    for (size_t i = 0; i < reihen.size(); ++i)
        t += (i ? ", " : ": ") + reihen[i];
    return t + laeufe_und_kennwerte(laeufe, kennwerte);
}

} // namespace darstellung
