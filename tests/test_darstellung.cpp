// What a chart writes and how it lays out its value axis, in the library both faces use: the
// figures' lines, the figure nearest a second, a read-out's number (in a decimal comma's and a
// decimal point's format), the value axis's range and step.
#include "achsen.h"
#include "laeufe.h"
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

    // A run's name: each value after "=", six significant digits, the separator given.
    void laufnamen() {
        QCOMPARE(QString::fromStdString(darstellung::laufname_pid(20, 40, 0.5, ",")),
                 QStringLiteral("P-Band = 20 K, Nachlaufzeit = 40 s, Vorhaltzeit = 0,5 s"));
        QCOMPARE(
            QString::fromStdString(darstellung::laufname_kaskade(1.6, 0, 10, 30, 10, 1e6, ".")),
            QStringLiteral("Verstärkung = 1.6, Nachlauf. 1 = 0 s, Vorhalt. 1 = 10 s, "
                           "P-Band 2 = 30 K, Vorhalt. 2 = 10 s, Max.Diff = 1e+06 K"));
    }
};

QTEST_APPLESS_MAIN(TestDarstellung)
#include "test_darstellung.moc"
