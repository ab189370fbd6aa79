#pragma once

#include "picturecontent.h"
#include "plotsurface.h"

namespace graphing {

// The distance between ticks on an axis spanning `span`: 1, 2 or 5 times a power of ten, the
// smallest that leaves at most 20 ticks.
double tickSpacing(double span);

// The frame shown before the first graph: a magenta x-axis, the y-axis and ticks between the
// view's edges. Both frames draw the grid first, then the axes, the ticks and the numbers; the
// default style makes no extra calls. An axis stands at zero, or at the edge nearer it.
// Throws DrawingFailed when a drawing call fails.
void drawStartupFrame(PlotSurface &surface, const View &view, const PictureStyle &style = {});

// Clears the surface and draws the frame of every graph: black axes, ticks to the view's edges.
void drawGraphFrame(PlotSurface &surface, const View &view, const PictureStyle &style = {});

} // namespace graphing
