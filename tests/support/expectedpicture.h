#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace testsupport {

inline constexpr QRgb pictureBackground = qRgb(128, 255, 255);
inline constexpr QRgb foreground = qRgb(0, 0, 0);
inline constexpr QRgb startupAxisColour = qRgb(128, 0, 128);
inline constexpr QRgb curveColour = qRgb(255, 0, 0);

// Where the picture area stands in the window, in logical pixels.
inline constexpr QRect logicalPictureRect(8, 40, 441, 385);

// The ratio a scale factor gives: the toolkit keeps a ratio in whole 1/65536ths, the rest
// dropped, so 1.1 becomes 1.0999908 and the picture ends a row higher than at 1.1.
qreal storedRatio(qreal factor);

// The device pixels a logical rectangle covers at `ratio` device pixels to the logical pixel:
// each edge rounded on its own, half away from zero, as the toolkit places widgets.
QRect deviceRect(QRect logical, qreal ratio);

// What the picture has to show, worked out from the formulas and the picture's geometry alone, so
// that a mistake shared with the program's own drawing code cannot go unnoticed.
//
// At `ratio` the picture covers deviceRect(logicalPictureRect), W x H device pixels. The pen is
// w = max(1, round(ratio)) pixels square; its top-left pixel travels from the first pixel to the
// last but w, so user x = -10 lands on column 0 and x = 10 on column W - w, y = 10 on row 0 and
// y = -10 on row H - w. Coordinates round half up; a line is the one-pixel line between its
// rounded ends with each pixel grown into a pen square to its right and below.
class ExpectedPicture {
public:
    // `size`: the device pixels the picture covers where it stands elsewhere than at rest.
    explicit ExpectedPicture(qreal ratio, QSize size = {});

    QSize size() const { return m_size; }
    int penWidth() const { return m_penWidth; }

    // Function 0: magenta x-axis, black y-axis, tick pairs at -9..9 only. Functions 1..5: black
    // axes and tick pairs at -10..10, the frame the curve is traced over.
    QImage frame(int function) const;
    // The frame with the red curve of function `function` traced over it, as the tracer samples
    // it: from -10 by repeated addition of 0.01, in single precision, the visible values joined.
    QImage picture(int function) const;

private:
    QPointF toDevice(float x, float y) const;

    QSize m_size;
    int m_penWidth;
};

} // namespace testsupport
