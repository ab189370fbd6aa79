#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace e2e {

// How a command-line tool ended.
struct ToolResult {
    bool finished = false; // within the time allowed, and not by a crash
    int exitCode = -1;
    QByteArray output;
    QString errors;

    bool succeeded() const { return finished && exitCode == 0; }
    // One line for a failure message.
    QString describe(const QString &what) const;
};

// The tools a test runs, found on the PATH by name. missingTools() names those not found, so that
// the test can say plainly which it lacks.
class ToolFinder {
public:
    QString find(const QString &name);
    QString missingTools() const;

private:
    QStringList m_missing;
};

// The environment for the program under test: this process's, with a private runtime folder, the
// X platform, and every density setting removed, so that the density comes from the test alone.
QProcessEnvironment programEnvironment(const QString &runtimeDir);

// Makes `process`, once started, end with the test even when the test is killed before it can
// clean up (a time-out of the test runner, say).
void endWithTheTest(QProcess &process);

// Runs `program` to its end, with `input` on its standard input. One still running after
// `timeoutMs` is killed (by its own process id) and reported as not finished.
ToolResult runTool(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment, int timeoutMs,
                   const QByteArray &input = {});

} // namespace e2e
