// The program among the other things of a desktop, on virtual X displays of the test's own: two
// monitors of different density, a screen reader, the clipboard read by another program, the
// picture's menu and readout, and the same picture in the window, from the command line and saved
// from the window as PNG, SVG and PDF.
#include "expectedpicture.h"
#include "picturecheck.h"
#include "runningprogram.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

using e2e::RunningProgram;
using e2e::Screenshot;
using testsupport::curveColour;
using testsupport::logicalPictureRect;

namespace {

constexpr QPoint optionClickPoint(int k)
{
    return {520, 92 + 24 * k};
}
constexpr QPoint graphClickPoint(508, 224);
// Blue margin: a click there gives the window the keyboard focus, as a window manager would.
constexpr QPoint awayFromThePicture(600, 400);
constexpr QPoint onThePicture(229, 120);
// Two monitors side by side, the right one of double density; places in the server's pixels.
constexpr QPoint onLeftMonitor(100, 100);
constexpr QPoint onRightMonitor(1200, 100);

bool shows(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour)
                return true;
        }
    }
    return false;
}

// The picture as a screenshot shows it, found by its background.
QImage pictureByItsPixels(const QImage &shot)
{
    QRect bounds;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) == testsupport::pictureBackground)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return shot.copy(bounds);
}

QString joined(const QStringList &faults)
{
    return faults.join(QStringLiteral("; "));
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { m_program.reset(); }

    void pictureFollowsTheMonitor_data();
    void pictureFollowsTheMonitor();
    void screenReaderSeesWindowAndImage_data();
    void screenReaderSeesWindowAndImage();
    void copyReachesAnotherProgram_data();
    void copyReachesAnotherProgram();
    void contextMenuOpens_data();
    void contextMenuOpens();
    void readOutShowsWhileThePointerRests();
    void samePictureEverywhere_data();
    void samePictureEverywhere();

private:
    // Starts the program at `scaleFactor`, with function `graphed` (1..5) graphed unless 0, and
    // returns the picture once it shows that; null on failure.
    QImage startProgram(const QString &scaleFactor, int graphed = 0,
                        const QProcessEnvironment &more = {});
    Screenshot pictureWhen(const std::function<bool(const QImage &)> &ready);
    e2e::ToolResult clipboard(const QString &target);
    // A document rasterised at the picture's 441x385 pixels.
    QImage rasterised(const QString &document);
    QString readAccessibleTree();

    std::unique_ptr<e2e::Desktop> m_desktop;
    std::unique_ptr<e2e::Desktop> m_twoMonitors;
    QTemporaryDir m_files;
    std::unique_ptr<RunningProgram> m_program;
    bool m_treeRead = false;
    QString m_treeFailure;
    // Lines of phase, role, name and description, as the screen reader's side prints them.
    QStringList m_tree;
};

void TestDesktop::initTestCase()
{
    m_desktop = std::make_unique<e2e::Desktop>(
        QSize(2048, 1536), QString(),
        QStringList{QStringLiteral("xclip"), QStringLiteral("rsvg-convert"),
                    QStringLiteral("pdftoppm"), QStringLiteral("xrandr")});
    QVERIFY2(m_desktop->failure().isEmpty(), qPrintable(m_desktop->failure()));
    QVERIFY(m_files.isValid());
}

Screenshot TestDesktop::pictureWhen(const std::function<bool(const QImage &)> &ready)
{
    const QRect area = testsupport::deviceRect(logicalPictureRect, m_program->ratio());
    Screenshot shot =
        m_program->screenshotWhen([&](const QImage &image) { return ready(image.copy(area)); });
    shot.image = shot.image.copy(area);
    return shot;
}

