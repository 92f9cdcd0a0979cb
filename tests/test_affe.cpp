// The monkey: a seeded pseudo-random sequence of user actions over all four pages, with the
// program's invariants checked after every action. AFFE_SEED and AFFE_SCHRITTE replay any run
// (test_affe affe:de_DE runs one number format only; AFFE_PROTOKOLL=1 lists every action); a
// failure names seed, format and action.
#include "diagrammfeld.h"
#include "seite_1.h"
#include "seite_2.h"
#include "seite_3.h"
#include "seite_4.h"
#include "zahlen.h"
#include "zahlenfeld.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QWindow>
#include <QtTest>
#include <cmath>
#include <deque>
#include <map>
#include <memory>
#include <random>

using shell::Diagrammfeld;
using shell::Navigator;
using shell::Seitenfenster;
using shell::Zahlenfeld;

namespace {

quint64 umgebung(const char* name, quint64 vorgabe) {
    bool ok = false;
    const quint64 n = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? n : vorgabe;
}

// What the context menu of a field may be given to paste.
const QStringList einfuegetexte = {
    QString(),
    QStringLiteral("abc"),
    QStringLiteral("-5"),
    QStringLiteral("1e308"),
    QStringLiteral("nan"),
    QStringLiteral("inf"),
    QStringLiteral("-inf"),
    QStringLiteral("12345678901234567890123456789012345678901234567890"),
    QStringLiteral(" "),
    QStringLiteral(" \t\n"),
    QStringLiteral(" 12 "),
    QStringLiteral("1.5"),
    QStringLiteral("1,5"),
    QStringLiteral("99.9"),
    QStringLiteral("100"),
    QStringLiteral("1e-9"),
    QStringLiteral("-0"),
    QStringLiteral("0x1F"),
    QString::fromUtf8("٣٤"),
    QString::fromUtf8("²½"),
    QString::fromUtf8("\xF0\x9F\x98\x80"),
};

// Characters above 127 a keyboard may type; some are digits in other scripts.
const QString hohe_zeichen = QString::fromUtf8("äöüÄßé°µ€½²³·©¿٣१０\u00A0\u2212\u066B");

// One chart as the monkey sees it: the cells written since the last end of a run, and what the
// last complete run must have left.
struct Spur {
    Diagrammfeld* d = nullptr;
    QString name;
    Zahlenfeld* soll_feld = nullptr; // column 1 holds this field's text as the run read it
    bool leistung = false;           // power, 0..100
    std::vector<char> geschrieben;
    int offen = 0;
    int laeufe = 0;
    QString soll;
    bool geaendert = true;
    QString fehler;
};

class Affe {
public:
    // Sessions alternate between pages at full size and pages built smaller, as on a screen
    // lower than they are (the test screen is).
    Affe(quint64 seed, bool klein_zuerst) : m_zufall(seed), m_klein(klein_zuerst) { neu_starten(); }
    ~Affe() { beenden(); }

    // Runs one action; the text says what was done.
    QString schritt();
    // Empty when every invariant holds.
    QString pruefen(bool alles);
    bool programm_zu_ende() const { return sichtbare().empty(); }
    void neu_starten();

    int laeufe = 0, enden = 0, erwartete_enden = 0;

private:
    int zahl(int n) { return int(m_zufall() % quint64(n)); }
    template <class T> T& wahl(std::vector<T>& v) { return v[size_t(zahl(int(v.size())))]; }

    std::vector<Seitenfenster*> sichtbare() const;
    void verfolgen(Seitenfenster& s, int n);
    void beenden();
    void abarbeiten();

    QString taste(Zahlenfeld* f);
    QString maus(Zahlenfeld* f);
    QString kontextmenue(QWidget* w, QPoint wo, int einfuegen);

