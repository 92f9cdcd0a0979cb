// A page's run at load and on "Start Grafik", as the shared rule defines it, applied to the page's
// fields and charts.
#include "diagrammfeld.h"
#include "piep.h"
#include "seite.h"
#include "seitenlaeufe.h"
#include "zahlenfeld.h"

#include "protokoll.h"
#include "protokollzeilen.h"
#include "zahlen.h"

#include <QPushButton>
#include <algorithm>
#include <map>
#include <memory>

namespace shell {

bool Seitenfenster::laufen(int seite, bool laden) {
    const auto feld = [this](const std::string& name) { return element<Zahlenfeld>(name.c_str()); };
    const auto diagramm = [this](std::string_view name) {
        return element<Diagrammfeld>(std::string(name).c_str());
    };
    const auto s = darstellung::seite_laufen(
        seite, laden, [&](const std::string& id) { return feld(id)->text().toStdString(); },
        zahlformat().decimalPoint().toStdString(),
        [&](std::string_view name) { return diagramm(name)->zeilenzahl(); });
    for (const auto& [name, text] : s.texte)
        feld(name)->setText(QString::fromStdString(text));
    for (int i = 0; i < s.piepse; ++i)
        piep();
    if (!s.lauf) {
        feld(s.ungueltig)->setFocus(Qt::OtherFocusReason);
        feld(s.ungueltig)->selectAll();
        return false;
    }
    const darstellung::laufergebnis& e = *s.lauf;
    for (const std::string& name : e.benannt)
        diagramm(name)->lauf_setzen(e.lauf);
    std::vector<Diagrammfeld*> fertig; // each chart's run ends once its columns are in
    for (const auto& sp : e.spalten) {
        Diagrammfeld* d = diagramm(sp.diagramm);
        for (size_t i = 0; i < sp.werte.size(); ++i)
            d->zelle(sp.spalte, int(i) + 1, sp.werte[i]);
        if (std::find(fertig.begin(), fertig.end(), d) == fertig.end()) fertig.push_back(d);
    }
    for (Diagrammfeld* d : fertig)
        d->lauf_abschliessen();
    if (s.kennwerte) m_nav.protokoll().eintragen(seite, e.lauf, *s.kennwerte, !laden);
    return true;
}

void Seitenfenster::vergleich_zeigen(
    const std::vector<const darstellung::protokollzeile*>& zeilen) {
    std::map<std::string, std::vector<darstellung::vergleichslauf>> laeufe;
    const auto zeilen_je = [this](std::string_view n) {
        auto* d = element<Diagrammfeld>(std::string(n).c_str());
        return d ? d->zeilenzahl() : 0;
    };
    for (const darstellung::protokollzeile* z : zeilen)
        for (auto& [name, v] :
             darstellung::vergleichslaeufe(z->nummer, z->seite, z->werte, zeilen_je))
            laeufe[name].push_back(std::move(v));
    for (Diagrammfeld* d : findChildren<Diagrammfeld*>())
        d->vergleiche_setzen(std::move(laeufe[d->objectName().toStdString()]));
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
