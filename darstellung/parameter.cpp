#include "parameter.h"

#include "zahltext.h"

#include <algorithm>
#include <cstring>

namespace darstellung {

namespace {
using pf = sim::pid_felder;
using kf = sim::kaskaden_felder;

const parameter seite_2[] = {
    {.id = "w1",
     .name = "Sollwert",
     .einheit = "°C",
     .vorgabe = "50",
     .laenge = 3,
     .grenze = 99.9,
     .pid = &pf::w},
    {.id = "xp1", .name = "P-Band", .einheit = "K", .laenge = 4, .pid = &pf::xp},
    {.id = "tn1", .name = "Nachlaufzeit", .einheit = "s", .laenge = 4, .pid = &pf::tn},
    {.id = "tv1", .name = "Vorhaltzeit", .einheit = "s", .laenge = 3, .pid = &pf::tv},
};

const parameter seite_3[] = {
    {.id = "w1",
     .name = "Sollwert",
     .einheit = "°C",
     .vorgabe = "50",
     .laenge = 4,
     .grenze = 99.9,
     .kaskade = &kf::w1},
    {.id = "v1",
     .name = "Verstärkung",
     .vorgabe = "1",
     .laenge = 3,
     .dezimal = true,
     .grenze = 9.9,
     .kaskade = &kf::v1},
    {.id = "tn1", .name = "Nachlauf. 1", .einheit = "s", .laenge = 4, .kaskade = &kf::tn1},
    {.id = "tv1", .name = "Vorhalt. 1", .einheit = "s", .laenge = 2, .kaskade = &kf::tv1},
    {.id = "xp2", .name = "P-Band 2", .einheit = "K", .laenge = 3, .kaskade = &kf::xp2},
    {.id = "tv2", .name = "Vorhalt. 2", .einheit = "s", .laenge = 2, .kaskade = &kf::tv2},
    {.id = "maxdiff",
     .name = "Max.Diff",
     .einheit = "K",
     .laenge = 4,
     .grenze = 100,
     .grenztext = "100",
     .kaskade = &kf::maxdiff},
};

std::u32string zeichen(std::string_view t) {
    std::u32string z;
    for (size_t i = 0; i < t.size();) {
        const auto b = static_cast<unsigned char>(t[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : b & (0x7F >> n);
        for (int k = 1; k < n && i + size_t(k) < t.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(t[i + size_t(k)]) & 0x3F);
        z += c;
        i += size_t(n);
    }
    return z;
}

std::string utf8(std::u32string_view z) {
    std::string t;
    for (const char32_t c : z) {
        if (c < 0x80) {
            t += char(c);
        } else if (c < 0x800) {
            t += char(0xC0 | (c >> 6));
            t += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            t += char(0xE0 | (c >> 12));
            t += char(0x80 | ((c >> 6) & 0x3F));
            t += char(0x80 | (c & 0x3F));
        } else {
            t += char(0xF0 | (c >> 18));
            t += char(0x80 | ((c >> 12) & 0x3F));
            t += char(0x80 | ((c >> 6) & 0x3F));
            t += char(0x80 | (c & 0x3F));
        }
    }
    return t;
}

int laenge(std::string_view t) {
    return int(zeichen(t).size());
}

template <class F>
F felder_aus(std::span<const parameter> tabelle, double F::*parameter::*glied,
             std::span<const double> werte) {
    F f{};
    for (size_t i = 0; i < tabelle.size(); ++i)
        f.*(tabelle[i].*glied) = i < werte.size() ? werte[i] : 0.0;
    return f;
}
} // namespace

std::span<const parameter> seitenparameter(int seite) {
    if (seite == 2) return seite_2;
    if (seite == 3) return seite_3;
    return {};
}

const parameter* parameter_von(int seite, std::string_view id) {
    for (const parameter& p : seitenparameter(seite))
        if (id == p.id) return &p;
    return nullptr;
}

sim::pid_felder pid_felder_aus(std::span<const double> werte) {
    return felder_aus<sim::pid_felder>(seite_2, &parameter::pid, werte);
}

sim::kaskaden_felder kaskaden_felder_aus(std::span<const double> werte) {
    return felder_aus<sim::kaskaden_felder>(seite_3, &parameter::kaskade, werte);
}

std::optional<std::string> zeichen_fuer(const parameter& p, char32_t c, std::string_view komma) {
    if (c >= U'0' && c <= U'9') return std::string(1, char(c));
    // The gain is written "1.6" on the page: a full stop or a comma goes in as the user's
    // separator, so that what was typed is what runs.
    const std::u32string k = zeichen(komma);
    if (p.dezimal && (c == U'.' || c == U',' || (k.size() == 1 && c == k[0])))
        return std::string(komma);
    return std::nullopt;
}

feldaenderung grenze_pruefen(const parameter& p, std::string_view text, std::string_view komma) {
    feldaenderung a;
    if (!p.grenze) return a;
    const auto w = feldwert(text, komma);
    if (w && *w > *p.grenze) { // an emptied field or a non-number has nothing to compare
        a.ersetzt = p.grenztext ? std::string(p.grenztext) : feldtext(*p.grenze, komma);
        a.piepse = 1;
    }
    return a;
}

feldaenderung taste(const parameter& p, const feldstand& f, char32_t c, std::string_view komma) {
    const auto z = zeichen_fuer(p, c, komma);
    feldaenderung a = grenze_pruefen(p, f.text, komma);
    if (!z) {
        ++a.piepse;
        return a;
    }
    const int markiert = a.ersetzt ? 0 : std::abs(f.ende - f.anfang);
    if (laenge(a.ersetzt.value_or(f.text)) - markiert + 1 <= p.laenge) a.einfuegen = *z;
    return a;
}

feldaenderung einfuegen(const parameter& p, const feldstand& f, std::string_view text,
                        std::string_view komma) {
    feldaenderung a;
    std::string zugelassen;
    for (const char32_t c : zeichen(text)) {
        if (const auto z = zeichen_fuer(p, c, komma)) {
            zugelassen += *z;
        } else {
            a.piepse = 1;
        }
    }
    const int platz = p.laenge - (laenge(f.text) - std::abs(f.ende - f.anfang));
    if (platz > 0) a.einfuegen = utf8(zeichen(zugelassen).substr(0, size_t(platz)));
    return a;
}

std::optional<double> feldwert(std::string_view text, std::string_view komma) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    // [+-] digits [separator digits] [e [+-] digits], with digits on one side of the separator
    std::string c;
    size_t i = 0;
    const auto ziffern = [&] {
        const size_t a = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            c += text[i++];
        return i - a;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') c += '-';
        ++i;
    }
    size_t vorne = ziffern(), hinten = 0;
    if (!komma.empty() && text.substr(i, komma.size()) == komma) {
        i += komma.size();
        c += vorne ? "." : "0."; // ",5" reads as 0.5
        hinten = ziffern();
    }
    if (vorne + hinten == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-') c += '-';
            ++i;
        }
        if (ziffern() == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    if (!c.empty() && c.back() == '.') c.pop_back(); // "5," reads as 5
    return zahl_lesen_c(c);
}

std::string feldtext(double v, std::string_view komma) {
    return mit_komma(zahl_c(v, 'g', 15), komma);
}

std::string feld_beschreibung(const parameter& p, std::string_view komma) {
    const std::string n = std::to_string(p.laenge);
    std::string b = p.dezimal ? "Nur Ziffern und das Dezimaltrennzeichen „" + std::string(komma) +
                                    "“, höchstens " + n + " Zeichen"
                              : "Nur Ziffern, höchstens " + n + " Zeichen";
    if (p.grenze) b += ", obere Grenze " + feldtext(*p.grenze, komma);
    return b;
}

bool wert_zulaessig(const parameter& p, double v) {
    if (p.grenze && v == *p.grenze) return true;
    if (!(v >= 0) || (p.grenze && v > *p.grenze)) return false;
    const std::string t = kuerzest(v);
    const auto punkte = std::count(t.begin(), t.end(), '.');
    const bool zeichen_gut = std::all_of(t.begin(), t.end(), [&p](char c) {
        return (c >= '0' && c <= '9') || (c == '.' && p.dezimal);
    });
    return zeichen_gut && punkte <= 1 && int(t.size()) <= p.laenge;
}

} // namespace darstellung
