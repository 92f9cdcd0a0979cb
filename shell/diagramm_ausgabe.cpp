// What a chart gives to the world outside the page: its menu (pictures and data to the clipboard
// and to files, the switches, the tuning aid's proposal) and what a screen reader hears of it.
#include "dateien.h"
#include "diagrammfeld.h"
#include "zahlen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>

namespace shell {

namespace {
// What a screen reader gets of a chart: one object without children, named as the chart (never
// as a read-out, so that a chart reached by Tab says which it is), described as the core
// describes it; at a step of the cursor by keys, its description says the second and the
// values, and its value is the second, 1 to the row count.
class DiagrammZugang : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DiagrammZugang(Diagrammfeld* d) : QAccessibleWidget(d, QAccessible::Chart) {}
    Diagrammfeld* diagramm() const { return static_cast<Diagrammfeld*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return diagramm()->ansage();
        if (t == QAccessible::Description && !diagramm()->ansage().isEmpty())
            return diagramm()->ansage();
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
    void setCurrentValue(const QVariant& v) override { diagramm()->zeiger_setzen(v.toInt()); }
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
    m_ansage = QString::fromStdString(m_gruppe->kern.ansage(zeiger()));
    QAccessibleValueChangeEvent wert(this, zeiger());
    QAccessible::updateAccessibility(&wert);
    QAccessibleEvent beschreibung(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&beschreibung);
}

void Diagrammfeld::contextMenuEvent(QContextMenuEvent* e) {
    // The read-out belongs to the pointer over the chart: a menu over it ends it, so that no
    // line is left standing once the menu has done its work.
    zeiger_weg();
    if (!m_menue) m_menue = new QMenu(this);
    m_menue->clear();
    for (const darstellung::menuepunkt& p : m_kern.menue()) {
        if (!p.id) {
            m_menue->addSeparator();
            continue;
        }
        QAction* a = m_menue->addAction(QString::fromStdString(p.text));
        a->setCheckable(p.schaltbar);
        a->setChecked(p.an);
        a->setEnabled(p.moeglich);
        connect(a, &QAction::triggered, this, [this, b = *p.id] { befehl(b); });
    }
    m_menue->popup(e->globalPos());
}

void Diagrammfeld::befehl(darstellung::befehl b) {
    using darstellung::befehl;
    Lernhilfen& l = Lernhilfen::einstellungen();
    const QString datei = QString::fromStdString(m_kern.art().datei);
    switch (b) {
    case befehl::bild_kopieren:
        QGuiApplication::clipboard()->setImage(abbild());
        break;
    case befehl::daten_kopieren:
        QGuiApplication::clipboard()->setText(daten_text());
        break;
    case befehl::bild_speichern:
        speichern(this, QStringLiteral("Bild speichern"), datei + QStringLiteral(".png"),
                  QStandardPaths::PicturesLocation,
                  QStringLiteral("PNG-Bild (*.png);;SVG-Grafik (*.svg)"),
                  [this](const QString& pfad) { return bild_speichern(pfad); });
        break;
    case befehl::daten_speichern:
        speichern(this, QStringLiteral("Daten speichern"), datei + QStringLiteral(".csv"),
                  QStandardPaths::DocumentsLocation, QStringLiteral("CSV-Tabelle (*.csv)"),
                  [this](const QString& pfad) { return daten_speichern(pfad); });
        break;
    case befehl::kennwerte:
        l.kennwerte_zeigen(!l.kennwerte());
        break;
    case befehl::vorher:
        l.vorherigen_lauf_zeigen(!l.vorheriger_lauf());
        break;
    case befehl::projektor:
        l.projektor_zeigen(!l.projektor());
        break;
    case befehl::vorschlag:
        emit vorschlag_gewuenscht();
        break;
    case befehl::protokoll:
        emit protokoll_gewuenscht();
        break;
    case befehl::link_kopieren: // the browser's alone
        break;
    }
}

QImage Diagrammfeld::abbild() {
    // For slides: twice the screen's resolution, on white, in the chart's vectors.
    const double faktor = darstellung::bild_faktor * std::max(1.0, devicePixelRatioF());
    QImage bild(size() * faktor, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(faktor);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    malen(p);
    return bild;
}

QString Diagrammfeld::daten_text() const {
    return QString::fromStdString(m_kern.tsv(zahlformat().decimalPoint().toStdString()));
}

QString Diagrammfeld::csv_text(const QLocale& format) const {
    return QString::fromStdString(m_kern.csv(format.decimalPoint().toStdString()));
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
            svg.setSize(size());
            svg.setViewBox(rect());
            svg.setTitle(QString::fromStdString(m_kern.name()));
            svg.setDescription(QString::fromStdString(m_kern.bildbeschreibung()));
            QPainter p(&svg);
            p.setRenderHint(QPainter::Antialiasing);
            malen(p);
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
