#include "zahlenfeld.h"

#include "piep.h"
#include "zahlen.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace shell {

namespace {
// The decimal separator the gain field admits: the user's, so that what is typed reads back.
short dezimalzeichen() {
    const QString s = QLocale().decimalPoint();
    return s.isEmpty() ? short('.') : static_cast<short>(s.at(0).unicode());
}

// The character code a key press delivers to the filter, as the keyboard would type it; nullopt
// for keys that type nothing (cursor keys, Home, End, Delete), which keep their editing function.
std::optional<short> zeichencode(const QKeyEvent* e) {
    const int k = e->key();
    if ((e->modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<short>(k - Qt::Key_A + 1); // Ctrl+V arrives as 22
    switch (k) {
    case Qt::Key_Backspace:
        return short(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return short(13);
    case Qt::Key_Escape:
        return short(27);
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (e->text().isEmpty()) return std::nullopt;
    return static_cast<short>(e->text().at(0).unicode());
}
} // namespace

Zahlenfeld::Zahlenfeld(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void Zahlenfeld::setzeGrenze(std::optional<double> grenze, QString grenztext) {
    m_grenze = grenze;
    m_grenztext = std::move(grenztext);
}

bool Zahlenfeld::zulassen(short& code) const {
    // The gain is written "1.6" on the page: a full stop or a comma goes in as the user's
    // decimal separator, the one the field admits, so that what was typed is what runs.
    if (m_dezimal && (code == '.' || code == ',' || code == dezimalzeichen())) {
        code = dezimalzeichen();
        return true;
    }
    return code >= '0' && code <= '9';
}

void Zahlenfeld::ziffern_filter(short& code) const {
    if (!zulassen(code)) {
        code = 0;
        piep();
    }
}

void Zahlenfeld::obergrenze_pruefen() {
    if (!m_grenze) return;
    const auto w = wert();
    if (!w) return; // an emptied or pasted non-number has nothing to compare
    if (*w > *m_grenze) {
        setText(m_grenztext.isEmpty() ? zahl_text(*m_grenze) : m_grenztext);
        piep();
    }
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
    short c = *code;
    ziffern_filter(c);
    obergrenze_pruefen();
    if (c != 0) zeichen_einfuegen(QChar(static_cast<char16_t>(c)));
    e->accept();
}

void Zahlenfeld::zeichen_einfuegen(QChar c) {
    if (text().size() - selectedText().size() + 1 > m_max_laenge) return;
    insert(QString(c));
}

void Zahlenfeld::einfuegen_begrenzt(const QString& t) {
    // Through the key filter, character by character, with one beep for all that it refuses.
    QString zugelassen;
    bool verworfen = false;
    for (const QChar c : t) {
        short code = static_cast<short>(c.unicode());
        if (zulassen(code))
            zugelassen += QChar(static_cast<char16_t>(code));
        else
            verworfen = true;
    }
    if (verworfen) piep();
    const qsizetype platz = m_max_laenge - (text().size() - selectedText().size());
    if (platz <= 0 || zugelassen.isEmpty()) return;
    insert(zugelassen.left(platz));
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

bool felder_lesen(std::span<const std::pair<Zahlenfeld*, double*>> felder) {
    for (auto [feld, ziel] : felder) {
        const auto w = feld->wert();
        if (!w) {
            piep();
            feld->setFocus(Qt::OtherFocusReason);
            feld->selectAll();
            return false;
        }
        *ziel = *w;
    }
    for (auto [feld, ziel] : felder) {
        const auto grenze = feld->grenze();
        if (grenze && *ziel > *grenze) {
            feld->obergrenze_pruefen();
            *ziel = feld->wert().value_or(*grenze);
        }
    }
    return true;
}

} // namespace shell
