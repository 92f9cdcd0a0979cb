#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <vector>

class QWidget;

// What a widget paints, as it paints it, in its own pixels: the lines of text in the order of
// their baselines (the label's own line breaks, not a second layout's guess at them) with where
// each starts on its baseline, every straight line with its pen's width, and the bounds of every
// filled or stroked path (not of rectangles: those are a frame's border).
struct Gemalt {
    struct Strich {
        QLineF linie;
        double breite = 0;
    };
    QStringList zeilen;
    std::vector<QPointF> anfaenge;
    std::vector<Strich> striche;
    struct Pfad {
        QRectF box;
        bool rund = false; // with a curve in it
    };
    std::vector<Pfad> pfade;
    std::vector<QRectF> kaesten; // rectangles drawn as such: a frame's border, its caption's ground
};

// `kinder`: with the child widgets' painting, or the widget's own alone.
Gemalt mitschreiben(QWidget& w, bool kinder);
