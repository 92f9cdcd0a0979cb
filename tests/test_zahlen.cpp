// Number texts: in every locale Qt knows, what zahl_text writes into a cell reads back with
// zahl_lesen as (nearly) the same finite number, in the locale's own digits and decimal separator.
#include "zahlen.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestZahlen : public QObject {
    Q_OBJECT
private slots:
    void jedes_gebietsschema_liest_zurueck() {
        const double werte[] = {-9,
                                -49.5,
                                1.5,
                                0.1,
                                99.9,
                                100,
                                0,
                                -0.0,
                                3.25e-5,
                                -1e-5,
                                1e-4,
                                1e15,
                                9.99999999999999e14,
                                1e20,
                                -2.5e120,
                                1e-300,
                                std::numeric_limits<double>::denorm_min(),
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::lowest()};
        int gebiete = 0;
        const auto alle = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                   QLocale::AnyTerritory);
        for (const QLocale& l : alle) {
            ++gebiete;
            for (const double v : werte) {
                const QString t = shell::zahl_text(v, l);
                const auto w = shell::zahl_lesen(t, l);
                const QString wo = QStringLiteral("%1: %2 written as \"%3\"")
                                       .arg(l.name())
                                       .arg(v, 0, 'g', 17)
                                       .arg(t);
                QVERIFY2(w, qPrintable(wo + QStringLiteral(" does not read back")));
                QVERIFY2(std::abs(*w - v) <= 1e-14 * std::abs(v),
                         qPrintable(wo + QStringLiteral(" reads back as %1").arg(*w, 0, 'g', 17)));
            }
            QVERIFY(shell::zahl_text(1.5, l).contains(l.decimalPoint()));
        }
        QVERIFY(gebiete > 100);
    }

    // The plain signs and exponents only where Qt cannot read its own.
    void schlichte_zeichen_nur_wo_noetig() {
        QCOMPARE(shell::zahl_text(-9, QLocale(QLocale::German, QLocale::Switzerland)), "-9");
        QCOMPARE(shell::zahl_text(3.25e-5, QLocale::c()), "3.25e-05");
        QCOMPARE(shell::zahl_text(3.25e-5, QLocale(QLocale::Swedish, QLocale::Sweden)),
                 QString::fromUtf8("3,25E\u221205"));
        QCOMPARE(shell::zahl_text(-9, QLocale(QLocale::Hebrew, QLocale::Israel)), "-9");
        QCOMPARE(shell::zahl_text(-9.5, QLocale(QLocale::Arabic, QLocale::Egypt)),
                 QString::fromUtf8("-٩٫٥"));
    }
};

QTEST_MAIN(TestZahlen)
#include "test_zahlen.moc"
