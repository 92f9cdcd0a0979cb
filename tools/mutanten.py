#!/usr/bin/env python3
"""How many plausible faults does the test suite catch? Each fault below is an exact text
replacement in one file. For each, a scratch copy of the tree gets the fault, is rebuilt
incrementally and tested; a fault is caught when a test fails (or the build does). At the end:
"N of M faults caught". A replacement that no longer matches its file is reported as such.
Faults in web/ are built into the browser version (a WebAssembly build of the copy beside the
desktop one) and caught by the browser's tests; faults in darstellung/, the library both faces
share, are tried on both, and the line says which face caught them. Not part of CI: it takes
about half an hour.

    python3 tools/mutanten.py            all faults (sh tools/mutanten.sh does the same)
    python3 tools/mutanten.py NAME...    only these

MUTANTEN_DIR (default /tmp/regler-mutanten) holds the copy and its builds."""
import fcntl
import os
import shutil
import subprocess
import sys

# name ¦ file ¦ old text ¦ new text ¦ tests (a ctest -R expression; none: all but the X tests)
# "\n" in a text stands for a line break, "(nichts)" for no text.
FEHLER = r"""
platte-konstante    ¦ sim/pid.h              ¦ n.heizplatte = (s.heizplatte + y / 13) ¦ n.heizplatte = (s.heizplatte + y / 12)
klemme-fehlt        ¦ sim/pid.h              ¦ if (y > 100) y = 100; ¦ (nichts)
windup-zweig        ¦ sim/pid.h              ¦ if (e > 0 && y < 100) n.summe ¦ if (e > 0) n.summe
xp-null             ¦ sim/pid.cpp            ¦ .xp = f.xp == 0 ? 0.01 : f.xp, ¦ .xp = f.xp == 0 ? 0.1 : f.xp,
tn-null             ¦ sim/pid.cpp            ¦ .tn = f.tn == 0 ? 10000 : f.tn, ¦ .tn = f.tn == 0 ? 1000 : f.tn,
letzte-probe        ¦ sim/pid.h              ¦ for (int i = 1; i <= n; ++i) { ¦ for (int i = 1; i < n; ++i) {
maxdiff-oben        ¦ sim/kaskade.h          ¦ if ((w2 - x1) - p.maxdiff > 0) w2 = x1 + p.maxdiff; ¦ (nichts)
maxdiff-null        ¦ sim/kaskade.h          ¦ if (p.maxdiff > 0) { ¦ if (p.maxdiff >= 0) {
milch-verlust       ¦ sim/kaskade.h          ¦ - (s.x1 - s.umgebung) / 100; ¦ - (s.x1 - s.umgebung) / 1000;
aufheiz-leistung    ¦ sim/kaskade.h          ¦ ((s.umgebung + 500) - s.heizung) ¦ ((s.umgebung + 400) - s.heizung)
kaskade-xp-null     ¦ sim/kaskade.cpp        ¦ .xp = f.xp2 == 0 ? 0.01 : f.xp2, ¦ .xp = f.xp2 == 0 ? 0.02 : f.xp2,
v1-grenze-kern      ¦ sim/kaskade.h          ¦ v1_obergrenze = 99.9; ¦ v1_obergrenze = 9.9;
laenge-eins-zu-kurz ¦ darstellung/parameter.cpp ¦ - markiert + 1 <= p.laenge) ¦ - markiert + 1 < p.laenge)
filter-ohne-piep    ¦ darstellung/parameter.cpp ¦ ++a.piepse;\n        return a; ¦ return a;
grenze-gleich       ¦ darstellung/parameter.cpp ¦ if (w && *w > *p.grenze) { ¦ if (w && *w >= *p.grenze) {
grenze-beim-lauf    ¦ darstellung/seitenlaeufe.cpp ¦ if (!a.ersetzt) continue; ¦ continue;
leeres-feld-laeuft  ¦ darstellung/seitenlaeufe.cpp ¦ if (!w) {\n            g.werte.clear(); ¦ if (false) {\n            g.werte.clear();
doppelklick         ¦ shell/seite.cpp        ¦ zeit - letzter_klick.zeit < intervall) ¦ zeit - letzter_klick.zeit < 0)
minimiert-bleibt    ¦ shell/seite.cpp        ¦ if (slot->isMinimized()) slot->setWindowState ¦ if (false) slot->setWindowState
seite-doppelt       ¦ shell/seite.cpp        ¦ if (!slot) { ¦ if (true) {
dunkles-thema       ¦ shell/seite.cpp        ¦ setPalette(seitenpalette()); ¦ (nichts)
beenden-taste       ¦ shell/seite.cpp        ¦ if (!fokuswechsel && !k->text().isEmpty()) { ¦ if (false) {
eingabetaste        ¦ shell/seitenbau.cpp    ¦ if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) { ¦ if (false) {
achse-waechst-nicht ¦ darstellung/achsen.cpp ¦ a.bis = hoch > bis ? std::ceil(hoch / st) * st : bis; ¦ a.bis = bis;
kurve-ohne-ende     ¦ shell/diagrammfeld.cpp ¦ m_reihen[s]->replace(zellen); ¦ m_reihen[s]->replace(zellen.first(zellen.size() - 1));
marken-elidiert     ¦ darstellung/achsen.cpp ¦ int(achsenhoehe / (markenhoehe + 2 * 4 + 1)) ¦ int(achsenhoehe / markenhoehe)
zeitachsen-versetzt ¦ darstellung/achsen.cpp ¦ links = std::max(links, l); ¦ links = std::min(links, l);
legende-im-plot     ¦ shell/diagrammfeld.cpp ¦ m_kopf.ursprung = QPointF(f.left(), f.top() - m_kopf.lage.hoehe); ¦ m_kopf.ursprung = QPointF(f.left(), f.top());
veraltetes-bild     ¦ shell/diagrammfeld.cpp ¦ are new: the chart is drawn anew as a whole.\n    neu_zeichnen(); ¦ are new.
kopf-ohne-klick     ¦ shell/protokoll.cpp    ¦ kopf->setSectionsClickable(true); ¦ (nichts)
protokoll-daneben   ¦ shell/protokoll.cpp    ¦ m_platziert = true;\n    auf_den_bildschirm(this, wo); ¦ m_platziert = true;
kopf-unter-pfeil    ¦ shell/protokoll.cpp    ¦ m_tabelle->setHorizontalHeader(kopf); ¦ (nichts)
vermutung-blind     ¦ shell/diagrammfeld.cpp ¦ if (daneben(f.left() - links, m_natuerlich.first) || ¦ if (false && daneben(f.left() - links, m_natuerlich.first) ||
kein-zeiger-tasten  ¦ shell/diagramm_ablesung.cpp ¦ zeile = zeile ? std::min(m_zeilen, zeile + schritt) : 1; ¦ zeile = zeile ? zeile : 1;
pfeilspitze         ¦ shell/elemente.cpp     ¦ constexpr int l = 120; ¦ constexpr int l = 105;
sollwert-grenze     ¦ darstellung/parameter.cpp ¦ .laenge = 3,\n     .grenze = 99.9, ¦ .laenge = 3,\n     .grenze = 999,
leistung-spalte     ¦ darstellung/seitenlaeufe.cpp ¦ e.spalten[2].werte.push_back(z.y); ¦ e.spalten[2].werte.push_back(z.milch);
knopf-am-rand-2     ¦ pages/seite_2.cpp      ¦ .r = {7800, 9360, 7440, 1110}}, ¦ .r = {7800, 9360, 7440, 1095}},
tabfolge-3          ¦ pages/seite_3.cpp      ¦ .tabfolge = {"tn1", "v1", "w1", "tv1", ¦ .tabfolge = {"v1", "tn1", "w1", "tv1",
felder-vertauscht   ¦ darstellung/parameter.cpp ¦ .laenge = 2, .kaskade = &kf::tv1}, ¦ .laenge = 2, .kaskade = &kf::tv2},
knopf-am-rand-3     ¦ pages/seite_3.cpp      ¦ Rahmen{.name = befehle, .r = {7800, 9300, 7485, 1155}}, ¦ Rahmen{.name = befehle, .r = {7800, 9300, 7455, 1155}},
v1-regel-kern       ¦ sim/kaskade.cpp        ¦ .v1 = verworfen ? 0 : f.v1, ¦ .v1 = f.v1,
v1-laden            ¦ darstellung/seitenlaeufe.cpp ¦ {{"w1", "tv1", "maxdiff", "tv2"}, {{"v1", "1"}}}; ¦ {{"w1", "tv1", "maxdiff", "tv2"}, {}};
fuehrung-luecke     ¦ shell/seitenbau.cpp    ¦ g.setLeft(links + 1); ¦ g.setLeft(links + 40);
kennwerte-spitze    ¦ sim/kennwerte.cpp      ¦ if (v > c) c = v, c_i = i; ¦ if (v >= c) c = v, c_i = i;
kennwerte-hysterese ¦ sim/kennwerte.cpp      ¦ if (c - v >= hysterese_k) ¦ if (c - v > hysterese_k)
kennwerte-anstieg   ¦ sim/kennwerte.cpp      ¦ if (v - m >= hysterese_k) ¦ if (v - m > 2 * hysterese_k)
periode-ab-erster   ¦ sim/kennwerte.cpp      ¦ double(p.back() - p[1]) / double(int(p.size()) - 2) ¦ double(p.back() - p[0]) / double(int(p.size()) - 1)
ausregel-viertel    ¦ sim/kennwerte.cpp      ¦ if (i <= n - q) k.ausregelzeit_s = i; ¦ k.ausregelzeit_s = i;
ruhe-spanne         ¦ sim/kennwerte.cpp      ¦ if (*hoch - *tief <= ruhe_k) ¦ if (*hoch - *tief < ruhe_k)
kennwert-stellen    ¦ darstellung/texte.cpp  ¦ const std::string t = fest(v, 1, komma); ¦ const std::string t = fest(v, 2, komma);
gain-punkt          ¦ darstellung/parameter.cpp ¦ (c == U'.' || c == U',' || (k.size() == 1 && c == k[0])) ¦ (k.size() == 1 && c == k[0])
einfuegen-roh       ¦ darstellung/parameter.cpp ¦ if (const auto z = zeichen_fuer(p, c, komma)) { ¦ if (const auto z = std::optional<std::string>(utf8(std::u32string(1, c)))) {
einfuegen-still     ¦ darstellung/parameter.cpp ¦ } else {\n            a.piepse = 1; ¦ } else {
ordner-vorher       ¦ shell/dateien.cpp      ¦ if (const QString fehler = schreiben(pfad); !fehler.isEmpty()) { ¦ einstellungsdatei().setValue(schluessel_ordner, QFileInfo(pfad).absolutePath());\n    if (const QString fehler = schreiben(pfad); !fehler.isEmpty()) {
ordner-proc         ¦ shell/dateien.cpp      ¦ return ort.isValid() && !kernel.contains(ort.fileSystemType()); ¦ return ort.isValid();
meldung-ohne-punkt  ¦ shell/dateien.cpp      ¦ satz += QLatin1Char('.'); ¦ (nichts)
strg-p-fehlt        ¦ shell/seite.cpp        ¦ m_drucken->setShortcut(QKeySequence::Print); ¦ (nichts) ¦ sitzung
druck-als-bitmap    ¦ shell/drucken.cpp      ¦ p.drawPicture(0, 0, aufnahme); ¦ seite.render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren); ¦ sitzung
png-ohne-legende    ¦ shell/diagramm_ausgabe.cpp ¦ const QImage bild = abbild(); ¦ const QImage bild = viewport()->grab().toImage();
menue-zeiger-bleibt ¦ shell/diagramm_ausgabe.cpp ¦ emit zeiger_verlassen();\n    const Lernhilfen& l ¦ const Lernhilfen& l
zeitachse-elidiert  ¦ shell/diagrammfeld.cpp ¦ zeitachse_gekuerzt()) { ¦ false) {
zugang-ereignis     ¦ shell/diagramm_ausgabe.cpp ¦ QAccessibleEvent name(this, QAccessible::NameChanged); ¦ QAccessibleEvent name(this, QAccessible::DescriptionChanged); ¦ zugang
zugang-kinder       ¦ shell/diagramm_ausgabe.cpp ¦ int childCount() const override { return 0; } ¦ (nichts)
zugang-name         ¦ shell/diagramm_ausgabe.cpp ¦ QAccessible::Name && diagramm()->zeiger() ¦ QAccessible::Name && false
menue-halb-genannt  ¦ darstellung/diagramm.cpp ¦ if (t.empty()) continue;\n        if (const auto p ¦ if (t.empty()) break;\n        if (const auto p
tabfolge-2          ¦ pages/seite_2.cpp      ¦ "tv1", "graph", "Leistung"}, ¦ "tv1"},
zoom-diagramme      ¦ shell/seitenbau.cpp    ¦ d->massstab_setzen(m);\n    for (QWidget* w ¦ for (QWidget* w
zoom-rahmenschrift  ¦ shell/seitenbau.cpp    ¦ if (m_schrift) setFont(schrift(*m_schrift, m)); ¦ (nichts)
zoom-ohne-grenze    ¦ shell/seite.cpp        ¦ const double wird = neu ? std::clamp(*neu, 0.5, grenze) : jetzt; ¦ const double wird = neu ? *neu : jetzt;
dialog-schnueffelt   ¦ shell/dateien.cpp      ¦ dialog.setIconProvider(&typen); ¦ (nichts) ¦ sitzung
darstellung-minus   ¦ darstellung/texte.cpp  ¦ return v < 0 && !null_gezeigt(t) ? minus + t : t; ¦ return v < 0 ? minus + t : t;
kurz-ohne-rundung   ¦ darstellung/texte.cpp  ¦ std::string t = fest(v, 2, komma); ¦ std::string t = fest(v, 3, komma);
unterschied-fehlt   ¦ darstellung/laeufe.cpp ¦ if (i < jetzt.size() && t == text(jetzt[i], komma)) continue; ¦ if (i > 0) continue;
vorher-blass        ¦ darstellung/diagramm.cpp ¦ m = gemischt(c, 255, k); kontrast(m, weiss) >= 3) ¦ m = gemischt(c, 255, k); kontrast(m, weiss) >= 2)
marke-periode       ¦ darstellung/diagramm.cpp ¦ t + *k.schwingungsdauer_s, bei(spitzen[1]), 2}); ¦ t + 2 * *k.schwingungsdauer_s, bei(spitzen[1]), 2});
protokoll-ohne-last ¦ shell/seitenlauf.cpp   ¦ if (e.ist >= 0)\n        m_nav ¦ if (e.ist >= 0 && !laden)\n        m_nav
protokoll-falsch-ist ¦ darstellung/seitenlaeufe.cpp ¦ e.ist = int(ab) + 1; ¦ e.ist = int(ab) + 3;
protokoll-kopf-lax  ¦ darstellung/protokollzeilen.cpp ¦ return fehler(s.d[0].zeile, "die Spalten ¦ if (false) return fehler(s.d[0].zeile, "die Spalten
protokoll-seite-lax ¦ darstellung/protokollzeilen.cpp ¦ if (w[vorne + f] && !parameter_von(z.seite, felder()[f]->id)) ¦ if (false)
protokoll-halb      ¦ darstellung/protokollzeilen.cpp ¦ if (!anhaengen) { ¦ if (false) {
vergleich-ersetzt   ¦ shell/diagrammfeld.cpp ¦ if (m_gelaufen) {\n            m_vorher = ¦ if (m_gelaufen) {\n            m_fest = false;\n            m_vorher =
csv-trenner         ¦ darstellung/tabellen.cpp ¦ const char trenner = dezimalkomma ? ';' : ','; ¦ const char trenner = ',';
web-felder-eigen    ¦ web/src/zahlenfeld.js  ¦ this.machen(this.kern.feld_taste(this.seite, this.id, this.text, a, b, c.codePointAt(0))); ¦ this.eingabe.setRangeText(c, a, b, 'end');
web-einfuegen-roh   ¦ web/src/zahlenfeld.js  ¦ this.machen(this.kern.feld_einfuegen(this.seite, this.id, this.text, a, b, text)); ¦ this.eingabe.setRangeText(text, a, b, 'end');
web-naechster       ¦ web/src/lernhilfen.js  ¦ return welcher < 0 ? '' : k.zeilen[welcher]; ¦ return welcher < 0 ? '' : k.zeilen[0];
web-tabfolge        ¦ web/src/seitenbau.js   ¦ el.tabIndex = seite.tabfolge.length; ¦ el.tabIndex = 0;
web-link-getippt    ¦ web/src/seitenlogik.js ¦ for (const [n, t] of lauf_texte) q.append(n, t); ¦ for (const [n, f] of seite.felder) q.append(n, f.text);
web-link-ohne-grenze ¦ web/src/seitenlogik.js ¦ feld.einfuegen_begrenzt(q.get(n));\n                feld.obergrenze_pruefen(); ¦ feld.text = q.get(n);
web-kerning         ¦ web/src/seitenbau.js   ¦ el.style.fontKerning = 'none'; ¦ (nichts)
web-linie-mitte     ¦ web/src/seitenbau.js   ¦ const m = l.breite % 2 ? 0.5 : 0; ¦ const m = 0.5;
web-form-aussen     ¦ web/src/seitenbau.js   ¦ const innen = { x: x + rb / 2, y: y + rb / 2, w: w - rb, h: h - rb }; ¦ const innen = { x, y, w, h };
web-kern-spalten    ¦ web/kern.cpp           ¦ {z.x1, z.w2, z.x2, z.y, z.summe, z.y_roh} ¦ {z.x1, z.x2, z.w2, z.y, z.summe, z.y_roh}
qt-option-mit-wert  ¦ app/aufruf.cpp         ¦ if (mit_wert.contains(name) && k + 1 < argumente.size()) { ¦ if (false) { ¦ aufruf
kopf-links-vom-plot ¦ darstellung/diagramm.cpp ¦ k.legende_x = std::max(0.0, breite - k.legende_breite); ¦ k.legende_x = breite - k.legende_breite;
vorher-ist-letzter  ¦ shell/diagrammfeld.cpp ¦ m_vorher = std::move(m_letzte); ¦ m_vorher = m_zellen;
vorher-immer        ¦ shell/diagramm_lernhilfen.cpp ¦ Lernhilfen::einstellungen().vorheriger_lauf())); ¦ true));
kopf-ohne-platz     ¦ shell/diagrammfeld.cpp ¦ std::max(2, int(std::ceil(m_kopf.lage.hoehe)) - m_halbe_marke); ¦ std::max(2, 20 - m_halbe_marke);
kennwerte-spalte    ¦ pages/seite_2.cpp      ¦ .kennwerte_ist = 2, ¦ .kennwerte_ist = 1,
papier-diagramme    ¦ shell/drucken.cpp      ¦ if (!d->isVisibleTo(&seite)) continue; ¦ continue; ¦ aufruf
kennwerte-band      ¦ sim/kennwerte.cpp      ¦ if (std::abs(wert(n) - w) <= band_k) { ¦ if (std::abs(wert(n) - w) < band_k) {
pdf-hochkant        ¦ shell/drucken.cpp      ¦ seite.width() > seite.height() ? QPageLayout::Landscape ¦ seite.width() < seite.height() ? QPageLayout::Landscape
seite-fuenf         ¦ app/aufruf.cpp         ¦ return n >= 1 && n <= shell::Navigator::seitenzahl ? n : 0; ¦ return n >= 1 && n <= 5 ? n : 0;
menue-auf-knopf     ¦ shell/seite.cpp        ¦ if (qobject_cast<QAbstractButton*>(w) || ¦ if (
ende-ohne-frage     ¦ shell/seite.cpp        ¦ if (n == 0) return true; ¦ return true;
laden-vergleich-bleibt ¦ shell/protokoll.cpp  ¦ connect(&protokoll, &QAbstractItemModel::modelReset, this, &Protokollfenster::gewaehlt_zeigen); ¦ (nichts)
nummer-nach-letzter ¦ darstellung/protokollzeilen.cpp ¦ n = std::max(n, z.nummer); ¦ n = z.nummer;
werte-ungeprueft    ¦ darstellung/protokollzeilen.cpp ¦ if (!wert_zulaessig(p, *v)) ¦ if (false)
kennwerte-aus-datei ¦ darstellung/protokollzeilen.cpp ¦ z.k = protokoll_kennwerte(z.seite, z.werte); ¦ (nichts)
anhaengen-ohne-nummer ¦ darstellung/protokollzeilen.cpp ¦ z.nummer = n++; ¦ ++n;
kein-sprung         ¦ sim/kennwerte.cpp      ¦ if (n == 0 || !(w > x[0])) return k; ¦ if (n == 0) return k;
rundung-gerade      ¦ darstellung/zahltext.cpp ¦ const bool auf = t[ende] >= '5'; ¦ const bool auf = t[ende] > '5';
"""

