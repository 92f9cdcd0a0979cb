#include "anzeige.h"

#include "zahltext.h"

#include <cmath>
#include <cstdio>

namespace darstellung {

namespace {
std::string zahl(double v) {
    const double r = std::round(v * 1000) / 1000;
    return kuerzest(r == 0 ? 0.0 : r);
}

std::string text(const std::string& t) {
    std::string j = "\"";
    for (const char c : t) {
        if (c == '"' || c == '\\') j += '\\';
        if (static_cast<unsigned char>(c) < 0x20) { // a line break, a tab: JSON takes none raw
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", unsigned(c));
            j += u;
            continue;
        }
        j += c;
    }
    return j + '"';
}

std::string farbe_json(farbe f) {
    return "[" + std::to_string(f.r) + "," + std::to_string(f.g) + "," + std::to_string(f.b) + "]";
}

std::string elemente(const std::vector<element>& l) {
    std::string j = "[";
    for (const element& e : l) {
        j += (j.size() > 1 ? ",{" : "{") + std::string("\"art\":") + std::to_string(int(e.art)) +
             ",\"stil\":" + std::to_string(e.stil) + ",\"punkte\":[";
        for (size_t i = 0; i < e.punkte.size(); ++i)
            j += (i ? "," : "") + zahl(e.punkte[i].x) + "," + zahl(e.punkte[i].y);
        j += "],\"mass\":" + zahl(e.mass) + ",\"im_plot\":" + (e.im_plot ? "true" : "false") +
             ",\"text\":" + text(e.text) + ",\"fett\":" + (e.fett ? "true" : "false") +
             ",\"senkrecht\":" + (e.senkrecht ? "true" : "false") + "}";
    }
    return j + "]";
}
} // namespace

std::string anzeige_json(const anzeige& a) {
    std::string j = "{\"breite\":" + zahl(a.breite) + ",\"hoehe\":" + zahl(a.hoehe) +
                    ",\"plot\":[" + zahl(a.plot.x) + "," + zahl(a.plot.y) + "," + zahl(a.plot.b) +
                    "," + zahl(a.plot.h) + "],\"stile\":[";
    for (size_t i = 0; i < a.stile.size(); ++i) {
        const stil& s = a.stile[i];
        j += (i ? ",{" : "{") + std::string("\"f\":") + farbe_json(s.f) +
             ",\"deckung\":" + std::to_string(s.deckung) + ",\"breite\":" + zahl(s.breite) +
             ",\"strich\":[";
        for (size_t k = 0; k < s.strich.size(); ++k)
            j += (k ? "," : "") + zahl(s.strich[k]);
        j += "],\"fuellung\":" + (s.fuellung ? farbe_json(*s.fuellung) : std::string("null")) +
             ",\"fuellung_deckung\":" + std::to_string(s.fuellung_deckung) + "}";
    }
    return j + "],\"bild\":" + elemente(a.bild) + ",\"oben\":" + elemente(a.oben) + "}";
}

} // namespace darstellung
