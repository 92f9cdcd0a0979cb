// A chart panel: rows (seconds) by columns (series), value axis from 0 to `bis`, widened to the
// next round number where a curve goes beyond it. Drawn by uPlot in the desktop's colours;
// charts over the same time span share their cursor, and their plots stand over the same
// pixel columns.
import uPlot from 'uplot';
import { breite, css_schrift, farbe, normal, pixel, zeilenhoehe, schrift_px } from './masse.js';
import { freier_platz, kennwert_zeilen, lernhilfen, naechster_kennwert, vorher_farbe } from './lernhilfen.js';

const reihenfarben = [
    [0, 0, 192],
    [200, 0, 0],
    [0, 140, 0],
    [220, 130, 0],
];
const schrift = css_schrift(normal);
const zeile_px = zeilenhoehe(schrift_px(normal));
const oben = 19; // the legend's row above the plot
const unten_mit_titel = 41;
const unten_ohne_titel = 24;
const rechts_rand = 12; // half of the last time label beyond the plot
const vorher_zeile = zeile_px + 2; // the legend's row for the run before
const abstand = 6; // between the figures' box and any curve

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
        const g = pixel(e.r);
        this.g = g;
        this.x_seite = x_seite;
        // A chart may reach past the page's edge: its plot keeps to what is seen.
        this.sichtbar = Math.min(g.w, seitenbreite - x_seite);
        this.intervalle = kern.wert_intervalle(g.h);
        this.unten = e.zeit_titel ? unten_mit_titel : unten_ohne_titel;
        this.zeit_schritt = kern.schritt(this.zeilen, 3);
        this.gruppe = [this];
        this.zeit_beschriftet = true;
        this.oben = oben;
        // The learning aids: which columns are set-point and actual value, whether the run
        // before is kept (and named in the legend).
        this.soll = e.kennwerte_soll ?? 0;
        this.ist = e.kennwerte_ist ?? 0;
        this.vergleich = !!e.vergleich;
        this.vergleich_legende = !!e.vergleich_legende;
        this.laufname = '';
        this.letzte = null;
        this.vorher = null;
        this.kennwerte = null;
        this.kennwerte_gezeigt = null;
        this.kasten = null;
        this.seitenrand = 0;

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
        this.pad_rechts = g.w - this.sichtbar + rechts_rand;

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
                padding: [() => this.oben, () => this.pad_rechts, 0, () => 2 + this.extra_links],
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
                        stroke: farbe(reihenfarben[i % reihenfarben.length]),
                        width: 1.5,
                        points: { show: false },
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
                    draw: [() => this.gezeichnet && this.gezeichnet(), () => this.darueber_zeichnen()],
                },
            },
            [this.xs, ...this.spalten],
            this.div,
        );
        this.legende_bauen();
        this.div.addEventListener('contextmenu', (ev) => this.menue(ev));
        this.div.addEventListener('keydown', (ev) => this.taste(ev));
        this.u.over.addEventListener('mouseenter', () => (this.maus = true));
        this.u.over.addEventListener('mouseleave', () => {
            this.maus = false;
            ablesung_verbergen();
        });
        this.div.setAttribute('aria-label', `Diagramm ${e.reihen.join(', ')}`);
        // A chart of a page that has been ended asks for no more.
        lernhilfen.beobachten(() => {
            if (this.gelaufen && !this.div.isConnected) return false;
            if (this.gelaufen) this.darstellen();
            return true;
        });
    }

    zeile_bei(wert) {
        return Math.min(this.zeilen, Math.max(1, Math.round(wert)));
    }

    // The value axis for a run's extent: the largest round step with enough intervals, coarser
    // where the labels would not fit the plot's height.
    wertachse(tief, hoch) {
        const plothoehe = this.g.h - this.oben - this.unten;
        const platz = Math.max(2, Math.trunc(plothoehe / (zeile_px + 2 * 4 + 1)));
        const { von, bis, schritt: st } = this.kern.wertachse(tief, hoch, this.bis, this.intervalle, platz);
        this.von = von;
        this.hoch = bis;
        this.st = st;
        const b = Math.max(...marken(von, bis, st).map((m) => breite(String(m), normal)));
        this.natuerlich_y = Math.ceil(b) + 4 + 4;
        this.y_breite = this.natuerlich_y + this.extra_links;
    }

    // The plot's natural edges in the page, before the group is aligned.
    natuerliche_raender() {
        const links = this.x_seite + 2 + 16 + this.natuerlich_y;
        return [links, this.x_seite + this.sichtbar - rechts_rand - this.seitenrand];
    }

    setzeGruppe(gruppe) {
        this.gruppe = gruppe;
    }

    // Each second at the same pixel column in every chart of the group.
    static angleichen(gruppe) {
        const raender = gruppe.map((d) => d.natuerliche_raender());
        const links = Math.max(...raender.map((r) => r[0]));
        const rechts = Math.min(...raender.map((r) => r[1]));
        gruppe.forEach((d, i) => {
            d.extra_links = links - raender[i][0];
            d.y_breite = d.natuerlich_y + d.extra_links;
            d.pad_rechts = d.x_seite + d.g.w - rechts;
            d.u.setSize({ width: d.g.w, height: d.g.h });
            d.legende_setzen();
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
                this.vorher_name = this.letzter_name;
            }
            this.letzte = this.spalten.map((z) => z.slice());
            this.letzter_name = this.laufname;
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
        return this.vergleich && this.vorher != null && lernhilfen.vorher;
    }

    // Everything after a run's curves are in, or an aid switched: the run before, the axis.
    darstellen() {
        const vorher = this.vorher_sichtbar();
        if (this.vergleich_legende) this.legende_vorher(vorher ? `vorher: ${this.vorher_name}` : '');
        let tief = 0;
        let hoch = this.bis;
        for (const z of vorher ? [...this.spalten, ...this.vorher] : this.spalten)
            for (const v of z)
                if (v != null && Number.isFinite(v)) {
                    tief = Math.min(tief, v);
                    hoch = Math.max(hoch, v);
                }
        this.wertachse(tief, hoch);
        this.kennwerte_gezeigt = lernhilfen.kennwerte ? this.kennwerte : null;
        this.kasten_zeilen = this.kennwerte_gezeigt ? kennwert_zeilen(this.kennwerte_gezeigt) : [];
        this.kasten = null;
        this.umbauten = 0;
        if (!this.kennwerte_gezeigt) this.seitenrand = 0;
        this.u.setData([this.xs, ...this.spalten]);
        // The value scale takes no range from the data: told anew, or it keeps the first run's.
        this.u.setScale('y', { min: this.von, max: this.hoch });
        Diagramm.angleichen(this.gruppe);
        this.beschreibung_setzen();
    }

    // The box's place is found once the plot is laid out, before anything is drawn: in a corner
    // clear of every curve, else the free place nearest the top right, else beside the plot (which
    // then gives up room on the right).
    kennwerte_platzieren(plot) {
        const kb = Math.ceil(Math.max(...this.kasten_zeilen.map((z) => breite(z, normal)))) + 10;
        const kh = zeile_px * this.kasten_zeilen.length + 6;
        const platz = (breiter) => {
            const b = Math.floor(plot.w + breiter);
            const h = Math.floor(plot.h);
            if (b <= 0 || h <= 0) return null;
            const belegt = new Uint8Array(b * h);
            const zeichnen = (z) => {
                let a = null;
                for (let i = 0; i < this.zeilen; ++i) {
                    const v = z[i];
                    if (v == null || !Number.isFinite(v)) continue;
                    const p = [this.u.valToPos(i + 1, 'x'), this.u.valToPos(v, 'y')];
                    if (a) {
                        const dx = p[0] - a[0];
                        const dy = p[1] - a[1];
                        const schritte = 1 + Math.trunc(2 * Math.max(Math.abs(dx), Math.abs(dy)));
                        for (let k = 0; k <= schritte; ++k) {
                            const x = Math.round(a[0] + (dx * k) / schritte);
                            const y = Math.round(a[1] + (dy * k) / schritte);
                            if (x >= 0 && x < b && y >= 0 && y < h) belegt[y * b + x] = 1;
                        }
                    }
                    a = p;
                }
            };
            this.spalten.forEach(zeichnen);
            if (this.vorher_sichtbar()) this.vorher.forEach(zeichnen);
            const wo = freier_platz(belegt, b, h, kb + 2 * abstand, kh + 2 * abstand);
            return wo && { x: plot.x + wo[0] + abstand, y: plot.y + wo[1] + abstand, w: kb, h: kh };
        };
        // With room beside the plot now, the plot is first asked as it would be without.
        const breit = platz(this.seitenrand);
        if (breit) {
            if (this.seitenrand) return this.umbauen(0);
            return (this.kasten = platz(0));
        }
        if (this.seitenrand !== kb + 8) return this.umbauen(kb + 8);
        this.kasten = { x: this.sichtbar - kb - 2, y: plot.y, w: kb, h: kh };
        return this.kasten;
    }

    // The plot's width changes: the group is laid out again, and the box placed after that.
    umbauen(rand) {
        this.kasten = null;
        if (this.umbauten++ > 2) return null; // a group whose edges would not settle keeps these
        this.seitenrand = rand;
        queueMicrotask(() => Diagramm.angleichen(this.gruppe));
        return null;
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
            this.kennwerte_platzieren(this.plot());
            const oben = Math.max(b.top, this.u.valToPos(this.kennwert_soll + 1, 'y', true));
            const unten = Math.min(b.top + b.height, this.u.valToPos(this.kennwert_soll - 1, 'y', true));
            ctx.fillStyle = `rgba(0,0,192,${28 / 255})`;
            if (unten > oben) ctx.fillRect(b.left, oben, b.width, unten - oben);
        }
        if (vorher) {
            ctx.lineWidth = r;
            ctx.setLineDash([4 * r, 2 * r]);
            this.vorher.forEach((z, s) => {
                ctx.strokeStyle = farbe(vorher_farbe(reihenfarben[s % reihenfarben.length]));
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

    // Over the curves: the peaks and the figures' box.
    darueber_zeichnen() {
        const k = this.kennwerte_gezeigt;
        if (!k) return;
        const ctx = this.u.ctx;
        ctx.save();
        ctx.scale(uPlot.pxRatio, uPlot.pxRatio);
        ctx.strokeStyle = farbe(reihenfarben[(this.ist - 1) % reihenfarben.length]);
        ctx.fillStyle = '#fff';
        ctx.lineWidth = 1.2;
        const p = this.plot();
        for (const s of k.spitzen) {
            const x = p.x + this.u.valToPos(s, 'x');
            const y = p.y + this.u.valToPos(this.spalten[this.ist - 1][s - 1], 'y');
            ctx.beginPath();
            ctx.arc(x, y, 3.5, 0, 2 * Math.PI);
            ctx.fill();
            ctx.stroke();
        }
        const kasten = this.kasten;
        if (kasten) {
            ctx.strokeStyle = 'rgb(150,150,150)';
            ctx.fillStyle = `rgba(255,255,255,${235 / 255})`;
            ctx.lineWidth = 1;
            ctx.fillRect(kasten.x + 0.5, kasten.y + 0.5, kasten.w - 1, kasten.h - 1);
            ctx.strokeRect(kasten.x + 0.5, kasten.y + 0.5, kasten.w - 1, kasten.h - 1);
            ctx.fillStyle = '#000';
            ctx.font = schrift;
            ctx.textBaseline = 'alphabetic';
            ctx.textAlign = 'left';
            const aufstieg = Math.round((schrift_px(normal) * 1854) / 2048);
            this.kasten_zeilen.forEach((z, i) => ctx.fillText(z, kasten.x + 5, kasten.y + 3 + aufstieg + i * zeile_px));
        }
        ctx.restore();
    }

    wert(s, zeile) {
        const v = this.spalten[s - 1]?.[zeile - 1];
        return v != null && Number.isFinite(v) ? v : null;
    }

    // "Soll 50 °C · Ist 66,28 °C", of the last run or of the one before.
    ablesen(zeile, spalten = this.spalten) {
        return this.e.reihen
            .map((name, i) => {
                const v = spalten[i]?.[zeile - 1];
                if (v == null || !Number.isFinite(v)) return `${name} –`;
                return `${name} ${this.kern.kurz(v)}${this.einheit ? ` ${this.einheit}` : ''}`;
            })
            .join(' · ');
    }

    // Then, where shown, a line for the run before and one with the nearest figure.
    ablesung(zeile) {
        let t = [`t = ${zeile} s`, ...this.gruppe.map((d) => d.ablesen(zeile))].join(' · ');
        const vorher = [];
        const kennwert = [];
        let name = '';
        for (const d of this.gruppe) {
            if (d.vorher_sichtbar()) {
                name = d.vorher_name;
                vorher.push(d.ablesen(zeile, d.vorher));
            }
            if (d.kennwerte_gezeigt) kennwert.push(naechster_kennwert(d.kennwerte_gezeigt, zeile));
        }
        if (vorher.length) t += `\nvorher: ${name} · ${vorher.join(' · ')}`;
        if (kennwert.some((k) => k)) t += `\n${kennwert.filter((k) => k).join(' · ')}`;
        return t;
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
        if (document.activeElement === this.div) this.div.setAttribute('aria-description', this.ablesung(this.zeile));
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
        this.u.setCursor({ left: this.u.valToPos(ziel, 'x'), top: this.u.over.clientHeight / 2 });
    }

    legende_bauen() {
        this.legende = document.createElement('div');
        this.legende.className = 'legende';
        this.legende.setAttribute('aria-hidden', 'true');
        this.e.reihen.forEach((name, i) => {
            const eintrag = document.createElement('span');
            const strich = document.createElement('i');
            strich.style.borderTopColor = farbe(reihenfarben[i % reihenfarben.length]);
            eintrag.append(strich, name);
            this.legende.append(eintrag);
        });
        this.div.append(this.legende);
    }

    // The legend's second row, for the run before: elided to the chart's width, the plot below
    // it moved down by its height; gone without a trace for an empty text.
    legende_vorher(text) {
        if (text === (this.vorher_text ?? '')) return;
        this.vorher_zeile?.remove();
        this.vorher_zeile = null;
        this.legende.style.flexWrap = '';
        this.legende.style.width = '';
        this.legende_breite = 0;
        this.oben = oben;
        this.vorher_text = text;
        if (!text) return;
        const hoechstens = this.g.w - 8 - 30;
        if (breite(text, normal) > hoechstens) {
            let n = text.length;
            while (n > 0 && breite(`${text.slice(0, n)}…`, normal) > hoechstens) --n;
            text = `${text.slice(0, n)}…`;
        }
        this.vorher_text_gezeigt = text;
        // As wide as the wider row, measured (a hidden page lays nothing out).
        let erste = 4;
        for (const name of this.e.reihen) erste += 20 + breite(name, normal) + 6;
        const zeile = document.createElement('span');
        const strich = document.createElement('i');
        const letzte = reihenfarben[(this.e.reihen.length - 1) % reihenfarben.length];
        strich.style.borderTop = `1.5px dashed ${farbe(vorher_farbe(letzte))}`;
        zeile.append(strich, text);
        Object.assign(zeile.style, { flexBasis: '100%', lineHeight: `${vorher_zeile}px` });
        this.legende.append(zeile);
        this.vorher_zeile = zeile;
        const b = Math.ceil(Math.max(erste, 4 + 20 + breite(text, normal) + 6));
        Object.assign(this.legende.style, { flexWrap: 'wrap', width: `${b - 4}px` });
        this.legende_breite = b;
        // The top value label, half above the plot, stays clear of the wider legend.
        this.oben = oben + vorher_zeile + Math.ceil(zeile_px / 2);
    }

    // Right-aligned above the plot, never over a curve.
    legende_setzen() {
        const rechts = this.g.w - this.pad_rechts;
        // Never left of the chart: a wide second row starts at its left edge.
        const links = (this.legende_breite ?? 0) > rechts;
        this.legende.style.left = links ? '0px' : '';
        this.legende.style.right = links ? '' : `${this.g.w - rechts}px`;
        this.legende.style.top = `${Math.max(0, oben - zeile_px - 4 - 2)}px`;
    }

    beschreibung_setzen() {
        const zeit = this.e.zeit_titel || 'Zeit in s';
        const menue_texte = this.menue_punkte()
            .filter((p) => p)
            .map((p) => p[0].replace(/ …$/, ''))
            .join(', ');
        this.div.setAttribute(
            'aria-description',
            `${this.einheit || 'Werte'} über ${zeit}; Pfeiltasten lesen ab; Kontextmenü: ${menue_texte}` +
                (this.vorher_sichtbar() ? `; gestrichelt der Lauf davor (vorher: ${this.vorher_name})` : '') +
                (this.kennwerte_gezeigt ? `; Kennwerte: ${this.kasten_zeilen.join('; ')}` : ''),
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
        const l = this.legende.getBoundingClientRect();
        const d = this.div.getBoundingClientRect();
        const massstab = d.width / this.g.w || 1;
        let x = (l.left - d.left) / massstab;
        const y = (l.top - d.top) / massstab;
        ctx.strokeStyle = 'rgb(170,170,170)';
        ctx.lineWidth = 1;
        ctx.strokeRect(x + 0.5, y + 0.5, l.width / massstab - 1, l.height / massstab - 1);
        ctx.font = schrift;
        ctx.textBaseline = 'middle';
        x += 4;
        this.e.reihen.forEach((name, i) => {
            const mitte = y + (zeile_px + 4) / 2;
            ctx.strokeStyle = farbe(reihenfarben[i % reihenfarben.length]);
            ctx.lineWidth = 2;
            ctx.beginPath();
            ctx.moveTo(x, mitte);
            ctx.lineTo(x + 16, mitte);
            ctx.stroke();
            ctx.fillStyle = '#000';
            ctx.fillText(name, x + 20, mitte);
            x += 20 + ctx.measureText(name).width + 6;
        });
        if (this.vorher_zeile) {
            const mitte = y + zeile_px + 4 + vorher_zeile / 2 - 1;
            x = (l.left - d.left) / massstab + 4;
            ctx.strokeStyle = farbe(vorher_farbe(reihenfarben[(this.e.reihen.length - 1) % reihenfarben.length]));
            ctx.lineWidth = 1.5;
            ctx.setLineDash([6, 3]);
            ctx.beginPath();
            ctx.moveTo(x, mitte);
            ctx.lineTo(x + 16, mitte);
            ctx.stroke();
            ctx.setLineDash([]);
            ctx.fillText(this.vorher_text_gezeigt, x + 20, mitte);
        }
        return c;
    }

    menue(ev) {
        ev.preventDefault();
        kontextmenue_zeigen(this.menue_punkte(), ev.clientX, ev.clientY, this.div);
    }

    // The chart menu's entries: [text, action, checked] or null for a separator. The browser
    // offers the clipboard's entries only where it has a clipboard.
    menue_punkte() {
        const punkte = [];
        if (navigator.clipboard && window.ClipboardItem)
            punkte.push([
                'Bild kopieren',
                () =>
                    this.bild().toBlob((b) =>
                        navigator.clipboard.write([new ClipboardItem({ 'image/png': b })]).catch(melden),
                    ),
            ]);
        if (navigator.clipboard)
            punkte.push(['Daten kopieren', () => navigator.clipboard.writeText(this.datenText()).catch(melden)]);
        punkte.push(['Bild speichern …', () => this.bild().toBlob((b) => herunterladen(b, `${this.e.datei}.png`))]);
        punkte.push([
            'Daten speichern …',
            () =>
                herunterladen(
                    new Blob(['\ufeff', this.csvText()], { type: 'text/csv;charset=utf-8' }),
                    `${this.e.datei}.csv`,
                ),
        ]);
        punkte.push(null);
        punkte.push([
            'Kennwerte zeigen',
            () => lernhilfen.setzen('kennwerte', !lernhilfen.kennwerte),
            lernhilfen.kennwerte,
        ]);
        punkte.push([
            'Vorherigen Lauf zeigen',
            () => lernhilfen.setzen('vorher', !lernhilfen.vorher),
            lernhilfen.vorher,
        ]);
        return punkte;
    }

    // A spreadsheet opens it without asking: where the decimal separator is a comma, ";"
    // between fields; numbers in full (the shortest text that reads back as the same double).
    csvText() {
        return this.kern.tabelle('csv', this.e.reihen, this.einheit ?? '', this.spalten);
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
    const b = tipp.offsetWidth;
    tipp.style.left = `${Math.max(0, Math.min(x, window.innerWidth - b - 4))}px`;
    tipp.style.top = `${y}px`;
}

export function ablesung_verbergen() {
    if (tipp) tipp.hidden = true;
}

function melden(fehler) {
    console.warn(`Zwischenablage: ${fehler}`);
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
function kontextmenue_zeigen(punkte, x, y, zurueck) {
    menue?.remove();
    menue = document.createElement('div');
    menue.className = 'menue';
    menue.setAttribute('role', 'menu');
    const schliessen = () => {
        menue?.remove();
        menue = null;
        document.removeEventListener('pointerdown', aussen, true);
    };
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
