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

// Asks where to save (`vorschlag` a file name, proposed in the folder last saved to, or at first
// in `ort`), writes through `schreiben` (it returns why it failed; empty: saved), and says a
// failure in a message box. Only a folder a file was saved to is remembered. Nothing happens
// when the user cancels. Whether it was saved.
bool speichern(QWidget* eltern, const QString& titel, const QString& vorschlag,
               QStandardPaths::StandardLocation ort, const QString& filter,
               const std::function<QString(const QString& pfad)>& schreiben);

// Asks which file to open, in the same dialog (and the folder last saved to): its path, or
// empty where the user cancels.
QString oeffnen(QWidget* eltern, const QString& titel, QStandardPaths::StandardLocation ort,
                const QString& filter);

// The folder a save dialog opens in: the one last saved to, where it is still an existing,
// writable, ordinary directory (never one of the kernel's own file systems, /proc or /sys, where
// the dialog itself hangs reading their files); else `ort`, else the home folder.
QString startordner(QStandardPaths::StandardLocation ort);

// What speichern and oeffnen ask instead of the dialog, where set (tests): the path, or empty to
// cancel.
inline std::function<QString(const QString& vorschlag)> speicherort_fuer_tests;

// Says in a message box that a file could not be saved, and why.
void speicherfehler_melden(QWidget* eltern, const QString& pfad, const QString& grund);

// The message's text: the file, and the reason as a sentence of its own.
QString speicherfehler_text(const QString& pfad, const QString& grund);

} // namespace shell
