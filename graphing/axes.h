#pragma once

#include "picturecontent.h"
#include "plotsurface.h"

namespace graphing {

// The picture shows -10..10 on both axes.
inline constexpr UserPoint plotTopLeft{-10, 10};
inline constexpr UserPoint plotBottomRight{10, -10};

// Sets the -10..10 scale and draws the frame shown before the first graph: a magenta x-axis, the
// y-axis and tick marks at -9..9. Throws DrawingFailed when a drawing call fails.
//
// Both frames draw in `style`: the grid (at the ticks) first, then the line width for what
// follows, the axes, the ticks, and the numbers at the even ticks but 0 and the edges. The
// default style makes none of these extra calls.
void drawStartupFrame(PlotSurface &surface, const PictureStyle &style = {});

// Clears the surface and draws the frame of every graph: both axes in the foreground colour and
// tick marks at -10..10, the ends included. Throws DrawingFailed when a drawing call fails.
void drawGraphFrame(PlotSurface &surface, const PictureStyle &style = {});

} // namespace graphing
