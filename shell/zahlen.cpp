#include "zahlen.h"

#include <charconv>
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

// The system locale answers every digit and separator a conversion looks at through a query to
// the platform (a lock, a variant, a string copy): reading a number then costs some fifty times
// as much. Qt's own data for the locale the system takes its numbers from (the environment's, on
// Unix) gives the same symbols without that; where none matches, the system's stays.
QLocale schnelle_systemzahlen() {
    const QLocale system = QLocale::system();
    const auto gleich = [&system](const QLocale& l) {
        return l.decimalPoint() == system.decimalPoint() &&
               l.groupSeparator() == system.groupSeparator() &&
               l.zeroDigit() == system.zeroDigit() && l.negativeSign() == system.negativeSign() &&
               l.positiveSign() == system.positiveSign() && l.exponential() == system.exponential();
    };
    QByteArray zahlen = qgetenv("LC_ALL");
    if (zahlen.isEmpty()) zahlen = qgetenv("LC_NUMERIC");
    if (zahlen.isEmpty()) zahlen = qgetenv("LANG");
    for (const QString& name : {QString::fromLatin1(zahlen), system.name()}) {
        if (name.isEmpty()) continue;
        const QLocale l(name);
        if (gleich(l)) return l;
    }
    return system;
}
} // namespace

QLocale zahlformat() {
    QLocale l;
    if (l == QLocale::system()) {
        static const QLocale schnell = schnelle_systemzahlen();
        l = schnell;
    }
    return ohne_gruppierung(l);
}

namespace {
// What the shortcuts below need to know of a locale, looked up once per locale.
struct Zeichen {
    QLocale format = QLocale::c();
    QChar komma = u'.';
    bool lesen = true;     // ASCII digits, "-": digits are read directly
    bool schreiben = true; // and "+", "e": numbers are written directly
};
const Zeichen& zeichen(const QLocale& format) {
    thread_local Zeichen z;
    if (!(z.format == format)) {
        const QString komma = format.decimalPoint();
        z.format = format;
        z.komma = komma.size() == 1 ? komma.front() : QChar();
        z.lesen = komma.size() == 1 && format.zeroDigit() == QLatin1String("0") &&
                  format.negativeSign() == QLatin1String("-");
        z.schreiben = z.lesen && format.positiveSign() == QLatin1String("+") &&
                      format.exponential() == QLatin1String("e");
    }
    return z;
}

// Qt 6.4 reads a number by comparing every character with every symbol of the locale, some 800 ns
// a cell. What zahl_text writes for an ordinary value, ASCII digits with at most one decimal
// separator and a leading minus, is read here directly, to the same correctly rounded double;
// anything else (and any locale with other digits or another minus) is left to Qt.
std::optional<double> ziffern_lesen(QStringView t, const QLocale& format) {
    const Zeichen& z = zeichen(format);
    if (!z.lesen || t.isEmpty() || t.size() > 40) return std::nullopt;
    char puffer[48];
    size_t n = 0;
    qsizetype i = 0;
    if (t[0] == u'-') puffer[n++] = '-', i = 1;
    int vorher = 0, nachher = 0;
    bool komma = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            puffer[n++] = char(c.unicode());
            ++(komma ? nachher : vorher);
        } else if (c == z.komma && !komma) {
            puffer[n++] = '.';
            komma = true;
        } else {
            return std::nullopt;
        }
    }
    if (!vorher || (komma && !nachher)) return std::nullopt;
    double d = 0;
    const auto [ende, fehler] = std::from_chars(puffer, puffer + n, d);
    if (fehler != std::errc() || ende != puffer + n) return std::nullopt;
    return d;
}

// Qt writes "%.15g" as printf does, at twice the cost, except that it rounds an exact tie (a value
// of exactly 16 significant digits, the last a 5) away from zero. Only such a value has a shortest
// text of 16 significant digits ending in 5; it goes to Qt, all others are written here.
std::optional<QString> ziffern_schreiben(double wert, const QLocale& format) {
    const Zeichen& z = zeichen(format);
    if (!z.schreiben || !std::isfinite(wert)) return std::nullopt;
    if (wert == 0) return QStringLiteral("0"); // Qt drops the sign of -0
    char puffer[40];
    const auto kurz = std::to_chars(puffer, puffer + sizeof puffer, wert);
    if (kurz.ec != std::errc()) return std::nullopt;
    // Significant digits: from the first to the last that is not 0 ("11760942181552250": 16).
    int ziffern = 0, bis_letzte = 0;
    char letzte = 0;
    for (const char* c = puffer; c != kurz.ptr && *c != 'e'; ++c) {
        if (*c < '0' || *c > '9' || (ziffern == 0 && *c == '0')) continue;
        ++ziffern;
        if (*c != '0') bis_letzte = ziffern, letzte = *c;
    }
    if (bis_letzte == 16 && letzte == '5') return std::nullopt;
    const auto g =
        std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 15);
    if (g.ec != std::errc()) return std::nullopt;
    QString t = QString::fromLatin1(puffer, g.ptr - puffer);
    if (z.komma != u'.') t.replace(u'.', z.komma);
    return t;
}
} // namespace

std::optional<double> zahl_lesen(const QString& text, const QLocale& format) {
    const QStringView t = QStringView(text).trimmed();
    if (const auto d = ziffern_lesen(t, format); d && std::isfinite(*d)) return d;
    bool ok = false;
    const double d = ohne_gruppierung(format).toDouble(t, &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QString zahl_text(double wert, const QLocale& format) {
    // Rounded to 15 digits, the largest doubles would read back as infinity: they take all 17.
    const double betrag = std::abs(wert);
    const bool riesig = betrag > 1.797693134862315e308;
    if (!riesig)
        if (auto t = ziffern_schreiben(wert, format)) return *t;
    const QLocale f = ohne_gruppierung(format);
    QString t = f.toString(wert, 'g', riesig ? 17 : 15);
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
