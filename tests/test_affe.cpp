// The monkey: seeded pseudo-random user actions over all four pages, the program's invariants
// checked after each. AFFE_SEED and AFFE_SCHRITTE replay any run (test_affe affe:de_DE: one number
// format only; AFFE_PROTOKOLL=1 lists every action); a failure names seed, format and action.
#include "dateien.h"
#include "protokoll.h"
#include "seitentest.h"
#include "zahlen.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QMessageBox>
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
const QStringList einfuegetexte =
    QString::fromUtf8("|abc|-5|1e308|nan|-inf|99999999999999999999| |\t\n| 12 "
                      "|1.5|1,5|99.9|100|1e-9|-0|0x1F|٣٤|²½|😀")
        .split(u'|');

// What the monkey types into a field besides digits (which come as often as all the rest): a letter
// ('a': any), keys as `tippen` takes them, characters above 127, any other code unit ('^').
const QString zeichen = QStringLiteral("a.,-\b\x7f\r\x1b\x16\t\x01\x05\x02^^") +
                        QString::fromUtf8("äöüÄßé°µ€½²³·©¿٣१０\u00A0\u2212\u066B");

// One chart as the monkey sees it: column 1 of `soll_feld`'s chart holds what the field read as
// at the last run.
struct Spur {
    Zahlenfeld* soll_feld = nullptr;
    int laeufe = 0;
    double soll = 0;
    bool geaendert = true;
};

class Affe {
public:
    // Sessions alternate between pages at full size and pages built smaller, as on a screen
    // lower than they are (the test screen is).
    Affe(quint64 seed, bool klein_zuerst) : m_zufall(seed), m_klein(klein_zuerst) { neu_starten(); }
    ~Affe() { beenden(); }

