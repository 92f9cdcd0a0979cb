// A chart's read-out: the cursor under the mouse or the keys, on every chart of its group, the
// texts it reads, and the focus it shows.
#include "diagrammfeld.h"
#include "texte.h"
#include "zahlen.h"
#include "zeitgruppe.h"

#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>
#include <cmath>

namespace shell {

QString Diagrammfeld::ablesen(int zeile) const {
    return lesen(m_zellen, zeile);
}

QString Diagrammfeld::ablesen_vorher(int zeile) const {
    return vorher_sichtbar() ? lesen(vergleich_zellen(), zeile) : QString();
}

QString Diagrammfeld::lesen(const std::vector<QList<QPointF>>& zellen, int zeile) const {
    std::vector<std::string> namen;
    std::vector<double> werte;
    for (size_t s = 0; s < zellen.size(); ++s) {
        namen.push_back(m_reihen[s]->name().toStdString());
        werte.push_back(zeile >= 1 && zeile <= m_zeilen ? zellen[s][zeile - 1].y() : qQNaN());
    }
    return QString::fromStdString(darstellung::ablesen(namen, werte, m_einheit.toStdString(),
                                                       zahlformat().decimalPoint().toStdString()));
}

QString Diagrammfeld::ablesung() const {
    return m_gruppe->ablesung(m_zeiger_zeile);
}

int Diagrammfeld::zeile_bei(QPoint p) const {
    QChart* c = chart();
    const QPointF imChart = c->mapFromScene(mapToScene(p));
    if (!c->plotArea().contains(imChart) || m_reihen.empty()) return 0;
    const double x = c->mapToValue(imChart, m_reihen.front()).x();
    const int z = qRound(x);
    return z < 1 ? 1 : z > m_zeilen ? m_zeilen : z;
}

QRect Diagrammfeld::zeigerstreifen() const {
    if (!m_zeiger_zeile) return {};
    const int x = int(std::floor(pixelspalte(m_zeiger_zeile)));
    return QRect(x - 1, 0, 3, viewport()->height());
}

void Diagrammfeld::zeiger_zeigen(int zeile) {
    const int neu = zeile >= 1 && zeile <= m_zeilen && !m_reihen.empty() ? zeile : 0;
    if (neu == m_zeiger_zeile) return;
    // The cursor is drawn over the chart's picture: only its old and new column are painted.
    viewport()->update(zeigerstreifen());
    m_zeiger_zeile = neu;
    viewport()->update(zeigerstreifen());
    zeiger_melden();
}

void Diagrammfeld::mouseMoveEvent(QMouseEvent* e) {
    QChartView::mouseMoveEvent(e);
    const int z = zeile_bei(e->position().toPoint());
    if (z)
        emit zeiger_bewegt(z, e->globalPosition().toPoint());
    else
        emit zeiger_verlassen();
}

bool Diagrammfeld::viewportEvent(QEvent* e) {
    // Once the mouse rests, Qt asks the scene for a tooltip; it has none and would hide the
    // read-out's.
    if (e->type() == QEvent::ToolTip) return true;
    return QChartView::viewportEvent(e);
}

void Diagrammfeld::leaveEvent(QEvent* e) {
    QChartView::leaveEvent(e);
    emit zeiger_verlassen();
}

void Diagrammfeld::keyPressEvent(QKeyEvent* e) {
    const int schritt = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
    int zeile = m_zeiger_zeile;
    switch (e->key()) {
    case Qt::Key_Left:
        zeile = zeile ? std::max(1, zeile - schritt) : 1;
        break;
    case Qt::Key_Right:
        zeile = zeile ? std::min(m_zeilen, zeile + schritt) : 1;
        break;
    case Qt::Key_Home:
        zeile = 1;
        break;
    case Qt::Key_End:
        zeile = m_zeilen;
        break;
    case Qt::Key_F10:
        if (e->modifiers() & Qt::ShiftModifier) {
            const QPoint wo = m_zeiger_zeile
                                  ? QPoint(int(pixelspalte(m_zeiger_zeile)), height() / 2)
                                  : rect().center();
            QContextMenuEvent menue(QContextMenuEvent::Keyboard, wo, mapToGlobal(wo));
            contextMenuEvent(&menue);
            return;
        }
        [[fallthrough]];
    default:
        QChartView::keyPressEvent(e);
        return;
    }
    if (zeile >= 1) zeiger_setzen(zeile);
}

void Diagrammfeld::zeiger_setzen(int zeile) {
    if (zeile >= 1 && zeile <= m_zeilen)
        emit zeiger_bewegt(zeile, mapToGlobal(QPoint(int(pixelspalte(zeile)), height() / 2)));
    else
        emit zeiger_verlassen();
}

void Diagrammfeld::focusInEvent(QFocusEvent* e) {
    QChartView::focusInEvent(e);
    viewport()->update();
}

void Diagrammfeld::focusOutEvent(QFocusEvent* e) {
    QChartView::focusOutEvent(e);
    viewport()->update();
}

} // namespace shell
