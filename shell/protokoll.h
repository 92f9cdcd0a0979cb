// The lab notebook: every run of pages 2 and 3 as a row, as long as the program runs, in a
// window of its own ("Versuchsprotokoll", Ctrl+L) with a table sortable by any column. A row
// chosen there is drawn on its page as the run to compare with; "Lauf wiederholen" runs it again
// from its values; the table is kept in and read back from CSV files.
#pragma once

#include "einstellhilfe.h"
#include "protokollzeilen.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace shell {

class Protokoll : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit Protokoll(QObject* eltern = nullptr);
    // A run made now on page `seite`, with the values and figures it had; `gestartet`: with
    // "Start Grafik", not a page's load run.
    void eintragen(int seite, darstellung::laufwerte werte, const sim::kennwerte& k,
                   bool gestartet);
    const std::vector<darstellung::protokollzeile>& zeilen() const { return m_p.zeilen(); }
    // Runs made with "Start Grafik" that were not saved.
    size_t ungesichert() const { return m_p.ungesichert(); }
    // The columns of fields no row has a value for, which take no room.
    std::vector<bool> verborgen() const { return m_p.verborgen(); }

    // The table as CSV (UTF-8 with a byte-order mark, in the user's format), whole or not at
    // all; why it failed, or empty.
    QString speichern(const QString& pfad);
    // A file saved so replaces the table, or follows it (renumbered); a file that is not one
    // changes nothing: why, or empty.
    QString laden(const QString& pfad, bool anhaengen = false);

    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& i, int rolle) const override;
    QVariant headerData(int spalte, Qt::Orientation o, int rolle) const override;

signals:
    // Something the notebook's window says: a run it could not take.
    void meldung(const QString& text);

private:
    darstellung::versuchsprotokoll m_p;
    QElapsedTimer m_uhr; // the program's clock
};

// Asks where to save the notebook and saves it there: whether it was saved.
bool protokoll_speichern(QWidget* eltern, Protokoll& p);

// What the notebook's window asks of the program around it.
struct Protokollanschluss {
    // The rows chosen, each to be compared with on its page; none: let go of them.
    std::function<void(const std::vector<const darstellung::protokollzeile*>&)> vergleichen;
    std::function<void(const darstellung::protokollzeile&)> wiederholen; // run again
    std::function<void(const darstellung::vorschlag&)> uebernehmen;      // a tuning aid's proposal
    // The window to open beside at first, covering none of its controls; nullptr: none.
    std::function<const QWidget*()> vorderste;
};

class Protokollfenster : public QWidget {
    Q_OBJECT
public:
    Protokollfenster(Protokoll& protokoll, Protokollanschluss anschluss);
    QTableView* tabelle() const { return m_tabelle; }
    // The rows chosen (Ctrl and Shift choose more), in the table's order: each is compared
    // with on its page. The one row chosen, or none where none or several are.
    std::vector<const darstellung::protokollzeile*> gewaehlte() const;
    const darstellung::protokollzeile* gewaehlt() const;
    // Wide enough for every column beside the scroll bar of many rows.
    int volle_breite() const;
    // The rows in the table's order, as it is sorted.
    std::vector<size_t> folge() const;
    // Larger or smaller with the pages (Ctrl+Plus, Ctrl+Minus, Ctrl+0 here as there).
    void massstab_anwenden(double massstab);
    // On paper or as a PDF: the table as it is sorted, a title with today's date.
    void drucken();
    void als_pdf_speichern();
    // Method 1 of the tuning aid: the chosen row, or else the row the notebook finds at the
    // stability limit, and the proposal from it, to be taken over into page 2.
    void einstellhilfe();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void gewaehlt_zeigen();
    void laden();
    QString html() const;
    void platzieren();
    // As wide as the columns ask, within the screen; with `auch_schmaler` false only wider.
    void breite_anpassen(bool auch_schmaler);
    Protokoll& m_protokoll;
    Protokollanschluss m_anschluss;
    QSortFilterProxyModel* m_sortiert = nullptr;
    QTableView* m_tabelle = nullptr;
    QPushButton* m_wiederholen = nullptr;
    QLabel* m_meldung = nullptr;
    bool m_platziert = false;
    QFont m_grundschrift;
};

} // namespace shell
