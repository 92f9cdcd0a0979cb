// Chart panels under extreme runs: the value axis widens to any range and narrows back, and on
// the way never holds a wide range with a fine step (Qt lays out every tick at each change: a
// cascade run with "1e9" pasted as set-point once froze the program with 50 million of them).
#include "diagrammfeld.h"
#include "seitenbau.h"
#include "zahlen.h"

#include <QChart>
#include <QValueAxis>
#include <QtTest>
#include <algorithm>

using shell::Diagramm;
using shell::Diagrammfeld;

class TestDiagrammfeld : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void achse_ohne_tickflut() {
        Diagramm d;
        d.r = {0, 0, 7875, 2775};
        d.zeilen = 200;
        d.reihen = {"Soll1", "Ist1"};
        d.bis = 100;
        QWidget fenster;
        auto* feld = new Diagrammfeld(d, &fenster);
        feld->setGeometry(shell::pixel(d.r));
        fenster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenster));
        auto* achse = qobject_cast<QValueAxis*>(feld->chart()->axes(Qt::Vertical).value(0));
        QVERIFY(achse);
        double ticks = 0;
        const auto zaehlen = [&] {
            ticks = std::max(ticks, (achse->max() - achse->min()) / achse->tickInterval());
        };
        connect(achse, &QValueAxis::rangeChanged, this, zaehlen);
        connect(achse, &QValueAxis::tickIntervalChanged, this, zaehlen);

        for (const double grenze :
             {2e5, 50.0, -3e5, 80.0, 1.9e6, 100.0, 9e99, 60.0, -7e120, 1e-3}) {
            ticks = 0;
            for (int z = 1; z <= d.zeilen; ++z) {
                feld->zelle(1, z, shell::zahl_text(grenze * z / d.zeilen));
                feld->zelle(2, z, QStringLiteral("20"));
            }
            feld->lauf_abschliessen();
            QCoreApplication::processEvents();
            const QString wo = QStringLiteral("run up to %1").arg(grenze);
            QVERIFY2(ticks <= 60, qPrintable(wo + QStringLiteral(": %1 ticks").arg(ticks)));
            // The curves are never cut off; the stored extent stays the least.
            QVERIFY2(achse->max() >= std::max(grenze, 100.0), qPrintable(wo));
            QVERIFY2(achse->min() <= std::min(grenze, 0.0), qPrintable(wo));
        }
        QCOMPARE(achse->min(), 0.0);
        QCOMPARE(achse->max(), 100.0);
    }
};

QTEST_MAIN(TestDiagrammfeld)
#include "test_diagrammfeld.moc"