QImage TestDesktop::startProgram(const QString &scaleFactor, int graphed,
                                 const QProcessEnvironment &more)
{
    m_program.reset();
    m_program =
        m_desktop->start(scaleFactor, testsupport::storedRatio(scaleFactor.toDouble()), {}, more);
    if (!m_program->hasWindow() || !pictureWhen([](const QImage &picture) {
                                        return shows(picture, testsupport::startupAxisColour);
                                    }).ready)
        return {};
    if (graphed == 0)
        return pictureWhen([](const QImage &) { return true; }).image;
    m_program->click(optionClickPoint(graphed - 1));
    m_program->click(graphClickPoint);
    m_program->moveTo(awayFromThePicture);
    const Screenshot shot = pictureWhen(
        [](const QImage &picture) { return !shows(picture, testsupport::startupAxisColour); });
    return shot.ready ? shot.image : QImage();
}

e2e::ToolResult TestDesktop::clipboard(const QString &target)
{
    return testsupport::runTool(m_desktop->tool(QStringLiteral("xclip")),
                                {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                 QStringLiteral("-t"), target, QStringLiteral("-o")},
                                m_desktop->environment());
}

QImage TestDesktop::rasterised(const QString &document)
{
    // At an explicit size, whatever size the document gives itself.
    const QString png = document + QStringLiteral(".png");
    const bool svg = document.endsWith(QLatin1String(".svg"));
    const e2e::ToolResult result =
        svg ? testsupport::runTool(m_desktop->tool(QStringLiteral("rsvg-convert")),
                                   {QStringLiteral("-w"), QStringLiteral("441"),
                                    QStringLiteral("-h"), QStringLiteral("385"),
                                    QStringLiteral("-o"), png, document},
                                   m_desktop->environment())
            : testsupport::runTool(m_desktop->tool(QStringLiteral("pdftoppm")),
                                   {QStringLiteral("-scale-to-x"), QStringLiteral("441"),
                                    QStringLiteral("-scale-to-y"), QStringLiteral("385"),
                                    QStringLiteral("-png"), QStringLiteral("-singlefile"), document,
                                    document},
                                   m_desktop->environment());
    if (!result.succeeded())
        qWarning("%s", qPrintable(result.describe(document)));
    return QImage(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

void TestDesktop::pictureFollowsTheMonitor_data()
{
    QTest::addColumn<QList<QPoint>>("stops");
    QTest::newRow("left, right, left")
        << QList<QPoint>{onLeftMonitor, onRightMonitor, onLeftMonitor};
    QTest::newRow("right, left, right")
        << QList<QPoint>{onRightMonitor, onLeftMonitor, onRightMonitor};
}

void TestDesktop::pictureFollowsTheMonitor()
{
    QFETCH(QList<QPoint>, stops);
    if (!m_twoMonitors) {
        m_twoMonitors = std::make_unique<e2e::Desktop>(QSize(3072, 1536), QString());
        QVERIFY2(m_twoMonitors->failure().isEmpty(), qPrintable(m_twoMonitors->failure()));
        for (const char *monitor :
             {"LEFT 1024/271x768/203+0+0", "RIGHT 2048/542x1536/406+1024+0"}) {
            const e2e::ToolResult set =
                testsupport::runTool(m_desktop->tool(QStringLiteral("xrandr")),
                                     QStringList{QStringLiteral("--setmonitor")}
                                         + QString::fromLatin1(monitor).split(QLatin1Char(' '))
                                         + QStringList{QStringLiteral("none")},
                                     m_twoMonitors->environment());
            QVERIFY2(set.succeeded(), qPrintable(set.describe(QStringLiteral("xrandr"))));
        }
    }
    QProcessEnvironment factors;
    factors.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"), QStringLiteral("LEFT=1;RIGHT=2"));
    m_program = m_twoMonitors->start(
        {}, 1,
        {QStringLiteral("-geometry"), QStringLiteral("+%1+%2").arg(stops[0].x()).arg(stops[0].y())},
        factors);
    QVERIFY2(m_program->hasWindow(), qPrintable(m_program->failure()));

    for (int stop = 0; stop < stops.size(); ++stop) {
        if (stop > 0)
            QVERIFY(m_program->moveWindow(stops[stop]));
        // The focus starts on the first option button, which is chosen; Graph is the next control.
        QVERIFY(m_program->click({4, 4}));
        QVERIFY(m_program->pressKeys(
            stop == 0 ? QStringList{QStringLiteral("Tab"), QStringLiteral("space")}
                      : QStringList{QStringLiteral("space")}));
        const int ratio = stops[stop] == onRightMonitor ? 2 : 1;
        const QSize size = testsupport::ExpectedPicture(ratio).size();
        const Screenshot shot = m_program->screenshotWhen([&size](const QImage &image) {
            const QImage picture = pictureByItsPixels(image);
            return picture.size() == size && shows(picture, curveColour);
        });
        const QStringList faults =
            testsupport::pictureFaults(pictureByItsPixels(shot.image), ratio, 1);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("at stop %1: ").arg(stop + 1) + joined(faults)));
    }
}

