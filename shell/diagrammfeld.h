// A chart panel: the core's chart (darstellung/schaubild) painted as its display list says, with
// the events of the keyboard and the mouse handed to it. Pages fill its cells with a run's numbers;
// the end-of-run call draws the curves once.
// The list's picture is painted into an image whenever the core's picture changes (a run, an aid,
// a new size or scale), and the screen is painted from that image with the cursor and the focus
// frame over it: a part of the window painted again always shows what a fresh paint would. On
// paper, into a PDF or an SVG, the same list is painted in vectors.
// Its menu, files and screen reader: diagramm_ausgabe.cpp.
#pragma once

#include "einheiten.h"
#include "lernhilfen.h"
#include "schaubild.h"
#include "zeitgruppe.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace shell {

class Diagrammfeld;

// Charts over one time span: the core's group, and its charts' widgets.
struct Gruppe {
    darstellung::zeitgruppe kern;
    std::vector<Diagrammfeld*> felder;
    // Laid out together where the page is, repainted where they changed.
    void angleichen();
};

class Diagrammfeld : public QWidget {
    Q_OBJECT
public:
    explicit Diagrammfeld(const Diagramm& d, QWidget* parent = nullptr, double massstab = 1);
    ~Diagrammfeld() override;
    // The page at another scale; neu_darstellen() lays the chart out again at its new size.
    void massstab_setzen(double massstab);
    void neu_darstellen();

    darstellung::schaubild& kern() { return m_kern; }
    int zeilenzahl() const { return m_kern.art().zeilen; }
    int spaltenzahl() const { return m_kern.spaltenzahl(); }
    // The cell at a row (1..zeilenzahl) and column (1..spaltenzahl); others are ignored.
    void zelle(int spalte, int zeile, double wert) { m_kern.zelle(spalte, zeile, wert); }
    std::optional<double> wert(int spalte, int zeile) const { return m_kern.wert(spalte, zeile); }
    // What the next run ran with; the end of a run: the curves are drawn once from the cells.
    void lauf_setzen(darstellung::laufwerte werte) { m_kern.lauf_setzen(std::move(werte)); }
    void lauf_abschliessen();
    // Runs chosen to compare with (rows of the lab notebook); none: let go of them.
    void vergleiche_setzen(std::vector<darstellung::vergleichslauf> laeufe);

    // The read-out at the cursor over the charts of its group (tooltip), empty without one.
    QString ablesung() const;
    // The cursor at a row on every chart of the group, as the keys set it, with the tooltip; a
    // row outside 1..zeilenzahl ends it.
    void zeiger_setzen(int zeile);
    int zeiger() const { return m_kern.zeiger(); }
    // The grid as tab-separated text (the user's format) and as CSV in a locale's format.
    QString daten_text() const;
    QString csv_text(const QLocale& format) const;
    // Files, written whole or not at all (on failure: why; empty on success): the picture as PNG
    // (twice the screen's resolution at least) or, ending in ".svg", as SVG in vectors; the data
    // as CSV in UTF-8 with a byte-order mark, in the user's format.
    QString bild_speichern(const QString& pfad);
    QString daten_speichern(const QString& pfad) const;
    // The chart as "Bild kopieren" and a PNG file take it: without the cursor and focus frame.
    QImage abbild();
    // The chart without cursor and focus frame, onto any painter: vectors for paper and SVG.
    void malen(QPainter& p);
    // What a screen reader was told at the last step by keys, until the focus moves.
    const QString& ansage() const { return m_ansage; }
    // The picture the screen is painted from, as last painted.
    const QImage& bild() const { return m_bild; }

    std::shared_ptr<Gruppe> gruppe() const { return m_gruppe; }
    // Joins these charts into one group (each chart stands alone until then).
    static void gruppe_bilden(const std::vector<Diagrammfeld*>& diagramme);

signals:
    void lauf_abgeschlossen();
    void protokoll_gewuenscht(); // "Versuchsprotokoll …"
    void vorschlag_gewuenscht(); // "Vorschlag übernehmen"

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void darstellen(); // after anything the layout depends on: the group laid out, painted anew
    void zeiger_zeigen(int zeile, QPoint wo); // the group's cursor; the tooltip at `wo` (global)
    void zeiger_weg();
    void zugang_einrichten();
    void zeiger_melden(); // to a screen reader, where the chart has the focus
    void befehl(darstellung::befehl b);

    darstellung::schaubild m_kern;
    std::shared_ptr<Gruppe> m_gruppe;
    double m_massstab = 1;
    QImage m_bild;
    int m_bildstand = -1; // the core's picture the image was painted from
    QString m_ansage;
    QMenu* m_menue = nullptr;
};

} // namespace shell
