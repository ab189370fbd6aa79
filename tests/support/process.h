#pragma once

#include <QByteArray>
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

// Runs `program` to its end, with `input` on its standard input. One still running after
// `timeoutMs` is killed (by its own process id) and reported as not finished.
ToolResult runTool(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment, int timeoutMs = 30000,
                   const QByteArray &input = {});

// Makes `process`, once started, end with the test even when the test is killed before it can
// clean up (a time-out of the test runner, say).
void endWithTheTest(QProcess &process);

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
