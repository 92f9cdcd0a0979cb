// The lab notebook, as on the desktop: every run of pages 2 and 3 as a row, kept for the
// browser tab's session; a dialog "Versuchsprotokoll" (Ctrl+L, the charts' menu) with a table
// sortable by any column. A row chosen there is drawn on its page as the run to compare with;
// "Lauf wiederholen" runs it again; the table is saved and read back as CSV. Texts, columns and
// the file come from the core.
import { sitzung_lesen, sitzung_merken } from './sitzung.js';
import { zahl_text } from './zahlen.js';

const schluessel = 'regler.protokoll';
let umgebung = null; // { kern, seite(n), gehen(n) }
let zeilen = [];
let uhr = performance.now();
let dialog = null;
let gewaehlt = null; // the chosen row's number
let sortierung = { spalte: 0, auf: true };

const merken = () => sitzung_merken(schluessel, zeilen);

export function protokoll_einrichten(u) {
    umgebung = u;
    uhr = performance.now();
    zeilen = sitzung_lesen(schluessel, []);
}

export function protokoll_kern(kern) {
    umgebung.kern = kern;
}

export const protokoll_zeilen = () => zeilen;

// "beenden": the notebook ends with the program.
export function protokoll_leeren() {
    zeilen = [];
    gewaehlt = null;
    merken();
    dialog?.close();
}

// A run made now on page `seite`: its run values, its figures (as kern.kennwerte gives them).
export function eintragen(seite, werte, k) {
    zeilen.push({
        nummer: zeilen.length ? zeilen[zeilen.length - 1].nummer + 1 : 1,
        sekunde: Math.floor((performance.now() - uhr) / 1000),
        seite,
        werte: [...werte],
        k,
    });
    merken();
    if (dialog?.open) tabelle_fuellen();
}

export function protokoll_csv() {
    return umgebung.kern.protokoll_csv(zeilen);
}

// A file's text: its rows replace the table; a file that is not one changes nothing. Why, or ''.
export function protokoll_laden(text) {
    const d = umgebung.kern.protokoll_lesen(text);
    if (d.fehler) return `Die Datei ist kein Versuchsprotokoll: ${d.fehler}`;
    zeilen = d.zeilen;
    merken();
    waehlen(null);
    if (dialog?.open) tabelle_fuellen();
    return '';
}

// A row chosen (its number; null: none): drawn on its page as the run to compare with.
export function waehlen(nummer) {
    gewaehlt = nummer;
    const z = zeilen.find((r) => r.nummer === nummer) ?? null;
    for (const n of [2, 3]) {
        const seite = umgebung.seite(n);
        if (!seite) continue;
        let e = null;
        if (z && z.seite === n) {
            const rows = new Map([...seite.diagramme].map(([name, d]) => [name, d.zeilen]));
            e = umgebung.kern.lauf_aus_werten(n, z.werte, rows);
        }
        for (const [name, d] of seite.diagramme) {
            if (!e || !e.benannt.includes(name)) {
                d.vergleich_loesen();
                continue;
            }
            const spalten = e.spalten.filter((s) => s.diagramm === name).map((s) => s.werte);
            d.vergleich_setzen(spalten, { art: e.art, werte: e.lauf }, `Lauf ${z.nummer}`);
        }
    }
    if (dialog?.open) auswahl_zeigen();
}

// The chosen row's values into its page's fields, and "Start Grafik".
export async function wiederholen(nummer) {
    const z = zeilen.find((r) => r.nummer === nummer);
    if (!z) return;
    await umgebung.gehen(z.seite);
    const seite = umgebung.seite(z.seite);
    seite.laeufe.werte_felder.forEach((f, i) => (seite.felder.get(f).text = zahl_text(z.werte[i])));
    seite.knoepfe.get('start')?.click();
}

export function protokoll_zeigen() {
    if (!dialog) dialog_bauen();
    tabelle_fuellen();
    if (!dialog.open) dialog.showModal();
    dialog.querySelector('table').focus();
}

