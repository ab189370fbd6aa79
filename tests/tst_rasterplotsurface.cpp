#include "picturecontent.h"
#include "rasterplotsurface.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using graphing::Colour;
using graphing::UserPoint;

namespace {

constexpr QSize pictureSize(441, 385);
const QRgb background = qRgb(128, 255, 255);
const QRgb foreground = qRgb(0, 0, 0);
constexpr Colour red{255, 0, 0};
constexpr Colour magenta{128, 0, 128};

// The expected pixel of a user point, worked out on its own: -10..10 spread over the first to the
// last column and row, rounded to the nearest pixel.
QPoint expectedPixel(double x, double y, QSize size = pictureSize)
{
    return {int(std::floor((x + 10) / 20 * (size.width() - 1) + 0.5)),
            int(std::floor((10 - y) / 20 * (size.height() - 1) + 0.5))};
}

// A surface for one rendering at the -10..10 scale, and the image it draws on.
struct Surface {
    explicit Surface(qreal ratio = 1)
        : grid(plot::PixelGrid::forWidget({}, pictureSize, ratio)),
          pixels(grid.size, QImage::Format_RGB32),
          raster(pixels, grid.penWidth, QColor::fromRgb(background), QColor::fromRgb(foreground))
    {
        raster.setScale({-10, 10}, {10, -10});
    }
    QImage image() const { return pixels.copy(); }
    QRgb at(QPoint pixel) const { return pixels.pixel(pixel); }
    int count(QRgb colour) const
    {
        int n = 0;
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x)
                n += pixels.pixel(x, y) == colour ? 1 : 0;
        return n;
    }
    plot::PixelGrid grid;
    QImage pixels;
    plot::RasterPlotSurface raster;
};

// The red pixels of `image` in `area`.
std::vector<QPoint> redWithin(const QImage &image, QRect area)
{
    std::vector<QPoint> found;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                found.emplace_back(x, y);
    return found;
}

// The groups of red pixels that touch each other, sideways or at a corner.
int redStrokes(QImage image)
{
    int strokes = 0;
    for (const QPoint &start : redWithin(image, image.rect())) {
        if (image.pixel(start) != qRgb(255, 0, 0))
            continue; // already part of a stroke
        ++strokes;
        std::vector<QPoint> pending{start};
        image.setPixel(start, 0);
        while (!pending.empty()) {
            const QPoint p = pending.back();
            pending.pop_back();
            for (const QPoint &q : redWithin(image, QRect(p - QPoint(1, 1), QSize(3, 3)))) {
                image.setPixel(q, 0);
                pending.push_back(q);
            }
        }
    }
    return strokes;
}

} // namespace

class TestRasterPlotSurface : public QObject {
    Q_OBJECT

private slots:
    void penCoversItsSquare_data();
    void penCoversItsSquare();
    void farOffChordsDrawTheirVisiblePart_data();
    void farOffChordsDrawTheirVisiblePart();
    void refusesWhatCannotBeDrawn();
    void laterMarksCoverEarlierOnes_data();
    void laterMarksCoverEarlierOnes();
    void linesLeaveNoGaps_data();
    void linesLeaveNoGaps();
    void curveIsOneStroke_data();
    void curveIsOneStroke();
};

void TestRasterPlotSurface::penCoversItsSquare_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("pen");

    QTest::newRow("ratio 1") << 1.0 << QSize(441, 385) << 1;
    QTest::newRow("ratio 1.5: two pixels") << 1.5 << QSize(662, 578) << 2;
    QTest::newRow("ratio 2") << 2.0 << QSize(882, 770) << 2;
}

void TestRasterPlotSurface::penCoversItsSquare()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, size);
    QFETCH(int, pen);

    // The axes cross the whole picture, `pen` rows and columns thick; a point and a line without
    // length at the corners are their whole square, at the edge. (Every mark of the frame is in
    // its place in the window's table of pictures, tests/e2e/tst_window.)
    Surface surface(ratio);
    QCOMPARE(surface.pixels.size(), size);
    QVERIFY(surface.raster.line({-10, 0}, {10, 0}, magenta));
    QVERIFY(surface.raster.line({0, 10}, {0, -10}, std::nullopt));
    QVERIFY(surface.raster.point({10, -10}, red));
    QVERIFY(surface.raster.line({-10, 10}, {-10, 10}, red));
    const QPoint centre = expectedPixel(0, 0, size - QSize(pen - 1, pen - 1));
    for (int x = 0; x < size.width(); ++x) {
        const bool yAxis = x >= centre.x() && x < centre.x() + pen;
        for (int row = -1; row <= pen; ++row) {
            const bool xAxis = row >= 0 && row < pen;
            QCOMPARE(surface.at({x, centre.y() + row}), yAxis   ? foreground
                                                        : xAxis ? qRgb(128, 0, 128)
                                                                : background);
        }
    }
    QCOMPARE(surface.count(foreground), pen * size.height());
    QCOMPARE(surface.count(qRgb(128, 0, 128)), pen * (size.width() - pen));
    QCOMPARE(surface.count(qRgb(255, 0, 0)), 2 * pen * pen);
    QCOMPARE(surface.at({size.width() - pen, size.height() - pen}), qRgb(255, 0, 0));
    QCOMPARE(surface.at({0, 0}), qRgb(255, 0, 0));
}

