"""What a screen reader gets from the real program through AT-SPI, as Orca gets it: walks each
page's accessible tree, moves the keyboard focus onto the charts as a user does (Tab), presses
the arrow keys and reads what a screen reader would speak: the focused chart keeps its name, its
description changes to the second and the values at each step, and its value to the second.

Usage: zugang.py PATH/TO/regler  (inside an X session with a D-Bus session bus; zugang.sh sets
both up)."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

REGLER = sys.argv[1]
# page: (Tab presses from the focus a page opens with, the chart reached, a value it reads, its
# last second)
FAELLE = {
    1: [],
    2: [(8, "Diagramm Soll, Ist", "Soll 50 °C", 200), (1, "Diagramm Leistung", "Leistung", 200)],
    3: [(11, "Diagramm Istwert", "Istwert", 30), (1, "Diagramm Soll1, Ist1, Soll2, Ist2",
                                                 "Soll1 50 °C", 200)],
    4: [],
}

fehler = []
bestanden = 0


def pruefen(bedingung, was):
    global bestanden
    if bedingung:
        bestanden += 1
        print(f"ok    {was}")
    else:
        fehler.append(was)
        print(f"FAIL: {was}")


def pumpen(sekunden):
    """Lets the bus deliver what is queued, for as long as asked."""
    ctx = GLib.MainContext.default()
    ende = time.time() + sekunden
    while time.time() < ende:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)


def kind(eltern, passt, warten=20):
    """The first child that passes, once there is one (within `warten` seconds), else None."""
    ende = time.time() + warten
    while time.time() < ende:
        for k in (eltern().getChildAtIndex(i) for i in range(eltern().childCount)):
            if k is not None and passt(k):
                return k
        time.sleep(0.2)
    return None


def alle(objekt):
    yield objekt
    for i in range(objekt.childCount):
        kind = objekt.getChildAtIndex(i)
        if kind is not None:
            yield from alle(kind)


def fenster(app, titel):
    return kind(lambda: app, lambda f: f.name == titel
                and f.getState().contains(pyatspi.STATE_SHOWING))


def taste(*tasten):
    subprocess.run(["xdotool", "key", "--delay", "60", *tasten], check=True)


gehoert = []


def hoeren(ereignis):
    # What a screen reader speaks on a change: the object's name or description as it asks for
    # it then.
    quelle = ereignis.source
    text = ""
    if quelle:
        text = quelle.description if ereignis.type.endswith("description") else quelle.name
    gehoert.append((ereignis.type, quelle.getRoleName() if quelle else "", text))


pyatspi.Registry.registerEventListener(hoeren, "object:property-change:accessible-name",
                                       "object:property-change:accessible-description",
                                       "object:value-changed", "object:state-changed:focused")

for seite, faelle in FAELLE.items():
    programm = subprocess.Popen([REGLER, "--seite", str(seite)])
    try:
        app = kind(lambda: pyatspi.Registry.getDesktop(0), lambda a: a.name == "regler")
        pruefen(app is not None, f"page {seite}: the program is on the accessibility bus")
        if app is None:
            continue
        f = fenster(app, f"Seite {seite}")
        pruefen(f is not None, f"page {seite}: its window is in the tree")
        if f is None:
            continue
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                        f"^Seite {seite}$", "windowactivate", "--sync"], check=False)
        pumpen(0.5)
        # The tree as a screen reader walks it: no hidden scroll bar, no chart internals. (Names,
        # descriptions and the charts' keys and menu as Qt gives them: test_navigation and
        # test_diagrammfeld.)
        objekte = list(alle(f))
        pruefen("scroll bar" not in [o.getRoleName() for o in objekte],
                f"page {seite}: no scroll bar in the tree")
        diagramme = [o for o in objekte if o.getRole() == pyatspi.ROLE_CHART]
        pruefen(len(diagramme) == {1: 0, 2: 2, 3: 3, 4: 0}[seite]
                and all(d.childCount == 0 for d in diagramme),
                f"page {seite}: {len(diagramme)} charts, each one object without children")

        namen = [d.name for d in diagramme]  # as they stand before any read-out
        for tabs, name, teil, letzte in faelle:
            gehoert.clear()
            if tabs:
                taste(*(["Tab"] * tabs))
            pumpen(0.5)
            d = diagramme[namen.index(name)] if name in namen else None
            pruefen(d is not None and d.getState().contains(pyatspi.STATE_FOCUSED),
                    f"page {seite}: Tab brings the focus onto '{name}'")
            if d is None:
                continue
            for tasten, sekunde in ((["Home"], 1), (["Right", "Right"], 3), (["End"], letzte)):
                gehoert.clear()
                taste(*tasten)
                pumpen(0.8)
                gesagt = [e[2] for e in gehoert
                          if e[0].endswith("accessible-description") and e[1] == "chart"]
                erwartet = f"t = {sekunde} s · "
                pruefen(gesagt and gesagt[-1].startswith(erwartet) and teil in gesagt[-1],
                        f"page {seite}, {'+'.join(tasten)}: the step is heard as "
                        f"'{gesagt[-1] if gesagt else ''}'")
                umbenannt = [e for e in gehoert
                             if e[0].endswith("accessible-name") and e[1] == "chart"]
                pruefen(not umbenannt and d.name == name,
                        f"page {seite}: the chart is still named '{d.name}'")
        if seite == 2:
            # The lab notebook (Ctrl+L) is a table to a screen reader: rows, columns, headers.
            taste("ctrl+l")
            p = fenster(app, "Versuchsprotokoll")
            tabellen = [o for o in alle(p) if o.getRole() == pyatspi.ROLE_TABLE] if p else []
            t = tabellen[0].queryTable() if tabellen else None
            koepfe = [t.getColumnDescription(s) for s in range(t.nColumns)] if t else []
            pruefen(t is not None and t.nRows >= 1 and any("Schwingungsdauer" in k for k in koepfe),
                    f"page 2: the lab notebook is a table of {t.nRows if t else 0} rows, "
                    f"headed {koepfe[:4]}")
    finally:
        programm.terminate()
        programm.wait(10)

print(f"{bestanden} passed, {len(fehler)} failed")
sys.exit(1 if fehler else 0)
