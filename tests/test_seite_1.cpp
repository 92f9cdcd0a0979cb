// Page 1's figures as data, and what holds for both static pages, 1 and 4: texts word for word,
// figures complete, everything inside its frame and legible, nothing but the buttons reacting.
// Page 4's own figures are checked in test_seite_4.cpp.
#include "seite_1.h"
#include "seite_4.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextLayout>

using namespace shell;

namespace {

// Headings and captions word for word (tab-separated: page, name, text).
const char* const wortlaute = R"(1	Label4	NORVA-Regler und Regeltechnik
1	titel1	1.  Begriffe
1	titel1(1)	1. Begriffe
1	titel2(1)	2. PID-Regler mit Simulation
1	titel3(1)	3. Kaskadenregler mit Simulation
1	titel4(1)	4. Weitere Möglichkeiten
1	begriff1	1.1 Beispiel einer Regelung
1	begriff5	1.2 Schema dieser Regelung
1	begri1	1.3 Stellglieder
1	begriff8	1.4 Regelverhalten
1	begri5	1.5 PID-Regler
1	begri6	1.6 Kaskadenregler
1	begriff62	Regelstrecke  (Heizplatte und Pfanne)
1	begriff63	Istwertmessung (Fühler)
1	begriff68	Stellgrösse y
1	begriff74	Eine Regelung ist immer ein geschlossener Kreis von Signalen
1	Label16	Hilfsstrecke (Heizplatte)
1	Label9	Sollwert w1
1	Label6	Eine Kaskadenregelung besteht aus 2 ineinander verschachtelten Kreisen
1	Label1	NORVA  AG
1	Label3	CH-0000 Musterhausen
4	titel4	4. Weitere Möglichkeiten
4	titel42	4.2 Mehrstufen-Regler
4	soft1	4.4 Software für Fernbedienung und Protokollierung
4	mzr25	 Regler   Band
4	mzr14	 Heizung 4
4	bus_text	Bus RS 485: bis zu 32 Geräte über eine Länge bis 1000 m mit 2-Draht-Leitung, bei Bedarf galvanisch getrennt.
4	konverter	ev. Konverter RS232/RS485
4	Firma	NORVA  AG)";

// What each paragraph must say (page, name, bold?, terms separated by "|").
const char* const absaetze = R"(1	begr1a	0	Grösse|Stellmittel
1	Label7	0	Pfanne|Temperatur-Istwert|Fühler|Energiezufuhr|Schalter
1	begri2	0	2-Punkt-Regler|3-Punkt-Regler|0 bis 100 %|stetige Regelung|Impuls-Pausen-Verhältnis|quasistetig
1	begr9	0	Soll- und Istwert|Regelverhalten
1	begri3	0	2-Punkt-Ein/Aus-Regler|Milch
1	s114a	0	kocht|Energie
1	begri51	0	PID-Regler|P-Verhalten|I-Anteil|D-Anteil|Ueberschwingen
1	begri52	1	Abschnitt 2|Regelparameter
1	begri61	0	zweiten Fühler
1	begri63	0	Kaskadenregler|'vorausschauend'
1	Label21	0	Verstärkung|P-Band|Stellgrösse y|PD-Regler|Hilfsgrösse|Anlage und Heizgut
1	Label22	1	Abschnitt 3|Regelparameter
4	txtprg	0	Programmregler|abschnittweise|Weiterschaltsignal
4	hinwprg	0	Hinweise:|Istwert|Abschnitt 2
4	proabs2	0	99 Abschnitt
4	progabs3	0	Wochenuhren
4	text_mst	0	Mehrstufenregler|Stellglieder|Heizregister|Kompressoren
4	msttext	0	3 bis 6 Stufen|takten|Thyristorschalter|Schützen
4	mzreg1	0	1 Fühler|Ein/Aus-Zustand|Master-Slave-System|Offset
4	Label1	0	Temperaturprofile|Bandgeschwindigkeiten
4	soft2	0	RS 485|Leitwarte|Protokollierung der Regelvorgänge|NORVA
4	einführung	0	NORVA|von A bis Z)";

