#include "externaltool.h"

#ifdef Q_OS_LINUX
#include <sys/prctl.h>

#include <csignal>
#endif

namespace e2e {

void endWithTheTest(QProcess &process)
{
#ifdef Q_OS_LINUX
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#else
    Q_UNUSED(process);
#endif
}

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

} // namespace e2e
