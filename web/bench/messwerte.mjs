// Figures of the browser version, printed, never asserted: the transfer size (gzip), the time
// from loading to the first page painted (five new pages), and "Start Grafik" to the charts
// drawn on page 2 (ten runs). In headless Chromium against the built site, served by nginx as
// the web test serves it.
//   cmake --build --preset wasm --target web_messwerte
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { server_starten } from '../tests/server.mjs';

const web = process.env.REGLER_WEB;
const puppeteer = createRequire(`${process.env.REGLER_NPM}/`)('puppeteer-core');

const dateien = [];
const sammeln = (d) => {
    for (const n of readdirSync(d)) {
        const p = join(d, n);
        if (statSync(p).isDirectory()) sammeln(p);
        else dateien.push(p);
    }
};
sammeln(web);
let ohne_schrift = 0;
let schrift = 0;
for (const d of dateien) {
    const g = gzipSync(readFileSync(d), { level: 9 }).length;
    if (d.endsWith('.woff2')) schrift += g;
    else ohne_schrift += g;
}
console.log(
    `gzip without the font: ${(ohne_schrift / 1024).toFixed(1)} kB; the font: ${(schrift / 1024).toFixed(1)} kB`,
);

const server = await server_starten(web);
const adresse = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu'],
});
try {
    const laden = [];
    for (let i = 0; i < 5; ++i) {
        const neu = await browser.newPage();
        await neu.setViewport({ width: 1100, height: 800 });
        await neu.goto(adresse);
        await neu.waitForFunction('window.regler?.bereit');
        laden.push(await neu.evaluate(() => window.regler.messungen.erste_seite));
        await neu.close();
    }
    laden.sort((a, b) => a - b);
    console.log(
        `load to first page painted: median ${laden[2].toFixed(0)} ms (of ${laden.map(Math.round).join(', ')})`,
    );

    const seite = await browser.newPage();
    await seite.setViewport({ width: 1100, height: 800 });
    await seite.goto(adresse);
    await seite.waitForFunction('window.regler?.bereit');
    await seite.evaluate(() => window.regler.gehen(2));
    // With the learning aids off and on: the work until the charts are ready, and until painted.
    for (const an of [false, true]) {
        await seite.evaluate((an) => window.regler.lernhilfen_setzen(an, an), an);
        const gerechnet = [];
        const gezeichnet = [];
        for (let i = 0; i < 11; ++i) {
            await seite.evaluate(() => delete window.regler.messungen.start_bis_gezeichnet);
            await seite.click('#seite-2 [data-name="start"]');
            await seite.waitForFunction(() => window.regler.messungen.start_bis_gezeichnet != null);
            gerechnet.push(await seite.evaluate(() => window.regler.messungen.start_bis_gerechnet));
            gezeichnet.push(await seite.evaluate(() => window.regler.messungen.start_bis_gezeichnet));
        }
        const median = (l) => l.sort((a, b) => a - b)[5].toFixed(1);
        console.log(
            `"Start Grafik" (page 2, aids ${an ? 'on' : 'off'}): work median ${median(gerechnet)} ms, ` +
                `to charts painted median ${median(gezeichnet)} ms`,
        );
    }
    await seite.evaluate(() => window.regler.lernhilfen_setzen(false, false));
} finally {
    await browser.close();
    server.close();
}
