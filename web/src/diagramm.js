// A chart panel: the core's chart (darstellung/schaubild, through web/kern.cpp) painted on canvas
// as its display list says, the keys and the pointer handed to it. The list's picture is painted
// into a canvas of its own whenever the core's picture changes; the cursor and the focus frame
// on a canvas over it. Charts over one time span share the core's group: one cursor, plots over
// the same pixel columns. A part of its own with the core, loaded after the first page.
import { lernhilfen } from './lernhilfen.js';
import { protokoll_zeigen, vorschlag_uebernehmen } from './protokoll.js';
import {
    herunterladen,
    kontextmenue_zeigen,
    melden,
    text_kopieren,
    tipp_verbergen,
    tipp_zeigen,
} from './ueberlagerung.js';

// A list's elements (lines, surfaces, rings, texts) onto a canvas, as the desktop's QPainter
// paints them.
export function malen(ctx, liste, elemente) {
    const [x, y, b, h] = liste.plot;
    for (const e of elemente) {
        const s = liste.stile[e.stil];
        const p = e.punkte;
        ctx.save();
        if (e.im_plot) {
            ctx.beginPath();
            ctx.rect(x, y, b, h);
            ctx.clip();
        }
        ctx.strokeStyle = s.farbe;
        ctx.lineWidth = s.breite;
        ctx.setLineDash(s.strich);
        ctx.lineCap = 'butt';
        ctx.lineJoin = 'round';
        if (e.art === 0) {
            ctx.beginPath();
            for (let i = 0; i < p.length; i += 2) (i ? ctx.lineTo : ctx.moveTo).call(ctx, p[i], p[i + 1]);
            ctx.stroke();
        } else if (e.art === 1) {
            if (s.fuellung) {
                ctx.fillStyle = s.fuellung;
                ctx.fillRect(p[0], p[1], p[2] - p[0], p[3] - p[1]);
            }
            if (s.breite > 0) ctx.strokeRect(p[0], p[1], p[2] - p[0], p[3] - p[1]);
        } else if (e.art === 2) {
            ctx.beginPath();
            ctx.arc(p[0], p[1], e.mass, 0, 2 * Math.PI);
            if (s.fuellung) {
                ctx.fillStyle = s.fuellung;
                ctx.fill();
            }
            if (s.breite > 0) ctx.stroke();
        } else {
            ctx.font = `${e.fett ? 'bold ' : ''}${e.mass}px "Regler Sans"`;
            if ('fontKerning' in ctx) ctx.fontKerning = 'none';
            ctx.fillStyle = s.farbe;
            ctx.translate(p[0], p[1]);
            if (e.senkrecht) ctx.rotate(-Math.PI / 2);
            ctx.fillText(e.text, 0, 0);
        }
        ctx.restore();
    }
}

const tasten = { ArrowLeft: 'links', ArrowRight: 'rechts', Home: 'anfang', End: 'ende', ContextMenu: 'menue' };

export class Diagramm {
    // e: the table's element; eltern: its frame; ort: its box's corner in the page; seitenbreite:
    // what is seen of the page; kern: the core.
    constructor(e, eltern, ort, seitenbreite, kern) {
        this.kern = kern;
        this.e = e;
        this.zeilen = e.zeilen;
        this.ort = ort;
        this.link = null; // the page's: a link to the run shown
        this.s = new kern.Schaubild(e);
        this.s.komma_setzen(kern.komma());
        this.s.groesse_setzen(e.breite, e.hoehe, Math.min(e.breite, seitenbreite - ort[0]), 1);
        this.gruppe = null; // { kern, mitglieder }, the page's
        this.stand = -1;
        this.div = document.createElement('div');
        this.div.className = 'diagramm';
        this.div.dataset.name = e.name;
        this.div.setAttribute('role', 'img');
        this.div.setAttribute('aria-label', this.s.name());
        const [x, y] = e.r;
        Object.assign(this.div.style, {
            left: `${x}px`,
            top: `${y}px`,
            width: `${e.breite}px`,
            height: `${e.hoehe}px`,
        });
        this.leinwaende = ['bild', 'oben'].map(() => {
            const c = document.createElement('canvas');
            this.div.append(c);
            return c;
        });
        eltern.append(this.div);
        this.div.addEventListener('pointermove', (ev) => this.zeigen(ev));
        this.div.addEventListener('pointerenter', () => (this.maus = true));
        this.div.addEventListener('pointerleave', () => {
            this.maus = false;
            this.gruppe_zeiger(0);
        });
        this.div.addEventListener('contextmenu', (ev) => {
            ev.preventDefault();
            if (performance.now() - this.lang_gedrueckt > 1000) this.menue(ev.clientX, ev.clientY);
        });
        // A finger held still for half a second opens the menu as a right click does (Safari on
        // an iPad sends no contextmenu for it); a finger moved reads the curves, as the mouse.
        this.lang_gedrueckt = -Infinity;
        let druck = null;
        const loslassen = () => {
            clearTimeout(druck?.uhr);
            druck = null;
        };
        this.div.addEventListener('pointerdown', (ev) => {
            loslassen();
            if (ev.pointerType === 'mouse') return;
            const [x, y] = [ev.clientX, ev.clientY];
            const uhr = setTimeout(() => {
                druck = null;
                this.lang_gedrueckt = performance.now();
                this.menue(x, y);
            }, 500);
            druck = { x, y, uhr };
            this.zeigen(ev);
        });
        this.div.addEventListener('pointermove', (ev) => {
            if (druck && Math.hypot(ev.clientX - druck.x, ev.clientY - druck.y) > 10) loslassen();
        });
        for (const art of ['pointerup', 'pointercancel']) this.div.addEventListener(art, loslassen);
        this.div.addEventListener('keydown', (ev) => this.taste(ev));
        this.div.addEventListener('focus', () => this.fokus(true));
        this.div.addEventListener('blur', () => this.fokus(false));
        // A chart of a page that has been ended asks for no more.
        this.beobachter = () => this.schalten();
        lernhilfen.beobachten(this.beobachter);
        this.s.schalter_setzen(lernhilfen.kennwerte, lernhilfen.vorher, lernhilfen.projektor);
    }

