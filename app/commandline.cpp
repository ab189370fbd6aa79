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
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <future>
#include <memory>
#include <thread>
#include <variant>

namespace app {

namespace {

// Texts worded here are translated in this context.
struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(app::CommandLine)
};

constexpr char programName[] = "function-graph";

// The largest --unit-length in millimetres, the most that fits the largest page --page offers,
// A3, with any function's caption (largestUnitLength in picturefile.h; tst_commandline prints
// 13.3 mm on A3 and refuses 13.4).
constexpr double largestUnitLength = 13.3;

// The program's own options. A name ending in '=' takes a value; aliases are joined by ','.
constexpr char ownOptions[] =
    "function= output= scale= help,h version,v background= line-width= numbers grid page= "
    "unit-length= expression= x-range= y-range= key-points";
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
    return CommandLine::tr(
               "Usage: %1 [--function N --output FILE [--scale S]]\n"
               "\n"
               "Without options, opens the window. With them, draws the graph of each function\n"
               "listed into each FILE and exits, without a window or a display.\n"
               "\n"
               "  --function N    the functions to graph, one or a list such as 1-5 or 0,2-3:\n"
               "%2                    0  no graph: the axes shown at start-up\n"
               "  --output FILE   the picture file, in the format its name ends in: .png, .svg,\n"
               "                  .pdf, or .wav for the curve as sound (four seconds, pitch\n"
               "                  following y, left to right with x); an existing file is\n"
               "                  replaced whole. {n} in the name stands for the function's\n"
               "                  number, and is needed when N lists more than one. Repeat\n"
               "                  --output for more files of each function:\n"
               "                    --function 1-5 --output 'f{n}.png' --output 'f{n}.svg'\n"
               "                  writes ten files, in that order; the first that cannot be\n"
               "                  written ends the run, and those written before it stay\n"
               "  --expression E  a function of x typed as on a calculator, in place of\n"
               "                  --function: 'y = 0.5x^2 - 3', 'tan(x)', '√(1 - x^2)'\n"
               "  --x-range A:B   the part of the x-axis shown (default -10:10)\n"
               "  --y-range C:D   the part of the y-axis shown (default -10:10)\n"
               "  --key-points    print the zeros, minima and maxima in view, one a line:\n"
               "                  KIND<TAB>X<TAB>Y, with or without --output\n"
               "  --scale S       pixels per window pixel in a PNG, from 0.5 to 8 (default 1:\n"
               "                  441x385 pixels, as the window shows the picture)\n"
               "  -h, --help      show this text\n"
               "  -v, --version   show the version\n"
               "\n"
               "The picture's style (the default is the window's look):\n"
               "  --background B  screen (the window's colour), white, or transparent (PNG and\n"
               "                  SVG; white in a PDF)\n"
               "  --line-width N  the curve, axes and ticks N pixels thick, from 1 to 4\n"
               "  --numbers       number the even ticks\n"
               "  --grid          light lines across the picture at the ticks\n"
               "\n"
               "A printed page instead of the picture alone (FILE must end in .pdf):\n"
               "  --page SIZE     the page the picture is printed on, with margins and a\n"
               "                  caption under it: A3, A4, A5, Letter or Legal; the\n"
               "                  background is white unless --background says otherwise\n"
               "  --unit-length L one unit of the axes L millimetres long on paper, from 1 to\n"
               "                  %3, the most that fits A3 (default: as large as the page\n"
               "                  allows)\n")
        .arg(QLatin1String(programName), functions)
        .arg(largestUnitLength);
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

// The page sizes --page takes, by their usual names.
const std::array pageSizes{QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::Letter,
                           QPageSize::Legal};

// The style and page the options ask for, or the status of a mistake in them.
struct Look {
    graphing::PictureStyle style;
    std::optional<QPageSize> page;
    plot::PageOptions pageOptions;
};
std::variant<Look, int> lookOf(const QCommandLineParser &parser)
{
    const auto mistake = [](const QString &problem, const QString &value) {
        return complain(problem.arg(value), 2);
    };
    const auto value = [&parser](const char *name) {
        return parser.isSet(QLatin1String(name)) ? std::optional(parser.value(QLatin1String(name)))
                                                 : std::nullopt;
    };
    Look look;
    Choices chosen{};
    if (const std::optional<QString> page = value("page")) {
        for (const QPageSize::PageSizeId id : pageSizes) {
            if (QPageSize::key(id).compare(*page, Qt::CaseInsensitive) == 0)
                look.page = QPageSize(id);
        }
        if (!look.page)
            return mistake(CommandLine::tr("--page must be A3, A4, A5, Letter or Legal, not '%1'"),
                           *page);
        chosen[Background] = int(graphing::Background::White);
    }
    if (const std::optional<QString> unit = value("unit-length")) {
        if (!look.page)
            return complain(CommandLine::tr("--unit-length needs --page SIZE"), 2);
        bool isNumber = false;
        const double length = unit->toDouble(&isNumber);
        // Written so that a NaN fails it too.
        if (!isNumber || !(length >= 1 && length <= largestUnitLength))
            return complain(CommandLine::tr("--unit-length must be a number of millimetres from 1 "
                                            "to %2, the most that fits A3, not '%1'")
                                .arg(*unit, QString::number(largestUnitLength)),
                            2);
        look.pageOptions.unitLength = length;
    }
    // The style's options take the names the settings remember, in any case; without a value, an
    // item is on.
    for (int choice = 0; choice < int(choiceDesigns.size()); ++choice) {
        const ChoiceDesign &design = choiceDesigns.at(std::size_t(choice));
        if (!design.option || !parser.isSet(QLatin1String(design.option)))
            continue;
        const QString name = !design.options[0].second ? QStringLiteral("on")
                                                       : parser.value(QLatin1String(design.option));
        chosen.at(std::size_t(choice)) = optionNamed(choice, name);
        if (chosen.at(std::size_t(choice)) < 0)
            return mistake(CommandLine::tr(design.mistake), name);
    }
    look.style = styleOf(chosen);
    return look;
}

// The functions `list` names ("3", "1-5", "0,2-3"), in its order; nothing when it is not such a
// list, or names one twice (its pictures would be written over each other).
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

// The view --x-range and --y-range ask for, or the status of a mistake in them.
std::variant<graphing::View, int> viewOf(const QCommandLineParser &parser)
{
    graphing::View view;
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
                    .arg(name, value),
                2);
    }
    if (!graphing::isDrawable(view))
        return complain(CommandLine::tr("the view %1 cannot be drawn: each range must lie within "
                                        "-1e9 to 1e9 and be at least a billionth of its distance "
                                        "from 0 long")
                            .arg(viewInWords(view)),
                        2);
    return view;
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

