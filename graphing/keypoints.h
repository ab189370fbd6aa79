#pragma once

#include "curvetracer.h"
#include "picturecontent.h"

#include <vector>

namespace graphing {

// A point of a curve that a reader looks for: where it crosses or touches the x-axis, and where it
// turns.
struct KeyPoint {
    enum class Kind { Zero, Minimum, Maximum };
    Kind kind;
    double x;
    double y;
};

// The zeros, local minima and maxima of `f` inside `view`, in order of x (a zero before an
// extremum at the same place, as x^2 at 0), to about 1e-12 of the view's width. Sign changes are
// bracketed on a grid and refined by a library solver; poles and jumps are told by their values.
std::vector<KeyPoint> keyPoints(const CurveFunction &f, const View &view);
// The key points of the function `content` graphs, over its view; nothing before a graph.
std::vector<KeyPoint> keyPoints(const PictureContent &content);

} // namespace graphing
