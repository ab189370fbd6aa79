#include "commandline.h"

#include "designdata.h"
#include "functions.h"
#include "keypoints.h"
#include "picturefile.h"
#include "picturestyle.h"
#include "translations.h"
#include "typedfunction.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QtConcurrentMap>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace app {

namespace {

// One of the program's own options: its names, joined by ',', with '=' when it takes a value; its
// lines in --help; for a number, its range and the complaint of another value ('%1' the value, '%2'
// the largest).
struct Option {
    const char *names;
    const char *help;
    double low = 0;
    double high = 0;
    const char *outOfRange = nullptr;
};

// Texts worded here are translated in this context.
struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(app::CommandLine)

public:
    // In the order --help lists them. %2 in the help stands for the functions' list, %3 for the
    // largest unit length: 13.3 mm, the most that fits A3 with any function's caption.
    static constexpr Option options[] = {
        {"function=",
         QT_TR_NOOP("  --function N    the functions to graph, one or a list such as 1-5 or "
                    "0,2-3:\n%2                    0  no graph: the axes shown at start-up\n")},
        {"output=",
         QT_TR_NOOP(
             "  --output FILE   the picture file, in the format its name ends in: .png, .svg,\n"
             "                  .pdf, or .wav for the curve as sound (four seconds, pitch\n"
             "                  following y, left to right with x); an existing file is\n"
             "                  replaced whole. {n} in the name stands for the function's\n"
             "                  number, and is needed when N lists more than one. Repeat\n"
             "                  --output for more files of each function:\n"
             "                    --function 1-5 --output 'f{n}.png' --output 'f{n}.svg'\n"
             "                  writes ten files, in that order; the first that cannot be\n"
             "                  written ends the run, and those written before it stay\n")},
        {"expression=",
         QT_TR_NOOP("  --expression E  a function of x typed as on a calculator, in place of\n"
                    "                  --function: 'y = 0.5x^2 - 3', 'tan(x)', '√(1 - x^2)'\n")},
        {"x-range=",
         QT_TR_NOOP("  --x-range A:B   the part of the x-axis shown (default -10:10)\n")},
        {"y-range=",
         QT_TR_NOOP("  --y-range C:D   the part of the y-axis shown (default -10:10)\n")},
        {"key-points",
         QT_TR_NOOP("  --key-points    print the zeros, minima and maxima in view, one a line:\n"
                    "                  KIND<TAB>X<TAB>Y, with or without --output\n")},
        {"scale=",
         QT_TR_NOOP(
             "  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 (default 1:\n"
             "                  441x385 pixels, as the window shows the picture)\n"),
         0.5, 8, QT_TR_NOOP("--scale must be a number from 0.5 to %2, not '%1'")},
        {"help,h", QT_TR_NOOP("  -h, --help      show this text\n")},
        {"version,v", QT_TR_NOOP("  -v, --version   show the version\n")},
        {"background=",
         QT_TR_NOOP(
             "\nThe picture's style (the default is the window's look):\n"
             "  --background B  screen (the window's colour), white, or transparent (PNG and\n"
             "                  SVG; white in a PDF)\n")},
        {"line-width=",
         QT_TR_NOOP("  --line-width N  the curve, axes and ticks N pixels thick, from 1 to 4\n")},
        {"numbers", QT_TR_NOOP("  --numbers       number the even ticks\n")},
        {"grid", QT_TR_NOOP("  --grid          light lines across the picture at the ticks\n")},
        {"page=",
         QT_TR_NOOP("\nA printed page instead of the picture alone (FILE must end in .pdf):\n"
                    "  --page SIZE     the page the picture is printed on, with margins and a\n"
                    "                  caption under it: A3, A4, A5, Letter or Legal; the\n"
                    "                  background is white unless --background says otherwise\n")},
        {"unit-length=",
         QT_TR_NOOP(
             "  --unit-length L one unit of the axes L millimetres long on paper, from 1 to\n"
             "                  %3, the most that fits A3 (default: as large as the page\n"
             "                  allows)\n"),
         1, 13.3,
         QT_TR_NOOP("--unit-length must be a number of millimetres from 1 to %2, the most that "
                    "fits A3, not '%1'")},
    };
};

