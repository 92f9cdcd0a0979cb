// What a page does at load and on "Start Grafik", as its table says (regler-json writes the
// plan): its fields read in the plan's order, each with its limit, the core's page run, and its
// columns written into the charts. Nothing here knows a page.
import { piep } from './piep.js';
import { eintragen } from './protokoll.js';
import { felder_lesen } from './zahlenfeld.js';

// The page's run, or null for a page without one.
export function seitenlogik(nummer, p, seite, kern) {
    if (!p.laeufe) return null;
    const laufen = (laden) => {
        const plan = laden ? p.laeufe.laden : p.laeufe.start;
        for (const [name, text] of plan.vorher) seite.felder.get(name).text = text;
        // Every field must read as a number before the first cell is written, so that a bad
        // field leaves the last complete run on the charts.
        const f = felder_lesen(plan.felder.map((name) => [seite.felder.get(name), name]));
        if (!f) return false;
        const zeilen = new Map([...seite.diagramme].map(([name, d]) => [name, d.zeilen]));
        const e = kern.seitenlauf(
            nummer,
            laden,
            plan.felder.map((name) => f[name]),
            zeilen,
        );
        for (const [name, text] of e.nachher) seite.felder.get(name).text = text;
        if (e.piep) piep();
        for (const name of e.benannt) seite.diagramme.get(name).lauf = { art: e.art, werte: e.lauf };
        const fertig = [];
        for (const s of e.spalten) {
            const d = seite.diagramme.get(s.diagramm);
            d.spalte(s.spalte, s.werte);
            if (!fertig.includes(d)) fertig.push(d);
        }
        for (const d of fertig) d.lauf_abschliessen();
        if (e.ist >= 0) eintragen(nummer, e.lauf, kern.kennwerte(e.soll, e.spalten[e.ist].werte));
        return true;
    };
    return { laden: () => laufen(true), start: () => laufen(false) };
}
