#pragma once

#include <QProcess>
#include <QSize>
#include <QString>

namespace e2e {

// A virtual X server of its own, on a display number the server picks as free. It lives as long
// as this object: the destructor ends it by its process id, whatever happened in between.
class VirtualDisplay {
public:
    VirtualDisplay(const QString &serverProgram, QSize screenSize);
    ~VirtualDisplay();

    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    bool isRunning() const { return !m_name.isEmpty(); }
    // The value for DISPLAY, such as ":3".
    QString name() const { return m_name; }
    // What went wrong when the server did not come up.
    QString failure() const { return m_failure; }

private:
    QProcess m_server;
    QString m_name;
    QString m_failure;
};

} // namespace e2e
