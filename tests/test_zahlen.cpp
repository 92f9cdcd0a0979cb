// Number texts: in every locale Qt knows, what zahl_text writes into a cell reads back with
// zahl_lesen as (nearly) the same finite number, in the locale's own digits and decimal separator.
#include "zahlen.h"

#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

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

    // Digits are read past Qt for speed; the result must be Qt's to the last bit, in every
    // locale, for whatever text.
    void lesen_wie_qt() {
        const QStringList texte = {"0",
                                   "50",
                                   "-0",
                                   "050",
                                   "99.9",
                                   "99,9",
                                   "1.5",
                                   "1,5",
                                   "-12.25",
                                   "1.600",
                                   "1,600",
                                   "1.",
                                   ".5",
                                   "-",
                                   "--5",
                                   "5-",
                                   "1e5",
                                   " 7 ",
                                   "+5",
                                   "1.2.3",
                                   "0.1",
                                   "abc",
                                   "",
                                   "١٢",
                                   "1٫5",
                                   "00000000000000000000000000000000000000012.5",
                                   "123456789012345678901234567890",
                                   "0.30000000000000004441",
                                   "9007199254740993",
                                   "2.2250738585072011e-308"};
        for (const QLocale& l : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::German, QLocale::Switzerland),
                                 QLocale(QLocale::Arabic, QLocale::Egypt),
                                 QLocale(QLocale::Swedish, QLocale::Sweden), QLocale::system()}) {
            QLocale qt = l;
            qt.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
            for (const QString& t : texte) {
                bool ok = false;
                const double d = qt.toDouble(QStringView(t).trimmed(), &ok);
                const auto w = shell::zahl_lesen(t, l);
                const QString wo = l.name() + QStringLiteral(" \"") + t + QLatin1Char('"');
                QVERIFY2(w.has_value() == (ok && std::isfinite(d)), qPrintable(wo));
                if (w) {
                    QVERIFY2(*w == d && std::signbit(*w) == std::signbit(d), qPrintable(wo));
                }
            }
        }
    }

    // Numbers are written past Qt as well: Qt's text to the letter, ties and -0 included, in the
    // locales whose signs and exponent are single characters.
    void schreiben_wie_qt() {
        std::mt19937_64 zufall(20240607);
        std::vector<double> werte = {0,
                                     -0.0,
                                     0.1,
                                     99.9,
                                     100,
                                     1e15,
                                     1e-4,
                                     1e-5,
                                     -1e-5,
                                     2.5,
                                     0.125,
                                     1e300,
                                     5e-324,
                                     9.99999999999999e14,
                                     123456789012345.0,
                                     1234567890123455.0,
                                     33110032036284.25,
                                     -292412377032120.5,
                                     11760942181552250.0};
        std::uniform_real_distribution<double> gleich(-200, 200);
        for (int i = 0; i < 20000; ++i) {
            quint64 bits = zufall();
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            const double v = gleich(zufall);
            for (double w : {d, v, std::round(v * 4) / 4, std::round(v * 1e14), v * 1e-6, v * 1e13})
                if (std::isfinite(w)) werte.push_back(w);
        }
        for (const QLocale& l : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::German, QLocale::Switzerland),
                                 QLocale(QLocale::French, QLocale::France)}) {
            QLocale qt = l;
            qt.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
            for (const double w : werte) {
                const QString t = shell::zahl_text(w, l);
                const QString erwartet = qt.toString(w, 'g', 15);
                QVERIFY2(t == erwartet, qPrintable(QStringLiteral("%1 %2: \"%3\", Qt \"%4\"")
                                                       .arg(l.name())
                                                       .arg(w, 0, 'g', 17)
                                                       .arg(t, erwartet)));
            }
        }
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
