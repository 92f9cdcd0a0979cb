// NORVA-Regler und Regeltechnik: starting the program means showing page 1, or the page
// --seite names.
#include "aufruf.h"
#include "seiten.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    // Read first without a window system, Qt's own options set aside: --help, --version and
    // every bad argument answer without a display.
    {
        QCoreApplication vorab(argc, argv);
        const aufruf::Auftrag a =
            aufruf::regler_lesen(aufruf::ohne_qt_optionen(QCoreApplication::arguments()));
        if (a.status >= 0) return aufruf::antworten(a);
    }
    const bool eigener_stil = aufruf::stil_gewaehlt(argc, argv);
    QApplication app(argc, argv);
    // QApplication has taken out what it knows; anything else it did not is named here.
    const aufruf::Auftrag a = aufruf::regler_lesen(QCoreApplication::arguments());
    if (a.status >= 0) return aufruf::antworten(a);

    QApplication::setApplicationName(QStringLiteral("regler"));
    if (!eigener_stil) QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setDesktopFileName(QStringLiteral("ch.norva.Regler"));
    shell::qt_texte_deutsch();
    QIcon symbol;
    for (int n : {16, 32, 48, 64, 256})
        symbol.addFile(QStringLiteral(":/bilder/icon/%1x%1/ch.norva.Regler.png").arg(n));
    QApplication::setWindowIcon(symbol);

    shell::Navigator navigator;
    navigator.an_bildschirm_anpassen = true;
    seiten::alle_seiten_anmelden(navigator);
    navigator.seite_zeigen(a.seite);
    return QApplication::exec();
}
