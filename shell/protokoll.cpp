#include "protokoll.h"

#include "dateien.h"
#include "einstellhilfe.h"
#include "fenster.h"
#include "fensterplatz.h"
#include "zahlen.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIODevice>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {
std::string komma() {
    return zahlformat().decimalPoint().toStdString();
}

// Qt sizes a header section for a sort arrow as high as the section's own text, but the style
// draws it half as wide as the whole header is high: a one-line title ("Nr.") beside
// three-line ones lost its first letters under the arrow.
class Tabellenkopf : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

protected:
    QSize sectionSizeFromContents(int spalte) const override {
        QSize s = QHeaderView::sectionSizeFromContents(spalte);
        if (!isSortIndicatorShown() || !model()) return s;
        int hoehe = 0;
        for (int i = 0; i < count(); ++i)
            hoehe = std::max(hoehe, QHeaderView::sectionSizeFromContents(i).height());
        const int rand = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
        const QString text = model()->headerData(spalte, orientation()).toString();
        const int text_breite = fontMetrics().size(0, text).width();
        // Qt keeps a square of the section's height for the arrow and pads the text besides; the
        // style's label takes the text beside half the height: the rest would cost a notebook
        // of both pages its last columns.
        s.setWidth(text_breite + 4 * rand + hoehe / 2 + 1);
        return s;
    }
};

// Where the notebook's window may go: its screen less the panels.
QRect freie_flaeche(const QWidget* w) {
    return w->screen() ? w->screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
}

// The notebook's own order: Qt puts a row first where lessThan says so going up, and where it
// says so of the other row going down.
class Sortiert : public QSortFilterProxyModel {
public:
    Sortiert(Protokoll& p, QObject* eltern) : QSortFilterProxyModel(eltern), m_protokoll(p) {
        setSourceModel(&p);
    }

protected:
    bool lessThan(const QModelIndex& l, const QModelIndex& r) const override {
        const auto& z = m_protokoll.zeilen();
        const auto s = size_t(l.column());
        return sortOrder() == Qt::AscendingOrder
                   ? darstellung::protokoll_vor(z[size_t(l.row())], z[size_t(r.row())], s, true)
                   : darstellung::protokoll_vor(z[size_t(r.row())], z[size_t(l.row())], s, false);
    }

private:
    Protokoll& m_protokoll;
};
} // namespace

Protokoll::Protokoll(QObject* eltern) : QAbstractTableModel(eltern) {
    m_uhr.start();
}

void Protokoll::eintragen(int seite, darstellung::laufwerte werte, const sim::kennwerte& k,
                          bool gestartet) {
    const int n = rowCount();
    const bool voll = size_t(n) >= darstellung::versuchsprotokoll::hoechstens;
    if (!voll) beginInsertRows({}, n, n);
    const std::string nicht =
        m_p.eintragen(seite, std::move(werte), k, double(m_uhr.elapsed() / 1000), gestartet);
    if (!voll) endInsertRows();
    if (!nicht.empty()) emit meldung(QString::fromStdString(nicht));
}

int Protokoll::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : int(zeilen().size());
}

int Protokoll::columnCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : int(darstellung::protokoll_spalten().size());
}