QString TestDesktop::readAccessibleTree()
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
        || !testsupport::runTool(python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")},
                                 m_desktop->environment())
                .succeeded())
        missing << QStringLiteral("the python3 module pyatspi (python3-pyatspi)");
    if (!missing.isEmpty() || m_treeRead)
        return missing.join(QStringLiteral(", "));

    m_treeRead = true;
    // The script starts the program, then chooses the third function and graphs it.
    QStringList arguments{QStringLiteral("--"),
                          python,
                          QStringLiteral(ACCESSIBLE_TREE_SCRIPT),
                          QStringLiteral(FUNCTION_GRAPH_PATH),
                          launcher,
                          m_desktop->tools().xdotool};
    for (const QPoint click : {optionClickPoint(2), graphClickPoint})
        arguments << QStringLiteral("%1,%2").arg(click.x()).arg(click.y());
    const e2e::ToolResult result =
        testsupport::runTool(sessionRunner, arguments, m_desktop->environment(), 90000);
    if (result.succeeded())
        m_tree = QString::fromUtf8(result.output).split(QLatin1Char('\n'));
    else
        m_treeFailure = result.describe(QStringLiteral("The screen reader's side"));
    return {};
}

void TestDesktop::screenReaderSeesWindowAndImage_data()
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

void TestDesktop::screenReaderSeesWindowAndImage()
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

void TestDesktop::copyReachesAnotherProgram_data()
{
    QTest::addColumn<int>("graphed");
    QTest::newRow("start-up frame") << 0;
    QTest::newRow("graph of 5sin(x)/x") << 3;
}

void TestDesktop::copyReachesAnotherProgram()
{
    QFETCH(int, graphed);
    const QImage shown = startProgram(QStringLiteral("1"), graphed);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));

    // Without a window manager the keyboard goes where the pointer is; a click on the window's
    // background makes it the active window, as a window manager would.
    QVERIFY(m_program->click(awayFromThePicture));
    QVERIFY(m_program->pressKeys({QStringLiteral("ctrl+c")}));
    e2e::ToolResult targets;
    QTRY_VERIFY_WITH_TIMEOUT((targets = clipboard(QStringLiteral("TARGETS"))).succeeded()
                                 && targets.output.contains("image/png"),
                             20000);
    QVERIFY2(targets.output.contains("image/svg+xml"), targets.output.constData());

    // The image another program pastes is the picture on screen, pixel for pixel; the vectors
    // draw the same lines.
    const e2e::ToolResult png = clipboard(QStringLiteral("image/png"));
    QVERIFY2(png.succeeded(), qPrintable(png.describe(QStringLiteral("xclip"))));
    const QImage pasted = QImage::fromData(png.output, "PNG").convertToFormat(QImage::Format_RGB32);
    const QString differences = testsupport::pixelDifferences(pasted, shown);
    QVERIFY2(differences.isEmpty(), qPrintable(differences));
    const e2e::ToolResult svg = clipboard(QStringLiteral("image/svg+xml"));
    QVERIFY2(svg.succeeded(), qPrintable(svg.describe(QStringLiteral("xclip"))));
    QFile file(m_files.filePath(QStringLiteral("pasted%1.svg").arg(graphed)));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(svg.output) == svg.output.size());
    file.close();
    const QStringList faults = testsupport::documentFaults(rasterised(file.fileName()), graphed);
    QVERIFY2(faults.isEmpty(), qPrintable(joined(faults)));
}

