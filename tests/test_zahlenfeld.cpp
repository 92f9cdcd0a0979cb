// The entry fields as widgets: keys, pasted, dropped and menu-pasted text reach the shared rules
// (whose table is test_darstellung's) and their edits and beeps reach the field. Reading a field
// in the user's format: test_seiten's German rows.
#include "piep.h"
#include "seite.h"
#include "seitentest.h"
#include "zahlen.h"

#include <QClipboard>
#include <QMimeData>
#include <QtTest>

// A field of the pages' kinds: "w1" (page 2's set-point), "v1" (gain), "frei" (page 2's P-band).
static const darstellung::parameter& art(const QString& a) {
    return *darstellung::parameter_von(a == "v1" ? 3 : 2, a == "frei" ? "xp1" : a.toStdString());
}

class TestZahlenfeld : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Keys into a field holding `vorher`, caret at the end: what only a widget knows, each key's
    // character (control keys type control characters and are refused; Delete and Home keep their
    // editing), the selection, the beeps, the user's separator. An input method's commit ("IM", no
    // key press) is typed the same way, character by character. Pasted text follows the same rules,
    // over the selection: by Shift+Insert, dropped (where dropped), or by the menu's "Einfügen";
    // the menu is Qt's, in German, naming no shortcut: the field refuses those keys.
    void eingabe_data() {
        QTest::addColumn<QString>("weg");
        QTest::addColumn<QString>("art");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<bool>("alles");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<int>("pieps");
        // clang-format off
        QTest::newRow("backspace, enter, esc, ^V") << "Tasten" << "w1" << "50" << false << "\b\r\x1b\x16" << "50" << 4;
        QTest::newRow("delete edits")              << "Tasten" << "w1" << "50" << false << "\x01\x7f" "7" << "70" << 0;
        QTest::newRow("gain comma")                << "Tasten" << "v1" << "1" << false << ",6" << "1.6" << 0;
        QTest::newRow("over a full set-point")     << "Tasten" << "w1" << "050" << false << "\x02" "7" << "7" << 0;
        QTest::newRow("IM: minus and a letter")    << "IM" << "w1" << "" << false << "-5x0" << "50" << 2;
        QTest::newRow("IM: gain comma")            << "IM" << "v1" << "" << false << "1,6" << "1.6" << 0;
        QTest::newRow("minus")                     << "Umschalt+Einfg" << "w1" << "" << false << "-50" << "50" << 1;
        QTest::newRow("over it all")               << "Umschalt+Einfg" << "frei" << "12" << true << "345" << "345" << 0;
        QTest::newRow("gain")                      << "Umschalt+Einfg" << "v1" << "" << false << "1,6" << "1.6" << 0;
        QTest::newRow("dropped")                   << "fallen lassen" << "frei" << "1" << false << "-2x3" << "123" << 1;
        QTest::newRow("menu")                      << "Menü" << "frei" << "" << false << "12a456789" << "1245" << 1;
        // clang-format on
    }
    void eingabe() {
        QFETCH(QString, weg);
        QFETCH(QString, art);
        QFETCH(QString, vorher);
        QFETCH(bool, alles);
        QFETCH(QString, text);
        const bool getippt = weg == "Tasten" || weg == "IM";
        if (!getippt) shell::qt_texte_deutsch();
        shell::Zahlenfeld f(::art(art));
        f.setText(vorher);
        if (!getippt) {
            f.resize(80, 24);
            f.show();
            if (alles) f.selectAll();
            QGuiApplication::clipboard()->setText(text);
        }
        const int start = shell::piep_zaehler();
        if (weg == "Tasten") {
            tippen(&f, text);
        } else if (weg == "IM") {
            QInputMethodEvent e;
            e.setCommitString(text);
            QApplication::sendEvent(&f, &e);
        } else if (weg == "fallen lassen") {
            QMimeData daten;
            daten.setText(text);
            const QPointF wo(f.width() - 4, f.height() / 2);
            QDragEnterEvent hinein(wo.toPoint(), Qt::CopyAction, &daten, Qt::LeftButton, {});
            QApplication::sendEvent(&f, &hinein);
            QVERIFY(hinein.isAccepted());
            QDropEvent fallen(wo, Qt::CopyAction, &daten, Qt::LeftButton, {});
            QApplication::sendEvent(&f, &fallen);
        } else if (weg == "Menü") {
            QMenu* menu = menue_oeffnen(&f, QPoint(2, 2));
            QVERIFY(menu);
            const QString texte = eintraege(menu).join(QLatin1Char('|'));
            QVERIFY2(!texte.contains(QLatin1Char('\t')), qPrintable(texte));
            QAction* einfuegen = eintrag(menu, QStringLiteral("Einfügen"));
            QVERIFY(einfuegen && einfuegen->isEnabled());
            einfuegen->trigger();
            menu->close();
        } else {
            QTest::keyClick(&f, Qt::Key_Insert, Qt::ShiftModifier);
        }
        QTEST(f.text(), "nachher");
        QTEST(shell::piep_zaehler() - start, "pieps");
    }
};

QTEST_MAIN(TestZahlenfeld)
#include "test_zahlenfeld.moc"
