// Saving what the program shows: a file is written whole or not at all, into a folder the user
// chose through the desktop's dialog, which proposes the last folder used.
#pragma once

#include <QStandardPaths>
#include <QString>
#include <functional>

class QIODevice;
class QWidget;

namespace shell {

// Writes a file through `schreiben` (false: the writer failed): on any failure nothing is left
// at `pfad` (an old file there stays as it was) and the text says why; empty on success.
QString datei_schreiben(const QString& pfad, const std::function<bool(QIODevice&)>& schreiben);

// Asks where to save: `vorschlag` is a file name, proposed in the folder last used, or at first
// in `ort`. Empty when the user cancels.
QString speicherort_waehlen(QWidget* eltern, const QString& titel, const QString& vorschlag,
                            QStandardPaths::StandardLocation ort, const QString& filter);

// What speicherort_waehlen asks instead of the dialog, where set (tests).
inline std::function<QString(const QString& vorschlag)> speicherort_fuer_tests;

// Says in a message box that a file could not be saved, and why.
void speicherfehler_melden(QWidget* eltern, const QString& pfad, const QString& grund);

} // namespace shell
