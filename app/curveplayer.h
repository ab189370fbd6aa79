#pragma once

#include <QAudioSink>
#include <QBuffer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace app {

// Plays the sounds of graphing::curveSound and pointSound on the default audio output, one at a
// time, while the window's event loop goes on.
class CurvePlayer final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Stops what plays and starts `samples`, if any. Nothing when it started, else one sentence for
    // the user saying why no sound can be played (such as: there is no audio output).
    std::optional<QString> play(const std::vector<std::int16_t> &samples);
    // Stops the sound at once. (Once all is handed over the sink is idle, while the sound server
    // still plays what it holds; the sink is kept until then.)
    void stop() { m_sink.reset(); }
    bool isPlaying() const { return m_sink && m_sink->state() == QAudio::ActiveState; }

private:
    QBuffer m_sound;
    std::unique_ptr<QAudioSink> m_sink;
};

} // namespace app
