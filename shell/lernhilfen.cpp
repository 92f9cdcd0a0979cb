#include "lernhilfen.h"

#include <QSettings>

namespace shell {

namespace {
constexpr const char* schluessel_kennwerte = "lernhilfen/kennwerte";
constexpr const char* schluessel_vorher = "lernhilfen/vorheriger_lauf";
constexpr const char* schluessel_projektor = "lernhilfen/projektor";
} // namespace

QSettings einstellungsdatei() {
    return QSettings(QStringLiteral("norva"), QStringLiteral("regler"));
}

Lernhilfen::Lernhilfen() {
    const QSettings s = einstellungsdatei();
    m_schalter = {s.value(QLatin1String(schluessel_kennwerte), false).toBool(),
                  s.value(QLatin1String(schluessel_vorher), false).toBool(),
                  s.value(QLatin1String(schluessel_projektor), false).toBool()};
}

Lernhilfen& Lernhilfen::einstellungen() {
    static Lernhilfen l;
    return l;
}

void Lernhilfen::setzen(bool darstellung::schalter::*welcher, const char* schluessel, bool an) {
    if (m_schalter.*welcher == an) return;
    m_schalter.*welcher = an;
    einstellungsdatei().setValue(QLatin1String(schluessel), an);
    emit geaendert();
}

void Lernhilfen::kennwerte_zeigen(bool an) {
    setzen(&darstellung::schalter::kennwerte, schluessel_kennwerte, an);
}

void Lernhilfen::vorherigen_lauf_zeigen(bool an) {
    setzen(&darstellung::schalter::vorher, schluessel_vorher, an);
}

void Lernhilfen::projektor_zeigen(bool an) {
    setzen(&darstellung::schalter::projektor, schluessel_projektor, an);
}

} // namespace shell
