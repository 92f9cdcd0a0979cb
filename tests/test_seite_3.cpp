// Page 3: the heating curve on load, the cascade on load and on "Start Grafik", the seven entry
// fields, and the tangent drawing.
#include "diagrammfeld.h"
#include "elemente.h"
#include "piep.h"
#include "seite.h"
#include "seite_3.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <memory>

using shell::Diagrammfeld;
using shell::Zahlenfeld;

namespace {

// The page as the navigator makes it, with the end of the program defused and pages 2 and 4
// standing in as empty windows.
struct Aufbau {
    shell::Navigator nav;
    std::unique_ptr<seiten::seite_3> eigen; // constructed, not loaded, when not from the navigator

    Aufbau() {
        nav.programmende = [] {};
        for (int n : {2, 4})
            nav.anmelden(n, [n](shell::Navigator& nv) {
                return std::make_unique<shell::Seitenfenster>(
                    nv, shell::Seitenfenster::Vorgaben{.titel = QStringLiteral("Seite %1").arg(n),
                                                       .breite = 3000,
                                                       .hoehe = 3000,
                                                       .elemente = {},
                                                       .tabfolge = {}});
            });
        nav.anmelden(3, [](shell::Navigator& nv) { return std::make_unique<seiten::seite_3>(nv); });
    }
    // Shown and loaded, in front.
    seiten::seite_3* zeigen() { return static_cast<seiten::seite_3*>(nav.seite_zeigen(3)); }
    // Built but not loaded yet, so that a test can watch the load.
    seiten::seite_3* bauen() {
        eigen = std::make_unique<seiten::seite_3>(nav);
        return eigen.get();
    }
};

Zahlenfeld* feld(const seiten::seite_3* s, const QString& name) {
    auto* f = s->findChild<Zahlenfeld*>(name);
    if (!f) qFatal("no field %s", qPrintable(name));
    return f;
}

Diagrammfeld* diagramm(const seiten::seite_3* s, const char* name) {
    auto* d = s->element<Diagrammfeld>(name);
    if (!d) qFatal("no chart %s", name);
    return d;
}

// Every cell written and every end of a run, in order, as "chart column row" and "chart ende".
struct Protokoll {
    QStringList eintraege;
    void beobachten(const seiten::seite_3* s) {
        for (const char* name : {"pid33", "kask", "leistung"}) {
            auto* d = diagramm(s, name);
            const QString n = QString::fromLatin1(name);
            QObject::connect(
                d, &Diagrammfeld::zelleGeschrieben, d, [this, n](int spalte, int zeile) {
                    eintraege << QStringLiteral("%1 %2 %3").arg(n).arg(spalte).arg(zeile);
                });
            QObject::connect(d, &Diagrammfeld::laufAbgeschlossen, d,
                             [this, n] { eintraege << n + QStringLiteral(" ende"); });
        }
    }
};

QStringList kaskadenfolge(int zeilen) {
    QStringList l;
    for (int i = 1; i <= zeilen; ++i) {
        for (int spalte = 1; spalte <= 4; ++spalte)
            l << QStringLiteral("kask %1 %2").arg(spalte).arg(i);
        l << QStringLiteral("leistung 1 %1").arg(i);
    }
    l << QStringLiteral("kask ende") << QStringLiteral("leistung ende");
    return l;
}

double zahl(const Diagrammfeld* d, int spalte, int zeile) {
    const auto w = shell::zahl_lesen(d->data(spalte, zeile));
    if (!w)
        qFatal("cell %d/%d is not a number: %s", spalte, zeile, qPrintable(d->data(spalte, zeile)));
    return *w;
}

QStringList inhalt(const Diagrammfeld* d) {
    QStringList l;
    for (int z = 1; z <= d->rowCount(); ++z)
        for (int s = 1; s <= d->columnCount(); ++s)
            l << d->data(s, z);
    return l;
}

// Keys as a user types them; a few symbols stand for keys that type no character.
void tippen(QWidget* w, const QString& folge) {
    for (const QChar c : folge) {
        switch (c.unicode()) {
        case u'⌫':
            QTest::keyClick(w, Qt::Key_Backspace);
            break;
        case u'⌦':
            QTest::keyClick(w, Qt::Key_Delete);
            break;
        case u'⇤':
            QTest::keyClick(w, Qt::Key_Home);
            break;
        case u'↵':
            QTest::keyClick(w, Qt::Key_Return);
            break;
        default:
            if (c.unicode() < 128) {
                QTest::keyClicks(w, QString(c));
            } else { // QTest only types ASCII
                QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QKeyEvent los(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(w, &druck);
                QApplication::sendEvent(w, &los);
            }
        }
    }
}

// Empties the field as a user would (select all, Delete) and types the new value.
void eingeben(Zahlenfeld* f, const QString& text) {
    f->setFocus();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Delete);
    tippen(f, text);
}

void start(const seiten::seite_3* s) {
    s->element<QPushButton>("start")->click();
}

struct LocaleWahl {
    QLocale vorher = QLocale();
    explicit LocaleWahl(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleWahl() { QLocale::setDefault(vorher); }
};

const QStringList alle_felder{"w1", "v1", "tn1", "tv1", "xp2", "tv2", "maxdiff"};

} // namespace

class TestSeite3 : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // ---- the page as laid out
    void fenster();
    void beschriftungen_data();
    void beschriftungen();
    void diagramme();
    void felder_data();
    void felder();

