// What a chart writes and how it lays out its value axis, in the library both faces use: the
// figures' lines, the figure nearest a second, a read-out's number (in a decimal comma's and a
// decimal point's format), the value axis's range and step.
#include "achsen.h"
#include "diagramm.h"
#include "laeufe.h"
#include "protokollzeilen.h"
#include "tabellen.h"
#include "texte.h"

#include <QTest>

namespace {
QString verbunden(const std::vector<std::string>& zeilen) {
    QStringList t;
    for (const std::string& z : zeilen)
        t << QString::fromStdString(z);
    return t.join('|');
}

const sim::kennwerte beispiele[] = {
    {.anregelzeit_s = 12,
     .ueberschwingen_k = 16.28,
     .zeit_maximum_s = 26,
     .schwingungsdauer_s = 29.4,
     .ausregelzeit_s = 150,
     .bleibende_abweichung_k = -7.26},
    {},
    {.anregelzeit_s = 3,
     .ueberschwingen_k = 6,
     .zeit_maximum_s = 9,
     .schwingungsdauer_s = 43,
     .bleibende_abweichung_k = -0.04},
    {.anregelzeit_s = 3, .ueberschwingen_k = 6, .zeit_maximum_s = 9},
};
} // namespace

class TestDarstellung : public QObject {
    Q_OBJECT
private slots:
    // Kelvins and the period with one decimal, seconds whole, "—" for none, a typographic minus,
    // no "−0,0".
    void kennwert_zeilen_data() {
        QTest::addColumn<QString>("komma");
        QTest::addColumn<int>("fall");
        QTest::addColumn<QString>("soll");
        QTest::newRow("comma, oscillating") << "," << 0
                                            << "Anregelzeit 12 s|Überschwingen 16,3 K nach 26 s|"
                                               "Schwingungsdauer 29,4 s|Ausregelzeit (±1 K) 150 s|"
                                               "bleibende Abweichung \u22127,3 K";
        QTest::newRow("point, none") << "." << 1
                                     << "Anregelzeit —|Überschwingen 0.0 K|Schwingungsdauer —|"
                                        "Ausregelzeit (±1 K) —|bleibende Abweichung —";
        QTest::newRow("comma, whole numbers") << "," << 2
                                              << "Anregelzeit 3 s|Überschwingen 6,0 K nach 9 s|"
                                                 "Schwingungsdauer 43,0 s|Ausregelzeit (±1 K) —|"
                                                 "bleibende Abweichung 0,0 K";
    }
    void kennwert_zeilen() {
        QFETCH(QString, komma);
        QFETCH(int, fall);
        QFETCH(QString, soll);
        QCOMPARE(verbunden(darstellung::kennwert_zeilen(beispiele[fall], komma.toStdString())),
                 soll);
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
        QCOMPARE(darstellung::naechster_kennwert(beispiele[fall], spitzen, zeile), soll);
        QCOMPARE(
            darstellung::naechste_kennwerte(beispiele[fall], spitzen, 200).at(size_t(zeile - 1)),
            soll);
    }

    // A read-out's number: two decimals at most, no trailing zeros, never "-0".
    void kurz_data() {
        QTest::addColumn<double>("wert");
        QTest::addColumn<QString>("komma");
        QTest::addColumn<QString>("soll");
        QTest::newRow("two decimals") << 66.2849 << ","
                                      << "66,28";
        QTest::newRow("whole") << 50.0 << ","
                               << "50";
        QTest::newRow("one decimal") << 20.5 << "."
                                     << "20.5";
        QTest::newRow("rounds up") << 0.999 << ","
                                   << "1";
        QTest::newRow("tiny negative") << -0.001 << ","
                                       << "0";
        QTest::newRow("negative") << -3.25 << ","
                                  << "-3,25";
        QTest::newRow("zero") << 0.0 << "."
                              << "0";
        QTest::newRow("long separator") << 1.5 << "\u066B"
                                        << "1\u066B5";
    }
    void kurz() {
        QFETCH(double, wert);
        QFETCH(QString, komma);
        QFETCH(QString, soll);
        QCOMPARE(QString::fromStdString(darstellung::kurz(wert, komma.toStdString())), soll);
    }

