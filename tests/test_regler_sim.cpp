// regler-sim as a teacher calls it: CSV against the reference data, bit for bit, and the
// error paths of its command line.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <bit>
#include <charconv>
#include <cstdint>
#include <string>

namespace {

struct aufruf {
    int status = -1;
    QString aus;
    QString fehler;
};

aufruf starten(const QStringList& argumente) {
    QProcess p;
    p.start(REGLER_SIM, argumente);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QStringList zeilen_aus(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

// Both cells read in full as doubles with the same bit pattern.
bool gleiche_bits(const QString& a, const QString& b) {
    const auto lesen = [](const QString& t, double& v) {
        const std::string s = t.toStdString();
        const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        return ec == std::errc{} && p == s.data() + s.size();
    };
    double x = 0, y = 0;
    return lesen(a, x) && lesen(b, y) &&
           std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

} // namespace

class test_regler_sim : public QObject {
    Q_OBJECT

private slots:
    void referenz_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("datei");
        QTest::addColumn<int>("zeilen");
        const QDir daten(REGLER_DATEN);
        const QStringList dateien = daten.entryList({"*.csv"}, QDir::Files);
        QVERIFY(dateien.size() >= 21);
        for (const QString& d : dateien) // the files hold runs of the default length
            QTest::newRow(qPrintable(d))
                << QFileInfo(d).completeBaseName().split('_') << daten.filePath(d) << -1;
        QTest::newRow("--n vorne") << QStringList{"pid", "--n", "7", "50", "17", "20", "5"}
                                   << daten.filePath("pid_50_17_20_5.csv") << 7;
        QTest::newRow("--n mitten")
            << QStringList{"kaskade", "50", "1.6", "40", "--n", "12", "10", "30", "10", "10"}
            << daten.filePath("kaskade_50_1.6_40_10_30_10_10.csv") << 12;
        QTest::newRow("--n 0") << QStringList{"aufheizkurve", "--n", "0"}
                               << daten.filePath("aufheizkurve.csv") << 0;
        QTest::newRow("--n 0030") << QStringList{"aufheizkurve", "--n", "0030"}
                                  << daten.filePath("aufheizkurve.csv") << 30;
    }
    void referenz() {
        QFETCH(QStringList, argumente);
        QFETCH(QString, datei);
        QFETCH(int, zeilen);
        const QStringList soll = zeilen_aus(datei);
        QVERIFY(soll.size() > 1);
        if (zeilen < 0) zeilen = int(soll.size()) - 1;
        const aufruf a = starten(argumente);
        QCOMPARE(a.status, 0);
        QVERIFY(a.aus.endsWith('\n'));
        const QStringList ist = a.aus.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(ist.size(), zeilen + 1);
        QCOMPARE(ist[0], soll[0]);
        const QStringList spalten = soll[0].split(',');
        for (int i = 1; i <= zeilen; ++i) {
            const QStringList z_ist = ist[i].split(',');
            const QStringList z_soll = soll[i].split(',');
            QCOMPARE(z_ist.size(), z_soll.size());
            for (int s = 0; s < z_ist.size(); ++s) {
                // The set-point column carries the argument's text unchanged.
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
        const auto pid = [](const char* name, QStringList a, const char* genannt) {
            QTest::newRow(name) << (QStringList{"pid", "50", "17", "20", "5"} + a) << genannt;
        };
        QTest::newRow("ohne Befehl") << QStringList{} << "Befehl";
        QTest::newRow("unbekannter Befehl") << QStringList{"pdi", "50", "0", "0", "0"} << "pdi";
        QTest::newRow("TV fehlt") << QStringList{"pid", "50", "0", "0"} << "TV";
        QTest::newRow("MAXDIFF fehlt")
            << QStringList{"kaskade", "50", "1", "0", "0", "0", "0"} << "MAXDIFF";
        QTest::newRow("aufheizkurve mit Zahl") << QStringList{"aufheizkurve", "5"} << "\"5\"";
        pid("überzählig", {"7"}, "\"7\"");
        pid("--n ohne Wert", {"--n"}, "--n");
        pid("--n negativ", {"--n", "-1"}, "--n \"-1\"");
        pid("--n zu gross", {"--n", "32768"}, "--n \"32768\"");
        pid("--n riesig", {"--n", "99999999999999999999"}, "--n");
        pid("--n gebrochen", {"--n", "1.5"}, "--n \"1.5\"");
        pid("--n Text", {"--n", "viel"}, "--n \"viel\"");
        pid("--n leer", {"--n", ""}, "--n \"\"");
        pid("--n doppelt", {"--n", "5", "--n", "5"}, "--n");
        pid("--n=5", {"--n=5"}, "--n=5");
        pid("unbekannte Option", {"--x"}, "--x");
        pid("-n statt --n", {"-n", "5"}, "\"-n\"");
        const auto feld = [](const char* name, int k, const char* text, const char* genannt) {
            QStringList a{"kaskade", "50", "1.6", "40", "10", "30", "10", "0"};
            a[k] = text;
            QTest::newRow(name) << a << genannt;
        };
        feld("W1 leer", 1, "", "W1 \"\"");
        feld("W1 Text", 1, "fünfzig", "W1");
        feld("V1 Komma", 2, "1,6", "V1 \"1,6\"");
        feld("TN nan", 3, "nan", "TN \"nan\"");
        feld("TV1 inf", 4, "inf", "TV1 \"inf\"");
        feld("XP -inf", 5, "-inf", "XP \"-inf\"");
        feld("TV2 Rest", 6, "10s", "TV2 \"10s\"");
        feld("MAXDIFF Leerzeichen", 7, " 5", "MAXDIFF \" 5\"");
        feld("W1 Plus", 1, "+50", "W1 \"+50\"");
        feld("W1 Exponent", 1, "5e1", "W1 \"5e1\"");
        feld("W1 zu gross", 1, qPrintable(QString(400, '9')), "W1");
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

    void hilfe_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("pid --help") << QStringList{"pid", "--help"};
        QTest::newRow("-h") << QStringList{"-h"};
    }
    void hilfe() {
        QFETCH(QStringList, argumente);
        const aufruf a = starten(argumente);
        QCOMPARE(a.status, 0);
        QCOMPARE(a.fehler, QString());
        for (const char* zeile : {"regler-sim pid W XP TN TV [--n N]",
                                  "regler-sim kaskade W1 V1 TN TV1 XP TV2 MAXDIFF [--n N]",
                                  "regler-sim aufheizkurve [--n N]"})
            QVERIFY2(a.aus.contains(zeile), zeile);
    }

    // A gain above 99.9 is replaced by 0 as on the page; the run goes on and says so.
    void verstaerkung_begrenzt() {
        const aufruf hoch =
            starten({"kaskade", "50", "99.91", "40", "10", "30", "10", "0", "--n", "20"});
        const aufruf null =
            starten({"kaskade", "50", "0", "40", "10", "30", "10", "0", "--n", "20"});
        const aufruf grenze =
            starten({"kaskade", "50", "99.9", "40", "10", "30", "10", "0", "--n", "20"});
        QCOMPARE(hoch.status, 0);
        QCOMPARE(hoch.aus, null.aus);
        QVERIFY(hoch.fehler.contains("V1"));
        QVERIFY(grenze.aus != null.aus);
        QCOMPARE(grenze.fehler, QString());
    }
};

QTEST_GUILESS_MAIN(test_regler_sim)
#include "test_regler_sim.moc"
