// What a chart writes and how it lays out its value axis, in the library both faces use: the
// figures' lines, the figure nearest a second, a read-out's number (in a decimal comma's and a
// decimal point's format), the value axis's range and step.
#include "achsen.h"
#include "anzeige.h"
#include "diagramm.h"
#include "einstellhilfe.h"
#include "elemente.h"
#include "fensterplatz.h"
#include "laeufe.h"
#include "parameter.h"
#include "protokollzeilen.h"
#include "schaubild.h"
#include "schrift.h"
#include "seitenlaeufe.h"
#include "tabellen.h"
#include "texte.h"
#include "zeichnung.h"
#include "zeitgruppe.h"

#include <QJsonDocument>
#include <QSize>
#include <QTest>
#include <algorithm>
#include <array>
#include <clocale>
#include <set>

namespace {
using L = QList<double>;
using darstellung::rechteck;
using form = darstellung::element::form;
using Ziele = std::vector<darstellung::elemente::Rect>;
using Protokoll = darstellung::versuchsprotokoll;

// Page 2's temperature and power charts, page 3's heating curve, at a size at full scale, with
// the figures and the run before shown.
const darstellung::schaubild_art temperatur{.name = "graph",
                                            .reihen = {"Soll", "Ist"},
                                            .zeit_titel = "Zeit in Sekunden",
                                            .wert_titel = "°C",
                                            .kennwerte_soll = 1,
                                            .kennwerte_ist = 2,
                                            .vergleich = true,
                                            .vergleich_legende = true};
const darstellung::schaubild_art leistung{.name = "Leistung",
                                          .reihen = {"Leistung"},
                                          .zeit_titel = "Zeit in Sek",
                                          .wert_titel = "%",
                                          .vergleich = true};
const darstellung::schaubild_art aufheizkurve{.name = "pid33",
                                              .zeilen = 30,
                                              .reihen = {"Istwert"},
                                              .zeit_titel = "Zeit in Sekunen",
                                              .wert_titel = "°C",
                                              .bis = 150,
                                              .tangente = true};
darstellung::schaubild schaubild(darstellung::schaubild_art art, double breite, double hoehe) {
    art.breite = breite, art.hoehe = hoehe;
    darstellung::schaubild s(art, darstellung::Gesicht::desktop);
    s.komma_setzen(",");
    s.groesse_setzen(breite, hoehe, breite, 1);
    s.schalter_setzen({.kennwerte = true, .vorher = true});
    return s;
}
// A run of page 2 (or, for the heating curve, page 3's load) with these field values, into the
// charts it names.
void fuellen(std::vector<darstellung::schaubild*> charts, std::vector<double> felder) {
    const bool heizen = charts[0]->art().tangente;
    const auto e = darstellung::seitenlauf(heizen ? 3 : 2, heizen, felder,
                                           [](std::string_view) { return 200; });
    for (darstellung::schaubild* s : charts) {
        for (const auto& sp : e.spalten)
            if (sp.diagramm == s->art().name || (heizen && sp.diagramm == "pid33"))
                s->spalte(sp.spalte, sp.werte);
        s->lauf_setzen(e.lauf);
        s->lauf_abschliessen();
    }
}

// Figures in the order of their fields: rise time, overshoot, the second of the maximum, period,
// settling time, remaining deviation.
const sim::kennwerte beispiele[] = {
    {12, 16.28, 26, 29.4, 150, -7.26}, {}, {3, 6, 9, 43, {}, -0.04}, {3, 6, 9}};
} // namespace

class TestDarstellung : public QObject {
    Q_OBJECT
private slots:
    // The user's locale, as the programs take it (a German one has a decimal comma in the C
    // library): the core's texts must not follow it.
    void initTestCase() { std::setlocale(LC_ALL, ""); }

