// The lab notebook, as on the desktop: the core's object (darstellung/protokollzeilen) holds the
// rows and their rules; here the dialog "Versuchsprotokoll" (Ctrl+L, the charts' menu) that shows
// them, the comparison on the pages, and the tab's session that keeps them across a reload.
import { fragen } from './frage.js';
import { sitzung_lesen, sitzung_merken } from './sitzung.js';

const schluessel = 'regler.protokoll';
const uhr_schluessel = 'regler.uhr';
let umgebung = null; // { kern, seite(n), seiten(), gehen(n), melden(text) }
let protokoll = null; // the core's notebook
let worte = null; // the notebook window's words, from the core
let uhr = Date.now(); // the program's clock, kept for the tab's session
let dialog = null;
let gewaehlt = []; // the chosen rows' numbers
let anker = null; // the row Shift chooses from
let zuletzt = null; // the row last clicked or reached by the arrow keys
let beruehrt = false; // the last click came from a finger: a tap adds or removes its row
// The one row chosen, or null where none or several are.
const einzeln = () => (gewaehlt.length === 1 ? gewaehlt[0] : null);
let sortierung = { spalte: 0, auf: true };

// Kept for the tab's session; where the browser refuses, the page says so.
function merken() {
    const ok = sitzung_merken(schluessel, { csv: protokoll.csv('.'), ungesichert: protokoll.ungesichert() });
    if (!ok) umgebung.melden(umgebung.kern.meldung_sitzung());
}

export function protokoll_einrichten(u) {
    umgebung = u;
    uhr = sitzung_lesen(uhr_schluessel, null) ?? Date.now();
    sitzung_merken(uhr_schluessel, uhr);
}

// The core is there: the notebook as the tab's session left it.
export function protokoll_kern(kern) {
    umgebung.kern = kern;
    protokoll = new kern.Protokoll();
    worte = kern.protokollworte();
    const gemerkt = sitzung_lesen(schluessel, null);
    if (gemerkt?.csv && !protokoll.laden(gemerkt.csv, false)) protokoll.ungesichert_setzen(gemerkt.ungesichert | 0);
}

// The rows, in the order they were made: [{ nummer, sekunde, seite, werte, k }].
export const protokoll_zeilen = () => protokoll?.zeilen() ?? [];
export const protokoll_ungesichert = () => protokoll?.ungesichert() ?? 0;
export const hat_zeilen_von = (seite) => protokoll?.hat_seite(seite) ?? false;

// "beenden": the notebook ends with the program.
export function protokoll_leeren() {
    protokoll?.leeren();
    gewaehlt = [];
    if (protokoll) merken();
    dialog?.close();
    uhr = Date.now();
    sitzung_merken(uhr_schluessel, uhr);
}

// A run made now on page `seite`: its run values and figures; `gestartet`: with "Start Grafik".
export function eintragen(seite, werte, k, gestartet) {
    const nicht = protokoll.eintragen(seite, werte, k, Math.floor((Date.now() - uhr) / 1000), gestartet);
    if (nicht) umgebung.melden(nicht);
    merken();
    if (dialog?.open) tabelle_fuellen();
}

export const protokoll_csv = () => protokoll.csv(umgebung.kern.komma());

function protokoll_tabelle() {
    return protokoll.tabelle(sortierung.spalte, sortierung.auf, umgebung.kern.komma());
}

// A file's text after the rows, or in their place; a file that is not one changes nothing.
// Loading ends the comparison and the choice. Why not, or ''.
export function protokoll_laden(text, anhaengen = false, datei = `${worte.datei}.csv`) {
    const fehler = protokoll.laden(text, anhaengen);
    if (fehler) return umgebung.kern.laden_fehler(datei, fehler);
    merken();
    waehlen([]);
    if (dialog?.open) tabelle_fuellen();
    return '';
}

// Rows chosen (their numbers; none: an empty list): each drawn on its page's charts as a run to
// compare with, dashed in a tone of its own, named in the legend.
export function waehlen(nummern) {
    const zeilen = nummern.map((n) => protokoll.zeile(n)).filter((z) => z);
    gewaehlt = zeilen.map((z) => z.nummer);
    if (!gewaehlt.includes(anker)) anker = gewaehlt[0] ?? null;
    for (const seite of umgebung.seiten()) {
        const laeufe = new Map([...seite.diagramme.keys()].map((name) => [name, []]));
        const anzahl = new Map([...seite.diagramme].map(([name, d]) => [name, d.zeilen]));
        for (const z of zeilen.filter((z) => z.seite === seite.nummer))
            for (const v of umgebung.kern.vergleichslaeufe(z.nummer, z.seite, z.werte, anzahl))
                laeufe.get(v.diagramm).push(v);
        for (const [name, d] of seite.diagramme) d.vergleiche_setzen(laeufe.get(name));
    }
    if (dialog?.open) auswahl_zeigen();
}

