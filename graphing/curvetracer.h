#pragma once

#include "picturecontent.h"
#include "plotsurface.h"

#include <functional>
#include <optional>
#include <vector>

namespace graphing {

// A function of one variable that may have no value.
using CurveFunction = std::function<std::optional<double>(double)>;

inline constexpr Colour curveColour{255, 0, 0};

// Traces `f` across -10..10 in red with a fixed step, joining the samples whose value lies
// strictly inside -10..10: how the window draws its five functions at its default view. Throws
// DrawingFailed when a drawing call fails.
void traceCurve(PlotSurface &surface, const CurveFunction &f);

// The curve of `f` over `view` as pieces of points to be joined, found by sampling where the
// curve needs it: a chord stands for the curve only where it stays within a quarter of a picture
// pixel (`pixel`, in user units) of it, so fast oscillation is followed as the band it fills.
// Where the values still part at a sixteenth of a pixel, a pole, a jump or the end of the domain
// is sought by bisection: a piece ends there, at the last point that has a value, and is never
// joined across. At most mostEvaluations values of `f` are taken.
inline constexpr int mostEvaluations = 50000;
struct SampledCurve {
    std::vector<std::vector<UserPoint>> pieces;
    int evaluations = 0;
};
SampledCurve sampleCurve(const CurveFunction &f, const View &view, UserPoint pixel);

// Draws the pieces of `curve` in red: each piece joined, one apart from the next. Throws
// DrawingFailed when a drawing call fails.
void drawCurve(PlotSurface &surface, const SampledCurve &curve);

} // namespace graphing
