#pragma once

#include <QStringList>

class QWidget;

// The lines of text a widget paints, in the order painted, as it paints them: the label's own
// line breaks, not a second layout's guess at them.
QStringList gemalte_zeilen(QWidget& w);
