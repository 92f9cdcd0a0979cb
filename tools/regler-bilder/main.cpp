// regler-bilder [--pdf] [--seite N] ORDNER: renders the pages offscreen into ORDNER/seite_N.png,
// with --pdf also ORDNER/seite_N.pdf as printed. QT_SCALE_FACTOR=2 renders the pictures at twice
// the resolution.
#include "aufruf.h"
#include "drucken.h"
#include "seiten.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool eigener_stil = aufruf::stil_gewaehlt(argc, argv);
    QApplication app(argc, argv);
    const aufruf::Auftrag a = aufruf::bilder_lesen(QCoreApplication::arguments());
    if (a.status >= 0) return aufruf::antworten(a);
    QApplication::setApplicationName(QStringLiteral("regler-bilder"));
    if (!eigener_stil) QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir ziel(a.ziel);
    if (!ziel.exists() && !QDir().mkpath(ziel.path())) {
        std::fprintf(stderr, "regler-bilder: Ordner %s lässt sich nicht anlegen\n",
                     qPrintable(ziel.path()));
        return 2;
    }

    shell::Navigator navigator;
    navigator.programmende = [] {};
    seiten::alle_seiten_anmelden(navigator);
    for (int n = 1; n <= shell::Navigator::seitenzahl; ++n) {
        if (a.seite && n != a.seite) continue;
        QWidget* seite = navigator.seite_zeigen(n);
        QApplication::processEvents();
        const QString bild = ziel.filePath(QStringLiteral("seite_%1.png").arg(n));
        if (!seite->grab().save(bild)) {
            std::fprintf(stderr, "regler-bilder: %s lässt sich nicht schreiben\n",
                         qPrintable(bild));
            return 1;
        }
        std::printf("%s\n", qPrintable(bild));
        if (!a.pdf) continue;
        const QString pdf = ziel.filePath(QStringLiteral("seite_%1.pdf").arg(n));
        QString fehler;
        if (!shell::seite_als_pdf(*seite, pdf, &fehler)) {
            std::fprintf(stderr, "regler-bilder: %s lässt sich nicht schreiben: %s\n",
                         qPrintable(pdf), qPrintable(fehler));
            return 1;
        }
        std::printf("%s\n", qPrintable(pdf));
    }
    return 0;
}
