// The program as its user meets it: started on a virtual X display of the test's own, driven with
// real mouse clicks and judged on screenshots of its window. The figures below are the window's
// design, written out again here so that this test stands apart from the program's code.
#include "expectedpicture.h"
#include "imageregions.h"
#include "mismatches.h"
#include "runningprogram.h"
#include "virtualdisplay.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <memory>

using e2e::ExpectedPicture;
using e2e::Mismatches;
using e2e::PixelSet;
using e2e::RunningProgram;

namespace {

// The design, in pixels of 15 twips, measured from the client area's top-left corner.
constexpr QSize clientSize(639, 436);
constexpr QRect pictureRect(8, 40, 441, 385);
constexpr QRect labelRect(136, 8, 225, 33);
constexpr QRect optionRect(int k)
{
    return {448, 80 + 24 * k, 145, 25};
}
constexpr QRect graphButtonRect(472, 208, 73, 33);
constexpr QRect endButtonRect(472, 240, 73, 33);

// Where the user clicks: on an option's caption, in the middle of a push button.
constexpr QPoint optionClickPoint(int k)
{
    return {520, 92 + 24 * k};
}
constexpr QPoint graphClickPoint(508, 224);
constexpr QPoint endClickPoint(508, 256);

constexpr QRgb windowBlue = qRgb(0, 0, 255);
constexpr QRgb labelYellow = qRgb(255, 255, 192);
constexpr QRgb optionGreen = qRgb(0, 255, 0);

// How far, in device pixels, an edge of a control may lie from its design place.
constexpr int layoutTolerance = 2;
// How far, in device pixels along both axes, a curve pixel may lie from where it is expected.
constexpr int curveTolerance = 1;
// A screen big enough for the window at double density.
constexpr QSize screenSize(2048, 1536);

QRect scaled(QRect rect, int scale)
{
    return {rect.topLeft() * scale, rect.size() * scale};
}

QString describe(QRect rect)
{
    return QStringLiteral("(%1,%2 %3x%4)")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

bool edgesNear(QRect actual, QRect expected, int tolerance)
{
    return std::abs(actual.left() - expected.left()) <= tolerance
           && std::abs(actual.top() - expected.top()) <= tolerance
           && std::abs(actual.right() - expected.right()) <= tolerance
           && std::abs(actual.bottom() - expected.bottom()) <= tolerance;
}

// The picture area of a screenshot, in its own pixels, and the part of it that shows. By design
// the title overlaps the picture's top row and the option buttons its right column; where they
// stand over it the picture cannot be judged.
struct PictureView {
    QImage pixels;
    PixelSet visible;
};

PictureView pictureOf(const QImage &shot, int scale)
{
    const QRect area = scaled(pictureRect, scale);
    PictureView view{shot.copy(area), PixelSet(area.size())};
    const QRect title = e2e::boundsOf(shot, e2e::isColour(labelYellow));
    const QRect options = e2e::boundsOf(shot, e2e::isColour(optionGreen));
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QPoint onScreen = area.topLeft() + QPoint(x, y);
            if (!title.contains(onScreen) && !options.contains(onScreen))
                view.visible.insert({x, y});
        }
    }
    return view;
}

QRgb colourAt(const PictureView &view, QPoint at)
{
    return view.pixels.pixel(at);
}

bool showsAny(const PictureView &view, QRgb colour)
{
    bool found = false;
    view.visible.forEach([&](QPoint at) { found = found || colourAt(view, at) == colour; });
    return found;
}

// Visible pixels that differ from `frame`; with `curveOnTop`, red may stand over anything.
Mismatches differencesFromFrame(const PictureView &view, const QImage &frame, bool curveOnTop)
{
    Mismatches differences;
    view.visible.forEach([&](QPoint at) {
        const QRgb actual = colourAt(view, at);
        const QRgb expected = frame.pixel(at);
        if (actual != expected && !(curveOnTop && actual == e2e::curveColour))
            differences.add(at, QStringLiteral(" is #%1 not #%2")
                                    .arg(actual & RGB_MASK, 6, 16, QLatin1Char('0'))
                                    .arg(expected & RGB_MASK, 6, 16, QLatin1Char('0')));
    });
    return differences;
}

