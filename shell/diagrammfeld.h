// A chart panel: a grid of rows (samples) by columns (series) that pages fill one cell at a time
// with the run's numbers; the end-of-run call draws the curves once. Text is made only where it
// leaves the program: the read-out and "Daten kopieren".
// The chart is drawn whole into a picture of its own whenever it changes (a run, a new size, new
// margins), and the screen is painted from that picture: a part of the window painted again
// always shows what a fresh paint would, and a paint of the page around a chart costs no new
// drawing of it.
// Its jobs stand in files of their own: the head above the plot (diagrammkopf), the learning
// aids' drawing (lernhilfen), the menu, files and screen reader (diagramm_ausgabe), and the
// charts over one time span (zeitgruppe).
#pragma once

#include "diagrammkopf.h"
#include "elemente.h"
#include "laeufe.h"
#include "lernhilfen.h"

#include <QChartView>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLineSeries;
class QMenu;
class QValueAxis;

namespace shell {

class Zeitgruppe;

class Diagrammfeld : public QChartView {
    Q_OBJECT
public:
    explicit Diagrammfeld(const Diagramm& d, QWidget* parent = nullptr, double massstab = 1);
    ~Diagrammfeld() override;
    // The fonts of a page built at another scale; neu_darstellen() lays the chart out again
    // once its new size is set.
    void massstab_setzen(double massstab);
    void neu_darstellen();

    int zeilenzahl() const { return m_zeilen; }
    int spaltenzahl() const { return int(m_reihen.size()); }
    // The cell at a row (1..zeilenzahl) and column (1..spaltenzahl); others are ignored.
    void zelle(int spalte, int zeile, double wert) {
        if (spalte >= 1 && spalte <= spaltenzahl() && zeile >= 1 && zeile <= m_zeilen)
            m_zellen[size_t(spalte - 1)][zeile - 1].setY(wert);
    }
    // End of a run: the curves are drawn once from the cells.
    void lauf_abschliessen();
    // What the next run ran with, for the legend and the read-out of it as the run before.
    void lauf_setzen(darstellung::laufwerte werte) { m_lauf = std::move(werte); }
    // A run chosen to compare with (a row of the lab notebook): drawn as the run before is, named
    // `titel` in the legend, whatever the aid's switch says, until it is let go; the runs made
    // meanwhile do not replace it.
    void vergleich_setzen(std::vector<QList<QPointF>> zellen, darstellung::laufwerte lauf,
                          const QString& titel);
    void vergleich_loesen();

    // A cell as last written; nullopt before any run (or for a value that is not finite).
    std::optional<double> wert(int spalte, int zeile) const;
    QStringList reihen_namen() const;
    // The points of column `spalte` as last drawn.
    QList<QPointF> punkte(int spalte) const;

    // Read-out: every series at a row, "Soll 50 °C · Ist 66,28 °C", in the user's format.
    QString ablesen(int zeile) const;
    // The same for the run before, where it is shown; empty otherwise.
    QString ablesen_vorher(int zeile) const;
    // The figure nearest a row, where the figures are shown; empty otherwise.
    QString kennwert_bei(int zeile) const;
    // The learning aids as now shown: the figures (none while switched off), the run before
    // (all it ran with, or empty), its points of a column, and the head above the plot.
    const std::optional<kennwerte_lauf>& kennwerte() const { return m_kennwerte_gezeigt; }
    QString vorher_name() const;
    QList<QPointF> vorher_punkte(int spalte) const;
    const Kopf& kopf() const { return m_kopf; }
    // The figures' marks as drawn, in the widget's pixels: [from, to] per mark.
    std::vector<std::pair<QPointF, QPointF>> marken_pixel() const;
    // The read-out at the cursor over the charts of its group: "t = 26 s · Soll 50 °C · …";
    // then, where shown, a line for the run before and one with the nearest figure; empty
    // without a cursor. Tooltip and accessible value.
    QString ablesung() const;
    // The grid as tab-separated text: a header row with the series names, then one row per
    // sample with the time in seconds and the cells (15 digits, the user's number format).
    QString daten_text() const;
    // The grid as a spreadsheet opens it without asking: a header with units, one row per
    // second, numbers in full (the shortest text that reads back as the same double); where the
    // locale writes a decimal comma, ";" between fields and "," in numbers, otherwise "," and ".".
    QString csv_text(const QLocale& format) const;
    // Files, written whole or not at all (on failure: why; empty on success). The picture as PNG
    // or, for a name ending in ".svg", as SVG drawn in vectors; the data as CSV in UTF-8 with a
    // byte-order mark, in the user's format.
    QString bild_speichern(const QString& pfad);
    // The chart as "Bild kopieren" and a PNG file take it: with its legend, without the read-out
    // line and the focus frame.
    QImage abbild();
    QString daten_speichern(const QString& pfad) const;
    // The thin vertical read-out cursor at a row; 0 hides it.
    void zeiger_zeigen(int zeile);
    // The read-out at a row as the keys set it: on every chart of the group, with its tooltip;
    // a row outside 1..zeilenzahl ends it.
    void zeiger_setzen(int zeile);
    int zeiger() const { return m_zeiger_zeile; }
    // The whole chart as it stands (without cursor and legend), in the widget's coordinates,
    // onto any painter: vectors for paper and SVG.
    void malen(QPainter& p) const;
    // The chart as last drawn for the screen (without the read-out cursor).
    const QImage& bild() const { return m_bild; }
    // The row under a point of the widget, or 0 outside the plot.
    int zeile_bei(QPoint p) const;
    // The pixel column of a row, in the widget.
    double pixelspalte(double zeile) const;
    // A point (second, value) in the widget's pixels.
    QPointF pixel(QPointF wert) const;

