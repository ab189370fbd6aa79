// The program among the other things of a desktop, on virtual X displays of the test's own: two
// monitors of different density, a screen reader, the clipboard read by another program, the
// picture's menu and readout, and the same picture in the window, from the command line and saved
// through the window's own dialog as PNG, SVG and PDF.
#include "expectedpicture.h"
#include "runningprogram.h"

#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

using e2e::onThePicture;
using e2e::restingPoint;
using e2e::Screenshot;
using e2e::shows;
using testsupport::curveColour;

namespace {

// Two monitors side by side, the right one of double density; places in the server's pixels.
constexpr QPoint onLeftMonitor(100, 100);
constexpr QPoint onRightMonitor(1200, 100);

// The picture as a screenshot shows it, found by its background.
QImage pictureByItsPixels(const QImage &shot)
{
    return shot.copy(testsupport::boundsOf(shot, testsupport::pictureBackground));
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
    void popUpLeavesThePictureAlone_data();
    void popUpLeavesThePictureAlone();
    void samePictureEverywhere_data();
    void samePictureEverywhere();
    void soundHeard_data();
    void soundHeard();

private:
    // Starts the program at `scaleFactor`, graphs function `graphed` (1..5) unless 0, and returns
    // the picture once it shows that; null on failure.
    QImage startProgram(const QString &scaleFactor, int graphed = 0,
                        const QProcessEnvironment &more = {});
    // A document rasterised at the picture's 441x385 pixels, whatever size it gives itself.
    QImage rasterised(const QString &document);
    // Lines of phase, role, name and description, as accessibletree.py prints them; what is
    // missing for it, or what went wrong, in `failure`. Given a sound server, the program plays
    // its curve there through the accessibility bus, and the picture's actions are listed too.
    QStringList accessibleTree(QString *failure, bool *missing, const QString &soundServer = {});

    std::unique_ptr<e2e::Desktop> m_desktop;
    std::unique_ptr<e2e::Desktop> m_twoMonitors;
    QTemporaryDir m_files;
    std::unique_ptr<e2e::RunningProgram> m_program;
};

void TestDesktop::initTestCase()
{
    m_desktop = std::make_unique<e2e::Desktop>(
        QSize(2048, 1536), QStringList{"xclip", "rsvg-convert", "pdftoppm", "xrandr"});
    QVERIFY2(m_desktop->failure().isEmpty(), qPrintable(m_desktop->failure()));
    QVERIFY(m_files.isValid());
}

QImage TestDesktop::startProgram(const QString &scaleFactor, int graphed,
                                 const QProcessEnvironment &more)
{
    m_program.reset();
    m_program =
        m_desktop->start(scaleFactor, testsupport::storedRatio(scaleFactor.toDouble()), {}, more);
    if (!m_program->hasWindow() || !m_program->startedUp().ready
        || (graphed > 0 && !m_program->graph(graphed)))
        return {};
    m_program->moveTo(restingPoint);
    const Screenshot shot = m_program->pictureWhen([graphed](const QImage &picture) {
        return graphed == 0 || !shows(picture, testsupport::startupAxisColour);
    });
    return shot.ready ? shot.image : QImage();
}

QImage TestDesktop::rasterised(const QString &document)
{
    const QString png = document + QStringLiteral(".png");
    const e2e::ToolResult result =
        document.endsWith(QLatin1String(".svg"))
            ? m_desktop->run("rsvg-convert", {"-w", "441", "-h", "385", "-o", png, document})
            : m_desktop->run("pdftoppm", {"-scale-to-x", "441", "-scale-to-y", "385", "-png",
                                          "-singlefile", document, document});
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
        m_twoMonitors = std::make_unique<e2e::Desktop>(QSize(3072, 1536), QStringList{"xrandr"});
        QVERIFY2(m_twoMonitors->failure().isEmpty(), qPrintable(m_twoMonitors->failure()));
        for (const char *monitor : {"LEFT 1024/271x768/203+0+0", "RIGHT 2048/542x1536/406+1024+0"})
            QVERIFY(m_twoMonitors
                        ->run("xrandr", QStringList{"--setmonitor"} + QString(monitor).split(' ')
                                            + QStringList{"none"})
                        .succeeded());
    }
    QProcessEnvironment factors;
    factors.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"), QStringLiteral("LEFT=1;RIGHT=2"));
    m_program = m_twoMonitors->start(
        {}, 1, {"-geometry", QStringLiteral("+%1+%2").arg(stops[0].x()).arg(stops[0].y())},
        factors);
    QVERIFY2(m_program->hasWindow(), qPrintable(m_program->failure()));

