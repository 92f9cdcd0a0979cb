// A chart panel: rows (seconds) by columns (series), value axis from 0 to `bis`, widened to the
// next round number where a curve goes beyond it. Drawn by uPlot in the desktop's colours;
// charts over the same time span share their cursor, and their plots stand over the same
// pixel columns.
import uPlot from 'uplot';
import { breite, css_schrift, farbe, normal, pixel, zeilenhoehe, schrift_px } from './masse.js';
import { lernhilfen, naechster_kennwert } from './lernhilfen.js';
import { protokoll_zeigen } from './protokoll.js';

const schrift = css_schrift(normal);
const zeile_px = zeilenhoehe(schrift_px(normal));
// A line of the head above the plot, as the desktop's: Qt's height of this font (12 px) and 4.
const kopfzeile = 16;
const trenner = ' · '; // between the figures of the summary
const unten_mit_titel = 41;
const unten_ohne_titel = 24;
const aufstieg = Math.round((schrift_px(normal) * 1854) / 2048);

const rund = (v) => Number(v.toPrecision(12));
function marken(von, bis, st) {
    const m = [];
    for (let k = Math.ceil(von / st - 1e-9); k * st <= bis + st * 1e-9; ++k) m.push(rund(k * st));
    return m;
}

export class Diagramm {
    // e: the table's element; x_seite: its left edge in the page; seitenbreite: what is seen.
    // schluessel: charts under the same key share their cursor.
    // kern: the core, whose rules say how the value axis is laid out.
    constructor(e, eltern, x_seite, seitenbreite, schluessel, kern) {
        this.kern = kern;
        this.e = e;
        this.zeilen = e.zeilen;
        this.bis = e.bis;
        this.einheit = e.wert_titel;
        this.name = e.name;
        this.link = null; // the page's: a link to the run shown
        const g = pixel(e.r);
        this.g = g;
        this.x_seite = x_seite;
        // A chart may reach past the page's edge: its plot keeps to what is seen.
        this.sichtbar = Math.min(g.w, seitenbreite - x_seite);
        this.intervalle = kern.wert_intervalle(g.h);
        this.unten = e.zeit_titel ? unten_mit_titel : unten_ohne_titel;
        this.zeit_schritt = kern.schritt(this.zeilen, 3);
        this.gruppe = [this];
        this.zeit_beschriftet = e.zeit_beschriftet;
        this.oben = kopfzeile + 4;
        this.farben = e.farben.map(farbe);
        this.vorher_farben = e.vorher_farben.map(farbe);
        // The learning aids: which columns are set-point and actual value, whether the run
        // before is kept (and named in the legend).
        this.soll = e.kennwerte_soll ?? 0;
        this.ist = e.kennwerte_ist ?? 0;
        this.vergleich = !!e.vergleich;
        this.vergleich_legende = !!e.vergleich_legende;
        // What the next run runs with: { art, werte }, as the core's page run gives it.
        this.lauf = null;
        this.letzte = null;
        this.vorher = null;
        this.fest = null; // a run chosen in the lab notebook, to compare with
        this.kennwerte = null;
        this.kennwerte_gezeigt = null;

        this.div = document.createElement('div');
        this.div.className = 'diagramm';
        Object.assign(this.div.style, {
            left: `${g.x}px`,
            top: `${g.y}px`,
            width: `${g.w}px`,
            height: `${g.h}px`,
        });
        this.div.dataset.name = e.name;
        this.div.setAttribute('role', 'img');
        eltern.append(this.div);

        this.xs = Array.from({ length: this.zeilen }, (_, i) => i + 1);
        this.spalten = e.reihen.map(() => new Array(this.zeilen).fill(null));
        this.gelaufen = false;
        this.wertachse(0, this.bis);
        this.extra_links = 0;
        // Right of the plot, as the desktop leaves it: half of the last time label, and a margin.
        this.rechts_rand = Math.round(breite(String(this.zeilen), normal) / 2 + 3);
        this.pad_rechts = g.w - this.sichtbar + this.rechts_rand;

        const achse = {
            stroke: 'rgb(0,0,0)',
            font: schrift,
            labelFont: schrift,
            grid: { stroke: 'rgb(226,226,226)', width: 1 },
            ticks: { stroke: 'rgb(160,160,160)', width: 1, size: 4 },
            border: { show: true, stroke: 'rgb(160,160,160)', width: 1 },
        };
        this.u = new uPlot(
            {
                width: g.w,
                height: g.h,
                padding: [() => this.oben, () => this.pad_rechts, 0, 2],
                legend: { show: false },
                scales: {
                    x: { time: false, auto: false, range: () => [0, this.zeilen] },
                    y: { auto: false, range: () => [this.von, this.hoch] },
                },
                axes: [
                    {
                        ...achse,
                        label: e.zeit_titel || null,
                        labelSize: e.zeit_titel ? unten_mit_titel - unten_ohne_titel : 0,
                        labelGap: 0,
                        size: unten_ohne_titel,
                        gap: 3,
                        splits: () => marken(0, this.zeilen, this.zeit_schritt),
                        values: (_u, s) => (this.zeit_beschriftet ? s.map(String) : s.map(() => '')),
                    },
                    {
                        ...achse,
                        label: e.wert_titel || null,
                        labelSize: 16,
                        labelGap: 0,
                        gap: 4,
                        size: () => this.y_breite,
                        splits: () => marken(this.von, this.hoch, this.st),
                        values: (_u, s) => s.map(String),
                    },
                ],
                series: [
                    {},
                    ...e.reihen.map((name, i) => ({
                        label: name,
                        stroke: this.farben[i],
                        width: 1.5,
                        points: { show: false },
                        // Each point where it falls, not rounded to whole pixels: at a density
                        // of 1 the rounding kinked the curves, which the desktop draws smooth.
                        pxAlign: 0,
                    })),
                ],
                cursor: {
                    sync: { key: schluessel, setSeries: false },
                    x: true,
                    y: false,
                    points: { show: false },
                    drag: { x: false, y: false, setScale: false },
                    // The cursor stands on whole seconds.
                    move: (u, links, hoehe) => {
                        if (links < 0) return [links, hoehe];
                        return [u.valToPos(this.zeile_bei(u.posToVal(links, 'x')), 'x'), hoehe];
                    },
                },
                hooks: {
                    setCursor: [() => this.zeiger_bewegt()],
                    drawClear: [() => this.darunter_zeichnen()],
                    draw: [() => this.darueber_zeichnen()],
                },
            },
            [this.xs, ...this.spalten],
            this.div,
        );
        this.legende = document.createElement('div');
        this.legende.className = 'legende';
        this.legende.setAttribute('aria-hidden', 'true');
        this.div.append(this.legende);
        this.kopf_setzen(g.w - 60);
        this.div.addEventListener('contextmenu', (ev) => this.menue(ev));
        this.div.addEventListener('keydown', (ev) => this.taste(ev));
        // The read-out by keys ends with the focus.
        this.div.addEventListener('blur', () => {
            if (!this.maus) this.gruppe_zeiger(null);
        });
        this.u.over.addEventListener('mouseenter', () => (this.maus = true));
        this.u.over.addEventListener('mouseleave', () => {
            this.maus = false;
            ablesung_verbergen();
        });
        this.div.setAttribute('aria-label', `Diagramm ${e.reihen.join(', ')}`);
        // A chart of a page that has been ended asks for no more.
        this.beobachter = () => {
            if (this.gelaufen) this.darstellen();
        };
        lernhilfen.beobachten(this.beobachter);
    }

