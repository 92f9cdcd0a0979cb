// The WebAssembly core against the reference data in tests/data/, every number bit for bit (a
// file's name is regler-sim's arguments joined by "_"), and the run as long as the file.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const ordner = process.env.REGLER_KERN_TEST;
const daten = process.env.REGLER_DATEN;
// The test's build of the core, with its raw runs. Node's fetch cannot read a file: the module
// gets the bytes the page would fetch.
const { default: ReglerKern } = await import(pathToFileURL(join(ordner, 'regler_kern_test.js')));
const kern = await ReglerKern({ wasmBinary: readFileSync(join(ordner, 'regler_kern_test.wasm')) });

// Per command: the call; its columns are checked by the names the file's header gives them.
const befehle = {
    pid: (z, n) => kern.pid(z[0], z[1], z[2], z[3], n),
    kaskade: (z, n) =>
        kern.kaskade({ w1: z[0], v1: z[1], tn1: z[2], tv1: z[3], xp2: z[4], tv2: z[5], maxdiff: z[6] }, n),
    aufheizkurve: (_z, n) => kern.aufheizkurve(n),
};

const dateien = readdirSync(daten).filter((d) => d.endsWith('.csv'));
test('reference data present', () => assert.ok(dateien.length >= 20, dateien.join(' ')));

for (const datei of dateien) {
    test(datei, () => {
        const [befehl, ...argumente] = datei.slice(0, -4).split('_');
        const laufen = befehle[befehl];
        assert.ok(laufen, `unknown command in ${datei}`);
        const [kopf, ...zeilen] = readFileSync(join(daten, datei), 'utf8').trimEnd().split('\n');
        const lauf = laufen(argumente.map(Number), zeilen.length);
        // All but the second and the set-point as typed, which the page writes.
        const spalten = kopf
            .split(',')
            .map((name, s) => [name, s])
            .filter(([name]) => !['i', 'w', 'w1'].includes(name));
        for (const [name] of spalten) assert.equal(lauf[name]?.length, zeilen.length, name);
        zeilen.forEach((zeile, k) => {
            const felder = zeile.split(',');
            for (const [name, s] of spalten) {
                const ist = lauf[name][k];
                assert.ok(Object.is(ist, Number(felder[s])), `row ${k + 1} ${name}: ${ist} != ${felder[s]}`);
            }
        });
        if (befehl === 'kaskade') assert.equal(lauf.v1_verworfen, Number(argumente[1]) > 99.9);
    });
}

test('row counts are held to what a chart holds', () => {
    assert.equal(kern.pid(50, 0, 0, 0, -5).milch.length, 0);
    assert.equal(kern.aufheizkurve(40000).istwert.length, 32767);
});