    for (int stop = 0; stop < stops.size(); ++stop) {
        if (stop > 0)
            QVERIFY(m_program->xdo(QStringLiteral("windowmove --sync %w %1 %2")
                                       .arg(stops[stop].x())
                                       .arg(stops[stop].y())));
        // The focus starts on the first option, which is chosen; Graph is the next control.
        QVERIFY(m_program->click({4, 4}));
        QVERIFY(m_program->xdo(stop == 0 ? "key Tab space" : "key space"));
        // Drawn again at the monitor's ratio, never scaled.
        const int ratio = stops[stop] == onRightMonitor ? 2 : 1;
        const QSize size = testsupport::ExpectedPicture(ratio).size();
        const Screenshot shot = m_program->screenshotWhen([&size](const QImage &image) {
            const QImage picture = pictureByItsPixels(image);
            return picture.size() == size && shows(picture, curveColour);
        });
        const QStringList faults =
            testsupport::pictureFaults(pictureByItsPixels(shot.image), ratio, 1);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("at stop %1: ").arg(stop + 1) + faults.join("; ")));
    }
}

QStringList TestDesktop::accessibleTree(QString *failure, bool *missing, const QString &soundServer)
{
    // Read once, on the first row's demand; the sound's run each time.
    static QStringList tree;
    static QString problem;
    static bool lacking = false;
    if (!soundServer.isEmpty())
        tree.clear(), problem.clear();
    if (tree.isEmpty() && problem.isEmpty()) {
        const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
        const QString python = QStringLiteral("/usr/bin/python3"); // the one Debian's module is for
        const QString runner = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
        lacking = runner.isEmpty() || !QFileInfo(launcher).isExecutable()
                  || !m_desktop->run(python, {"-c", "import pyatspi"}).succeeded();
        const auto place = [](QPoint at) {
            return QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
        };
        // The script starts the program, then chooses the third function and graphs it.
        const QStringList arguments{FUNCTION_GRAPH_PATH, launcher,
                                    QStandardPaths::findExecutable("xdotool"),
                                    place(e2e::optionClickPoint(2)), place(e2e::graphClickPoint)};
        const QStringList playing = soundServer.isEmpty() ? QStringList() : QStringList{"--play"};
        const e2e::ToolResult result =
            lacking
                ? e2e::ToolResult()
                : m_desktop->run("/usr/bin/env", QStringList{"PULSE_SERVER=" + soundServer, runner,
                                                             "--", python, ACCESSIBLE_TREE_SCRIPT}
                                                     + playing + arguments);
        tree = QString::fromUtf8(result.output).split(QLatin1Char('\n'));
        problem = lacking ? QStringLiteral("a screen reader's view needs dbus-run-session, %1 and "
                                           "the module pyatspi of %2; scripts/install-packages "
                                           "test installs them")
                                .arg(launcher, python)
                  : result.succeeded() ? QString()
                                       : result.describe(QStringLiteral("accessibletree.py"));
    }
    *failure = problem;
    *missing = lacking;
    return tree;
}

