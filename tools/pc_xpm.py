#!/usr/bin/env python3
"""Writes resources/pc.xpm: a 32 x 32 desktop computer (monitor, system unit, keyboard) in the
16 standard colours, from the character grid below. Run it after changing the grid."""
import pathlib

# The 16 colours of the classic palette; every one is declared, whether the picture uses it or not.
FARBEN = {
    "k": "#000000", "m": "#800000", "e": "#008000", "o": "#808000",
    "n": "#000080", "p": "#800080", "t": "#008080", "s": "#C0C0C0",
    "g": "#808080", "r": "#FF0000", "G": "#00FF00", "y": "#FFFF00",
    "b": "#0000FF", "f": "#FF00FF", "c": "#00FFFF", " ": "#FFFFFF",
}

# Monitor with a trend on its screen, stand, desktop case with two drives and a power light,
# keyboard. Light from the top left: silver faces, grey edges at the bottom and right.
BILD = [
    "                                ",
    "   kkkkkkkkkkkkkkkkkkkkkkkkkk   ",
    "   k ssssssssssssssssssssssgk   ",
    "   k skkkkkkkkkkkkkkkkkkkksgk   ",
    "   k sknnnnnnnnnnnnnnnnnnksgk   ",
    "   k skncccnccccncccnnnnnksgk   ",
    "   k sknnnnnnnnnnnnnnnnnnksgk   ",
    "   k sknnnnnnnnnnnnnnnnnnksgk   ",
    "   k sknnnnnnnGGGGGGGGGGnksgk   ",
    "   k sknnnnnnGnnnnnnnnnnnksgk   ",
    "   k sknnnnnGnnnnnnnnnnnnksgk   ",
    "   k sknnnGGnnnnnnnnnnnnnksgk   ",
    "   k sknGGnnnnnnnnnnnnnnnksgk   ",
    "   k sknnnnnnnnnnnnnnnnnnksgk   ",
    "   k skkkkkkkkkkkkkkkkkkkksgk   ",
    "   k sssssssssssssssssssGssgk   ",
    "   kggggggggggggggggggggggggk   ",
    "   kkkkkkkkkkkkkkkkkkkkkkkkkk   ",
    "            kssssgk             ",
    "          kkkkkkkkkk            ",
    " kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk ",
    " k ssssssssssssssssssssssssssgk ",
    " k skkkkkkkkssskkkkkkkkssGsssgk ",
    " k ssssssssssssssssssssssssssgk ",
    " kggggggggggggggggggggggggggggk ",
    " kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk ",
    "                                ",
    "  kkkkkkkkkkkkkkkkkkkkkkkkkkkk  ",
    "  ksgsgsgsgsgsgsgsgsgsgsgsgssk  ",
    "  kssgsgsgsgsgsgsgsgsgsgsgsssk  ",
    "  kssgsgssggggggggggggssgsgssk  ",
    "  kkkkkkkkkkkkkkkkkkkkkkkkkkkk  ",
]


def xpm() -> str:
    assert len(BILD) == 32, len(BILD)
    for nr, zeile in enumerate(BILD):
        assert len(zeile) == 32, (nr, len(zeile))
        assert set(zeile) <= FARBEN.keys(), (nr, set(zeile) - FARBEN.keys())
    zeilen = ["/* XPM */", "static const char *pc[] = {",
              "/* columns rows colors chars-per-pixel */",
              f'"32 32 {len(FARBEN)} 1 ",']
    zeilen += [f'"{z} c {f}",' for z, f in FARBEN.items()]
    zeilen.append("/* pixels */")
    zeilen += [f'"{z}",' for z in BILD[:-1]] + [f'"{BILD[-1]}"', "};", ""]
    return "\n".join(zeilen)


if __name__ == "__main__":
    ziel = pathlib.Path(__file__).resolve().parent.parent / "resources" / "pc.xpm"
    ziel.write_text(xpm())