std::vector<Element> tabelle(int seite) {
    return seite == 1 ? seiten::seite_1_elemente() : seiten::seite_4_elemente();
}

const char* rahmen_von(const Element& e) {
    return std::visit([](const auto& x) { return x.in; }, e);
}

std::vector<Element> im_rahmen(const std::vector<Element>& t, std::string_view rahmen) {
    std::vector<Element> r;
    for (const Element& e : t)
        if (rahmen_von(e) && rahmen == rahmen_von(e)) r.push_back(e);
    return r;
}

const Text* text(const std::vector<Element>& t, const QString& name) {
    for (const Element& e : t)
        if (const auto* x = std::get_if<Text>(&e); x && name == QString::fromUtf8(x->name))
            return x;
    return nullptr;
}

template <class T> int anzahl(const std::vector<Element>& t) {
    return int(
        std::count_if(t.begin(), t.end(), [](auto& e) { return std::holds_alternative<T>(e); }));
}

QString f(std::optional<Farbe> c) {
    return c ? QString::asprintf("#%02x%02x%02x", c->r, c->g, c->b) : QStringLiteral("-");
}

// One line per element, without its frame, for comparing figures; `ohne` names a text to skip.
QStringList beschreibungen(const std::vector<Element>& t, std::string_view ohne) {
    QStringList l;
    auto r = [](Rect x) { return QString::asprintf("%d,%d,%d,%d", x.x, x.y, x.w, x.h); };
    for (const Element& e : t) {
        if (const auto* x = std::get_if<Text>(&e); x && ohne != x->name)
            l << QStringLiteral("Text %1 %2 %3").arg(x->name, x->text, r(x->r));
        if (const auto* x = std::get_if<Linie>(&e))
            l << QString::asprintf("Linie %d,%d-%d,%d ", x->a.x, x->a.y, x->b.x, x->b.y) +
                     f(x->farbe) + QString::number(x->breite);
        if (const auto* x = std::get_if<Form>(&e))
            l << QStringLiteral("Form %1 %2 %3%4 %5%6")
                     .arg(int(x->art))
                     .arg(r(x->r), f(x->rand))
                     .arg(x->randbreite)
                     .arg(f(x->fuellung))
                     .arg(x->schraffiert);
    }
    return l;
}

// Where QLabel puts its text; framed labels of these pages have no indent.
QRect textrahmen(const QLabel* l) {
    return l->contentsRect();
}

QRect textflaeche(const QLabel* l) {
    const int wrap = l->wordWrap() ? Qt::TextWordWrap : 0;
    return l->fontMetrics().boundingRect(textrahmen(l), int(l->alignment()) | wrap, l->text());
}

