// Page 3: load and "Start Grafik" write their cells in order and reproduce the settled run; the
// seven fields filter and guard their input; the tangent drawing fits its overlay.
#include "diagrammfeld.h"
#include "elemente.h"
#include "piep.h"
#include "seite_3.h"
#include "tasten.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QAccessible>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <cmath>

using shell::Diagrammfeld;
using shell::Zahlenfeld;

namespace {
// The seven fields in the order the tables below give their texts.
const QStringList felder{"w1", "v1", "tn1", "tv1", "xp2", "tv2", "maxdiff"};

struct Seite {
    shell::Navigator nav;
    seiten::seite_3 seite{nav};
    Diagrammfeld* pid33 = seite.element<Diagrammfeld>("pid33");
    Diagrammfeld* kask = seite.element<Diagrammfeld>("kask");
    Diagrammfeld* leistung = seite.element<Diagrammfeld>("leistung");
    QStringList protokoll; // "chart column row" per cell, "chart ende" per end of a run

    Seite() {
        for (Diagrammfeld* d : {pid33, kask, leistung}) {
            const QString n = d->objectName();
            QObject::connect(d, &Diagrammfeld::zelleGeschrieben, d, [this, n](int sp, int z) {
                protokoll << QStringLiteral("%1 %2 %3").arg(n).arg(sp).arg(z);
            });
            QObject::connect(d, &Diagrammfeld::laufAbgeschlossen, d,
                             [this, n] { protokoll << n + " ende"; });
        }
    }
    Zahlenfeld* feld(const QString& name) { return seite.findChild<Zahlenfeld*>(name); }
    void setzen(const QStringList& texte, bool tippend) { // typed: select all, Delete, keys
        for (int i = 0; i < felder.size(); ++i) {
            Zahlenfeld* f = feld(felder[i]);
            f->selectAll();
            tippend ? tippen(f, "\x7f" + texte[i]) : f->setText(texte[i]);
        }
    }
    void start() { QTest::mouseClick(seite.element<QPushButton>("start"), Qt::LeftButton); }
    static double zahl(const Diagrammfeld* d, int spalte, int zeile) {
        return shell::zahl_lesen(d->data(spalte, zeile)).value_or(NAN);
    }
    QStringList inhalt() const {
        QStringList l;
        for (const Diagrammfeld* d : {pid33, kask, leistung})
            for (int z = 1; z <= d->rowCount(); ++z)
                for (int sp = 1; sp <= d->columnCount(); ++sp)
                    l << d->data(sp, z);
        return l;
    }
};

QStringList kaskadenfolge() {
    QStringList l;
    for (int i = 1; i <= 200; ++i) {
        for (int sp = 1; sp <= 4; ++sp)
            l << QStringLiteral("kask %1 %2").arg(sp).arg(i);
        l << QStringLiteral("leistung 1 %1").arg(i);
    }
    return l << QStringLiteral("kask ende") << QStringLiteral("leistung ende");
}
} // namespace

