#include "picturecheck.h"
#include "picturecontent.h"
#include "rasterplotsurface.h"
#include "windowdriver.h"

#include <QtTest>

using namespace windowdriver;

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
    QTest::addColumn<int>("function"); // 0: none graphed
    QTest::newRow("start-up frame") << 0;
    QTest::newRow("graph of 5sin(x)/x") << 3;
}

void TestPictureRedraw::redrawShowsWhatThePictureShows()
{
    QFETCH(int, function);

    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    plot::PictureBox *const box = pictureBox(window);
    QCOMPARE(box->devicePixelRatioF(), 1.25);
    QCOMPARE(box->grid().size, QSize(551, 481));
    graph(window, function);
    const graphing::PictureContent content{function == 0 ? std::nullopt
                                                         : std::optional<int>(function)};
    const auto drawnAt = [&content](const plot::PixelGrid &grid) {
        return plot::renderImage(content, grid, QColor(128, 255, 255), Qt::black).image;
    };
    // What the formulas alone say the picture shows at 1.25, and the same pixels after a redraw.
    QCOMPARE(testsupport::pictureFaults(picture(window), 1.25, function).join("; "), QString());

    box->move(box->pos() + QPoint(1, 0));
    box->repaint();
    QCOMPARE(box->grid().size, QSize(552, 481));
    QCOMPARE(picture(window), drawnAt(box->grid()));
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
