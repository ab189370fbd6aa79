#include "axes.h"

namespace graphing {

namespace {

constexpr float tickHalfLength = 0.1F;

// The start-up frame's x-axis, told apart from the graph frame's black one.
constexpr Colour startupAxisColour{128, 0, 128};

void drawAxes(PlotSurface &surface, std::optional<Colour> xAxisColour)
{
    require(surface.line({-10, 0}, {10, 0}, xAxisColour), DrawingOperation::Line);
    require(surface.line({0, 10}, {0, -10}, std::nullopt), DrawingOperation::Line);
}

// A short mark across each axis at every whole number from `first` to `last`.
void drawTickPairs(PlotSurface &surface, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        const auto at = static_cast<float>(i);
        require(surface.line({at, -tickHalfLength}, {at, tickHalfLength}, std::nullopt),
                DrawingOperation::Line);
        require(surface.line({-tickHalfLength, at}, {tickHalfLength, at}, std::nullopt),
                DrawingOperation::Line);
    }
}

} // namespace

void drawStartupFrame(PlotSurface &surface)
{
    require(surface.setScale(plotTopLeft, plotBottomRight), DrawingOperation::SetScale);
    drawAxes(surface, startupAxisColour);
    drawTickPairs(surface, -9, 9);
}

void drawGraphFrame(PlotSurface &surface)
{
    require(surface.clear(), DrawingOperation::Clear);
    drawAxes(surface, std::nullopt);
    drawTickPairs(surface, -10, 10);
}

} // namespace graphing
