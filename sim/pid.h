// Milk in a pan on a hot plate under a PID controller: one sample is one second.
#pragma once

#include <string>
#include <string_view>

namespace sim {

// Parameters of one run. Build them with pid_parameter_bilden, which keeps the divisors off zero.
struct pid_parameter {
    double w = 0;      // °C
    double xp = 0.01;  // P-band, K
    double tn = 10000; // reset time, s
    double tv = 0;     // derivative time, s
};

// What the fields of page 2 read as (regler-sim: its arguments), in the page's units.
struct pid_felder {
    double w = 0;  // w1
    double xp = 0; // xp1
    double tn = 0; // tn1
    double tv = 0; // tv1
};

// The run's parameters from the fields, the one way for the page, regler-sim and the tests: a
// P-band of 0 becomes 0.01 K (on/off behaviour), a reset time of 0 becomes 10000 s (no I action).
pid_parameter pid_parameter_bilden(const pid_felder& f);

struct strecke {
    double umgebung = 20;
    double heizplatte = 20;
    double pfanne = 20;
    double milch = 20;
};

struct pid_regler {
    double x_alt = 20;
    double summe = 0;
    double y = 0; // clamped output, heats the plate in the next sample
};

// The grouping of every expression below is part of the model: regrouping changes the last bits.
inline strecke strecke_schritt(const strecke& s, double y) {
    strecke n = s;
    n.heizplatte = (s.heizplatte + y / 13) - (s.heizplatte - s.umgebung) / 15;
    n.pfanne = s.pfanne + (n.heizplatte - s.pfanne) / 5;
    n.milch = (s.milch + (n.pfanne - s.milch) / 10) - (s.milch - s.umgebung) / 1000;
    return n;
}

inline pid_regler regler_schritt(const pid_regler& r, const pid_parameter& p, double x) {
    pid_regler n = r;
    const double e = p.w - x;
    double y = (((e + r.summe / p.tn) - p.tv * (x - r.x_alt)) * 100) / p.xp;
    // Conditional integration against wind-up, decided on the unclamped output.
    if (e > 0 && y < 100) n.summe = (n.summe + p.w) - x;
    if (e < 0 && y > 0) n.summe = (n.summe + p.w) - x;
    if (y > 100) y = 100;
    if (y < 0) y = 0;
    n.y = y;
    n.x_alt = x;
    return n;
}

struct pid_zeile {
    int i = 0;
    double heizplatte = 0;
    double pfanne = 0;
    double milch = 0; // actual value x after the plant step of sample i
    double y = 0;     // output after the controller step and clamp of sample i
    double summe = 0;
};

template <class S>
concept pid_senke = requires(S s, const pid_zeile& z) {
    s.zeile(z);
    s.ende();
};

// A whole run of n samples from the initial state; no samples if n < 1.
template <pid_senke Senke> void pid_lauf(const pid_parameter& p, int n, Senke&& senke) {
    strecke s;
    pid_regler r;
    for (int i = 1; i <= n; ++i) {
        s = strecke_schritt(s, r.y);
        r = regler_schritt(r, p, s.milch);
        senke.zeile(pid_zeile{i, s.heizplatte, s.pfanne, s.milch, r.y, r.summe});
    }
    senke.ende();
}

} // namespace sim
