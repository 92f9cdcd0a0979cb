// Top-level windows of the program (pages, the notebook) on the screen.
#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace shell {

// What a window frame adds to a window's client area, at most, as window managers draw them.
inline constexpr QSize fensterrahmen{16, 40};

// Moves a window so that all of it, frame included, is on its screen where it fits.
void auf_den_bildschirm(QWidget* fenster, QPoint wo);

} // namespace shell
