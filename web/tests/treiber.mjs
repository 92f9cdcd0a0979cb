// The three engines behind the same few calls, each in an Xvfb of its own (Firefox's headless clipboard holds no
// pictures), all from Debian's packages: Chromium and Firefox ESR through puppeteer-core (CDP, WebDriver BiDi),
// WebKitGTK through WebKitWebDriver (classic WebDriver, spoken over fetch) under Debian's default language C.UTF-8.
//   { version, gehen(url), auswerten(f, ...args), klicken(auswahl, rechts), strg(taste), bild(pfad),
//     bild_in_ablage() (the clipboard's PNG or null), fehler() (since the last call), schliessen() }
import { spawn, spawnSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { freier_port } from './server.mjs';

const fenster = { width: 1100, height: 800 };

export async function treiber_starten(name) {
    const x = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'], {
        stdio: ['ignore', 'ignore', 'ignore', 'pipe'],
    });
    const display = await new Promise((fertig) => x.stdio[3].once('data', (d) => fertig(`:${String(d).trim()}`)));
    const env = { ...process.env, DISPLAY: display };
    const t = await (name === 'webkit' ? webkit : puppeteer)(name, env).catch((f) => {
        x.kill(); // or its pipe keeps the test from ending
        throw f;
    });
    return {
        ...t,
        bild_in_ablage() {
            const a = spawnSync('xclip', ['-selection', 'clipboard', '-t', 'image/png', '-o'], { env, timeout: 5000 });
            return a.status === 0 ? a.stdout : null;
        },
        async schliessen() {
            await t.schliessen();
            x.kill();
        },
    };
}

async function puppeteer(name, env) {
    const p = createRequire(`${process.env.REGLER_NPM}/`)('puppeteer-core');
    const browser = await p.launch({
        browser: name === 'firefox' ? 'firefox' : 'chrome',
        executablePath: name === 'firefox' ? '/usr/bin/firefox-esr' : '/usr/bin/chromium',
        headless: false,
        env,
        args: name === 'firefox' ? [] : ['--no-sandbox'],
    });
    const seite = (await browser.pages())[0] ?? (await browser.newPage());
    const fehler = [];
    seite.on('console', (m) => ['error', 'warn'].includes(m.type()) && fehler.push(`${m.type()}: ${m.text()}`));
    seite.on('pageerror', (e) => fehler.push(`pageerror: ${e.message}`));
    // A page left with runs not saved asks, as browsers ask: the checks leave.
    seite.on('dialog', (d) => d.accept());
    await seite.setViewport(fenster);
    // German numbers, as the desktop's charts in ansicht.json write them
    if (name === 'firefox')
        await browser.connection.send('emulation.setLocaleOverride', { locale: 'de-DE', userContexts: ['default'] });
    else await (await seite.createCDPSession()).send('Emulation.setLocaleOverride', { locale: 'de-DE' });
    return {
        version: await browser.version(),
        async gehen(url) {
            const rechte = ['clipboard-write', 'clipboard-sanitized-write'];
            if (name !== 'firefox')
                await browser.defaultBrowserContext().overridePermissions(new URL(url).origin, rechte);
            await seite.goto(url);
        },
        auswerten: (f, ...a) => seite.evaluate(f, ...a),
        klicken: (auswahl, rechts) => seite.click(auswahl, { button: rechts ? 'right' : 'left' }),
        async strg(taste) {
            await seite.keyboard.down('Control');
            await seite.keyboard.press(taste);
            await seite.keyboard.up('Control');
        },
        bild: (pfad) => seite.screenshot({ path: pfad }),
        fehler: async () => fehler.splice(0),
        schliessen: () => browser.close(),
    };
}

