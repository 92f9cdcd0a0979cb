// regler-sim as a teacher calls it: CSV against the reference data, bit for bit, and the
// error paths of its command line.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <bit>
#include <cstdint>

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

class test_regler_sim : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(a.fehler.contains("V1"), hoch);
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
                                        .arg(i)
                                        .arg(spalten[s], z_ist[s], z_soll[s])));
            }
        }
    }

    // Each bad command line: status 2, nothing on stdout, one line on stderr naming the culprit.
    void fehler_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("genannt");
        const QStringList pid{"pid", "50", "17", "20", "5"},
            kaskade{"kaskade", "50", "1.6", "40", "10", "30", "10"}; // without MAXDIFF
        // clang-format off
        QTest::newRow("ohne Befehl")       << QStringList{} << "Befehl";
        QTest::newRow("falscher Befehl")   << QStringList{"pdi", "50", "0", "0", "0"} << "pdi";
        QTest::newRow("MAXDIFF fehlt")     << kaskade << "MAXDIFF";
        QTest::newRow("überzählig")        << pid + QStringList{"7"} << "\"7\"";
        QTest::newRow("--n ohne Wert")     << pid + QStringList{"--n"} << "--n";
        QTest::newRow("--n zu gross")      << pid + QStringList{"--n", "32768"} << "--n \"32768\"";
        QTest::newRow("--n negativ")       << pid + QStringList{"--n", "-1"} << "--n \"-1\"";
        QTest::newRow("--n doppelt")       << pid + QStringList{"--n", "5", "--n", "5"} << "--n";
        QTest::newRow("-n statt --n")      << pid + QStringList{"-n", "5"} << "\"-n\"";
        QTest::newRow("MAXDIFF Komma")     << kaskade + QStringList{"0,5"} << "MAXDIFF \"0,5\"";
        QTest::newRow("MAXDIFF inf")       << kaskade + QStringList{"inf"} << "MAXDIFF \"inf\"";
        QTest::newRow("MAXDIFF Exponent")  << kaskade + QStringList{"5e1"} << "MAXDIFF \"5e1\"";
        QTest::newRow("MAXDIFF zu gross")  << kaskade + QStringList{QString(400, '9')} << "MAXDIFF";
        // clang-format on
    }
    void fehler() {
        QFETCH(QStringList, argumente);
        QFETCH(QString, genannt);
        const aufruf a = starten(argumente);
        QCOMPARE(a.status, 2);
        QCOMPARE(a.aus, QString());
        QCOMPARE(a.fehler.count('\n'), 1);
        QVERIFY(a.fehler.endsWith('\n'));
        QVERIFY2(a.fehler.contains(genannt), qPrintable(a.fehler));
    }

    void hilfe() {
        const aufruf a = starten({"pid", "--help"});
        QVERIFY(a.status == 0 && a.fehler.isEmpty() && a.aus.contains("kaskade W1 V1 TN TV1"));
    }
};

QTEST_GUILESS_MAIN(test_regler_sim)
#include "test_regler_sim.moc"
