#include "seitenlaeufe.h"

#include "kaskade.h"
#include "parameter.h"
#include "pid.h"

#include <algorithm>

namespace darstellung {

laufplan lauf_plan(int seite, bool laden) {
    if (seite == 2) { // every field, in the table's order
        laufplan plan;
        for (const parameter& p : seitenparameter(2))
            plan.felder.emplace_back(p.id);
        return plan;
    }
    if (seite == 3 && laden) return {{"w1", "tv1", "maxdiff", "tv2"}, {{"v1", "1"}}};
    if (seite == 3) return {{"xp2", "tn1", "v1", "w1", "tv1", "maxdiff", "tv2"}, {}};
    return {};
}

gelesen felder_lesen(int seite, const laufplan& plan,
                     const std::function<std::string(const std::string& id)>& text,
                     std::string_view komma) {
    gelesen g;
    for (const std::string& id : plan.felder) {
        const auto w = feldwert(text(id), komma);
        if (!w) {
            g.werte.clear();
            g.ungueltig = id;
            g.piepse = 1;
            return g;
        }
        g.werte.push_back(*w);
    }
    for (size_t i = 0; i < plan.felder.size(); ++i) {
        const parameter* p = parameter_von(seite, plan.felder[i]);
        if (!p) continue;
        const feldaenderung a = grenze_pruefen(*p, text(plan.felder[i]), komma);
        if (!a.ersetzt) continue;
        g.korrigiert.emplace_back(plan.felder[i], *a.ersetzt);
        g.werte[i] = feldwert(*a.ersetzt, komma).value_or(*p->grenze);
        g.piepse += a.piepse;
    }
    return g;
}

namespace {
// Each run from its fields' values in their table's order.
laufergebnis pid(std::span<const double> v, const std::function<int(std::string_view)>& zeilen) {
    const auto p = sim::pid_parameter_bilden(pid_felder_aus(v));
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
                   .lauf = seiten_laufwerte(2, v),
                   .benannt = {"graph", "Leistung"},
                   .soll = p.w,
                   .ist = 1};
    sim::pid_lauf(p, zeilen("graph"), senke{e, p.w});
    return e;
}

laufergebnis kaskade(std::vector<double> v, const std::function<int(std::string_view)>& zeilen,
                     laufergebnis e) {
    const auto p = sim::kaskaden_parameter_bilden(kaskaden_felder_aus(v));
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
    if (p.v1_verworfen) v[size_t(parameter_von(3, "v1") - seitenparameter(3).data())] = 0;
    e.lauf = seiten_laufwerte(3, v);
    e.benannt = {"kask", "leistung"};
    e.soll = p.w1;
    e.ist = int(ab) + 1;
    return e;
}
} // namespace

namespace {
// The run from the values in the table's order; at load, page 3's heating curve first.
laufergebnis lauf(int seite, bool laden, std::vector<double> v,
                  const std::function<int(std::string_view)>& zeilen) {
    if (seite == 2) return pid(v, zeilen);
    if (seite != 3) return {};
    if (!laden) return kaskade(std::move(v), zeilen, {});
    laufergebnis e{.spalten = {{"pid33", 1, {}}}};
    sim::aufheiz_lauf(zeilen("pid33"), [&e] {
        struct senke {
            laufergebnis& e;
            void zeile(const sim::aufheiz_zeile& z) { e.spalten[0].werte.push_back(z.istwert); }
            void ende() {}
        };
        return senke{e};
    }());
    return kaskade(std::move(v), zeilen, std::move(e));
}
} // namespace

laufergebnis seitenlauf(int seite, bool laden, std::span<const double> werte,
                        const std::function<int(std::string_view)>& zeilen) {
    const laufplan plan = lauf_plan(seite, laden);
    if (werte.size() < plan.felder.size()) return {};
    // A field the plan does not read runs with the text set before it, or as 0: at load, page
    // 3's gain is 1 and its inner P-band and reset time are off, whatever those fields hold.
    std::vector<double> v;
    for (const parameter& p : seitenparameter(seite)) {
        double wert = 0;
        for (size_t i = 0; i < plan.felder.size(); ++i)
            if (plan.felder[i] == p.id) wert = werte[i];
        for (const auto& [id, text] : plan.vorher)
            if (id == p.id) wert = feldwert(text, ".").value_or(0);
        v.push_back(wert);
    }
    return lauf(seite, laden, std::move(v), zeilen);
}

laufergebnis lauf_aus_werten(int seite, const laufwerte& werte,
                             const std::function<int(std::string_view)>& zeilen) {
    std::vector<double> v;
    for (const laufwert& w : werte)
        v.push_back(w.wert);
    v.resize(seitenparameter(seite).size());
    return lauf(seite, false, std::move(v), zeilen);
}

std::vector<std::pair<std::string, vergleichslauf>>
vergleichslaeufe(int nummer, int seite, const laufwerte& werte,
                 const std::function<int(std::string_view)>& zeilen) {
    const laufergebnis e = lauf_aus_werten(seite, werte, zeilen);
    std::vector<std::pair<std::string, vergleichslauf>> v;
    for (const std::string& name : e.benannt) {
        vergleichslauf l{{}, e.lauf, "Lauf " + std::to_string(nummer)};
        for (const laufspalte& s : e.spalten)
            if (s.diagramm == name) {
                l.spalten.resize(std::max<size_t>(l.spalten.size(), size_t(s.spalte)));
                l.spalten[size_t(s.spalte - 1)] = s.werte;
            }
        v.emplace_back(name, std::move(l));
    }
    return v;
}

seitenschritt seite_laufen(int seite, bool laden,
                           const std::function<std::string(const std::string& id)>& text,
                           std::string_view komma,
                           const std::function<int(std::string_view)>& zeilen) {
    const laufplan plan = lauf_plan(seite, laden);
    seitenschritt s{.texte = plan.vorher};
    const gelesen g = felder_lesen(seite, plan, text, komma); // it reads no field it sets
    s.piepse = g.piepse;
    s.ungueltig = g.ungueltig;
    if (!g.ungueltig.empty()) return s;
    s.texte.insert(s.texte.end(), g.korrigiert.begin(), g.korrigiert.end());
    laufergebnis e = seitenlauf(seite, laden, g.werte, zeilen);
    s.texte.insert(s.texte.end(), e.nachher.begin(), e.nachher.end());
    s.piepse += e.piep;
    if (e.ist >= 0) s.kennwerte = sim::kennwerte_berechnen(e.soll, e.spalten[size_t(e.ist)].werte);
    s.lauf = std::move(e);
    return s;
}

} // namespace darstellung
