#include "ansicht.h"

#include "diagrammfeld.h"
#include "lernhilfen.h"
#include "protokoll.h"
#include "seiten.h"
#include "zahlenfeld.h"

#include <QApplication>
#include <QJsonObject>
#include <QPushButton>

using namespace shell;

namespace {
struct Fall {
    int seite;
    bool kennwerte, vorher;
    std::vector<std::vector<std::pair<const char*, const char*>>> laeufe;
};

const Fall faelle[] = {
    {2, false, false, {}},
    {2, true, true, {{{"xp1", "20"}, {"tn1", "40"}}, {{"xp1", "30"}}}},
    {2, true, true, {{{"w1", "30"}}, {{"w1", "50"}, {"xp1", "10"}}}},
    {2, true, false, {{{"w1", "999"}}}},
    {3, false, false, {}},
    {3, true, true, {{{"v1", "3"}}}},
    {3, true, false, {{{"maxdiff", "50"}}, {{"v1", "2"}, {"tn1", "40"}}}},
};

// What the browser must show of a chart: its display list (the cursor off), what its group reads
// out at some seconds, its description and its data.
QJsonObject diagramm_json(Diagrammfeld* d) {
    QJsonArray ablesung;
    for (int z : {1, 26, std::min(137, d->zeilenzahl()), d->zeilenzahl()})
        ablesung.append(QString::fromStdString(d->gruppe()->kern.ablesung(z)));
    return {{"name", d->objectName()},
            {"liste", QString::fromStdString(darstellung::anzeige_json(d->kern().liste()))},
            {"ablesung", ablesung},
            {"beschreibung", d->accessibleDescription()},
            {"csv", d->csv_text(QLocale(QLocale::German, QLocale::Germany))}};
}
} // namespace

QJsonArray ansicht_json() {
    const QLocale vorher_format;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Lernhilfen& l = Lernhilfen::einstellungen();
    const bool k_vorher = l.kennwerte(), v_vorher = l.vorheriger_lauf();
    QJsonArray alle;
    for (const Fall& f : faelle) {
        l.kennwerte_zeigen(f.kennwerte);
        l.vorherigen_lauf_zeigen(f.vorher);
        Navigator nav;
        nav.programmende = [] {};
        seiten::alle_seiten_anmelden(nav);
        Seitenfenster* seite = nav.seite_zeigen(f.seite);
        QJsonArray laeufe;
        for (const auto& lauf : f.laeufe) {
            QJsonObject felder;
            for (const auto& [name, text] : lauf) {
                seite->findChild<Zahlenfeld*>(QString::fromUtf8(name))
                    ->setText(QString::fromUtf8(text));
                felder.insert(QString::fromUtf8(name), QString::fromUtf8(text));
            }
            seite->element<QPushButton>("start")->click();
            laeufe.append(felder);
        }
        QApplication::processEvents();
        QJsonArray diagramme;
        for (Diagrammfeld* d : seite->findChildren<Diagrammfeld*>())
            diagramme.append(diagramm_json(d));
        alle.append(QJsonObject{{"seite", f.seite},
                                {"protokoll", QString::fromStdString(darstellung::protokoll_csv(
                                                  nav.protokoll().zeilen(), ","))},
                                {"kennwerte", f.kennwerte},
                                {"vorher", f.vorher},
                                {"laeufe", laeufe},
                                {"diagramme", diagramme}});
    }
    l.kennwerte_zeigen(k_vorher);
    l.vorherigen_lauf_zeigen(v_vorher);
    QLocale::setDefault(vorher_format);
    return alle;
}