    // ---- load and "Start Grafik"
    void laden_data();
    void laden();
    void laden_wie_start();
    void hinweiswerte_data();
    void hinweiswerte();
    void maxdiff_data();
    void maxdiff();
    void verstaerkung_null_data();
    void verstaerkung_null();
    void verstaerkung_zu_gross_data();
    void verstaerkung_zu_gross();
    void sollwert_wie_getippt();
    void ungueltiges_feld_data();
    void ungueltiges_feld();
    void ungueltig_ohne_nullsetzen();

    // ---- entry fields
    void tasten_data();
    void tasten();
    void dezimaltrennzeichen_data();
    void dezimaltrennzeichen();

    // ---- keyboard focus and navigation
    void tabfolge_data();
    void tabfolge();
    void navigation();

    // ---- the tangent drawing
    void tangentenbild_passt_zum_overlay();
    void tangentenbild_achsen();
};

// ---- the page as laid out ----------------------------------------------------------------

void TestSeite3::fenster() {
    Aufbau a;
    auto* s = a.zeigen();
    QCOMPARE(s->windowTitle(), QStringLiteral("Seite 3"));
    QCOMPARE(s->size(), QSize(15420 / 15, 11085 / 15));
    QCOMPARE(s->grab().toImage().pixelColor(s->width() - 2, 2), QColor(Qt::white));
}

void TestSeite3::beschriftungen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const char* const tabelle[][2] = {
        {"pid30", "2.6.2 Methode 2: Auswerten des Anfahrverhaltens der Regelstrecke"},
        {"pid32", "Beispiel: Aufheizkurve der zur Simulation verwendeten Strecke."},
        {"pid40", "Auswerten der Aufheizkurve:"},
        {"pid45", "im Beispiel:"},
        {"pid58", "2.3 Weitere Hinweise"},
        {"Label1", "Wendepunkt"},
        {"Label4", "Tangente"},
        {"Label2", "K"},
        {"Label3", "L"},
        {"titel3", "3. Kaskadenregler mit Simulation"},
        {"kas3", "Der Kaskadenregler berechnet den Sollwert für den 2. Regler grob wie folgt:"},
        {"kas4", "Sollwert 2 = Sollwert 1 + Verstärkung x (Sollwert 1 - Istwert 1)"},
        {"sollwert", "Sollwert"},
        {"kas61", "°C"},
        {"verstärk", "Verstärkung"},
        {"Nachlaufzeit", "Nachlaufzeit 1"},
        {"tv_1", "Vorhaltzeit 1"},
        {"pb2", "P-Band 2"},
        {"vhz2", "Vorhaltzeit 2"},
        {"maxdif", "Max.Diff. |x1-w2|"},
        {"kaso12", "Verstärkung"},
        {"kaso2", "1.6"},
        {"kaso13", "Nachlauf. 1"},
        {"kaso3", "40"},
        {"kaso14", "Vorhalt. 1"},
        {"kaso4", "10"},
        {"kaso15", "P-Band 2"},
        {"kaso5", "30"},
        {"kaso16", "Vorhalt. 2"},
        {"kaso6", "10"},
        {"firma", "NORVA  AG"},
        {"strasse", "Musterstrasse 1"},
        {"ort", "CH-0000 Musterhausen"},
    };
    for (const auto& z : tabelle)
        QTest::newRow(z[0]) << QString::fromUtf8(z[0]) << QString::fromUtf8(z[1]);
}

void TestSeite3::beschriftungen() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    Aufbau a;
    auto* l = a.zeigen()->findChild<QLabel*>(name);
    QVERIFY(l);
    QCOMPARE(l->text(), text);
}