void TestDesktop::contextMenuOpens_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("right click on the picture") << false;
    QTest::newRow("Menu key on the focused picture") << true;
}

void TestDesktop::contextMenuOpens()
{
    QFETCH(bool, byKeyboard);
    QVERIFY2(!startProgram(QStringLiteral("1")).isNull(), qPrintable(m_program->failure()));

    if (byKeyboard) {
        QVERIFY(m_program->click(awayFromThePicture));
        // From the first function button, two presses of Tab reach the picture.
        QVERIFY(m_program->pressKeys({QStringLiteral("Tab")}));
        QVERIFY(m_program->pressKeys({QStringLiteral("Tab")}));
        QVERIFY(m_program->pressKeys({QStringLiteral("Menu")}));
    } else {
        QVERIFY(m_program->click(onThePicture, 3));
    }
    QStringList windows;
    QTRY_VERIFY_WITH_TIMEOUT((windows = m_program->visibleWindows()).size() == 2, 20000);
    // The menu opens where it was asked for: at the pointer, or over the picture's middle.
    const QRect menu = m_program->windowGeometry(windows.last());
    const QPoint expected = byKeyboard ? logicalPictureRect.center() : onThePicture;
    QVERIFY2((menu.topLeft() - expected).manhattanLength() <= 2,
             qPrintable(QStringLiteral("menu at %1,%2").arg(menu.x()).arg(menu.y())));
    QVERIFY(menu.width() > 50 && menu.height() > 40);

    // Escape closes it; off the picture, the pointer brings no readout back.
    QVERIFY(m_program->pressKeys({QStringLiteral("Escape")}));
    QVERIFY(m_program->moveTo(awayFromThePicture));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->visibleWindows().size(), 1, 20000);
}

void TestDesktop::readOutShowsWhileThePointerRests()
{
    const QImage shown = startProgram(QStringLiteral("1"), 3);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));

    QVERIFY(m_program->moveTo(onThePicture));
    QStringList windows;
    QTRY_VERIFY_WITH_TIMEOUT((windows = m_program->visibleWindows()).size() == 2, 20000);
    // Beside the pointer, clear of it.
    const QRect readOut = m_program->windowGeometry(windows.last());
    QVERIFY(!readOut.contains(onThePicture));
    QVERIFY((readOut.topLeft() - onThePicture).manhattanLength() < 60);

    // Nothing is drawn into the picture: around the readout it is as it was.
    const QRect covered = readOut.translated(-logicalPictureRect.topLeft());
    const Screenshot withReadOut = pictureWhen([&](const QImage &picture) {
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (!covered.contains(x, y) && picture.pixel(x, y) != shown.pixel(x, y))
                    return false;
            }
        }
        return true;
    });
    QVERIFY2(withReadOut.ready, "the picture changed beside the readout");

    // Gone when the pointer leaves, the whole picture as it was.
    QVERIFY(m_program->moveTo(awayFromThePicture));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->visibleWindows().size(), 1, 20000);
    const Screenshot after = pictureWhen([&shown](const QImage &picture) {
        return testsupport::pixelDifferences(picture, shown).isEmpty();
    });
    QVERIFY2(after.ready, qPrintable(testsupport::pixelDifferences(after.image, shown)));
}

