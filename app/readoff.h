#pragma once

#include "keypoints.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointF>
#include <QString>

#include <optional>

class QEvent;

namespace plot {
class PictureBox;
}

namespace app {

class SoundModule;

// Reads values off the picture. While the pointer is over it, a readout beside the pointer gives
// the coordinates under it and, once a function is graphed, its value there. On the focused
// picture Left and Right move a read-off point along x (a tenth of a tick, with Shift a whole
// one), and the key point jumps move it too: the readout stands beside the point, the picture's
// accessible description ends with the same values for a screen reader, and each step sounds the
// point's tone. The readout is a frameless window in a tooltip's colours that takes neither the
// focus nor the pointer.
class ReadOff {
    Q_DECLARE_TR_FUNCTIONS(app::PictureActions)

public:
    ReadOff(QWidget &window, plot::PictureBox &picture, SoundModule &sound);

    // The picture's events from its event filter; true for one used up here.
    bool handle(const QEvent &event);
    // The window moved: the readout follows the keyboard's point, or gives way.
    void windowMoved();
    void hide() { m_label->hide(); }
    // The picture's content was described anew; the readout follows.
    void setDescription(const QString &whatThePictureShows);
    void jumpToKeyPoint(bool right);
    // The value the keyboard reads off the focused picture, as Copy takes it; else nothing.
    std::optional<QString> keyboardValue() const;
    // "minimum at x = 0, y = -2", at the decimals `view` shows.
    static QString inWords(const graphing::KeyPoint &point, const graphing::View &view);

private:
    void followPointer(QPointF windowPosition);
    // Puts the keyboard's point at `x`, standing on the key point `words` names, if any.
    void moveTo(double x, const QString &words);
    void showPoint();
    // The key point the keyboard's point stands on, or `lead` ("x = %1") and its value.
    QString pointInWords(const QString &lead, const QString &separator) const;
    void showBeside(QPointF windowPosition, const QString &text);
    // `text` and, once a function is graphed, "f(x) = 4.79" or "f(x) off the picture", joined by
    // `separator`.
    QString withValue(const QString &text, double x, const QString &separator) const;
    // Takes the readout away; the keyboard's point, and its words in the description, too.
    void stop();
    void describe();

    QWidget &m_window;
    plot::PictureBox &m_picture;
    SoundModule &m_sound;
    QLabel *m_label;
    QString m_description;
    // Where the pointer last read off, in the window, while it is over the picture.
    std::optional<QPointF> m_pointer;
    // The keyboard's point, once moved, until the focus leaves; and the key point it stands on.
    std::optional<double> m_pointX;
    QString m_keyPointWords;
    // The x last read off, by pointer or key: the keyboard's point moves on from there.
    double m_lastX = 0;
};

} // namespace app
