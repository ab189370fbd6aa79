#pragma once

#include "expression.h"
#include "plotsurface.h"

#include <optional>
#include <string>
#include <variant>

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
    // The curve's zeros, minima and maxima marked.
    bool keyPoints = false;

    friend bool operator==(const PictureStyle &, const PictureStyle &) = default;
};

inline constexpr int thickestLine = 4;

// The part of the plane the picture shows. The default, -10..10 on both axes, is the window's.
struct View {
    double left = -10;
    double right = 10;
    double bottom = -10;
    double top = 10;

    // The view `factor` times as wide and high (below 1: closer), `x`, `y` staying where they are;
    // the view itself when that one could not be drawn.
    View zoomed(double factor, double x, double y) const;
    // The view moved by the given shares of its width and height.
    View moved(double acrossShare, double upShare) const;
    UserPoint topLeft() const { return {left, top}; }
    UserPoint bottomRight() const { return {right, bottom}; }

    friend bool operator==(const View &, const View &) = default;
};

// Whether `view` can be drawn: finite edges in order, at most 1e9 from 0, each side at least a
// billionth of its distance from 0 (and of 1) long, so that every pixel has its own coordinates.
bool isDrawable(const View &view);

// A graphed function: one of the five the window offers, or one typed.
class Function {
public:
    // Function `number` (1..5) of the window's list.
    Function(int number) : m_function(number) {} // NOLINT(google-explicit-constructor)
    explicit Function(Expression typed) : m_function(std::move(typed)) {}

    // The number of one of the five; nothing for a typed function.
    std::optional<int> number() const;
    // The value at `x`; nothing where the function has none.
    std::optional<double> operator()(double x) const;
    // As a reader writes it: "y = 5 sin(x)/x", "y = 0.5x^2 - 3".
    std::string formula() const;

    friend bool operator==(const Function &, const Function &) = default;

private:
    std::variant<int, Expression> m_function;
};

// What the picture shows, as a value: the frame drawn at start-up, or the graph of one function,
// over a view. Any number of renderings (the screen at any pixel ratio, a file, paper) are drawn
// from it.
struct PictureContent {
    PictureContent() = default;
    // The graph of `graphed` (the start-up frame for nothing), in `style`, over `view`.
    explicit PictureContent(std::optional<Function> graphed, PictureStyle style = {},
                            View view = {})
        : function(std::move(graphed)), style(style), view(view)
    {}

    // Nothing while the start-up frame shows.
    std::optional<Function> function;
    PictureStyle style;
    View view;

    friend bool operator==(const PictureContent &, const PictureContent &) = default;
};

// The graphed function's value at `x` where the picture shows it (inside the view, edges
// included); nothing when no function is graphed, it has no value there, or the value is off the
// picture.
std::optional<double> valueOnPicture(const PictureContent &content, double x);

// Draws `content` whole on a fresh surface: the scale first, then the frame or the graph, in the
// content's style.
// Throws DrawingFailed when a drawing call fails.
void drawPicture(PlotSurface &surface, const PictureContent &content);

} // namespace graphing
