// The core in WebAssembly (web/kern.cpp): the runs, rules and texts of the desktop's library, as
// plain values and objects, with the charts' panels that paint what it draws. Here only what the
// page knows and the core does not: the user's decimal separator, and a chart's rows by name.
import { Diagramm, gruppe_bilden } from './diagramm.js';
import ReglerKern from './regler_kern.js';
import { dezimalzeichen } from './zahlen.js';

export async function kern_laden(optionen = {}) {
    const m = await ReglerKern(optionen);
    const k = dezimalzeichen;
    const zeilen_je = (zeilen) => Object.fromEntries(zeilen);
    return {
        // Page 2's or page 3's run from its fields' texts ({ id: text }); zeilen: each chart's rows
        // by name. { texte: [[id, text]] to set, piepse, ungueltig (the field to select), lauf:
        // { seite, lauf, spalten: [{ diagramm, spalte, werte }], benannt } or null, kennwerte }.
        seite_laufen: (seite, laden, texte, zeilen) => m.seite_laufen(seite, laden, texte, k(), zeilen_je(zeilen)),
        // Row `nummer` of the lab notebook run again from its values, as its page's charts compare
        // with it: [{ diagramm, seite, werte, spalten, titel }].
        vergleichslaeufe: (nummer, seite, werte, zeilen) => m.vergleichslaeufe(nummer, seite, werte, zeilen_je(zeilen)),
        // The charts: the core's chart and group, and this face's chart panel around them; the
        // read-out tooltip's box for a text.
        Schaubild: m.Schaubild,
        Zeitgruppe: m.Zeitgruppe,
        Diagramm,
        gruppe_bilden,
        // Which charts read out together, from each one's time-axis group: lists of their places.
        zeitgruppen: (gruppen) => m.zeitgruppen(gruppen),
        tipp: (text) => m.tipp(text),
        // A field's rules: a key typing code point `c`, pasted text, the limit, its number.
        // An edit: { ersetzt (the whole text, or null), einfuegen (over the selection), piepse }.
        feld_taste: (seite, id, text, a, b, c) => m.feld_taste(seite, id, text, a, b, c, k()),
        feld_einfuegen: (seite, id, text, a, b, t) => m.feld_einfuegen(seite, id, text, a, b, t, k()),
        feld_grenze: (seite, id, text) => m.feld_grenze(seite, id, text, k()),
        feldwert: (text) => m.feldwert(text, k()),
        feld_beschreibung: (seite, id) => m.feld_beschreibung(seite, id, k()),
        feldtext: (v) => m.feldtext(v, k()),
        // The tuning aid's method 2 from the heating curve's K and L: { zeilen, felder: [[id,
        // text]] }.
        methode_2: (k_k, l_s) => m.methode_2(k_k, l_s, k()),
        // The lab notebook: the core's object, and what is asked before it would be lost.
        Protokoll: m.Protokoll,
        frage_beim_beenden: (n) => m.frage_beim_beenden(n),
        frage_beim_laden: (n) => m.frage_beim_laden(n),
        dateigroesse_pruefen: (bytes) => m.dateigroesse_pruefen(bytes),
        laden_fehler: (datei, grund) => m.laden_fehler(datei, grund),
        meldung_sitzung: () => m.meldung_sitzung(),
        // The notebook window's words: its title, buttons and the titles of what it asks.
        protokollworte: () => m.protokollworte(),
        // A chart as a picture: this many times the screen's resolution.
        bild_faktor: m.bild_faktor(),
        // The pages' buttons and keys: whether a click counts, whether a key on "beenden" ends.
        klick_gilt: (zuvor, seite, folgeklick) => m.klick_gilt(zuvor, seite, folgeklick),
        taste_beendet: (c) => m.taste_beendet(c),
        komma: k,
    };
}
