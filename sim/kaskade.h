// Page 3's two simulations: the heating curve of a three-stage plant at full power, and the
// cascade of an outer PID controller (with a gain) over an inner PD controller (with a P-band).
#pragma once

#include <string>
#include <string_view>

namespace sim {

// ---- Heating curve -------------------------------------------------------------------------

struct aufheizstrecke {
    double umgebung = 20;
    double heizung = 20;
    double stufe = 20;
    double istwert = 20;
};

inline aufheizstrecke aufheiz_schritt(const aufheizstrecke& s) {
    aufheizstrecke n = s;
    n.heizung = (s.heizung + ((s.umgebung + 500) - s.heizung) / 26) - (s.heizung - s.umgebung) / 26;
    n.stufe = s.stufe + (n.heizung - s.stufe) / 10;
    n.istwert = s.istwert + (n.stufe - s.istwert) / 20;
    return n;
}

struct aufheiz_zeile {
    int i = 0;
    double heizung = 0;
    double stufe = 0;
    double istwert = 0;
};

template <class S>
concept aufheiz_senke = requires(S s, const aufheiz_zeile& z) {
    s.zeile(z);
    s.ende();
};

template <aufheiz_senke Senke> void aufheiz_lauf(int n, Senke&& senke) {
    aufheizstrecke s;
    for (int i = 1; i <= n; ++i) {
        s = aufheiz_schritt(s);
        senke.zeile(aufheiz_zeile{i, s.heizung, s.stufe, s.istwert});
    }
    senke.ende();
}

// ---- Cascade -------------------------------------------------------------------------------

// A gain above this is replaced by 0 when "Start Grafik" is pressed.
inline constexpr double v1_obergrenze = 99.9;

struct kaskaden_parameter {
    double w1 = 0;             // °C
    double v1 = 1;             // gain of controller 1
    double tn = 10000;         // reset time of controller 1, s
    double tv1 = 0;            // derivative time of controller 1, s
    double xp = 0.01;          // P-band of controller 2, K
    double tv2 = 0;            // derivative time of controller 2, s
    double maxdiff = 0;        // largest |x1 - w2|, K; 0 switches the limit off
    bool v1_verworfen = false; // the gain field read above 99.9; the run goes with 0
};

// What the fields of page 3 read as (regler-sim: its arguments).
struct kaskaden_felder {
    double w1 = 0;
    double v1 = 1;
    double tn1 = 0;
    double tv1 = 0;
    double xp2 = 0;
    double tv2 = 0;
    double maxdiff = 0;
};

// The run's parameters from the fields, the one way for the page, regler-sim and the tests: a
// reset time of 0 becomes 10000 s, a P-band of 0 becomes 0.01 K, and a gain above 99.9 runs as 0
// (`v1_verworfen` says so, for the page to write "0" into its field).
kaskaden_parameter kaskaden_parameter_bilden(const kaskaden_felder& f);

struct kaskadenstrecke {
    double umgebung = 20;
    double heizung = 20;
    double stufe_a = 20;
    double x2 = 20; // hot-plate sensor
    double stufe_b = 20;
    double x1 = 20; // milk sensor
};

inline kaskadenstrecke kaskaden_strecke_schritt(const kaskadenstrecke& s, double y) {
    kaskadenstrecke n = s;
    n.heizung = (s.heizung + y / 8) - (s.heizung - s.umgebung) / 15;
    n.stufe_a = s.stufe_a + (n.heizung - s.stufe_a) / 4;
    n.x2 = s.x2 + (n.stufe_a - s.x2) / 13;
    n.stufe_b = s.stufe_b + (n.x2 - s.stufe_b) / 3;
    n.x1 = (s.x1 + (n.stufe_b - s.x1) / 10) - (s.x1 - s.umgebung) / 100;
    return n;
}

struct kaskadenregler {
    double summe = 0;
    double y = 0; // clamped power, drives the plant in the next sample
    double x1_alt = 20;
    double x2_alt = 20;
    double w2 = 0;    // set-point 2, output of controller 1
    double y_roh = 0; // power before the clamp
};

inline kaskadenregler kaskaden_regler_schritt(const kaskadenregler& r, const kaskaden_parameter& p,
                                              double x1, double x2) {
    kaskadenregler n = r;
    double w2 = p.w1 + p.v1 * (((p.w1 - x1) + r.summe / p.tn) - p.tv1 * (x1 - r.x1_alt));
    if (p.maxdiff > 0) {
        if ((w2 - x1) - p.maxdiff > 0) w2 = x1 + p.maxdiff;
        if ((x1 - w2) - p.maxdiff > 0) w2 = x1 - p.maxdiff;
    }
    double y = (100 * ((w2 - x2) - p.tv2 * (x2 - r.x2_alt))) / p.xp;
    // The guard looks at the inner loop, but the term summed is the outer error.
    if ((w2 - x2) > 0 && y < 100) n.summe = (n.summe + p.w1) - x1;
    if ((w2 - x2) < 0 && y > 0) n.summe = (n.summe + p.w1) - x1;
    n.y_roh = y;
    if (y > 100) y = 100;
    if (y < 0) y = 0;
    n.y = y;
    n.w2 = w2;
    n.x1_alt = x1;
    n.x2_alt = x2;
    return n;
}

struct kaskaden_zeile {
    int i = 0;
    double x1 = 0;
    double w2 = 0;
    double x2 = 0;
    double y = 0; // clamped
    double y_roh = 0;
    double summe = 0;
};

template <class S>
concept kaskaden_senke = requires(S s, const kaskaden_zeile& z) {
    s.zeile(z);
    s.ende();
};

template <kaskaden_senke Senke>
void kaskaden_lauf(const kaskaden_parameter& p, int n, Senke&& senke) {
    kaskadenstrecke s;
    kaskadenregler r;
    for (int i = 1; i <= n; ++i) {
        s = kaskaden_strecke_schritt(s, r.y);
        r = kaskaden_regler_schritt(r, p, s.x1, s.x2);
        senke.zeile(kaskaden_zeile{i, s.x1, r.w2, s.x2, r.y, r.y_roh, r.summe});
    }
    senke.ende();
}

} // namespace sim
