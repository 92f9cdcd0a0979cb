// Charts over the same time span: each second stands at the same pixel column of the window in
// all of them (their plots' left and right edges are made to agree), and one read-out cursor
// stands on all of them at once, with one tooltip that reads every chart.
#pragma once

#include <QPoint>
#include <QString>
#include <vector>

namespace shell {

class Diagrammfeld;

class Zeitgruppe {
public:
    explicit Zeitgruppe(std::vector<Diagrammfeld*> diagramme) : m_diagramme(std::move(diagramme)) {}
    const std::vector<Diagrammfeld*>& diagramme() const { return m_diagramme; }

    // Each plot as Qt lays it out alone; then all take the innermost edges, by wider margins.
    // While a run ends on several charts of the group (`aufschieben`), once at its end.
    void angleichen();
    struct Aufschub {
        explicit Aufschub(Zeitgruppe& g) : g(g) { ++g.m_aufgeschoben; }
        ~Aufschub() {
            if (--g.m_aufgeschoben == 0 && g.m_faellig) g.angleichen();
        }
        Aufschub(const Aufschub&) = delete;
        Aufschub& operator=(const Aufschub&) = delete;
        Zeitgruppe& g;
    };
    // The cursor at a row on every chart, the tooltip at `wo` (global), as `von` asks.
    void zeiger(int zeile, QPoint wo, Diagrammfeld* von);
    void zeiger_weg();
    // "t = 26 s · Soll 50 °C · … " over every chart, then the run before and the nearest figure.
    QString ablesung(int zeile) const;

private:
    std::vector<Diagrammfeld*> m_diagramme;
    int m_aufgeschoben = 0;
    bool m_faellig = false;
};

} // namespace shell
