// Reading values off the picture with the pointer and the arrow keys. The expected texts are
// worked out by hand from the scale (column c shows x = -10 + 20 c / 440, row r shows
// y = 10 - 20 r / 384 at ratio 1) and the formulas, not by the program's own code.
#include "graphwindow.h"
#include "process.h"
#include "windowdriver.h"

#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace windowdriver;

namespace {

const QString parabolaGraph =
    QStringLiteral("Graph of y = x squared minus 2 from -10 to 10; Space plays it as sound");

QLabel *readOut(app::GraphWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("readOut"));
}

// What the readout says; empty while none shows.
QString shownReadOut(app::GraphWindow &window)
{
    QLabel *const label = readOut(window);
    return label->isVisible() ? label->text() : QString();
}

// Moves the pointer as the mouse does, over `at` in the picture's own pixels (ratio 1), or off
// the picture to the blue margin below the buttons.
void pointAt(app::GraphWindow &window, QPoint at)
{
    QTest::mouseMove(window.windowHandle(), pictureBox(window)->mapTo(&window, at));
}

void pointOff(app::GraphWindow &window)
{
    QTest::mouseMove(window.windowHandle(), QPoint(600, 400));
}

} // namespace

class TestReadOff : public QObject {
    Q_OBJECT

private slots:
    void readOffFollowsPointerAndKeys_data();
    void readOffFollowsPointerAndKeys();
    void readOutStandsWhereTheScreenHasRoom_data();
    void readOutStandsWhereTheScreenHasRoom();
    void soundModuleLoadedOnTheFirstSoundOnce_data();
    void soundModuleLoadedOnTheFirstSoundOnce();
};

void TestReadOff::readOffFollowsPointerAndKeys_data()
{
    QTest::addColumn<int>("graphed");
    // "c,r": the pointer over the picture's pixel; "off": off the picture; a key: pressed on the
    // focused picture; "move": the window moved; "Graph": pressed with the keyboard.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("onTheCurve"); // the curve's red under the first pointer position
    // What the readout shows; a point read off with the keys is also said after the description.
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("centre, before a graph") << 0 << QStringList{"220,192"} << false << "x = 0.00, y = 0.00";
    QTest::newRow("top-left corner, before a graph") << 0 << QStringList{"0,0"} << false << "x = -10.00, y = 10.00";
    QTest::newRow("bottom-right corner, before a graph") << 0 << QStringList{"440,384"} << false << "x = 10.00, y = -10.00";
    QTest::newRow("x*x-2 at a point on its curve") << 1 << QStringList{"242,211"} << true << "x = 1.00, y = -0.99\nf(x) = -1.00";
    QTest::newRow("5sin(x)/x at its peak, on the curve") << 3 << QStringList{"220,96"} << true << "x = 0.00, y = 5.00\nf(x) = 5.00";
    QTest::newRow("5sin(x)/x below the curve") << 3 << QStringList{"87,301"} << false << "x = -6.05, y = -5.68\nf(x) = -0.19";
    QTest::newRow("x*x-2 where the curve is above the picture") << 1 << QStringList{"330,150"} << false << "x = 5.00, y = 2.19\nf(x) off the picture";
    QTest::newRow("x*exp(-x)+2 at the top-left corner, far below") << 2 << QStringList{"0,0"} << false << "x = -10.00, y = 10.00\nf(x) off the picture";
    QTest::newRow("sqrt(x^2+1) at the bottom-right corner, just above") << 5 << QStringList{"440,384"} << false << "x = 10.00, y = -10.00\nf(x) off the picture";

    QTest::newRow("Right from 0") << 3 << QStringList{"Right"} << false << "x = 0.10\nf(x) = 4.99";
    QTest::newRow("Left from 0") << 3 << QStringList{"Left"} << false << "x = -0.10\nf(x) = 4.99";
    QTest::newRow("Shift+Right by 1") << 3 << QStringList{"Shift+Right"} << false << "x = 1.00\nf(x) = 4.21";
    QTest::newRow("steps add up without drift") << 3 << QStringList{"Right", "Right", "Right", "Left", "Left", "Left"} << false << "x = 0.00\nf(x) = 5.00";
    QTest::newRow("clamped at 10") << 3 << QStringList(12, "Shift+Right") << false << "x = 10.00\nf(x) = -0.27";
    QTest::newRow("clamped at -10, off the picture") << 1 << QStringList(11, "Shift+Left") << false << "x = -10.00\nf(x) off the picture";
    // The pointer read x = 1.14 (1.136...): the point moves on from what was shown, and f is
    // taken where the point is said to be (f(1.236...) would read -0.47).
    QTest::newRow("from the last pointer x") << 1 << QStringList{"245,100", "off", "Right"} << false << "x = 1.24\nf(x) = -0.46";
    QTest::newRow("before a graph") << 0 << QStringList{"Right", "Right"} << false << "x = 0.20";

    // The readout is a window of its own: it goes where its point goes, or goes away.
    QTest::newRow("keyboard point, window moved") << 3 << QStringList{"Right", "move"} << false << "x = 0.10\nf(x) = 4.99";
    QTest::newRow("pointer, window moved") << 3 << QStringList{"220,96", "move"} << true << "";
    QTest::newRow("pointer, x*x-2 graphed under it") << 0 << QStringList{"220,96", "Graph"} << false << "x = 0.00, y = 5.00\nf(x) = -2.00";
    // clang-format on
}

