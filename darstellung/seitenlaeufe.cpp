#include "seitenlaeufe.h"

#include "kaskade.h"
#include "pid.h"
#include "protokollzeilen.h"

namespace darstellung {

laufplan lauf_plan(int seite, bool laden) {
    if (seite == 2) return {{"w1", "xp1", "tn1", "tv1"}, {}};
    if (seite == 3 && laden) return {{"w1", "tv1", "maxdiff", "tv2"}, {{"v1", "1"}}};
    if (seite == 3) return {{"xp2", "tn1", "v1", "w1", "tv1", "maxdiff", "tv2"}, {}};
    return {};
}

namespace {
struct spalten {
    std::vector<std::vector<double>> s;
    explicit spalten(size_t k) : s(k) {}
};

laufergebnis pid(std::span<const double> v, const std::function<int(std::string_view)>& zeilen) {
    const sim::pid_felder f{.w = v[0], .xp = v[1], .tn = v[2], .tv = v[3]};
    const auto p = sim::pid_parameter_bilden(f);
    struct senke {
        laufergebnis& e;
        double w;
        void zeile(const sim::pid_zeile& z) {
            e.spalten[0].werte.push_back(w);
            e.spalten[1].werte.push_back(z.milch);
            e.spalten[2].werte.push_back(z.y);
        }
        void ende() {}
    };
    laufergebnis e{.spalten = {{"graph", 1, {}}, {"graph", 2, {}}, {"Leistung", 1, {}}},
                   .art = 0,
                   .lauf = pid_laufwerte(f.w, f.xp, f.tn, f.tv),
                   .benannt = {"graph", "Leistung"},
                   .soll = p.w,
                   .ist = 1};
    sim::pid_lauf(p, zeilen("graph"), senke{e, p.w});
    return e;
}

laufergebnis kaskade(sim::kaskaden_felder f, const std::function<int(std::string_view)>& zeilen,
                     laufergebnis e) {
    const auto p = sim::kaskaden_parameter_bilden(f);
    if (p.v1_verworfen) {
        e.nachher.emplace_back("v1", "0");
        e.piep = true;
    }
    const size_t ab = e.spalten.size();
    for (int s = 1; s <= 4; ++s)
        e.spalten.push_back({"kask", s, {}});
    e.spalten.push_back({"leistung", 1, {}});
    struct senke {
        laufergebnis& e;
        size_t ab;
        double w1;
        void zeile(const sim::kaskaden_zeile& z) {
            for (size_t i = 0; const double v : {w1, z.x1, z.w2, z.x2, z.y})
                e.spalten[ab + i++].werte.push_back(v);
        }
        void ende() {}
    };
    sim::kaskaden_lauf(p, zeilen("kask"), senke{e, ab, p.w1});
    e.art = 1;
    e.lauf =
        kaskaden_laufwerte(f.w1, p.v1_verworfen ? 0 : f.v1, f.tn1, f.tv1, f.xp2, f.tv2, f.maxdiff);
    e.benannt = {"kask", "leistung"};
    e.soll = p.w1;
    e.ist = int(ab) + 1;
    return e;
}
} // namespace

laufergebnis seitenlauf(int seite, bool laden, std::span<const double> werte,
                        const std::function<int(std::string_view)>& zeilen) {
    if (werte.size() < lauf_plan(seite, laden).felder.size()) return {};
    if (seite == 2) return pid(werte, zeilen);
    if (seite != 3) return {};
    if (!laden)
        return kaskade({.w1 = werte[3],
                        .v1 = werte[2],
                        .tn1 = werte[1],
                        .tv1 = werte[4],
                        .xp2 = werte[0],
                        .tv2 = werte[6],
                        .maxdiff = werte[5]},
                       zeilen, {});
    // At load the heating curve first; the gain is 1 and the inner P-band and the reset time are
    // off (0), whatever xp2 and tn1 hold.
    laufergebnis e{.spalten = {{"pid33", 1, {}}}};
    sim::aufheiz_lauf(zeilen("pid33"), [&e] {
        struct senke {
            laufergebnis& e;
            void zeile(const sim::aufheiz_zeile& z) { e.spalten[0].werte.push_back(z.istwert); }
            void ende() {}
        };
        return senke{e};
    }());
    return kaskade({.w1 = werte[0],
                    .v1 = 1,
                    .tn1 = 0,
                    .tv1 = werte[1],
                    .xp2 = 0,
                    .tv2 = werte[3],
                    .maxdiff = werte[2]},
                   zeilen, std::move(e));
}

laufergebnis lauf_aus_werten(int seite, const laufwerte& werte,
                             const std::function<int(std::string_view)>& zeilen) {
    const auto& felder = laufwert_felder(seite);
    std::vector<double> v;
    for (const std::string& f : lauf_plan(seite, false).felder)
        for (size_t i = 0; i < felder.size() && i < werte.size(); ++i)
            if (felder[i] == f) v.push_back(werte[i].wert);
    return seitenlauf(seite, false, v, zeilen);
}

} // namespace darstellung
