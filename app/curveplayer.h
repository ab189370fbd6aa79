#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace app {

// Plays the sounds of graphing::curveSound and pointSound on the default audio output, one at a
// time, while the event loop goes on. It lives in the sound module (SoundModule), so that Qt
// Multimedia is loaded only with the first sound.
class CurvePlayer {
public:
    enum class Outcome { Started, NoOutput, OutputFailed };

    virtual ~CurvePlayer() = default;
    // Stops what plays and starts `samples`, if any, on the output that is the default now.
    virtual Outcome play(const std::vector<std::int16_t> &samples) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // The audio output last used, as the system names it.
    virtual QString outputName() const = 0;
};

} // namespace app
