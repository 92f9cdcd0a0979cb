// regler-sim, which runs the core as a teacher would call it: independent reference data
// (tools/referenz.py) bit for bit, the largest runs and the error paths of its command line;
// and how the fields of a page become the run's parameters.
#include "kaskade.h"
#include "kennwerte.h"
#include "protokollzeilen.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct aufruf {
    int status = -1;
    QString aus, fehler;
};

aufruf starten(const QStringList& argumente) {
    QProcess p;
    p.start(REGLER_SIM, argumente);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Both cells read in full as doubles with the same bit pattern.
bool gleiche_bits(const QString& a, const QString& b) {
    bool ok_a = false, ok_b = false;
    const double x = a.toDouble(&ok_a), y = b.toDouble(&ok_b);
    return ok_a && ok_b && std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

} // namespace

class test_sim : public QObject {
    Q_OBJECT

private slots:
    // One step of the cascade's controllers from rest, gain 1: set-point 2 held within maxdiff
    // of x1 (0: no limit); the outer sum grows only while the inner error is not 0 and the
    // power is not held at a bound.
    void kaskaden_schritt_data() {
        QTest::addColumn<QList<double>>("ein"); // w1, x1, x2, maxdiff, xp
        QTest::addColumn<QList<double>>("aus"); // w2, y, summe
        // clang-format off
        QTest::newRow("inner error 0") << QList<double>{50, 20, 80, 0, 10} << QList<double>{80, 0, 0};
        QTest::newRow("held above")    << QList<double>{50, 20, 20, 10, 20} << QList<double>{30, 50, 30};
        QTest::newRow("held below")    << QList<double>{10, 40, 40, 10, 20} << QList<double>{30, 0, 0};
        QTest::newRow("within")        << QList<double>{50, 20, 20, 100, 100} << QList<double>{80, 60, 30};
        QTest::newRow("just held")     << QList<double>{50, 20, 20, 59.5, 100} << QList<double>{79.5, 59.5, 30};
        // clang-format on
    }
    void kaskaden_schritt() {
        QFETCH(QList<double>, ein);
        const auto n = sim::kaskaden_regler_schritt(
            {}, {.w1 = ein[0], .xp = ein[4], .maxdiff = ein[3]}, ein[1], ein[2]);
        QTEST((QList<double>{n.w2, n.y, n.summe}), "aus");
        // A reset time of 0 stands for none; the reference run with 0 never sums, so cannot tell.
        QCOMPARE(sim::kaskaden_parameter_bilden({.tn1 = 0}).tn, 10000.0);
    }

    // The figures of a step response on short series worked by hand ("-": none): the first
    // second at w, overshoot and its second, the period between the peaks after the first, the
    // second from which x stays within 1 K for the last quarter at least, the remaining deviation
    // once the last quarter spans 2 K at most; after "|" the peaks' seconds.
    void kennwerte_data() {
        QTest::addColumn<double>("w");
        QTest::addColumn<QList<double>>("x");
        QTest::addColumn<QString>("soll");
        // clang-format off
        QTest::newRow("flat tops")         << 50.0 << QList<double>{40, 60, 60, 45, 60, 60, 50} << "2 10 2 - - 0 | 2 5";
        QTest::newRow("first peak apart")  << 10.0 << QList<double>{0, 12, 9, 12, 9, 9, 13, 9, 10, 10, 10, 9.6} << "2 3 7 3 8 0.4 | 2 4 7";
        QTest::newRow("below w")           << 50.0 << QList<double>{40, 45, 44, 46, 45, 47, 46} << "- 0 - 2 - 4 | 2 4 6";
        QTest::newRow("ripple under 0.5")  << 10.0 << QList<double>{9, 10.4, 10, 10.4, 10.1, 10.3} << "2 0.4 2 - 1 -0.3 |";
        QTest::newRow("fall of 0.5")       << 20.0 << QList<double>{9, 10, 9.5} << "- 0 - - - - | 2";
        QTest::newRow("no step: w < x_1")  << 5.0 << QList<double>{10, 8, 6, 7, 6, 5} << "- - - - - - | 4";
        QTest::newRow("no step: w = x_1")  << 5.0 << QList<double>{5} << "- - - - - - |";
        QTest::newRow("n = 1")             << 5.0 << QList<double>{4} << "- 0 - - 1 - |";
        QTest::newRow("n = 2")             << 5.0 << QList<double>{4, 5} << "2 0 - - 1 - |";
        QTest::newRow("n = 3")             << 5.0 << QList<double>{4, 7, 5} << "2 2 2 - 3 - | 2";
        QTest::newRow("n = 4")             << 5.0 << QList<double>{0, 3, 5, 5.5} << "3 0.5 4 - 3 -0.5 |";
        QTest::newRow("n = 4, in late")    << 5.0 << QList<double>{0, 3, 2, 5} << "4 0 - - - 0 | 2";
        QTest::newRow("in at n - q")       << 10.0 << QList<double>{0, 2, 4, 6, 8, 9.5, 10, 10} << "7 0 - - 6 0 |";
        QTest::newRow("in after n - q")    << 10.0 << QList<double>{0, 2, 4, 6, 8, 8, 9.5, 10} << "8 0 - - - 0 |";
        QTest::newRow("rest: span 2")      << 12.0 << QList<double>{0, 0, 0, 0, 0, 0, 8, 10} << "- 0 - - - 2 |";
        QTest::newRow("span over 2")       << 12.0 << QList<double>{0, 0, 0, 0, 0, 0, 7.9, 10} << "- 0 - - - - |";
        QTest::newRow("leaves band")       << 10.0 << QList<double>{9, 10, 12} << "2 2 3 - - - |";
        QTest::newRow("ends on band edge") << 10.0 << QList<double>{9, 12, 11, 9} << "2 2 2 - 3 1 | 2";
        QTest::newRow("empty")             << 10.0 << QList<double>{} << "- - - - - - |";
        // clang-format on
    }
    void kennwerte() {
        QFETCH(double, w);
        QFETCH(QList<double>, x);
        const std::vector<double> werte(x.begin(), x.end());
        const sim::kennwerte k = sim::kennwerte_berechnen(w, werte);
        QStringList ist;
        using W = std::optional<double>;
        for (const W v : {W(k.anregelzeit_s), k.ueberschwingen_k, W(k.zeit_maximum_s),
                          k.schwingungsdauer_s, W(k.ausregelzeit_s), k.bleibende_abweichung_k})
            ist << (v ? QString::number(*v) : QString("-"));
        ist << "|";
        for (int i : sim::spitzen(werte))
            ist << QString::number(i);
        QTEST(ist.join(' '), "soll");
    }

    // zeilen: -1 for the whole file; the set-point column carries the argument's text unchanged.
    void referenz_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("datei");
        QTest::addColumn<int>("zeilen");
        const QDir daten(REGLER_DATEN);
        const QStringList dateien = daten.entryList({"*.csv"}, QDir::Files);
        QVERIFY(dateien.size() >= 21);
        for (const QString& d : dateien)
            QTest::newRow(qPrintable(d))
                << QFileInfo(d).completeBaseName().split('_') << daten.filePath(d) << -1;
        QTest::newRow("--n mitten")
            << QStringList{"kaskade", "50", "1.6", "40", "--n", "12", "10", "30", "10", "10"}
            << daten.filePath("kaskade_50_1.6_40_10_30_10_10.csv") << 12;
        QTest::newRow("V1 99.91 wird 0")
            << QStringList{"kaskade", "050", "99.91", "40", "10", "30", "10", "0"}
            << daten.filePath("kaskade_050_150_40_10_30_10_0.csv") << -1;
        QTest::newRow("--n 0") << QStringList{"aufheizkurve", "--n", "0"}
                               << daten.filePath("aufheizkurve.csv") << 0;
    }
    void referenz() {
        QFETCH(QStringList, argumente);
        QFETCH(QString, datei);
        QFETCH(int, zeilen);
        QFile f(datei);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList soll = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        if (zeilen < 0) zeilen = int(soll.size()) - 1;
        const aufruf a = starten(argumente);
        QCOMPARE(a.status, 0);
        // Only a gain above 99.9 is reported, and the run goes on with 0.
        const bool hoch = argumente[0] == "kaskade" && argumente[2].toDouble() > 99.9;
        QCOMPARE(a.fehler.contains("V1 \"" + argumente.value(2) + "\" liegt über"), hoch);
        QCOMPARE(a.fehler.isEmpty(), !hoch);
        QVERIFY(a.aus.endsWith('\n'));
        const QStringList ist = a.aus.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(ist.size(), zeilen + 1);
        QCOMPARE(ist[0], soll[0]);
        const QStringList spalten = soll[0].split(',');
        for (int i = 1; i <= zeilen; ++i) {
            const QStringList z_ist = ist[i].split(','), z_soll = soll[i].split(',');
            QCOMPARE(z_ist.size(), z_soll.size());
            for (int s = 0; s < z_ist.size(); ++s) {
                const bool text = spalten[s] == "w" || spalten[s] == "w1";
                QVERIFY2(text ? z_ist[s] == z_soll[s] : gleiche_bits(z_ist[s], z_soll[s]),
                         qPrintable(QString("Zeile %1, %2: %3 statt %4")
                                        .arg(QString::number(i), spalten[s], z_ist[s], z_soll[s])));
            }
        }
    }

    // Each bad command line: status 2, nothing on stdout, one line on stderr naming the culprit.
    // --kennwerte on the pages' examples (status 0, their line of figures): the on/off controller
    // swings for good (a period, but neither settled nor at rest), a P-band of 15 oscillates below
    // w and rests 3.4 K short, PI settles, page 3's opening cascade swings unsettled.
    void aufrufe_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("genannt"); // status 0: the line of figures
        const QStringList pid{"pid", "50", "17", "20", "5"},
            kaskade{"kaskade", "50", "1.6", "40", "10", "30", "10"}; // without MAXDIFF
        const auto kw = [](const char* a) { return QString(a).split(' ') << "--kennwerte"; };
        // clang-format off
        QTest::newRow("ohne Befehl")       << QStringList{} << 2 << "Befehl";
        QTest::newRow("falscher Befehl")   << QStringList{"pdi", "50", "0", "0", "0"} << 2 << "pdi";
        QTest::newRow("MAXDIFF fehlt")     << kaskade << 2 << "MAXDIFF";
        QTest::newRow("überzählig")        << pid + QStringList{"7"} << 2 << "\"7\"";
        QTest::newRow("--n ohne Wert")     << pid + QStringList{"--n"} << 2 << "--n";
        QTest::newRow("--n zu gross")      << pid + QStringList{"--n", "32768"} << 2 << "--n \"32768\"";
        QTest::newRow("--n negativ")       << pid + QStringList{"--n", "-1"} << 2 << "--n \"-1\"";
        QTest::newRow("MAXDIFF Komma")     << kaskade + QStringList{"0,5"} << 2 << "MAXDIFF \"0,5\"";
        QTest::newRow("MAXDIFF inf")       << kaskade + QStringList{"inf"} << 2 << "MAXDIFF \"inf\"";
        QTest::newRow("MAXDIFF zu gross")  << kaskade + QStringList{QString(400, '9')} << 2 << "MAXDIFF";
        QTest::newRow("Kennwerte ohne Lauf") << QStringList{"aufheizkurve", "--kennwerte"} << 2 << "--kennwerte";
        QTest::newRow("on/off")  << kw("pid 50 0 0 0") << 0 << "16,16.280515511800644,26,28.25,,";
        QTest::newRow("P 15")    << kw("pid 50 15 0 0") << 0 << "17,10.81768091544096,25,31.666666666666668,,3.4438654269563926";
        QTest::newRow("PI")      << kw("pid 50 20 40 0") << 0 << "17,9.41384846194886,25,36.666666666666664,127,0.2552673150743132";
        QTest::newRow("cascade") << kw("kaskade 50 1 0 0 0 0 0") << 0 << "22,27.931517059925056,38,43,,";
        // clang-format on
    }
    void aufrufe() {
        QFETCH(QStringList, argumente);
        QFETCH(int, status);
        QFETCH(QString, genannt);
        const aufruf a = starten(argumente);
        QCOMPARE(a.status, status);
        if (status == 0) {
            QCOMPARE(a.aus,
                     QStringLiteral("anregelzeit_s,ueberschwingen_k,zeit_maximum_s,"
                                    "schwingungsdauer_s,ausregelzeit_s,bleibende_abweichung_k\n") +
                         genannt + '\n');
            return;
        }
        QCOMPARE(a.aus, QString());
        QCOMPARE(a.fehler.count('\n'), 1);
        QVERIFY(a.fehler.endsWith('\n'));
        QVERIFY2(a.fehler.contains(genannt), qPrintable(a.fehler));
    }

    // The tuning methods on the command line: the heating curve's tangent (the steepest second,
    // as a hand check of the curve's rises finds it: 26), and the stability limit of the
    // exercise on page 2 (P-band 0, 5, 10, 15, 20, 30): the run at 20 K still swings, with a
    // period of (136 - 65) / 2 = 35.5 s between its peaks after the first; at 30 K it dies away.
    void einstellhilfe() {
        const QStringList t = starten({"aufheizkurve", "--tangente"}).aus.split('\n');
        QCOMPARE(t.value(0), QStringLiteral("wendepunkt_s,steigung_k_s,l_s,k_k"));
        const QStringList w = t.value(1).split(',');
        QCOMPARE(w.value(0), QStringLiteral("26"));
        QCOMPARE(w.value(3).toDouble(), w.value(1).toDouble() * w.value(2).toDouble());
        darstellung::versuchsprotokoll p;
        for (const double xp : {0.0, 5.0, 10.0, 15.0, 20.0, 30.0}) {
            const auto werte = darstellung::seiten_laufwerte(2, std::vector{50.0, xp, 0.0, 0.0});
            p.eintragen(2, werte, darstellung::protokoll_kennwerte(2, werte), 0, true);
        }
        QTemporaryDir ordner;
        QFile f(ordner.filePath("v.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(p.csv(",").c_str()) > 0);
        f.close();
        const aufruf a = starten({"kritisch", f.fileName()});
        QCOMPARE(a.aus, QStringLiteral("nummer,p_band_k,schwingungsdauer_s\n5,20,35.5\n"));
        QCOMPARE(starten({"kritisch", ordner.filePath("fehlt.csv")}).status, 2);
    }
};

QTEST_GUILESS_MAIN(test_sim)
#include "test_sim.moc"
