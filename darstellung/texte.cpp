#include "texte.h"

#include "zahltext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace darstellung {

namespace {
const std::string minus = "\u2212";
const std::string keiner = "\u2014";

// |v| with `stellen` decimals, the separator given.
std::string fest(double v, int stellen, std::string_view komma) {
    return mit_komma(gerundet(std::abs(v), stellen), komma);
}

bool null_gezeigt(const std::string& t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return c == '0' || c < '0' || c > '9'; });
}

// One decimal, a typographic minus, no "−0,0".
std::string zahl(double v, std::string_view komma) {
    const std::string t = fest(v, 1, komma);
    return v < 0 && !null_gezeigt(t) ? minus + t : t;
}

std::string sekunden(const std::optional<int>& s) {
    return s ? std::to_string(*s) + " s" : keiner;
}
} // namespace

std::vector<std::string> kennwert_zeilen(const sim::kennwerte& k, std::string_view komma) {
    std::string ueber =
        "Überschwingen " + (k.ueberschwingen_k ? zahl(*k.ueberschwingen_k, komma) + " K" : keiner);
    if (k.zeit_maximum_s) ueber += " nach " + sekunden(k.zeit_maximum_s);
    return {
        "Anregelzeit " + sekunden(k.anregelzeit_s),
        ueber,
        "Schwingungsdauer " +
            (k.schwingungsdauer_s ? zahl(*k.schwingungsdauer_s, komma) + " s" : keiner),
        "Ausregelzeit (±1 K) " + sekunden(k.ausregelzeit_s),
        "bleibende Abweichung " +
            (k.bleibende_abweichung_k ? zahl(*k.bleibende_abweichung_k, komma) + " K" : keiner),
    };
}

int naechster_kennwert(const sim::kennwerte& k, std::span<const int> spitzen, int zeile) {
    int bester = -1, abstand = 0, sekunde = 0;
    const auto ort = [&](int s, int z) {
        const int d = std::abs(s - zeile);
        if (bester < 0 || d < abstand || (d == abstand && s < sekunde))
            bester = z, abstand = d, sekunde = s;
    };
    if (k.anregelzeit_s) ort(*k.anregelzeit_s, 0);
    if (k.zeit_maximum_s) ort(*k.zeit_maximum_s, 1);
    if (k.schwingungsdauer_s)
        for (int s : spitzen)
            ort(s, 2);
    if (k.ausregelzeit_s) ort(*k.ausregelzeit_s, 3);
    return bester;
}

std::vector<int> naechste_kennwerte(const sim::kennwerte& k, std::span<const int> spitzen, int n) {
    std::vector<int> naechste;
    naechste.reserve(size_t(std::max(n, 0)));
    for (int zeile = 1; zeile <= n; ++zeile)
        naechste.push_back(naechster_kennwert(k, spitzen, zeile));
    return naechste;
}

std::string kurz(double v, std::string_view komma) {
    std::string t = fest(v, 2, komma);
    if (t.find(komma) != std::string::npos) {
        while (!t.empty() && t.back() == '0')
            t.pop_back();
        if (t.size() >= komma.size() &&
            t.compare(t.size() - komma.size(), komma.size(), komma) == 0)
            t.resize(t.size() - komma.size());
    }
    return v < 0 && !null_gezeigt(t) ? "-" + t : t;
}

namespace {
std::string verbunden(std::span<const std::string> teile) {
    std::string t;
    for (const std::string& s : teile)
        t += (t.empty() ? "" : " · ") + s;
    return t;
}
} // namespace

std::string ablesen(std::span<const std::string> namen, std::span<const double> werte,
                    std::string_view einheit, std::string_view komma) {
    std::vector<std::string> teile;
    for (size_t s = 0; s < namen.size(); ++s) {
        const double v = s < werte.size() ? werte[s] : std::nan("");
        std::string t = namen[s] + " " + (std::isfinite(v) ? kurz(v, komma) : "\u2013");
        if (std::isfinite(v) && !einheit.empty()) t += " " + std::string(einheit);
        teile.push_back(std::move(t));
    }
    return verbunden(teile);
}

std::string ablesung(int zeile, std::span<const std::string> teile,
                     std::span<const std::pair<std::string, std::vector<std::string>>> vergleiche,
                     std::span<const std::string> kennwerte, std::string_view zeilenende) {
    std::string t = "t = " + std::to_string(zeile) + " s";
    for (const std::string& s : teile)
        t += " · " + s;
    for (const auto& [anfang, werte] : vergleiche)
        t += std::string(zeilenende) + anfang + verbunden(werte);
    if (!kennwerte.empty()) t += std::string(zeilenende) + verbunden(kennwerte);
    return t;
}

std::vector<std::string> kennwert_namen(const sim::kennwerte& k, std::string_view komma) {
    const auto kelvin = [&](const std::optional<double>& v) {
        return v ? zahl(*v, komma) + " K" : keiner;
    };
    return {"Anregelzeit " + sekunden(k.anregelzeit_s),
            "Überschwingen " + kelvin(k.ueberschwingen_k),
            "Schwingungsdauer " +
                (k.schwingungsdauer_s ? zahl(*k.schwingungsdauer_s, komma) + " s" : keiner),
            "Ausregelzeit " + sekunden(k.ausregelzeit_s),
            "bleibende Abweichung " + kelvin(k.bleibende_abweichung_k)};
}

} // namespace darstellung