constexpr char programName[] = "function-graph";

// The window options Qt reads itself when the window opens, taken with one dash or two as Qt takes
// them; written as the table's names.
constexpr char windowOptions[] =
    "platform= platformpluginpath= platformtheme= plugin= display= geometry= qwindowgeometry= "
    "qwindowtitle= qwindowicon= title= icon= style= stylesheet= session= name= visual= ncols= "
    "dialogs= fontengine= qmljsdebugger= reverse widgetcount cmap nograb dograb sync testability";

QString firstName(const char *names)
{
    return QString::fromLatin1(names).section(QLatin1Char(','), 0, 0).remove(QLatin1Char('='));
}

const Option &option(const char *name)
{
    return *std::find_if(
        std::cbegin(CommandLine::options), std::cend(CommandLine::options),
        [name](const Option &option) { return firstName(option.names) == QLatin1String(name); });
}

QString helpText()
{
    QString functions;
    for (std::size_t i = 0; i < graphWindowDesign.functionButtons.size(); ++i) {
        functions += QStringLiteral("                    %1  %2\n")
                         .arg(i + 1)
                         .arg(toQString(graphWindowDesign.functionButtons[i].caption).trimmed());
    }
    QString text = CommandLine::tr(
        "Usage: %1 [--function N --output FILE [--scale S]]\n"
        "\n"
        "Without options, opens the window. With them, draws the graph of each function\n"
        "listed into each FILE and exits, without a window or a display.\n"
        "\n");
    for (const Option &option : CommandLine::options)
        text += CommandLine::tr(option.help);
    return text.arg(QLatin1String(programName), functions).arg(option("unit-length").high);
}

bool print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream)
               == std::size_t(bytes.size())
           && std::fflush(stream) == 0;
}

// One line on the standard error, naming the program; returns `status`, 2 for a mistake.
int complain(const QString &problem, int status = 2)
{
    print(stderr, QLatin1String(programName) + QLatin1String(": ") + problem + QLatin1Char('\n'));
    return status;
}

// A mistake in the command: `problem` with the value at fault.
int mistake(const QString &problem, const QString &value)
{
    return complain(problem.arg(value));
}

// Reads the number option `name` into `number`; the status of a value outside its range.
std::optional<int> readNumber(const QCommandLineParser &parser, const char *name, double &number)
{
    const Option &given = option(name);
    const QString value = parser.value(QLatin1String(name));
    bool isNumber = false;
    number = value.toDouble(&isNumber);
    // Written so that a NaN fails it too.
    if (isNumber && number >= given.low && number <= given.high)
        return std::nullopt;
    return complain(CommandLine::tr(given.outOfRange).arg(value, QString::number(given.high)));
}

// The functions `list` names ("3", "1-5", "0,2-3"), in its order; nothing when it is not such a
// list, or names one twice.
std::optional<QList<int>> functionsListed(const QString &list)
{
    QList<int> functions;
    for (const QString &item : list.split(QLatin1Char(','))) {
        const QStringList ends = item.split(QLatin1Char('-'));
        bool isFirst = false;
        bool isLast = false;
        const int first = ends.constFirst().toInt(&isFirst);
        const int last = ends.constLast().toInt(&isLast);
        if (ends.size() > 2 || !isFirst || !isLast || first < 0 || last > graphing::functionCount
            || first > last)
            return std::nullopt;
        for (int function = first; function <= last; ++function) {
            if (functions.contains(function))
                return std::nullopt;
            functions << function;
        }
    }
    return functions;
}

using Graphs = QList<std::optional<graphing::Function>>; // nothing for the axes alone

