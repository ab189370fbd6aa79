#include "axes.h"
#include "curvetracer.h"
#include "functions.h"
#include "recordingsurface.h"

#include <QtTest>

#include <cmath>

using graphing::Colour;
using graphing::DrawingOperation;
using graphing::UserPoint;
using Call = RecordingSurface::Call;

namespace {

constexpr Colour red{255, 0, 0};
constexpr Colour magenta{128, 0, 128};

// Function `number`, 1 to 5; 0 gives no value anywhere, as before a choice.
graphing::CurveFunction function(int number)
{
    return [number](double x) { return graphing::functionValue(number, x); };
}

std::vector<Call> callsOf(const RecordingSurface &surface, DrawingOperation operation)
{
    std::vector<Call> matching;
    for (const Call &call : surface.calls)
        if (call.operation == operation)
            matching.push_back(call);
    return matching;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(graphing::DrawingOperation)

class TestGraphing : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void frames_data();
    void frames();
    void sampleSequence();
    void traceCalls_data();
    void traceCalls();
    void failedCallStopsAtOnce_data();
    void failedCallStopsAtOnce();
};

void TestGraphing::values_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<double>("x");
    QTest::addColumn<std::optional<double>>("expected");

    // clang-format off
    QTest::newRow("x*x-2 at -10") << 1 << -10.0 << std::optional(98.0);
    QTest::newRow("x*exp(-x)+2 at -10") << 2 << -10.0 << std::optional(-220262.65794806718);
    QTest::newRow("5sin(x)/x at -10") << 3 << -10.0 << std::optional(-0.27201055544468489);
    QTest::newRow("exp(x)-1-x^2 at -10") << 4 << -10.0 << std::optional(-100.99995460007024);
    QTest::newRow("sqrt(x^2+1) at -10") << 5 << -10.0 << std::optional(10.04987562112089);
    QTest::newRow("x*x-2 at 0") << 1 << 0.0 << std::optional(-2.0);
    QTest::newRow("x*exp(-x)+2 at 0") << 2 << 0.0 << std::optional(2.0);
    QTest::newRow("exp(x)-1-x^2 at 0") << 4 << 0.0 << std::optional(0.0);
    QTest::newRow("sqrt(x^2+1) at 0") << 5 << 0.0 << std::optional(1.0);
    QTest::newRow("x*x-2 at 10") << 1 << 10.0 << std::optional(98.0);
    QTest::newRow("x*exp(-x)+2 at 10") << 2 << 10.0 << std::optional(2.000453999297625);
    QTest::newRow("exp(x)-1-x^2 at 3") << 4 << 3.0 << std::optional(10.085536923187668);
    QTest::newRow("sqrt(x^2+1) at sqrt(99)") << 5 << std::sqrt(99.0) << std::optional(10.0);
    // 5sin(x)/x has its limit at 0 and stays finite beside it.
    QTest::newRow("5sin(x)/x at 0") << 3 << 0.0 << std::optional(5.0);
    QTest::newRow("5sin(x)/x at -0") << 3 << -0.0 << std::optional(5.0);
    QTest::newRow("5sin(x)/x near 0") << 3 << -1.7e-13 << std::optional(5.0);
    QTest::newRow("5sin(x)/x at 1e-300") << 3 << 1e-300 << std::optional(5.0);
    QTest::newRow("no function 0") << 0 << 1.0 << std::optional<double>();
    QTest::newRow("no function 6") << 6 << 1.0 << std::optional<double>();
    QTest::newRow("no function -1") << -1 << 1.0 << std::optional<double>();
    // clang-format on
}

void TestGraphing::values()
{
    QFETCH(int, function);
    QFETCH(double, x);
    QFETCH(std::optional<double>, expected);

    const std::optional<double> y = graphing::functionValue(function, x);
    QCOMPARE(y.has_value(), expected.has_value());
    if (expected) {
        QVERIFY2(std::abs(*y - *expected) <= 1e-12 * std::abs(*expected),
                 qPrintable(QString::number(*y, 'g', 17)));
    }
}