async function webkit(name, env) {
    const port = await freier_port();
    Object.assign(env, { LANG: 'C.UTF-8', LC_ALL: 'C.UTF-8', LANGUAGE: '' });
    const fahrer = spawn('WebKitWebDriver', [`--port=${port}`], { env, stdio: 'ignore' });
    const anfrage = async (methode, pfad, daten) => {
        const r = await fetch(`http://127.0.0.1:${port}${pfad}`, {
            method: methode,
            headers: { 'content-type': 'application/json' },
            body: daten && JSON.stringify(daten),
        });
        const { value } = await r.json();
        if (value?.error) throw new Error(`WebDriver ${pfad}: ${value.error}: ${value.message}`);
        return value;
    };
    const sitzung = async () => {
        for (let i = 0; ; ++i) {
            const status = await anfrage('GET', '/status').catch((f) => {
                if (i > 100) throw f; // not listening after 5 s
            });
            if (status?.ready) break;
            await new Promise((r) => setTimeout(r, 50));
        }
        return anfrage('POST', '/session', {
            capabilities: {
                alwaysMatch: {
                    'webkitgtk:browserOptions': { args: ['--automation'] },
                    // A page left with runs not saved asks, as browsers ask: the checks leave.
                    unhandledPromptBehavior: 'accept',
                },
            },
        });
    };
    const { sessionId, capabilities } = await sitzung().catch((f) => {
        fahrer.kill();
        throw f;
    });
    const s = (methode, pfad, daten) => anfrage(methode, `/session/${sessionId}${pfad}`, daten);
    await s('POST', '/window/rect', { ...fenster, x: 0, y: 0 });
    const auswerten = async (f, ...a) => {
        const script = `const fertig = arguments[1];
            Promise.resolve().then(() => (${f})(...arguments[0])).then(
                (w) => fertig({ w: w === undefined ? null : w }), (f) => fertig({ f: String(f?.stack ?? f) }));`;
        const { w, f: fehlschlag } = await s('POST', '/execute/async', { script, args: [a] });
        if (fehlschlag) throw new Error(fehlschlag);
        return w;
    };
    const maus = { type: 'pointer', id: 'maus', parameters: { pointerType: 'mouse' } };
    const aktionen = async (quelle) => {
        await s('POST', '/actions', { actions: [quelle] });
        await s('DELETE', '/actions');
    };
    // What the page met, gathered before each new document: WebDriver reports none of it.
    let fehler = [];
    const fehler_holen = async () =>
        (fehler = fehler.concat(await auswerten(() => (window.regler_fehler ?? []).splice(0))));
    return {
        version: `WebKitGTK ${capabilities.browserVersion}`,
        async gehen(url) {
            await fehler_holen().catch(() => {});
            await s('POST', '/url', { url });
            await auswerten(() => {
                const merken = (f) => (window.regler_fehler ??= []).push(f);
                for (const art of ['error', 'warn']) {
                    const bisher = console[art];
                    console[art] = (...a) => merken(`${art}: ${a.join(' ')}`) && bisher.apply(console, a);
                }
                addEventListener('error', (e) => merken(`pageerror: ${e.message}`));
                addEventListener('unhandledrejection', (e) => merken(`pageerror: ${e.reason}`));
            });
        },
        auswerten,
        async klicken(auswahl, rechts) {
            const element = await s('POST', '/element', { using: 'css selector', value: auswahl });
            const [zeigen, knopf] = [{ type: 'pointerMove', origin: element, x: 0, y: 0 }, rechts ? 2 : 0];
            const drucken = ['pointerDown', 'pointerUp'].map((type) => ({ type, button: knopf }));
            await aktionen({ ...maus, actions: [zeigen, ...drucken] });
        },
        async strg(taste) {
            const k = ['keyDown', 'keyUp'];
            const tasten = ['\uE009', taste, taste, '\uE009'].map((value, i) => ({ type: k[i >> 1], value }));
            await aktionen({ type: 'key', id: 'tasten', actions: tasten });
        },
        bild: async (pfad) => writeFileSync(pfad, Buffer.from(await s('GET', '/screenshot'), 'base64')),
        fehler: async () => (await fehler_holen(), fehler.splice(0)),
        async schliessen() {
            await s('DELETE', '').catch(() => {});
            fahrer.kill();
        },
    };
}
