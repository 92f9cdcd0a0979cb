// The page vocabulary (plain data in the core) in Qt's terms: rectangles in pixels, fonts,
// colours.
#pragma once

#include "elemente.h"

#include <QColor>
#include <QFont>
#include <QRect>

namespace shell {

// The widgets' side speaks the pages' vocabulary as its own.
using namespace darstellung::elemente;

// The font of a page's text at a page's scale: its pixel size as the core measures it.
QFont schrift(const Schrift& s, double massstab = 1);
QRect pixel(const Rect& r, double massstab = 1); // twips -> pixels
inline QColor farbe(Farbe f) {
    return QColor(f.r, f.g, f.b);
}

} // namespace shell
