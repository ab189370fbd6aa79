#include "curveplayer.h"

#include "curvesound.h"

#include <QAudioDevice>
#include <QMediaDevices>

namespace app {

std::optional<QString> CurvePlayer::play(const std::vector<std::int16_t> &samples)
{
    stop();
    if (samples.empty())
        return std::nullopt;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return tr("No audio output was found: this computer has no sound device or sound server.");
    QAudioFormat format;
    format.setSampleRate(graphing::soundRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    m_sound.close();
    m_sound.setData(QByteArray(reinterpret_cast<const char *>(samples.data()),
                               qsizetype(samples.size() * sizeof(std::int16_t))));
    m_sound.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(output, format);
    m_sink->start(&m_sound);
    if (m_sink->error() == QAudio::NoError)
        return std::nullopt;
    stop();
    return tr("The audio output %1 could not play the sound.").arg(output.description());
}

} // namespace app
