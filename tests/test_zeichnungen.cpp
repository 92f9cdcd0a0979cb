// The drawn pages, 1 and 4: the figures' arrowheads, nothing but the buttons reacting; and for all
// four pages, at full size and smaller: everything in its place, every text legible in its box,
// every button whole inside its frame.
#include "schaubild.h"
#include "schrift.h"
#include "schriften.h"
#include "seite_1.h"
#include "seite_2.h"
#include "seite_3.h"
#include "seite_4.h"
#include "seitentest.h"

#include <QLabel>
#include <QScreen>
#include <QToolTip>
#include <set>

using namespace shell;

namespace {

// Where a label's text lands: framed labels of these pages have no indent. On a page built
// smaller by `m`, the text is laid out at full size and drawn scaled (counted to the half pixel).
QRect textflaeche(const QLabel* l, double m = 1) {
    const int art = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
    if (m == 1) return l->fontMetrics().boundingRect(l->contentsRect(), art, l->text());
    const QRectF innen = l->contentsRect();
    const QRectF voll = QFontMetricsF(l->font()).boundingRect(
        QRectF(innen.topLeft() / m, innen.size() / m), art, l->text());
    const QRectF klein(voll.topLeft() * m, voll.size() * m);
    return klein.adjusted(0.5, 0.5, -0.5, -0.5).toAlignedRect();
}

template <class T> std::vector<T> nur(const std::vector<Element>& t, std::string_view rahmen) {
    std::vector<T> r;
    for (const Element& e : t)
        if (const auto* x = std::get_if<T>(&e); x && x->in && rahmen == x->in) r.push_back(*x);
    return r;
}

bool gleich(const Form& a, const Form& b, int dx, int dy) {
    return a.art == b.art && a.r == Rect{b.r.x + dx, b.r.y + dy, b.r.w, b.r.h} &&
           a.rand == b.rand && a.randbreite == b.randbreite && a.fuellung == b.fuellung &&
           a.schraffiert == b.schraffiert;
}

} // namespace

// What the charts of pages 2 and 3 write after runs with both aids on, at a scale.
std::set<QString> diagrammtexte(double massstab);

class TestZeichnungen : public QObject {
    Q_OBJECT
    const std::vector<Element> m_t = seiten::seite_1_elemente();

private slots:
    // The core measures text as the desktop does: for every text the pages write (each line and
    // word of a label, in its font) and the charts write, at every scale Ctrl+Plus and Ctrl+Minus
    // reach, QFontMetricsF gives exactly the core's width (FreeType's advances, cut to 1/64 px,
    // add up without rounding), and its line the core's height.
    void schriftbreiten_data() {
        QTest::addColumn<double>("massstab");
        for (double m : massstaebe)
            QTest::addRow("%g", m) << m;
    }
    void schriftbreiten() {
        QFETCH(double, massstab);
        std::map<std::pair<double, bool>, std::set<QString>> texte; // by font
        for (const std::vector<Element>& tabelle :
             {seiten::seite_1_elemente(), seiten::seite_2_elemente(), seiten::seite_3_elemente(),
              seiten::seite_4_elemente()})
            for (const Element& e : tabelle) {
                Schrift s = fett;
                QString t;
                if (const auto* x = std::get_if<Text>(&e)) s = x->schrift, t = x->text;
                if (const auto* x = std::get_if<Knopf>(&e)) t = x->text;
                if (const auto* x = std::get_if<Rahmen>(&e)) s = x->schrift, t = x->titel;
                for (const QString& zeile : t.split('\n'))
                    for (const QString& wort : zeile.split(' ') + QStringList{zeile})
                        texte[{s.punkte, s.fett}].insert(wort);
            }
        texte[{normal.punkte, false}].merge(diagrammtexte(massstab));
        texte[{normal.punkte, false}].insert(QStringLiteral("a\u200Bb")); // a zero-width space
        QVERIFY(texte[(std::pair{normal.punkte, false})].size() > 200);
        for (const auto& [schrift, liste] : texte) {
            const QFont f =
                shell::schrift({"MS Sans Serif", schrift.first, schrift.second}, massstab);
            QCOMPARE(f.pixelSize(), darstellung::schrift_px(schrift.first, massstab));
            QCOMPARE(QFontMetrics(f).height(), darstellung::zeile_bei(f.pixelSize()).hoehe());
            const QFontMetricsF fm(f);
            for (const QString& t : liste)
                QVERIFY2(fm.horizontalAdvance(t) == darstellung::textbreite(t.toStdString(),
                                                                            schrift.second,
                                                                            f.pixelSize()),
                         qPrintable(QStringLiteral("%1 px: ").arg(f.pixelSize()) + t));
        }
    }