    // The chart of a page that "beenden" ended; the group goes with its first chart.
    zerstoeren() {
        lernhilfen.vergessen(this.beobachter);
        if (this.gruppe?.mitglieder[0] === this) this.gruppe.kern.delete();
        this.s.delete();
    }

    schalten() {
        this.s.schalter_setzen(lernhilfen.kennwerte, lernhilfen.vorher, lernhilfen.projektor);
        this.darstellen();
    }

    // A column (1..n) of a run; what it ran with; the end of the run: the curves drawn once.
    spalte(s, werte) {
        this.s.spalte_setzen(s, werte);
    }
    lauf_setzen(seite, werte) {
        this.s.lauf_setzen(seite, werte);
    }
    lauf_abschliessen() {
        this.s.lauf_abschliessen();
        this.darstellen();
    }
    // Runs to compare with: [{ seite, werte, spalten, titel }]; none: let go of them.
    vergleiche_setzen(laeufe) {
        this.s.vergleiche_setzen(laeufe);
        this.darstellen();
    }

    // After anything the layout depends on: the group laid out and painted.
    darstellen() {
        this.gruppe.kern.angleichen();
        for (const d of this.gruppe.mitglieder) {
            d.zeichnen();
            d.div.setAttribute('aria-description', d.s.beschreibung());
        }
    }

    zeichnen() {
        const dpr = window.devicePixelRatio || 1;
        const [b, h] = [this.e.breite, this.e.hoehe];
        const neu = this.leinwaende[0].width !== Math.round(b * dpr);
        for (const c of neu ? this.leinwaende : []) {
            c.width = Math.round(b * dpr);
            c.height = Math.round(h * dpr);
        }
        const stand = this.s.bildstand();
        if (stand !== this.stand || neu) {
            const l = this.s.liste('bild');
            const ctx = this.leinwaende[0].getContext('2d');
            ctx.setTransform(dpr, 0, 0, dpr, 0, 0);
            ctx.clearRect(0, 0, b, h);
            malen(ctx, l, l.bild);
            this.stand = stand;
        }
        const l = this.s.liste('oben');
        const ctx = this.leinwaende[1].getContext('2d');
        ctx.setTransform(dpr, 0, 0, dpr, 0, 0);
        ctx.clearRect(0, 0, b, h);
        malen(ctx, l, l.oben);
    }

    // A point of the window in the chart's pixels, and the page's scale.
    punkt(x, y) {
        const r = this.div.getBoundingClientRect();
        const k = r.width / this.e.breite;
        return [(x - r.left) / k, (y - r.top) / k, k];
    }

    zeigen(ev) {
        const [x, y] = this.punkt(ev.clientX, ev.clientY);
        this.gruppe_zeiger(this.s.zeile_bei(x, y), ev.clientX, ev.clientY);
    }

