#include "process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>

#include <csignal>
#endif

namespace testsupport {

QString ToolResult::describe(const QString &what) const
{
    if (!finished)
        return QStringLiteral("%1 did not finish: %2").arg(what, errors.trimmed());
    return QStringLiteral("%1 ended with status %2: %3")
        .arg(what)
        .arg(exitCode)
        .arg(errors.trimmed());
}

ChildProcess::ChildProcess(const QProcessEnvironment &environment, int graceMs) : m_graceMs(graceMs)
{
    setProcessEnvironment(environment);
#ifdef Q_OS_LINUX
    setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
}

ChildProcess::~ChildProcess()
{
    if (state() == NotRunning)
        return;
    closeWriteChannel();
    if (waitForFinished(m_graceMs))
        return;
    terminate();
    if (!waitForFinished(5000))
        kill();
    waitForFinished(-1);
}

QString ChildProcess::nextLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!canReadLine() && state() != NotRunning && !deadline.hasExpired())
        waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    return canReadLine() ? QString::fromUtf8(readLine()).chopped(1) : QString();
}

bool ChildProcess::waitForFile(const QString &path, int timeoutMs)
{
    // Nothing signals a file's coming; waiting on the end instead notices a server that failed.
    const QDeadlineTimer deadline(timeoutMs);
    while (!QFileInfo::exists(path) && !deadline.hasExpired() && !waitForFinished(20)) {
    }
    return QFileInfo::exists(path);
}

ToolResult ChildProcess::result(int timeoutMs)
{
    ToolResult result;
    if (!waitForFinished(timeoutMs)) {
        result.errors = errorString();
        kill();
        waitForFinished(-1);
        return result;
    }
    result.finished = exitStatus() == NormalExit;
    result.exitCode = exitCode();
    result.output = readAllStandardOutput();
    result.errors = QString::fromLocal8Bit(readAllStandardError());
    return result;
}

ToolResult runTool(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment, int timeoutMs, const QByteArray &input)
{
    ChildProcess process(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.result(timeoutMs);
}

QImage rasterised(const QString &document, int dpi)
{
    const QString png = document + QStringLiteral(".png");
    const QStringList size = dpi > 0 ? QStringList{"-r", QString::number(dpi)}
                                     : QStringList{"-scale-to-x", "441", "-scale-to-y", "385"};
    const ToolResult result =
        document.endsWith(QLatin1String(".svg"))
            ? runTool("rsvg-convert", {"-w", "441", "-h", "385", "-o", png, document},
                      QProcessEnvironment::systemEnvironment())
            : runTool("pdftoppm", size + QStringList{"-png", "-singlefile", document, document},
                      QProcessEnvironment::systemEnvironment());
    if (!result.succeeded())
        qWarning("%s", qPrintable(result.describe(document)));
    return QImage(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

SoundServer::SoundServer(const QString &folder)
    : m_server(QProcessEnvironment::systemEnvironment()), m_socket(folder + "/pulse")
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
        environment.insert(name, folder);
    QFile::remove(m_socket); // an earlier server's, so that this one's is waited for
    m_server.setProcessEnvironment(environment);
    m_server.start(QStringLiteral("pulseaudio"),
                   {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                    "module-native-protocol-unix auth-anonymous=1 socket=" + m_socket, "-L",
                    "module-null-sink sink_name=heard rate=44100 norewinds=1"});
}

QProcessEnvironment isolatedEnvironment(const QString &runtimeDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    // Settings remembered from the user's own runs stay out of the test's.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), runtimeDir + QStringLiteral("/config"));
    for (const char *name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
          "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI",
          "QT_SCALE_FACTOR_ROUNDING_POLICY", "AT_SPI_BUS_ADDRESS", "LANGUAGE", "LC_ALL",
          "LC_MESSAGES", "QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP"})
        environment.remove(QString::fromLatin1(name));
    // The program speaks English unless a test asks for another language.
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return environment;
}

QString ToolFinder::find(const QString &name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        m_missing << name;
    return path;
}

QString ToolFinder::missingTools() const
{
    if (m_missing.isEmpty())
        return {};
    return QStringLiteral("not found on the PATH: %1 (scripts/install-packages test installs them)")
        .arg(m_missing.join(QStringLiteral(", ")));
}

} // namespace testsupport