void TestSeite3::diagramme() {
    Aufbau a;
    auto* s = a.zeigen();
    auto* pid33 = diagramm(s, "pid33");
    QCOMPARE(pid33->rowCount(), 30);
    QCOMPARE(pid33->reihenNamen(), QStringList{"Istwert"});
    QStringList namen{"0", "10", "20"};
    for (int i = 4; i <= 30; ++i)
        namen << QStringLiteral("Z%1").arg(i);
    QCOMPARE(pid33->zeilenNamen(), namen);
    QCOMPARE(pid33->wertBis(), 150.0);

    auto* kask = diagramm(s, "kask");
    QCOMPARE(kask->rowCount(), 200);
    QCOMPARE(kask->reihenNamen(), (QStringList{"Soll1", "Ist1", "Soll2", "Ist2"}));
    QCOMPARE(kask->zeilenNamen().first(), QStringLiteral("Z1"));
    QCOMPARE(kask->zeilenNamen().last(), QStringLiteral("Z200"));
    auto* leistung = diagramm(s, "leistung");
    QCOMPARE(leistung->rowCount(), 200);
    QCOMPARE(leistung->reihenNamen(), QStringList{"Leistung"});
    QCOMPARE(leistung->wertBis(), 100.0);

    // Axis titles, the heating curve's one spelt as it always was.
    auto titel = [](const Diagrammfeld* d, Qt::Orientation o) {
        return d->chart()->axes(o).first()->titleText();
    };
    QCOMPARE(titel(pid33, Qt::Horizontal), QStringLiteral("Zeit in Sekunen"));
    QCOMPARE(titel(pid33, Qt::Vertical), QString::fromUtf8("°C"));
    QCOMPARE(titel(kask, Qt::Horizontal), QString());
    QCOMPARE(titel(kask, Qt::Vertical), QString::fromUtf8("°C"));
    QCOMPARE(titel(leistung, Qt::Horizontal), QStringLiteral("Zeit in Sekunden"));
    QCOMPARE(titel(leistung, Qt::Vertical), QStringLiteral("%"));
}

void TestSeite3::felder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("laenge");
    QTest::newRow("w1") << "w1"
                        << "50" << 4;
    QTest::newRow("v1") << "v1"
                        << "1" << 3;
    QTest::newRow("tn1") << "tn1"
                         << "0" << 4;
    QTest::newRow("tv1") << "tv1"
                         << "0" << 2;
    QTest::newRow("xp2") << "xp2"
                         << "0" << 3;
    QTest::newRow("tv2") << "tv2"
                         << "0" << 2;
    QTest::newRow("maxdiff") << "maxdiff"
                             << "0" << 4;
}

void TestSeite3::felder() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, laenge);
    Aufbau a;
    auto* f = feld(a.zeigen(), name);
    QCOMPARE(f->text(), text);
    QCOMPARE(f->maxLaenge(), laenge);
    QVERIFY(f->alignment() & Qt::AlignRight);
}

// ---- load and "Start Grafik" -------------------------------------------------------------

void TestSeite3::laden_data() {
    // Field texts changed before the load runs: the load sets its own gain, P-band and reset
    // time, so the curves are those of the fields' defaults either way.
    QTest::addColumn<QString>("v1");
    QTest::addColumn<QString>("xp2");
    QTest::addColumn<QString>("tn1");
    QTest::newRow("wie angelegt") << "1"
                                  << "0"
                                  << "0";
    QTest::newRow("andere Werte") << "5"
                                  << "30"
                                  << "40";
    QTest::newRow("v1 leer") << ""
                             << "0"
                             << "0";
    QTest::newRow("v1 zu gross") << "150"
                                 << "0"
                                 << "0";
}

void TestSeite3::laden() {
    QFETCH(QString, v1);
    QFETCH(QString, xp2);
    QFETCH(QString, tn1);
    Aufbau a;
    auto* s = a.bauen();
    feld(s, "v1")->setText(v1);
    feld(s, "xp2")->setText(xp2);
    feld(s, "tn1")->setText(tn1);

    Protokoll p;
    p.beobachten(s);
    QString v1_bei_kaskade;
    QObject::connect(diagramm(s, "kask"), &Diagrammfeld::zelleGeschrieben, s, [&](int sp, int z) {
        if (sp == 1 && z == 1) v1_bei_kaskade = feld(s, "v1")->text();
    });
    const int pieps = shell::piep_zaehler();
    s->laden();

    QStringList erwartet;
    for (int i = 1; i <= 30; ++i)
        erwartet << QStringLiteral("pid33 1 %1").arg(i);
    erwartet << QStringLiteral("pid33 ende");
    erwartet << kaskadenfolge(200);
    QCOMPARE(p.eintraege.size(), erwartet.size());
    QCOMPARE(p.eintraege, erwartet);
    QCOMPARE(v1_bei_kaskade, QStringLiteral("1"));
    QCOMPARE(feld(s, "v1")->text(), QStringLiteral("1"));
    QCOMPARE(shell::piep_zaehler(), pieps);

    // The heating curve.
    auto* pid33 = diagramm(s, "pid33");
    const std::pair<int, double> kurve[] = {{1, 20.0962},   {2, 20.3628},  {3, 20.8558},
                                            {10, 32.6484},  {20, 71.5578}, {25, 95.6632},
                                            {26, 100.5634}, {30, 119.9726}};
    for (auto [zeile, wert] : kurve)
        QVERIFY2(std::abs(zahl(pid33, 1, zeile) - wert) < 5e-5, qPrintable(pid33->data(1, zeile)));

    // The cascade with gain 1 and an inner on/off controller.
    auto* kask = diagramm(s, "kask");
    auto* leistung = diagramm(s, "leistung");
    struct Zeile {
        int i;
        double x1, w2, x2, y;
    };
    const Zeile kaskade[] = {
        {1, 20.0000, 80.0000, 20.0000, 100}, {2, 20.0080, 79.9920, 20.2404, 100},
        {3, 20.0414, 79.9586, 20.8669, 100}, {16, 34.0061, 65.9939, 65.3212, 100},
        {17, 36.5582, 63.4418, 70.2108, 0},  {200, 49.2302, 50.7698, 63.1879, 0}};
    for (const Zeile& z : kaskade) {
        QCOMPARE(kask->data(1, z.i), QStringLiteral("50"));
        QVERIFY(std::abs(zahl(kask, 2, z.i) - z.x1) < 5e-5);
        QVERIFY(std::abs(zahl(kask, 3, z.i) - z.w2) < 5e-5);
        QVERIFY(std::abs(zahl(kask, 4, z.i) - z.x2) < 5e-5);
        QCOMPARE(zahl(leistung, 1, z.i), z.y);
    }
}

