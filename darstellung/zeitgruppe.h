// Charts over the same time span (a page's stacked charts; a chart alone is a group of one): each
// second at the same pixel column in all of them, one read-out cursor on all of them at once, one
// read-out that reads every chart.
#pragma once

#include "schaubild.h"

#include <string>
#include <vector>

namespace darstellung {

class zeitgruppe {
public:
    // A chart of the group and where its box's top left corner stands in the page, in pixels.
    void aufnehmen(schaubild* s, double x = 0, double y = 0);
    void ort_setzen(const schaubild* s, double x, double y);
    const std::vector<schaubild*>& mitglieder() const { return m_mitglieder; }

    // Each plot as laid out alone, then all at the innermost edges, by extra room left and right;
    // each chart's focus frame ends where a chart below it begins.
    void angleichen();
    // The cursor at a row on every chart (0: none).
    void zeiger(int zeile);
    int zeiger() const { return m_zeiger; }
    // The tooltip's read-out: "t = 26 s · Soll 50 °C · … " over every chart, then a line for each
    // run compared ("vorher: Sollwert = 30 °C, … · Soll 30 °C · …") and one with the nearest
    // figures.
    std::string ablesung(int zeile) const;
    // What a screen reader says at a step: the second and the values only.
    std::string ansage(int zeile) const;

private:
    void titel_frei_halten();
    std::vector<schaubild*> m_mitglieder;
    std::vector<punkt> m_orte;
    int m_zeiger = 0;
};

// Which of a page's charts read out together, given each chart's time-axis group in page order:
// those of the same group (not 0) in one, every other chart alone; each as the charts' places in
// that order, the groups in the order their first chart comes.
std::vector<std::vector<size_t>> zeitgruppen(const std::vector<int>& gruppe_je_diagramm);

} // namespace darstellung
