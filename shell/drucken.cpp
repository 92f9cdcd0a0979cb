#include "drucken.h"

#include "dateien.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QWidget>
#include <algorithm>

namespace shell {

void seite_zeichnen(QWidget& seite, QPainter& p) {
    // Recorded as a picture first, then played onto the device: onto a printer Qt's widgets
    // draw themselves through a bitmap at its resolution (a page became one 1,200-dpi image
    // without text), into a picture in vectors, as into a PDF.
    QPicture aufnahme;
    {
        QPainter q(&aufnahme);
        // The charts paint their lists in vectors there.
        seite.render(&q, QPoint(), QRegion(),
                     QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    const QPaintDevice* g = p.device();
    const double m =
        std::min(double(g->width()) / seite.width(), double(g->height()) / seite.height());
    p.save();
    p.translate((g->width() - seite.width() * m) / 2, 0);
    // A picture plays itself scaled from its resolution to the device's; that is undone here.
    p.scale(m * aufnahme.logicalDpiX() / g->logicalDpiX(),
            m * aufnahme.logicalDpiY() / g->logicalDpiY());
    p.drawPicture(0, 0, aufnahme);
    p.restore();
}

QPageLayout seitenlayout(const QWidget& seite) {
    const auto richtung =
        seite.width() > seite.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(QPageSize(QPageSize::A4), richtung, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

bool seite_als_pdf(QWidget& seite, const QString& datei, QString* fehler) {
    const QString grund = datei_schreiben(datei, [&seite](QIODevice& ziel) {
        QPdfWriter pdf(&ziel);
        pdf.setPageLayout(seitenlayout(seite));
        pdf.setTitle(seite.windowTitle());
        pdf.setCreator(QCoreApplication::applicationName());
        QPainter p;
        if (!p.begin(&pdf)) return false;
        seite_zeichnen(seite, p);
        return p.end();
    });
    if (fehler) *fehler = grund;
    return grund.isEmpty();
}

bool seite_drucken(QWidget& seite, QPrinter& drucker) {
    QPainter p;
    if (!p.begin(&drucker)) return false;
    seite_zeichnen(seite, p);
    return p.end();
}

} // namespace shell