void TestSeite3::laden_wie_start() {
    Aufbau a;
    auto* s = a.zeigen();
    const QStringList kask = inhalt(diagramm(s, "kask"));
    const QStringList leistung = inhalt(diagramm(s, "leistung"));
    const QStringList pid33 = inhalt(diagramm(s, "pid33"));
    QCOMPARE(kask.size(), 800);

    Protokoll p;
    p.beobachten(s);
    start(s);
    // The heating curve is not run again; the cascade writes every cell anew.
    QCOMPARE(p.eintraege, kaskadenfolge(200));
    QCOMPARE(inhalt(diagramm(s, "kask")), kask);
    QCOMPARE(inhalt(diagramm(s, "leistung")), leistung);
    QCOMPARE(inhalt(diagramm(s, "pid33")), pid33);
}

void TestSeite3::hinweiswerte_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("w2");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y");
    QTest::newRow("1") << 1 << 20.0000 << 98.0000 << 20.0000 << 100.0;
    QTest::newRow("7") << 7 << 20.9767 << 89.8022 << 28.1843 << 100.0;
    QTest::newRow("8") << 8 << 21.5595 << 86.1796 << 31.1775 << 83.5648;
    QTest::newRow("9") << 9 << 22.3323 << 83.0413 << 34.5248 << 50.1466;
    QTest::newRow("200") << 200 << 49.9814 << 58.2654 << 52.9835 << 17.5955;
}

void TestSeite3::hinweiswerte() {
    QFETCH(int, zeile);
    QFETCH(double, x1);
    QFETCH(double, w2);
    QFETCH(double, x2);
    QFETCH(double, y);
    Aufbau a;
    auto* s = a.zeigen();
    eingeben(feld(s, "v1"), "1.6");
    eingeben(feld(s, "tn1"), "40");
    eingeben(feld(s, "tv1"), "10");
    eingeben(feld(s, "xp2"), "30");
    eingeben(feld(s, "tv2"), "10");
    start(s);
    auto* kask = diagramm(s, "kask");
    QVERIFY2(std::abs(zahl(kask, 2, zeile) - x1) < 5e-5, qPrintable(kask->data(2, zeile)));
    QVERIFY2(std::abs(zahl(kask, 3, zeile) - w2) < 5e-5, qPrintable(kask->data(3, zeile)));
    QVERIFY2(std::abs(zahl(kask, 4, zeile) - x2) < 5e-5, qPrintable(kask->data(4, zeile)));
    QVERIFY(std::abs(zahl(diagramm(s, "leistung"), 1, zeile) - y) < 5e-5);
}

void TestSeite3::maxdiff_data() {
    QTest::addColumn<QString>("maxdiff");
    QTest::addColumn<bool>("begrenzt");
    QTest::newRow("10") << "10" << true;
    QTest::newRow("5") << "5" << true;
    QTest::newRow("100") << "100" << true;
    QTest::newRow("0: ohne Grenze") << "0" << false;
}

void TestSeite3::maxdiff() {
    QFETCH(QString, maxdiff);
    QFETCH(bool, begrenzt);
    Aufbau a;
    auto* s = a.zeigen();
    eingeben(feld(s, "v1"), "1.6");
    eingeben(feld(s, "tn1"), "40");
    eingeben(feld(s, "tv1"), "10");
    eingeben(feld(s, "xp2"), "30");
    eingeben(feld(s, "tv2"), "10");
    eingeben(feld(s, "maxdiff"), maxdiff);
    start(s);
    auto* kask = diagramm(s, "kask");
    double groesste = 0;
    for (int z = 1; z <= 200; ++z)
        groesste = std::max(groesste, std::abs(zahl(kask, 3, z) - zahl(kask, 2, z)));
    const double grenze = maxdiff.toDouble();
    if (begrenzt)
        QVERIFY2(groesste <= grenze + 1e-9, qPrintable(QString::number(groesste)));
    else
        QVERIFY(groesste > 10);

    if (maxdiff == "10") {
        auto* leistung = diagramm(s, "leistung");
        QVERIFY(std::abs(zahl(kask, 3, 1) - 30) < 5e-5);
        QVERIFY(std::abs(zahl(leistung, 1, 1) - 33.3333) < 5e-5);
        QVERIFY(std::abs(zahl(kask, 2, 2) - 20.0027) < 5e-5);
        QVERIFY(std::abs(zahl(kask, 3, 2) - 30.0027) < 5e-5);
        QVERIFY(std::abs(zahl(kask, 4, 2) - 20.0801) < 5e-5);
        QVERIFY(std::abs(zahl(leistung, 1, 2) - 30.4042) < 5e-5);
    }
}

