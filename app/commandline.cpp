#include "commandline.h"

#include "designdata.h"
#include "functions.h"
#include "picturefile.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

constexpr char programName[] = "function-graph";

// The program's own options. A name ending in '=' takes a value; aliases are joined by ','.
constexpr char ownOptions[] = "function= output= scale= help,h version,v";
// The window options Qt reads itself when the window opens (QGuiApplication, QApplication and the
// X11 platform). Every long option is taken with one dash or two, as Qt takes its own.
constexpr char windowOptions[] =
    "platform= platformpluginpath= platformtheme= plugin= display= geometry= qwindowgeometry= "
    "qwindowtitle= qwindowicon= title= icon= style= stylesheet= session= name= visual= ncols= "
    "dialogs= fontengine= qmljsdebugger= reverse widgetcount cmap nograb dograb sync testability";

QString helpText()
{
    QString functions;
    for (std::size_t i = 0; i < graphWindowDesign.functionButtons.size(); ++i) {
        functions += QStringLiteral("                    %1  %2\n")
                         .arg(i + 1)
                         .arg(toQString(graphWindowDesign.functionButtons[i].caption).trimmed());
    }
    return QStringLiteral(R"(Usage: %1 [--function N --output FILE [--scale S]]

Without options, opens the window. With them, draws the graph of one function
into FILE and exits, without a window or a display.

  --function N    the function to graph:
%2                    0  no graph: the axes shown at start-up
  --output FILE   the picture file, in the format its name ends in: .png, .svg or
                  .pdf, or .wav for the curve as sound (four seconds, pitch
                  following y, left to right with x); an existing file is
                  replaced whole
  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 (default 1:
                  441x385 pixels, as the window shows the picture)
  -h, --help      show this text
  -v, --version   show the version
)")
        .arg(QLatin1String(programName), functions);
}

bool print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream)
               == std::size_t(bytes.size())
           && std::fflush(stream) == 0;
}

// One line on the standard error, naming the program; returns `status`.
int complain(const QString &problem, int status)
{
    print(stderr, QLatin1String(programName) + QLatin1String(": ") + problem + QLatin1Char('\n'));
    return status;
}

// Draws what the program's own options ask for; the status to exit with.
int render(const QCommandLineParser &parser)
{
    const QString function = parser.value(QStringLiteral("function"));
    const QString output = parser.value(QStringLiteral("output"));
    const QString scale = parser.value(QStringLiteral("scale"));
    // A mistake in the command: `problem` with the value at fault.
    const auto mistake = [](const char *problem, const QString &value) {
        return complain(QString::fromLatin1(problem).arg(value), 2);
    };
    if (function.isEmpty() || output.isEmpty()) {
        return complain(QLatin1String(function.isEmpty() && output.isEmpty()
                                          ? "--scale needs --function N and --output FILE"
                                      : output.isEmpty() ? "--function needs --output FILE"
                                                         : "--output needs --function N"),
                        2);
    }
    bool isNumber = false;
    const int number = function.toInt(&isNumber);
    if (!isNumber || number < 0 || number > graphing::functionCount)
        return mistake("--function must be a whole number from 0 to 5, not '%1'", function);
    const std::optional<PictureFormat> format = pictureFormatOf(output);
    if (!format) {
        return mistake(
            "cannot tell the format of '%1': the file name must end in .png, .svg, .pdf or .wav",
            output);
    }
    if (*format == PictureFormat::Wav && number == 0)
        return mistake("the axes alone have no curve to be heard: '%1' needs --function 1 to 5",
                       output);
    double ratio = 1;
    if (parser.isSet(QStringLiteral("scale"))) {
        if (*format != PictureFormat::Png)
            return mistake("--scale applies to PNG pictures only, not to '%1'", output);
        ratio = scale.toDouble(&isNumber);
        // Written so that a NaN fails it too.
        if (!isNumber || !(ratio >= 0.5 && ratio <= 8))
            return mistake("--scale must be a number from 0.5 to 8, not '%1'", scale);
    }
    // Nothing drawn here comes from a plugin: looking through the plugin folders (as the PNG
    // writer does for other image formats) would only cost time.
    QCoreApplication::setLibraryPaths({});
    const graphing::PictureContent content =
        number == 0 ? graphing::PictureContent{} : graphing::PictureContent{number};
    if (const std::optional<QString> failure =
            savePicture(content, output, *format, storedRatio(ratio)))
        return complain(QStringLiteral("could not write %1: %2").arg(output, *failure), 1);
    return 0;
}

QtMessageHandler qtMessageHandler = nullptr;

void reportFatal(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // The one fatal message while the application object starts: no platform plugin could be
        // initialised, which on a machine with the program's packages means no display.
        std::fputs("function-graph: no display could be opened; use --output FILE to draw a "
                   "picture without one\n",
                   stderr);
        std::_Exit(1);
    }
    qtMessageHandler(type, context, text);
}

} // namespace

std::optional<int> runCommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    QString notUtf8;
    for (int i = 0; i < argc; ++i) {
        arguments << QFile::decodeName(argv[i]);
        if (notUtf8.isEmpty() && QFile::encodeName(arguments.constLast()) != argv[i])
            notUtf8 = arguments.constLast();
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Adds the options of a table; returns their first names.
    const auto add = [&parser](const char *table) {
        QStringList names;
        for (const QString &option : QString::fromLatin1(table).split(QLatin1Char(' '))) {
            const bool takesValue = option.endsWith(QLatin1Char('='));
            const QStringList aliases =
                (takesValue ? option.chopped(1) : option).split(QLatin1Char(','));
            parser.addOption({aliases, {}, takesValue ? QStringLiteral("value") : QString()});
            names << aliases.constFirst();
        }
        return names;
    };
    const QStringList own = add(ownOptions);
    add(windowOptions);
    if (!parser.parse(arguments))
        return complain(parser.errorText(), 2);
    if (!parser.positionalArguments().isEmpty()) {
        return complain(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]), 2);
    }
    if (std::none_of(own.cbegin(), own.cend(),
                     [&parser](const QString &name) { return parser.isSet(name); }))
        return std::nullopt;
    // Qt reads names as UTF-8; any other bytes would name another file than the one given.
    if (!notUtf8.isEmpty()) {
        return complain(QStringLiteral("'%1' is not valid UTF-8, the only encoding of file names "
                                       "and arguments Qt reads")
                            .arg(notUtf8),
                        2);
    }
    if (parser.isSet(own[3]) || parser.isSet(own[4])) {
        const QString version = QStringLiteral("%1 %2\n").arg(QLatin1String(programName),
                                                              QLatin1String(applicationVersion));
        return print(stdout, parser.isSet(own[3]) ? helpText() : version) ? 0 : 1;
    }
    return render(parser);
}

void reportMissingDisplay(bool whileOpening)
{
    // What the user sees without a display is the one line of reportFatal, in place of Qt's
    // fatal message and abort. Qt's warnings on the way there (no connection to the display, the
    // platform plugin not loaded) say the same at length and are silenced while the display is
    // opened; rules in QT_LOGGING_RULES take precedence over these and show them again.
    QLoggingCategory::setFilterRules(whileOpening ? QStringLiteral("qt.qpa.*=false") : QString());
    if (whileOpening)
        qtMessageHandler = qInstallMessageHandler(reportFatal);
    else
        qInstallMessageHandler(qtMessageHandler);
}

qreal storedRatio(double scale)
{
    constexpr double steps = 0x10000;
    return std::trunc(scale * steps) / steps;
}

} // namespace app
