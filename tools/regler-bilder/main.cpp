// regler-bilder [ZIEL]: renders pages 1 to 4 offscreen into ZIEL/seite_N.png (default: .).
// QT_SCALE_FACTOR=2 renders at twice the resolution.
#include "seiten.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QStringList args = QApplication::arguments();
    const QDir ziel(args.size() > 1 ? args.at(1) : QStringLiteral("."));
    if (!ziel.exists() && !QDir().mkpath(ziel.path())) {
        std::fprintf(stderr, "regler-bilder: cannot create %s\n", qPrintable(ziel.path()));
        return 2;
    }

    shell::Navigator navigator;
    navigator.programmende = [] {};
    seiten::alle_seiten_anmelden(navigator);
    for (int n = 1; n <= shell::Navigator::seitenzahl; ++n) {
        QWidget* seite = navigator.seite_zeigen(n);
        QApplication::processEvents();
        const QString datei = ziel.filePath(QStringLiteral("seite_%1.png").arg(n));
        if (!seite->grab().save(datei)) {
            std::fprintf(stderr, "regler-bilder: cannot write %s\n", qPrintable(datei));
            return 1;
        }
        std::printf("%s\n", qPrintable(datei));
    }
    return 0;
}
