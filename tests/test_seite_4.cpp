// Page 4's figures: the set-point profile, the belt furnace's housing, the controllers on the bus,
// and the pictures. Texts, frames and clicks of the page are checked with page 1's.
#include "seite_1.h"
#include "seite_4.h"

#include <QImage>
#include <QTest>
#include <set>

using namespace shell;

namespace {

std::vector<Element> im_rahmen(std::string_view rahmen) {
    std::vector<Element> r;
    for (const Element& e : seiten::seite_4_elemente())
        if (const char* in = std::visit([](const auto& x) { return x.in; }, e); in && rahmen == in)
            r.push_back(e);
    return r;
}

template <class T> std::vector<T> nur(const std::vector<Element>& t) {
    std::vector<T> r;
    for (const Element& e : t)
        if (const auto* x = std::get_if<T>(&e)) r.push_back(*x);
    return r;
}

bool gleich(const Form& a, const Form& b, int dx, int dy) {
    return a.art == b.art && a.r == Rect{b.r.x + dx, b.r.y + dy, b.r.w, b.r.h} &&
           a.rand == b.rand && a.randbreite == b.randbreite && a.fuellung == b.fuellung;
}

int farben(const QImage& bild) {
    std::set<QRgb> f;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            f.insert(bild.pixel(x, y));
    return int(f.size());
}

} // namespace

class TestSeite4 : public QObject {
    Q_OBJECT
private slots:
    void sollwertverlauf() {
        std::vector<Linie> kurve;
        for (const Linie& l : nur<Linie>(im_rahmen("grafprg")))
            if (l.breite == 2) kurve.push_back(l);
        QCOMPARE(kurve.size(), size_t(6));
        int stufen = 0;
        for (size_t i = 0; i < kurve.size(); ++i) {
            const Linie& l = kurve[i];
            if (i > 0) QCOMPARE(l.a, kurve[i - 1].b); // one unbroken curve
            QVERIFY(l.a.x <= l.b.x);                  // time runs forward
            if (l.a.x == l.b.x) {
                ++stufen;
                QCOMPARE(l.a.x, 2400); // the step at the start of section 2
            }
            if (l.a.x >= 2400 && l.b.x <= 4440)
                QVERIFY(l.a.x == l.b.x || l.a.y == l.b.y); // no ramp
        }
        QCOMPARE(stufen, 1);
        QVERIFY(kurve.front().b.y < kurve.front().a.y); // rises on ramp 1
        QVERIFY(kurve[4].b.y > kurve[4].a.y);           // falls on ramp 3
    }

    void vier_gleiche_regler_am_bus() {
        const auto t = im_rahmen("busbild");
        std::vector<Form> regler;
        for (const Form& f : nur<Form>(t))
            if (f.fuellung != cyan) regler.push_back(f); // not the converter
        QCOMPARE(regler.size(), size_t(4 * 7));
        for (int k = 1; k < 4; ++k)
            for (int i = 0; i < 7; ++i)
                QVERIFY(gleich(regler[7 * k + i], regler[i], 1020 * k, 0));
        for (int i = 3; i < 6; ++i)
            QCOMPARE(regler[i + 1].r.x, regler[i].r.x + 135 - 15); // keys
        // Each drop of the bus ends on the middle of a housing's top edge.
        int abgriffe = 0;
        for (const Linie& l : nur<Linie>(t)) {
            if (l.a.x != l.b.x || l.b.y != 1440) continue;
            const Rect g = gezeichnete_flaeche(regler[7 * abgriffe++]);
            QVERIFY(g.y == 1440 && std::abs(g.x + g.w / 2 - l.a.x) <= 15);
        }
        QCOMPARE(abgriffe, 4);
        // Page 1's example draws the same controller, at (3600, 480).
        const auto beispiel = nur<Form>(seiten::seite_1_elemente());
        for (int i = 0; i < 7; ++i)
            QVERIFY(gleich(beispiel[i], regler[i], 3600 - 2400, 480 - 1440));
    }

    void gehaeuse_verdeckt_nichts() {
        std::vector<Form> grau;
        for (const Form& f : nur<Form>(im_rahmen("mzreg3")))
            if (f.rand == dunkelgrau) grau.push_back(f);
        QCOMPARE(grau.size(), size_t(1));
        QVERIFY(!grau[0].fuellung && !grau[0].schraffiert && grau[0].randbreite == 4);
        // Drawn: the belt shows inside the housing and where it crosses the housing's wall.
        Navigator nav;
        seiten::seite_4 seite(nav);
        const QImage bild = seite.element("mzreg3")->grab().toImage();
        for (int x : {3000, 1080 + 30, 5955 - 30})
            QCOMPARE(bild.pixelColor(x / 15, 1680 / 15), QColor(Qt::black));
    }

    void bilder() {
        const QImage pc(QStringLiteral(":/bilder/pc.xpm"));
        QCOMPARE(pc.size(), QSize(32, 32));
        QVERIFY(farben(pc) >= 6 && farben(pc) <= 16);
        const QImage logo(QStringLiteral(":/bilder/logo.xpm"));
        QCOMPARE(logo.size(), QSize(107, 53));
        QCOMPARE(farben(logo), 2);
        const auto rahmen = nur<Rahmen>(im_rahmen("busbild"));
        QVERIFY(rahmen.size() == 1 && !rahmen[0].rand &&
                rahmen[0].bild == std::string_view(":/bilder/pc.xpm"));
    }
};

QTEST_MAIN(TestSeite4)
#include "test_seite_4.moc"
