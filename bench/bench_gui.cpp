// The program's own work at the screen beside Qt's floor for the same work, offscreen: medians of
// repeated runs in one process, one line per figure ("name: ours X ms, floor Y ms, ratio R"); the
// times are CPU time of the GUI thread.
// The floor does a page's work the plainest Qt way: a window of the page's size per page, its
// texts as plain labels (a one-line label as large as its text), its frames as group boxes, its
// fields and buttons as line edits and push buttons, its charts as Qt Charts views of the same
// sizes with as many series and points, antialiased like ours. Lines and shapes are left out.
//   bench_gui [--runden N] [--nur start|oeffnen|grafik|speicher|skala]
// Memory is the peak resident set of a child process (this program with --speicher).
#include "diagrammfeld.h"
#include "pid.h"
#include "seite_1.h"
#include "seite_2.h"
#include "seite_3.h"
#include "seite_4.h"
#include "seiten.h"
#include "zahlen.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <vector>

using shell::Diagramm;
using shell::Diagrammfeld;
using shell::Navigator;
using shell::Seitenfenster;

namespace {

int runden = 15;

// Counts paints of our charts and of Qt Charts' viewports, to be sure both sides drew theirs.
class Malzaehler : public QObject {
public:
    int n = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        if (qobject_cast<Diagrammfeld*>(o))
            ++n;
        else if (auto* v = qobject_cast<QChartView*>(o->parent()); v && v->viewport() == o)
            ++n;
        return false;
    }
};
Malzaehler* malzaehler = nullptr;

// Everything pending delivered: expose, layout, the scene's deferred updates, the paints they
// lead to. Both sides pay the same.
void abarbeiten() {
    for (int i = 0; i < 8; ++i)
        QCoreApplication::processEvents();
}

// CPU time of this (the GUI) thread: other load on the machine does not count.
double cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// The timed work, by name, for a profiler: valgrind --tool=callgrind --toggle-collect='*gemessen*'
[[gnu::noinline]] void gemessen(const std::function<void()>& arbeit) {
    arbeit();
}
int aufgewaermt = 0;
[[gnu::noinline]] void aufwaermen(const std::function<void()>& arbeit) {
    ++aufgewaermt; // not the same code as gemessen, which the compiler would fold into one
    arbeit();
}

// `vorher` builds the state (untimed), `arbeit` is timed, `nachher` tears down (untimed).
struct Messung {
    std::function<void()> vorher = [] {};
    std::function<void()> arbeit;
    std::function<void()> nachher = [] {};
    bool diagramme = true; // the work paints a chart
};

double runde(const Messung& m, bool aufwaermrunde) {
    m.vorher();
    const int gemalt = malzaehler->n;
    const double t0 = cpu_ms();
    aufwaermrunde ? aufwaermen(m.arbeit) : gemessen(m.arbeit);
    const double t = cpu_ms() - t0;
    if (m.diagramme && malzaehler->n == gemalt) std::fprintf(stderr, "warning: no chart painted\n");
    m.nachher();
    abarbeiten();
    return t;
}

// Ours and the floor, round by round in turn, so that a change of load on the machine meets
// both alike; first one unmeasured round of each, for what is loaded once per process. Medians.
std::pair<double, double> vergleichen(const Messung& unser, const Messung& boden, int n = runden) {
    runde(unser, true);
    runde(boden, true);
    std::vector<double> u, b;
    for (int i = 0; i < n; ++i) {
        u.push_back(runde(unser, false));
        b.push_back(runde(boden, false));
    }
    return {median(u), median(b)};
}

void zeile(const char* name, double unser, double boden, const char* einheit = "ms") {
    std::printf("%s: ours %.2f %s, floor %.2f %s, ratio %.2f\n", name, unser, einheit, boden,
                einheit, unser / boden);
    std::fflush(stdout);
}

// ---- the floor: bare chart views

std::vector<const Diagramm*> diagramme(const std::vector<shell::Element>& tabelle) {
    std::vector<const Diagramm*> d;
    for (const auto& e : tabelle)
        if (const auto* g = std::get_if<Diagramm>(&e)) d.push_back(g);
    return d;
}

// The charts a run fills: page 3's heating curve is filled at load only.
std::vector<const Diagramm*> laufdiagramme(const std::vector<shell::Element>& tabelle) {
    auto d = diagramme(tabelle);
    d.erase(std::remove_if(d.begin(), d.end(), [](const Diagramm* g) { return g->zeilen != 200; }),
            d.end());
    return d;
}

