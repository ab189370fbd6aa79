#pragma once

#include "plotsurface.h"

#include <optional>

namespace graphing {

// What the picture shows, as a value: the frame drawn at start-up, or the graph of one function.
// Any number of renderings (the screen at any pixel ratio, a file, paper) are drawn from it.
struct PictureContent {
    // The number of the graphed function (1..5); nothing while the start-up frame shows.
    std::optional<int> graphedFunction;

    friend bool operator==(const PictureContent &, const PictureContent &) = default;
};

// Draws `content` whole on a fresh surface: the scale first, then the frame or the graph.
// Throws DrawingFailed when a drawing call fails.
void drawPicture(PlotSurface &surface, const PictureContent &content);

} // namespace graphing