    QString schritt() {
        // Mostly the simulation pages, where there is most to do.
        std::vector<Seitenfenster*> seiten;
        for (Seitenfenster* v : sichtbare())
            seiten.insert(seiten.end(), v->findChildren<Zahlenfeld*>().isEmpty() ? 1 : 3, v);
        Seitenfenster* s = wahl(seiten);
        const auto felder = s->findChildren<Zahlenfeld*>();
        const auto diagramme = s->findChildren<Diagrammfeld*>();
        auto knoepfe = s->findChildren<QPushButton*>();
        knoepfe.removeIf([](const QPushButton* k) { return k->objectName() == "beenden"; });

        QString was;
        const int art = zahl(100);
        if (art < 58 && !felder.empty()) {
            Zahlenfeld* f = wahl(felder);
            const QPoint wo(zahl(std::max(1, f->width())), f->height() / 2);
            if (art < 40) {
                was = taste(f);
            } else if (art < 50) {
                QTest::mouseClick(f, Qt::LeftButton, art % 2 ? Qt::ShiftModifier : Qt::NoModifier,
                                  wo);
                was = QStringLiteral("click");
            } else {
                was = kontextmenue(f, wo);
            }
            was = f->objectName() + QLatin1Char(' ') + was;
        } else if (art < 66 && !diagramme.empty()) {
            Diagrammfeld* d = wahl(diagramme);
            const QPoint wo(zahl(std::max(1, d->width())), zahl(std::max(1, d->height())));
            QTest::mouseMove(d, wo);
            was = d->objectName() + (art < 62 ? QStringLiteral(" mouse over")
                                              : QLatin1Char(' ') + kontextmenue(d, wo));
        } else if (art < 97) {
            QPushButton* k =
                art < 81 && s->element("start") ? s->element<QPushButton>("start") : wahl(knoepfe);
            QTest::mouseClick(k, Qt::LeftButton);
            was = QStringLiteral("click ") + k->objectName();
        } else { // the close button of the window frame
            const size_t offen = m_nav->protokoll().ungesichert();
            m_antwort = 0;
            QCloseEvent e;
            QApplication::sendEvent(s->windowHandle(), &e);
            was = QStringLiteral("close through the frame");
            abarbeiten();
            if (sichtbare().empty()) {
                ++erwartete_enden;
                if (m_antwort != QMessageBox::Discard && m_nav->protokoll().ungesichert())
                    verloren = offen;
            }
        }
        abarbeiten();
        return s->windowTitle() + QStringLiteral(": ") + was;
    }
    QString pruefen(bool alles) {
        QStringList f;
        if (enden != erwartete_enden)
            f << QString::asprintf("program ended %d times, expected %d", enden, erwartete_enden);
        if (verloren)
            f << QString::asprintf("the program ended with %zu unsaved runs, not discarded",
                                   verloren);
        int alle = 0; // one window per page created, never more than four
        for (QWidget* w : QApplication::topLevelWidgets())
            alle += qobject_cast<Seitenfenster*>(w) != 0;
        if (alle > Navigator::seitenzahl || alle != m_nav->angelegt())
            f << QStringLiteral("%1 page windows, %2 created").arg(alle).arg(m_nav->angelegt());

        const QLocale format = shell::zahlformat();
        for (int n = 1; n <= Navigator::seitenzahl; ++n) {
            const Seitenfenster* s = m_nav->seite(n);
            if (!s) continue;
            if (s->ladungen() != 1)
                f << QStringLiteral("page %1 loaded %2 times").arg(n).arg(s->ladungen());
            for (const Zahlenfeld* z : s->findChildren<Zahlenfeld*>()) {
                const auto grenze = z->grenze();
                const bool grenztext = grenze && z->text() == shell::zahl_text(*grenze, format);
                if (z->text().size() > z->regeln().laenge && !grenztext)
                    f << QStringLiteral("page %1 field %2 holds \"%3\", longer than %4")
                             .arg(QString::number(n), z->objectName(), z->text(),
                                  QString::number(z->regeln().laenge));
            }
        }

        // Every chart filled; every cell of its last run finite and drawn, the power within 0..100,
        // the set-point the field's.
        for (auto& [d, sp] : m_spuren) {
            const QString name = d->window()->windowTitle() + QLatin1Char(' ') + d->objectName();
            const bool leistung = name.contains(QLatin1String("eistung"));
            if (!sp->laeufe) f << name + QStringLiteral(": never filled");
            if (!sp->geaendert && !alles) continue;
            sp->geaendert = false;
            for (int spalte = 1; spalte <= d->spaltenzahl(); ++spalte) {
                const std::vector<darstellung::punkt> kurve = d->kern().kurve(spalte);
                for (int zeile = 1; zeile <= d->zeilenzahl(); ++zeile) {
                    const auto v = d->wert(spalte, zeile);
                    QString fehler;
                    if (!v)
                        fehler = QStringLiteral("is no finite number");
                    else if (leistung && !(*v >= 0 && *v <= 100))
                        fehler = QStringLiteral("is a power outside 0..100");
                    else if (spalte == 1 && sp->soll_feld && *v != sp->soll)
                        fehler = QStringLiteral("is not the set-point %1 of its run").arg(sp->soll);
                    else if (kurve.size() != size_t(d->zeilenzahl()) ||
                             kurve[size_t(zeile - 1)].x != d->kern().spalte_x(zeile))
                        fehler = QStringLiteral("is not drawn");
                    if (!fehler.isEmpty()) {
                        f << name + QStringLiteral(" cell %1/%2 ").arg(spalte).arg(zeile) + fehler;
                        break;
                    }
                }
            }
        }
        return f.join(QStringLiteral("; "));
    }
    bool programm_zu_ende() const { return sichtbare().empty(); }
    void neu_starten() {
        beenden();
        m_nav = std::make_unique<Navigator>();
        m_nav->programmende = [this] { ++enden; };
        // Asked before unsaved runs would go: save (into the scratch folder, or cancelled there),
        // discard or cancel.
        m_nav->frage_vor_dem_ende = [this](QWidget*, const QString&) {
            const int antworten[] = {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel};
            return m_antwort = antworten[zahl(3)];
        };
        m_nav->an_bildschirm_anpassen = m_klein;
        m_klein = !m_klein;
        seiten::alle_seiten_anmelden(*m_nav);
        // Each page followed from its creation on, before its load action runs.
        for (int n = 1; n <= Navigator::seitenzahl; ++n)
            m_nav->anmelden(n, [this, n, bauen = m_nav->fabrik(n)](Navigator& nav) {
                auto seite = bauen(nav);
                verfolgen(*seite);
                return seite;
            });
        m_nav->seite_zeigen(1);
        abarbeiten();
    }

    int laeufe = 0, enden = 0, erwartete_enden = 0;
    size_t verloren = 0; // runs lost by an end the user did not agree to

private:
    int zahl(int n) { return int(m_zufall() % quint64(n)); }
    template <class V> typename V::value_type wahl(const V& v) { return v.at(zahl(int(v.size()))); }

