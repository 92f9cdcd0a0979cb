// Page 2: the run writes its cells in order, reproduces the worked examples, and a field that is
// not a number leaves the last complete run on the charts.
#include "diagrammfeld.h"
#include "pid.h"
#include "piep.h"
#include "seite_2.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QAccessible>
#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

using shell::Diagrammfeld;
using shell::Zahlenfeld;

namespace {
struct Seite {
    shell::Navigator nav;
    seiten::seite_2 seite{nav};
    Diagrammfeld* graph = seite.element<Diagrammfeld>("graph");
    Diagrammfeld* leistung = seite.element<Diagrammfeld>("Leistung");
    Zahlenfeld* feld(const char* name) { return seite.element<Zahlenfeld>(name); }
    void setzen(QString w, QString xp, QString tn, QString tv) {
        feld("w1")->setText(w);
        feld("xp1")->setText(xp);
        feld("tn1")->setText(tn);
        feld("tv1")->setText(tv);
    }
    void start() { QTest::mouseClick(seite.element<QPushButton>("start"), Qt::LeftButton); }
    double zahl(Diagrammfeld* d, int spalte, int zeile) {
        return shell::zahl_lesen(d->data(spalte, zeile)).value_or(-1);
    }
    QStringList alle_zellen() {
        QStringList z;
        for (int i = 1; i <= 200; ++i)
            z << graph->data(1, i) << graph->data(2, i) << leistung->data(1, i);
        return z;
    }
};
} // namespace

