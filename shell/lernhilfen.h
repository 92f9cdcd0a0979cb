// The charts' learning aids: the figures of a step response drawn on the curves, and the run
// before the last one beside it. Both are switched for the whole program and remembered between
// starts; switched off, a chart is exactly what it would be without them.
#pragma once

#include "kennwerte.h"

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

class QSettings;

namespace shell {

// The program's settings, one file for all it remembers.
QSettings einstellungsdatei();

class Lernhilfen : public QObject {
    Q_OBJECT
public:
    static Lernhilfen& einstellungen();
    bool kennwerte() const { return m_kennwerte; }
    bool vorheriger_lauf() const { return m_vorheriger_lauf; }
    void kennwerte_zeigen(bool an);
    void vorherigen_lauf_zeigen(bool an);

signals:
    void geaendert();

private:
    Lernhilfen();
    bool m_kennwerte = false;
    bool m_vorheriger_lauf = false;
};

// The figures of a run with the seconds of its peaks.
struct kennwerte_lauf {
    sim::kennwerte k;
    std::vector<int> spitzen;
};

// The figures as the box names them, one per line, in the user's number format:
// "Überschwingen 16,3 K nach 26 s", "Ausregelzeit (±1 K) —", ...
QStringList kennwert_zeilen(const sim::kennwerte& k, const QLocale& format);
// The figure whose second lies nearest to `zeile` (the earlier where two are as near), as the box
// names it; empty where no figure has a second.
QString naechster_kennwert(const kennwerte_lauf& l, int zeile, const QLocale& format);

} // namespace shell