def lesen():
    faelle = []
    for zeile in FEHLER.strip("\n").split("\n"):
        teile = [t.strip() for t in zeile.split(" ¦ ")] + [""]
        name, datei, alt, neu, tests = teile[:5]
        neu = "" if neu == "(nichts)" else neu
        faelle.append((name, datei, alt.replace("\\n", "\n"), neu.replace("\\n", "\n"), tests))
    return faelle

def laufen(befehl, **kw):
    return subprocess.run(befehl, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw).returncode

quelle = os.getcwd()
arbeit = os.environ.get("MUTANTEN_DIR", "/tmp/regler-mutanten")
kopie, bau = os.path.join(arbeit, "src"), os.path.join(arbeit, "build")
os.makedirs(arbeit, exist_ok=True)
sperre = open(os.path.join(arbeit, "sperre"), "w")
try:  # two runs in one scratch copy would plant faults in each other's tree
    fcntl.flock(sperre, fcntl.LOCK_EX | fcntl.LOCK_NB)
except OSError:
    sys.exit(f"mutanten: another run is using {arbeit}")
shutil.rmtree(kopie, ignore_errors=True)
# Copied with new times, so that the builds of a copy before see every changed file.
shutil.copytree(quelle, kopie, ignore=shutil.ignore_patterns(".git", "build*", "node_modules"),
                copy_function=shutil.copy)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
