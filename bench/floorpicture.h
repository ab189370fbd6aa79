#pragma once

#include "curvetracer.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QSize>

#include <vector>

namespace bench {

// One "Graph" press reduced to what a painter has to draw: the fill, then integer pixel marks in
// drawing order (frame lines, the start point, the curve's segments), mapped and clipped
// beforehand so that drawing it measures only the drawing.
struct FloorPicture {
    // A point is a mark whose ends coincide.
    struct Mark {
        QPoint from;
        QPoint to;
        QRgb colour;
    };

    QSize size;
    QColor background;
    std::vector<Mark> marks;
};

// Runs the program's tracer for `f` against a recorder and maps every call to pixels the way the
// picture does: -10..10 onto the first to last column and row, rounded half up.
FloorPicture recordPress(QSize size, QColor background, QColor foreground,
                         const graphing::CurveFunction &f);

// The plainest drawing of `picture` into `image` (same size, RGB32): one painter, one aliased
// one-pixel pen, changed only when the colour does.
void drawFloor(QImage &image, const FloorPicture &picture);

} // namespace bench
