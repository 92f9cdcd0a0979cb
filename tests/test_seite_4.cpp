// Page 4's own figure: the controllers on the bus. Texts, frames and clicks of the page are
// checked with page 1's.
#include "seite_1.h"
#include "seite_4.h"

#include <QTest>

using namespace shell;

namespace {

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

class TestSeite4 : public QObject {
    Q_OBJECT
private slots:
    // Four copies of one controller, 1020 twips apart, each hanging from the bus by a drop that
    // ends on the middle of its housing's top edge; page 1's example draws the same controller.
    void vier_gleiche_regler_am_bus() {
        const auto t = seiten::seite_4_elemente();
        std::vector<Form> regler = nur<Form>(t, "busbild");
        std::erase_if(regler, [](const Form& f) { return f.fuellung == cyan; }); // the converter
        const int n = int(regler.size()) / 4;
        QVERIFY(n > 0 && int(regler.size()) == 4 * n);
        for (int k = 1; k < 4; ++k)
            for (int i = 0; i < n; ++i)
                QVERIFY2(gleich(regler[n * k + i], regler[i], 1020 * k, 0),
                         qPrintable(QString::number(k)));
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
};

QTEST_MAIN(TestSeite4)
#include "test_seite_4.moc"
