#pragma once

#include <QBuffer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QAudioSink;

namespace app {

// Plays sounds made by graphing::curveSound and pointSound on the default audio output, one at a
// time; the window's event loop goes on while one plays.
class CurvePlayer final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Stops what plays and starts `samples`. Nothing when it started, else one sentence for the
    // user saying why no sound can be played (such as: there is no audio output).
    std::optional<QString> play(const std::vector<std::int16_t> &samples);
    // Stops the sound at once; nothing happens when none plays.
    void stop();
    // Whether a sound is still being handed to the audio output.
    bool isPlaying() const;

private:
    QAudioSink *m_sink = nullptr;
    QBuffer m_sound;
};

} // namespace app
