#pragma once

#include "process.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>

namespace testsupport {

// A virtual X server (Xvfb) of its own, on a display number the server picks as free, at 96 dpi
// with no reset when a client leaves. It lives as long as this object: the destructor ends it by
// its process id, whatever happened in between.
class VirtualDisplay {
public:
    VirtualDisplay(const QString &serverProgram, QSize screenSize,
                   const QProcessEnvironment &environment);
    ~VirtualDisplay();

    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // What went wrong when the server did not come up; empty when it runs.
    QString failure() const { return m_failure; }
    // The environment given, with DISPLAY naming this server.
    QProcessEnvironment environment() const { return m_environment; }

private:
    QProcess m_server;
    QProcessEnvironment m_environment;
    QString m_failure;
};

} // namespace testsupport
