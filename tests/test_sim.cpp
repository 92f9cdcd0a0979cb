// The simulation core against the documented worked examples and against independent
// reference data (tools/referenz.py), the latter bit for bit.
#include "kaskade.h"
#include "pid.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr double leer = NAN;

double zahl(const QString& t) {
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : leer;
}

std::uint64_t bits(double d) {
    return std::bit_cast<std::uint64_t>(d);
}

// One run, in the columns of the CSV files (the set-point text column holds NaN); also the sink.
struct lauf {
    QStringList spalten, w_texte;
    std::vector<std::vector<double>> zeilen;
    int enden = 0;
    double wert(int i, const QString& s) const { return zeilen.at(i - 1).at(spalten.indexOf(s)); }
    void zeile(const sim::pid_zeile& z) {
        w_texte << QString::fromUtf8(z.w_text.data(), qsizetype(z.w_text.size()));
        zeilen.push_back({double(z.i), leer, z.heizplatte, z.pfanne, z.milch, z.y, z.summe});
    }
    void zeile(const sim::kaskaden_zeile& z) {
        w_texte << QString::fromUtf8(z.w1_text.data(), qsizetype(z.w1_text.size()));
        zeilen.push_back({double(z.i), leer, z.x1, z.w2, z.x2, z.y, z.summe, z.y_roh});
    }
    void zeile(const sim::aufheiz_zeile& z) {
        zeilen.push_back({double(z.i), z.heizung, z.stufe, z.istwert});
    }
    void ende() { ++enden; }
};

// fall: the regler-sim command line, e.g. "pid 50 0 0 0"; field texts are converted as the
// caller of the core does, including the gain limit of "Start Grafik".
lauf laufen(const QString& fall, int n = -1) {
    const QStringList a = fall.split(QRegularExpression("[ _]"));
    std::vector<double> v;
    for (const QString& t : a.mid(1))
        v.push_back(zahl(t));
    lauf l;
    if (a[0] == "pid") {
        l.spalten = QString("i,w,heizplatte,pfanne,milch,y,summe").split(',');
        const auto p = sim::pid_parameter_bilden(a[1].toStdString(), v[0], v[1], v[2], v[3]);
        sim::pid_lauf(p, n < 0 ? 200 : n, l);
    } else if (a[0] == "kaskade") {
        l.spalten = QString("i,w1,x1,w2,x2,y,summe,y_roh").split(',');
        const double v1 = v[1] > sim::v1_obergrenze ? 0 : v[1];
        const auto p = sim::kaskaden_parameter_bilden(a[1].toStdString(), v[0], v1, v[2], v[3],
                                                      v[4], v[5], v[6]);
        sim::kaskaden_lauf(p, n < 0 ? 200 : n, l);
    } else {
        l.spalten = QString("i,heizung,stufe,istwert").split(',');
        sim::aufheiz_lauf(n < 0 ? 30 : n, l);
    }
    return l;
}

} // namespace

class test_sim : public QObject {
    Q_OBJECT

private slots:
    // The whole of every reference run, bit for bit; the set-point column is the text as typed.
    void referenz_data() {
        QTest::addColumn<QString>("datei");
        const QFileInfoList dateien = QDir(REGLER_DATEN).entryInfoList({"*.csv"}, QDir::Files);
        QVERIFY(dateien.size() >= 21);
        for (const QFileInfo& d : dateien)
            QTest::newRow(qPrintable(d.fileName())) << d.absoluteFilePath();
    }
    void referenz() {
        QFETCH(QString, datei);
        QFile f(datei);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList zeilen = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        const lauf l = laufen(QFileInfo(datei).completeBaseName(), int(zeilen.size()) - 1);
        QCOMPARE(zeilen.value(0), l.spalten.join(','));
        QCOMPARE(qsizetype(l.zeilen.size()), zeilen.size() - 1);
        for (int i = 1; i < zeilen.size(); ++i) {
            const QStringList zellen = zeilen[i].split(',');
            for (int s = 0; s < zellen.size(); ++s) {
                const QString& sp = l.spalten[s];
                const QString ort = QString("Zeile %1, %2: ").arg(i).arg(sp);
                if (sp == "w" || sp == "w1")
                    QVERIFY2(zellen[s] == l.w_texte[i - 1], qPrintable(ort + l.w_texte[i - 1]));
                else
                    QVERIFY2(bits(zahl(zellen[s])) == bits(l.wert(i, sp)),
                             qPrintable(ort + QString::number(l.wert(i, sp), 'g', 17) + " statt " +
                                        zellen[s]));
            }
        }
    }

