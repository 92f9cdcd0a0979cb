#include "piep.h"

#include <QApplication>

namespace shell {

namespace {
int zaehler = 0;
}

void piep() {
    ++zaehler;
    QApplication::beep();
}

int piep_zaehler() {
    return zaehler;
}

} // namespace shell