    std::mt19937_64 m_zufall;
    bool m_klein = false; // the next session's pages built smaller
    std::unique_ptr<Navigator> m_nav;
    std::map<Diagrammfeld*, std::unique_ptr<Spur>> m_spuren;
    std::map<int, const Seitenfenster*> m_instanzen; // as first created: kept to the end
    QStringList m_verloren;
};

template <class S> Navigator::Fabrik fabrik(std::function<void(Seitenfenster&)> verfolgen) {
    return [verfolgen](Navigator& nav) -> std::unique_ptr<Seitenfenster> {
        auto s = std::make_unique<S>(nav);
        verfolgen(*s); // before its load action runs
        return s;
    };
}

void Affe::neu_starten() {
    beenden();
    m_nav = std::make_unique<Navigator>();
    m_nav->programmende = [this] { ++enden; };
    m_nav->an_bildschirm_anpassen = m_klein;
    m_klein = !m_klein;
    m_nav->anmelden(1, fabrik<seiten::seite_1>([this](Seitenfenster& s) { verfolgen(s, 1); }));
    m_nav->anmelden(2, fabrik<seiten::seite_2>([this](Seitenfenster& s) { verfolgen(s, 2); }));
    m_nav->anmelden(3, fabrik<seiten::seite_3>([this](Seitenfenster& s) { verfolgen(s, 3); }));
    m_nav->anmelden(4, fabrik<seiten::seite_4>([this](Seitenfenster& s) { verfolgen(s, 4); }));
    m_nav->seite_zeigen(1);
    abarbeiten();
}

void Affe::beenden() {
    if (!m_nav) return;
    m_spuren.clear();
    m_instanzen.clear();
    m_nav.reset();
    abarbeiten();
}

void Affe::abarbeiten() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    // Closed menus delete themselves later; outside an event loop that needs asking.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Affe::verfolgen(Seitenfenster& s, int n) {
    for (Diagrammfeld* d : s.findChildren<Diagrammfeld*>()) {
        auto spur = std::make_unique<Spur>();
        Spur* sp = spur.get();
        sp->d = d;
        sp->name = QStringLiteral("Seite %1 %2").arg(n).arg(d->objectName());
        if ((n == 2 && d->objectName() == QLatin1String("graph")) ||
            (n == 3 && d->objectName() == QLatin1String("kask")))
            sp->soll_feld = s.element<Zahlenfeld>("w1");
        sp->leistung = d->objectName().compare(QLatin1String("leistung"), Qt::CaseInsensitive) == 0;
        sp->geschrieben.assign(size_t(d->rowCount() * d->columnCount()), 0);
        QObject::connect(d, &Diagrammfeld::zelleGeschrieben, d, [sp](int spalte, int zeile) {
            const int i = (zeile - 1) * sp->d->columnCount() + (spalte - 1);
            if (i < 0 || size_t(i) >= sp->geschrieben.size()) {
                sp->fehler = QStringLiteral("cell %1/%2 outside the grid").arg(spalte).arg(zeile);
                return;
            }
            sp->geschrieben[size_t(i)] = 1;
            ++sp->offen;
        });
        QObject::connect(d, &Diagrammfeld::laufAbgeschlossen, d, [this, sp] {
            const auto fehlt = std::count(sp->geschrieben.begin(), sp->geschrieben.end(), 0);
            if (fehlt && sp->fehler.isEmpty())
                sp->fehler = QStringLiteral("run ended with %1 of %2 cells unwritten")
                                 .arg(fehlt)
                                 .arg(sp->geschrieben.size());
            std::fill(sp->geschrieben.begin(), sp->geschrieben.end(), 0);
            sp->offen = 0;
            ++sp->laeufe;
            ++laeufe;
            sp->geaendert = true;
            if (sp->soll_feld) sp->soll = sp->soll_feld->text();
        });
        QObject::connect(d, &QObject::destroyed, [this, d, n] {
            if (m_spuren.erase(d))
                m_verloren << QStringLiteral("a chart of page %1 was destroyed").arg(n);
        });
        m_spuren[d] = std::move(spur);
    }
}

std::vector<Seitenfenster*> Affe::sichtbare() const {
    std::vector<Seitenfenster*> v;
    for (int n = 1; n <= Navigator::seitenzahl; ++n)
        if (Seitenfenster* s = m_nav->seite(n); s && s->isVisible()) v.push_back(s);
    return v;
}

