// The program on the screens its users have: fractional scale factors and font resolutions, two
// monitors of different density, the keyboard focus, and a screen reader. As in tst_endtoend, the
// built program runs on virtual X displays of the test's own, driven by real input and judged on
// screenshots; the expected pictures come from the formulas alone.
#include "expectedpicture.h"
#include "externaltool.h"
#include "imageregions.h"
#include "mismatches.h"
#include "runningprogram.h"
#include "virtualdisplay.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

using e2e::ExpectedPicture;
using e2e::Mismatches;
using e2e::PixelSet;
using e2e::RunningProgram;

namespace {

// The design, in logical pixels of the client area.
constexpr QSize clientSize(639, 436);
constexpr QPoint optionClickPoint(int k)
{
    return {520, 92 + 24 * k};
}
constexpr QPoint graphClickPoint(508, 224);
// Empty stretches of the window's blue margin. A click there gives the window the keyboard focus,
// as a window manager would, and leaves the pointer over neither a control nor the picture. The
// corner shows even when the window is too small for its density.
constexpr QPoint restingPoint(600, 400);
constexpr QPoint cornerRestingPoint(4, 4);
constexpr QRgb windowBlue = qRgb(0, 0, 255);

constexpr const char *functionNames[] = {"x*x-2", "x*exp(-x)+2", "5sin(x)/x", "exp(x)-1-x^2",
                                         "sqrt(x^2+1)"};
// How far, in device pixels along both axes, a curve pixel may lie from where it is expected.
constexpr int curveTolerance = 1;
constexpr float tickHalfLength = 0.1F;
// Room for the window at three times its size.
constexpr QSize screenSize(2048, 1536);
// The font resolution at which the toolkit draws one device pixel to the logical pixel.
constexpr int standardDpi = 96;
constexpr int toolTimeoutMs = 10000;
// Two monitors side by side, the right one of double density; places in the server's pixels.
constexpr QSize twoMonitorScreen(3072, 1536);
constexpr QPoint onLeftMonitor(100, 100);
constexpr QPoint onRightMonitor(1200, 100);

// The ratio a scale factor gives: the toolkit hands a paint device's ratio on in whole 1/65536ths,
// the rest dropped, so 1.1 becomes 1.0999908 and the picture ends a row higher than at 1.1.
qreal storedRatio(qreal factor)
{
    return std::floor(factor * 65536) / 65536;
}

bool shows(const QImage &image, QRgb colour)
{
    return e2e::anyPixel(image, e2e::isColour(colour), image.rect());
}

void addFault(QStringList &faults, const Mismatches &mismatches, const char *what)
{
    if (!mismatches.isEmpty())
        faults << mismatches.summary(QLatin1String(what));
}

// Pixels of `picture` in none of its own colours: blended ones.
Mismatches blendedPixels(const QImage &picture, QRgb lineColour)
{
    Mismatches blended;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y);
            if (colour != e2e::pictureBackground && colour != e2e::foreground
                && colour != lineColour)
                blended.add({x, y}, e2e::isColourText(colour));
        }
    }
    return blended;
}

// What is wrong with `picture` as the start-up frame (function 0) or the graph of a function.
QStringList faultsOf(const QImage &picture, const ExpectedPicture &expected, int function)
{
    const bool graphed = function > 0;
    QStringList faults;
    addFault(faults, blendedPixels(picture, graphed ? e2e::curveColour : e2e::startupAxisColour),
             "pixels of a blended colour");
    // Under the curve, exactly the frame.
    const QImage frame = graphed ? expected.graphFrame() : expected.startupFrame();
    Mismatches offFrame;
    PixelSet red(picture.size());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y);
            if (graphed && colour == e2e::curveColour)
                red.insert({x, y});
            else if (colour != frame.pixel(x, y))
                offFrame.add({x, y}, e2e::isColourText(colour));
        }
    }
    addFault(faults, offFrame, "pixels differ from the frame");
    if (!graphed)
        return faults;

    // The frame's end ticks lie whole on the picture's outermost pen widths.
    const struct {
        const char *name;
        QPointF from, to;
    } endTicks[] = {{"x = -10", {-10, -tickHalfLength}, {-10, tickHalfLength}},
                    {"x = 10", {10, -tickHalfLength}, {10, tickHalfLength}},
                    {"y = 10", {-tickHalfLength, 10}, {tickHalfLength, 10}},
                    {"y = -10", {-tickHalfLength, -10}, {tickHalfLength, -10}}};
    for (const auto &tick : endTicks) {
        const PixelSet pixels = expected.line(tick.from, tick.to);
        int missing = 0;
        pixels.forEach([&](QPoint at) {
            missing += picture.pixel(at) == e2e::foreground || red.contains(at) ? 0 : 1;
        });
        if (missing > 0)
            faults << QStringLiteral("the end tick at %1 misses %2 of its %3 pixels")
                          .arg(QLatin1String(tick.name))
                          .arg(missing)
                          .arg(pixels.count());
    }

    // The curve where the formula puts it, within a pixel either way.
    const PixelSet expectedRed = expected.curve(function);
    Mismatches missing;
    expectedRed.forEach([&](QPoint at) {
        if (!red.hasMemberNear(at, curveTolerance))
            missing.add(at);
    });
    addFault(faults, missing, "curve pixels missing");
    Mismatches stray;
    red.forEach([&](QPoint at) {
        if (!expectedRed.hasMemberNear(at, curveTolerance))
            stray.add(at);
    });
    addFault(faults, stray, "red pixels off the curve");
    return faults;
}

