// The program in the browser: four pages from the desktop's tables, one shown at a time, moved
// between with "weiter", "zurück" and the browser's own back and forward.
import './regler.css';
import daten from './seiten.json';
import { ueberlagerungen_schliessen } from './ueberlagerung.js';
import { lernhilfen } from './lernhilfen.js';
import { piep_zaehler } from './piep.js';
import { farbe } from './masse.js';
import { seite_bauen } from './seitenbau.js';
import { seitenlogik } from './seitenlogik.js';
import { felder_vergessen } from './sitzung.js';
import { neue_version_beobachten } from './neue_version.js';
import { tastenzeichen } from './zahlenfeld.js';
import {
    protokoll_csv,
    protokoll_einrichten,
    protokoll_kern,
    protokoll_laden,
    protokoll_leeren,
    protokoll_ungesichert,
    protokoll_zeigen,
    protokoll_zeilen,
    vor_dem_ende,
    waehlen,
} from './protokoll.js';

const programmname = 'NORVA-Regler und Regeltechnik';
// The program's colours around the pages' own, the desktop's, for the style sheet.
for (const [name, f] of Object.entries(daten.farben)) document.documentElement.style.setProperty(`--${name}`, farbe(f));
const buehne = document.getElementById('buehne');
const meldung = document.getElementById('meldung');
const neue_version = document.getElementById('neue-version');
// The core, a part of its own, asked for once the first page is painted (or by the first page
// that needs it): its glue is not parsed while the first page is made.
let kern_versprochen = null;
let kern_da = null;
const kern_bereit = () =>
    (kern_versprochen ??= import('./kern.js')
        .then((k) => k.kern_laden())
        .then((kern) => {
            protokoll_kern(kern);
            return (kern_da = kern);
        }));
const seiten = new Map(); // created on first demand, kept until the program ends
let aktuell = 0;
const messungen = {};

// The whole page as large as the window shows it whole, in width and height, centred; never
// larger than drawn (its charts are pictures); the smallest scale and the one from which it stays
// 1 are the core's, and where the pointer is a finger, so is the page's smallest for a finger.
// Below that the window scrolls. The notice of a new version stands above it.
const finger = window.matchMedia('(pointer: coarse)');
finger.addEventListener('change', () => einpassen());
function einpassen() {
    const s = seiten.get(aktuell);
    if (!s) return;
    // The notice of a new version above the page, the notebook below it, each taking its room.
    const unten = document.querySelector('dialog.protokoll[open]')?.offsetHeight ?? 0;
    const frei = [document.documentElement.clientWidth, window.innerHeight - neue_version.offsetHeight - unten];
    const p = daten.seiten[aktuell - 1];
    let massstab = Math.min(1, frei[0] / s.breite, frei[1] / s.hoehe);
    if (massstab > daten.massstab.ganz_ueber) massstab = 1;
    massstab = Math.max(finger.matches ? p.kleinster_massstab_finger : daten.massstab.kleinster, massstab);
    const [b, h] = [s.breite * massstab, s.hoehe * massstab];
    // Centred where it fits; to be scrolled through (a phone), the page starts at the top.
    const ganz = b <= frei[0] && h <= frei[1];
    s.el.style.transform = massstab < 1 ? `scale(${massstab})` : '';
    document.documentElement.style.setProperty('--massstab', massstab);
    buehne.style.width = `${b}px`;
    buehne.style.height = `${h}px`;
    buehne.style.marginLeft = `${Math.max(0, (frei[0] - b) / 2)}px`;
    buehne.style.marginTop = ganz ? `${(frei[1] - h) / 2}px` : '0';
    // What the notebook covers can be scrolled out from under it.
    buehne.style.marginBottom = `${unten}px`;
}

// Whether the second click of a double click counts is the core's to say. A page the second
// click can land on after a click elsewhere was shown after the core had come (pages with
// charts wait for it, and it is asked for once the first page is painted).
let letzte_seite = 0;
function navigationsknopf(seite, knopf, tun) {
    knopf.addEventListener('click', (ev) => {
        if (kern_da?.klick_gilt(letzte_seite, seite.nummer, ev.detail > 1) === false) return;
        letzte_seite = seite.nummer;
        tun();
    });
}

