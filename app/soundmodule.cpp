// Finding, loading and reloading the sound module (curveplayer.h).
#include "curveplayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>

#include <dlfcn.h>

namespace app {

namespace {

// Where the module may be, in order: beside the program, in its library folder, and by its name
// alone, where the system looks for libraries.
QStringList modulePlaces()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString module = QStringLiteral("libfunction-graph-sound.so");
    return {program + QLatin1Char('/') + module,
            program + QStringLiteral("/" SOUND_MODULE_DIR "/") + module,
            QStringLiteral("function-graph-sound")};
}

} // namespace

SoundModule::SoundModule() = default;

SoundModule::~SoundModule()
{
    unload();
}

bool SoundModule::load()
{
    if (m_player)
        return true;
    if (m_missing)
        return false;
    const QStringList places = m_file.isEmpty() ? modulePlaces() : QStringList{m_file};
    for (const QString &place : places) {
        auto library = std::make_unique<QLibrary>(place);
        using Factory = CurvePlayer *(*)();
        if (const auto make = reinterpret_cast<Factory>(library->resolve("createCurvePlayer"))) {
            // The file itself, so that loading it again looks for nothing.
            Dl_info found{};
            if (m_file.isEmpty() && dladdr(reinterpret_cast<void *>(make), &found) != 0
                && found.dli_fname != nullptr)
                m_file = QFile::decodeName(found.dli_fname);
            m_library = std::move(library);
            m_player.reset(make());
            return true;
        }
    }
    m_missing = true;
    return false;
}

void SoundModule::unload()
{
    // The player's sink goes first: it needs the library.
    m_player.reset();
    if (m_library)
        m_library->unload();
    m_library.reset();
}

SoundModule::Outcome SoundModule::play(const std::vector<std::int16_t> &samples)
{
    if (samples.empty()) {
        stop();
        return Outcome::Started;
    }
    // A module loaded for an earlier sound may hold a connection that has broken since; one loaded
    // now has just connected.
    const bool loadedBefore = m_player != nullptr;
    if (!load())
        return Outcome::ModuleMissing;
    CurvePlayer::Outcome outcome = m_player->play(samples);
    if (outcome != CurvePlayer::Outcome::Started && loadedBefore) {
        unload();
        if (!load())
            return Outcome::ModuleMissing;
        outcome = m_player->play(samples);
    }
    m_outputName = m_player->outputName();
    // The next sound connects anew.
    if (outcome != CurvePlayer::Outcome::Started)
        unload();
    switch (outcome) {
    case CurvePlayer::Outcome::Started: return Outcome::Started;
    case CurvePlayer::Outcome::NoOutput: return Outcome::NoOutput;
    case CurvePlayer::Outcome::OutputFailed: break;
    }
    return Outcome::OutputFailed;
}

void SoundModule::stop()
{
    if (m_player)
        m_player->stop();
}

bool SoundModule::isPlaying() const
{
    return m_player && m_player->isPlaying();
}

} // namespace app
