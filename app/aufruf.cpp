#include "aufruf.h"

#include "seite.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstring>
#include <optional>

namespace aufruf {
namespace {

constexpr auto regler_hilfe = R"(Aufruf: regler [--seite N] [Qt-Optionen]
        regler --help | --version

NORVA-Regler und Regeltechnik, ein Lernprogramm zur Temperaturregelung in vier Seiten.

  --seite N      öffnet Seite N (1 bis 4) statt Seite 1; die Seiten davor entstehen,
                 wenn man mit "zurück" zu ihnen geht
  -h, --help     diese Hilfe
  -v, --version  Programmname und Version

Qts eigene Optionen gelten weiter, etwa -platform offscreen, -style Windows oder -reverse.
Falsche Argumente: Meldung auf stderr, Status 2.
)";

constexpr auto bilder_hilfe = R"(Aufruf: regler-bilder [--pdf] [--seite N] ORDNER
        regler-bilder --help | --version

Zeichnet die Seiten von regler ohne Bildschirm in ORDNER/seite_N.png
(mit QT_SCALE_FACTOR=2 in doppelter Auflösung). ORDNER wird angelegt, wo er fehlt.

  --pdf          dazu jede Seite als ORDNER/seite_N.pdf, wie gedruckt
  --seite N      nur Seite N (1 bis 4)
  -h, --help     diese Hilfe
  -v, --version  Programmname und Version

Falsche Argumente: Meldung auf stderr, Status 2, nichts geschrieben.
)";

const QCommandLineOption hilfe({QStringLiteral("h"), QStringLiteral("help")}, {});
const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
const QCommandLineOption seite(QStringLiteral("seite"), {}, QStringLiteral("N"));
const QCommandLineOption pdf(QStringLiteral("pdf"), {});

QString zitiert(const QString& t) {
    return QLatin1Char('"') + t + QLatin1Char('"');
}

Auftrag falsch(const QString& programm, const QString& grund) {
    return {.status = 2, .fehler = QStringLiteral("%1: %2 (%1 --help)\n").arg(programm, grund)};
}

// An option as it was typed: the parser names it without its dashes and value.
QString wie_getippt(const QStringList& argumente, const QString& name) {
    for (const QString& a : argumente.mid(1)) {
        const QString option = a.section(QLatin1Char('='), 0, 0);
        if (a.startsWith(QLatin1Char('-')) &&
            QStringView(option).mid(option.startsWith(QLatin1String("--")) ? 2 : 1) == name)
            return option;
    }
    return QStringLiteral("--") + name;
}

// 1 to the page count, in digits.
int seitennummer(const QString& t) {
    bool ziffern = !t.isEmpty() && t.size() <= 2;
    for (const QChar c : t)
        ziffern = ziffern && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int n = ziffern ? t.toInt() : 0;
    return n >= 1 && n <= shell::Navigator::seitenzahl ? n : 0;
}

// What both programs share: help, version, unknown options, --seite. The answer where that
// settles it; otherwise nullopt, with the page read into `a`.
std::optional<Auftrag> lesen(QCommandLineParser& p, const QStringList& argumente,
                             const QString& programm, const char* hilfetext, Auftrag& a) {
    // -platform is one of Qt's options, not the short options -p -l -a …
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    p.addOption(hilfe);
    p.addOption(version);
    p.addOption(seite);
    const bool gelesen = p.parse(argumente);
    if (p.isSet(hilfe)) return Auftrag{.status = 0, .aus = QString::fromUtf8(hilfetext)};
    if (p.isSet(version))
        return Auftrag{.status = 0, .aus = programm + QStringLiteral(" " REGLER_VERSION "\n")};
    const QStringList unbekannt = p.unknownOptionNames();
    if (!unbekannt.isEmpty())
        return falsch(programm, QStringLiteral("unbekannte Option ") +
                                    zitiert(wie_getippt(argumente, unbekannt.first())));
    if (!gelesen) {
        const QString letztes = argumente.last();
        if (letztes == QLatin1String("--seite") || letztes == QLatin1String("-seite"))
            return falsch(programm, QStringLiteral("--seite ohne Wert"));
        return falsch(programm, p.errorText());
    }
    if (p.values(seite).size() > 1)
        return falsch(programm, QStringLiteral("--seite mehrfach angegeben"));
    if (p.isSet(seite) && !(a.seite = seitennummer(p.value(seite))))
        return falsch(programm, QStringLiteral("--seite %1 ist keine Seite von 1 bis %2")
                                    .arg(zitiert(p.value(seite)))
                                    .arg(shell::Navigator::seitenzahl));
    return std::nullopt;
}

