// A page on paper, printed or as PDF: drawn by the widgets' own painting, as on the screen, so
// that lines stay lines and text stays text.
#pragma once

#include <QPageLayout>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

namespace shell {

// Draws the page with all it holds onto the painter's device, scaled to fit its paintable area,
// centred across and at the top.
void seite_zeichnen(QWidget& seite, QPainter& p);

// A4 across for a page wider than high, else upright, with margins of 10 mm.
QPageLayout seitenlayout(const QWidget& seite);

// Writes the page as a one-page PDF. False where it cannot, with the reason in `fehler`; then
// there is nothing new at `datei` (a file that was there stays as it was).
bool seite_als_pdf(QWidget& seite, const QString& datei, QString* fehler = nullptr);

// Prints the page on a printer as the user set it up.
bool seite_drucken(QWidget& seite, QPrinter& drucker);

} // namespace shell