void TestSeite3::verstaerkung_null_data() {
    QTest::addColumn<QString>("w1");
    QTest::addColumn<QString>("tn1");
    QTest::addColumn<QString>("tv1");
    QTest::newRow("50") << "50"
                        << "0"
                        << "0";
    QTest::newRow("75, PID") << "75"
                             << "40"
                             << "10";
    QTest::newRow("050") << "050"
                         << "40"
                         << "10";
    QTest::newRow("1") << "1"
                       << "0"
                       << "99";
}

void TestSeite3::verstaerkung_null() {
    QFETCH(QString, w1);
    QFETCH(QString, tn1);
    QFETCH(QString, tv1);
    Aufbau a;
    auto* s = a.zeigen();
    eingeben(feld(s, "w1"), w1);
    eingeben(feld(s, "v1"), "0");
    eingeben(feld(s, "tn1"), tn1);
    eingeben(feld(s, "tv1"), tv1);
    start(s);
    auto* kask = diagramm(s, "kask");
    for (int z = 1; z <= 200; ++z) {
        QCOMPARE(zahl(kask, 3, z), w1.toDouble());
        QCOMPARE(kask->data(1, z), w1);
    }
}

void TestSeite3::verstaerkung_zu_gross_data() {
    QTest::addColumn<QString>("v1");
    QTest::addColumn<QString>("danach");
    QTest::addColumn<int>("pieps");
    QTest::addColumn<double>("w2_zeile1"); // with w1 50 and x1 20 at sample 1
    QTest::newRow("100") << "100"
                         << "0" << 1 << 50.0;
    QTest::newRow("999") << "999"
                         << "0" << 1 << 50.0;
    QTest::newRow("99.91") << "99.91"
                           << "0" << 1 << 50.0;
    QTest::newRow("99.9 bleibt") << "99.9"
                                 << "99.9" << 0 << 50 + 99.9 * 30;
    QTest::newRow("9.9") << "9.9"
                         << "9.9" << 0 << 50 + 9.9 * 30;
}

void TestSeite3::verstaerkung_zu_gross() {
    QFETCH(QString, v1);
    QFETCH(QString, danach);
    QFETCH(int, pieps);
    QFETCH(double, w2_zeile1);
    Aufbau a;
    auto* s = a.zeigen();
    feld(s, "v1")->setText(v1); // pasted: typing cannot get past 9.9
    const int vorher = shell::piep_zaehler();
    start(s);
    QCOMPARE(shell::piep_zaehler() - vorher, pieps);
    QCOMPARE(feld(s, "v1")->text(), danach);
    QVERIFY(std::abs(zahl(diagramm(s, "kask"), 3, 1) - w2_zeile1) < 1e-9);
    if (danach == "0")
        for (int z = 1; z <= 200; ++z)
            QCOMPARE(zahl(diagramm(s, "kask"), 3, z), 50.0);
}

void TestSeite3::sollwert_wie_getippt() {
    Aufbau a;
    auto* s = a.zeigen();
    eingeben(feld(s, "w1"), "050");
    start(s);
    auto* kask = diagramm(s, "kask");
    QCOMPARE(kask->data(1, 1), QStringLiteral("050"));
    QCOMPARE(kask->data(1, 200), QStringLiteral("050"));
    // ... while the computation uses 50: with gain 1, w2 = 50 + (50 - 20) at sample 1.
    QCOMPARE(zahl(kask, 3, 1), 80.0);
}

void TestSeite3::ungueltiges_feld_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    for (const QString& f : alle_felder)
        for (const char* t : {"", "1.2.3", ".", "abc", " "})
            QTest::newRow(qPrintable(f + " '" + t + "'")) << f << QString::fromLatin1(t);
}

