#include "process.h"

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

ToolResult runTool(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment, int timeoutMs, const QByteArray &input)
{
    QProcess process;
    endWithTheTest(process);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(timeoutMs)) {
        result.errors = process.errorString();
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        result.errors = process.errorString();
        process.kill();
        process.waitForFinished(-1);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

void endWithTheTest(QProcess &process)
{
#ifdef Q_OS_LINUX
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#else
    Q_UNUSED(process);
#endif
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
