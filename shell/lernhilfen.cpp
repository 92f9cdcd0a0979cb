#include "lernhilfen.h"

#include "texte.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {
const auto schluessel_kennwerte = QStringLiteral("lernhilfen/kennwerte");
const auto schluessel_vorher = QStringLiteral("lernhilfen/vorheriger_lauf");
} // namespace

QSettings einstellungsdatei() {
    return QSettings(QStringLiteral("norva"), QStringLiteral("regler"));
}

Lernhilfen::Lernhilfen() {
    const QSettings s = einstellungsdatei();
    m_kennwerte = s.value(schluessel_kennwerte, false).toBool();
    m_vorheriger_lauf = s.value(schluessel_vorher, false).toBool();
}

Lernhilfen& Lernhilfen::einstellungen() {
    static Lernhilfen l;
    return l;
}

void Lernhilfen::kennwerte_zeigen(bool an) {
    if (an == m_kennwerte) return;
    m_kennwerte = an;
    einstellungsdatei().setValue(schluessel_kennwerte, an);
    emit geaendert();
}

void Lernhilfen::vorherigen_lauf_zeigen(bool an) {
    if (an == m_vorheriger_lauf) return;
    m_vorheriger_lauf = an;
    einstellungsdatei().setValue(schluessel_vorher, an);
    emit geaendert();
}

QStringList kennwert_zeilen(const sim::kennwerte& k, const QLocale& format) {
    QStringList zeilen;
    for (const std::string& z :
         darstellung::kennwert_zeilen(k, format.decimalPoint().toStdString()))
        zeilen << QString::fromStdString(z);
    return zeilen;
}

QString naechster_kennwert(const kennwerte_lauf& l, int zeile, const QLocale& format) {
    const int welcher = darstellung::naechster_kennwert(l.k, l.spitzen, zeile);
    return welcher < 0 ? QString() : kennwert_zeilen(l.k, format).at(welcher);
}

std::optional<QPointF> freier_platz(const QImage& bild, QSizeF groesse) {
    const QImage belegt = bild.convertToFormat(QImage::Format_Alpha8);
    const int b = belegt.width(), h = belegt.height();
    const int kb = int(std::ceil(groesse.width())), kh = int(std::ceil(groesse.height()));
    if (kb > b || kh > h || kb <= 0 || kh <= 0) return {};
    // The corners are looked at pixel by pixel; most runs leave one free.
    const auto leer = [&](int x, int y) {
        for (int j = y; j < y + kh; ++j) {
            const uchar* zeile = belegt.constScanLine(j) + x;
            if (std::any_of(zeile, zeile + kb, [](uchar a) { return a != 0; })) return false;
        }
        return true;
    };
    for (QPoint ecke : {QPoint(b - kb, 0), QPoint(b - kb, h - kh), QPoint(0, 0), QPoint(0, h - kh)})
        if (leer(ecke.x(), ecke.y())) return QPointF(ecke);
    // Elsewhere through counts of opaque pixels over every rectangle from the top left.
    std::vector<int> summe(size_t(b + 1) * size_t(h + 1), 0);
    const auto s = [&](int x, int y) -> int& {
        return summe[size_t(y) * size_t(b + 1) + size_t(x)];
    };
    for (int y = 0; y < h; ++y) {
        const uchar* zeile = belegt.constScanLine(y);
        int reihe = 0;
        for (int x = 0; x < b; ++x) {
            reihe += zeile[x] != 0;
            s(x + 1, y + 1) = s(x + 1, y) + reihe;
        }
    }
    std::optional<QPointF> bester;
    long abstand = 0;
    for (int y = 0; y + kh <= h; ++y)
        for (int x = 0; x + kb <= b; ++x)
            if (s(x + kb, y + kh) - s(x, y + kh) - s(x + kb, y) + s(x, y) == 0) {
                const long dx = b - kb - x, d = dx * dx + long(y) * y;
                if (!bester || d < abstand) bester = QPointF(x, y), abstand = d;
            }
    return bester;
}

} // namespace shell
