#pragma once

#include "picturecontent.h"
#include "picturefile.h"

#include <QString>
#include <QStringList>
#include <QtMessageHandler>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace app {

// A picture to write without a window: what the command line asked for.
struct RenderRequest {
    graphing::PictureContent content;
    QString output;
    PictureFormat format = PictureFormat::Png;
    qreal ratio = 1;

    friend bool operator==(const RenderRequest &, const RenderRequest &) = default;
};
struct ShowHelp {};
struct ShowVersion {};
// A command line that asks for nothing sensible, and the one line that says why.
struct UsageError {
    QString message;
};
using CommandLine = std::variant<RenderRequest, ShowHelp, ShowVersion, UsageError>;

// True when the arguments hold one of the program's own options (--function, --output, --scale,
// --help, --version, -h, -v): the invocation renders a file or prints a text and opens no window.
// Any other arguments belong to the window and Qt (-geometry, -platform, -style, ...).
bool isCommandLineInvocation(int argc, const char *const *argv);

// Reads `arguments` (the program's name first). Needs no application object.
CommandLine parseCommandLine(const QStringList &arguments);

// Does what the command line asks and returns the exit status: 0 when done, 2 for a usage error,
// 1 for a picture that could not be written. Each problem is one line on the standard error.
int runCommandLine(int argc, const char *const *argv);

// A device pixel ratio as Qt keeps one for a window: in whole 1/65536ths, the rest dropped; so a
// PNG at --scale 1.1 has the pixels of a window at QT_SCALE_FACTOR=1.1.
qreal storedRatio(double scale);

// Stands by while the application object connects to the display. Qt's messages are held back
// meanwhile; when no display can be opened, Qt's fatal message becomes one plain line and the
// program ends with status 1 instead of aborting. Once the guard ends, the held messages go on to
// the handler that was installed before.
class DisplayConnectionGuard {
public:
    DisplayConnectionGuard();
    ~DisplayConnectionGuard();

    DisplayConnectionGuard(const DisplayConnectionGuard &) = delete;
    DisplayConnectionGuard &operator=(const DisplayConnectionGuard &) = delete;

private:
    QtMessageHandler m_previous;
};

} // namespace app
