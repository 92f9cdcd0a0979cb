#include "protokollzeilen.h"

#include "parameter.h"
#include "seitenlaeufe.h"
#include "zahltext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <set>

namespace darstellung {

namespace {
constexpr size_t vorne = 3; // Nr., Zeit, Seite
constexpr int nummer_hoechstens = 999999;
constexpr double sekunde_hoechstens = 999999999;

// The fields of both pages, each name once, in the order page 2 and then page 3 name them.
const std::vector<const parameter*>& felder() {
    static const std::vector<const parameter*> f = [] {
        std::vector<const parameter*> f;
        for (int seite : {2, 3})
            for (const parameter& p : seitenparameter(seite))
                if (std::none_of(f.begin(), f.end(), [&p](const parameter* q) {
                        return std::strcmp(q->name, p.name) == 0;
                    }))
                    f.push_back(&p);
        return f;
    }();
    return f;
}

size_t n_felder() {
    return felder().size();
}

std::string mit_einheit(const char* name, const char* einheit) {
    return *einheit ? std::string(name) + " in " + einheit : std::string(name);
}

std::optional<double> oder_nichts(const std::optional<int>& v) {
    return v ? std::optional<double>(*v) : std::nullopt;
}

std::optional<double> feld(const protokollzeile& z, size_t f) {
    for (const laufwert& w : z.werte)
        if (std::strcmp(w.name, felder()[f]->name) == 0) return w.wert;
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
    if (s < vorne + n_felder()) return feld(z, s - vorne);
    return kennwert(z.k, s - vorne - n_felder());
}

// The records of a CSV text as RFC 4180 has them: a cell in double quotes may hold the
// separator, line breaks and "" for a quote. Each record with the line it starts on.
struct datensatz {
    size_t zeile = 0;
    std::vector<std::string> zellen;
};
struct saetze {
    std::vector<datensatz> d;
    std::string fehler;
};
saetze csv_saetze(std::string_view t, char trenner) {
    saetze s;
    size_t zeile = 1, i = 0;
    while (i < t.size()) {
        datensatz r{zeile, {""}};
        bool ende = false;
        while (!ende) {
            std::string& c = r.zellen.back();
            if (i < t.size() && t[i] == '"' && c.empty()) {
                const size_t ab = zeile;
                for (++i;; ++i) {
                    if (i >= t.size()) {
                        s.fehler = "Zeile " + std::to_string(ab) +
                                   ": ein Anführungszeichen ist nicht geschlossen.";
                        return s;
                    }
                    if (t[i] == '"') {
                        if (i + 1 < t.size() && t[i + 1] == '"') {
                            c += '"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (t[i] == '\n') ++zeile;
                    c += t[i];
                }
                if (i < t.size() && t[i] != trenner && t[i] != '\r' && t[i] != '\n') {
                    s.fehler = "Zeile " + std::to_string(zeile) +
                               ": nach dem schließenden Anführungszeichen steht noch etwas.";
                    return s;
                }
            }
            if (i >= t.size()) {
                ende = true;
            } else if (t[i] == trenner) {
                r.zellen.emplace_back();
                ++i;
            } else if (t[i] == '\n' || (t[i] == '\r' && (i + 1 >= t.size() || t[i + 1] == '\n'))) {
                i += t[i] == '\r' ? 2 : 1;
                ++zeile;
                ende = true;
            } else {
                c += t[i++];
            }
        }
        // An empty line is no record.
        if (r.zellen.size() > 1 || !r.zellen[0].empty()) s.d.push_back(std::move(r));
    }
    return s;
}

// A cell's number: the file's decimal separator, an exponent as spreadsheets write it.
std::optional<double> zahl(std::string c, char trenner) {
    while (!c.empty() && c.back() == ' ')
        c.pop_back();
    c.erase(0, c.find_first_not_of(' '));
    for (char& ch : c)
        ch = ch == 'E' ? 'e' : trenner == ';' ? (ch == ',' ? '.' : ch == '.' ? 'x' : ch) : ch;
    return zahl_lesen_c(c);
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
        for (const parameter* f : felder())
            s.push_back(mit_einheit(f->name, f->einheit));
        for (const char* k :
             {"Anregelzeit in s", "Überschwingen in K", "Zeit des Maximums in s",
              "Schwingungsdauer in s", "Ausregelzeit in s", "bleibende Abweichung in K"})
            s.emplace_back(k);
        return s;
    }();
    return s;
}

std::vector<std::string> protokoll_kopfzeilen(size_t spalte) {
    if (spalte >= protokoll_spalten().size()) return {};
    const std::string& name = protokoll_spalten()[spalte];
    const size_t einheit = name.find(" in ");
    std::vector<std::string> zeilen;
    const std::string vorne = name.substr(0, einheit);
    for (size_t a = 0; a <= vorne.size();) {
        const size_t e = std::min(vorne.find(' ', a), vorne.size());
        const std::string wort = vorne.substr(a, e - a);
        const auto laenge = [](const std::string& t) { // in characters, "ü" one
            return size_t(
                std::count_if(t.begin(), t.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        };
        if (!zeilen.empty() && laenge(zeilen.back()) + 1 + laenge(wort) <= 10)
            zeilen.back() += " " + wort;
        else
            zeilen.push_back(wort);
        a = e + 1;
    }
    if (einheit != std::string::npos) zeilen.push_back(name.substr(einheit + 1));
    return zeilen;
}

bool protokoll_feldspalte(size_t spalte) {
    return spalte >= vorne && spalte < vorne + n_felder();
}

std::vector<std::string> protokoll_texte(const protokollzeile& z, std::string_view komma) {
    std::vector<std::string> t;
    for (size_t s = 0; s < protokoll_spalten().size(); ++s) {
        const auto v = zelle(z, s);
        if (!v) { // a figure without a value as the box writes it; another page's field empty
            t.emplace_back(s >= vorne + n_felder() ? "\u2014" : "");
            continue;
        }
        const size_t k = s >= vorne + n_felder() ? s - vorne - n_felder() : 99;
        const bool eine_stelle = k == 1 || k == 3 || k == 5;
        std::string text = s < vorne || (k != 99 && !eine_stelle) ? zahl_c(std::floor(*v), 'f', 0)
                           : eine_stelle ? mit_komma(gerundet(std::abs(*v), 1), komma)
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

sim::kennwerte protokoll_kennwerte(int seite, const laufwerte& werte) {
    const auto e = lauf_aus_werten(seite, werte, [](std::string_view) { return laufzeilen; });
    if (e.ist < 0) return {};
    return sim::kennwerte_berechnen(e.soll, e.spalten[size_t(e.ist)].werte);
}

protokoll_datei protokoll_lesen(std::string_view text, size_t platz) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const auto fehler = [](size_t zeile, const std::string& was) {
        return protokoll_datei{{}, "Zeile " + std::to_string(zeile) + ": " + was};
    };
    // The separator is the one the header line holds outside quotes.
    char trenner = ',';
    for (bool zitat = false; const char c : text.substr(0, text.find('\n'))) {
        zitat = c == '"' ? !zitat : zitat;
        if (c == ';' && !zitat) trenner = ';';
    }
    saetze s = csv_saetze(text, trenner);
    if (!s.fehler.empty()) return {{}, s.fehler};
    if (s.d.empty()) return {{}, "Die Datei ist leer."};
    const auto& kopf = s.d[0].zellen;
    if (!std::equal(kopf.begin(), kopf.end(), protokoll_spalten().begin(),
                    protokoll_spalten().end()))
        return fehler(s.d[0].zeile, "die Spalten sind nicht die eines Versuchsprotokolls.");
    if (s.d.size() - 1 > platz)
        return {{},
                "Mit der Datei hätte das Versuchsprotokoll mehr als " +
                    std::to_string(versuchsprotokoll::hoechstens) + " Läufe."};
    protokoll_datei d;
    std::set<int> nummern;
    for (size_t r = 1; r < s.d.size(); ++r) {
        const auto& [zeile, zellen] = s.d[r];
        if (zellen.size() != protokoll_spalten().size())
            return fehler(zeile, "falsche Zahl von Feldern.");
        std::vector<std::optional<double>> w;
        for (size_t c = 0; c < vorne + n_felder(); ++c) {
            if (zellen[c].empty()) {
                w.emplace_back();
                continue;
            }
            const auto v = zahl(zellen[c], trenner);
            if (!v) return fehler(zeile, "„" + zellen[c] + "“ ist keine Zahl.");
            w.push_back(v);
        }
        if (!w[0] || !w[1] || !w[2] || (*w[2] != 2 && *w[2] != 3))
            return fehler(zeile, "Nr., Zeit und Seite (2 oder 3) fehlen.");
        if (*w[0] != std::floor(*w[0]) || *w[0] < 1 || *w[0] > nummer_hoechstens)
            return fehler(zeile, "die Nr. ist keine ganze Zahl von 1 bis " +
                                     std::to_string(nummer_hoechstens) + ".");
        if (!nummern.insert(int(*w[0])).second)
            return fehler(zeile,
                          "die Nr. " + kuerzest(*w[0]) + " steht schon in einer Zeile davor.");
        if (*w[1] != std::floor(*w[1]) || *w[1] < 0 || *w[1] > sekunde_hoechstens)
            return fehler(zeile, "die Zeit ist keine ganze Zahl von Sekunden.");
        protokollzeile z{.nummer = int(*w[0]), .sekunde = *w[1], .seite = int(*w[2])};
        std::vector<double> werte;
        for (const parameter& p : seitenparameter(z.seite)) {
            const size_t f = size_t(std::find_if(felder().begin(), felder().end(),
                                                 [&p](const parameter* q) {
                                                     return std::strcmp(q->name, p.name) == 0;
                                                 }) -
                                    felder().begin());
            const auto& v = w[vorne + f];
            if (!v)
                return fehler(zeile,
                              "die Felder passen nicht zu Seite " + std::to_string(z.seite) + ".");
            // As its field would hold it: "Lauf wiederholen" types it there.
            if (!wert_zulaessig(p, *v))
                return fehler(zeile, std::string(p.name) + " = " + kuerzest(*v) +
                                         " passt nicht in sein Feld.");
            werte.push_back(*v);
        }
        for (size_t f = 0; f < n_felder(); ++f)
            if (w[vorne + f] && !parameter_von(z.seite, felder()[f]->id))
                return fehler(zeile,
                              "die Felder passen nicht zu Seite " + std::to_string(z.seite) + ".");
        z.werte = seiten_laufwerte(z.seite, werte);
        z.k = protokoll_kennwerte(z.seite, z.werte);
        d.zeilen.push_back(std::move(z));
    }
    return d;
}

std::vector<std::string> laufwert_felder(int seite) {
    std::vector<std::string> ids;
    for (const parameter& p : seitenparameter(seite))
        ids.emplace_back(p.id);
    return ids;
}

namespace {
std::string laeufe(size_t n) {
    return n == 1 ? "einen Lauf" : std::to_string(n) + " Läufe";
}
} // namespace

std::string frage_beim_beenden(size_t n) {
    return (n == 1 ? std::string("Ein Lauf im Versuchsprotokoll ist nicht gespeichert. Er geht")
                   : std::to_string(n) +
                         " Läufe im Versuchsprotokoll sind nicht gespeichert. Sie gehen") +
           " mit dem Programm verloren.\n\nVor dem Beenden speichern?";
}

std::string frage_beim_laden(size_t n) {
    return "Das Versuchsprotokoll hat schon " + laeufe(n) +
           ". Die Läufe der Datei anhängen (neu nummeriert nach den bisherigen) oder die "
           "bisherigen durch sie ersetzen?";
}

std::string protokoll_html(std::span<const protokollzeile> zeilen, std::span<const size_t> folge,
                           const std::vector<bool>& verborgen, std::string_view komma,
                           std::string_view datum) {
    const auto html = [](std::string_view t) {
        std::string h;
        for (const char c : t)
            h += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
        return h;
    };
    const auto gezeigt = [&](size_t s) { return s >= verborgen.size() || !verborgen[s]; };
    std::string t = "<h2>Versuchsprotokoll vom " + html(datum) +
                    "</h2>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>";
    for (size_t s = 0; s < protokoll_spalten().size(); ++s) {
        if (!gezeigt(s)) continue;
        std::string kopf;
        for (const std::string& z : protokoll_kopfzeilen(s))
            kopf += (kopf.empty() ? "" : "<br>") + html(z);
        t += "<th>" + kopf + "</th>";
    }
    t += "</tr>\n";
    for (const size_t i : folge) {
        if (i >= zeilen.size()) continue;
        t += "<tr>";
        const auto texte = protokoll_texte(zeilen[i], komma);
        for (size_t s = 0; s < texte.size(); ++s)
            if (gezeigt(s)) t += "<td align=\"right\">" + html(texte[s]) + "</td>";
        t += "</tr>\n";
    }
    return t + "</table>\n";
}

std::string laden_fehler(std::string_view datei, std::string_view grund) {
    return "„" + std::string(datei) + "“ lässt sich nicht laden. " + std::string(grund);
}

std::string dateigroesse_pruefen(double bytes) {
    if (bytes <= double(versuchsprotokoll::datei_hoechstens)) return {};
    return "Die Datei ist zu groß: ein Versuchsprotokoll hat höchstens " +
           std::to_string(versuchsprotokoll::datei_hoechstens / 1024) + " kB.";
}

// ---- the notebook

std::string versuchsprotokoll::eintragen(int seite, laufwerte werte, const sim::kennwerte& k,
                                         double sekunde, bool gestartet) {
    if (m_zeilen.size() >= hoechstens)
        return "Das Versuchsprotokoll ist voll: es fasst " + std::to_string(hoechstens) +
               " Läufe, dieser ist nicht darin.";
    m_zeilen.push_back({.nummer = naechste_nummer(),
                        .sekunde = sekunde,
                        .seite = seite,
                        .werte = std::move(werte),
                        .k = k});
    if (gestartet) ++m_ungesichert;
    return {};
}

const protokollzeile* versuchsprotokoll::zeile(int nummer) const {
    for (const protokollzeile& z : m_zeilen)
        if (z.nummer == nummer) return &z;
    return nullptr;
}

// After the largest; past the largest a file may hold (it would not be read back), the
// smallest free one: the notebook holds far fewer rows than there are numbers.
int versuchsprotokoll::naechste_nummer() const {
    int n = 0;
    for (const protokollzeile& z : m_zeilen)
        n = std::max(n, z.nummer);
    if (n < nummer_hoechstens) return n + 1;
    std::vector<bool> vergeben(m_zeilen.size() + 2);
    for (const protokollzeile& z : m_zeilen)
        if (size_t(z.nummer) < vergeben.size()) vergeben[size_t(z.nummer)] = true;
    n = 1;
    while (vergeben[size_t(n)])
        ++n;
    return n;
}

std::string versuchsprotokoll::laden(std::string_view text, bool anhaengen) {
    if (std::string zu_gross = dateigroesse_pruefen(double(text.size())); !zu_gross.empty())
        return zu_gross;
    protokoll_datei d = protokoll_lesen(text);
    if (!d.fehler.empty()) return d.fehler;
    if (!anhaengen) {
        m_zeilen = std::move(d.zeilen);
        m_ungesichert = 0;
        return {};
    }
    if (m_zeilen.size() + d.zeilen.size() > hoechstens)
        return "Mit der Datei hätte das Versuchsprotokoll mehr als " + std::to_string(hoechstens) +
               " Läufe.";
    for (protokollzeile& z : d.zeilen) {
        z.nummer = naechste_nummer();
        m_zeilen.push_back(std::move(z));
    }
    return {};
}

void versuchsprotokoll::leeren() {
    m_zeilen.clear();
    m_ungesichert = 0;
}

std::vector<bool> versuchsprotokoll::verborgen() const {
    std::vector<bool> v;
    for (size_t s = 0; s < protokoll_spalten().size(); ++s)
        v.push_back(protokoll_feldspalte(s) &&
                    std::all_of(m_zeilen.begin(), m_zeilen.end(), [s](const protokollzeile& z) {
                        return std::isnan(protokoll_wert(z, s));
                    }));
    return v;
}

bool protokoll_vor(const protokollzeile& a, const protokollzeile& b, size_t spalte,
                   bool aufsteigend) {
    const double x = protokoll_wert(a, spalte), y = protokoll_wert(b, spalte);
    if (std::isnan(x) || std::isnan(y)) return !std::isnan(x) && std::isnan(y);
    return aufsteigend ? x < y : y < x;
}

std::vector<size_t> versuchsprotokoll::reihenfolge(size_t spalte, bool aufsteigend) const {
    std::vector<size_t> r(m_zeilen.size());
    std::iota(r.begin(), r.end(), size_t(0));
    std::stable_sort(r.begin(), r.end(), [&](size_t a, size_t b) {
        return protokoll_vor(m_zeilen[a], m_zeilen[b], spalte, aufsteigend);
    });
    return r;
}

} // namespace darstellung