    // The charts over the same time span as this one (itself alone until a page joins them).
    void gruppe_setzen(std::shared_ptr<Zeitgruppe> g) { m_gruppe = std::move(g); }
    Zeitgruppe& gruppe() const { return *m_gruppe; }
    // For the group: where the plot's left and right edges stand in the window as Qt lays the
    // chart out alone, and the extra room left and right that makes them the group's. Where
    // only the value axis changed since they were measured, `vermuten` takes them as they were,
    // and angleichen() checks them by its own layout: false where they were wrong.
    std::pair<double, double> natuerliche_raender(bool vermuten = false);
    bool angleichen(int links, int rechts);

signals:
    void lauf_abgeschlossen();
    void zeiger_bewegt(int zeile, QPoint global);
    void zeiger_verlassen();
    void protokoll_gewuenscht(); // "Versuchsprotokoll …" in its menu

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // The base margins plus extra room left and right; laid out at once where they changed (or
    // `messen` asks for it).
    void anordnen(QMargins extra, bool messen = false);
    struct Anordnung {
        QSize groesse;
        QMargins raender;
        double von = 0, bis = 0, schritt = 0;
        bool operator==(const Anordnung&) const = default;
    };
    Anordnung anordnung() const;
    QMargins grundraender() const; // the head above, the window's edge on the right
    void wertachse_einrichten(double tief, double hoch);
    bool zeitachse_gekuerzt() const; // Qt elided a text of the time axis
    void neu_zeichnen();
    // Everything after a run's curves are in: the run before, the axis, the head.
    void darstellen();
    // The head for the plot's width as it stands: true where its height changed.
    bool kopf_setzen();
    bool vorher_sichtbar() const;
    void kennwerte_rechnen(); // the figures of the cells as they stand
    // The read-out of a row of these cells (the last run's or the one before).
    QString lesen(const std::vector<QList<QPointF>>& zellen, int zeile) const;
    // Points (second, value) as pixels of a plot rectangle; cells without a number left out.
    QPolygonF linie(const QList<QPointF>& punkte, const QRectF& plot) const;
    void lernhilfen_zeichnen(QPainter& p) const; // over the curves
    void vergleich_zeichnen(QPainter& p) const;  // beneath them: the band, the run before
    void beschreibung_setzen();
    void menue_bauen();
    void zugang_einrichten();
    void zeiger_melden(); // to a screen reader, where the chart has the focus
    QRect zeigerstreifen() const;

    Legende* m_legende = nullptr;
    Kopf m_kopf;
    QMenu* m_menue = nullptr;
    QAction* m_kennwerte_eintrag = nullptr;
    QAction* m_vorher_eintrag = nullptr;
    int m_halbe_marke = 0;
    QString m_zeit_titel;
    QString m_datei;
    int m_zeiger_zeile = 0;
    bool m_zeiger_verborgen = false; // while the chart is taken as a picture
    QImage m_bild;
    bool m_bild_veraltet = true;
    QMargins m_gesetzt;   // what the chart has now
    Anordnung m_gemessen; // what m_natuerlich was measured for
    std::pair<double, double> m_natuerlich;
    bool m_vermutet = false; // m_natuerlich is for the value axis before the present one
    double m_plothoehe = 0;
    std::shared_ptr<Zeitgruppe> m_gruppe;
    QString m_einheit;
    int m_zeilen = 0;
    double m_bis = 100;
    int m_wert_intervalle = 3;
    std::vector<QList<QPointF>> m_zellen; // per series, the point (row, value) of every row
    std::vector<QLineSeries*> m_reihen;
    QValueAxis* m_wertachse = nullptr;
    QValueAxis* m_zeitachse = nullptr;
    bool m_gelaufen = false;

    // The learning aids
    int m_soll = 0, m_ist = 0;
    bool m_vergleich = false, m_vergleich_legende = false;
    darstellung::laufwerte m_lauf, m_letzter_lauf, m_vorher_lauf;
    bool m_fest = false; // a chosen run stands in for the run before
    std::vector<QList<QPointF>> m_fest_zellen;
    darstellung::laufwerte m_fest_lauf;
    QString m_fest_titel;
    const std::vector<QList<QPointF>>& vergleich_zellen() const {
        return m_fest ? m_fest_zellen : m_vorher;
    }
    const darstellung::laufwerte& vergleich_lauf() const {
        return m_fest ? m_fest_lauf : m_vorher_lauf;
    }
    std::vector<QList<QPointF>> m_letzte, m_vorher; // the cells of the last run and the one before
    std::optional<kennwerte_lauf> m_kennwerte_gezeigt; // computed only while shown
    double m_kennwert_soll = 0;
};

// Links the charts of a page: the cursor follows the mouse over any of them on all at once, and a
// tooltip reads the time and every series' value there.
void ablesung_verbinden(const std::vector<Diagrammfeld*>& diagramme);

} // namespace shell
