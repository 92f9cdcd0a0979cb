// The lab notebook: every run of pages 2 and 3 as a row, as long as the program runs, in a
// window of its own ("Versuchsprotokoll", Ctrl+L) with a table sortable by any column. A row
// chosen there is drawn on its page as the run to compare with; "Lauf wiederholen" runs it again
// from its values; the table is kept in and read back from CSV files.
#pragma once

#include "protokollzeilen.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QWidget>
#include <vector>

class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace shell {

class Navigator;

class Protokoll : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit Protokoll(QObject* eltern = nullptr);
    // A run made now on page `seite`, with the values and figures it had.
    void eintragen(int seite, darstellung::laufwerte werte, const sim::kennwerte& k);
    const std::vector<darstellung::protokollzeile>& zeilen() const { return m_zeilen; }

    // The table as CSV (UTF-8 with a byte-order mark, in the user's format), whole or not at
    // all; why it failed, or empty.
    QString speichern(const QString& pfad) const;
    // A file saved so replaces the table; a file that is not one changes nothing: why, or empty.
    QString laden(const QString& pfad);

    static constexpr int sortierwert = Qt::UserRole; // a cell as a number
    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& i, int rolle) const override;
    QVariant headerData(int spalte, Qt::Orientation o, int rolle) const override;

private:
    std::vector<darstellung::protokollzeile> m_zeilen;
    QElapsedTimer m_uhr; // the program's clock
};

class Protokollfenster : public QWidget {
    Q_OBJECT
public:
    Protokollfenster(Protokoll& protokoll, Navigator& nav);
    QTableView* tabelle() const { return m_tabelle; }
    // The chosen row, or none.
    const darstellung::protokollzeile* gewaehlt() const;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void gewaehlt_zeigen();
    Protokoll& m_protokoll;
    Navigator& m_nav;
    QSortFilterProxyModel* m_sortiert = nullptr;
    QTableView* m_tabelle = nullptr;
    QPushButton* m_wiederholen = nullptr;
    bool m_platziert = false;
};

} // namespace shell
