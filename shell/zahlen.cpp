#include "zahlen.h"

#include <cmath>

namespace shell {

QLocale zahlformat() {
    QLocale l;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator |
                       QLocale::RejectGroupSeparator);
    return l;
}

std::optional<double> zahl_lesen(const QString& text, const QLocale& format) {
    bool ok = false;
    const double d = format.toDouble(QStringView(text).trimmed(), &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QString zahl_text(double wert, const QLocale& format) {
    return format.toString(wert, 'g', 15);
}

} // namespace shell
