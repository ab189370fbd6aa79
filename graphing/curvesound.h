#pragma once

#include "picturecontent.h"

#include <cstdint>
#include <vector>

namespace graphing {

// The picture as sound, for a listener who cannot see it: x runs across the view in four seconds,
// from the left ear to the right; the pitch follows y on a log scale, 220 Hz at the view's bottom
// to 880 Hz at its top, silent off the picture. A 12 ms tick at 3520 Hz marks every tick of the
// x-axis, a fading 80 ms bell at 1760 Hz each crossing of it. 16-bit stereo samples, interleaved.
inline constexpr int soundRate = 44100;

// The whole curve of the graphed function; nothing while the start-up frame shows.
std::vector<std::int16_t> curveSound(const PictureContent &content);

// The curve's point at `x` as a 0.15 s tone, pitched and placed as in curveSound; nothing where
// the picture shows no value.
std::vector<std::int16_t> pointSound(const PictureContent &content, double x);

} // namespace graphing
