// Starts a program and watches it from outside, as an X client of its own: waits until a
// top-level window with the given title is mapped and its first frame is drawn, then ends the
// program and prints two numbers: milliseconds from start to first frame, and the program's peak
// resident memory in KiB (the kernel's maximum resident set size, as time(1) reports it).
//
//   firstframe TITLE PROGRAM [ARGUMENT...]
//
// The display's root must be black (Xvfb -br) and the window must draw no black at the probed
// spots: a window with no background of its own shows the root until the program draws into it,
// so the frame is on screen once every probe has turned from black.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto giveUpAfter = std::chrono::seconds(60);
constexpr auto probeInterval = std::chrono::microseconds(250);

// The window may go away between an event and a request about it: that is an answer, not an error.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

std::optional<std::string> textProperty(Display *display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data)
            != Success
        || data == nullptr)
        return std::nullopt;
    std::optional<std::string> text;
    if (format == 8)
        text = std::string(reinterpret_cast<const char *>(data), count);
    XFree(data);
    return text;
}

bool hasTitle(Display *display, Window window, const std::string &title)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    for (const Atom property : {netName, static_cast<Atom>(XA_WM_NAME)}) {
        if (textProperty(display, window, property) == title)
            return true;
    }
    return false;
}

bool isViewable(Display *display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0
           && attributes.map_state == IsViewable;
}

// The centre and four spots just inside the corners.
bool frameDrawn(Display *display, Window window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0)
        return false;
    const int right = attributes.width - 3;
    const int bottom = attributes.height - 3;
    const std::array<std::array<int, 2>, 5> probes{{{attributes.width / 2, attributes.height / 2},
                                                    {2, 2},
                                                    {right, 2},
                                                    {2, bottom},
                                                    {right, bottom}}};
    for (const auto &[x, y] : probes) {
        XImage *const image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return false;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        if (pixel == 0)
            return false;
    }
    return true;
}

bool stillRunning(pid_t child)
{
    return waitpid(child, nullptr, WNOHANG) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    Display *const display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "firstframe: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    // Listening before the program starts, so that no map of its window can be missed.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("firstframe: fork");
        return 1;
    }
    if (child == 0) {
        // Whatever the program prints must not mix with the figures.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[2], argv + 2);
        std::perror("firstframe: cannot start the program");
        _exit(127);
    }

    auto giveUp = [&](const char *why) {
        std::fprintf(stderr, "firstframe: %s\n", why);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return 1;
    };

    Window window = None;
    while (window == None) {
        if (Clock::now() - start > giveUpAfter)
            return giveUp("no window appeared");
        if (XPending(display) == 0) {
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 10);
            if (!stillRunning(child))
                return giveUp("the program ended before showing its window");
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root
            && hasTitle(display, event.xmap.window, title)
            && isViewable(display, event.xmap.window))
            window = event.xmap.window;
    }
    while (!frameDrawn(display, window)) {
        if (Clock::now() - start > giveUpAfter)
            return giveUp("the window was never drawn");
        if (!stillRunning(child))
            return giveUp("the program ended before drawing its window");
        std::this_thread::sleep_for(probeInterval);
    }
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;

    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    XCloseDisplay(display);
    std::printf("%.1f %ld\n", elapsed.count(), usage.ru_maxrss);
    return 0;
}