    // The read-out: a cell without a number "–" without a unit; the group's line, then the run
    // before's, then the nearest figure; no empty lines.
    void ablesung() {
        const std::vector<std::string> namen{"Soll", "Ist"};
        const std::vector<double> werte{50, qQNaN()};
        QCOMPARE(QString::fromStdString(darstellung::ablesen(namen, werte, "°C", ",")),
                 QStringLiteral("Soll 50 °C · Ist –"));
        const std::vector<std::string> teile{"Soll 50 °C · Ist 66,28 °C", "Leistung 0 %"},
            vorher{"Soll 30 °C"}, kennwerte{"Anregelzeit 16 s"};
        QCOMPARE(
            QString::fromStdString(darstellung::ablesung(26, teile, "w = 30", vorher, kennwerte)),
            QStringLiteral("t = 26 s · Soll 50 °C · Ist 66,28 °C · Leistung 0 %\nvorher: "
                           "w = 30 · Soll 30 °C\nAnregelzeit 16 s"));
        QCOMPARE(QString::fromStdString(darstellung::ablesung(1, teile, "", {}, {})),
                 QStringLiteral("t = 1 s · Soll 50 °C · Ist 66,28 °C · Leistung 0 %"));
    }

    // The value axis: the stored extent where the run stays within it, widened to whole steps
    // where not; the largest round step with the intervals asked for, coarser until the labels
    // fit; 2 intervals below 150 pixels of height, 3 from there.
    void wertachse_data() {
        QTest::addColumn<QList<double>>("lauf"); // tief, hoch, bis, intervalle, platz
        QTest::addColumn<QList<double>>("soll"); // von, bis, schritt
        QTest::newRow("stored extent")
            << QList<double>{0, 100, 100, 3, 10} << QList<double>{0, 100, 20};
        QTest::newRow("labels do not fit")
            << QList<double>{0, 100, 100, 3, 4} << QList<double>{0, 100, 50};
        QTest::newRow("beyond both ends")
            << QList<double>{-30, 150, 100, 3, 10} << QList<double>{-50, 150, 50};
        QTest::newRow("two intervals")
            << QList<double>{0, 100, 100, 2, 3} << QList<double>{0, 100, 50};
        QTest::newRow("a billion")
            << QList<double>{0, 1e9, 100, 3, 5} << QList<double>{0, 1e9, 5e8};
    }
    void wertachse() {
        QFETCH(QList<double>, lauf);
        QFETCH(QList<double>, soll);
        const auto a =
            darstellung::wertachse_fuer(lauf[0], lauf[1], lauf[2], int(lauf[3]), int(lauf[4]));
        QCOMPARE((QList<double>{a.von, a.bis, a.schritt}), soll);
        QCOMPARE(darstellung::wert_intervalle(149), 2);
        QCOMPARE(darstellung::wert_intervalle(150), 3);
    }

    // Labels of 12 px take 21 px each; the stacked plots meet at their innermost edges.
    void platz_und_gruppe() {
        QCOMPARE(darstellung::marken_platz(104, 12), 4);
        QCOMPARE(darstellung::marken_platz(105, 12), 5);
        QCOMPARE(darstellung::marken_platz(10, 12), 2);
        const std::vector<std::pair<double, double>> raender{{10, 100}, {12, 98.5}, {11, 99}};
        const auto extra = darstellung::zeitachsen_angleichen(raender);
        QCOMPARE(extra, (std::vector<std::pair<double, double>>{{2, 1.5}, {0, 0}, {1, 0.5}}));
    }

