#include "zeitgruppe.h"

#include "texte.h"

#include <algorithm>
#include <cmath>

namespace darstellung {

void zeitgruppe::aufnehmen(schaubild* s, double x, double y) {
    m_mitglieder.push_back(s);
    m_orte.push_back({x, y});
}

void zeitgruppe::ort_setzen(const schaubild* s, double x, double y) {
    for (size_t i = 0; i < m_mitglieder.size(); ++i)
        if (m_mitglieder[i] == s) m_orte[i] = {x, y};
}

void zeitgruppe::angleichen() {
    // A second round where the extra room changed a chart's head, and so its labels.
    for (int runde = 0; runde < 2; ++runde) {
        titel_frei_halten();
        std::vector<std::pair<double, double>> raender;
        for (size_t i = 0; i < m_mitglieder.size(); ++i) {
            const auto [l, r] = m_mitglieder[i]->natuerliche_raender();
            raender.emplace_back(m_orte[i].x + l, m_orte[i].x + r);
        }
        const auto extra = zeitachsen_angleichen(raender);
        bool gleich = true;
        for (size_t i = 0; i < m_mitglieder.size(); ++i) {
            m_mitglieder[i]->angleichen(extra[i].first, extra[i].second);
            const rechteck& p = m_mitglieder[i]->plot();
            const rechteck& q = m_mitglieder[0]->plot();
            gleich &= m_orte[i].x + p.x == m_orte[0].x + q.x &&
                      m_orte[i].x + p.rechts() == m_orte[0].x + q.rechts();
        }
        if (gleich) break;
    }
    for (size_t i = 0; i < m_mitglieder.size(); ++i) {
        double unten = -1;
        for (size_t j = 0; j < m_mitglieder.size(); ++j) {
            const double d = m_orte[j].y - m_orte[i].y;
            if (j != i && d > 0 && d < m_mitglieder[i]->liste().hoehe && (unten < 0 || d < unten))
                unten = d;
        }
        m_mitglieder[i]->fokus_unten_setzen(unten);
    }
}

// A page's stacked charts may overlap: the time title of the chart above stands in the top of the
// one below, where a long legend would cover it.
void zeitgruppe::titel_frei_halten() {
    for (size_t i = 0; i < m_mitglieder.size(); ++i) {
        std::optional<rechteck> frei;
        for (size_t j = 0; j < m_mitglieder.size(); ++j) {
            if (m_orte[j].y >= m_orte[i].y) continue; // not above
            const auto t = m_mitglieder[j]->zeit_titel_ort();
            if (t && m_orte[j].y + t->unten() > m_orte[i].y)
                frei = rechteck{m_orte[j].x - m_orte[i].x + t->x, m_orte[j].y - m_orte[i].y + t->y,
                                t->b, t->h};
        }
        m_mitglieder[i]->frei_halten(frei);
    }
}

void zeitgruppe::zeiger(int zeile) {
    m_zeiger = zeile;
    for (schaubild* s : m_mitglieder)
        s->zeiger_setzen(zeile);
}

namespace {
// Each run compared, by its index: its name and its values over every chart that draws it.
std::vector<std::pair<std::string, std::vector<std::string>>>
vergleiche(const std::vector<schaubild*>& mitglieder, int zeile, bool mit_namen) {
    std::vector<std::pair<std::string, std::vector<std::string>>> v;
    for (const schaubild* s : mitglieder) {
        const auto laeufe = s->verglichen();
        for (size_t j = 0; j < laeufe.size(); ++j) {
            if (j >= v.size()) v.emplace_back(laeufe[j]->titel + ": ", std::vector<std::string>{});
            if (mit_namen)
                v[j].first =
                    laeufe[j]->titel + ": " + laufname(laeufe[j]->lauf, s->komma()) + " · ";
            v[j].second.push_back(s->ablesen_vergleich(j, zeile));
        }
    }
    return v;
}
} // namespace

std::string zeitgruppe::ablesung(int zeile) const {
    if (zeile <= 0) return {};
    std::vector<std::string> teile, kennwerte;
    for (const schaubild* s : m_mitglieder) {
        teile.push_back(s->ablesen(zeile));
        if (std::string k = s->kennwert_bei(zeile); !k.empty()) kennwerte.push_back(std::move(k));
    }
    return darstellung::ablesung(zeile, teile, vergleiche(m_mitglieder, zeile, true), kennwerte);
}

std::string zeitgruppe::ansage(int zeile) const {
    if (zeile <= 0) return {};
    std::vector<std::string> teile;
    for (const schaubild* s : m_mitglieder)
        teile.push_back(s->ablesen(zeile));
    return darstellung::ablesung(zeile, teile, vergleiche(m_mitglieder, zeile, false), {}, "; ");
}

std::vector<std::vector<size_t>> zeitgruppen(const std::vector<int>& gruppe_je_diagramm) {
    std::vector<std::vector<size_t>> gruppen;
    std::vector<int> nummern; // each group's number, 0 for a chart alone
    for (size_t i = 0; i < gruppe_je_diagramm.size(); ++i) {
        const int g = gruppe_je_diagramm[i];
        const auto schon = std::find(nummern.begin(), nummern.end(), g);
        if (g && schon != nummern.end()) {
            gruppen[size_t(schon - nummern.begin())].push_back(i);
        } else {
            gruppen.push_back({i});
            nummern.push_back(g);
        }
    }
    return gruppen;
}

} // namespace darstellung
