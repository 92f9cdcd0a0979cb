// A numeric entry field: a key filter that admits digits only (and, where allowed, the decimal
// separator), a maximum typed length, and an optional upper limit checked at each key press.
#pragma once

#include <QLineEdit>

class QMenu;
#include <initializer_list>
#include <optional>
#include <span>
#include <utility>

namespace shell {

class Zahlenfeld : public QLineEdit {
    Q_OBJECT
public:
    explicit Zahlenfeld(QWidget* parent = nullptr);

    void setzeMaxLaenge(int n) { m_max_laenge = n; }
    int maxLaenge() const { return m_max_laenge; }
    void setzeDezimal(bool ja) { m_dezimal = ja; }
    bool dezimal() const { return m_dezimal; }
    // Above `grenze` the whole text is replaced by `grenztext` (empty: the limit in the user's
    // number format) with a beep; checked on the text before the key's character goes in.
    void setzeGrenze(std::optional<double> grenze, QString grenztext = {});
    std::optional<double> grenze() const { return m_grenze; }

    // Sets code to 0 (with a beep) unless it is a digit, or where allowed a decimal separator:
    // "." and "," both become the user's.
    void ziffern_filter(short& code) const;
    void obergrenze_pruefen();

    // The text as a number in the user's format; nullopt unless it reads as a finite number.
    std::optional<double> wert() const;

    // Qt's edit menu, pasting through the key filter and held to the maximum length; without
    // shortcut texts, since the field takes those keys as characters and refuses them.
    QMenu* kontextmenue();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool zulassen(short& code) const; // the filter's rule, without the beep
    void zeichen_einfuegen(QChar c);
    // Pasted or dropped text: what the filter refuses goes, with one beep; cut to the maximum
    // typed length.
    void einfuegen_begrenzt(const QString& text);

    int m_max_laenge = 4;
    bool m_dezimal = false;
    std::optional<double> m_grenze;
    QString m_grenztext;
};

// Reads each field into its target. At the first field that does not read as a finite number:
// beep, focus that field with its text selected, and return false (nothing else is read).
// A field above its limit is then set to its limit text, with a beep, as its next key would do,
// and its target gets the limit: no run uses a value above it.
bool felder_lesen(std::span<const std::pair<Zahlenfeld*, double*>> felder);
inline bool felder_lesen(std::initializer_list<std::pair<Zahlenfeld*, double*>> felder) {
    return felder_lesen(std::span(felder.begin(), felder.size()));
}

} // namespace shell
