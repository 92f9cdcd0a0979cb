#include "zeitgruppe.h"

#include "achsen.h"
#include "diagrammfeld.h"
#include "texte.h"

#include <QToolTip>

namespace shell {

void Zeitgruppe::angleichen() {
    m_faellig = m_aufgeschoben > 0;
    if (m_faellig) return;
    // First with the edges of a chart whose value axis alone changed taken as they were (one
    // layout for it instead of two); where one was wrong, again with every edge measured.
    for (const bool vermuten : {true, false}) {
        std::vector<std::pair<double, double>> raender;
        for (Diagrammfeld* d : m_diagramme)
            raender.push_back(d->natuerliche_raender(vermuten));
        const auto extra = darstellung::zeitachsen_angleichen(raender);
        bool richtig = true;
        for (size_t i = 0; i < m_diagramme.size(); ++i)
            richtig &= m_diagramme[i]->angleichen(qRound(extra[i].first), qRound(extra[i].second));
        if (richtig) return;
    }
}

void Zeitgruppe::zeiger(int zeile, QPoint wo, Diagrammfeld* von) {
    for (Diagrammfeld* d : m_diagramme)
        d->zeiger_zeigen(zeile);
    QToolTip::showText(wo + QPoint(12, 12), ablesung(zeile), von);
}

void Zeitgruppe::zeiger_weg() {
    for (Diagrammfeld* d : m_diagramme)
        d->zeiger_zeigen(0);
    QToolTip::hideText();
}

QString Zeitgruppe::ablesung(int zeile) const {
    if (zeile <= 0) return {};
    std::vector<std::string> teile, vorher, kennwerte;
    std::string vorher_name;
    for (const Diagrammfeld* d : m_diagramme) {
        teile.push_back(d->ablesen(zeile).toStdString());
        if (const QString v = d->ablesen_vorher(zeile); !v.isEmpty()) {
            vorher_name = d->vorher_name().toStdString();
            vorher.push_back(v.toStdString());
        }
        if (const QString k = d->kennwert_bei(zeile); !k.isEmpty())
            kennwerte.push_back(k.toStdString());
    }
    return QString::fromStdString(
        darstellung::ablesung(zeile, teile, vorher_name, vorher, kennwerte));
}

void ablesung_verbinden(const std::vector<Diagrammfeld*>& diagramme) {
    auto gruppe = std::make_shared<Zeitgruppe>(diagramme);
    for (Diagrammfeld* d : diagramme) {
        d->gruppe_setzen(gruppe);
        QObject::connect(d, &Diagrammfeld::zeiger_bewegt, d,
                         [d](int zeile, QPoint wo) { d->gruppe().zeiger(zeile, wo, d); });
        QObject::connect(d, &Diagrammfeld::zeiger_verlassen, d, [d] { d->gruppe().zeiger_weg(); });
    }
}

} // namespace shell