void TestReadOff::readOffFollowsPointerAndKeys()
{
    QFETCH(int, graphed);
    QFETCH(QStringList, steps);
    QFETCH(bool, onTheCurve);
    QFETCH(QString, expected);

    const std::unique_ptr<app::GraphWindow> window = activeWindow(graphed);
    pointOff(*window);
    const QImage before = picture(*window);
    QString described = pictureDescription(*window);
    bool firstPointer = true;
    for (const QString &step : steps) {
        if (step.contains(QLatin1Char(','))) {
            const QPoint at(step.section(',', 0, 0).toInt(), step.section(',', 1).toInt());
            // The numbers are the ones drawn: where the readout reads the curve, the curve is.
            if (std::exchange(firstPointer, false))
                QCOMPARE(before.pixel(at) == qRgb(255, 0, 0), onTheCurve);
            pointAt(*window, at);
            // Beside the pointer, not over it.
            QVERIFY(!readOut(*window)->geometry().contains(pictureBox(*window)->mapToGlobal(at)));
        } else if (step == "off") {
            pointOff(*window);
        } else if (step == "move") {
            const QPoint beside = readOut(*window)->pos() - window->mapToGlobal(QPoint(0, 0));
            const QPoint to = window->pos() + QPoint(40, 30);
            window->move(to);
            QTRY_COMPARE(window->pos(), to);
            if (readOut(*window)->isVisible())
                QCOMPARE(readOut(*window)->pos() - window->mapToGlobal(QPoint(0, 0)), beside);
        } else if (step == "Graph") {
            QVERIFY(tabTo(*window, QStringLiteral("graphButton")));
            press(*window, Qt::Key_Space);
            QCOMPARE(pictureDescription(*window), parabolaGraph);
            described = parabolaGraph;
        } else {
            if (focusName() != "picture") {
                // The focus alone shows nothing and says nothing new.
                QVERIFY(tabTo(*window, QStringLiteral("picture")));
                QCOMPARE(shownReadOut(*window), QString());
                QCOMPARE(pictureDescription(*window), described);
            }
            press(*window, step);
        }
    }
    QTRY_COMPARE(shownReadOut(*window), expected);
    const bool keys = !steps.filter("Left").isEmpty() || !steps.filter("Right").isEmpty();
    QCOMPARE(pictureDescription(*window),
             described + (keys ? ". At " + QString(expected).replace('\n', ": ") : QString()));
    // The read-off never draws into the picture.
    if (!steps.contains("Graph"))
        QCOMPARE(picture(*window), before);

    // The pointer leaving the picture, and the focus, end the read-off and its words.
    pointOff(*window);
    if (focusName() == "picture")
        press(*window, Qt::Key_Tab);
    QCOMPARE(shownReadOut(*window), QString());
    QCOMPARE(pictureDescription(*window), described);
}

void TestReadOff::readOutStandsWhereTheScreenHasRoom_data()
{
    // The window is placed so that the pointer rests near an edge of the screen, or well away.
    QTest::addColumn<bool>("nearRight");  // the readout then stands to the pointer's left
    QTest::addColumn<bool>("nearBottom"); // the readout then stands above the pointer

    QTest::newRow("room below and to the right") << false << false;
    QTest::newRow("near the right edge") << true << false;
    QTest::newRow("near the bottom edge") << false << true;
    QTest::newRow("near the bottom-right corner") << true << true;
}

