// The chart panels at the screen: the read-out by mouse and keys and what a screen reader hears,
// the picture that stays what a fresh paint shows, files and the clipboard, the menu's switches
// and method 2 on the heating curve. What the charts draw is the core's (test_darstellung);
// here, that the desktop shows it and does what it says.
#include "anzeige_malen.h"
#include "dateien.h"
#include "kennwerte.h"
#include "protokoll.h"
#include "seitentest.h"
#include "texte.h"
#include "zahlen.h"

#include <QAbstractFileIconProvider>
#include <QAccessible>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPicture>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

using shell::Diagrammfeld;

const QStringList menue_eintraege{
    "Bild kopieren",    "Daten kopieren",         "Bild speichern …", "Daten speichern …",
    "Kennwerte zeigen", "Vorherigen Lauf zeigen", "Projektoransicht", "Versuchsprotokoll …"};

class TestDiagrammfeld : public QObject {
    Q_OBJECT
private slots:
    void init() { // whatever a failed test left
        QLocale::setDefault(QLocale::c());
        shell::speicherort_fuer_tests = nullptr;
    }

    // Every chart in a page's tab order (the heating curve too) reads out by keys, on all charts of
    // its group: Left, Right by a second (Shift: ten), Home, End. A screen reader hears its name,
    // keys and menu on focus, at each step the second and values (the run before's too), the second
    // as its value; Shift+F10 opens the menu; the focus frame shows, ending above the chart below.
    void ablesen_mit_tasten_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("name");
        using K = QList<int>; // key codes, Shift as a negative code
        QTest::addColumn<K>("tasten");
        QTest::addColumn<int>("zeile");
        QTest::newRow("kask shift+right") << 3 << "kask" << K{Qt::Key_Right, -Qt::Key_Right} << 11;
        QTest::newRow("kask end shift+left") << 3 << "kask" << K{Qt::Key_End, -Qt::Key_Left} << 190;
        QTest::newRow("pid33 end left") << 3 << "pid33" << K{Qt::Key_End, Qt::Key_Left} << 29;
        QTest::newRow("graph home left") << 2 << "graph" << K{Qt::Key_Home, Qt::Key_Left} << 1;
    }
    void ablesen_mit_tasten() {
        QFETCH(int, seite);
        QFETCH(QString, name);
        QFETCH(QList<int>, tasten);
        QFETCH(int, zeile);
        const LernhilfenAus aus(false, true);
        Seite s(seite);
        s.klick("start"); // a run before
        Diagrammfeld* d = s.diagramm(name);
        QVERIFY(QTest::qWaitForWindowActive(s.seite));
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(d);
        const QString eigen = QString::fromStdString(d->kern().name());
        const QImage ohne_fokus = d->grab().toImage();
        d->setFocus(Qt::TabFocusReason);
        QVERIFY(d->grab().toImage() != ohne_fokus);
        for (QString e : menue_eintraege)
            QVERIFY2(zugang->text(QAccessible::Description).contains(e.remove(" …")),
                     qPrintable(e));
        for (int t : tasten)
            QTest::keyClick(d, Qt::Key(std::abs(t)), t < 0 ? Qt::ShiftModifier : Qt::NoModifier);
        for (const Diagrammfeld* g : d->gruppe()->felder)
            QCOMPARE(g->zeiger(), zeile);
        QCOMPARE(zugang->text(QAccessible::Name), eigen);
        const QString gesagt = zugang->text(QAccessible::Description);
        QVERIFY2(gesagt.startsWith(QStringLiteral("t = %1 s · ").arg(zeile)) &&
                     gesagt.contains(QStringLiteral("vorher: ")) == d->kern().art().vergleich,
                 qPrintable(gesagt));
        QCOMPARE(zugang->valueInterface()->currentValue().toInt(), zeile);
        // The frame ends above the chart below it in the page.
        const auto& rahmen = d->kern().liste().oben.back();
        for (const Diagrammfeld* g : d->gruppe()->felder)
            if (g->y() > d->y()) QVERIFY(d->y() + rahmen.punkte[1].y <= g->y());
        QTest::keyClick(d, Qt::Key_F10, Qt::ShiftModifier);
        auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menue);
        QVERIFY(eintraege(menue).contains(QStringLiteral("Kennwerte zeigen")));
        QCOMPARE(d->zeiger(), 0); // the menu ends the read-out (no pointer left it here)
        menue->close();
    }

    // A chart shows what it holds, not the runs before: after each run of a sequence whose value
    // axes widen, narrow and take wider labels ("1000", "-100"), every chart's list is the one of
    // a page opened for that run alone, the screen's picture is a fresh paint of it, and the
    // plots of a time-axis group begin and end at the same pixel column.
    void wie_frisch_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("laeufe"); // split at '|'
        QTest::newRow("page 2") << 2 << "w1=100|w1=999|w1=30 xp1=5|w1=999|w1=50 xp1=0";
        QTest::newRow("page 3") << 3 << "v1=3|v1=0.5|w1=99 v1=3 tn1=20|w1=30 v1=1|v1=2.5 maxdiff=8";
    }
    void wie_frisch() {
        QFETCH(int, seite);
        QFETCH(QString, laeufe);
        LernhilfenAus aus;
        Seite folge(seite);
        QString felder; // as they stand after each run
        for (const QString& lauf : laeufe.split('|')) {
            folge.laufen(lauf);
            Seite frisch(seite);
            frisch.laufen(felder += QLatin1Char(' ') + lauf);
            for (Diagrammfeld* d : folge.seite->findChildren<Diagrammfeld*>()) {
                const QString wo = lauf + QLatin1Char(' ') + d->objectName();
                QVERIFY2(d->kern().liste() == frisch.diagramm(d->objectName())->kern().liste(),
                         qPrintable(wo));
                QVERIFY2(frisch_gemalt(d), qPrintable(wo));
                const auto kanten = [](Diagrammfeld* g) {
                    const double x = g->mapTo(g->window(), QPoint(0, 0)).x();
                    return std::pair{x + g->kern().plot().x, x + g->kern().plot().rechts()};
                };
                for (Diagrammfeld* g : d->gruppe()->felder)
                    QVERIFY2(kanten(g) == kanten(d), qPrintable(wo));
            }
        }
    }

    // On screen a thick curve is painted piece by piece; it must cover what the same curve as one
    // line covers (on paper it stays one): a wave, a level line turning back, repeated points.
    void stuecke_wie_linie_data() {
        QTest::addColumn<QPolygonF>("zug");
        QPolygonF welle;
        for (int i = 0; i < 200; ++i)
            welle << QPointF(5 + i * 2.4, 30 + 20 * std::sin(i / 9.0));
        QTest::newRow("wave") << welle;
        QTest::newRow("level, back, down")
            << QPolygonF{{5, 20}, {30, 20}, {60, 20}, {20, 20}, {20, 50}};
        QTest::newRow("repeated, short")
            << QPolygonF{{10, 10}, {10, 10}, {50, 30}, {50, 30}, {51, 30.5}};
    }
    void stuecke_wie_linie() {
        QFETCH(QPolygonF, zug);
        darstellung::element e;
        for (const QPointF& q : zug)
            e.punkte.push_back({q.x(), q.y()});
        QImage stuecke(500, 60, QImage::Format_RGB32), linie(stuecke.size(), stuecke.format());
        QPicture vektoren; // records the curve as one line
        for (QPaintDevice* ziel : {(QPaintDevice*)&stuecke, (QPaintDevice*)&vektoren}) {
            QPainter p(ziel);
            p.setRenderHint(QPainter::Antialiasing);
            if (ziel == &stuecke) p.fillRect(stuecke.rect(), Qt::white);
            shell::anzeige_malen(p, {.stile = {{.f = {200, 0, 0}, .breite = 1.5}}}, {e});
        }
        linie.fill(Qt::white);
        QPainter(&linie).drawPicture(0, 0, vektoren);
        int schlimmste = 0, mehr = 0, tinte = 0; // green channel
        for (int i = 0; i < 500 * 60; ++i) {
            const int l = qGreen(linie.pixel(i % 500, i / 500));
            schlimmste =
                std::max(schlimmste, std::abs(l - qGreen(stuecke.pixel(i % 500, i / 500))));
            mehr += l - qGreen(stuecke.pixel(i % 500, i / 500)), tinte += 255 - l;
        }
        // Only the fringe differs: where pieces overlap at a bend it is a little darker.
        QVERIFY2(schlimmste <= 100 && std::abs(mehr) <= tinte / 8,
                 qPrintable(QStringLiteral("%1 %2 of %3").arg(schlimmste).arg(mehr).arg(tinte)));
    }

    // Page 2's curves at the screen and in files, in the user's format: the cursor follows the
    // mouse on both charts, the tooltip gives the time and every series (staying while the mouse
    // rests); a menu over the chart, or leaving it, ends the read-out. "Daten kopieren" copies the
    // grid as tab-separated text; the CSV, saved from the menu under the proposed name, opens in a
    // spreadsheet of that format, every number reading back as its cell; the PNG, at twice the
    // screen's resolution, is what "Bild kopieren" takes; the SVG, in vectors, says what the chart
    // shows (not how its keys work); a write that cannot succeed says why and leaves no file.
    void dateien_data() {
        QTest::addColumn<QString>("sprache");
        QTest::addColumn<char>("trenner");
        QTest::addColumn<QString>("ist"); // at 26 s
        QTest::newRow("de") << "de_DE" << ';' << "66,28";
        QTest::newRow("C") << "C" << ',' << "66.28";
    }
    void dateien() {
        QFETCH(QString, sprache);
        QFETCH(char, trenner);
        QFETCH(QString, ist);
        QLocale::setDefault(QLocale(sprache));
        QTemporaryDir ordner;
        QStringList vorschlaege;
        shell::speicherort_fuer_tests = [&](const QString& v) {
            vorschlaege << v;
            return ordner.filePath(v);
        };
        Seite s(2);
        Diagrammfeld* graph = s.diagramm("graph");
        Diagrammfeld* leistung = s.diagramm("Leistung");
        QVERIFY(QTest::qWaitForWindowExposed(s.seite));
        const QPoint wo(int(graph->kern().spalte_x(26)), int(graph->kern().plot().y) + 10);
        QTest::mouseMove(graph, wo);
        QCOMPARE(leistung->zeiger(), 26);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), "t = 26 s · Soll 50 °C · Ist " + ist + " °C · Leistung 0 %");
        QHelpEvent ruht(QEvent::ToolTip, wo, graph->mapToGlobal(wo));
        QApplication::sendEvent(graph, &ruht);
        QTest::qWait(300);
        QVERIFY(QToolTip::isVisible());
        QMenu* menue = menue_oeffnen(graph, wo);
        QCOMPARE(eintraege(menue), menue_eintraege);
        QCOMPARE(graph->zeiger(), 0);
        QCOMPARE(leistung->zeiger(), 0);
        QVERIFY(!QToolTip::isVisible());
        QGuiApplication::clipboard()->clear();
        eintrag(menue, "Daten kopieren")->trigger();
        const auto tsv = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(tsv.size(), 201);
        QCOMPARE(tsv.first(), QStringLiteral("t in s\tSoll\tIst"));
        QVERIFY2(tsv.at(26).startsWith("26\t50\t" + ist), qPrintable(tsv.at(26)));
        for (const char* e : {"Daten speichern …", "Bild speichern …", "Bild kopieren"})
            eintrag(menue, e)->trigger();
        menue->close();
        QTest::mouseMove(graph, wo + QPoint(0, 5));
        QTRY_VERIFY(leistung->zeiger() > 0);
        QEvent weg(QEvent::Leave);
        QApplication::sendEvent(graph, &weg);
        QCOMPARE(leistung->zeiger(), 0);
        QCOMPARE(vorschlaege, (QStringList{"seite2-temperatur.csv", "seite2-temperatur.png"}));

        const QByteArray inhalt = datei_inhalt(ordner.filePath("seite2-temperatur.csv"));
        QVERIFY(inhalt.startsWith("\xEF\xBB\xBF"));
        const auto zeilen = QString::fromUtf8(inhalt.mid(3)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(zeilen.size(), 201);
        for (int z = 1; z <= 200; ++z)
            for (int sp = 1; sp <= 2; ++sp) {
                QString zahl = zeilen.at(z).section(trenner, sp, sp);
                QVERIFY2(!zahl.contains(trenner == ';' ? '.' : ','), qPrintable(zeilen.at(z)));
                QCOMPARE(zahl.replace(',', '.').toDouble(), *graph->wert(sp, z));
            }
        const QImage png(ordner.filePath("seite2-temperatur.png"));
        QCOMPARE(png.size(), graph->size() * 2 * std::max(1.0, graph->devicePixelRatioF()));
        QImage kopiert = QGuiApplication::clipboard()->image();
        kopiert.setDevicePixelRatio(png.devicePixelRatio());
        QCOMPARE(png.convertToFormat(QImage::Format_ARGB32),
                 kopiert.convertToFormat(QImage::Format_ARGB32));

        QCOMPARE(graph->bild_speichern(ordner.filePath("v.svg")), QString());
        const QString vektoren = QString::fromUtf8(datei_inhalt(ordner.filePath("v.svg")));
        QVERIFY(vektoren.contains("<svg") && vektoren.contains("Zeit in Sekunden") &&
                vektoren.contains("<desc>°C über Zeit in Sekunden: Soll, Ist</desc>") &&
                !vektoren.contains("Pfeiltasten"));

        const QString nirgends = ordner.filePath("fehlt/x");
        QVERIFY(!graph->daten_speichern(nirgends + ".csv").isEmpty());
        QVERIFY(!graph->bild_speichern(nirgends + ".png").isEmpty());
        QVERIFY(!graph->bild_speichern(nirgends + ".svg").isEmpty());
        QCOMPARE(QDir(ordner.path()).entryList(QDir::Files).size(), 3);
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
        QTemporaryDir ordner;
        gemerkt.replace('*', ordner.path());
        shell::einstellungsdatei().setValue("dateien/ordner", gemerkt);
        const QString start = shell::startordner(QStandardPaths::DocumentsLocation);
        shell::einstellungsdatei().remove("dateien/ordner");
        QTEST(start == gemerkt, "genommen");
        QVERIFY(QFileInfo(start).isDir() && !start.startsWith("/proc") &&
                !start.startsWith("/sys"));
    }

    // Only a folder a file was saved to is remembered; a failure is said in a sentence that
    // ends with a full stop; a write that fails half-way leaves an old file whole. The dialog
    // itself opens and closes without a warning (its icons once were null pixmaps).
    void speichern() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("null pixmap")));
        bool symbole = false; // a folder's and a file's, as the dialog lists them
        QTimer::singleShot(300, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                const auto* typen = d->iconProvider();
                symbole = typen && !typen->icon(QFileInfo(QDir::tempPath())).isNull() &&
                          !typen->icon(QFileInfo(QCoreApplication::applicationFilePath())).isNull();
                d->close();
            }
        });
        QCOMPARE(shell::oeffnen(nullptr, "t", QStandardPaths::TempLocation, "CSV (*.csv)"),
                 QString());
        QVERIFY(symbole);
        QTemporaryDir gut;
        shell::einstellungsdatei().setValue("dateien/ordner", gut.path());
        QString ziel = "/proc/seite2.pdf";
        shell::speicherort_fuer_tests = [&](const QString&) { return ziel; };
        QString meldung;
        const auto als_pdf = [&](const QString& pfad) {
            return shell::datei_schreiben(pfad, [](QIODevice& d) { return d.write("%PDF") == 4; });
        };
        const auto speichern = [&] {
            meldung.clear();
            im_dialog<QMessageBox>(
                [&] {
                    shell::speichern(nullptr, "t", "seite2.pdf", QStandardPaths::DocumentsLocation,
                                     "", als_pdf);
                },
                [&](QMessageBox* box) { meldung = box->text(), box->close(); });
        };
        speichern();
        QVERIFY2(meldung.startsWith("„/proc/seite2.pdf“ konnte nicht gespeichert werden.\n\n") &&
                     meldung.endsWith('.') && !meldung.endsWith(".."),
                 qPrintable(meldung));
        QCOMPARE(shell::einstellungsdatei().value("dateien/ordner").toString(), gut.path());

        QTemporaryDir neu;
        ziel = neu.filePath("seite2.pdf");
        speichern();
        shell::speicherort_fuer_tests = nullptr;
        QCOMPARE(meldung, QString());
        QCOMPARE(shell::einstellungsdatei().value("dateien/ordner").toString(), neu.path());
        shell::einstellungsdatei().remove("dateien/ordner");

        const QString grund = shell::datei_schreiben(
            ziel, [](QIODevice& d) { return d.write("%PDF-neu, halb") > 0 && false; });
        QVERIFY(!grund.isEmpty());
        QCOMPARE(datei_inhalt(ziel), QByteArray("%PDF"));
        QCOMPARE(QDir(neu.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"seite2.pdf"});
    }

    // The menu's switches on page 2 (runs: P-band 20, reset time 40, then 30) and page 3, turned on
    // from one chart's menu, for all charts and remembered: the core's figures of the run, the run
    // before as it ran, named in the legend, the projector's window around the set-point; switched
    // off, the charts are as they were, pixel for pixel; "Daten kopieren" never changes.
    void lernhilfen_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("oben");
        QTest::addColumn<QStringList>("felder");  // name=text, each followed by "Start Grafik"
        QTest::addColumn<QString>("unterschied"); // what the legend says of the run before
        QTest::newRow("page 2, PI")
            << 2 << "graph" << QStringList{"xp1=20 tn1=40", "xp1=30"} << "P-Band = 20 K";
        QTest::newRow("page 3") << 3 << "kask" << QStringList{"maxdiff=50", "v1=3"}
                                << "Verstärkung = 1";
    }
    void lernhilfen() {
        QFETCH(int, seite);
        QFETCH(QString, oben);
        QFETCH(QStringList, felder);
        QFETCH(QString, unterschied);
        const LernhilfenAus aus;
        Seite s(seite);
        auto charts = s.seite->findChildren<Diagrammfeld*>();
        charts.removeIf([](Diagrammfeld* d) { return d->objectName() == "pid33"; });
        Diagrammfeld* d = s.diagramm(oben);
        for (const QString& f : felder.first(felder.size() - 1))
            s.laufen(f);
        std::vector<std::vector<double>> davor; // the cells before the last run
        for (int r = 1; r <= d->spaltenzahl(); ++r)
            davor.push_back(spalte(d, r));
        s.laufen(felder.last());
        const auto bilder = [&] {
            QList<QImage> b;
            for (Diagrammfeld* c : charts)
                b << c->grab().toImage();
            return b;
        };
        const QList<QImage> aus_bilder = bilder();
        const QString daten = d->daten_text(), beschreibung = d->accessibleDescription();
        QVERIFY(!d->kern().kennwerte() && d->kern().verglichen().empty());

        QMenu* menue = menue_oeffnen(d);
        for (const char* e : {"Kennwerte zeigen", "Vorherigen Lauf zeigen"})
            eintrag(menue, e)->trigger();
        menue->close();

        const sim::kennwerte k = sim::kennwerte_berechnen(*d->wert(1, 1), spalte(d, 2));
        QVERIFY(d->kern().kennwerte());
        QCOMPARE(d->kern().kennwerte()->k, k);
        QVERIFY(d->accessibleDescription().contains(
            QString::fromStdString(darstellung::kennwert_zeilen(k, ".")[0])));
        QCOMPARE(d->kern().verglichen().size(), size_t(1));
        QCOMPARE(d->kern().verglichen()[0]->spalten, davor);
        QVERIFY2(texte(d).join(' ').contains("vorher: " + unterschied),
                 qPrintable(texte(d).join(' ')));
        QCOMPARE(d->daten_text(), daten);

        // The projector's view: a window around the set-point, the curves clipped to it.
        const double w = *d->wert(1, 1), spitze = w + k.ueberschwingen_k.value_or(0);
        const double spanne = d->kern().achse().bis - d->kern().achse().von;
        shell::Lernhilfen::einstellungen().projektor_zeigen(true);
        const auto& a = d->kern().achse();
        QVERIFY(a.von < w && spitze < a.bis && a.bis - a.von <= spanne);
        const QSettings gespeichert(QStringLiteral("norva"), QStringLiteral("regler"));
        for (const char* hilfe : {"kennwerte", "vorheriger_lauf", "projektor"})
            QVERIFY2(gespeichert.value(QStringLiteral("lernhilfen/") + hilfe).toBool(), hilfe);

        LernhilfenAus::schalten(false, false);
        QCOMPARE(bilder(), aus_bilder);
        QCOMPARE(d->accessibleDescription(), beschreibung);
    }

    // Method 2 on page 3's heating curve: with the figures on, it shows the proposal from its own
    // curve in its head; "Vorschlag übernehmen" types it into page 2's fields and runs it.
    void methode_2() {
        const LernhilfenAus aus;
        Seite s(3);
        Diagrammfeld* d = s.diagramm("pid33");
        QMenu* menue = menue_oeffnen(d);
        QVERIFY(!eintrag(menue, "Vorschlag übernehmen")->isEnabled());
        menue->close();
        LernhilfenAus::schalten(true, false);
        // Worked by hand from K = 46.8 K and L = 9.6 s (regler-sim aufheizkurve --tangente).
        QCOMPARE(d->kern().kopftexte(),
                 (std::vector<std::string>{"P-Band = 0.85 × 46.8 K = 39.8 K",
                                           "Nachlaufzeit = 2 × 9.6 s = 19.2 s",
                                           "Vorhaltzeit = 0.5 × 9.6 s = 4.8 s"}));
        menue = menue_oeffnen(d);
        eintrag(menue, "Vorschlag übernehmen")->trigger();
        menue->close();
        shell::Seitenfenster* zwei = s.nav.seite(2);
        QVERIFY(zwei);
        const auto text = [zwei](const char* id) {
            return zwei->element<shell::Zahlenfeld>(id)->text();
        };
        QCOMPARE(text("xp1") + " " + text("tn1") + " " + text("tv1"), QStringLiteral("40 19 5"));
        QCOMPARE(s.nav.protokoll().zeilen().back().seite, 2);
    }
};

QTEST_MAIN(TestDiagrammfeld)
#include "test_diagrammfeld.moc"
