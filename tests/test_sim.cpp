// The simulation core against the documented worked examples and against independent
// reference data (tools/referenz.py), the latter bit for bit.
#include "kaskade.h"
#include "pid.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double leer = std::numeric_limits<double>::quiet_NaN();

double zahl(const QString& t) {
    const std::string s = t.toStdString();
    double v = leer;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc{} && p == s.data() + s.size() ? v : leer;
}

// One run, in the columns of the CSV files; the set-point text column holds NaN.
struct lauf {
    QStringList spalten;
    std::vector<std::vector<double>> zeilen;
    QStringList w_texte;
    int enden = 0;
    double wert(int i, const QString& spalte) const {
        return zeilen.at(i - 1).at(spalten.indexOf(spalte));
    }
};

struct sammler {
    lauf& l;
    void zeile(const sim::pid_zeile& z) {
        l.w_texte << QString::fromUtf8(z.w_text.data(), qsizetype(z.w_text.size()));
        l.zeilen.push_back({double(z.i), leer, z.heizplatte, z.pfanne, z.milch, z.y, z.summe});
    }
    void zeile(const sim::kaskaden_zeile& z) {
        l.w_texte << QString::fromUtf8(z.w1_text.data(), qsizetype(z.w1_text.size()));
        l.zeilen.push_back({double(z.i), leer, z.x1, z.w2, z.x2, z.y, z.summe, z.y_roh});
    }
    void zeile(const sim::aufheiz_zeile& z) {
        l.zeilen.push_back({double(z.i), z.heizung, z.stufe, z.istwert});
    }
    void ende() { ++l.enden; }
};

// fall: the regler-sim command line, e.g. {"pid", "50", "0", "0", "0"}; field texts are
// converted as the caller of the core does, including the gain limit of "Start Grafik".
lauf laufen(const QStringList& fall, int n = -1) {
    lauf l;
    std::vector<double> v;
    for (const QString& t : fall.mid(1))
        v.push_back(zahl(t));
    if (fall[0] == "pid") {
        l.spalten = QString("i,w,heizplatte,pfanne,milch,y,summe").split(',');
        const auto p = sim::pid_parameter_bilden(fall[1].toStdString(), v[0], v[1], v[2], v[3]);
        sim::pid_lauf(p, n < 0 ? 200 : n, sammler{l});
    } else if (fall[0] == "kaskade") {
        l.spalten = QString("i,w1,x1,w2,x2,y,summe,y_roh").split(',');
        const double v1 = v[1] > sim::v1_obergrenze ? 0 : v[1];
        const auto p = sim::kaskaden_parameter_bilden(fall[1].toStdString(), v[0], v1, v[2], v[3],
                                                      v[4], v[5], v[6]);
        sim::kaskaden_lauf(p, n < 0 ? 200 : n, sammler{l});
    } else {
        l.spalten = QString("i,heizung,stufe,istwert").split(',');
        sim::aufheiz_lauf(n < 0 ? 30 : n, sammler{l});
    }
    return l;
}

// "milch=50.2594 y=0": a value written with decimals holds to 4 decimals, one without exactly.
QString abweichung(double ist, const QString& soll) {
    const double s = zahl(soll);
    const bool gleich = soll.contains('.') ? std::abs(ist - s) <= 5e-5 + 1e-9 : ist == s;
    return gleich ? QString() : QString("%1 statt %2").arg(ist, 0, 'g', 17).arg(soll);
}

std::uint64_t bits(double d) {
    return std::bit_cast<std::uint64_t>(d);
}

} // namespace

