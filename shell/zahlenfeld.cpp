#include "zahlenfeld.h"

#include "piep.h"
#include "zahlen.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace shell {

namespace {
std::string komma() {
    return zahlformat().decimalPoint().toStdString();
}

// The character code a key press delivers to the rules, as the keyboard would type it; nullopt
// for keys that type nothing (cursor keys, Home, End, Delete), which keep their editing function.
std::optional<char32_t> zeichencode(const QKeyEvent* e) {
    const int k = e->key();
    if ((e->modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
        return char32_t(k - Qt::Key_A + 1); // Ctrl+V arrives as 22
    switch (k) {
    case Qt::Key_Backspace:
        return char32_t(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return char32_t(13);
    case Qt::Key_Escape:
        return char32_t(27);
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    const QList<uint> z = e->text().toUcs4();
    if (z.isEmpty()) return std::nullopt;
    return char32_t(z.first());
}
} // namespace

Zahlenfeld::Zahlenfeld(const darstellung::parameter& regeln, QWidget* parent)
    : QLineEdit(parent), m_regeln(regeln) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

darstellung::feldstand Zahlenfeld::stand() const {
    const QString t = text();
    // Places in characters: the field holds digits and a separator, each one UTF-16 unit.
    const int anfang = hasSelectedText() ? selectionStart() : cursorPosition();
    const int ende = hasSelectedText() ? selectionEnd() : cursorPosition();
    return {t.toStdString(), anfang, ende};
}

void Zahlenfeld::anwenden(const darstellung::feldaenderung& a) {
    for (int i = 0; i < a.piepse; ++i)
        piep();
    if (a.ersetzt) setText(QString::fromStdString(*a.ersetzt));
    if (!a.einfuegen.empty()) insert(QString::fromStdString(a.einfuegen));
}

void Zahlenfeld::obergrenze_pruefen() {
    anwenden(darstellung::grenze_pruefen(m_regeln, text().toStdString(), komma()));
}

std::optional<double> Zahlenfeld::wert() const {
    return zahl_lesen(text());
}

void Zahlenfeld::keyPressEvent(QKeyEvent* e) {
    const auto code = zeichencode(e);
    if (!code) {
        if (e->matches(QKeySequence::Paste)) // Shift+Insert
            einfuegen_begrenzt(QGuiApplication::clipboard()->text());
        else
            QLineEdit::keyPressEvent(e);
        return;
    }
    anwenden(darstellung::taste(m_regeln, stand(), *code, komma()));
    e->accept();
}

// An input method (IBus, a tablet's on-screen keyboard) commits text without a key press: it goes
// in as typed, character by character. Digits compose nothing, so a pre-edit is not shown.
void Zahlenfeld::inputMethodEvent(QInputMethodEvent* e) {
    e->accept();
    for (const char32_t c : e->commitString().toUcs4())
        anwenden(darstellung::taste(m_regeln, stand(), c, komma()));
}

void Zahlenfeld::einfuegen_begrenzt(const QString& t) {
    anwenden(darstellung::einfuegen(m_regeln, stand(), t.toStdString(), komma()));
}

void Zahlenfeld::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = kontextmenue();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

QMenu* Zahlenfeld::kontextmenue() {
    QMenu* menu = createStandardContextMenu();
    // Pasting goes through the key filter and is held to the maximum length, like typing.
    const QString tastenkuerzel =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* a : menu->actions()) {
        // Qt names the action in some versions only; its shortcut text names it in all.
        if (a->objectName() == QLatin1String("edit-paste") || a->text().endsWith(tastenkuerzel)) {
            a->disconnect();
            connect(a, &QAction::triggered, this,
                    [this] { einfuegen_begrenzt(QGuiApplication::clipboard()->text()); });
        }
        const qsizetype tab = a->text().indexOf(QLatin1Char('\t'));
        if (tab >= 0) a->setText(a->text().left(tab));
    }
    return menu;
}

void Zahlenfeld::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        einfuegen_begrenzt(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void Zahlenfeld::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasText()) e->acceptProposedAction();
}

void Zahlenfeld::dragMoveEvent(QDragMoveEvent* e) {
    if (!e->mimeData()->hasText()) return;
    setCursorPosition(cursorPositionAt(e->position().toPoint()));
    e->acceptProposedAction();
}

// Dropped text is pasted at the drop: filtered and held to the maximum length. A drag within the
// field copies rather than moves, so the field never holds more than it admits.
void Zahlenfeld::dropEvent(QDropEvent* e) {
    if (!e->mimeData()->hasText()) return;
    deselect();
    setCursorPosition(cursorPositionAt(e->position().toPoint()));
    einfuegen_begrenzt(e->mimeData()->text());
    e->setDropAction(Qt::CopyAction);
    e->accept();
    setFocus(Qt::MouseFocusReason);
}

} // namespace shell