// Field texts ([[id, text]]) typed into page `nr`'s fields, and "Start Grafik".
export async function eintippen_und_starten(nr, felder) {
    await umgebung.gehen(nr);
    const seite = umgebung.seite(nr);
    for (const [id, text] of felder) if (seite.felder.has(id)) seite.felder.get(id).text = text;
    seite.knoepfe.get('start')?.click();
}

// The chosen row's values into its page's fields, and "Start Grafik".
export function wiederholen(nummer) {
    const z = protokoll.zeile(nummer);
    if (!z) return;
    const ids = umgebung.seite_daten(z.seite).laeufe.werte_felder;
    return eintippen_und_starten(
        z.seite,
        ids.map((id, i) => [id, umgebung.kern.feldtext(z.werte[i])]),
    );
}

// A tuning aid's proposal taken over: into page 2's fields, and run there.
export const vorschlag_uebernehmen = (v) => eintippen_und_starten(2, v.felder);

// Not modal: the page stays in use above it, the run compared with stays on its charts.
export function protokoll_zeigen() {
    if (!dialog) dialog_bauen();
    tabelle_fuellen();
    if (!dialog.open) dialog.show();
    umgebung.einpassen();
    dialog.querySelector('table').focus();
}

// Method 1 of the tuning aid: the chosen row, or the one at the stability limit, and the
// proposal from it, to be taken over into page 2.
async function einstellhilfe() {
    const e = protokoll.einstellhilfe(einzeln() ?? 0, umgebung.kern.komma());
    if (e.warum) return fragen(worte.einstellhilfe, e.warum, [['ok', worte.ok]]);
    const antwort = await fragen(worte.einstellhilfe, [e.grenze, '', ...e.vorschlag.zeilen].join('\n'), [
        ['uebernehmen', worte.uebernehmen],
        ['abbrechen', worte.abbrechen],
    ]);
    if (antwort === 'uebernehmen') vorschlag_uebernehmen(e.vorschlag);
}

// On paper: the table as sorted, a title with today's date, A4 across.
function drucken() {
    const datum = new Intl.DateTimeFormat('de', { day: 'numeric', month: 'long', year: 'numeric' }).format(new Date());
    let druck = document.getElementById('protokoll-druck');
    if (!druck) {
        druck = document.createElement('div');
        druck.id = 'protokoll-druck';
        document.body.append(druck);
    }
    // The core's own HTML, its texts escaped there.
    druck.innerHTML = protokoll.html(sortierung.spalte, sortierung.auf, umgebung.kern.komma(), datum);
    document.body.classList.add('protokoll-druck');
    window.addEventListener('afterprint', () => document.body.classList.remove('protokoll-druck'), { once: true });
    window.print();
}

// Saved as a download: what the notebook held is then no longer at stake.
export function speichern() {
    const blob = new Blob(['\ufeff', protokoll_csv()], { type: 'text/csv;charset=utf-8' });
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = `${worte.datei}.csv`;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
    protokoll.gesichert();
    merken();
}

// Before the notebook would be lost ("beenden"): save, discard or cancel, as on the desktop.
// Whether to go on.
export async function vor_dem_ende() {
    const n = protokoll_ungesichert();
    if (!n) return true;
    const antwort = await fragen(worte.titel, umgebung.kern.frage_beim_beenden(n), [
        ['speichern', worte.speichern],
        ['verwerfen', worte.verwerfen],
        ['abbrechen', worte.abbrechen],
    ]);
    if (antwort === 'speichern') speichern();
    return antwort !== 'abbrechen';
}

async function datei_laden(f) {
    const melden = (t) => (dialog.querySelector('.protokoll-meldung').textContent = t);
    const zu_gross = umgebung.kern.dateigroesse_pruefen(f.size);
    if (zu_gross) return melden(umgebung.kern.laden_fehler(f.name, zu_gross));
    let anhaengen = false;
    if (protokoll.anzahl()) {
        const antwort = await fragen(worte.laden, umgebung.kern.frage_beim_laden(protokoll.anzahl()), [
            ['anhaengen', worte.anhaengen],
            ['ersetzen', worte.ersetzen],
            ['abbrechen', worte.abbrechen],
        ]);
        if (antwort === 'abbrechen') return;
        anhaengen = antwort === 'anhaengen';
    }
    melden(protokoll_laden(await f.text(), anhaengen, f.name));
}

