#!/usr/bin/python3
"""Liberation Sans for both faces, from the files the desktop embeds (Debian's python3-fonttools
and python3-brotli).

schriften.py woff2 QUELLE.ttf ZIEL.woff2: the font cut down to the characters the browser's
pages and charts write, as WOFF2. A cut-down font is a modified version under its licence (SIL
OFL 1.1), which reserves the name "Liberation": it is named "Regler Sans" instead.

schriften.py breiten NORMAL.ttf FETT.ttf ZIEL.cpp: the advances of those characters in both
weights, and the line metrics, as a C++ source for darstellung/schrift.cpp: the core measures
every text it places from them."""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Latin-1, general punctuation (dashes, quotes, the ellipsis), arrows, the minus, the triangles
# and the tick of the menus and tables.
ZEICHEN = "U+0020-007E,U+00A0-00FF,U+2000-206F,U+2190-2193,U+2212,U+25B2,U+25BC,U+2713"


def woff2(quelle, ziel):
    optionen = subset.Options()
    optionen.flavor = "woff2"
    optionen.layout_features = ["*"]
    optionen.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    schrift = TTFont(quelle)
    teiler = subset.Subsetter(options=optionen)
    teiler.populate(unicodes=subset.parse_unicodes(ZEICHEN))
    teiler.subset(schrift)
    # The desktop (Qt with FreeType) sets each glyph at its advance cut down to 1/64 px; Chromium
    # at the exact advance, up to 1/64 px a glyph wider. The advances are therefore set to what
    # the desktop uses at the pages' 11 px (8.25 pt), to the nearest font unit.
    px = 11
    em = schrift["head"].unitsPerEm
    hmtx = schrift["hmtx"].metrics
    for glyphe, (breite, links) in hmtx.items():
        hmtx[glyphe] = (round((breite * px * 64 // em) * em / (px * 64)), links)
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


def breiten(normal, fett, ziel):
    zeichen = sorted(subset.parse_unicodes(ZEICHEN))
    zeilen = ["// Written by tools/schriften.py from Liberation Sans; not to be edited.",
              '#include "schrift.h"', "", "namespace darstellung::schriftdaten {", ""]
    metrik = None
    for name, datei in (("normal", normal), ("fett", fett)):
        schrift = TTFont(datei)
        kopf, hhea = schrift["head"], schrift["hhea"]
        m = (kopf.unitsPerEm, hhea.ascent, -hhea.descent)
        assert metrik in (None, m), "both weights share their line metrics"
        metrik = m
        tabelle = schrift.getBestCmap()
        hmtx = schrift["hmtx"].metrics
        paare = [(z, hmtx[tabelle[z]][0]) for z in zeichen if z in tabelle]
        zeilen.append(f"const zeichenbreite {name}[] = {{")
        zeilen += [f"    {{0x{z:04X}, {b}}}," for z, b in paare]
        zeilen += ["};", f"const std::size_t {name}_anzahl = {len(paare)};", ""]
    zeilen += [f"const int einheiten = {metrik[0]}, aufstieg = {metrik[1]}, abstieg = {metrik[2]};",
               "", "} // namespace darstellung::schriftdaten", ""]
    with open(ziel, "w", encoding="utf-8") as f:
        f.write("\n".join(zeilen))


if sys.argv[1:2] == ["woff2"]:
    woff2(*sys.argv[2:4])
elif sys.argv[1:2] == ["breiten"]:
    breiten(*sys.argv[2:5])
else:
    sys.exit("Aufruf: schriften.py woff2 QUELLE.ttf ZIEL.woff2 | breiten NORMAL.ttf FETT.ttf ZIEL.cpp")