    // The chart of a page that "beenden" ended: uPlot's listeners on the window and its cursor
    // group go with it, and the aids ask it no more.
    zerstoeren() {
        lernhilfen.vergessen(this.beobachter);
        this.u.destroy();
    }

    zeile_bei(wert) {
        return Math.min(this.zeilen, Math.max(1, Math.round(wert)));
    }

    // The value axis for a run's extent: the largest round step with enough intervals, coarser
    // where the labels would not fit the plot's height.
    wertachse(tief, hoch) {
        const plothoehe = this.g.h - this.oben - this.unten;
        const platz = this.kern.marken_platz(plothoehe, zeile_px);
        const { von, bis, schritt: st } = this.kern.wertachse(tief, hoch, this.bis, this.intervalle, platz);
        this.von = von;
        this.hoch = bis;
        this.st = st;
        const b = Math.max(...marken(von, bis, st).map((m) => breite(String(m), normal)));
        // The widest label with the desktop's gaps beside it.
        this.natuerlich_y = Math.round(b + 11);
        this.y_breite = this.natuerlich_y + this.extra_links;
    }

    // The plot's natural edges in the page, before the group is aligned.
    natuerliche_raender() {
        const links = this.x_seite + 2 + 16 + this.natuerlich_y;
        return [links, this.x_seite + this.sichtbar - this.rechts_rand];
    }

