// Builds a page from its table as the desktop's page builder does: every element at its place in
// pixels (regler-json works them out from the twips), frames holding their elements, lines and
// shapes drawn beneath.
import { css_schrift, farbe, pixel } from './masse.js';
import { Zahlenfeld } from './zahlenfeld.js';

const SVG = 'http://www.w3.org/2000/svg';
const weiss = [255, 255, 255];

function svg_element(name, attribute) {
    const e = document.createElementNS(SVG, name);
    for (const [k, v] of Object.entries(attribute)) e.setAttribute(k, v);
    return e;
}

function lage(el, g) {
    Object.assign(el.style, { left: `${g.x}px`, top: `${g.y}px`, width: `${g.w}px`, height: `${g.h}px` });
}

// Kerning stays off as the desktop sets text: the style sheet says so for every element the text
// itself stands in (lines, captions), which this shorthand on their parent does not reach.
function schrift_setzen(el, s) {
    el.style.font = css_schrift(s);
}

// A page surface, frame or picture box: its picture, its own drawing, then its lines and shapes
// beneath whatever it holds.
class Flaeche {
    constructor(el, b, h, grund) {
        this.el = el;
        this.b = b;
        this.h = h;
        this.grund = grund;
        this.zeichnung = svg_element('svg', { width: b, height: h, class: 'zeichnung', 'aria-hidden': 'true' });
        this.formen = svg_element('g', {});
        this.linien = svg_element('g', { 'shape-rendering': 'crispEdges', 'stroke-linecap': 'square' });
        this.zeichnung.append(this.formen, this.linien);
        el.append(this.zeichnung);
        this.n = 0;
    }

    // The pixels the desktop strokes (regler-json writes them).
    linie(l) {
        const [x1, y1, x2, y2, breite] = l.strich;
        this.linien.append(svg_element('line', { x1, y1, x2, y2, stroke: farbe(l.farbe), 'stroke-width': breite }));
    }

    // The outline's path, its width, the hatch lines and whether it is drawn smooth, in pixels as
    // the desktop paints them (regler-json writes them).
    form(f) {
        const u = f.umriss;
        const umriss = (a) => {
            if (f.art === 'Kreis')
                return svg_element('ellipse', {
                    cx: u.x + u.w / 2,
                    cy: u.y + u.h / 2,
                    rx: u.w / 2,
                    ry: u.h / 2,
                    ...a,
                });
            if (f.art === 'RundesRechteck')
                return svg_element('rect', {
                    x: u.x,
                    y: u.y,
                    width: u.w,
                    height: u.h,
                    rx: u.radius,
                    ry: u.radius,
                    ...a,
                });
            // A path, not a rect: a box one pixel wide is drawn as the line it is (SVG draws no
            // rect of width 0; page 4's furnace climbs along one).
            const d = `M${u.x} ${u.y}h${u.w}v${u.h}h${-u.w}Z`;
            return svg_element('path', { d, ...a });
        };
        const g = svg_element('g', { 'shape-rendering': u.glatt ? 'geometricPrecision' : 'crispEdges' });
        if (f.fuellung) g.append(umriss({ fill: farbe(f.fuellung), stroke: 'none' }));
        if (u.schraffur.length) {
            const id = `schraffur-${++Flaeche.zaehler}`;
            const clip = svg_element('clipPath', { id });
            clip.append(umriss({}));
            const striche = svg_element('g', {
                'clip-path': `url(#${id})`,
                stroke: 'black',
                'stroke-width': u.schraffurbreite,
            });
            for (const y of u.schraffur)
                striche.append(svg_element('line', { x1: u.links, y1: y, x2: u.rechts, y2: y }));
            g.append(clip, striche);
        }
        if (f.rand) g.append(umriss({ fill: 'none', stroke: farbe(f.rand), 'stroke-width': u.randbreite }));
        this.formen.append(g);
    }

    // A vector drawing of the page's own, beneath the lines and shapes.
    untergrund(svg_text) {
        const vorlage = document.createElement('template');
        vorlage.innerHTML = svg_text.replace(/^<\?xml[^>]*>\s*/, '');
        const svg = vorlage.content.querySelector('svg');
        svg.querySelectorAll('title, desc').forEach((e) => e.remove());
        svg.setAttribute('width', this.b);
        svg.setAttribute('height', this.h);
        svg.setAttribute('class', 'zeichnung');
        svg.setAttribute('aria-hidden', 'true');
        this.zeichnung.before(svg);
    }
}
Flaeche.zaehler = 0;