void TestDesktop::screenReaderSeesWindowAndImage_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("startupDescription"); // null: not checked
    QTest::addColumn<QString>("graphedDescription");

    const auto control = [](const char *row, const char *role, const char *name) {
        QTest::newRow(row) << QString(role) << QString(name) << QString() << QString();
    };
    // Each kind of control once: every control's name is checked in tst_graphwindow, through the
    // same accessible interface the bus reads.
    control("window", "frame", "Graph");
    QTest::newRow("picture")
        << QStringLiteral("image") << QStringLiteral("Plot")
        << QStringLiteral("Axes from -10 to 10")
        << QStringLiteral("Graph of y = 5 sine x over x from -10 to 10; Space plays it as sound");
    control("title", "label", "Graph Drawing Method");
    control("option 1", "radio button", "y = x squared minus 2");
    control("Graph button", "push button", "Graph");
}

void TestDesktop::screenReaderSeesWindowAndImage()
{
    QFETCH(QString, role);
    QFETCH(QString, name);
    QFETCH(QString, startupDescription);
    QFETCH(QString, graphedDescription);
    QString failure;
    bool missing = false;
    const QStringList tree = accessibleTree(&failure, &missing);
    if (missing && qEnvironmentVariableIsEmpty("CI"))
        QSKIP(qPrintable(failure));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    for (const auto &[phase, description] :
         {std::pair{"start-up", startupDescription}, {"after clicks", graphedDescription}}) {
        const QString wanted = QStringList{phase, role, name, description}.join('\t');
        // A description not checked is left out of the line sought.
        const bool anyDescription = description.isNull();
        const bool found = std::any_of(tree.cbegin(), tree.cend(), [&](const QString &line) {
            return anyDescription ? line.startsWith(wanted) : line == wanted;
        });
        QVERIFY2(found,
                 qPrintable(QStringLiteral("%1: no \"%2\"; named so: %3")
                                .arg(phase, wanted, tree.filter('\t' + name + '\t').join(" | "))));
    }
}

void TestDesktop::copyReachesAnotherProgram_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QString>("keys"); // before Ctrl+C
    QTest::addColumn<QString>("text"); // what a text field pastes
    // clang-format off
    QTest::newRow("start-up frame") << 0 << "" << "x and y from -10 to 10";
    QTest::newRow("graph of 5sin(x)/x") << 3 << "" << "y = 5 sin(x)/x, x and y from -10 to 10";
    // From Graph, pressed last, Tab reaches the picture; Right reads off at x = 0.1.
    QTest::newRow("a value read off") << 3 << "Tab Right" << "x = 0.10, f(x) = 4.99";
    // clang-format on
}

void TestDesktop::copyReachesAnotherProgram()
{
    QFETCH(int, graphed);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    const QImage shown = startProgram(QStringLiteral("1"), graphed);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));

    // Without a window manager the keyboard goes where the pointer is; a click on the window's
    // background makes it the active window, as a window manager would.
    QVERIFY(m_program->click(restingPoint));
    QVERIFY(keys.isEmpty() || m_program->xdo("key " + keys));
    QVERIFY(m_program->xdo("key ctrl+c"));
    const auto paste = [this](const QString &type) {
        return m_desktop->run("xclip", {"-selection", "clipboard", "-t", type, "-o"});
    };
    QTRY_VERIFY_WITH_TIMEOUT(paste("TARGETS").output.contains("text/plain"), 20000);
    QCOMPARE(QString::fromUtf8(paste("text/plain").output), text);
    if (!keys.isEmpty())
        return;
    QVERIFY2(paste("TARGETS").output.contains("image/png"), paste("TARGETS").output.data());
    QVERIFY2(paste("TARGETS").output.contains("image/svg+xml"), paste("TARGETS").output.data());

    // The image another program pastes is the picture on screen, pixel for pixel; the vectors
    // draw the same lines.
    const QImage pasted =
        QImage::fromData(paste("image/png").output, "PNG").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(testsupport::pixelDifferences(pasted, shown), QString());
    QFile svg(m_files.filePath(QStringLiteral("pasted%1.svg").arg(graphed)));
    const QByteArray vectors = paste("image/svg+xml").output;
    QVERIFY(svg.open(QIODevice::WriteOnly) && svg.write(vectors) == vectors.size());
    svg.close();
    QCOMPARE(testsupport::documentFaults(rasterised(svg.fileName()), graphed).join("; "),
             QString());
}

