// What the Chromium test and the engine checks hold the browser to: what the desktop shows
// (regler-json's geometrie.json and ansicht.json). The functions named "im_browser" run in the
// page; `auswerten(f, ...args)` evaluates one there.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const lesen = (datei) => JSON.parse(readFileSync(join(process.env.REGLER_QUELLE, datei), 'utf8'));
export const geometrie = lesen('geometrie.json');
export const ansicht = lesen('ansicht.json');

// Page `n`'s named elements: where they stand in the page, and whether a one-line label is cut
// at its box's edge or kerned.
function lage_im_browser(n) {
    const wurzel = document.getElementById(`seite-${n}`).getBoundingClientRect();
    // A one-line label beside the same text set without kerning, as the desktop sets it.
    const ohne = document.body.appendChild(document.createElement('span'));
    ohne.style.cssText = 'position: absolute; white-space: pre; font-kerning: none';
    const unterschnitten = (e) => {
        const s = getComputedStyle(e);
        Object.assign(ohne.style, { fontFamily: s.fontFamily, fontSize: s.fontSize, fontWeight: s.fontWeight });
        ohne.textContent = e.textContent;
        const r = document.createRange();
        r.selectNodeContents(e);
        const massstab = e.getBoundingClientRect().width / e.offsetWidth;
        return Math.abs(r.getBoundingClientRect().width / massstab - ohne.getBoundingClientRect().width) > 0.5;
    };
    const stand = [...document.querySelectorAll(`#seite-${n} [data-name]`)].map((e) => {
        const r = e.getBoundingClientRect();
        const einzeilig = e.matches('.schlicht, .fuehrung');
        return {
            name: e.dataset.name,
            in: e.dataset.in ?? null,
            r: [r.left - wurzel.left, r.top - wurzel.top, r.width, r.height],
            abgeschnitten: einzeilig && e.scrollWidth > e.clientWidth,
            unterschnitten: einzeilig && unterschnitten(e),
        };
    });
    ohne.remove();
    return stand;
}

// Where page `nummer`'s elements stray from the desktop's: boxes beyond 2 px, one-line labels cut
// at their box's edge or kerned. (A label's lines are the desktop's, as regler-json writes them.)
export async function lage_vergleichen(nummer, auswerten) {
    const web_stand = await auswerten(lage_im_browser, nummer);
    const abweichungen = [];
    for (const w of geometrie.seiten[nummer - 1].widgets) {
        const web = web_stand.find((x) => x.name === w.name && x.in === w.in);
        if (!web) {
            abweichungen.push(`${nummer} ${w.name}: missing`);
            continue;
        }
        if (w.r.some((v, i) => Math.abs(v - web.r[i]) > 2))
            abweichungen.push(`${nummer} ${w.name}: desktop ${w.r.join(',')}, web ${web.r.map(Math.round).join(',')}`);
        if (web.abgeschnitten) abweichungen.push(`${nummer} ${w.name}: cut`);
        if (web.unterschnitten) abweichungen.push(`${nummer} ${w.name}: kerned`);
    }
    return abweichungen;
}

// Where a chart of ansicht.json's case `fall` shows otherwise than the desktop's: its display
// list, its group's read-out, its description (the browser's menu has one entry more, the run's
// link) or its data; or where the lab notebook does, but for the clock's seconds.
export async function ansicht_vergleichen(fall, auswerten) {
    const [web, protokoll] = await auswerten(
        (n, l) => [l.map((name) => window.regler.ansicht(n, name)), window.regler.protokoll_csv()],
        fall.seite,
        fall.diagramme.map((d) => d.name),
    );
    const ohne_zeit = (csv) => csv.split('\r\n').map((z) => z.split(';').toSpliced(1, 1).join(';'));
    const abweichungen = [];
    if (JSON.stringify(ohne_zeit(protokoll)) !== JSON.stringify(ohne_zeit(fall.protokoll)))
        abweichungen.push(`protokoll: ${protokoll}`);
    fall.diagramme.forEach((desktop, i) => {
        const w = web[i];
        w.beschreibung = w.beschreibung.replace('Link zu diesem Lauf kopieren, ', '');
        for (const feld of ['liste', 'ablesung', 'beschreibung', 'csv'])
            if (JSON.stringify(w[feld]) !== JSON.stringify(desktop[feld]))
                abweichungen.push(`${desktop.name}.${feld}: ${JSON.stringify(w[feld])}`);
    });
    return abweichungen;
}
