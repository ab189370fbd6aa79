#pragma once

#include "pixelset.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace e2e {

inline constexpr QRgb pictureBackground = qRgb(128, 255, 255);
inline constexpr QRgb foreground = qRgb(0, 0, 0);
inline constexpr QRgb startupAxisColour = qRgb(128, 0, 128);
inline constexpr QRgb curveColour = qRgb(255, 0, 0);

// Where the picture area stands in the window, in logical pixels.
inline constexpr QRect logicalPictureRect(8, 40, 441, 385);

// The device pixels a logical rectangle covers at `ratio` device pixels to the logical pixel:
// each edge rounded on its own, half away from zero, as the toolkit places widgets.
QRect deviceRect(QRect logical, qreal ratio);

// What the picture area has to show, worked out from the formulas and the picture's geometry
// alone, so that a mistake shared with the program's own drawing code cannot go unnoticed.
//
// At `ratio` device pixels to the logical pixel the picture covers deviceRect(logicalPictureRect),
// W x H device pixels. The pen is w = max(1, round(ratio)) pixels square; its top-left pixel
// travels from the first pixel to the last but w, so user x = -10 lands on column 0 and x = 10 on
// column W - w, y = 10 on row 0 and y = -10 on row H - w. Coordinates round half up; a line is the
// one-pixel line between its rounded ends with each pixel grown into a pen square to its right and
// below.
class ExpectedPicture {
public:
    explicit ExpectedPicture(qreal ratio);

    QSize size() const { return m_size; }
    int penWidth() const { return m_penWidth; }

    // The pen's top-left pixel for a user point handed over in single precision.
    QPoint pixelOf(float x, float y) const;

    // Magenta x-axis, black y-axis, tick pairs at -9..9 only.
    QImage startupFrame() const;
    // Black axes and tick pairs at -10..10 on a cleared picture.
    QImage graphFrame() const;
    // The red pixels that tracing function `number` (1..5) sets.
    PixelSet curve(int number) const;
    // The pixels of a line between two user points, such as one tick.
    PixelSet line(QPointF from, QPointF to) const;

private:
    QPointF toDevice(float x, float y) const;
    QImage frame(QRgb xAxisColour, int firstTick, int lastTick) const;

    QSize m_size;
    int m_penWidth;
};

} // namespace e2e