    setzeGruppe(gruppe) {
        this.gruppe = gruppe;
    }

    // Each second at the same pixel column in every chart of the group.
    static angleichen(gruppe) {
        const raender = gruppe.map((d) => d.natuerliche_raender());
        const extra = gruppe[0].kern.zeitachsen_angleichen(raender);
        gruppe.forEach((d, i) => {
            const [links, rechts] = [raender[i][0] + extra[i][0], raender[i][1] - extra[i][1]];
            d.extra_links = extra[i][0];
            d.y_breite = d.natuerlich_y + d.extra_links;
            d.pad_rechts = d.x_seite + d.g.w - rechts;
            // The head follows the plot's width; its height sets the plot's top.
            d.kopf_setzen(rechts - links);
            d.u.setSize({ width: d.g.w, height: d.g.h });
            d.legende_setzen(links - d.x_seite);
        });
    }

    // A column (1..n) of a run, then the end of the run: the curves are drawn once.
    spalte(s, werte) {
        const z = this.spalten[s - 1];
        for (let i = 0; i < this.zeilen; ++i) z[i] = i < werte.length ? werte[i] : null;
    }

    lauf_abschliessen() {
        // The columns are written into again by the next run: the run before is a copy.
        if (this.vergleich) {
            if (this.gelaufen) {
                this.vorher = this.letzte;
                this.vorher_lauf = this.letzter_lauf;
            }
            this.letzte = this.spalten.map((z) => z.slice());
            this.letzter_lauf = this.lauf;
        }
        this.kennwerte = null;
        if (this.soll && this.ist && this.kern && this.zeilen > 0) {
            const w = this.spalten[this.soll - 1][0];
            const x = this.spalten[this.ist - 1];
            if (Number.isFinite(w) && x.every((v) => Number.isFinite(v))) {
                this.kennwerte = this.kern.kennwerte(w, Float64Array.from(x));
                this.kennwert_soll = w;
            }
        }
        this.gelaufen = true;
        this.darstellen();
    }

    vorher_sichtbar() {
        return this.vergleich && (this.fest != null || (this.vorher != null && lernhilfen.vorher));
    }

    // The run shown to compare with: one chosen in the lab notebook, else the run before.
    vergleichslauf() {
        return this.fest ?? { spalten: this.vorher, lauf: this.vorher_lauf, titel: 'vorher' };
    }

    // A run chosen to compare with (a row of the lab notebook): drawn as the run before is, named
    // `titel`, whatever the aid's switch says, until it is let go; runs made meanwhile keep it.
    vergleich_setzen(spalten, lauf, titel) {
        if (!this.vergleich) return;
        this.fest = { spalten, lauf, titel };
        if (this.gelaufen) this.darstellen();
    }

    vergleich_loesen() {
        if (this.fest == null) return;
        this.fest = null;
        if (this.gelaufen) this.darstellen();
    }