QVariant Protokoll::data(const QModelIndex& i, int rolle) const {
    if (!i.isValid() || size_t(i.row()) >= zeilen().size()) return {};
    const auto& z = zeilen()[size_t(i.row())];
    switch (rolle) {
    case Qt::DisplayRole:
        return QString::fromStdString(
            darstellung::protokoll_texte(z, komma()).at(size_t(i.column())));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant Protokoll::headerData(int spalte, Qt::Orientation o, int rolle) const {
    if (o != Qt::Horizontal || rolle != Qt::DisplayRole || spalte < 0 ||
        size_t(spalte) >= darstellung::protokoll_spalten().size())
        return QAbstractTableModel::headerData(spalte, o, rolle);
    QStringList zeilen;
    for (const std::string& z : darstellung::protokoll_kopfzeilen(size_t(spalte)))
        zeilen << QString::fromStdString(z);
    return zeilen.join(QLatin1Char('\n'));
}

QString Protokoll::speichern(const QString& pfad) {
    const QByteArray inhalt = "\xEF\xBB\xBF" + QByteArray::fromStdString(m_p.csv(komma()));
    QString fehler =
        datei_schreiben(pfad, [&inhalt](QIODevice& d) { return d.write(inhalt) == inhalt.size(); });
    if (fehler.isEmpty()) m_p.gesichert();
    return fehler;
}

QString Protokoll::laden(const QString& pfad, bool anhaengen) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return f.errorString();
    // Read no more than a notebook can be: a bigger file is refused by its size.
    const QByteArray inhalt = f.read(qint64(darstellung::versuchsprotokoll::datei_hoechstens) + 1);
    darstellung::versuchsprotokoll neu = m_p;
    const std::string fehler =
        neu.laden(std::string_view(inhalt.data(), size_t(inhalt.size())), anhaengen);
    if (!fehler.empty()) return QString::fromStdString(fehler);
    beginResetModel();
    m_p = std::move(neu);
    endResetModel();
    return {};
}

bool protokoll_speichern(QWidget* eltern, Protokoll& p) {
    return speichern(eltern, QStringLiteral("Protokoll speichern"),
                     QString::fromUtf8(darstellung::protokollworte::datei) + QStringLiteral(".csv"),
                     QStandardPaths::DocumentsLocation, QStringLiteral("CSV-Tabelle (*.csv)"),
                     [&p](const QString& pfad) { return p.speichern(pfad); });
}

Protokollfenster::Protokollfenster(Protokoll& protokoll, Protokollanschluss anschluss)
    : m_protokoll(protokoll), m_anschluss(std::move(anschluss)) {
    setWindowTitle(QString::fromUtf8(darstellung::titel_protokoll));
    setObjectName(QStringLiteral("versuchsprotokoll"));
    m_sortiert = new Sortiert(protokoll, this);
    m_tabelle = new QTableView(this);
    auto* kopf = new Tabellenkopf(Qt::Horizontal, m_tabelle);
    kopf->setSectionsClickable(true); // as the table's own header: a click sorts
    kopf->setHighlightSections(true);
    m_tabelle->setHorizontalHeader(kopf);
    m_tabelle->setModel(m_sortiert);
    m_tabelle->setSortingEnabled(true);
    m_tabelle->sortByColumn(0, Qt::AscendingOrder);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabelle->setTabKeyNavigation(false); // Tab leaves for the buttons; the arrows move within
    m_tabelle->verticalHeader()->hide();
    m_tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tabelle->setAccessibleName(windowTitle());

    namespace w = darstellung::protokollworte;
    m_wiederholen = new QPushButton(QString::fromUtf8(w::knopf_wiederholen), this);
    auto* hilfe_knopf = new QPushButton(QString::fromUtf8(w::knopf_einstellhilfe), this);
    auto* speichern_knopf = new QPushButton(QString::fromUtf8(w::knopf_speichern), this);
    auto* laden_knopf = new QPushButton(QString::fromUtf8(w::knopf_laden), this);
    auto* drucken_knopf = new QPushButton(QString::fromUtf8(w::knopf_drucken), this);
    auto* pdf_knopf = new QPushButton(QStringLiteral("Als PDF speichern …"), this);
    hilfe_knopf->setObjectName(QStringLiteral("einstellhilfe"));
    laden_knopf->setObjectName(QStringLiteral("laden"));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(m_wiederholen);
    knoepfe->addWidget(hilfe_knopf);
    knoepfe->addStretch();
    for (QPushButton* k : {speichern_knopf, laden_knopf, drucken_knopf, pdf_knopf})
        knoepfe->addWidget(k);
    connect(hilfe_knopf, &QPushButton::clicked, this, &Protokollfenster::einstellhilfe);
    connect(drucken_knopf, &QPushButton::clicked, this, &Protokollfenster::drucken);
    connect(pdf_knopf, &QPushButton::clicked, this, &Protokollfenster::als_pdf_speichern);
    // Larger and smaller with the pages, for a projector (the navigator adds those keys);
    // printing with Ctrl+P.
    auto* druck = new QAction(this);
    druck->setShortcut(QKeySequence::Print);
    connect(druck, &QAction::triggered, this, &Protokollfenster::drucken);
    addAction(druck);
    m_grundschrift = font();
    m_meldung = new QLabel(this);
    m_meldung->setWordWrap(true);
    m_meldung->hide();
    connect(&protokoll, &Protokoll::meldung, this, [this](const QString& t) {
        m_meldung->setText(t);
        m_meldung->show();
    });
    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(m_tabelle);
    spalte->addWidget(m_meldung);
    spalte->addLayout(knoepfe);
    resize(1150, 340);
    m_wiederholen->setEnabled(false);
    // A field of a page no row comes from takes no room.
    const auto spalten_zeigen = [this] {
        const std::vector<bool> verborgen = m_protokoll.verborgen();
        bool dazu = false;
        for (int s = 0; s < m_protokoll.columnCount(); ++s) {
            const bool weg = size_t(s) < verborgen.size() && verborgen[size_t(s)];
            dazu = dazu || (m_tabelle->isColumnHidden(s) && !weg);
            m_tabelle->setColumnHidden(s, weg);
        }
        // A page's first row brings its columns: the open window widens for them, as far as
        // the screen allows, rather than scroll the figures out of sight.
        if (dazu && isVisible()) breite_anpassen(false);
    };
    connect(&protokoll, &QAbstractItemModel::rowsInserted, this, spalten_zeigen);
    connect(&protokoll, &QAbstractItemModel::modelReset, this, spalten_zeigen);
    spalten_zeigen();
    // New rows from a file: no row is chosen any more, and no run is compared with (a reset
    // clears the selection without saying so).
    connect(&protokoll, &QAbstractItemModel::modelReset, this, &Protokollfenster::gewaehlt_zeigen);

    connect(m_tabelle->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Protokollfenster::gewaehlt_zeigen);
    connect(m_wiederholen, &QPushButton::clicked, this, [this] {
        if (const auto* z = gewaehlt()) m_anschluss.wiederholen(*z);
    });
    connect(speichern_knopf, &QPushButton::clicked, this,
            [this] { protokoll_speichern(this, m_protokoll); });
    connect(laden_knopf, &QPushButton::clicked, this, &Protokollfenster::laden);
}

void Protokollfenster::laden() {
    const QString titel = QString::fromUtf8(darstellung::protokollworte::laden);
    const QString pfad = oeffnen(this, titel, QStandardPaths::DocumentsLocation,
                                 QStringLiteral("CSV-Tabelle (*.csv)"));
    if (pfad.isEmpty()) return;
    bool anhaengen = false;
    if (const size_t n = m_protokoll.zeilen().size()) {
        QMessageBox frage(QMessageBox::Question, titel,
                          QString::fromStdString(darstellung::frage_beim_laden(n)),
                          QMessageBox::Cancel, this);
        QPushButton* dazu = frage.addButton(
            QString::fromUtf8(darstellung::protokollworte::anhaengen), QMessageBox::AcceptRole);
        frage.addButton(QString::fromUtf8(darstellung::protokollworte::ersetzen),
                        QMessageBox::DestructiveRole);
        frage.setDefaultButton(dazu);
        frage.exec();
        if (frage.clickedButton() == frage.button(QMessageBox::Cancel) || !frage.clickedButton())
            return;
        anhaengen = frage.clickedButton() == dazu;
    }
    if (const QString fehler = m_protokoll.laden(pfad, anhaengen); !fehler.isEmpty())
        QMessageBox::warning(this, titel,
                             QString::fromStdString(darstellung::laden_fehler(
                                 QFileInfo(pfad).fileName().toStdString(), fehler.toStdString())));
}

std::vector<const darstellung::protokollzeile*> Protokollfenster::gewaehlte() const {
    QModelIndexList zeilen = m_tabelle->selectionModel()->selectedRows();
    std::sort(zeilen.begin(), zeilen.end());
    std::vector<const darstellung::protokollzeile*> r;
    for (const QModelIndex& z : zeilen)
        if (const int i = m_sortiert->mapToSource(z).row();
            i >= 0 && size_t(i) < m_protokoll.zeilen().size())
            r.push_back(&m_protokoll.zeilen()[size_t(i)]);
    return r;
}

const darstellung::protokollzeile* Protokollfenster::gewaehlt() const {
    const auto r = gewaehlte();
    return r.size() == 1 ? r.front() : nullptr;
}

void Protokollfenster::gewaehlt_zeigen() {
    m_wiederholen->setEnabled(gewaehlt() != nullptr);
    m_anschluss.vergleichen(gewaehlte());
}

void Protokollfenster::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // At first beside the page in front, covering none of its fields, buttons and charts; later
    // where the user left it, as far as it still fits.
    if (!m_platziert) platzieren();
    m_platziert = true;
    auf_den_bildschirm(this, pos());
}

