#include "werkzeug.h"

#include "einstellen.h"
#include "einstellhilfe.h"
#include "kaskade.h"
#include "kennwerte.h"
#include "pid.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace werkzeug {
namespace {

constexpr int n_hoechstens = 32767; // the largest row count a chart can hold

constexpr std::string_view hilfe =
    "Aufruf:\n"
    "  regler-sim pid W XP TN TV [--n N] [--kennwerte]\n"
    "  regler-sim kaskade W1 V1 TN TV1 XP TV2 MAXDIFF [--n N] [--kennwerte]\n"
    "  regler-sim aufheizkurve [--n N] [--tangente]\n"
    "  regler-sim kritisch DATEI\n"
    "  regler-sim --help | --version\n"
    "\n"
    "Rechnet die Simulationen der Seiten 2 und 3 und schreibt sie als CSV auf stdout.\n"
    "Die Argumente sind die Feldinhalte der Seite, mit \".\" als Dezimalpunkt:\n"
    "  XP 0 ergibt 0.01 K (Ein/Aus-Regler), TN 0 ergibt 10000 s (kein I-Anteil),\n"
    "  V1 über 99.9 ergibt 0, die Regel des Rechenkerns (das Feld der Seite hält\n"
    "  seinen Wert zuvor bei 9.9).\n"
    "  W und W1 erscheinen unverändert in der Spalte w bzw. w1.\n"
    "--n N: Anzahl Abtastungen, 0 bis 32767; ohne Angabe 200 (aufheizkurve: 30).\n"
    "--kennwerte: statt der Zeilen die Kennwerte der Sprungantwort (Milch bzw. x1 gegen\n"
    "  den Sollwert), eine Kopfzeile und eine Zeile; leeres Feld, wo es keinen gibt\n"
    "  (keiner, wo der Sollwert nicht über dem ersten Istwert liegt: kein Sprung nach oben):\n"
    "  anregelzeit_s (erste Sekunde mit x >= w), ueberschwingen_k (max x - w, sonst 0),\n"
    "  zeit_maximum_s, schwingungsdauer_s (mittlerer Abstand der Maxima nach dem ersten;\n"
    "  ein Maximum zählt, wenn x danach 0.5 K darunter fällt), ausregelzeit_s (ab da bleibt\n"
    "  x innerhalb w +- 1 K, mindestens das letzte Viertel des Laufs), bleibende_abweichung_k\n"
    "  (w - x am Ende, wenn x im letzten Viertel um höchstens 2 K schwankt).\n"
    "--tangente: statt der Zeilen die Wendetangente der Aufheizkurve (Methode 2): die\n"
    "  Sekunde i mit dem größten Anstieg s = x_i - x_(i-1) (x_0 = 20 °C, die Strecke in\n"
    "  Ruhe; die erste bei gleichem), s, L = i - (x_i - x_0) / s, K = s * L.\n"
    "kritisch DATEI: die Zeile eines Versuchsprotokolls (CSV) an der Stabilitätsgrenze\n"
    "  (Methode 1): unter den Läufen eines P-Reglers auf Seite 2 (Nachlaufzeit und\n"
    "  Vorhaltzeit 0) beim Sollwert des letzten von ihnen der mit dem größten P-Band,\n"
    "  der noch schwingt (eine Schwingungsdauer hat), wo ein Lauf mit größerem P-Band\n"
    "  nicht mehr schwingt; von mehreren der letzte. Nummer, P-Band, Schwingungsdauer.\n"
    "Falsche Argumente: Meldung auf stderr, Status 2, keine Ausgabe.\n";

struct eingabefehler : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string zitiert(std::string_view t) {
    return "\"" + std::string(t) + "\"";
}

double zahl(std::string_view name, std::string_view text) {
    double v = 0;
    const char* ende = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), ende, v, std::chars_format::fixed);
    if (ec != std::errc{} || p != ende || !std::isfinite(v))
        throw eingabefehler(std::string(name) + " " + zitiert(text) +
                            " ist keine endliche Dezimalzahl wie 50 oder 1.6");
    return v;
}

int anzahl(std::string_view text) {
    long long v = 0;
    const char* ende = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), ende, v);
    if (ec == std::errc::invalid_argument || p != ende)
        throw eingabefehler("--n " + zitiert(text) + " ist keine ganze Zahl");
    if (ec != std::errc{} || v < 0 || v > n_hoechstens)
        throw eingabefehler("--n " + zitiert(text) + " liegt nicht zwischen 0 und 32767");
    return static_cast<int>(v);
}

// Negative numbers such as "-5" or "-inf" are arguments (the latter a bad one), not options.
bool ist_option(std::string_view a) {
    return a.starts_with("--") || a == "-h";
}

// ---- CSV ---------------------------------------------------------------------------------