if laufen(["cmake", "-S", kopie, "-B", bau, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
           "-DREGLER_BENCH=OFF"]) or laufen(["cmake", "--build", bau]):
    sys.exit("mutanten: the unchanged tree does not build")
ohne_x = ["-E", "^(bildschirm|zugang|sitzung)$"]
if laufen(["ctest", "--test-dir", bau, "-j2"] + ohne_x, env=env):
    sys.exit("mutanten: the unchanged tree fails its tests")

faelle = [f for f in lesen() if not sys.argv[1:] or f[0] in sys.argv[1:]]

# The browser version of the copy, where a fault lies in web/: its pages from the copy's desktop
# build, its tests against the copy's regler-sim.
web_bau = os.path.join(arbeit, "build-wasm")
web_env = dict(env, NODE_PATH="/usr/share/nodejs")  # emscripten's optimizer needs Debian's acorn
beide = lambda datei: datei.startswith("darstellung/")
if any(f[1].startswith("web/") or beide(f[1]) for f in faelle):
    if laufen(["emcmake", "cmake", "-S", kopie, "-B", web_bau, "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=Release", "-DREGLER_GUI=OFF", "-DREGLER_BENCH=OFF",
               f"-DREGLER_NORMALBAU={bau}"], env=web_env) or \
            laufen(["cmake", "--build", web_bau], env=web_env) or \
            laufen(["ctest", "--test-dir", web_bau], env=web_env):
        sys.exit("mutanten: the unchanged browser version does not build or fails its tests")
