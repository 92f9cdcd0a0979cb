// The simulation core in WebAssembly: each run comes back as columns of doubles, straight from
// the core's buffer, so that the charts hold the desktop's numbers to the last bit.
import ReglerKern from './regler_kern.js';
import { dezimalzeichen } from './zahlen.js';

export async function kern_laden(optionen = {}) {
    const m = await ReglerKern(optionen);
    // The buffer is read after the call: a run that grows the memory replaces HEAPF64.
    const spalten = (zeiger, n, namen) => {
        const k = namen.length;
        const zeilen = m.HEAPF64.subarray(zeiger / 8, zeiger / 8 + n * k);
        const aus = {};
        namen.forEach((name, s) => {
            const spalte = new Float64Array(n);
            for (let i = 0; i < n; ++i) spalte[i] = zeilen[i * k + s];
            aus[name] = spalte;
        });
        return aus;
    };
    const anzahl = (n) => Math.max(0, Math.min(32767, n | 0));
    // A zero-terminated UTF-8 text in the module's memory.
    const text = (zeiger) => {
        const ende = m.HEAPU8.indexOf(0, zeiger);
        return new TextDecoder().decode(m.HEAPU8.subarray(zeiger, ende));
    };
    const komma = () => dezimalzeichen().codePointAt(0);
    // A run's columns, as the core names them.
    const namen = (lauf) => text(m._regler_spalten(lauf)).split(',');
    // Lines of text into the core's text input.
    const texte_setzen = (zeilen) => {
        const bytes = new TextEncoder().encode(zeilen.map((z) => `${z}\n`).join(''));
        m.HEAPU8.set(bytes, m._regler_texteingabe(bytes.length));
    };
    // A page run's description and numbers as the core hands them back.
    const lauf_lesen = (json) => {
        const e = JSON.parse(json);
        let z = m._regler_zahlen() / 8;
        const nehmen = (n) => {
            const a = Float64Array.from(m.HEAPF64.subarray(z, z + n));
            z += n;
            return a;
        };
        const lauf = Array.from(nehmen(e.lauf));
        const spalten = e.spalten.map(([diagramm, spalte, n]) => ({ diagramm, spalte, werte: nehmen(n) }));
        return { ...e, lauf, spalten, soll: nehmen(1)[0] };
    };
    // Lab notebook rows as the core reads them: number, second, page, run values, figures.
    const protokoll_zahlen = (zeilen) =>
        zeilen.flatMap((z) => [
            z.nummer,
            z.sekunde,
            z.seite,
            z.werte.length,
            ...z.werte,
            ...[
                'anregelzeit_s',
                'ueberschwingen_k',
                'zeit_maximum_s',
                'schwingungsdauer_s',
                'ausregelzeit_s',
                'bleibende_abweichung_k',
            ].map((n) => z.k[n] ?? NaN),
        ]);
    // Numbers into the core's input.
    const setzen = (werte) => {
        const ein = m._regler_eingabe(werte.length);
        m.HEAPF64.set(werte, ein / 8);
    };
    return {
        // f: the fields of page 2 as read (w, xp, tn, tv).
        pid(f, n) {
            n = anzahl(n);
            const z = m._regler_pid(f.w, f.xp, f.tn, f.tv, n);
            return spalten(z, n, namen(0));
        },
        // f: the fields of page 3 as read (w1, v1, tn1, tv1, xp2, tv2, maxdiff).
        kaskade(f, n) {
            n = anzahl(n);
            const z = m._regler_kaskade(f.w1, f.v1, f.tn1, f.tv1, f.xp2, f.tv2, f.maxdiff, n);
            const aus = spalten(z, n, namen(1));
            aus.v1_verworfen = m._regler_v1_verworfen() !== 0;
            return aus;
        },
        // The figures of a run's actual values x against w, and the seconds of its peaks; null
        // where a figure has none.
        kennwerte(w, x) {
            const n = anzahl(x.length);
            const ein = m._regler_eingabe(n);
            m.HEAPF64.set(x.subarray ? x.subarray(0, n) : x.slice(0, n), ein / 8);
            const z = m._regler_kennwerte(w, komma()) / 8;
            const a = m.HEAPF64.subarray(z, z + 7);
            const naechste = m._regler_naechste_kennwerte();
            const oder_null = (v) => (Number.isNaN(v) ? null : v);
            return {
                anregelzeit_s: oder_null(a[0]),
                ueberschwingen_k: a[1],
                zeit_maximum_s: oder_null(a[2]),
                schwingungsdauer_s: oder_null(a[3]),
                ausregelzeit_s: oder_null(a[4]),
                bleibende_abweichung_k: oder_null(a[5]),
                spitzen: Array.from(m.HEAPF64.subarray(z + 7, z + 7 + a[6])),
                // The box's lines and, for each second, the line nearest to it: the desktop's.
                zeilen: text(m._regler_kennwert_texte()).split('\n').slice(0, -1),
                naechste: Int32Array.from(m.HEAP32.subarray(naechste / 4, naechste / 4 + n)),
            };
        },
        // The charts' value axis, as the desktop lays it out: { von, bis, schritt }.
        wertachse(tief, hoch, bis, intervalle, platz) {
            const z = m._regler_wertachse(tief, hoch, bis, intervalle, platz) / 8;
            const [von, bis_, schritt] = m.HEAPF64.subarray(z, z + 3);
            return { von, bis: bis_, schritt };
        },
        marken_platz: (achsenhoehe, markenhoehe) => m._regler_marken_platz(achsenhoehe, markenhoehe),
        // Charts of a time-axis group: [links, rechts] of each plot alone; back, each one's extra
        // room [left, right] that puts all between the innermost edges.
        zeitachsen_angleichen(raender) {
            setzen(raender.flat());
            const z = m._regler_zeitachsen_angleichen(raender.length) / 8;
            return raender.map((_, i) => [m.HEAPF64[z + 2 * i], m.HEAPF64[z + 2 * i + 1]]);
        },
        schritt: (spanne, mindestens) => m._regler_schritt(spanne, mindestens),
        wert_intervalle: (hoehe_px) => m._regler_wert_intervalle(hoehe_px),
        // A chart's grid as the desktop writes it: tab-separated ('tsv') or CSV ('csv').
        // spalten: k columns of n cells (null: empty).
        tabelle(art, reihen, einheit, spalten) {
            const k = spalten.length;
            const n = anzahl(Math.max(0, ...spalten.map((s) => s.length)));
            const zahlen = m._regler_eingabe(k * n) / 8;
            spalten.forEach((s, i) => {
                for (let z = 0; z < n; ++z) m.HEAPF64[zahlen + i * n + z] = s[z] ?? NaN;
            });
            texte_setzen([...reihen, einheit]);
            return text(art === 'csv' ? m._regler_csv(k, n, komma()) : m._regler_tsv(k, n, komma()));
        },
        // A run's values as a page run gives them (art 0: page 2's, 1: page 3's); its name, and
        // what the legend says of it as the run before against this one: the desktop's texts.
        laufname(art, werte) {
            setzen(werte);
            return text(m._regler_laufname(art, komma()));
        },
        unterschiede(art, vorher, jetzt) {
            setzen([...vorher, ...jetzt]);
            return text(m._regler_unterschiede(art, komma())).split('\n').slice(0, -1);
        },
        // The figures' marks of actual values x against w, over a value axis from `unten`:
        // [{ art: 'punkt' | 'mass' | 'strich', t0, y0, t1, y1, kennwert }].
        marken(w, x, unten) {
            setzen(x);
            const z = m._regler_marken(w, unten) / 8;
            const n = m.HEAPF64[z];
            const arten = ['punkt', 'mass', 'strich'];
            return Array.from({ length: n }, (_, i) => {
                const [art, t0, y0, t1, y1, kennwert] = m.HEAPF64.subarray(z + 1 + 6 * i, z + 7 + 6 * i);
                return { art: arten[art], t0, y0, t1, y1, kennwert };
            });
        },
        // The head above a plot of width `breite`, from the widths of the summary's pieces and
        // the legend's entries: { hoehe, legende: { x, y, breite, hoehe }, kennwerte, eintraege }.
        kopf(kennwerte, eintraege, luecke, breite, zeile) {
            setzen([...kennwerte, ...eintraege]);
            const z = m._regler_kopf(kennwerte.length, eintraege.length, luecke, breite, zeile) / 8;
            const a = m.HEAPF64.subarray(z, z + 5 + 2 * (kennwerte.length + eintraege.length));
            const stellen = (ab, n) =>
                Array.from({ length: n }, (_, i) => ({ x: a[ab + 2 * i], y: a[ab + 2 * i + 1] }));
            return {
                hoehe: a[0],
                legende: { x: a[1], y: a[2], breite: a[3], hoehe: a[4] },
                kennwerte: stellen(5, kennwerte.length),
                eintraege: stellen(5 + 2 * kennwerte.length, eintraege.length),
            };
        },
        // What a screen reader is told of a chart, as the desktop tells it.
        beschreibung(einheit, zeit_titel, vorher_name, kennwerte) {
            texte_setzen([einheit, zeit_titel, vorher_name, ...kennwerte]);
            return text(m._regler_beschreibung());
        },
        // The read-out, as the desktop writes it: a chart's series at a second ("Soll 50 °C ·
        // Ist 66,28 °C"; null for an empty cell), and a group's whole read-out.
        ablesen(namen, werte, einheit) {
            texte_setzen([...namen, einheit]);
            setzen(werte.map((v) => v ?? NaN));
            return text(m._regler_ablesen(namen.length, komma()));
        },
        ablesung(zeile, teile, vorher_name, vorher, kennwerte) {
            texte_setzen([...teile, vorher_name, ...vorher, ...kennwerte]);
            return text(m._regler_ablesung(zeile, teile.length, vorher.length, kennwerte.length));
        },
        // Page 2's or page 3's run, as the desktop makes it, for the plan's fields as read
        // (`werte`); zeilen: each chart's rows by name. { art, lauf, spalten: [{ diagramm,
        // spalte, werte }], benannt, nachher, piep }.
        seitenlauf(seite, laden, werte, zeilen) {
            setzen(werte);
            texte_setzen([...zeilen].map(([n, z]) => `${n}=${z}`));
            return lauf_lesen(text(m._regler_seitenlauf(seite, laden ? 1 : 0)));
        },
        // The same run again from its run values (a row of the lab notebook).
        lauf_aus_werten(seite, werte, zeilen) {
            setzen(werte);
            texte_setzen([...zeilen].map(([n, z]) => `${n}=${z}`));
            return lauf_lesen(text(m._regler_lauf_aus_werten(seite)));
        },
        // The lab notebook as the desktop keeps it. A row: { nummer, sekunde, seite, werte,
        // k } (k as kennwerte() gives it). Its columns; a row's cells as texts and as numbers
        // (NaN where empty); the rows as CSV; a CSV file read back: { zeilen } or { fehler }.
        protokoll_spalten: () => text(m._regler_protokoll_spalten()).split('\n').slice(0, -1),
        protokoll_feldspalte: (spalte) => m._regler_protokoll_feldspalte(spalte) !== 0,
        protokoll_zellen(zeile) {
            setzen(protokoll_zahlen([zeile]));
            const texte = text(m._regler_protokoll_texte(1, komma())).split('\n').slice(0, -1);
            const z = m._regler_zahlen() / 8;
            return { texte, werte: Array.from(m.HEAPF64.subarray(z, z + texte.length)) };
        },
        protokoll_csv(zeilen) {
            setzen(protokoll_zahlen(zeilen));
            return text(m._regler_protokoll_csv(zeilen.length, komma()));
        },
        protokoll_lesen(datei) {
            texte_setzen([datei]);
            const fehler = text(m._regler_protokoll_lesen());
            if (fehler) return { fehler };
            const a = m.HEAPF64;
            let i = m._regler_zahlen() / 8;
            const zeilen = [];
            for (let n = a[i++]; n > 0; --n) {
                const [nummer, sekunde, seite, w] = a.subarray(i, i + 4);
                const werte = Array.from(a.subarray(i + 4, i + 4 + w));
                const f = Array.from(a.subarray(i + 4 + w, i + 10 + w), (v) => (Number.isNaN(v) ? null : v));
                zeilen.push({
                    nummer,
                    sekunde,
                    seite,
                    werte,
                    k: {
                        anregelzeit_s: f[0],
                        ueberschwingen_k: f[1],
                        zeit_maximum_s: f[2],
                        schwingungsdauer_s: f[3],
                        ausregelzeit_s: f[4],
                        bleibende_abweichung_k: f[5],
                    },
                });
                i += 10 + w;
            }
            return { zeilen };
        },
        band_halbe: (pixel_je_kelvin, mindestens) => m._regler_band_halbe(pixel_je_kelvin, mindestens),
        // A read-out's number as the desktop writes it: "66,28", "50".
        kurz(v) {
            return text(m._regler_kurz(v, komma()));
        },
        aufheizkurve(n) {
            n = anzahl(n);
            return spalten(m._regler_aufheizkurve(n), n, namen(2));
        },
    };
}
