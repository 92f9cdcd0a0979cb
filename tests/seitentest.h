// What the page tests share: a page as the program builds it, and typing into widgets as a user
// would, one key event per character.
#pragma once

#include "diagrammfeld.h"
#include "seiten.h"
#include "zahlenfeld.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// Control characters stand for keys: \b Backspace, \t Tab, \r Return, \x1b Escape, \x7f Delete,
// \x16 Ctrl+V, \x01 Home, \x05 End, \x02 Shift+Home (selects back to the start).
inline void tippen(QWidget* w, const QString& tasten) {
    for (const QChar c : tasten) {
        // clang-format off
        switch (c.unicode()) {
        case 0x08: QTest::keyClick(w, Qt::Key_Backspace); break;
        case 0x09: QTest::keyClick(w, Qt::Key_Tab); break;
        case 0x0d: QTest::keyClick(w, Qt::Key_Return); break;
        case 0x1b: QTest::keyClick(w, Qt::Key_Escape); break;
        case 0x7f: QTest::keyClick(w, Qt::Key_Delete); break;
        case 0x16: QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); break;
        case 0x01: QTest::keyClick(w, Qt::Key_Home); break;
        case 0x05: QTest::keyClick(w, Qt::Key_End); break;
        case 0x02: QTest::keyClick(w, Qt::Key_Home, Qt::ShiftModifier); break;
        default: {
            const int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode()
                                                                      : int(Qt::Key_unknown);
            QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &druck);
            QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &los);
        }
        }
        // clang-format on
    }
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
    shell::Zahlenfeld* feld(const QString& name) const {
        return seite->findChild<shell::Zahlenfeld*>(name);
    }
    shell::Diagrammfeld* diagramm(const QString& name) const {
        return seite->findChild<shell::Diagrammfeld*>(name);
    }
    void klick(const char* knopf) const {
        QTest::mouseClick(seite->element<QPushButton>(knopf), Qt::LeftButton);
    }
    // "Start Grafik" with the fields given as "w1=80 xp1=20" set first.
    void laufen(const QString& felder) const {
        for (const QString& paar : felder.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            feld(paar.section(QLatin1Char('='), 0, 0))->setText(paar.section(QLatin1Char('='), 1));
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