QStringList zeilen(const QLabel* l) {
    QTextLayout lay(l->text(), l->font());
    QTextOption o;
    o.setWrapMode(l->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    lay.setTextOption(o);
    QStringList z;
    lay.beginLayout();
    for (QTextLine t = lay.createLine(); t.isValid(); t = lay.createLine()) {
        t.setLineWidth(textrahmen(l).width());
        z << l->text().mid(t.textStart(), t.textLength());
    }
    lay.endLayout();
    return z;
}

// A hand-placed break ("Ener- gie"); "Soll- und Istwert" is none.
const QRegularExpression trennung(QStringLiteral("(?<=[a-zäöü])- (?!und |oder )(?=[a-zäöü])"));

// A built page; its neighbours are empty stand-ins, so that navigation shows in angelegt().
struct Aufbau {
    Navigator nav;
    int enden = 0;
    Seitenfenster* seite = nullptr;
    explicit Aufbau(int nummer) {
        nav.programmende = [this] { ++enden; };
        for (int n : {2, 3})
            nav.anmelden(n, [](Navigator& v) {
                return std::make_unique<Seitenfenster>(
                    v, Seitenfenster::Vorgaben{"", 150, 150, {}, {}, 0, 0, false});
            });
        nav.anmelden(1, [](Navigator& v) { return std::make_unique<seiten::seite_1>(v); });
        nav.anmelden(4, [](Navigator& v) { return std::make_unique<seiten::seite_4>(v); });
        seite = nav.seite_zeigen(nummer);
    }
};

void zeilen_data(const char* tabelle, std::initializer_list<const char*> spalten) {
    QTest::addColumn<int>("seite");
    for (const char* s : spalten)
        QTest::addColumn<QString>(s);
    for (const QString& z : QString::fromUtf8(tabelle).split('\n')) {
        const QStringList t = z.split('\t');
        auto& zeile = QTest::addRow("%s %s", qPrintable(t[0]), qPrintable(t[1])) << t[0].toInt();
        for (int i = 1; i <= int(spalten.size()); ++i)
            zeile << t[i];
    }
}

void seiten_data() {
    QTest::addColumn<int>("seite");
    QTest::newRow("Seite 1") << 1;
    QTest::newRow("Seite 4") << 4;
}

} // namespace

class TestSeite1 : public QObject {
    Q_OBJECT
    const std::vector<Element> m_t = seiten::seite_1_elemente();

private slots:
    void figur_1_6a_ist_figur_1_1_mit_zweitem_fuehler() {
        const QStringList einfach = beschreibungen(im_rahmen(m_t, "begriff4"), "Label7");
        const QStringList kaskade = beschreibungen(im_rahmen(m_t, "kaskade_bild"), "begri63");
        QCOMPARE(einfach.size(), 12 + 9 + 1);
        QCOMPARE(kaskade.mid(0, einfach.size()), einfach);
        QCOMPARE(kaskade.mid(einfach.size()), QStringList({"Linie 4440,840-4920,840 #0000001",
                                                           "Linie 4920,840-4920,960 #0000001",
                                                           "Linie 4920,960-5280,1200 #0000003"}));
    }

