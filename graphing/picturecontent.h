#pragma once

#include "plotsurface.h"

#include <optional>

namespace graphing {

// What the picture is drawn on.
enum class Background {
    Screen,     // the window's colour
    White,      // white, as paper
    Transparent // nothing: what the picture is laid on shows through (where the format allows)
};

// How a picture is drawn. The default is the window's own look.
struct PictureStyle {
    Background background = Background::Screen;
    // The thickness of the curve, the axes and the ticks, in picture pixels (1 to 4).
    int lineWidth = 1;
    // Every even tick numbered, beside the axes.
    bool numbers = false;
    // Light lines across the picture at the ticks, under the axes and the curve.
    bool grid = false;

    friend bool operator==(const PictureStyle &, const PictureStyle &) = default;
};

inline constexpr int thickestLine = 4;

// What the picture shows, as a value: the frame drawn at start-up, or the graph of one function.
// Any number of renderings (the screen at any pixel ratio, a file, paper) are drawn from it.
struct PictureContent {
    PictureContent() = default;
    // The graph of function `graphed` (the start-up frame for nothing), in `style`.
    explicit PictureContent(std::optional<int> graphed, PictureStyle style = {})
        : graphedFunction(graphed), style(style)
    {}

    // The number of the graphed function (1..5); nothing while the start-up frame shows.
    std::optional<int> graphedFunction;
    PictureStyle style;

    friend bool operator==(const PictureContent &, const PictureContent &) = default;
};

// The graphed function's value at `x` where the picture shows it (-10..10 inclusive); nothing when
// no function is graphed, it has no value there, or the value is off the picture.
std::optional<double> valueOnPicture(const PictureContent &content, double x);

// Draws `content` whole on a fresh surface: the scale first, then the frame or the graph, in the
// content's style.
// Throws DrawingFailed when a drawing call fails.
void drawPicture(PlotSurface &surface, const PictureContent &content);

} // namespace graphing