class TestSeite3 : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Load: the heating curve, "1" into v1, the cascade with gain 1 and the inner P-band and
    // reset time off whatever the fields hold; the same run as "Start Grafik" on the loaded page.
    void laden_data() {
        QTest::addColumn<QStringList>("vorher"); // v1, xp2, tn1 before the load
        QTest::newRow("as built") << QStringList{"1", "0", "0"};
        QTest::newRow("other values") << QStringList{"5", "30", "40"};
        QTest::newRow("v1 empty") << QStringList{"", "0", "0"};
    }
    void laden() {
        QFETCH(QStringList, vorher);
        Seite s;
        for (int i = 0; i < 3; ++i)
            s.feld(QStringList{"v1", "xp2", "tn1"}[i])->setText(vorher[i]);
        const int pieps = shell::piep_zaehler();
        s.seite.laden();

        QStringList erwartet;
        for (int i = 1; i <= 30; ++i)
            erwartet << QStringLiteral("pid33 1 %1").arg(i);
        QCOMPARE(s.protokoll, erwartet << "pid33 ende" << kaskadenfolge());
        QCOMPARE(s.feld("v1")->text(), QStringLiteral("1"));
        QCOMPARE(shell::piep_zaehler(), pieps);
        QVERIFY(qAbs(s.zahl(s.pid33, 1, 30) - 119.9726) < 5e-5);
        QVERIFY(qAbs(s.zahl(s.kask, 2, 17) - 36.5582) < 5e-5); // on/off: full power up to 16
        QVERIFY(s.zahl(s.leistung, 1, 16) == 100 && s.zahl(s.leistung, 1, 17) == 0);

        // "Start Grafik" with the fields as the page was built: every cascade cell anew, the
        // heating curve not, and the charts unchanged.
        const QStringList geladen = s.inhalt();
        s.feld("xp2")->setText("0");
        s.feld("tn1")->setText("0");
        s.protokoll.clear();
        s.start();
        QCOMPARE(s.protokoll, kaskadenfolge());
        QCOMPARE(s.inhalt(), geladen);
    }

    // Typed values (w1 v1 tn1 tv1 xp2 tv2 maxdiff) and "Start Grafik": column 1 is w1 as typed.
    void start_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("zeile");
        QTest::addColumn<QList<double>>("werte"); // x1, w2, x2, power
        // clang-format off
        QTest::newRow("hint box 8")    << "50 1.6 40 10 30 10 0"  << 8   << QList<double>{21.5595, 86.1796, 31.1775, 83.5648};
        QTest::newRow("hint box 200")  << "50 1.6 40 10 30 10 0"  << 200 << QList<double>{49.9814, 58.2654, 52.9835, 17.5955};
        QTest::newRow("maxdiff 10, 2") << "50 1.6 40 10 30 10 10" << 2   << QList<double>{20.0027, 30.0027, 20.0801, 30.4042};
        QTest::newRow("w1 050")        << "050 1 0 0 0 0 0"       << 1   << QList<double>{20, 80, 20, 100};
        // clang-format on
    }
    void start() {
        QFETCH(QString, texte);
        QFETCH(int, zeile);
        QFETCH(QList<double>, werte);
        Seite s;
        s.setzen(texte.split(' '), true);
        s.start();
        QCOMPARE(s.kask->data(1, zeile), texte.split(' ')[0]);
        const QList<double> ist{s.zahl(s.kask, 2, zeile), s.zahl(s.kask, 3, zeile),
                                s.zahl(s.kask, 4, zeile), s.zahl(s.leistung, 1, zeile)};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(qAbs(ist[i] - werte[i]) < 5e-5, qPrintable(QString::number(ist[i])));
    }

    // Pasted values, "Start Grafik", and over the whole run the largest |column 3 - column
    // `bezug`|: maxdiff bounds w2 around x1 and is reached; gain 0 makes w2 the set-point; a
    // gain above its field's limit is held at "9.9" with one beep before the run, as its next key
    // would do (the core's rule, above 99.9 runs as 0, is then never reached from the page).
    void ueber_den_lauf_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("bezug");
        QTest::addColumn<double>("abstand");
        QTest::addColumn<QString>("v1_danach");
        QTest::addColumn<int>("pieps");
        // clang-format off
        QTest::newRow("maxdiff 10")   << "50 1.6 40 10 30 10 10"   << 2 << 10.0  << "1.6"  << 0;
        QTest::newRow("maxdiff 0")    << "50 1.6 40 10 30 10 0"    << 2 << 78.0  << "1.6"  << 0;
        QTest::newRow("v1 0")         << "75 0 40 10 0 10 0"       << 1 << 0.0   << "0"    << 0;
        QTest::newRow("v1 100")       << "75 100 40 10 0 10 0"     << 1 << 544.5 << "9.9"  << 1;
        QTest::newRow("v1 9.91")      << "75 9.91 40 10 0 10 0"    << 1 << 544.5 << "9.9"  << 1;
        QTest::newRow("v1 9.9 kept")  << "75 9.9 40 10 0 10 0"     << 1 << 544.5 << "9.9"  << 0;
        QTest::newRow("maxdiff 150")  << "50 9.9 40 10 30 10 150"  << 2 << 100.0 << "9.9"  << 1;
        // clang-format on
    }
    void ueber_den_lauf() {
        QFETCH(QString, texte);
        QFETCH(int, bezug);
        QFETCH(double, abstand);
        QFETCH(QString, v1_danach);
        QFETCH(int, pieps);
        Seite s;
        s.setzen(texte.split(' '), false); // typing cannot get past 9.9
        const int vorher = shell::piep_zaehler();
        s.start();
        QCOMPARE(shell::piep_zaehler() - vorher, pieps);
        QCOMPARE(s.feld("v1")->text(), v1_danach);
        double groesste = 0;
        for (int z = 1; z <= 200; ++z)
            groesste = std::max(groesste, qAbs(s.zahl(s.kask, 3, z) - s.zahl(s.kask, bezug, z)));
        QVERIFY2(qAbs(groesste - abstand) < 1e-9, qPrintable(QString::number(groesste)));
    }

    // The keys: maximum lengths, the separator only in v1, the limits of w1, v1 and maxdiff
    // (checked on the text before the key's character goes in), each with a beep.
    void tasten_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tasten"); // into the emptied field
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pieps");
        // clang-format off
        QTest::newRow("w1 length 4")             << "w1"      << "00000"  << "0000" << 0;
        QTest::newRow("w1 limit")                << "w1"      << "9991"   << "99.9" << 1;
        QTest::newRow("v1 length 3")             << "v1"      << "0.05"   << "0.0"  << 0;
        QTest::newRow("v1 point")                << "v1"      << "1.6"    << "1.6"  << 0;
        QTest::newRow("v1 limit")                << "v1"      << "123"    << "9.9"  << 1;
        QTest::newRow("tn1 length 4, point")     << "tn1"     << "9.8765" << "9876" << 1;
        QTest::newRow("tv1 length 2")            << "tv1"     << "987"    << "98"   << 0;
        QTest::newRow("xp2 length 3, minus")     << "xp2"     << "-9876"  << "987"  << 1;
        QTest::newRow("tv2 length 2, Backspace") << "tv2"     << "9\b87"  << "98"   << 1;
        QTest::newRow("maxdiff length 4")        << "maxdiff" << "1001"   << "1001" << 0;
        QTest::newRow("maxdiff limit, letter")   << "maxdiff" << "150a"   << "100"  << 2;
        // clang-format on
    }
    void tasten() {
        QFETCH(QString, name);
        QFETCH(QString, tasten);
        QFETCH(QString, text);
        QFETCH(int, pieps);
        Seite s;
        s.feld(name)->clear();
        const int vorher = shell::piep_zaehler();
        tippen(s.feld(name), tasten);
        QCOMPARE(s.feld(name)->text(), text);
        QCOMPARE(shell::piep_zaehler() - vorher, pieps);
    }

    // v1 takes the user's decimal separator only, so that 1,6 reads as 1.6 where it is a comma;
    // the other fields take none; limits and cells are written in the user's format.
    void dezimaltrennzeichen_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland);
    }
    void dezimaltrennzeichen() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const QString e = locale.decimalPoint(), f = e == "." ? "," : ".";
        Seite s;
        const int vorher = shell::piep_zaehler();
        s.setzen({"50", "1" + f + e + "6", "4" + e + "0", "10", "30", "10", "0"}, true);
        QCOMPARE(shell::piep_zaehler() - vorher, 2); // the other separator in v1, any in tn1
        QCOMPARE(s.feld("v1")->text(), "1" + e + "6");
        QCOMPARE(s.feld("tn1")->text(), QStringLiteral("40"));
        s.start();
        QVERIFY2(qAbs(s.zahl(s.kask, 2, 200) - 49.9814) < 5e-5, qPrintable(s.kask->data(2, 200)));
        QVERIFY(s.kask->data(2, 200).contains(e));
        s.setzen({"1234", "123", "0", "0", "0", "0", "0"}, true);
        QCOMPARE(s.feld("w1")->text(), "99" + e + "9");
        QCOMPARE(s.feld("v1")->text(), "9" + e + "9");
    }

    // A field that does not read as a number starts no run: one beep, the field focused and
    // selected, no cell written, and a gain above 99.9 not reset. Mended, the run goes.
    void ungueltiges_feld_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        const char* const texte[] = {"", ".", "1.2.3", "abc", " ", "1e999", "nan"};
        for (int i = 0; i < felder.size(); ++i)
            QTest::newRow(qPrintable(felder[i] + " '" + texte[i] + "'")) << felder[i] << texte[i];
    }
    void ungueltiges_feld() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        Seite s;
        s.seite.laden();
        const QStringList geladen = s.inhalt();
        s.feld("v1")->setText("150");
        s.feld(name)->setText(text);
        s.protokoll.clear();
        const int vorher = shell::piep_zaehler();
        s.start();
        QCOMPARE(shell::piep_zaehler() - vorher, 1);
        QVERIFY(s.protokoll.isEmpty());
        QCOMPARE(s.inhalt(), geladen);
        QCOMPARE(s.seite.focusWidget(), s.feld(name));
        QCOMPARE(s.feld(name)->selectedText(), text);
        QCOMPARE(s.feld("v1")->text(), name == "v1" ? text : QStringLiteral("150"));

        s.feld(name)->setText("1");
        s.start();
        QCOMPARE(s.protokoll, kaskadenfolge());
    }

    // Focus starts in tn1; Tab visits the fields and buttons in the page's order and wraps.
    void tabfolge() {
        Seite s;
        s.seite.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.seite));
        QStringList folge;
        for (int i = 0; i < 15; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            folge << QApplication::focusWidget()->objectName();
        QCOMPARE(folge, QStringList({"tn1", "v1", "w1", "tv1", "start", "beenden", "zurück",
                                     "weiter", "xp2", "tv2", "maxdiff", "pid33", "kask",
                                     "leistung", "tn1"}));
    }

    // A chart in the tab order reads out by keyboard: Left/Right by a second (Shift: ten), Home,
    // End; the cursor stands on the same second in both cascade charts, the accessible value
    // says what the tooltip does; Shift+F10 opens the chart's menu.
    void ablesen_mit_tasten_data() {
        QTest::addColumn<QList<int>>("tasten"); // key codes, Shift added as a negative code
        QTest::addColumn<int>("zeile");
        QTest::newRow("right") << QList<int>{Qt::Key_Right} << 1;
        QTest::newRow("right x3") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right} << 3;
        QTest::newRow("shift+right") << QList<int>{Qt::Key_Right, -Qt::Key_Right} << 11;
        QTest::newRow("end") << QList<int>{Qt::Key_End} << 200;
        QTest::newRow("end, right") << QList<int>{Qt::Key_End, Qt::Key_Right} << 200;
        QTest::newRow("end, shift+left") << QList<int>{Qt::Key_End, -Qt::Key_Left} << 190;
        QTest::newRow("home, left") << QList<int>{Qt::Key_Home, Qt::Key_Left} << 1;
    }
    void ablesen_mit_tasten() {
        QFETCH(QList<int>, tasten);
        QFETCH(int, zeile);
        Seite s;
        s.seite.laden();
        s.seite.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.seite));
        const QImage ohne_fokus = s.kask->grab().toImage();
        s.kask->setFocus(Qt::TabFocusReason);
        QVERIFY(s.kask->hasFocus());
        QVERIFY(s.kask->grab().toImage() != ohne_fokus); // the focus frame
        for (int t : tasten)
            QTest::keyClick(s.kask, Qt::Key(std::abs(t)),
                            t < 0 ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(s.kask->zeiger(), zeile);
        QCOMPARE(s.leistung->zeiger(), zeile);
        QCOMPARE(s.pid33->zeiger(), 0);
        const QString wert = QAccessible::queryAccessibleInterface(s.kask)->text(QAccessible::Value);
        QVERIFY2(wert.startsWith(QStringLiteral("t = %1 s · Soll1 50 °C").arg(zeile)) &&
                     wert.contains(QStringLiteral("Leistung")),
                 qPrintable(wert));
        QTest::keyClick(s.kask, Qt::Key_F10, Qt::ShiftModifier);
        auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menue && menue->actions().size() >= 2);
        menue->close();
    }

    // The curve under the overlay: flat where K and L start, touching the tangent in the circle
    // with its slope and turning there, never steeper, and K, L read 20 K and 12 s on its axes.
    void tangentenbild() {
        shell::Linie t, k, l; // the overlay: the tangent, K and L, and the circle
        shell::Form kreis;
        for (const auto& e : seiten::seite_3_elemente()) {
            if (const auto* li = std::get_if<shell::Linie>(&e))
                (li->breite == 1 ? t : li->a.x == li->b.x ? k : l) = *li;
            if (const auto* fo = std::get_if<shell::Form>(&e)) kreis = *fo;
        }
        const auto b = seiten::tangentenbild();
        const double m = double(t.b.y - t.a.y) / (t.b.x - t.a.x);
        const auto tangente = [&](double x) { return t.a.y + m * (x - t.a.x); };
        const auto steigung = [&](double x) { return (b.kurve(x + 1) - b.kurve(x - 1)) / 2; };

        QCOMPARE(b.anfang, QPointF(k.a.x, l.a.y));
        QVERIFY(qAbs(b.kurve(b.anfang.x() + 15) - l.a.y) < 1); // flat to within a pixel
        const shell::Rect r = shell::gezeichnete_flaeche(kreis);
        const QPointF mitte(r.x + r.w / 2.0, r.y + r.h / 2.0);
        QVERIFY(QLineF(mitte, b.wendepunkt).length() < r.w / 2.0);
        QVERIFY(qAbs(tangente(b.wendepunkt.x()) - b.wendepunkt.y()) < 1e-6);
        QVERIFY(qAbs(b.kurve(b.wendepunkt.x()) - b.wendepunkt.y()) < 1e-6);
        QVERIFY(qAbs(steigung(b.wendepunkt.x()) - m) < 1e-4); // the steepest: it turns there

        const double x_l = t.a.x + (b.anfang.y() - t.a.y) / m;
        QVERIFY(qAbs(b.grad(b.anfang.y()) - b.grad(tangente(b.anfang.x())) - 20) < 1e-9);
        QVERIFY(qAbs(b.zeit(x_l) - b.zeit(b.anfang.x()) - 12) < 1e-9);
        QVERIFY(qAbs(tangente(k.b.x) - k.b.y) < 2 * 15); // the drawn K and L end near them
        QVERIFY(qAbs(x_l - l.b.x) < 4 * 15);

        double davor = b.anfang.y();
        for (const QPointF& p : b.kurvenzug()) {
            QVERIFY(p.y() <= davor + 1e-9 && steigung(p.x()) >= m - 1e-6); // rising, not steeper
            QVERIFY((p.y() - tangente(p.x())) * (p.x() - b.wendepunkt.x()) >= -1e-6);
            QVERIFY(p.x() >= 0 && p.x() <= 7635 && p.y() >= 0 && p.y() <= 4275);
            davor = p.y();
        }
        QVERIFY(b.grad(davor) > 90 && b.grad(davor) <= 110); // nearly levelled off by 80 s
    }
};

QTEST_MAIN(TestSeite3)
#include "test_seite_3.moc"
