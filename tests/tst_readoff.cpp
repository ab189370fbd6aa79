// Reading values off the picture with the pointer and the arrow keys. The expected texts are
// worked out by hand from the scale (column c shows x = -10 + 20 c / 440, row r shows
// y = 10 - 20 r / 384 at ratio 1) and the formulas, not by the program's own code.
#include "fonts.h"
#include "graphwindow.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace windowdriver;

namespace {

const QString axes = QStringLiteral("Axes from -10 to 10");
const QString sincGraph = QStringLiteral("Graph of y = 5 sine x over x from -10 to 10");
const QString parabolaGraph = QStringLiteral("Graph of y = x squared minus 2 from -10 to 10");

// Where the pointer rests when it is off the picture: the blue margin below the buttons.
constexpr QPoint offThePicture(600, 400);

QLabel *readOut(app::GraphWindow &window)
{
    auto *const label = window.findChild<QLabel *>(QStringLiteral("readOut"));
    if (label == nullptr)
        qFatal("no readout");
    return label;
}

// What the readout says; empty while none shows.
QString shownReadOut(app::GraphWindow &window)
{
    QLabel *const label = readOut(window);
    return label->isVisible() ? label->text() : QString();
}

QString description(app::GraphWindow &window)
{
    QAccessibleInterface *const accessible =
        QAccessible::queryAccessibleInterface(pictureBox(window));
    return accessible->text(QAccessible::Description);
}

// Moves the pointer as the mouse does, over `at` in the picture's own pixels (ratio 1).
void pointAt(app::GraphWindow &window, QPoint at)
{
    QTest::mouseMove(window.windowHandle(), pictureBox(window)->mapTo(&window, at));
}

void pointOff(app::GraphWindow &window)
{
    QTest::mouseMove(window.windowHandle(), offThePicture);
}

// A window on screen with function `graphed` (1..5) graphed, or the start-up frame for 0.
std::unique_ptr<app::GraphWindow> windowShowing(int graphed)
{
    std::unique_ptr<app::GraphWindow> window = activeWindow();
    pointOff(*window);
    if (graphed > 0) {
        click(option(*window, graphed - 1));
        pressGraph(*window);
    }
    return window;
}

// The picture as drawn and as painted on screen: the read-off must change neither.
struct Pixels {
    QImage drawn;
    QImage painted;
    friend bool operator==(const Pixels &, const Pixels &) = default;
};

Pixels pixelsOf(app::GraphWindow &window)
{
    return {picture(window), pictureBox(window)->grab().toImage()};
}

} // namespace

class TestReadOff : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pointerReadsTheScaleAndTheFunction_data();
    void pointerReadsTheScaleAndTheFunction();
    void arrowKeysMoveAReadOffPoint_data();
    void arrowKeysMoveAReadOffPoint();
    void readOutFollowsWhatChanges_data();
    void readOutFollowsWhatChanges();
    void readOutStandsWhereTheScreenHasRoom_data();
    void readOutStandsWhereTheScreenHasRoom();
};

void TestReadOff::initTestCase()
{
    app::installFontSubstitutes();
}

void TestReadOff::pointerReadsTheScaleAndTheFunction_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("onTheCurve");
    QTest::addColumn<QString>("expected");

    QTest::newRow("centre, before a graph")
        << 0 << QPoint(220, 192) << false << "x = 0.00, y = 0.00";
    QTest::newRow("top-left corner, before a graph")
        << 0 << QPoint(0, 0) << false << "x = -10.00, y = 10.00";
    QTest::newRow("bottom-right corner, before a graph")
        << 0 << QPoint(440, 384) << false << "x = 10.00, y = -10.00";
    QTest::newRow("x*x-2 at a point on its curve")
        << 1 << QPoint(242, 211) << true << "x = 1.00, y = -0.99\nf(x) = -1.00";
    QTest::newRow("5sin(x)/x at its peak, on the curve")
        << 3 << QPoint(220, 96) << true << "x = 0.00, y = 5.00\nf(x) = 5.00";
    QTest::newRow("5sin(x)/x below the curve")
        << 3 << QPoint(87, 301) << false << "x = -6.05, y = -5.68\nf(x) = -0.19";
    QTest::newRow("x*x-2 where the curve is above the picture")
        << 1 << QPoint(330, 150) << false << "x = 5.00, y = 2.19\nf(x) off the picture";
    QTest::newRow("x*exp(-x)+2 at the top-left corner, far below")
        << 2 << QPoint(0, 0) << false << "x = -10.00, y = 10.00\nf(x) off the picture";
    QTest::newRow("sqrt(x^2+1) at the bottom-right corner, just above")
        << 5 << QPoint(440, 384) << false << "x = 10.00, y = -10.00\nf(x) off the picture";
}

void TestReadOff::pointerReadsTheScaleAndTheFunction()
{
    QFETCH(int, graphed);
    QFETCH(QPoint, at);
    QFETCH(bool, onTheCurve);
    QFETCH(QString, expected);

    const std::unique_ptr<app::GraphWindow> window = windowShowing(graphed);
    const Pixels before = pixelsOf(*window);
    const QString described = description(*window);
    // The numbers are the ones drawn: where the readout reads the curve, the curve is.
    QCOMPARE(picture(*window).pixel(at) == qRgb(255, 0, 0), onTheCurve);

    pointAt(*window, at);
    QCOMPARE(shownReadOut(*window), expected);
    // Beside the pointer, not over it: the pointer stays on the picture, which is untouched.
    QVERIFY(!readOut(*window)->geometry().contains(pictureBox(*window)->mapToGlobal(at)));
    QCOMPARE(pixelsOf(*window), before);

    // Gone when the pointer leaves; the picture and its description as they were.
    pointOff(*window);
    QCOMPARE(shownReadOut(*window), QString());
    QCOMPARE(pixelsOf(*window), before);
    QCOMPARE(description(*window), described);
}

