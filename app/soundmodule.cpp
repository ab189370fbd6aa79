#include "soundmodule.h"

#include <QFile>

#include <dlfcn.h>

namespace app {

bool SoundModule::load()
{
    if (m_player || m_missing)
        return !m_missing;
    const QString program = QCoreApplication::applicationDirPath();
    const QString module = QStringLiteral("libfunction-graph-sound.so");
    const QStringList places =
        m_file.isEmpty() ? QStringList{program + QLatin1Char('/') + module,
                                       program + QStringLiteral("/" SOUND_MODULE_DIR "/") + module,
                                       QStringLiteral("function-graph-sound")}
                         : QStringList{m_file};
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

std::optional<QString> SoundModule::play(const std::vector<std::int16_t> &samples)
{
    if (samples.empty()) {
        stop();
        return std::nullopt;
    }
    // A module loaded for an earlier sound may hold a connection that has broken since: it is
    // loaded afresh and tried once more.
    const bool loadedBefore = m_player != nullptr;
    if (!load())
        return tr("The program's sound module is missing; installing the program again brings it.");
    const CurvePlayer::Outcome outcome = m_player->play(samples);
    if (outcome == CurvePlayer::Outcome::Started)
        return std::nullopt;
    const QString output = m_player->outputName();
    unload();
    if (loadedBefore)
        return play(samples);
    if (outcome == CurvePlayer::Outcome::NoOutput)
        return tr("No audio output was found: this computer has no sound device or sound server.");
    return tr("The audio output %1 could not play the sound.").arg(output);
}

void SoundModule::stop()
{
    if (m_player)
        m_player->stop();
}

} // namespace app
