#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QLibrary;

namespace app {

// Plays the sounds of graphing::curveSound and pointSound on the default audio output, one at a
// time, while the window's event loop goes on.
//
// The player is a module of its own, loaded on the first sound (SoundModule): Qt Multimedia
// brings some twenty sound libraries, which cost every start of the program 4 MB and 5 ms when
// linked (measured: the command line went from 0.65x to 0.97x gnuplot's time for one PNG, and
// from 1.16x to 1.40x its memory).
class CurvePlayer {
public:
    enum class Outcome { Started, NoOutput, OutputFailed };

    virtual ~CurvePlayer() = default;
    // Stops what plays and starts `samples`, if any, on the output that is the default now.
    virtual Outcome play(const std::vector<std::int16_t> &samples) = 0;
    // Stops the sound at once.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // The audio output last used, as the system names it.
    virtual QString outputName() const = 0;
};

// The sound module as the window uses it (soundmodule.cpp): looked for on the first sound that is
// not silence, beside the program (a build), in the program's library folder (an installation),
// or where the system looks for libraries; a module found missing is not looked for again.
//
// Qt 6.4 connects to the sound server once, when Qt Multimedia is first used, and not again when
// that connection failed (no server yet) or later broke (a server restarted): its audio outputs
// then stay missing, or keep a name that can no longer play. So a sound the output cannot take
// unloads the module, and Qt Multimedia with it, and loads both afresh from the module's file:
// they connect anew, and play once an output is there again.
class SoundModule {
public:
    enum class Outcome { Started, ModuleMissing, NoOutput, OutputFailed };

    SoundModule();
    ~SoundModule();
    SoundModule(const SoundModule &) = delete;
    SoundModule &operator=(const SoundModule &) = delete;

    // Stops what plays and starts `samples`. An empty sound stops what plays and loads nothing.
    Outcome play(const std::vector<std::int16_t> &samples);
    void stop();
    bool isPlaying() const;
    // The audio output the last sound was played on, or failed on, as the system names it.
    QString outputName() const { return m_outputName; }

private:
    // The player from the module: from the file found before, else looked for once.
    bool load();
    void unload();

    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<CurvePlayer> m_player;
    // The module's file, once found.
    QString m_file;
    bool m_missing = false;
    QString m_outputName;
};

} // namespace app