void TestReadOff::arrowKeysMoveAReadOffPoint_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<int>("pointerColumn"); // where the pointer last read off; -1: nowhere
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("Right from 0") << 3 << -1 << QStringList{"Right"} << "x = 0.10\nf(x) = 4.99"
                                  << sincGraph + ". At x = 0.10: f(x) = 4.99";
    QTest::newRow("Left from 0") << 3 << -1 << QStringList{"Left"} << "x = -0.10\nf(x) = 4.99"
                                 << sincGraph + ". At x = -0.10: f(x) = 4.99";
    QTest::newRow("Shift+Right by 1")
        << 3 << -1 << QStringList{"Shift+Right"} << "x = 1.00\nf(x) = 4.21"
        << sincGraph + ". At x = 1.00: f(x) = 4.21";
    QTest::newRow("steps add up without drift")
        << 3 << -1 << QStringList{"Right", "Right", "Right", "Left", "Left", "Left"}
        << "x = 0.00\nf(x) = 5.00" << sincGraph + ". At x = 0.00: f(x) = 5.00";
    QTest::newRow("clamped at 10")
        << 3 << -1 << QStringList(12, "Shift+Right") << "x = 10.00\nf(x) = -0.27"
        << sincGraph + ". At x = 10.00: f(x) = -0.27";
    QTest::newRow("clamped at -10, off the picture")
        << 1 << -1 << QStringList(11, "Shift+Left") << "x = -10.00\nf(x) off the picture"
        << parabolaGraph + ". At x = -10.00: f(x) off the picture";
    // The pointer read x = 1.14 (1.136...): the point moves on from what was shown, and f is
    // taken where the point is said to be (f(1.236...) would read -0.47).
    QTest::newRow("from the last pointer x")
        << 1 << 245 << QStringList{"Right"} << "x = 1.24\nf(x) = -0.46"
        << parabolaGraph + ". At x = 1.24: f(x) = -0.46";
    QTest::newRow("before a graph")
        << 0 << -1 << QStringList{"Right", "Right"} << "x = 0.20" << axes + ". At x = 0.20";
}

void TestReadOff::arrowKeysMoveAReadOffPoint()
{
    QFETCH(int, graphed);
    QFETCH(int, pointerColumn);
    QFETCH(QStringList, keys);
    QFETCH(QString, expected);
    QFETCH(QString, spoken);

    const std::unique_ptr<app::GraphWindow> window = windowShowing(graphed);
    if (pointerColumn >= 0) {
        pointAt(*window, {pointerColumn, 100});
        pointOff(*window);
    }
    const Pixels before = pixelsOf(*window);
    const QString described = description(*window);

    // The focus alone shows nothing and says nothing new.
    QVERIFY(tabTo(*window, QStringLiteral("picture")));
    QCOMPARE(shownReadOut(*window), QString());
    QCOMPARE(description(*window), described);

    for (const QString &key : keys) {
        const QKeyCombination combination = QKeySequence(key)[0];
        press(*window, combination.key(), combination.keyboardModifiers());
    }
    QCOMPARE(shownReadOut(*window), expected);
    QCOMPARE(description(*window), spoken);
    QCOMPARE(focusName(), QStringLiteral("picture"));
    QCOMPARE(pixelsOf(*window), before);

    // Leaving the picture with the focus ends the read-off.
    press(*window, Qt::Key_Tab);
    QCOMPARE(shownReadOut(*window), QString());
    QCOMPARE(description(*window), described);
    QCOMPARE(pixelsOf(*window), before);
}

void TestReadOff::readOutFollowsWhatChanges_data()
{
    QTest::addColumn<bool>("byKeys");      // the keyboard's point at 0.10, else the pointer at 0, 5
    QTest::addColumn<bool>("moveWindow");  // else "Graph" is pressed, with the keyboard
    QTest::addColumn<QString>("expected"); // empty: the readout is gone

    // A readout is a window of its own: it goes where its point goes, or goes away.
    QTest::newRow("keyboard point, window moved") << true << true << "x = 0.10\nf(x) = 4.99";
    QTest::newRow("pointer, window moved") << false << true << "";
    QTest::newRow("pointer, 5sin(x)/x graphed under it")
        << false << false << "x = 0.00, y = 5.00\nf(x) = 5.00";
}

void TestReadOff::readOutFollowsWhatChanges()
{
    QFETCH(bool, byKeys);
    QFETCH(bool, moveWindow);
    QFETCH(QString, expected);

    const std::unique_ptr<app::GraphWindow> window = windowShowing(byKeys ? 3 : 0);
    click(option(*window, 2));
    if (byKeys) {
        QVERIFY(tabTo(*window, QStringLiteral("picture")));
        press(*window, Qt::Key_Right);
    } else {
        pointAt(*window, {220, 96});
    }
    QVERIFY(readOut(*window)->isVisible());
    const QPoint besideWindow = readOut(*window)->pos() - window->mapToGlobal(QPoint(0, 0));

    if (moveWindow) {
        const QPoint to = window->pos() + QPoint(40, 30);
        window->move(to);
        QTRY_COMPARE(window->pos(), to);
    } else {
        QVERIFY(tabTo(*window, QStringLiteral("graphButton")));
        press(*window, Qt::Key_Space);
    }
    QTRY_COMPARE(shownReadOut(*window), expected);
    if (!expected.isEmpty())
        QCOMPARE(readOut(*window)->pos() - window->mapToGlobal(QPoint(0, 0)), besideWindow);
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

    const std::unique_ptr<app::GraphWindow> window = windowShowing(1);
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

QTEST_MAIN(TestReadOff)
#include "tst_readoff.moc"
