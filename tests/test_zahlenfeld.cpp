// The entry fields: key filter, typed length and upper limit, with their beeps.
#include "piep.h"
#include "seitentest.h"
#include "zahlen.h"
#include "seite.h"
#include "zahlenfeld.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest>

using shell::Zahlenfeld;

namespace {
struct Art {
    int max;
    bool dezimal;
    std::optional<double> grenze;
    const char* grenztext;
};
// The kinds of field the pages have.
const Art w1_seite2{3, false, 99.9, nullptr};
const Art w1_seite3{4, false, 99.9, nullptr};
const Art v1{3, true, 9.9, nullptr};
const Art maxdiff{4, false, 100, "100"};
const Art ohne_grenze{4, false, std::nullopt, nullptr};

void einrichten(Zahlenfeld& f, const Art& a, const QString& text) {
    f.setzeMaxLaenge(a.max);
    f.setzeDezimal(a.dezimal);
    f.setzeGrenze(a.grenze, a.grenztext ? QString::fromLatin1(a.grenztext) : QString());
    f.setText(text);
}
} // namespace

Q_DECLARE_METATYPE(Art)

class TestZahlenfeld : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void tasten_data() {
        QTest::addColumn<Art>("art");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<int>("pieps");

        QTest::newRow("digit") << w1_seite2 << "5" << "0" << "50" << 0;
        QTest::newRow("letter") << w1_seite2 << "50" << "a" << "50" << 1;
        QTest::newRow("minus") << w1_seite2 << "50" << "-" << "50" << 1;
        QTest::newRow("comma") << w1_seite2 << "50" << "," << "50" << 1;
        QTest::newRow("point") << w1_seite2 << "50" << "." << "50" << 1;
        QTest::newRow("space") << w1_seite2 << "50" << " " << "50" << 1;
        QTest::newRow("umlaut") << w1_seite2 << "50" << "ä" << "50" << 1;
        QTest::newRow("backspace deletes nothing") << w1_seite2 << "50" << "\b" << "50" << 1;
        QTest::newRow("enter") << w1_seite2 << "50" << "\r" << "50" << 1;
        QTest::newRow("escape") << w1_seite2 << "50" << "\x1b" << "50" << 1;
        QTest::newRow("ctrl+v") << w1_seite2 << "50" << "\x16" << "50" << 1;
        QTest::newRow("delete edits") << w1_seite2 << "50" << "\x01\x7f" << "0" << 0;
        QTest::newRow("delete then digit") << w1_seite2 << "50" << "\x01\x7f" "7" << "70" << 0;
        QTest::newRow("501 passes") << w1_seite2 << "50" << "1" << "501" << 0;
        QTest::newRow("501 then one more") << w1_seite2 << "50" << "12" << "99.9" << 1;
        QTest::newRow("limit text is not cut") << w1_seite2 << "501" << "9" << "99.9" << 1;
        QTest::newRow("limit text equal") << w1_seite2 << "99.9" << "9" << "99.9" << 0;
        QTest::newRow("page 3 set-point") << w1_seite3 << "100" << "0" << "99.9" << 1;
        QTest::newRow("empty field") << w1_seite2 << "" << "5" << "5" << 0;
        QTest::newRow("no limit 9999") << ohne_grenze << "" << "99999" << "9999" << 0;
        QTest::newRow("gain point") << v1 << "1" << ".6" << "1.6" << 0;
        QTest::newRow("gain comma") << v1 << "1" << "," << "1" << 1;
        QTest::newRow("gain over limit") << v1 << "12" << "3" << "9.9" << 1;
        QTest::newRow("gain rejected over limit") << v1 << "12" << "x" << "9.9" << 2;
        QTest::newRow("gain lone point") << v1 << "." << "5" << ".5" << 0;
        QTest::newRow("maxdiff 150, digit") << maxdiff << "150" << "1" << "1001" << 1;
        QTest::newRow("maxdiff 150, letter") << maxdiff << "150" << "a" << "100" << 2;
        QTest::newRow("maxdiff equal") << maxdiff << "100" << "a" << "100" << 1;
    }
    void tasten() {
        QFETCH(Art, art);
        QFETCH(QString, vorher);
        QFETCH(QString, tasten);
        QFETCH(QString, nachher);
        QFETCH(int, pieps);
        Zahlenfeld f;
        einrichten(f, art, vorher);
        const int start = shell::piep_zaehler();
        tippen(&f, tasten);
        QCOMPARE(f.text(), nachher);
        QCOMPARE(shell::piep_zaehler() - start, pieps);
        QVERIFY(f.text().size() <= art.max || f.text() == QStringLiteral("99.9"));
    }

    // In a locale with a decimal comma the gain field takes the comma, and the limit is written
    // with it; grouping never turns "1.6" into 16.
    void dezimalkomma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Zahlenfeld f;
        einrichten(f, v1, QStringLiteral("1"));
        const int start = shell::piep_zaehler();
        tippen(&f, QStringLiteral(",6"));
        QCOMPARE(f.text(), QStringLiteral("1,6"));
        QCOMPARE(f.wert(), std::optional<double>(1.6));
        tippen(&f, QStringLiteral("."));
        QCOMPARE(f.text(), QStringLiteral("1,6"));
        QCOMPARE(shell::piep_zaehler() - start, 1);
        f.setText(QStringLiteral("12"));
        tippen(&f, QStringLiteral("\b"));
        QCOMPARE(f.text(), QStringLiteral("9,9"));
        QCOMPARE(shell::zahl_lesen(QStringLiteral("1.600")), std::nullopt);
        QCOMPARE(shell::zahl_text(1234567.5), QStringLiteral("1234567,5"));
    }

    void zahl_lesen_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("gueltig");
        QTest::addColumn<double>("wert");
        QTest::newRow("plain") << "050" << true << 50.0;
        QTest::newRow("decimal") << "99.9" << true << 99.9;
        QTest::newRow("padded") << " 7 " << true << 7.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("lone point") << "." << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
        QTest::newRow("grouping") << "1,600" << false << 0.0;
    }
    void zahl_lesen() {
        QFETCH(QString, text);
        QFETCH(bool, gueltig);
        QFETCH(double, wert);
        const auto w = shell::zahl_lesen(text);
        QCOMPARE(w.has_value(), gueltig);
        if (gueltig) QCOMPARE(*w, wert);
    }

    // Pasting is not filtered, but held to the typed length; the limit is not applied to it. The
    // menu is Qt's, in German, and names no shortcut: the field refuses those keys.
    void einfuegen_ueber_kontextmenue() {
        shell::qt_texte_deutsch();
        Zahlenfeld f;
        einrichten(f, ohne_grenze, QString());
        f.show();
        QGuiApplication::clipboard()->setText(QStringLiteral("12a456789"));
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), f.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&f, &e);
        QMenu* menu = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) menu = m;
        QVERIFY(menu);
        QAction* einfuegen = nullptr;
        for (QAction* a : menu->actions()) {
            QVERIFY2(!a->text().contains(QLatin1Char('\t')), qPrintable(a->text()));
            if (a->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("Einfügen"))) einfuegen = a;
        }
        QVERIFY(einfuegen);
        QVERIFY(einfuegen->isEnabled());
        einfuegen->trigger();
        menu->close();
        QCOMPARE(f.text(), QStringLiteral("12a4"));
        QCOMPARE(f.wert(), std::nullopt);
    }

    void felder_lesen() {
        Zahlenfeld a, b;
        a.setText(QStringLiteral("5"));
        b.setText(QStringLiteral(""));
        double x = 0, y = 0;
        const int start = shell::piep_zaehler();
        QVERIFY(!shell::felder_lesen({{&a, &x}, {&b, &y}}));
        QCOMPARE(shell::piep_zaehler() - start, 1);
        b.setText(QStringLiteral("7"));
        QVERIFY(shell::felder_lesen({{&a, &x}, {&b, &y}}));
        QCOMPARE(x, 5.0);
        QCOMPARE(y, 7.0);
    }
};

QTEST_MAIN(TestZahlenfeld)
#include "test_zahlenfeld.moc"
