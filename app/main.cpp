// NORVA-Regler und Regeltechnik: starting the program means showing page 1.
#include "seiten.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("regler"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setDesktopFileName(QStringLiteral("ch.norva.Regler"));
    shell::qt_texte_deutsch();
    QIcon symbol;
    for (int n : {16, 32, 48, 64, 256})
        symbol.addFile(QStringLiteral(":/bilder/icon/%1x%1/ch.norva.Regler.png").arg(n));
    QApplication::setWindowIcon(symbol);

    shell::Navigator navigator;
    navigator.an_bildschirm_anpassen = true;
    seiten::alle_seiten_anmelden(navigator);
    navigator.seite_zeigen(1);
    return QApplication::exec();
}
