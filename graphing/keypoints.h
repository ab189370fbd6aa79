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

// The zeros, local minima and maxima of `f` inside `view` (its edges left out), in order of x, a
// zero before an extremum at the same place, found to about 1e-12 of the view's width. A sign
// change of f or of its difference quotient is bracketed on a fine grid and refined by a library
// solver; a bracket around a pole or a jump is told apart by the value found there. A minimum or
// maximum where the value is zero is a zero as well (x^2 at 0).
std::vector<KeyPoint> keyPoints(const CurveFunction &f, const View &view);
// The key points of the function `content` graphs, over its view; nothing before a graph.
std::vector<KeyPoint> keyPoints(const PictureContent &content);

} // namespace graphing
