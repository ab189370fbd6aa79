#include "virtualdisplay.h"

#include <QDeadlineTimer>

namespace testsupport {

VirtualDisplay::VirtualDisplay(const QString &serverProgram, QSize screenSize,
                               const QProcessEnvironment &environment)
    : m_environment(environment)
{
    const QString screen =
        QStringLiteral("%1x%2x24").arg(screenSize.width()).arg(screenSize.height());
    // The server writes its display number to standard output once it takes connections.
    endWithTheTest(m_server);
    m_server.start(serverProgram, {"-displayfd", "1", "-screen", "0", screen, "-dpi", "96",
                                   "-nolisten", "tcp", "-noreset"});
    if (!m_server.waitForStarted()) {
        m_failure = m_server.errorString();
        return;
    }
    const QDeadlineTimer deadline(30000);
    while (!m_server.canReadLine() && m_server.state() == QProcess::Running
           && !deadline.hasExpired())
        m_server.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    bool isNumber = false;
    const int number = m_server.readLine().trimmed().toInt(&isNumber);
    if (isNumber)
        m_environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(number));
    else
        m_failure = QStringLiteral("no display number; server said: %1")
                        .arg(QString::fromLocal8Bit(m_server.readAllStandardError()).trimmed());
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    // Asked politely first, the server removes its socket and lock file.
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished(-1);
    }
}

} // namespace testsupport