    // The browser's read-out tooltip takes its box from the core: the widest of its lines and
    // every line's height in the pages' font, as Qt measures them, with its padding and frame.
    void tippbox_data() {
        QTest::addColumn<QString>("text");
        QTest::addRow("the wider below") << "t = 3 s\nvorher: Sollwert = 30 °C · Soll 30 °C";
        QTest::addRow("an empty last") << "t = 1 s\n";
    }
    void tippbox() {
        QFETCH(QString, text);
        schriften_laden();
        const QFont f = shell::schrift(normal, 1);
        double breit = 0;
        for (const QString& zeile : text.split('\n'))
            breit = std::max(breit, QFontMetricsF(f).horizontalAdvance(zeile));
        const darstellung::rechteck r = darstellung::tipp_box(text.toStdString());
        QCOMPARE(r.b, std::ceil(breit) + 2 * 4 + 2);
        QCOMPARE(r.h, text.count('\n') * QFontMetrics(f).height() + QFontMetrics(f).height() + 6);
    }

    // Each head: two strokes from 120 twips behind the tip and 120 to either side, mirrored
    // across an axis-parallel last stretch at least as long as the head.
    void pfeilspitzen() {
        for (const Element& e : m_t) {
            const auto* p = std::get_if<Pfeil>(&e);
            if (!p) continue;
            const Punkt s = p->punkte.back(), v = p->punkte[p->punkte.size() - 2];
            QVERIFY((v.x == s.x || v.y == s.y) && std::abs(s.x - v.x) + std::abs(s.y - v.y) >= 120);
            const auto linien = alle_linien({e});
            const Linie a = linien[linien.size() - 2], b = linien.back();
            QVERIFY(a.b == s && b.b == s);
            QVERIFY(std::abs(a.a.x - s.x) == 120 && std::abs(a.a.y - s.y) == 120);
            const bool waagrecht = v.y == s.y;
            QVERIFY(waagrecht ? a.a.x == b.a.x && a.a.y + b.a.y == 2 * s.y
                              : a.a.y == b.a.y && a.a.x + b.a.x == 2 * s.x);
            QVERIFY(waagrecht ? (a.a.x - s.x) * (v.x - s.x) > 0 : (a.a.y - s.y) * (v.y - s.y) > 0);
        }
    }