class csv {
public:
    explicit csv(std::string_view kopf, int n) {
        text_.reserve(kopf.size() + 1 + static_cast<std::size_t>(n) * 160);
        text_.append(kopf);
        text_ += '\n';
    }
    // The shortest text that reads back as the same double, always with ".".
    template <class T> csv& operator<<(T v) {
        char puffer[32];
        const auto [p, ec] = std::to_chars(puffer, puffer + sizeof puffer, v);
        (void)ec; // 32 characters hold any int or double
        return feld(std::string_view(puffer, static_cast<std::size_t>(p - puffer)));
    }
    csv& operator<<(std::string_view t) { return feld(t); }
    void zeilenende() {
        text_ += '\n';
        erstes_ = true;
    }
    std::string text() && { return std::move(text_); }

private:
    csv& feld(std::string_view t) {
        if (!erstes_) text_ += ',';
        text_.append(t);
        erstes_ = false;
        return *this;
    }
    std::string text_;
    bool erstes_ = true;
};

// The set-point column as typed, beside the run's numbers.
struct pid_csv {
    csv& c;
    std::string_view w;
    void zeile(const sim::pid_zeile& z) {
        (c << z.i << w << z.heizplatte << z.pfanne << z.milch << z.y << z.summe).zeilenende();
    }
    void ende() {}
};

struct kaskaden_csv {
    csv& c;
    std::string_view w1;
    void zeile(const sim::kaskaden_zeile& z) {
        (c << z.i << w1 << z.x1 << z.w2 << z.x2 << z.y << z.summe << z.y_roh).zeilenende();
    }
    void ende() {}
};

struct aufheiz_csv {
    csv& c;
    void zeile(const sim::aufheiz_zeile& z) {
        (c << z.i << z.heizung << z.stufe << z.istwert).zeilenende();
    }
    void ende() {}
};

// The actual values of a run, for its figures.
struct istwerte {
    std::vector<double>& x;
    void zeile(const sim::pid_zeile& z) { x.push_back(z.milch); }
    void zeile(const sim::kaskaden_zeile& z) { x.push_back(z.x1); }
    void ende() {}
};

std::string kennwerte_csv(double w, const std::vector<double>& x) {
    const sim::kennwerte k = sim::kennwerte_berechnen(w, x);
    csv c("anregelzeit_s,ueberschwingen_k,zeit_maximum_s,schwingungsdauer_s,ausregelzeit_s,"
          "bleibende_abweichung_k",
          1);
    const auto feld = [&c](const auto& v) {
        if (v)
            c << *v;
        else
            c << std::string_view();
    };
    feld(k.anregelzeit_s);
    feld(k.ueberschwingen_k);
    feld(k.zeit_maximum_s);
    feld(k.schwingungsdauer_s);
    feld(k.ausregelzeit_s);
    feld(k.bleibende_abweichung_k);
    c.zeilenende();
    return std::move(c).text();
}

// ---- commands ----------------------------------------------------------------------------

struct befehl {
    std::string_view name;
    std::vector<std::string_view> felder; // names of the positional arguments, for messages
    int n_vorgabe;
};

const std::array<befehl, 4> befehle{{
    {"pid", {"W", "XP", "TN", "TV"}, 200},
    {"kaskade", {"W1", "V1", "TN", "TV1", "XP", "TV2", "MAXDIFF"}, 200},
    {"aufheizkurve", {}, 30},
    {"kritisch", {"DATEI"}, 0},
}};

// The notebook's row at the stability limit, from a file.
ergebnis kritisch(std::string_view datei) {
    std::ifstream f{std::string(datei), std::ios::binary};
    if (!f) throw eingabefehler("DATEI " + zitiert(datei) + " lässt sich nicht lesen");
    std::ostringstream inhalt;
    inhalt << f.rdbuf();
    darstellung::versuchsprotokoll p;
    if (const std::string fehler = p.laden(inhalt.str(), false); !fehler.empty())
        throw eingabefehler("DATEI " + zitiert(datei) + ": " + fehler);
    const auto k = darstellung::kritische_zeile(p.zeilen());
    if (!k.zeile) return {1, {}, "regler-sim: " + k.warum + "\n"};
    csv c("nummer,p_band_k,schwingungsdauer_s", 1);
    c << double(k.zeile->nummer) << k.zeile->werte[1].wert << *k.zeile->k.schwingungsdauer_s;
    c.zeilenende();
    return {0, std::move(c).text(), {}};
}