QList<QPointF> kurve(int n, double phase) {
    QList<QPointF> p;
    p.reserve(n);
    for (int i = 1; i <= n; ++i)
        p.append(QPointF(i, 50 + 40 * std::sin(i / 20.0 + phase)));
    return p;
}

std::vector<shell::Element> seitentabelle(int n) {
    switch (n) {
    case 1:
        return seiten::seite_1_elemente();
    case 2:
        return seiten::seite_2_elemente();
    case 3:
        return seiten::seite_3_elemente();
    default:
        return seiten::seite_4_elemente();
    }
}

struct Boden {
    QWidget fenster;
    std::vector<QChartView*> ansichten;
    std::vector<QLineSeries*> reihen;

    // A window of `groesse` with a chart view per chart of `d` (same size, series and rows);
    // with `vorher`, each series also as a dashed one beside it, as the run before is drawn.
    Boden(QSize groesse, const std::vector<const Diagramm*>& d, bool vorher = false) {
        fenster.resize(groesse);
        for (const Diagramm* g : d)
            diagramm(*g, &fenster, vorher);
    }
    // Page n's window: its texts, frames, fields, buttons and charts as plain Qt widgets.
    Boden(QSize groesse, const std::vector<shell::Element>& tabelle) {
        fenster.resize(groesse);
        std::map<std::string, QWidget*> rahmen;
        const auto in = [&](const char* name) -> QWidget* {
            const auto r = name ? rahmen.find(name) : rahmen.end();
            return r == rahmen.end() ? &fenster : r->second;
        };
        for (const auto& e : tabelle) {
            QWidget* w = nullptr;
            if (const auto* t = std::get_if<shell::Text>(&e)) {
                auto* l = new QLabel(QString::fromUtf8(t->text), in(t->in));
                l->setWordWrap(t->art != shell::Art::Schlicht);
                l->setFont(shell::schrift(t->schrift));
                w = l;
                w->setGeometry(shell::pixel(t->r));
                // A one-line label shows its whole text, also where the table leaves its size
                // to the text (a box of width or height 0, which would show nothing).
                if (t->art == shell::Art::Schlicht) l->resize(l->size().expandedTo(l->sizeHint()));
            } else if (const auto* r = std::get_if<shell::Rahmen>(&e)) {
                w = new QGroupBox(QString::fromUtf8(r->titel), in(r->in));
                w->setGeometry(shell::pixel(r->r));
                rahmen[r->name] = w;
            } else if (const auto* f = std::get_if<shell::Feld>(&e)) {
                w = new QLineEdit(in(f->in));
                w->setGeometry(shell::pixel(f->r));
            } else if (const auto* k = std::get_if<shell::Knopf>(&e)) {
                w = new QPushButton(QString::fromUtf8(k->text), in(k->in));
                w->setGeometry(shell::pixel(k->r));
            } else if (const auto* g = std::get_if<Diagramm>(&e)) {
                diagramm(*g, in(g->in));
            }
        }
    }
    void diagramm(const Diagramm& g, QWidget* eltern, bool vorher = false) {
        auto* chart = new QChart;
        for (size_t s = 0; s < g.reihen.size() * (vorher ? 2 : 1); ++s) {
            auto* r = new QLineSeries;
            r->replace(kurve(g.zeilen, double(s)));
            chart->addSeries(r);
            if (s >= g.reihen.size()) r->setPen(QPen(r->pen().color(), 1, Qt::DashLine));
            reihen.push_back(r);
        }
        chart->createDefaultAxes();
        auto* v = new QChartView(chart, eltern);
        v->setRenderHint(QPainter::Antialiasing);
        v->setGeometry(shell::pixel(g.r));
        ansichten.push_back(v);
    }
    void zeigen() {
        fenster.show();
        abarbeiten();
    }
    // New points into every series, as a run would bring them.
    void fuellen(double phase) {
        for (size_t i = 0; i < reihen.size(); ++i)
            reihen[i]->replace(kurve(int(reihen[i]->count()), phase + double(i)));
        abarbeiten();
    }
};

// ---- ours

struct Programm {
    Navigator nav;
    Programm() {
        nav.programmende = [] {};
        seiten::alle_seiten_anmelden(nav);
    }
    Seitenfenster* seite(int n) { return nav.seite(n); }
    void klick(int seite, const char* knopf) {
        QTest::mouseClick(nav.seite(seite)->element<QPushButton>(knopf), Qt::LeftButton);
        abarbeiten();
    }
};