void TestSeite3::ungueltiges_feld() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    Aufbau a;
    auto* s = a.zeigen();
    QVERIFY(QTest::qWaitForWindowActive(s));
    // A complete run with other values first, so that "kept" is visible.
    eingeben(feld(s, "v1"), "1.6");
    eingeben(feld(s, "xp2"), "30");
    start(s);
    const QStringList kask = inhalt(diagramm(s, "kask"));
    const QStringList leistung = inhalt(diagramm(s, "leistung"));
    const QString v1 = feld(s, "v1")->text();

    auto* f = feld(s, name);
    f->setText(text); // emptied or pasted
    s->element<QPushButton>("start")->setFocus();
    Protokoll p;
    p.beobachten(s);
    const int vorher = shell::piep_zaehler();
    start(s);

    QVERIFY(p.eintraege.isEmpty());
    QCOMPARE(inhalt(diagramm(s, "kask")), kask);
    QCOMPARE(inhalt(diagramm(s, "leistung")), leistung);
    QCOMPARE(shell::piep_zaehler() - vorher, 1);
    QVERIFY(f->hasFocus());
    QCOMPARE(f->selectedText(), f->text());
    QCOMPARE(f->text(), text);
    if (name != "v1") QCOMPARE(feld(s, "v1")->text(), v1);

    // Mended, the next start runs.
    f->setText(QStringLiteral("1"));
    start(s);
    QCOMPARE(p.eintraege, kaskadenfolge(200));
}

void TestSeite3::ungueltig_ohne_nullsetzen() {
    // A gain above the limit is only reset by a run that takes place.
    Aufbau a;
    auto* s = a.zeigen();
    feld(s, "v1")->setText(QStringLiteral("150"));
    feld(s, "w1")->setText(QString());
    const int vorher = shell::piep_zaehler();
    start(s);
    QCOMPARE(shell::piep_zaehler() - vorher, 1);
    QCOMPARE(feld(s, "v1")->text(), QStringLiteral("150"));
}

// ---- entry fields ------------------------------------------------------------------------

void TestSeite3::tasten_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("nachher");
    QTest::addColumn<int>("pieps");

    // Every field: what the filter lets through and what it keeps out.
    for (const QString& f : alle_felder) {
        const QString d = f == "w1" ? "50" : f == "v1" ? "1" : "0";
        auto zeile = [&](const char* fall) -> QTestData& {
            return QTest::newRow(qPrintable(f + ": " + fall)) << f;
        };
        zeile("Buchstabe") << d << "a" << d << 1;
        zeile("Minus") << d << "-" << d << 1;
        zeile("Leerschlag") << d << " " << d << 1;
        zeile("Komma") << d << "," << d << 1;
        zeile("Umlaut") << d << "ä" << d << 1;
        zeile("Rücktaste") << d << "⌫" << d << 1;
        zeile("Eingabetaste") << d << "↵" << d << 1;
        zeile("Entf am Anfang") << d << "⇤⌦" << d.mid(1) << 0;
        if (f == "v1")
            zeile("Punkt") << d << "." << d + "." << 0;
        else
            zeile("Punkt") << d << "." << d << 1;
    }

    // Maximum lengths, on fields without a limit.
    QTest::newRow("tn1: 4 Ziffern") << "tn1"
                                    << ""
                                    << "98765"
                                    << "9876" << 0;
    QTest::newRow("tv1: 2 Ziffern") << "tv1"
                                    << ""
                                    << "987"
                                    << "98" << 0;
    QTest::newRow("xp2: 3 Ziffern") << "xp2"
                                    << ""
                                    << "9876"
                                    << "987" << 0;
    QTest::newRow("tv2: 2 Ziffern") << "tv2"
                                    << ""
                                    << "987"
                                    << "98" << 0;

    // The limits look at the text before the key's character goes in.
    QTest::newRow("w1: 999 noch erlaubt") << "w1"
                                          << ""
                                          << "999"
                                          << "999" << 0;
    QTest::newRow("w1: nächste Taste begrenzt") << "w1"
                                                << "999"
                                                << "1"
                                                << "99.9" << 1;
    QTest::newRow("w1: 1234") << "w1"
                              << ""
                              << "1234"
                              << "99.9" << 1;
    QTest::newRow("w1: Grenze bleibt") << "w1"
                                       << "99.9"
                                       << "a"
                                       << "99.9" << 1;
    QTest::newRow("w1: 99") << "w1"
                            << ""
                            << "99"
                            << "99" << 0;
    QTest::newRow("v1: 1.6") << "v1"
                             << ""
                             << "1.6"
                             << "1.6" << 0;
    QTest::newRow("v1: 12") << "v1"
                            << ""
                            << "12"
                            << "12" << 0;
    QTest::newRow("v1: 123") << "v1"
                             << ""
                             << "123"
                             << "9.9" << 1;
    QTest::newRow("v1: 9.9 bleibt") << "v1"
                                    << "9.9"
                                    << "a"
                                    << "9.9" << 1;
    QTest::newRow("maxdiff: 150 und Buchstabe") << "maxdiff"
                                                << "150"
                                                << "a"
                                                << "100" << 2;
    QTest::newRow("maxdiff: 100 bleibt") << "maxdiff"
                                         << "100"
                                         << "a"
                                         << "100" << 1;
    QTest::newRow("maxdiff: 1001") << "maxdiff"
                                   << ""
                                   << "1001"
                                   << "1001" << 0;
    QTest::newRow("maxdiff: 1001 dann Taste") << "maxdiff"
                                              << ""
                                              << "1001⌫"
                                              << "100" << 2;
}

