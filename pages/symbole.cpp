#include "symbole.h"

namespace seiten {

std::vector<Element> regler_symbol(int x, int y, const char* in) {
    constexpr int anzeige_b = 495, anzeige_h = 135, taste = 135;
    std::vector<Element> s = {
        Form{.art = FormArt::Quadrat, .r = {x, y, 975, 735}, .randbreite = 2, .in = in},
        Form{.art = FormArt::RundesRechteck,
             .r = {x + 240, y + 120, anzeige_b, anzeige_h},
             .fuellung = rot,
             .in = in},
        Form{.art = FormArt::RundesRechteck,
             .r = {x + 240, y + 240, anzeige_b, anzeige_h},
             .fuellung = rot,
             .in = in},
    };
    // Keys on a 120-twip pitch, so that neighbours share their 15-twip edge.
    for (int k = 0; k < 4; ++k)
        s.push_back(Form{
            .art = FormArt::Quadrat, .r = {x + 240 + 120 * k, y + 480, taste, taste}, .in = in});
    return s;
}

std::vector<Element> umgehaengt(std::vector<Element> elemente, const char* in) {
    for (Element& e : elemente)
        std::visit([in](auto& el) { el.in = in; }, e);
    return elemente;
}

void anhaengen(std::vector<Element>& tabelle, const std::vector<Element>& dazu) {
    tabelle.insert(tabelle.end(), dazu.begin(), dazu.end());
}

std::vector<Element> linienzug(std::initializer_list<Punkt> punkte, int breite, const char* in) {
    std::vector<Element> l;
    for (auto p = punkte.begin(); p + 1 < punkte.end(); ++p)
        l.push_back(Linie{*p, *(p + 1), schwarz, breite, in});
    return l;
}

namespace {
int ebene(const char* text) {
    // Numbered as the sections are: "2." is a chapter, "2.1" a section, "2.6.1" below that.
    int ebene = 0;
    for (const char* c = text; *c >= '0' && *c <= '9';) {
        while (*c >= '0' && *c <= '9')
            ++c;
        ++ebene;
        if (*c != '.') break;
        ++c;
    }
    return ebene;
}
} // namespace

Text titel(const char* name, const char* text, Rect r, const char* in) {
    return Text{.name = name, .text = text, .r = r, .in = in, .ueberschrift = ebene(text)};
}

Text als_titel(Text t) {
    t.ueberschrift = ebene(t.text);
    return t;
}

Text beschriftung(const char* name, const char* text, int x, int y, const char* in,
                  Schrift schrift) {
    return Text{.name = name, .text = text, .r = {x, y, 0, 0}, .schrift = schrift, .in = in};
}

Text absatz(const char* name, const char* text, Rect r, const char* in) {
    return Text{
        .name = name, .text = text, .r = r, .art = Art::Absatz, .schrift = normal, .in = in};
}

Text fetter_absatz(const char* name, const char* text, Rect r) {
    return Text{.name = name, .text = text, .r = r, .art = Art::Absatz, .schrift = fett};
}

Text kasten(const char* name, const char* text, Rect r, Farbe grund, const char* in) {
    return Text{.name = name, .text = text, .r = r, .art = Art::Kasten, .grund = grund, .in = in};
}

Text zentriert(const char* name, const char* text, Rect r, const char* in, bool rand) {
    return Text{.name = name, .text = text, .r = r, .art = Art::Zentriert, .rand = rand, .in = in};
}

std::vector<Element> adressblock(const Adresse& a, const char* in) {
    return {
        Rahmen{.name = a.logo, .r = a.logo_r, .rand = false, .bild = ":/bilder/logo.xpm", .in = in},
        Text{.name = a.firma,
             .text = "NORVA  AG",
             .r = a.firma_r,
             .schrift = firmenschrift,
             .in = in},
        Text{.name = a.strasse, .text = "Musterstrasse 1", .r = a.strasse_r, .in = in},
        Text{.name = a.ort, .text = "CH-0000 Musterhausen", .r = a.ort_r, .in = in},
    };
}

Pfeil pfeil(std::vector<Punkt> schaft, const char* in) {
    return Pfeil{.punkte = std::move(schaft), .in = in};
}

Form flaeche(FormArt art, Rect r, Farbe fuellung, const char* in) {
    return Form{.art = art, .r = r, .rand = std::nullopt, .fuellung = fuellung, .in = in};
}

} // namespace seiten