function dialog_bauen() {
    dialog = document.createElement('dialog');
    dialog.className = 'protokoll';
    dialog.setAttribute('aria-labelledby', 'protokoll-titel');
    dialog.innerHTML = `<h2 id="protokoll-titel">Versuchsprotokoll</h2>
<div class="protokoll-tabelle"><table tabindex="0" aria-labelledby="protokoll-titel">
<thead><tr></tr></thead><tbody></tbody></table></div>
<div class="protokoll-knoepfe">
<button type="button" data-tat="wiederholen" disabled>Lauf wiederholen</button><span></span>
<button type="button" data-tat="speichern">Protokoll speichern …</button>
<button type="button" data-tat="laden">Protokoll laden …</button>
<button type="button" data-tat="schliessen">Schließen</button>
<input type="file" accept=".csv,text/csv" hidden></div>
<p class="protokoll-meldung" role="status"></p>`;
    document.body.append(dialog);
    const datei = dialog.querySelector('input[type=file]');
    dialog.querySelector('.protokoll-knoepfe').addEventListener('click', (ev) => {
        const tat = ev.target.dataset?.tat;
        if (tat === 'wiederholen') wiederholen(gewaehlt);
        else if (tat === 'speichern') speichern();
        else if (tat === 'laden') datei.click();
        else if (tat === 'schliessen') dialog.close();
    });
    datei.addEventListener('change', async () => {
        const f = datei.files?.[0];
        datei.value = '';
        if (!f) return;
        const fehler = f.size > 16 * 1024 * 1024 ? 'Die Datei ist zu groß.' : protokoll_laden(await f.text());
        dialog.querySelector('.protokoll-meldung').textContent = fehler;
    });
    const kopf = dialog.querySelector('thead tr');
    umgebung.kern.protokoll_spalten().forEach((name, s) => {
        const th = document.createElement('th');
        th.scope = 'col';
        const b = document.createElement('button');
        b.type = 'button';
        // The unit on a line of its own, as on the desktop.
        b.textContent = name.replace(' in ', '\n in ');
        b.addEventListener('click', () => {
            sortierung = { spalte: s, auf: sortierung.spalte === s ? !sortierung.auf : true };
            tabelle_fuellen();
        });
        th.append(b);
        kopf.append(th);
    });
    const koerper = dialog.querySelector('tbody');
    koerper.addEventListener('click', (ev) => {
        const tr = ev.target.closest('tr');
        if (tr) waehlen(Number(tr.dataset.nummer));
    });
    dialog.querySelector('table').addEventListener('keydown', (ev) => {
        if (ev.key !== 'ArrowDown' && ev.key !== 'ArrowUp') return;
        ev.preventDefault();
        const reihen = [...koerper.rows];
        const i = reihen.findIndex((r) => Number(r.dataset.nummer) === gewaehlt);
        const ziel = reihen[Math.max(0, Math.min(reihen.length - 1, i + (ev.key === 'ArrowDown' ? 1 : -1)))];
        if (ziel) waehlen(Number(ziel.dataset.nummer));
    });
    // Closed, the dialog lets go of the run it compared with.
    dialog.addEventListener('close', () => waehlen(null));
}

function speichern() {
    const blob = new Blob(['\ufeff', protokoll_csv()], { type: 'text/csv;charset=utf-8' });
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = 'versuchsprotokoll.csv';
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

function tabelle_fuellen() {
    const kern = umgebung.kern;
    const zellen = zeilen.map((z) => ({ z, ...kern.protokoll_zellen(z) }));
    const { spalte, auf } = sortierung;
    // Empty cells last, whichever way the column is sorted.
    zellen.sort((a, b) => {
        const [x, y] = [a.werte[spalte], b.werte[spalte]];
        if (Number.isNaN(x) || Number.isNaN(y)) return Number.isNaN(x) - Number.isNaN(y);
        return auf ? x - y : y - x;
    });
    const n = kern.protokoll_spalten().length;
    // A field of a page no row comes from takes no room.
    const verborgen = Array.from(
        { length: n },
        (_, s) => kern.protokoll_feldspalte(s) && zellen.every((c) => Number.isNaN(c.werte[s])),
    );
    dialog.querySelectorAll('thead th').forEach((th, s) => {
        th.hidden = verborgen[s];
        th.setAttribute('aria-sort', s === spalte ? (auf ? 'ascending' : 'descending') : 'none');
    });
    dialog.querySelector('tbody').replaceChildren(
        ...zellen.map(({ z, texte }) => {
            const tr = document.createElement('tr');
            tr.dataset.nummer = z.nummer;
            texte.forEach((t, s) => {
                const td = document.createElement('td');
                td.textContent = t;
                td.hidden = verborgen[s];
                tr.append(td);
            });
            return tr;
        }),
    );
    auswahl_zeigen();
}

function auswahl_zeigen() {
    for (const tr of dialog.querySelectorAll('tbody tr'))
        tr.setAttribute('aria-selected', String(Number(tr.dataset.nummer) === gewaehlt));
    dialog.querySelector('[data-tat=wiederholen]').disabled = gewaehlt == null;
}