void TestSeite3::tasten() {
    QFETCH(QString, name);
    QFETCH(QString, vorher);
    QFETCH(QString, tasten);
    QFETCH(QString, nachher);
    QFETCH(int, pieps);
    Aufbau a;
    auto* f = feld(a.zeigen(), name);
    f->setText(vorher); // caret at the end
    f->setFocus();
    const int anfang = shell::piep_zaehler();
    tippen(f, tasten);
    QCOMPARE(f->text(), nachher);
    QCOMPARE(shell::piep_zaehler() - anfang, pieps);
}

void TestSeite3::dezimaltrennzeichen_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France);
}

void TestSeite3::dezimaltrennzeichen() {
    QFETCH(QLocale, locale);
    LocaleWahl wahl(locale);
    const QString eigen = locale.decimalPoint();
    const QString fremd = eigen == "." ? QStringLiteral(",") : QStringLiteral(".");

    Aufbau a;
    auto* s = a.zeigen();
    auto* v1 = feld(s, "v1");

    // The user's separator goes in, the other one does not.
    int vorher = shell::piep_zaehler();
    eingeben(v1, "1" + fremd);
    QCOMPARE(v1->text(), QStringLiteral("1"));
    QCOMPARE(shell::piep_zaehler() - vorher, 1);
    vorher = shell::piep_zaehler();
    eingeben(v1, "1" + eigen + "6");
    QCOMPARE(v1->text(), "1" + eigen + "6");
    QCOMPARE(shell::piep_zaehler(), vorher);
    // Fields without a separator admit neither.
    vorher = shell::piep_zaehler();
    eingeben(feld(s, "tn1"), "4" + eigen + fremd + "0");
    QCOMPARE(feld(s, "tn1")->text(), QStringLiteral("40"));
    QCOMPARE(shell::piep_zaehler() - vorher, 2);

    // It reads as 1.6: the settled run of the hint box.
    eingeben(feld(s, "tv1"), "10");
    eingeben(feld(s, "xp2"), "30");
    eingeben(feld(s, "tv2"), "10");
    start(s);
    auto* kask = diagramm(s, "kask");
    QVERIFY2(std::abs(zahl(kask, 2, 200) - 49.9814) < 5e-5, qPrintable(kask->data(2, 200)));
    QVERIFY(kask->data(2, 200).contains(eigen));

    // The limit text is written with the user's separator too.
    eingeben(v1, "123");
    QCOMPARE(v1->text(), "9" + eigen + "9");
    eingeben(feld(s, "w1"), "1234");
    QCOMPARE(feld(s, "w1")->text(), "99" + eigen + "9");
}

// ---- keyboard focus and navigation -------------------------------------------------------

void TestSeite3::tabfolge_data() {
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("name");
    const char* const folge[] = {"tn1",    "v1",     "w1",  "tv1", "start",   "beenden",
                                 "zurück", "weiter", "xp2", "tv2", "maxdiff", "tn1"};
    for (int i = 0; i < int(std::size(folge)); ++i)
        QTest::newRow(qPrintable(QStringLiteral("%1 x Tab").arg(i)))
            << i << QString::fromUtf8(folge[i]);
}

void TestSeite3::tabfolge() {
    QFETCH(int, tabs);
    QFETCH(QString, name);
    Aufbau a;
    auto* s = a.zeigen();
    QVERIFY(QTest::qWaitForWindowActive(s));
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), name);
}

void TestSeite3::navigation() {
    Aufbau a;
    auto* s = a.zeigen();
    QCOMPARE(s->ladungen(), 1);
    s->element<QPushButton>("weiter")->click();
    QVERIFY(a.nav.seite(4));
    s->element<QPushButton>("zurück")->click();
    QVERIFY(a.nav.seite(2));
    // Shown again, the page is not loaded again.
    QCOMPARE(a.zeigen(), s);
    QCOMPARE(s->ladungen(), 1);
    bool ende = false;
    a.nav.programmende = [&] { ende = true; };
    s->element<QPushButton>("beenden")->click();
    QVERIFY(ende);
}

// ---- the tangent drawing -----------------------------------------------------------------

namespace {

struct Overlay {
    shell::Linie tangente, k, l;
    shell::Form kreis;
};

// The overlay as the element table places it in Picture1.
Overlay overlay() {
    Overlay o;
    int gefunden = 0;
    for (const auto& e : seiten::seite_3_elemente()) {
        if (const auto* l = std::get_if<shell::Linie>(&e);
            l && l->in && QByteArray(l->in) == "Picture1") {
            if (l->breite == 1)
                o.tangente = *l;
            else if (l->a.x == l->b.x)
                o.k = *l;
            else
                o.l = *l;
            ++gefunden;
        }
        if (const auto* f = std::get_if<shell::Form>(&e);
            f && f->in && QByteArray(f->in) == "Picture1") {
            o.kreis = *f;
            ++gefunden;
        }
    }
    if (gefunden != 4) qFatal("overlay incomplete");
    return o;
}

double tangente_bei(const shell::Linie& t, double x) {
    return t.a.y + double(t.b.y - t.a.y) / (t.b.x - t.a.x) * (x - t.a.x);
}

} // namespace

