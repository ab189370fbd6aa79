#pragma once

#include "picturefile.h"
#include "picturestyle.h"
#include "readoff.h"
#include "soundmodule.h"

#include <QObject>
#include <QPointF>
#include <QString>

#include <optional>
#include <utility>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace plot {
class PictureBox;
}

namespace app {

// The picture's context menu, opened by a right click or, on the focused picture, by the Menu key
// or Shift+F10; and the picture's keys and pointer moves that change its view.
//
// Copy, Save As and Print are the window's actions (Ctrl+C, Ctrl+S, Ctrl+P wherever the focus
// is); each draws the picture afresh in the style chosen under "Picture Style", which is
// remembered from one run to the next, and whose numbers and grid the screen shows too. Play the
// Curve (Space on the focused picture) plays the graph as sound; Escape or another graph stops it.
class PictureActions final : public QObject {
    Q_OBJECT

public:
    PictureActions(QWidget &window, plot::PictureBox &picture);

    // What the picture shows was described anew (a press ended): the sound stops, and the
    // description and the readout follow.
    void setDescription(const QString &whatThePictureShows);
    // Writes the picture to `path`, in the format its extension names or else in `chosen`; false
    // when that fails, which the user is told.
    bool saveTo(const QString &path, PictureFormat chosen);
    // Prints the picture on `printer`'s page in the style chosen; a failure, and a page it does
    // not fit, is told to the user.
    void printOn(QPrinter &printer);
    // Tells the user, in a message modal to `over` (the window by default), what failed and why.
    void tell(const QString &objectName, const QString &text, const QString &why,
              QWidget *over = nullptr);

signals:
    void functionRequested(); // "Type a Function..." was chosen
    void contentChanged();    // the picture shows another view

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // An action in `menu` on `keys`: the window's work wherever the focus is in it, the picture's
    // only while it has the focus.
    template <typename Trigger>
    QAction *add(QMenu *menu, QWidget &owner, const QString &text, const QList<QKeySequence> &keys,
                 Trigger trigger);
    void addStyleMenu();
    void showStyle();
    void copy();
    void saveAs();
    void print();
    void playCurve();
    void listKeyPoints();
    void setView(const graphing::View &view);
    QPointF userAt(QPointF windowPosition, const graphing::View &view) const;
    // What the picture shows, in the style chosen; and that on paper.
    graphing::PictureContent styledContent() const;
    graphing::PictureContent printedContent() const;
    plot::PageOptions pageOptions(const QPrinter &printer) const;

    QWidget &m_window;
    plot::PictureBox &m_picture;
    QMenu *m_menu;
    Choices m_chosen{};
    // Where a drag began, in the window, and the view then.
    std::optional<std::pair<QPointF, graphing::View>> m_drag;
    SoundModule m_sound;
    ReadOff m_readOff;
    // Where the last picture was saved; the next "Save As..." starts there.
    QString m_folder;
};

} // namespace app
