// A chart panel: a grid of rows (samples) by columns (series) that pages fill one cell at a time
// with the run's numbers; the end-of-run call draws the curves once. Text is made only where it
// leaves the program: the read-out and "Daten kopieren".
// The chart is drawn whole into a picture of its own whenever it changes (a run, a new size, new
// margins), and the screen is painted from that picture: a part of the window painted again
// always shows what a fresh paint would, and a paint of the page around a chart costs no new
// drawing of it.
#pragma once

#include "elemente.h"
#include "lernhilfen.h"

#include <QChartView>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QAction;
class QLineSeries;
class QMenu;
class QValueAxis;

namespace shell {

class Legende;

class Diagrammfeld : public QChartView {
    Q_OBJECT
public:
    explicit Diagrammfeld(const Diagramm& d, QWidget* parent = nullptr, double massstab = 1);
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
    // What the next run ran with, for the legend and the read-out of it as the run before:
    // "P-Band 20 K, Nachlaufzeit 40 s, Vorhaltzeit 0 s".
    void laufname_setzen(const QString& name) { m_laufname = name; }

    // A cell as last written; nullopt before any run (or for a value that is not finite).
    std::optional<double> wert(int spalte, int zeile) const;
    QStringList reihen_namen() const;
    // The points of column `spalte` as last drawn.
    QList<QPointF> punkte(int spalte) const;

    // Read-out: every series at a row, "Soll 50 °C · Ist 66,28 °C", in the user's format.
    QString ablesen(int zeile) const;
    // The same for the run before, where it is shown; empty otherwise.
    QString ablesen_vorher(int zeile) const;
    // The learning aids as now shown: the figures (none while switched off), the run before
    // (its name, or empty), and where the figures' box stands in the widget.
    const std::optional<kennwerte_lauf>& kennwerte() const { return m_kennwerte_gezeigt; }
    QString vorher_name() const { return vorher_sichtbar() ? m_vorher_name : QString(); }
    // The run before's points of a column as drawn; empty while not shown.
    QList<QPointF> vorher_punkte(int spalte) const;
    QRectF kennwert_kasten() const { return m_kennwerte_gezeigt ? m_kasten : QRectF(); }
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

    // Charts over the same time span: each second stands at the same column of the window in
    // all of them (the plots' left and right edges are made to agree).
    void gruppe_setzen(std::vector<Diagrammfeld*> gruppe) { m_gruppe = std::move(gruppe); }
    void zeitachsen_angleichen();

signals:
    void lauf_abgeschlossen();
    void zeiger_bewegt(int zeile, QPoint global);
    void zeiger_verlassen();

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
    // The plot's left and right edges with the base margins (measured, and its height with them,
    // where anything they depend on changed).
    std::pair<double, double> natuerliche_raender();
    void wertachse_einrichten(double tief, double hoch);
    bool zeitachse_gekuerzt() const; // Qt elided a text of the time axis
    void neu_zeichnen();
    // Everything after a run's curves are in: the run before, the axis, the figures' place.
    void darstellen();
    bool vorher_sichtbar() const;
    void kennwerte_rechnen(); // the figures of the cells as they stand
    // The read-out of a row of these cells (the last run's or the one before).
    QString lesen(const std::vector<QList<QPointF>>& zellen, int zeile) const;
    void kennwerte_platzieren();
    std::optional<QPointF> platz_im_plot(const QRectF& plot, QSizeF groesse) const;
    // Points (second, value) as pixels of a plot rectangle; cells without a number left out.
    QPolygonF linie(const QList<QPointF>& punkte, const QRectF& plot) const;
    void lernhilfen_zeichnen(QPainter& p) const;
    void beschreibung_setzen();
    void menue_bauen();
    QString menue_texte() const; // every entry, as a screen reader lists them
    QRect zeigerstreifen() const;

    Legende* m_legende = nullptr;
    QMenu* m_menue = nullptr;
    QAction* m_kennwerte_eintrag = nullptr;
    QAction* m_vorher_eintrag = nullptr;
    int m_halbe_marke = 0;
    QString m_beschreibung;
    QString m_datei;
    int m_zeiger_zeile = 0;
    bool m_zeiger_verborgen = false; // while the chart is taken as a picture
    QImage m_bild;
    bool m_bild_veraltet = true;
    QMargins grundraender() const; // legend above, the window's edge on the right
    int m_oben = 2;
    QMargins m_gesetzt;   // what the chart has now
    Anordnung m_gemessen; // what m_natuerlich was measured for
    std::pair<double, double> m_natuerlich;
    double m_plothoehe = 0;
    std::vector<Diagrammfeld*> m_gruppe;
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
    QString m_laufname, m_letzter_name, m_vorher_name;
    std::vector<QList<QPointF>> m_letzte, m_vorher; // the cells of the last run and the one before
    std::optional<kennwerte_lauf> m_kennwerte_gezeigt; // computed only while shown
    double m_kennwert_soll = 0;
    QRectF m_kasten; // the figures' box, in the widget
    QStringList m_kasten_zeilen;
    int m_seitenrand = 0; // room beside the plot for the box, where the plot has none
};

// Links the charts of a page: the cursor follows the mouse over any of them on all at once, and a
// tooltip reads the time and every series' value there.
void ablesung_verbinden(const std::vector<Diagrammfeld*>& diagramme);

} // namespace shell
