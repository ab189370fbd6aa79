#include "designdata.h"
#include "fonts.h"
#include "graphwindow.h"
#include "windowdriver.h"

#include <QMessageBox>
#include <QtTest>

using windowdriver::button;
using windowdriver::picture;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb magenta = qRgb(128, 0, 128);
const QRgb black = qRgb(0, 0, 0);

} // namespace

class TestGraphWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void startsWithTheFirstFunctionAndTheStartupFrame();
    void choosingChangesNothingUntilGraph();
    void graphDrawsTheChosenCurve_data();
    void graphDrawsTheChosenCurve();
    void tabOrderFollowsTheDesign();
    void pictureSurvivesRepaints_data();
    void pictureSurvivesRepaints();
    void failedDrawingIsReportedAndRecovers();
    void endQuits();
};

void TestGraphWindow::initTestCase()
{
    app::installFontSubstitutes();
}

void TestGraphWindow::layoutFollowsTheDesign_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRgb>("background");

    // Spelled out here, not read from the design table: a typo there must show as one here.
    const QRgb green = qRgb(0, 255, 0);
    QTest::newRow("title") << "title"
                           << "Graph Drawing Method" << QRect(136, 8, 225, 33)
                           << qRgb(255, 255, 192);
    QTest::newRow("picture") << "picture"
                             << "" << QRect(8, 40, 441, 385) << qRgb(128, 255, 255);
    QTest::newRow("function 1") << "functionButton1"
                                << "y=x*x-2 " << QRect(448, 80, 145, 25) << green;
    QTest::newRow("function 2") << "functionButton2"
                                << "y=x*exp(-x)+2" << QRect(448, 104, 145, 25) << green;
    QTest::newRow("function 3") << "functionButton3"
                                << "y=5sin(x)/x " << QRect(448, 128, 145, 25) << green;
    QTest::newRow("function 4") << "functionButton4"
                                << "y=exp(x)-1-x^2 " << QRect(448, 152, 145, 25) << green;
    QTest::newRow("function 5") << "functionButton5" << QString::fromUtf8("y=\u221a(x^2+1) ")
                                << QRect(448, 176, 145, 25) << green;
    QTest::newRow("Graph") << "graphButton"
                           << "Graph" << QRect(472, 208, 73, 33) << QRgb(0);
    QTest::newRow("End") << "endButton"
                         << "End" << QRect(472, 240, 73, 33) << QRgb(0);
}

void TestGraphWindow::layoutFollowsTheDesign()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(QRgb, background);

    app::GraphWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Graph"));
    QCOMPARE(window.size(), QSize(639, 436));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.palette().color(QPalette::Window).rgb(), qRgb(0, 0, 255));

    auto *const widget = window.findChild<QWidget *>(objectName);
    QVERIFY(widget != nullptr);
    if (auto *const label = qobject_cast<QLabel *>(widget)) {
        // The title keeps its place and height, and is wide enough for its whole text.
        QCOMPARE(label->text(), caption);
        QCOMPARE(widget->pos(), geometry.topLeft());
        QCOMPARE(widget->height(), geometry.height());
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(caption) <= widget->width());
        QVERIFY(widget->geometry().right() < 448);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(widget->font().italic());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
    if (auto *const pushOrOption = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(pushOrOption->text(), caption);
        QVERIFY(widget->font().bold());
        QVERIFY(!widget->font().italic());
    }
    if (background != 0) {
        const QPalette::ColorRole role =
            qobject_cast<QRadioButton *>(widget) != nullptr ? QPalette::Button : QPalette::Window;
        QCOMPARE(widget->palette().color(role).rgb(), background);
    }
}

void TestGraphWindow::startsWithTheFirstFunctionAndTheStartupFrame()
{
    app::GraphWindow window;
    QCOMPARE(window.funcNo(), std::optional<int>(1));
    QVERIFY(button(window, "functionButton1")->isChecked());
    QCOMPARE(window.focusWidget(), button(window, "functionButton1"));

    const QImage image = picture(window);
    QCOMPARE(image.pixel(0, 192), magenta);
    QCOMPARE(image.pixel(440, 192), magenta);
    QCOMPARE(image.pixel(220, 0), black);
    // Start-up ticks stop at -9 and 9: none at the ends of the axes.
    QCOMPARE(image.pixel(22, 190), black);
    QCOMPARE(image.pixel(0, 190), qRgb(128, 255, 255));
    QCOMPARE(image.pixel(218, 0), qRgb(128, 255, 255));
}

void TestGraphWindow::choosingChangesNothingUntilGraph()
{
    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage before = picture(window);

    // A click on the empty green right of a button chooses it too.
    QAbstractButton *const sinc = button(window, "functionButton3");
    QTest::mouseClick(sinc, Qt::LeftButton, {}, QPoint(sinc->width() - 3, sinc->height() / 2));
    QVERIFY(sinc->isChecked());
    QCOMPARE(window.funcNo(), std::optional<int>(3));
    QCOMPARE(picture(window), before);

    QTest::mouseClick(button(window, "graphButton"), Qt::LeftButton);
    const QImage sincGraph = picture(window);
    QVERIFY(sincGraph != before);

    // Another choice leaves the sinc curve on screen until the next press.
    QTest::mouseClick(button(window, "functionButton5"), Qt::LeftButton);
    QCOMPARE(window.funcNo(), std::optional<int>(5));
    QCOMPARE(picture(window), sincGraph);
}

