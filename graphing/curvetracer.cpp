#include "curvetracer.h"

#include "axes.h"

namespace graphing {

namespace {

constexpr double step = 0.01;

UserPoint userPoint(double x, double y)
{
    return {static_cast<float>(x), static_cast<float>(y)};
}

} // namespace

void traceCurve(PlotSurface &surface, const CurveFunction &f, const PictureStyle &style)
{
    drawGraphFrame(surface, style);

    constexpr int a = -10;
    constexpr int b = 10;

    // The start point sets the current point even when it lies off the picture, so the first
    // visible sample is joined to it and the picture shows the visible part of that chord.
    // No value (no function chosen) plots as 0, and counts as 0 in the visibility test.
    require(surface.point(userPoint(a, f(a).value_or(0)), curveColour), DrawingOperation::Point);

    // x grows by repeated addition, not as a + k * step: the accumulated rounding keeps every
    // sample off exactly 0 (the 1001st is about -1.7e-13) and makes the last about
    // 9.99999999999966, so there are 2001 samples. The first sample repeats the start point.
    for (double x = a; x <= b; x += step) {
        const double y = f(x).value_or(0);
        // A sample outside the band is skipped and the current point stays at the last visible
        // one, so the next visible sample is joined to it by a chord across the gap.
        if (y > -10 && y < 10)
            require(surface.lineTo(userPoint(x, y), curveColour), DrawingOperation::LineTo);
    }
}

} // namespace graphing