// One picture the command asks for.
struct Picture {
    graphing::PictureContent content;
    QString path;
    PictureFormat format;
    plot::PageOptions pageOptions; // when it is printed on a page
};

// A style option given when every output is a sound, which has no style; nothing otherwise.
std::optional<QString> styleWithoutPicture(const QCommandLineParser &parser,
                                           const QList<Picture> &pictures)
{
    if (std::any_of(pictures.cbegin(), pictures.cend(),
                    [](const Picture &picture) { return picture.format != PictureFormat::Wav; }))
        return std::nullopt;
    for (const ChoiceDesign &design : choiceDesigns) {
        if (design.option && parser.isSet(QLatin1String(design.option)))
            return QStringLiteral("--") + QLatin1String(design.option);
    }
    return std::nullopt;
}

// Draws what the program's own options ask for; the status to exit with. Every picture is checked
// before the first is drawn, so that a mistake in the command writes nothing.
int render(const QCommandLineParser &parser)
{
    const QString function = parser.values(QStringLiteral("function")).join(QLatin1Char(','));
    const QStringList outputs = parser.values(QStringLiteral("output"));
    const QString scale = parser.value(QStringLiteral("scale"));
    const bool typed = parser.isSet(QStringLiteral("expression"));
    const bool keyPoints = parser.isSet(QStringLiteral("key-points"));
    // A mistake in the command: `problem` with the value at fault.
    const auto mistake = [](const QString &problem, const QString &value) {
        return complain(problem.arg(value), 2);
    };
    if (parser.isSet(QStringLiteral("function")) && function.isEmpty())
        return complain(CommandLine::tr("--function is empty: give a number from 0 to 5, or a list "
                                        "such as 1-5 or 0,2-3"),
                        2);
    if (typed && parser.isSet(QStringLiteral("function")))
        return complain(CommandLine::tr("--expression and --function cannot be given together: "
                                        "each names the function to draw"),
                        2);
    if ((function.isEmpty() && !typed) || (outputs.isEmpty() && !keyPoints)) {
        // The first option given that draws nothing by itself.
        const QString given = QStringLiteral("--") + parser.optionNames().constFirst();
        return complain(function.isEmpty() && !typed && outputs.isEmpty()
                            ? CommandLine::tr("%1 needs --function N and --output FILE").arg(given)
                        : outputs.isEmpty() ? CommandLine::tr("--function needs --output FILE")
                                            : CommandLine::tr("--output needs --function N"),
                        2);
    }
    // What is graphed: the functions listed, or the one typed.
    QList<std::optional<graphing::Function>> graphs;
    if (typed) {
        auto parsed =
            graphing::Expression::parse(parser.value(QStringLiteral("expression")).toStdString());
        if (const auto *const error = std::get_if<graphing::ExpressionError>(&parsed))
            return complain(QStringLiteral("--expression: ") + describeProblem(*error), 2);
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
        return complain(CommandLine::tr("--key-points needs one function to graph"), 2);
    const std::variant<graphing::View, int> view = viewOf(parser);
    if (const int *const status = std::get_if<int>(&view))
        return *status;
    const std::variant<Look, int> asked = lookOf(parser);
    if (const int *const status = std::get_if<int>(&asked))
        return *status;
    const Look &look = std::get<Look>(asked);
    const QString placeholder = QStringLiteral("{n}");
    QList<Picture> pictures;
    QSet<QString> paths;
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
            if (!format) {
                return mistake(
                    CommandLine::tr(
                        "cannot tell the format of '%1': the file name must end in .png, "
                        ".svg, .pdf or .wav"),
                    path);
            }
            if (*format == PictureFormat::Wav && !graph) {
                return mistake(CommandLine::tr("the axes alone have no curve to be heard: '%1' "
                                               "needs --function 1 to 5"),
                               path);
            }
            const QString file = fileIdentity(path);
            if (paths.contains(file))
                return mistake(CommandLine::tr("'%1' would be written twice"), path);
            paths.insert(file);
            pictures.append({graphing::PictureContent(graph, {}, std::get<graphing::View>(view)),
                             path,
                             *format,
                             {}});
        }
    }
    // What every picture shares, from the options that apply to all of them.
    double ratio = 1;
    if (parser.isSet(QStringLiteral("scale"))) {
        if (std::none_of(pictures.cbegin(), pictures.cend(), [](const Picture &picture) {
                return picture.format == PictureFormat::Png;
            }))
            return mistake(CommandLine::tr("--scale applies to PNG pictures only, not to '%1'"),
                           outputs[0]);
        bool isNumber = false;
        ratio = scale.toDouble(&isNumber);
        // Written so that a NaN fails it too.
        if (!isNumber || !(ratio >= 0.5 && ratio <= 8))
            return mistake(CommandLine::tr("--scale must be a number from 0.5 to 8, not '%1'"),
                           scale);
    }
    if (const std::optional<QString> option = styleWithoutPicture(parser, pictures))
        return complain(CommandLine::tr("%1 applies to pictures only, not to the sound '%2'")
                            .arg(*option, outputs[0]),
                        2);
    // A page is printed from each picture, with its caption; every one must fit.
    for (Picture &picture : pictures) {
        picture.content.style = look.style;
        if (!look.page)
            continue;
        if (picture.format != PictureFormat::Pdf)
            return mistake(CommandLine::tr("--page prints on a PDF page only, not into '%1'"),
                           picture.path);
        plot::PageOptions &options = picture.pageOptions;
        options = {look.pageOptions.unitLength, pictureCaption(picture.content)};
        if (const std::optional<QString> problem =
                whyNotOnPage(picture.content, printedPage(*look.page), options))
            return complain(*problem, 2);
    }
    // Each core draws a picture while the one before is written, in the order given: the first
    // failure ends the run with every earlier file complete and no later one begun. The files
    // wait for the disk together, when all are written.
    const auto draw = [&look, ratio](const Picture &picture) {
        return look.page ? pagePdf(picture.content, printedPage(*look.page), printResolution,
                                   picture.pageOptions)
                         : encodePicture(picture.content, picture.format, storedRatio(ratio));
    };
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    std::deque<std::future<QByteArray>> encoding;
    PictureFiles files;
    const auto couldNotWrite = [](const WriteFailure &failure) {
        return complain(CommandLine::tr("could not write %1: %2").arg(failure.path, failure.reason),
                        1);
    };
    for (qsizetype next = 0, written = 0; written < pictures.size(); ++written) {
        for (; next < pictures.size() && encoding.size() < cores; ++next)
            encoding.push_back(std::async(std::launch::async, draw, std::cref(pictures[next])));
        const QByteArray data = encoding.front().get();
        encoding.pop_front();
        if (std::optional<WriteFailure> failure = files.add(pictures[written].path, data)) {
            // The files before it are put in place; the first that fails is told.
            if (std::optional<WriteFailure> earlier = files.commit())
                failure = earlier;
            return couldNotWrite(*failure);
        }
    }
    if (const std::optional<WriteFailure> failure = files.commit())
        return couldNotWrite(*failure);
    if (keyPoints) {
        const graphing::PictureContent content(graphs.constFirst(), {},
                                               std::get<graphing::View>(view));
        return print(stdout, keyPointLines(content)) ? 0 : 1;
    }
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
    if (type == QtFatalMsg) {
        // The one fatal message while the application object starts: no platform plugin could be
        // initialised, which on a machine with the program's packages means no display.
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
    if (parser.parse(arguments) && parser.positionalArguments().isEmpty()
        && std::none_of(own.cbegin(), own.cend(),
                        [&parser](const QString &name) { return parser.isSet(name); }))
        return std::nullopt;

    // The program answers without a window, in the user's language: translations are installed
    // into an application object, which the picture files' messages and Qt's own need. The
    // parser words some errors as it parses (a missing value), so it parses again with Qt's
    // translation in place. Text in a picture needs the fonts, which only a GUI application
    // finds, on the offscreen platform, which needs no display. Without text nothing drawn comes
    // from a plugin, and looking through the plugin folders (as the PNG writer does for other
    // image formats) would only cost time.
    const bool drawsText =
        parser.isSet(QStringLiteral("numbers")) || parser.isSet(QStringLiteral("page"));
    QByteArray name(programName);
    QByteArray platform("-platform");
    QByteArray offscreen("offscreen");
    char *applicationArgv[] = {name.data(), platform.data(), offscreen.data(), nullptr};
    // The GUI application wants a runtime folder; without XDG_RUNTIME_DIR (cron, ssh, CI) Qt
    // would warn and make a shared one under /tmp. A private one (0700) serves the run instead,
    // and goes after the application object.
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
        return complain(parser.errorText(), 2);
    if (!parser.positionalArguments().isEmpty())
        return complain(
            CommandLine::tr("unexpected argument '%1'").arg(parser.positionalArguments()[0]), 2);
    // Qt reads names as UTF-8; any other bytes would name another file than the one given.
    if (!notUtf8.isEmpty()) {
        return complain(
            CommandLine::tr("'%1' is not valid UTF-8, the only encoding of file names and "
                            "arguments Qt reads")
                .arg(notUtf8),
            2);
    }
    if (parser.isSet(own[3]) || parser.isSet(own[4])) {
        const QString version = QStringLiteral("%1 %2\n").arg(QLatin1String(programName),
                                                              QLatin1String(applicationVersion));
        if (print(stdout, parser.isSet(own[3]) ? helpText() : version))
            return 0;
        return complain(
            parser.isSet(own[3])
                ? CommandLine::tr("the help could not be written to the standard output")
                : CommandLine::tr("the version could not be written to the standard output"),
            1);
    }
    return render(parser);
}

void reportMissingDisplay(bool whileOpening, const Translations &translations)
{
    if (whileOpening) {
        const QString problem = translations.translate("app::CommandLine", noDisplayText);
        noDisplay =
            (QString::fromLatin1(programName) + QLatin1String(": ") + problem + QLatin1Char('\n'))
                .toLocal8Bit();
    }
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