void Protokollfenster::platzieren() {
    const QRect frei = freie_flaeche(this);
    const auto r = [](const QRect& q) {
        return darstellung::fensterrechteck{q.x(), q.y(), q.width(), q.height()};
    };
    // As wide as its columns and as high as its rows, where the screen has room.
    const int rahmen = 2 * m_tabelle->frameWidth() + 4;
    const int breite = volle_breite();
    const int zeilen = std::clamp(m_protokoll.rowCount(), 4, 12);
    const int hoehe = height() - m_tabelle->height() + m_tabelle->horizontalHeader()->height() +
                      zeilen * m_tabelle->verticalHeader()->defaultSectionSize() + rahmen;
    const QSize rand = fensterrahmen;
    const darstellung::fensterrechteck wunsch{0, 0, breite + rand.width(), hoehe + rand.height()};
    const darstellung::fensterrechteck mindestens{0, 0, std::min(wunsch.b, 640),
                                                  std::min(wunsch.h, 220)};
    QRect seite(frei.topLeft(), QSize(0, 0));
    std::vector<darstellung::fensterrechteck> geschuetzt;
    if (const QWidget* vorn = m_anschluss.vorderste()) {
        seite = vorn->frameGeometry();
        for (const QWidget* w : vorn->findChildren<QWidget*>())
            if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
                qobject_cast<const QAbstractScrollArea*>(w))
                geschuetzt.push_back(r(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())));
    }
    const auto p = darstellung::fenster_platz(r(frei), r(seite), geschuetzt, wunsch, mindestens);
    resize(p.b - rand.width(), p.h - rand.height());
    move(p.x, p.y);
}