Auftrag ueberzaehlig(const QString& programm, const QString& argument) {
    return falsch(programm, QStringLiteral("überzähliges Argument ") + zitiert(argument));
}

} // namespace

QStringList ohne_qt_optionen(const QStringList& argumente) {
    // QGuiApplication's and QApplication's own options, as their documentation lists them
    // (X11's among them); Qt takes each with one dash or two.
    static const QStringList mit_wert = {"platform",
                                         "platformpluginpath",
                                         "platformtheme",
                                         "plugin",
                                         "qwindowgeometry",
                                         "qwindowicon",
                                         "qwindowtitle",
                                         "session",
                                         "display",
                                         "geometry",
                                         "title",
                                         "icon",
                                         "name",
                                         "style",
                                         "stylesheet"};
    static const QStringList ohne_wert = {"reverse", "widgetcount", "nograb", "dograb",
                                          "testability"};
    static const QStringList mit_gleich = {"qmljsdebugger", "style", "stylesheet", "dialogs",
                                           "fontengine"};
    QStringList rest;
    for (qsizetype k = 0; k < argumente.size(); ++k) {
        const QString& a = argumente.at(k);
        if (k == 0 || !a.startsWith(QLatin1Char('-'))) {
            rest << a;
            continue;
        }
        const QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString vor_gleich = name.section(QLatin1Char('='), 0, 0);
        if (ohne_wert.contains(name) ||
            (name.contains(QLatin1Char('=')) && mit_gleich.contains(vor_gleich)))
            continue;
        if (mit_wert.contains(name) && k + 1 < argumente.size()) {
            ++k; // its value
            continue;
        }
        rest << a;
    }
    return rest;
}

Auftrag regler_lesen(const QStringList& argumente) {
    const QString programm = QStringLiteral("regler");
    QCommandLineParser p;
    Auftrag a{.seite = 1};
    if (auto antwort = lesen(p, argumente, programm, regler_hilfe, a)) return *antwort;
    if (!p.positionalArguments().isEmpty())
        return ueberzaehlig(programm, p.positionalArguments().first());
    return a;
}

Auftrag bilder_lesen(const QStringList& argumente) {
    const QString programm = QStringLiteral("regler-bilder");
    QCommandLineParser p;
    p.addOption(pdf);
    Auftrag a;
    if (auto antwort = lesen(p, argumente, programm, bilder_hilfe, a)) return *antwort;
    const QStringList ordner = p.positionalArguments();
    if (ordner.isEmpty()) return falsch(programm, QStringLiteral("kein Zielordner angegeben"));
    if (ordner.size() > 1) return ueberzaehlig(programm, ordner.at(1));
    a.pdf = p.isSet(pdf);
    a.ziel = ordner.first();
    return a;
}

bool stil_gewaehlt(int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        const char* a = argv[k] + (std::strncmp(argv[k], "--", 2) == 0);
        if (std::strcmp(a, "-style") == 0 || std::strncmp(a, "-style=", 7) == 0) return true;
    }
    return false;
}

int antworten(const Auftrag& a) {
    const QByteArray fehler = a.fehler.toUtf8(), aus = a.aus.toUtf8();
    std::fwrite(fehler.data(), 1, size_t(fehler.size()), stderr);
    if (std::fwrite(aus.data(), 1, size_t(aus.size()), stdout) != size_t(aus.size()) ||
        std::fflush(stdout) != 0) {
        std::fputs("Ausgabe fehlgeschlagen\n", stderr);
        return 1;
    }
    return a.status;
}

} // namespace aufruf
