#pragma once

#include "picturefile.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

class QMenu;
class QPrinter;
class QWidget;

namespace plot {
class PictureBox;
}

namespace app {

// What the user can do with the picture: copy it, save it as a PNG, SVG or PDF file, print it.
// Each is an action of the window, so its standard shortcut (Ctrl+C, Ctrl+S, Ctrl+P) works
// wherever the focus is, and all three make the picture's context menu, opened by a right click
// or, while the picture has the focus, by the Menu key or Shift+F10. Every output is the picture's
// content drawn afresh for it, never a copy of the screen.
class PictureActions final : public QObject {
    Q_OBJECT

public:
    PictureActions(QWidget &window, plot::PictureBox &picture);

    // What "Save As..." does with the user's choice: writes the picture to `path`, in the format
    // its extension names or else in `chosen`, the dialog's filter; a PNG at the screen's ratio.
    // When that fails a message tells the user why; false then.
    bool saveTo(const QString &path, PictureFormat chosen);
    // What "Print..." does with the printer chosen: paints the picture on its page, as vectors and
    // as large as the page allows. A file it prints to is replaced only by a complete one, as by
    // "Save As..."; a failure is told to the user.
    void printOn(QPrinter &printer);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Puts the picture on the clipboard: as an image at the screen's pixel ratio and as SVG.
    void copy();
    // Asks for a file, and for a printer, for saveTo and printOn.
    void saveAs();
    void print();
    void addAction(const QString &text, QKeySequence::StandardKey shortcut,
                   void (PictureActions::*trigger)());
    void tell(const QString &objectName, const QString &text, const QString &why);

    QWidget &m_window;
    plot::PictureBox &m_picture;
    QMenu *m_menu;
    // Where the last picture was saved; the next "Save As..." starts there.
    QString m_folder;
};

} // namespace app
