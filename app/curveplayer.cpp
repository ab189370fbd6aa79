// The sound module: the player over Qt Multimedia, loaded by the program on its first sound.
#include "soundmodule.h"

#include "curvesound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace app {

namespace {

class AudioSinkPlayer final : public CurvePlayer {
public:
    Outcome play(const std::vector<std::int16_t> &samples) override
    {
        stop();
        if (samples.empty())
            return Outcome::Started;
        m_output = QMediaDevices::defaultAudioOutput();
        if (m_output.isNull())
            return Outcome::NoOutput;
        QAudioFormat format;
        format.setSampleRate(graphing::soundRate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        m_sound.close();
        m_sound.setData(QByteArray(reinterpret_cast<const char *>(samples.data()),
                                   qsizetype(samples.size() * sizeof(std::int16_t))));
        m_sound.open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(m_output, format);
        m_sink->start(&m_sound);
        if (m_sink->error() == QAudio::NoError)
            return Outcome::Started;
        stop();
        return Outcome::OutputFailed;
    }
    ~AudioSinkPlayer() override { stop(); }
    // The sink is stopped before it goes: Qt 6.4's PulseAudio sink, destroyed while it plays,
    // makes libpulse abort the program.
    void stop() override
    {
        if (m_sink)
            m_sink->stop();
        m_sink.reset();
    }
    bool isPlaying() const override { return m_sink && m_sink->state() == QAudio::ActiveState; }
    QString outputName() const override { return m_output.description(); }

private:
    QAudioDevice m_output;
    QBuffer m_sound;
    std::unique_ptr<QAudioSink> m_sink;
};

} // namespace

} // namespace app

extern "C" Q_DECL_EXPORT app::CurvePlayer *createCurvePlayer()
{
    return new app::AudioSinkPlayer;
}