function dialog_bauen() {
    dialog = document.createElement('dialog');
    dialog.className = 'protokoll';
    dialog.setAttribute('aria-labelledby', 'protokoll-titel');
    dialog.innerHTML = `<h2 id="protokoll-titel">${worte.titel}</h2>
<div class="protokoll-tabelle"><table tabindex="0" aria-labelledby="protokoll-titel">
<thead><tr></tr></thead><tbody></tbody></table></div>
<div class="protokoll-knoepfe">
<button type="button" data-tat="wiederholen" disabled>${worte.knopf_wiederholen}</button>
<button type="button" data-tat="einstellhilfe">${worte.knopf_einstellhilfe}</button><span></span>
<button type="button" data-tat="speichern">${worte.knopf_speichern}</button>
<button type="button" data-tat="laden">${worte.knopf_laden}</button>
<button type="button" data-tat="drucken">${worte.knopf_drucken}</button>
<button type="button" data-tat="schliessen">${worte.schliessen}</button>
<input type="file" accept=".csv,text/csv" hidden></div>
<p class="protokoll-meldung" role="status"></p>`;
    document.body.append(dialog);
    const datei = dialog.querySelector('input[type=file]');
    dialog.querySelector('.protokoll-knoepfe').addEventListener('click', (ev) => {
        const tat = ev.target.dataset?.tat;
        if (tat === 'wiederholen') wiederholen(einzeln());
        else if (tat === 'einstellhilfe') einstellhilfe();
        else if (tat === 'drucken') drucken();
        else if (tat === 'speichern') speichern();
        else if (tat === 'laden') datei.click();
        else if (tat === 'schliessen') dialog.close();
    });
    datei.addEventListener('change', () => {
        const f = datei.files?.[0];
        datei.value = '';
        if (f) datei_laden(f);
    });
    const kopf = dialog.querySelector('thead tr');
    protokoll_tabelle().kopf.forEach((zeilen, s) => {
        const th = document.createElement('th');
        th.scope = 'col';
        const b = document.createElement('button');
        b.type = 'button';
        b.textContent = zeilen.join('\n');
        b.addEventListener('click', () => {
            sortierung = { spalte: s, auf: sortierung.spalte === s ? !sortierung.auf : true };
            tabelle_fuellen();
        });
        th.append(b);
        kopf.append(th);
    });
    const koerper = dialog.querySelector('tbody');
    // As a table on the desktop chooses: a click one row, Ctrl another besides, Shift the rows
    // from the last one clicked; a finger, having no keys, adds or removes the row it taps.
    const nummern = () => [...koerper.rows].map((r) => Number(r.dataset.nummer));
    const klicken = (nummer, dazu, bis) => {
        const folge = nummern();
        zuletzt = nummer;
        if (bis && anker != null) {
            const [a, b] = [folge.indexOf(anker), folge.indexOf(nummer)].sort((x, y) => x - y);
            return waehlen(folge.slice(Math.max(a, 0), b + 1));
        }
        anker = nummer;
        if (!dazu) return waehlen([nummer]);
        const an = gewaehlt.includes(nummer) ? gewaehlt.filter((n) => n !== nummer) : [...gewaehlt, nummer];
        waehlen(folge.filter((n) => an.includes(n))); // in the table's order, as the desktop's
    };
    koerper.addEventListener('pointerdown', (ev) => (beruehrt = ev.pointerType === 'touch'));
    koerper.addEventListener('click', (ev) => {
        const tr = ev.target.closest('tr');
        if (tr) klicken(Number(tr.dataset.nummer), ev.ctrlKey || ev.metaKey || beruehrt, ev.shiftKey);
    });
    dialog.querySelector('table').addEventListener('keydown', (ev) => {
        if (ev.key !== 'ArrowDown' && ev.key !== 'ArrowUp') return;
        ev.preventDefault();
        const folge = nummern();
        const i = folge.indexOf(gewaehlt.includes(zuletzt) ? zuletzt : (gewaehlt.at(-1) ?? null));
        const ziel = folge[Math.max(0, Math.min(folge.length - 1, i + (ev.key === 'ArrowDown' ? 1 : -1)))];
        if (ziel != null) klicken(ziel, false, ev.shiftKey);
    });
    // Escape closes it, as a dialog; closed, it lets go of the run it compared with and gives
    // the page its room back.
    dialog.addEventListener('keydown', (ev) => {
        if (ev.key === 'Escape') dialog.close();
    });
    dialog.addEventListener('close', () => {
        waehlen([]);
        umgebung.einpassen();
    });
}

function tabelle_fuellen() {
    const t = protokoll_tabelle();
    const { spalte, auf } = sortierung;
    dialog.querySelectorAll('thead th').forEach((th, s) => {
        th.hidden = t.verborgen[s] === 1;
        th.setAttribute('aria-sort', s === spalte ? (auf ? 'ascending' : 'descending') : 'none');
    });
    dialog.querySelector('tbody').replaceChildren(
        ...t.zeilen.map(({ nummer, texte }) => {
            const tr = document.createElement('tr');
            tr.dataset.nummer = nummer;
            texte.forEach((text, s) => {
                const td = document.createElement('td');
                td.textContent = text;
                td.hidden = t.verborgen[s] === 1;
                tr.append(td);
            });
            return tr;
        }),
    );
    auswahl_zeigen();
}

function auswahl_zeigen() {
    for (const tr of dialog.querySelectorAll('tbody tr'))
        tr.setAttribute('aria-selected', String(gewaehlt.includes(Number(tr.dataset.nummer))));
    dialog.querySelector('[data-tat=wiederholen]').disabled = einzeln() == null;
}