void TestDesktop::samePictureEverywhere_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<int>("saved");      // the function saved from the window
    QTest::addColumn<QString>("format"); // as which
    QTest::addColumn<bool>("documents"); // whether the command line writes SVG and PDF too
    QTest::newRow("scale 1") << QStringLiteral("1") << 1 << QStringLiteral("svg") << true;
    QTest::newRow("scale 1.1") << QStringLiteral("1.1") << 2 << QStringLiteral("png") << false;
    QTest::newRow("scale 1.25") << QStringLiteral("1.25") << 3 << QStringLiteral("png") << false;
    QTest::newRow("scale 1.33") << QStringLiteral("1.33") << 4 << QStringLiteral("pdf") << false;
    QTest::newRow("scale 1.5") << QStringLiteral("1.5") << 5 << QStringLiteral("png") << false;
    QTest::newRow("scale 2") << QStringLiteral("2") << 3 << QStringLiteral("png") << false;
}

void TestDesktop::samePictureEverywhere()
{
    QFETCH(QString, scale);
    QFETCH(int, saved);
    QFETCH(QString, format);
    QFETCH(bool, documents);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    // "Save As..." opens in the home folder when it has no pictures folder.
    QProcessEnvironment more;
    more.insert(QStringLiteral("HOME"), home.path());
    more.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    QVERIFY2(!startProgram(scale, 0, more).isNull(), qPrintable(m_program->failure()));

    const auto commandLine = [&](int function, const QString &extension) {
        const QString output = home.filePath(QStringLiteral("f%1.%2").arg(function).arg(extension));
        QStringList arguments{QStringLiteral("--function"), QString::number(function),
                              QStringLiteral("--output"), output};
        if (extension == QLatin1String("png"))
            arguments << QStringLiteral("--scale") << scale;
        const e2e::ToolResult written = testsupport::runTool(QStringLiteral(FUNCTION_GRAPH_PATH),
                                                             arguments, m_desktop->environment());
        return written.succeeded() ? output : written.describe(output);
    };
    for (int function = documents ? 0 : 6; function <= 5; ++function) {
        for (const QString extension : {"svg", "pdf"}) {
            const QString document = commandLine(function, extension);
            const QStringList faults = testsupport::documentFaults(rasterised(document), function);
            QVERIFY2(faults.isEmpty(), qPrintable(document + ": " + joined(faults)));
        }
    }

    for (int function = 1; function <= 5; ++function) {
        const QString output = commandLine(function, QStringLiteral("png"));
        const QImage fromCommandLine = QImage(output, "PNG").convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!fromCommandLine.isNull(), qPrintable(output));

        // The window's picture after the press is the command line's, pixel for pixel.
        QVERIFY(m_program->click(optionClickPoint(function - 1)));
        QVERIFY(m_program->click(graphClickPoint));
        const Screenshot shot = pictureWhen([&fromCommandLine](const QImage &picture) {
            return testsupport::pixelDifferences(picture, fromCommandLine).isEmpty();
        });
        QVERIFY2(shot.ready,
                 qPrintable(QStringLiteral("function %1: ").arg(function)
                            + testsupport::pixelDifferences(shot.image, fromCommandLine)));
        if (function != saved)
            continue;

        // Saved from the window: the name typed over the one proposed, the format by its end.
        const QString name = QStringLiteral("saved.") + format;
        QVERIFY(m_program->click(awayFromThePicture));
        QVERIFY(m_program->pressKeys({QStringLiteral("ctrl+s")}));
        QTRY_VERIFY_WITH_TIMEOUT(m_program->visibleWindows().size() == 2, 20000);
        QVERIFY(m_program->pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(m_program->type(name));
        QVERIFY(m_program->pressKeys({QStringLiteral("Return")}));
        QTRY_VERIFY_WITH_TIMEOUT(m_program->visibleWindows().size() == 1, 20000);
        const QString path = home.filePath(name);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 0, 20000);
        const QString fault =
            format == QLatin1String("png")
                ? testsupport::pixelDifferences(
                    QImage(path, "PNG").convertToFormat(QImage::Format_RGB32), fromCommandLine)
                : joined(testsupport::documentFaults(rasterised(path), function));
        QVERIFY2(fault.isEmpty(), qPrintable(name + ": " + fault));
    }
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
