#include "runningprogram.h"

#include "expectedpicture.h"

#include <QDeadlineTimer>

#include <utility>

namespace e2e {

namespace {

constexpr int toolTimeoutMs = 30000;

QStringList lines(const QByteArray &output)
{
    return QString::fromLatin1(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

RunningProgram::RunningProgram(const QProcessEnvironment &environment, QStringList tools,
                               qreal ratio, const QStringList &arguments)
    : m_process(environment), m_environment(environment), m_tools(std::move(tools)), m_ratio(ratio)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(FUNCTION_GRAPH_PATH), arguments);
    m_process.waitForStarted();
    // Only this process's window: one left behind by an earlier program may not be gone yet.
    const QStringList windows = viewableWindows(QStringLiteral("^Graph$"));
    if (windows.isEmpty())
        m_failure = QStringLiteral("no window titled Graph showed; program ") + exitDescription();
    else if (m_window = windows.front(); !moveTo({4, 4}))
        m_failure = QStringLiteral("the pointer could not be moved into the window");
}

ToolResult RunningProgram::xdotool(const QString &command, const QStringList &more)
{
    return testsupport::runTool(m_tools[0], command.split(QLatin1Char(' ')) + more, m_environment,
                                toolTimeoutMs);
}

QStringList RunningProgram::viewableWindows(const QString &name)
{
    // xdotool walks every window of the display and asks each for its properties. A window that
    // goes away meanwhile (one the toolkit makes and drops while starting, a readout closing, the
    // last program's windows being torn down) ends it with BadWindow: the walk is simply made
    // again, as is one that found no window yet.
    const QStringList byName =
        name.isEmpty() ? QStringList() : QStringList{QStringLiteral("--name"), name};
    const QDeadlineTimer deadline(toolTimeoutMs);
    for (;;) {
        const ToolResult search = xdotool(
            QStringLiteral("search --all --onlyvisible --pid %1").arg(m_process.processId()),
            byName);
        if (search.succeeded() && !lines(search.output).isEmpty())
            return lines(search.output);
        // Waiting on the program's end between walks notices a program that crashed.
        if (deadline.hasExpired() || m_process.state() != QProcess::Running
            || m_process.waitForFinished(20))
            return {};
    }
}

QString RunningProgram::pointerAt(QPoint designPixel) const
{
    return QStringLiteral("mousemove --window %1 %2 %3")
        .arg(m_window)
        .arg(qRound(designPixel.x() * m_ratio))
        .arg(qRound(designPixel.y() * m_ratio));
}

bool RunningProgram::click(QPoint designPixel, int button)
{
    return xdotool(pointerAt(designPixel) + QStringLiteral(" click %1").arg(button)).succeeded();
}

bool RunningProgram::graph(int function)
{
    return click(optionClickPoint(function - 1)) && click(graphClickPoint);
}

bool RunningProgram::moveTo(QPoint designPixel)
{
    return xdotool(pointerAt(designPixel)).succeeded();
}

bool RunningProgram::xdo(const QString &command, const QStringList &more)
{
    return xdotool(QString(command).replace(QStringLiteral("%w"), m_window), more).succeeded();
}

QStringList RunningProgram::visibleWindows()
{
    QStringList windows = viewableWindows();
    windows.removeAll(m_window);
    return QStringList{m_window} + windows;
}

QRect RunningProgram::windowGeometry(const QString &window)
{
    QHash<QString, int> values;
    for (const QString &line : lines(xdotool("getwindowgeometry --shell " + window).output))
        values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
    return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
}

Screenshot RunningProgram::screenshotWhen(const std::function<bool(const QImage &)> &ready,
                                          int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QImage previous;
    for (;;) {
        // Uncompressed: large windows are photographed many times.
        const ToolResult shot = testsupport::runTool(
            m_tools[1], {"-silent", "-window", m_window, "ppm:-"}, m_environment, toolTimeoutMs);
        const QImage current =
            QImage::fromData(shot.output, "PPM").convertToFormat(QImage::Format_RGB32);
        const bool isReady = shot.succeeded() && !current.isNull() && ready(current);
        if (isReady && current == previous)
            return {current, true};
        if (deadline.hasExpired())
            return {current, false};
        previous = isReady ? current : QImage();
    }
}

Screenshot RunningProgram::pictureWhen(const std::function<bool(const QImage &)> &ready)
{
    const QRect area = testsupport::deviceRect(testsupport::logicalPictureRect, m_ratio);
    Screenshot shot = screenshotWhen([&](const QImage &image) { return ready(image.copy(area)); });
    shot.image = shot.image.copy(area);
    return shot;
}

Screenshot RunningProgram::startedUp()
{
    const QRect area = testsupport::deviceRect(testsupport::logicalPictureRect, m_ratio);
    return screenshotWhen([&area](const QImage &image) {
        return shows(image, testsupport::startupAxisColour, area);
    });
}

QString RunningProgram::exitDescription(int timeoutMs)
{
    if (!m_process.waitForFinished(timeoutMs) && m_process.state() != QProcess::NotRunning)
        return QStringLiteral("still running");
    if (m_process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("crashed");
    return QStringLiteral("ended with status %1").arg(m_process.exitCode());
}

Desktop::Desktop(QSize screenSize, const QStringList &moreTools)
    : m_environment(testsupport::isolatedEnvironment(m_runtimeDir.path())), m_display(m_environment)
{
    testsupport::ToolFinder finder;
    for (const QString &name : QStringList{"Xvfb", "xdotool", "import"} + moreTools)
        m_tools.insert(name, finder.find(name));
    m_failure = finder.missingTools();
    if (!m_failure.isEmpty())
        return;
    // At 96 dpi, with no reset when a client leaves; it writes its number once it takes clients.
    m_display.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_display.start(m_tools["Xvfb"],
                    {"-displayfd", "1", "-screen", "0",
                     QStringLiteral("%1x%2x24").arg(screenSize.width()).arg(screenSize.height()),
                     "-dpi", "96", "-nolisten", "tcp", "-noreset"});
    bool isNumber = false;
    const int number = m_display.nextLine().toInt(&isNumber);
    if (!isNumber)
        m_failure = QStringLiteral("Xvfb gave no display number");
    m_environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(number));
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
}

ToolResult Desktop::run(const QString &tool, const QStringList &arguments,
                        const QByteArray &input) const
{
    return testsupport::runTool(m_tools.value(tool, tool), arguments, environment(), toolTimeoutMs,
                                input);
}

QByteArray Desktop::pasted(const QString &type) const
{
    return run("xclip", {"-selection", "clipboard", "-t", type, "-o"}).output;
}

QImage Desktop::commandLinePicture(const QStringList &arguments, const QString &file) const
{
    if (!run(FUNCTION_GRAPH_PATH, arguments + QStringList{"--output", file}).succeeded())
        return {};
    return QImage(file, "PNG").convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<RunningProgram> Desktop::start(const QString &scaleFactor, qreal ratio,
                                               const QStringList &arguments,
                                               const QProcessEnvironment &more) const
{
    QProcessEnvironment environment = this->environment();
    if (!scaleFactor.isEmpty())
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    environment.insert(more);
    return std::make_unique<RunningProgram>(
        environment, QStringList{m_tools["xdotool"], m_tools["import"]}, ratio, arguments);
}

} // namespace e2e
