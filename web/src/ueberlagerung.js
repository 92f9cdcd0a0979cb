// What stands over the page, one of each for the whole program: the read-out's tooltip and a
// chart's context menu; and what leaves the page: text to the clipboard, a file to download.

let tipp = null;
// `text` in a box the core measured ({ breite, hoehe, zeile }, at full size), at (x, y) in the
// window, kept inside it; as small as the page it reads.
export function tipp_zeigen(text, box, x, y, massstab) {
    if (!tipp) {
        tipp = document.createElement('div');
        tipp.id = 'ablesung';
        tipp.setAttribute('role', 'tooltip');
        document.body.append(tipp);
    }
    tipp.textContent = text;
    tipp.hidden = false;
    Object.assign(tipp.style, {
        width: `${box.breite}px`,
        height: `${box.hoehe}px`,
        lineHeight: `${box.zeile}px`,
        left: `${Math.max(0, Math.min(x, window.innerWidth - box.breite * massstab - 4))}px`,
        top: `${y}px`,
    });
}

export function tipp_verbergen() {
    if (tipp) tipp.hidden = true;
}

export function melden(fehler) {
    console.warn(`Zwischenablage: ${fehler}`);
}

// Text to the clipboard: where the page has no asynchronous clipboard (a school's server over
// plain http), through a selected text field and the copy command, still within the click.
export function text_kopieren(text) {
    if (navigator.clipboard && window.isSecureContext) {
        navigator.clipboard.writeText(text).catch(melden);
        return;
    }
    const feld = document.createElement('textarea');
    feld.value = text;
    feld.setAttribute('readonly', '');
    feld.style.position = 'fixed';
    feld.style.opacity = '0';
    document.body.append(feld);
    feld.select();
    if (!document.execCommand('copy')) melden('copy refused');
    feld.remove();
}

export function herunterladen(blob, name) {
    if (!blob) return;
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

let menue = null;
let menue_schliessen = () => {};

// The tooltip and an open menu go with the page they stood over (Back, another page, "beenden").
export function ueberlagerungen_schliessen() {
    tipp_verbergen();
    menue_schliessen();
}

// punkte: [{ id, text, tun, an (null: no switch), moeglich }, or null for a separator line].
export function kontextmenue_zeigen(punkte, x, y, zurueck) {
    menue_schliessen();
    menue = document.createElement('div');
    menue.className = 'menue';
    menue.setAttribute('role', 'menu');
    const schliessen = () => {
        menue?.remove();
        menue = null;
        document.removeEventListener('pointerdown', aussen, true);
        menue_schliessen = () => {};
    };
    menue_schliessen = schliessen;
    const aussen = (ev) => {
        if (menue && !menue.contains(ev.target)) schliessen();
    };
    for (const punkt of punkte) {
        if (!punkt) {
            const linie = document.createElement('div');
            linie.setAttribute('role', 'separator');
            Object.assign(linie.style, { height: '1px', margin: '3px 1px', background: 'rgb(210,210,210)' });
            menue.append(linie);
            continue;
        }
        const { id, text, tun, an, moeglich } = punkt;
        const k = document.createElement('button');
        k.type = 'button';
        k.dataset.id = id;
        k.setAttribute('role', 'menuitem');
        k.textContent = text;
        k.disabled = !moeglich;
        if (an != null) {
            k.setAttribute('role', 'menuitemcheckbox');
            k.setAttribute('aria-checked', String(an));
            const haken = document.createElement('span');
            haken.setAttribute('aria-hidden', 'true');
            haken.textContent = an ? '✓' : '';
            Object.assign(haken.style, { position: 'absolute', left: '2px' });
            k.style.position = 'relative';
            k.prepend(haken);
        }
        k.addEventListener('click', () => {
            schliessen();
            zurueck.focus({ preventScroll: true });
            tun();
        });
        menue.append(k);
    }
    menue.addEventListener('keydown', (ev) => {
        const knoepfe = [...menue.querySelectorAll('button:not(:disabled)')];
        const i = knoepfe.indexOf(document.activeElement);
        if (ev.key === 'Escape') {
            schliessen();
            zurueck.focus({ preventScroll: true });
        } else if (ev.key === 'ArrowDown') knoepfe[(i + 1) % knoepfe.length].focus();
        else if (ev.key === 'ArrowUp') knoepfe[(i - 1 + knoepfe.length) % knoepfe.length].focus();
        else return;
        ev.preventDefault();
    });
    document.body.append(menue);
    menue.style.left = `${Math.min(x, window.innerWidth - menue.offsetWidth - 4)}px`;
    menue.style.top = `${Math.min(y, window.innerHeight - menue.offsetHeight - 4)}px`;
    document.addEventListener('pointerdown', aussen, true);
    menue.querySelector('button:not(:disabled)')?.focus();
}
