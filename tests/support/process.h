#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

// How a program run to its end ended.
struct ToolResult {
    bool finished = false; // within the time allowed, and not by a crash
    int exitCode = -1;
    QByteArray output;
    QString errors;

    bool succeeded() const { return finished && exitCode == 0; }
    // One line for a failure message.
    QString describe(const QString &what) const;
};

// Every process a test starts (the program, a display server, a bus, a sound server, a tool). It
// ends with the test even when the test is killed before it can clean up; when this object goes,
// it is given `graceMs` to end by itself once its input is closed, then asked to end (a server
// removes its socket) and killed 5 s later, by its process id.
class ChildProcess : public QProcess {
public:
    explicit ChildProcess(const QProcessEnvironment &environment, int graceMs = 0);
    ~ChildProcess() override;
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // The next line of its output, without its end; null when none came within `timeoutMs`.
    QString nextLine(int timeoutMs = 30000);
    // Whether `path` exists, waiting up to `timeoutMs` while it runs (a server's socket).
    bool waitForFile(const QString &path, int timeoutMs = 20000);
    // How it ended, waiting up to `timeoutMs`; one still running then is killed.
    ToolResult result(int timeoutMs = 30000);

private:
    int m_graceMs;
};

// Runs `program` to its end, with `input` on its standard input.
ToolResult runTool(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment, int timeoutMs = 30000,
                   const QByteArray &input = {});

// An SVG or PDF document drawn by rsvg-convert or pdftoppm into `document`.png and read back:
// the PDF's first page at `dpi`, or with no dpi at the picture's 441x385 pixels, whatever size the
// document gives itself. Null, with a warning saying why, when that failed.
QImage rasterised(const QString &document, int dpi = 0);

// A sound server of the test's own with its socket in `folder`, playing to a null sink "heard"
// that keeps a sound from its very start (no rewinds); isReady() once it takes connections.
class SoundServer {
public:
    explicit SoundServer(const QString &folder);
    bool isReady() { return m_server.waitForFile(m_socket, 10000); }
    QString address() const { return QStringLiteral("unix:") + m_socket; }

private:
    ChildProcess m_server;
    QString m_socket;
};

// This process's environment with `runtimeDir` as the private runtime folder, no display,
// platform, platform theme, desktop, density or accessibility-bus setting, and English: a program
// started with it depends on the test alone for those.
QProcessEnvironment isolatedEnvironment(const QString &runtimeDir);

// The tools a test runs, found on the PATH by name; missingTools() names those not found.
class ToolFinder {
public:
    QString find(const QString &name);
    QString missingTools() const;

private:
    QStringList m_missing;
};

} // namespace testsupport