function baue_rahmen(e, eltern, flaeche_von) {
    const g = pixel(e.r);
    const el = document.createElement('div');
    el.className = 'rahmen';
    lage(el, g);
    const grund = e.grund ?? flaeche_von.grund;
    if (e.grund) el.style.background = farbe(e.grund);
    schrift_setzen(el, e.schrift);
    if (e.bild) {
        const bild = document.createElement('img');
        bild.src = e.bild;
        // Sharp on screens of two and three pixels to the point as well.
        const stamm = e.bild.replace(/\.png$/, '');
        bild.srcset = `${e.bild} 1x, ${stamm}@2x.png 2x, ${stamm}@3x.png 3x`;
        bild.alt = '';
        bild.className = 'bild';
        el.append(bild);
    }
    const f = new Flaeche(el, g.w, g.h, grund);
    if (e.rand) {
        // The caption interrupts the top border line, both where the desktop places them.
        const rand = document.createElement('div');
        rand.className = 'rand';
        rand.style.top = `${e.rand_oben}px`;
        el.append(rand);
        if (e.titel) {
            const [x, w, h] = e.titel_kasten;
            const titel = document.createElement('span');
            titel.className = 'titel';
            titel.textContent = e.titel;
            Object.assign(titel.style, { left: `${x}px`, width: `${w}px`, height: `${h}px`, background: farbe(grund) });
            el.append(titel);
            el.setAttribute('role', 'group');
            el.setAttribute('aria-label', e.titel);
        }
    }
    eltern.append(el);
    return f;
}

// A label as the desktop lays it out (regler-json writes it): its box, and each line where it
// starts on its baseline; the browser measures none of it.
function baue_text(e, eltern) {
    const el = document.createElement('div');
    el.className = `text ${e.art.toLowerCase()}`;
    schrift_setzen(el, e.schrift);
    if (e.farbe) el.style.color = farbe(e.farbe);
    if (e.grund) el.style.background = farbe(e.grund);
    if (e.rand) el.classList.add('umrandet');
    // A section's title is a heading to a screen reader, at its section's level.
    if (e.ueberschrift) {
        el.setAttribute('role', 'heading');
        el.setAttribute('aria-level', String(e.ueberschrift));
    }
    const [x, y, w, h] = e.kasten;
    lage(el, { x, y, w, h });
    const innen = e.rand ? 1 : 0; // the lines stand inside the border, the places count from outside
    e.zeilen.forEach(([text, lx, ly], i) => {
        const z = document.createElement('span');
        z.className = 'zeile';
        z.textContent = i + 1 < e.zeilen.length ? `${text}\n` : text;
        Object.assign(z.style, {
            left: `${lx - innen}px`,
            top: `${ly - e.aufstieg - innen}px`,
            lineHeight: `${e.aufstieg + e.abstieg}px`,
        });
        el.append(z);
    });
    if (e.name) el.dataset.name = e.name;
    eltern.append(el);
}

