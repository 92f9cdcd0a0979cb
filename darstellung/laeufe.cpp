#include "laeufe.h"

#include "zahltext.h"

namespace darstellung {

namespace {
std::string wert(const char* name, double v, const char* einheit, std::string_view komma) {
    std::string t = std::string(name) + " = " + mit_komma(zahl_c(v, 'g', 6), komma);
    if (*einheit) t += std::string(" ") + einheit;
    return t;
}
} // namespace

std::string laufname_pid(double xp, double tn, double tv, std::string_view komma) {
    return wert("P-Band", xp, "K", komma) + ", " + wert("Nachlaufzeit", tn, "s", komma) + ", " +
           wert("Vorhaltzeit", tv, "s", komma);
}

std::string laufname_kaskade(double v1, double tn1, double tv1, double xp2, double tv2,
                             double maxdiff, std::string_view komma) {
    return wert("Verstärkung", v1, "", komma) + ", " + wert("Nachlauf. 1", tn1, "s", komma) + ", " +
           wert("Vorhalt. 1", tv1, "s", komma) + ", " + wert("P-Band 2", xp2, "K", komma) + ", " +
           wert("Vorhalt. 2", tv2, "s", komma) + ", " + wert("Max.Diff", maxdiff, "K", komma);
}

} // namespace darstellung
