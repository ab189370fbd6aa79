#pragma once

#include "picturecontent.h"

#include <cstdint>
#include <vector>

namespace graphing {

// The picture as sound, for a listener who cannot see it: x runs across the view in four seconds
// (-10 to 10 by default, 5 units a second), slow enough to tell each unit apart and short enough to
// hear the whole shape at once. The pitch follows y on a log scale, 220 Hz at the view's bottom to
// 880 Hz at its top, so equal steps in y are equal musical steps; the sound moves from the left ear
// to the right as x grows. Where the curve leaves the picture the tone falls silent. A 12 ms tick
// at 3520 Hz marks every tick of the x-axis (every integer x by default; the right edge holds the
// last one), and a fading 80 ms bell at 1760 Hz each crossing of the x-axis. Samples are 16-bit,
// stereo, interleaved left then right, at soundRate frames a second.
inline constexpr int soundRate = 44100;

// The whole curve of the graphed function; nothing while the start-up frame shows.
std::vector<std::int16_t> curveSound(const PictureContent &content);

// The curve's point at `x` as a 0.15 s tone of the same pitch and place as in curveSound; nothing
// while no function is graphed or where its value is off the picture.
std::vector<std::int16_t> pointSound(const PictureContent &content, double x);

} // namespace graphing
