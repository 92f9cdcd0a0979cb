// A numeric entry field: its key rules, typed length and upper limit are the shared ones of its
// run's table (darstellung/parameter.h); this widget hands them keys, pasted and dropped text and
// makes the edits they return, with their beeps.
#pragma once

#include "parameter.h"

#include <QLineEdit>

class QMenu;
#include <optional>

namespace shell {

class Zahlenfeld : public QLineEdit {
    Q_OBJECT
public:
    explicit Zahlenfeld(const darstellung::parameter& regeln, QWidget* parent = nullptr);
    const darstellung::parameter& regeln() const { return m_regeln; }
    bool dezimal() const { return m_regeln.dezimal; }
    std::optional<double> grenze() const { return m_regeln.grenze; }

    // Above its limit the whole text is replaced by the limit's, with a beep.
    void obergrenze_pruefen();

    // The text as a number in the user's format; nullopt unless it reads as a finite number.
    std::optional<double> wert() const;

    // Qt's edit menu, pasting through the key filter and held to the maximum length; without
    // shortcut texts, since the field takes those keys as characters and refuses them.
    QMenu* kontextmenue();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Pasted or dropped text: what the filter refuses goes, with one beep; cut to the maximum
    // typed length.
    void einfuegen_begrenzt(const QString& text);
    darstellung::feldstand stand() const;
    void anwenden(const darstellung::feldaenderung& a);

    const darstellung::parameter& m_regeln;
};

} // namespace shell
