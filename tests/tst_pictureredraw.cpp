#include "picturecontent.h"
#include "windowdriver.h"

#include <QtTest>

using namespace windowdriver;

namespace {

// The picture `content` drawn whole on a fresh surface of `grid`.
QImage rendered(const graphing::PictureContent &content, const plot::PixelGrid &grid)
{
    plot::RasterPlotSurface surface(grid, QColor(128, 255, 255), Qt::black);
    surface.begin();
    graphing::drawPicture(surface, content);
    surface.end();
    return surface.image();
}

} // namespace

// At a fractional pixel ratio the device size of the picture depends on where it stands in the
// window, so moving it by one logical pixel makes it draw itself again at another size, as a move
// to another screen does.
class TestPictureRedraw : public QObject {
    Q_OBJECT

private slots:
    void redrawShowsWhatThePictureShows_data();
    void redrawShowsWhatThePictureShows();
};

void TestPictureRedraw::redrawShowsWhatThePictureShows_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("failingCall"); // -1: the press draws whole

    QTest::newRow("start-up frame") << 0 << -1;
    QTest::newRow("graph of 5sin(x)/x") << 3 << -1;
    // The press stops at its first join: the screen keeps the frame it drew, and a redraw then
    // draws the graph that was asked for, whole.
    QTest::newRow("graph whose press failed part-way") << 3 << 46;
}

void TestPictureRedraw::redrawShowsWhatThePictureShows()
{
    QFETCH(int, function);
    QFETCH(int, failingCall);

    FaultyGraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    plot::PictureBox *const box = pictureBox(window);
    QCOMPARE(box->devicePixelRatioF(), 1.25);
    QCOMPARE(box->surface().image().size(), QSize(551, 481));

    const graphing::PictureContent content{function == 0 ? std::nullopt
                                                         : std::optional<int>(function)};
    if (function != 0) {
        click(option(window, function - 1));
        if (failingCall >= 0)
            window.recorder.failOnCall = window.recorder.calls.size() + std::size_t(failingCall);
        pressGraph(window);
    }
    if (failingCall >= 0) {
        // Only the start point of the curve is there.
        QCOMPARE(redPixels(picture(window)), 1);
    }

    box->move(box->pos() + QPoint(1, 0));
    box->repaint();
    const plot::PixelGrid moved = box->surface().grid();
    QCOMPARE(moved.size, QSize(552, 481));
    QCOMPARE(picture(window), rendered(content, moved));
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1.25");
    QApplication application(argc, argv);
    TestPictureRedraw test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictureredraw.moc"
