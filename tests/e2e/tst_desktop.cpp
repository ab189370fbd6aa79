// The program among the other things of a desktop, on virtual X displays of the test's own: two
// monitors of different density, a screen reader, the clipboard read by another program, the
// picture's menu and readout, and the same picture in the window, from the command line and saved
// through the window's own dialog as PNG, SVG and PDF.
#include "expectedpicture.h"
#include "runningprogram.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// A place in the window as accessibletree.py takes a click there.
QString place(QPoint at)
{
    return QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
}

// Two monitors side by side, the right one of double density; places in the server's pixels.
constexpr QPoint onLeftMonitor(100, 100);
constexpr QPoint onRightMonitor(1200, 100);

// The picture as a screenshot shows it, found by its background.
QImage pictureByItsPixels(const QImage &shot)
{
    return shot.copy(testsupport::boundsOf(shot, testsupport::pictureBackground));
}

const QString screenReaderPython = QStringLiteral("/usr/bin/python3"); // Debian's pyatspi, dbus
const QString atSpiBusLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

// A program the test keeps running beside the one under test (a bus, a portal, a compositor),
// talked to by lines on its standard input and output.
std::unique_ptr<testsupport::ChildProcess> companion(const QString &program,
                                                     const QStringList &arguments,
                                                     const QProcessEnvironment &environment,
                                                     int graceMs = 0)
{
    auto process = std::make_unique<testsupport::ChildProcess>(environment, graceMs);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, arguments);
    return process;
}

// The desktop's file chooser, played by fileportal.py on a session bus of its own.
class FilePortal {
public:
    explicit FilePortal(const QProcessEnvironment &environment)
        : m_environment(environment),
          m_bus(
              companion("dbus-daemon", {"--session", "--nofork", "--print-address=1"}, environment))
    {
        m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus->nextLine());
        m_portal = companion(screenReaderPython, {FILE_PORTAL_SCRIPT}, m_environment);
        m_ready = m_portal->nextLine() == QLatin1String("ready");
        // What a desktop that offers the portal gives its programs.
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"),
                             QStringLiteral("xdgdesktopportal"));
    }

    bool isReady() const { return m_ready; }
    // What the program needs to reach this portal.
    QProcessEnvironment environment() const { return m_environment; }
    // The next request is answered with `answer`: a file URL, or "cancel".
    void answerNext(const QString &answer) { m_portal->write((answer + '\n').toUtf8()); }
    // What the program asked, once it asked; empty when it did not within `timeoutMs`.
    QJsonObject nextRequest(int timeoutMs)
    {
        return QJsonDocument::fromJson(m_portal->nextLine(timeoutMs).toUtf8()).object();
    }

private:
    QProcessEnvironment m_environment;
    std::unique_ptr<testsupport::ChildProcess> m_bus;
    std::unique_ptr<testsupport::ChildProcess> m_portal;
    bool m_ready = false;
};

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
    void popUpLeavesThePictureAlone_data();
    void popUpLeavesThePictureAlone();
    void samePictureEverywhere_data();
    void samePictureEverywhere();
    void replacingAskedAfterTheFileChooser_data();
    void replacingAskedAfterTheFileChooser();
    void soundHeard_data();
    void soundHeard();
    void nativeOnWayland_data();
    void nativeOnWayland();

private:
    // Starts the program at `scaleFactor`, graphs function `graphed` (1..5) unless 0, and returns
    // the picture once it shows that; null on failure.
    QImage startProgram(const QString &scaleFactor, int graphed = 0,
                        const QProcessEnvironment &more = {});
    // Lines of phase, role, name and description, as accessibletree.py prints them after taking
    // `steps`; what went wrong, if anything, in `failure`. Given a sound server, the program plays
    // there, and the steps are taken anew.
    QStringList accessibleTree(const QStringList &steps, QString *failure,
                               const QString &soundServer = {});
    // startProgram with `home` as the home folder, without a pictures folder, so that "Save
    // As..." opens there, and the desktop's file chooser; false on failure.
    bool startAtHome(const QTemporaryDir &home, const QString &scaleFactor, int graphed);
    // Ctrl+S until the file chooser is asked, which answers `answer` (a file URL or "cancel"):
    // keys reach the window only once the chooser it last asked for has answered. What it asked.
    QJsonObject saveAs(const QString &answer);

    std::unique_ptr<e2e::Desktop> m_desktop;
    std::unique_ptr<e2e::Desktop> m_twoMonitors;
    QTemporaryDir m_files;
    std::unique_ptr<e2e::RunningProgram> m_program;
    std::unique_ptr<FilePortal> m_portal;
};

