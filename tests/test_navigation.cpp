// Page slots and navigation: each page once, created on demand, kept as it was left.
#include "dateien.h"
#include "lernhilfen.h"
#include "piep.h"
#include "protokoll.h"
#include "seitentest.h"

#include <QAccessible>
#include <QMessageBox>
#include <QStyleHints>
#include <QtTest>

using shell::Navigator;

class TestNavigation : public QObject {
    Q_OBJECT

    std::optional<Seite> m_s; // page 1 as the program opens it

    void klick(int seite, const char* knopf) {
        auto* k = m_s->nav.seite(seite)->element<QPushButton>(knopf);
        QVERIFY2(k, knopf);
        QTest::mouseClick(k, Qt::LeftButton);
    }

private slots:
    void init() {
        shell::einstellungsdatei().remove(QStringLiteral("ansicht/massstab"));
        m_s.emplace(1);
    }
    void cleanup() { m_s.reset(); }

    // A first start (each suite run starts with empty settings, so that this can fail): aids off,
    // pages at the size that fits. Start on page 1, focus on "weiter"; 1 -> 2 -> 3 -> 4 -> 3 -> 2
    // creates and loads each page once; page 2 comes back as left, via "zurück" and after closing
    // its frame: the same instance, its fields as typed, no new run. A key on "beenden" ends the
    // program on page 1 alone, and only one that types; "beenden" on page 4 ends it.
    void rundgang() {
        QVERIFY(!shell::Lernhilfen::einstellungen().kennwerte());
        QVERIFY(!shell::Lernhilfen::einstellungen().vorheriger_lauf());
        QVERIFY(!Navigator().zoom());
        QCOMPARE(m_s->nav.seite(1)->massstab(), 1.0);
        QCOMPARE(m_s->nav.seite(1)->focusWidget(), m_s->nav.seite(1)->element("weiter"));
        klick(1, "weiter");
        auto* seite2 = m_s->nav.seite(2);
        tippen(seite2->element("w1"), QStringLiteral("\x05\x7f\x01\x7f") + "7");
        int laeufe = 0;
        connect(seite2->element<shell::Diagrammfeld>("graph"),
                &shell::Diagrammfeld::lauf_abgeschlossen, this, [&] { ++laeufe; });
        for (const auto& [seite, knopf] : std::initializer_list<std::pair<int, const char*>>{
                 {2, "weiter"}, {3, "weiter"}, {4, "zurück"}, {3, "zurück"}})
            klick(seite, knopf);
        QCOMPARE(m_s->nav.angelegt(), 4);
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(m_s->nav.seite(n)->isVisible());
            QCOMPARE(m_s->nav.seite(n)->ladungen(), 1);
            QCOMPARE(m_s->nav.seite(n)->windowTitle(), QStringLiteral("Seite %1").arg(n));
        }
        QCOMPARE(m_s->nav.seite(2), seite2);
        QCOMPARE(seite2->element<shell::Zahlenfeld>("w1")->text(), QStringLiteral("70"));
        QCOMPARE(laeufe, 0);
        seite2->close();
        QVERIFY(!seite2->isVisible());
        QCOMPARE(m_s->nav.seite_zeigen(2), seite2);
        QCOMPARE(seite2->ladungen(), 1);
        QTest::keyClick(seite2->element("beenden"), Qt::Key_X);
        for (const auto taste : {Qt::Key_Tab, Qt::Key_Shift}) // moves, or types nothing
            QTest::keyClick(m_s->nav.seite(1)->element("beenden"), taste);
        QCOMPARE(m_s->enden, 0);
        klick(4, "beenden");
        QCOMPARE(m_s->enden, 1);
    }

    // Runs made with "Start Grafik" and not saved: every way of ending asks first, in the real
    // message box. Cancel keeps the program and its windows; Discard ends it; Save ends it once
    // the notebook is written, and not where the file dialog is cancelled. Load runs alone, or
    // runs saved, end it without asking.
    void ende_fragt_data() {
        QTest::addColumn<QString>("weg");
        QTest::addColumn<int>("laeufe");
        QTest::addColumn<int>("antwort");
        QTest::addColumn<bool>("ort");
        QTest::addColumn<int>("enden");
        const int s = QMessageBox::Save, d = QMessageBox::Discard, c = QMessageBox::Cancel;
        QTest::newRow("button, cancel") << "button" << 1 << c << true << 0;
        QTest::newRow("button, discard") << "button" << 2 << d << true << 1;
        QTest::newRow("button, save") << "button" << 1 << s << true << 1;
        QTest::newRow("button, save cancelled") << "button" << 1 << s << false << 0;
        QTest::newRow("key on page 1, cancel") << "key" << 1 << c << true << 0;
        QTest::newRow("key on page 1, discard") << "key" << 1 << d << true << 1;
        QTest::newRow("last frame, cancel") << "frame" << 1 << c << true << 0;
        QTest::newRow("last frame, save") << "frame" << 1 << s << true << 1;
        QTest::newRow("load runs only, button") << "button" << 0 << 0 << true << 1;
        QTest::newRow("load runs only, last frame") << "frame" << 0 << 0 << true << 1;
    }
    void ende_fragt() {
        QFETCH(QString, weg);
        QFETCH(int, laeufe);
        QFETCH(int, antwort);
        QFETCH(bool, ort);
        QFETCH(int, enden);
        QTemporaryDir ordner;
        const QString datei = ordner.filePath(QStringLiteral("v.csv"));
        shell::speicherort_fuer_tests = [&](const QString&) { return ort ? datei : QString(); };
        klick(1, "weiter");
        for (int i = 0; i < laeufe; ++i)
            klick(2, "start");
        QString gefragt;
        im_dialog<QMessageBox>(
            [&] {
                if (weg == "button") {
                    klick(2, "beenden");
                } else if (weg == "key") {
                    QTest::keyClick(m_s->nav.seite(1)->element("beenden"), Qt::Key_X);
                } else {
                    m_s->nav.seite(2)->close(); // another page is still open: nothing asked
                    QCOMPARE(gefragt, QString());
                    m_s->nav.seite(1)->close();
                }
            },
            [&](QMessageBox* m) {
                gefragt = m->text();
                m->button(QMessageBox::StandardButton(antwort))->click();
            });
        QCOMPARE(m_s->enden, enden);
        QCOMPARE(gefragt.isEmpty(), laeufe == 0);
        if (laeufe)
            QVERIFY2(gefragt.contains(laeufe == 1 ? "Ein Lauf" : QString("%1 Läufe").arg(laeufe)),
                     qPrintable(gefragt));
        QCOMPARE(m_s->nav.seite(weg == "frame" ? 1 : 2)->isVisible(), weg != "frame" || !enden);
        QCOMPARE(QFile::exists(datei), antwort == QMessageBox::Save && ort);
        shell::speicherort_fuer_tests = nullptr;
        // What was saved is no longer at stake.
        if (QFile::exists(datei)) QCOMPARE(m_s->nav.protokoll().ungesichert(), size_t(0));
    }

    // Tab walks each page in the order the page states, starting where the focus starts; a
    // screen reader hears a name and a description at every stop. Captioned frames are named by
    // their captions; the gain field says that it takes the decimal separator.
    void barrierefrei_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("folge");
        QTest::newRow("page 1") << 1 << "weiter beenden";
        QTest::newRow("page 2") << 2 << "weiter zurück beenden start w1 xp1 tn1 tv1 graph Leistung";
        QTest::newRow("page 3")
            << 3 << "tn1 v1 w1 tv1 start beenden zurück weiter xp2 tv2 maxdiff pid33 kask leistung";
        QTest::newRow("page 4") << 4 << "zurück beenden";
    }
    void barrierefrei() {
        QFETCH(int, seite);
        QFETCH(QString, folge);
        auto* s = m_s->nav.seite_zeigen(seite);
        QStringList besucht;
        QWidget* w = s->focusWidget();
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(s) && w->window() == s) {
                QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
                QVERIFY(i && !i->text(QAccessible::Name).isEmpty() &&
                        !i->text(QAccessible::Description).isEmpty());
                besucht << w->objectName();
            }
            w = w->nextInFocusChain();
        } while (w != s->focusWidget());
        QCOMPARE(besucht.join(' '), folge);
        for (const auto& e : s->vorgaben().elemente)
            if (const auto* r = std::get_if<shell::Rahmen>(&e); r && *r->titel)
                QCOMPARE(s->element(r->name)->accessibleName(), QString::fromUtf8(r->titel));
        for (auto* f : s->findChildren<shell::Zahlenfeld*>())
            QCOMPARE(f->accessibleDescription().contains("Dezimaltrennzeichen"), f->dezimal());
    }

    // A page and its frame fit into the screen's free area: at full size where they can, else
    // scaled as a whole, by the tighter of width and height, but never below one half.
    void massstab_data() {
        QTest::addColumn<QSize>("seite");
        QTest::addColumn<QSize>("frei");
        QTest::addColumn<double>("massstab");
        const QSize s1(1016, 741);
        QTest::newRow("Full HD") << s1 << QSize(1920, 1050) << 1.0;
        QTest::newRow("genau passend") << s1 << QSize(1032, 781) << 1.0;
        QTest::newRow("ein Pixel zu niedrig") << s1 << QSize(1032, 780) << 740.0 / 741;
        QTest::newRow("1366 x 768 mit Leiste") << s1 << QSize(1366, 740) << 700.0 / 741;
        QTest::newRow("zu schmal") << s1 << QSize(800, 1200) << 784.0 / 1016;
        QTest::newRow("winzig") << s1 << QSize(320, 240) << 0.5;
        QTest::newRow("leere Seite") << QSize() << QSize(320, 240) << 1.0;
    }
    void massstab() {
        QFETCH(QSize, seite);
        QFETCH(QSize, frei);
        QTEST(shell::passender_massstab(seite, frei), "massstab");
    }

    // The mends of navigation: a minimized page comes back when asked for; the second click of a
    // double click on "weiter" does not reach the next page's "weiter" under the pointer, a
    // click after the double-click time does; Return and Enter press a focused button.
    void maengel() {
        auto* s1 = m_s->nav.seite(1);
        s1->showMinimized();
        QCOMPARE(m_s->nav.seite_zeigen(1), s1);
        QVERIFY(!s1->isMinimized() && s1->isVisible());

        const auto klick_um = [](QWidget* k, quint64 zeit) {
            for (const auto art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent e(art, QPointF(5, 5), k->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                              art == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
                e.setTimestamp(zeit);
                QApplication::sendEvent(k, &e);
            }
        };
        const int doppelt = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        klick_um(s1->element("weiter"), 100000);
        klick_um(m_s->nav.seite(2)->element("weiter"), 100000 + doppelt / 2);
        QCOMPARE(m_s->nav.angelegt(), 2);
        klick_um(m_s->nav.seite(2)->element("weiter"), 100000 + doppelt);
        QCOMPARE(m_s->nav.angelegt(), 3);

        QTest::keyClick(m_s->nav.seite(3)->element("weiter"), Qt::Key_Return);
        QTest::keyClick(m_s->nav.seite(4)->element("zurück"), Qt::Key_Enter);
        QCOMPARE(m_s->nav.angelegt(), 4);
        QCOMPARE(m_s->nav.seite(3)->ladungen(), 1);
        // The page shown last, closed, is no longer the one the notebook goes beside.
        m_s->nav.seite(3)->hide();
        QApplication::setActiveWindow(nullptr);
        QVERIFY(m_s->nav.vorderste() != m_s->nav.seite(3));
    }

    // A page scaled while it is open is the page built at that scale, pixel for pixel: charts,
    // fields and drawings placed and drawn anew, never a stretched picture; what it holds (the
    // fields as typed, the curves of the last run and of the one before) stays. Pages 2 and 3
    // are scaled after a run with other values than they were built with.
    void skaliert_wie_gebaut_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<int>("schritte"); // Ctrl+Plus (>0) or Ctrl+Minus (<0) from 1
        for (int seite = 1; seite <= Navigator::seitenzahl; ++seite)
            for (int schritte : {-4, -2, 2, 4})
                QTest::addRow("page %d, %+d", seite, schritte) << seite << schritte;
    }
    void skaliert_wie_gebaut() {
        QFETCH(int, seite);
        QFETCH(int, schritte);
        const auto laufen = [seite](shell::Seitenfenster* s) {
            if (seite != 2 && seite != 3) return;
            tippen(s->element("w1"), QStringLiteral("\x05\x02") + "73");
            QTest::mouseClick(s->element<QPushButton>("start"), Qt::LeftButton);
        };
        Seite gebaut(0, false, QSize(3840, 2160)), skaliert(seite, false, QSize(3840, 2160));
        shell::Seitenfenster* danach = skaliert.seite;
        laufen(danach);
        for (int k = 0; k < std::abs(schritte); ++k)
            for (Seite* n : {&gebaut, &skaliert})
                n->nav.zoomen(schritte > 0 ? 1 : -1);
        shell::Seitenfenster* so = gebaut.nav.seite_zeigen(seite);
        laufen(so);
        QCOMPARE(danach->massstab(), shell::massstaebe[5 + schritte]);
        QCOMPARE(so->massstab(), danach->massstab());
        QCOMPARE(danach->size(), so->size());
        // The page pixel for pixel: its charts hold their curves, laid out as built at that scale.
        QVERIFY(danach->grab().toImage() == so->grab().toImage());
        for (Seite* n : {&gebaut, &skaliert})
            n->nav.zoomen(0);
        QCOMPARE(danach->massstab(), 1.0);
    }

    // Ctrl+Plus, Ctrl+Minus and Ctrl+0 from anywhere on a page: all pages at once, as far as the
    // screen holds them and down to half size (a step beyond beeps), kept for the next start.
    void zoom_tasten() {
        m_s.reset();
        Seite s(1, true, QSize(1366, 900));
        auto* zwei = s.nav.seite_zeigen(2);
        QVERIFY(QTest::qWaitForWindowActive(zwei));
        QWidget* feld = zwei->element("w1");
        feld->setFocus();
        const QSize voll = zwei->size();
        QTest::keyClick(feld, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(zwei->massstab(), 1.1);
        QCOMPARE(s.seite->massstab(), 1.1); // page 1 too
        QVERIFY(zwei->width() > voll.width());
        QCOMPARE(zwei->element<shell::Zahlenfeld>("w1")->text(), QStringLiteral("50"));
        int pieps = shell::piep_zaehler();
        for (int k = 0; k < 4; ++k)
            QTest::keyClick(feld, Qt::Key_Equal, Qt::ControlModifier);
        // Page 2 at 1.25 would be wider than 1366 px: it stays where the screen holds it.
        QVERIFY(zwei->massstab() > 1.1 && zwei->massstab() < 1.25);
        QVERIFY(zwei->width() + shell::fensterrahmen.width() <= 1366);
        QVERIFY(shell::piep_zaehler() > pieps);
        QVERIFY(Navigator().zoom().has_value()); // the next start opens as large
        for (int k = 0; k < 12; ++k)
            QTest::keyClick(feld, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(zwei->massstab(), 0.5);
        pieps = shell::piep_zaehler();
        QTest::keyClick(feld, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(shell::piep_zaehler() - pieps, 1);
        QTest::keyClick(feld, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(zwei->massstab(), 1.0);
        QCOMPARE(zwei->size(), voll);
        QVERIFY(!Navigator().zoom().has_value());
        QCOMPARE(zwei->element<shell::Zahlenfeld>("w1")->text(), QStringLiteral("50"));
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
