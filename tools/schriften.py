#!/usr/bin/python3
"""schriften.py QUELLE.ttf ZIEL.woff2: Liberation Sans cut down to the characters the browser's
pages and charts write, as WOFF2. A cut-down font is a modified version under its licence (SIL
OFL 1.1), which reserves the name "Liberation": it is named "Regler Sans" instead. Debian's
python3-fonttools and python3-brotli."""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Latin-1, general punctuation (dashes, quotes, the ellipsis), arrows, the minus, the triangles
# and the tick of the menus and tables.
ZEICHEN = "U+0020-007E,U+00A0-00FF,U+2000-206F,U+2190-2193,U+2212,U+25B2,U+25BC,U+2713"

quelle, ziel = sys.argv[1:3]
optionen = subset.Options()
optionen.flavor = "woff2"
optionen.layout_features = ["*"]
optionen.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
schrift = TTFont(quelle)
teiler = subset.Subsetter(options=optionen)
teiler.populate(unicodes=subset.parse_unicodes(ZEICHEN))
teiler.subset(schrift)
# The desktop (Qt with FreeType) sets each glyph at its advance cut down to 1/64 px; Chromium at
# the exact advance, up to 1/64 px a glyph wider, enough to push a paragraph's last word onto the
# next line where the desktop keeps it. The advances are therefore set to what the desktop uses
# at the pages' 11 px (8.25 pt), to the nearest font unit.
PX = 11
em = schrift["head"].unitsPerEm
hmtx = schrift["hmtx"].metrics
for glyphe, (breite, links) in hmtx.items():
    hmtx[glyphe] = (round((breite * PX * 64 // em) * em / (PX * 64)), links)
schnitt = "Bold" if "Bold" in quelle else "Regular"
name = schrift["name"]
for eintrag in list(name.names):
    if eintrag.nameID in (1, 16):
        eintrag.string = "Regler Sans"
    elif eintrag.nameID == 3:
        eintrag.string = f"Regler Sans {schnitt} (Liberation Sans, cut down)"
    elif eintrag.nameID == 4:
        eintrag.string = f"Regler Sans {schnitt}"
    elif eintrag.nameID == 6:
        eintrag.string = f"ReglerSans-{schnitt}"
subset.save_font(schrift, ziel, optionen)
