#include "diagrammfeld.h"

#include "anzeige_malen.h"
#include "zahlen.h"

#include <QKeyEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QToolTip>

namespace shell {

namespace {
darstellung::schaubild_art art_von(const Diagramm& d) {
    darstellung::schaubild_art a{.name = d.name,
                                 .zeilen = d.zeilen,
                                 .zeit_titel = d.zeit_titel,
                                 .wert_titel = d.wert_titel,
                                 .bis = d.bis,
                                 .kennwerte_soll = d.kennwerte_soll,
                                 .kennwerte_ist = d.kennwerte_ist,
                                 .vergleich = d.vergleich,
                                 .vergleich_legende = d.vergleich_legende,
                                 .tangente = d.tangente,
                                 .zeit_beschriftet = d.zeit_beschriftet,
                                 .datei = d.datei};
    for (const char* r : d.reihen)
        a.reihen.emplace_back(r);
    const QRect g = pixel(d.r);
    a.breite = g.width();
    a.hoehe = g.height();
    return a;
}
} // namespace

void Gruppe::angleichen() {
    for (Diagrammfeld* d : felder) {
        const QPoint ort = d->mapTo(d->window(), QPoint(0, 0));
        kern.ort_setzen(&d->kern(), ort.x(), ort.y());
    }
    kern.angleichen();
    for (Diagrammfeld* d : felder)
        d->update();
}

Diagrammfeld::Diagrammfeld(const Diagramm& d, QWidget* parent, double massstab)
    : QWidget(parent), m_kern(art_von(d), darstellung::Gesicht::desktop),
      m_gruppe(std::make_shared<Gruppe>()), m_massstab(massstab) {
    m_gruppe->kern.aufnehmen(&m_kern);
    m_gruppe->felder.push_back(this);
    m_kern.schalter_setzen(Lernhilfen::einstellungen().schalter());
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    zugang_einrichten();
    setAccessibleName(QString::fromStdString(m_kern.name()));
    connect(&Lernhilfen::einstellungen(), &Lernhilfen::geaendert, this, [this] {
        m_kern.schalter_setzen(Lernhilfen::einstellungen().schalter());
        darstellen();
    });
}

Diagrammfeld::~Diagrammfeld() = default;

void Diagrammfeld::gruppe_bilden(const std::vector<Diagrammfeld*>& diagramme) {
    auto g = std::make_shared<Gruppe>();
    for (Diagrammfeld* d : diagramme) {
        g->kern.aufnehmen(&d->m_kern);
        g->felder.push_back(d);
        d->m_gruppe = g;
    }
    g->angleichen();
}

void Diagrammfeld::massstab_setzen(double massstab) {
    m_massstab = massstab;
}

void Diagrammfeld::neu_darstellen() {
    darstellen();
}

void Diagrammfeld::darstellen() {
    m_kern.komma_setzen(zahlformat().decimalPoint().toStdString());
    // A chart may reach past its window's edge: the plot keeps to what is seen.
    int sichtbar = width();
    if (const QWidget* eltern = parentWidget())
        sichtbar = std::min(sichtbar, eltern->width() - x());
    m_kern.groesse_setzen(width(), height(), sichtbar, m_massstab);
    m_gruppe->angleichen();
    const QString b = QString::fromStdString(m_kern.beschreibung());
    if (b != accessibleDescription()) setAccessibleDescription(b);
}

void Diagrammfeld::lauf_abschliessen() {
    m_kern.lauf_abschliessen();
    darstellen();
    emit lauf_abgeschlossen();
}

void Diagrammfeld::vergleiche_setzen(std::vector<darstellung::vergleichslauf> laeufe) {
    m_kern.vergleiche_setzen(std::move(laeufe));
    darstellen();
}

void Diagrammfeld::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const darstellung::anzeige& liste = m_kern.liste();
    // On paper, into a PDF or a picture of the page: the list in vectors, without the cursor.
    if (const QPaintEngine* m = p.paintEngine(); m && m->type() != QPaintEngine::Raster) {
        anzeige_malen(p, liste, liste.bild);
        return;
    }
    const qreal dpr = devicePixelRatioF();
    const QSize groesse = size() * dpr;
    if (m_bildstand != m_kern.bildstand() || m_bild.size() != groesse) {
        if (m_bild.size() != groesse) {
            m_bild = QImage(groesse, QImage::Format_ARGB32_Premultiplied);
            m_bild.setDevicePixelRatio(dpr);
        }
        m_bild.fill(Qt::transparent);
        QPainter q(&m_bild);
        q.setRenderHint(QPainter::Antialiasing);
        anzeige_malen(q, liste, liste.bild);
        m_bildstand = m_kern.bildstand();
    }
    p.setClipRegion(e->region());
    p.drawImage(QPointF(0, 0), m_bild);
    anzeige_malen(p, liste, liste.oben);
}

