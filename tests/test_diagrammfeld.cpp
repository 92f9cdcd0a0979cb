// Chart panels under extreme runs: the value axis widens to any range and narrows back, and on
// the way never holds a wide range with a fine step (Qt lays out every tick at each change: a
// cascade run with "1e9" pasted as set-point once froze the program with 50 million of them).
#include "diagrammfeld.h"
#include "seiten.h"
#include "seitenbau.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QChart>
#include <QGraphicsTextItem>
#include <QPushButton>
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

    // The stacked charts of pages 2 and 3 over set-points 30 to 100: every label is whole (Qt
    // elides one for which the axis has too little height), each second stands at one pixel
    // column in both charts, and no legend lies over the plot.
    void gestapelt_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("oben");
        QTest::addColumn<QString>("unten");
        QTest::newRow("page 2") << 2 << "graph" << "Leistung";
        QTest::newRow("page 3") << 3 << "kask" << "leistung";
    }
    void gestapelt() {
        QFETCH(int, seite);
        QFETCH(QString, oben);
        QFETCH(QString, unten);
        shell::Navigator nav;
        nav.programmende = [] {};
        seiten::alle_seiten_anmelden(nav);
        auto* s = nav.seite_zeigen(seite);
        const std::array<Diagrammfeld*, 2> stapel{s->findChild<Diagrammfeld*>(oben),
                                                  s->findChild<Diagrammfeld*>(unten)};
        for (int w = 30; w <= 100; ++w) {
            s->element<shell::Zahlenfeld>("w1")->setText(QString::number(w));
            s->element<QPushButton>("start")->click();
            const QString wo = QStringLiteral("set-point %1").arg(w);
            for (Diagrammfeld* d : stapel) {
                for (QGraphicsItem* i : d->scene()->items())
                    if (auto* t = dynamic_cast<QGraphicsTextItem*>(i); t && t->isVisible())
                        QVERIFY2(!t->toPlainText().contains(QLatin1String("...")) &&
                                     !t->toPlainText().contains(QChar(0x2026)),
                                 qPrintable(wo + QLatin1Char(' ') + t->toPlainText()));
                const QWidget* legende = d->findChild<QWidget*>(QStringLiteral("legende"));
                QVERIFY(legende && !legende->geometry().intersects(d->chart()->plotArea().toRect()));
            }
            for (int sekunde : {50, 100, 150}) {
                const auto spalte = [&](Diagrammfeld* d) {
                    return d->mapTo(s, QPointF(d->spalteVon(sekunde), 0)).x();
                };
                QVERIFY2(std::abs(spalte(stapel[0]) - spalte(stapel[1])) <= 1, qPrintable(wo));
            }
        }
    }
};

QTEST_MAIN(TestDiagrammfeld)
#include "test_diagrammfeld.moc"
