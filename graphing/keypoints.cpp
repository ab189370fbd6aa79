#include "keypoints.h"

#include <boost/math/tools/roots.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace graphing {

namespace {

constexpr int gridIntervals = 2000;
// The library's solver stops once the bracket is this many bits of a double narrow.
constexpr int solverBits = 50;
constexpr std::uintmax_t solverSteps = 200;

// The root of `g` between `a` and `b`, where g's signs differ.
template <typename G> double root(G g, double a, double b, double ga, double gb)
{
    std::uintmax_t steps = solverSteps;
    const auto [low, high] = boost::math::tools::toms748_solve(
        g, a, b, ga, gb, boost::math::tools::eps_tolerance<double>(solverBits), steps);
    return low + (high - low) / 2;
}

} // namespace

std::vector<KeyPoint> keyPoints(const CurveFunction &f, const View &view)
{
    const double width = view.right - view.left;
    // Values too small for the view's scale are the rounding of a zero.
    const double negligible = 1e-12 * std::max(1.0, view.top - view.bottom);
    const auto value = [&f](double x) { return f(x).value_or(std::nan("")); };
    std::vector<double> xs(gridIntervals + 1);
    std::vector<double> ys(gridIntervals + 1);
    for (int i = 0; i <= gridIntervals; ++i) {
        xs[std::size_t(i)] = view.left + width * i / gridIntervals;
        ys[std::size_t(i)] = value(xs[std::size_t(i)]);
    }
    std::vector<KeyPoint> found;
    const auto keep = [&](KeyPoint::Kind kind, double x, double y) {
        if (std::abs(x) < 1e-12 * width)
            x = 0;
        const bool inView = x > view.left && x < view.right && y >= view.bottom && y <= view.top;
        if (!inView)
            return;
        if (kind != KeyPoint::Kind::Zero && std::abs(y) <= negligible)
            found.push_back({KeyPoint::Kind::Zero, x, 0});
        found.push_back({kind, x, kind == KeyPoint::Kind::Zero ? 0 : y});
    };
    // The difference quotient, over a step small against the view yet far above rounding.
    const double h = 1e-6 * width;
    const auto slope = [&value, h](double x) { return (value(x + h) - value(x - h)) / (2 * h); };
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        const double a = xs[i];
        const double b = xs[i + 1];
        if (ys[i] == 0 && i > 0 && ys[i - 1] * ys[i + 1] != 0)
            keep(KeyPoint::Kind::Zero, a, 0);
        // A sign change: a crossing where the value found is a zero, a pole or a jump elsewhere.
        if (ys[i] * ys[i + 1] < 0) {
            const double x = root(value, a, b, ys[i], ys[i + 1]);
            if (std::abs(value(x)) <= std::min(std::abs(ys[i]), std::abs(ys[i + 1])) * 1e-6)
                keep(KeyPoint::Kind::Zero, x, 0);
        }
        // A turn: the differences on either side of a grid point have opposite signs.
        if (i == 0)
            continue;
        const double before = ys[i] - ys[i - 1];
        const double after = ys[i + 1] - ys[i];
        if (!(before * after < 0))
            continue;
        // The curve turns where its slope changes sign; a jump between falling pieces does not.
        const double start = xs[i - 1];
        const double slopeStart = slope(start);
        const double slopeEnd = slope(b);
        if (!(slopeStart * slopeEnd < 0))
            continue;
        const double x = root(slope, start, b, slopeStart, slopeEnd);
        // Over a step a hundred times finer the slope still vanishes at a turn, but not beside a
        // jump, which the coarser quotient spans.
        const double fine = h / 100;
        const double fineSlope = (value(x + fine) - value(x - fine)) / (2 * fine);
        if (!(std::abs(fineSlope) <= 0.01 * std::min(std::abs(slopeStart), std::abs(slopeEnd))))
            continue;
        const double y = value(x);
        // A pole or a jump turns too, but with a value beyond its neighbours' reach.
        const bool turns =
            std::isfinite(y) && std::abs(y - ys[i]) <= std::abs(before) + std::abs(after);
        if (turns)
            keep(before < 0 ? KeyPoint::Kind::Minimum : KeyPoint::Kind::Maximum, x, y);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const KeyPoint &a, const KeyPoint &b) { return a.x < b.x; });
    // One zero at a place, where a grid point and a bracket, or a turn, find it twice.
    found.erase(std::unique(found.begin(), found.end(),
                            [width](const KeyPoint &a, const KeyPoint &b) {
                                return a.kind == b.kind && std::abs(a.x - b.x) <= 1e-9 * width;
                            }),
                found.end());
    return found;
}

std::vector<KeyPoint> keyPoints(const PictureContent &content)
{
    if (!content.function)
        return {};
    const Function &function = *content.function;
    return keyPoints([&function](double x) { return function(x); }, content.view);
}

} // namespace graphing