    // Four controllers on the bus that look the same on the screen, 1020 twips (68 px) apart, each
    // with its keys overlapping their neighbours by 15 twips, each hanging from the bus by a drop
    // that ends on the middle of its housing's top edge; page 1's example is the same controller.
    void vier_gleiche_regler_am_bus() {
        const auto t = seiten::seite_4_elemente();
        std::vector<Form> regler = nur<Form>(t, "busbild");
        std::erase_if(regler, [](const Form& f) { return f.fuellung == cyan; }); // the converter
        const int n = int(regler.size()) / 4;
        QVERIFY(n > 0 && int(regler.size()) == 4 * n);
        Seite seite(4);
        const QImage gemalt = seite.seite->element("busbild")->grab().toImage();
        const QRect erster = pixel(gezeichnete_flaeche(regler.front())).adjusted(-2, -2, 2, 2);
        for (int k = 1; k < 4; ++k)
            QVERIFY2(gemalt.copy(erster.translated(68 * k, 0)) == gemalt.copy(erster),
                     qPrintable(QString::number(k)));
        for (int k = 0; k < 4; ++k) {
            std::vector<Rect> tasten;
            for (int i = n * k; i < n * (k + 1); ++i)
                if (regler[i].r.w == 135 && regler[i].r.h == 135) tasten.push_back(regler[i].r);
            QCOMPARE(int(tasten.size()), 4);
            for (size_t i = 1; i < tasten.size(); ++i)
                QCOMPARE(tasten[i - 1].x + tasten[i - 1].w - tasten[i].x, 15);
        }
        int abgriffe = 0;
        for (const Linie& l : nur<Linie>(t, "busbild"))
            if (l.a.x == l.b.x && l.b.y == 1440) {
                const Rect g = gezeichnete_flaeche(regler.at(n * abgriffe++));
                QVERIFY(g.y == 1440 && std::abs(g.x + g.w / 2 - l.a.x) <= 15);
            }
        QCOMPARE(abgriffe, 4);
        const auto beispiel = nur<Form>(seiten::seite_1_elemente(), "begriff4");
        for (int i = 0; i < n; ++i)
            QVERIFY(gleich(beispiel.at(i), regler[i], 3600 - 2400, 480 - 1440));
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

        double davor = b.anfang.y();
        for (const QPointF& p : b.kurvenzug()) {
            QVERIFY(p.y() <= davor + 1e-9 && steigung(p.x()) >= m - 1e-6); // rising, not steeper
            QVERIFY((p.y() - tangente(p.x())) * (p.x() - b.wendepunkt.x()) >= -1e-6);
            davor = p.y();
        }
        QVERIFY(b.grad(davor) > 90 && b.grad(davor) <= 110); // nearly levelled off by 80 s
    }

