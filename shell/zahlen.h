// Field text <-> number, in the user's number format (QLocale(): the system locale unless a test
// sets another default), by the shared rule (darstellung::feldwert, feldtext): digits 0 to 9 and
// the locale's decimal separator. Digit grouping is neither written nor accepted: "1.6" never
// reads as 16.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace shell {

// The user's locale with grouping switched off both ways.
QLocale zahlformat();

// nullopt for an empty text, a non-number, NaN or infinity.
std::optional<double> zahl_lesen(const QString& text, const QLocale& format = zahlformat());

// Up to 15 significant digits, with the user's decimal separator.
QString zahl_text(double wert, const QLocale& format = zahlformat());

} // namespace shell