    // Everything after a run's curves are in, or an aid switched: the run before, the axis, the
    // head above the plot.
    darstellen() {
        const vorher = this.vorher_sichtbar();
        const v = this.vergleichslauf();
        this.vorher_name = vorher ? this.kern.laufname(v.lauf.seite, v.lauf.werte) : '';
        let tief = 0;
        let hoch = this.bis;
        for (const z of vorher ? [...this.spalten, ...v.spalten] : this.spalten)
            for (const v of z)
                if (v != null && Number.isFinite(v)) {
                    tief = Math.min(tief, v);
                    hoch = Math.max(hoch, v);
                }
        this.kennwerte_gezeigt = lernhilfen.kennwerte ? this.kennwerte : null;
        this.kopf_setzen(this.plot().w);
        this.wertachse(tief, hoch);
        this.u.setData([this.xs, ...this.spalten]);
        // The value scale takes no range from the data: told anew, or it keeps the first run's.
        this.u.setScale('y', { min: this.von, max: this.hoch });
        Diagramm.angleichen(this.gruppe);
        this.beschreibung_setzen();
    }

    // The head above the plot, for a plot this wide: the figures' summary (where shown) and the
    // legend (the series; then, where shown, the run before: its dashed lines and what it
    // differs in), laid out by the core's rule from the widths of this font.
    kopf_setzen(plotbreite) {
        const kennwerte = this.kennwerte_gezeigt ? this.kennwerte_gezeigt.zeilen : [];
        const eintraege = this.e.reihen.map((name, i) => ({ text: name, farben: [this.farben[i]], breite: 2 }));
        // The run before in one entry, its dashed lines side by side, then (on the chart that
        // names it) what it differs in.
        if (this.vorher_sichtbar()) {
            const v = this.vergleichslauf();
            const text = this.vergleich_legende ? `${v.titel}:` : v.titel;
            eintraege.push({ text, farben: this.vorher_farben, breite: 1, gestrichelt: true });
            if (this.vergleich_legende)
                for (const t of this.kern.unterschiede(v.lauf.seite, v.lauf.werte, this.letzter_lauf.werte))
                    eintraege.push({ text: t, farben: [] });
        }
        const b = (t) => Math.ceil(breite(t, normal));
        const k = this.kern.kopf(
            kennwerte.map(b),
            eintraege.map((e) => 20 * e.farben.length + b(e.text) + 6),
            b(trenner),
            Math.max(0, plotbreite),
            kopfzeile,
        );
        this.kopf = { ...k, texte: kennwerte, eintraege_texte: eintraege };
        this.oben = Math.ceil(k.hoehe);
    }

    plot() {
        const r = uPlot.pxRatio;
        const b = this.u.bbox;
        return { x: b.left / r, y: b.top / r, w: b.width / r, h: b.height / r };
    }

    // Beneath the curves and the grid: the band of +-1 K around the set-point, the run before.
    darunter_zeichnen() {
        const k = this.kennwerte_gezeigt;
        const vorher = this.vorher_sichtbar();
        if (!k && !vorher) return;
        const ctx = this.u.ctx;
        const b = this.u.bbox;
        const r = uPlot.pxRatio;
        ctx.save();
        ctx.beginPath();
        ctx.rect(b.left, b.top, b.width, b.height);
        ctx.clip();
        if (k) {
            // The band beside the set-point line, never hidden under it.
            const mitte = this.u.valToPos(this.kennwert_soll, 'y', true);
            const kelvin = Math.abs(this.u.valToPos(this.kennwert_soll + 1, 'y', true) - mitte) / r;
            const halb = r * this.kern.band_halbe(kelvin, 0.75 + 2);
            const oben = Math.max(b.top, mitte - halb);
            const unten = Math.min(b.top + b.height, mitte + halb);
            ctx.fillStyle = `rgba(0,0,192,${40 / 255})`;
            if (unten > oben) ctx.fillRect(b.left, oben, b.width, unten - oben);
        }
        if (vorher) {
            ctx.lineWidth = r;
            ctx.setLineDash([4 * r, 2 * r]);
            this.vergleichslauf().spalten.forEach((z, s) => {
                ctx.strokeStyle = this.vorher_farben[s];
                ctx.beginPath();
                let weiter = false;
                z.forEach((v, i) => {
                    if (v == null || !Number.isFinite(v)) return;
                    const x = this.u.valToPos(i + 1, 'x', true);
                    const y = this.u.valToPos(v, 'y', true);
                    if (weiter) ctx.lineTo(x, y);
                    else ctx.moveTo(x, y);
                    weiter = true;
                });
                ctx.stroke();
            });
        }
        ctx.restore();
    }

