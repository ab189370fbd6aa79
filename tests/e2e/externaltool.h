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

// Makes `process`, once started, end with the test even when the test is killed before it can
// clean up (a time-out of the test runner, say).
void endWithTheTest(QProcess &process);

// Runs `program` to its end, with `input` on its standard input. One still running after
// `timeoutMs` is killed (by its own process id) and reported as not finished.
ToolResult runTool(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment, int timeoutMs,
                   const QByteArray &input = {});

} // namespace e2e
