// regler-json ZIEL: writes the four pages as the browser version builds them, from the same
// tables the program builds its windows from: ZIEL/seiten.json (every element with its twips
// and attributes, each label's lines as the program lays them out, each page's tab order and
// navigation, the accessible names the program gives its widgets, and the page's own vector
// drawings as SVG), the pictures as PNG, and ZIEL/geometrie.json, what the program shows
// (pixels, relative to the page): where its widgets stand, every line and shape its surfaces
// paint; and ZIEL/ansicht.json, the charts' display lists after a table of runs, for checking
// the browser's against them; with SYMBOL.svg, the program's symbol as ZIEL/symbol-192.png and
// symbol-512.png, the browser's app icons.
#include "ansicht.h"
#include "bedienung.h"
#include "diagramm.h"
#include "elemente.h"
#include "lernhilfen.h"
#include "mitschrift.h"
#include "protokollzeilen.h"
#include "schrift.h"
#include "seiten.h"
#include "seitenbau.h"
#include "seitenlaeufe.h"
#include "zeichnung.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

using namespace shell;

QJsonValue text(const char* t) {
    return t ? QJsonValue(QString::fromUtf8(t)) : QJsonValue();
}

// A box in the page's pixels, as the desktop places its widgets.
QJsonArray rechteck(const Rect& twips) {
    const Rect r = darstellung::elemente::in_pixeln(twips);
    return {r.x, r.y, r.w, r.h};
}

QJsonValue farbe_json(const std::optional<Farbe>& f) {
    if (!f) return {};
    return QJsonArray{f->r, f->g, f->b};
}

QJsonObject schrift_json(const Schrift& s) {
    return {{"familie", text(s.familie)},
            {"punkte", s.punkte},
            {"fett", s.fett},
            {"px", darstellung::schrift_px(s.punkte, 1)}};
}

// A label as the program lays it out: its box at full size (relative to its frame), each line
// with where it starts on its baseline, and its font's ascent and descent. The browser places
// these; it measures no text. The box reaches a pixel past each line's end (and its border):
// WebKit sets each glyph at a whole pixel, and a line filling its box ran a pixel over it there.
void satz_json(QJsonObject& o, QLabel& l) {
    const QFontMetricsF fm(l.font());
    const Gemalt gemalt = mitschreiben(l, false);
    QRect g = l.geometry();
    QJsonArray zeilen;
    for (qsizetype i = 0; i < gemalt.zeilen.size(); ++i) {
        const QPointF anfang = gemalt.anfaenge[size_t(i)];
        zeilen.append(QJsonArray{gemalt.zeilen[i], anfang.x(), anfang.y()});
        const int ende = int(std::ceil(anfang.x() + fm.horizontalAdvance(gemalt.zeilen[i])));
        g.setWidth(std::max(g.width(), ende + 1 + l.frameWidth()));
    }
    o.insert("kasten", QJsonArray{g.x(), g.y(), g.width(), g.height()});
    o.insert("zeilen", zeilen);
    o.insert("aufstieg", fm.ascent());
    o.insert("abstieg", fm.descent());
}

QString art_name(Art a) {
    switch (a) {
    case Art::Schlicht:
        return "Schlicht";
    case Art::Absatz:
        return "Absatz";
    case Art::Kasten:
        return "Kasten";
    case Art::Zentriert:
        return "Zentriert";
    case Art::Fuehrung:
        return "Fuehrung";
    }
    return {};
}

QString ausrichtung_name(Ausrichtung a) {
    switch (a) {
    case Ausrichtung::Links:
        return "Links";
    case Ausrichtung::Rechts:
        return "Rechts";
    case Ausrichtung::Mitte:
        return "Mitte";
    }
    return {};
}

QString form_name(FormArt a) {
    switch (a) {
    case FormArt::Rechteck:
        return "Rechteck";
    case FormArt::Quadrat:
        return "Quadrat";
    case FormArt::Kreis:
        return "Kreis";
    case FormArt::RundesRechteck:
        return "RundesRechteck";
    }
    return {};
}

// ":/bilder/logo.xpm" becomes "logo.png" beside the page.
QString bilddatei(const char* ressource) {
    return QFileInfo(QString::fromUtf8(ressource)).completeBaseName() + QStringLiteral(".png");
}

