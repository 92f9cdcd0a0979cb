// Pages 2 and 3 as a user drives them: every cell of a run is the core's own run of the values
// the fields read as (so that no field reaches the wrong parameter), on load and on
// "Start Grafik"; fields above their limits are held at them; a field that is not a number starts
// no run; each field's keys, lengths and limits as its page states them.
#include "dateien.h"
#include "kaskade.h"
#include "pid.h"
#include "piep.h"
#include "protokoll.h"
#include "seite_3.h"
#include "seitenlaeufe.h"
#include "seitentest.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <set>

namespace {

// The page's charts against the core's run with the values `w` (page 2: w xp tn tv; page 3:
// w1 v1 tn1 tv1 xp2 tv2 maxdiff), cell for cell, bit for bit.
struct Vergleich {
    const QWidget* s;
    QString fehler;
    void pruefen(const char* name, int spalte, int i, double soll) {
        const auto* d = s->findChild<shell::Diagrammfeld*>(QString::fromLatin1(name));
        if (const auto ist = d->wert(spalte, i); fehler.isEmpty() && (!ist || *ist != soll))
            fehler = QString::asprintf("%s column %d row %d: %.17g, not %.17g", name, spalte, i,
                                       ist.value_or(qQNaN()), soll);
    }
    void zeile(const sim::pid_zeile& z) {
        pruefen("graph", 2, z.i, z.milch);
        pruefen("Leistung", 1, z.i, z.y);
    }
    void zeile(const sim::kaskaden_zeile& z) {
        pruefen("kask", 2, z.i, z.x1);
        pruefen("kask", 3, z.i, z.w2);
        pruefen("kask", 4, z.i, z.x2);
        pruefen("leistung", 1, z.i, z.y);
    }
    void zeile(const sim::aufheiz_zeile& z) { pruefen("pid33", 1, z.i, z.istwert); }
    void ende() {}
};

QString wie_der_kern(const QWidget* s, const QList<double>& w) {
    Vergleich v{s, {}};
    if (w.size() == 4) {
        sim::pid_lauf(sim::pid_parameter_bilden({w[0], w[1], w[2], w[3]}), 200, v);
    } else {
        sim::kaskaden_lauf(
            sim::kaskaden_parameter_bilden({w[0], w[1], w[2], w[3], w[4], w[5], w[6]}), 200, v);
        sim::aufheiz_lauf(30, v);
    }
    for (int i = 1; i <= 200; ++i) // the set-point
        v.pruefen(w.size() == 4 ? "graph" : "kask", 1, i, w[0]);
    return v.fehler;
}

} // namespace