PixelSet redPixels(const PictureView &view)
{
    PixelSet red(view.pixels.size());
    view.visible.forEach([&](QPoint at) {
        if (colourAt(view, at) == e2e::curveColour)
            red.insert(at);
    });
    return red;
}

enum class TickLook { Shown, Absent, Hidden };

// A tick shows where one of its pixels off the axes is not background; it is hidden when
// another control covers all of them.
TickLook lookOfTick(const PictureView &view, const ExpectedPicture &expected, QPoint from,
                    QPoint to)
{
    const int pen = expected.penWidth();
    const QPoint axes = expected.pixelOf(0, 0);
    const bool across = from.x() == to.x(); // a tick across the x-axis
    bool seen = false;
    for (int y = from.y(); y < to.y() + pen; ++y) {
        for (int x = from.x(); x < to.x() + pen; ++x) {
            const int offAxis = across ? y - axes.y() : x - axes.x();
            if ((offAxis >= 0 && offAxis < pen) || !view.visible.contains({x, y}))
                continue;
            if (colourAt(view, {x, y}) != e2e::pictureBackground)
                return TickLook::Shown;
            seen = true;
        }
    }
    return seen ? TickLook::Absent : TickLook::Hidden;
}

// Tick pairs at -10..10 of which no tick is seen missing.
int tickPairsShown(const PictureView &view, const ExpectedPicture &expected)
{
    constexpr float half = 0.1F;
    int pairs = 0;
    for (int i = -10; i <= 10; ++i) {
        const auto at = static_cast<float>(i);
        const TickLook acrossX =
            lookOfTick(view, expected, expected.pixelOf(at, half), expected.pixelOf(at, -half));
        const TickLook acrossY =
            lookOfTick(view, expected, expected.pixelOf(-half, at), expected.pixelOf(half, at));
        if (acrossX != TickLook::Absent && acrossY != TickLook::Absent)
            ++pairs;
    }
    return pairs;
}

bool showsStartupFrame(const QImage &shot, int scale)
{
    return e2e::anyPixel(shot, e2e::isColour(e2e::startupAxisColour), scaled(pictureRect, scale));
}

bool showsGraph(const QImage &shot, int scale)
{
    const QRect picture = scaled(pictureRect, scale);
    return e2e::anyPixel(shot, e2e::isColour(e2e::curveColour), picture)
           && !e2e::anyPixel(shot, e2e::isColour(e2e::startupAxisColour), picture);
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void startsWithTheStartupFrame_data();
    void startsWithTheStartupFrame();
    void graphTracesTheChosenFunction_data();
    void graphTracesTheChosenFunction();
    void pictureSurvivesUnmapping();
    void endsWithStatusZero_data();
    void endsWithStatusZero();

private:
    static void addDensityRows();
    // Starts the program at `scale` and waits for its window to show the start-up frame.
    e2e::Screenshot startProgram(int scale);

    std::unique_ptr<QTemporaryDir> m_runtimeDir;
    std::unique_ptr<e2e::VirtualDisplay> m_display;
    QProcessEnvironment m_environment;
    e2e::DesktopTools m_tools;
    std::unique_ptr<RunningProgram> m_program;
};

