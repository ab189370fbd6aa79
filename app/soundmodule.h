#pragma once

#include <QCoreApplication>
#include <QLibrary>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace app {

// Plays the sounds of graphing::curveSound and pointSound on the default audio output, one at a
// time, while the event loop goes on: the sound module's player (curveplayer.cpp), over Qt
// Multimedia.
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

// The sound module's player, loaded with Qt Multimedia on the first sound that is not silence:
// beside the program (a build), in the program's library folder (an installation), or where the
// system looks for libraries; a module found missing is not looked for again.
//
// Qt 6.4 connects to the sound server once, when Qt Multimedia is first used, and never again
// after that failed or broke: so a sound the output cannot take unloads the module, and Qt
// Multimedia with it, and the next sound loads both afresh from the module's file.
class SoundModule {
    Q_DECLARE_TR_FUNCTIONS(app::PictureActions)

public:
    SoundModule() = default;
    SoundModule(const SoundModule &) = delete;
    SoundModule &operator=(const SoundModule &) = delete;
    ~SoundModule() { unload(); }

    // Stops what plays and starts `samples`; nothing when it plays (an empty sound stops what
    // plays), else why it cannot, for the user.
    std::optional<QString> play(const std::vector<std::int16_t> &samples);
    void stop();
    bool isPlaying() const { return m_player && m_player->isPlaying(); }

private:
    bool load();
    void unload();

    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<CurvePlayer> m_player;
    QString m_file; // the module's file, once found
    bool m_missing = false;
};

} // namespace app