void TestRasterPlotSurface::farOffChordsDrawTheirVisiblePart_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");

    // The first chords of x*x-2 and x*exp(-x)+2, from their start points far above and below.
    QTest::newRow("from (-10, 98)") << -10.0 << 98.0 << -3.46 << 9.9716;
    QTest::newRow("from (-10, -220262.66)") << -10.0 << -220262.66 << -1.86 << 9.6799;
    QTest::newRow("across the whole picture") << -30.0 << 30.0 << 30.0 << -30.0;
    QTest::newRow("shallow, from far left") << -5000.0 << -3.0 << 10.0 << 4.0;
    QTest::newRow("from near the end of float range") << -10.0 << -3e37 << 0.0 << 0.0;
}

void TestRasterPlotSurface::farOffChordsDrawTheirVisiblePart()
{
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(double, x2);
    QFETCH(double, y2);

    Surface surface;
    QVERIFY(surface.raster.line({float(x1), float(y1)}, {float(x2), float(y2)}, red));
    const QImage image = surface.image();

    // The ideal pixels: where the segment crosses each row's and each column's centre line inside
    // the picture. Every one has red within a pixel, and every red pixel is within a pixel of one.
    const QPointF from{double(float(x1)), double(float(y1))};
    const QPointF to{double(float(x2)), double(float(y2))};
    std::vector<QPoint> ideal;
    auto keep = [&](double x, double y) {
        const bool between = x >= std::min(from.x(), to.x()) && x <= std::max(from.x(), to.x())
                             && y >= std::min(from.y(), to.y()) && y <= std::max(from.y(), to.y());
        if (between && image.rect().contains(expectedPixel(x, y)))
            ideal.push_back(expectedPixel(x, y));
    };
    for (int row = 0; row < image.height() && to.y() != from.y(); ++row) {
        const double y = 10 - row * 20.0 / (image.height() - 1);
        keep(to.x() + (y - to.y()) * (to.x() - from.x()) / (to.y() - from.y()), y);
    }
    for (int column = 0; column < image.width() && to.x() != from.x(); ++column) {
        const double x = -10 + column * 20.0 / (image.width() - 1);
        keep(x, to.y() + (x - to.x()) * (to.y() - from.y()) / (to.x() - from.x()));
    }
    QVERIFY(!ideal.empty());
    for (const QPoint &p : ideal)
        QVERIFY2(!redWithin(image, QRect(p - QPoint(1, 1), QSize(3, 3))).empty(),
                 qPrintable(QStringLiteral("no red near (%1, %2)").arg(p.x()).arg(p.y())));
    for (const QPoint &red : redWithin(image, image.rect())) {
        const auto near = [&red](QPoint p) {
            return qAbs(p.x() - red.x()) <= 1 && qAbs(p.y() - red.y()) <= 1;
        };
        QVERIFY2(std::any_of(ideal.begin(), ideal.end(), near),
                 qPrintable(QStringLiteral("stray red at (%1, %2)").arg(red.x()).arg(red.y())));
    }
}

void TestRasterPlotSurface::refusesWhatCannotBeDrawn()
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    Surface surface;
    QVERIFY(!surface.raster.point({nan, 0}, red));
    QVERIFY(!surface.raster.line({0, 0}, {infinity, 0}, red));
    QVERIFY(!surface.raster.lineTo({0, -infinity}, red));
    QVERIFY(!surface.raster.setScale({1, 1}, {1, -1}));
    QVERIFY(!surface.raster.setScale({-10, nan}, {10, -10}));
    QCOMPARE(surface.count(background), pictureSize.width() * pictureSize.height());

    // An image that could not be made fails every drawing call instead of crashing.
    QImage none;
    plot::RasterPlotSurface empty(none, 1, Qt::white, Qt::black);
    QVERIFY(!empty.clear());
    QVERIFY(!empty.line({0, 0}, {1, 1}, red));
    QVERIFY(!empty.point({0, 0}, red));
}

