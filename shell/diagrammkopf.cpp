#include "diagrammkopf.h"

#include <QPainter>
#include <cmath>

namespace shell {

namespace {
constexpr int strich = 16, vor_text = 20, nach_text = 6;
const QString trenner = QStringLiteral(" · ");

double eintragsbreite(const Kopfeintrag& e, const QFontMetricsF& fm) {
    return double(vor_text * e.stifte.size()) + fm.horizontalAdvance(e.text) + nach_text;
}
} // namespace

int kopfzeile(const QFont& f) {
    return QFontMetrics(f).height() + 4;
}

void kopf_anordnen(Kopf& k, double breite, const QFont& f) {
    const QFontMetricsF fm(f);
    std::vector<double> kennwerte, legende;
    for (const QString& t : k.kennwerte)
        kennwerte.push_back(std::ceil(fm.horizontalAdvance(t)));
    for (const Kopfeintrag& e : k.legende)
        legende.push_back(std::ceil(eintragsbreite(e, fm)));
    k.lage = darstellung::kopf_anordnen(kennwerte, std::ceil(fm.horizontalAdvance(trenner)),
                                        legende, breite, kopfzeile(f));
}

void kennwerte_zeichnen(QPainter& p, const Kopf& k, const QFont& f) {
    if (k.kennwerte.isEmpty()) return;
    p.save();
    p.setFont(f);
    p.setPen(Qt::black);
    const QFontMetricsF fm(f);
    const double grund = (kopfzeile(f) - fm.height()) / 2 + fm.ascent();
    for (qsizetype i = 0; i < k.kennwerte.size() && size_t(i) < k.lage.kennwerte.size(); ++i) {
        const auto [x, y] = k.lage.kennwerte[size_t(i)];
        const QPointF wo = k.ursprung + QPointF(x, y + grund);
        if (i > 0 && k.lage.kennwerte[size_t(i - 1)].y == y)
            p.drawText(wo - QPointF(fm.horizontalAdvance(trenner), 0), trenner);
        p.drawText(wo, k.kennwerte[i]);
    }
    p.restore();
}

Legende::Legende(QWidget* eltern, const QFont& f) : QWidget(eltern) {
    setObjectName(QStringLiteral("legende"));
    setFont(f);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Legende::setzen(const Kopf& k) {
    setGeometry(k.legende_rechteck().toAlignedRect());
    if (k.legende == m_kopf.legende && k.lage.legende == m_kopf.lage.legende) return;
    m_kopf = k;
    update();
}

void Legende::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 255, 255, 230));
    p.setPen(QColor(170, 170, 170));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics fm(font());
    const int zeile = kopfzeile(font());
    const QPointF links_oben(m_kopf.lage.legende_x, m_kopf.lage.legende_y);
    for (size_t i = 0; i < m_kopf.legende.size() && i < m_kopf.lage.legende.size(); ++i) {
        const Kopfeintrag& e = m_kopf.legende[i];
        const QPointF wo = QPointF(m_kopf.lage.legende[i].x, m_kopf.lage.legende[i].y) - links_oben;
        double x = wo.x();
        for (const QPen& stift : e.stifte) {
            p.setPen(stift);
            p.drawLine(QPointF(x, wo.y() + zeile / 2.0), QPointF(x + strich, wo.y() + zeile / 2.0));
            x += vor_text;
        }
        p.setPen(Qt::black);
        p.drawText(QRectF(x, wo.y(), fm.horizontalAdvance(e.text) + 2, zeile),
                   Qt::AlignVCenter | Qt::AlignLeft, e.text);
    }
}

} // namespace shell