QString Affe::taste(Zahlenfeld* f) {
    int key = 0;
    Qt::KeyboardModifiers mod = Qt::NoModifier;
    QString text;
    switch (zahl(16)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4: {
        const int z = zahl(10);
        key = Qt::Key_0 + z;
        text = QString(QChar(u'0' + z));
        break;
    }
    case 5: {
        const int b = zahl(26);
        key = Qt::Key_A + b;
        const bool gross = zahl(2);
        mod = gross ? Qt::ShiftModifier : Qt::NoModifier;
        text = QString(QChar((gross ? u'A' : u'a') + b));
        break;
    }
    case 6:
        key = Qt::Key_Period, text = QStringLiteral(".");
        break;
    case 7:
        key = Qt::Key_Comma, text = QStringLiteral(",");
        break;
    case 8: {
        const QString z = QStringLiteral("-+ eE/*");
        const QChar c = z.at(zahl(int(z.size())));
        key = c == u' ' ? int(Qt::Key_Space) : c.toUpper().unicode();
        text = QString(c);
        break;
    }
    case 9:
        key = Qt::Key_Backspace, text = QStringLiteral("\b");
        break;
    case 10:
        key = Qt::Key_Delete, text = QStringLiteral("\x7f");
        break;
    case 11:
        key = zahl(2) ? Qt::Key_Return : Qt::Key_Enter, text = QStringLiteral("\r");
        break;
    case 12:
        key = Qt::Key_Escape, text = QStringLiteral("\x1b");
        break;
    case 13: {
        // Ctrl+V mostly; the other editing shortcuts now and then.
        const char tasten[] = "VVVZYXCA";
        const char t = tasten[zahl(8)];
        key = Qt::Key_A + (t - 'A');
        mod = Qt::ControlModifier;
        text = QString(QChar(char16_t(t - 'A' + 1)));
        break;
    }
    case 14: {
        key = Qt::Key_unknown;
        if (zahl(3)) {
            text = QString(hohe_zeichen.at(zahl(int(hohe_zeichen.size()))));
        } else {
            char16_t c = char16_t(0x80 + zahl(0xFFFF - 0x80));
            if (QChar::isSurrogate(c)) c = 0xFFFD;
            text = QString(QChar(c));
        }
        break;
    }
    default: {
        // Moving the caret, with Shift selecting.
        const int tasten[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Tab};
        key = tasten[zahl(5)];
        if (zahl(2)) mod = Qt::ShiftModifier;
        break;
    }
    }
    QKeyEvent druck(QEvent::KeyPress, key, mod, text);
    QApplication::sendEvent(f, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, mod, text);
    QApplication::sendEvent(f, &los);
    QString name = QKeySequence(QKeyCombination(mod, Qt::Key(key))).toString();
    if (!text.isEmpty() && text.at(0) >= u' ' && text.at(0) != QChar(0x7f))
        name +=
            QStringLiteral(" '%1' (U+%2)").arg(text).arg(text.at(0).unicode(), 4, 16, QChar(u'0'));
    return QStringLiteral("key %1").arg(name);
}

QString Affe::maus(Zahlenfeld* f) {
    const int y = f->height() / 2;
    const QPoint a(zahl(std::max(1, f->width())), y);
    const QPoint b(zahl(std::max(1, f->width())), y);
    switch (zahl(4)) {
    case 0:
        QTest::mouseClick(f, Qt::LeftButton, {}, a);
        return QStringLiteral("click at %1").arg(a.x());
    case 1:
        QTest::mouseDClick(f, Qt::LeftButton, {}, a);
        return QStringLiteral("double click at %1").arg(a.x());
    case 2:
        QTest::mouseClick(f, Qt::LeftButton, Qt::ShiftModifier, a);
        return QStringLiteral("shift click at %1").arg(a.x());
    default:
        QTest::mousePress(f, Qt::LeftButton, {}, a);
        QTest::mouseMove(f, b);
        QTest::mouseRelease(f, Qt::LeftButton, {}, b);
        return QStringLiteral("drag from %1 to %2").arg(a.x()).arg(b.x());
    }
}

// Opens the context menu of `w` and clicks one of its entries: "Paste" when `einfuegen`, else
// any; a disabled entry closes the menu unused, as a click beside it would.
QString Affe::kontextmenue(QWidget* w, QPoint wo, int einfuegen) {
    QString was;
    if (einfuegen >= 0) {
        const QString t = einfuegetexte.at(einfuegen);
        QGuiApplication::clipboard()->setText(t);
        was = QStringLiteral("paste \"%1\"").arg(t.left(12));
    }
    QContextMenuEvent e(QContextMenuEvent::Mouse, wo, w->mapToGlobal(wo));
    QApplication::sendEvent(w, &e);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return was + QStringLiteral(" (no menu)");
    std::vector<QAction*> eintraege;
    const QString einfuegen_kuerzel =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        if (einfuegen >= 0 && !a->text().endsWith(einfuegen_kuerzel)) continue;
        eintraege.push_back(a);
    }
    if (eintraege.empty()) {
        menu->close();
        return was + QStringLiteral(" (no entry)");
    }
    QAction* a = wahl(eintraege);
    if (einfuegen < 0) was = QStringLiteral("menu \"%1\"").arg(a->text().section(u'\t', 0, 0));
    if (a->isEnabled())
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
    else
        was += QStringLiteral(" (disabled)");
    if (menu->isVisible()) menu->close();
    return was;
}