    // A chart's texts reach the browser whole through the list's JSON, whatever they hold.
    void anzeige_json_text() {
        const std::string t = "\"x\" \\ a\tb\nc\x1f °";
        darstellung::anzeige a;
        a.oben.push_back({.art = darstellung::element::form::text, .text = t});
        const std::string j = darstellung::anzeige_json(a);
        // None raw, as a browser's JSON.parse demands (Qt's reader lets them pass).
        QVERIFY(std::ranges::none_of(j, [](unsigned char c) { return c < 0x20; }));
        const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(j));
        QCOMPARE(d["oben"][0]["text"].toString(), QString::fromStdString(t));
    }

    // The line nearest a second: rise time at 12, the maximum at 26, peaks at 26, 55 and 84 for
    // the period, settling at 150; the earlier where two are as near; -1 without any second.
    void naechster_kennwert_data() {
        QTest::addColumn<int>("fall");
        QTest::addColumn<int>("zeile");
        QTest::addColumn<int>("soll");
        QTest::newRow("before all") << 0 << 1 << 0;
        QTest::newRow("tie 12/26 at 19") << 0 << 19 << 0;
        QTest::newRow("at the maximum") << 0 << 26 << 1;
        QTest::newRow("near a later peak") << 0 << 60 << 2;
        QTest::newRow("tie peak 84/150 at 117") << 0 << 117 << 2;
        QTest::newRow("after all") << 0 << 200 << 3;
        QTest::newRow("no seconds") << 1 << 50 << -1;
        QTest::newRow("no period: peaks unused") << 3 << 50 << 1;
    }
    void naechster_kennwert() {
        QFETCH(int, fall);
        QFETCH(int, zeile);
        QFETCH(int, soll);
        const std::vector<int> spitzen{26, 55, 84};
        const sim::kennwerte& k = beispiele[fall];
        QCOMPARE(darstellung::naechster_kennwert(k, spitzen, zeile), soll);
        QCOMPARE(darstellung::naechste_kennwerte(k, spitzen, 200).at(size_t(zeile - 1)), soll);
    }

    // A read-out's number: two decimals at most, no trailing zeros, never "-0".
    void kurz_data() {
        QTest::addColumn<double>("wert");
        QTest::addColumn<QString>("komma");
        QTest::addColumn<QString>("soll");
        // clang-format off
        QTest::newRow("two decimals")     << 66.2849 << "," << "66,28";
        QTest::newRow("whole")            << 50.0 << "," << "50";
        QTest::newRow("one decimal")      << 20.5 << "." << "20.5";
        QTest::newRow("tiny negative")    << -0.001 << "," << "0";
        QTest::newRow("negative")         << -3.25 << "," << "-3,25";
        QTest::newRow("long separator")   << 1.5 << "\u066B" << "1\u066B5";
        // Half away from zero, from the double's exact value, as school arithmetic rounds.
        QTest::newRow("tie rounds away")  << 0.125 << "," << "0,13";
        QTest::newRow("negative tie")     << -0.375 << "." << "-0.38";
        QTest::newRow("just below a tie") << 2.675 << "," << "2,67";
        QTest::newRow("carried over")     << 9.999 << "," << "10";
        QTest::newRow("huge")             << 1e20 << "." << "100000000000000000000";
        // clang-format on
    }
    void kurz() {
        QFETCH(double, wert);
        QFETCH(QString, komma);
        QTEST(QString::fromStdString(darstellung::kurz(wert, komma.toStdString())), "soll");
    }

    // The value axis: the stored extent where the run stays within it, widened to whole steps
    // where not; the largest round step with the intervals asked for, coarser until the labels
    // fit; 2 intervals below 150 pixels of height, 3 from there.
    void wertachse_data() {
        QTest::addColumn<QList<double>>("lauf"); // tief, hoch, bis, intervalle, platz
        QTest::addColumn<QList<double>>("soll"); // von, bis, schritt
        // clang-format off
        QTest::newRow("stored extent")     << L{0, 100, 100, 3, 10} << L{0, 100, 20};
        QTest::newRow("labels do not fit") << L{0, 100, 100, 3, 4} << L{0, 100, 50};
        QTest::newRow("beyond both ends")  << L{-30, 150, 100, 3, 10} << L{-50, 150, 50};
        QTest::newRow("two intervals")     << L{0, 100, 100, 2, 3} << L{0, 100, 50};
        QTest::newRow("a billion")         << L{0, 1e9, 100, 3, 5} << L{0, 1e9, 5e8};
        // clang-format on
    }
    void wertachse() {
        QFETCH(QList<double>, lauf);
        const auto a =
            darstellung::wertachse_fuer(lauf[0], lauf[1], lauf[2], int(lauf[3]), int(lauf[4]));
        QTEST((QList<double>{a.von, a.bis, a.schritt}), "soll");
        QCOMPARE(darstellung::wert_intervalle(149), 2);
        QCOMPARE(darstellung::wert_intervalle(150), 3);
    }

    // Labels of 12 px take 21 px each; charts stacked at x 512 and 520 have their plots over the
    // same columns at their innermost edges; the upper's focus frame ends where the lower begins.
    // One cursor on both; the read-out reads both, with a line for each run compared (named by all
    // it ran with) and the nearest figure; a step by keys says the second and values only.
    void gruppe() {
        QCOMPARE(darstellung::marken_platz(104, 12), 4);
        QCOMPARE(darstellung::marken_platz(105, 12), 5);
        auto oben = schaubild(temperatur, 491, 237), unten = schaubild(leistung, 521, 121);
        for (const double xp : {20.0, 0.0})
            fuellen({&oben, &unten}, {50, xp, 0, 0});
        darstellung::zeitgruppe g;
        g.aufnehmen(&oben, 512, 16);
        g.aufnehmen(&unten, 520, 238);
        g.angleichen();
        QCOMPARE(512 + oben.plot().x, 520 + unten.plot().x);
        QCOMPARE(512 + oben.plot().rechts(), 520 + unten.plot().rechts());
        oben.fokus_setzen(true);
        QCOMPARE(oben.liste().oben.back().punkte[1].y, 238 - 16 - 0.5);
        // The upper's time title reaches into the lower's box: a legend of the run before stays
        // at the top, beside it; one of eight runs compared, across it, starts below it.
        const auto legende = [&] {
            for (const auto& e : unten.liste().bild)
                if (e.text == "Leistung") return 238 + e.punkte[0].y;
            return 0.0;
        };
        const double titel_unten = 16 + oben.zeit_titel_ort()->unten(), oben_allein = legende();
        unten.frei_halten({});
        QVERIFY(titel_unten > 238 && legende() == oben_allein);
        g.angleichen();
        unten.vergleiche_setzen(std::vector(8, darstellung::vergleichslauf{{{1, 2}}, {}, "Lauf"}));
        QVERIFY(legende() >= oben_allein + titel_unten - 240);
        unten.vergleiche_setzen({});
        g.zeiger(26);
        QCOMPARE(unten.zeiger(), 26);
        QCOMPARE(QString::fromStdString(g.ablesung(26)),
                 QStringLiteral("t = 26 s · Soll 50 °C · Ist 66,28 °C · Leistung 0 %\n"
                                "vorher: Sollwert = 50 °C, P-Band = 20 K, Nachlaufzeit = 0 s, "
                                "Vorhaltzeit = 0 s · Soll 50 °C · Ist 58,19 °C · Leistung 0 %\n"
                                "Überschwingen 16,3 K nach 26 s"));
        QCOMPARE(QString::fromStdString(g.ansage(26)),
                 QStringLiteral("t = 26 s · Soll 50 °C · Ist 66,28 °C · Leistung 0 %; vorher: "
                                "Soll 50 °C · Ist 58,19 °C · Leistung 0 %"));
        const std::vector<std::string> namen{"Soll", "Ist"};
        QCOMPARE(darstellung::ablesen(namen, std::vector{50.0, qQNaN()}, "°C", ","),
                 std::string("Soll 50 °C · Ist –"));
    }

    // A chart's list at any size and scale, with the aids on: every text inside the part of the
    // box that is seen, the value labels apart, the legend above the plot, each figure's mark
    // inside the plot and named there, lines and rings as wide as the scale makes them, the time
    // axis's title only where the chart has room for it; the heating curve with method 2.
    void liste_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<QList<double>>("lauf"); // the page's fields
        QTest::addColumn<double>("m");           // the scale
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<int>("sichtbar");
        QTest::addColumn<bool>("titel");
        // clang-format off
        QTest::newRow("P-band 20")       << "graph" << L{50, 20, 0, 0} << 1.0 << QSize(491, 237) << 491 << true;
        QTest::newRow("P-band 30")       << "graph" << L{50, 30, 0, 0} << 1.0 << QSize(491, 237) << 491 << true;
        QTest::newRow("settling")        << "graph" << L{50, 40, 19, 5} << 1.0 << QSize(491, 237) << 491 << true;
        QTest::newRow("small overshoot") << "graph" << L{50, 12, 60, 5} << 1.0 << QSize(491, 237) << 491 << true;
        QTest::newRow("zoomed twice")    << "graph" << L{50, 20, 40, 0} << 2.0 << QSize(982, 474) << 982 << true;
        QTest::newRow("half size")       << "graph" << L{30, 0, 0, 0} << 0.5 << QSize(245, 118) << 245 << true;
        QTest::newRow("low")             << "graph" << L{99.9, 5, 0, 0} << 1.0 << QSize(491, 90) << 491 << false;
        QTest::newRow("past the edge")   << "graph" << L{50, 10, 0, 0} << 1.0 << QSize(521, 237) << 480 << true;
        QTest::newRow("heating curve")   << "pid33" << L{50, 0, 0, 0} << 1.0 << QSize(257, 155) << 257 << false;
        // clang-format on
    }
    void liste() {
        QFETCH(QString, art);
        QFETCH(QList<double>, lauf);
        QFETCH(double, m);
        QFETCH(QSize, groesse);
        QFETCH(int, sichtbar);
        auto s = schaubild(art == "graph" ? temperatur : aufheizkurve, 491, 237);
        for (int i = 0; i < 2; ++i)
            fuellen({&s}, std::vector<double>(lauf.begin(), lauf.end()));
        s.groesse_setzen(groesse.width(), groesse.height(), sichtbar, m);
        const auto& liste = s.liste();
        const rechteck p = liste.plot, box{0, 0, double(sichtbar), liste.hoehe};
        const int px = darstellung::schrift_px(8.25, m);
        const auto zeile = darstellung::zeile_bei(px);
        const auto innen = [](const rechteck& r, const rechteck& in) {
            return r.x >= in.x - 0.01 && r.y >= in.y - 0.01 && r.rechts() <= in.rechts() + 0.01 &&
                   r.unten() <= in.unten() + 0.01;
        };
        QStringList texte;
        std::vector<rechteck> schilder;                      // the labels on the plot
        std::vector<std::vector<darstellung::punkt>> kurven; // the run's curves, the tangent last
        std::vector<double> linien;                          // the times' upright lines
        std::vector<double> wertmarken;
        bool rahmen = false; // the value axis down the plot's left, the time axis along its foot
        bool wert_titel = false; // "°C", upright beside the value axis
        for (const auto& e : liste.bild) {
            const auto& st = liste.stile.at(size_t(e.stil));
            for (int k : {st.f.r, st.f.g, st.f.b}) // a browser would clamp the colour, Qt not
                QVERIFY(k >= 0 && k <= 255);
            const auto& ecken = e.punkte;
            rahmen = rahmen || ecken == std::vector<darstellung::punkt>{
                                            {p.x, p.y}, {p.x, p.unten()}, {p.rechts(), p.unten()}};
            if (e.art == form::text) {
                const double b = darstellung::textbreite(e.text, false, px);
                const auto q = e.punkte[0];
                const rechteck r =
                    e.senkrecht ? rechteck{q.x - zeile.aufstieg, q.y - b, double(zeile.hoehe()), b}
                                : rechteck{q.x, q.y - zeile.aufstieg, b, double(zeile.hoehe())};
                QVERIFY2(innen(r, box) && e.mass == px, e.text.c_str());
                wert_titel = wert_titel || (e.senkrecht && e.text == "°C" && r.rechts() < p.x);
                if (r.rechts() <= p.x && !e.senkrecht) wertmarken.push_back(r.y);
                if (innen(r, p)) {
                    texte << QString::fromStdString(e.text);
                    schilder.push_back({r.x - m, r.y, r.b + 2 * m, r.h}); // with a gap
                }
            }
            if (st.breite == 1.5 * m ||
                (st.f == darstellung::farbe{0, 0, 255} && !st.strich.empty()))
                kurven.push_back(e.punkte);
            if (st.f == darstellung::farbe{60, 60, 60} || e.art == form::ring) {
                if (!st.strich.empty()) linien.push_back(ecken[0].x);
                const double r = e.art == form::ring ? e.mass : 0;
                for (const auto& q : e.punkte)
                    QVERIFY2(innen({q.x - r, q.y - r, 2 * r, 2 * r}, p), "a mark outside the plot");
                // An upright dimension stands clear of the plot's border, not half on it.
                const auto& q = e.punkte;
                if (st.strich.empty() && q.size() == 2 && q[0].x == q[1].x && q[0].y != q[1].y)
                    QVERIFY2(q[0].x >= p.x + 3 * m && q[0].x <= p.rechts() - 3 * m,
                             "a dimension on the border");
            }
            if (st.fuellung == darstellung::farbe{255, 255, 255} && st.fuellung_deckung == 230)
                QVERIFY(e.punkte[1].y <= p.y); // the legend
            if (e.art == form::ring) QCOMPARE(e.mass, 3.5 * m);
        }
        QVERIFY(rahmen && wert_titel && kurven.size() >= 2); // the curves 1.5 wide at scale 1
        for (size_t i = 1; i < wertmarken.size(); ++i)
            QVERIFY(std::abs(wertmarken[i] - wertmarken[i - 1]) >= zeile.hoehe());
        const auto da = [&](const char* t) {
            return std::ranges::any_of(liste.bild, [t](const auto& e) { return e.text == t; });
        };
        QTEST(da("Zeit in Sekunden"), "titel");
        QVERIFY(art == "pid33" || sichtbar < 400 || da(" · ")); // figures side by side, apart
        for (size_t i = 0; i < schilder.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                QVERIFY2(!schilder[i].schneidet(schilder[j]),
                         qPrintable(texte[int(i)] + " on " + texte[int(j)]));
        // With room, no name on a curve, and a time's name beside its line or over its end.
        for (size_t i = 0; i < schilder.size() && p.h > 3 * zeile.hoehe(); ++i) {
            for (const auto& k : kurven)
                for (size_t j = 1; j < k.size(); ++j)
                    for (double f = 0; f <= 1; f += 0.05) {
                        const double x = k[j - 1].x + f * (k[j].x - k[j - 1].x);
                        const rechteck q{x, k[j - 1].y + f * (k[j].y - k[j - 1].y), 0.01, 0.01};
                        QVERIFY2(!schilder[i].schneidet(q), qPrintable(texte[int(i)]));
                    }
            const double l = schilder[i].x - 2 * m - 0.5, r = schilder[i].rechts() + 2 * m + 0.5;
            QVERIFY2(!texte[int(i)].contains("regelzeit") ||
                         std::ranges::any_of(linien, [&](double x) { return l <= x && x <= r; }),
                     qPrintable(texte[int(i)]));
        }
        if (art == "pid33") {
            QVERIFY2(texte.filter("K = ").size() == 1 && texte.filter("L = ").size() == 1,
                     qPrintable(texte.join('|')));
            QCOMPARE(kurven.back().size(), size_t(2)); // the tangent, one straight line
            return;
        }
        const auto& f = *s.kennwerte();
        const auto namen = darstellung::kennwert_namen(f.k, ",");
        std::vector<double> ist;
        for (int z = 1; z <= 200; ++z)
            ist.push_back(*s.wert(2, z));
        for (const auto& mk : darstellung::kennwert_marken(f.k, f.spitzen, f.w, ist, 0))
            if (mk.art != darstellung::marke::punkt)
                QVERIFY2(texte.contains(QString::fromStdString(namen[size_t(mk.kennwert)])),
                         qPrintable(texte.join('|')));
    }

    // The grid as text: a header, one row per second, an empty cell where there is no number (also
    // past the end of a shorter column); tab-separated with 15 significant digits, CSV with the
    // shortest text that reads back, ";" and "," where the decimal separator is a comma.
    void tabellen_data() {
        QTest::addColumn<QString>("komma");
        QTest::addColumn<QString>("trenner");
        for (const QString k : {",", "."})
            QTest::newRow(k == "," ? "comma" : "point") << k << QString(k == "," ? ";" : ",");
    }
    void tabellen() {
        QFETCH(QString, komma);
        QFETCH(QString, trenner);
        const std::vector<std::string> reihen{"Soll", "Ist"};
        const std::vector<std::vector<double>> spalten{{50, 50, 50, 50},
                                                       {20.03961332478182, qQNaN(), 1e-5}};
        const std::string k = komma.toStdString();
        QCOMPARE(QString::fromStdString(darstellung::tsv_text(reihen, spalten, k)),
                 QString("t in s\tSoll\tIst\n1\t50\t20_0396133247818\n2\t50\t\n3\t50\t1e-05\n"
                         "4\t50\t\n")
                     .replace('_', komma));
        QCOMPARE(QString::fromStdString(darstellung::csv_text(reihen, "°C", spalten, k)),
                 QString("Zeit in s;Soll in °C;Ist in °C\r\n1;50;20_03961332478182\r\n2;50;\r\n"
                         "3;50;1e-05\r\n4;50;\r\n")
                     .replace(';', trenner)
                     .replace('_', komma));
    }

    // The run before's dashed tone keeps 3:1 against white: lighter than the series where the
    // series has room to spare, darker where it has none.
    void vorher_farben() {
        const darstellung::farbe weiss{255, 255, 255};
        QCOMPARE(darstellung::kontrast(weiss, {0, 0, 0}), 21.0);
        for (int i = 0; i < 4; ++i) {
            const auto c = darstellung::reihenfarbe(i), v = darstellung::vorher_farbe(c);
            QVERIFY2(darstellung::kontrast(v, weiss) >= 3, qPrintable(QString::number(i)));
            const int summe_c = c.r + c.g + c.b, summe_v = v.r + v.g + v.b;
            if (darstellung::kontrast(c, weiss) >= 3.5)
                QVERIFY(summe_v > summe_c);
            else if (darstellung::kontrast(c, weiss) < 3)
                QVERIFY(summe_v < summe_c);
        }
        // Every row a notebook holds, ticked: each run's tone its own, none a series' colour.
        const auto rgb = [](darstellung::farbe f) { return std::array{f.r, f.g, f.b}; };
        std::set<std::array<int, 3>> toene;
        for (int i = 0; i < 4; ++i)
            toene.insert(rgb(darstellung::reihenfarbe(i)));
        for (size_t n = 0; n <= darstellung::protokoll_hoechstens; ++n) {
            const auto f = darstellung::vergleichsfarbe(n, 0);
            QVERIFY2(toene.insert(rgb(f)).second && darstellung::kontrast(f, weiss) >= 3,
                     qPrintable(QString::number(n)));
        }
    }

    // The head: the summary from the plot's left edge, the legend right-aligned below it, on more
    // lines where the plot is narrow (a new line where the next piece would pass the width, a piece
    // wider than the line on one of its own); nothing left of the plot; the plot below it all.
    void kopf() {
        const std::vector<double> kennwerte{100, 50, 40, 10}, legende{40, 30, 50, 60};
        const auto k = darstellung::kopf_anordnen(kennwerte, 10, legende, 210, 15);
        QCOMPARE(k.kennwerte.size(), size_t(4));
        QCOMPARE(k.kennwerte[2].x, 170.0); // 210: exactly full
        QCOMPARE(k.kennwerte[3].x, 0.0);   // 230 > 210: a second line
        QCOMPARE(k.kennwerte[3].y, k.kennwerte[0].y + 15);
        QCOMPARE(k.legende_y, k.kennwerte[3].y + 15);
        QCOMPARE(k.legende_breite, 4 + 180.0);
        QCOMPARE(k.legende_x + k.legende_breite, 210.0);
        QCOMPARE(k.legende[3].x, k.legende_x + 4 + 120);
        QCOMPARE(k.hoehe, k.legende_y + 15 + 2);
        const auto eng = darstellung::kopf_anordnen({}, 0, legende, 120, 15);
        QCOMPARE(eng.legende_y, 2.0);          // no summary, no line for it
        QCOMPARE(eng.legende_hoehe, 2 * 15.0); // 40+30 | 50+60: the frame's 4 are not free
        QCOMPARE(eng.legende[2].y, eng.legende_y + 15);
        QCOMPARE(eng.legende_x, 120 - 4 - 110.0);
        const auto zu_eng = darstellung::kopf_anordnen({}, 0, legende, 50, 15);
        QCOMPARE(zu_eng.legende_hoehe, 4 * 15.0); // 50 and 60 are wider than the line
        QCOMPARE(zu_eng.legende_x, 0.0);          // never left of the plot
    }

    // A row of the lab notebook as the table shows it: the page's fields, figures as the box
    // writes them ("—" for none), empty cells for the other page's fields.
    void protokoll_texte() {
        const darstellung::protokollzeile z{
            .nummer = 4,
            .sekunde = 75,
            .seite = 2,
            .werte = darstellung::seiten_laufwerte(2, std::vector{50.0, 12.5, 40.0, 0.0}),
            .k = {17, 9.41, 25, 28.25, {}, -0.04}}; // as `beispiele` gives them
        QStringList t;
        for (const std::string& s : darstellung::protokoll_texte(z, ","))
            t << QString::fromStdString(s);
        QCOMPARE(t.join('|'),
                 QStringLiteral("4|75|2|50|12,5|40|0|||||||17|9,4|25|28,3|\u2014|0,0"));
        QCOMPARE(darstellung::protokoll_spalten().size(), size_t(19));
    }

    // Files that are not a notebook, or hold a value no field could hold, are refused with the
    // line that says so; a notebook written with either separator, quoted as spreadsheets quote
    // (RFC 4180), with LF or CRLF, reads back. Figures are computed again, never read.
    void protokoll_lesen_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("fehler");
        const QString kopf = QString::fromStdString(darstellung::protokoll_csv({}, ",")).trimmed();
        // Nr.;Zeit;Seite, page 2's fields, page 3's fields, figures (never read)
        const auto satz = [](const QString& vorne, const QString& felder2,
                             const QString& felder3 = ";;;;;") {
            return vorne + ";" + felder2 + ";" + felder3 + ";22;27,9;38;x;;\r\n";
        };
        const auto datei = [&](const auto&... felder) { return kopf + "\r\n" + satz(felder...); };
        const QString zwei = "50;0;0;0", notiz = datei("1;7;2", zwei);
        const auto zeile = [](const char* name, const QString& d, const char* f) {
            QTest::newRow(name) << d << QString::fromUtf8(f);
        };
        // clang-format off
        zeile("empty",                       "", "Die Datei ist leer.");
        zeile("a chart's data",              "Zeit in s;Soll in °C\r\n1;50\r\n", "Zeile 1: die Spalten sind nicht die eines Versuchsprotokolls.");
        zeile("no number",                   datei(";7;2", zwei), "Zeile 2: Nr., Zeit und Seite (2 oder 3) fehlen.");
        zeile("fields short",                kopf + "\r\n1;2;2;50\r\n", "Zeile 2: falsche Zahl von Feldern.");
        zeile("text",                        datei("1;2;2", "50;x;0;0"), "Zeile 2: „x“ ist keine Zahl.");
        zeile("page 4",                      datei("1;2;4", zwei), "Zeile 2: Nr., Zeit und Seite (2 oder 3) fehlen.");
        zeile("page 3's fields on page 2",   datei("1;2;2", zwei, "1;;;;;"), "Zeile 2: die Felder passen nicht zu Seite 2.");
        zeile("page 2 without a field",      datei("1;2;2", "50;;0;0"), "Zeile 2: die Felder passen nicht zu Seite 2.");
        zeile("set-point above its limit",   datei("1;2;2", "500;0;0;0"), "Zeile 2: Sollwert = 500 passt nicht in sein Feld.");
        zeile("negative P-band",             datei("1;2;2", "50;-5;0;0"), "Zeile 2: P-Band = -5 passt nicht in sein Feld.");
        zeile("tiny reset time",             datei("1;2;2", "50;0;1e-300;0"), "Zeile 2: Nachlaufzeit = 1e-300 passt nicht in sein Feld.");
        zeile("a decimal in a digits field", datei("1;2;2", "50;0;0,5;0"), "Zeile 2: Nachlaufzeit = 0.5 passt nicht in sein Feld.");
        zeile("longer than the field",       datei("1;2;2", "50;0;0;1000"), "Zeile 2: Vorhaltzeit = 1000 passt nicht in sein Feld.");
        zeile("gain with two decimals",      datei("1;2;3", "50;;;", "1,65;0;0;0;0;0"), "Zeile 2: Verstärkung = 1.65 passt nicht in sein Feld.");
        zeile("huge number",                 datei("1e300;2;2", zwei), "Zeile 2: die Nr. ist keine ganze Zahl von 1 bis 999999.");
        zeile("number 0",                    datei("0;2;2", zwei), "Zeile 2: die Nr. ist keine ganze Zahl von 1 bis 999999.");
        zeile("number twice",                datei("1;2;2", zwei) + satz("1;3;2", zwei), "Zeile 3: die Nr. 1 steht schon in einer Zeile davor.");
        zeile("negative time",               datei("1;-2;2", zwei), "Zeile 2: die Zeit ist keine ganze Zahl von Sekunden.");
        zeile("open quote",                  kopf + "\r\n\"1;2;2;" + zwei, "Zeile 2: ein Anführungszeichen ist nicht geschlossen.");
        zeile("a notebook",                  notiz, "");
        zeile("limits as the fields hold them", datei("1;7;3", "99,9;;;", "9,9;0;0;0;0;100"), "");
        // clang-format on
        // A spreadsheet's way: every cell quoted, the header too, LF only.
        QString zitiert;
        for (const QString& z : notiz.split("\r\n", Qt::SkipEmptyParts))
            zitiert += "\"" + z.split(';').join("\";\"") + "\"\n";
        zeile("quoted, LF", zitiert, "");
        const auto gelesen = darstellung::protokoll_lesen(notiz.toStdString()).zeilen;
        zeile("with a point",
              "\xEF\xBB\xBF" + QString::fromStdString(darstellung::protokoll_csv(gelesen, ".")),
              "");
    }
    void protokoll_lesen() {
        QFETCH(QString, datei);
        QFETCH(QString, fehler);
        const auto d = darstellung::protokoll_lesen(datei.toStdString());
        QCOMPARE(QString::fromStdString(d.fehler), fehler);
        QCOMPARE(d.zeilen.size(), size_t(fehler.isEmpty() ? 1 : 0));
        if (fehler.isEmpty() && d.zeilen[0].seite == 2) { // "pid 50 0 0 0"'s, not the file's
            QCOMPARE(d.zeilen[0].werte.at(0).wert, 50.0);
            QCOMPARE(d.zeilen[0].k.ueberschwingen_k, 16.280515511800644);
            QCOMPARE(d.zeilen[0].k.schwingungsdauer_s, 28.25);
        }
    }

    // The notebook's rules: the next run follows the largest number; a file appended is
    // renumbered after it; only runs made with "Start Grafik" are at stake until saved, or until
    // a file replaces them; a full notebook takes no more; sorted, empty cells go last.
    void versuchsprotokoll() {
        Protokoll p;
        const auto lauf = [](double xp) {
            return darstellung::seiten_laufwerte(2, std::vector{50.0, xp, 0.0, 0.0});
        };
        QCOMPARE(p.eintragen(2, lauf(0), {}, 0, false), std::string()); // a page's load run
        p.eintragen(2, lauf(10), {.schwingungsdauer_s = 30}, 5, true);
        p.eintragen(2, lauf(20), {.schwingungsdauer_s = 20}, 9, true);
        QCOMPARE(p.ungesichert(), size_t(2));
        const std::string csv = p.csv(",");
        p.gesichert();
        QCOMPARE(p.ungesichert(), size_t(0));
        // Sorted by the period, either way: row 0 has none and goes last.
        QCOMPARE(p.reihenfolge(16, true), (std::vector<size_t>{2, 1, 0}));
        QCOMPARE(p.reihenfolge(16, false), (std::vector<size_t>{1, 2, 0}));

        // A file sorted in a spreadsheet (1, 3, 2): the next run is 4.
        const size_t z2 = csv.find("\r\n2;"), z3 = csv.find("\r\n3;"), ende = csv.size() - 2;
        const std::string umsortiert = csv.substr(0, z2) + csv.substr(z3, ende - z3) +
                                       csv.substr(z2, z3 - z2) + csv.substr(ende);
        p.eintragen(2, lauf(5), {}, 12, true);
        QCOMPARE(p.laden(umsortiert, false), std::string());
        QCOMPARE(p.ungesichert(), size_t(0)); // the unsaved run was replaced, as chosen
        QCOMPARE(p.naechste_nummer(), 4);
        QCOMPARE(p.zeilen()[1].nummer, 3);
        p.eintragen(2, lauf(5), {}, 12, true);
        QCOMPARE(p.laden(csv, true), std::string()); // appended: 5, 6, 7
        QCOMPARE(p.zeilen().size(), size_t(7));
        QCOMPARE(p.zeilen().back().nummer, 7);
        QCOMPARE(p.ungesichert(), size_t(1));
        QVERIFY(p.zeile(6) && p.zeile(6)->werte[1].wert == 10);
        // Past the largest number a file may hold, the smallest free one: saved, it reads back.
        const std::string hoch = std::string(csv).replace(csv.find("\r\n3;"), 4, "\r\n999999;");
        QCOMPARE(p.laden(hoch, false), std::string());
        p.eintragen(2, lauf(5), {}, 12, true);
        QCOMPARE(p.zeilen().back().nummer, 3);
        QCOMPARE(p.laden(p.csv(","), true), std::string());
        QCOMPARE(p.zeilen().back().nummer, 7);

        // Too big: refused by its size, or by its rows; nothing changes.
        const auto vorher = p.zeilen();
        QVERIFY(!p.laden(std::string(Protokoll::datei_hoechstens + 1, ' '), false).empty());
        Protokoll voll;
        for (size_t i = 0; i < Protokoll::hoechstens; ++i)
            voll.eintragen(2, lauf(1), {}, 0, true);
        QVERIFY(!voll.eintragen(2, lauf(1), {}, 0, true).empty());
        QCOMPARE(voll.zeilen().size(), Protokoll::hoechstens);
        QVERIFY(!p.laden(voll.csv("."), true).empty());
        QVERIFY(p.zeilen() == vorher);
        QCOMPARE(p.laden(voll.csv("."), false), std::string());
    }

    // The fields' rules, for both faces: keys typed (a caret at the end, or "^": the whole text
    // selected) or text pasted into a field holding `vorher`. The limit is checked on the text
    // before a key's character goes in; each refusal and each limit reached beeps, pasting
    // beeps once for all it refuses and waits for the next key to check the limit.
    void feldregeln_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<bool>("tippen"); // else pasted
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("komma");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<int>("piepse");
        const auto zeilen = [](bool tippen) {
            return [tippen](const char* name, int seite, const char* id, const char* vorher,
                            const char* eingabe, const char* nachher, int piepse,
                            const char* komma = ".") {
                QTest::newRow(name)
                    << seite << id << vorher << tippen << QString::fromUtf8(eingabe)
                    << QString::fromUtf8(komma) << QString::fromUtf8(nachher) << piepse;
            };
        };
        const auto t = zeilen(true), e = zeilen(false);
        // clang-format off
        t("digit",                      2, "w1", "5", "0", "50", 0);
        t("letter, sign, comma, point", 2, "w1", "50", "a-,. ä", "50", 6);
        t("backspace, enter, esc, ^V",  2, "w1", "50", "\b\r\x1b\x16", "50", 4);
        t("501 passes",                 2, "w1", "50", "1", "501", 0);
        t("501 then one more",          2, "w1", "50", "12", "99.9", 1);
        t("limit text equal",           2, "w1", "99.9", "9", "99.9", 0);
        t("empty field",                2, "w1", "", "5", "5", 0);
        t("no limit, 4 long",           2, "xp1", "", "99999", "9999", 0);
        t("gain point",                 3, "v1", "1", ".6", "1.6", 0);
        t("gain comma, German",         3, "v1", "1", ",6", "1,6", 0, ",");
        t("gain point, German",         3, "v1", "1", ".6", "1,6", 0, ",");
        t("gain, Arabic separator",     3, "v1", "1", ",6", "1\u066B6", 0, "\u066B");
        t("gain rejected over limit",   3, "v1", "12", "x", "9.9", 2);
        t("gain lone point",            3, "v1", ".", "5", ".5", 0);
        t("maxdiff 150, digit",         3, "maxdiff", "150", "1", "1001", 1);
        t("maxdiff equal",              3, "maxdiff", "100", "a", "100", 1);
        t("maxdiff just above",         3, "maxdiff", "101", "a", "100", 2);
        t("w1 just above",              2, "w1", "100", "a", "99.9", 2);
        t("gain equal",                 3, "v1", "9.9", "a", "9.9", 1);
        t("gain just above",            3, "v1", "10", "a", "9.9", 2);
        t("digit over a full field",    2, "xp1", "^1234", "7", "7", 0);
        t("over a full set-point",      2, "w1", "^050", "7", "7", 0);
        e("minus",                      2, "w1", "", "-50", "50", 1);
        e("exponent",                   2, "xp1", "", "9e9", "99", 1);
        e("filter, then cut",           2, "xp1", "", "12a456789", "1245", 1);
        e("line break only",            2, "xp1", "7", "\r\n", "7", 1);
        e("above the limit waits",      2, "w1", "", "999", "999", 0);
        e("gain",                       3, "v1", "", "1,6", "1.6", 0);
        e("gain pasted, Arabic",        3, "v1", "", "1\u066B6", "1\u066B6", 0, "\u066B");
        e("over a selection",           2, "xp1", "^12", "345", "345", 0);
        e("over a full field",          2, "w1", "^050", "1234", "123", 0);
        e("into a full field",          2, "w1", "050", "7", "050", 0);
        // clang-format on
    }
    void feldregeln() {
        QFETCH(int, seite);
        QFETCH(QString, id);
        QFETCH(QString, vorher);
        QFETCH(bool, tippen);
        QFETCH(QString, eingabe);
        QFETCH(QString, komma);
        const darstellung::parameter* p = darstellung::parameter_von(seite, id.toStdString());
        QVERIFY(p);
        const std::string k = komma.toStdString();
        const bool alles = vorher.startsWith('^');
        QString text = alles ? vorher.mid(1) : vorher;
        int anfang = alles ? 0 : int(text.size()), ende = int(text.size()), gepiept = 0;
        // Each edit made as a face makes it: the whole text replaced (caret at its end), then
        // the insertion over the selection.
        const auto machen = [&](const darstellung::feldaenderung& a) {
            gepiept += a.piepse;
            if (a.ersetzt) {
                text = QString::fromStdString(*a.ersetzt);
                anfang = ende = int(text.size());
            }
            const QString dazu = QString::fromStdString(a.einfuegen);
            text.replace(anfang, ende - anfang, dazu);
            anfang = ende = anfang + int(dazu.size());
        };
        const auto stand = [&] { return darstellung::feldstand{text.toStdString(), anfang, ende}; };
        if (tippen)
            for (const uint c : eingabe.toUcs4())
                machen(darstellung::taste(*p, stand(), char32_t(c), k));
        else
            machen(darstellung::einfuegen(*p, stand(), eingabe.toStdString(), k));
        QTEST(text, "nachher");
        QTEST(gepiept, "piepse");
    }

    // A field's text as a number, in the user's format: never grouped ("1,600" is not 1600, in
    // German "1.6" is not 16), never NaN or infinite; and a number as a field shows it.
    void feldwert_data() {
        QTest::addColumn<QString>("komma");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("wert"); // NaN: none
        // clang-format off
        QTest::newRow("plain")      << "." << "050" << 50.0;
        QTest::newRow("padded")     << "." << " 7 " << 7.0;
        QTest::newRow("decimal")    << "." << "99.9" << 99.9;
        QTest::newRow("comma, de")  << "," << "1,6" << 1.6;
        QTest::newRow("lone comma") << "," << ",5" << 0.5;
        QTest::newRow("point, de")  << "," << "1.6" << qQNaN();
        QTest::newRow("grouping")   << "." << "1,600" << qQNaN();
        QTest::newRow("empty")      << "." << "" << qQNaN();
        QTest::newRow("two points") << "." << "1.2.3" << qQNaN();
        QTest::newRow("lone point") << "." << "." << qQNaN();
        QTest::newRow("nan")        << "." << "nan" << qQNaN();
        QTest::newRow("overflow")   << "." << "1e999" << qQNaN();
        QTest::newRow("exponent")   << "," << "1,5e2" << 150.0;
        // clang-format on
    }
    void feldwert() {
        QFETCH(QString, komma);
        QFETCH(QString, text);
        QTEST(darstellung::feldwert(text.toStdString(), komma.toStdString()).value_or(qQNaN()),
              "wert");
        QCOMPARE(darstellung::feldtext(99.9, ","), std::string("99,9"));
        QCOMPARE(darstellung::feldtext(0.1 + 0.2, "."), std::string("0.3"));
        QCOMPARE(darstellung::feldtext(1e-5, "."), std::string("1e-05"));
    }

    // Method 2's tangent on curves worked by hand: the first second of the steepest rise from
    // x_0, the line through it and the second before, L where it reaches x_0, K = s * L.
    void wendetangente_data() {
        QTest::addColumn<double>("x0");
        QTest::addColumn<QList<double>>("x");
        QTest::addColumn<QString>("soll"); // i s L K, or "-"
        QTest::newRow("S-curve") << 0.0 << L{1, 3, 6, 8, 9} << "3 3 1 3";
        QTest::newRow("straight: the first") << 0.0 << L{2, 4, 6} << "1 2 0 0";
        QTest::newRow("dip first") << 5.0 << L{4, 6, 7} << "2 2 1.5 3";
        QTest::newRow("gentle, steepest last") << 0.0 << L{0.25, 0.5, 1} << "3 0.5 1 0.5";
        QTest::newRow("never rises") << 0.0 << L{0, 0, -1} << "-";
        QTest::newRow("empty") << 0.0 << L{} << "-";
    }
    void wendetangente() {
        QFETCH(double, x0);
        QFETCH(QList<double>, x);
        const auto t = sim::wendetangente_berechnen(x0, std::vector<double>(x.begin(), x.end()));
        QTEST(t ? QString::asprintf("%d %g %g %g", t->wendepunkt_s, t->steigung, t->l_s, t->k_k)
                : QStringLiteral("-"),
              "soll");
        if (t) QCOMPARE(t->bei(t->l_s), x0);
    }

    // The row at the stability limit: page 2's P runs ("xp+" oscillates, "xp-" dies away; "i":
    // with a reset time; "w60": another set-point), numbered in order; the number found or 0.
    void kritische_zeile_data() {
        QTest::addColumn<QString>("laeufe");
        QTest::addColumn<int>("nummer");
        QTest::newRow("the exercise") << "0+ 5+ 10+ 15+ 20+ 30-" << 5;
        QTest::newRow("out of order") << "30- 10+ 20+ 15+" << 3;
        QTest::newRow("the later of two") << "20+ 30- 20+" << 3;
        QTest::newRow("none dies away yet") << "5+ 10+" << 0;
        QTest::newRow("none oscillates") << "30- 40-" << 0;
        QTest::newRow("PI runs do not count") << "20+ 30-i" << 0;
        QTest::newRow("another set-point") << "20+ 30-w60 25+" << 0;
        QTest::newRow("the latest set-point's") << "20+ 30- 10+w60 40-w60" << 3;
    }
    void kritische_zeile() {
        QFETCH(QString, laeufe);
        QFETCH(int, nummer);
        Protokoll p;
        for (QString l : laeufe.split(' ')) {
            const double w = l.contains("w60") ? 60 : 50, tn = l.contains('i') ? 40 : 0;
            l.remove(QStringLiteral("w60")).remove('i');
            const std::vector werte{w, l.chopped(1).toDouble(), tn, 0.0};
            const auto dauer = l.endsWith('+') ? std::optional(30.0) : std::nullopt;
            p.eintragen(2, darstellung::seiten_laufwerte(2, werte), {.schwingungsdauer_s = dauer},
                        0, true);
        }
        const auto k = darstellung::kritische_zeile(p.zeilen());
        QCOMPARE(k.zeile ? k.zeile->nummer : 0, nummer);
        QCOMPARE(k.warum.empty(), nummer != 0);
    }

    // The notebook's window beside the page it serves (a page of 1032 x 781 with its frame):
    // below it where the most of a table's width fits, else beside it; with no room outside
    // the page, over its text rather than its fields, buttons and charts.
    void fensterplatz_data() {
        QTest::addColumn<QRect>("frei");
        QTest::addColumn<QRect>("seite");
        QTest::addColumn<QRect>("platz");
        const QRect seite(444, 100, 1032, 781);
        // clang-format off
        QTest::newRow("below, full width")           << QRect(0, 0, 1920, 1200) << seite << QRect(245, 881, 1430, 319);
        QTest::newRow("right of a page at the left") << QRect(0, 0, 2560, 1000) << QRect(0, 0, 1032, 781) << QRect(1032, 190, 1430, 400);
        QTest::newRow("no room: over the text")      << QRect(0, 0, 1920, 1040) << seite << QRect(0, 0, 800, 200);
        // clang-format on
    }
    void fensterplatz() {
        QFETCH(QRect, frei);
        QFETCH(QRect, seite);
        const auto r = [](const QRect& q) {
            return darstellung::fensterrechteck{q.x(), q.y(), q.width(), q.height()};
        };
        // The page's fields, buttons and charts: its lower band and its right half.
        const darstellung::fensterrechteck geschuetzt[] = {
            r(QRect(seite.x(), seite.y() + 540, seite.width(), 241)),
            r(QRect(seite.x() + 500, seite.y(), 532, 540))};
        const auto p = darstellung::fenster_platz(r(frei), r(seite), geschuetzt, {0, 0, 1430, 400},
                                                  {0, 0, 800, 200});
        QTEST(QRect(p.x, p.y, p.b, p.h), "platz");
    }

    // The smallest scale at which a finger still meets every target: small ones need a circle of
    // 24 px clear of the others' boxes and of the other small ones' circles.
    void finger_data() {
        QTest::addColumn<Ziele>("ziele");
        QTest::addColumn<double>("massstab");
        QTest::newRow("keine") << Ziele{} << 0.6;
        QTest::newRow("allein") << Ziele{{0, 0, 10, 10}} << 0.6;
        QTest::newRow("felder 24 px auseinander") << Ziele{{0, 0, 37, 19}, {0, 24, 37, 19}} << 1.0;
        QTest::newRow("klein 15 px vor einem grossen")
            << Ziele{{0, 0, 20, 20}, {25, 0, 100, 100}} << 0.8;
        QTest::newRow("schmal und beruehrend") << Ziele{{0, 0, 30, 50}, {30, 0, 30, 50}} << 0.8;
    }
    void finger() {
        QFETCH(Ziele, ziele);
        QTEST(darstellung::elemente::kleinster_massstab_fuer_finger(ziele), "massstab");
    }

    // A shape in pixels: inside its box by half its outline; a rounded rectangle's corners a
    // quarter of its shorter side; round shapes smooth, straight ones crisp.
    void umrisse_data() {
        using darstellung::elemente::FormArt;
        QTest::addColumn<int>("art");
        QTest::addColumn<L>("umriss"); // x, y, w, h, radius, smooth
        QTest::newRow("rund") << int(FormArt::RundesRechteck) << L{1, 1, 38, 18, 5, 1};
        QTest::newRow("kreis") << int(FormArt::Kreis) << L{11, 1, 18, 18, 0, 1};
        QTest::newRow("eckig") << int(FormArt::Rechteck) << L{1, 1, 38, 18, 0, 0};
    }
    void umrisse() {
        QFETCH(int, art);
        using namespace darstellung::elemente;
        const Umriss u = umriss({.art = FormArt(art), .r = {0, 0, 600, 300}, .randbreite = 2});
        QTEST((L{u.x, u.y, u.w, u.h, u.radius, double(u.glatt)}), "umriss");
    }

    // The marks of a run: rise time from the axis to the curve, overshoot from w to the peak,
    // one period from the second peak, settling time, the remaining deviation at the end, rings.
    void marken() {
        const sim::kennwerte k{2, 3, 3, 2.5, 5, 0.5}; // as `beispiele` gives them
        const std::vector<double> x{40, 50, 53, 48, 51, 49.5};
        const std::vector<int> spitzen{3, 5, 7};
        QStringList l;
        for (const auto& m : darstellung::kennwert_marken(k, spitzen, 50, x, -10))
            l << QString::asprintf("%d:%g,%g-%g,%g/%d", int(m.art), m.t0, m.y0, m.t1, m.y1,
                                   m.kennwert);
        QCOMPARE(l.join(' '), QStringLiteral("2:2,-10-2,50/0 1:3,50-3,53/1 1:5,51-7.5,51/2 "
                                             "2:5,-10-5,51/3 1:6,49.5-6,50/4 0:3,53-3,53/1 "
                                             "0:5,51-5,51/2"));
    }
};

QTEST_APPLESS_MAIN(TestDarstellung)
#include "test_darstellung.moc"
