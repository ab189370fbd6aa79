#include "curvesound.h"

#include "axes.h"
#include "functions.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace graphing {

namespace {

constexpr double curveLevel = 0.35;
constexpr double tickLevel = 0.25;
constexpr double crossingLevel = 0.35;
// The tone fades in and out over about 3 ms where the curve enters or leaves the picture, so
// that no click is heard there.
constexpr double fadeSeconds = 0.003;

std::optional<double> heightOnPicture(const PictureContent &content, double x)
{
    if (!content.graphedFunction)
        return std::nullopt;
    const std::optional<double> y = functionValue(*content.graphedFunction, x);
    // Written so that a value that is not a number fails it too.
    const bool onPicture = y && *y >= plotBottomRight.y && *y <= plotTopLeft.y;
    return onPicture ? y : std::nullopt;
}

// How loud a sound at x is in each ear: equal power, all left at -10, all right at 10.
struct Place {
    double left;
    double right;
};

Place placeOf(double x)
{
    const double angle =
        (x - plotTopLeft.x) / (plotBottomRight.x - plotTopLeft.x) * std::numbers::pi / 2;
    return {std::cos(angle), std::sin(angle)};
}

void append(std::vector<std::int16_t> &samples, Place place, double level)
{
    samples.push_back(static_cast<std::int16_t>(std::lround(32767 * level * place.left)));
    samples.push_back(static_cast<std::int16_t>(std::lround(32767 * level * place.right)));
}

// A decaying sine burst `age` seconds after its start; silent after `seconds`.
double burst(double age, double pitch, double seconds)
{
    if (age < 0 || age >= seconds)
        return 0;
    return (1 - age / seconds) * std::sin(2 * std::numbers::pi * pitch * age);
}

} // namespace

double pitchOf(double y)
{
    const double share = (y - plotBottomRight.y) / (plotTopLeft.y - plotBottomRight.y);
    return lowestPitch * std::pow(highestPitch / lowestPitch, share);
}

std::vector<std::int16_t> curveSound(const PictureContent &content)
{
    if (!content.graphedFunction)
        return {};
    const auto frames = static_cast<std::size_t>(curveSeconds * soundRate);
    std::vector<std::int16_t> samples;
    samples.reserve(2 * frames);
    const double fade = 1 / (fadeSeconds * soundRate);
    double phase = 0;
    double gain = 0;
    // The time since the last tick and crossing began; the first tick is at x = -10.
    double tick = 0;
    double crossing = -1;
    double x = plotTopLeft.x;
    std::optional<double> y;
    double step = 0;
    Place place{};
    // x reaches 10 one tick before the end, and stays there, so that the last tick is heard whole.
    const auto moving = frames - 1 - static_cast<std::size_t>(tickSeconds * soundRate);
    for (std::size_t i = 0; i < frames; ++i) {
        // The curve is followed every 16 frames (0.36 ms, 0.002 in x): finer than an ear hears.
        if (i % 16 == 0) {
            const double previousX = x;
            const std::optional<double> before = y;
            x = plotTopLeft.x
                + (plotBottomRight.x - plotTopLeft.x) * double(std::min(i, moving))
                      / double(moving);
            y = heightOnPicture(content, x);
            if (std::floor(x) != std::floor(previousX))
                tick = 0;
            if (y && before && (*y < 0) != (*before < 0))
                crossing = 0;
            step = y ? 2 * std::numbers::pi * pitchOf(*y) / soundRate : 0;
            place = placeOf(x);
        }
        gain += ((y ? 1.0 : 0.0) - gain) * fade;
        phase += step;
        if (phase > 2 * std::numbers::pi)
            phase -= 2 * std::numbers::pi;
        append(samples, place,
               curveLevel * gain * std::sin(phase) + tickLevel * burst(tick, tickPitch, tickSeconds)
                   + crossingLevel * burst(crossing, crossingPitch, crossingSeconds));
        tick += 1.0 / soundRate;
        if (crossing >= 0)
            crossing += 1.0 / soundRate;
    }
    return samples;
}

std::vector<std::int16_t> pointSound(const PictureContent &content, double x)
{
    const std::optional<double> y = heightOnPicture(content, x);
    if (!y)
        return {};
    const auto frames = static_cast<std::size_t>(pointSeconds * soundRate);
    std::vector<std::int16_t> samples;
    samples.reserve(2 * frames);
    const Place place = placeOf(x);
    for (std::size_t i = 0; i < frames; ++i) {
        const double edge = double(std::min(i, frames - 1 - i)) / (fadeSeconds * soundRate);
        append(samples, place,
               curveLevel * std::min(1.0, edge)
                   * std::sin(2 * std::numbers::pi * pitchOf(*y) * double(i) / soundRate));
    }
    return samples;
}

} // namespace graphing