void TestGraphWindow::graphDrawsTheChosenCurve_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QPoint>("onCurve");
    QTest::addColumn<QPoint>("offCurve");

    // Pixels on and well off each curve: column (x + 10) * 22, row (10 - y) * 19.2.
    QTest::newRow("x*x-2") << "functionButton1" << QPoint(220, 230) << QPoint(220, 154);
    QTest::newRow("x*exp(-x)+2") << "functionButton2" << QPoint(220, 154) << QPoint(220, 230);
    QTest::newRow("5sin(x)/x") << "functionButton3" << QPoint(220, 96) << QPoint(330, 220);
    QTest::newRow("exp(x)-1-x^2") << "functionButton4" << QPoint(242, 178) << QPoint(220, 154);
    QTest::newRow("sqrt(x^2+1)") << "functionButton5" << QPoint(220, 173) << QPoint(220, 96);
}

void TestGraphWindow::graphDrawsTheChosenCurve()
{
    QFETCH(QString, option);
    QFETCH(QPoint, onCurve);
    QFETCH(QPoint, offCurve);

    app::GraphWindow window;
    QTest::mouseClick(button(window, qPrintable(option)), Qt::LeftButton);
    QTest::mouseClick(button(window, "graphButton"), Qt::LeftButton);
    const QImage first = picture(window);

    // The graph frame replaces the start-up frame: black x-axis with ticks at its very ends.
    QCOMPARE(first.pixel(1, 192), black);
    QCOMPARE(first.pixel(0, 190), black);
    QCOMPARE(first.pixel(440, 194), black);
    bool magentaLeft = false;
    for (int x = 0; x < first.width(); ++x)
        magentaLeft = magentaLeft || first.pixel(x, 192) == magenta;
    QVERIFY(!magentaLeft);

    QCOMPARE(first.pixel(onCurve), red);
    QVERIFY(first.pixel(offCurve) != red);

    // Graphing again draws the very same pixels.
    QTest::mouseClick(button(window, "graphButton"), Qt::LeftButton);
    QCOMPARE(picture(window), first);
}

void TestGraphWindow::tabOrderFollowsTheDesign()
{
    app::GraphWindow window;
    const QStringList expected{"functionButton1", "graphButton",     "picture",
                               "endButton",       "functionButton2", "functionButton3",
                               "functionButton4", "functionButton5"};
    QWidget *widget = window.findChild<QWidget *>(expected.front());
    for (const QString &name : expected) {
        QCOMPARE(widget->objectName(), name);
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus)
            widget = widget->nextInFocusChain();
    }
}

void TestGraphWindow::pictureSurvivesRepaints_data()
{
    QTest::addColumn<QString>("event");
    QTest::newRow("focus on the picture") << "focus in";
    QTest::newRow("focus away from the picture") << "focus out";
    QTest::newRow("explicit repaint") << "repaint";
    QTest::newRow("hidden and shown again") << "hide and show";
}

void TestGraphWindow::pictureSurvivesRepaints()
{
    QFETCH(QString, event);

    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    QTest::mouseClick(button(window, "functionButton3"), Qt::LeftButton);
    QTest::mouseClick(button(window, "graphButton"), Qt::LeftButton);
    QWidget *const pictureWidget = windowdriver::pictureBox(window);

    if (event == "focus in") {
        pictureWidget->setFocus(Qt::TabFocusReason);
    } else if (event == "focus out") {
        pictureWidget->setFocus(Qt::TabFocusReason);
        button(window, "endButton")->setFocus(Qt::TabFocusReason);
    } else if (event == "repaint") {
        pictureWidget->repaint();
    } else {
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    // What the widget paints now is the graph, pixel for pixel.
    const QImage painted = pictureWidget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted, windowdriver::freshGraph(2));
}

void TestGraphWindow::failedDrawingIsReportedAndRecovers()
{
    FaultyGraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.recorder.failOnCall = 46; // the first join of the curve

    QTest::mouseClick(button(window, "graphButton"), Qt::LeftButton);
    QCOMPARE(window.recorder.calls.size(), std::size_t(47));
    auto *const message = window.findChild<QMessageBox *>(QStringLiteral("drawingFailure"));
    QVERIFY(message != nullptr);
    // Told, not only made: the message is on screen.
    QVERIFY(QTest::qWaitForWindowExposed(message));
    QVERIFY(message->isVisible());
    QVERIFY(message->text().contains(QStringLiteral("\"line-to\"")));
    QVERIFY(window.isEnabled());
    message->close();

    // The next press draws the whole picture, the same as an untroubled window's.
    window.recorder.failOnCall.reset();
    QTest::mouseClick(button(window, "graphButton"), Qt::LeftButton);
    app::GraphWindow healthy;
    QTest::mouseClick(button(healthy, "graphButton"), Qt::LeftButton);
    QCOMPARE(picture(window), picture(healthy));
}

void TestGraphWindow::endQuits()
{
    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(
        0, &window, [&window] { QTest::mouseClick(button(window, "endButton"), Qt::LeftButton); });
    QCOMPARE(QCoreApplication::exec(), 0);

    // Closing the window, the last one, ends the program too.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(0, &window, [&window] { window.close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(TestGraphWindow)
#include "tst_graphwindow.moc"
