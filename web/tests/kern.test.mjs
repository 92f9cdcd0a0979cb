// The WebAssembly core against the reference data in tests/data/, every number bit for bit (a
// file's name is regler-sim's arguments joined by "_"), and the run as long as the file.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const quelle = process.env.REGLER_QUELLE;
const daten = process.env.REGLER_DATEN;
const { kern_laden } = await import(pathToFileURL(join(quelle, 'kern.js')));
// Node's fetch cannot read a file: the module gets the bytes the page would fetch.
const kern = await kern_laden({ wasmBinary: readFileSync(join(quelle, 'regler_kern.wasm')) });

// Per command: the call, and the CSV columns after i and the set-point text.
const befehle = {
    pid: {
        laufen: (z, n) => kern.pid({ w: z[0], xp: z[1], tn: z[2], tv: z[3] }, n),
        spalten: ['heizplatte', 'pfanne', 'milch', 'y', 'summe'],
        mit_text: true,
    },
    kaskade: {
        laufen: (z, n) =>
            kern.kaskade({ w1: z[0], v1: z[1], tn1: z[2], tv1: z[3], xp2: z[4], tv2: z[5], maxdiff: z[6] }, n),
        spalten: ['x1', 'w2', 'x2', 'y', 'summe', 'y_roh'],
        mit_text: true,
    },
    aufheizkurve: {
        laufen: (_z, n) => kern.aufheizkurve(n),
        spalten: ['heizung', 'stufe', 'istwert'],
        mit_text: false,
    },
};

const dateien = readdirSync(daten).filter((d) => d.endsWith('.csv'));
test('reference data present', () => assert.ok(dateien.length >= 20, dateien.join(' ')));

for (const datei of dateien) {
    test(datei, () => {
        const [befehl, ...argumente] = datei.slice(0, -4).split('_');
        const b = befehle[befehl];
        assert.ok(b, `unknown command in ${datei}`);
        const zeilen = readFileSync(join(daten, datei), 'utf8').trimEnd().split('\n').slice(1);
        const lauf = b.laufen(argumente.map(Number), zeilen.length);
        for (const spalte of b.spalten) assert.equal(lauf[spalte].length, zeilen.length, spalte);
        zeilen.forEach((zeile, k) => {
            const felder = zeile.split(',');
            felder.shift(); // the second
            if (b.mit_text) felder.shift(); // the set-point as typed, which the page writes
            b.spalten.forEach((spalte, s) => {
                const erwartet = Number(felder[s]);
                const ist = lauf[spalte][k];
                assert.ok(Object.is(ist, erwartet), `row ${k + 1} ${spalte}: ${ist} != ${felder[s]}`);
            });
        });
        if (befehl === 'kaskade') assert.equal(lauf.v1_verworfen, Number(argumente[1]) > 99.9);
    });
}

test('row counts are held to what a chart holds', () => {
    assert.equal(kern.pid({ w: 50, xp: 0, tn: 0, tv: 0 }, -5).milch.length, 0);
    assert.equal(kern.aufheizkurve(40000).istwert.length, 32767);
});
