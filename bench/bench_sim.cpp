// One page run of each simulation beside a bare loop doing the same arithmetic into plain
// arrays. The ratio shows what the run/sink structure costs; it should stay near 1.
#include "kaskade.h"
#include "pid.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int n_seite = 200; // rows of the page-2 and page-3 charts
constexpr int n_kurve = 30;  // rows of the heating-curve chart

double milch[n_seite], leistung[n_seite], x1[n_seite], w2[n_seite], x2[n_seite], istwert[n_kurve];

// The arrays are never read, so without this the compiler drops every store and the run.
template <class... A> void behalten(A&... a) {
    (benchmark::DoNotOptimize(a), ...);
}

struct pid_speicher {
    void zeile(const sim::pid_zeile& z) {
        milch[z.i - 1] = z.milch;
        leistung[z.i - 1] = z.y;
    }
    void ende() {}
};

struct kaskaden_speicher {
    void zeile(const sim::kaskaden_zeile& z) {
        x1[z.i - 1] = z.x1;
        w2[z.i - 1] = z.w2;
        x2[z.i - 1] = z.x2;
        leistung[z.i - 1] = z.y;
    }
    void ende() {}
};

struct aufheiz_speicher {
    void zeile(const sim::aufheiz_zeile& z) { istwert[z.i - 1] = z.istwert; }
    void ende() {}
};

void pid_lauf(benchmark::State& state) {
    auto p = sim::pid_parameter_bilden({.w = 50, .xp = 17, .tn = 20, .tv = 5});
    for (auto _ : state) {
        benchmark::DoNotOptimize(p);
        sim::pid_lauf(p, n_seite, pid_speicher{});
        behalten(milch, leistung);
    }
}

void pid_schleife(benchmark::State& state) {
    double w = 50, xp = 17, tn = 20, tv = 5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(w), benchmark::DoNotOptimize(xp);
        benchmark::DoNotOptimize(tn), benchmark::DoNotOptimize(tv);
        double platte = 20, pfanne = 20, x = 20, x_alt = 20, summe = 0, y = 0;
        for (int i = 0; i < n_seite; ++i) {
            platte = (platte + y / 13) - (platte - 20) / 15;
            pfanne = pfanne + (platte - pfanne) / 5;
            x = (x + (pfanne - x) / 10) - (x - 20) / 1000;
            const double e = w - x;
            y = (((e + summe / tn) - tv * (x - x_alt)) * 100) / xp;
            if (e > 0 && y < 100) summe = (summe + w) - x;
            if (e < 0 && y > 0) summe = (summe + w) - x;
            if (y > 100) y = 100;
            if (y < 0) y = 0;
            x_alt = x;
            milch[i] = x;
            leistung[i] = y;
        }
        behalten(milch, leistung);
    }
}

void kaskaden_lauf(benchmark::State& state) {
    auto p = sim::kaskaden_parameter_bilden(
        {.w1 = 50, .v1 = 1.6, .tn1 = 40, .tv1 = 10, .xp2 = 30, .tv2 = 10, .maxdiff = 10});
    for (auto _ : state) {
        benchmark::DoNotOptimize(p);
        sim::kaskaden_lauf(p, n_seite, kaskaden_speicher{});
        behalten(x1, w2, x2, leistung);
    }
}

void kaskaden_schleife(benchmark::State& state) {
    double w1 = 50, v1 = 1.6, tn = 40, tv1 = 10, xp = 30, tv2 = 10, maxdiff = 10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(w1), benchmark::DoNotOptimize(v1);
        benchmark::DoNotOptimize(tn), benchmark::DoNotOptimize(tv1);
        benchmark::DoNotOptimize(xp), benchmark::DoNotOptimize(tv2);
        benchmark::DoNotOptimize(maxdiff);
        double h = 20, a = 20, b = 20, s2 = 20, s1 = 20, x1_alt = 20, x2_alt = 20;
        double summe = 0, y = 0;
        for (int i = 0; i < n_seite; ++i) {
            h = (h + y / 8) - (h - 20) / 15;
            a = a + (h - a) / 4;
            s2 = s2 + (a - s2) / 13;
            b = b + (s2 - b) / 3;
            s1 = (s1 + (b - s1) / 10) - (s1 - 20) / 100;
            double w = w1 + v1 * (((w1 - s1) + summe / tn) - tv1 * (s1 - x1_alt));
            if (maxdiff > 0) {
                if ((w - s1) - maxdiff > 0) w = s1 + maxdiff;
                if ((s1 - w) - maxdiff > 0) w = s1 - maxdiff;
            }
            y = (100 * ((w - s2) - tv2 * (s2 - x2_alt))) / xp;
            if ((w - s2) > 0 && y < 100) summe = (summe + w1) - s1;
            if ((w - s2) < 0 && y > 0) summe = (summe + w1) - s1;
            if (y > 100) y = 100;
            if (y < 0) y = 0;
            x1_alt = s1;
            x2_alt = s2;
            x1[i] = s1;
            w2[i] = w;
            x2[i] = s2;
            leistung[i] = y;
        }
        behalten(x1, w2, x2, leistung);
    }
}

void aufheiz_lauf(benchmark::State& state) {
    for (auto _ : state) {
        sim::aufheiz_lauf(n_kurve, aufheiz_speicher{});
        behalten(istwert);
    }
}

void aufheiz_schleife(benchmark::State& state) {
    for (auto _ : state) {
        double h = 20, s = 20, x = 20;
        for (int i = 0; i < n_kurve; ++i) {
            h = (h + ((20 + 500) - h) / 26) - (h - 20) / 26;
            s = s + (h - s) / 10;
            x = x + (s - x) / 20;
            istwert[i] = x;
        }
        behalten(istwert);
    }
}

BENCHMARK(pid_lauf);
BENCHMARK(pid_schleife);
BENCHMARK(kaskaden_lauf);
BENCHMARK(kaskaden_schleife);
BENCHMARK(aufheiz_lauf);
BENCHMARK(aufheiz_schleife);

// The usual console table, plus the fastest CPU time of each benchmark over all repetitions
// for the ratios at the end; CPU time, as other work on the machine inflates wall time.
class bericht : public benchmark::ConsoleReporter {
public:
    bericht() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> ns;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration) continue;
            const double t =
                r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e9;
            const auto [it, neu] = ns.try_emplace(r.run_name.function_name, t);
            if (!neu && t < it->second) it->second = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bericht b;
    benchmark::RunSpecifiedBenchmarks(&b);
    benchmark::Shutdown();
    std::printf("\nCPU-Zeit, schnellste Wiederholung\n%-14s %12s %12s %8s\n", "Lauf", "ns/Lauf",
                "Schleife", "Faktor");
    for (const char* name : {"pid", "kaskaden", "aufheiz"}) {
        const std::string lauf = std::string(name) + "_lauf";
        const std::string schleife = std::string(name) + "_schleife";
        if (b.ns.count(lauf) && b.ns.count(schleife))
            std::printf("%-14s %12.1f %12.1f %8.2f\n", lauf.c_str(), b.ns[lauf], b.ns[schleife],
                        b.ns[lauf] / b.ns[schleife]);
    }
}
