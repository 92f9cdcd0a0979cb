// Turns an element table into widgets on a page or frame.
#pragma once

#include "einheiten.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace shell {

// A frame, picture box or page surface: paints the lines, shapes and arrows of the table that
// belong to it (beneath its child widgets), after an optional background drawing of the page's own.
class Flaeche : public QWidget {
    Q_OBJECT
public:
    explicit Flaeche(QWidget* parent = nullptr);

    void setzeRahmen(const Rahmen& r);
    // Pages drawn smaller than their tables (on a screen too low for them): 1 is pixel for pixel.
    void massstab_setzen(double m);
    double massstab() const { return m_massstab; }
    bool umrandet() const { return m_rand; }
    void linie(const Linie& l) { m_linien.push_back(l); }
    void form(const Form& f) { m_formen.push_back(f); }
    // Painted first, in twips (the painter is scaled), e.g. a vector drawing under an overlay.
    void setzeUntergrund(std::function<void(QPainter&)> zeichnen) {
        m_untergrund = std::move(zeichnen);
    }
    const std::function<void(QPainter&)>& untergrund() const { return m_untergrund; }

    const std::vector<Linie>& linien() const { return m_linien; }
    const std::vector<Form>& formen() const { return m_formen; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_titel;
    bool m_rand = false;
    double m_massstab = 1;
    std::optional<Schrift> m_schrift; // a frame's caption
    QPixmap m_bild;
    std::vector<Linie> m_linien;
    std::vector<Form> m_formen;
    std::function<void(QPainter&)> m_untergrund;
};

// Builds every element of the table. `seite` must be a Flaeche (the page surface). Elements with
// `in` go into the frame of that name, which must come earlier in the table. Widgets get the
// element's name as object name. Positions, sizes and fonts are scaled by the page's scale.
void seite_bauen(Flaeche* seite, const std::vector<Element>& tabelle);

// Places and sizes every element of a built page anew at another scale, as seite_bauen would
// have built it there; what the widgets hold (texts, curves) stays.
void seite_skalieren(Flaeche* seite, double massstab);

} // namespace shell
