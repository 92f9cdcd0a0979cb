// A page's run at load and on "Start Grafik", as the shared rule defines it, applied to the page's
// fields and charts.
#include "diagrammfeld.h"
#include "piep.h"
#include "seite.h"
#include "seitenlaeufe.h"
#include "zahlenfeld.h"
#include "zeitgruppe.h"

#include "kennwerte.h"
#include "protokoll.h"
#include "protokollzeilen.h"
#include "zahlen.h"

#include <QPushButton>
#include <algorithm>
#include <map>
#include <memory>

namespace shell {

bool Seitenfenster::laufen(int seite, bool laden) {
    const auto plan = darstellung::lauf_plan(seite, laden);
    const auto feld = [this](const std::string& name) { return element<Zahlenfeld>(name.c_str()); };
    for (const auto& [name, text] : plan.vorher)
        feld(name)->setText(QString::fromStdString(text));
    const auto g = darstellung::felder_lesen(
        seite, plan, [&](const std::string& id) { return feld(id)->text().toStdString(); },
        zahlformat().decimalPoint().toStdString());
    for (int i = 0; i < g.piepse; ++i)
        piep();
    if (!g.ungueltig.empty()) {
        feld(g.ungueltig)->setFocus(Qt::OtherFocusReason);
        feld(g.ungueltig)->selectAll();
        return false;
    }
    for (const auto& [name, text] : g.korrigiert)
        feld(name)->setText(QString::fromStdString(text));
    const std::vector<double>& werte = g.werte;

    const auto diagramm = [this](std::string_view name) {
        return element<Diagrammfeld>(std::string(name).c_str());
    };
    const auto e = darstellung::seitenlauf(
        seite, laden, werte, [&](std::string_view name) { return diagramm(name)->zeilenzahl(); });
    for (const auto& [name, text] : e.nachher)
        feld(name)->setText(QString::fromStdString(text));
    if (e.piep) piep();
    for (const std::string& name : e.benannt)
        diagramm(name)->lauf_setzen(e.lauf);
    std::vector<Diagrammfeld*> fertig; // each chart's run ends once its columns are in
    for (const auto& s : e.spalten) {
        Diagrammfeld* d = diagramm(s.diagramm);
        for (size_t i = 0; i < s.werte.size(); ++i)
            d->zelle(s.spalte, int(i) + 1, s.werte[i]);
        if (std::find(fertig.begin(), fertig.end(), d) == fertig.end()) fertig.push_back(d);
    }
    // The charts of a group are laid out together once all of them hold the run.
    std::vector<std::unique_ptr<Zeitgruppe::Aufschub>> aufschub;
    for (Diagrammfeld* d : fertig)
        aufschub.push_back(std::make_unique<Zeitgruppe::Aufschub>(d->gruppe()));
    for (Diagrammfeld* d : fertig)
        d->lauf_abschliessen();
    if (e.ist >= 0)
        m_nav.protokoll().eintragen(
            seite, e.lauf, sim::kennwerte_berechnen(e.soll, e.spalten[size_t(e.ist)].werte),
            !laden);
    return true;
}

void Seitenfenster::vergleich_zeigen(const darstellung::protokollzeile* z) {
    std::vector<std::string> verglichen;
    if (z) {
        const auto e = darstellung::lauf_aus_werten(z->seite, z->werte, [this](std::string_view n) {
            auto* d = element<Diagrammfeld>(std::string(n).c_str());
            return d ? d->zeilenzahl() : 0;
        });
        std::map<std::string, std::vector<QList<QPointF>>> zellen;
        for (const auto& s : e.spalten) {
            auto& spalten = zellen[s.diagramm];
            spalten.resize(size_t(std::max<int>(int(spalten.size()), s.spalte)));
            QList<QPointF>& punkte = spalten[size_t(s.spalte - 1)];
            for (size_t i = 0; i < s.werte.size(); ++i)
                punkte.append(QPointF(double(i + 1), s.werte[i]));
        }
        for (const std::string& name : e.benannt)
            if (auto* d = element<Diagrammfeld>(name.c_str())) {
                d->vergleich_setzen(zellen[name], e.lauf, QStringLiteral("Lauf %1").arg(z->nummer));
                verglichen.push_back(name);
            }
    }
    for (Diagrammfeld* d : findChildren<Diagrammfeld*>())
        if (std::find(verglichen.begin(), verglichen.end(), d->objectName().toStdString()) ==
            verglichen.end())
            d->vergleich_loesen();
}

void Seitenfenster::wiederholen(const darstellung::protokollzeile& z) {
    const auto ids = darstellung::laufwert_felder(z.seite);
    std::vector<std::pair<std::string, std::string>> felder;
    for (size_t i = 0; i < ids.size() && i < z.werte.size(); ++i)
        felder.emplace_back(ids[i], zahl_text(z.werte[i].wert).toStdString());
    eintippen_und_starten(felder);
}

void Seitenfenster::eintippen_und_starten(
    const std::vector<std::pair<std::string, std::string>>& felder) {
    for (const auto& [id, text] : felder)
        if (auto* f = element<Zahlenfeld>(id.c_str())) f->setText(QString::fromStdString(text));
    if (auto* start = element<QPushButton>("start")) start->click();
}

} // namespace shell
