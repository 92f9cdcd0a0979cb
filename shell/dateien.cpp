#include "dateien.h"

#include "lernhilfen.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>

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

QString speicherort_waehlen(QWidget* eltern, const QString& titel, const QString& vorschlag,
                            QStandardPaths::StandardLocation ort, const QString& filter) {
    if (speicherort_fuer_tests) return speicherort_fuer_tests(vorschlag);
    QSettings einstellungen = einstellungsdatei();
    QString ordner = einstellungen.value(schluessel_ordner).toString();
    if (ordner.isEmpty() || !QDir(ordner).exists()) ordner = QStandardPaths::writableLocation(ort);
    if (ordner.isEmpty() || !QDir(ordner).exists()) ordner = QDir::homePath();
    QString gewaehlt;
    QString pfad = QFileDialog::getSaveFileName(eltern, titel, QDir(ordner).filePath(vorschlag),
                                                filter, &gewaehlt);
    // A name typed without an ending gets the one of the chosen type: "(*.svg)" gives ".svg".
    if (!pfad.isEmpty() && QFileInfo(pfad).suffix().isEmpty()) {
        const qsizetype stern = gewaehlt.indexOf(QLatin1String("*."));
        if (stern >= 0) pfad += gewaehlt.mid(stern + 1).chopped(1);
    }
    if (!pfad.isEmpty()) einstellungen.setValue(schluessel_ordner, QFileInfo(pfad).absolutePath());
    return pfad;
}

void speicherfehler_melden(QWidget* eltern, const QString& pfad, const QString& grund) {
    QMessageBox::warning(eltern, QStringLiteral("Speichern"),
                         QStringLiteral("„%1“ konnte nicht gespeichert werden.\n\n%2")
                             .arg(QDir::toNativeSeparators(pfad), grund));
}

} // namespace shell