QString Affe::schritt() {
    // Mostly the simulation pages, where there is most to do.
    std::vector<Seitenfenster*> seiten;
    for (Seitenfenster* v : sichtbare())
        for (int i = v->findChildren<Zahlenfeld*>().isEmpty() ? 1 : 3; i > 0; --i)
            seiten.push_back(v);
    Seitenfenster* s = wahl(seiten);
    const QString seite = s->windowTitle() + QStringLiteral(": ");
    auto felder = s->findChildren<Zahlenfeld*>();
    auto diagramme = s->findChildren<Diagrammfeld*>();
    std::vector<Zahlenfeld*> fv(felder.begin(), felder.end());
    std::vector<Diagrammfeld*> dv(diagramme.begin(), diagramme.end());
    std::vector<QPushButton*> knoepfe;
    for (QPushButton* k : s->findChildren<QPushButton*>())
        if (k->objectName() != QLatin1String("beenden")) knoepfe.push_back(k);

    QString was;
    const int art = zahl(100);
    if (art < 40 && !fv.empty()) {
        Zahlenfeld* f = wahl(fv);
        was = f->objectName() + QLatin1Char(' ') + taste(f);
    } else if (art < 50 && !fv.empty()) {
        Zahlenfeld* f = wahl(fv);
        was = f->objectName() + QLatin1Char(' ') + maus(f);
    } else if (art < 58 && !fv.empty()) {
        Zahlenfeld* f = wahl(fv);
        const QPoint wo(zahl(std::max(1, f->width())), f->height() / 2);
        was = f->objectName() + QLatin1Char(' ') +
              kontextmenue(f, wo, zahl(int(einfuegetexte.size())));
    } else if (art < 63 && !fv.empty()) {
        Zahlenfeld* f = wahl(fv);
        const QPoint wo(zahl(std::max(1, f->width())), f->height() / 2);
        was = f->objectName() + QLatin1Char(' ') + kontextmenue(f, wo, -1);
    } else if (art < 66 && !dv.empty()) {
        Diagrammfeld* d = wahl(dv);
        const QPoint wo(zahl(std::max(1, d->width())), zahl(std::max(1, d->height())));
        if (zahl(2)) {
            QTest::mouseMove(d->viewport(), wo);
            was = d->objectName() + QStringLiteral(" mouse over");
        } else {
            was = d->objectName() + QLatin1Char(' ') + kontextmenue(d->viewport(), wo, -1);
        }
    } else if (art < 81 && s->element<QPushButton>("start")) {
        QTest::mouseClick(s->element<QPushButton>("start"), Qt::LeftButton);
        was = QStringLiteral("Start Grafik");
    } else if (art < 97) {
        QPushButton* k = wahl(knoepfe);
        QTest::mouseClick(k, Qt::LeftButton);
        was = QStringLiteral("click ") + k->objectName();
    } else {
        // The close button of the window frame.
        QCloseEvent e;
        QApplication::sendEvent(s->windowHandle(), &e);
        was = QStringLiteral("close through the frame");
        abarbeiten();
        if (sichtbare().empty()) ++erwartete_enden;
    }
    abarbeiten();
    return seite + was;
}