    // Over the curves: the figures' marks where they are measured, and their summary above the
    // plot.
    darueber_zeichnen() {
        const ctx = this.u.ctx;
        ctx.save();
        ctx.scale(uPlot.pxRatio, uPlot.pxRatio);
        const p = this.plot();
        ctx.font = schrift;
        ctx.fillStyle = '#000';
        ctx.textBaseline = 'alphabetic';
        ctx.textAlign = 'left';
        const grund = (kopfzeile - zeile_px) / 2 + aufstieg;
        const kopf_oben = p.y - this.kopf.hoehe;
        this.kopf.texte.forEach((t, i) => {
            const { x, y } = this.kopf.kennwerte[i];
            if (i > 0 && this.kopf.kennwerte[i - 1].y === y)
                ctx.fillText(trenner, p.x + x - Math.ceil(breite(trenner, normal)), kopf_oben + y + grund);
            ctx.fillText(t, p.x + x, kopf_oben + y + grund);
        });
        const k = this.kennwerte_gezeigt;
        if (k) {
            const bei = (t, v) => [p.x + this.u.valToPos(t, 'x'), p.y + this.u.valToPos(v, 'y')];
            for (const m of this.marken()) {
                const [x0, y0] = bei(m.t0, m.y0);
                const [x1, y1] = bei(m.t1, m.y1);
                ctx.beginPath();
                if (m.art === 'punkt') {
                    ctx.strokeStyle = this.farben[this.ist - 1];
                    ctx.fillStyle = '#fff';
                    ctx.lineWidth = 1.2;
                    ctx.setLineDash([]);
                    ctx.arc(x0, y0, 3.5, 0, 2 * Math.PI);
                    ctx.fill();
                    ctx.stroke();
                    continue;
                }
                ctx.strokeStyle = 'rgb(60,60,60)';
                ctx.lineWidth = 1;
                ctx.setLineDash(m.art === 'strich' ? [1, 2] : []);
                ctx.moveTo(x0, y0);
                ctx.lineTo(x1, y1);
                if (m.art === 'mass') {
                    pfeilspitze(ctx, x0, y0, x1, y1);
                    pfeilspitze(ctx, x1, y1, x0, y0);
                }
                ctx.stroke();
            }
        }
        ctx.restore();
    }

    // The figures' marks as the core places them: [{ art, t0, y0, t1, y1, kennwert }].
    marken() {
        if (!this.kennwerte_gezeigt) return [];
        return this.kern.marken(this.kennwert_soll, Float64Array.from(this.spalten[this.ist - 1]), this.von);
    }

    wert(s, zeile) {
        const v = this.spalten[s - 1]?.[zeile - 1];
        return v != null && Number.isFinite(v) ? v : null;
    }

    // "Soll 50 °C · Ist 66,28 °C", of the last run or of the one before.
    ablesen(zeile, spalten = this.spalten) {
        return this.kern.ablesen(
            this.e.reihen,
            this.e.reihen.map((_, i) => spalten[i]?.[zeile - 1] ?? null),
            this.einheit ?? '',
        );
    }

    // The group's read-out; then, where shown, a line for the run before and one with the
    // nearest figure.
    ablesung(zeile) {
        const vorher = [];
        const kennwert = [];
        let name = '';
        for (const d of this.gruppe) {
            if (d.vorher_sichtbar()) {
                name = d.vorher_name;
                vorher.push(d.ablesen(zeile, d.vergleichslauf().spalten));
            }
            if (d.kennwerte_gezeigt) kennwert.push(naechster_kennwert(d.kennwerte_gezeigt, zeile));
        }
        return this.kern.ablesung(
            zeile,
            this.gruppe.map((d) => d.ablesen(zeile)),
            name,
            vorher,
            kennwert.filter((k) => k),
        );
    }