void TestRasterPlotSurface::laterMarksCoverEarlierOnes_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QRgb>("origin");

    const QRgb redPixel = qRgb(255, 0, 0);
    const QRgb bluePixel = qRgb(0, 0, 255);
    // clang-format off
    QTest::newRow("point over a line") << QStringList{"red across", "blue point"} << bluePixel;
    QTest::newRow("line over a point") << QStringList{"blue point", "red across"} << redPixel;
    QTest::newRow("line over a line") << QStringList{"red across", "blue up"} << bluePixel;
    QTest::newRow("line keeps its colour when the next one differs") << QStringList{"red across", "blue elsewhere"} << redPixel;
    QTest::newRow("line read before a point over it") << QStringList{"red across", "read", "blue point"} << bluePixel;
    QTest::newRow("stay after a clear") << QStringList{"red to", "clear", "red stay"} << redPixel;
    QTest::newRow("stay after a point of another colour") << QStringList{"red to", "blue point", "red stay"} << redPixel;
    QTest::newRow("stay in another colour") << QStringList{"red to", "blue stay"} << bluePixel;
    QTest::newRow("line cleared away") << QStringList{"red across", "clear"} << background;
    QTest::newRow("stay across the picture, then a clear") << QStringList{"red to", "red corner", "clear"} << background;
    // clang-format on
}

void TestRasterPlotSurface::laterMarksCoverEarlierOnes()
{
    QFETCH(QStringList, steps);
    QFETCH(QRgb, origin);

    // Whatever the surface keeps back, merges or leaves out on the way, the last mark made on the
    // pixel of the origin wins.
    Surface surface;
    for (const QString &step : steps) {
        const Colour colour = step.startsWith(QLatin1String("red")) ? red : Colour{0, 0, 255};
        const QString what = step.section(QLatin1Char(' '), -1);
        // "read": the pixels looked at in between.
        const bool done = what == "across"      ? surface.raster.line({-1, 0}, {1, 0}, colour)
                          : what == "to"        ? surface.raster.line({-1, 0}, {0, 0}, colour)
                          : what == "up"        ? surface.raster.line({0, -1}, {0, 1}, colour)
                          : what == "elsewhere" ? surface.raster.line({0, 5}, {1, 5}, colour)
                          : what == "stay"      ? surface.raster.lineTo({0, 0}, colour)
                          : what == "corner"    ? surface.raster.lineTo({10, -10}, colour)
                          : what == "point"     ? surface.raster.point({0, 0}, colour)
                          : what == "clear"     ? surface.raster.clear()
                                                : !surface.image().isNull();
        QVERIFY2(done, qPrintable(step));
    }
    QCOMPARE(surface.at(expectedPixel(0, 0)), origin);
    // A clear brings back the background everywhere.
    if (steps.constLast() == QLatin1String("clear"))
        QCOMPARE(surface.count(background), pictureSize.width() * pictureSize.height());
}

void TestRasterPlotSurface::linesLeaveNoGaps_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");

    QTest::newRow("two columns apart") << QPoint(10, 10) << QPoint(12, 10);
    QTest::newRow("two rows apart") << QPoint(10, 10) << QPoint(10, 12);
    QTest::newRow("two diagonal steps") << QPoint(10, 10) << QPoint(12, 12);
    QTest::newRow("knight's move across") << QPoint(10, 10) << QPoint(12, 11);
    QTest::newRow("knight's move down") << QPoint(10, 10) << QPoint(9, 12);
    QTest::newRow("long and shallow") << QPoint(0, 0) << QPoint(440, 7);
}

void TestRasterPlotSurface::linesLeaveNoGaps()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);

    // User units are device pixels here.
    Surface surface;
    QVERIFY(surface.raster.setScale({0, 0}, {440, 384}));
    QVERIFY(surface.raster.line({float(from.x()), float(from.y())}, {float(to.x()), float(to.y())},
                                red));
    const QImage image = surface.image();
    QCOMPARE(image.pixel(from), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(to), qRgb(255, 0, 0));
    // One pixel for every column or row it crosses, whichever are more, all touching.
    const int length = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) + 1;
    QCOMPARE(surface.count(qRgb(255, 0, 0)), length);
    QCOMPARE(redStrokes(image), 1);
}

void TestRasterPlotSurface::curveIsOneStroke_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<qreal>("ratio");

    for (const qreal ratio : {1.0, 1.25, 2.0}) {
        for (int function = 1; function <= 5; ++function)
            QTest::addRow("function %d at %g", function, ratio) << function << ratio;
    }
}

void TestRasterPlotSurface::curveIsOneStroke()
{
    QFETCH(int, function);
    QFETCH(qreal, ratio);

    const plot::RasterImage rendering = plot::renderImage(
        graphing::PictureContent{function}, plot::PixelGrid::forWidget({8, 40}, pictureSize, ratio),
        QColor::fromRgb(background), QColor::fromRgb(foreground));
    QVERIFY(!rendering.failure);
    // Each chord starts where the last ended, also at a point off the picture (the first of x*x-2
    // and x*exp(-x)+2).
    QCOMPARE(redStrokes(rendering.image), 1);
}

QTEST_GUILESS_MAIN(TestRasterPlotSurface)
#include "tst_rasterplotsurface.moc"
