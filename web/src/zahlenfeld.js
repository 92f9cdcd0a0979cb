// A numeric entry field: typed, pasted and dropped text go to the core's field rules (the
// desktop's), which answer with an edit and its beeps; this only makes the edit.
import { piep } from './piep.js';

// The control character a key types, as the desktop's key events carry it (Backspace 8,
// Return 13, Escape 27, Ctrl+letter 1 to 26); null for any other key.
export function steuerzeichen(ev) {
    const steuer = { Backspace: 8, Enter: 13, Escape: 27 }[ev.key];
    if (steuer != null) return steuer;
    const strg = (ev.ctrlKey || ev.metaKey) && !ev.altKey && /^[a-z]$/i.test(ev.key);
    return strg ? ev.key.toLowerCase().charCodeAt(0) - 96 : null;
}

// The character a key types, a control character's too; null for a key that types none.
export function tastenzeichen(ev) {
    const zeichen = [...ev.key].length === 1 && !ev.ctrlKey && !ev.metaKey && !ev.altKey;
    return zeichen ? ev.key.codePointAt(0) : steuerzeichen(ev);
}

export class Zahlenfeld {
    // seite, id: the field in its run's table; kern: the core.
    constructor(e, eingabe, seite, kern) {
        this.eingabe = eingabe;
        this.seite = seite;
        this.id = e.name;
        this.kern = kern;
        eingabe.value = e.text;
        eingabe.addEventListener('keydown', (ev) => this.taste(ev));
        // Pasting is not refused as such (the paste event stays as it is): its text arrives here.
        eingabe.addEventListener('beforeinput', (ev) => this.vor_eingabe(ev));
        eingabe.addEventListener('input', () => this.nach_eingabe());
        // Dropped text goes in where the caret stands, through the same rules as pasted text.
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
        return this.kern.feldwert(this.text);
    }

    // The edit the core answers with: the whole text replaced, then text over the selection.
    machen(a) {
        for (let i = 0; i < a.piepse; ++i) piep();
        if (a.ersetzt != null) this.text = a.ersetzt;
        if (a.einfuegen) {
            const { selectionStart: s, selectionEnd: e } = this.eingabe;
            this.eingabe.setRangeText(a.einfuegen, s, e, 'end');
        }
    }

    // A character as the keyboard types it, to the rules: the selection in characters.
    zeichen(c) {
        const { selectionStart: a, selectionEnd: b } = this.eingabe;
        this.machen(this.kern.feld_taste(this.seite, this.id, this.text, a, b, c.codePointAt(0)));
    }

    // Keys that type a control character (Backspace 8, Return 13, Escape 27, Ctrl+letter) go
    // to the rules like any other; cursor keys, Delete and Tab keep their function.
    taste(ev) {
        const c = steuerzeichen(ev);
        if (c == null) return;
        ev.preventDefault();
        this.zeichen(String.fromCodePoint(c));
    }

    // Text typed by a keyboard that sends no key events (a tablet's, a phone's) goes through
    // the same rules. Its deleting is admitted: on such a keyboard Backspace is the only way to
    // correct a field (a physical Backspace never gets here, its key was refused).
    vor_eingabe(ev) {
        if (ev.inputType === 'insertText' && ev.data != null) {
            ev.preventDefault();
            for (const c of ev.data) this.zeichen(c);
        } else if (ev.inputType.startsWith('insertFromPaste')) {
            ev.preventDefault();
            this.einfuegen_begrenzt(ev.data ?? ev.dataTransfer?.getData('text/plain') ?? '');
        } else if (!ev.inputType.startsWith('delete')) {
            // Any other way in (an input method's composition, a correction offered by the
            // keyboard, undo): once it is in, the text before it comes back and the new text
            // goes through the rules as if pasted over the whole field.
            this.vorher ??= this.text;
        }
    }
    nach_eingabe() {
        if (this.vorher == null) return;
        const neu = this.text;
        this.text = this.vorher;
        this.vorher = null;
        this.eingabe.setSelectionRange(0, this.text.length);
        this.einfuegen_begrenzt(neu);
    }

    obergrenze_pruefen() {
        this.machen(this.kern.feld_grenze(this.seite, this.id, this.text));
    }

    // Pasted or dropped text: what the rules refuse goes, with one beep for all; held to the
    // field's length.
    einfuegen_begrenzt(text) {
        const { selectionStart: a, selectionEnd: b } = this.eingabe;
        this.machen(this.kern.feld_einfuegen(this.seite, this.id, this.text, a, b, text));
    }
}
