#include "zahlen.h"

#include <cmath>

namespace shell {

namespace {
constexpr auto ohne_gruppen = QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator;

QLocale ohne_gruppierung(const QLocale& l) {
    if ((l.numberOptions() & ohne_gruppen) == ohne_gruppen) return l;
    QLocale k = l;
    k.setNumberOptions(l.numberOptions() | ohne_gruppen);
    return k;
}
} // namespace

QLocale zahlformat() { return ohne_gruppierung(QLocale()); }

std::optional<double> zahl_lesen(const QString& text, const QLocale& format) {
    bool ok = false;
    const double d = ohne_gruppierung(format).toDouble(QStringView(text).trimmed(), &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QString zahl_text(double wert, const QLocale& format) {
    const QLocale f = ohne_gruppierung(format);
    // Rounded to 15 digits, the largest doubles would read back as infinity: they take all 17.
    const double betrag = std::abs(wert);
    QString t = f.toString(wert, 'g', betrag > 1.797693134862315e308 ? 17 : 15);
    // Qt cannot read back signs and exponents of more than one character (Arabic, Hebrew and
    // Persian signs with a direction mark, the Swedish "×10^"): those are written plainly.
    const bool zeichen = wert < 0 || (betrag != 0 && (betrag < 1e-4 || betrag >= 1e15));
    if (!zeichen) return t;
    const auto schlicht = [&t](const QString& von, QLatin1StringView zu) {
        if (von.size() > 1) t.replace(von, zu);
    };
    schlicht(f.exponential(), QLatin1StringView("E"));
    schlicht(f.negativeSign(), QLatin1StringView("-"));
    schlicht(f.positiveSign(), QLatin1StringView("+"));
    return t;
}

} // namespace shell