    // The grid as text: a header, one row per second, an empty cell where there is no number;
    // tab-separated with 15 significant digits, CSV with the shortest text that reads back, ";"
    // and "," where the decimal separator is a comma.
    void tabellen_data() {
        QTest::addColumn<QString>("komma");
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<QString>("csv");
        QTest::newRow("comma") << ","
                               << "t in s\tSoll\tIst\n1\t50\t20,0396133247818\n2\t50\t\n"
                                  "3\t50\t1e-05\n"
                               << "Zeit in s;Soll in °C;Ist in °C\r\n1;50;20,03961332478182\r\n"
                                  "2;50;\r\n3;50;1e-05\r\n";
        QTest::newRow("point") << "."
                               << "t in s\tSoll\tIst\n1\t50\t20.0396133247818\n2\t50\t\n"
                                  "3\t50\t1e-05\n"
                               << "Zeit in s,Soll in °C,Ist in °C\r\n1,50,20.03961332478182\r\n"
                                  "2,50,\r\n3,50,1e-05\r\n";
    }
    void tabellen() {
        QFETCH(QString, komma);
        QFETCH(QString, tsv);
        QFETCH(QString, csv);
        const std::vector<std::string> reihen{"Soll", "Ist"};
        const std::vector<std::vector<double>> spalten{{50, 50, 50},
                                                       {20.03961332478182, qQNaN(), 1e-5}};
        QCOMPARE(
            QString::fromStdString(darstellung::tsv_text(reihen, spalten, komma.toStdString())),
            tsv);
        QCOMPARE(QString::fromStdString(
                     darstellung::csv_text(reihen, "°C", spalten, komma.toStdString())),
                 csv);
    }

    // A run's name: each value after "=", six significant digits, the separator given; the run
    // before named by what differs, set-point included, as the texts read.
    void laufnamen_data() {
        QTest::addColumn<QList<double>>("vorher"); // w, xp, tn, tv
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("unterschiede");
        QTest::newRow("set-point and P-band")
            << QList<double>{30, 20, 40, 0.5}
            << "Sollwert = 30 °C, P-Band = 20 K, Nachlaufzeit = 40 s, Vorhaltzeit = 0,5 s"
            << "Sollwert = 30 °C,|P-Band = 20 K,|Vorhaltzeit = 0,5 s";
        QTest::newRow("the same") << QList<double>{50, 10, 40, 0}
                                  << "Sollwert = 50 °C, P-Band = 10 K, Nachlaufzeit = 40 s, "
                                     "Vorhaltzeit = 0 s"
                                  << "gleiche Werte";
        QTest::newRow("reads the same") << QList<double>{50, 10.0000001, 40, 0}
                                        << "Sollwert = 50 °C, P-Band = 10 K, Nachlaufzeit = 40 "
                                           "s, Vorhaltzeit = 0 s"
                                        << "gleiche Werte";
        QTest::newRow("the last") << QList<double>{50, 10, 40, 7}
                                  << "Sollwert = 50 °C, P-Band = 10 K, Nachlaufzeit = 40 s, "
                                     "Vorhaltzeit = 7 s"
                                  << "Vorhaltzeit = 7 s";
    }
    void laufnamen() {
        QFETCH(QList<double>, vorher);
        QFETCH(QString, name);
        QFETCH(QString, unterschiede);
        const auto v = darstellung::pid_laufwerte(vorher[0], vorher[1], vorher[2], vorher[3]);
        QCOMPARE(QString::fromStdString(darstellung::laufname(v, ",")), name);
        QCOMPARE(
            verbunden(darstellung::unterschiede(v, darstellung::pid_laufwerte(50, 10, 40, 0), ",")),
            unterschiede);
        QCOMPARE(QString::fromStdString(darstellung::laufname(
                     darstellung::kaskaden_laufwerte(50, 1.6, 0, 10, 30, 10, 1e6), ".")),
                 QStringLiteral("Sollwert = 50 °C, Verstärkung = 1.6, Nachlauf. 1 = 0 s, "
                                "Vorhalt. 1 = 10 s, P-Band 2 = 30 K, Vorhalt. 2 = 10 s, "
                                "Max.Diff = 1e+06 K"));
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
    }