// Reads the functions listed or typed into `graphs`; the status of a mistake.
std::optional<int> readGraphs(const QCommandLineParser &parser, Graphs &graphs)
{
    const bool listed = parser.isSet(QStringLiteral("function"));
    const bool typed = parser.isSet(QStringLiteral("expression"));
    const bool outputs = parser.isSet(QStringLiteral("output"));
    const bool keyPoints = parser.isSet(QStringLiteral("key-points"));
    const QString function = parser.values(QStringLiteral("function")).join(QLatin1Char(','));
    if (listed && function.isEmpty())
        return complain(CommandLine::tr("--function is empty: give a number from 0 to 5, or a list "
                                        "such as 1-5 or 0,2-3"));
    if (typed && listed)
        return complain(CommandLine::tr("--expression and --function cannot be given together: "
                                        "each names the function to draw"));
    if ((function.isEmpty() && !typed) || (!outputs && !keyPoints)) {
        // The first option given that draws nothing by itself.
        const QString given = QStringLiteral("--") + parser.optionNames().constFirst();
        return complain(function.isEmpty() && !typed && !outputs
                            ? CommandLine::tr("%1 needs --function N and --output FILE").arg(given)
                        : !outputs ? CommandLine::tr("--function needs --output FILE")
                                   : CommandLine::tr("--output needs --function N"));
    }
    if (typed) {
        auto parsed =
            graphing::Expression::parse(parser.value(QStringLiteral("expression")).toStdString());
        if (const auto *const error = std::get_if<graphing::ExpressionError>(&parsed))
            return complain(QStringLiteral("--expression: ") + describeProblem(*error));
        graphs << graphing::Function(std::get<graphing::Expression>(std::move(parsed)));
    } else if (const std::optional<QList<int>> functions = functionsListed(function)) {
        for (const int number : *functions)
            graphs << (number == 0 ? std::nullopt : std::optional<graphing::Function>(number));
    } else {
        return mistake(
            CommandLine::tr("--function takes numbers from 0 to 5, one or a list such as 1-5 or "
                            "0,2-3 naming each once, not '%1'"),
            function);
    }
    if (keyPoints && (graphs.size() != 1 || !graphs.constFirst()))
        return complain(CommandLine::tr("--key-points needs one function to graph"));
    return std::nullopt;
}

// Reads --x-range and --y-range into `view`; the status of a mistake in them.
std::optional<int> readView(const QCommandLineParser &parser, graphing::View &view)
{
    const struct {
        const char *option;
        double *low;
        double *high;
    } ranges[] = {{"x-range", &view.left, &view.right}, {"y-range", &view.bottom, &view.top}};
    for (const auto &range : ranges) {
        const QString name = QLatin1String(range.option);
        if (!parser.isSet(name))
            continue;
        const QString value = parser.value(name);
        const QStringList ends = value.split(QLatin1Char(':'));
        bool isLow = false;
        bool isHigh = false;
        *range.low = ends.constFirst().toDouble(&isLow);
        *range.high = ends.constLast().toDouble(&isHigh);
        // Written so that a NaN fails it too.
        if (ends.size() != 2 || !isLow || !isHigh || !(*range.low < *range.high)
            || !std::isfinite(*range.low) || !std::isfinite(*range.high))
            return complain(
                CommandLine::tr("--%1 must be two numbers A:B with A less than B, not '%2'")
                    .arg(name, value));
    }
    if (!graphing::isDrawable(view))
        return complain(CommandLine::tr("the view %1 cannot be drawn: each range must lie within "
                                        "-1e9 to 1e9 and be at least a billionth of its distance "
                                        "from 0 long")
                            .arg(viewInWords(view)));
    return std::nullopt;
}

// A number in plain decimal notation with ten significant digits: "-1.414213562", "0".
QString plainDecimal(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    const int whole = int(std::floor(std::log10(std::abs(value)))) + 1;
    return QString::number(value, 'f', std::clamp(10 - whole, 0, 40));
}

// The key points of `content`'s function, one a line: "minimum<TAB>0<TAB>-2.000000000".
QString keyPointLines(const graphing::PictureContent &content)
{
    QString lines;
    for (const graphing::KeyPoint &point : graphing::keyPoints(content)) {
        const char *const kind = point.kind == graphing::KeyPoint::Kind::Zero      ? "zero"
                                 : point.kind == graphing::KeyPoint::Kind::Minimum ? "minimum"
                                                                                   : "maximum";
        lines += QStringLiteral("%1\t%2\t%3\n")
                     .arg(QLatin1String(kind), plainDecimal(point.x), plainDecimal(point.y));
    }
    return lines;
}

