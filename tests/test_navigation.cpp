// Page slots and navigation: each page once, created on demand, kept as it was left.
#include "diagrammfeld.h"
#include "seiten.h"
#include "tasten.h"
#include "zahlenfeld.h"

#include <QAccessible>
#include <QPushButton>
#include <QtTest>

using shell::Navigator;

class TestNavigation : public QObject {
    Q_OBJECT

    std::unique_ptr<Navigator> m_nav;
    int m_enden = 0;

    void klick(int seite, const char* knopf) {
        auto* k = m_nav->seite(seite)->element<QPushButton>(knopf);
        QVERIFY2(k, knopf);
        QTest::mouseClick(k, Qt::LeftButton);
    }

private slots:
    void init() {
        m_nav = std::make_unique<Navigator>();
        m_enden = 0;
        m_nav->programmende = [this] { ++m_enden; };
        seiten::alle_seiten_anmelden(*m_nav);
        m_nav->seite_zeigen(1);
    }
    void cleanup() { m_nav.reset(); }

    void start_auf_seite_1() {
        QCOMPARE(m_nav->angelegt(), 1);
        QCOMPARE(m_nav->seite(1)->windowTitle(), QStringLiteral("Seite 1"));
        QVERIFY(m_nav->seite(1)->isVisible());
        QCOMPARE(m_nav->seite(1)->focusWidget(), m_nav->seite(1)->element("weiter"));
    }

    void rundgang() {
        klick(1, "weiter");
        klick(2, "weiter");
        klick(3, "weiter");
        klick(4, "zurück");
        klick(3, "zurück");
        QCOMPARE(m_nav->angelegt(), 4);
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(m_nav->seite(n)->isVisible());
            QCOMPARE(m_nav->seite(n)->ladungen(), 1);
            QCOMPARE(m_nav->seite(n)->windowTitle(), QStringLiteral("Seite %1").arg(n));
        }
        QVERIFY(!m_nav->seite(4)->element("weiter"));
        QVERIFY(!m_nav->seite(1)->element("zurück"));
        klick(4, "beenden");
        QCOMPARE(m_enden, 1);
    }

    // Back to page 2: the same instance, fields as typed, no new run.
    void seite_2_kommt_zurueck_wie_verlassen() {
        klick(1, "weiter");
        auto* seite2 = m_nav->seite(2);
        auto* w1 = seite2->element<shell::Zahlenfeld>("w1");
        tippen(w1, QStringLiteral("\x05\x7f\x01\x7f" "7"));
        const QString text = w1->text();
        int zellen = 0;
        connect(seite2->element<shell::Diagrammfeld>("graph"), &shell::Diagrammfeld::zelleGeschrieben,
                this, [&] { ++zellen; });
        klick(2, "zurück");
        klick(1, "weiter");
        QCOMPARE(m_nav->seite(2), seite2);
        QCOMPARE(w1->text(), text);
        QCOMPARE(zellen, 0);
        QCOMPARE(seite2->ladungen(), 1);
    }

    void taste_auf_beenden_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<int>("enden");
        QTest::newRow("page 1 ends") << 1 << 1;
        QTest::newRow("page 2 does not") << 2 << 0;
    }
    void taste_auf_beenden() {
        QFETCH(int, seite);
        QFETCH(int, enden);
        auto* s = m_nav->seite_zeigen(seite);
        QTest::keyClick(s->element("beenden"), Qt::Key_Tab); // moving on is no character
        QCOMPARE(m_enden, 0);
        QTest::keyClick(s->element("beenden"), Qt::Key_X);
        QCOMPARE(m_enden, enden);
    }

    // A screen reader walking a page in its tab order hears a name and a description at every
    // stop, and the focus chain visits every field and button.
    void barrierefrei_data() {
        QTest::addColumn<int>("seite");
        for (int n = 1; n <= 4; ++n) QTest::newRow(qPrintable(QStringLiteral("page %1").arg(n))) << n;
    }
    void barrierefrei() {
        QFETCH(int, seite);
        auto* s = m_nav->seite_zeigen(seite);
        QWidget* start = s->focusWidget();
        QVERIFY(start);
        QSet<QWidget*> besucht;
        QWidget* w = start;
        do {
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(s) && w->window() == s) {
                QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
                QVERIFY(i);
                QVERIFY2(!i->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName() + QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className())));
                QVERIFY2(!i->text(QAccessible::Description).isEmpty(), qPrintable(w->objectName()));
                besucht << w;
            }
            w = w->nextInFocusChain();
        } while (w != start);
        for (QWidget* k : s->findChildren<QWidget*>())
            if (qobject_cast<QPushButton*>(k) || qobject_cast<shell::Zahlenfeld*>(k))
                QVERIFY2(besucht.contains(k), qPrintable(k->objectName()));
    }

    // Closing through the frame hides the page; it comes back as it was; the last close ends.
    void schliessen_ueber_rahmen() {
        klick(1, "weiter");
        auto* seite2 = m_nav->seite(2);
        QVERIFY(seite2->close() == false || !seite2->isVisible());
        QVERIFY(!seite2->isVisible());
        QCOMPARE(m_enden, 0);
        QCOMPARE(m_nav->seite_zeigen(2), seite2);
        QVERIFY(seite2->isVisible());
        QCOMPARE(seite2->ladungen(), 1);
        seite2->close();
        m_nav->seite(1)->close();
        QCOMPARE(m_enden, 1);
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