class TestSeiten : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Keys typed into emptied fields, then "Start Grafik": each field keeps to its length, takes
    // the separator only in v1 (in the user's format, a typed point as its comma) and to its limit
    // (checked on the text before each key's character, and at the start), each refusal or
    // replacement beeping; the run takes each field's value for its own parameter. A field not read
    // as a number starts no run: one beep, that field focused, its text selected, no cell changed.
    void start_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("tasten"); // name=keys, each field emptied first
        QTest::addColumn<QString>("danach"); // name=text after the start
        QTest::addColumn<int>("pieps");
        QTest::addColumn<QList<double>>("werte"); // the run's; none: no run
        const auto zeile = [](const char* name, int seite, const char* tasten, const char* danach,
                              int pieps, const QList<double>& werte) {
            QTest::newRow(name) << seite << QString(tasten) << QString(danach) << pieps << werte;
        };
        // clang-format off
        zeile("page 2, every field",     2, "w1=73 xp1=35 tn1=60 tv1=12", "", 0, {73, 35, 60, 12});
        zeile("page 2, lengths",         2, "w1=0000 xp1=99999 tn1=9.5 tv1=1234", "w1=000 xp1=9999 tn1=95 tv1=123", 1, {0, 9999, 95, 123});
        zeile("page 3, every field",     3, "w1=73 v1=2.5 tn1=25 tv1=5 xp2=12 tv2=3 maxdiff=60", "", 0, {73, 2.5, 25, 5, 12, 3, 60});
        zeile("page 3, lengths",         3, "w1=00000 tn1=9.8765 tv1=987 xp2=-9876 tv2=9\b87", "w1=0000 tn1=9876 tv1=98 xp2=987 tv2=98", 3, {0, 1, 9876, 98, 987, 98, 0});
        zeile("page 3, limits",          3, "w1=150 v1=100 maxdiff=150", "w1=99.9 v1=9.9 maxdiff=100", 3, {99.9, 9.9, 0, 0, 0, 0, 100});
        zeile("page 3, at the limits",   3, "v1=9.9 maxdiff=100", "v1=9.9 maxdiff=100", 0, {50, 9.9, 0, 0, 0, 0, 100});
        zeile("page 3, 050 and gain 0",  3, "w1=050 v1=0", "w1=050 v1=0", 0, {50, 0, 0, 0, 0, 0, 0});
        zeile("German: gain point",      3, "v1=1.6", "v1=1,6", 0, {50, 1.6, 0, 0, 0, 0, 0});
        zeile("German: gain limit",      3, "v1=123", "v1=9,9", 1, {50, 9.9, 0, 0, 0, 0, 0});
        zeile("page 2, set-point empty", 2, "xp1=5 w1=", "", 1, {});
        zeile("page 3, lone point",      3, "v1=.", "", 1, {});
        // clang-format on
    }
    void start() {
        QFETCH(int, seite);
        QFETCH(QString, tasten);
        QFETCH(QString, danach);
        QFETCH(QList<double>, werte);
        if (QString(QTest::currentDataTag()).startsWith("German: "))
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Seite s(seite);
        const QList<double> zellen = s.zellen();
        const int vorher = shell::piep_zaehler();
        for (const auto& [name, text] : paare(tasten)) {
            s.feld(name)->clear();
            tippen(s.feld(name), text);
        }
        s.klick("start");
        QTEST(shell::piep_zaehler() - vorher, "pieps");
        for (const auto& [name, text] : paare(danach))
            QCOMPARE(s.feld(name)->text(), text);
        if (werte.isEmpty()) {
            const auto [name, text] = paare(tasten).last();
            QVERIFY(s.zellen() == zellen);
            QCOMPARE(s.seite->focusWidget(), s.feld(name));
            QCOMPARE(s.feld(name)->selectedText(), text);
            return;
        }
        QCOMPARE(wie_der_kern(s.seite, werte), QString());
    }

    // The lab notebook after the stability-limit exercise (P-band 5 to 30 on page 2, after the load
    // run): one row per run, the fields as run and the core's figures of the run. Method 1 finds
    // the stability limit at P-band 20 (period 35.5 s; at 30 K the swing dies away) and its
    // proposal (34 K, 18 s, 4 s) is taken over into page 2 and run. On paper: a PDF, A4 across,
    // whose text pdftotext reads, the rows in the table's order. A row chosen draws exactly that
    // run as the one to compare with, named by its number; "Lauf wiederholen" runs it again; rows
    // compared at once are dashed each in a tone of its own, named with what they differ in. The
    // window comes back on the screen and zooms with the pages; saved and read back in a German and
    // an English format the notebook gives the same rows; a file that is not one changes nothing.
    void protokoll() {
        Seite s(2);
        const QList<double> baender{5, 10, 15, 20, 30};
        for (double xp : baender)
            s.laufen(QStringLiteral("xp1=%1").arg(xp));
        shell::Protokoll& p = s.nav.protokoll();
        QCOMPARE(p.rowCount(), 1 + baender.size());
        // The figures of the run shown (the rows before feed method 1 below); page 3's of actual
        // value 1 against set-point 1.
        QCOMPARE(p.zeilen().back().k, sim::kennwerte_berechnen(50, spalte(s.diagramm("graph"), 2)));
        Seite drei(3);
        QCOMPARE(drei.nav.protokoll().zeilen().back().k,
                 sim::kennwerte_berechnen(50, spalte(drei.diagramm("kask"), 2)));

        auto* fenster = s.nav.protokoll_zeigen();
        auto* tabelle = fenster->tabelle();
        // (What the aid says, from which row: test_darstellung; here, that its proposal runs.)
        QVERIFY(im_dialog<QMessageBox>(
            [&] { fenster->findChild<QPushButton*>(QStringLiteral("einstellhilfe"))->click(); },
            [&](QMessageBox* m) {
                for (QAbstractButton* b : m->buttons())
                    if (b->text() == QStringLiteral("Übernehmen")) b->click();
            }));
        QCOMPARE(s.feld("xp1")->text() + s.feld("tn1")->text() + s.feld("tv1")->text(),
                 QStringLiteral("34184"));
        QCOMPARE(p.zeilen().back().werte[1].wert, 34.0);

        QTemporaryDir ordner;
        const QString pdf = ordner.filePath(QStringLiteral("v.pdf"));
        shell::speicherort_fuer_tests = [&](const QString&) { return pdf; };
        tabelle->sortByColumn(4, Qt::DescendingOrder); // by P-band, down
        fenster->als_pdf_speichern();
        shell::speicherort_fuer_tests = nullptr;
        QVERIFY(datei_inhalt(pdf).contains("/MediaBox [0 0 842")); // A4 across
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
        if (!text.waitForFinished(20000)) QSKIP("pdftotext missing (poppler-utils)");
        const QString t = QString::fromUtf8(text.readAllStandardOutput());
        const auto zeile = [&t](int nr, int xp) { // the row of run `nr`, at P-band `xp`
            const auto muster = QStringLiteral("\\b%1\\s+\\d+\\s+2\\s+50\\s+%2\\b").arg(nr).arg(xp);
            return t.indexOf(QRegularExpression(muster));
        };
        QVERIFY2(t.contains(QStringLiteral("Versuchsprotokoll vom")) && zeile(7, 34) < zeile(1, 0),
                 qPrintable(t));

        // Sorted by the period, as a learner looks for the stability limit, up and then down.
        QHeaderView* kopf = tabelle->horizontalHeader();
        QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {},
                          QPoint(kopf->sectionViewportPosition(16) + 10, kopf->height() / 2));
        QCOMPARE(kopf->sortIndicatorSection(), 16);
        const auto* sortiert = tabelle->model();
        QCOMPARE(sortiert->headerData(16, Qt::Horizontal).toString(),
                 QStringLiteral("Schwingungsdauer\nin s"));
        for (const bool auf : {true, false}) {
            if (!auf) tabelle->sortByColumn(16, Qt::DescendingOrder);
            const auto f = fenster->folge();
            for (size_t i = 1; i < f.size(); ++i)
                QVERIFY(
                    !darstellung::protokoll_vor(p.zeilen()[f[i]], p.zeilen()[f[i - 1]], 16, auf));
        }

        // Every column's title whole beside the sort arrow, whichever column it stands on.
        for (int spalte = 0; spalte < kopf->count(); ++spalte) {
            if (kopf->isSectionHidden(spalte)) continue;
            tabelle->sortByColumn(spalte, Qt::AscendingOrder);
            QStyleOptionHeader o;
            o.initFrom(kopf);
            o.rect = QRect(0, 0, kopf->sectionSize(spalte), kopf->height());
            o.sortIndicator = QStyleOptionHeader::SortDown;
            o.orientation = Qt::Horizontal;
            o.state |= QStyle::State_Horizontal;
            const QString titel = sortiert->headerData(spalte, Qt::Horizontal).toString();
            QVERIFY2(kopf->style()->subElementRect(QStyle::SE_HeaderLabel, &o, kopf).width() >=
                         kopf->fontMetrics().size(0, titel).width(),
                     qPrintable(titel));
        }

        // Row 3 (P-band 10) chosen: its run, dashed, named "Lauf 3".
        tabelle->sortByColumn(0, Qt::AscendingOrder);
        tabelle->selectRow(2);
        shell::Diagrammfeld* graph = s.diagramm("graph");
        const auto e = darstellung::lauf_aus_werten(2, p.zeilen()[2].werte,
                                                    [](std::string_view) { return 200; });
        const auto verglichen = [graph] { return graph->kern().verglichen(); };
        QCOMPARE(verglichen().size(), size_t(1));
        QCOMPARE(verglichen()[0]->spalten[1], e.spalten[1].werte);
        QVERIFY(std::ranges::count(graph->kern().legendentexte(), "Lauf 3:") > 0);
        s.klick("start"); // a new run keeps the chosen one
        QCOMPARE(verglichen()[0]->spalten[1], e.spalten[1].werte);
        fenster->findChild<QPushButton*>()->click(); // "Lauf wiederholen"
        QCOMPARE(s.feld("xp1")->text(), QStringLiteral("10"));
        QCOMPARE(p.zeilen().back().k, p.zeilen()[2].k);
        // Ctrl+click chooses row 2 besides: both compared, in the table's order; "Lauf
        // wiederholen" waits for one row.
        QTest::mouseClick(tabelle->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          tabelle->visualRect(tabelle->model()->index(1, 0)).center());
        QCOMPARE(verglichen().size(), size_t(2));
        QCOMPARE(verglichen()[1]->spalten[1], e.spalten[1].werte);
        QVERIFY(verglichen()[0]->spalten[1] != e.spalten[1].werte);
        QVERIFY(!fenster->findChild<QPushButton*>()->isEnabled());
        fenster->hide();
        QVERIFY(verglichen().empty()); // let go (the aid itself is off)
        // Reopened after it was left beyond the screen's edge: wholly on the screen again.
        fenster->move(5000, 5000);
        s.nav.protokoll_zeigen();
        QVERIFY(fenster->screen()->availableGeometry().contains(
            QRect(fenster->pos(), fenster->size() + shell::fensterrahmen)));
        const double schrift = fenster->font().pointSizeF();
        QApplication::setActiveWindow(fenster);
        QTest::keyClick(fenster, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(fenster->font().pointSizeF() < schrift);
        s.nav.zoomen(0);
        // As wide as it asks to be, every column shows beside the scroll bar of many rows.
        fenster->resize(fenster->volle_breite(), 200);
        QCoreApplication::processEvents();
        QVERIFY(tabelle->verticalScrollBar()->maximum() > 0);
        QCOMPARE(tabelle->horizontalScrollBar()->maximum(), 0);
        const auto knoepfe = fenster->findChildren<QPushButton*>();
        for (qsizetype i = 0; i < knoepfe.size(); ++i) { // in the row, as wide as asked, alone
            QCOMPARE(knoepfe[i]->width(), knoepfe[i]->sizeHint().width());
            for (qsizetype j = 0; j < i; ++j)
                QVERIFY2(!knoepfe[i]->geometry().intersects(knoepfe[j]->geometry()),
                         qPrintable(knoepfe[i]->text() + " on " + knoepfe[j]->text()));
        }
        tabelle->setFocus(); // Tab leaves the table for the buttons
        QTest::keyClick(tabelle, Qt::Key_Tab);
        QVERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()));
        // Page 2's rows keep the width left; page 3's first widens the window for its columns.
        fenster->resize(0, 200);
        s.laufen(QStringLiteral("xp1=40"));
        QCOMPARE(fenster->width(), fenster->minimumWidth());
        const QString von_drei = ordner.filePath(QStringLiteral("drei.csv"));
        QCOMPARE(drei.nav.protokoll().speichern(von_drei), QString());
        QCOMPARE(p.laden(von_drei, true), QString());
        const int platz =
            fenster->screen()->availableGeometry().width() - shell::fensterrahmen.width();
        QCOMPARE(fenster->width(), std::min(fenster->volle_breite(), platz));
        QVERIFY(fenster->volle_breite() <= 1920 - shell::fensterrahmen.width()); // both pages
        fenster->hide();

        // The first four rows compared at once, the plot as wide as without them.
        const double breite = graph->kern().plot().b;
        const auto& z = p.zeilen();
        s.seite->vergleich_zeigen({&z[0], &z[1], &z[2], &z[3]});
        QCOMPARE(verglichen().size(), size_t(4));
        QVERIFY2(texte(graph).join('|').contains("Lauf 2:|P-Band = 5 K"),
                 qPrintable(texte(graph).join('|')));
        QCOMPARE(graph->kern().plot().b, breite);
        std::set<std::tuple<int, int, int>> toene;
        for (const auto& st : graph->kern().liste().stile)
            if (!st.strich.empty() && st.breite == 1) toene.insert({st.f.r, st.f.g, st.f.b});
        QVERIFY(toene.size() >= 4); // the first run's two tones, and one for each further run
        s.seite->vergleich_zeigen({});
        QVERIFY(verglichen().empty());

        const auto zeilen = p.zeilen();
        s.nav.protokoll_zeigen();
        for (const auto& [sprache, trenner] :
             {std::pair{QLocale::German, ';'}, std::pair{QLocale::English, ','}}) {
            QLocale::setDefault(QLocale(sprache));
            const QString datei = ordner.filePath(QStringLiteral("p%1.csv").arg(int(sprache)));
            QCOMPARE(p.speichern(datei), QString());
            QVERIFY(datei_inhalt(datei).startsWith("\xEF\xBB\xBFNr." + QByteArray(1, trenner)));
            tabelle->selectRow(1); // a run compared: rows read from a file end the comparison
            QCOMPARE(verglichen().size(), size_t(1));
            QCOMPARE(p.laden(datei), QString());
            QVERIFY(p.zeilen() == zeilen && verglichen().empty());
            QVERIFY(!fenster->findChild<QPushButton*>()->isEnabled()); // "Lauf wiederholen"
        }
        QFile f(ordner.filePath(QStringLiteral("schlecht.csv")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("Zeit in s;Soll in °C\r\n1;50\r\n"));
        f.close();
        QVERIFY(p.laden(f.fileName()).startsWith(QStringLiteral("Zeile 1: die Spalten")));
        QVERIFY(p.zeilen() == zeilen);

        // The window's button, with rows there: "Anhängen" numbers the file's rows on after them;
        // cancelled, nothing; "Ersetzen" leaves the file's alone.
        shell::speicherort_fuer_tests = [&](const QString&) {
            return ordner.filePath(QStringLiteral("p%1.csv").arg(int(QLocale::German)));
        };
        auto* laden = fenster->findChild<QPushButton*>(QStringLiteral("laden"));
        for (const auto rolle :
             {QMessageBox::AcceptRole, QMessageBox::RejectRole, QMessageBox::DestructiveRole}) {
            QVERIFY(im_dialog<QMessageBox>([laden] { laden->click(); },
                                           [rolle](QMessageBox* m) {
                                               for (QAbstractButton* b : m->buttons())
                                                   if (m->buttonRole(b) == rolle) b->click();
                                           }));
            const size_t n = zeilen.size() * (rolle == QMessageBox::DestructiveRole ? 1 : 2);
            QVERIFY(p.zeilen().size() == n && p.zeilen().back().nummer == int(n));
        }
        shell::speicherort_fuer_tests = nullptr;
    }

    // Load: page 2 runs its fields as built; page 3 its heating curve, and the cascade with
    // gain 1 ("1" into v1) and the inner P-band and reset time off, whatever the fields hold.
    void laden() {
        Seite zwei(2);
        QCOMPARE(wie_der_kern(zwei.seite, {50, 0, 0, 0}), QString());
        shell::Navigator nav;
        seiten::seite_3 drei(nav);
        for (const auto& [name, text] : paare("v1=5 xp2=30 tn1=40"))
            drei.findChild<shell::Zahlenfeld*>(name)->setText(text);
        drei.laden();
        QCOMPARE(drei.element<shell::Zahlenfeld>("v1")->text(), QStringLiteral("1"));
        QCOMPARE(wie_der_kern(&drei, {50, 1, 0, 0, 0, 0, 0}), QString());
    }
};

QTEST_MAIN(TestSeiten)
#include "test_seiten.moc"
