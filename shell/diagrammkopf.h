// The head above a chart's plot: the summary of the figures (where the learning aids show them)
// and the legend, with the run before on lines of its own. Laid out by the shared rule from the
// widths this font gives; nothing of it reaches over the plot or left of it.
#pragma once

#include "diagramm.h"

#include <QFont>
#include <QPen>
#include <QPointF>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace shell {

struct Kopfeintrag {
    QString text;
    std::vector<QPen> stifte = {}; // the lines it names, side by side; none for a text alone
    bool operator==(const Kopfeintrag&) const = default;
};

struct Kopf {
    QStringList kennwerte; // the summary's pieces
    std::vector<Kopfeintrag> legende;
    darstellung::kopf lage;
    QPointF ursprung; // the plot's left edge, and the head's top, in the widget
    QRectF legende_rechteck() const {
        return {ursprung + QPointF(lage.legende_x, lage.legende_y),
                QSizeF(lage.legende_breite, lage.legende_hoehe)};
    }
};

// A line of the head, in this font.
int kopfzeile(const QFont& f);
// The head laid out for a plot of `breite` pixels.
void kopf_anordnen(Kopf& k, double breite, const QFont& f);
// The summary of the figures, over the chart's picture.
void kennwerte_zeichnen(QPainter& p, const Kopf& k, const QFont& f);

// The legend as a widget of its own, for it stands over the chart's picture and is painted
// without it.
class Legende : public QWidget {
public:
    Legende(QWidget* eltern, const QFont& f);
    void setzen(const Kopf& k);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Kopf m_kopf;
};

} // namespace shell
