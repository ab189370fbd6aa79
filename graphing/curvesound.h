#pragma once

#include "picturecontent.h"

#include <cstdint>
#include <vector>

namespace graphing {

// The picture as sound, for a listener who cannot see it: x runs from -10 to 10 in four seconds,
// 5 units a second, slow enough to tell each unit apart and short enough to hear the whole shape
// at once. The pitch follows y on a log scale, 220 Hz at y = -10 to 880 Hz at y = 10, so equal
// steps in y are equal musical steps; the sound moves from the left ear to the right as x grows.
// Where the curve leaves the picture the tone falls silent. A short high tick (3520 Hz) marks
// every integer x, and a longer fading bell (1760 Hz) each crossing of the x-axis.
//
// Samples are 16-bit, stereo, interleaved left then right, at soundRate frames a second.
inline constexpr int soundRate = 44100;
inline constexpr double curveSeconds = 4;
inline constexpr double pointSeconds = 0.15;
inline constexpr double lowestPitch = 220;
inline constexpr double highestPitch = 880;
inline constexpr double tickPitch = 3520;
inline constexpr double tickSeconds = 0.012;
inline constexpr double crossingPitch = 1760;
inline constexpr double crossingSeconds = 0.08;

// The pitch of height y on the picture, in hertz.
double pitchOf(double y);

// The whole curve of the graphed function; nothing while the start-up frame shows.
std::vector<std::int16_t> curveSound(const PictureContent &content);

// The short tone of the curve's point at `x`, in the same pitch and place as in curveSound;
// nothing while no function is graphed or where its value is off the picture.
std::vector<std::int16_t> pointSound(const PictureContent &content, double x);

} // namespace graphing
