// The command lines of regler and regler-bilder: what to open, or an answer to give at once
// (help, version, a bad argument) before any window exists.
#pragma once

#include <QString>
#include <QStringList>

namespace aufruf {

struct Auftrag {
    int status = -1; // -1: go on; otherwise end at once with it (0 answered, 2 bad argument)
    QString aus;     // for stdout
    QString fehler;  // for stderr, one line
    int seite = 0;   // regler: the page to open first; regler-bilder: 0 for every page
    bool pdf = false;
    QString ziel; // regler-bilder's folder
};

// regler, its command line without Qt's own options.
Auftrag regler_lesen(const QStringList& argumente);
// The command line without Qt's own options and their values (-platform offscreen, -style=…,
// -reverse, …), so that it can be read in full before QApplication, without a display.
QStringList ohne_qt_optionen(const QStringList& argumente);
// regler-bilder, after QApplication.
Auftrag bilder_lesen(const QStringList& argumente);

// Qt's -style was given: the program's own style must not override it.
bool stil_gewaehlt(int argc, char** argv);

// Writes the answer; the exit status, 1 where stdout could not take it.
int antworten(const Auftrag& a);

} // namespace aufruf
