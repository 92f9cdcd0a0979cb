// Chart panels under extreme runs: the value axis widens to any range and narrows back, and on
// the way never holds a wide range with a fine step (Qt lays out every tick at each change: a
// cascade run with "1e9" pasted as set-point once froze the program with 50 million of them).
#include "dateien.h"
#include "kennwerte.h"
#include "seitentest.h"
#include "zahlen.h"
#include "zeitgruppe.h"

#include <QAccessible>
#include <QChart>
#include <QClipboard>
#include <QGraphicsTextItem>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QXYSeries>
#include <QtTest>
#include <algorithm>

using shell::Diagramm;
using shell::Diagrammfeld;
using shell::Lernhilfen;

namespace {
const QStringList menue_eintraege{
    "Bild kopieren",    "Daten kopieren",         "Bild speichern …",   "Daten speichern …",
    "Kennwerte zeigen", "Vorherigen Lauf zeigen", "Versuchsprotokoll …"};
QAction* eintrag(QMenu* m, const QString& text) {
    for (QAction* a : m->actions())
        if (a->text() == text) return a;
    return nullptr;
}
// A chart's menu, opened by the mouse at `wo`.
QMenu* menue_oeffnen(Diagrammfeld* d, QPoint wo = {5, 5}) {
    QContextMenuEvent kontext(QContextMenuEvent::Mouse, wo, d->mapToGlobal(wo));
    QApplication::sendEvent(d->viewport(), &kontext);
    return d->findChild<QMenu*>();
}
QStringList eintraege(const QMenu* m) {
    QStringList t;
    for (const QAction* a : m->actions())
        if (!a->isSeparator()) t << a->text();
    return t;
}

// Both learning aids off again when a test ends, however it ends.
struct LernhilfenAus {
    LernhilfenAus() { schalten(false, false); }
    ~LernhilfenAus() { schalten(false, false); }
    static void schalten(bool kennwerte, bool vorher) {
        Lernhilfen::einstellungen().kennwerte_zeigen(kennwerte);
        Lernhilfen::einstellungen().vorherigen_lauf_zeigen(vorher);
    }
};

} // namespace

class TestDiagrammfeld : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void achse_ohne_tickflut() {
        Seite aufbau(3);
        Diagrammfeld* feld = aufbau.diagramm("kask");
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
            for (int z = 1; z <= 200; ++z)
                feld->zelle(1, z, grenze * z / 200);
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

