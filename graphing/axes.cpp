#include "axes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace graphing {

namespace {

// A tick reaches this share of the other axis's span to either side: 0.1 at -10..10.
constexpr double tickShare = 0.005;
constexpr int mostTicks = 20;
// Numbers stand at most this many to an axis, 44 pixels apart across the picture, as wide as
// short numbers can stand without touching; longer numbers half as many.
constexpr int mostNumbers = 10;
constexpr std::size_t longNumber = 5;

// The start-up frame's x-axis, told apart from the graph frame's black one.
constexpr Colour startupAxisColour{128, 0, 128};
// Light on white and on the window's cyan alike, so the grid stays behind what it measures.
constexpr Colour gridColour{200, 200, 200};

// One axis: the range it spans, where the other axis crosses it, and its ticks.
struct Axis {
    double low;
    double high;
    double crossing;
    double step;

    double span() const { return high - low; }
    bool isEdge(double value) const
    {
        const double slack = step * 1e-9;
        return value <= low + slack || value >= high - slack;
    }
    // Every multiple of `spacing` in view, the edges left out unless `withEdges`.
    std::vector<double> multiples(double spacing, bool withEdges) const
    {
        std::vector<double> values;
        for (double k = std::ceil(low / spacing - 1e-9); k * spacing <= high + spacing * 1e-9; ++k)
            if (withEdges || !isEdge(k * spacing))
                values.push_back(k * spacing);
        return values;
    }
};

Axis axis(double low, double high)
{
    return {low, high, std::clamp(0.0, low, high), tickSpacing(high - low)};
}

// The decimals that write every multiple of `spacing` exactly: 0 for 2, 1 for 0.5, 2 for 0.25.
int decimalsOf(double spacing)
{
    int decimals = 0;
    for (double scaled = spacing;
         decimals < 15 && std::abs(scaled - std::round(scaled)) > 1e-6 * scaled; scaled *= 10)
        ++decimals;
    return decimals;
}

// A number as the axis shows it, with the decimals its spacing needs and a true minus sign, as
// wide as a plus: a hyphen is easily missed at this size.
std::string numberText(double value, double spacing)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimalsOf(spacing), std::abs(value));
    return (value < 0 ? "\u2212" : "") + std::string(text.data());
}

// The characters of a number: its minus sign takes three bytes.
std::size_t characters(const std::string &text)
{
    return text.size() - (text.rfind("\u2212", 0) == 0 ? 2 : 0);
}

// The spacing of the numbers on `axis`: 1, 2 or 5 times a power of ten, a multiple of its ticks,
// so that they do not crowd.
double numberSpacing(const Axis &axis)
{
    double spacing = axis.step;
    for (const double times : {1, 2, 4, 5, 10, 20, 40, 50, 100}) {
        spacing = axis.step * times;
        const double mantissa = spacing / std::pow(10.0, std::floor(std::log10(spacing) + 1e-9));
        const bool nice = std::abs(mantissa - 1) < 1e-6 || std::abs(mantissa - 2) < 1e-6
                          || std::abs(mantissa - 5) < 1e-6;
        const std::size_t longest = std::max(characters(numberText(axis.low, spacing)),
                                             characters(numberText(axis.high, spacing)));
        if (nice && axis.span() / spacing <= (longest > longNumber ? mostNumbers / 2 : mostNumbers))
            break;
    }
    return spacing;
}

// Calls `draw` with the i-th value of each list in turn, so that the two axes' marks alternate.
template <typename Draw>
void alternate(const std::vector<double> &across, const std::vector<double> &up, Draw draw)
{
    for (std::size_t i = 0; i < std::max(across.size(), up.size()); ++i) {
        if (i < across.size())
            draw(true, across[i]);
        if (i < up.size())
            draw(false, up[i]);
    }
}

void drawFrame(PlotSurface &surface, const View &view, const PictureStyle &style,
               std::optional<Colour> xAxisColour, bool withEdges)
{
    const Axis x = axis(view.left, view.right);
    const Axis y = axis(view.bottom, view.top);
    const auto line = [&surface](UserPoint from, UserPoint to, std::optional<Colour> colour) {
        require(surface.line(from, to, colour), DrawingOperation::Line);
    };
    if (style.grid) {
        // At every tick but the axes themselves.
        alternate(x.multiples(x.step, withEdges), y.multiples(y.step, withEdges),
                  [&](bool across, double at) {
                      if (across && at != y.crossing)
                          line({at, view.top}, {at, view.bottom}, gridColour);
                      else if (!across && at != x.crossing)
                          line({view.left, at}, {view.right, at}, gridColour);
                  });
    }
    if (style.lineWidth != 1)
        require(surface.setLineWidth(style.lineWidth), DrawingOperation::SetLineWidth);
    line({view.left, y.crossing}, {view.right, y.crossing}, xAxisColour);
    line({x.crossing, view.top}, {x.crossing, view.bottom}, std::nullopt);
    // Half a tick, to either side of the axis it marks; in single precision, as the window has
    // always drawn its ticks, so that they land on the same pixels at every ratio.
    const double xTick = static_cast<float>(y.span() * tickShare);
    const double yTick = static_cast<float>(x.span() * tickShare);
    alternate(x.multiples(x.step, withEdges), y.multiples(y.step, withEdges),
              [&](bool across, double at) {
                  if (across)
                      line({at, y.crossing - xTick}, {at, y.crossing + xTick}, std::nullopt);
                  else
                      line({x.crossing - yTick, at}, {x.crossing + yTick, at}, std::nullopt);
              });
    if (!style.numbers)
        return;
    // Below the x-axis and left of the y-axis, clear of where they cross; above and to the right
    // where an axis stands at the picture's bottom or left edge.
    const double xSpacing = numberSpacing(x);
    const double ySpacing = numberSpacing(y);
    const bool above = y.crossing == y.low;
    const bool right = x.crossing == x.low;
    alternate(
        x.multiples(xSpacing, false), y.multiples(ySpacing, false), [&](bool across, double at) {
            if (across ? at == x.crossing : at == y.crossing)
                return;
            const std::string text = numberText(at, across ? xSpacing : ySpacing);
            const UserPoint anchor = across ? UserPoint{at, y.crossing + (above ? xTick : -xTick)}
                                            : UserPoint{x.crossing + (right ? yTick : -yTick), at};
            const LabelPlacement placement =
                across ? (above ? LabelPlacement::Above : LabelPlacement::Below)
                       : (right ? LabelPlacement::Right : LabelPlacement::Left);
            require(surface.label(anchor, text, placement), DrawingOperation::Label);
        });
}

} // namespace

double tickSpacing(double span)
{
    const double power = std::pow(10.0, std::floor(std::log10(span / mostTicks)));
    for (const double times : {1.0, 2.0, 5.0}) {
        if (span / (times * power) <= mostTicks * (1 + 1e-9))
            return times * power;
    }
    return 10 * power;
}

void drawStartupFrame(PlotSurface &surface, const View &view, const PictureStyle &style)
{
    drawFrame(surface, view, style, startupAxisColour, false);
}

void drawGraphFrame(PlotSurface &surface, const View &view, const PictureStyle &style)
{
    require(surface.clear(), DrawingOperation::Clear);
    drawFrame(surface, view, style, std::nullopt, true);
}

} // namespace graphing