void TestEndToEnd::initTestCase()
{
    e2e::ToolFinder tools;
    const QString server = tools.find(QStringLiteral("Xvfb"));
    m_tools.xdotool = tools.find(QStringLiteral("xdotool"));
    m_tools.import = tools.find(QStringLiteral("import"));
    m_tools.closeRequest = QStringLiteral(WM_CLOSE_REQUEST_PATH);
    QVERIFY2(tools.missingTools().isEmpty(), qPrintable(tools.missingTools()));

    // The toolkit wants a private runtime folder; a temporary one is made for the owner alone.
    m_runtimeDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtimeDir->isValid());
    m_display = std::make_unique<e2e::VirtualDisplay>(server, screenSize);
    QVERIFY2(m_display->isRunning(), qPrintable(m_display->failure()));

    m_environment = e2e::programEnvironment(m_runtimeDir->path());
    m_environment.insert(QStringLiteral("DISPLAY"), m_display->name());
}

void TestEndToEnd::cleanup()
{
    m_program.reset();
}

void TestEndToEnd::cleanupTestCase()
{
    m_program.reset();
    m_display.reset();
    m_runtimeDir.reset();
}

void TestEndToEnd::addDensityRows()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("standard density") << 1;
    QTest::newRow("double density") << 2;
}

e2e::Screenshot TestEndToEnd::startProgram(int scale)
{
    // One window at a time: with no window manager they would all stand at the same place.
    m_program.reset();
    QProcessEnvironment environment = m_environment;
    if (scale != 1)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    m_program = std::make_unique<RunningProgram>(QStringLiteral(FUNCTION_GRAPH_PATH), environment,
                                                 m_tools, scale);
    if (!m_program->hasWindow())
        return {};
    // Off the picture, the pointer brings up no readout over it.
    m_program->moveTo(QPoint(4, 4));
    return m_program->screenshotWhen(
        [scale](const QImage &shot) { return showsStartupFrame(shot, scale); });
}

void TestEndToEnd::layoutFollowsTheDesign_data()
{
    addDensityRows();
}

void TestEndToEnd::layoutFollowsTheDesign()
{
    QFETCH(int, scale);
    const e2e::Screenshot shot = startProgram(scale);
    QVERIFY2(shot.ready, qPrintable(m_program->failure()));
    const QImage &image = shot.image;

    // The whole window is drawn at the density: client area and every control twice the size.
    QCOMPARE(image.size(), clientSize * scale);
    for (const QPoint corner : {image.rect().topLeft(), image.rect().topRight(),
                                image.rect().bottomLeft(), image.rect().bottomRight()})
        QCOMPARE(image.pixel(corner), windowBlue);

    const QRect picture = e2e::boundsOf(image, e2e::isColour(e2e::pictureBackground));
    QVERIFY2(edgesNear(picture, scaled(pictureRect, scale), layoutTolerance),
             qPrintable(describe(picture)));

    // The title keeps its place and height and grows to the right, as far as needed for its
    // text but short of the option buttons.
    const QRect title = e2e::boundsOf(image, e2e::isColour(labelYellow));
    const QRect designedTitle = scaled(labelRect, scale);
    QVERIFY2(std::abs(title.left() - designedTitle.left()) <= layoutTolerance
                 && std::abs(title.top() - designedTitle.top()) <= layoutTolerance
                 && std::abs(title.height() - designedTitle.height()) <= layoutTolerance
                 && title.width() >= designedTitle.width() - layoutTolerance
                 && title.right() < optionRect(0).left() * scale,
             qPrintable(describe(title)));

    // The five option buttons make one green block; each one's round indicator sits in the
    // middle of its own rectangle, so the indicators show where the buttons are.
    const QRect options = e2e::boundsOf(image, e2e::isColour(optionGreen));
    const QRect designedOptions = scaled(optionRect(0) | optionRect(4), scale);
    QVERIFY2(edgesNear(options, designedOptions, layoutTolerance), qPrintable(describe(options)));
    const QRect indicatorBand(options.left(), options.top(), 12 * scale, options.height());
    const QList<QPair<int, int>> indicators =
        e2e::rowRuns(image, e2e::isNotColour(optionGreen), indicatorBand);
    QCOMPARE(indicators.size(), 5);
    for (int k = 0; k < 5; ++k) {
        const int middle = (indicators[k].first + indicators[k].second + 1) / 2;
        const int designedMiddle = scaled(optionRect(k), scale).center().y();
        QVERIFY2(
            std::abs(middle - designedMiddle) <= layoutTolerance,
            qPrintable(
                QStringLiteral("option %1's indicator is centred on row %2").arg(k).arg(middle)));
    }

    // The push buttons are drawn in the platform's style: no blue inside them, blue right
    // around them.
    const QRect buttons = scaled(graphButtonRect | endButtonRect, scale);
    const QRect surroundings = buttons.adjusted(-8 * scale, -4 * scale, 8 * scale, 8 * scale);
    const QRect drawn = e2e::boundsOf(image, e2e::isNotColour(windowBlue), surroundings);
    QVERIFY2(edgesNear(drawn, buttons, layoutTolerance), qPrintable(describe(drawn)));
    for (const QRect button : {graphButtonRect, endButtonRect}) {
        const QRect inside =
            scaled(button, scale)
                .adjusted(layoutTolerance, layoutTolerance, -layoutTolerance, -layoutTolerance);
        QVERIFY2(!e2e::anyPixel(image, e2e::isColour(windowBlue), inside),
                 qPrintable(describe(inside)));
    }
}