void TestGraphing::frames_data()
{
    QTest::addColumn<bool>("startup");
    QTest::addColumn<int>("firstTick");
    QTest::newRow("start-up frame: magenta x-axis, ticks -9..9") << true << -9;
    QTest::newRow("graph frame: cleared, black axes, ticks -10..10") << false << -10;
}

void TestGraphing::frames()
{
    QFETCH(bool, startup);
    QFETCH(int, firstTick);

    RecordingSurface surface;
    if (startup)
        graphing::drawPicture(surface, graphing::PictureContent());
    else
        graphing::drawGraphFrame(surface, {});
    // The start-up frame sets the scale and draws over what is there; the graph frame clears.
    const Call &first = surface.calls.front();
    QCOMPARE(first.operation, startup ? DrawingOperation::SetScale : DrawingOperation::Clear);
    if (startup)
        QVERIFY(first.from == (UserPoint{-10, 10}) && first.to == (UserPoint{10, -10}));
    QCOMPARE(surface.count(startup ? DrawingOperation::Clear : DrawingOperation::SetScale),
             std::size_t(0));

    // The axes, then a tick pair (across the x-axis, then across the y-axis) at every whole number.
    const std::vector<Call> lines = callsOf(surface, DrawingOperation::Line);
    QCOMPARE(surface.calls.size(), lines.size() + 1);
    QCOMPARE(lines.size(), std::size_t(2 + 2 * (1 - 2 * firstTick)));
    QVERIFY(lines[0].from == (UserPoint{-10, 0}) && lines[0].to == (UserPoint{10, 0}));
    QCOMPARE(lines[0].colour, startup ? std::optional<Colour>(magenta) : std::nullopt);
    QVERIFY(lines[1].from == (UserPoint{0, 10}) && lines[1].to == (UserPoint{0, -10}));
    QVERIFY(!lines[1].colour);
    for (std::size_t pair = 0; pair < std::size_t(1 - 2 * firstTick); ++pair) {
        const auto at = double(firstTick + int(pair));
        const Call &across = lines[2 + 2 * pair];
        const Call &up = lines[3 + 2 * pair];
        QVERIFY(across.from == (UserPoint{at, -0.1}) && across.to == (UserPoint{at, 0.1}));
        QVERIFY(up.from == (UserPoint{-0.1, at}) && up.to == (UserPoint{0.1, at}));
        QVERIFY(!across.colour && !up.colour);
    }
}

void TestGraphing::sampleSequence()
{
    std::vector<double> evaluatedAt;
    RecordingSurface surface;
    graphing::traceCurve(surface, [&](double x) -> std::optional<double> {
        evaluatedAt.push_back(x);
        return x / 2;
    });

    // The start point, then 2001 samples that begin by repeating it.
    QCOMPARE(evaluatedAt.size(), std::size_t(2002));
    const std::vector<double> samples(evaluatedAt.begin() + 1, evaluatedAt.end());
    QCOMPARE(evaluatedAt[0], -10.0);
    QCOMPARE(samples[0], -10.0);
    QCOMPARE(samples[1], -9.99);
    QVERIFY(std::abs(samples[1000] + 1.7e-13) < 0.1e-13);
    QVERIFY(samples[1000] != 0);
    QVERIFY(std::abs(samples.back() - 9.99999999999966) < 1e-14);
    QVERIFY(std::none_of(samples.begin(), samples.end(), [](double x) { return x == 0; }));
    QVERIFY(std::is_sorted(samples.begin(), samples.end()));

    // Each sample reaches the surface in single precision.
    const std::vector<Call> joins = callsOf(surface, DrawingOperation::LineTo);
    QCOMPARE(joins.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        QCOMPARE(joins[i].to.x, double(static_cast<float>(samples[i])));
        QCOMPARE(joins[i].to.y, double(static_cast<float>(samples[i] / 2)));
    }
}