    // The documented values: one written with decimals holds to 4 decimals, one without exactly.
    void beispiele_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("soll");
        const auto zeile = [](const char* fall, int i, const char* soll) {
            QTest::addRow("%s #%d", fall, i) << QString(fall) << i << QString(soll);
        };
        // clang-format off
        zeile("pid 50 0 0 0",   2, "heizplatte=27.6923 pfanne=21.5385 milch=20.1538 y=100");
        zeile("pid 50 0 0 0",  16, "heizplatte=94.3926 pfanne=79.6197 milch=50.2594 y=0");
        zeile("pid 50 0 0 0",  26, "heizplatte=57.3162 pfanne=67.4613 milch=66.2805 y=0");
        zeile("pid 50 0 0 0",  42, "heizplatte=32.3733 pfanne=37.1880 milch=49.0683 y=100");
        zeile("pid 50 17 20 5",  7, "milch=25.3867 y=94.8549 summe=24.6133");
        zeile("pid 50 17 20 5", 20, "milch=51.1790 y=7.9071 summe=145.3355");
        zeile("pid 50 17 20 5", 200, "milch=50.0000 y=26.2600 summe=89.2840 heizplatte=50.3000");
        zeile("pid 50 100 0 0",  2, "y=29.9568 summe=59.9538");
        zeile("pid 50 0 0 100",  3, "y=0 summe=29.4412");
        zeile("pid 999 0 0 0", 200, "milch=134.2417 y=100");
        zeile("aufheizkurve",  1, "heizung=39.2308 stufe=21.9231 istwert=20.0962");
        zeile("kaskade 50 1 0 0 0 0 0", 17, "x1=36.5582 w2=63.4418 y_roh=-67689.7040 y=0");
        zeile("kaskade 50 1.6 40 10 30 10 0", 8, "x1=21.5595 w2=86.1796 y=83.5648 summe=28.4405");
        zeile("kaskade 50 1.6 40 10 30 10 0", 200, "w2=58.2654 y=17.5955 summe=206.0541");
        zeile("kaskade 50 1.6 40 10 30 10 10", 1, "w2=30 y=33.3333 summe=30");
        zeile("kaskade 50 1.6 40 10 30 10 10", 2, "x1=20.0027 w2=30.0027 x2=20.0801 y=30.4042");
        // clang-format on
    }
    void beispiele() {
        QFETCH(QString, fall);
        QFETCH(int, i);
        QFETCH(QString, soll);
        const lauf l = laufen(fall);
        for (const QString& paar : soll.split(' ')) {
            const QString spalte = paar.section('=', 0, 0), text = paar.section('=', 1);
            QVERIFY2(l.spalten.contains(spalte), qPrintable(spalte));
            const double ist = l.wert(i, spalte), s = zahl(text);
            const bool gleich = text.contains('.') ? std::abs(ist - s) <= 5e-5 + 1e-9 : ist == s;
            const QString meldung = QString("%1 statt %2").arg(ist, 0, 'g', 17).arg(text);
            QVERIFY2(gleich, qPrintable(spalte + ": " + meldung));
        }
    }

    // The on/off controller's switching runs over the whole default run.
    void schaltfolge() {
        const lauf l = laufen("pid 50 0 0 0");
        QStringList folgen;
        int anfang = 1;
        for (int i = 2; i <= 201; ++i)
            if (i == 201 || l.wert(i, "y") != l.wert(i - 1, "y")) {
                folgen << QString("%1-%2:%3").arg(anfang).arg(i - 1).arg(l.wert(i - 1, "y"));
                anfang = i;
            }
        QCOMPARE(folgen.join(' '), "1-15:100 16-41:0 42-50:100 51-71:0 72-79:100 80-99:0 "
                                   "100-107:100 108-127:0 128-135:100 136-155:0 156-163:100 "
                                   "164-183:0 184-191:100 192-200:0");
    }

    // |w2 - x1| never exceeds MAXDIFF, and the run reaches the limit on the sides named.
    void begrenzung_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<bool>("oben");
        QTest::addColumn<bool>("unten");
        QTest::newRow("oben, 10") << "kaskade 50 1.6 40 10 30 10 10" << true << false;
        QTest::newRow("oben, 0.5") << "kaskade 50 5 0 0 0 0 0.5" << true << false;
        QTest::newRow("beide, 3") << "kaskade 40 3 20 0 2 0 3" << true << true;
    }
    void begrenzung() {
        QFETCH(QString, fall);
        QFETCH(bool, oben);
        QFETCH(bool, unten);
        const double maxdiff = zahl(fall.section(' ', -1));
        const lauf l = laufen(fall);
        bool hoch = false, tief = false;
        for (int i = 1; i <= 200; ++i) {
            const double d = l.wert(i, "w2") - l.wert(i, "x1");
            QVERIFY2(std::abs(d) <= maxdiff + 1e-12, qPrintable(QString::number(i)));
            hoch |= d >= maxdiff - 1e-12;
            tief |= d <= -maxdiff + 1e-12;
        }
        QCOMPARE(hoch, oben);
        QCOMPARE(tief, unten);
    }

    // A P-band or reset time of 0 (also -0) is replaced; any other value, however small, stays.
    void ersatzwerte_data() {
        QTest::addColumn<double>("ein");
        QTest::addColumn<double>("xp");
        QTest::addColumn<double>("tn");
        QTest::newRow("0") << 0.0 << 0.01 << 10000.0;
        QTest::newRow("-0") << -0.0 << 0.01 << 10000.0;
        QTest::newRow("klein") << 1e-300 << 1e-300 << 1e-300;
    }
    void ersatzwerte() {
        QFETCH(double, ein);
        QFETCH(double, xp);
        QFETCH(double, tn);
        const auto p = sim::pid_parameter_bilden("050", 50, ein, ein, 0);
        const auto k = sim::kaskaden_parameter_bilden("050", 50, 1, ein, 0, ein, 0, 0);
        QVERIFY(bits(p.xp) == bits(xp) && bits(k.xp) == bits(xp));
        QVERIFY(bits(p.tn) == bits(tn) && bits(k.tn) == bits(tn));
    }

    // No rows at n = 0; at the largest chart size every row is numbered and finite.
    void laenge_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<int>("n");
        for (const char* fall : {"pid 50 17 20 5", "kaskade 50 1.6 40 10 30 10 10", "aufheizkurve"})
            for (int n : {0, 32767})
                QTest::addRow("%s, %d", fall, n) << fall << n;
    }
    void laenge() {
        QFETCH(QString, fall);
        QFETCH(int, n);
        const lauf l = laufen(fall, n);
        QCOMPARE(l.enden, 1);
        QCOMPARE(int(l.zeilen.size()), n);
        for (int i = 1; i <= n; ++i) {
            QCOMPARE(l.wert(i, "i"), double(i));
            QVERIFY(std::isfinite(l.zeilen[i - 1].back()));
        }
    }
};

QTEST_GUILESS_MAIN(test_sim)
#include "test_sim.moc"
