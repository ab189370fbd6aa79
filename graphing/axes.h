#pragma once

#include "picturecontent.h"
#include "plotsurface.h"

namespace graphing {

// The distance between ticks on an axis spanning `span`: 1, 2 or 5 times a power of ten, the
// smallest that leaves at most 20 ticks' room (1 for the default -10..10).
double tickSpacing(double span);

// Draws the frame shown before the first graph over the surface's scale, which shows `view`: a
// magenta x-axis, the y-axis and tick marks between the view's edges. Throws DrawingFailed when a
// drawing call fails.
//
// Both frames draw in `style`: the grid (at the ticks) first, then the line width for what
// follows, the axes, the ticks, and the numbers beside them (every second tick where there is
// room, but not where the axes cross nor at the edges). The default style makes none of these
// extra calls. An axis stands at zero where zero is in view, at the nearer edge otherwise.
void drawStartupFrame(PlotSurface &surface, const View &view, const PictureStyle &style = {});

// Clears the surface and draws the frame of every graph: both axes in the foreground colour and
// tick marks across the view, its edges included. Throws DrawingFailed when a drawing call fails.
void drawGraphFrame(PlotSurface &surface, const View &view, const PictureStyle &style = {});

} // namespace graphing