void TestGraphing::traceCalls_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<float>("startY");
    QTest::addColumn<int>("joins");
    QTest::addColumn<float>("firstJoinX");
    QTest::addColumn<float>("lastJoinX");

    // clang-format off
    QTest::newRow("no choice: a line along y = 0") << 0 << 0.0F << 2001 << -10.0F << 10.0F;
    QTest::newRow("x*x-2: only |x| < sqrt(12)") << 1 << 98.0F << 693 << -3.46F << 3.46F;
    QTest::newRow("x*exp(-x)+2: from x = -1.86") << 2 << -220262.66F << 1187 << -1.86F << 10.0F;
    QTest::newRow("5sin(x)/x: every sample") << 3 << -0.27201F << 2001 << -10.0F << 10.0F;
    QTest::newRow("exp(x)-1-x^2: about -3 to 3") << 4 << -100.99995F << 600 << -3.0F << 2.99F;
    QTest::newRow("sqrt(x^2+1): |x| <= 9.94") << 5 << 10.049876F << 1989 << -9.94F << 9.94F;
    // clang-format on
}

void TestGraphing::traceCalls()
{
    QFETCH(int, function);
    QFETCH(float, startY);
    QFETCH(int, joins);
    QFETCH(float, firstJoinX);
    QFETCH(float, lastJoinX);

    const graphing::CurveFunction f = ::function(function);
    RecordingSurface surface;
    graphing::drawGraphFrame(surface, {});
    graphing::traceCurve(surface, f);

    // The graph frame first, then the start point, then only joins.
    QCOMPARE(surface.calls[0].operation, DrawingOperation::Clear);
    QCOMPARE(surface.count(DrawingOperation::Line), std::size_t(44));
    const Call &start = surface.calls[45];
    QCOMPARE(start.operation, DrawingOperation::Point);
    QCOMPARE(start.to.x, -10.0);
    QVERIFY(std::abs(start.to.y - startY) <= 1e-5 * std::max(1.0, std::abs(double(startY))));
    QCOMPARE(start.colour, std::optional<Colour>(red));

    const std::vector<Call> lineTos = callsOf(surface, DrawingOperation::LineTo);
    QCOMPARE(surface.calls.size(), 46 + lineTos.size());
    QCOMPARE(int(lineTos.size()), joins);
    QVERIFY(std::abs(lineTos.front().to.x - firstJoinX) < 1e-4F);
    QVERIFY(std::abs(lineTos.back().to.x - lastJoinX) < 1e-4F);
    for (const Call &join : lineTos) {
        QCOMPARE(join.colour, std::optional<Colour>(red));
        // Strictly inside the band, on the curve (up to the rounding of x to a float).
        QVERIFY(join.to.y > -10 && join.to.y < 10);
        QVERIFY(std::abs(join.to.y - f(double(join.to.x)).value_or(0)) < 1e-4);
    }
}

void TestGraphing::failedCallStopsAtOnce_data()
{
    QTest::addColumn<int>("failingCall");
    QTest::addColumn<DrawingOperation>("operation");

    QTest::newRow("clear") << 0 << DrawingOperation::Clear;
    QTest::newRow("x-axis") << 1 << DrawingOperation::Line;
    QTest::newRow("last tick") << 44 << DrawingOperation::Line;
    QTest::newRow("start point") << 45 << DrawingOperation::Point;
    QTest::newRow("first join") << 46 << DrawingOperation::LineTo;
    QTest::newRow("last join") << 46 + 2000 << DrawingOperation::LineTo;
}

void TestGraphing::failedCallStopsAtOnce()
{
    QFETCH(int, failingCall);
    QFETCH(DrawingOperation, operation);

    RecordingSurface surface;
    surface.failOnCall = std::size_t(failingCall);
    try {
        graphing::drawGraphFrame(surface, {});
        graphing::traceCurve(surface, function(3));
        QFAIL("a failed drawing call went unnoticed");
    } catch (const graphing::DrawingFailed &failure) {
        QCOMPARE(failure.operation(), operation);
        QVERIFY(QByteArray(failure.what()).contains(graphing::operationName(operation)));
    }
    QCOMPARE(int(surface.calls.size()), failingCall + 1);
}

QTEST_APPLESS_MAIN(TestGraphing)
#include "tst_graphing.moc"
