#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QRect>

#include <functional>

namespace e2e {

using PixelTest = std::function<bool(QRgb)>;

// A test that holds for exactly `colour`, and one that holds for every other colour.
PixelTest isColour(QRgb colour);
PixelTest isNotColour(QRgb colour);

// The smallest rectangle holding every pixel of `area` that passes `test`; null if none does.
QRect boundsOf(const QImage &image, const PixelTest &test, QRect area);
QRect boundsOf(const QImage &image, const PixelTest &test);

// Whether any pixel of `area` passes `test`.
bool anyPixel(const QImage &image, const PixelTest &test, QRect area);

// The rows of `area` that hold a pixel passing `test`, grouped into runs of adjacent rows (first
// and last row of each run).
QList<QPair<int, int>> rowRuns(const QImage &image, const PixelTest &test, QRect area);

} // namespace e2e
