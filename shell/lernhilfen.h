// The switches of the charts' menus: the learning aids (the figures of a step response drawn on
// the curves, the run before the last one beside it) and the projector's view. Each is switched
// for the whole program and remembered between starts; switched off, a chart is exactly what it
// would be without them.
#pragma once

#include "schaubild.h"

#include <QObject>

class QSettings;

namespace shell {

// The program's settings, one file for all it remembers.
QSettings einstellungsdatei();

class Lernhilfen : public QObject {
    Q_OBJECT
public:
    static Lernhilfen& einstellungen();
    const darstellung::schalter& schalter() const { return m_schalter; }
    bool kennwerte() const { return m_schalter.kennwerte; }
    bool vorheriger_lauf() const { return m_schalter.vorher; }
    bool projektor() const { return m_schalter.projektor; }
    void kennwerte_zeigen(bool an);
    void vorherigen_lauf_zeigen(bool an);
    void projektor_zeigen(bool an);

signals:
    void geaendert();

private:
    Lernhilfen();
    void setzen(bool darstellung::schalter::*welcher, const char* schluessel, bool an);
    darstellung::schalter m_schalter;
};

} // namespace shell
