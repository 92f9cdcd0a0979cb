#include "seite_3.h"

#include "diagrammfeld.h"
#include "kaskade.h"
#include "laeufe.h"
#include "piep.h"
#include "seitenlaeufe.h"
#include "symbole.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

namespace seiten {

using namespace shell;

namespace {

constexpr const char* bild = "Picture1";

// The overlay of the tangent drawing; the curve beneath is fitted to it.
constexpr Linie tangente{{1140, 3540}, {5940, 480}, blau, 1, bild};      // Line1
constexpr Linie strecke_k{{1200, 3000}, {1200, 3480}, blau, 4, bild};    // Line3
constexpr Linie strecke_l{{1200, 3000}, {2040, 3000}, magenta, 4, bild}; // Line2
const Form wendekreis{
    FormArt::Kreis, {3600, 1860, 135, 195}, schwarz, 1, {}, false, bild}; // Shape1

// What the example reads off the drawing (the table beside it computes with these), and the
// level the curve starts from.
constexpr double k_beispiel = 20; // K
constexpr double l_beispiel = 12; // s
constexpr double umgebung = 20;   // °C
constexpr double zeit_bis = 80;   // s
constexpr double grad_bis = 110;  // °C

constexpr Schrift arial{"Arial", 8.25, false};
constexpr Schrift arial_gross{"Arial", 15.75, true};

// Short forms for what recurs in the table below; the rest is written out.

Text farbig(Text e, Farbe farbe, std::optional<Farbe> grund = std::nullopt) {
    e.farbe = farbe;
    e.grund = grund;
    return e;
}

// A value of the hint box: framed, centred, on the window background.
Text wertkasten(const char* name, int x, int y, const char* text, const char* in) {
    return Text{.name = name,
                .text = text,
                .r = {x, y, 375, 255},
                .schrift = normal,
                .ausrichtung = Ausrichtung::Mitte,
                .grund = weiss,
                .rand = true,
                .in = in};
}

} // namespace

std::vector<Element> seite_3_elemente() {
    constexpr const char* r1 = "kaspar1";
    constexpr const char* r2 = "par2";
    constexpr const char* hinweis = "kaskopt";
    constexpr const char* befehle = "zul_befehle";
    std::vector<Element> t = {
        // ---- 2.6.2: the heating curve
        als_titel(beschriftung(
            "pid30", "2.6.2 Methode 2: Auswerten des Anfahrverhaltens der Regelstrecke", 60, 60)),
        absatz("pid31",
               "Die Anlage muss dazu in Ruhe sein, also zum Beispiel abgekühlt oder drucklos. "
               "Dann fährt man sie mit voll eingeschaltetem Stellglied hoch und zeichnet dabei "
               "die Aufheizkurve auf.",
               {0, 720, 3735, 915}),
        Diagramm{.name = "pid33",
                 .r = {3900, 690, 3855, 2325},
                 .zeilen = 30,
                 .reihen = {"Istwert"},
                 .zeit_titel = "Zeit in Sekunen", // sic: the program's own caption
                 .wert_titel = "°C",
                 .bis = 150,
                 .tangente = true,
                 .datei = "seite3-aufheizkurve"},
        fetter_absatz("pid32", "Beispiel: Aufheizkurve der zur Simulation verwendeten Strecke.",
                      {1050, 1830, 2535, 735}),
        beschriftung("pid40", "Auswerten der Aufheizkurve:", 0, 2880),
        absatz("pid42",
               "Die Aufheizkurve wird zuerst immer steiler und flacht danach wieder ab. Im "
               "Wendepunkt legt man die Tangente an die Kurve: sie ist die steilste mögliche "
               "Tangente und im Beispiel blau gezeichnet. Ihre Achsabschnitte K (senkrecht) "
               "und L (waagrecht) bestimmen die Regelparameter:",
               {0, 3240, 7335, 795}),

        Rahmen{.name = bild, .r = {0, 3930, 7635, 4275}, .rand = false},
        tangente,
        wendekreis,
        beschriftung("Label1", "Wendepunkt", 4140, 1860, bild),
        farbig(beschriftung("Label4", "Tangente", 4440, 720, bild, arial), blau),
        strecke_k,
        farbig(beschriftung("Label2", "K", 660, 3060, bild, arial_gross), blau),
        strecke_l,
        farbig(beschriftung("Label3", "L", 1980, 3060, bild, arial_gross), magenta),

        fetter_absatz("pid43", "P-Band: Nachlaufzeit: Vorhaltzeit:", {1080, 8280, 1155, 675}),
        // The rule and the example break where the rows of the table do, whatever the font.
        Text{.name = "pid44",
             .text = "0.85 x K\n2 x L\n0.5 x L",
             .r = {2520, 8280, 735, 675},
             .art = Art::Absatz,
             .schrift = fett,
             .ausrichtung = Ausrichtung::Rechts},
        beschriftung("pid45", "im Beispiel:", 3660, 8280, nullptr, normal),
        Text{.name = "pid46",
             .text = "0.85 x 20 = 17 K\n2 x 12 = 24 s\n0.5 x 12 =   6 s",
             .r = {4860, 8280, 1575, 675},
             .art = Art::Absatz,
             .schrift = normal,
             .ausrichtung = Ausrichtung::Rechts},

        als_titel(beschriftung("pid58", "2.3 Weitere Hinweise", 60, 9000)),
        absatz("pid59",
               "Diese Methoden gelten für 'ideale' Regelstrecken. In der Praxis muss das P-Band "
               "oft grösser eingestellt werden als der theoretische Wert, die Nachlaufzeit oft "
               "gleich gross wie die Schwingungsdauer oder länger. Auf die Vorhaltzeit kann man "
               "vor allem bei 'schwachen' Regelstrecken verzichten, also bei Strecken, die den "
               "Sollwert überhaupt nur mit Mühe erreichen.",
               {180, 9240, 7395, 915}),

        // ---- 3: the cascade
        als_titel(beschriftung("titel3", "3. Kaskadenregler mit Simulation", 7620, 60)),
        absatz("kas2",
               "Ein Kaskadenregler besteht aus 2 ineinander verschachtelten Reglern. Am besten "
               "optimiert man zuerst den Regler 2, einen PD-Regler, und erst danach den Regler 1. "
               "Für beide gelten dieselben Regeln wie für den gewöhnlichen PID-Regler.",
               {7800, 300, 7455, 675}),
        beschriftung("kas3",
                     "Der Kaskadenregler berechnet den Sollwert für den 2. Regler grob wie folgt:",
                     7800, 960, nullptr, normal),
        farbig(beschriftung("kas4",
                            "Sollwert 2 = Sollwert 1 + Verstärkung x (Sollwert 1 - Istwert 1)",
                            8700, 1260, nullptr, normal),
               schwarz, grau),
        absatz("kas5",
               "Mit dem Beispiel unten können Sie testen, wie sich eine Kaskadenregelung verhält "
               "und wie sie optimiert wird: Parameter eingeben und 'Start Grafik' drücken zeigt "
               "die Wirkung. Die Verstärkung sollte dabei zwischen 0 und 9.9 variiert werden.",
               {7800, 1560, 7455, 675}),

        Rahmen{.name = r1, .titel = "Parameter Regler 1", .r = {7920, 2340, 2295, 1695}},
        beschriftung("sollwert", "Sollwert", 120, 300, r1),
        feld(3, "w1", {1440, 240, 495, 285}, r1),
        beschriftung("kas61", "°C", 1980, 300, r1),
        beschriftung("verstärk", "Verstärkung", 120, 660, r1),
        feld(3, "v1", {1440, 600, 495, 285}, r1),
        beschriftung("Nachlaufzeit", "Nachlaufzeit 1", 120, 1020, r1),
        feld(3, "tn1", {1440, 960, 495, 285}, r1),
        beschriftung("kas63", "s", 1980, 1020, r1),
        beschriftung("tv_1", "Vorhaltzeit 1", 120, 1380, r1),
        feld(3, "tv1", {1440, 1320, 495, 285}, r1),
        beschriftung("kas64", "s", 1980, 1380, r1),

        Rahmen{.name = r2, .titel = "Parameter Regler 2", .r = {10260, 2340, 2295, 1695}},
        beschriftung("pb2", "P-Band 2", 60, 300, r2),
        feld(3, "xp2", {1560, 240, 435, 285}, r2),
        beschriftung("kas65", "K", 2040, 300, r2),
        beschriftung("vhz2", "Vorhaltzeit 2", 60, 660, r2),
        feld(3, "tv2", {1560, 600, 435, 285}, r2),
        beschriftung("kas66", "s", 2040, 660, r2),
        beschriftung("maxdif", "Max.Diff. |x1-w2|", 60, 1020, r2),
        feld(3, "maxdiff", {1560, 960, 435, 285}, r2),
        beschriftung("kas67", "K", 2040, 1020, r2),

        Rahmen{.name = hinweis,
               .titel = "Hinweis: Optimale Werte",
               .r = {12600, 2340, 2655, 1695},
               .grund = weiss,
               .schrift = normal},
        beschriftung("kaso12", "Verstärkung", 60, 600, hinweis, normal),
        // The values one pixel right of the table's, clear of "Verstärkung".
        wertkasten("kaso2", 975, 600, "1.6", hinweis),
        beschriftung("kaso13", "Nachlauf. 1", 60, 960, hinweis, normal),
        wertkasten("kaso3", 975, 960, "40", hinweis),
        beschriftung("kaso14", "Vorhalt. 1", 60, 1320, hinweis, normal),
        wertkasten("kaso4", 975, 1320, "10", hinweis),
        beschriftung("kaso15", "P-Band 2", 1380, 240, hinweis, normal),
        wertkasten("kaso5", 2160, 240, "30", hinweis),
        beschriftung("kaso16", "Vorhalt. 2", 1380, 600, hinweis, normal),
        wertkasten("kaso6", 2160, 600, "10", hinweis),

        // The charts draw their own time scales. The power chart overlaps the foot of the
        // cascade chart and would reach 135 twips past the window's edge; it ends at the edge,
        // so that its "200" is not cut off.
        Diagramm{.name = "kask",
                 .r = {7320, 4470, 7875, 2775},
                 .zeilen = darstellung::laufzeilen,
                 .reihen = {"Soll1", "Ist1", "Soll2", "Ist2"},
                 .zeit_titel = "",
                 .wert_titel = "°C",
                 .bis = 100,
                 .kennwerte_soll = 1,
                 .kennwerte_ist = 2,
                 .vergleich = true,
                 .vergleich_legende = true,
                 .datei = "seite3-kaskade",
                 .zeitgruppe = 1,
                 // Its time labels lie under the top of the power chart, whose own scale
                 // below is the same 0 to 200 s.
                 .zeit_beschriftet = false},
        Diagramm{.name = "leistung",
                 .r = {7350, 6960, 8205, 2055},
                 .zeilen = darstellung::laufzeilen,
                 .reihen = {"Leistung"},
                 .zeit_titel = "Zeit in Sekunden",
                 .wert_titel = "%",
                 .bis = 100,
                 .vergleich = true,
                 .datei = "seite3-leistung",
                 .zeitgruppe = 1},

        // ---- command bar, two pixels wider than the table: the buttons would end on its
        // border (and at a smaller scale, rounded, still could with one)
        Rahmen{.name = befehle, .r = {7800, 9300, 7485, 1155}},
    };
    anhaengen(t, adressblock({"logo",
                              {120, 180, 1605, 795},
                              "firma",
                              {2280, 180},
                              "strasse",
                              {2520, 480},
                              "ort",
                              {2280, 720}},
                             befehle));
    // clang-format off
    anhaengen(t, {
        Knopf{"start",   "Start Grafik", {5040, 120, 1215, 495}, befehle},
        Knopf{"zurück",  "zurück",       {6240, 120, 1215, 495}, befehle},
        Knopf{"weiter",  "weiter",       {5040, 600, 1215, 495}, befehle},
        Knopf{"beenden", "beenden",      {6240, 600, 1215, 495}, befehle},
    });
    // clang-format on
    return t;
}

// ---- the tangent drawing -------------------------------------------------------------------

Tangentenbild tangentenbild() {
    Tangentenbild b;
    const QPointF a(tangente.a.x, tangente.a.y);
    const QPointF e(tangente.b.x, tangente.b.y);
    b.steigung = (e.y() - a.y()) / (e.x() - a.x());
    auto tangente_bei = [&](double x) { return a.y() + b.steigung * (x - a.x()); };

    // K and L both start where the curve leaves the ambient level.
    b.anfang = QPointF(strecke_k.a.x, strecke_l.a.y);

    // The inflection point is the point of the tangent nearest to the circle's centre.
    const Rect kreis = gezeichnete_flaeche(wendekreis);
    const QPointF mitte(kreis.x + kreis.w / 2.0, kreis.y + kreis.h / 2.0);
    const QPointF richtung = e - a;
    const double anteil =
        QPointF::dotProduct(mitte - a, richtung) / QPointF::dotProduct(richtung, richtung);
    b.wendepunkt = a + anteil * richtung;

    // Axis scales such that the intercepts read as the example's K and L: the tangent meets the
    // time axis origin K below the start level, and the start level L after the start.
    const double k_twips = tangente_bei(b.anfang.x()) - b.anfang.y();
    const double l_twips = a.x() + (b.anfang.y() - a.y()) / b.steigung - b.anfang.x();
    b.twips_pro_grad = k_twips / k_beispiel;
    b.twips_pro_sekunde = l_twips / l_beispiel;
    b.ursprung = QPointF(b.anfang.x(), b.anfang.y() + umgebung * b.twips_pro_grad);
    return b;
}

double Tangentenbild::kurve(double x) const {
    const double h = wendepunkt.x() - anfang.x();
    const double hub = wendepunkt.y() - anfang.y(); // rise up to the inflection point
    if (x <= anfang.x()) return anfang.y();
    if (x <= wendepunkt.x()) {
        // Quartic from the start: flat there; at the inflection point it has the tangent's
        // slope and no curvature.
        const double mu = steigung * h / hub;
        const double u = (x - anfang.x()) / h;
        const double q =
            (6 - 3 * mu) * u * u + (5 * mu - 8) * u * u * u + (3 - 2 * mu) * u * u * u * u;
        return anfang.y() + hub * q;
    }
    // Beyond it the curve levels off as far above the inflection point as it started below.
    const double s = hub / steigung;
    return wendepunkt.y() + hub * std::tanh((x - wendepunkt.x()) / s);
}

std::vector<QPointF> Tangentenbild::kurvenzug() const {
    std::vector<QPointF> zug;
    const int schritte = 80;
    for (int i = 0; i <= schritte; ++i) {
        const double x = x_von_zeit(zeit_bis * i / schritte);
        zug.emplace_back(x, kurve(x));
    }
    return zug;
}

namespace {

// Text at a point given in twips, drawn unscaled in pixels.
void text_bei(QPainter& p, QPointF twips, const QString& text, Qt::Alignment ausrichtung) {
    const QPointF px = p.worldTransform().map(twips);
    p.save();
    p.resetTransform();
    const QFontMetricsF fm(p.font());
    const QSizeF g(fm.horizontalAdvance(text), fm.height());
    QPointF ecke = px;
    if (ausrichtung & Qt::AlignRight) ecke.rx() -= g.width();
    if (ausrichtung & Qt::AlignHCenter) ecke.rx() -= g.width() / 2;
    if (ausrichtung & Qt::AlignBottom) ecke.ry() -= g.height();
    if (ausrichtung & Qt::AlignVCenter) ecke.ry() -= g.height() / 2;
    p.drawText(QRectF(ecke, g), Qt::AlignLeft | Qt::AlignTop, text);
    p.restore();
}

} // namespace

void Tangentenbild::zeichnen(QPainter& p) const {
    constexpr double px = twips_pro_pixel;
    const double x0 = ursprung.x();
    const double y0 = ursprung.y();
    const double x_ende = x_von_zeit(zeit_bis);
    const double y_oben = y_von_grad(grad_bis);

    p.save();
    p.setFont(schrift(Schrift{"Arial", 7.5, false}, p.worldTransform().m11() * px));

    QPen achse(Qt::black, px);
    achse.setCapStyle(Qt::FlatCap);
    p.setPen(achse);
    p.drawLine(QPointF(x0, y0), QPointF(x_ende, y0));
    p.drawLine(QPointF(x0, y0), QPointF(x0, y_oben));

    for (int s = 0; s <= zeit_bis; s += 10) {
        const double x = x_von_zeit(s);
        p.drawLine(QPointF(x, y0), QPointF(x, y0 + 4 * px));
        text_bei(p, QPointF(x, y0 + 5 * px), QString::number(s), Qt::AlignHCenter | Qt::AlignTop);
    }
    text_bei(p, QPointF(x_ende + 8 * px, y0), QStringLiteral("s"),
             Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c <= grad_bis; c += 10) {
        const double y = y_von_grad(c);
        p.drawLine(QPointF(x0 - 4 * px, y), QPointF(x0, y));
        text_bei(p, QPointF(x0 - 6 * px, y), QString::number(c), Qt::AlignRight | Qt::AlignVCenter);
    }
    text_bei(p, QPointF(x0, y_oben - 6 * px), QString::fromUtf8("°C"),
             Qt::AlignHCenter | Qt::AlignBottom);

    QPainterPath pfad;
    const auto zug = kurvenzug();
    pfad.moveTo(zug.front());
    for (size_t i = 1; i < zug.size(); ++i)
        pfad.lineTo(zug[i]);
    QPen rot_stift(Qt::red, 2 * px);
    rot_stift.setJoinStyle(Qt::BevelJoin);
    p.strokePath(pfad, rot_stift);
    p.restore();
}

// ---- the page ------------------------------------------------------------------------------

seite_3::seite_3(Navigator& nav)
    : Seitenfenster(nav, {.titel = QStringLiteral("Seite 3"),
                          .breite = 15420,
                          .hoehe = 11085,
                          .elemente = seite_3_elemente(),
                          .tabfolge = {"tn1", "v1", "w1", "tv1", "start", "beenden", "zurück",
                                       "weiter", "logo", "xp2", "tv2", "maxdiff", "Picture1",
                                       "pid33", "kask", "leistung"},
                          .weiter_zu = 4,
                          .zurueck_zu = 2}) {
    element<Flaeche>(bild)->setzeUntergrund([b = tangentenbild()](QPainter& p) { b.zeichnen(p); });
    connect(element<QPushButton>("start"), &QPushButton::clicked, this, &seite_3::start_Click);
}

void seite_3::Form_Load() {
    laufen(3, true);
}

void seite_3::start_Click() {
    laufen(3, false);
}

} // namespace seiten
