#include "laeufe.h"

#include "zahltext.h"

namespace darstellung {

namespace {
std::string text(const laufwert& v, std::string_view komma) {
    std::string t = std::string(v.name) + " = " + mit_komma(zahl_c(v.wert, 'g', 6), komma);
    if (*v.einheit) t += std::string(" ") + v.einheit;
    return t;
}
} // namespace

laufwerte pid_laufwerte(double w, double xp, double tn, double tv) {
    return {{"Sollwert", w, "°C"},
            {"P-Band", xp, "K"},
            {"Nachlaufzeit", tn, "s"},
            {"Vorhaltzeit", tv, "s"}};
}

laufwerte kaskaden_laufwerte(double w1, double v1, double tn1, double tv1, double xp2, double tv2,
                             double maxdiff) {
    return {{"Sollwert", w1, "°C"},    {"Verstärkung", v1, ""}, {"Nachlauf. 1", tn1, "s"},
            {"Vorhalt. 1", tv1, "s"},  {"P-Band 2", xp2, "K"},  {"Vorhalt. 2", tv2, "s"},
            {"Max.Diff", maxdiff, "K"}};
}

laufwerte seiten_laufwerte(int seite, std::span<const double> werte) {
    const auto v = [&](size_t i) { return i < werte.size() ? werte[i] : 0.0; };
    return seite == 2 ? pid_laufwerte(v(0), v(1), v(2), v(3))
                      : kaskaden_laufwerte(v(0), v(1), v(2), v(3), v(4), v(5), v(6));
}

std::string laufname(const laufwerte& l, std::string_view komma) {
    std::string t;
    for (const laufwert& v : l)
        t += (t.empty() ? "" : ", ") + text(v, komma);
    return t;
}

std::vector<std::string> unterschiede(const laufwerte& vorher, const laufwerte& jetzt,
                                      std::string_view komma) {
    std::vector<std::string> teile;
    for (size_t i = 0; i < vorher.size(); ++i) {
        // The texts are compared, not the doubles: what reads the same is the same to a learner.
        const std::string t = text(vorher[i], komma);
        if (i < jetzt.size() && t == text(jetzt[i], komma)) continue;
        if (!teile.empty()) teile.back() += ",";
        teile.push_back(t);
    }
    if (teile.empty()) teile.push_back("gleiche Werte");
    return teile;
}

} // namespace darstellung
