#pragma once

#include "expression.h"
#include "plotsurface.h"

#include <optional>
#include <string>
#include <variant>

namespace graphing {

// What the picture is drawn on: the window's colour, white as paper, or nothing (where the
// format allows).
enum class Background { Screen, White, Transparent };

// How a picture is drawn. The default is the window's own look.
struct PictureStyle {
    Background background = Background::Screen;
    int lineWidth = 1;      // of the curve, the axes and the ticks, in picture pixels (1 to 4)
    bool numbers = false;   // ticks numbered beside the axes
    bool grid = false;      // light lines at the ticks, under the axes and the curve
    bool keyPoints = false; // the curve's zeros, minima and maxima marked

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

// What the picture shows, as a value: the start-up frame (no function), or the graph of one
// function, over a view. Every rendering (screen, file, paper) is drawn from it.
struct PictureContent {
    PictureContent() = default;
    explicit PictureContent(std::optional<Function> graphed, PictureStyle style = {},
                            View view = {})
        : function(std::move(graphed)), style(style), view(view)
    {}

    std::optional<Function> function;
    PictureStyle style;
    View view;

    friend bool operator==(const PictureContent &, const PictureContent &) = default;
};

// The graphed function's value at `x` where the picture shows it (edges included); nothing
// otherwise.
std::optional<double> valueOnPicture(const PictureContent &content, double x);

// Draws `content` whole on a fresh surface. Throws DrawingFailed when a drawing call fails.
void drawPicture(PlotSurface &surface, const PictureContent &content);

} // namespace graphing