// One file the command asks for.
struct Picture {
    graphing::PictureContent content;
    QString path;
    PictureFormat format;
    plot::PageOptions pageOptions; // when it is printed on a page
};

// What the command asks for: the files in the order they are written, and what they share.
struct Command {
    QList<Picture> pictures;
    graphing::PictureStyle style;
    qreal ratio = 1;                 // a PNG's device pixel ratio
    std::optional<QPageLayout> page; // a printed page in place of the picture alone
    std::optional<double> unitLength;
    std::optional<graphing::PictureContent> keyPointsOf;
};

// Reads the style and the page asked for into `command`; the status of a mistake in them.
std::optional<int> readLook(const QCommandLineParser &parser, Command &command)
{
    Choices chosen{};
    if (parser.isSet(QStringLiteral("page"))) {
        const QString page = parser.value(QStringLiteral("page"));
        for (const auto id :
             {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::Legal}) {
            if (QPageSize::key(id).compare(page, Qt::CaseInsensitive) == 0)
                command.page = printedPage(QPageSize(id));
        }
        if (!command.page)
            return mistake(CommandLine::tr("--page must be A3, A4, A5, Letter or Legal, not '%1'"),
                           page);
        chosen[Background] = int(graphing::Background::White);
    }
    if (parser.isSet(QStringLiteral("unit-length"))) {
        if (!command.page)
            return complain(CommandLine::tr("--unit-length needs --page SIZE"));
        double length = 0;
        if (const std::optional<int> status = readNumber(parser, "unit-length", length))
            return status;
        command.unitLength = length;
    }
    // The style's options take the names the settings remember, in any case; without a value, an
    // item is on.
    for (std::size_t choice = 0; choice < choiceDesigns.size(); ++choice) {
        const ChoiceDesign &design = choiceDesigns.at(choice);
        if (!design.option || !parser.isSet(QLatin1String(design.option)))
            continue;
        const QString name = !design.options[0].second ? QStringLiteral("on")
                                                       : parser.value(QLatin1String(design.option));
        chosen.at(choice) = optionNamed(int(choice), name);
        if (chosen.at(choice) < 0)
            return mistake(CommandLine::tr(design.mistake), name);
    }
    command.style = styleOf(chosen);
    return std::nullopt;
}

