#include "laeufe.h"

#include "parameter.h"
#include "zahltext.h"

namespace darstellung {

namespace {
std::string text(const laufwert& v, std::string_view komma) {
    std::string t = std::string(v.name) + " = " + mit_komma(zahl_c(v.wert, 'g', 6), komma);
    if (*v.einheit) t += std::string(" ") + v.einheit;
    return t;
}
} // namespace

laufwerte seiten_laufwerte(int seite, std::span<const double> werte) {
    laufwerte l;
    for (size_t i = 0; const parameter& p : seitenparameter(seite)) {
        l.push_back({p.name, i < werte.size() ? werte[i] : 0.0, p.einheit});
        ++i;
    }
    return l;
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
