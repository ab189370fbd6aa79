#pragma once

#include <QObject>
#include <QPointF>
#include <QString>

#include <optional>

class QLabel;

namespace plot {
class PictureBox;
}

namespace app {

// Reads values off the picture on request, without drawing into it. While the pointer is over the
// picture a readout beside it gives the user coordinates under it and, once a function is graphed,
// that function's value there. When the picture has the keyboard focus, Left and Right move a
// read-off point along x (by 0.1, with Shift by 1), the readout beside it; the picture's
// accessible description then ends with the same values, so that a screen reader speaks them.
//
// The readout is a small frameless window in a tooltip's colours, so it never draws into the
// picture; it takes neither the focus nor the pointer.
class PictureReadOff final : public QObject {
    Q_OBJECT

public:
    explicit PictureReadOff(plot::PictureBox &picture);

    // What the picture shows was described anew (a press ended): the description becomes
    // `whatThePictureShows` and the readout, if one shows, follows the new content.
    void setDescription(const QString &whatThePictureShows);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followPointer(QPointF windowPosition);
    void moveKeyPoint(double step);
    void showKeyPoint();
    void showBeside(QPointF windowPosition, const QString &text);
    // Takes the readout away; the keyboard's point, and its words in the description, too.
    void stop();
    void describe();

    plot::PictureBox &m_picture;
    QLabel *m_readOut;
    QString m_description;
    // Where the pointer last read off, in the window's coordinates, while it is over the picture.
    std::optional<QPointF> m_pointer;
    // The keyboard's read-off point, once the arrow keys moved it, until the focus leaves.
    std::optional<double> m_keyX;
    // The x the last read-off was at, by pointer or key: the keyboard's point moves on from there.
    double m_lastX = 0;
};

} // namespace app