    // Lines from pieces: a new line where the next piece would pass the width; a piece wider
    // than the line alone on its own.
    void umbrechen_data() {
        QTest::addColumn<QList<double>>("breiten");
        QTest::addColumn<double>("platz");
        QTest::addColumn<QList<int>>("anfaenge");
        QTest::newRow("one line") << QList<double>{10, 20, 30} << 70.0 << QList<int>{0};
        QTest::newRow("exactly full") << QList<double>{10, 20, 30} << 64.0 << QList<int>{0};
        QTest::newRow("one over") << QList<double>{10, 20, 30} << 63.0 << QList<int>{0, 2};
        QTest::newRow("too wide") << QList<double>{10, 90, 10} << 50.0 << QList<int>{0, 1, 2};
        QTest::newRow("none") << QList<double>{} << 50.0 << QList<int>{};
    }
    void umbrechen() {
        QFETCH(QList<double>, breiten);
        QFETCH(double, platz);
        QFETCH(QList<int>, anfaenge);
        const std::vector<double> b(breiten.begin(), breiten.end());
        const auto a = darstellung::umbrechen(b, 2, platz);
        QCOMPARE(QList<int>(a.begin(), a.end()), anfaenge);
    }

    // The head: the summary from the plot's left edge, the legend right-aligned below it, on
    // more lines where the plot is narrow; nothing left of the plot; the plot below all of it.
    void kopf() {
        const std::vector<double> kennwerte{100, 100, 100}, legende{40, 30, 50, 60};
        const auto k = darstellung::kopf_anordnen(kennwerte, 10, legende, 250, 15);
        QCOMPARE(k.kennwerte.size(), size_t(3));
        QCOMPARE(k.kennwerte[1].x, 110.0);
        QCOMPARE(k.kennwerte[2].x, 0.0); // 320 > 250: a second line
        QCOMPARE(k.kennwerte[2].y, k.kennwerte[0].y + 15);
        QCOMPARE(k.legende_y, k.kennwerte[2].y + 15);
        QCOMPARE(k.legende_breite, 4 + 180.0);
        QCOMPARE(k.legende_x + k.legende_breite, 250.0);
        QCOMPARE(k.legende[3].x, k.legende_x + 4 + 120);
        QCOMPARE(k.hoehe, k.legende_y + 15 + 2);
        const auto eng = darstellung::kopf_anordnen({}, 0, legende, 100, 15);
        QCOMPARE(eng.legende_hoehe, 3 * 15.0); // 40+30 | 50 | 60
        QCOMPARE(eng.legende[2].y, eng.legende_y + 15);
        QCOMPARE(eng.legende_x, 100 - 4 - 70.0);
        const auto zu_eng = darstellung::kopf_anordnen({}, 0, legende, 50, 15);
        QCOMPARE(zu_eng.legende_x, 0.0); // never left of the plot
    }

    // A row of the lab notebook as the table shows it: the page's fields, figures as the box
    // writes them ("—" for none), empty cells for the other page's fields.
    void protokoll_texte() {
        const darstellung::protokollzeile z{.nummer = 4,
                                            .sekunde = 75,
                                            .seite = 2,
                                            .werte = darstellung::pid_laufwerte(50, 12.5, 40, 0),
                                            .k = {.anregelzeit_s = 17,
                                                  .ueberschwingen_k = 9.41,
                                                  .zeit_maximum_s = 25,
                                                  .schwingungsdauer_s = 36.67,
                                                  .bleibende_abweichung_k = -0.04}};
        QStringList t;
        for (const std::string& s : darstellung::protokoll_texte(z, ","))
            t << QString::fromStdString(s);
        QCOMPARE(t.join('|'),
                 QStringLiteral("4|75|2|50|12,5|40|0|||||||17|9,4|25|36,7|\u2014|0,0"));
        QCOMPARE(darstellung::protokoll_spalten().size(), size_t(19));
    }

