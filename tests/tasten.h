// Typing into widgets as a user would, one key event per character. Control characters stand for
// keys: \b Backspace, \r Return, \x1b Escape, \x7f Delete, \x16 Ctrl+V, \x01 Home, \x05 End.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

inline void tippen(QWidget* w, const QString& tasten) {
    for (const QChar c : tasten) {
        switch (c.unicode()) {
        case 0x08: QTest::keyClick(w, Qt::Key_Backspace); break;
        case 0x0d: QTest::keyClick(w, Qt::Key_Return); break;
        case 0x1b: QTest::keyClick(w, Qt::Key_Escape); break;
        case 0x7f: QTest::keyClick(w, Qt::Key_Delete); break;
        case 0x16: QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); break;
        case 0x01: QTest::keyClick(w, Qt::Key_Home); break;
        case 0x05: QTest::keyClick(w, Qt::Key_End); break;
        default: {
            const int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode()
                                                                      : int(Qt::Key_unknown);
            QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &druck);
            QKeyEvent los(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &los);
        }
        }
    }
}