void TestReadOff::readOutStandsWhereTheScreenHasRoom()
{
    QFETCH(bool, nearRight);
    QFETCH(bool, nearBottom);

    const std::unique_ptr<app::GraphWindow> window = activeWindow(1);
    const QRect room = window->screen()->availableGeometry();
    const QPoint anchor(nearRight ? room.right() - 20 : room.left() + 300,
                        nearBottom ? room.bottom() - 20 : room.top() + 300);
    const QPoint at(220, 192); // the picture's middle
    window->move(window->pos() + anchor - pictureBox(*window)->mapToGlobal(at));
    QTRY_COMPARE(pictureBox(*window)->mapToGlobal(at), anchor);
    pointAt(*window, at);
    QVERIFY(readOut(*window)->isVisible());

    const QRect placed = readOut(*window)->geometry();
    QVERIFY(room.contains(placed));
    QCOMPARE(nearRight ? placed.right() < anchor.x() : placed.left() > anchor.x(), true);
    QCOMPARE(nearBottom ? placed.bottom() < anchor.y() : placed.top() > anchor.y(), true);
}

namespace {

// What the dynamic loader reports of a run of this program as a child (stepsAlone): the lines
// that look for the sound module by name, and whether Qt Multimedia was loaded.
struct Loads {
    int searches = 0;
    bool multimedia = false;
    QString failure;
};

Loads loadsOf(int graphed, const QString &keys, bool moduleThere)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    // No sound server: the module, where it is, finds no audio output.
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    // The tests find the module through the library path alone; without it, it is missing.
    if (!moduleThere)
        environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
    const testsupport::ToolResult child = testsupport::runTool(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--steps"), QString::number(graphed), keys}, environment, 60000);
    Loads loads;
    if (!child.succeeded()) {
        loads.failure = child.describe(QStringLiteral("the child"));
        return loads;
    }
    const QString &report = child.errors;
    loads.searches = int(report.count("find library=libfunction-graph-sound"));
    loads.multimedia = report.contains("calling init: ") && report.contains("libQt6Multimedia.so");
    return loads;
}

} // namespace

void TestReadOff::soundModuleLoadedOnTheFirstSoundOnce_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QString>("keys"); // on the focused picture
    QTest::addColumn<bool>("moduleThere");
    QTest::addColumn<bool>("looked"); // whether the module is looked for, once (a sound is made)

    // Before a graph a step's sound is empty: nothing to load.
    QTest::newRow("steps before a graph") << 0 << "Right Right Left" << true << false;
    QTest::newRow("steps before a graph, module missing") << 0 << "Right Left" << false << false;
    // A missing module is looked for on the first sound, not again.
    QTest::newRow("steps on a graph, module missing") << 3 << "Right Right Left" << false << true;
    // Space last: its message, modal to the window, would keep later keys from it.
    QTest::newRow("steps then Space, module missing") << 3 << "Right Right Space" << false << true;
    QTest::newRow("steps on a graph, module there") << 3 << "Right Right" << true << true;
}

// Run as children, each a fresh program: what a sound loads shows only once per process.
void TestReadOff::soundModuleLoadedOnTheFirstSoundOnce()
{
    QFETCH(int, graphed);
    QFETCH(QString, keys);
    QFETCH(bool, moduleThere);
    QFETCH(bool, looked);

    const Loads loads = loadsOf(graphed, keys, moduleThere);
    QVERIFY2(loads.failure.isEmpty(), qPrintable(loads.failure));
    // As often as for the first key alone: one search, however many keys follow.
    const Loads first = loadsOf(graphed, keys.section(QLatin1Char(' '), 0, 0), moduleThere);
    QVERIFY2(first.failure.isEmpty(), qPrintable(first.failure));
    QCOMPARE(loads.searches > 0, looked);
    QCOMPARE(loads.searches, first.searches);
    // Qt Multimedia comes with the module alone.
    QCOMPARE(loads.multimedia, looked && moduleThere);
}

// As a child of soundModuleLoadedOnTheFirstSoundOnce: function `graphed` graphed unless 0, then
// `keys` pressed on the focused picture.
int stepsAlone(int graphed, const QString &keys)
{
    const std::unique_ptr<app::GraphWindow> window = activeWindow(graphed);
    if (!tabTo(*window, QStringLiteral("picture")))
        return 3;
    for (const QString &step : keys.split(QLatin1Char(' ')))
        press(*window, step);
    return 0;
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    if (argc == 4 && qstrcmp(argv[1], "--steps") == 0)
        return stepsAlone(QByteArray(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]));
    TestReadOff test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readoff.moc"