// The pixels in which two pictures differ, over the part both show from their top-left corners.
Mismatches differences(const QImage &actual, const QImage &expected)
{
    Mismatches differing;
    const QSize common = actual.size().boundedTo(expected.size());
    for (int y = 0; y < common.height(); ++y) {
        for (int x = 0; x < common.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                differing.add({x, y}, e2e::isColourText(actual.pixel(x, y)));
        }
    }
    return differing;
}

// The picture as a screenshot shows it, found by its background: on a monitor of another
// density the window need not have the size its design asks for.
QImage pictureByItsPixels(const QImage &shot)
{
    return shot.copy(e2e::boundsOf(shot, e2e::isColour(e2e::pictureBackground)));
}

// Whether the window's margin shows a mark just outside the picture's left or bottom edge.
bool marginShowsFocus(const QImage &shot, QRect picture)
{
    constexpr int reach = 4;
    const auto marked = [&shot](QRect strip) {
        return e2e::anyPixel(shot, e2e::isNotColour(windowBlue), strip);
    };
    return marked({picture.left() - reach, picture.top(), reach, picture.height() + reach})
           || marked(
               {picture.left() - reach, picture.bottom() + 1, picture.width() + reach, reach});
}

QStringList geometryArguments(QPoint place)
{
    return {QStringLiteral("-geometry"), QStringLiteral("+%1+%2").arg(place.x()).arg(place.y())};
}

// A command that sets a new display up, with what it reads on its standard input.
struct SetUpCommand {
    QString program;
    QStringList arguments;
    QByteArray input;
};

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pictureIsExactAtEveryRatio_data();
    void pictureIsExactAtEveryRatio();
    void pictureFollowsTheMonitor_data();
    void pictureFollowsTheMonitor();
    void focusLeavesThePictureAlone_data();
    void focusLeavesThePictureAlone();
    void screenReaderSeesWindowAndImage_data();
    void screenReaderSeesWindowAndImage();

private:
    // The environment for programs on the display kept under `name`, started at `size` and set up
    // by `commands` on first use; empty, with `failure` told, when it could not be had.
    QProcessEnvironment displayEnvironment(const QString &name, QSize size,
                                           const QList<SetUpCommand> &commands, QString *failure);
    QProcessEnvironment environmentAtDpi(int dpi, QString *failure);
    QProcessEnvironment twoMonitorEnvironment(QString *failure);
    // Starts a program at `scaleFactor` (none when empty) on the display of standard resolution.
    bool startAtScale(const QString &scaleFactor, QString *failure);
    void start(const QProcessEnvironment &environment, qreal ratio,
               const QStringList &arguments = {});
    // The picture of a fresh window placed at `place` on the two monitors, Graph pressed; null,
    // with `failure` told, when it could not be had.
    QImage freshPictureAt(QPoint place, QString *failure);
    // Runs the screen reader's side once; what is missing for it, if anything.
    QString readAccessibleTree();

    QString m_server;
    e2e::DesktopTools m_tools;
    std::unique_ptr<QTemporaryDir> m_runtimeDir;
    QProcessEnvironment m_environment;
    std::map<QString, std::pair<std::unique_ptr<e2e::VirtualDisplay>, QProcessEnvironment>>
        m_displays;
    std::unique_ptr<RunningProgram> m_program;
    // What the running program was started for, while later rows may go on with it.
    QString m_configuration;
    QImage m_lastPicture;
    std::map<std::pair<int, int>, QImage> m_freshPictures;
    bool m_treeRead = false;
    QString m_treeFailure;
    // Lines of phase, role, name and description, as the screen reader's side prints them.
    QStringList m_tree;
};

