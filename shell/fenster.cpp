#include "fenster.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace shell {

void auf_den_bildschirm(QWidget* fenster, QPoint wo) {
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
        const QRect frei = bildschirm->availableGeometry();
        const QPoint rechts_unten = frei.bottomRight() + QPoint(1, 1) -
                                    QPoint(fenster->width() + fensterrahmen.width(),
                                           fenster->height() + fensterrahmen.height());
        wo = QPoint(std::max(frei.x(), std::min(wo.x(), rechts_unten.x())),
                    std::max(frei.y(), std::min(wo.y(), rechts_unten.y())));
    }
    fenster->move(wo);
}

} // namespace shell
