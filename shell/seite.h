// A page window and the navigation between the four pages.
#pragma once

#include "einheiten.h"
#include "einstellhilfe.h"
#include "fenster.h"
#include "protokollzeilen.h"
#include "seitenbau.h"

#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QPushButton;

namespace shell {

class Navigator;
class Protokoll;
class Protokollfenster;

// One page: a fixed-size top-level window whose client area is built from an element table.
// The buttons "weiter", "zurück" and "beenden", where the table has them, are wired here.
class Seitenfenster : public Flaeche {
    Q_OBJECT
public:
    struct Vorgaben {
        QString titel;             // window caption
        int breite = 0, hoehe = 0; // client area, twips
        std::vector<Element> elemente;
        std::vector<const char*> tabfolge; // focus starts on the first
        int weiter_zu = 0;                 // page numbers; 0: no such button
        int zurueck_zu = 0;
        bool beenden_auf_taste = false; // page 1: any key on "beenden" ends the program
    };
    Seitenfenster(Navigator& nav, Vorgaben v);

    // Runs Form_Load once; called by the navigator when it creates the page.
    void laden();
    int ladungen() const { return m_ladungen; }

    template <class T = QWidget> T* element(const char* name) const {
        return findChild<T*>(QString::fromUtf8(name));
    }
    const Vorgaben& vorgaben() const { return m_vorgaben; }

    // Page 2's or page 3's run at load or on "Start Grafik", as the shared rule defines it: its
    // fields read (each with its limit), the core's run into the charts, the fields corrected
    // after it; false where a field is not a number (nothing then changes).
    bool laufen(int seite, bool laden);
    // Rows of the lab notebook drawn on this page's charts as runs to compare with, each dashed
    // in a tone of its own and named in the legend ("Lauf 3: P-Band = 10 K"); none: let go of
    // them. Rows of the other page are left out.
    void vergleich_zeigen(const std::vector<const darstellung::protokollzeile*>& zeilen);
    // A row's values typed into the fields and run.
    void wiederholen(const darstellung::protokollzeile& z);
    // Field texts typed in (as the keyboard would leave them), then "Start Grafik".
    void eintippen_und_starten(const std::vector<std::pair<std::string, std::string>>& felder);

    void weiter_Click();
    void zurück_Click();
    void beenden_Click();

    // Ctrl+P and the menu of the page's background: the print dialog, then the printer; or a
    // file dialog for a PDF, in the folder last used.
    void drucken();
    void als_pdf_speichern();

    // The page as a whole at another scale (1: pixel for pixel as in its table), everything
    // it holds kept; it stays on the screen.
    void massstab_anwenden(double massstab);
    QSize vollgroesse() const; // at scale 1

protected:
    virtual void Form_Load() {}
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

    Navigator& m_nav;

private:
    Vorgaben m_vorgaben;
    int m_ladungen = 0;
    QAction* m_drucken = nullptr;
    QAction* m_pdf = nullptr;
    QAction* m_protokoll_eintrag = nullptr;
};

// The pages' own light palette, every role set.
QPalette seitenpalette();

// Qt's own texts (context menus of the fields, standard dialogs) in German, like the program.
void qt_texte_deutsch();

// The scale at which a page of `seite` pixels fits, with its window frame, into a screen's free
// area `frei`: 1 where it fits as it is, never below one half.
double passender_massstab(QSize seite, QSize frei);

// The scales Ctrl+Plus and Ctrl+Minus step through.
inline constexpr double massstaebe[] = {0.5,  0.6, 0.7,  0.8, 0.9, 1.0, 1.1,
                                        1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

// Holds the four page slots: each page is created on first demand and kept to the end.
class Navigator {
public:
    using Fabrik = std::function<std::unique_ptr<Seitenfenster>(Navigator&)>;
    static constexpr int seitenzahl = 4;

    Navigator();
    ~Navigator();
    void anmelden(int nummer, Fabrik fabrik);
    Fabrik fabrik(int nummer) const { return m_fabriken.at(size_t(nummer - 1)); }

    // Creates the page if its slot is empty (running its load action before it is shown), then
    // shows it non-modally in front and activates it.
    Seitenfenster* seite_zeigen(int nummer);
    Seitenfenster* seite(int nummer) const;
    // The page in front: the active one, else the last shown.
    Seitenfenster* vorderste() const;
    int nummer(const Seitenfenster* seite) const; // 0: not one of the navigator's pages
    int angelegt() const;

    // Ends the program at once, with all its windows; where the notebook holds runs made with
    // "Start Grafik" that were not saved, only once the user has saved or discarded them.
    void beenden();
    // Whether the program may end now: nothing unsaved, or the user saved or discarded it
    // (asked in a message box), rather than cancel.
    bool beenden_erlaubt();
    // Whether `seite` is the only page on the screen: closing it ends the program.
    bool letzte_seite(const Seitenfenster* seite) const;
    // A page was closed through its frame: it is only hidden; with none left visible, end.
    void fenster_geschlossen();

    // What "ending the program" does; tests replace it.
    std::function<void()> programmende;
    // How the user is asked before runs would be lost: a message box with Save, Discard and
    // Cancel (QMessageBox::StandardButton); the monkey test answers it itself.
    std::function<int(QWidget* eltern, const QString& text)> frage_vor_dem_ende;

    // Pages too big for the primary screen are built smaller, as a whole (the program sets this;
    // in tests pages keep their sizes whatever the test screen is).
    bool an_bildschirm_anpassen = false;
    double massstab_fuer(QSize seite) const;
    // Ctrl+Plus (+1), Ctrl+Minus (-1) and Ctrl+0 (0): every page one step larger or smaller, up
    // to what the screen holds and down to half size, or back to the size that fits; the
    // choice is kept for the next start. A step beyond the ends beeps.
    // The zoom keys in a window of the program's (the pages', the notebook's).
    void zoomtasten(QWidget& fenster);
    void zoomen(int richtung);
    std::optional<double> zoom() const { return m_zoom; }

    // The lab notebook of this run of the program, and its window (Ctrl+L on any page); a row
    // chosen there is compared on its page (where that is open), or run again there.
    Protokoll& protokoll() { return *m_protokoll; }
    Protokollfenster* protokoll_zeigen();
    void vergleichen(const std::vector<const darstellung::protokollzeile*>& zeilen);
    void lauf_wiederholen(const darstellung::protokollzeile& z);
    // A tuning aid's proposal taken over: typed into page 2's fields and run there.
    void vorschlag_uebernehmen(const darstellung::vorschlag& v);
    // The free area pages are fitted into; empty: the primary screen's.
    QSize freie_flaeche;

private:
    double bildschirm_massstab(QSize seite) const; // what the screen holds, any size
    std::optional<double> m_zoom;
    std::array<Fabrik, seitenzahl> m_fabriken;
    std::array<std::unique_ptr<Seitenfenster>, seitenzahl> m_seiten;
    std::unique_ptr<Protokoll> m_protokoll;
    std::unique_ptr<Protokollfenster> m_protokollfenster;
    Seitenfenster* m_zuletzt = nullptr; // the page last shown
};

} // namespace shell
