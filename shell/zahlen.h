// Field text <-> number, in the user's number format (QLocale(), the system locale unless a test
// sets another default). Digit grouping is never accepted: "1.6" must not read as 16.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace shell {

// nullopt for an empty text, a non-number, NaN or infinity.
std::optional<double> zahl_lesen(const QString& text, const QLocale& locale = QLocale());

// Up to 15 significant digits, with the user's decimal separator and no grouping.
QString zahl_text(double wert, const QLocale& locale = QLocale());

} // namespace shell
