#pragma once

#include "curveplayer.h"
#include "keypoints.h"
#include "picturefile.h"
#include "picturestyle.h"

#include <QKeySequence>
#include <QObject>
#include <QPointF>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QWidget;

namespace plot {
class PictureBox;
}

namespace app {}

namespace app {

// What the user can do with the picture, on request; none of it draws into the picture.
//
// Copy, save as a PNG, SVG or PDF file, print: each is an action of the window, so its standard
// shortcut (Ctrl+C, Ctrl+S, Ctrl+P) works wherever the focus is, and all three make the picture's
// context menu, opened by a right click or, while the picture has the focus, by the Menu key or
// Shift+F10. Every output is the picture's content drawn afresh for it, never a copy of the screen.
//
// The menu's "Picture Style" chooses how every output is drawn: the background, the line width,
// numbers on the axes and a grid; and a printed page's size and background. The screen shows the
// numbers and the grid too, but keeps its colour and one-pixel lines. The choices are remembered
// from one run to the next. While the keyboard reads a value off (below), Copy puts that value on
// the clipboard as text; otherwise it copies the picture, wherever the pointer rests.
//
// Read values off: while the pointer is over the picture a readout beside it gives the user
// coordinates under it and, once a function is graphed, that function's value there. When the
// picture has the keyboard focus, Left and Right move a read-off point along x (by 0.1, with
// Shift by 1), the readout beside it; the picture's accessible description then ends with the
// same values, so that a screen reader speaks them. The readout is a small frameless window in a
// tooltip's colours, which takes neither the focus nor the pointer.
//
// Hear the curve: "Play the Curve" in the context menu, or Space on the focused picture, plays the
// graph as sound (graphing::curveSound); played again it starts over, and Escape or another graph
// stops it. Each step of the keyboard's read-off point plays that point's short tone.
class PictureActions final : public QObject {
    Q_OBJECT

public:
    PictureActions(QWidget &window, plot::PictureBox &picture);

    // What the picture shows was described anew (a press ended): the description becomes
    // `whatThePictureShows` and the readout, if one shows, follows the new content.
    void setDescription(const QString &whatThePictureShows);
    // What "Save As..." does with the user's choice: writes the picture to `path`, in the format
    // its extension names or else in `chosen`, the dialog's filter; a PNG at the screen's ratio.
    // When that fails a message tells the user why; false then.
    bool saveTo(const QString &path, PictureFormat chosen);
    // What "Print..." does with the printer chosen: paints the picture in the chosen style on its
    // page, as vectors, at the printed size and on the printed background chosen (white unless
    // the screen's is chosen), with its caption under it, in shades of grey when the printer is
    // set to grayscale. A file it prints to is replaced only by a complete one, as by
    // "Save As..."; a failure, and a picture that does not fit the printable area, is told to the
    // user. (The print dialog refuses such a page already, before it closes.)
    void printOn(QPrinter &printer);
    // Tells the user that something failed and why, in a message modal to the window only; the
    // caller goes on at once.
    void tell(const QString &objectName, const QString &text, const QString &why);

signals:
    // "Type a Function..." was chosen.
    void functionRequested();
    // The picture shows another view.
    void contentChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Puts the picture on the clipboard: as an image at the screen's pixel ratio and as SVG; or
    // the value the keyboard reads off, as text.
    void copy();
    // Asks for a file, and for a printer, for saveTo and printOn.
    void saveAs();
    void print();
    void playCurve();
    // Plays `samples` (an empty sound stops what plays); nothing when it plays, else why it cannot.
    std::optional<QString> play(const std::vector<std::int16_t> &samples);
    void addAction(const QString &text, QKeySequence::StandardKey shortcut,
                   void (PictureActions::*trigger)());
    void addStyleMenu();
    // An action of the picture alone, in its menu, on `key` while it has the focus.
    template <typename Trigger>
    QAction *addPictureAction(QMenu *menu, const QString &text, QKeyCombination key,
                              Trigger trigger);
    // Shows `view`, the same content over it.
    void setView(const graphing::View &view);
    void zoomAboutMiddle(double factor);
    // The user coordinates under a position in the window, in `view`.
    QPointF userAt(QPointF windowPosition, const graphing::View &view) const;
    // The graphed function's key points in view, in words, listed in a message or reached one by
    // one.
    QString keyPointWords(const graphing::KeyPoint &point) const;
    void listKeyPoints();
    void jumpToKeyPoint(bool right);
    // Takes `option` for the style menu's `choice` and remembers it.
    void choose(int choice, int option);
    // Shows on screen what of the style applies there: the numbers and the grid.
    void showStyle();
    // What the picture shows, in the style chosen for every output.
    graphing::PictureContent styledContent() const;
    // That on paper: on the printed background chosen.
    graphing::PictureContent printedContent() const;
    // How it stands on the page of `printer`: the printed size chosen, the caption, and grey when
    // the printer is set to grayscale.
    plot::PageOptions pageOptions(const QPrinter &printer) const;
    void tell(QWidget &over, const QString &objectName, const QString &text, const QString &why);

    void followPointer(QPointF windowPosition);
    void moveReadOffPoint(double step);
    void showReadOffPoint();
    void showBeside(QPointF windowPosition, const QString &text);
    // `text` ("x = 1.23") and, once a function is graphed, "f(x) = 4.79" or "f(x) off the
    // picture", joined by `separator`.
    QString readOut(const QString &text, double x, const QString &separator) const;
    // Takes the readout away; the keyboard's point, and its words in the description, too.
    void stopReadOff();
    void describe();

    QWidget &m_window;
    plot::PictureBox &m_picture;
    QMenu *m_menu;
    // The option taken for each choice of the style menu.
    Choices m_chosen{};
    // Where a drag began, in the window, and the view then.
    std::optional<std::pair<QPointF, graphing::View>> m_drag;
    // The key point the keyboard's point stands on, in words; empty elsewhere.
    QString m_keyPointWords;
    // The player, loaded on the first sound.
    SoundModule m_sound;
    // Where the last picture was saved; the next "Save As..." starts there.
    QString m_folder;
    QLabel *m_readOut;
    QString m_description;
    // Where the pointer last read off, in the window's coordinates, while it is over the picture.
    std::optional<QPointF> m_pointer;
    // The keyboard's read-off point, once the arrow keys moved it, until the focus leaves.
    std::optional<double> m_readOffX;
    // The x the last read-off was at, by pointer or key: the keyboard's point moves on from there.
    double m_lastX = 0;
};

} // namespace app
