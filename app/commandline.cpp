#include "commandline.h"

#include "designdata.h"
#include "functions.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageLogger>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace app {

namespace {

constexpr char programName[] = "function-graph";
constexpr double smallestScale = 0.5;
constexpr double largestScale = 8;

const std::array<const char *, 7> ownOptions{"--function", "--output", "--scale", "--help",
                                             "--version",  "-h",       "-v"};

bool isOwnOption(const char *argument)
{
    for (const char *option : ownOptions) {
        if (std::strcmp(argument, option) == 0)
            return true;
        // The long options also come as --name=value.
        const std::size_t length = std::strlen(option);
        if (option[1] == '-' && std::strncmp(argument, option, length) == 0
            && argument[length] == '=')
            return true;
    }
    return false;
}

UsageError usageError(const QString &message)
{
    return {message};
}

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString helpText()
{
    QString functions;
    for (std::size_t i = 0; i < graphWindowDesign.functionButtons.size(); ++i) {
        functions += QStringLiteral("                    %1  %2\n")
                         .arg(i + 1)
                         .arg(toQString(graphWindowDesign.functionButtons[i].caption).trimmed());
    }
    return QStringLiteral("Usage: %1 [--function N --output FILE [--scale S]]\n"
                          "\n"
                          "Without options, opens the window. With them, draws the graph of one "
                          "function\n"
                          "into FILE and exits, without a window or a display.\n"
                          "\n"
                          "  --function N    the function to graph:\n"
                          "%2"
                          "                    0  no graph: the axes shown at start-up\n"
                          "  --output FILE   the picture file, in the format its name ends in: "
                          ".png, .svg or\n"
                          "                  .pdf; an existing file is replaced whole\n"
                          "  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 "
                          "(default 1:\n"
                          "                  441x385 pixels, as the window shows the picture)\n"
                          "  -h, --help      show this text\n"
                          "  -v, --version   show the version\n")
        .arg(QLatin1String(programName), functions);
}

bool print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream)
               == std::size_t(bytes.size())
           && std::fflush(stream) == 0;
}

// One line on the standard error, naming the program.
void complain(const QString &problem)
{
    print(stderr, QLatin1String(programName) + QLatin1String(": ") + problem + QLatin1Char('\n'));
}

std::optional<graphing::PictureContent> contentOf(const QString &function)
{
    bool isNumber = false;
    const int number = function.toInt(&isNumber);
    if (!isNumber || number < 0 || number > graphing::functionCount)
        return std::nullopt;
    if (number == 0)
        return graphing::PictureContent{};
    return graphing::PictureContent{number};
}

// --- Holding back Qt's messages while the display is opened ---

struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

std::mutex heldMutex;
std::vector<HeldMessage> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // Qt could open no display and is about to abort; what it held back says the same at
        // length.
        std::fputs("function-graph: no display could be opened; use --output FILE to render a "
                   "picture without one\n",
                   stderr);
        std::_Exit(1);
    }
    const auto copy = [](const char *text) { return std::string(text != nullptr ? text : ""); };
    const std::lock_guard lock(heldMutex);
    heldMessages.push_back({type, copy(context.file), context.line, copy(context.function),
                            copy(context.category), text});
}

} // namespace

bool isCommandLineInvocation(int argc, const char *const *argv)
{
    for (int i = 1; i < argc; ++i) {
        if (isOwnOption(argv[i]))
            return true;
    }
    return false;
}

qreal storedRatio(double scale)
{
    constexpr double steps = 0x10000;
    return std::trunc(scale * steps) / steps;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption function(QStringLiteral("function"), QString(), QStringLiteral("N"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption scale(QStringLiteral("scale"), QString(), QStringLiteral("S"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({function, output, scale, help, version});
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unexpected argument %1").arg(quoted(parser.positionalArguments()[0])));
    if (parser.isSet(help))
        return ShowHelp{};
    if (parser.isSet(version))
        return ShowVersion{};

    if (!parser.isSet(function) || !parser.isSet(output)) {
        if (parser.isSet(output))
            return usageError(QStringLiteral("--output needs --function N"));
        if (parser.isSet(function))
            return usageError(QStringLiteral("--function needs --output FILE"));
        return usageError(QStringLiteral("--scale needs --function N and --output FILE"));
    }

    RenderRequest request;
    const std::optional<graphing::PictureContent> content = contentOf(parser.value(function));
    if (!content)
        return usageError(QStringLiteral("--function must be a whole number from 0 to 5, not %1")
                              .arg(quoted(parser.value(function))));
    request.content = *content;

    request.output = parser.value(output);
    const std::optional<PictureFormat> format = pictureFormatOf(request.output);
    if (!format)
        return usageError(QStringLiteral("cannot tell the format of %1: the file name must end "
                                         "in .png, .svg or .pdf")
                              .arg(quoted(request.output)));
    request.format = *format;

    if (parser.isSet(scale)) {
        if (request.format != PictureFormat::Png)
            return usageError(QStringLiteral("--scale applies to PNG pictures only, not to %1")
                                  .arg(quoted(request.output)));
        bool isNumber = false;
        const double value = parser.value(scale).toDouble(&isNumber);
        if (!isNumber || !std::isfinite(value) || value < smallestScale || value > largestScale)
            return usageError(QStringLiteral("--scale must be a number from 0.5 to 8, not %1")
                                  .arg(quoted(parser.value(scale))));
        request.ratio = storedRatio(value);
    }
    return request;
}

int runCommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);

    const CommandLine commandLine = parseCommandLine(arguments);
    if (const auto *error = std::get_if<UsageError>(&commandLine)) {
        complain(error->message);
        return 2;
    }
    if (std::holds_alternative<ShowHelp>(commandLine))
        return print(stdout, helpText()) ? 0 : 1;
    if (std::holds_alternative<ShowVersion>(commandLine)) {
        return print(stdout, QStringLiteral("%1 %2\n").arg(QLatin1String(programName),
                                                           QLatin1String(applicationVersion)))
                   ? 0
                   : 1;
    }
    const auto &request = std::get<RenderRequest>(commandLine);
    // Nothing drawn here comes from a plugin: looking through the plugin folders (as the PNG
    // writer does for other image formats) would only cost time.
    QCoreApplication::setLibraryPaths({});
    if (const std::optional<QString> failure =
            savePicture(request.content, request.output, request.format, request.ratio)) {
        complain(QStringLiteral("could not write %1: %2").arg(request.output, *failure));
        return 1;
    }
    return 0;
}

DisplayConnectionGuard::DisplayConnectionGuard() : m_previous(qInstallMessageHandler(holdMessage))
{}

DisplayConnectionGuard::~DisplayConnectionGuard()
{
    qInstallMessageHandler(m_previous);
    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(heldMutex);
        held.swap(heldMessages);
    }
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(message.file.c_str(), message.line,
                                         message.function.c_str(), message.category.c_str());
        if (m_previous != nullptr) {
            m_previous(message.type, context, message.text);
            continue;
        }
        // Qt's own handler, reached through a logger: it formats and filters as it always does.
        const QMessageLogger logger(message.file.c_str(), message.line, message.function.c_str(),
                                    message.category.c_str());
        switch (message.type) {
        case QtDebugMsg: logger.debug("%ls", qUtf16Printable(message.text)); break;
        case QtInfoMsg: logger.info("%ls", qUtf16Printable(message.text)); break;
        case QtWarningMsg: logger.warning("%ls", qUtf16Printable(message.text)); break;
        case QtCriticalMsg: logger.critical("%ls", qUtf16Printable(message.text)); break;
        case QtFatalMsg: break;
        }
    }
}

} // namespace app
