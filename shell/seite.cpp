#include "seite.h"

#include "diagrammfeld.h"
#include "schriften.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <map>

namespace shell {

Seitenfenster::Seitenfenster(Navigator& nav, Vorgaben v) : m_nav(nav), m_vorgaben(std::move(v)) {
    schriften_laden();
    setWindowTitle(m_vorgaben.titel);
    const Rect flaeche{0, 0, m_vorgaben.breite, m_vorgaben.hoehe};
    setzeMassstab(m_nav.massstab_fuer(pixel(flaeche).size()));
    setFixedSize(pixel(flaeche, massstab()).size());
    // Pages stand on the system's window background (white), not on the grey of dialogs.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Text));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(schrift(fett, massstab()));

    seite_bauen(this, m_vorgaben.elemente);

    if (auto* k = element<QPushButton>("weiter")) {
        connect(k, &QPushButton::clicked, this, &Seitenfenster::weiter_Click);
        k->setAccessibleDescription(QStringLiteral("Weiter zu Seite %1").arg(m_vorgaben.weiter_zu));
    }
    if (auto* k = element<QPushButton>("zurück")) {
        connect(k, &QPushButton::clicked, this, &Seitenfenster::zurück_Click);
        k->setAccessibleDescription(QStringLiteral("Zurück zu Seite %1").arg(m_vorgaben.zurueck_zu));
    }
    if (auto* k = element<QPushButton>("beenden")) {
        connect(k, &QPushButton::clicked, this, &Seitenfenster::beenden_Click);
        k->setAccessibleDescription(QStringLiteral("Programm beenden"));
        if (m_vorgaben.beenden_auf_taste) k->installEventFilter(this);
    }
    if (auto* k = element<QPushButton>("start"))
        k->setAccessibleDescription(
            QStringLiteral("Simulation mit den eingegebenen Werten neu rechnen und zeichnen"));

    // Charts over the same time span read out together.
    std::map<int, std::vector<Diagrammfeld*>> nach_zeilen;
    for (auto* d : findChildren<Diagrammfeld*>()) nach_zeilen[d->rowCount()].push_back(d);
    for (const auto& [zeilen, diagramme] : nach_zeilen) ablesung_verbinden(diagramme);

    // Only what the tab order names takes the focus; charts and pictures stay out of the way.
    QWidget* vorher = nullptr;
    for (const char* name : m_vorgaben.tabfolge) {
        QWidget* w = element(name);
        if (!w || w->focusPolicy() == Qt::NoFocus) continue;
        if (vorher)
            setTabOrder(vorher, w);
        else
            w->setFocus(Qt::OtherFocusReason);
        vorher = w;
    }
}

void Seitenfenster::laden() {
    ++m_ladungen;
    Form_Load();
}

void Seitenfenster::weiter_Click() {
    if (m_vorgaben.weiter_zu) m_nav.seite_zeigen(m_vorgaben.weiter_zu);
}

void Seitenfenster::zurück_Click() {
    if (m_vorgaben.zurueck_zu) m_nav.seite_zeigen(m_vorgaben.zurueck_zu);
}

void Seitenfenster::beenden_Click() { m_nav.beenden(); }

bool Seitenfenster::eventFilter(QObject* o, QEvent* e) {
    // Page 1: any character typed while "beenden" has the focus ends the program.
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool fokuswechsel = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
        if (!fokuswechsel && !k->text().isEmpty()) {
            m_nav.beenden();
            return true;
        }
    }
    return Flaeche::eventFilter(o, e);
}

void Seitenfenster::closeEvent(QCloseEvent* e) {
    // Closed through the window frame: keep the instance, so it comes back as it was left.
    e->ignore();
    hide();
    m_nav.fenster_geschlossen();
}

double passender_massstab(QSize seite, QSize frei) {
    if (seite.isEmpty()) return 1;
    const double breit = double(frei.width() - fensterrahmen.width()) / seite.width();
    const double hoch = double(frei.height() - fensterrahmen.height()) / seite.height();
    return std::clamp(std::min(breit, hoch), 0.5, 1.0);
}

double Navigator::massstab_fuer(QSize seite) const {
    if (!an_bildschirm_anpassen) return 1;
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    return bildschirm ? passender_massstab(seite, bildschirm->availableGeometry().size()) : 1;
}

Navigator::Navigator() {
    programmende = [this] {
        for (auto& s : m_seiten)
            if (s) s->hide();
        QCoreApplication::exit(0);
    };
}

Navigator::~Navigator() = default;

void Navigator::anmelden(int nummer, Fabrik fabrik) {
    Q_ASSERT(nummer >= 1 && nummer <= seitenzahl);
    m_fabriken[nummer - 1] = std::move(fabrik);
}

Seitenfenster* Navigator::seite(int nummer) const {
    if (nummer < 1 || nummer > seitenzahl) return nullptr;
    return m_seiten[nummer - 1].get();
}

int Navigator::angelegt() const {
    int n = 0;
    for (const auto& s : m_seiten) n += s != nullptr;
    return n;
}

Seitenfenster* Navigator::seite_zeigen(int nummer) {
    if (nummer < 1 || nummer > seitenzahl || !m_fabriken[nummer - 1]) return nullptr;
    auto& slot = m_seiten[nummer - 1];
    if (!slot) {
        // A new page covers the one that called it; the first one opens near the top of the
        // screen, so that it is wholly visible wherever it fits.
        QWidget* aktiv = QApplication::activeWindow();
        slot = m_fabriken[nummer - 1](*this);
        const QScreen* bildschirm = QGuiApplication::primaryScreen();
        const QRect frei = bildschirm ? bildschirm->availableGeometry() : QRect();
        QPoint wo;
        if (aktiv && aktiv->isVisible()) {
            wo = aktiv->pos();
        } else if (bildschirm) {
            const QSize rest = frei.size() - slot->size() - fensterrahmen;
            wo = frei.topLeft() +
                 QPoint(std::max(0, rest.width() / 2), std::max(0, rest.height() / 3));
        }
        // A wider page than its caller's must not run off the screen's edge.
        if (bildschirm) {
            const QPoint rechts_unten = frei.bottomRight() + QPoint(1, 1) -
                                        QPoint(slot->width() + fensterrahmen.width(),
                                               slot->height() + fensterrahmen.height());
            wo = QPoint(std::max(frei.x(), std::min(wo.x(), rechts_unten.x())),
                        std::max(frei.y(), std::min(wo.y(), rechts_unten.y())));
        }
        slot->move(wo);
        slot->laden();
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.get();
}

void Navigator::beenden() {
    if (programmende) programmende();
}

void Navigator::fenster_geschlossen() {
    for (const auto& s : m_seiten)
        if (s && s->isVisible()) return;
    beenden();
}

} // namespace shell