    // On each built page each widget lies in its parent (a label: its text), every line and shape
    // inside its surface, every label's text inside its box and clear of its neighbours'; ss, never
    // ß. The same on a screen lower than the page (the test screen): built smaller as a whole, the
    // page opens wholly on it. The pages are drawn documents with fixed colours: a dark desktop
    // palette changes no pixel. On pages 1 and 4 only buttons take the focus or react to clicks.
    void alles_passt_data() {
        QTest::addColumn<int>("seite");
        QTest::addColumn<bool>("verkleinert");
        for (int s : {1, 2, 3, 4})
            for (bool v : {false, true})
                QTest::addRow("Seite %d%s", s, v ? " verkleinert" : "") << s << v;
    }
    void alles_passt() {
        QFETCH(int, seite);
        QFETCH(bool, verkleinert);
        Seite a(seite, verkleinert);
        const double massstab = a.seite->massstab();
        QCOMPARE(massstab < 1, verkleinert);
        const auto& v = a.seite->vorgaben();
        QVERIFY(qAbs(a.seite->width() - pixel({0, 0, v.breite, v.hoehe}).width() * massstab) <= 1);
        if (verkleinert)
            QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(
                QRect(a.seite->pos(), a.seite->size() + fensterrahmen)));
        const QPalette vorher = QApplication::palette(), tipp_vorher = QToolTip::palette();
        QPalette dunkel_farben(QColor(220, 220, 220), QColor(40, 40, 40), Qt::darkGray, Qt::black,
                               Qt::gray, Qt::white, Qt::black);
        dunkel_farben.setColor(QPalette::ToolTipBase, QColor(40, 40, 40));
        QApplication::setPalette(dunkel_farben);
        QToolTip::setPalette(dunkel_farben); // the charts' read-out too
        const QImage dunkel = Seite(seite, verkleinert).seite->grab().toImage();
        // The program's own colours stay the core's: the read-out's, what is chosen.
        namespace fb = darstellung::elemente::farben;
        QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), farbe(fb::tipp));
        QCOMPARE(a.seite->palette().color(QPalette::Highlight), farbe(fb::auswahl));
        QApplication::setPalette(vorher);
        QToolTip::setPalette(tipp_vorher);
        QVERIFY(a.seite->grab().toImage() == dunkel);
        const auto labels = a.seite->findChildren<QLabel*>();
        const auto auf_der_flaeche = [massstab](const QLabel* l) { // in its parent
            return textflaeche(l, massstab).translated(l->pos());
        };
        for (QWidget* w : a.seite->findChildren<QWidget*>()) {
            const QString wo = w->objectName();
            if ((seite == 1 || seite == 4) && !qobject_cast<QPushButton*>(w)) {
                QCOMPARE(w->focusPolicy(), Qt::NoFocus);
                QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
            }
            // Charts may reach past the window's edge by their tables (and keep their plot
            // inside); labels may, where their text does not.
            if (qobject_cast<Diagrammfeld*>(w) || qobject_cast<Diagrammfeld*>(w->parentWidget()) ||
                qobject_cast<Diagrammfeld*>(w->parentWidget()->parentWidget()))
                continue;
            const auto* l = qobject_cast<QLabel*>(w);
            QVERIFY2(w->parentWidget()->rect().contains(l ? auf_der_flaeche(l) : w->geometry()),
                     qPrintable(wo));
            // A button is whole inside its frame's border line, not cut by it.
            if (const auto* rahmen = qobject_cast<Flaeche*>(w->parentWidget());
                rahmen && rahmen->umrandet() && qobject_cast<QPushButton*>(w))
                QVERIFY2(rahmen->rect().adjusted(1, 1, -1, -1).contains(w->geometry()),
                         qPrintable(wo));
            if (const auto* fl = qobject_cast<Flaeche*>(w)) {
                // In twips; a smaller page's edges may round half a pixel inwards.
                const double m = fl->massstab(), rand = m < 1 ? 1 : 0;
                const QRect innen(0, 0, qCeil((fl->width() + rand) * 15 / m),
                                  qCeil((fl->height() + rand) * 15 / m));
                for (const Linie& l : fl->linien())
                    QVERIFY2(innen.contains(QPoint(l.a.x, l.a.y)) &&
                                 innen.contains(QPoint(l.b.x, l.b.y)),
                             qPrintable(wo));
                for (const Form& f : fl->formen())
                    QVERIFY2(innen.contains(QRect(f.r.x, f.r.y, f.r.w, f.r.h)), qPrintable(wo));
            }
            if (!l) continue;
            QVERIFY2(
                l->contentsRect().contains(textflaeche(l, massstab)) &&
                    (!l->frameWidth() || !l->indent()) && !l->text().contains(QChar(0xdf)) &&
                    !(l->textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextEditable)),
                qPrintable(wo));
            // (Page 3's company line box reaches into the street's by its table, not its letters.)
            const auto firma_3 = [&](const QLabel* x) {
                return seite == 3 && x->objectName() == QLatin1String("firma");
            };
            for (const QLabel* m : labels)
                if (l < m && l->parentWidget() == m->parentWidget() && !firma_3(l) && !firma_3(m))
                    QVERIFY2(!auf_der_flaeche(l).intersects(auf_der_flaeche(m)),
                             qPrintable(wo + " / " + m->objectName()));
        }
        QCOMPARE(a.nav.angelegt(), 1);
        QCOMPARE(a.enden, 0);
    }
};

std::set<QString> diagrammtexte(double massstab) {
    const LernhilfenAus an(true, true);
    std::set<QString> texte;
    for (int n : {2, 3}) {
        Seite s(n);
        s.seite->massstab_anwenden(massstab);
        for (const char* lauf : {"20", "35"})
            s.laufen(QString::fromLatin1(n == 2 ? "xp1=" : "v1=") + QString::fromLatin1(lauf));
        for (Diagrammfeld* d : s.seite->findChildren<Diagrammfeld*>()) {
            QStringList neu = ::texte(d);
            for (int z = 1; z <= d->zeilenzahl(); z += 7) {
                d->zeiger_setzen(z);
                neu += d->ablesung().split('\n');
            }
            texte.insert(neu.begin(), neu.end());
        }
    }
    return texte;
}

QTEST_MAIN(TestZeichnungen)
#include "test_zeichnungen.moc"
