// Field text <-> number in the user's number format (the browser's default locale): no digit
// grouping either way, so that "1.6" never reads as 16.
export function dezimalzeichen() {
    const teil = new Intl.NumberFormat().formatToParts(1.5).find((t) => t.type === 'decimal');
    return teil ? teil.value : '.';
}

const muster = new Map();

// null for an empty text, a non-number, or one that is not finite.
export function zahl_lesen(text) {
    const d = dezimalzeichen();
    if (!muster.has(d)) {
        const p = d.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
        muster.set(d, new RegExp(`^[+-]?(\\d+(${p}\\d*)?|${p}\\d+)([eE][+-]?\\d+)?$`));
    }
    const t = text.trim();
    if (!muster.get(d).test(t)) return null;
    const v = Number(t.replace(d, '.'));
    return Number.isFinite(v) ? v : null;
}

// Up to 15 significant digits ('g'), with the user's decimal separator: "99.9", "1e-05".
export function zahl_text(v) {
    let t;
    if (v === 0 || !Number.isFinite(v)) {
        t = String(v);
    } else {
        const exponent = Number(v.toExponential(14).split('e')[1]);
        if (exponent < -4 || exponent >= 15) {
            const [m, e] = v.toExponential(14).split('e');
            const mantisse = m.includes('.') ? m.replace(/0+$/, '').replace(/\.$/, '') : m;
            const n = Math.abs(Number(e));
            t = `${mantisse}e${e[0] === '-' ? '-' : '+'}${n < 10 ? '0' : ''}${n}`;
        } else {
            t = v.toFixed(Math.max(0, 14 - exponent));
            if (t.includes('.')) t = t.replace(/0+$/, '').replace(/\.$/, '');
        }
    }
    return t.replace('.', dezimalzeichen());
}
