// The core in WebAssembly (web/kern.cpp): the runs, rules and texts of the desktop's library, as
// plain values. Here only what the page knows and the core does not: the user's decimal
// separator, and a chart's rows by name.
import ReglerKern from './regler_kern.js';
import { dezimalzeichen } from './zahlen.js';

export async function kern_laden(optionen = {}) {
    const m = await ReglerKern(optionen);
    const k = dezimalzeichen;
    const zeilen_je = (zeilen) => Object.fromEntries(zeilen);
    return {
        // Page 2's or page 3's run for the plan's fields as read (`werte`); zeilen: each chart's
        // rows by name. { seite, lauf, spalten: [{ diagramm, spalte, werte }], benannt, nachher,
        // piep, soll, ist }.
        seitenlauf: (seite, laden, werte, zeilen) => m.seitenlauf(seite, laden, werte, zeilen_je(zeilen)),
        // The plan's fields read from their texts ({ id: text }): { werte, ungueltig, korrigiert,
        // piepse }.
        felder_lesen: (seite, laden, texte) => m.felder_lesen(seite, laden, texte, k()),
        // The same run again from its run values (a row of the lab notebook).
        lauf_aus_werten: (seite, werte, zeilen) => m.lauf_aus_werten(seite, werte, zeilen_je(zeilen)),
        // The figures of actual values x against w (null where none), the peaks' seconds, the
        // head's lines and, for each second, the line nearest to it.
        kennwerte: (w, x) => m.kennwerte(w, x, k()),
        // The figures' marks over a value axis from `unten`: [{ art, t0, y0, t1, y1, kennwert }].
        marken: (w, x, unten) => m.marken(w, x, unten),
        wertachse: (tief, hoch, bis, intervalle, platz) => m.wertachse(tief, hoch, bis, intervalle, platz),
        marken_platz: (achsenhoehe, markenhoehe) => m.marken_platz(achsenhoehe, markenhoehe),
        zeitachsen_angleichen: (raender) => m.zeitachsen_angleichen(raender),
        schritt: (spanne, mindestens) => m.schritt(spanne, mindestens),
        wert_intervalle: (hoehe_px) => m.wert_intervalle(hoehe_px),
        band_halbe: (pixel_je_kelvin, mindestens) => m.band_halbe(pixel_je_kelvin, mindestens),
        // A chart's grid as the desktop writes it: tab-separated ('tsv') or CSV ('csv').
        tabelle: (art, reihen, einheit, spalten) => m.tabelle(art, reihen, einheit, spalten, k()),
        laufname: (seite, werte) => m.laufname(seite, werte, k()),
        unterschiede: (seite, vorher, jetzt) => m.unterschiede(seite, vorher, jetzt, k()),
        kopf: (kennwerte, eintraege, luecke, breite, zeile) => m.kopf(kennwerte, eintraege, luecke, breite, zeile),
        beschreibung: (einheit, zeit_titel, vorher_name, kennwerte) =>
            m.beschreibung(einheit, zeit_titel, vorher_name, kennwerte),
        ablesen: (namen, werte, einheit) => m.ablesen(namen, werte, einheit, k()),
        ablesung: (zeile, teile, vorher_name, vorher, kennwerte) =>
            m.ablesung(zeile, teile, vorher_name, vorher, kennwerte),
        aufheizkurve: (n) => m.aufheizkurve(n),
        // A field's rules: a key typing code point `c`, pasted text, the limit, its number.
        // An edit: { ersetzt (the whole text, or null), einfuegen (over the selection), piepse }.
        feld_taste: (seite, id, text, a, b, c) => m.feld_taste(seite, id, text, a, b, c, k()),
        feld_einfuegen: (seite, id, text, a, b, t) => m.feld_einfuegen(seite, id, text, a, b, t, k()),
        feld_grenze: (seite, id, text) => m.feld_grenze(seite, id, text, k()),
        feldwert: (text) => m.feldwert(text, k()),
        feld_beschreibung: (seite, id) => m.feld_beschreibung(seite, id, k()),
        feldtext: (v) => m.feldtext(v, k()),
        // The tuning aid: a proposal by method 1 (critical P-band, period) or 2 (K, L): { zeilen,
        // felder: [[id, text]] }; the heating curve's inflection tangent.
        methode_1: (xp, periode) => m.methode_1(xp, periode, k()),
        methode_2: (k_k, l_s) => m.methode_2(k_k, l_s, k()),
        heizkurven_tangente: (x) => m.heizkurven_tangente(x),
        // The lab notebook: the core's object, and what is asked before it would be lost.
        Protokoll: m.Protokoll,
        frage_beim_beenden: (n) => m.frage_beim_beenden(n),
        frage_beim_laden: (n) => m.frage_beim_laden(n),
        dateigroesse_pruefen: (bytes) => m.dateigroesse_pruefen(bytes),
        laden_fehler: (datei, grund) => m.laden_fehler(datei, grund),
        meldung_sitzung: () => m.meldung_sitzung(),
        komma: k,
    };
}