void TestEndToEnd::startsWithTheStartupFrame_data()
{
    addDensityRows();
}

void TestEndToEnd::startsWithTheStartupFrame()
{
    QFETCH(int, scale);
    const e2e::Screenshot shot = startProgram(scale);
    QVERIFY2(shot.ready, qPrintable(m_program->failure()));
    const PictureView view = pictureOf(shot.image, scale);
    const ExpectedPicture expected(scale);

    // Pixel for pixel: a magenta x-axis, a black y-axis and ticks, all of the pen's width, on
    // the background and nothing else, no blended colours at their edges.
    const Mismatches differences = differencesFromFrame(view, expected.startupFrame(), false);
    QVERIFY2(differences.isEmpty(), qPrintable(differences.summary("pixels differ")));
    // Ticks at -9..9 only: none at the ends of the axes.
    QCOMPARE(tickPairsShown(view, expected), 19);
}

void TestEndToEnd::graphTracesTheChosenFunction_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("scale");

    const char *const functions[] = {"x*x-2", "x*exp(-x)+2", "5sin(x)/x", "exp(x)-1-x^2",
                                     "sqrt(x^2+1)"};
    for (const int scale : {1, 2}) {
        for (int option = 0; option < 5; ++option) {
            QTest::addRow("%s at %dx", functions[option], scale) << option << scale;
        }
    }
}

