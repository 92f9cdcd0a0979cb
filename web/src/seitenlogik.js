// What a page does at load and on "Start Grafik": the core reads its fields' texts and runs
// them (seite_laufen), and this sets the texts, beeps and puts the columns into the charts, as
// the core says. Nothing here knows a page.
import { piep } from './piep.js';
import { eintragen, hat_zeilen_von } from './protokoll.js';
import { felder_schluessel, sitzung_lesen, sitzung_merken } from './sitzung.js';

// The page's run, or null for a page without one.
export function seitenlogik(nummer, p, seite, kern) {
    if (!p.laeufe) return null;
    const schluessel = felder_schluessel(nummer);
    let lauf_texte = []; // the field texts of the run shown
    const laufen = (laden, wieder = false) => {
        const texte = Object.fromEntries([...seite.felder].map(([n, f]) => [n, f.text]));
        const zeilen = new Map([...seite.diagramme].map(([name, d]) => [name, d.zeilen]));
        const s = kern.seite_laufen(nummer, laden, texte, zeilen);
        for (const [name, text] of s.texte) seite.felder.get(name).text = text;
        for (let i = 0; i < s.piepse; ++i) piep();
        if (!s.lauf) {
            seite.felder.get(s.ungueltig).eingabe.focus();
            seite.felder.get(s.ungueltig).eingabe.select();
            return false;
        }
        const e = s.lauf;
        for (const name of e.benannt) seite.diagramme.get(name).lauf_setzen(e.seite, e.lauf);
        const fertig = [];
        for (const sp of e.spalten) {
            const d = seite.diagramme.get(sp.diagramm);
            d.spalte(sp.spalte, sp.werte);
            if (!fertig.includes(d)) fertig.push(d);
        }
        for (const d of fertig) d.lauf_abschliessen();
        // Into the notebook, once: not a page's load run again after a reload, not the run that
        // brings the page back as it was.
        const schon = laden && hat_zeilen_von(nummer);
        if (s.kennwerte && !wieder && !schon) eintragen(nummer, e.lauf, s.kennwerte, !laden);
        lauf_texte = [...seite.felder].map(([n, f]) => [n, f.text]);
        // Kept for the tab's session: a reload shows the page as it was.
        if (!laden) sitzung_merken(schluessel, Object.fromEntries(lauf_texte));
        return true;
    };
    return {
        laden() {
            const ok = laufen(true);
            // After a reload: the fields of the last run on this page, and that run again.
            const gemerkt = sitzung_lesen(schluessel, null);
            if (!gemerkt) return ok;
            for (const [n, t] of Object.entries(gemerkt)) if (seite.felder.has(n)) seite.felder.get(n).text = String(t);
            return laufen(false, true);
        },
        start: () => laufen(false),
        // A link that opens this page with the run shown: its field texts.
        link() {
            const q = new URLSearchParams({ seite: nummer });
            for (const [n, t] of lauf_texte) q.append(n, t);
            return `${location.origin}${location.pathname}?${q}`;
        },
        // Such a link opened: its field texts go in as if pasted into emptied fields (the same
        // filter, length and limit), and the page runs them.
        verlinkt(q) {
            let da = false;
            for (const [n, feld] of seite.felder) {
                if (!q.has(n)) continue;
                feld.text = '';
                feld.einfuegen_begrenzt(q.get(n));
                feld.obergrenze_pruefen();
                da = true;
            }
            return da && laufen(false);
        },
    };
}
