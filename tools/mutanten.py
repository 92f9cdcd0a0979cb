#!/usr/bin/env python3
"""How many faults does the test suite catch? Two kinds:

The planted faults below, each an exact text replacement in one file. For each, a scratch copy of
the tree gets the fault, is rebuilt incrementally and tested; a fault is caught when a test fails
(or the build does). At the end: "N of M faults caught". A replacement that no longer matches its
file is reported as such. Faults in web/ are built into the browser version (a WebAssembly build
of the copy beside the desktop one) and caught by the browser's tests; faults in darstellung/, the
library both faces share, are tried on both, and the line says which face caught them. Not part
of CI: it takes about half an hour.

    python3 tools/mutanten.py            all planted faults (sh tools/mutanten.sh does the same)
    python3 tools/mutanten.py NAME...    only these

Faults made by rule (tools/mutanten_regeln.py says which rules) over the C++ of sim/, darstellung/,
shell/, pages/, app/ and tools/ and the JavaScript of web/src/: a sample of N per folder, chosen
by a seed, or all of them. Each is built and tested as a planted one; one the compiler refuses
is "invalid" and left out of the score; one whose tests run longer than three times the
unchanged suite's (a minute at least), and once more twice as long, is caught (it hangs). Faults
in web/ and in tools/regler-json/ (whose pages only the browser shows) are tried on the browser,
faults in darstellung/, shell/ and pages/ on the desktop and, where that misses them, on the
browser (the same core; its pages written from the desktop's); the browser's formatting and lint
checks are left out for these. A fault in app/, shell/ or pages/ the desktop's suite misses is
tried in the X tests, which the runs otherwise leave out for time, before the browser.
Faults listed in tools/mutanten-aequivalent.txt (an id and why it changes nothing a user could
see) are not run again but counted apart. At the end, one line per folder ("sim/: 13 of 15
caught, 1 equivalent") and every fault that escaped.

    python3 tools/mutanten.py --seed 7 --je-ordner 15    a sample
    python3 tools/mutanten.py --alle                     every fault (days)
    add --ordner sim web/src (and so on) for only these folders
    python3 tools/mutanten.py --id ID...                 these faults again
    add --liste to list the faults without running them

MUTANTEN_DIR (default /tmp/regler-mutanten) holds the copy and its builds."""
import argparse
import fcntl
import filecmp
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mutanten_regeln  # noqa: E402

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
kurve-ohne-ende     ¦ darstellung/schaubild.cpp ¦ for (size_t i = 0; i < werte.size(); ++i)\n            if (std::isfinite(werte[i])) ¦ for (size_t i = 0; i + 1 < werte.size(); ++i)\n            if (std::isfinite(werte[i]))
marken-elidiert     ¦ darstellung/achsen.cpp ¦ int(achsenhoehe / (markenhoehe + 2 * 4 + 1)) ¦ int(achsenhoehe / markenhoehe)
zeitachsen-versetzt ¦ darstellung/achsen.cpp ¦ links = std::max(links, l); ¦ links = std::min(links, l);
legende-im-plot     ¦ darstellung/schaubild.cpp ¦ {p.x + l.k.legende_x + 0.5 * m, l.k.legende_y + 0.5 * m, ¦ {p.x + l.k.legende_x + 0.5 * m, p.y + 0.5 * m,
veraltetes-bild     ¦ shell/diagrammfeld.cpp ¦ if (m_bildstand != m_kern.bildstand() || m_bild.size() != groesse) { ¦ if (m_bild.size() != groesse) {
kopf-ohne-klick     ¦ shell/protokoll.cpp    ¦ kopf->setSectionsClickable(true); ¦ (nichts)
protokoll-daneben   ¦ shell/protokoll.cpp    ¦ m_platziert = true;\n    auf_den_bildschirm(this, pos()); ¦ m_platziert = true;
kopf-unter-pfeil    ¦ shell/protokoll.cpp    ¦ m_tabelle->setHorizontalHeader(kopf); ¦ (nichts)
gruppe-rechts-frei  ¦ darstellung/zeitgruppe.cpp ¦ m_mitglieder[i]->angleichen(extra[i].first, extra[i].second); ¦ m_mitglieder[i]->angleichen(extra[i].first, 0);
kein-zeiger-tasten  ¦ darstellung/schaubild.cpp ¦ return {z ? std::min(m_art.zeilen, z + schritt) : 1}; ¦ return {z ? z : 1};
pfeilspitze         ¦ darstellung/elemente.cpp ¦ constexpr int l = 120; ¦ constexpr int l = 105;
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
png-bildschirm      ¦ shell/diagramm_ausgabe.cpp ¦ const QImage bild = abbild(); ¦ const QImage bild = grab().toImage();
menue-zeiger-bleibt ¦ shell/diagramm_ausgabe.cpp ¦ zeiger_weg();\n    if (!m_menue) ¦ if (!m_menue)
zugang-ereignis     ¦ shell/diagramm_ausgabe.cpp ¦ QAccessibleEvent beschreibung(this, QAccessible::DescriptionChanged); ¦ QAccessibleEvent beschreibung(this, QAccessible::NameChanged); ¦ zugang
zugang-name         ¦ shell/diagramm_ausgabe.cpp ¦ if (t == QAccessible::Description && !diagramm()->ansage().isEmpty()) ¦ if ((t == QAccessible::Description || t == QAccessible::Name) && !diagramm()->ansage().isEmpty())
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
vergleich-ersetzt   ¦ darstellung/schaubild.cpp ¦ m_gelaufen = true;\n    m_inhalt_veraltet = true;\n} ¦ m_gewaehlt.clear();\n    m_gelaufen = true;\n    m_inhalt_veraltet = true;\n}
csv-trenner         ¦ darstellung/tabellen.cpp ¦ const char trenner = dezimalkomma ? ';' : ','; ¦ const char trenner = ',';
web-felder-eigen    ¦ web/src/zahlenfeld.js  ¦ this.machen(this.kern.feld_taste(this.seite, this.id, this.text, a, b, c.codePointAt(0))); ¦ this.eingabe.setRangeText(c, a, b, 'end');
web-einfuegen-roh   ¦ web/src/zahlenfeld.js  ¦ this.machen(this.kern.feld_einfuegen(this.seite, this.id, this.text, a, b, text)); ¦ this.eingabe.setRangeText(text, a, b, 'end');
web-mehrere         ¦ web/src/protokoll.js   ¦ ev.ctrlKey || ev.metaKey || beruehrt ¦ ev.metaKey || beruehrt
web-tabfolge        ¦ web/src/seitenbau.js   ¦ ev.preventDefault();\n        naechstes.focus(); ¦ naechstes.focus();
web-link-getippt    ¦ web/src/seitenlogik.js ¦ for (const [n, t] of lauf_texte) q.append(n, t); ¦ for (const [n, f] of seite.felder) q.append(n, f.text);
web-link-ohne-grenze ¦ web/src/seitenlogik.js ¦ feld.einfuegen_begrenzt(q.get(n));\n                feld.obergrenze_pruefen(); ¦ feld.text = q.get(n);
web-linie-mitte     ¦ web/src/seitenbau.js   ¦ const m = l.breite % 2 ? 0.5 : 0; ¦ const m = 0.5;
web-form-aussen     ¦ web/src/seitenbau.js   ¦ const innen = { x: x + rb / 2, y: y + rb / 2, w: w - rb, h: h - rb }; ¦ const innen = { x, y, w, h };
web-kern-spalten    ¦ web/kern.cpp           ¦ {z.x1, z.w2, z.x2, z.y, z.summe, z.y_roh} ¦ {z.x1, z.x2, z.w2, z.y, z.summe, z.y_roh}
qt-option-mit-wert  ¦ app/aufruf.cpp         ¦ if (mit_wert.contains(name) && k + 1 < argumente.size()) { ¦ if (false) { ¦ aufruf
kopf-links-vom-plot ¦ darstellung/diagramm.cpp ¦ k.legende_x = std::max(0.0, breite - k.legende_breite); ¦ k.legende_x = breite - k.legende_breite;
vorher-ist-letzter  ¦ darstellung/schaubild.cpp ¦ m_vorher = vergleichslauf{std::move(m_letzte), ¦ m_vorher = vergleichslauf{m_zellen,
vorher-immer        ¦ darstellung/schaubild.cpp ¦ if (v.empty() && m_vorher && m_schalter.vorher) ¦ if (v.empty() && m_vorher)
kopf-ohne-platz     ¦ darstellung/schaubild.cpp ¦ const double oben = std::max(std::ceil(l.k.hoehe), std::ceil(rand + zh / 2)); ¦ const double oben = std::max(20 * m, std::ceil(rand + zh / 2));
kennwerte-spalte    ¦ pages/seite_2.cpp      ¦ .kennwerte_ist = 2, ¦ .kennwerte_ist = 1,
papier-diagramme    ¦ shell/diagrammfeld.cpp ¦ if (const QPaintEngine* m = p.paintEngine(); m && m->type() != QPaintEngine::Raster) { ¦ if (false) { ¦ aufruf
kennwerte-band      ¦ sim/kennwerte.cpp      ¦ if (std::abs(wert(n) - w) <= band_k) { ¦ if (std::abs(wert(n) - w) < band_k) {
pdf-hochkant        ¦ shell/drucken.cpp      ¦ seite.width() > seite.height() ? QPageLayout::Landscape ¦ seite.width() < seite.height() ? QPageLayout::Landscape
seite-fuenf         ¦ app/aufruf.cpp         ¦ return n >= 1 && n <= shell::Navigator::seitenzahl ? n : 0; ¦ return n >= 1 && n <= 5 ? n : 0;
menue-auf-knopf     ¦ shell/seite.cpp        ¦ if (qobject_cast<QAbstractButton*>(w) || ¦ if (
ende-ohne-frage     ¦ shell/seite.cpp        ¦ if (n == 0) return true; ¦ return true;
laden-vergleich-bleibt ¦ shell/protokoll.cpp  ¦ connect(&protokoll, &QAbstractItemModel::modelReset, this, &Protokollfenster::gewaehlt_zeigen); ¦ (nichts)
mehrere-zeilen      ¦ shell/protokoll.cpp    ¦ setSelectionMode(QAbstractItemView::ExtendedSelection) ¦ setSelectionMode(QAbstractItemView::SingleSelection)
nummer-nach-letzter ¦ darstellung/protokollzeilen.cpp ¦ n = std::max(n, z.nummer); ¦ n = z.nummer;
werte-ungeprueft    ¦ darstellung/protokollzeilen.cpp ¦ if (!wert_zulaessig(p, *v)) ¦ if (false)
kennwerte-aus-datei ¦ darstellung/protokollzeilen.cpp ¦ z.k = protokoll_kennwerte(z.seite, z.werte); ¦ (nichts)
anhaengen-ohne-nummer ¦ darstellung/protokollzeilen.cpp ¦ z.nummer = n++; ¦ ++n;
kein-sprung         ¦ sim/kennwerte.cpp      ¦ if (n == 0 || !(w > x[0])) return k; ¦ if (n == 0) return k;
marke-am-rand       ¦ darstellung/schaubild.cpp ¦ const double xm = p.rechts() - 10 * m; ¦ const double xm = p.rechts();
linien-ohne-zoom    ¦ darstellung/schaubild.cpp ¦ kurve(m_zellen[s], z.stil({.f = reihenfarbe(int(s)), .breite = 1.5 * m})); ¦ kurve(m_zellen[s], z.stil({.f = reihenfarbe(int(s)), .breite = 1.5}));
vergleich-ein-ton   ¦ darstellung/diagramm.cpp ¦ if (lauf == 0) return vorher_farbe(reihenfarbe(spalte)); ¦ return vorher_farbe(reihenfarbe(spalte));
tangente-immer      ¦ darstellung/schaubild.cpp ¦ m_art.tangente && m_schalter.kennwerte) ¦ m_art.tangente)
fokus-durch-legende ¦ darstellung/zeitgruppe.cpp ¦ m_mitglieder[i]->fokus_unten_setzen(unten); ¦ m_mitglieder[i]->fokus_unten_setzen(-1);
allein-ohne-ablesung ¦ shell/diagrammfeld.cpp ¦ m_gruppe->kern.aufnehmen(&m_kern);\n    m_gruppe->felder.push_back(this); ¦ m_gruppe->felder.push_back(this);
schrift-gerundet    ¦ darstellung/schrift.cpp ¦ summe += (long long)einheiten(tabelle, naechstes(text)) * px * 64 / schriftdaten::einheiten; ¦ summe += std::llround(double(einheiten(tabelle, naechstes(text))) * px * 64 / schriftdaten::einheiten);
dialog-ohne-symbole ¦ shell/dateien.cpp      ¦ return QFileIconProvider::icon(info.isDir() ? Folder : File); ¦ return QIcon();
rundung-gerade      ¦ darstellung/zahltext.cpp ¦ const bool auf = t[ende] >= '5'; ¦ const bool auf = t[ende] > '5';
eingabemethode-frei ¦ shell/zahlenfeld.cpp   ¦     e->accept();\n    for (const char32_t c : e->commitString().toUcs4()) ¦     QLineEdit::inputMethodEvent(e);\n    for (const char32_t c : QString().toUcs4())
zahl-nach-locale    ¦ darstellung/zahltext.cpp ¦ std::string zahl_c(double v, char art, int stellen) {\n    char puffer[400];\n#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L ¦ std::string zahl_c(double v, char art, int stellen) {\n    char puffer[400];\n#if 0
"""

def lesen():
    faelle = []
    for zeile in FEHLER.strip("\n").split("\n"):
        teile = [t.strip() for t in zeile.split(" ¦ ")] + [""]
        name, datei, alt, neu, tests = teile[:5]
        neu = "" if neu == "(nichts)" else neu
        faelle.append((name, datei, alt.replace("\\n", "\n"), neu.replace("\\n", "\n"), tests))
    return faelle


def nachfahren(pid):
    """Every process below pid (Chromium leaves the process group its test started it in)."""
    kinder = {}
    for p in os.listdir("/proc"):
        try:
            with open(f"/proc/{p}/stat") as f:
                ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            kinder.setdefault(ppid, []).append(int(p))
        except (OSError, ValueError, IndexError):
            pass
    aus, offen = [], [pid]
    while offen:
        for k in kinder.get(offen.pop(), []):
            aus.append(k)
            offen.append(k)
    return aus


def laufen(befehl, frist=None, **kw):
    """The command's exit status; None where it ran longer than frist seconds (it and all it
    started are then ended)."""
    p = subprocess.Popen(befehl, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True, **kw)
    try:
        return p.wait(timeout=frist)
    except subprocess.TimeoutExpired:
        for pid in [p.pid] + nachfahren(p.pid):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        p.wait()
        return None


def abgleichen(quelle, kopie):
    """The copy made equal to the tree. Only files that differ are written, with new times, so
    that the builds of a copy before see every changed file and rebuild no other."""
    weg = shutil.ignore_patterns(".git", "build*", "node_modules")
    for pfad, dirs, dateien in os.walk(quelle):
        rel = os.path.relpath(pfad, quelle)
        dirs[:] = [d for d in dirs if d not in weg(pfad, dirs)]
        ziel = os.path.join(kopie, rel)
        os.makedirs(ziel, exist_ok=True)
        for name in set(dateien) - weg(pfad, dateien):
            von, nach = os.path.join(pfad, name), os.path.join(ziel, name)
            if not os.path.isfile(nach) or not filecmp.cmp(von, nach, shallow=False):
                shutil.copy(von, nach)
    for pfad, dirs, dateien in os.walk(kopie, topdown=False):
        rel = os.path.relpath(pfad, kopie)
        if not os.path.isdir(os.path.join(quelle, rel)):
            shutil.rmtree(pfad)
            continue
        for name in dateien:
            if not os.path.exists(os.path.join(quelle, rel, name)):
                os.remove(os.path.join(pfad, name))


def dauer(s):
    s = int(s)
    return f"{s // 3600} h {s % 3600 // 60} min" if s >= 3600 else f"{s // 60} min {s % 60} s"


quelle = os.getcwd()
arbeit = os.environ.get("MUTANTEN_DIR", "/tmp/regler-mutanten")
kopie, bau = os.path.join(arbeit, "src"), os.path.join(arbeit, "build")
web_bau = os.path.join(arbeit, "build-wasm")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
web_env = dict(env, NODE_PATH="/usr/share/nodejs")  # emscripten's optimizer needs Debian's acorn
ohne_x = ["-E", "^(bildschirm|zugang|sitzung)$"]
# The browser's formatting and lint see any change to its source; they are no test of behaviour.
ohne_stil = ["-E", "^web_(format|lint)$"]
beide = lambda datei: datei.startswith("darstellung/")


class Werkstatt:
    """The scratch copy and its builds, the unchanged tree built and tested first."""

    def __init__(self):
        os.makedirs(arbeit, exist_ok=True)
        self.sperre = open(os.path.join(arbeit, "sperre"), "w")
        try:  # two runs in one scratch copy would plant faults in each other's tree
            fcntl.flock(self.sperre, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except OSError:
            sys.exit(f"mutanten: another run is using {arbeit}")
        abgleichen(quelle, kopie)
        if laufen(["cmake", "-S", kopie, "-B", bau, "-G", "Ninja",
                   "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DREGLER_BENCH=OFF"]) or \
                laufen(["cmake", "--build", bau]):
            sys.exit("mutanten: the unchanged tree does not build")
        start = time.monotonic()
        if laufen(["ctest", "--test-dir", bau, "-j2"] + ohne_x, env=env):
            sys.exit("mutanten: the unchanged tree fails its tests")
        self.dauer = {bau: time.monotonic() - start}

    def web(self):
        """The browser version of the copy: its pages from the copy's desktop build, its tests
        against the copy's regler-sim."""
        if web_bau in self.dauer:
            return
        start = time.monotonic()
        if laufen(["emcmake", "cmake", "-S", kopie, "-B", web_bau, "-G", "Ninja",
                   "-DCMAKE_BUILD_TYPE=Release", "-DREGLER_GUI=OFF", "-DREGLER_BENCH=OFF",
                   f"-DREGLER_NORMALBAU={bau}"], env=web_env) or \
                laufen(["cmake", "--build", web_bau], env=web_env):
            sys.exit("mutanten: the unchanged browser version does not build")
        start = time.monotonic()
        if laufen(["ctest", "--test-dir", web_bau], env=web_env):
            sys.exit("mutanten: the unchanged browser version fails its tests")
        self.dauer[web_bau] = time.monotonic() - start

    def versuchen(self, ziel, auswahl, umgebung, erzeugt=False, uebersetzen=None):
        """A fault's verdict. uebersetzen: the part of the build that compiles, where the rest
        also runs what was built (the browser's build runs regler-json): a fault made by rule is
        invalid only where the compiler refuses it."""
        if erzeugt and uebersetzen and laufen(uebersetzen, env=umgebung):
            return "invalid"
        if laufen(["cmake", "--build", ziel], env=umgebung):
            return "invalid" if erzeugt and not uebersetzen else "caught (build)"
        befehl = ["ctest", "--test-dir", ziel, "-j2", "--stop-on-failure"] + auswahl
        if not erzeugt:
            return "caught" if laufen(befehl, env=umgebung) else "ESCAPED"
        # A run that outlasts its time is given twice as long once more before it counts as a
        # hang: other work on the machine slows a run down, a hang stays one.
        status = laufen(befehl, self.frist(ziel), env=umgebung)
        if status is None:
            status = laufen(befehl, 2 * self.frist(ziel), env=umgebung)
        if status is None:
            return "caught (hang)"
        return "caught" if status else "ESCAPED"

    def frist(self, ziel):
        return max(60, 3 * self.dauer[ziel])

    def mit_fehler(self, datei, neu, versuch):
        """versuch() with the file's text replaced by neu in the copy."""
        pfad = os.path.join(kopie, datei)
        with open(pfad, encoding="utf-8") as f:
            original = f.read()
        try:
            with open(pfad, "w", encoding="utf-8") as f:
                f.write(neu(original))
            return versuch()
        finally:
            with open(pfad, "w", encoding="utf-8") as f:
                f.write(original)

    def aufraeumen(self):
        laufen(["cmake", "--build", bau])
        if os.path.isdir(web_bau):
            laufen(["cmake", "--build", web_bau], env=web_env)


def gepflanzte(namen):
    werkstatt = Werkstatt()
    faelle = [f for f in lesen() if not namen or f[0] in namen]
    if any(f[1].startswith("web/") or beide(f[1]) for f in faelle):
        werkstatt.web()
    gefangen, passt_nicht, entkommen = 0, [], []
    for name, datei, alt, neu, tests in faelle:
        with open(os.path.join(kopie, datei), encoding="utf-8") as f:
            original = f.read()
        if original.count(alt) != 1:
            passt_nicht.append(name)
            print(f"{name:22} does not match {datei} ({original.count(alt)} places)", flush=True)
            continue

        def versuch():
            desktop = (bau, ["-R", tests] if tests else ohne_x, env)
            browser = (web_bau, ["-R", tests] if tests else [], web_env)
            if beide(datei):
                d, b = werkstatt.versuchen(*desktop), werkstatt.versuchen(*browser)
                if d == "ESCAPED" and b == "ESCAPED":
                    return "ESCAPED"
                return f"caught: desktop {d}, browser {b}"
            return werkstatt.versuchen(*(browser if datei.startswith("web/") else desktop))

        ergebnis = werkstatt.mit_fehler(datei, lambda t: t.replace(alt, neu), versuch)
        if ergebnis.startswith("caught"):
            gefangen += 1
        else:
            entkommen.append(name)
        print(f"{name:22} {ergebnis}", flush=True)
    werkstatt.aufraeumen()

    gezaehlt = len(faelle) - len(passt_nicht)
    print(f"{gefangen} of {gezaehlt} faults caught")
    if entkommen:
        print("escaped: " + ", ".join(entkommen))
    if passt_nicht:
        print("no longer matching: " + ", ".join(passt_nicht))
    return 1 if entkommen or passt_nicht else 0


def erzeugte(a):
    mutanten = mutanten_regeln.alle_mutanten(quelle)
    liste_pfad = os.path.join(quelle, "tools", "mutanten-aequivalent.txt")
    gleich = mutanten_regeln.aequivalente(liste_pfad)
    if veraltet := sorted(set(gleich) - set(mutanten)):
        print(f"{liste_pfad}: {len(veraltet)} ids match no fault any more: {' '.join(veraltet)}")
    if a.id:
        if fremd := [i for i in a.id if i not in mutanten]:
            sys.exit(f"mutanten: no fault has the id {' '.join(fremd)}")
        auswahl = [mutanten[i] for i in a.id]
        wie = "the faults named"
    else:
        auswahl = mutanten_regeln.stichprobe(mutanten, a.seed, None if a.alle else a.je_ordner,
                                             a.ordner or mutanten_regeln.ORDNER)
        wie = f"seed {a.seed}, " + ("all faults" if a.alle else f"{a.je_ordner} per folder")
    zeile = lambda m: f"{m.id}  {m.datei}:{m.zeile}  {m.beschreibung()}"
    if a.liste:
        for m in auswahl:
            print(zeile(m) + ("  (equivalent)" if m.id in gleich else ""))
        print(f"{len(auswahl)} faults ({wie}) of {len(mutanten)}")
        return 0

    start = time.monotonic()
    browser = lambda m: m.datei.startswith(("web/", "tools/regler-json/"))
    # What the desktop misses in darstellung/, shell/ and pages/ may still show in the browser:
    # it runs the same core, and regler-json writes its pages from the desktop's own.
    danach_browser = lambda m: m.datei.startswith(("darstellung/", "shell/", "pages/"))
    zu_tun = [m for m in auswahl if m.id not in gleich]
    werkstatt = Werkstatt() if zu_tun else None
    if any(browser(m) or danach_browser(m) for m in zu_tun):
        werkstatt.web()
    for ziel, name in ((bau, "desktop"), (web_bau, "browser")):
        if werkstatt and ziel in werkstatt.dauer:
            print(f"the unchanged {name} suite: {werkstatt.dauer[ziel]:.0f} s; a fault's tests "
                  f"end after {werkstatt.frist(ziel):.0f} s", flush=True)
    desktop_test = (bau, ohne_x, env, True)
    # What the desktop's quick suite misses in the windows and the program may show in the real
    # X server (a page opened by --seite, a window placed): the X tests, only then, for time.
    danach_x = lambda m: m.datei.startswith(("app/", "shell/", "pages/"))
    x_test = (bau, ["-R", "^(bildschirm|zugang|sitzung)$"], env, True)
    browser_test = (web_bau, ohne_stil, web_env, True)
    json_test = browser_test + (["cmake", "--build", bau, "--target", "regler-json"],)
    kern_test = browser_test + (["cmake", "--build", web_bau, "--target", "regler_kern"],)
    ergebnisse = []
    for n, m in enumerate(auswahl, 1):
        t0 = time.monotonic()
        if m.id in gleich:
            ergebnis = "equivalent"
        else:
            def versuch():
                # The desktop's suite checks regler-json too (where the pages' widgets stand,
                # its command line), and sooner than the browser's.
                if m.datei.startswith("tools/regler-json/"):
                    e = werkstatt.versuchen(*desktop_test)
                    if e != "ESCAPED":
                        return e
                if browser(m):
                    return werkstatt.versuchen(*(browser_test if m.datei.startswith("web/")
                                                 else json_test))
                e = werkstatt.versuchen(*desktop_test)
                if e == "ESCAPED" and danach_x(m):
                    e = werkstatt.versuchen(*x_test)
                    if e.startswith("caught"):
                        return e + " (X)"
                if e == "ESCAPED" and danach_browser(m):
                    e = werkstatt.versuchen(*kern_test)
                    return e + " (browser)" if e.startswith("caught") else e
                return e
            ersetzen = lambda t: t[:m.a] + m.neu + t[m.e:]
            ergebnis = werkstatt.mit_fehler(m.datei, ersetzen, versuch)
        ergebnisse.append((m, ergebnis))
        print(f"[{n}/{len(auswahl)}] {ergebnis:17} {time.monotonic() - t0:4.0f} s  {zeile(m)}",
              flush=True)
    if werkstatt:
        werkstatt.aufraeumen()

    gesamt = [0, 0]
    for ordner in mutanten_regeln.ORDNER:
        hier = [e for m, e in ergebnisse if m.ordner == ordner]
        if not hier:
            continue
        gefangen = sum(e.startswith("caught") for e in hier)
        gezaehlt = sum(e.startswith("caught") or e == "ESCAPED" for e in hier)
        gesamt = [gesamt[0] + gefangen, gesamt[1] + gezaehlt]
        rest = [f"{hier.count(w)} {w}" for w in ("equivalent", "invalid") if w in hier]
        print(f"{ordner}/: {gefangen} of {gezaehlt} caught" + "".join(", " + r for r in rest))
    print(f"all: {gesamt[0]} of {gesamt[1]} caught ({wie}; {len(auswahl)} faults), "
          f"{dauer(time.monotonic() - start)}")
    entkommen = [m for m, e in ergebnisse if e == "ESCAPED"]
    if entkommen:
        print(f"escaped (judge each; an equivalent one goes into {liste_pfad}):")
        for m in entkommen:
            print("  " + zeile(m))
    return 1 if entkommen else 0


def main():
    p = argparse.ArgumentParser(description="How many faults the test suite catches.")
    p.add_argument("namen", nargs="*", metavar="NAME", help="planted faults to try (all if none)")
    p.add_argument("--je-ordner", type=int, metavar="N", help="a sample of N faults per folder")
    p.add_argument("--seed", type=int, default=1, help="which sample (default 1)")
    p.add_argument("--alle", action="store_true", help="every fault made by rule")
    p.add_argument("--ordner", nargs="+", choices=mutanten_regeln.ORDNER, metavar="ORDNER",
                   help="only these folders (" + " ".join(mutanten_regeln.ORDNER) + ")")
    p.add_argument("--id", nargs="+", metavar="ID", help="these faults made by rule")
    p.add_argument("--liste", action="store_true", help="list the faults, run none")
    a = p.parse_args()
    if a.je_ordner is None and not a.alle and not a.id:
        if a.liste or a.ordner:
            p.error("--liste and --ordner are for faults made by rule: add --je-ordner N or --alle")
        return gepflanzte(a.namen)
    if a.namen:
        p.error("planted faults and faults made by rule are tried in separate runs")
    return erzeugte(a)


sys.exit(main())
