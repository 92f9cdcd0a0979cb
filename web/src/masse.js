// Twips, fonts and colours as the desktop's page builder takes them.
export const twips_pro_pixel = 15;
export const px = (twips) => Math.trunc(twips / twips_pro_pixel);
export const pixel = (r) => ({ x: px(r[0]), y: px(r[1]), w: px(r[2]), h: px(r[3]) });

// Liberation Sans, cut down to what the pages write and so named "Regler Sans" as its licence
// asks of a modified version, stands in for "MS Sans Serif" and "Arial", as on the desktop.
export const familie = '"Regler Sans"';
// 8.25 pt: 11 px at 96 dpi.
export const schrift_px = (s) => Math.round((s.punkte * 96) / 72);
// A line as tall as the desktop's font metrics make it: the ascent rounded, the descent up.
export const zeilenhoehe = (p) => Math.round((p * 1854) / 2048) + Math.ceil((p * 434) / 2048);
export const css_schrift = (s) => `${s.fett ? 'bold ' : ''}${schrift_px(s)}px ${familie}`;
export const fett = { familie: 'MS Sans Serif', punkte: 8.25, fett: true };
export const normal = { familie: 'MS Sans Serif', punkte: 8.25, fett: false };

export const farbe = (f) => `rgb(${f[0]},${f[1]},${f[2]})`;

const leinwand = typeof document !== 'undefined' ? document.createElement('canvas') : null;
let zeile_messen = null;

// A line's advance in a font without kerning, as the desktop lays out Latin text: by the canvas
// where it can leave kerning out; else by a line of the document itself, set as the pages are
// (WebKit's canvas has no fontKerning and kerns what it measures: boxes fitted to its widths
// came out narrower than their text). WebKitGTK also sets each glyph at a whole pixel (below a
// device scale of 2): there, the font's own advances, the desktop's, are measured a hundred
// times larger, and the wider of the two is taken, so that a box holds what is drawn and is
// the desktop's where that fits.
function messer() {
    const ctx = leinwand.getContext('2d');
    if ('fontKerning' in ctx)
        return (zeile, schrift) => {
            ctx.font = schrift;
            ctx.fontKerning = 'none';
            return ctx.measureText(zeile).width;
        };
    const span = document.createElement('span');
    span.setAttribute('aria-hidden', 'true');
    span.style.cssText = 'position: absolute; left: 0; top: 0; visibility: hidden; white-space: pre';
    document.body.append(span);
    return (zeile, schrift) => {
        span.style.font = schrift;
        span.style.fontKerning = 'none'; // after the shorthand, which sets it back
        span.textContent = zeile;
        const gesetzt = span.getBoundingClientRect().width;
        span.style.fontSize = `${parseFloat(span.style.fontSize) * 100}px`;
        return Math.max(gesetzt, span.getBoundingClientRect().width / 100);
    };
}

function messen(text, schrift) {
    zeile_messen ??= messer();
    let b = 0;
    for (const zeile of text.split('\n')) b = Math.max(b, zeile_messen(zeile, schrift));
    return b;
}

// The advance of a text in a font, its widest line.
export const breite = (text, s) => messen(text, css_schrift(s));

// Whether texts are set in the font by now: a font list measures alike with two different
// fonts behind it only where its first font is used.
export function schrift_da(s) {
    const probe = 'NORVA-Regler und Regeltechnik 0123456789';
    return messen(probe, `${css_schrift(s)}, monospace`) === messen(probe, `${css_schrift(s)}, serif`);
}
