#include "picturecheck.h"
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
    // Drawn again at its new size, what the formulas alone say it shows there.
    box->move(box->pos() + QPoint(1, 0));
    box->repaint();
    QCOMPARE(box->grid().size, QSize(552, 481));
    QCOMPARE(testsupport::pictureFaults(picture(window), 1.25, function, {552, 481}).join("; "),
             QString());
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
