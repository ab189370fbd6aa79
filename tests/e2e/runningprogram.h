#pragma once

#include "picturecheck.h"
#include "process.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace e2e {

using testsupport::ToolResult;

// Where a user clicks, in the design's logical pixels of the client area: an option's caption,
// the middle of a push button, empty blue margin (over no control, and a click there gives the
// window the keyboard focus, as a window manager would) and the picture.
constexpr QPoint optionClickPoint(int k)
{
    return {520, 92 + 24 * k};
}
constexpr QPoint graphClickPoint(508, 224);
constexpr QPoint endClickPoint(508, 256);
constexpr QPoint restingPoint(600, 400);
constexpr QPoint onThePicture(229, 120);

// Whether `image` shows `colour` anywhere in `area` (the whole image when null).
inline bool shows(const QImage &image, QRgb colour, QRect area = {})
{
    return !testsupport::boundsOf(image, colour, area).isNull();
}

// A screenshot, and whether it shows what was waited for.
struct Screenshot {
    QImage image;
    bool ready = false;
};

// The program under test on a virtual display, driven as a user drives it: clicks at places in
// its window, keys, and screenshots. Places are design pixels, scaled here by `ratio`, the device
// pixels to the logical pixel its environment gives it. Once its window shows, the pointer rests
// in the window's top-left corner, off the picture. The program is ended by its process id when
// this object goes, also when a check failed half-way.
class RunningProgram {
public:
    // `tools`: the paths of xdotool and of import, which takes screenshots.
    RunningProgram(const QProcessEnvironment &environment, QStringList tools, qreal ratio,
                   const QStringList &arguments = {});
    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    // Whether the program's window showed; failure() says why not.
    bool hasWindow() const { return !m_window.isEmpty(); }
    QString failure() const { return m_failure; }
    qreal ratio() const { return m_ratio; }

    // Clicks button `button` (1 left, 3 right) at a place in the window.
    bool click(QPoint designPixel, int button = 1);
    // Chooses function `function` (1..5) and presses Graph.
    bool graph(int function);
    // Moves the pointer to a place in the window and leaves it there.
    bool moveTo(QPoint designPixel);
    // Runs an xdotool command, "%w" in it standing for the window, with `more` as arguments of
    // their own: "key Tab" or "key ctrl+c" to whichever window has the focus, "type" and a text,
    // "windowmove --sync %w X Y" in the server's pixels, "windowunmap --sync %w".
    bool xdo(const QString &command, const QStringList &more = {});
    // The program's windows that show now, its main window first; menus and readouts among them.
    QStringList visibleWindows();
    // Where a window of the program stands on the screen, in the server's pixels.
    QRect windowGeometry(const QString &window);

    // Screenshots of the client area until one passes `ready` and the next is the same (no
    // repaint half-way), or until `timeoutMs` has passed; then the last one, not ready.
    Screenshot screenshotWhen(const std::function<bool(const QImage &)> &ready,
                              int timeoutMs = 20000);
    // The same for the picture area alone, at the ratio.
    Screenshot pictureWhen(const std::function<bool(const QImage &)> &ready);
    // The client area once the picture shows the start-up frame.
    Screenshot startedUp();

    // How the program ended, waiting up to `timeoutMs` for it: "ended with status N", "crashed"
    // or "still running".
    QString exitDescription(int timeoutMs = 0);

private:
    ToolResult xdotool(const QString &command, const QStringList &more = {});
    // The ids of the program's viewable windows (named `name` when one is given), once some show.
    QStringList viewableWindows(const QString &name = {});
    QString pointerAt(QPoint designPixel) const;

    testsupport::ChildProcess m_process;
    QProcessEnvironment m_environment;
    QStringList m_tools;
    qreal m_ratio;
    QString m_window;
    QString m_failure;
};

// What a suite needs once: the X tools (and `moreTools`, found on the PATH), a private runtime
// folder and a virtual display of `screenSize`. failure() names what could not be had.
class Desktop {
public:
    Desktop(QSize screenSize, const QStringList &moreTools = {});

    QString failure() const { return m_failure; }
    // The display's environment, with the X platform.
    QProcessEnvironment environment() const { return m_environment; }
    // Runs `tool` (one of `moreTools`, or a path) on the display.
    ToolResult run(const QString &tool, const QStringList &arguments,
                   const QByteArray &input = {}) const;
    // What the clipboard holds as `type`, "TARGETS" listing the types it offers (xclip).
    QByteArray pasted(const QString &type) const;
    // The command line's PNG drawn with `arguments` into `file`, read back; null on failure.
    QImage commandLinePicture(const QStringList &arguments, const QString &file) const;
    // Starts the program with `scaleFactor` (none when empty) and `more` in its environment.
    std::unique_ptr<RunningProgram> start(const QString &scaleFactor, qreal ratio,
                                          const QStringList &arguments = {},
                                          const QProcessEnvironment &more = {}) const;

private:
    QTemporaryDir m_runtimeDir;
    QProcessEnvironment m_environment;
    QHash<QString, QString> m_tools;
    // Xvfb, ended when the suite ends.
    testsupport::ChildProcess m_display;
    QString m_failure;
};

} // namespace e2e
