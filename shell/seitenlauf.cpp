// A page's run at load and on "Start Grafik", as the shared rule defines it, applied to the page's
// fields and charts.
#include "diagrammfeld.h"
#include "piep.h"
#include "seite.h"
#include "seitenlaeufe.h"
#include "zahlenfeld.h"
#include "zeitgruppe.h"

#include <algorithm>
#include <memory>

namespace shell {

bool Seitenfenster::laufen(int seite, bool laden) {
    const auto plan = darstellung::lauf_plan(seite, laden);
    const auto feld = [this](const std::string& name) { return element<Zahlenfeld>(name.c_str()); };
    for (const auto& [name, text] : plan.vorher)
        feld(name)->setText(QString::fromStdString(text));
    std::vector<double> werte(plan.felder.size());
    std::vector<std::pair<Zahlenfeld*, double*>> lesen;
    for (size_t i = 0; i < plan.felder.size(); ++i)
        lesen.emplace_back(feld(plan.felder[i]), &werte[i]);
    if (!felder_lesen(lesen)) return false;

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
    return true;
}

} // namespace shell
