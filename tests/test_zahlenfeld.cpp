// The entry fields: key filter, typed length and upper limit, with their beeps; pasting; reading
// a field as a number.
#include "piep.h"
#include "seite.h"
#include "seitentest.h"
#include "zahlen.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QtTest>

using shell::Zahlenfeld;

namespace {
// A field of the pages' kinds: "w1" (page 2's set-point), "v1" (gain), "maxdiff", "frei".
void einrichten(Zahlenfeld& f, const QString& art, const QString& text) {
    f.setzeMaxLaenge(art == "w1" ? 3 : art == "v1" ? 3 : 4);
    f.setzeDezimal(art == "v1");
    if (art == "w1") f.setzeGrenze(99.9);
    if (art == "v1") f.setzeGrenze(9.9);
    if (art == "maxdiff") f.setzeGrenze(100, QStringLiteral("100"));
    f.setText(text);
}
} // namespace

class TestZahlenfeld : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Keys into a field holding `vorher`, caret at the end. The limit is checked on the text
    // before the key's character goes in; a rejected key beeps, so does a replacement.
    void tasten_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<int>("pieps");
        // clang-format off
        const auto zeile = [](const char* name, const char* art, const char* vorher,
                              const char* tasten, const char* nachher, int pieps) {
            QTest::newRow(name) << art << vorher << tasten << nachher << pieps;
        };
        zeile("digit",                     "w1", "5", "0", "50", 0);
        zeile("letter, sign, comma, point","w1", "50", "a-,. ä", "50", 6);
        zeile("backspace deletes nothing", "w1", "50", "\b", "50", 1);
        zeile("enter, escape, ctrl+v",     "w1", "50", "\r\x1b\x16", "50", 3);
        zeile("delete edits",              "w1", "50", "\x01\x7f" "7", "70", 0);
        zeile("501 passes",                "w1", "50", "1", "501", 0);
        zeile("501 then one more",         "w1", "50", "12", "99.9", 1);
        zeile("limit text equal",          "w1", "99.9", "9", "99.9", 0);
        zeile("empty field",               "w1", "", "5", "5", 0);
        zeile("no limit 9999",             "frei", "", "99999", "9999", 0);
        zeile("gain point",                "v1", "1", ".6", "1.6", 0);
        zeile("gain comma",                "v1", "1", ",6", "1.6", 0);
        zeile("gain rejected over limit",  "v1", "12", "x", "9.9", 2);
        zeile("gain lone point",           "v1", ".", "5", ".5", 0);
        zeile("maxdiff 150, digit",        "maxdiff", "150", "1", "1001", 1);
        zeile("maxdiff equal",             "maxdiff", "100", "a", "100", 1);
        zeile("maxdiff just above",        "maxdiff", "101", "a", "100", 2);
        zeile("w1 just above",             "w1", "100", "a", "99.9", 2);
        zeile("gain equal",                "v1", "9.9", "a", "9.9", 1);
        zeile("gain just above",           "v1", "10", "a", "9.9", 2);
        zeile("digit over a full field",   "frei", "1234", "\x02" "7", "7", 0);
        zeile("over a full set-point",     "w1", "050", "\x02" "7", "7", 0);
        // clang-format on
    }
    void tasten() {
        QFETCH(QString, art);
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
    }

    // Pasted text (Shift+Insert) passes the key filter: what it refuses goes, with one beep for
    // all; the typed length holds; the limit waits for the next key, as after a typed digit.
    void einfuegen_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<int>("pieps");
        // clang-format off
        QTest::newRow("minus")           << "w1" << "" << "-50" << "50" << 1;
        QTest::newRow("exponent")        << "frei" << "" << "9e9" << "99" << 1;
        QTest::newRow("filter, then cut")<< "frei" << "" << "12a456789" << "1245" << 1;
        QTest::newRow("line break only") << "frei" << "7" << "\r\n" << "7" << 1;
        QTest::newRow("above the limit") << "w1" << "" << "999" << "999" << 0;
        QTest::newRow("gain")            << "v1" << "" << "1,6" << "1.6" << 0;
        // clang-format on
    }
    void einfuegen() {
        QFETCH(QString, art);
        QFETCH(QString, vorher);
        QFETCH(QString, text);
        QFETCH(QString, nachher);
        QFETCH(int, pieps);
        Zahlenfeld f;
        einrichten(f, art, vorher);
        QGuiApplication::clipboard()->setText(text);
        const int start = shell::piep_zaehler();
        QTest::keyClick(&f, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.text(), nachher);
        QCOMPARE(shell::piep_zaehler() - start, pieps);
    }

    // Text dropped onto a field goes in where it is dropped, through the same filter.
    void fallenlassen() {
        Zahlenfeld f;
        einrichten(f, "frei", QStringLiteral("1"));
        f.resize(80, 24);
        f.show();
        QMimeData daten;
        daten.setText(QStringLiteral("-2x3"));
        const int start = shell::piep_zaehler();
        const QPointF wo(f.width() - 4, f.height() / 2);
        QDragEnterEvent hinein(wo.toPoint(), Qt::CopyAction, &daten, Qt::LeftButton, {});
        QApplication::sendEvent(&f, &hinein);
        QVERIFY(hinein.isAccepted());
        QDropEvent fallen(wo, Qt::CopyAction, &daten, Qt::LeftButton, {});
        QApplication::sendEvent(&f, &fallen);
        QCOMPARE(f.text(), QStringLiteral("123"));
        QCOMPARE(shell::piep_zaehler() - start, 1);
    }

    // A field's text as a number, in the user's format: never grouped ("1,600" is not 1600,
    // in German "1.6" is not 16), never NaN or infinite.
    void wert_data() {
        QTest::addColumn<QLocale>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("wert"); // NaN: none
        const QLocale c = QLocale::c(), de(QLocale::German, QLocale::Germany);
        // clang-format off
        QTest::newRow("plain")      << c << "050" << 50.0;
        QTest::newRow("padded")     << c << " 7 " << 7.0;
        QTest::newRow("decimal")    << c << "99.9" << 99.9;
        QTest::newRow("comma, de")  << de << "1,6" << 1.6;
        QTest::newRow("point, de")  << de << "1.6" << qQNaN();
        QTest::newRow("grouping")   << c << "1,600" << qQNaN();
        QTest::newRow("empty")      << c << "" << qQNaN();
        QTest::newRow("two points") << c << "1.2.3" << qQNaN();
        QTest::newRow("lone point") << c << "." << qQNaN();
        QTest::newRow("nan")        << c << "nan" << qQNaN();
        QTest::newRow("overflow")   << c << "1e999" << qQNaN();
        // clang-format on
    }
    void wert() {
        QFETCH(QLocale, format);
        QFETCH(QString, text);
        QFETCH(double, wert);
        QLocale::setDefault(format);
        Zahlenfeld f;
        f.setText(text);
        QCOMPARE(f.wert().value_or(qQNaN()), wert);
    }

    // The menu's "Einfügen" pastes through the filter, held to the typed length. The menu is
    // Qt's, in German, and names no shortcut: the field refuses those keys.
    void einfuegen_ueber_kontextmenue() {
        shell::qt_texte_deutsch();
        Zahlenfeld f;
        einrichten(f, "frei", QString());
        f.show();
        QGuiApplication::clipboard()->setText(QStringLiteral("12a456789"));
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), f.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&f, &e);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction* einfuegen = nullptr;
        for (QAction* a : menu->actions()) {
            QVERIFY2(!a->text().contains(QLatin1Char('\t')), qPrintable(a->text()));
            if (a->text().remove(QLatin1Char('&')) == QStringLiteral("Einfügen")) einfuegen = a;
        }
        QVERIFY(einfuegen && einfuegen->isEnabled());
        einfuegen->trigger();
        menu->close();
        QCOMPARE(f.text(), QStringLiteral("1245"));
    }
};

QTEST_MAIN(TestZahlenfeld)
#include "test_zahlenfeld.moc"
