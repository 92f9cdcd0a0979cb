// A numeric entry field with the program's key rules, for typed and pasted text alike: digits
// only (and the decimal separator where allowed), a maximum typed length, an upper limit checked
// on the text before each key's character goes in. Refused keys beep; so does a text replaced by
// its limit.
import { piep } from './piep.js';
import { dezimalzeichen, zahl_lesen, zahl_text } from './zahlen.js';

export class Zahlenfeld {
    constructor(e, eingabe) {
        this.eingabe = eingabe;
        this.max_laenge = e.max_laenge;
        this.dezimal = e.dezimal;
        this.grenze = e.grenze;
        this.grenztext = e.grenztext;
        eingabe.value = e.text;
        eingabe.addEventListener('keydown', (ev) => this.taste(ev));
        eingabe.addEventListener('beforeinput', (ev) => this.vor_eingabe(ev));
        eingabe.addEventListener('paste', (ev) => {
            ev.preventDefault();
            this.einfuegen_begrenzt(ev.clipboardData ? ev.clipboardData.getData('text/plain') : '');
        });
        // Dropped text goes in where the caret stands, through the same filter as pasted text.
        eingabe.addEventListener('drop', (ev) => {
            ev.preventDefault();
            eingabe.focus();
            this.einfuegen_begrenzt(ev.dataTransfer ? ev.dataTransfer.getData('text/plain') : '');
        });
    }

    get text() {
        return this.eingabe.value;
    }
    set text(t) {
        this.eingabe.value = t;
    }
    // The text as a number; null unless it reads as a finite number.
    wert() {
        return zahl_lesen(this.text);
    }

    // Keys that type a control character (Backspace, Return, Escape, Ctrl+letter) are refused
    // like any other non-digit; cursor keys, Delete and Tab keep their function.
    taste(ev) {
        const steuer =
            ev.key === 'Backspace' ||
            ev.key === 'Enter' ||
            ev.key === 'Escape' ||
            ((ev.ctrlKey || ev.metaKey) && !ev.altKey && /^[a-z]$/i.test(ev.key));
        if (!steuer) return;
        ev.preventDefault();
        piep();
        this.obergrenze_pruefen();
    }

    vor_eingabe(ev) {
        if (ev.inputType === 'insertText' && ev.data != null) {
            ev.preventDefault();
            for (const c of ev.data) this.zeichen(c);
        } else if (ev.inputType === 'deleteContentBackward') {
            // A keyboard that sends no key events: Backspace as the desktop takes it.
            ev.preventDefault();
            piep();
            this.obergrenze_pruefen();
        }
    }

    // The character the field takes for c, or null where it refuses c. The gain is written "1.6"
    // on the page: a full stop or a comma goes in as the user's decimal separator.
    zugelassen(c) {
        if (c >= '0' && c <= '9') return c;
        if (this.dezimal && (c === '.' || c === ',' || c === dezimalzeichen())) return dezimalzeichen();
        return null;
    }

    // One typed character: filtered, the limit checked, then inserted where there is room.
    zeichen(getippt) {
        const c = this.zugelassen(getippt);
        if (c == null) piep();
        this.obergrenze_pruefen();
        if (c == null) return;
        const { selectionStart: a, selectionEnd: b } = this.eingabe;
        if (this.text.length - (b - a) + 1 > this.max_laenge) return;
        this.eingabe.setRangeText(c, a, b, 'end');
    }

    obergrenze_pruefen() {
        if (this.grenze == null) return;
        const w = this.wert();
        if (w == null) return; // an emptied or pasted non-number has nothing to compare
        if (w > this.grenze) {
            this.text = this.grenztext ?? zahl_text(this.grenze);
            piep();
        }
    }

    // Pasted or dropped text passes the key filter: what it refuses goes, with one beep for all;
    // held to the maximum length like typing.
    einfuegen_begrenzt(text) {
        let t = '';
        let verworfen = false;
        for (const c of text) {
            const z = this.zugelassen(c);
            if (z == null) verworfen = true;
            else t += z;
        }
        if (verworfen) piep();
        const { selectionStart: a, selectionEnd: b } = this.eingabe;
        const platz = this.max_laenge - (this.text.length - (b - a));
        if (platz <= 0 || !t) return;
        this.eingabe.setRangeText(t.slice(0, platz), a, b, 'end');
    }
}

// Reads each field into its key of the result. At the first field that is not a number: beep,
// focus it with its text selected, and return null (no run). A field above its limit is then set
// to its limit, with a beep, and the run gets the limit: no run uses a value above it.
export function felder_lesen(felder) {
    const f = {};
    for (const [feld, name] of felder) {
        const w = feld.wert();
        if (w == null) {
            piep();
            feld.eingabe.focus();
            feld.eingabe.select();
            return null;
        }
        f[name] = w;
    }
    for (const [feld, name] of felder) {
        if (feld.grenze != null && f[name] > feld.grenze) {
            feld.obergrenze_pruefen();
            f[name] = feld.wert() ?? feld.grenze;
        }
    }
    return f;
}
