#include "picturecontent.h"

#include "axes.h"
#include "curvetracer.h"
#include "functions.h"
#include "keypoints.h"

#include <algorithm>
#include <cmath>

namespace graphing {

namespace {

// Key points are marked by a cross this many picture pixels to either side, in blue, which the
// red curve and the black axes leave apart.
constexpr double markReach = 4;
constexpr Colour markColour{0, 0, 255};

void markKeyPoints(PlotSurface &surface, const std::vector<KeyPoint> &points)
{
    const UserPoint pixel = surface.pixelSize();
    const double across = markReach * pixel.x;
    const double up = markReach * pixel.y;
    for (const KeyPoint &point : points) {
        require(surface.line({point.x - across, point.y - up}, {point.x + across, point.y + up},
                             markColour),
                DrawingOperation::Line);
        require(surface.line({point.x - across, point.y + up}, {point.x + across, point.y - up},
                             markColour),
                DrawingOperation::Line);
    }
}

} // namespace

View View::zoomed(double factor, double x, double y) const
{
    const View closer{x + (left - x) * factor, x + (right - x) * factor, y + (bottom - y) * factor,
                      y + (top - y) * factor};
    return isDrawable(closer) ? closer : *this;
}

View View::moved(double acrossShare, double upShare) const
{
    const double across = (right - left) * acrossShare;
    const double up = (top - bottom) * upShare;
    const View there{left + across, right + across, bottom + up, top + up};
    return isDrawable(there) ? there : *this;
}

bool isDrawable(const View &view)
{
    constexpr double farthest = 1e9;
    constexpr double finest = 1e-9;
    const auto side = [](double low, double high) {
        const double reach = std::max({1.0, std::abs(low), std::abs(high)});
        return std::isfinite(low) && std::isfinite(high) && reach <= farthest
               && high - low >= finest * reach;
    };
    return side(view.left, view.right) && side(view.bottom, view.top);
}

std::optional<int> Function::number() const
{
    const int *const number = std::get_if<int>(&m_function);
    return number ? std::optional(*number) : std::nullopt;
}

std::optional<double> Function::operator()(double x) const
{
    if (const int *const number = std::get_if<int>(&m_function))
        return functionValue(*number, x);
    return std::get<Expression>(m_function)(x);
}

std::string Function::formula() const
{
    if (const int *const number = std::get_if<int>(&m_function))
        return std::string(functionFormula(*number));
    return "y = " + std::get<Expression>(m_function).text();
}

std::optional<double> valueOnPicture(const PictureContent &content, double x)
{
    if (!content.function)
        return std::nullopt;
    const std::optional<double> value = (*content.function)(x);
    // Written so that a value that is not a number fails it too.
    const bool onPicture = value && *value >= content.view.bottom && *value <= content.view.top;
    return onPicture ? value : std::nullopt;
}

void drawPicture(PlotSurface &surface, const PictureContent &content)
{
    const View &view = content.view;
    require(surface.setScale(view.topLeft(), view.bottomRight()), DrawingOperation::SetScale);
    if (!content.function) {
        drawStartupFrame(surface, view, content.style);
        return;
    }
    drawGraphFrame(surface, view, content.style);
    const Function &function = *content.function;
    const CurveFunction f = [&function](double x) { return function(x); };
    // The five keep their fixed step at the window's own view; every other curve is sampled
    // where it needs it.
    if (function.number() && view == View{})
        traceCurve(surface, f);
    else
        drawCurve(surface, sampleCurve(f, view, surface.pixelSize()));
    if (content.style.keyPoints)
        markKeyPoints(surface, keyPoints(f, view));
}

} // namespace graphing
