// The checks every engine passes, in the one REGLER_ENGINE names (chromium, firefox or webkit; treiber.mjs): the
// pages load; after the desktop's runs (regler-json's ansicht.json) and the aids switched in a chart's menu, each
// chart (its data to the last bit) and the notebook (Ctrl+L) are the desktop's (every case in Chromium, both aids on
// pages 2 and 3 elsewhere); every element stands where the desktop puts it, no one-line label cut or kerned; "Bild
// kopieren" fills the clipboard; in WebKit under C.UTF-8, 30 cold starts lay page 1 out in its own font.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { server_starten } from './server.mjs';
import { treiber_starten } from './treiber.mjs';
import { ansicht, ansicht_vergleichen, geometrie, lage_vergleichen } from './pruefungen.mjs';

const engine = process.env.REGLER_ENGINE;
const kaltstarts = engine === 'webkit' ? 30 : 0;
const bilder = join(process.env.REGLER_BILDER, engine);
let server, t, adresse;

before(async () => {
    server = await server_starten(process.env.REGLER_WEB, { weitere: kaltstarts });
    adresse = `http://127.0.0.1:${server.address().port}/`;
    t = await treiber_starten(engine);
    mkdirSync(bilder, { recursive: true });
});

after(async () => {
    await t?.schliessen();
    server?.close();
    console.log(`${engine}: ${t?.version}`);
});

const pause = (ms) => new Promise((r) => setTimeout(r, ms));
async function warten(f, ...a) {
    for (let i = 0; i < 400; ++i) {
        const w = await t.auswerten(f, ...a);
        if (w) return w;
        await pause(25);
    }
    throw new Error(`waited in vain for ${f}`);
}
const oeffnen = (url) => t.gehen(url).then(() => warten(() => window.regler?.bereit));
test('pages', async () => {
    await oeffnen(adresse);
    for (let n = 1; n <= 4; ++n) {
        await warten((n) => window.regler.seite() === n, n);
        await t.bild(join(bilder, `seite_${n}.png`));
        if (n < 4) await t.klicken(`#seite-${n} [data-name="weiter"]`);
    }
    // WebKit runs under C.UTF-8, and so reports no language Intl takes.
    const sprache = await t.auswerten(() =>
        Object.getOwnPropertyDescriptor(Navigator.prototype, 'language').get.call(navigator),
    );
    if (engine === 'webkit') assert.throws(() => Intl.getCanonicalLocales(sprache), RangeError, sprache);
});

const faelle =
    engine === 'chromium'
        ? ansicht
        : [2, 3].map((nr) => ansicht.find((f) => f.seite === nr && f.kennwerte && f.vorher && f.laeufe.length));
// A run's fields, set in the page.
const setzen = (nr, felder) => {
    for (const [n, v] of Object.entries(felder)) document.querySelector(`#seite-${nr} [data-name="${n}"]`).value = v;
};
test('aids and runs', async () => {
    for (const fall of faelle) {
        const [nr, fall_nr] = [fall.seite, ansicht.indexOf(fall)];
        await t.auswerten(() => window.regler.lernhilfen_setzen(false, false) ?? sessionStorage.clear());
        await oeffnen(`${adresse}?fall=${fall_nr}#seite-${nr}`);
        for (const id of ['kennwerte', 'vorher'].filter((id) => fall[id])) {
            await t.klicken(`#seite-${nr} [data-name="${fall.diagramme[0].name}"]`, true);
            await t.klicken(`.menue [data-id="${id}"]`);
        }
        for (const felder of fall.laeufe) {
            await t.auswerten(setzen, nr, felder);
            await t.klicken(`#seite-${nr} [data-name="start"]`);
        }
        await t.auswerten(() => new Promise(requestAnimationFrame));
        await t.bild(join(bilder, `lernhilfen_${fall_nr}.png`));
        assert.deepEqual(await ansicht_vergleichen(fall, t.auswerten), [], `case ${fall_nr}`);
    }
    await t.auswerten(() => window.regler.lernhilfen_setzen(false, false));
});

test('notebook', async () => {
    // Opened by its key, its rows' numbers read, closed again.
    const nummern = async () => {
        await t.strg('l');
        const n = await warten(
            () =>
                document.querySelector('dialog[open]') &&
                [...document.querySelectorAll('tbody tr')].map((z) => z.dataset.nummer),
        );
        await t.klicken('dialog.protokoll [data-tat="schliessen"]');
        return n;
    };
    await t.auswerten(() => window.regler.gehen(3));
    const vorher = await nummern();
    await t.klicken('#seite-3 [data-name="start"]');
    assert.deepEqual(await nummern(), [...vorher, String(vorher.length + 1)]);
});

test('layout', async () => {
    const abweichungen = [];
    for (const { nummer } of geometrie.seiten) {
        await t.auswerten((n) => window.regler.gehen(n), nummer);
        abweichungen.push(...(await lage_vergleichen(nummer, t.auswerten)));
    }
    assert.deepEqual(abweichungen, []);
});

// The chart as a picture at twice the screen's resolution, as the desktop copies it, on the clipboard (the page's
// own address is a secure context, where the menu offers it; where in the menu: seiten.test.mjs).
test('copy picture', async () => {
    await t.auswerten(() => window.regler.gehen(2));
    await t.klicken('#seite-2 [data-name="graph"]', true);
    await t.klicken('.menue [data-id="bild_kopieren"]');
    let png = null;
    for (let i = 0; i < 40 && !png; ++i) png = (await pause(50), await t.bild_in_ablage());
    assert.ok(png, 'nothing on the clipboard');
    const groesse = await t.auswerten(() => {
        const e = document.querySelector('#seite-2 [data-name="graph"]');
        const f = 2 * Math.max(1, window.devicePixelRatio);
        return [Math.round(e.offsetWidth * f), Math.round(e.offsetHeight * f)];
    });
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], groesse);
});

if (kaltstarts)
    test(`${kaltstarts} cold starts`, async () => {
        const anders = [];
        for (const port of server.ports) {
            await oeffnen(`http://127.0.0.1:${port}/`);
            const l = await lage_vergleichen(1, t.auswerten);
            if (l.length) anders.push(`${port}: ${l.slice(0, 3).join('; ')}`);
        }
        console.log(`${engine}: ${anders.length} of ${kaltstarts} cold starts laid page 1 out otherwise`);
        assert.deepEqual(anders, []);
    });

test('no errors', async () => assert.deepEqual(await t.fehler(), []));