    // The cursor at a row on every chart of the group (0: none), with the tooltip at (x, y) in
    // the window, or where the row stands for the keys.
    gruppe_zeiger(zeile, x, y) {
        const g = this.gruppe;
        g.kern.zeiger(zeile);
        for (const d of g.mitglieder) d.zeichnen();
        if (!zeile) return tipp_verbergen();
        const text = g.kern.ablesung(zeile);
        const r = this.div.getBoundingClientRect();
        const k = r.width / this.e.breite;
        x ??= r.left + this.s.spalte_x(zeile) * k;
        y ??= r.top + r.height / 2;
        const box = this.kern.tipp(text);
        tipp_zeigen(text, box, x + box.versatz, y + box.versatz, k);
    }

    // Left and Right move the cursor by a second (Shift: ten), Home and End to the ends; the
    // Menu key and Shift+F10 open the menu. A screen reader hears the second and the values.
    taste(ev) {
        const name = ev.key === 'F10' && ev.shiftKey ? 'menue' : tasten[ev.key];
        if (!name) return;
        ev.preventDefault();
        const w = this.s.taste(name, ev.shiftKey);
        if (w.menue) {
            const r = this.div.getBoundingClientRect();
            const z = this.s.zeiger();
            this.menue(
                z ? r.left + this.s.spalte_x(z) * (r.width / this.e.breite) : r.left + r.width / 2,
                r.top + r.height / 2,
            );
        } else if (w.zeile >= 1) {
            this.gruppe_zeiger(w.zeile);
            document.getElementById('vorlesen')?.replaceChildren(this.gruppe.kern.ansage(w.zeile));
        }
    }

    // The read-out by keys ends with the focus.
    fokus(an) {
        this.s.fokus_setzen(an);
        if (!an && !this.maus) this.gruppe_zeiger(0);
        else this.zeichnen();
    }

    // The chart as a picture, for slides: at the core's multiple of the screen's resolution, on
    // white.
    bild() {
        const f = this.kern.bild_faktor * Math.max(1, window.devicePixelRatio || 1);
        const c = document.createElement('canvas');
        c.width = Math.round(this.e.breite * f);
        c.height = Math.round(this.e.hoehe * f);
        const ctx = c.getContext('2d');
        ctx.fillStyle = '#fff';
        ctx.fillRect(0, 0, c.width, c.height);
        ctx.scale(f, f);
        const l = this.s.liste('bild');
        malen(ctx, l, l.bild);
        return c;
    }

    // The menu's entries as the core makes them, each doing what its id says; what this browser
    // cannot do is left out: a picture is copied only where it has the asynchronous clipboard (a
    // secure address), text also over plain http.
    menue(x, y) {
        this.gruppe_zeiger(0);
        const datei = this.e.datei;
        const taten = {
            // The write starts within the click, the picture following as a promise: WebKit
            // refuses one started in toBlob's callback, once the click's activation has gone.
            bild_kopieren:
                navigator.clipboard &&
                window.ClipboardItem &&
                (() => {
                    const png = new Promise((fertig, fehler) =>
                        this.bild().toBlob((b) => (b ? fertig(b) : fehler(new Error('kein Bild')))),
                    );
                    navigator.clipboard.write([new ClipboardItem({ 'image/png': png })]).catch(melden);
                }),
            daten_kopieren: () => text_kopieren(this.s.tsv()),
            link_kopieren: this.link && (() => text_kopieren(this.link())),
            bild_speichern: () => this.bild().toBlob((b) => herunterladen(b, `${datei}.png`)),
            daten_speichern: () =>
                herunterladen(new Blob(['\ufeff', this.s.csv()], { type: 'text/csv;charset=utf-8' }), `${datei}.csv`),
            kennwerte: () => lernhilfen.setzen('kennwerte', !lernhilfen.kennwerte),
            vorher: () => lernhilfen.setzen('vorher', !lernhilfen.vorher),
            projektor: () => lernhilfen.setzen('projektor', !lernhilfen.projektor),
            vorschlag: () => {
                const t = this.s.tangente();
                if (t) vorschlag_uebernehmen(this.kern.methode_2(t.k_k, t.l_s));
            },
            protokoll: protokoll_zeigen,
        };
        const punkte = this.s
            .menue()
            .filter((p) => !p || taten[p.id])
            .map(
                (p) =>
                    p && {
                        id: p.id,
                        text: p.text,
                        tun: taten[p.id],
                        an: p.schaltbar ? p.an : null,
                        moeglich: p.moeglich,
                    },
            );
        kontextmenue_zeigen(punkte, x, y, this.div);
    }
}

// The charts of a page over one time span as one group of the core's, laid out together.
export function gruppe_bilden(diagramme, kern) {
    const g = { kern: new kern.Zeitgruppe(), mitglieder: diagramme };
    for (const d of diagramme) {
        g.kern.aufnehmen(d.s, d.ort[0], d.ort[1]);
        d.gruppe = g;
    }
    diagramme[0].darstellen();
}