gefangen, passt_nicht, entkommen = 0, [], []
for name, datei, alt, neu, tests in faelle:
    pfad = os.path.join(kopie, datei)
    with open(pfad, encoding="utf-8") as f:
        original = f.read()
    if original.count(alt) != 1:
        passt_nicht.append(name)
        print(f"{name:22} does not match {datei} ({original.count(alt)} places)", flush=True)
        continue
    with open(pfad, "w", encoding="utf-8") as f:
        f.write(original.replace(alt, neu))
    def versuchen(ziel, auswahl, umgebung):
        if laufen(["cmake", "--build", ziel], env=umgebung):
            return "caught (build)"
        if laufen(["ctest", "--test-dir", ziel, "-j2", "--stop-on-failure"] + auswahl, env=umgebung):
            return "caught"
        return "ESCAPED"
    try:
        desktop = (bau, ["-R", tests] if tests else ohne_x, env)
        browser = (web_bau, ["-R", tests] if tests else [], web_env)
        if beide(datei):
            d, b = versuchen(*desktop), versuchen(*browser)
            ergebnis = f"desktop {d}, browser {b}" if d != "ESCAPED" or b != "ESCAPED" else "ESCAPED"
            if d != "ESCAPED" or b != "ESCAPED":
                ergebnis = "caught: " + ergebnis
        else:
            ergebnis = versuchen(*(browser if datei.startswith("web/") else desktop))
    finally:
        with open(pfad, "w", encoding="utf-8") as f:
            f.write(original)
    if ergebnis.startswith("caught"):
        gefangen += 1
    else:
        entkommen.append(name)
    print(f"{name:22} {ergebnis}", flush=True)
laufen(["cmake", "--build", bau])
if os.path.isdir(web_bau):
    laufen(["cmake", "--build", web_bau], env=web_env)

gezaehlt = len(faelle) - len(passt_nicht)
print(f"{gefangen} of {gezaehlt} faults caught")
if entkommen:
    print("escaped: " + ", ".join(entkommen))
if passt_nicht:
    print("no longer matching: " + ", ".join(passt_nicht))
sys.exit(1 if entkommen or passt_nicht else 0)
