// A chart's display list (darstellung/anzeige.h) painted with QPainter, onto the screen's picture
// or, in vectors, onto paper, PDF and SVG.
#pragma once

#include "anzeige.h"

#include <vector>

class QPainter;

namespace shell {

void anzeige_malen(QPainter& p, const darstellung::anzeige& a,
                   const std::vector<darstellung::element>& elemente);

} // namespace shell
