#include "seite.h"

#include "bedienung.h"
#include "dateien.h"
#include "diagrammfeld.h"
#include "drucken.h"
#include "lernhilfen.h"
#include "piep.h"
#include "protokoll.h"
#include "schriften.h"
#include "zahlen.h"
#include "zeitgruppe.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleHints>
#include <QToolTip>
#include <QTranslator>
#include <algorithm>

namespace shell {

namespace {
// The last click on a navigation button, by the event's own clock, and the page it was on.
struct Navigationsklick {
    int seite = 0;
    quint64 zeit = 0;
};
Navigationsklick letzter_klick;
} // namespace

QPalette seitenpalette() {
    // Fusion's light palette, written out: the style's own follows a dark desktop theme. The
    // page's background is white and its text black. Every role is set, so that nothing of the
    // desktop's theme comes through to the page's widgets.
    static const QPalette palette = [] {
        const QColor grund(239, 239, 239);
        const QColor dunkel = grund.darker(150);
        const QColor mitte = grund.darker(130);
        const QColor schatten = dunkel.darker(135);
        const QColor grau_text(190, 190, 190);
        namespace fb = darstellung::elemente::farben;
        const QColor text = farbe(fb::text), seite = farbe(fb::grund);
        QPalette f(text, grund, grund.lighter(150), dunkel, mitte, text, seite);
        f.setBrush(QPalette::Midlight, mitte.lighter(110));
        f.setBrush(QPalette::Shadow, schatten);
        f.setBrush(QPalette::HighlightedText, farbe(fb::auswahl_text));
        f.setBrush(QPalette::Highlight, farbe(fb::auswahl));
        f.setBrush(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
        f.setBrush(QPalette::Window, seite);
        f.setBrush(QPalette::ToolTipBase, farbe(fb::tipp));
        f.setBrush(QPalette::ToolTipText, text);
        f.setBrush(QPalette::Disabled, QPalette::Text, grau_text);
        f.setBrush(QPalette::Disabled, QPalette::WindowText, grau_text);
        f.setBrush(QPalette::Disabled, QPalette::ButtonText, grau_text);
        f.setBrush(QPalette::Disabled, QPalette::Base, grund);
        f.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
        f.setBrush(QPalette::Disabled, QPalette::Shadow, schatten.lighter(150));
        f.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
        QPalette p;
        for (int g = 0; g < QPalette::NColorGroups; ++g)
            for (int r = 0; r < QPalette::NColorRoles; ++r) {
                const auto gruppe = QPalette::ColorGroup(g);
                const auto rolle = QPalette::ColorRole(r);
                p.setBrush(gruppe, rolle, f.brush(gruppe, rolle));
            }
        return p;
    }();
    return palette;
}

void qt_texte_deutsch() {
    static QTranslator qt;
    if (qt.load(QLocale(QLocale::German, QLocale::Switzerland), QStringLiteral("qtbase"),
                QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

Seitenfenster::Seitenfenster(Navigator& nav, Vorgaben v) : m_nav(nav), m_vorgaben(std::move(v)) {
    schriften_laden();
    setWindowTitle(m_vorgaben.titel);
    const Rect flaeche{0, 0, m_vorgaben.breite, m_vorgaben.hoehe};
    massstab_setzen(m_nav.massstab_fuer(pixel(flaeche).size()));
    setFixedSize(pixel(flaeche, massstab()).size());
    // A page is a drawn document with fixed colours, as on paper, whatever the desktop's theme.
    setPalette(seitenpalette());
    setAutoFillBackground(true);
    setFont(schrift(fett, massstab()));

    seite_bauen(this, m_vorgaben.elemente);

    for (const char* name : {"weiter", "zurück", "beenden"})
        if (auto* k = element<QPushButton>(name)) k->installEventFilter(this);
    if (auto* k = element<QPushButton>("weiter")) {
        connect(k, &QPushButton::clicked, this, &Seitenfenster::weiter_Click);
        k->setAccessibleDescription(QStringLiteral("Weiter zu Seite %1").arg(m_vorgaben.weiter_zu));
    }
    if (auto* k = element<QPushButton>("zurück")) {
        connect(k, &QPushButton::clicked, this, &Seitenfenster::zurück_Click);
        k->setAccessibleDescription(
            QStringLiteral("Zurück zu Seite %1").arg(m_vorgaben.zurueck_zu));
    }
    if (auto* k = element<QPushButton>("beenden")) {
        connect(k, &QPushButton::clicked, this, &Seitenfenster::beenden_Click);
        k->setAccessibleDescription(QStringLiteral("Programm beenden"));
    }
    if (auto* k = element<QPushButton>("start"))
        k->setAccessibleDescription(
            QStringLiteral("Simulation mit den eingegebenen Werten neu rechnen und zeichnen"));

    m_drucken = new QAction(QStringLiteral("Seite drucken …"), this);
    m_drucken->setShortcut(QKeySequence::Print);
    connect(m_drucken, &QAction::triggered, this, &Seitenfenster::drucken);
    addAction(m_drucken);    // Ctrl+P wherever the focus is on the page
    m_nav.zoomtasten(*this); // larger and smaller for a projector, all pages at once
    m_pdf = new QAction(QStringLiteral("Als PDF speichern …"), this);
    connect(m_pdf, &QAction::triggered, this, &Seitenfenster::als_pdf_speichern);
    m_protokoll_eintrag = new QAction(QStringLiteral("Versuchsprotokoll …"), this);
    m_protokoll_eintrag->setShortcut(
        QKeySequence(Qt::CTRL | Qt::Key(darstellung::bedienung::taste_protokoll)));
    m_protokoll_eintrag->setShortcutContext(Qt::WindowShortcut);
    connect(m_protokoll_eintrag, &QAction::triggered, this, [this] { m_nav.protokoll_zeigen(); });
    addAction(m_protokoll_eintrag);
    for (Diagrammfeld* d : findChildren<Diagrammfeld*>()) {
        connect(d, &Diagrammfeld::protokoll_gewuenscht, this, [this] { m_nav.protokoll_zeigen(); });
        connect(d, &Diagrammfeld::vorschlag_gewuenscht, this, [this, d] {
            if (const auto& t = d->kern().tangente())
                m_nav.vorschlag_uebernehmen(darstellung::methode_2(
                    t->k_k, t->l_s, zahlformat().decimalPoint().toStdString()));
        });
    }

    // The charts that read out together.
    std::vector<Diagrammfeld*> felder;
    std::vector<int> gruppe_je_feld;
    for (const Element& e : m_vorgaben.elemente)
        if (const auto* d = std::get_if<Diagramm>(&e))
            if (auto* feld = qobject_cast<Diagrammfeld*>(element(d->name))) {
                felder.push_back(feld);
                gruppe_je_feld.push_back(d->zeitgruppe);
            }
    for (const auto& gruppe : darstellung::zeitgruppen(gruppe_je_feld)) {
        std::vector<Diagrammfeld*> diagramme;
        for (const size_t i : gruppe)
            diagramme.push_back(felder[i]);
        Diagrammfeld::gruppe_bilden(diagramme);
    }

    // Only what the tab order names takes the focus; charts and pictures stay out of the way.
    QWidget* vorher = nullptr;
    for (const char* name : m_vorgaben.tabfolge) {
        QWidget* w = element(name);
        // A chart takes the focus where the tab order names it, to be read out by keyboard.
        if (auto* d = qobject_cast<Diagrammfeld*>(w)) d->setFocusPolicy(Qt::StrongFocus);
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

void Seitenfenster::beenden_Click() {
    m_nav.beenden();
}

bool Seitenfenster::eventFilter(QObject* o, QEvent* e) {
    // A double click on a navigation button must not reach the next page's button that then
    // lies under the pointer.
    switch (e->type()) {
    case QEvent::MouseButtonRelease:
        letzter_klick = {m_nav.nummer(this), static_cast<QMouseEvent*>(e)->timestamp()};
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const quint64 zeit = static_cast<QMouseEvent*>(e)->timestamp();
        const auto intervall = quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        const bool folgeklick = zeit >= letzter_klick.zeit && zeit - letzter_klick.zeit < intervall;
        if (!darstellung::bedienung::klick_gilt(letzter_klick.seite, m_nav.nummer(this),
                                                folgeklick))
            return true;
        break;
    }
    default:
        break;
    }
    if (m_vorgaben.beenden_auf_taste && o == element("beenden") && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool fokuswechsel = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
        const char32_t zeichen = fokuswechsel          ? U'\t'
                                 : k->text().isEmpty() ? 0
                                                       : k->text().toUcs4().value(0);
        if (darstellung::bedienung::taste_beendet(zeichen)) {
            m_nav.beenden();
            return true;
        }
    }
    return Flaeche::eventFilter(o, e);
}

void Seitenfenster::contextMenuEvent(QContextMenuEvent* e) {
    // Fields and charts have menus of their own, a button has none: the page's menu is its
    // background's, texts and drawings included. From the keyboard it opens where the focus is.
    if (e->reason() == QContextMenuEvent::Mouse)
        for (QWidget* w = childAt(e->pos()); w && w != this; w = w->parentWidget())
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                qobject_cast<Diagrammfeld*>(w))
                return;
    auto* menue = new QMenu(this);
    menue->setAttribute(Qt::WA_DeleteOnClose);
    menue->addAction(m_drucken);
    menue->addAction(m_pdf);
    menue->addSeparator();
    menue->addAction(m_protokoll_eintrag);
    menue->popup(e->globalPos());
}

void Seitenfenster::drucken() {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageLayout(seitenlayout(*this));
    drucker.setDocName(windowTitle());
    QPrintDialog dialog(&drucker, this);
    dialog.setWindowTitle(QStringLiteral("Seite drucken"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!seite_drucken(*this, drucker))
        QMessageBox::warning(this, QStringLiteral("Seite drucken"),
                             QStringLiteral("Die Seite ließ sich nicht drucken."));
}

void Seitenfenster::als_pdf_speichern() {
    speichern(this, QStringLiteral("Als PDF speichern"),
              QStringLiteral("seite%1.pdf").arg(m_nav.nummer(this)),
              QStandardPaths::DocumentsLocation, QStringLiteral("PDF-Dateien (*.pdf)"),
              [this](const QString& datei) {
                  QString fehler;
                  seite_als_pdf(*this, datei, &fehler);
                  return fehler;
              });
}

void Seitenfenster::closeEvent(QCloseEvent* e) {
    // Closed through the window frame: keep the instance, so it comes back as it was left. The
    // last page closed ends the program, and asks first where that would lose runs.
    e->ignore();
    if (m_nav.letzte_seite(this) && !m_nav.beenden_erlaubt()) return;
    hide();
    m_nav.fenster_geschlossen();
}

QSize Seitenfenster::vollgroesse() const {
    return pixel(Rect{0, 0, m_vorgaben.breite, m_vorgaben.hoehe}).size();
}

void Seitenfenster::massstab_anwenden(double m) {
    if (m == massstab()) return;
    setFixedSize(pixel(Rect{0, 0, m_vorgaben.breite, m_vorgaben.hoehe}, m).size());
    setFont(schrift(fett, m));
    seite_skalieren(this, m);
    auf_den_bildschirm(this, pos());
}

double passender_massstab(QSize seite, QSize frei) {
    if (seite.isEmpty()) return 1;
    const double breit = double(frei.width() - fensterrahmen.width()) / seite.width();
    const double hoch = double(frei.height() - fensterrahmen.height()) / seite.height();
    return std::clamp(std::min(breit, hoch), 0.5, 1.0);
}

double Navigator::bildschirm_massstab(QSize seite) const {
    QSize frei = freie_flaeche;
    if (frei.isEmpty())
        if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
            frei = bildschirm->availableGeometry().size();
    if (frei.isEmpty() || seite.isEmpty()) return 1;
    return std::min(double(frei.width() - fensterrahmen.width()) / seite.width(),
                    double(frei.height() - fensterrahmen.height()) / seite.height());
}

double Navigator::massstab_fuer(QSize seite) const {
    if (m_zoom) return std::clamp(*m_zoom, 0.5, std::max(0.5, bildschirm_massstab(seite)));
    if (!an_bildschirm_anpassen) return 1;
    return std::clamp(bildschirm_massstab(seite), 0.5, 1.0);
}

// Ctrl+Plus, Ctrl+Minus and Ctrl+0 in a window; Ctrl+= as well, where Plus needs the Shift key.
void Navigator::zoomtasten(QWidget& fenster) {
    const std::pair<QList<QKeySequence>, int> zoom[] = {
        {{QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, +1},
        {{QKeySequence::ZoomOut}, -1},
        {{QKeySequence(Qt::CTRL | Qt::Key_0)}, 0}};
    for (const auto& [tasten, richtung] : zoom) {
        auto* a = new QAction(&fenster);
        a->setShortcuts(tasten);
        QObject::connect(a, &QAction::triggered, &fenster, [this, r = richtung] { zoomen(r); });
        fenster.addAction(a);
    }
}

void Navigator::zoomen(int richtung) {
    // From the scale of the page in front, the one the user sees.
    Seitenfenster* vorn = nullptr;
    for (auto& s : m_seiten)
        if (s && s->isVisible() && (!vorn || s->isActiveWindow())) vorn = s.get();
    const double jetzt = vorn ? vorn->massstab() : m_zoom.value_or(1);
    const std::optional<double> vorher = m_zoom;
    if (richtung == 0) {
        m_zoom.reset();
    } else {
        std::optional<double> neu;
        for (double m : massstaebe)
            if (richtung > 0 ? m > jetzt + 1e-9 && !neu : m < jetzt - 1e-9) neu = m;
        // As far as the screen holds the page in front (a page made later fits itself).
        const double grenze = vorn ? std::max(0.5, bildschirm_massstab(vorn->vollgroesse())) : 3;
        const double wird = neu ? std::clamp(*neu, 0.5, grenze) : jetzt;
        if (richtung > 0 ? wird <= jetzt : wird >= jetzt) {
            piep(); // at the end: the screen holds no more, or half size
            return;
        }
        m_zoom = neu;
    }
    if (m_zoom)
        einstellungsdatei().setValue(QStringLiteral("ansicht/massstab"), *m_zoom);
    else
        einstellungsdatei().remove(QStringLiteral("ansicht/massstab"));
    if (m_zoom == vorher) return;
    for (auto& s : m_seiten)
        if (s) s->massstab_anwenden(massstab_fuer(s->vollgroesse()));
    if (m_protokollfenster)
        if (const Seitenfenster* s = vorderste())
            m_protokollfenster->massstab_anwenden(s->massstab());
}

Navigator::Navigator() : m_protokoll(std::make_unique<Protokoll>()) {
    QToolTip::setPalette(seitenpalette()); // the charts' read-out
    bool ok = false;
    const double gemerkt =
        einstellungsdatei().value(QStringLiteral("ansicht/massstab")).toDouble(&ok);
    if (ok && gemerkt >= 0.5 && gemerkt <= 3) m_zoom = gemerkt;
    programmende = [this] {
        for (auto& s : m_seiten)
            if (s) s->hide();
        if (m_protokollfenster) m_protokollfenster->hide();
        QCoreApplication::exit(0);
    };
    frage_vor_dem_ende = [](QWidget* eltern, const QString& text) {
        QMessageBox frage(QMessageBox::Warning, QString::fromUtf8(darstellung::titel_protokoll),
                          text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                          eltern);
        frage.setDefaultButton(QMessageBox::Save);
        return frage.exec();
    };
}

Navigator::~Navigator() {
    // A page that is gone cannot be the page of the last click.
    letzter_klick = {};
}

void Navigator::anmelden(int nummer, Fabrik fabrik) {
    Q_ASSERT(nummer >= 1 && nummer <= seitenzahl);
    m_fabriken[nummer - 1] = std::move(fabrik);
}

Seitenfenster* Navigator::seite(int nummer) const {
    if (nummer < 1 || nummer > seitenzahl) return nullptr;
    return m_seiten[nummer - 1].get();
}

int Navigator::nummer(const Seitenfenster* seite) const {
    for (int n = 1; n <= seitenzahl; ++n)
        if (seite && m_seiten[n - 1].get() == seite) return n;
    return 0;
}

int Navigator::angelegt() const {
    int n = 0;
    for (const auto& s : m_seiten)
        n += s != nullptr;
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
        auf_den_bildschirm(slot.get(), wo);
        slot->laden();
    }
    // A minimized page comes back as well: restored, in front and active.
    if (slot->isMinimized()) slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->show();
    slot->raise();
    slot->activateWindow();
    m_zuletzt = slot.get();
    return slot.get();
}

Seitenfenster* Navigator::vorderste() const {
    for (const auto& s : m_seiten)
        if (s && s->isVisible() && s->isActiveWindow()) return s.get();
    return m_zuletzt && m_zuletzt->isVisible() ? m_zuletzt : nullptr;
}

Protokollfenster* Navigator::protokoll_zeigen() {
    if (!m_protokollfenster) {
        m_protokollfenster = std::make_unique<Protokollfenster>(
            *m_protokoll, Protokollanschluss{
                              .vergleichen = [this](const auto& zeilen) { vergleichen(zeilen); },
                              .wiederholen = [this](const auto& z) { lauf_wiederholen(z); },
                              .uebernehmen = [this](const auto& v) { vorschlag_uebernehmen(v); },
                              .vorderste = [this]() -> const QWidget* { return vorderste(); },
                          });
        zoomtasten(*m_protokollfenster);
        if (const Seitenfenster* s = vorderste())
            m_protokollfenster->massstab_anwenden(s->massstab());
    }
    m_protokollfenster->show();
    m_protokollfenster->raise();
    m_protokollfenster->activateWindow();
    return m_protokollfenster.get();
}

void Navigator::vergleichen(const std::vector<const darstellung::protokollzeile*>& zeilen) {
    for (auto& s : m_seiten) {
        if (!s) continue;
        std::vector<const darstellung::protokollzeile*> hier;
        for (const auto* z : zeilen)
            if (z && z->seite == nummer(s.get())) hier.push_back(z);
        s->vergleich_zeigen(hier);
    }
}

void Navigator::lauf_wiederholen(const darstellung::protokollzeile& z) {
    if (Seitenfenster* s = seite_zeigen(z.seite)) s->wiederholen(z);
}

void Navigator::vorschlag_uebernehmen(const darstellung::vorschlag& v) {
    if (Seitenfenster* s = seite_zeigen(2)) s->eintippen_und_starten(v.felder);
}

void Navigator::beenden() {
    if (beenden_erlaubt() && programmende) programmende();
}

bool Navigator::beenden_erlaubt() {
    const size_t n = m_protokoll->ungesichert();
    if (n == 0) return true;
    QWidget* vorn = QApplication::activeWindow();
    switch (frage_vor_dem_ende(vorn, QString::fromStdString(darstellung::frage_beim_beenden(n)))) {
    case QMessageBox::Save:
        return protokoll_speichern(vorn, *m_protokoll);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool Navigator::letzte_seite(const Seitenfenster* seite) const {
    for (const auto& s : m_seiten)
        if (s && s.get() != seite && s->isVisible()) return false;
    return true;
}

void Navigator::fenster_geschlossen() {
    for (const auto& s : m_seiten)
        if (s && s->isVisible()) return;
    if (programmende) programmende();
}

} // namespace shell
