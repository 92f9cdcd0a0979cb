#include "einheiten.h"

#include "schrift.h"

namespace shell {

QFont schrift(const Schrift& s, double massstab) {
    QFont f(QString::fromLatin1(s.familie));
    // On a smaller page (buttons, fields, charts, captions; labels draw their full-size text
    // scaled) the size is rounded down, never up, to stay in its box.
    f.setPixelSize(darstellung::schrift_px(s.punkte, massstab));
    f.setBold(s.fett);
    // Latin text needs no OpenType shaping, and lays out several times faster without it. It is
    // set without kerning then, as the pages' bitmap font was; the paragraphs' hand-placed
    // hyphenations are chosen for these widths.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QRect pixel(const Rect& r, double massstab) {
    const Rect p = in_pixeln(r, massstab);
    return QRect(p.x, p.y, p.w, p.h);
}

} // namespace shell