async function anlegen(nummer) {
    const p = daten.seiten[nummer - 1];
    const el = document.createElement('section');
    el.className = 'seite';
    el.id = `seite-${nummer}`;
    el.setAttribute('aria-label', p.titel);
    el.hidden = true;
    buehne.append(el);
    // Pages with charts are built once the core is there: their axes follow its rules.
    const kern = p.elemente.some((e) => e.typ === 'Diagramm') ? await kern_bereit() : null;
    const seite = seite_bauen(p, el, kern);
    seite.laeufe = p.laeufe;
    seite.titel = p.titel;
    seiten.set(nummer, seite);
    const k = seite.knoepfe;
    if (p.weiter_zu && k.has('weiter')) navigationsknopf(seite, k.get('weiter'), () => gehen(p.weiter_zu));
    if (p.zurueck_zu && k.has('zurück')) navigationsknopf(seite, k.get('zurück'), () => gehen(p.zurueck_zu));
    if (k.has('beenden')) {
        const b = k.get('beenden');
        navigationsknopf(seite, b, beenden);
        // Page 1: which key on "beenden" ends the program is the core's to say.
        if (p.beenden_auf_taste)
            b.addEventListener('keydown', (ev) => {
                const c = tastenzeichen(ev);
                if (c == null) return;
                ev.preventDefault();
                kern_bereit().then((kern) => kern.taste_beendet(c) && beenden());
            });
    }
    const logik = seitenlogik(nummer, p, seite, kern);
    if (logik) {
        seite.logik = logik;
        for (const d of seite.diagramme.values()) d.link = () => logik.link();
        k.get('start')?.addEventListener('click', () => {
            const t0 = performance.now();
            if (!logik.start()) return;
            // Until the charts are painted: their drawing happens before the next frame.
            requestAnimationFrame(() => (messungen.start_bis_gezeichnet = performance.now() - t0));
            messungen.start_bis_gerechnet = performance.now() - t0;
        });
        logik.laden();
    }
    return seite;
}

const anlegen_einmal = new Map();
function seite_holen(nummer) {
    if (!anlegen_einmal.has(nummer)) anlegen_einmal.set(nummer, anlegen(nummer));
    return anlegen_einmal.get(nummer);
}

async function zeigen(nummer) {
    const seite = await seite_holen(nummer);
    if (aktuell && aktuell !== nummer) seiten.get(aktuell).el.hidden = true;
    ueberlagerungen_schliessen();
    aktuell = nummer;
    seite.el.hidden = false;
    document.title = `${seite.titel} – ${programmname}`;
    einpassen();
    seite.tabfolge[0]?.focus({ preventScroll: true });
    window.scrollTo(0, 0);
}

async function gehen(nummer) {
    meldung.hidden = true;
    history.pushState({ seite: nummer }, '', `#seite-${nummer}`);
    await zeigen(nummer);
}

// A tab cannot close itself: the program ends as far as it can, with every page gone, and
// starts again on page 1; where the notebook holds runs not saved, once the user saved or
// discarded them.
async function beenden() {
    if (!(await vor_dem_ende())) return;
    protokoll_leeren();
    felder_vergessen();
    ueberlagerungen_schliessen();
    for (const s of seiten.values()) {
        for (const d of s.diagramme.values()) d.zerstoeren();
        s.el.remove();
    }
    seiten.clear();
    anlegen_einmal.clear();
    aktuell = 0;
    history.pushState({ seite: 1 }, '', '#seite-1');
    await zeigen(1);
    meldung.textContent = 'Das Programm ist beendet. Es beginnt wieder mit Seite 1.';
    meldung.hidden = false;
}

// "#3", "#seite-3" and "?seite=3" open page 3; anything else page 1.
function seite_aus_adresse() {
    const n =
        /^#(?:seite-)?(\d)$/.exec(location.hash)?.[1] ??
        (location.hash ? null : new URLSearchParams(location.search).get('seite'));
    return /^\d$/.test(n ?? '') && n >= 1 && n <= daten.seiten.length ? Number(n) : 1;
}

