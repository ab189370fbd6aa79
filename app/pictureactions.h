#pragma once

#include "picturefile.h"
#include "picturestyle.h"
#include "readoff.h"
#include "soundmodule.h"

#include <QMessageBox>
#include <QObject>

#include <optional>
#include <utility>

class QMenu;
class QPrinter;

namespace app {

// The picture's context menu (a right click, or the Menu key or Shift+F10 on the focused picture),
// and the picture's keys and pointer moves that change its view.
//
// Copy, Save As and Print are the window's actions (Ctrl+C, Ctrl+S, Ctrl+P wherever the focus is);
// each draws the picture afresh in the style chosen under "Picture Style", which is remembered,
// and whose numbers, grid and key point marks the screen shows too. Play the Curve (Space on the
// focused picture) plays the graph as sound; Escape or another graph stops it.
class PictureActions final : public QObject {
    Q_OBJECT

public:
    PictureActions(QWidget &window, plot::PictureBox &picture);

    // What the picture shows was described anew: the sound stops, the read-off follows.
    void setDescription(const QString &whatThePictureShows);
    // Writes the picture to `path` in the format its extension names, else in `chosen`; a failure
    // is told to the user, and false.
    bool saveTo(const QString &path, PictureFormat chosen);
    // Prints the picture on `printer`'s page; a failure, or a page it does not fit, is told.
    void printOn(QPrinter &printer);
    // A message modal to `over` (the window by default); the caller goes on at once.
    void tell(const QString &objectName, const QString &text, const QString &why,
              QWidget *over = nullptr, QMessageBox::Icon icon = QMessageBox::Warning);

signals:
    void functionRequested(); // "Type a Function..." was chosen
    void contentChanged();    // the picture shows another view

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // An action of `owner` in `menu`: the window's keys work wherever the focus is in it, the
    // picture's only while it has the focus.
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
    // What the picture shows in the style chosen; that on paper, and how it stands on the page.
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
    QString m_folder; // where the last picture was saved
};

} // namespace app