// A line in pixels as the program strokes it at full size: x1, y1, x2, y2, width.
QJsonArray strich_json(const Linie& l) {
    const Strich s = strich(l);
    return {s.x1, s.y1, s.x2, s.y2, s.breite};
}

QJsonArray linien_json(const std::vector<Linie>& linien) {
    QJsonArray a;
    for (const Linie& l : linien)
        a.append(QJsonObject{{"farbe", farbe_json(l.farbe)}, {"strich", strich_json(l)}});
    return a;
}

// A shape in pixels as the program paints it at full size.
QJsonObject umriss_json(const Form& f) {
    const Umriss u = umriss(f);
    QJsonArray schraffur;
    for (double y : u.schraffur)
        schraffur.append(y);
    return {{"x", u.x},
            {"y", u.y},
            {"w", u.w},
            {"h", u.h},
            {"radius", u.radius},
            {"randbreite", u.randbreite},
            {"glatt", u.glatt},
            {"links", u.links},
            {"rechts", u.rechts},
            {"schraffur", schraffur},
            {"schraffurbreite", u.schraffurbreite}};
}

QJsonObject element_json(const Element& element) {
    return std::visit(
        [](const auto& e) -> QJsonObject {
            using T = std::decay_t<decltype(e)>;
            QJsonObject o{{"in", text(e.in)}};
            if constexpr (std::is_same_v<T, Text>) {
                o.insert("typ", "Text");
                o.insert("name", text(e.name));
                o.insert("text", text(e.text));
                o.insert("r", rechteck(e.r));
                o.insert("art", art_name(e.art));
                o.insert("schrift", schrift_json(e.schrift));
                o.insert("ausrichtung", ausrichtung_name(e.ausrichtung));
                o.insert("farbe", farbe_json(e.farbe));
                o.insert("grund", farbe_json(darstellung::elemente::text_grund(e)));
                o.insert("rand", darstellung::elemente::text_rand(e));
                if (e.ueberschrift) o.insert("ueberschrift", e.ueberschrift);
            } else if constexpr (std::is_same_v<T, Rahmen>) {
                o.insert("typ", "Rahmen");
                o.insert("name", text(e.name));
                o.insert("titel", text(e.titel));
                o.insert("r", rechteck(e.r));
                o.insert("rand", e.rand);
                o.insert("grund", farbe_json(e.grund));
                o.insert("schrift", schrift_json(e.schrift));
                o.insert("bild", e.bild ? QJsonValue(bilddatei(e.bild)) : QJsonValue());
                const QFontMetrics fm(schrift(e.schrift));
                const auto t = darstellung::elemente::rahmentitel(
                    fm.horizontalAdvance(QString::fromUtf8(e.titel)), fm.height());
                o.insert("rand_oben", t.oben);
                o.insert("titel_kasten", QJsonArray{t.x, t.w, t.h});
            } else if constexpr (std::is_same_v<T, Linie>) {
                o.insert("typ", "Linie");
                o.insert("farbe", farbe_json(e.farbe));
                o.insert("strich", strich_json(e));
            } else if constexpr (std::is_same_v<T, Pfeil>) {
                o.insert("typ", "Pfeil");
                // Shaft and head as the program strokes them.
                o.insert("linien", linien_json(alle_linien({e})));
            } else if constexpr (std::is_same_v<T, Form>) {
                o.insert("typ", "Form");
                o.insert("art", form_name(e.art));
                o.insert("rand", farbe_json(e.rand));
                o.insert("fuellung", farbe_json(e.fuellung));
                o.insert("umriss", umriss_json(e));
            } else if constexpr (std::is_same_v<T, Knopf>) {
                o.insert("typ", "Knopf");
                o.insert("name", text(e.name));
                o.insert("text", text(e.text));
                o.insert("r", rechteck(e.r));
            } else if constexpr (std::is_same_v<T, Feld>) {
                o.insert("typ", "Feld");
                o.insert("name", text(e.name));
                o.insert("r", rechteck(e.r));
                o.insert("text", text(e.regeln->vorgabe));
                o.insert("dezimal", e.regeln->dezimal);
            } else if constexpr (std::is_same_v<T, Diagramm>) {
                o.insert("typ", "Diagramm");
                o.insert("name", text(e.name));
                o.insert("r", rechteck(e.r));
                o.insert("zeilen", e.zeilen);
                QJsonArray reihen;
                for (const char* r : e.reihen)
                    reihen.append(text(r));
                o.insert("reihen", reihen);
                o.insert("zeit_titel", text(e.zeit_titel));
                o.insert("wert_titel", text(e.wert_titel));
                o.insert("bis", e.bis);
                const QRect g = pixel(e.r);
                o.insert("breite", g.width());
                o.insert("hoehe", g.height());
                o.insert("zeitgruppe", e.zeitgruppe);
                o.insert("zeit_beschriftet", e.zeit_beschriftet);
                o.insert("kennwerte_soll", e.kennwerte_soll);
                o.insert("kennwerte_ist", e.kennwerte_ist);
                o.insert("vergleich", e.vergleich);
                o.insert("vergleich_legende", e.vergleich_legende);
                o.insert("tangente", e.tangente);
                o.insert("datei", text(e.datei));
            }
            return o;
        },
        element);
}