// Reads what the options ask to draw into `command`; the status of a mistake in them. Every file
// is checked here, so that a mistake in the command writes nothing.
std::optional<int> readCommand(const QCommandLineParser &parser, Command &command)
{
    Graphs graphs;
    graphing::View view;
    if (std::optional<int> status = readGraphs(parser, graphs))
        return status;
    if (std::optional<int> status = readView(parser, view))
        return status;
    if (std::optional<int> status = readLook(parser, command))
        return status;
    const bool typed = parser.isSet(QStringLiteral("expression"));
    const QStringList outputs = parser.values(QStringLiteral("output"));
    const QString placeholder = QStringLiteral("{n}");
    QSet<QString> files;
    for (const std::optional<graphing::Function> &graph : graphs) {
        const int number = graph ? graph->number().value_or(0) : 0;
        for (const QString &output : outputs) {
            const QString rest = QString(output).remove(placeholder);
            if (rest.contains(QLatin1Char('{')) || rest.contains(QLatin1Char('}')))
                return mistake(CommandLine::tr("'%1' has a brace that is not part of {n}"), output);
            if (typed && rest != output)
                return mistake(CommandLine::tr("'%1' has {n}, a function's number: --expression "
                                               "graphs a typed function, which has none"),
                               output);
            if (graphs.size() > 1 && rest == output)
                return mistake(
                    CommandLine::tr(
                        "'%1' needs {n}, the function's number, to name one file for each "
                        "function"),
                    output);
            const QString path = QString(output).replace(placeholder, QString::number(number));
            const std::optional<PictureFormat> format = pictureFormatOf(path);
            if (!format)
                return mistake(
                    CommandLine::tr(
                        "cannot tell the format of '%1': the file name must end in .png, "
                        ".svg, .pdf or .wav"),
                    path);
            if (*format == PictureFormat::Wav && !graph)
                return mistake(CommandLine::tr("the axes alone have no curve to be heard: '%1' "
                                               "needs --function 1 to 5"),
                               path);
            const QString file = fileIdentity(path);
            if (files.contains(file))
                return mistake(CommandLine::tr("'%1' would be written twice"), path);
            files.insert(file);
            command.pictures.append(
                {graphing::PictureContent(graph, command.style, view), path, *format, {}});
        }
    }
    if (parser.isSet(QStringLiteral("key-points")))
        command.keyPointsOf = graphing::PictureContent(graphs.constFirst(), {}, view);
    // The options that shape a picture need one; a sound has no style.
    const auto all = [&command](bool (*test)(const Picture &)) {
        return std::all_of(command.pictures.cbegin(), command.pictures.cend(), test);
    };
    QStringList shaping{QStringLiteral("scale")};
    for (const ChoiceDesign &design : choiceDesigns) {
        if (design.option)
            shaping << QLatin1String(design.option);
    }
    for (const QString &name : shaping) {
        if (outputs.isEmpty() && parser.isSet(name))
            return complain(
                CommandLine::tr("%1 needs --output FILE").arg(QStringLiteral("--") + name));
    }
    if (parser.isSet(QStringLiteral("scale"))) {
        if (all([](const Picture &picture) { return picture.format != PictureFormat::Png; }))
            return mistake(CommandLine::tr("--scale applies to PNG pictures only, not to '%1'"),
                           outputs[0]);
        double scale = 1;
        if (std::optional<int> status = readNumber(parser, "scale", scale))
            return status;
        // As Qt keeps a window's ratio, in whole 1/65536ths: a PNG at --scale 1.1 has the pixels
        // of a window at QT_SCALE_FACTOR=1.1.
        command.ratio = std::trunc(scale * 0x10000) / 0x10000;
    }
    for (const QString &name : shaping.mid(1)) {
        if (parser.isSet(name)
            && all([](const Picture &picture) { return picture.format == PictureFormat::Wav; }))
            return complain(CommandLine::tr("%1 applies to pictures only, not to the sound '%2'")
                                .arg(QStringLiteral("--") + name, outputs[0]));
    }
    // A page is printed from each picture, with its caption; every one must fit.
    for (Picture &picture : command.pictures) {
        if (!command.page)
            break;
        if (picture.format != PictureFormat::Pdf)
            return mistake(CommandLine::tr("--page prints on a PDF page only, not into '%1'"),
                           picture.path);
        picture.pageOptions = {command.unitLength, pictureCaption(picture.content)};
        if (const std::optional<QString> problem =
                whyNotOnPage(picture.content, *command.page, picture.pageOptions))
            return complain(*problem);
    }
    return std::nullopt;
}

// Writes the files in order, each drawn ahead on Qt's thread pool; the first failure ends the run
// with every earlier file complete and no later one begun. The status to exit with.
int carryOut(const Command &command)
{
    const auto draw = [&command](const Picture &picture) {
        return command.page
                   ? pagePdf(picture.content, *command.page, printResolution, picture.pageOptions)
                   : encodePicture(picture.content, picture.format, command.ratio);
    };
    QFuture<QByteArray> drawn = QtConcurrent::mapped(command.pictures, draw);
    const auto stop = qScopeGuard([&drawn] {
        drawn.cancel();
        drawn.waitForFinished();
    });
    PictureFiles files;
    std::optional<WriteFailure> failure;
    for (int i = 0; i < int(command.pictures.size()) && !failure; ++i)
        failure = files.add(command.pictures[i].path, drawn.resultAt(i));
    // The files before a failure are put in place; the first that fails is told.
    if (std::optional<WriteFailure> earlier = files.commit())
        failure = earlier;
    if (failure)
        return complain(
            CommandLine::tr("could not write %1: %2").arg(failure->path, failure->reason), 1);
    if (command.keyPointsOf)
        return print(stdout, keyPointLines(*command.keyPointsOf)) ? 0 : 1;
    return 0;
}

QtMessageHandler qtMessageHandler = nullptr;
constexpr char noDisplayText[] = QT_TRANSLATE_NOOP(
    "app::CommandLine",
    "no display could be opened; use --output FILE to draw a picture without one");