void TestDesktop::popUpLeavesThePictureAlone_data()
{
    QTest::addColumn<QString>("keys"); // pressed with the focus in the window
    QTest::addColumn<int>("button");   // clicked where the pointer goes, unless 0
    QTest::addColumn<QPoint>("place"); // where the pop-up's corner is expected, in design pixels
    QTest::addColumn<int>("reach");    // how far from it at most
    QTest::newRow("menu by a right click") << QString() << 3 << onThePicture << 2;
    // From Graph, pressed last, Tab reaches the picture; its menu opens over its middle.
    QTest::newRow("menu by the Menu key on the focused picture")
        << QStringLiteral("Tab Menu") << 0 << testsupport::logicalPictureRect.center() << 2;
    // Beside the pointer, clear of it.
    QTest::newRow("readout while the pointer rests") << QString() << 0 << onThePicture << 60;
}

void TestDesktop::popUpLeavesThePictureAlone()
{
    QFETCH(QString, keys);
    QFETCH(int, button);
    QFETCH(QPoint, place);
    QFETCH(int, reach);
    const QImage shown = startProgram(QStringLiteral("1"), 3);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));
    QVERIFY(keys.isEmpty() ? (button > 0 ? m_program->click(onThePicture, button)
                                         : m_program->moveTo(onThePicture))
                           : m_program->click(restingPoint) && m_program->xdo("key " + keys));
    QStringList windows;
    QTRY_VERIFY_WITH_TIMEOUT((windows = m_program->visibleWindows()).size() == 2, 20000);
    const QRect popUp = m_program->windowGeometry(windows.last());
    QVERIFY2((popUp.topLeft() - place).manhattanLength() <= reach
                 && popUp.contains(onThePicture) == (button > 0) && popUp.width() > 50
                 && popUp.height() > 15,
             qPrintable(QStringLiteral("at %1,%2 %3x%4")
                            .arg(popUp.x())
                            .arg(popUp.y())
                            .arg(popUp.width())
                            .arg(popUp.height())));

    // Nothing is drawn into the picture: around the pop-up it is as it was.
    const QRect covered = popUp.translated(-testsupport::logicalPictureRect.topLeft());
    const Screenshot withPopUp = m_program->pictureWhen([&](const QImage &picture) {
        QImage uncovered = picture;
        QPainter(&uncovered).drawImage(covered.topLeft(), shown.copy(covered));
        return uncovered == shown;
    });
    QVERIFY2(withPopUp.ready, "the picture changed beside the pop-up");

    // Escape closes a menu; off the picture, the pointer brings no readout; the whole picture is
    // as it was.
    QVERIFY(m_program->xdo("key Escape") && m_program->moveTo(restingPoint));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->visibleWindows().size(), 1, 20000);
    const Screenshot after =
        m_program->pictureWhen([&shown](const QImage &picture) { return picture == shown; });
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

    const auto written = [&](int function, const QString &extension, QImage *image) {
        const QString file = home.filePath(QStringLiteral("f%1.%2").arg(function).arg(extension));
        const QStringList scaled{"--scale", scale};
        const e2e::ToolResult run =
            m_desktop->run(FUNCTION_GRAPH_PATH,
                           QStringList{"--function", QString::number(function), "--output", file}
                               + (extension == "png" ? scaled : QStringList()));
        *image = extension == "png" ? QImage(file, "PNG").convertToFormat(QImage::Format_RGB32)
                                    : rasterised(file);
        return run.succeeded() ? QString() : run.describe(file);
    };
    QImage image;
    for (int function = 0; documents && function <= 5; ++function) {
        for (const QString extension : {"svg", "pdf"}) {
            const QString failure = written(function, extension, &image);
            const QStringList faults = testsupport::documentFaults(image, function);
            QVERIFY2(failure.isEmpty() && faults.isEmpty(),
                     qPrintable(QStringLiteral("function %1 as %2: ").arg(function).arg(extension)
                                + failure + faults.join("; ")));
        }
    }

    for (int function = 1; function <= 5; ++function) {
        QImage fromCommandLine;
        const QString failure = written(function, QStringLiteral("png"), &fromCommandLine);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        // The window's picture after the press is the command line's, pixel for pixel.
        QVERIFY(m_program->graph(function));
        const Screenshot shot = m_program->pictureWhen(
            [&fromCommandLine](const QImage &picture) { return picture == fromCommandLine; });
        QVERIFY2(shot.ready,
                 qPrintable(QStringLiteral("function %1: ").arg(function)
                            + testsupport::pixelDifferences(shot.image, fromCommandLine)));
        if (function != saved)
            continue;

        // Saved from the window: the name typed over the one proposed, the format by its end.
        const QString name = QStringLiteral("saved.") + format;
        QVERIFY(m_program->click(restingPoint) && m_program->xdo("key ctrl+s"));
        QTRY_VERIFY_WITH_TIMEOUT(m_program->visibleWindows().size() == 2, 20000);
        QVERIFY(m_program->xdo("key ctrl+a") && m_program->xdo("type", {name})
                && m_program->xdo("key Return"));
        QTRY_VERIFY_WITH_TIMEOUT(m_program->visibleWindows().size() == 1, 20000);
        const QString path = home.filePath(name);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 0, 20000);
        const QString fault =
            format == "png" ? testsupport::pixelDifferences(
                QImage(path, "PNG").convertToFormat(QImage::Format_RGB32), fromCommandLine)
                            : testsupport::documentFaults(rasterised(path), function).join("; ");
        QVERIFY2(fault.isEmpty(), qPrintable(name + ": " + fault));
    }
}

