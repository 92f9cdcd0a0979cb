// NORVA-Regler und Regeltechnik: starting the program means showing page 1.
#include "seiten.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("regler"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    shell::Navigator navigator;
    seiten::alle_seiten_anmelden(navigator);
    navigator.seite_zeigen(1);
    return QApplication::exec();
}
