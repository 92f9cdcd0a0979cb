// The charts' learning aids, as on the desktop: the figures of a step response on the curves, and
// the run before the last one beside it. One switch each for the whole program, remembered in the
// browser; switched off, a chart is exactly what it would be without them.

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

// The figures as the box names them, one per line: the core's texts, as the desktop writes them.
export const kennwert_zeilen = (k) => k.zeilen;

// The figure whose second lies nearest to `zeile` (the earlier where two are as near); empty
// where no figure has a second. The peaks stand for the period.
export function naechster_kennwert(k, zeile) {
    const welcher = k.naechste[zeile - 1] ?? -1;
    return welcher < 0 ? '' : k.zeilen[welcher];
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
