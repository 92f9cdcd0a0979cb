#include "dateien.h"

#include "lernhilfen.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QSettings>
#include <QStorageInfo>

namespace shell {

namespace {
const auto schluessel_ordner = QStringLiteral("dateien/ordner");
} // namespace

QString datei_schreiben(const QString& pfad, const std::function<bool(QIODevice&)>& schreiben) {
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly)) return datei.errorString();
    if (!schreiben(datei) || datei.error() != QFileDevice::NoError) {
        const QString grund = datei.error() != QFileDevice::NoError
                                  ? datei.errorString()
                                  : QStringLiteral("Das Schreiben ist misslungen.");
        datei.cancelWriting();
        return grund;
    }
    if (!datei.commit()) return datei.errorString();
    return {};
}

namespace {
// File systems that only look like folders: the kernel's views of itself and its devices.
bool ordentlich(const QString& ordner) {
    const QFileInfo info(ordner);
    if (!info.isDir() || !info.isWritable()) return false;
    static const QList<QByteArray> kernel = {
        "proc",   "sysfs",     "devtmpfs",    "devpts", "debugfs",    "tracefs",  "securityfs",
        "cgroup", "cgroup2",   "pstore",      "bpf",    "configfs",   "efivarfs", "fusectl",
        "mqueue", "hugetlbfs", "binfmt_misc", "autofs", "rpc_pipefs", "nsfs"};
    const QStorageInfo ort(info.canonicalFilePath());
    return ort.isValid() && !kernel.contains(ort.fileSystemType());
}

// Tells a file's type by its name alone. Qt's own provider reads a file's first bytes to tell
// it, on the dialog's thread: a kernel file that never answers (/proc/kmsg, listed as soon as
// a name under /proc is typed) froze the dialog and the program for good. Its icons are the
// style's: the abstract provider has none without an icon theme, and the dialog scaled null
// pixmaps.
class TypNachName : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QStringLiteral("Ordner");
        return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    }
    using QFileIconProvider::icon;
};

QString speicherort_waehlen(QWidget* eltern, const QString& titel, const QString& vorschlag,
                            QStandardPaths::StandardLocation ort, const QString& filter,
                            bool oeffnen = false) {
    if (speicherort_fuer_tests) return speicherort_fuer_tests(vorschlag);
    static TypNachName typen;
    QFileDialog dialog(eltern, titel, startordner(ort), filter);
    dialog.setAcceptMode(oeffnen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (oeffnen) dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setIconProvider(&typen);
    dialog.selectFile(vorschlag);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString gewaehlt = dialog.selectedNameFilter();
    QString pfad = dialog.selectedFiles().value(0);
    // A name typed without an ending gets the one of the chosen type: "(*.svg)" gives ".svg".
    if (!pfad.isEmpty() && QFileInfo(pfad).suffix().isEmpty()) {
        const qsizetype stern = gewaehlt.indexOf(QLatin1String("*."));
        if (stern >= 0) pfad += gewaehlt.mid(stern + 1).chopped(1);
    }
    return pfad;
}
} // namespace

QString startordner(QStandardPaths::StandardLocation ort) {
    for (const QString& ordner : {einstellungsdatei().value(schluessel_ordner).toString(),
                                  QStandardPaths::writableLocation(ort), QDir::homePath()})
        if (!ordner.isEmpty() && ordentlich(ordner)) return ordner;
    return QDir::homePath();
}

QString oeffnen(QWidget* eltern, const QString& titel, QStandardPaths::StandardLocation ort,
                const QString& filter) {
    return speicherort_waehlen(eltern, titel, QString(), ort, filter, true);
}

bool speichern(QWidget* eltern, const QString& titel, const QString& vorschlag,
               QStandardPaths::StandardLocation ort, const QString& filter,
               const std::function<QString(const QString& pfad)>& schreiben) {
    const QString pfad = speicherort_waehlen(eltern, titel, vorschlag, ort, filter);
    if (pfad.isEmpty()) return false;
    if (const QString fehler = schreiben(pfad); !fehler.isEmpty()) {
        speicherfehler_melden(eltern, pfad, fehler);
        return false;
    }
    einstellungsdatei().setValue(schluessel_ordner, QFileInfo(pfad).absolutePath());
    return true;
}

QString speicherfehler_text(const QString& pfad, const QString& grund) {
    QString satz = grund.trimmed();
    if (satz.isEmpty()) satz = QStringLiteral("Das Schreiben ist misslungen");
    if (!satz.endsWith(QLatin1Char('.')) && !satz.endsWith(QLatin1Char('!')) &&
        !satz.endsWith(QLatin1Char('?')))
        satz += QLatin1Char('.');
    return QStringLiteral("„%1“ konnte nicht gespeichert werden.\n\n%2")
        .arg(QDir::toNativeSeparators(pfad), satz);
}

void speicherfehler_melden(QWidget* eltern, const QString& pfad, const QString& grund) {
    QMessageBox::warning(eltern, QStringLiteral("Speichern"), speicherfehler_text(pfad, grund));
}

} // namespace shell