void TestDesktop::initTestCase()
{
    m_desktop = std::make_unique<e2e::Desktop>(
        QSize(2048, 1536), QStringList{"xclip", "rsvg-convert", "pdftoppm", "xrandr"});
    QVERIFY2(m_desktop->failure().isEmpty(), qPrintable(m_desktop->failure()));
    QVERIFY(m_files.isValid());
    QVERIFY2(QFileInfo(atSpiBusLauncher).isExecutable()
                 && m_desktop->run(screenReaderPython, {"-c", "import pyatspi, dbus"}).succeeded(),
             "a screen reader and a file chooser need at-spi2-core, python3-pyatspi and "
             "python3-dbus: scripts/install-packages test installs them");
    m_portal = std::make_unique<FilePortal>(m_desktop->environment());
    QVERIFY2(m_portal->isReady(), "the file chooser did not start on its own bus");
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

bool TestDesktop::startAtHome(const QTemporaryDir &home, const QString &scaleFactor, int graphed)
{
    QProcessEnvironment more = m_portal->environment();
    more.insert(QStringLiteral("HOME"), home.path());
    more.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    return home.isValid() && !startProgram(scaleFactor, graphed, more).isNull()
           && QDir(home.path()).mkpath(QStringLiteral("chosen"));
}

QJsonObject TestDesktop::saveAs(const QString &answer)
{
    m_portal->answerNext(answer);
    QJsonObject asked;
    for (int attempt = 0; attempt < 10 && asked.isEmpty(); ++attempt) {
        if (!m_program->click(restingPoint) || !m_program->xdo("key ctrl+s"))
            return {};
        asked = m_portal->nextRequest(3000);
    }
    return asked;
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

QStringList TestDesktop::accessibleTree(const QStringList &steps, QString *failure,
                                        const QString &soundServer)
{
    // Read once for each list of steps, on the first row's demand.
    static QHash<QStringList, std::pair<QStringList, QString>> read;
    if (!read.contains(steps) || !soundServer.isEmpty()) {
        const QString runner = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
        const e2e::ToolResult result =
            m_desktop->run("/usr/bin/env", QStringList{"PULSE_SERVER=" + soundServer, runner, "--",
                                                       screenReaderPython, ACCESSIBLE_TREE_SCRIPT,
                                                       FUNCTION_GRAPH_PATH, atSpiBusLauncher,
                                                       QStandardPaths::findExecutable("xdotool")}
                                               + steps);
        read.insert(steps,
                    {QString::fromUtf8(result.output).split(QLatin1Char('\n')),
                     result.succeeded() ? QString()
                                        : result.describe(QStringLiteral("accessibletree.py"))});
    }
    *failure = read[steps].second;
    return read[steps].first;
}

void TestDesktop::screenReaderSeesWindowAndImage_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("startupDescription"); // null: not checked
    QTest::addColumn<QString>("graphedDescription");
    QTest::addColumn<bool>("byActions"); // the third function chosen and graphed by actions

    const auto control = [](const char *row, const char *role, const char *name) {
        QTest::newRow(row) << QString(role) << QString(name) << QString() << QString() << false;
    };
    // Each kind of control once: every control's name is checked in tst_graphwindow, through the
    // same accessible interface the bus reads.
    control("window", "frame", "Graph");
    const QString graphed =
        QStringLiteral("Graph of y = 5 sine x over x from -10 to 10; Space plays it as sound");
    QTest::newRow("picture, chosen and graphed by clicks")
        << QStringLiteral("image") << QStringLiteral("Plot")
        << QStringLiteral("Axes from -10 to 10") << graphed << false;
    // The action a screen reader offers on a radio button toggles it, never clicks it.
    QTest::newRow("picture, chosen and graphed by a screen reader's actions")
        << QStringLiteral("image") << QStringLiteral("Plot")
        << QStringLiteral("Axes from -10 to 10") << graphed << true;
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
    QFETCH(bool, byActions);
    const QStringList steps =
        byActions ? QStringList{"y = 5 sine x over x=Toggle", "Graph=Press", "?"}
                  : QStringList{place(e2e::optionClickPoint(2)), place(e2e::graphClickPoint), "?"};
    QString failure;
    const QStringList tree = accessibleTree(steps, &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    for (const auto &[phase, description] :
         {std::pair{"start-up", startupDescription}, {"after steps", graphedDescription}}) {
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
    QTest::addColumn<int>("saved");           // the function saved from the window
    QTest::addColumn<QString>("format");      // as which
    QTest::addColumn<bool>("cancelledFirst"); // whether the file chooser is cancelled once first
    // clang-format off
    QTest::newRow("scale 1") << QStringLiteral("1") << 1 << QStringLiteral("svg") << true;
    QTest::newRow("scale 1.1") << QStringLiteral("1.1") << 2 << QStringLiteral("png") << false;
    QTest::newRow("scale 1.25") << QStringLiteral("1.25") << 3 << QStringLiteral("png") << false;
    QTest::newRow("scale 1.33") << QStringLiteral("1.33") << 4 << QStringLiteral("pdf") << false;
    QTest::newRow("scale 1.5") << QStringLiteral("1.5") << 5 << QStringLiteral("png") << false;
    QTest::newRow("scale 2") << QStringLiteral("2") << 3 << QStringLiteral("png") << false;
    // clang-format on
}

void TestDesktop::samePictureEverywhere()
{
    QFETCH(QString, scale);
    QFETCH(int, saved);
    QFETCH(QString, format);
    QFETCH(bool, cancelledFirst);
    QTemporaryDir home;
    QVERIFY2(startAtHome(home, scale, 0), qPrintable(m_program->failure()));

    for (int function = 1; function <= 5; ++function) {
        const QString file = home.filePath(QStringLiteral("f%1.png").arg(function));
        const QImage fromCommandLine = m_desktop->commandLinePicture(
            {"--function", QString::number(function), "--scale", scale}, file);
        QVERIFY(!fromCommandLine.isNull());

        // The window's picture after the press is the command line's, pixel for pixel.
        QVERIFY(m_program->graph(function));
        const Screenshot shot = m_program->pictureWhen(
            [&fromCommandLine](const QImage &picture) { return picture == fromCommandLine; });
        QVERIFY2(shot.ready,
                 qPrintable(QStringLiteral("function %1: ").arg(function)
                            + testsupport::pixelDifferences(shot.image, fromCommandLine)));
        if (function != saved)
            continue;

        // Saved from the window through the desktop's file chooser, into the folder and under the
        // name it answers, the format by the name's end; first cancelled, in one row.
        const QString path = home.filePath(QStringLiteral("chosen/saved.") + format);
        for (const QString &answer :
             (cancelledFirst ? QStringList{"cancel", ""} : QStringList{""})) {
            const QJsonObject asked =
                saveAs(answer.isEmpty() ? QUrl::fromLocalFile(path).toString() : answer);
            QCOMPARE(asked["title"].toString(), QStringLiteral("Save Picture As"));
            QCOMPARE(asked["current_name"].toString(),
                     QStringLiteral("function-%1.png").arg(function));
            QCOMPARE(asked["current_folder"].toString(), home.path());
            QCOMPARE(asked["filters"].toVariant().toStringList(),
                     (QStringList{"PNG image", "SVG drawing", "PDF document",
                                  "WAV sound of the curve"}));
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 0, 20000);
        // Nothing else was written, and no message came: a cancelled choice is no failure.
        QCOMPARE(QDir(home.filePath("chosen")).entryList(QDir::Files),
                 QStringList{QFileInfo(path).fileName()});
        QCOMPARE(m_program->visibleWindows().size(), 1);
        const QString fault =
            format == "png"
                ? testsupport::pixelDifferences(
                    QImage(path, "PNG").convertToFormat(QImage::Format_RGB32), fromCommandLine)
                : testsupport::documentFaults(testsupport::rasterised(path), function).join("; ");
        QVERIFY2(fault.isEmpty(), qPrintable(path + ": " + fault));
    }
}

void TestDesktop::replacingAskedAfterTheFileChooser_data()
{
    QTest::addColumn<QString>("keys"); // answering the question
    QTest::addColumn<bool>("replaced");
    QTest::newRow("No, by Escape") << QStringLiteral("Escape") << false;
    QTest::newRow("Yes") << QStringLiteral("y") << true;
}

// The desktop's file chooser asked about the name the user typed, "saved"; the file written is
// "saved.png", with the filter's extension, which exists: the program asks before replacing it.
void TestDesktop::replacingAskedAfterTheFileChooser()
{
    QFETCH(QString, keys);
    QFETCH(bool, replaced);
    QTemporaryDir home;
    QVERIFY2(startAtHome(home, QStringLiteral("1"), 3), qPrintable(m_program->failure()));
    const QString existing = home.filePath(QStringLiteral("chosen/saved.png"));
    const QByteArray old("an old picture");
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    file.close();

    const QJsonObject asked =
        saveAs(QUrl::fromLocalFile(home.filePath(QStringLiteral("chosen/saved"))).toString());
    QCOMPARE(asked["title"].toString(), QStringLiteral("Save Picture As"));
    // The question, a window of its own, given the keyboard as a window manager would.
    QStringList windows;
    QTRY_VERIFY_WITH_TIMEOUT((windows = m_program->visibleWindows()).size() == 2, 20000);
    QVERIFY(m_program->xdo(QStringLiteral("windowfocus --sync ") + windows.last()));
    QVERIFY(m_program->xdo("key " + keys));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->visibleWindows().size(), 1, 20000);
    if (replaced) {
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile(existing).open(QIODevice::ReadOnly) &&
                [&existing] {
                    QFile saved(existing);
                    return saved.open(QIODevice::ReadOnly) && saved.readAll().startsWith("\x89PNG");
                }(),
            20000);
    } else {
        // Nothing is written, under neither name.
        QTest::qWait(1000);
        QFile kept(existing);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), old);
    }
    QCOMPARE(QDir(home.filePath(QStringLiteral("chosen"))).entryList(QDir::Files),
             QStringList{QStringLiteral("saved.png")});
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
    QTest::addColumn<double>("pitch"); // of all that is heard
    // A sound stopped by Escape or another graph: tst_picturemenu's soundFollowsItsServer.
    QTest::newRow("Play the Curve, through the accessibility bus") << "" << 0.0;
    // The read-off steps from x = 0 to 0.1 on x*x-2: y = -1.99, 220 * 4^(8.01 / 20) Hz.
    QTest::newRow("Right, one point") << "Right" << 383.3;
}

