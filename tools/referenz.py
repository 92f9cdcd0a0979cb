#!/usr/bin/env python3
"""Reference data for the simulation core, computed independently of the C++ code.

Python floats are IEEE doubles and Python never fuses a multiply and an add, so evaluating
each formula in its documented grouping reproduces the C++ results bit for bit.

Writes one CSV per case into tests/data (or the folder given as the only argument). The file
name is the regler-sim command line joined with "_"; the row count is the --n of that run.
"""

import os
import sys

# ---- milk on a hot plate under a PID controller -------------------------------------------


def pid(w_text, xp_text, tn_text, tv_text, n=200):
    w = float(w_text)
    xp = float(xp_text)
    tn = float(tn_text)
    tv = float(tv_text)
    if xp == 0:
        xp = 0.01
    if tn == 0:
        tn = 10000.0
    umgebung = heizplatte = pfanne = milch = 20.0
    x_alt, summe, y = 20.0, 0.0, 0.0
    rows = []
    for i in range(1, n + 1):
        heizplatte = (heizplatte + y / 13) - (heizplatte - umgebung) / 15
        pfanne = pfanne + (heizplatte - pfanne) / 5
        milch = (milch + (pfanne - milch) / 10) - (milch - umgebung) / 1000
        x = milch
        e = w - x
        y = (((e + summe / tn) - tv * (x - x_alt)) * 100) / xp
        if e > 0 and y < 100:
            summe = (summe + w) - x
        if e < 0 and y > 0:
            summe = (summe + w) - x
        if y > 100:
            y = 100.0
        if y < 0:
            y = 0.0
        x_alt = x
        rows.append((i, w_text, heizplatte, pfanne, milch, y, summe))
    return "i,w,heizplatte,pfanne,milch,y,summe", rows


# ---- heating curve of the three-stage plant ------------------------------------------------


def aufheizkurve(n=30):
    umgebung = heizung = stufe = istwert = 20.0
    rows = []
    for i in range(1, n + 1):
        heizung = (heizung + ((umgebung + 500) - heizung) / 26) - (heizung - umgebung) / 26
        stufe = stufe + (heizung - stufe) / 10
        istwert = istwert + (stufe - istwert) / 20
        rows.append((i, heizung, stufe, istwert))
    return "i,heizung,stufe,istwert", rows


# ---- cascade: outer PID with a gain over an inner PD with a P-band -------------------------


def kaskade(w1_text, v1_text, tn_text, tv1_text, xp_text, tv2_text, maxdiff_text, n=200):
    w1 = float(w1_text)
    v1 = float(v1_text)
    tn = float(tn_text)
    tv1 = float(tv1_text)
    xp = float(xp_text)
    tv2 = float(tv2_text)
    maxdiff = float(maxdiff_text)
    if v1 > 99.9:  # "Start Grafik" resets such a gain to 0
        v1 = 0.0
    if tn == 0:
        tn = 10000.0
    if xp == 0:
        xp = 0.01
    umgebung = heizung = stufe_a = x2 = stufe_b = x1 = 20.0
    summe, y, x1_alt, x2_alt = 0.0, 0.0, 20.0, 20.0
    rows = []
    for i in range(1, n + 1):
        heizung = (heizung + y / 8) - (heizung - umgebung) / 15
        stufe_a = stufe_a + (heizung - stufe_a) / 4
        x2 = x2 + (stufe_a - x2) / 13
        stufe_b = stufe_b + (x2 - stufe_b) / 3
        x1 = (x1 + (stufe_b - x1) / 10) - (x1 - umgebung) / 100
        w2 = w1 + v1 * (((w1 - x1) + summe / tn) - tv1 * (x1 - x1_alt))
        if maxdiff > 0:
            if (w2 - x1) - maxdiff > 0:
                w2 = x1 + maxdiff
            if (x1 - w2) - maxdiff > 0:
                w2 = x1 - maxdiff
        y = (100 * ((w2 - x2) - tv2 * (x2 - x2_alt))) / xp
        y_roh = y
        if (w2 - x2) > 0 and y < 100:
            summe = (summe + w1) - x1
        if (w2 - x2) < 0 and y > 0:
            summe = (summe + w1) - x1
        if y > 100:
            y = 100.0
        if y < 0:
            y = 0.0
        x1_alt = x1
        x2_alt = x2
        rows.append((i, w1_text, x1, w2, x2, y, summe, y_roh))
    return "i,w1,x1,w2,x2,y,summe,y_roh", rows


FAELLE = [
    # the page's own runs and documented examples
    ("pid", "50", "0", "0", "0"),
    ("pid", "50", "17", "20", "5"),
    ("pid", "999", "0", "0", "0"),
    ("pid", "50", "100", "0", "0"),
    ("pid", "50", "0", "0", "100"),
    ("pid", "20", "0", "0", "0"),
    ("pid", "10", "0", "0", "0"),
    # further sets, checked only against this file
    ("pid", "73", "35", "60", "12"),
    ("pid", "30", "5", "1000", "0"),
    ("pid", "99.9", "1", "1", "100"),
    ("pid", "050", "00", "0", "0"),
    ("pid", "65", "8", "3", "0"),
    ("pid", "50", "5", "20", "0"),  # outputs just under 100 % and just over 0 %, still summing
    ("aufheizkurve",),
    ("kaskade", "50", "1", "0", "0", "0", "0", "0"),
    ("kaskade", "50", "1.6", "40", "10", "30", "10", "0"),
    ("kaskade", "50", "1.6", "40", "10", "30", "10", "10"),
    ("kaskade", "50", "0", "40", "10", "30", "10", "0"),
    ("kaskade", "73", "2.5", "25", "5", "12", "3", "8"),
    ("kaskade", "30", "0.5", "1000", "0", "5", "0", "0"),
    ("kaskade", "40", "3", "20", "0", "2", "0", "3"),
    ("kaskade", "99.9", "99.9", "1", "100", "1", "100", "2"),
    ("kaskade", "050", "150", "40", "10", "30", "10", "0"),
]

LAEUFE = {"pid": pid, "aufheizkurve": aufheizkurve, "kaskade": kaskade}


def text(v):
    return repr(v) if isinstance(v, float) else str(v)


def main():
    ziel = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data")
    os.makedirs(ziel, exist_ok=True)
    for fall in FAELLE:
        kopf, rows = LAEUFE[fall[0]](*fall[1:])
        with open(os.path.join(ziel, "_".join(fall) + ".csv"), "w", newline="\n") as f:
            f.write(kopf + "\n")
            for r in rows:
                f.write(",".join(text(v) for v in r) + "\n")


if __name__ == "__main__":
    main()
