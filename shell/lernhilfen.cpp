#include "lernhilfen.h"

#include "texte.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {
const auto schluessel_kennwerte = QStringLiteral("lernhilfen/kennwerte");
const auto schluessel_vorher = QStringLiteral("lernhilfen/vorheriger_lauf");
} // namespace

QSettings einstellungsdatei() {
    return QSettings(QStringLiteral("norva"), QStringLiteral("regler"));
}

Lernhilfen::Lernhilfen() {
    const QSettings s = einstellungsdatei();
    m_kennwerte = s.value(schluessel_kennwerte, false).toBool();
    m_vorheriger_lauf = s.value(schluessel_vorher, false).toBool();
}

Lernhilfen& Lernhilfen::einstellungen() {
    static Lernhilfen l;
    return l;
}

void Lernhilfen::kennwerte_zeigen(bool an) {
    if (an == m_kennwerte) return;
    m_kennwerte = an;
    einstellungsdatei().setValue(schluessel_kennwerte, an);
    emit geaendert();
}

void Lernhilfen::vorherigen_lauf_zeigen(bool an) {
    if (an == m_vorheriger_lauf) return;
    m_vorheriger_lauf = an;
    einstellungsdatei().setValue(schluessel_vorher, an);
    emit geaendert();
}

QStringList kennwert_zeilen(const sim::kennwerte& k, const QLocale& format) {
    QStringList zeilen;
    for (const std::string& z :
         darstellung::kennwert_zeilen(k, format.decimalPoint().toStdString()))
        zeilen << QString::fromStdString(z);
    return zeilen;
}

QString naechster_kennwert(const kennwerte_lauf& l, int zeile, const QLocale& format) {
    const int welcher = darstellung::naechster_kennwert(l.k, l.spitzen, zeile);
    return welcher < 0 ? QString() : kennwert_zeilen(l.k, format).at(welcher);
}

} // namespace shell
