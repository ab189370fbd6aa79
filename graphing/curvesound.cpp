#include "curvesound.h"

#include "axes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace graphing {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr double curveSeconds = 4;
constexpr double tickSeconds = 0.012;
constexpr double bellSeconds = 0.08;
// The tone fades in and out over about 3 ms, so that no click is heard where it starts or stops.
constexpr double fade = 1 / (0.003 * soundRate);

// The pitch of a value `y` on the picture of `view`; nothing for a value off the picture.
std::optional<double> pitchOf(const View &view, std::optional<double> y)
{
    if (!y)
        return std::nullopt;
    return 220 * std::pow(4.0, (*y - view.bottom) / (view.top - view.bottom));
}

// Appends one frame of `level` at `x`, by equal power all left at the view's left edge and all
// right at its right edge.
void append(std::vector<std::int16_t> &samples, const View &view, double x, double level)
{
    const double angle = (x - view.left) / (view.right - view.left) * twoPi / 4;
    samples.push_back(static_cast<std::int16_t>(std::lround(32767 * level * std::cos(angle))));
    samples.push_back(static_cast<std::int16_t>(std::lround(32767 * level * std::sin(angle))));
}

// A sine burst fading out over `seconds`, `age` seconds after it began.
double burst(double age, double pitch, double seconds)
{
    return age >= 0 && age < seconds ? (1 - age / seconds) * std::sin(twoPi * pitch * age) : 0;
}

} // namespace

std::vector<std::int16_t> curveSound(const PictureContent &content)
{
    if (!content.function)
        return {};
    const auto frames = static_cast<std::size_t>(curveSeconds * soundRate);
    const auto moving = double(frames - 1) - tickSeconds * soundRate;
    std::vector<std::int16_t> samples;
    samples.reserve(2 * frames);
    const View &view = content.view;
    const double tickSpacing = graphing::tickSpacing(view.right - view.left);
    double x = view.left;
    std::optional<double> pitch;
    std::optional<double> lastValue;
    double phase = 0;
    double gain = 0;
    // The seconds since the last tick and bell began.
    double tick = 0;
    double bell = -1;
    for (std::size_t i = 0; i < frames; ++i) {
        // The curve is followed every 16 frames (0.36 ms, 0.002 in x), finer than an ear hears.
        if (i % 16 == 0) {
            const double before = x;
            x = view.left + (view.right - view.left) * std::min(double(i) / moving, 1.0);
            const std::optional<double> y = valueOnPicture(content, x);
            pitch = pitchOf(view, y);
            tick = std::floor(x / tickSpacing) != std::floor(before / tickSpacing) ? 0 : tick;
            // The bell rings where the value changes sign.
            if (y && lastValue && (*y < 0) != (*lastValue < 0))
                bell = 0;
            lastValue = y;
        }
        gain += ((pitch ? 1.0 : 0.0) - gain) * fade;
        phase = std::fmod(phase + twoPi * pitch.value_or(0) / soundRate, twoPi);
        append(samples, view, x,
               0.35 * gain * std::sin(phase) + 0.25 * burst(tick, 3520, tickSeconds)
                   + 0.35 * burst(bell, 1760, bellSeconds));
        tick += 1.0 / soundRate;
        bell += bell >= 0 ? 1.0 / soundRate : 0;
    }
    return samples;
}

std::vector<std::int16_t> pointSound(const PictureContent &content, double x)
{
    const std::optional<double> pitch = pitchOf(content.view, valueOnPicture(content, x));
    const auto frames = pitch ? std::size_t(0.15 * soundRate) : 0;
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        const double edge = double(std::min(i, frames - 1 - i)) * fade;
        append(samples, content.view, x,
               0.35 * std::min(1.0, edge) * std::sin(twoPi * *pitch * double(i) / soundRate));
    }
    return samples;
}

} // namespace graphing