namespace {

// Raw 16-bit stereo, left and right summed, from the first sample that is not silent to the last.
std::vector<double> heard(const QByteArray &raw)
{
    std::vector<double> mono;
    for (qsizetype at = 0; at + 4 <= raw.size(); at += 4)
        mono.push_back((qFromLittleEndian<qint16>(raw.constData() + at)
                        + qFromLittleEndian<qint16>(raw.constData() + at + 2))
                       / 32767.0);
    const auto loud = [](double value) { return std::abs(value) > 0.01; };
    const auto first = std::find_if(mono.begin(), mono.end(), loud);
    const auto last = std::find_if(mono.rbegin(), mono.rend(), loud).base();
    return first < last ? std::vector<double>(first, last) : std::vector<double>();
}

// The pitch track: the zero crossings in each 20 ms, 100 at 2.5 kHz.
std::vector<int> pitchTrack(const std::vector<double> &mono)
{
    std::vector<int> track(mono.size() / 882);
    for (std::size_t i = 1; i < track.size() * 882; ++i)
        track[i / 882] += (mono[i - 1] < 0) != (mono[i] < 0) ? 1 : 0;
    return track;
}

} // namespace

void TestDesktop::soundHeard_data()
{
    QTest::addColumn<QString>("key");  // on the focused picture; empty: through pyatspi
    QTest::addColumn<QString>("then"); // a second later: keys, or "graph" for another graph
    QTest::addColumn<double>("pitch"); // of all that is heard, for a single point; else 0
    QTest::newRow("Play the Curve, through the accessibility bus") << ""
                                                                   << "" << 0.0;
    QTest::newRow("Space, Escape") << "space"
                                   << "key Escape" << 0.0;
    QTest::newRow("Space, another graph") << "space"
                                          << "graph" << 0.0;
    // The read-off steps from x = 0 to 0.1 on x*x-2: y = -1.99, 220 * 4^(8.01 / 20) Hz.
    QTest::newRow("Right, one point") << "Right"
                                      << "" << 383.3;
}