    zeiger_bewegt() {
        const c = this.u.cursor;
        if (c.left == null || c.left < 0 || c.idx == null) {
            if (this.maus) ablesung_verbergen();
            return;
        }
        this.zeile = this.zeile_bei(this.u.posToVal(c.left, 'x'));
        if (!this.maus && document.activeElement !== this.div) return;
        const r = this.u.over.getBoundingClientRect();
        ablesung_zeigen(this.ablesung(this.zeile), r.left + c.left + 12, r.top + (c.top ?? r.height / 2) + 12);
        // By keys, the read-out is spoken as it moves.
        if (document.activeElement === this.div)
            document.getElementById('vorlesen')?.replaceChildren(this.ablesung(this.zeile));
    }

    // Page 3's charts take the keyboard: Left and Right move the cursor by a second (Shift: ten),
    // Home and End to the ends.
    taste(ev) {
        const s = ev.shiftKey ? 10 : 1;
        const z = this.zeile ?? 0;
        const ziel = {
            ArrowLeft: z ? Math.max(1, z - s) : 1,
            ArrowRight: z ? Math.min(this.zeilen, z + s) : 1,
            Home: 1,
            End: this.zeilen,
        }[ev.key];
        if (ziel == null) return;
        ev.preventDefault();
        this.gruppe_zeiger(ziel);
    }

    // The cursor at a second on every chart of the group, as the keys set it; null ends it.
    gruppe_zeiger(zeile) {
        for (const d of this.gruppe)
            if (zeile == null) d.u.setCursor({ left: -10, top: -10 });
            else d.u.setCursor({ left: d.u.valToPos(zeile, 'x'), top: d.u.over.clientHeight / 2 });
        if (zeile == null) {
            this.zeile = null;
            ablesung_verbergen();
        }
    }

    // The legend where the head puts it: above the plot, right-aligned, never left of it.
    legende_setzen(plot_links) {
        const k = this.kopf;
        this.legende.replaceChildren(
            ...k.eintraege_texte.map((e, i) => {
                const eintrag = document.createElement('span');
                for (const f of e.farben) {
                    const strich = document.createElement('i');
                    strich.style.borderTop = `${e.breite}px ${e.gestrichelt ? 'dashed' : 'solid'} ${f}`;
                    eintrag.append(strich);
                }
                eintrag.append(e.text);
                // Placed inside the frame's 1 px border.
                Object.assign(eintrag.style, {
                    left: `${k.eintraege[i].x - k.legende.x - 1}px`,
                    top: `${k.eintraege[i].y - k.legende.y - 1}px`,
                });
                return eintrag;
            }),
        );
        Object.assign(this.legende.style, {
            left: `${plot_links + k.legende.x}px`,
            top: `${this.oben - k.hoehe + k.legende.y}px`,
            width: `${k.legende.breite}px`,
            height: `${k.legende.hoehe}px`,
        });
        this.legende.hidden = k.eintraege.length === 0;
    }

    beschreibung_setzen() {
        this.div.setAttribute(
            'aria-description',
            this.kern.beschreibung(
                this.einheit,
                this.e.zeit_titel,
                this.vorher_sichtbar() ? this.vorher_name : '',
                this.kennwerte_gezeigt ? this.kopf.texte : [],
            ),
        );
    }

    // The grid as tab-separated text for a spreadsheet: a header row, then one row per second.
    datenText() {
        return this.kern.tabelle('tsv', this.e.reihen, '', this.spalten);
    }