    std::vector<Seitenfenster*> sichtbare() const {
        std::vector<Seitenfenster*> v;
        for (int n = 1; n <= Navigator::seitenzahl; ++n)
            if (Seitenfenster* s = m_nav->seite(n); s && s->isVisible()) v.push_back(s);
        return v;
    }
    void verfolgen(Seitenfenster& s) {
        for (Diagrammfeld* d : s.findChildren<Diagrammfeld*>()) {
            auto spur = std::make_unique<Spur>();
            Spur* sp = spur.get();
            if (QStringList{"graph", "kask"}.contains(d->objectName()))
                sp->soll_feld = s.element<Zahlenfeld>("w1");
            QObject::connect(d, &Diagrammfeld::lauf_abgeschlossen, d, [this, sp] {
                ++sp->laeufe;
                ++laeufe;
                sp->geaendert = true;
                if (sp->soll_feld) sp->soll = sp->soll_feld->wert().value_or(qQNaN());
            });
            m_spuren[d] = std::move(spur);
        }
    }
    void beenden() {
        if (!m_nav) return;
        m_spuren.clear();
        m_nav.reset();
        abarbeiten();
    }
    static void abarbeiten() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        // Closed menus delete themselves later; outside an event loop that needs asking.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString taste(Zahlenfeld* f) {
        QChar c = zahl(2) ? QChar(u'0' + zahl(10)) : wahl(zeichen);
        if (c == u'a') {
            c = QChar(u'a' + zahl(26));
        } else if (c == u'^') {
            const char16_t u = char16_t(0x80 + zahl(0xFFFF - 0x80));
            c = QChar::isSurrogate(u) ? QChar(0xFFFD) : QChar(u);
        }
        tippen(f, QString(c));
        return QStringLiteral("key U+%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    // Opens the context menu of `w` with one of the paste texts on the clipboard, and clicks one of
    // its entries; a disabled one closes the menu unused, as a click beside it would.
    QString kontextmenue(QWidget* w, QPoint wo) {
        const QString text = wahl(einfuegetexte);
        QGuiApplication::clipboard()->setText(text);
        QMenu* menu = menue_oeffnen(w, wo);
        if (!menu) return QStringLiteral("no menu");
        auto eintraege = menu->actions();
        eintraege.removeIf([](const QAction* a) { return a->isSeparator() || !a->isVisible(); });
        QAction* a = wahl(eintraege);
        if (a->isEnabled())
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        if (menu->isVisible()) menu->close();
        return QStringLiteral("menu \"%1\" with \"%2\"").arg(a->text(), text.left(12));
    }

    std::mt19937_64 m_zufall;
    bool m_klein = false; // the next session's pages built smaller
    std::unique_ptr<Navigator> m_nav;
    std::map<Diagrammfeld*, std::unique_ptr<Spur>> m_spuren;
    int m_antwort = 0;
};

} // namespace

class TestAffe : public QObject {
    Q_OBJECT
private slots:
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
        const QString kopf =
            QStringLiteral("AFFE_SEED=%1, number format %2, ").arg(seed).arg(format.name());
        Affe affe(seed, format != QLocale::c());
        // A replay starts as the first run did: the learning aids and the projector view off.
        LernhilfenAus::schalten(false, false);
        // "Bild/Daten speichern …" write into a scratch folder, or are cancelled, never a dialog.
        QTemporaryDir ordner;
        int speicherungen = 0;
        shell::speicherort_fuer_tests = [&](const QString& v) {
            return ++speicherungen % 2 ? ordner.filePath(v) : QString();
        };
        std::deque<QString> zuletzt;
        QString fehler = affe.pruefen(true);
        for (int nr = 1; nr <= schritte && fehler.isEmpty(); ++nr) {
            zuletzt.push_back(QStringLiteral("action %1: %2").arg(nr).arg(affe.schritt()));
            if (umgebung("AFFE_PROTOKOLL", 0)) qInfo("%s", qPrintable(zuletzt.back()));
            if (zuletzt.size() > 12) zuletzt.pop_front();
            fehler = affe.pruefen(nr % 100 == 0 || nr == schritte);
            if (fehler.isEmpty() && affe.programm_zu_ende()) affe.neu_starten();
        }
        QLocale::setDefault(QLocale::c());
        shell::speicherort_fuer_tests = nullptr;
        if (!fehler.isEmpty())
            QFAIL(qPrintable(kopf + QStringList(zuletzt.begin(), zuletzt.end()).join("; ") +
                             QStringLiteral(" -> ") + fehler));
        qInfo("%s%d actions, %d runs, %d program ends", qPrintable(kopf), schritte, affe.laeufe,
              affe.enden);
    }
};

QTEST_MAIN(TestAffe)
#include "test_affe.moc"