// A sound server of the test's own records its null sink (rewinds off, so that a sound is kept
// from its very start). Played whole, the curve of 5sin(x)/x is as long as the command line's WAV
// file and has its pitch track; stopped after a second, nothing more is heard; a read-off step
// plays its point's tone.
void TestDesktop::soundHeard()
{
    QFETCH(QString, key);
    QFETCH(QString, then);
    QFETCH(double, pitch);
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if ((pulseaudio.isEmpty() || parec.isEmpty()) && qEnvironmentVariableIsEmpty("CI"))
        QSKIP("a sound server and its recorder are missing: the packages pulseaudio and "
              "pulseaudio-utils (scripts/install-packages test)");
    const QString socket = m_files.filePath(QStringLiteral("pulse"));
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
        environment.insert(name, m_files.path());
    server.setProcessEnvironment(environment);
    server.start(pulseaudio, {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                              "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket,
                              "-L", "module-null-sink sink_name=heard rate=44100 norewinds=1"});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 10000);
    QProcess recorder;
    recorder.setStandardOutputFile(m_files.filePath(QStringLiteral("heard.raw")));
    recorder.start(parec, {"--server=unix:" + socket, "--device=heard.monitor", "--raw",
                           "--format=s16le", "--rate=44100", "--channels=2"});
    QVERIFY(recorder.waitForStarted());
    QString failure;
    bool missing = false;
    QStringList tree;
    if (key.isEmpty()) {
        tree = accessibleTree(&failure, &missing, "unix:" + socket);
    } else {
        QProcessEnvironment sound;
        sound.insert(QStringLiteral("PULSE_SERVER"), "unix:" + socket);
        QVERIFY(!startProgram(QStringLiteral("1"), 1, sound).isNull());
        // The picture follows Graph in the focus order.
        QVERIFY(m_program->click(e2e::graphClickPoint) && m_program->xdo("key Tab " + key));
        QTest::qWait(1000);
        QVERIFY(then.isEmpty() || (then == "graph" ? m_program->graph(4) : m_program->xdo(then)));
        QTest::qWait(4000);
    }
    recorder.terminate();
    recorder.waitForFinished();
    server.terminate();
    server.waitForFinished();
    QFile recording(m_files.filePath(QStringLiteral("heard.raw")));
    QVERIFY(recording.open(QIODevice::ReadOnly));
    const std::vector<double> got = heard(recording.readAll());
    const double seconds = double(got.size()) / 44100;
    if (!key.isEmpty()) {
        const std::vector<int> track = pitchTrack(got);
        const double heardPitch =
            std::accumulate(track.cbegin(), track.cend(), 0.0) / 2 / (double(track.size()) * 0.02);
        QVERIFY2(seconds > 0.1 && seconds < (pitch > 0 ? 0.2 : 2.5),
                 qPrintable(QString::number(seconds)));
        QVERIFY2(pitch == 0 || std::abs(heardPitch / pitch - 1) < 0.03,
                 qPrintable(QString::number(heardPitch)));
        return;
    }
    if (missing && qEnvironmentVariableIsEmpty("CI"))
        QSKIP(qPrintable(failure));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY2(tree.contains("action\tPlay the Curve\tPlays the graph as sound: x from -10 to 10 in "
                           "four seconds, from left to right, the pitch rising with y, a tick at "
                           "each whole x and a bell where the curve crosses the x-axis"),
             qPrintable(tree.filter("action").join(" | ")));
    const QString wav = m_files.filePath(QStringLiteral("curve.wav"));
    QVERIFY(m_desktop->run(FUNCTION_GRAPH_PATH, {"--function", "3", "--output", wav}).succeeded());
    QFile written(wav);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const std::vector<double> played = heard(written.readAll().mid(44));
    // Within 20 ms of the file's four seconds; each window's pitch within 4 %, but for a tick or
    // a bell falling into one window more or less.
    QVERIFY2(std::abs(seconds * 44100 - double(played.size())) < 882,
             qPrintable(QString::number(seconds)));
    const std::vector<int> wanted = pitchTrack(played);
    const std::vector<int> track = pitchTrack(got);
    int off = 0;
    for (std::size_t i = 0; i < std::min(wanted.size(), track.size()); ++i)
        off += std::abs(wanted[i] - track[i]) > 2 + wanted[i] / 25 ? 1 : 0;
    QVERIFY2(off <= int(wanted.size()) / 20, qPrintable(QStringLiteral("%1 windows off").arg(off)));
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
