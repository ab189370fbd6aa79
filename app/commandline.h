#pragma once

#include <QtGlobal>

#include <optional>

namespace app {

class Translations;

// Reads the arguments. When they hold one of the program's own options (--function, --output,
// --scale, -h/--help, -v/--version), does what they ask without a window or a display and returns
// the exit status: 0 when done, 2 for a mistake in the command, 1 for a picture that could not be
// written; each problem is one line on the standard error. Returns nothing when the window is to
// open: no arguments, or only the window options Qt reads itself (-platform, -geometry, -style,
// ...). Anything else is a mistake.
std::optional<int> runCommandLine(int argc, const char *const *argv);

// Until the application object has opened the display: when none can be opened, says so in one
// line on the standard error, in the language of `translations`, and ends the program with
// status 1.
void reportMissingDisplay(bool whileOpening, const Translations &translations);

// A device pixel ratio as Qt keeps one for a window: in whole 1/65536ths, the rest dropped; so a
// PNG at --scale 1.1 has the pixels of a window at QT_SCALE_FACTOR=1.1. (Without it the row
// "start-up frame at 1.1" of tst_commandline fails: the picture is a row shorter.)
qreal storedRatio(double scale);

} // namespace app