void TestScreens::initTestCase()
{
    e2e::ToolFinder tools;
    m_server = tools.find(QStringLiteral("Xvfb"));
    m_tools.xdotool = tools.find(QStringLiteral("xdotool"));
    m_tools.import = tools.find(QStringLiteral("import"));
    tools.find(QStringLiteral("xrandr"));
    tools.find(QStringLiteral("xrdb"));
    QVERIFY2(tools.missingTools().isEmpty(), qPrintable(tools.missingTools()));

    // The toolkit wants a private runtime folder; a temporary one is made for the owner alone.
    m_runtimeDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtimeDir->isValid());
    m_environment = e2e::programEnvironment(m_runtimeDir->path());
}

void TestScreens::cleanupTestCase()
{
    m_program.reset();
    m_displays.clear();
    m_runtimeDir.reset();
}

QProcessEnvironment TestScreens::displayEnvironment(const QString &name, QSize size,
                                                    const QList<SetUpCommand> &commands,
                                                    QString *failure)
{
    if (const auto found = m_displays.find(name); found != m_displays.end())
        return found->second.second;
    auto server = std::make_unique<e2e::VirtualDisplay>(m_server, size);
    if (!server->isRunning()) {
        *failure = server->failure();
        return {};
    }
    QProcessEnvironment environment = m_environment;
    environment.insert(QStringLiteral("DISPLAY"), server->name());
    for (const SetUpCommand &command : commands) {
        const e2e::ToolResult result = e2e::runTool(command.program, command.arguments, environment,
                                                    toolTimeoutMs, command.input);
        if (!result.succeeded()) {
            *failure = result.describe(command.program);
            return {};
        }
    }
    m_displays.emplace(name, std::pair(std::move(server), environment));
    return environment;
}

QProcessEnvironment TestScreens::environmentAtDpi(int dpi, QString *failure)
{
    // The font resolution is a resource of the whole server, so each has a server of its own;
    // the server does not reset when a program leaves, so the resource stays.
    QList<SetUpCommand> commands;
    if (dpi != standardDpi)
        commands.append({QStringLiteral("xrdb"),
                         {QStringLiteral("-merge")},
                         QStringLiteral("Xft.dpi: %1\n").arg(dpi).toLatin1()});
    return displayEnvironment(QStringLiteral("dpi %1").arg(dpi), screenSize, commands, failure);
}

QProcessEnvironment TestScreens::twoMonitorEnvironment(QString *failure)
{
    const auto setMonitor = [](const char *name, const char *geometry) {
        return SetUpCommand{QStringLiteral("xrandr"),
                            {QStringLiteral("--setmonitor"), QLatin1String(name),
                             QLatin1String(geometry), QStringLiteral("none")},
                            {}};
    };
    QProcessEnvironment environment =
        displayEnvironment(QStringLiteral("two monitors"), twoMonitorScreen,
                           {setMonitor("LEFT", "1024/271x768/203+0+0"),
                            setMonitor("RIGHT", "2048/542x1536/406+1024+0")},
                           failure);
    if (!environment.isEmpty())
        environment.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"),
                           QStringLiteral("LEFT=1;RIGHT=2"));
    return environment;
}

void TestScreens::start(const QProcessEnvironment &environment, qreal ratio,
                        const QStringList &arguments)
{
    // One window at a time: with no window manager windows could stand over each other.
    m_program.reset();
    m_configuration.clear();
    m_lastPicture = {};
    m_program = std::make_unique<RunningProgram>(QStringLiteral(FUNCTION_GRAPH_PATH), environment,
                                                 m_tools, ratio, arguments);
    // The pointer may still stand where the last window had a button, over this one's picture,
    // where it would bring up the read-off's readout: it rests in the margin instead.
    if (m_program->hasWindow())
        m_program->moveTo(cornerRestingPoint);
}

