// What pages 2 and 3 do at load and on "Start Grafik": read their fields, run the core, and
// write the rows into the charts, as the desktop's page classes do.
import { piep } from './piep.js';
import { felder_lesen } from './zahlenfeld.js';

const konstant = (w, n) => new Array(n).fill(w);

function seite_2(seite, kern) {
    const feld = (n) => seite.felder.get(n);
    const graph = seite.diagramme.get('graph');
    const leistung = seite.diagramme.get('Leistung');
    // Every field must read as a number before the first cell is written, so that a bad field
    // leaves the last complete run on the charts.
    const simulieren = () => {
        const f = felder_lesen([
            [feld('w1'), 'w'],
            [feld('xp1'), 'xp'],
            [feld('tn1'), 'tn'],
            [feld('tv1'), 'tv'],
        ]);
        if (!f) return false;
        // What the run ran with, for the run before's name and legend.
        graph.lauf = { art: 'pid', werte: [f.w, f.xp, f.tn, f.tv] };
        leistung.lauf = graph.lauf;
        const lauf = kern.pid(f, graph.zeilen);
        graph.spalte(1, konstant(f.w, graph.zeilen));
        graph.spalte(2, lauf.milch);
        leistung.spalte(1, lauf.y);
        graph.lauf_abschliessen();
        leistung.lauf_abschliessen();
        return true;
    };
    return { laden: simulieren, start: simulieren };
}

function seite_3(seite, kern) {
    const feld = (n) => seite.felder.get(n);
    const pid33 = seite.diagramme.get('pid33');
    const kask = seite.diagramme.get('kask');
    const leistung = seite.diagramme.get('leistung');

    const kaskade = (f) => {
        const lauf = kern.kaskade(f, kask.zeilen);
        if (lauf.v1_verworfen) {
            feld('v1').text = '0';
            piep();
        }
        kask.lauf = {
            art: 'kaskade',
            werte: [f.w1, lauf.v1_verworfen ? 0 : f.v1, f.tn1, f.tv1, f.xp2, f.tv2, f.maxdiff],
        };
        leistung.lauf = kask.lauf;
        kask.spalte(1, konstant(f.w1, kask.zeilen));
        kask.spalte(2, lauf.x1);
        kask.spalte(3, lauf.w2);
        kask.spalte(4, lauf.x2);
        leistung.spalte(1, lauf.y);
        kask.lauf_abschliessen();
        leistung.lauf_abschliessen();
        return true;
    };
    return {
        laden() {
            pid33.spalte(1, kern.aufheizkurve(pid33.zeilen).istwert);
            pid33.lauf_abschliessen();
            feld('v1').text = '1';
            // At load the gain is 1 and the inner P-band and the reset time are off (0),
            // whatever xp2 and tn1 hold.
            const f = felder_lesen([
                [feld('w1'), 'w1'],
                [feld('tv1'), 'tv1'],
                [feld('maxdiff'), 'maxdiff'],
                [feld('tv2'), 'tv2'],
            ]);
            return f != null && kaskade({ ...f, v1: 1, tn1: 0, xp2: 0 });
        },
        // Every field is read, in the order the run first needs it, before any cell is written.
        start() {
            const f = felder_lesen([
                [feld('xp2'), 'xp2'],
                [feld('tn1'), 'tn1'],
                [feld('v1'), 'v1'],
                [feld('w1'), 'w1'],
                [feld('tv1'), 'tv1'],
                [feld('maxdiff'), 'maxdiff'],
                [feld('tv2'), 'tv2'],
            ]);
            return f != null && kaskade(f);
        },
    };
}

// The charts read their runs' figures from the core.
const mit_kern = (logik) => (seite, kern) => {
    for (const d of seite.diagramme.values()) d.kern = kern;
    return logik(seite, kern);
};
export const seitenlogik = { 2: mit_kern(seite_2), 3: mit_kern(seite_3) };
