// The charts' learning aids, as on the desktop: the figures of a step response on the curves, and
// the run before the last one beside it. One switch each for the whole program, remembered in the
// browser; switched off, a chart is exactly what it would be without them.
import { dezimalzeichen } from './zahlen.js';

const schluessel = { kennwerte: 'regler.lernhilfen.kennwerte', vorher: 'regler.lernhilfen.vorheriger_lauf' };

function lesen(k) {
    try {
        return localStorage.getItem(k) === '1';
    } catch {
        return false; // storage refused: the aids start off
    }
}

const zuhoerer = new Set();
export const lernhilfen = {
    kennwerte: lesen(schluessel.kennwerte),
    vorher: lesen(schluessel.vorher),
    // f is called after every change; it returns false once it wants no more calls.
    beobachten(f) {
        zuhoerer.add(f);
    },
    setzen(welche, an) {
        if (this[welche] === an) return;
        this[welche] = an;
        try {
            localStorage.setItem(schluessel[welche], an ? '1' : '0');
        } catch {
            // kept for this visit only
        }
        for (const f of [...zuhoerer]) if (f() === false) zuhoerer.delete(f);
    },
};

// The lighter tone in which the run before is drawn.
export const vorher_farbe = (c) => c.map((k) => Math.trunc((k + 2 * 255) / 3));

// One decimal, a typographic minus, no "-0,0": "16,3", "−7,3", "6,0".
function zahl(v) {
    const t = Math.abs(v).toFixed(1);
    const aus = t.replace('.', dezimalzeichen());
    return v < 0 && t !== '0.0' ? `\u2212${aus}` : aus;
}
const sekunden = (s) => (s == null ? '—' : `${s} s`);

// The figures as the box names them, one per line.
export function kennwert_zeilen(k) {
    let ueber = `Überschwingen ${zahl(k.ueberschwingen_k)} K`;
    if (k.zeit_maximum_s != null) ueber += ` nach ${sekunden(k.zeit_maximum_s)}`;
    return [
        `Anregelzeit ${sekunden(k.anregelzeit_s)}`,
        ueber,
        `Schwingungsdauer ${k.schwingungsdauer_s == null ? '—' : `${zahl(k.schwingungsdauer_s)} s`}`,
        `Ausregelzeit (±1 K) ${sekunden(k.ausregelzeit_s)}`,
        `bleibende Abweichung ${k.bleibende_abweichung_k == null ? '—' : `${zahl(k.bleibende_abweichung_k)} K`}`,
    ];
}

// The figure whose second lies nearest to `zeile` (the earlier where two are as near); empty
// where no figure has a second. The peaks stand for the period.
export function naechster_kennwert(k, zeile) {
    const orte = [];
    if (k.anregelzeit_s != null) orte.push([k.anregelzeit_s, 0]);
    if (k.zeit_maximum_s != null) orte.push([k.zeit_maximum_s, 1]);
    if (k.schwingungsdauer_s != null) for (const s of k.spitzen) orte.push([s, 2]);
    if (k.ausregelzeit_s != null) orte.push([k.ausregelzeit_s, 3]);
    if (!orte.length) return '';
    let bester = orte[0];
    for (const o of orte) {
        const d = Math.abs(o[0] - zeile);
        const db = Math.abs(bester[0] - zeile);
        if (d < db || (d === db && o[0] < bester[0])) bester = o;
    }
    return kennwert_zeilen(k)[bester[1]];
}

// Where a box of kb × kh fits into `belegt` (b × h, non-zero where something must stay visible)
// without covering any of it: a corner where one is free, else the free place nearest to the top
// right; null where there is none.
export function freier_platz(belegt, b, h, kb, kh) {
    if (kb > b || kh > h || kb <= 0 || kh <= 0) return null;
    const leer = (x, y) => {
        for (let j = y; j < y + kh; ++j) for (let i = x; i < x + kb; ++i) if (belegt[j * b + i]) return false;
        return true;
    };
    for (const [x, y] of [
        [b - kb, 0],
        [b - kb, h - kh],
        [0, 0],
        [0, h - kh],
    ])
        if (leer(x, y)) return [x, y];
    // Elsewhere through counts of occupied pixels over every rectangle from the top left.
    const s = new Int32Array((b + 1) * (h + 1));
    for (let y = 0; y < h; ++y) {
        let reihe = 0;
        for (let x = 0; x < b; ++x) {
            reihe += belegt[y * b + x] ? 1 : 0;
            s[(y + 1) * (b + 1) + x + 1] = s[y * (b + 1) + x + 1] + reihe;
        }
    }
    const S = (x, y) => s[y * (b + 1) + x];
    let bester = null;
    let abstand = 0;
    for (let y = 0; y + kh <= h; ++y)
        for (let x = 0; x + kb <= b; ++x)
            if (S(x + kb, y + kh) - S(x, y + kh) - S(x + kb, y) + S(x, y) === 0) {
                const dx = b - kb - x;
                const d = dx * dx + y * y;
                if (!bester || d < abstand) {
                    bester = [x, y];
                    abstand = d;
                }
            }
    return bester;
}