class test_sim : public QObject {
    Q_OBJECT

private slots:
    void beispiele_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("soll");
        const auto zeile = [](const char* fall, int i, const char* soll) {
            QTest::addRow("%s #%d", fall, i) << QString(fall) << i << QString(soll);
        };
        const char* ein_aus = "pid 50 0 0 0";
        zeile(ein_aus, 1, "heizplatte=20 pfanne=20 milch=20 y=100");
        zeile(ein_aus, 2, "heizplatte=27.6923 pfanne=21.5385 milch=20.1538 y=100");
        zeile(ein_aus, 3, "heizplatte=34.8718 pfanne=24.2051 milch=20.5588 y=100");
        zeile(ein_aus, 4, "heizplatte=41.5726 pfanne=27.6786 milch=21.2702 y=100");
        zeile(ein_aus, 5, "heizplatte=47.8268 pfanne=31.7083 milch=22.3128 y=100");
        zeile(ein_aus, 10, "heizplatte=73.3722 pfanne=54.7618 milch=32.1498 y=100");
        zeile(ein_aus, 15, "heizplatte=91.4646 pfanne=75.9264 milch=47.0272 y=100");
        zeile(ein_aus, 16, "heizplatte=94.3926 pfanne=79.6197 milch=50.2594 y=0");
        zeile(ein_aus, 17, "heizplatte=89.4331 pfanne=81.5823 milch=53.3614 y=0");
        zeile(ein_aus, 20, "heizplatte=76.4517 pfanne=80.7929 milch=60.9108 y=0");
        zeile(ein_aus, 26, "heizplatte=57.3162 pfanne=67.4613 milch=66.2805 y=0");
        zeile(ein_aus, 41, "heizplatte=33.2571 pfanne=38.3917 milch=50.4221 y=0");
        zeile(ein_aus, 42, "heizplatte=32.3733 pfanne=37.1880 milch=49.0683 y=100");
        zeile(ein_aus, 100, "heizplatte=34.3570 pfanne=39.6562 milch=49.0588 y=100");
        zeile(ein_aus, 200, "heizplatte=52.9578 pfanne=59.6842 milch=57.3157 y=0");
        const char* optimiert = "pid 50 17 20 5";
        zeile(optimiert, 1, "milch=20 y=100 summe=0");
        zeile(optimiert, 6, "milch=23.6891 y=100 summe=0");
        zeile(optimiert, 7, "milch=25.3867 y=94.8549 summe=24.6133");
        zeile(optimiert, 8, "milch=27.3748 y=81.8544 summe=47.2385");
        zeile(optimiert, 10, "milch=31.9912 y=55.4783 summe=85.6480");
        zeile(optimiert, 12, "milch=36.9741 y=32.8715 summe=114.1991");
        zeile(optimiert, 20, "milch=51.1790 y=7.9071 summe=145.3355");
        zeile(optimiert, 30, "milch=52.2109 y=29.1646 summe=119.2785");
        zeile(optimiert, 60, "milch=50.3282 y=26.3895 summe=92.2837");
        zeile(optimiert, 100, "milch=50.0030 y=26.2601 summe=89.2889");
        zeile(optimiert, 200,
              "milch=50.0000 y=26.2600 summe=89.2840 heizplatte=50.3000 "
              "pfanne=50.3000");
        zeile("pid 999 0 0 0", 200, "milch=134.2417 y=100");
        zeile("pid 50 100 0 0", 1, "y=30 summe=30");
        zeile("pid 50 100 0 0", 2, "y=29.9568 summe=59.9538");
        zeile("pid 50 0 0 100", 3, "y=0 summe=29.4412");
        const char* kurve = "aufheizkurve";
        zeile(kurve, 1, "heizung=39.2308 stufe=21.9231 istwert=20.0962");
        zeile(kurve, 2, "istwert=20.3628");
        zeile(kurve, 3, "istwert=20.8558");
        zeile(kurve, 10, "istwert=32.6484");
        zeile(kurve, 20, "istwert=71.5578");
        zeile(kurve, 25, "istwert=95.6632");
        zeile(kurve, 26, "istwert=100.5634");
        zeile(kurve, 30, "istwert=119.9726");
        const char* laden = "kaskade 50 1 0 0 0 0 0";
        zeile(laden, 1, "x1=20 w2=80 x2=20 y_roh=600000.0000 y=100 summe=0");
        zeile(laden, 2, "x1=20.0080 w2=79.9920 x2=20.2404 y_roh=597516.0256 y=100 summe=0");
        zeile(laden, 3, "x1=20.0414 w2=79.9586 x2=20.8669 y_roh=590917.0365 y=100 summe=0");
        zeile(laden, 16, "x1=34.0061 w2=65.9939 x2=65.3212 y_roh=6726.5643 y=100 summe=0");
        zeile(laden, 17, "x1=36.5582 w2=63.4418 x2=70.2108 y_roh=-67689.7040 y=0 summe=0");
        zeile(laden, 200, "x1=49.2302 w2=50.7698 x2=63.1879 y_roh=-124180.5769 y=0 summe=0");
        const char* hinweis = "kaskade 50 1.6 40 10 30 10 0";
        zeile(hinweis, 1, "x1=20 w2=98 x2=20 y_roh=260 y=100 summe=0");
        zeile(hinweis, 7, "x1=20.9767 w2=89.8022 x2=28.1843 y_roh=120.1950 y=100 summe=0");
        zeile(hinweis, 8,
              "x1=21.5595 w2=86.1796 x2=31.1775 y_roh=83.5648 y=83.5648 "
              "summe=28.4405");
        zeile(hinweis, 9,
              "x1=22.3323 w2=83.0413 x2=34.5248 y_roh=50.1466 y=50.1466 "
              "summe=56.1082");
        zeile(hinweis, 200,
              "x1=49.9814 w2=58.2654 x2=52.9835 y_roh=17.5955 y=17.5955 "
              "summe=206.0541");
        const char* begrenzt = "kaskade 50 1.6 40 10 30 10 10";
        zeile(begrenzt, 1, "w2=30 y=33.3333 summe=30");
        zeile(begrenzt, 2, "x1=20.0027 w2=30.0027 x2=20.0801 y=30.4042");
    }
    void beispiele() {
        QFETCH(QString, fall);
        QFETCH(int, i);
        QFETCH(QString, soll);
        const lauf l = laufen(fall.split(' '));
        for (const QString& paar : soll.split(' ')) {
            const QString spalte = paar.section('=', 0, 0);
            QVERIFY2(l.spalten.contains(spalte), qPrintable(spalte));
            const QString a = abweichung(l.wert(i, spalte), paar.section('=', 1));
            QVERIFY2(a.isEmpty(), qPrintable(spalte + ": " + a));
        }
    }

    // Every row of a run takes one of a few exact values in one column.
    void wertemengen_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<QString>("spalte");
        QTest::addColumn<QString>("werte");
        QTest::newRow("Ein/Aus: Leistung") << "pid 50 0 0 0"
                                           << "y"
                                           << "0 100";
        QTest::newRow("Ein/Aus: Summe") << "pid 50 0 0 0"
                                        << "summe"
                                        << "0";
        QTest::newRow("999: Leistung") << "pid 999 0 0 0"
                                       << "y"
                                       << "100";
        for (const char* w : {"20", "10"})
            for (const char* spalte : {"heizplatte", "pfanne", "milch", "y", "summe"})
                QTest::addRow("Sollwert %s: %s", w, spalte)
                    << QString("pid %1 0 0 0").arg(w) << spalte
                    << (spalte[0] == 'y' || spalte[0] == 's' ? "0" : "20");
        QTest::newRow("Kaskade geladen: Leistung") << "kaskade 50 1 0 0 0 0 0"
                                                   << "y"
                                                   << "0 100";
        QTest::newRow("Kaskade geladen: Summe") << "kaskade 50 1 0 0 0 0 0"
                                                << "summe"
                                                << "0";
        QTest::newRow("v1 0: w2 = w1") << "kaskade 50 0 40 10 30 10 0"
                                       << "w2"
                                       << "50";
        QTest::newRow("v1 0 begrenzt nicht") << "kaskade 50 0 40 10 30 10 50"
                                             << "w2"
                                             << "50";
    }
    void wertemengen() {
        QFETCH(QString, fall);
        QFETCH(QString, spalte);
        QFETCH(QString, werte);
        const lauf l = laufen(fall.split(' '));
        for (int i = 1; i <= int(l.zeilen.size()); ++i) {
            const double v = l.wert(i, spalte);
            bool gefunden = false;
            for (const QString& w : werte.split(' '))
                gefunden |= v == zahl(w);
            QVERIFY2(gefunden, qPrintable(QString("Zeile %1: %2").arg(i).arg(v, 0, 'g', 17)));
        }
    }

    void schaltfolge() {
        const lauf l = laufen({"pid", "50", "0", "0", "0"});
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

    // Where a column peaks, or (differenz) where it rises most from one row to the next.
    void spitzen_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<QString>("spalte");
        QTest::addColumn<bool>("differenz");
        QTest::addColumn<int>("zeile");
        QTest::addColumn<QString>("wert");
        QTest::newRow("Milch") << "pid 50 0 0 0"
                               << "milch" << false << 26 << "66.2805";
        QTest::newRow("Wendepunkt") << "aufheizkurve"
                                    << "istwert" << true << 26 << "4.9002";
    }
    void spitzen() {
        QFETCH(QString, fall);
        QFETCH(QString, spalte);
        QFETCH(bool, differenz);
        QFETCH(int, zeile);
        QFETCH(QString, wert);
        const lauf l = laufen(fall.split(' '));
        int beste = 0;
        double hoch = -1e300;
        for (int i = differenz ? 2 : 1; i <= int(l.zeilen.size()); ++i) {
            const double v = l.wert(i, spalte) - (differenz ? l.wert(i - 1, spalte) : 0);
            if (v > hoch) hoch = v, beste = i;
        }
        QCOMPARE(beste, zeile);
        QVERIFY2(abweichung(hoch, wert).isEmpty(), qPrintable(abweichung(hoch, wert)));
    }

    void begrenzung_data() {
        QTest::addColumn<QString>("fall");
        QTest::newRow("Hinweis, 10") << "kaskade 50 1.6 40 10 30 10 10";
        QTest::newRow("73, 8") << "kaskade 73 2.5 25 5 12 3 8";
        QTest::newRow("99.9, 2") << "kaskade 99.9 99.9 1 100 1 100 2";
        QTest::newRow("0.5") << "kaskade 50 5 0 0 0 0 0.5";
        QTest::newRow("unten, 3") << "kaskade 40 3 20 0 2 0 3";
    }
    void begrenzung() {
        QFETCH(QString, fall);
        const double maxdiff = zahl(fall.section(' ', -1));
        const lauf l = laufen(fall.split(' '));
        bool begrenzt = false;
        for (int i = 1; i <= 200; ++i) {
            const double d = std::abs(l.wert(i, "w2") - l.wert(i, "x1"));
            QVERIFY2(d <= maxdiff + 1e-12, qPrintable(QString::number(i)));
            begrenzt |= d >= maxdiff - 1e-12;
        }
        QVERIFY(begrenzt);
    }

    // Plant states that hold (or are reached) under a constant power.
    void beharrung_data() {
        QTest::addColumn<QString>("strecke");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("schritte");
        QTest::addColumn<QString>("soll");
        QTest::newRow("Platte bei 100 %") << "pid" << 100.0 << "" << 3000 << "heizplatte=135.3846";
        QTest::newRow("Milch hält 50") << "pid" << 26.26 << "heizplatte=50.3 pfanne=50.3 milch=50"
                                       << 1 << "heizplatte=50.3000 pfanne=50.3000 milch=50.0000";
        QTest::newRow("Kurve") << "aufheizkurve" << 0.0 << "" << 3000
                               << "heizung=270.0000 stufe=270.0000 istwert=270.0000";
        QTest::newRow("Kaskade bei 100 %")
            << "kaskade" << 100.0 << "" << 5000 << "heizung=207.5000 x1=190.4545";
        QTest::newRow("Kaskade hält 50")
            << "kaskade" << 17.6 << "heizung=53 stufe_a=53 x2=53 stufe_b=53 x1=50" << 1
            << "heizung=53.0000 stufe_a=53.0000 x2=53.0000 stufe_b=53.0000 x1=50.0000";
        QTest::newRow("Kaskade, Abtastung 2")
            << "kaskade" << 100.0 << "" << 1 << "heizung=32.5 stufe_a=23.125 stufe_b=20.0801";
    }
    void beharrung() {
        QFETCH(QString, strecke);
        QFETCH(double, y);
        QFETCH(QString, start);
        QFETCH(int, schritte);
        QFETCH(QString, soll);
        if (strecke == "pid")
            pruefe_beharrung<sim::strecke>(
                {{"heizplatte", &sim::strecke::heizplatte},
                 {"pfanne", &sim::strecke::pfanne},
                 {"milch", &sim::strecke::milch}},
                [y](const sim::strecke& s) { return sim::strecke_schritt(s, y); }, start, schritte,
                soll);
        else if (strecke == "kaskade")
            pruefe_beharrung<sim::kaskadenstrecke>(
                {{"heizung", &sim::kaskadenstrecke::heizung},
                 {"stufe_a", &sim::kaskadenstrecke::stufe_a},
                 {"x2", &sim::kaskadenstrecke::x2},
                 {"stufe_b", &sim::kaskadenstrecke::stufe_b},
                 {"x1", &sim::kaskadenstrecke::x1}},
                [y](const sim::kaskadenstrecke& s) { return sim::kaskaden_strecke_schritt(s, y); },
                start, schritte, soll);
        else
            pruefe_beharrung<sim::aufheizstrecke>({{"heizung", &sim::aufheizstrecke::heizung},
                                                   {"stufe", &sim::aufheizstrecke::stufe},
                                                   {"istwert", &sim::aufheizstrecke::istwert}},
                                                  sim::aufheiz_schritt, start, schritte, soll);
    }

    void ersatzwerte_data() {
        QTest::addColumn<double>("xp");
        QTest::addColumn<double>("tn");
        QTest::addColumn<double>("xp_soll");
        QTest::addColumn<double>("tn_soll");
        QTest::newRow("0") << 0.0 << 0.0 << 0.01 << 10000.0;
        QTest::newRow("-0") << -0.0 << -0.0 << 0.01 << 10000.0;
        QTest::newRow("klein bleibt") << 1e-300 << 1e-300 << 1e-300 << 1e-300;
        QTest::newRow("17/20") << 17.0 << 20.0 << 17.0 << 20.0;
    }
    void ersatzwerte() {
        QFETCH(double, xp);
        QFETCH(double, tn);
        QFETCH(double, xp_soll);
        QFETCH(double, tn_soll);
        const auto p = sim::pid_parameter_bilden("050", 50, xp, tn, 0);
        const auto k = sim::kaskaden_parameter_bilden("050", 50, 1, tn, 0, xp, 0, 0);
        QCOMPARE(bits(p.xp), bits(xp_soll));
        QCOMPARE(bits(p.tn), bits(tn_soll));
        QCOMPARE(bits(k.xp), bits(xp_soll));
        QCOMPARE(bits(k.tn), bits(tn_soll));
        QCOMPARE(p.w_text, "050");
        QCOMPARE(k.w1_text, "050");
        QCOMPARE(p.tv, 0.0);
    }

    // Runs that must agree bit for bit.
    void gleichwertig_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("P-Band 00") << "pid 50 00 0 0"
                                   << "pid 50 0.01 0 0";
        QTest::newRow("Nachlaufzeit 0") << "pid 50 17 0 5"
                                        << "pid 50 17 10000 5";
        QTest::newRow("Sollwert 050") << "pid 050 17 20 5"
                                      << "pid 50 17 20 5";
        QTest::newRow("Kaskade tn 0") << "kaskade 50 1.6 0 10 30 10 0"
                                      << "kaskade 50 1.6 10000 10 30 10 0";
        QTest::newRow("Kaskade xp 0") << "kaskade 50 1.6 40 10 0 10 0"
                                      << "kaskade 50 1.6 40 10 0.01 10 0";
    }
    void gleichwertig() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        const lauf la = laufen(a.split(' '));
        const lauf lb = laufen(b.split(' '));
        QCOMPARE(la.zeilen.size(), lb.zeilen.size());
        for (std::size_t z = 0; z < la.zeilen.size(); ++z)
            for (std::size_t s = 0; s < la.zeilen[z].size(); ++s)
                QVERIFY2(bits(la.zeilen[z][s]) == bits(lb.zeilen[z][s]) ||
                             std::isnan(la.zeilen[z][s]),
                         qPrintable(QString("Zeile %1, %2").arg(z + 1).arg(la.spalten[s])));
        QCOMPARE(la.w_texte.value(0), a.section(' ', 1, 1));
    }

    void laenge_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<int>("n");
        for (const char* fall : {"pid 50 17 20 5", "kaskade 50 1.6 40 10 30 10 10", "aufheizkurve"})
            for (int n : {0, 1, 32767})
                QTest::addRow("%s, %d", fall, n) << fall << n;
    }
    void laenge() {
        QFETCH(QString, fall);
        QFETCH(int, n);
        const lauf l = laufen(fall.split(' '), n);
        QCOMPARE(l.enden, 1);
        QCOMPARE(int(l.zeilen.size()), n);
        for (int i = 1; i <= n; ++i)
            QCOMPARE(l.wert(i, "i"), double(i));
        if (n > 0) QVERIFY(std::isfinite(l.zeilen.back().back()));
    }

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
        const lauf l = laufen(QFileInfo(datei).completeBaseName().split('_'), zeilen.size() - 1);
        QCOMPARE(zeilen.value(0), l.spalten.join(','));
        for (int i = 1; i < zeilen.size(); ++i) {
            const QStringList zellen = zeilen[i].split(',');
            QCOMPARE(zellen.size(), l.spalten.size());
            for (int s = 0; s < zellen.size(); ++s) {
                const QString ort = QString("Zeile %1, %2").arg(i).arg(l.spalten[s]);
                if (l.spalten[s].startsWith('w') && l.spalten[s] != "w2")
                    QVERIFY2(zellen[s] == l.w_texte[i - 1], qPrintable(ort));
                else
                    QVERIFY2(bits(zahl(zellen[s])) == bits(l.wert(i, l.spalten[s])),
                             qPrintable(ort + ": " +
                                        QString::number(l.wert(i, l.spalten[s]), 'g', 17) +
                                        " statt " + zellen[s]));
            }
        }
    }

private:
    template <class S, class Schritt>
    void pruefe_beharrung(const std::vector<std::pair<QString, double S::*>>& felder,
                          Schritt schritt, const QString& start, int schritte,
                          const QString& soll) {
        const auto feld = [&](const QString& name) {
            for (const auto& [n, f] : felder)
                if (n == name) return f;
            qFatal("unbekanntes Feld");
        };
        S s;
        for (const QString& p : start.split(' ', Qt::SkipEmptyParts))
            s.*feld(p.section('=', 0, 0)) = zahl(p.section('=', 1));
        for (int k = 0; k < schritte; ++k)
            s = schritt(s);
        for (const QString& p : soll.split(' ')) {
            const QString a = abweichung(s.*feld(p.section('=', 0, 0)), p.section('=', 1));
            QVERIFY2(a.isEmpty(), qPrintable(p + ": " + a));
        }
    }
};

QTEST_GUILESS_MAIN(test_sim)
#include "test_sim.moc"
