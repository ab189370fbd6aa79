#include "runningprogram.h"

#include <QDeadlineTimer>
#include <QMap>
#include <QThread>

#include <utility>

namespace e2e {

namespace {

constexpr int toolTimeoutMs = 30000;

QStringList lines(const QByteArray &output)
{
    QStringList found;
    for (const QByteArray &line : output.split('\n')) {
        if (!line.trimmed().isEmpty())
            found << QString::fromLatin1(line.trimmed());
    }
    return found;
}

} // namespace

RunningProgram::RunningProgram(const QProcessEnvironment &environment, DesktopTools tools,
                               qreal ratio, const QStringList &arguments)
    : m_environment(environment), m_tools(std::move(tools)), m_ratio(ratio)
{
    m_process.setProcessEnvironment(m_environment);
    testsupport::endWithTheTest(m_process);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(FUNCTION_GRAPH_PATH), arguments);
    if (!m_process.waitForStarted()) {
        m_failure = m_process.errorString();
        return;
    }
    // Only this process's window: one left behind by an earlier program may not be gone yet.
    const QStringList windows = viewableWindows(QStringLiteral("^Graph$"), toolTimeoutMs);
    if (windows.isEmpty()) {
        m_failure =
            QStringLiteral("no window titled \"Graph\" showed (program %1)").arg(exitDescription());
        return;
    }
    m_window = windows.front();
    if (!moveTo(QPoint(4, 4)))
        m_failure = QStringLiteral("the pointer could not be moved into the window");
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
    return testsupport::runTool(m_tools.xdotool, arguments, m_environment, toolTimeoutMs);
}

QStringList RunningProgram::viewableWindows(const QString &name, int timeoutMs)
{
    // xdotool walks every window of the display and asks each for its properties. A window that
    // goes away meanwhile (one the toolkit makes and drops while starting, a readout closing, the
    // last program's windows being torn down) ends it with BadWindow: the walk is simply made
    // again, as is one that found no window yet.
    QStringList arguments{QStringLiteral("search"), QStringLiteral("--all"),
                          QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                          QString::number(m_process.processId())};
    if (!name.isEmpty())
        arguments << QStringLiteral("--name") << name;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const ToolResult search = xdotool(arguments);
        const QStringList windows = lines(search.output);
        if ((search.succeeded() && !windows.isEmpty()) || deadline.hasExpired()
            || m_process.state() != QProcess::Running)
            return search.succeeded() ? windows : QStringList();
        QThread::msleep(20);
    }
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

bool RunningProgram::type(const QString &text)
{
    return xdotool({QStringLiteral("type"), text}).succeeded();
}

bool RunningProgram::moveWindow(QPoint screenPixel)
{
    return xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), m_window,
                    QString::number(screenPixel.x()), QString::number(screenPixel.y())})
        .succeeded();
}

QStringList RunningProgram::visibleWindows()
{
    QStringList windows{m_window};
    for (const QString &window : viewableWindows({}, toolTimeoutMs)) {
        if (window != m_window)
            windows << window;
    }
    return windows;
}

QRect RunningProgram::windowGeometry(const QString &window)
{
    const ToolResult geometry =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QMap<QString, int> values;
    for (const QString &line : lines(geometry.output)) {
        const QStringList pair = line.split(QLatin1Char('='));
        if (pair.size() == 2)
            values.insert(pair[0], pair[1].toInt());
    }
    return {values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
            values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT"))};
}

QImage RunningProgram::screenshot()
{
    // Uncompressed: large windows are photographed many times.
    const ToolResult shot = testsupport::runTool(
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
    return testsupport::runTool(m_tools.closeRequest, {m_window}, m_environment, toolTimeoutMs)
        .succeeded();
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

Desktop::Desktop(QSize screenSize, const QString &closeRequestTool, const QStringList &moreTools)
{
    testsupport::ToolFinder finder;
    const QString server = finder.find(QStringLiteral("Xvfb"));
    m_tools = {finder.find(QStringLiteral("xdotool")), finder.find(QStringLiteral("import")),
               closeRequestTool};
    for (const QString &name : moreTools)
        m_more.insert(name, finder.find(name));
    m_failure = finder.missingTools();
    if (!m_failure.isEmpty())
        return;
    if (!m_runtimeDir.isValid()) {
        m_failure = QStringLiteral("no temporary folder");
        return;
    }
    m_display = std::make_unique<testsupport::VirtualDisplay>(
        server, screenSize, testsupport::isolatedEnvironment(m_runtimeDir.path()));
    m_failure = m_display->failure();
}

QProcessEnvironment Desktop::environment() const
{
    QProcessEnvironment environment = m_display->environment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

std::unique_ptr<RunningProgram> Desktop::start(const QString &scaleFactor, qreal ratio,
                                               const QStringList &arguments,
                                               const QProcessEnvironment &more) const
{
    QProcessEnvironment environment = this->environment();
    if (!scaleFactor.isEmpty())
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    for (const QString &name : more.keys())
        environment.insert(name, more.value(name));
    return std::make_unique<RunningProgram>(environment, m_tools, ratio, arguments);
}

} // namespace e2e
