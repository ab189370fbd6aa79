#pragma once

#include "picturecontent.h"
#include "plotsurface.h"

#include <functional>
#include <optional>

namespace graphing {

// A function of one variable that may have no value (when none is chosen).
using CurveFunction = std::function<std::optional<double>(double)>;

inline constexpr Colour curveColour{255, 0, 0};

// Draws the graph frame in `style`, then traces `f` across -10..10 in red, joining the samples
// whose value lies strictly inside -10..10. Throws DrawingFailed when a drawing call fails.
void traceCurve(PlotSurface &surface, const CurveFunction &f, const PictureStyle &style = {});

} // namespace graphing
