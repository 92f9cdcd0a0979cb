// What the tab keeps for its session (sessionStorage): the lab notebook and each page's last run.
// Where the browser keeps nothing (storage off or full), the program runs on without it.
const felder = 'regler.felder.';

export function sitzung_lesen(schluessel, vorgabe) {
    try {
        return JSON.parse(sessionStorage.getItem(schluessel)) ?? vorgabe;
    } catch {
        return vorgabe;
    }
}

// Whether the browser kept it.
export function sitzung_merken(schluessel, wert) {
    try {
        sessionStorage.setItem(schluessel, JSON.stringify(wert));
        return true;
    } catch {
        return false; // kept for this page only
    }
}

// A page's field texts at its last run.
export const felder_schluessel = (nummer) => `${felder}${nummer}`;

// "beenden": every page's run goes with the program.
export function felder_vergessen() {
    try {
        for (const k of Object.keys(sessionStorage)) if (k.startsWith(felder)) sessionStorage.removeItem(k);
    } catch {
        // nothing kept
    }
}