// A sound server of the test's own records its null sink (rewinds off, so that a sound is kept
// from its very start). Played whole, the curve of 5sin(x)/x is as long as the command line's WAV
// file and has its pitch track; a read-off step plays its point's tone.
void TestDesktop::soundHeard()
{
    QFETCH(QString, key);
    QFETCH(double, pitch);
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if ((pulseaudio.isEmpty() || parec.isEmpty()) && qEnvironmentVariableIsEmpty("CI"))
        QSKIP("a sound server and its recorder are missing: the packages pulseaudio and "
              "pulseaudio-utils (scripts/install-packages test)");
    testsupport::SoundServer server(m_files.path());
    QVERIFY(server.isReady());
    testsupport::ChildProcess recorder(QProcessEnvironment::systemEnvironment());
    recorder.setStandardOutputFile(m_files.filePath(QStringLiteral("heard.raw")));
    recorder.start(parec, {"--server=" + server.address(), "--device=heard.monitor", "--raw",
                           "--format=s16le", "--rate=44100", "--channels=2"});
    QVERIFY(recorder.waitForStarted());
    QString failure;
    QStringList tree;
    if (key.isEmpty()) {
        tree = accessibleTree({place(e2e::optionClickPoint(2)), place(e2e::graphClickPoint),
                               "Plot=Play the Curve", "+5"},
                              &failure, server.address());
    } else {
        QProcessEnvironment sound;
        sound.insert(QStringLiteral("PULSE_SERVER"), server.address());
        QVERIFY(!startProgram(QStringLiteral("1"), 1, sound).isNull());
        // The picture follows Graph in the focus order.
        QVERIFY(m_program->click(e2e::graphClickPoint) && m_program->xdo("key Tab " + key));
        QTest::qWait(1000);
    }
    recorder.terminate();
    recorder.waitForFinished();
    QFile recording(m_files.filePath(QStringLiteral("heard.raw")));
    QVERIFY(recording.open(QIODevice::ReadOnly));
    const std::vector<double> got = heard(recording.readAll());
    const double seconds = double(got.size()) / 44100;
    if (!key.isEmpty()) {
        const std::vector<int> track = pitchTrack(got);
        const double heardPitch =
            std::accumulate(track.cbegin(), track.cend(), 0.0) / 2 / (double(track.size()) * 0.02);
        QVERIFY2(seconds > 0.1 && seconds < 0.2, qPrintable(QString::number(seconds)));
        QVERIFY2(std::abs(heardPitch / pitch - 1) < 0.03, qPrintable(QString::number(heardPitch)));
        return;
    }
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

void TestDesktop::nativeOnWayland_data()
{
    QTest::addColumn<int>("scale"); // the compositor's output scale
    QTest::newRow("scale 1") << 1;
    QTest::newRow("scale 2") << 2;
}

// The window on a Wayland compositor of its own, without X: chosen, graphed and ended through
// the accessibility bus (nothing else reaches a headless compositor's clients), photographed by
// the compositor.
void TestDesktop::nativeOnWayland()
{
    QFETCH(int, scale);
    QTemporaryDir runtime; // made private, 0700, as a Wayland socket's folder must be
    QVERIFY(runtime.isValid());
    QProcessEnvironment environment = m_desktop->environment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    const QString socket = QStringLiteral("wayland-function-graph");
    // --debug lets weston-screenshooter photograph the output; pixman draws it in memory.
    const auto weston = companion("weston",
                                  {"--backend=headless-backend.so", "--use-pixman",
                                   "--socket=" + socket, QStringLiteral("--scale=%1").arg(scale),
                                   "--width=1024", "--height=768", "--idle-time=0", "--debug"},
                                  environment);
    QVERIFY(weston->waitForFile(runtime.filePath(socket)));
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));

    const auto screenReader = companion(
        QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")),
        {"--", screenReaderPython, ACCESSIBLE_TREE_SCRIPT, FUNCTION_GRAPH_PATH, atSpiBusLauncher,
         "-", "y = 5 sine x over x=Toggle", "Graph=Press", "?", "End=Press"},
        environment);
    QStringList tree;
    QString line;
    while (!(line = screenReader->nextLine()).isNull() && line != QLatin1String("paused"))
        tree << line;
    QVERIFY2(tree.contains(QStringLiteral("after steps\timage\tPlot\tGraph of y = 5 sine x over x "
                                          "from -10 to 10; Space plays it as sound")),
             qPrintable(tree.join(" | ")));

    // The compositor shows the command line's picture, pixel for pixel, at its scale.
    const QString file = m_files.filePath(QStringLiteral("wayland%1.png").arg(scale));
    const QImage expected =
        m_desktop->commandLinePicture({"--function", "3", "--scale", QString::number(scale)}, file);
    QVERIFY(!expected.isNull());
    QTemporaryDir shots;
    QImage shown;
    const QDeadlineTimer deadline(20000);
    while (shown != expected && !deadline.hasExpired()) {
        // The screenshooter writes into the folder it runs in.
        const e2e::ToolResult shot = testsupport::runTool(
            QStringLiteral("sh"),
            {"-c", "cd \"$1\" && exec weston-screenshooter", "sh", shots.path()}, environment);
        QVERIFY2(shot.succeeded(), qPrintable(shot.describe("weston-screenshooter")));
        for (const QString &name : QDir(shots.path()).entryList({"*.png"}, QDir::Files)) {
            const QImage image =
                QImage(shots.filePath(name), "PNG").convertToFormat(QImage::Format_RGB32);
            // The window's client area ends where its blue ends (the title bar's icon is blue
            // too), the picture in its place there.
            const QPoint client = testsupport::boundsOf(image, qRgb(0, 0, 255)).bottomRight()
                                  - QPoint(639, 436) * scale + QPoint(1, 1);
            shown = image.copy(
                testsupport::deviceRect(testsupport::logicalPictureRect, scale).translated(client));
            QFile::remove(shots.filePath(name));
        }
    }
    QVERIFY2(shown == expected, qPrintable(testsupport::pixelDifferences(shown, expected)));

    // End ends it, with status 0.
    screenReader->write("\n");
    QVERIFY2(screenReader->result().output.contains("ended with status 0"),
             "the program did not end by End");
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