void TestEndToEnd::graphTracesTheChosenFunction()
{
    QFETCH(int, option);
    QFETCH(int, scale);
    QVERIFY2(startProgram(scale).ready, qPrintable(m_program->failure()));

    QVERIFY(m_program->click(optionClickPoint(option)));
    QVERIFY(m_program->click(graphClickPoint));
    const e2e::Screenshot shot = m_program->screenshotWhen(
        [scale](const QImage &image) { return showsGraph(image, scale); });
    QVERIFY2(shot.ready, "the picture never showed a curve without the start-up frame");
    const PictureView view = pictureOf(shot.image, scale);
    const ExpectedPicture expected(scale);

    // Under the curve, exactly the graph frame: black x-axis, ticks at the ends too, nothing left
    // of the magenta start-up axis, lines as thick as the pen with sharp edges. A picture drawn
    // small and enlarged would have its ticks on even rows only, or blurred.
    const Mismatches differences = differencesFromFrame(view, expected.graphFrame(), true);
    QVERIFY2(differences.isEmpty(), qPrintable(differences.summary("pixels differ")));
    QVERIFY(!showsAny(view, e2e::startupAxisColour));
    QCOMPARE(tickPairsShown(view, expected), 21);

    // The curve where the formula puts it, within a pixel either way.
    const PixelSet red = redPixels(view);
    const PixelSet expectedRed = expected.curve(option + 1);
    Mismatches missing;
    expectedRed.forEach([&](QPoint at) {
        if (view.visible.contains(at) && !red.hasMemberNear(at, curveTolerance))
            missing.add(at);
    });
    QVERIFY2(missing.isEmpty(), qPrintable(missing.summary("curve pixels missing")));
    Mismatches stray;
    red.forEach([&](QPoint at) {
        if (!expectedRed.hasMemberNear(at, curveTolerance))
            stray.add(at);
    });
    QVERIFY2(stray.isEmpty(), qPrintable(stray.summary("red pixels off the curve")));

    // The curve keeps the pen's weight: every red pixel belongs to a red pen square.
    const int pen = expected.penWidth();
    auto redOrHidden = [&](QPoint at) { return red.contains(at) || !view.visible.contains(at); };
    Mismatches thin;
    red.forEach([&](QPoint at) {
        bool inSquare = false;
        for (int dy = 0; dy < pen && !inSquare; ++dy) {
            for (int dx = 0; dx < pen && !inSquare; ++dx) {
                bool full = true;
                for (int y = 0; y < pen; ++y) {
                    for (int x = 0; x < pen; ++x)
                        full = full && redOrHidden(at - QPoint(dx, dy) + QPoint(x, y));
                }
                inSquare = full;
            }
        }
        if (!inSquare)
            thin.add(at);
    });
    QVERIFY2(thin.isEmpty(), qPrintable(thin.summary("red pixels thinner than the pen")));

    // Drawn at device resolution, the pen squares fall on odd places as often as on even ones;
    // a small picture enlarged would consist of whole aligned blocks only.
    if (pen > 1) {
        int offGrid = 0;
        red.forEach([&](QPoint at) {
            const QPoint block(at.x() / pen * pen, at.y() / pen * pen);
            bool whole = true;
            for (int y = 0; y < pen; ++y) {
                for (int x = 0; x < pen; ++x)
                    whole = whole && redOrHidden(block + QPoint(x, y));
            }
            offGrid += whole ? 0 : 1;
        });
        QVERIFY2(offGrid * 4 >= red.count(),
                 qPrintable(QStringLiteral("only %1 of %2 red pixels off the logical grid")
                                .arg(offGrid)
                                .arg(red.count())));
    }
}

void TestEndToEnd::pictureSurvivesUnmapping()
{
    QVERIFY2(startProgram(1).ready, qPrintable(m_program->failure()));
    QVERIFY(m_program->click(optionClickPoint(2)));
    QVERIFY(m_program->click(graphClickPoint));
    const e2e::Screenshot before =
        m_program->screenshotWhen([](const QImage &image) { return showsGraph(image, 1); });
    QVERIFY(before.ready);
    const QImage picture = before.image.copy(pictureRect);

    QVERIFY(m_program->unmapWindow());
    QVERIFY(m_program->mapWindow());
    const e2e::Screenshot after = m_program->screenshotWhen(
        [&picture](const QImage &image) { return image.copy(pictureRect) == picture; });
    QVERIFY2(after.ready, "the picture came back different after the window was mapped again");
}

void TestEndToEnd::endsWithStatusZero_data()
{
    QTest::addColumn<bool>("byWindowManager");
    QTest::newRow("End button") << false;
    QTest::newRow("close request of the window manager") << true;
}

void TestEndToEnd::endsWithStatusZero()
{
    QFETCH(bool, byWindowManager);
    QVERIFY2(startProgram(1).ready, qPrintable(m_program->failure()));

    QVERIFY(byWindowManager ? m_program->requestClose() : m_program->click(endClickPoint));
    QVERIFY2(m_program->endsWithStatusZero(2000), qPrintable(m_program->exitDescription()));
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