    void figurenumfang_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<QString>("rahmen");
        QTest::addColumn<QList<int>>("texte_linien_formen_bilder");
        QTest::newRow("Inhalt") << 1 << "inhaltsverz" << QList{8, 0, 0, 0};
        QTest::newRow("1.1") << 1 << "begriff4" << QList{2, 9, 12, 0};
        QTest::newRow("1.2") << 1 << "begriff6" << QList{9, 23, 0, 0};
        QTest::newRow("1.6a") << 1 << "kaskade_bild" << QList{2, 12, 12, 0};
        QTest::newRow("1.6b") << 1 << "kaskade_schema" << QList{13, 33, 0, 0};
        QTest::newRow("4.1") << 4 << "grafprg" << QList{11, 13, 0, 0};
        QTest::newRow("4.2") << 4 << "mstreg" << QList{3, 9, 10, 0};
        QTest::newRow("4.3") << 4 << "mzreg3" << QList{10, 14, 3, 0};
        QTest::newRow("4.4") << 4 << "busbild" << QList{2, 8, 30, 1};
        for (int s : {1, 4})
            QTest::addRow("Befehle %d", s) << s << "zul_befehle" << QList{3, 0, 0, 1};
    }
    void figurenumfang() {
        QFETCH(int, seite);
        QFETCH(QString, rahmen);
        QFETCH(QList<int>, texte_linien_formen_bilder);
        const auto t = im_rahmen(tabelle(seite), rahmen.toStdString());
        QCOMPARE((QList{anzahl<Text>(t), int(alle_linien(t).size()), anzahl<Form>(t),
                        anzahl<Rahmen>(t)}),
                 texte_linien_formen_bilder);
    }

    void pfeilspitzen() {
        int pfeile = 0;
        for (const Element& e : m_t) {
            const auto* p = std::get_if<Pfeil>(&e);
            if (!p) continue;
            ++pfeile;
            const Punkt s = p->punkte.back(), v = p->punkte[p->punkte.size() - 2];
            QVERIFY2(v.x == s.x || v.y == s.y, "the last stretch is not axis-parallel");
            QVERIFY(std::abs(s.x - v.x) + std::abs(s.y - v.y) >= 120); // the head fits the shaft
            const auto linien = alle_linien({e});
            const Linie a = linien[linien.size() - 2], b = linien.back();
            QVERIFY(a.b == s && b.b == s);
            for (const Linie& l : {a, b})
                QVERIFY(std::abs(l.a.x - s.x) == 120 && std::abs(l.a.y - s.y) == 120);
            // The feet mirror each other across the shaft and lie behind the tip.
            const bool waagrecht = v.y == s.y;
            QVERIFY(waagrecht ? a.a.x == b.a.x && a.a.y + b.a.y == 2 * s.y
                              : a.a.y == b.a.y && a.a.x + b.a.x == 2 * s.x);
            QVERIFY(waagrecht ? (a.a.x - s.x) * (v.x - s.x) > 0 : (a.a.y - s.y) * (v.y - s.y) > 0);
        }
        QCOMPARE(pfeile, 7 + 8);
    }

    void farbige_linien_data() {
        QTest::addColumn<QString>("rahmen");
        QTest::addColumn<QString>("farbe");
        QTest::addColumn<int>("anzahl");
        QTest::newRow("1.1") << "begriff4"
                             << "#c0c0c0" << 2;
        QTest::newRow("1.2") << "begriff6"
                             << "" << 0;
        QTest::newRow("1.6a") << "kaskade_bild"
                              << "#c0c0c0" << 2;
        QTest::newRow("1.6b") << "kaskade_schema"
                              << "#0000ff" << 5;
    }
    void farbige_linien() {
        QFETCH(QString, rahmen);
        QFETCH(QString, farbe);
        QFETCH(int, anzahl);
        int n = 0;
        for (const Linie& l : alle_linien(im_rahmen(m_t, rahmen.toStdString()))) {
            if (l.farbe == schwarz) continue;
            ++n;
            QCOMPARE(f(l.farbe), farbe);
            // A leader runs straight down from its name and stops above the forward path.
            if (farbe == "#0000ff") QVERIFY(l.a.x == l.b.x && l.a.y < l.b.y && l.b.y < 900);
        }
        QCOMPARE(n, anzahl);
    }

    void inhalt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("leiter");
        QTest::newRow("s1") << "s1"
                            << " " + QString(105, '.') + " Seite 1";
        QTest::newRow("s2") << "s2" << QString(82, '.') + " Seite 2";
        QTest::newRow("s3") << "s3" << QString(63, '.') + " Seite 3";
        QTest::newRow("s4") << "s4" << QString(74, '.') + " Seite 4";
    }
    void inhalt() {
        QFETCH(QString, name);
        QFETCH(QString, leiter);
        const Text* t = text(m_t, name);
        QVERIFY(t);
        QCOMPARE(QString::fromUtf8(t->text), leiter);
        QCOMPARE(t->r.x + t->r.w, 7455);
        QCOMPARE(t->ausrichtung, Ausrichtung::Rechts);
    }

    void wortlaut_data() { zeilen_data(wortlaute, {"name", "wortlaut"}); }
    void wortlaut() {
        QFETCH(int, seite);
        QFETCH(QString, name);
        QFETCH(QString, wortlaut);
        const Text* t = text(tabelle(seite), name);
        QVERIFY(t);
        QCOMPARE(QString::fromUtf8(t->text), wortlaut);
    }

    void absatz_data() { zeilen_data(absaetze, {"name", "fett", "begriffe"}); }
    void absatz() {
        QFETCH(int, seite);
        QFETCH(QString, name);
        QFETCH(QString, fett);
        QFETCH(QString, begriffe);
        const Text* t = text(tabelle(seite), name);
        QVERIFY(t);
        QVERIFY(t->art == Art::Absatz && t->schrift.fett == (fett == "1"));
        const QString s = QString::fromUtf8(t->text).remove(trennung);
        QVERIFY2(!s.contains(QChar(0xdf)), "Swiss spelling: ss"); // ß
        for (const QString& b : begriffe.split('|'))
            QVERIFY2(s.contains(b), qPrintable(b));
    }

    void nur_die_knoepfe_reagieren_data() { seiten_data(); }
    void nur_die_knoepfe_reagieren() {
        QFETCH(int, seite);
        Aufbau a(seite);
        QCOMPARE(a.seite->windowTitle(), QStringLiteral("Seite %1").arg(seite));
        QCOMPARE(a.seite->size(), seite == 1 ? QSize(1016, 741) : QSize(1016, 710));
        const char* erster = seite == 1 ? "weiter" : "zurück";
        const char* fehlt = seite == 1 ? "zurück" : "weiter";
        QCOMPARE(a.seite->focusWidget(), a.seite->element(erster));
        QCOMPARE(a.seite->element(erster)->nextInFocusChain(), a.seite->element("beenden"));
        QVERIFY(!a.seite->element(fehlt));
        for (QWidget* w : a.seite->findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(w)) continue;
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
            if (auto* l = qobject_cast<QLabel*>(w))
                QVERIFY(
                    !(l->textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextEditable)));
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        }
        QCOMPARE(a.nav.angelegt(), 1);
        QCOMPARE(a.enden, 0);
        QTest::mouseClick(a.seite->element<QPushButton>(erster), Qt::LeftButton);
        QCOMPARE(a.nav.angelegt(), 2);
    }

    void alles_liegt_in_seinem_rahmen_data() { seiten_data(); }
    void alles_liegt_in_seinem_rahmen() {
        QFETCH(int, seite);
        Aufbau a(seite);
        for (QWidget* w : a.seite->findChildren<QWidget*>()) {
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry()),
                     qPrintable(w->objectName()));
            const auto* fl = qobject_cast<Flaeche*>(w);
            if (!fl) continue;
            const QRect innen(0, 0, fl->width() * 15, fl->height() * 15);
            for (const Linie& l : fl->linien())
                QVERIFY2(innen.contains(QPoint(l.a.x, l.a.y)) &&
                             innen.contains(QPoint(l.b.x, l.b.y)),
                         qPrintable(fl->objectName()));
            for (const Form& s : fl->formen())
                QVERIFY2(innen.contains(QRect(s.r.x, s.r.y, s.r.w, s.r.h)),
                         qPrintable(fl->objectName()));
        }
    }

    void texte_passen_data() { seiten_data(); }
    void texte_passen() {
        QFETCH(int, seite);
        Aufbau a(seite);
        const auto labels = a.seite->findChildren<QLabel*>();
        for (const QLabel* l : labels) {
            const QString wo = l->objectName() + ": " + l->text().left(40);
            QVERIFY2(l->frameWidth() == 0 || l->indent() == 0,
                     qPrintable(wo)); // text at the border
            QVERIFY2(textrahmen(l).contains(textflaeche(l)), qPrintable(wo));
            // A hand-placed break shows as "Ener- gie" unless it falls at the end of a line.
            for (const QString& z : zeilen(l))
                QVERIFY2(!z.contains(trennung), qPrintable(z));
            for (const QLabel* m : labels)
                if (l < m && l->parentWidget() == m->parentWidget())
                    QVERIFY2(!textflaeche(l).translated(l->pos()).intersects(
                                 textflaeche(m).translated(m->pos())),
                             qPrintable(wo + " / " + m->objectName()));
        }
    }
};

QTEST_MAIN(TestSeite1)
#include "test_seite_1.moc"
