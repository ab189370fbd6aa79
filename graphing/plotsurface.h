#pragma once

#include "colour.h"

#include <optional>

namespace graphing {

// A point in the surface's user coordinates; they reach the surface in single precision.
struct UserPoint {
    float x = 0;
    float y = 0;

    friend constexpr bool operator==(UserPoint, UserPoint) = default;
};

// A drawing area with a user coordinate scale and a current point. Every operation reports whether
// it succeeded; the callers check each one at once. Points may lie anywhere: the surface shows the
// visible part of a segment, skips an invisible point, and moves the current point all the same.
class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    // Maps the whole area linearly: topLeft onto its top-left corner, bottomRight onto its
    // bottom-right. Stays in force until set again; clearing leaves it alone.
    virtual bool setScale(UserPoint topLeft, UserPoint bottomRight) = 0;

    // Fills the whole area with the background colour.
    virtual bool clear() = 0;

    // Draws from `from` to `to`, in the foreground colour when no colour is given; the current
    // point becomes `to`.
    virtual bool line(UserPoint from, UserPoint to, std::optional<Colour> colour) = 0;

    // Draws from the current point to `to`, which becomes the current point.
    virtual bool lineTo(UserPoint to, Colour colour) = 0;

    // Sets the single pixel at `at`, which becomes the current point.
    virtual bool point(UserPoint at, Colour colour) = 0;

protected:
    PlotSurface() = default;
    PlotSurface(const PlotSurface &) = default;
    PlotSurface &operator=(const PlotSurface &) = default;
};

} // namespace graphing