    // Reading values off page 2's curves: the cursor follows the mouse on both charts, the
    // tooltip gives the time and every series in the user's format (and stays while the mouse
    // rests), and "Daten kopieren" puts the grid on the clipboard as tab-separated text.
    void ablesen() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Seite s(2);
        Diagrammfeld* graph = s.diagramm("graph");
        Diagrammfeld* leistung = s.diagramm("Leistung");
        QVERIFY(QTest::qWaitForWindowExposed(s.seite));
        QChart* c = graph->chart();
        const QPointF imChart = c->mapToPosition(QPointF(26, 50), c->series().first());
        const QPoint wo = graph->mapFromScene(c->mapToScene(imChart));
        QTest::mouseMove(graph->viewport(), wo);
        QCOMPARE(graph->zeiger(), 26);
        QCOMPARE(leistung->zeiger(), 26);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(),
                 QStringLiteral("t = 26 s · Soll 50 °C · Ist 66,28 °C · Leistung 0 %"));
        QHelpEvent ruht(QEvent::ToolTip, wo, graph->viewport()->mapToGlobal(wo));
        QApplication::sendEvent(graph->viewport(), &ruht);
        QTest::qWait(300);
        QVERIFY(QToolTip::isVisible());
        QEvent weg(QEvent::Leave);
        QApplication::sendEvent(graph, &weg);
        QCOMPARE(leistung->zeiger(), 0);

        QMenu* menu = menue_oeffnen(graph, wo);
        QVERIFY(menu);
        QCOMPARE(eintraege(menu), menue_eintraege);
        QGuiApplication::clipboard()->clear();
        menu->actions().at(1)->trigger();
        menu->close();
        const QStringList zeilen =
            QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(zeilen.size(), 201);
        QCOMPARE(zeilen.first(), QStringLiteral("t in s\tSoll\tIst"));
        QVERIFY2(zeilen.at(26).startsWith(QStringLiteral("26\t50\t66,28")),
                 qPrintable(zeilen.at(26)));
        QVERIFY2(zeilen.at(200).startsWith(QStringLiteral("200\t50\t")),
                 qPrintable(zeilen.at(200)));
        QLocale::setDefault(QLocale::c());
    }

    // A chart in the tab order (page 3's) reads out by keyboard: Left/Right by a second (Shift:
    // ten), Home, End; the cursor stands on the same second in both cascade charts, and the
    // accessible value says what the tooltip does; Shift+F10 opens the chart's menu; a focused
    // chart shows a focus frame.
    void ablesen_mit_tasten_data() {
        QTest::addColumn<QList<int>>("tasten"); // key codes, Shift as a negative code
        QTest::addColumn<int>("zeile");
        QTest::newRow("right") << QList<int>{Qt::Key_Right} << 1;
        QTest::newRow("shift+right") << QList<int>{Qt::Key_Right, -Qt::Key_Right} << 11;
        QTest::newRow("end, shift+left") << QList<int>{Qt::Key_End, -Qt::Key_Left} << 190;
        QTest::newRow("home, left") << QList<int>{Qt::Key_Home, Qt::Key_Left} << 1;
    }
    void ablesen_mit_tasten() {
        QFETCH(QList<int>, tasten);
        QFETCH(int, zeile);
        Seite s(3);
        Diagrammfeld* kask = s.diagramm("kask");
        QVERIFY(QTest::qWaitForWindowActive(s.seite));
        const QImage ohne_fokus = kask->grab().toImage();
        kask->setFocus(Qt::TabFocusReason);
        QVERIFY(kask->grab().toImage() != ohne_fokus);
        for (int t : tasten)
            QTest::keyClick(kask, Qt::Key(std::abs(t)), t < 0 ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(kask->zeiger(), zeile);
        QCOMPARE(s.diagramm("leistung")->zeiger(), zeile);
        QCOMPARE(s.diagramm("pid33")->zeiger(), 0);
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(kask);
        const QString wert = zugang->text(QAccessible::Value);
        QVERIFY2(wert.startsWith(QStringLiteral("t = %1 s · Soll1 50 °C").arg(zeile)) &&
                     wert.contains(QStringLiteral("Leistung")),
                 qPrintable(wert));
        // A screen reader hears the read-out as the focused chart's new name, and reads the
        // second as its value; the view's scroll bars and legend are no objects of its own.
        QCOMPARE(zugang->text(QAccessible::Name), wert);
        QVERIFY(zugang->valueInterface());
        QCOMPARE(zugang->valueInterface()->currentValue().toInt(), zeile);
        QCOMPARE(zugang->childCount(), 0);
        QTest::keyClick(kask, Qt::Key_F10, Qt::ShiftModifier);
        auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menue);
        QCOMPARE(eintraege(menue), menue_eintraege);
        for (QString e : menue_eintraege)
            QVERIFY2(zugang->text(QAccessible::Description).contains(e.remove(" …")),
                     qPrintable(e));
        menue->close();
        // The menu ended the read-out: the chart is named as itself again.
        QCOMPARE(zugang->text(QAccessible::Name),
                 QStringLiteral("Diagramm Soll1, Ist1, Soll2, Ist2"));
    }

    // The stacked charts of pages 2 and 3 over set-points 30 to 100: every label is whole (Qt
    // elides one for which the axis has too little height), no legend lies over the plot, and
    // what the chart paints is what it holds now, not a picture of an earlier run.
    void gestapelt_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("oben");
        QTest::addColumn<QString>("unten");
        QTest::newRow("page 2") << 2 << "graph"
                                << "Leistung";
        QTest::newRow("page 3") << 3 << "kask"
                                << "leistung";
    }
    void gestapelt() {
        QFETCH(int, seite);
        QFETCH(QString, oben);
        QFETCH(QString, unten);
        Seite aufbau(seite);
        auto* s = aufbau.seite;
        const std::array<Diagrammfeld*, 2> stapel{s->findChild<Diagrammfeld*>(oben),
                                                  s->findChild<Diagrammfeld*>(unten)};
        for (int w = 30; w <= 100; ++w) {
            aufbau.feld("w1")->setText(QString::number(w));
            aufbau.klick("start");
            const QString wo = QStringLiteral("set-point %1").arg(w);
            for (Diagrammfeld* d : stapel) {
                for (QGraphicsItem* i : d->scene()->items())
                    if (auto* t = dynamic_cast<QGraphicsTextItem*>(i); t && t->isVisible())
                        QVERIFY2(!t->toPlainText().contains(QLatin1String("...")) &&
                                     !t->toPlainText().contains(QChar(0x2026)),
                                 qPrintable(wo + QLatin1Char(' ') + t->toPlainText()));
                QVERIFY2(frisch_gemalt(d), qPrintable(wo));
                const QWidget* legende = d->findChild<QWidget*>(QStringLiteral("legende"));
                QVERIFY(legende &&
                        !legende->geometry().intersects(d->chart()->plotArea().toRect()));
            }
        }
    }

    // A chart lays itself out by what it shows, not by the runs before: after each run of a
    // sequence whose value axes widen, narrow and take wider labels ("1000", "-100"), every
    // plot stands exactly where it stands on a page opened for that run alone, and the plots
    // of a time-axis group begin and end at the same pixel (within the rounding of margins).
    void wie_frisch_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QStringList>("laeufe"); // "field=text field=text …" per run
        QTest::newRow("page 2") << 2
                                << QStringList{"w1=100", "w1=999", "w1=30 xp1=5", "w1=999",
                                               "w1=50 xp1=0"};
        QTest::newRow("page 3") << 3
                                << QStringList{"v1=3", "v1=0.5", "w1=99 v1=3 tn1=20", "w1=30 v1=1",
                                               "v1=2.5 maxdiff=8"};
    }
    void wie_frisch() {
        QFETCH(int, seite);
        QFETCH(QStringList, laeufe);
        LernhilfenAus aus;
        const auto laufen = [](Seite& s, const QString& lauf) {
            for (const QString& paar : lauf.split(QLatin1Char(' '))) {
                const QStringList t = paar.split(QLatin1Char('='));
                s.feld(t[0])->setText(t[1]);
            }
            s.klick("start");
        };
        Seite folge(seite);
        for (const QString& lauf : laeufe) {
            laufen(folge, lauf);
            Seite frisch(seite);
            laufen(frisch, lauf);
            for (const Diagrammfeld* d : folge.seite->findChildren<Diagrammfeld*>()) {
                const Diagrammfeld* f = frisch.diagramm(d->objectName());
                QVERIFY(f);
                QVERIFY2(d->chart()->plotArea() == f->chart()->plotArea(),
                         qPrintable(lauf + QLatin1Char(' ') + d->objectName()));
                const auto kanten = [](const Diagrammfeld* g) {
                    const QRectF p = g->chart()->plotArea();
                    const double x = g->mapTo(g->window(), QPoint(0, 0)).x();
                    return std::pair{x + p.left(), x + p.right()};
                };
                for (const Diagrammfeld* g : d->gruppe().diagramme()) {
                    QVERIFY2(std::abs(kanten(g).first - kanten(d).first) <= 0.5 &&
                                 std::abs(kanten(g).second - kanten(d).second) <= 0.5,
                             qPrintable(lauf + QLatin1Char(' ') + d->objectName()));
                }
            }
        }
    }

    // Files from page 2's charts, through the menu with the proposed names: the CSV opens in a
    // spreadsheet of the user's locale (";" and "," in German, "," and "." otherwise) with every
    // number read back to the same double as the chart's cell; the picture as PNG, or as SVG
    // with its texts; a write that cannot succeed says why and leaves no file.
    void dateien_data() {
        QTest::addColumn<QString>("sprache");
        QTest::addColumn<QString>("trenner");
        QTest::newRow("de") << "de_DE"
                            << ";";
        QTest::newRow("C") << "C"
                           << ",";
    }
    void dateien() {
        QFETCH(QString, sprache);
        QFETCH(QString, trenner);
        QLocale::setDefault(QLocale(sprache));
        QTemporaryDir ordner;
        QStringList vorschlaege;
        shell::speicherort_fuer_tests = [&](const QString& v) {
            vorschlaege << v;
            return ordner.filePath(v);
        };
        Seite s(2);
        Diagrammfeld* graph = s.diagramm("graph");
        QMenu* menue = menue_oeffnen(graph);
        eintrag(menue, "Daten speichern …")->trigger();
        eintrag(menue, "Bild speichern …")->trigger();
        menue->close();
        shell::speicherort_fuer_tests = nullptr;
        QLocale::setDefault(QLocale::c());
        QCOMPARE(vorschlaege, (QStringList{"seite2-temperatur.csv", "seite2-temperatur.png"}));

        QFile csv(ordner.filePath("seite2-temperatur.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray inhalt = csv.readAll();
        QVERIFY(inhalt.startsWith("\xEF\xBB\xBF"));
        const QStringList zeilen =
            QString::fromUtf8(inhalt.mid(3)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(zeilen.size(), 201);
        QCOMPARE(zeilen.first(),
                 QStringList({"Zeit in s", "Soll in °C", "Ist in °C"}).join(trenner));
        for (int z = 1; z <= 200; ++z) {
            const QStringList felder = zeilen.at(z).split(trenner);
            QCOMPARE(felder.size(), 3);
            QCOMPARE(felder[0].toInt(), z);
            for (int sp = 1; sp <= 2; ++sp) {
                QString zahl = felder[sp];
                QVERIFY2(!zahl.contains(trenner == ";" ? '.' : ','), qPrintable(zeilen.at(z)));
                bool ok = false;
                QCOMPARE(zahl.replace(',', '.').toDouble(&ok), *graph->wert(sp, z));
                QVERIFY(ok);
            }
        }
        const QImage png(ordner.filePath("seite2-temperatur.png"));
        QCOMPARE(png.size(), graph->viewport()->size());

        QCOMPARE(graph->bild_speichern(ordner.filePath("v.svg")), QString());
        QFile svg(ordner.filePath("v.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray vektoren = svg.readAll();
        QVERIFY(vektoren.contains("<svg") && vektoren.contains("Zeit in Sekunden"));

        const QString nirgends = ordner.filePath("fehlt/x");
        QVERIFY(!graph->daten_speichern(nirgends + ".csv").isEmpty());
        QVERIFY(!graph->bild_speichern(nirgends + ".png").isEmpty());
        QVERIFY(!graph->bild_speichern(nirgends + ".svg").isEmpty());
        QCOMPARE(QDir(ordner.path()).entryList(QDir::Files).size(), 3);
    }

    // "Bild speichern …" as PNG is what "Bild kopieren" puts on the clipboard, legend included;
    // a menu opened over the chart ends the read-out (its line and tooltip), so that none stays
    // behind once the menu has done its work, and no picture ever shows it.
    void ein_bild_fuer_alle() {
        QTemporaryDir ordner;
        shell::speicherort_fuer_tests = [&](const QString& v) { return ordner.filePath(v); };
        Seite s(2);
        Diagrammfeld* graph = s.diagramm("graph");
        QVERIFY(QTest::qWaitForWindowExposed(s.seite));
        const QPoint mitte = graph->chart()->plotArea().center().toPoint();
        QTest::mouseMove(graph->viewport(), mitte);
        QVERIFY(graph->zeiger() > 0 && s.diagramm("Leistung")->zeiger() > 0);
        QMenu* menue = menue_oeffnen(graph, mitte);
        QVERIFY(menue);
        QCOMPARE(graph->zeiger(), 0);
        QCOMPARE(s.diagramm("Leistung")->zeiger(), 0);
        QVERIFY(!QToolTip::isVisible());
        QGuiApplication::clipboard()->clear();
        eintrag(menue, "Bild kopieren")->trigger();
        eintrag(menue, "Bild speichern …")->trigger();
        menue->close();
        shell::speicherort_fuer_tests = nullptr;
        const QImage kopiert =
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
        const QImage gespeichert =
            QImage(ordner.filePath("seite2-temperatur.png")).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!kopiert.isNull());
        QCOMPARE(gespeichert, kopiert);
        const QWidget* legende = graph->findChild<QWidget*>(QStringLiteral("legende"));
        QCOMPARE(gespeichert.pixelColor(legende->geometry().topLeft()), QColor(170, 170, 170));
    }

    // Built smaller for a low screen, a page's charts still show every text whole (Qt elided
    // the time labels and title of page 2's power chart at 1024 x 600).
    void klein_gebaut_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QSize>("frei");
        for (int seite : {2, 3})
            for (const QSize frei : {QSize(1024, 600), QSize(800, 600), QSize(640, 480)})
                QTest::addRow("page %d, %dx%d", seite, frei.width(), frei.height())
                    << seite << frei;
    }
    void klein_gebaut() {
        QFETCH(int, seite);
        QFETCH(QSize, frei);
        Seite s(seite, true, frei);
        QVERIFY(s.seite->massstab() < 1);
        for (Diagrammfeld* d : s.seite->findChildren<Diagrammfeld*>()) {
            QStringList zeit;
            for (QGraphicsItem* i : d->scene()->items())
                if (auto* t = dynamic_cast<QGraphicsTextItem*>(i); t && t->isVisible()) {
                    QVERIFY2(!t->toPlainText().contains(QLatin1String("...")) &&
                                 !t->toPlainText().contains(QChar(0x2026)),
                             qPrintable(d->objectName() + ": " + t->toPlainText()));
                    if (t->sceneBoundingRect().top() >= d->chart()->plotArea().bottom())
                        zeit << t->toPlainText();
                }
            // The time labels stay, where the chart shows them at all.
            QVERIFY2(d->objectName() == "kask" || (zeit.contains("0") && zeit.size() >= 4),
                     qPrintable(d->objectName() + ": " + zeit.join(' ')));
        }
    }

    // A save dialog opens only in a folder that is still an existing, writable, ordinary one:
    // a remembered /proc once made Qt's dialog hang for good reading /proc/kmsg.
    void startordner_data() {
        QTest::addColumn<QString>("gemerkt");
        QTest::addColumn<bool>("genommen");
        QTest::newRow("scratch folder") << "*" << true;
        QTest::newRow("/proc") << "/proc" << false;
        QTest::newRow("/sys") << "/sys" << false;
        QTest::newRow("gone") << "*/fehlt" << false;
    }
    void startordner() {
        QFETCH(QString, gemerkt);
        QFETCH(bool, genommen);
        QTemporaryDir ordner;
        gemerkt.replace('*', ordner.path());
        shell::einstellungsdatei().setValue("dateien/ordner", gemerkt);
        const QString start = shell::startordner(QStandardPaths::DocumentsLocation);
        shell::einstellungsdatei().remove("dateien/ordner");
        QCOMPARE(start == gemerkt, genommen);
        QVERIFY(QFileInfo(start).isDir() && !start.startsWith("/proc") &&
                !start.startsWith("/sys"));
    }

    // Only a folder a file was saved to is remembered; a failure is said in a sentence that
    // ends with a full stop; a write that fails half-way leaves an old file whole.
    void speichern() {
        QTemporaryDir gut;
        shell::einstellungsdatei().setValue("dateien/ordner", gut.path());
        QString ziel = "/proc/seite2.pdf";
        shell::speicherort_fuer_tests = [&](const QString&) { return ziel; };
        QString meldung;
        const auto antworten = [&meldung] {
            QTimer::singleShot(0, [&meldung] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                meldung = box->text();
                box->close();
            });
        };
        const auto als_pdf = [](const QString& pfad) {
            return shell::datei_schreiben(pfad, [](QIODevice& d) { return d.write("%PDF") == 4; });
        };
        antworten();
        shell::speichern(nullptr, "t", "seite2.pdf", QStandardPaths::DocumentsLocation, "",
                         als_pdf);
        QVERIFY2(meldung.startsWith("„/proc/seite2.pdf“ konnte nicht gespeichert werden.\n\n") &&
                     meldung.endsWith('.') && !meldung.endsWith(".."),
                 qPrintable(meldung));
        QCOMPARE(shell::einstellungsdatei().value("dateien/ordner").toString(), gut.path());

        QTemporaryDir neu;
        ziel = neu.filePath("seite2.pdf");
        meldung.clear();
        antworten();
        shell::speichern(nullptr, "t", "seite2.pdf", QStandardPaths::DocumentsLocation, "",
                         als_pdf);
        shell::speicherort_fuer_tests = nullptr;
        QCOMPARE(meldung, QString());
        QCOMPARE(shell::einstellungsdatei().value("dateien/ordner").toString(), neu.path());
        shell::einstellungsdatei().remove("dateien/ordner");

        const QString grund = shell::datei_schreiben(
            ziel, [](QIODevice& d) { return d.write("%PDF-neu, halb") > 0 && false; });
        QVERIFY(!grund.isEmpty());
        QFile alt(ziel);
        QVERIFY(alt.open(QIODevice::ReadOnly));
        QCOMPARE(alt.readAll(), QByteArray("%PDF"));
        QCOMPARE(QDir(neu.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"seite2.pdf"});
    }

    // The learning aids on page 2 (runs: P-band 20 with reset time 40, then 30) and page 3:
    // switched on from a chart's menu and remembered, they show the figures the core computes
    // from the run's numbers, in a box clear of every curve, and the run before as the one it
    // was, named after its parameters; switched off, the charts are what they were, pixel for
    // pixel, and "Daten kopieren" never changes.
    void lernhilfen_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("oben");
        QTest::addColumn<QStringList>("felder"); // name=text, each followed by "Start Grafik"
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("unterschied"); // what the legend says of the run before
        QTest::newRow("page 2, PI")
            << 2 << "graph" << QStringList{"xp1=20", "tn1=40", "xp1=30"}
            << "Sollwert = 50 °C, P-Band = 20 K, Nachlaufzeit = 40 s, Vorhaltzeit = 0 s"
            << "P-Band = 20 K";
        QTest::newRow("page 2, on/off, 100")
            << 2 << "graph" << QStringList{"w1=80", "w1=30"}
            << "Sollwert = 80 °C, P-Band = 0 K, Nachlaufzeit = 0 s, Vorhaltzeit = 0 s"
            << "Sollwert = 80 °C";
        QTest::newRow("page 3") << 3 << "kask" << QStringList{"maxdiff=50", "v1=3"}
                                << "Sollwert = 50 °C, Verstärkung = 1, Nachlauf. 1 = 0 s, "
                                   "Vorhalt. 1 = 0 s, P-Band 2 = 0 K, Vorhalt. 2 = 0 s, "
                                   "Max.Diff = 50 K"
                                << "Verstärkung = 1";
    }
    void lernhilfen() {
        QFETCH(int, seite);
        QFETCH(QString, oben);
        QFETCH(QStringList, felder);
        QFETCH(QString, vorher);
        QFETCH(QString, unterschied);
        const LernhilfenAus aus;
        Seite s(seite);
        auto charts = s.seite->findChildren<Diagrammfeld*>();
        charts.removeIf([](Diagrammfeld* d) { return d->objectName() == "pid33"; });
        Diagrammfeld* d = s.diagramm(oben);
        QHash<Diagrammfeld*, QList<QList<QPointF>>> davor; // the curves before the last run
        for (const QString& f : felder) {
            for (Diagrammfeld* c : charts)
                for (int r = 1; r <= c->spaltenzahl(); ++r)
                    davor[c] << c->punkte(r);
            s.feld(f.section('=', 0, 0))->setText(f.section('=', 1));
            s.klick("start");
        }
        const auto bilder = [&] {
            QList<QImage> b;
            for (Diagrammfeld* c : charts)
                b << c->grab().toImage();
            return b;
        };
        const QList<QImage> aus_bilder = bilder();
        const QString daten = d->daten_text(), beschreibung = d->accessibleDescription();
        const double breite_aus = d->chart()->plotArea().width();
        QVERIFY(!d->kennwerte() && d->vorher_name().isEmpty());

        QMenu* menue = menue_oeffnen(d);
        QVERIFY(menue);
        for (QAction* a : menue->actions())
            if (a->isCheckable()) a->trigger();
        menue->close();
        QVERIFY(Lernhilfen::einstellungen().kennwerte() &&
                Lernhilfen::einstellungen().vorheriger_lauf());
        const QSettings gespeichert(QStringLiteral("norva"), QStringLiteral("regler"));
        QVERIFY(gespeichert.value("lernhilfen/kennwerte").toBool() &&
                gespeichert.value("lernhilfen/vorheriger_lauf").toBool());

        // The figures from the numbers of the last run.
        std::vector<double> ist;
        for (int z = 1; z <= d->zeilenzahl(); ++z)
            ist.push_back(*d->wert(2, z));
        const double w = *d->wert(1, 1);
        const sim::kennwerte k = sim::kennwerte_berechnen(w, ist);
        QVERIFY(d->kennwerte());
        const sim::kennwerte& gezeigt = d->kennwerte()->k;
        QCOMPARE(gezeigt.ueberschwingen_k, k.ueberschwingen_k);
        QCOMPARE(gezeigt.schwingungsdauer_s, k.schwingungsdauer_s);
        QCOMPARE(gezeigt.ausregelzeit_s, k.ausregelzeit_s);
        QCOMPARE(gezeigt.bleibende_abweichung_k, k.bleibende_abweichung_k);
        QCOMPARE(d->kennwerte()->spitzen, sim::spitzen(ist));
        // Shown where measured, summed up above the plot: the plot keeps its width.
        QVERIFY(d->chart()->plotArea().width() >= 0.9 * breite_aus);
        QCOMPARE(d->kopf().kennwerte, shell::kennwert_zeilen(k, shell::zahlformat()));
        QVERIFY(!d->marken_pixel().empty());
        for (const auto& [von, bis] : d->marken_pixel())
            QVERIFY(d->chart()->plotArea().adjusted(-1, -1, 1, 1).contains(von));
        QVERIFY(d->accessibleDescription().contains(
            shell::kennwert_zeilen(k, shell::zahlformat()).join("; ")));

        // The run before: named, drawn as it ran, and in the read-out.
        for (Diagrammfeld* c : charts) {
            QCOMPARE(c->vorher_name(), vorher);
            const auto& erwartet = davor[c].mid(davor[c].size() - c->spaltenzahl());
            for (int r = 1; r <= c->spaltenzahl(); ++r)
                QCOMPARE(c->vorher_punkte(r), erwartet.at(r - 1));
        }
        // The legend above the plot and right of its left edge, where the top value label is.
        const QRectF plot = d->chart()->plotArea();
        const QWidget* legende = d->findChild<QWidget*>("legende");
        QVERIFY(d->rect().contains(legende->geometry()));
        QVERIFY(legende->geometry().bottom() < plot.top() && legende->x() >= plot.left() - 1);
        QVERIFY(d->kopf().kennwerte.isEmpty() || d->kopf().ursprung.y() >= 0);
        QStringList eintraege;
        for (const auto& e : d->kopf().legende)
            eintraege << e.text;
        QVERIFY2(eintraege.join(' ').endsWith("vorher: " + unterschied),
                 qPrintable(eintraege.join(' ')));
        QCOMPARE(d->kopf().legende.at(d->spaltenzahl()).stifte.size(), size_t(d->spaltenzahl()));
        d->zeiger_zeigen(20);
        QVERIFY2(d->ablesung().contains("\nvorher: " + vorher + " · "), qPrintable(d->ablesung()));
        d->zeiger_zeigen(0);
        QCOMPARE(d->daten_text(), daten);

        LernhilfenAus::schalten(false, false);
        QCOMPARE(bilder(), aus_bilder);
        QCOMPARE(d->accessibleDescription(), beschreibung);
        QCOMPARE(d->daten_text(), daten);
    }
};

QTEST_MAIN(TestDiagrammfeld)
#include "test_diagrammfeld.moc"
