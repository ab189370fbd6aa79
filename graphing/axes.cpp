#include "axes.h"

#include <cstdlib>
#include <string>

namespace graphing {

namespace {

constexpr float tickHalfLength = 0.1F;

// The start-up frame's x-axis, told apart from the graph frame's black one.
constexpr Colour startupAxisColour{128, 0, 128};
// Light on white and on the window's cyan alike, so the grid stays behind what it measures.
constexpr Colour gridColour{200, 200, 200};
// Numbered ticks: every second one is as dense as numbers can stand on the x-axis (22 pixels a
// unit) without touching. The edges are left out: a number centred there would be cut in half.
constexpr int numberSpacing = 2;

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

// A line across the whole picture at every tick but the axes themselves.
void drawGrid(PlotSurface &surface, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        if (i == 0)
            continue;
        const auto at = static_cast<float>(i);
        require(surface.line({at, 10}, {at, -10}, gridColour), DrawingOperation::Line);
        require(surface.line({-10, at}, {10, at}, gridColour), DrawingOperation::Line);
    }
}

// Below the x-axis and left of the y-axis, outside both and clear of the origin.
void drawNumbers(PlotSurface &surface)
{
    for (int i = numberSpacing - 10; i < 10; i += numberSpacing) {
        if (i == 0)
            continue;
        const auto at = static_cast<float>(i);
        // A true minus sign, as wide as a plus: a hyphen is easily missed at this size.
        const std::string number = (i < 0 ? "\u2212" : "") + std::to_string(std::abs(i));
        require(surface.label({at, -tickHalfLength}, number, LabelPlacement::Below),
                DrawingOperation::Label);
        require(surface.label({-tickHalfLength, at}, number, LabelPlacement::Left),
                DrawingOperation::Label);
    }
}

void drawFrame(PlotSurface &surface, const PictureStyle &style, std::optional<Colour> xAxisColour,
               int lastTick)
{
    if (style.grid)
        drawGrid(surface, -lastTick, lastTick);
    if (style.lineWidth != 1)
        require(surface.setLineWidth(style.lineWidth), DrawingOperation::SetLineWidth);
    drawAxes(surface, xAxisColour);
    drawTickPairs(surface, -lastTick, lastTick);
    if (style.numbers)
        drawNumbers(surface);
}

} // namespace

void drawStartupFrame(PlotSurface &surface, const PictureStyle &style)
{
    require(surface.setScale(plotTopLeft, plotBottomRight), DrawingOperation::SetScale);
    drawFrame(surface, style, startupAxisColour, 9);
}

void drawGraphFrame(PlotSurface &surface, const PictureStyle &style)
{
    require(surface.clear(), DrawingOperation::Clear);
    drawFrame(surface, style, std::nullopt, 10);
}

} // namespace graphing
