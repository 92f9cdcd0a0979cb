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
// The advance of a text in a font, without kerning (the desktop lays out Latin text without).
export function breite(text, s) {
    const ctx = leinwand.getContext('2d');
    ctx.font = css_schrift(s);
    if ('fontKerning' in ctx) ctx.fontKerning = 'none';
    let b = 0;
    for (const zeile of text.split('\n')) b = Math.max(b, ctx.measureText(zeile).width);
    return b;
}