// A frame's own drawing beneath its elements, as the program paints it, in vectors.
QString untergrund_svg(const Flaeche& f) {
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&puffer);
        svg.setSize(f.size());
        svg.setViewBox(QRect(QPoint(0, 0), f.size()));
        svg.setResolution(96); // one pixel a CSS pixel
        svg.setTitle(f.objectName());
        QPainter p(&svg);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(1.0 / twips_pro_pixel, 1.0 / twips_pro_pixel);
        f.untergrund()(p);
    }
    QString s = QString::fromUtf8(puffer.data());
    // The program's stand-ins for the pages' fonts, under their own name (the web page brings it).
    for (const char* name : {"\"MS Sans Serif\"", "\"Arial\"", "\"Sans Serif\""})
        s.replace(QLatin1String(name), QStringLiteral("\"Regler Sans\""));
    return s;
}

// The element a widget belongs to: the nearest ancestor that is a named frame of the table.
QJsonValue behaelter(const QWidget* w, const QWidget* seite, const std::set<QString>& rahmen) {
    for (const QWidget* p = w->parentWidget(); p && p != seite; p = p->parentWidget())
        if (rahmen.count(p->objectName())) return p->objectName();
    return {};
}

bool schreiben(const QString& pfad, const QByteArray& inhalt) {
    QSaveFile d(pfad);
    if (!d.open(QIODevice::WriteOnly) || d.write(inhalt) != inhalt.size() || !d.commit()) {
        std::fprintf(stderr, "regler-json: cannot write %s\n", qPrintable(pfad));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The pages as a first start shows them, whatever the user has set (a zoom, the aids), and
    // the user's settings left alone: the tool keeps settings of its own, emptied at each run.
    QStandardPaths::setTestModeEnabled(true);
    shell::einstellungsdatei().clear();
    // Numbers in the accessible descriptions with ".": the page puts in the user's separator.
    QLocale::setDefault(QLocale::c());
    const QStringList args = QApplication::arguments();
    if (args.size() != 2 && args.size() != 3) {
        std::fprintf(stderr, "Aufruf: regler-json ZIEL [SYMBOL.svg]\n");
        return 2;
    }
    const QDir ziel(args.at(1));
    if (!ziel.exists() && !QDir().mkpath(ziel.path())) {
        std::fprintf(stderr, "regler-json: cannot create %s\n", qPrintable(ziel.path()));
        return 2;
    }

    Navigator navigator;
    navigator.programmende = [] {};
    seiten::alle_seiten_anmelden(navigator);
    QJsonArray seiten, geometrie;
    std::set<std::string> bilder;
    for (int n = 1; n <= Navigator::seitenzahl; ++n) {
        Seitenfenster* seite = navigator.seite_zeigen(n);
        QApplication::processEvents();
        const Seitenfenster::Vorgaben& v = seite->vorgaben();

        // Each frame's labels in the order the table made them, for their layout.
        std::map<QString, std::vector<QLabel*>> beschriftungen;
        for (QLabel* l : seite->findChildren<QLabel*>()) {
            const QWidget* eltern = l->parentWidget();
            beschriftungen[eltern == seite ? QString() : eltern->objectName()].push_back(l);
        }
        for (auto& [rahmen_name, labels] : beschriftungen)
            std::reverse(labels.begin(), labels.end());
        QJsonArray elemente;
        std::set<QString> namen, rahmen;
        for (const Element& e : v.elemente) {
            QJsonObject o = element_json(e);
            if (const auto* t = std::get_if<Text>(&e)) {
                auto& labels = beschriftungen[t->in ? QString::fromUtf8(t->in) : QString()];
                if (!labels.empty()) {
                    satz_json(o, *labels.back());
                    labels.pop_back();
                }
            }
            elemente.append(o);
            if (const auto* r = std::get_if<Rahmen>(&e)) {
                if (r->bild) bilder.insert(r->bild);
                rahmen.insert(QString::fromUtf8(r->name));
            }
            std::visit(
                [&namen](const auto& el) {
                    if constexpr (requires { el.name; })
                        if (*el.name) namen.insert(QString::fromUtf8(el.name));
                },
                e);
        }
        QJsonArray tabfolge;
        for (const char* t : v.tabfolge)
            tabfolge.append(text(t));

        // What a finger may aim at: the fields, the buttons and the charts (held for their menu).
        std::set<QString> ziel_namen;
        for (const Element& e : v.elemente) {
            if (const auto* f = std::get_if<Feld>(&e)) ziel_namen.insert(f->name);
            if (const auto* k = std::get_if<Knopf>(&e)) ziel_namen.insert(k->name);
            if (const auto* d = std::get_if<Diagramm>(&e)) ziel_namen.insert(d->name);
        }
        std::vector<Rect> ziele;

        QJsonObject untergruende;
        QJsonArray zugang, stand;
        for (QWidget* w : seite->findChildren<QWidget*>()) {
            if (!namen.count(w->objectName())) continue;
            if (const auto* f = qobject_cast<const Flaeche*>(w); f && f->untergrund())
                untergruende.insert(f->objectName(), untergrund_svg(*f));
            const QJsonValue in = behaelter(w, seite, rahmen);
            if (!w->accessibleName().isEmpty() || !w->accessibleDescription().isEmpty())
                zugang.append(QJsonObject{{"name", w->objectName()},
                                          {"in", in},
                                          {"zugangsname", w->accessibleName()},
                                          {"beschreibung", w->accessibleDescription()}});
            const QRect g(w->mapTo(seite, QPoint(0, 0)), w->size());
            QJsonObject o{{"name", w->objectName()},
                          {"in", in},
                          {"klasse", QString::fromLatin1(w->metaObject()->className())},
                          {"r", QJsonArray{g.x(), g.y(), g.width(), g.height()}}};
            if (auto* l = qobject_cast<QLabel*>(w)) o.insert("text", l->text());
            stand.append(o);
            if (ziel_namen.count(w->objectName()))
                ziele.push_back({g.x(), g.y(), g.width(), g.height()});
        }

        // On a page with runs, the fields a run's values go into, in their order ("Lauf
        // wiederholen"); what a run reads and sets is the core's (seite_laufen).
        QJsonObject laeufe;
        if (!darstellung::lauf_plan(n, false).felder.empty()) {
            QJsonArray werte_felder;
            for (const std::string& f : darstellung::laufwert_felder(n))
                werte_felder.append(QString::fromStdString(f));
            laeufe.insert("werte_felder", werte_felder);
        }
        const Rect groesse = darstellung::elemente::in_pixeln({0, 0, v.breite, v.hoehe});
        seiten.append(QJsonObject{{"nummer", n},
                                  {"laeufe", laeufe.isEmpty() ? QJsonValue() : QJsonValue(laeufe)},
                                  {"titel", v.titel},
                                  {"breite", groesse.w},
                                  {"hoehe", groesse.h},
                                  {"kleinster_massstab_finger",
                                   darstellung::elemente::kleinster_massstab_fuer_finger(ziele)},
                                  {"tabfolge", tabfolge},
                                  {"weiter_zu", v.weiter_zu},
                                  {"zurueck_zu", v.zurueck_zu},
                                  {"beenden_auf_taste", v.beenden_auf_taste},
                                  {"elemente", elemente},
                                  {"untergruende", untergruende},
                                  {"zugang", zugang}});
        // What the page's surfaces and frames draw themselves, in the page's pixels: every
        // straight line ([x1, y1, x2, y2, width]), every shape's outline or fill (its bounds, and
        // whether it is round) and every rectangle (a frame's border, its caption's ground); the
        // page's own vector drawing beneath is left out (it travels as SVG).
        QJsonArray striche, formen, kaesten;
        for (Flaeche* f : seite->findChildren<Flaeche*>()) {
            const QPointF o = f->mapTo(seite, QPoint(0, 0));
            const auto untergrund = f->untergrund();
            f->setzeUntergrund({});
            const Gemalt g = mitschreiben(*f, false);
            f->setzeUntergrund(untergrund);
            for (const Gemalt::Strich& s : g.striche)
                striche.append(QJsonArray{s.linie.x1() + o.x(), s.linie.y1() + o.y(),
                                          s.linie.x2() + o.x(), s.linie.y2() + o.y(), s.breite});
            for (const auto& [r, rund] : g.pfade)
                formen.append(
                    QJsonArray{r.x() + o.x(), r.y() + o.y(), r.width(), r.height(), int(rund)});
            for (const QRectF& r : g.kaesten)
                kaesten.append(QJsonArray{r.x() + o.x(), r.y() + o.y(), r.width(), r.height()});
        }
        geometrie.append(QJsonObject{{"nummer", n},
                                     {"breite", seite->width()},
                                     {"hoehe", seite->height()},
                                     {"widgets", stand},
                                     {"striche", striche},
                                     {"formen", formen},
                                     {"kaesten", kaesten}});
    }

    // Each picture also at twice and three times its size, its pixels repeated (they are pixel
    // drawings), for screens of that density: "logo@2x.png".
    for (const std::string& b : bilder)
        for (const int mal : {1, 2, 3}) {
            const QImage bild(QString::fromStdString(b));
            QString name = bilddatei(b.c_str());
            if (mal > 1) name.insert(name.size() - 4, QStringLiteral("@%1x").arg(mal));
            QBuffer puffer;
            puffer.open(QIODevice::WriteOnly);
            if (bild.isNull() ||
                !bild.scaled(bild.size() * mal, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .save(&puffer, "PNG") ||
                !schreiben(ziel.filePath(name), puffer.data())) {
                std::fprintf(stderr, "regler-json: picture %s not written\n", b.c_str());
                return 1;
            }
        }
    // The program's symbol as the browser's app icons, drawn from its SVG.
    if (args.size() == 3) {
        QSvgRenderer symbol(args.at(2));
        for (const int groesse : {192, 512}) {
            QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
            bild.fill(Qt::transparent);
            QPainter p(&bild);
            symbol.render(&p);
            p.end();
            QBuffer puffer;
            puffer.open(QIODevice::WriteOnly);
            if (!symbol.isValid() || !bild.save(&puffer, "PNG") ||
                !schreiben(ziel.filePath(QStringLiteral("symbol-%1.png").arg(groesse)),
                           puffer.data())) {
                std::fprintf(stderr, "regler-json: symbol %s not drawn\n", qPrintable(args.at(2)));
                return 1;
            }
        }
    }

    const QJsonArray ansicht = ansicht_json();
    const QJsonObject alles{
        {"seiten", seiten},
        {"massstab", QJsonObject{{"kleinster", darstellung::elemente::kleinster_massstab},
                                 {"ganz_ueber", darstellung::elemente::ganzer_massstab_ueber}}},
        {"tasten",
         QJsonObject{{"protokoll", QString(QLatin1Char(darstellung::bedienung::taste_protokoll))}}},
        {"farben",
         QJsonObject{{"grund", farbe_json(darstellung::elemente::farben::grund)},
                     {"text", farbe_json(darstellung::elemente::farben::text)},
                     {"auswahl", farbe_json(darstellung::elemente::farben::auswahl)},
                     {"auswahl-text", farbe_json(darstellung::elemente::farben::auswahl_text)},
                     {"tipp", farbe_json(darstellung::elemente::farben::tipp)}}}};
    if (!schreiben(ziel.filePath("seiten.json"),
                   QJsonDocument(alles).toJson(QJsonDocument::Compact)) ||
        !schreiben(ziel.filePath("ansicht.json"), QJsonDocument(ansicht).toJson()) ||
        !schreiben(ziel.filePath("geometrie.json"),
                   QJsonDocument(QJsonObject{{"seiten", geometrie}}).toJson())) {
        std::fprintf(stderr, "regler-json: %s not written\n", qPrintable(ziel.path()));
        return 1;
    }
    return 0;
}