    // Files that are not a notebook are refused with the line that says so; a notebook written
    // with either separator reads back.
    void protokoll_lesen_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("fehler");
        const QString kopf = QString::fromStdString(darstellung::protokoll_csv({}, ",")).trimmed();
        const QString zwei = ";2;50;0;0;0;;;;;;;22;27,9;38;43;;\r\n";
        QTest::newRow("empty") << ""
                               << "Die Datei ist leer.";
        QTest::newRow("a chart's data") << "Zeit in s;Soll in °C\r\n1;50\r\n"
                                        << "Zeile 1: die Spalten sind nicht die eines "
                                           "Versuchsprotokolls.";
        QTest::newRow("no number") << kopf + "\r\n;7" + zwei
                                   << "Zeile 2: Nr., Zeit und Seite "
                                      "(2 oder 3) fehlen.";
        QTest::newRow("fields short") << kopf + "\r\n1;2;2;50\r\n"
                                      << "Zeile 2: falsche Zahl von Feldern.";
        QTest::newRow("text") << kopf + "\r\n1;2;2;50;x;0;0;;;;;;;22;27,9;38;43;;\r\n"
                              << "Zeile 2: „x“ ist keine Zahl.";
        QTest::newRow("no. beyond int")
            << kopf + "\r\n3e9;7" + zwei << "Zeile 2: Nr., Zeit und Seite (2 oder 3) fehlen.";
        QTest::newRow("rise time beyond int")
            << kopf + "\r\n1;2;2;50;0;0;0;;;;;;;1e10;27,9;38;43;;\r\n"
            << "Zeile 2: „1e10“ ist keine ganze Zahl.";
        QTest::newRow("page 4") << kopf + "\r\n1;2;4;50;0;0;0;;;;;;;;;;;;\r\n"
                                << "Zeile 2: Nr., Zeit und Seite (2 oder 3) fehlen.";
        QTest::newRow("page 3's fields on page 2")
            << kopf + "\r\n1;2;2;50;0;0;0;1;;;;;;;;;;;\r\n"
            << "Zeile 2: die Felder passen nicht zu Seite 2.";
        QTest::newRow("a notebook") << kopf + "\r\n1;7" + zwei << "";
        QTest::newRow("with a point")
            << "\xEF\xBB\xBF" +
                   QString::fromStdString(darstellung::protokoll_csv(
                       darstellung::protokoll_lesen((kopf + "\r\n1;7" + zwei).toStdString()).zeilen,
                       "."))
            << "";
    }
    void protokoll_lesen() {
        QFETCH(QString, datei);
        QFETCH(QString, fehler);
        const auto d = darstellung::protokoll_lesen(datei.toStdString());
        QCOMPARE(QString::fromStdString(d.fehler), fehler);
        QCOMPARE(d.zeilen.size(), size_t(fehler.isEmpty() ? 1 : 0));
        if (fehler.isEmpty()) {
            QCOMPARE(d.zeilen[0].werte.at(0).wert, 50.0);
            QCOMPARE(d.zeilen[0].k.ueberschwingen_k, 27.9);
            QVERIFY(!d.zeilen[0].k.ausregelzeit_s);
        }
    }

    // The marks of a run: rise time from the axis to the curve, overshoot from w to the peak,
    // one period from the second peak, settling time, the remaining deviation at the end, rings.
    void marken() {
        const sim::kennwerte k{.anregelzeit_s = 2,
                               .ueberschwingen_k = 3,
                               .zeit_maximum_s = 3,
                               .schwingungsdauer_s = 2.5,
                               .ausregelzeit_s = 5,
                               .bleibende_abweichung_k = 0.5};
        const std::vector<double> x{40, 50, 53, 48, 51, 49.5};
        const std::vector<int> spitzen{3, 5, 7};
        QStringList l;
        for (const auto& m : darstellung::kennwert_marken(k, spitzen, 50, x, -10))
            l << QStringLiteral("%1:%2,%3-%4,%5/%6")
                     .arg(int(m.art))
                     .arg(m.t0)
                     .arg(m.y0)
                     .arg(m.t1)
                     .arg(m.y1)
                     .arg(m.kennwert);
        QCOMPARE(l.join(' '), QStringLiteral("2:2,-10-2,50/0 1:3,50-3,53/1 1:5,51-7.5,51/2 "
                                             "2:5,-10-5,51/3 1:6,49.5-6,50/4 0:3,53-3,53/1 "
                                             "0:5,51-5,51/2"));
    }
};

QTEST_APPLESS_MAIN(TestDarstellung)
#include "test_darstellung.moc"