class TestSeite2 : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Load: 600 cells, row by row in the order set-point, milk, power; then both end calls.
    void laden_schreibt_zellen_in_reihenfolge() {
        Seite s;
        QStringList protokoll;
        auto mitschreiben = [&](Diagrammfeld* d, const QString& name) {
            connect(d, &Diagrammfeld::zelleGeschrieben, this, [&, name](int sp, int z) {
                protokoll << QStringLiteral("%1 %2 %3").arg(name).arg(sp).arg(z);
            });
            connect(d, &Diagrammfeld::laufAbgeschlossen, this,
                    [&, name] { protokoll << name + " ende"; });
        };
        mitschreiben(s.graph, QStringLiteral("graph"));
        mitschreiben(s.leistung, QStringLiteral("Leistung"));
        s.seite.laden();
        QCOMPARE(protokoll.size(), 602);
        for (int i = 1; i <= 200; ++i) {
            QCOMPARE(protokoll[3 * (i - 1)], QStringLiteral("graph 1 %1").arg(i));
            QCOMPARE(protokoll[3 * (i - 1) + 1], QStringLiteral("graph 2 %1").arg(i));
            QCOMPARE(protokoll[3 * (i - 1) + 2], QStringLiteral("Leistung 1 %1").arg(i));
        }
        QCOMPARE(protokoll[600], QStringLiteral("graph ende"));
        QCOMPARE(protokoll[601], QStringLiteral("Leistung ende"));
        QCOMPARE(s.graph->reihenNamen(), QStringList({"Soll", "Ist"}));
        QCOMPARE(s.leistung->reihenNamen(), QStringList({"Leistung"}));
        QCOMPARE(s.graph->punkte(2).size(), 200);
    }

    void beispiele_data() {
        QTest::addColumn<QStringList>("felder");
        QTest::addColumn<int>("zeile");
        QTest::addColumn<double>("milch");
        QTest::addColumn<double>("leistung");
        QTest::addColumn<QString>("soll"); // the set-point cell: the field's text after the run
        const QStringList ein_aus{"50", "0", "0", "0"}, tuning{"50", "17", "20", "5"};
        QTest::newRow("on/off 2") << ein_aus << 2 << 20.1538 << 100.0 << "50";
        QTest::newRow("on/off 16") << ein_aus << 16 << 50.2594 << 0.0 << "50";
        QTest::newRow("on/off peak") << ein_aus << 26 << 66.2805 << 0.0 << "50";
        QTest::newRow("on/off 42") << ein_aus << 42 << 49.0683 << 100.0 << "50";
        QTest::newRow("tuning 7") << tuning << 7 << 25.3867 << 94.8549 << "50";
        QTest::newRow("tuning 20") << tuning << 20 << 51.1790 << 7.9071 << "50";
        QTest::newRow("tuning 200") << tuning << 200 << 50.0000 << 26.2600 << "50";
        QTest::newRow("P-band 100") << QStringList{"50", "100", "0", "0"} << 1 << 20.0 << 30.0
                                    << "50";
        // Typed as 999 (the limit is checked before a key's digit goes in): the run holds the
        // field at its limit first and runs with 99.9, not with 999 °C.
        QTest::newRow("set-point 999")
            << QStringList{"999", "0", "0", "0"} << 200 << 93.1641 << 100.0 << "99.9";
    }
    void beispiele() {
        QFETCH(QStringList, felder);
        QFETCH(int, zeile);
        QFETCH(double, milch);
        QFETCH(double, leistung);
        QFETCH(QString, soll);
        Seite s;
        s.seite.laden();
        s.setzen(felder[0], felder[1], felder[2], felder[3]);
        const int pieps = shell::piep_zaehler();
        s.start();
        QCOMPARE(shell::piep_zaehler() - pieps, soll == felder[0] ? 0 : 1);
        QCOMPARE(s.feld("w1")->text(), soll);
        QCOMPARE(s.graph->data(1, zeile), soll);
        QVERIFY2(qAbs(s.zahl(s.graph, 2, zeile) - milch) < 5e-5,
                 qPrintable(s.graph->data(2, zeile)));
        QVERIFY2(qAbs(s.zahl(s.leistung, 1, zeile) - leistung) < 5e-5,
                 qPrintable(s.leistung->data(1, zeile)));
        // Nothing is cut off: the value axis reaches the highest value drawn.
        QVERIFY(s.graph->wertBis() >= milch);
    }

    // Every numeric cell is the simulated double in 15 significant digits; the set-point cell is
    // the field text as typed.
    void zellen_sind_der_lauf() {
        Seite s;
        s.seite.laden();
        s.setzen("050", "35", "60", "12");
        s.start();
        const auto p = sim::pid_parameter_bilden({}, 50, 35, 60, 12);
        struct Vergleich {
            Seite& s;
            int fehler = 0;
            void zeile(const sim::pid_zeile& z) {
                fehler += s.graph->data(1, z.i) != QLatin1String("050");
                fehler += s.graph->data(2, z.i) != QString::number(z.milch, 'g', 15);
                fehler += s.leistung->data(1, z.i) != QString::number(z.y, 'g', 15);
            }
            void ende() {}
        } v{s};
        sim::pid_lauf(p, 200, v);
        QCOMPARE(v.fehler, 0);
    }

    // A field that does not read as a number starts no run: beep, focus, and the charts keep
    // the last complete run.
    void ungueltiges_feld_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty set-point") << "w1"
                                         << "";
        QTest::newRow("empty P-band") << "xp1"
                                      << "";
        QTest::newRow("pasted letters") << "tn1"
                                        << "abc";
        QTest::newRow("nan") << "tv1"
                             << "nan";
        QTest::newRow("inf") << "xp1"
                             << "inf";
        QTest::newRow("1e999") << "w1"
                               << "1e999";
        QTest::newRow("two points") << "tn1"
                                    << "1.2.3";
    }
    void ungueltiges_feld() {
        QFETCH(QString, feld);
        QFETCH(QString, text);
        Seite s;
        s.seite.show();
        s.seite.laden();
        const QStringList vorher = s.alle_zellen();
        int abgeschlossen = 0;
        connect(s.graph, &Diagrammfeld::laufAbgeschlossen, this, [&] { ++abgeschlossen; });
        s.setzen("70", "10", "10", "10");
        s.feld(qPrintable(feld))->setText(text);
        const int pieps = shell::piep_zaehler();
        s.start();
        QCOMPARE(shell::piep_zaehler() - pieps, 1);
        QCOMPARE(s.alle_zellen(), vorher);
        QCOMPARE(abgeschlossen, 0);
        QCOMPARE(s.seite.focusWidget(), s.feld(qPrintable(feld)));
        QCOMPARE(s.feld(qPrintable(feld))->selectedText(), text);
    }

    // Cells follow the user's decimal separator and the charts still read them.
    void dezimalkomma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Seite s;
        s.seite.laden();
        QCOMPARE(s.graph->data(2, 2), QStringLiteral("20,1538461538462"));
        QCOMPARE(s.graph->punkte(2).size(), 200);
        QVERIFY(qAbs(s.graph->punkte(2).at(25).y() - 66.2805) < 5e-5);
        QLocale::setDefault(QLocale::c());
    }

    // Reading values off the curves: the cursor follows the mouse on both charts, the tooltip
    // text is in the user's format, and the grid copies as tab-separated text.
    void ablesen() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Seite s;
        s.seite.laden();
        s.seite.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.seite));
        QCOMPARE(s.graph->ablesen(26), QStringLiteral("Soll 50 °C · Ist 66,28 °C"));
        QCOMPARE(s.leistung->ablesen(26), QStringLiteral("Leistung 0 %"));
        QCOMPARE(s.leistung->ablesen(1), QStringLiteral("Leistung 100 %"));

        QChart* c = s.graph->chart();
        const QPointF imChart = c->mapToPosition(QPointF(26, 50), c->series().first());
        const QPoint wo = s.graph->mapFromScene(c->mapToScene(imChart));
        QCOMPARE(s.graph->zeileBei(wo), 26);
        QTest::mouseMove(s.graph->viewport(), wo);
        QCOMPARE(s.graph->zeiger(), 26);
        QCOMPARE(s.leistung->zeiger(), 26);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("t = 26 s · Soll 50 °C · Ist 66,28 °C · Leistung 0 %"));
        // The mouse rests: Qt's own tooltip event must not take the read-out away.
        QHelpEvent ruht(QEvent::ToolTip, wo, s.graph->viewport()->mapToGlobal(wo));
        QApplication::sendEvent(s.graph->viewport(), &ruht);
        QTest::qWait(500);
        QVERIFY(QToolTip::isVisible());
        QEvent weg(QEvent::Leave);
        QApplication::sendEvent(s.graph, &weg);
        QCOMPARE(s.graph->zeiger(), 0);
        QCOMPARE(s.leistung->zeiger(), 0);

        // "Daten kopieren" from the chart's context menu puts the grid on the clipboard.
        QContextMenuEvent kontext(QContextMenuEvent::Mouse, wo, s.graph->mapToGlobal(wo));
        QApplication::sendEvent(s.graph->viewport(), &kontext);
        QMenu* menu = s.graph->findChild<QMenu*>();
        QVERIFY(menu);
        QStringList punkte;
        for (QAction* a : menu->actions()) punkte << a->text();
        QCOMPARE(punkte, QStringList({"Bild kopieren", "Daten kopieren"}));
        QGuiApplication::clipboard()->clear();
        menu->actions().at(1)->trigger();
        menu->close();
        const QStringList zeilen = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(zeilen.size(), 201);
        QCOMPARE(zeilen.first(), QStringLiteral("t in s\tSoll\tIst"));
        QVERIFY2(zeilen.at(26).startsWith(QStringLiteral("26\t50\t66,28")), qPrintable(zeilen.at(26)));
        QLocale::setDefault(QLocale::c());
    }

    // A screen reader finds a name for every field, button and chart.
    void barrierefrei() {
        Seite s;
        const auto name = [](QWidget* w) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
            return i ? i->text(QAccessible::Name) : QString();
        };
        QCOMPARE(name(s.feld("w1")), QStringLiteral("Sollwert in °C"));
        QCOMPARE(name(s.feld("xp1")), QStringLiteral("P-Band in K"));
        QCOMPARE(name(s.feld("tn1")), QStringLiteral("Nachlaufzeit in s"));
        QCOMPARE(name(s.feld("tv1")), QStringLiteral("Vorhaltzeit in s"));
        for (QWidget* w : s.seite.findChildren<QWidget*>()) {
            if (!qobject_cast<QPushButton*>(w) && !qobject_cast<Zahlenfeld*>(w) && !qobject_cast<Diagrammfeld*>(w))
                continue;
            QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!w->accessibleDescription().isEmpty(), qPrintable(w->objectName()));
        }
    }

    void tabfolge() {
        Seite s;
        QStringList folge;
        QWidget* w = s.seite.element("weiter");
        for (int i = 0; i < 8; ++i, w = w->nextInFocusChain()) {
            while (w->focusPolicy() == Qt::NoFocus)
                w = w->nextInFocusChain();
            folge << w->objectName();
        }
        QCOMPARE(folge,
                 QStringList({"weiter", "zurück", "beenden", "start", "w1", "xp1", "tn1", "tv1"}));
        QCOMPARE(s.seite.focusWidget(), s.seite.element("weiter"));
    }
};

QTEST_MAIN(TestSeite2)
#include "test_seite_2.moc"