// Builds the page `p` (from seiten.json) into `wurzel`; returns its widgets by name.
// kern: the core, for the charts' rules (pages without charts need none).
export function seite_bauen(p, wurzel, kern) {
    const seite = {
        nummer: p.nummer,
        el: wurzel,
        breite: p.breite,
        hoehe: p.hoehe,
        knoepfe: new Map(),
        felder: new Map(),
        diagramme: new Map(),
        elemente: new Map(), // the first widget of each name
    };
    wurzel.style.width = `${seite.breite}px`;
    wurzel.style.height = `${seite.hoehe}px`;
    const behaelter = new Map();
    const grundflaeche = new Flaeche(wurzel, seite.breite, seite.hoehe, weiss);
    const ursprung = new Map([[null, [0, 0]]]); // each frame's corner in the page, for the charts
    const merken = (name, el, inn) => {
        if (!name) return;
        el.dataset.name = name;
        if (inn) el.dataset.in = inn;
        if (!seite.elemente.has(name)) seite.elemente.set(name, el);
    };

    for (const e of p.elemente) {
        const f = e.in ? behaelter.get(e.in) : grundflaeche;
        if (!f) throw new Error(`Seite ${p.nummer}: Rahmen ${e.in} fehlt vor ${e.name ?? e.typ}`);
        const x0 = ursprung.get(e.in ?? null);
        switch (e.typ) {
            case 'Text': {
                baue_text(e, f.el);
                merken(e.name, f.el.lastChild, e.in);
                break;
            }
            case 'Rahmen': {
                const r = baue_rahmen(e, f.el, f);
                merken(e.name, r.el, e.in);
                if (e.name) {
                    behaelter.set(e.name, r);
                    ursprung.set(e.name, [x0[0] + pixel(e.r).x, x0[1] + pixel(e.r).y]);
                }
                if (p.untergruende[e.name]) r.untergrund(p.untergruende[e.name]);
                break;
            }
            case 'Linie':
                f.linie(e);
                break;
            case 'Pfeil':
                e.linien.forEach((l) => f.linie(l));
                break;
            case 'Form':
                f.form(e);
                break;
            case 'Knopf': {
                const k = document.createElement('button');
                k.type = 'button';
                k.className = 'knopf';
                k.textContent = e.text;
                lage(k, pixel(e.r));
                f.el.append(k);
                merken(e.name, k, e.in);
                seite.knoepfe.set(e.name, k);
                break;
            }
            case 'Feld': {
                const i = document.createElement('input');
                i.type = 'text';
                i.className = 'feld';
                i.inputMode = e.dezimal ? 'decimal' : 'numeric';
                i.autocomplete = 'off';
                i.spellcheck = false;
                lage(i, pixel(e.r));
                f.el.append(i);
                merken(e.name, i, e.in);
                seite.felder.set(e.name, new Zahlenfeld(e, i, p.nummer, kern));
                break;
            }
            case 'Diagramm': {
                const ort = [x0[0] + pixel(e.r).x, x0[1] + pixel(e.r).y];
                const d = new kern.Diagramm(e, f.el, ort, seite.breite, kern);
                merken(e.name, d.div, e.in);
                seite.diagramme.set(e.name, d);
                break;
            }
            default:
                throw new Error(`unbekanntes Element ${e.typ}`);
        }
    }

    // The charts that read out together.
    const diagramme = [...seite.diagramme.values()];
    const gruppen = kern?.zeitgruppen(diagramme.map((d) => d.e.zeitgruppe)) ?? [];
    for (const g of gruppen)
        kern.gruppe_bilden(
            g.map((i) => diagramme[i]),
            kern,
        );

    // What the desktop names its widgets for assistive technology.
    for (const z of p.zugang) {
        const el = [...wurzel.querySelectorAll('[data-name]')].find(
            (x) => x.dataset.name === z.name && (x.dataset.in ?? null) === z.in,
        );
        if (!el) continue;
        if (z.zugangsname && el.textContent !== z.zugangsname) el.setAttribute('aria-label', z.zugangsname);
        if (!z.beschreibung || el.classList.contains('diagramm')) continue;
        const feld = seite.felder.get(z.name);
        // A field's in the user's separator.
        const b = feld?.eingabe === el ? kern.feld_beschreibung(p.nummer, z.name) : z.beschreibung;
        el.setAttribute('aria-description', b);
    }

    // Only what the tab order names takes the focus, and Tab follows that order. Its elements
    // take tabindex 0: a positive one would put the page before everything else in the document
    // (the notebook, the browser's own controls). Past either end Tab leaves the page.
    for (const el of wurzel.querySelectorAll('button, input')) el.tabIndex = -1;
    seite.tabfolge = [];
    p.tabfolge.forEach((name) => {
        const el = seite.elemente.get(name);
        if (!el || !(el.matches('button, input') || el.classList.contains('diagramm'))) return;
        seite.tabfolge.push(el);
        el.tabIndex = 0;
    });
    seite.el.addEventListener('keydown', (ev) => {
        if (ev.key !== 'Tab' || ev.ctrlKey || ev.altKey || ev.metaKey || ev.defaultPrevented) return;
        const i = seite.tabfolge.indexOf(document.activeElement);
        const naechstes = i < 0 ? null : seite.tabfolge[i + (ev.shiftKey ? -1 : 1)];
        if (!naechstes) return;
        ev.preventDefault();
        naechstes.focus();
    });
    return seite;
}
