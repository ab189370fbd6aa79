#pragma once

#include <optional>

namespace app {

class Translations;

// Does what the program's own options ask (--function, --output, --help, ...) without a window or
// a display, and returns the exit status: 0 when done, 2 for a mistake in the command, 1 for a file
// that could not be written, each problem one line on the standard error. Returns nothing when the
// window is to open: no arguments, or only the window options Qt reads (-platform, -style, ...).
std::optional<int> runCommandLine(int argc, const char *const *argv);

// Until the application object has opened the display: when none can be opened, says so in one
// line on the standard error, in the language of `translations`, and ends the program with
// status 1.
void reportMissingDisplay(bool whileOpening, const Translations &translations);

} // namespace app