void Diagrammfeld::malen(QPainter& p) {
    const darstellung::anzeige& liste = m_kern.liste();
    anzeige_malen(p, liste, liste.bild);
}

void Diagrammfeld::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    darstellen();
}

void Diagrammfeld::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    m_gruppe->angleichen();
}

// ---- the read-out: the cursor under the mouse or the keys, on every chart of the group

QString Diagrammfeld::ablesung() const {
    return QString::fromStdString(m_gruppe->kern.ablesung(m_kern.zeiger()));
}

void Diagrammfeld::zeiger_zeigen(int zeile, QPoint wo) {
    m_gruppe->kern.zeiger(zeile);
    for (Diagrammfeld* d : m_gruppe->felder)
        d->update();
    QToolTip::showText(wo + QPoint(darstellung::tipp_versatz, darstellung::tipp_versatz),
                       ablesung(), this);
}

void Diagrammfeld::zeiger_weg() {
    if (!m_gruppe->kern.zeiger()) return;
    m_gruppe->kern.zeiger(0);
    for (Diagrammfeld* d : m_gruppe->felder)
        d->update();
    QToolTip::hideText();
}

void Diagrammfeld::zeiger_setzen(int zeile) {
    if (zeile < 1 || zeile > zeilenzahl()) {
        zeiger_weg();
        return;
    }
    zeiger_zeigen(zeile, mapToGlobal(QPoint(int(m_kern.spalte_x(zeile)), height() / 2)));
    zeiger_melden();
}

void Diagrammfeld::mouseMoveEvent(QMouseEvent* e) {
    const QPointF wo = e->position();
    if (const int z = m_kern.zeile_bei({wo.x(), wo.y()}))
        zeiger_zeigen(z, e->globalPosition().toPoint());
    else
        zeiger_weg();
}

void Diagrammfeld::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    zeiger_weg();
}

bool Diagrammfeld::event(QEvent* e) {
    // Once the mouse rests, Qt asks for a tooltip of the widget's own; it would hide the
    // read-out's.
    if (e->type() == QEvent::ToolTip) return true;
    return QWidget::event(e);
}

void Diagrammfeld::keyPressEvent(QKeyEvent* e) {
    using darstellung::diagrammtaste;
    const bool umschalt = e->modifiers() & Qt::ShiftModifier;
    std::optional<diagrammtaste> t;
    switch (e->key()) {
    case Qt::Key_Left:
        t = diagrammtaste::links;
        break;
    case Qt::Key_Right:
        t = diagrammtaste::rechts;
        break;
    case Qt::Key_Home:
        t = diagrammtaste::anfang;
        break;
    case Qt::Key_End:
        t = diagrammtaste::ende;
        break;
    case Qt::Key_F10:
        if (umschalt) t = diagrammtaste::menue;
        break;
    default:
        break;
    }
    if (!t) {
        QWidget::keyPressEvent(e);
        return;
    }
    const darstellung::tastenwirkung w = m_kern.taste(*t, umschalt);
    if (w.menue) {
        const QPoint wo =
            zeiger() ? QPoint(int(m_kern.spalte_x(zeiger())), height() / 2) : rect().center();
        QContextMenuEvent menue(QContextMenuEvent::Keyboard, wo, mapToGlobal(wo));
        contextMenuEvent(&menue);
    } else if (w.zeile >= 1) {
        zeiger_setzen(w.zeile);
    }
}

// QWidget's own handlers ask for the repaint that shows or hides the focus frame.
void Diagrammfeld::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    m_ansage.clear();
    m_kern.fokus_setzen(true);
}

void Diagrammfeld::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    m_ansage.clear();
    m_kern.fokus_setzen(false);
}

} // namespace shell