void Protokollfenster::massstab_anwenden(double massstab) {
    QFont f = m_grundschrift;
    f.setPointSizeF(m_grundschrift.pointSizeF() * massstab);
    setFont(f);
    m_tabelle->resizeColumnsToContents();
    if (isVisible()) breite_anpassen(true);
}

void Protokollfenster::breite_anpassen(bool auch_schmaler) {
    const QRect frei = freie_flaeche(this);
    const int breite = std::min(volle_breite(), frei.width() - fensterrahmen.width());
    if (!auch_schmaler && breite <= width()) return;
    resize(breite, height());
    auf_den_bildschirm(this, pos());
}

int Protokollfenster::volle_breite() const {
    // The scroll bar's room is kept from the start: rows added later would otherwise take it
    // from the columns and scroll them sideways.
    const QMargins m = layout()->contentsMargins();
    return m_tabelle->horizontalHeader()->length() + 2 * m_tabelle->frameWidth() + 4 +
           m_tabelle->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_tabelle) +
           m.left() + m.right();
}

std::vector<size_t> Protokollfenster::folge() const {
    std::vector<size_t> f;
    for (int i = 0; i < m_sortiert->rowCount(); ++i)
        f.push_back(size_t(m_sortiert->mapToSource(m_sortiert->index(i, 0)).row()));
    return f;
}

QString Protokollfenster::html() const {
    std::vector<bool> verborgen;
    for (int s = 0; s < m_protokoll.columnCount(); ++s)
        verborgen.push_back(m_tabelle->isColumnHidden(s));
    const QString datum = QLocale(QLocale::German).toString(QDate::currentDate(), "d. MMMM yyyy");
    return QString::fromStdString(darstellung::protokoll_html(
        m_protokoll.zeilen(), folge(), verborgen, komma(), datum.toStdString()));
}

namespace {
// A4 across: the table's columns side by side.
QPageLayout quer() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}
} // namespace

void Protokollfenster::drucken() {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageLayout(quer());
    drucker.setDocName(windowTitle());
    QPrintDialog dialog(&drucker, this);
    dialog.setWindowTitle(QStringLiteral("Versuchsprotokoll drucken"));
    if (dialog.exec() != QDialog::Accepted) return;
    QTextDocument d;
    d.setHtml(html());
    d.print(&drucker);
}

void Protokollfenster::als_pdf_speichern() {
    speichern(this, QStringLiteral("Als PDF speichern"),
              QString::fromUtf8(darstellung::protokollworte::datei) + QStringLiteral(".pdf"),
              QStandardPaths::DocumentsLocation, QStringLiteral("PDF-Dateien (*.pdf)"),
              [this](const QString& pfad) {
                  // Whole or not at all, as every file the program writes.
                  return datei_schreiben(pfad, [this](QIODevice& ziel) {
                      QPdfWriter pdf(&ziel);
                      pdf.setPageLayout(quer());
                      pdf.setResolution(1200);
                      pdf.setTitle(windowTitle());
                      pdf.setCreator(QCoreApplication::applicationName());
                      QTextDocument d;
                      d.setHtml(html());
                      d.print(&pdf);
                      return true;
                  });
              });
}

void Protokollfenster::einstellhilfe() {
    const auto titel = QString::fromUtf8(darstellung::protokollworte::einstellhilfe);
    const auto e = darstellung::methode_1_im_protokoll(m_protokoll.zeilen(), gewaehlt(), komma());
    if (!e.warum.empty()) {
        QMessageBox::information(this, titel, QString::fromStdString(e.warum));
        return;
    }
    QString text = QString::fromStdString(e.grenze) + "\n\n";
    for (const std::string& l : e.v.zeilen)
        text += QString::fromStdString(l) + "\n";
    QMessageBox frage(QMessageBox::Question, titel, text.trimmed(), QMessageBox::Cancel, this);
    QPushButton* ja = frage.addButton(QString::fromUtf8(darstellung::protokollworte::uebernehmen),
                                      QMessageBox::AcceptRole);
    frage.setDefaultButton(ja);
    frage.exec();
    if (frage.clickedButton() == ja) m_anschluss.uebernehmen(e.v);
}

void Protokollfenster::hideEvent(QHideEvent* e) {
    // Closed, the window lets go of the run it compared with, chosen or not.
    m_tabelle->clearSelection();
    gewaehlt_zeigen();
    QWidget::hideEvent(e);
}

} // namespace shell
