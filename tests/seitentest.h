// What the page tests share: a page as the program builds it, and typing into widgets as a user
// would, one key event per character.
#pragma once

#include "diagrammfeld.h"
#include "seiten.h"
#include "zahlenfeld.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// Control characters stand for keys: \b Backspace, \t Tab, \r Return, \x1b Escape, \x7f Delete,
// \x16 Ctrl+V, \x01 Home, \x05 End, \x02 Shift+Home (selects back to the start).
inline void tippen(QWidget* w, const QString& tasten) {
    static const QString steuer = QStringLiteral("\b\t\r\x1b\x7f\x16\x01\x05\x02");
    static const QKeyCombination taste[] = {
        Qt::Key_Backspace, Qt::Key_Tab,    Qt::Key_Return,
        Qt::Key_Escape,    Qt::Key_Delete, Qt::ControlModifier | Qt::Key_V,
        Qt::Key_Home,      Qt::Key_End,    Qt::ShiftModifier | Qt::Key_Home};
    for (const QChar c : tasten) {
        if (const qsizetype k = steuer.indexOf(c); k >= 0) {
            QTest::keyClick(w, taste[k].key(), taste[k].keyboardModifiers());
            continue;
        }
        const int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode()
                                                                  : int(Qt::Key_unknown);
        QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &druck);
        QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &los);
    }
}

// The context menu of `w` as a right click at `wo` (or the menu key) opens it; a menu's entries
// by their texts, "&" marks left out.
inline QMenu* menue_oeffnen(QWidget* w, QPoint wo = {5, 5},
                            QContextMenuEvent::Reason wie = QContextMenuEvent::Mouse) {
    QContextMenuEvent kontext(wie, wo, w->mapToGlobal(wo));
    QApplication::sendEvent(w, &kontext);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}
inline QAction* eintrag(const QMenu* m, const QString& text) {
    for (QAction* a : m->actions())
        if (a->text().remove(QLatin1Char('&')) == text) return a;
    return nullptr;
}
inline QStringList eintraege(const QMenu* m) {
    QStringList t;
    for (const QAction* a : m->actions())
        if (!a->isSeparator()) t << a->text();
    return t;
}

// "w1=73 xp1=35": field names and texts, in order.
inline QList<std::pair<QString, QString>> paare(const QString& text) {
    QList<std::pair<QString, QString>> p;
    for (const QString& t : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        p.append({t.section(QLatin1Char('='), 0, 0), t.section(QLatin1Char('='), 1)});
    return p;
}

// A file's bytes; empty where it cannot be read.
inline QByteArray datei_inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A chart's column (1: the first series), row by row, and the texts it writes.
inline std::vector<double> spalte(const shell::Diagrammfeld* d, int s) {
    std::vector<double> v;
    for (int z = 1; z <= d->zeilenzahl(); ++z)
        v.push_back(*d->wert(s, z));
    return v;
}
inline QStringList texte(shell::Diagrammfeld* d) {
    QStringList t;
    for (const auto& e : d->kern().liste().bild)
        if (e.art == darstellung::element::form::text) t << QString::fromStdString(e.text);
    return t;
}

// What a chart shows on the screen is what it holds now: its picture, painted as the screen
// would ask for it, equals a fresh drawing of the chart.
inline bool frisch_gemalt(shell::Diagrammfeld* d) {
    d->grab();
    QImage frisch(d->bild().size(), QImage::Format_ARGB32_Premultiplied);
    frisch.setDevicePixelRatio(d->bild().devicePixelRatio());
    frisch.fill(Qt::transparent);
    QPainter p(&frisch);
    p.setRenderHint(QPainter::Antialiasing);
    d->malen(p);
    p.end();
    return d->bild() == frisch;
}

// Runs `ausloesen`; `tun` gets the modal dialog of that type it opens. False where none opens.
template <class Dialog, class Tun> bool im_dialog(const std::function<void()>& ausloesen, Tun tun) {
    QTimer warten;
    Dialog* offen = nullptr;
    QObject::connect(&warten, &QTimer::timeout, [&] {
        if ((offen = qobject_cast<Dialog*>(QApplication::activeModalWidget()))) {
            warten.stop();
            tun(offen);
        }
    });
    warten.start(10);
    ausloesen();
    return offen;
}

// The switches as a test starts them, off again when it ends, however it ends.
struct LernhilfenAus {
    explicit LernhilfenAus(bool k = false, bool v = false) { schalten(k, v); }
    ~LernhilfenAus() { schalten(false, false); }
    static void schalten(bool kennwerte, bool vorher, bool projektor = false) {
        shell::Lernhilfen::einstellungen().kennwerte_zeigen(kennwerte);
        shell::Lernhilfen::einstellungen().vorherigen_lauf_zeigen(vorher);
        shell::Lernhilfen::einstellungen().projektor_zeigen(projektor);
    }
};

// Page `nummer` (0: none yet) opened as the program opens it (its load run done), with all four
// pages registered; "beenden" is counted instead of ending the test.
struct Seite {
    shell::Navigator nav;
    int enden = 0;
    shell::Seitenfenster* seite = nullptr;

    // `frei`: built to fit a screen's free area of that size, as the program does.
    explicit Seite(int nummer, bool anpassen = false, QSize frei = {}) {
        nav.programmende = [this] { ++enden; };
        nav.an_bildschirm_anpassen = anpassen;
        nav.freie_flaeche = frei;
        seiten::alle_seiten_anmelden(nav);
        seite = nav.seite_zeigen(nummer);
    }
    auto* feld(const QString& name) const { return seite->findChild<shell::Zahlenfeld*>(name); }
    auto* diagramm(const QString& n) const { return seite->findChild<shell::Diagrammfeld*>(n); }
    void klick(const char* knopf) const {
        QTest::mouseClick(seite->element<QPushButton>(knopf), Qt::LeftButton);
    }
    // "Start Grafik" with the fields given as "w1=80 xp1=20" set first.
    void laufen(const QString& felder) const {
        for (const auto& [name, text] : paare(felder))
            feld(name)->setText(text);
        klick("start");
    }
    // Every cell of the page's charts, for "nothing changed".
    QList<double> zellen() const {
        QList<double> z;
        for (const auto* d : seite->findChildren<shell::Diagrammfeld*>())
            for (int s = 1; s <= d->spaltenzahl(); ++s)
                for (int i = 1; i <= d->zeilenzahl(); ++i)
                    z << d->wert(s, i).value_or(-1e300);
        return z;
    }
};
