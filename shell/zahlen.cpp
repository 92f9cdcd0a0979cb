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
    return ohne_gruppierung(format).toString(wert, 'g', 15);
}

} // namespace shell