void TestScreens::pictureIsExactAtEveryRatio_data()
{
    QTest::addColumn<QString>("scaleFactor"); // empty: none set
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("function"); // 0: the start-up frame

    const auto addRows = [](const QString &configuration, const QString &scaleFactor, int dpi) {
        QTest::addRow("%s, start-up", qPrintable(configuration)) << scaleFactor << dpi << 0;
        for (int function = 1; function <= 5; ++function) {
            QTest::addRow("%s, %s", qPrintable(configuration), functionNames[function - 1])
                << scaleFactor << dpi << function;
        }
    };
    for (const char *factor : {"1", "1.1", "1.2", "1.25", "1.33", "1.5", "1.75", "2", "2.5", "3"})
        addRows(QStringLiteral("scale %1").arg(QLatin1String(factor)), QLatin1String(factor),
                standardDpi);
    for (const int dpi : {120, 144})
        addRows(QStringLiteral("Xft.dpi %1").arg(dpi), {}, dpi);
}

void TestScreens::pictureIsExactAtEveryRatio()
{
    QFETCH(QString, scaleFactor);
    QFETCH(int, dpi);
    QFETCH(int, function);
    const qreal ratio =
        scaleFactor.isEmpty() ? qreal(dpi) / standardDpi : storedRatio(scaleFactor.toDouble());

    // One program per density: its start-up frame, then each function graphed in turn.
    const QString configuration = QStringLiteral("%1 at %2 dpi").arg(scaleFactor).arg(dpi);
    if (function == 0 || !m_program || m_configuration != configuration) {
        QString failure;
        QProcessEnvironment environment = environmentAtDpi(dpi, &failure);
        QVERIFY2(!environment.isEmpty(), qPrintable(failure));
        if (!scaleFactor.isEmpty())
            environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
        start(environment, ratio);
        QVERIFY2(m_program->hasWindow(), qPrintable(m_program->failure()));
        m_configuration = configuration;
    }

    const QRect area = e2e::deviceRect(e2e::logicalPictureRect, ratio);
    if (function > 0) {
        QVERIFY(m_program->click(optionClickPoint(function - 1)));
        QVERIFY(m_program->click(graphClickPoint));
    }
    const QImage previous = m_lastPicture;
    const e2e::Screenshot shot = m_program->screenshotWhen([&](const QImage &image) {
        const QImage picture = image.copy(area);
        if (function == 0)
            return shows(picture, e2e::startupAxisColour);
        return shows(picture, e2e::curveColour) && !shows(picture, e2e::startupAxisColour)
               && picture != previous;
    });
    m_lastPicture = shot.image.copy(area);
    QVERIFY2(shot.ready, "the picture never showed the start-up frame or the chosen graph");

    // The window's size says the toolkit took the ratio the expected picture is worked out for.
    QCOMPARE(shot.image.size(),
             QSize(qRound(clientSize.width() * ratio), qRound(clientSize.height() * ratio)));
    const QStringList faults = faultsOf(m_lastPicture, ExpectedPicture(ratio), function);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

QImage TestScreens::freshPictureAt(QPoint place, QString *failure)
{
    const auto key = std::pair(place.x(), place.y());
    if (const auto found = m_freshPictures.find(key); found != m_freshPictures.end())
        return found->second;
    const QProcessEnvironment environment = twoMonitorEnvironment(failure);
    if (environment.isEmpty())
        return {};
    start(environment, 1, geometryArguments(place));
    // Judged by change alone: a blurred picture need not hold a pixel of the curve's own colour.
    const auto showsPicture = [](const QImage &image) {
        return shows(image, e2e::pictureBackground);
    };
    const QImage before = m_program->screenshotWhen(showsPicture).image;
    // The focus starts on the first option button; Graph is the next control.
    const bool pressed = m_program->hasWindow() && m_program->click(cornerRestingPoint)
                         && m_program->pressKeys({QStringLiteral("Tab"), QStringLiteral("space")});
    const e2e::Screenshot shot = m_program->screenshotWhen([&](const QImage &image) {
        return showsPicture(image) && pictureByItsPixels(image) != pictureByItsPixels(before);
    });
    m_program.reset();
    if (!pressed || !shot.ready) {
        *failure = QStringLiteral("a fresh window's picture never changed on pressing Graph");
        return {};
    }
    return m_freshPictures[key] = pictureByItsPixels(shot.image);
}

void TestScreens::pictureFollowsTheMonitor_data()
{
    QTest::addColumn<QList<QPoint>>("stops");
    QTest::newRow("left, right, left")
        << QList<QPoint>{onLeftMonitor, onRightMonitor, onLeftMonitor};
    QTest::newRow("right, left, right")
        << QList<QPoint>{onRightMonitor, onLeftMonitor, onRightMonitor};
}

void TestScreens::pictureFollowsTheMonitor()
{
    QFETCH(QList<QPoint>, stops);
    // What a window started on each monitor shows, before this one starts.
    QString failure;
    for (const QPoint place : stops)
        QVERIFY2(!freshPictureAt(place, &failure).isNull(), qPrintable(failure));

    for (int stop = 0; stop < stops.size(); ++stop) {
        const QImage fresh = freshPictureAt(stops[stop], &failure);
        if (stop == 0) {
            start(twoMonitorEnvironment(&failure), 1, geometryArguments(stops[stop]));
            QVERIFY2(m_program->hasWindow(), qPrintable(m_program->failure()));
        } else {
            QVERIFY(m_program->moveWindow(stops[stop]));
        }
        QVERIFY(m_program->click(cornerRestingPoint));
        QVERIFY(m_program->pressKeys(
            stop == 0 ? QStringList{QStringLiteral("Tab"), QStringLiteral("space")}
                      : QStringList{QStringLiteral("space")}));
        const e2e::Screenshot shot = m_program->screenshotWhen([&fresh](const QImage &image) {
            const QImage picture = pictureByItsPixels(image);
            return shows(picture, e2e::curveColour) && differences(picture, fresh).isEmpty();
        });

        const QImage picture = pictureByItsPixels(shot.image);
        // The toolkit may leave a fixed-size window at the size it had on the other monitor.
        const QSize window = m_program->nativeSize();
        const QString where =
            QStringLiteral("at stop %1 (%2 monitor, window %3x%4, picture %5x%6 shown, a fresh "
                           "window's %7x%8)")
                .arg(stop + 1)
                .arg(stops[stop] == onLeftMonitor ? "left" : "right")
                .arg(window.width())
                .arg(window.height())
                .arg(picture.width())
                .arg(picture.height())
                .arg(fresh.width())
                .arg(fresh.height());
        qInfo("%s", qPrintable(where));
        QStringList faults;
        addFault(faults, blendedPixels(picture, e2e::curveColour), "pixels of a blended colour");
        addFault(faults, differences(picture, fresh), "pixels differ from a fresh window's");
        QVERIFY2(faults.isEmpty(), qPrintable(where + QStringLiteral(": ") + faults.join("; ")));
    }
}

void TestScreens::focusLeavesThePictureAlone_data()
{
    QTest::addColumn<QString>("scaleFactor");
    QTest::newRow("scale 1") << QStringLiteral("1");
    QTest::newRow("scale 1.5") << QStringLiteral("1.5");
}

void TestScreens::focusLeavesThePictureAlone()
{
    QFETCH(QString, scaleFactor);
    const qreal ratio = storedRatio(scaleFactor.toDouble());
    QString failure;
    QProcessEnvironment environment = environmentAtDpi(standardDpi, &failure);
    QVERIFY2(!environment.isEmpty(), qPrintable(failure));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    start(environment, ratio);
    QVERIFY2(m_program->hasWindow(), qPrintable(m_program->failure()));

    const QRect area = e2e::deviceRect(e2e::logicalPictureRect, ratio);
    QVERIFY(m_program->click(restingPoint));
    e2e::Screenshot shot = m_program->screenshotWhen(
        [&area](const QImage &image) { return shows(image.copy(area), e2e::startupAxisColour); });
    QVERIFY2(shot.ready, "the start-up frame never showed");
    const QImage picture = shot.image.copy(area);
    QVERIFY(!marginShowsFocus(shot.image, area));

    // The tab order runs from the first option button to Graph, the picture and End.
    for (const QString focus : {"Graph", "the picture", "End"}) {
        const QImage before = shot.image;
        QVERIFY(m_program->pressKeys({QStringLiteral("Tab")}));
        shot =
            m_program->screenshotWhen([&before](const QImage &image) { return image != before; });
        QVERIFY2(shot.ready, qPrintable("nothing showed the focus moving to " + focus));
        const Mismatches changed = differences(shot.image.copy(area), picture);
        QVERIFY2(changed.isEmpty(),
                 qPrintable(QStringLiteral("with the focus on %1: %2")
                                .arg(focus, changed.summary("picture pixels changed"))));
        const bool onPicture = focus == QLatin1String("the picture");
        QVERIFY2(marginShowsFocus(shot.image, area) == onPicture,
                 qPrintable(QStringLiteral("with the focus on %1 the margin %2 a mark")
                                .arg(focus, onPicture ? "lacks" : "shows")));
    }
}

QString TestScreens::readAccessibleTree()
{
    const QString sessionRunner =
        QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
    const QString python = QStringLiteral("/usr/bin/python3");
    QStringList missing;
    if (sessionRunner.isEmpty())
        missing << QStringLiteral("dbus-run-session (dbus)");
    if (!QFileInfo(launcher).isExecutable())
        missing << launcher + QStringLiteral(" (at-spi2-core)");
    if (!QFileInfo(python).isExecutable()
        || !e2e::runTool(python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")},
                         m_environment, toolTimeoutMs)
                .succeeded())
        missing << QStringLiteral("the python3 module pyatspi (python3-pyatspi)");
    if (!missing.isEmpty() || m_treeRead)
        return missing.join(QStringLiteral(", "));

    m_treeRead = true;
    const QProcessEnvironment environment = environmentAtDpi(standardDpi, &m_treeFailure);
    if (environment.isEmpty())
        return {};
    m_program.reset(); // the script starts a program of its own
    m_configuration.clear();
    // The third function chosen and graphed.
    QStringList arguments{QStringLiteral("--"),
                          python,
                          QStringLiteral(ACCESSIBLE_TREE_SCRIPT),
                          QStringLiteral(FUNCTION_GRAPH_PATH),
                          launcher,
                          m_tools.xdotool};
    for (const QPoint click : {optionClickPoint(2), graphClickPoint})
        arguments << QStringLiteral("%1,%2").arg(click.x()).arg(click.y());
    const e2e::ToolResult result =
        e2e::runTool(sessionRunner, arguments, environment, 3 * toolTimeoutMs);
    if (result.succeeded())
        m_tree = QString::fromUtf8(result.output).split(QLatin1Char('\n'));
    else
        m_treeFailure = result.describe(QStringLiteral("The screen reader's side"));
    return {};
}

void TestScreens::screenReaderSeesWindowAndImage_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("startupDescription"); // null: not checked
    QTest::addColumn<QString>("graphedDescription");

    const auto control = [](const char *row, const char *role, const char *name) {
        QTest::newRow(row) << QString::fromLatin1(role) << QString::fromLatin1(name) << QString()
                           << QString();
    };
    control("window", "frame", "Graph");
    QTest::newRow("picture") << QStringLiteral("image") << QStringLiteral("Plot")
                             << QStringLiteral("Axes from -10 to 10")
                             << QStringLiteral("Graph of y = 5 sine x over x from -10 to 10");
    control("title", "label", "Graph Drawing Method");
    control("option 1", "radio button", "y = x squared minus 2");
    control("option 2", "radio button", "y = x times e to the minus x, plus 2");
    control("option 3", "radio button", "y = 5 sine x over x");
    control("option 4", "radio button", "y = e to the x, minus 1, minus x squared");
    control("option 5", "radio button", "y = square root of x squared plus 1");
    control("Graph button", "push button", "Graph");
    control("End button", "push button", "End");
}

