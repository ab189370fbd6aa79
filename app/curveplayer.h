#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace app {

// Plays the sounds of graphing::curveSound and pointSound on the default audio output, one at a
// time, while the window's event loop goes on.
//
// The player is a module of its own, loaded on the first sound (loadCurvePlayer): Qt Multimedia
// brings some twenty sound libraries, which cost every start of the program 4 MB and 5 ms when
// linked (measured: the command line went from 0.65x to 0.97x gnuplot's time for one PNG, and
// from 1.16x to 1.40x its memory).
class CurvePlayer {
public:
    enum class Outcome { Started, NoOutput, OutputFailed };

    virtual ~CurvePlayer() = default;
    // Stops what plays and starts `samples`, if any.
    virtual Outcome play(const std::vector<std::int16_t> &samples) = 0;
    // Stops the sound at once.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // The audio output last used, as the system names it.
    virtual QString outputName() const = 0;
};

// The player from its module: beside the program (a build), in the program's library folder (an
// installation), or where the system looks for libraries. Nothing when the module is missing.
std::unique_ptr<CurvePlayer> loadCurvePlayer();

} // namespace app
