#pragma once

#include <QLabel>

namespace app {

// The read-off's readout: a small frameless window in the colours of a tooltip, shown beside a
// place on the screen. It is a window of its own, so it never draws into the picture, and it
// takes neither the focus nor the pointer: the picture keeps both while the readout shows.
class ReadOutLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ReadOutLabel(QWidget *parent);

    // Shows `text` beside `globalAnchor`: below and to the right, or where the screen leaves room.
    void showBeside(QPoint globalAnchor, const QString &text);
};

} // namespace app