ergebnis rechnen(std::span<const std::string_view> argumente) {
    if (argumente.empty()) throw eingabefehler("kein Befehl angegeben");
    const befehl* b = nullptr;
    for (const befehl& k : befehle)
        if (k.name == argumente[0]) b = &k;
    if (b == nullptr) throw eingabefehler("unbekannter Befehl " + zitiert(argumente[0]));

    std::vector<std::string_view> texte;
    std::optional<int> n;
    bool kennwerte = false, tangente = false;
    for (std::size_t k = 1; k < argumente.size(); ++k) {
        const std::string_view a = argumente[k];
        if (!ist_option(a)) {
            if (texte.size() == b->felder.size())
                throw eingabefehler("überzähliges Argument " + zitiert(a));
            texte.push_back(a);
        } else if (a == "--kennwerte") {
            if (b->name == "aufheizkurve")
                throw eingabefehler("--kennwerte gilt nur für pid und kaskade");
            kennwerte = true;
        } else if (a == "--tangente") {
            if (b->name != "aufheizkurve")
                throw eingabefehler("--tangente gilt nur für aufheizkurve");
            tangente = true;
        } else if (a != "--n") {
            throw eingabefehler("unbekannte Option " + zitiert(a));
        } else if (n) {
            throw eingabefehler("--n mehrfach angegeben");
        } else if (++k == argumente.size()) {
            throw eingabefehler("--n ohne Wert");
        } else {
            n = anzahl(argumente[k]);
        }
    }
    if (texte.size() < b->felder.size())
        throw eingabefehler(std::string(b->name) + ": Argument " +
                            std::string(b->felder[texte.size()]) + " fehlt");
    if (b->name == "kritisch") return kritisch(texte[0]);
    std::array<double, 7> v{};
    for (std::size_t k = 0; k < texte.size(); ++k)
        v[k] = zahl(b->felder[k], texte[k]);

    ergebnis e;
    const int zeilen = n.value_or(b->n_vorgabe);
    // A run into its CSV rows, or with --kennwerte into the figures of its actual values.
    const auto ausgeben = [&](csv c, double w, auto laufen, auto zeilen_senke) {
        if (!kennwerte) {
            laufen(zeilen_senke(c));
            return std::move(c).text();
        }
        std::vector<double> x;
        laufen(istwerte{x});
        return kennwerte_csv(w, x);
    };
    if (b->name == "pid") {
        const auto p = sim::pid_parameter_bilden({.w = v[0], .xp = v[1], .tn = v[2], .tv = v[3]});
        e.aus = ausgeben(
            csv("i,w,heizplatte,pfanne,milch,y,summe", zeilen), p.w,
            [&](auto&& senke) { sim::pid_lauf(p, zeilen, senke); },
            [&](csv& c) {
                return pid_csv{c, texte[0]};
            });
    } else if (b->name == "kaskade") {
        const auto p = sim::kaskaden_parameter_bilden({.w1 = v[0],
                                                       .v1 = v[1],
                                                       .tn1 = v[2],
                                                       .tv1 = v[3],
                                                       .xp2 = v[4],
                                                       .tv2 = v[5],
                                                       .maxdiff = v[6]});
        if (p.v1_verworfen)
            e.fehler =
                "regler-sim: V1 " + zitiert(texte[1]) + " liegt über 99.9, gerechnet wird mit 0\n";
        e.aus = ausgeben(
            csv("i,w1,x1,w2,x2,y,summe,y_roh", zeilen), p.w1,
            [&](auto&& senke) { sim::kaskaden_lauf(p, zeilen, senke); },
            [&](csv& c) {
                return kaskaden_csv{c, texte[0]};
            });
    } else if (tangente) {
        std::vector<double> x;
        sim::aufheiz_lauf(zeilen, [&x] {
            struct senke {
                std::vector<double>& x;
                void zeile(const sim::aufheiz_zeile& z) { x.push_back(z.istwert); }
                void ende() {}
            };
            return senke{x};
        }());
        csv c("wendepunkt_s,steigung_k_s,l_s,k_k", 1);
        if (const auto t = darstellung::heizkurven_tangente(x)) {
            c << double(t->wendepunkt_s) << t->steigung << t->l_s << t->k_k;
            c.zeilenende();
        }
        e.aus = std::move(c).text();
    } else {
        csv c("i,heizung,stufe,istwert", zeilen);
        sim::aufheiz_lauf(zeilen, aufheiz_csv{c});
        e.aus = std::move(c).text();
    }
    return e;
}

} // namespace

ergebnis ausfuehren(std::span<const std::string_view> argumente) {
    for (const std::string_view a : argumente)
        if (a == "--help" || a == "-h") return {0, std::string(hilfe), {}};
    for (const std::string_view a : argumente)
        if (a == "--version" || a == "-v") return {0, "regler-sim " REGLER_VERSION "\n", {}};
    try {
        return rechnen(argumente);
    } catch (const eingabefehler& f) {
        return {2, {}, "regler-sim: " + std::string(f.what()) + " (regler-sim --help)\n"};
    }
}

} // namespace werkzeug
