#include "zahlen.h"

#include "parameter.h"

#include <cmath>

namespace shell {

QLocale zahlformat() {
    QLocale l;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator |
                       QLocale::RejectGroupSeparator);
    return l;
}

std::optional<double> zahl_lesen(const QString& text, const QLocale& format) {
    return darstellung::feldwert(text.toStdString(), format.decimalPoint().toStdString());
}

QString zahl_text(double wert, const QLocale& format) {
    return QString::fromStdString(darstellung::feldtext(wert, format.decimalPoint().toStdString()));
}

} // namespace shell