    // The chart as a picture: the canvas with the legend drawn onto it, on white.
    bild() {
        const quelle = this.u.ctx.canvas;
        const c = document.createElement('canvas');
        c.width = quelle.width;
        c.height = quelle.height;
        const ctx = c.getContext('2d');
        ctx.fillStyle = '#fff';
        ctx.fillRect(0, 0, c.width, c.height);
        ctx.drawImage(quelle, 0, 0);
        const v = quelle.width / this.g.w;
        ctx.scale(v, v);
        // The legend as the head places it, in the chart's pixels.
        const kp = this.kopf;
        const links = this.plot().x + kp.legende.x;
        const oben = this.oben - kp.hoehe + kp.legende.y;
        if (kp.eintraege.length) {
            ctx.fillStyle = 'rgba(255,255,255,0.9)';
            ctx.fillRect(links, oben, kp.legende.breite, kp.legende.hoehe);
            ctx.strokeStyle = 'rgb(170,170,170)';
            ctx.lineWidth = 1;
            ctx.strokeRect(links + 0.5, oben + 0.5, kp.legende.breite - 1, kp.legende.hoehe - 1);
        }
        ctx.font = schrift;
        ctx.textBaseline = 'middle';
        kp.eintraege_texte.forEach((e, i) => {
            let x = this.plot().x + kp.eintraege[i].x;
            const mitte = this.oben - kp.hoehe + kp.eintraege[i].y + kopfzeile / 2;
            for (const f of e.farben) {
                ctx.strokeStyle = f;
                ctx.lineWidth = e.breite;
                ctx.setLineDash(e.gestrichelt ? [4, 2] : []);
                ctx.beginPath();
                ctx.moveTo(x, mitte);
                ctx.lineTo(x + 16, mitte);
                ctx.stroke();
                ctx.setLineDash([]);
                x += 20;
            }
            ctx.fillStyle = '#000';
            ctx.fillText(e.text, x, mitte);
        });
        return c;
    }

    menue(ev) {
        ev.preventDefault();
        kontextmenue_zeigen(this.menue_punkte(), ev.clientX, ev.clientY, this.div);
    }

    // The chart menu's entries, in the desktop's order: [text, action, checked] or null for a
    // separator. A picture is copied only where the browser has the asynchronous clipboard (a
    // secure address); text also over plain http.
    menue_punkte() {
        const taten = {
            // The write starts within the click, the picture following as a promise: WebKit
            // refuses one started in toBlob's callback, once the click's activation has gone.
            'Bild kopieren': navigator.clipboard &&
                window.ClipboardItem && [
                    () => {
                        const png = new Promise((fertig, fehler) =>
                            this.bild().toBlob((b) => (b ? fertig(b) : fehler(new Error('kein Bild')))),
                        );
                        navigator.clipboard.write([new ClipboardItem({ 'image/png': png })]).catch(melden);
                    },
                ],
            'Daten kopieren': [() => text_kopieren(this.datenText())],
            'Link zu diesem Lauf kopieren': this.link && [() => text_kopieren(this.link())],
            'Bild speichern …': [() => this.bild().toBlob((b) => herunterladen(b, `${this.e.datei}.png`))],
            'Daten speichern …': [
                () =>
                    herunterladen(
                        new Blob(['\ufeff', this.csvText()], { type: 'text/csv;charset=utf-8' }),
                        `${this.e.datei}.csv`,
                    ),
            ],
            'Kennwerte zeigen': [() => lernhilfen.setzen('kennwerte', !lernhilfen.kennwerte), lernhilfen.kennwerte],
            'Vorherigen Lauf zeigen': [() => lernhilfen.setzen('vorher', !lernhilfen.vorher), lernhilfen.vorher],
            'Versuchsprotokoll …': [protokoll_zeigen],
        };
        return this.e.menue.flatMap((text) => (text ? (taten[text] ? [[text, ...taten[text]]] : []) : [null]));
    }

    // A spreadsheet opens it without asking: where the decimal separator is a comma, ";"
    // between fields; numbers in full (the shortest text that reads back as the same double).
    csvText() {
        return this.kern.tabelle('csv', this.e.reihen, this.einheit ?? '', this.spalten);
    }
}

// The two strokes of an arrowhead at (x1, y1), for a line from (x0, y0).
function pfeilspitze(ctx, x0, y0, x1, y1) {
    const l = Math.hypot(x1 - x0, y1 - y0);
    if (l < 1) return;
    const [ex, ey] = [(x1 - x0) / l, (y1 - y0) / l];
    const lang = Math.min(5, l / 2);
    for (const s of [0.5, -0.5]) {
        ctx.moveTo(x1, y1);
        ctx.lineTo(x1 - ex * lang - ey * lang * s, y1 - ey * lang + ex * lang * s);
    }
}

// ---- the read-out tooltip and the context menu, one of each for the whole page