QString Affe::pruefen(bool alles) {
    QStringList f;
    if (enden != erwartete_enden)
        f << QStringLiteral("program ended %1 times, expected %2").arg(enden).arg(erwartete_enden);

    f << m_verloren;
    std::map<QString, int> instanzen;
    int alle = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Seitenfenster*>(w)) ++instanzen[w->windowTitle()], ++alle;
    for (const auto& [titel, n] : instanzen)
        if (n > 1) f << QStringLiteral("%1 instances of %2").arg(n).arg(titel);
    if (alle > Navigator::seitenzahl || alle != m_nav->angelegt())
        f << QStringLiteral("%1 page windows, %2 created").arg(alle).arg(m_nav->angelegt());

    const QLocale format = shell::zahlformat();
    for (int n = 1; n <= Navigator::seitenzahl; ++n) {
        const Seitenfenster* s = m_nav->seite(n);
        if (!s) continue;
        if (const auto [erste, neu] = m_instanzen.emplace(n, s); !neu && erste->second != s)
            f << QStringLiteral("page %1 was created anew").arg(n);
        if (s->ladungen() != 1)
            f << QStringLiteral("page %1 loaded %2 times").arg(n).arg(s->ladungen());
        if (s->windowTitle() != QStringLiteral("Seite %1").arg(n))
            f << QStringLiteral("page %1 has the caption %2").arg(n).arg(s->windowTitle());
        for (const Zahlenfeld* z : s->findChildren<Zahlenfeld*>()) {
            const QString t = z->text();
            const auto grenze = z->grenze();
            const bool grenztext = grenze && t == shell::zahl_text(*grenze, format);
            if (t.size() > z->maxLaenge() && !grenztext)
                f << QStringLiteral("page %1 field %2 holds \"%3\", longer than %4")
                         .arg(n)
                         .arg(z->objectName(), t)
                         .arg(z->maxLaenge());
        }
    }

    for (auto& [d, sp] : m_spuren) {
        if (!sp->fehler.isEmpty()) f << sp->name + QStringLiteral(": ") + sp->fehler;
        if (sp->offen)
            f << sp->name + QStringLiteral(": %1 cells written after the last run").arg(sp->offen);
        if (!sp->laeufe) f << sp->name + QStringLiteral(": never filled");
        if (!sp->geaendert && !alles) continue;
        sp->geaendert = false;
        for (int spalte = 1; spalte <= d->columnCount(); ++spalte) {
            const QList<QPointF> punkte = d->punkte(spalte);
            if (punkte.size() != d->rowCount())
                f << sp->name + QStringLiteral(" column %1 draws %2 points, not %3")
                                    .arg(spalte)
                                    .arg(punkte.size())
                                    .arg(d->rowCount());
            for (int zeile = 1; zeile <= d->rowCount(); ++zeile) {
                const QString t = d->data(spalte, zeile);
                const auto v = shell::zahl_lesen(t, format);
                QString fehler;
                if (!v)
                    fehler = QStringLiteral("is no finite number");
                else if (sp->leistung && !(*v >= 0 && *v <= 100))
                    fehler = QStringLiteral("is a power outside 0..100");
                else if (spalte == 1 && sp->soll_feld && t != sp->soll)
                    fehler = QStringLiteral("is not the set-point \"%1\" of its run").arg(sp->soll);
                else if (punkte.size() == d->rowCount() && punkte[zeile - 1] != QPointF(zeile, *v))
                    fehler = QStringLiteral("is not drawn");
                if (!fehler.isEmpty()) {
                    f << sp->name + QStringLiteral(" cell %1/%2 \"%3\" %4")
                                        .arg(spalte)
                                        .arg(zeile)
                                        .arg(t, fehler);
                    break;
                }
            }
        }
    }
    return f.join(QStringLiteral("; "));
}

QtMessageHandler weiter_melden = nullptr;
void melden(QtMsgType art, const QMessageLogContext& ort, const QString& text) {
    // The offscreen platform can neither raise windows nor grab the keyboard; that is no finding.
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    weiter_melden(art, ort, text);
}

} // namespace

class TestAffe : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { weiter_melden = qInstallMessageHandler(melden); }

    void affe_data() {
        QTest::addColumn<QLocale>("format");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
    }
    void affe() {
        QFETCH(QLocale, format);
        QLocale::setDefault(format);
        const quint64 seed = umgebung("AFFE_SEED", 1);
        const int schritte = int(umgebung("AFFE_SCHRITTE", 1000));
        const QString kopf = QStringLiteral("AFFE_SEED=%1 AFFE_SCHRITTE=%2, number format %3")
                                 .arg(seed)
                                 .arg(schritte)
                                 .arg(format.name());
        QElapsedTimer uhr;
        uhr.start();
        Affe affe(seed, format != QLocale::c());
        const bool protokoll = umgebung("AFFE_PROTOKOLL", 0) != 0;
        std::deque<QString> zuletzt;
        QString fehler = affe.pruefen(true);
        if (!fehler.isEmpty()) QFAIL(qPrintable(kopf + QStringLiteral(", at start: ") + fehler));
        for (int nr = 1; nr <= schritte; ++nr) {
            const QString was = affe.schritt();
            zuletzt.push_back(QStringLiteral("%1 %2").arg(nr).arg(was));
            if (protokoll) qInfo("%s", qPrintable(zuletzt.back()));
            if (zuletzt.size() > 12) zuletzt.pop_front();
            fehler = affe.pruefen(nr % 100 == 0 || nr == schritte);
            if (fehler.isEmpty() && affe.programm_zu_ende()) affe.neu_starten();
            if (!fehler.isEmpty()) {
                for (const QString& z : zuletzt)
                    qWarning("  %s", qPrintable(z));
                QFAIL(qPrintable(kopf +
                                 QStringLiteral(", action %1 (%2): %3").arg(nr).arg(was, fehler)));
            }
        }
        qInfo("%s: %d actions, %d runs, %d program ends, %lld ms", qPrintable(kopf), schritte,
              affe.laeufe, affe.enden, qint64(uhr.elapsed()));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_MAIN(TestAffe)
#include "test_affe.moc"
