// What a chart gives to the world outside the page: its menu (pictures and data to the clipboard
// and to files, the learning aids' switches) and what a screen reader says of it.
#include "dateien.h"
#include "diagramm.h"
#include "diagrammfeld.h"
#include "tabellen.h"
#include "zahlen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>
#include <functional>
#include <map>

namespace shell {

namespace {
// What a screen reader says of a chart: one object without children (the view's scroll bars,
// viewport and legend are none of the listener's business). A focused chart's name is the
// read-out while a read-out cursor stands, so that a screen reader speaks each second as the
// cursor moves (Orca speaks a focused object's new name); its value is the second, 1 to the
// row count.
class DiagrammZugang : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DiagrammZugang(Diagrammfeld* d) : QAccessibleWidget(d, QAccessible::Chart) {}
    const Diagrammfeld* diagramm() const { return static_cast<const Diagrammfeld*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return diagramm()->ablesung();
        if (t == QAccessible::Name && diagramm()->zeiger() && diagramm()->hasFocus())
            return diagramm()->ablesung().replace(QLatin1Char('\n'), QStringLiteral("; "));
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return diagramm()->zeiger(); }
    void setCurrentValue(const QVariant& v) override {
        auto* d = const_cast<Diagrammfeld*>(diagramm());
        d->zeiger_setzen(v.toInt());
    }
    QVariant maximumValue() const override { return diagramm()->zeilenzahl(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* zugang_fabrik(const QString& klasse, QObject* o) {
    if (klasse == QLatin1String(Diagrammfeld::staticMetaObject.className()) && o)
        return new DiagrammZugang(static_cast<Diagrammfeld*>(o));
    return nullptr;
}

} // namespace

void Diagrammfeld::zugang_einrichten() {
    static const bool eingerichtet = (QAccessible::installFactory(zugang_fabrik), true);
    Q_UNUSED(eingerichtet);
}

void Diagrammfeld::zeiger_melden() {
    if (!hasFocus()) return;
    QAccessibleValueChangeEvent wert(this, m_zeiger_zeile);
    QAccessible::updateAccessibility(&wert);
    QAccessibleEvent name(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
}

QImage Diagrammfeld::abbild() {
    m_zeiger_verborgen = true;
    const QImage bild = grab().toImage();
    m_zeiger_verborgen = false;
    return bild;
}

void Diagrammfeld::contextMenuEvent(QContextMenuEvent* e) {
    // The read-out belongs to the pointer over the chart: a menu over it ends it, so that no
    // line is left standing once the menu has done its work.
    emit zeiger_verlassen();
    const Lernhilfen& l = Lernhilfen::einstellungen();
    m_kennwerte_eintrag->setChecked(l.kennwerte());
    m_vorher_eintrag->setChecked(l.vorheriger_lauf());
    m_menue->popup(e->globalPos());
}

void Diagrammfeld::menue_bauen() {
    Lernhilfen& l = Lernhilfen::einstellungen();
    const auto speichern_unter = [this](const char* titel, const char* endung,
                                        QStandardPaths::StandardLocation ort, const char* filter,
                                        std::function<QString(const QString&)> schreiben) {
        speichern(this, QString::fromUtf8(titel), m_datei + QString::fromUtf8(endung), ort,
                  QString::fromUtf8(filter), schreiben);
    };
    const std::map<std::string, std::function<void(bool)>> taten{
        {"Bild kopieren", [this](bool) { QGuiApplication::clipboard()->setImage(abbild()); }},
        {"Daten kopieren", [this](bool) { QGuiApplication::clipboard()->setText(daten_text()); }},
        {"Bild speichern …",
         [=, this](bool) {
             speichern_unter("Bild speichern", ".png", QStandardPaths::PicturesLocation,
                             "PNG-Bild (*.png);;SVG-Grafik (*.svg)",
                             [this](const QString& pfad) { return bild_speichern(pfad); });
         }},
        {"Daten speichern …",
         [=, this](bool) {
             speichern_unter("Daten speichern", ".csv", QStandardPaths::DocumentsLocation,
                             "CSV-Tabelle (*.csv)",
                             [this](const QString& pfad) { return daten_speichern(pfad); });
         }},
        {"Kennwerte zeigen", [&l](bool an) { l.kennwerte_zeigen(an); }},
        {"Vorherigen Lauf zeigen", [&l](bool an) { l.vorherigen_lauf_zeigen(an); }},
        {"Versuchsprotokoll …", [this](bool) { emit protokoll_gewuenscht(); }},
    };
    m_menue = new QMenu(this);
    for (const std::string& text : darstellung::menue_eintraege(darstellung::Gesicht::desktop)) {
        if (text.empty()) {
            m_menue->addSeparator();
            continue;
        }
        QAction* a = m_menue->addAction(QString::fromStdString(text));
        connect(a, &QAction::triggered, this, taten.at(text));
        if (text == "Kennwerte zeigen") m_kennwerte_eintrag = a;
        if (text == "Vorherigen Lauf zeigen") m_vorher_eintrag = a;
    }
    m_kennwerte_eintrag->setCheckable(true);
    m_vorher_eintrag->setCheckable(true);
}

namespace {
std::vector<std::string> namen(const std::vector<QLineSeries*>& reihen) {
    std::vector<std::string> n;
    for (const auto* r : reihen)
        n.push_back(r->name().toStdString());
    return n;
}

std::vector<std::vector<double>> spalten(const std::vector<QList<QPointF>>& zellen) {
    std::vector<std::vector<double>> s;
    for (const auto& reihe : zellen) {
        s.emplace_back();
        for (const QPointF& p : reihe)
            s.back().push_back(p.y());
    }
    return s;
}
} // namespace

QString Diagrammfeld::daten_text() const {
    return QString::fromStdString(darstellung::tsv_text(namen(m_reihen), spalten(m_zellen),
                                                        zahlformat().decimalPoint().toStdString()));
}

QString Diagrammfeld::csv_text(const QLocale& format) const {
    return QString::fromStdString(darstellung::csv_text(namen(m_reihen), m_einheit.toStdString(),
                                                        spalten(m_zellen),
                                                        format.decimalPoint().toStdString()));
}

QString Diagrammfeld::daten_speichern(const QString& pfad) const {
    const QByteArray inhalt = "\xEF\xBB\xBF" + csv_text(zahlformat()).toUtf8();
    return datei_schreiben(pfad,
                           [&inhalt](QIODevice& d) { return d.write(inhalt) == inhalt.size(); });
}

QString Diagrammfeld::bild_speichern(const QString& pfad) {
    if (pfad.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QBuffer puffer;
        puffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&puffer);
            svg.setSize(viewport()->size());
            svg.setViewBox(QRect(QPoint(0, 0), viewport()->size()));
            svg.setTitle(accessibleName());
            svg.setDescription(accessibleDescription());
            QPainter p(&svg);
            p.setRenderHints(renderHints());
            malen(p);
            m_legende->render(&p, m_legende->pos());
        }
        // The program's fonts are its own; a picture names what stands for them everywhere.
        QByteArray inhalt = puffer.data();
        for (const char* name : {"\"MS Sans Serif\"", "\"Sans Serif\""})
            inhalt.replace(name, "\"Liberation Sans, Arial, Helvetica, sans-serif\"");
        return datei_schreiben(
            pfad, [&inhalt](QIODevice& d) { return d.write(inhalt) == inhalt.size(); });
    }
    const QImage bild = abbild();
    return datei_schreiben(pfad, [&bild](QIODevice& d) { return bild.save(&d, "PNG"); });
}

} // namespace shell