let tipp = null;
function ablesung_zeigen(text, x, y) {
    if (!tipp) {
        tipp = document.createElement('div');
        tipp.id = 'ablesung';
        tipp.setAttribute('role', 'tooltip');
        document.body.append(tipp);
    }
    tipp.textContent = text;
    tipp.hidden = false;
    const b = tipp.getBoundingClientRect().width; // scaled with the page
    tipp.style.left = `${Math.max(0, Math.min(x, window.innerWidth - b - 4))}px`;
    tipp.style.top = `${y}px`;
}

function ablesung_verbergen() {
    if (tipp) tipp.hidden = true;
}

function melden(fehler) {
    console.warn(`Zwischenablage: ${fehler}`);
}

// Text to the clipboard: where the page has no asynchronous clipboard (a school's server over
// plain http), through a selected text field and the copy command, still within the click.
function text_kopieren(text) {
    if (navigator.clipboard && window.isSecureContext) {
        navigator.clipboard.writeText(text).catch(melden);
        return;
    }
    const feld = document.createElement('textarea');
    feld.value = text;
    feld.setAttribute('readonly', '');
    feld.style.position = 'fixed';
    feld.style.opacity = '0';
    document.body.append(feld);
    feld.select();
    if (!document.execCommand('copy')) melden('copy refused');
    feld.remove();
}

function herunterladen(blob, name) {
    if (!blob) return;
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

let menue = null;
let menue_schliessen = () => {};

// The tooltip and an open menu go with the page they stood over (Back, another page, "beenden").
export function ueberlagerungen_schliessen() {
    ablesung_verbergen();
    menue_schliessen();
}

function kontextmenue_zeigen(punkte, x, y, zurueck) {
    menue_schliessen();
    menue = document.createElement('div');
    menue.className = 'menue';
    menue.setAttribute('role', 'menu');
    const schliessen = () => {
        menue?.remove();
        menue = null;
        document.removeEventListener('pointerdown', aussen, true);
        menue_schliessen = () => {};
    };
    menue_schliessen = schliessen;
    const aussen = (ev) => {
        if (menue && !menue.contains(ev.target)) schliessen();
    };
    for (const punkt of punkte) {
        if (!punkt) {
            const linie = document.createElement('div');
            linie.setAttribute('role', 'separator');
            Object.assign(linie.style, { height: '1px', margin: '3px 1px', background: 'rgb(210,210,210)' });
            menue.append(linie);
            continue;
        }
        const [text, tun, an] = punkt;
        const k = document.createElement('button');
        k.type = 'button';
        k.setAttribute('role', 'menuitem');
        k.textContent = text;
        if (an != null) {
            k.setAttribute('role', 'menuitemcheckbox');
            k.setAttribute('aria-checked', String(an));
            const haken = document.createElement('span');
            haken.setAttribute('aria-hidden', 'true');
            haken.textContent = an ? '✓' : '';
            Object.assign(haken.style, { position: 'absolute', left: '2px' });
            k.style.position = 'relative';
            k.prepend(haken);
        }
        k.addEventListener('click', () => {
            schliessen();
            zurueck.focus({ preventScroll: true });
            tun();
        });
        menue.append(k);
    }
    menue.addEventListener('keydown', (ev) => {
        const knoepfe = [...menue.querySelectorAll('button')];
        const i = knoepfe.indexOf(document.activeElement);
        if (ev.key === 'Escape') {
            schliessen();
            zurueck.focus({ preventScroll: true });
        } else if (ev.key === 'ArrowDown') knoepfe[(i + 1) % knoepfe.length].focus();
        else if (ev.key === 'ArrowUp') knoepfe[(i - 1 + knoepfe.length) % knoepfe.length].focus();
        else return;
        ev.preventDefault();
    });
    document.body.append(menue);
    menue.style.left = `${Math.min(x, window.innerWidth - menue.offsetWidth - 4)}px`;
    menue.style.top = `${Math.min(y, window.innerHeight - menue.offsetHeight - 4)}px`;
    document.addEventListener('pointerdown', aussen, true);
    menue.querySelector('button').focus();
}