window.addEventListener('popstate', (ev) => {
    meldung.hidden = true;
    zeigen(ev.state?.seite ?? seite_aus_adresse());
});
// Ctrl and the notebook's letter on any page: the lab notebook.
function strg_l(ev) {
    return ev.key.toUpperCase() === daten.tasten.protokoll && (ev.ctrlKey || ev.metaKey) && !ev.altKey && !ev.shiftKey;
}
document.addEventListener('keydown', (ev) => {
    if (!strg_l(ev)) return;
    ev.preventDefault();
    kern_bereit().then(protokoll_zeigen);
});

// A tab closed (or reloaded) with runs not saved: the browser's own question.
window.addEventListener('beforeunload', (ev) => {
    if (!protokoll_ungesichert()) return;
    ev.preventDefault();
    ev.returnValue = '';
});

window.addEventListener('resize', () => {
    ueberlagerungen_schliessen(); // they stood where the chart was
    einpassen();
});

// For the tests: the program's state as numbers.
window.regler = {
    messungen,
    protokoll: () => protokoll_zeilen(),
    protokoll_ungesichert,
    protokoll_csv,
    protokoll_laden,
    protokoll_waehlen: waehlen,
    piepen: piep_zaehler,
    seite: () => aktuell,
    gehen,
    daten(nummer, name) {
        return seiten.get(nummer)?.diagramme.get(name)?.s.spalten() ?? null;
    },
    // What "Daten kopieren" and "Daten speichern …" write.
    texte(nummer, name) {
        const d = seiten.get(nummer)?.diagramme.get(name);
        return d ? { tsv: d.s.tsv(), csv: d.s.csv() } : null;
    },
    ablesung(nummer, name, zeile) {
        return seiten.get(nummer)?.diagramme.get(name)?.gruppe.kern.ablesung(zeile);
    },
    lernhilfen_setzen(kennwerte, vorher) {
        lernhilfen.setzen('kennwerte', kennwerte);
        lernhilfen.setzen('vorher', vorher);
    },
    // What a chart shows, as the desktop's regler-json writes it for the same runs: its display
    // list, its group's read-out at some seconds, its description and CSV.
    ansicht(nummer, name) {
        const d = seiten.get(nummer)?.diagramme.get(name);
        if (!d) return null;
        const g = d.gruppe.kern;
        return {
            liste: d.s.liste_json(),
            ablesung: [1, 26, Math.min(137, d.zeilen), d.zeilen].map((z) => g.ablesung(z)),
            beschreibung: d.div.getAttribute('aria-description'),
            csv: d.s.csv(),
        };
    },
};

neue_version_beobachten(neue_version, einpassen);

// The first page is shown as soon as its font is there; the core, which only the pages with
// charts and the notebook need, loads meanwhile.
async function start() {
    // Its texts stand where the desktop lays them out, whatever the font; but the first page
    // should not show a fallback font first, and a chart's canvas keeps what it painted.
    await Promise.all(['', 'bold '].map((f) => document.fonts.load(`${f}11px "Regler Sans"`)));
    protokoll_einrichten({
        kern: null,
        seite: (n) => seiten.get(n),
        seiten: () => seiten.values(),
        seite_daten: (n) => daten.seiten[n - 1],
        gehen,
        einpassen,
        melden(text) {
            meldung.textContent = text;
            meldung.hidden = false;
        },
    });
    const n = seite_aus_adresse();
    const verlinkt = location.hash ? null : new URLSearchParams(location.search);
    history.replaceState({ seite: n }, '', `${location.pathname}#seite-${n}`);
    await zeigen(n);
    if (verlinkt) seiten.get(n).logik?.verlinkt(verlinkt);
    await new Promise(requestAnimationFrame);
    messungen.erste_seite = performance.now();
    await kern_bereit();
    window.regler.bereit = true;
}

start().catch((f) => {
    meldung.textContent = `Das Programm konnte nicht starten: ${f.message ?? f}`;
    meldung.hidden = false;
    throw f;
});