QSize seitengroesse(int n) {
    Programm p;
    return p.nav.seite_zeigen(n)->size();
}

// ---- memory (child process)

long spitze_kb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& z : f.readAll().split('\n'))
        if (z.startsWith("VmHWM:")) return z.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

int speicher_kind(const QString& was) {
    if (was == QLatin1String("seiten")) {
        auto* p = new Programm;
        p->nav.seite_zeigen(1);
        abarbeiten();
        p->klick(1, "weiter");
        p->klick(2, "weiter");
        p->klick(3, "weiter");
    } else {
        for (int n = 1; n <= Navigator::seitenzahl; ++n)
            (new Boden(seitengroesse(n), seitentabelle(n)))->zeigen();
    }
    std::printf("%ld\n", spitze_kb());
    return 0;
}

double speicher_mb(const QString& was) {
    std::vector<double> mb;
    for (int i = 0; i < 5; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--speicher"), was});
        p.waitForFinished(120000);
        mb.push_back(p.readAllStandardOutput().trimmed().toDouble() / 1024);
    }
    return median(mb);
}

} // namespace

int main(int argc, char* argv[]) {
    // Windows come and go hundreds of times here. Without this, glibc gives freed backing stores
    // back to the system or not, depending on how much was freed at once (one window of the
    // floor: kept; two pages: returned), and the next window faults its pages in anew or not.
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    Malzaehler zaehler;
    malzaehler = &zaehler;
    app.installEventFilter(&zaehler);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--speicher")) return speicher_kind(args[2]);
    QString nur; // --nur start|oeffnen|grafik|speicher|skala: one group only
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runden")) runden = args[i + 1].toInt();
        if (args[i] == QLatin1String("--nur")) nur = args[i + 1];
    }
    const auto gruppe = [&](const char* name) {
        return nur.isEmpty() || nur == QLatin1String(name);
    };

    // ---- start: page 1 shown and painted
    if (gruppe("start")) {
        std::unique_ptr<Programm> p;
        const auto tabelle = seitentabelle(1);
        std::unique_ptr<Boden> b;
        const QSize g = seitengroesse(1);
        const auto [unser, boden] =
            vergleichen({.vorher = [&] { p = std::make_unique<Programm>(); },
                         .arbeit =
                             [&] {
                                 p->nav.seite_zeigen(1);
                                 abarbeiten();
                             },
                         .nachher = [&] { p.reset(); },
                         .diagramme = false}, // no chart on page 1
                        {.arbeit =
                             [&] {
                                 b = std::make_unique<Boden>(g, tabelle);
                                 b->zeigen();
                             },
                         .nachher = [&] { b.reset(); },
                         .diagramme = false},
                        7 * runden); // a round is short: more of them for a steady median
        zeile("start", unser, boden);
    }

    // ---- opening pages 2 and 3: "weiter" until the page is shown with its charts painted
    for (int n : {2, 3}) {
        if (!gruppe("oeffnen")) break;
        std::unique_ptr<Programm> p;
        const auto tabelle = seitentabelle(n);
        const QSize g = seitengroesse(n);
        std::unique_ptr<Boden> b;
        const auto [unser, boden] = vergleichen({.vorher =
                                                     [&] {
                                                         p = std::make_unique<Programm>();
                                                         for (int s = 1; s < n; ++s)
                                                             p->nav.seite_zeigen(s);
                                                         abarbeiten();
                                                     },
                                                 .arbeit = [&] { p->klick(n - 1, "weiter"); },
                                                 .nachher = [&] { p.reset(); }},
                                                {.arbeit =
                                                     [&] {
                                                         b = std::make_unique<Boden>(g, tabelle);
                                                         b->zeigen();
                                                     },
                                                 .nachher = [&] { b.reset(); }});
        zeile(n == 2 ? "open page 2" : "open page 3", unser, boden);
    }

    // ---- "Start Grafik": run, cells, end-of-run calls, charts repainted; floor: replace() of
    // as many points in bare charts of the same sizes, and the repaint
    for (int n : {2, 3}) {
        if (!gruppe("grafik")) break;
        Programm p;
        for (int s = 1; s <= n; ++s)
            p.nav.seite_zeigen(s);
        abarbeiten();
        const auto tabelle = seitentabelle(n);
        Boden b(p.seite(n)->size(), laufdiagramme(tabelle));
        b.zeigen();
        double phase = 0;
        const auto [unser, boden] =
            vergleichen({.arbeit = [&] { p.klick(n, "start"); }},
                        {.arbeit = [&] { b.fuellen(phase += 1); }}, 3 * runden);
        zeile(n == 2 ? "Start Grafik page 2 (600 cells)" : "Start Grafik page 3 (1000 cells)",
              unser, boden);
    }

    // ---- "Start Grafik" with the learning aids on (figures and the run before), against bare
    // charts that draw the run before as dashed series of their own; and what the aids cost
    // beside the same run with both off (twice the curves, the marks and their names), which is
    // our own work, not a floor, and so no ratio
    for (int n : {2, 3}) {
        if (!gruppe("lernhilfen")) break;
        Programm p;
        for (int s = 1; s <= n; ++s)
            p.nav.seite_zeigen(s);
        abarbeiten();
        const auto schalten = [](bool an) {
            shell::Lernhilfen::einstellungen().kennwerte_zeigen(an);
            shell::Lernhilfen::einstellungen().vorherigen_lauf_zeigen(an);
            abarbeiten();
        };
        const auto [an, aus] = vergleichen(
            {.vorher = [&] { schalten(true); }, .arbeit = [&] { p.klick(n, "start"); }},
            {.vorher = [&] { schalten(false); }, .arbeit = [&] { p.klick(n, "start"); }},
            3 * runden);
        std::printf("Start Grafik page %d, learning aids: on %.2f ms, off %.2f ms, +%.2f ms\n", n,
                    an, aus, an - aus);
        const auto tabelle = seitentabelle(n);
        Boden b(p.seite(n)->size(), laufdiagramme(tabelle), true);
        b.zeigen();
        double phase = 0;
        const auto [unser, boden] =
            vergleichen({.vorher = [&] { schalten(true); }, .arbeit = [&] { p.klick(n, "start"); }},
                        {.arbeit = [&] { b.fuellen(phase += 1); }}, 3 * runden);
        zeile(n == 2 ? "Start Grafik page 2, learning aids on (floor: the run before as series)"
                     : "Start Grafik page 3, learning aids on (floor: the run before as series)",
              unser, boden);
    }

    // ---- memory: peak resident set after walking all four pages
    if (gruppe("speicher"))
        zeile("memory", speicher_mb(QStringLiteral("seiten")), speicher_mb(QStringLiteral("boden")),
              "MB");

    // ---- scaling: the core run and one chart fill (set-point and milk, as on page 2)
    for (int zeilen : {200, 2000, 32767}) {
        if (!gruppe("skala")) break;
        Diagramm d;
        d.r = {0, 0, 7365, 3555};
        d.zeilen = zeilen;
        d.reihen = {"Soll", "Ist"};
        QWidget fenster;
        fenster.resize(shell::pixel(d.r).size());
        auto* feld = new Diagrammfeld(d, &fenster);
        feld->setGeometry(shell::pixel(d.r));
        fenster.show();
        abarbeiten();
        const auto par = sim::pid_parameter_bilden({.w = 50, .xp = 17, .tn = 20, .tv = 5});
        struct Senke {
            Diagrammfeld& d;
            void zeile(const sim::pid_zeile& z) {
                d.zelle(1, z.i, 50);
                d.zelle(2, z.i, z.milch);
            }
            void ende() { d.lauf_abschliessen(); }
        };
        Boden b(fenster.size(), {&d});
        b.zeigen();
        struct Punkte {
            QList<QPointF>& soll;
            QList<QPointF>& ist;
            void zeile(const sim::pid_zeile& z) {
                soll.append(QPointF(z.i, 50));
                ist.append(QPointF(z.i, z.milch));
            }
            void ende() {}
        };
        const auto [unser, boden] =
            vergleichen({.arbeit =
                             [&] {
                                 sim::pid_lauf(par, zeilen, Senke{*feld});
                                 abarbeiten();
                             }},
                        {.arbeit =
                             [&] {
                                 QList<QPointF> soll, ist;
                                 soll.reserve(zeilen);
                                 ist.reserve(zeilen);
                                 sim::pid_lauf(par, zeilen, Punkte{soll, ist});
                                 b.reihen[0]->replace(soll);
                                 b.reihen[1]->replace(ist);
                                 abarbeiten();
                             }},
                        zeilen > 2000 ? 5 : runden);
        const QByteArray name = QStringLiteral("scaling %1 rows").arg(zeilen).toUtf8();
        zeile(name.constData(), unser, boden);
    }
    return 0;
}
