// The switches of the charts' menus, as on the desktop: the learning aids (the figures of a step
// response on the curves, the run before the last one beside it) and the projector's view. One
// switch each for the whole program, remembered in the browser; switched off, a chart is exactly
// what it would be without them.

const schluessel = {
    kennwerte: 'regler.lernhilfen.kennwerte',
    vorher: 'regler.lernhilfen.vorheriger_lauf',
    projektor: 'regler.lernhilfen.projektor',
};

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
    projektor: lesen(schluessel.projektor),
    // f is called after every change, until it is forgotten.
    beobachten(f) {
        zuhoerer.add(f);
    },
    vergessen(f) {
        zuhoerer.delete(f);
    },
    setzen(welche, an) {
        if (this[welche] === an) return;
        this[welche] = an;
        try {
            localStorage.setItem(schluessel[welche], an ? '1' : '0');
        } catch {
            // kept for this visit only
        }
        for (const f of [...zuhoerer]) f();
    },
};