void TestScreens::screenReaderSeesWindowAndImage()
{
    QFETCH(QString, role);
    QFETCH(QString, name);
    QFETCH(QString, startupDescription);
    QFETCH(QString, graphedDescription);

    const QString missing = readAccessibleTree();
    if (!missing.isEmpty()) {
        const QString message = QStringLiteral("a screen reader's view needs %1, missing here; "
                                               "scripts/install-packages test installs them")
                                    .arg(missing);
        if (qEnvironmentVariableIsEmpty("CI"))
            QSKIP(qPrintable(message));
        QFAIL(qPrintable(message));
    }
    QVERIFY2(m_treeFailure.isEmpty(), qPrintable(m_treeFailure));

    for (const auto &[phase, description] :
         {std::pair{"start-up", startupDescription}, {"after clicks", graphedDescription}}) {
        const QString wanted =
            QStringList{QLatin1String(phase), role, name, description}.join('\t');
        // A description not checked is left out of the line sought.
        const bool anyDescription = description.isNull();
        const bool found = std::any_of(m_tree.cbegin(), m_tree.cend(), [&](const QString &line) {
            return anyDescription ? line.startsWith(wanted) : line == wanted;
        });
        QVERIFY2(found, qPrintable(QStringLiteral("%1: no \"%2\"; named so: %3")
                                       .arg(QLatin1String(phase), wanted,
                                            m_tree.filter('\t' + name + '\t').join(" | "))));
    }
}

QTEST_GUILESS_MAIN(TestScreens)
#include "tst_screens.moc"
