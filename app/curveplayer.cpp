#include "curveplayer.h"

#include "curvesound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

#include <utility>

namespace app {

std::optional<QString> CurvePlayer::play(const std::vector<std::int16_t> &samples)
{
    stop();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return tr("No audio output was found: this computer has no sound device or sound server.");
    QAudioFormat format;
    format.setSampleRate(graphing::soundRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format))
        return tr("The audio output %1 cannot play 16-bit stereo sound at %2 Hz.")
            .arg(output.description())
            .arg(graphing::soundRate);
    m_sound.setData(reinterpret_cast<const char *>(samples.data()),
                    static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
    m_sound.open(QIODevice::ReadOnly);
    m_sink = new QAudioSink(output, format, this);
    // Once all is handed over the sink turns idle, still playing what the sound server holds; it
    // is let go when the next sound starts.
    m_sink->start(&m_sound);
    if (m_sink->error() != QAudio::NoError) {
        stop();
        return tr("The audio output %1 could not be opened.").arg(output.description());
    }
    return std::nullopt;
}

void CurvePlayer::stop()
{
    if (!m_sink)
        return;
    m_sink->stop();
    delete std::exchange(m_sink, nullptr);
    m_sound.close();
}

bool CurvePlayer::isPlaying() const
{
    return m_sink != nullptr && m_sink->state() == QAudio::ActiveState;
}

} // namespace app