void TestSeite3::tangentenbild_passt_zum_overlay() {
    const Overlay o = overlay();
    const auto b = seiten::tangentenbild();
    const double m = double(o.tangente.b.y - o.tangente.a.y) / (o.tangente.b.x - o.tangente.a.x);
    const double h = 1; // twips, for the differences
    auto steigung = [&](double x) { return (b.kurve(x + h) - b.kurve(x - h)) / (2 * h); };
    auto kruemmung = [&](double x) {
        return (b.kurve(x + h) - 2 * b.kurve(x) + b.kurve(x - h)) / (h * h);
    };

    // It starts flat where K and L start.
    QCOMPARE(b.anfang, QPointF(o.k.a.x, o.l.a.y));
    QCOMPARE(b.kurve(b.anfang.x()), double(o.l.a.y));
    QVERIFY(std::abs(b.kurve(b.anfang.x() + 15) - o.l.a.y) < 1); // within a pixel of flat

    // It touches the tangent inside the circle, with the tangent's slope, and turns there.
    const shell::Rect r = shell::gezeichnete_flaeche(o.kreis);
    const QPointF mitte(r.x + r.w / 2.0, r.y + r.h / 2.0);
    QVERIFY(QLineF(mitte, b.wendepunkt).length() < r.w / 2.0);
    QVERIFY(std::abs(tangente_bei(o.tangente, b.wendepunkt.x()) - b.wendepunkt.y()) < 1e-6);
    QVERIFY(std::abs(b.kurve(b.wendepunkt.x()) - b.wendepunkt.y()) < 1e-6);
    QVERIFY(std::abs(steigung(b.wendepunkt.x()) - m) < 1e-4);
    QVERIFY(kruemmung(b.wendepunkt.x() - 200) < 0); // rising ever faster (y grows downwards)
    QVERIFY(kruemmung(b.wendepunkt.x() + 200) > 0); // then ever slower

    // S-shaped: rising all the way, on the time side of the tangent before the turn and under it
    // afterwards, never steeper than the tangent.
    double vorher = b.kurve(b.anfang.x());
    for (const QPointF& p : b.kurvenzug()) {
        QVERIFY(p.y() <= vorher + 1e-9);
        vorher = p.y();
        QVERIFY(p.y() <= tangente_bei(o.tangente, p.x()) + 1e-6 || p.x() > b.wendepunkt.x());
        if (p.x() > b.anfang.x()) QVERIFY(steigung(p.x()) >= m - 1e-6);
        QVERIFY(p.y() >= tangente_bei(o.tangente, p.x()) - 1e-6 || p.x() < b.wendepunkt.x());
    }
}

void TestSeite3::tangentenbild_achsen() {
    const Overlay o = overlay();
    const auto b = seiten::tangentenbild();
    // K and L read off the axes as the example's table computes with them: 20 K and 12 s.
    const double k = b.grad(b.anfang.y()) - b.grad(tangente_bei(o.tangente, b.anfang.x()));
    QVERIFY(std::abs(k - 20) < 1e-9);
    const double m = double(o.tangente.b.y - o.tangente.a.y) / (o.tangente.b.x - o.tangente.a.x);
    const double x_l = o.tangente.a.x + (b.anfang.y() - o.tangente.a.y) / m;
    QVERIFY(std::abs(b.zeit(x_l) - b.zeit(b.anfang.x()) - 12) < 1e-9);
    // The ends of K and L drawn in the overlay lie within a few pixels of the intercepts.
    QVERIFY(std::abs(tangente_bei(o.tangente, o.k.b.x) - o.k.b.y) < 2 * 15);
    QVERIFY(std::abs(x_l - o.l.b.x) < 4 * 15);

    // The curve starts at 0 s and room temperature and stays within 0..110 °C up to 80 s,
    // inside the picture box.
    QCOMPARE(b.zeit(b.anfang.x()), 0.0);
    QVERIFY(std::abs(b.grad(b.anfang.y()) - 20) < 1e-9);
    const auto zug = b.kurvenzug();
    QVERIFY(std::abs(b.zeit(zug.back().x()) - 80) < 1e-9);
    for (const QPointF& p : zug) {
        QVERIFY(b.grad(p.y()) >= 20 - 1e-9 && b.grad(p.y()) <= 110);
        QVERIFY(p.x() >= 0 && p.x() <= 7635 && p.y() >= 0 && p.y() <= 4275);
    }
    QVERIFY(b.grad(zug.back().y()) > 90); // it has nearly levelled off
}

QTEST_MAIN(TestSeite3)
#include "test_seite_3.moc"
