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

// Traces `f` across -10..10 in red with a fixed step, joining the samples strictly inside
// -10..10: the five functions at the default view. Throws DrawingFailed.
void traceCurve(PlotSurface &surface, const CurveFunction &f);

// The curve of `f` over `view` as pieces to be joined, sampled where it needs it: a chord stands
// for the curve within a quarter of a picture pixel (`pixel`, in user units). Where values still
// part at a sixteenth of a pixel, bisection finds the pole, jump or domain end a piece stops at.
inline constexpr int mostEvaluations = 50000;
struct SampledCurve {
    std::vector<std::vector<UserPoint>> pieces;
    int evaluations = 0;
};
SampledCurve sampleCurve(const CurveFunction &f, const View &view, UserPoint pixel);

// Draws each piece of `curve` joined, in red. Throws DrawingFailed.
void drawCurve(PlotSurface &surface, const SampledCurve &curve);

} // namespace graphing
