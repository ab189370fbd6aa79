#pragma once

#include "externaltool.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

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
// and scaled to device pixels here, rounded. The program is ended by its process id when this
// object goes, also when a check failed half-way.
class RunningProgram {
public:
    RunningProgram(const QString &executable, const QProcessEnvironment &environment,
                   DesktopTools tools, qreal scale);
    ~RunningProgram();

    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    // Whether the program's window showed; failure() says why not.
    bool hasWindow() const { return !m_window.isEmpty(); }
    QString failure() const { return m_failure; }
    qreal scale() const { return m_scale; }

    bool click(QPoint designPixel, int button = 1);
    // Moves the pointer to a place in the window and leaves it there.
    bool moveTo(QPoint designPixel);
    // Types keys as xdotool names them ("ctrl+c", "Tab", "Menu") into whatever has the X focus.
    bool key(const QString &keys);
    // The program's windows that show now, its main window first; menus and readouts among them.
    QStringList visibleWindows();
    // Where a window of the program stands on the screen.
    QRect windowGeometry(const QString &window);

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
    QImage screenshot();

    QProcess m_process;
    QProcessEnvironment m_environment;
    DesktopTools m_tools;
    qreal m_scale;
    QString m_window;
    QString m_failure;
};

} // namespace e2e
