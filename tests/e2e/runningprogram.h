#pragma once

#include "externaltool.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

namespace e2e {

// The X tools a test drives the program with.
struct DesktopTools {
    QString xdotool;
    QString import; // takes screenshots
    QString closeRequest;
};

// A screenshot of the window's client area, and whether it shows what was waited for.
struct Screenshot {
    QImage image;
    bool ready = false;
};

// The program under test, running on a virtual display, driven the way a user drives it: mouse
// clicks at places in its window, keys, and screenshots of it. Places are given in design pixels
// and scaled here by `ratio`, the device pixels to the logical pixel that the program's environment
// makes it use. The program is ended by its process id when this object goes, also when a check
// failed half-way.
class RunningProgram {
public:
    RunningProgram(const QString &executable, const QProcessEnvironment &environment,
                   DesktopTools tools, qreal ratio, const QStringList &arguments = {});
    ~RunningProgram();

    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    // Whether the program's window showed; failure() says why not.
    bool hasWindow() const { return !m_window.isEmpty(); }
    QString failure() const { return m_failure; }
    qreal ratio() const { return m_ratio; }

    // Clicks button `button` (1 left, 3 right) at a place in the window.
    bool click(QPoint designPixel, int button = 1);
    // Moves the pointer to a place in the window and leaves it there.
    bool moveTo(QPoint designPixel);
    // Keys by their X names, such as "Tab" or "space", to whichever window has the focus. With no
    // window manager, a window takes the focus when clicked.
    bool pressKeys(const QStringList &keys);
    // Moves the window's top-left corner to `screenPixel`, in the server's own pixels.
    bool moveWindow(QPoint screenPixel);
    // The window's size as the X server has it; empty when it cannot be had.
    QSize nativeSize();
    // The program's windows that show now, its main window first; menus and readouts among them.
    QStringList visibleWindows();
    // Where a window of the program stands on the screen, in the server's pixels.
    QRect windowGeometry(const QString &window);

    QImage screenshot();
    // Screenshots until one passes `ready` and the next is the same (no repaint half-way), or
    // until `timeoutMs` has passed; then the last one, not ready.
    Screenshot screenshotWhen(const std::function<bool(const QImage &)> &ready,
                              int timeoutMs = 5000);

    bool unmapWindow();
    bool mapWindow();
    // Asks the window to close the way a window manager does.
    bool requestClose();

    // Whether the program ended, with status 0, within `timeoutMs`.
    bool endsWithStatusZero(int timeoutMs);
    QString exitDescription() const;

private:
    ToolResult xdotool(const QStringList &arguments);
    QPoint onDevice(QPoint designPixel) const;

    QProcess m_process;
    QProcessEnvironment m_environment;
    DesktopTools m_tools;
    qreal m_ratio;
    QString m_window;
    QString m_failure;
};

} // namespace e2e
