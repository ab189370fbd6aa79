#include "runningprogram.h"

#include <QDeadlineTimer>
#include <QMap>

#include <utility>

namespace e2e {

namespace {

constexpr int toolTimeoutMs = 10000;

} // namespace

RunningProgram::RunningProgram(const QString &executable, const QProcessEnvironment &environment,
                               DesktopTools tools, qreal ratio, const QStringList &arguments)
    : m_environment(environment), m_tools(std::move(tools)), m_ratio(ratio)
{
    m_process.setProcessEnvironment(m_environment);
    endWithTheTest(m_process);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(executable, arguments);
    if (!m_process.waitForStarted()) {
        m_failure = m_process.errorString();
        return;
    }
    // Only this process's window: one left behind by an earlier program may not be gone yet.
    const ToolResult search =
        xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--all"),
                 QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(m_process.processId()), QStringLiteral("--name"),
                 QStringLiteral("^Graph$")});
    const QList<QByteArray> windows = search.output.split('\n');
    if (search.succeeded() && !windows.front().trimmed().isEmpty())
        m_window = QString::fromLatin1(windows.front().trimmed());
    else
        m_failure = search.describe(QStringLiteral("Looking for the window titled \"Graph\""));
}

RunningProgram::~RunningProgram()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(-1);
    }
}

ToolResult RunningProgram::xdotool(const QStringList &arguments)
{
    return runTool(m_tools.xdotool, arguments, m_environment, toolTimeoutMs);
}

QPoint RunningProgram::onDevice(QPoint designPixel) const
{
    return {qRound(designPixel.x() * m_ratio), qRound(designPixel.y() * m_ratio)};
}

bool RunningProgram::click(QPoint designPixel, int button)
{
    const QPoint device = onDevice(designPixel);
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_window,
                    QString::number(device.x()), QString::number(device.y()),
                    QStringLiteral("click"), QString::number(button)})
        .succeeded();
}

bool RunningProgram::moveTo(QPoint designPixel)
{
    const QPoint device = onDevice(designPixel);
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_window,
                    QString::number(device.x()), QString::number(device.y())})
        .succeeded();
}

bool RunningProgram::pressKeys(const QStringList &keys)
{
    return xdotool(QStringList{QStringLiteral("key")} + keys).succeeded();
}

bool RunningProgram::moveWindow(QPoint screenPixel)
{
    return xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), m_window,
                    QString::number(screenPixel.x()), QString::number(screenPixel.y())})
        .succeeded();
}

QSize RunningProgram::nativeSize()
{
    const ToolResult geometry =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), m_window});
    QSize size;
    for (const QByteArray &line : geometry.output.split('\n')) {
        if (line.startsWith("WIDTH="))
            size.setWidth(line.mid(6).toInt());
        else if (line.startsWith("HEIGHT="))
            size.setHeight(line.mid(7).toInt());
    }
    return geometry.succeeded() ? size : QSize();
}

QStringList RunningProgram::visibleWindows()
{
    const ToolResult search =
        xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--pid"), QString::number(m_process.processId())});
    QStringList windows{m_window};
    for (const QByteArray &line : search.output.split('\n')) {
        const QString window = QString::fromLatin1(line.trimmed());
        if (!window.isEmpty() && window != m_window)
            windows << window;
    }
    return windows;
}

QRect RunningProgram::windowGeometry(const QString &window)
{
    const ToolResult geometry =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QMap<QString, int> values;
    for (const QByteArray &line : geometry.output.split('\n')) {
        const QList<QByteArray> pair = line.trimmed().split('=');
        if (pair.size() == 2)
            values.insert(QString::fromLatin1(pair[0]), pair[1].toInt());
    }
    return {values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
            values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT"))};
}

QImage RunningProgram::screenshot()
{
    // Uncompressed: large windows are photographed many times.
    const ToolResult shot = runTool(
        m_tools.import,
        {QStringLiteral("-silent"), QStringLiteral("-window"), m_window, QStringLiteral("ppm:-")},
        m_environment, toolTimeoutMs);
    if (!shot.succeeded())
        return {};
    return QImage::fromData(shot.output, "PPM").convertToFormat(QImage::Format_RGB32);
}

Screenshot RunningProgram::screenshotWhen(const std::function<bool(const QImage &)> &ready,
                                          int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QImage previous;
    for (;;) {
        QImage current = screenshot();
        const bool isReady = !current.isNull() && ready(current);
        if (isReady && current == previous)
            return {current, true};
        if (deadline.hasExpired())
            return {current, false};
        previous = isReady ? current : QImage();
    }
}

bool RunningProgram::unmapWindow()
{
    return xdotool({QStringLiteral("windowunmap"), QStringLiteral("--sync"), m_window}).succeeded();
}

bool RunningProgram::mapWindow()
{
    return xdotool({QStringLiteral("windowmap"), QStringLiteral("--sync"), m_window}).succeeded();
}

bool RunningProgram::requestClose()
{
    return runTool(m_tools.closeRequest, {m_window}, m_environment, toolTimeoutMs).succeeded();
}

bool RunningProgram::endsWithStatusZero(int timeoutMs)
{
    return m_process.waitForFinished(timeoutMs) && m_process.exitStatus() == QProcess::NormalExit
           && m_process.exitCode() == 0;
}

QString RunningProgram::exitDescription() const
{
    if (m_process.state() != QProcess::NotRunning)
        return QStringLiteral("still running");
    if (m_process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("crashed");
    return QStringLiteral("ended with status %1").arg(m_process.exitCode());
}

} // namespace e2e