// What reportFatal says, in the user's language: worded before the display is opened.
QByteArray noDisplay;

void reportFatal(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // The one fatal message while the application starts: no platform plugin, so no display.
    if (type == QtFatalMsg) {
        std::fputs(noDisplay.constData(), stderr);
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
    QStringList names = QString::fromLatin1(windowOptions).split(QLatin1Char(' '));
    for (const Option &option : CommandLine::options)
        names << QLatin1String(option.names);
    for (const QString &name : names) {
        const bool takesValue = name.endsWith(QLatin1Char('='));
        parser.addOption({(takesValue ? name.chopped(1) : name).split(QLatin1Char(',')),
                          {},
                          takesValue ? QStringLiteral("value") : QString()});
    }
    const auto isOwn = [&parser](const Option &option) {
        return parser.isSet(firstName(option.names));
    };
    if (parser.parse(arguments) && parser.positionalArguments().isEmpty()
        && std::none_of(std::cbegin(CommandLine::options), std::cend(CommandLine::options), isOwn))
        return std::nullopt;

    // The translations need an application object; the parser, which words some errors, parses
    // again with them. Text needs a GUI application's fonts; without text no plugin is needed.
    const bool drawsText =
        parser.isSet(QStringLiteral("numbers")) || parser.isSet(QStringLiteral("page"));
    static char name[] = "function-graph", platform[] = "-platform", offscreen[] = "offscreen";
    char *applicationArgv[] = {name, platform, offscreen, nullptr};
    // Without XDG_RUNTIME_DIR (cron, ssh) Qt would warn and share one; a private one serves.
    std::optional<QTemporaryDir> runtimeFolder;
    if (drawsText && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtimeFolder.emplace(QDir::tempPath() + QStringLiteral("/function-graph-XXXXXX"));
        if (runtimeFolder->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder->path()));
    }
    int applicationArgc = drawsText ? 3 : 1;
    const std::unique_ptr<QCoreApplication> application =
        drawsText ? std::make_unique<QGuiApplication>(applicationArgc, applicationArgv)
                  : std::make_unique<QCoreApplication>(applicationArgc, applicationArgv);
    if (!drawsText)
        QCoreApplication::setLibraryPaths({});
    Translations translations;
    translations.install();
    if (!parser.parse(arguments))
        return complain(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return complain(
            CommandLine::tr("unexpected argument '%1'").arg(parser.positionalArguments()[0]));
    // Qt reads names as UTF-8; any other bytes would name another file than the one given.
    if (!notUtf8.isEmpty())
        return complain(
            CommandLine::tr("'%1' is not valid UTF-8, the only encoding of file names and "
                            "arguments Qt reads")
                .arg(notUtf8));
    const bool help = parser.isSet(QStringLiteral("help"));
    if (help || parser.isSet(QStringLiteral("version"))) {
        if (print(stdout, help ? helpText()
                               : QStringLiteral("%1 %2\n").arg(QLatin1String(programName),
                                                               QLatin1String(applicationVersion))))
            return 0;
        return complain(
            help ? CommandLine::tr("the help could not be written to the standard output")
                 : CommandLine::tr("the version could not be written to the standard output"),
            1);
    }
    Command command;
    if (std::optional<int> status = readCommand(parser, command))
        return status;
    return carryOut(command);
}

void reportMissingDisplay(bool whileOpening, const Translations &translations)
{
    if (whileOpening) {
        const QString problem = translations.translate("app::CommandLine", noDisplayText);
        noDisplay =
            (QString::fromLatin1(programName) + QLatin1String(": ") + problem + QLatin1Char('\n'))
                .toLocal8Bit();
    }
    // Without a display the user sees reportFatal's one line; Qt's warnings on the way say the same
    // at length and are silenced meanwhile (QT_LOGGING_RULES takes precedence).
    QLoggingCategory::setFilterRules(whileOpening ? QStringLiteral("qt.qpa.*=false") : QString());
    if (whileOpening)
        qtMessageHandler = qInstallMessageHandler(reportFatal);
    else
        qInstallMessageHandler(qtMessageHandler);
}

} // namespace app
