// What the Chromium test and the engine checks hold the browser to: the core's runs by
// regler-sim, bit for bit, and what the desktop shows (regler-json's geometrie.json and
// ansicht.json). The functions named "im_browser" run in the page; `auswerten(f, ...args)`
// evaluates one there.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const lesen = (datei) => JSON.parse(readFileSync(join(process.env.REGLER_QUELLE, datei), 'utf8'));
export const geometrie = lesen('geometrie.json');
export const ansicht = lesen('ansicht.json');

export function regler_sim(...argumente) {
    const csv = execFileSync(process.env.REGLER_SIM, argumente, { encoding: 'utf8' });
    const [kopf, ...zeilen] = csv.trimEnd().split('\n');
    const namen = kopf.split(',');
    const spalten = Object.fromEntries(namen.map((n) => [n, []]));
    for (const z of zeilen) z.split(',').forEach((t, i) => spalten[namen[i]].push(Number(t)));
    return spalten;
}

// A chart's cells as the bits of their doubles, so that nothing on the way rounds them.
export function bits_text(werte) {
    return werte.map((v) => (v == null ? 'leer' : Buffer.from(new Float64Array([v]).buffer).toString('hex')));
}
export function bits_im_browser(nr, name) {
    return window.regler.daten(nr, name).map((spalte) =>
        spalte.map((v) => {
            if (v == null) return 'leer';
            const b = new Uint8Array(new Float64Array([v]).buffer);
            return [...b].map((x) => x.toString(16).padStart(2, '0')).join('');
        }),
    );
}

// Page `n`'s named elements: where they stand in the page, and a text's lines (its characters
// grouped by the line box they stand in).
function lage_im_browser(n) {
    const wurzel = document.getElementById(`seite-${n}`).getBoundingClientRect();
    const zeilen = (e) => {
        const z = new Map();
        const gehen = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
        const r = document.createRange();
        for (let k = gehen.nextNode(); k; k = gehen.nextNode())
            for (let i = 0; i < k.length; ++i) {
                r.setStart(k, i);
                r.setEnd(k, i + 1);
                // WebKit gives a line's first character a rect at the line before's end, too.
                const b = [...r.getClientRects()].find((q) => q.width > 0);
                if (!b) continue;
                const y = Math.round(b.top);
                z.set(y, (z.get(y) ?? '') + k.data[i]);
            }
        return [...z].sort((a, b) => a[0] - b[0]).map(([, t]) => t);
    };
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
            zeilen: e.matches('.text') ? zeilen(e) : null,
            abgeschnitten: einzeilig && e.scrollWidth > e.clientWidth,
            unterschnitten: einzeilig && unterschnitten(e),
        };
    });
    ohne.remove();
    return stand;
}

// Where page `nummer`'s elements stray from the desktop's: boxes beyond 2 px, texts broken into
// other lines, one-line labels cut at their box's edge or kerned. `umbrochen`: the paragraphs (three lines
// or more) broken otherwise.
export async function lage_vergleichen(nummer, auswerten) {
    const web_stand = await auswerten(lage_im_browser, nummer);
    const abweichungen = [];
    let umbrochen = 0;
    const glatt = (l) => l.map((t) => t.replace(/\s+/g, ' ').trim()).filter((t) => t);
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
        const [d, b] = [glatt(w.zeilen ?? []), glatt(web.zeilen ?? [])];
        if (w.zeilen && JSON.stringify(d) !== JSON.stringify(b)) {
            abweichungen.push(`${nummer} ${w.name}: desktop ${JSON.stringify(d)}, web ${JSON.stringify(b)}`);
            umbrochen += d.length >= 3;
        }
    }
    return { abweichungen, umbrochen };
}
export const absaetze = geometrie.seiten.flatMap((s) => s.widgets).filter((w) => w.zeilen?.length >= 3).length;

// Where a chart of ansicht.json's case `fall` shows otherwise than the desktop's: its texts, or
// its plot, legend, figures and marks beyond 2 px.
export async function ansicht_vergleichen(fall, auswerten) {
    const namen = fall.diagramme.map((d) => d.name);
    const web = await auswerten((n, l) => l.map((name) => window.regler.ansicht(n, name)), fall.seite, namen);
    const abweichungen = [];
    const nah = (a, b) => a.length === b.length && a.every((v, i) => Math.abs(v - b[i]) <= 2);
    fall.diagramme.forEach((desktop, i) => {
        const w = web[i];
        // The browser's menu has one entry more, the run's link.
        w.beschreibung = w.beschreibung.replace('Link zu diesem Lauf kopieren, ', '');
        for (const feld of ['ablesung', 'legende', 'beschreibung', 'kennwerte', 'csv', 'achse'])
            if (JSON.stringify(w[feld]) !== JSON.stringify(desktop[feld]))
                abweichungen.push(`${desktop.name}.${feld}: ${JSON.stringify(w[feld])}`);
        for (const [feld, d, b] of [
            ['plot', [desktop.plot], [w.plot]],
            ['legende_r', [desktop.legende_r ?? []], [w.legende_r ?? []]],
            ['kennwerte_lage', desktop.kennwerte_lage, w.kennwerte_lage],
            ['marken', desktop.marken, w.marken],
        ])
            if (d.length !== b.length || d.some((r, k) => !nah(r, b[k])))
                abweichungen.push(`${desktop.name}.${feld}: desktop ${JSON.stringify(d)}, web ${JSON.stringify(b)}`);
    });
    return abweichungen;
}
