#include "axes.h"
#include "curvetracer.h"
#include "expression.h"
#include "functions.h"
#include "keypoints.h"
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

class TestGraphing : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void frames_data();
    void frames();
    void traceCalls_data();
    void traceCalls();
    void typedFunctions_data();
    void typedFunctions();
    void keyPointsFound_data();
    void keyPointsFound();
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
    QTest::addColumn<bool>("grid");
    QTest::newRow("start-up frame: magenta x-axis, ticks -9..9") << true << -9 << false;
    QTest::newRow("graph frame: cleared, black axes, ticks -10..10") << false << -10 << false;
    QTest::newRow("graph frame: the grid under the axes") << false << -10 << true;
}

void TestGraphing::frames()
{
    QFETCH(bool, startup);
    QFETCH(int, firstTick);
    QFETCH(bool, grid);

    RecordingSurface surface;
    graphing::PictureStyle style;
    style.grid = grid;
    if (startup)
        graphing::drawPicture(surface, graphing::PictureContent(std::nullopt, style));
    else
        graphing::drawGraphFrame(surface, {}, style);
    // The start-up frame sets the scale and draws over what is there; the graph frame clears.
    const Call &first = surface.calls.front();
    QCOMPARE(first.operation, startup ? DrawingOperation::SetScale : DrawingOperation::Clear);
    if (startup)
        QVERIFY(first.from == (UserPoint{-10, 10}) && first.to == (UserPoint{10, -10}));
    QCOMPARE(surface.count(startup ? DrawingOperation::Clear : DrawingOperation::SetScale),
             std::size_t(0));

    // The axes, then a tick pair (across the x-axis, then across the y-axis) at every whole number.
    std::vector<Call> lines = callsOf(surface, DrawingOperation::Line);
    QCOMPARE(surface.calls.size(), lines.size() + 1);
    // The light grid comes first, so that every mark is drawn over it.
    const auto isGrid = [](const Call &call) { return call.colour == Colour{200, 200, 200}; };
    const auto marks = std::find_if_not(lines.begin(), lines.end(), isGrid);
    QCOMPARE(marks != lines.begin(), grid);
    QVERIFY(std::none_of(marks, lines.end(), isGrid));
    lines.erase(lines.begin(), marks);
    QCOMPARE(lines.size(), std::size_t(2 + 2 * (1 - 2 * firstTick)));
    QVERIFY(lines[0].from == (UserPoint{-10, 0}) && lines[0].to == (UserPoint{10, 0}));
    QCOMPARE(lines[0].colour, startup ? std::optional<Colour>(magenta) : std::nullopt);
    QVERIFY(lines[1].from == (UserPoint{0, 10}) && lines[1].to == (UserPoint{0, -10}));
    QVERIFY(!lines[1].colour);
    for (std::size_t pair = 0; pair < std::size_t(1 - 2 * firstTick); ++pair) {
        const auto at = double(firstTick + int(pair));
        const Call &across = lines[2 + 2 * pair];
        const Call &up = lines[3 + 2 * pair];
        QVERIFY(across.from == (UserPoint{at, -0.1F}) && across.to == (UserPoint{at, 0.1F}));
        QVERIFY(up.from == (UserPoint{-0.1F, at}) && up.to == (UserPoint{0.1F, at}));
        QVERIFY(!across.colour && !up.colour);
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
    std::vector<double> evaluatedAt;
    graphing::traceCurve(surface, [&](double x) {
        evaluatedAt.push_back(x);
        return f(x);
    });

    // The start point, then 2001 samples from -10 by repeated addition of 0.01, which begin by
    // repeating it and pass 0 at -1.7e-13.
    QCOMPARE(evaluatedAt.size(), std::size_t(2002));
    const std::vector<double> samples(evaluatedAt.begin() + 1, evaluatedAt.end());
    QVERIFY(evaluatedAt[0] == -10.0 && samples[0] == -10.0 && samples[1] == -9.99);
    QVERIFY(std::abs(samples[1000] + 1.7e-13) < 0.1e-13);
    QVERIFY(std::abs(samples.back() - 9.99999999999966) < 1e-14);
    QVERIFY(std::is_sorted(samples.begin(), samples.end()));

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
    // Each sample joined reaches the surface in single precision.
    for (std::size_t i = 0; lineTos.size() == samples.size() && i < samples.size(); ++i)
        QCOMPARE(lineTos[i].to.x, double(static_cast<float>(samples[i])));
    for (const Call &join : lineTos) {
        QCOMPARE(join.colour, std::optional<Colour>(red));
        // Strictly inside the band, on the curve (up to the rounding of x to a float).
        QVERIFY(join.to.y > -10 && join.to.y < 10);
        QVERIFY(std::abs(join.to.y - f(double(join.to.x)).value_or(0)) < 1e-4);
    }
}

void TestGraphing::typedFunctions_data()
{
    using Kind = graphing::ExpressionError::Kind;
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("value"); // NaN: no value there
    QTest::addColumn<int>("error");    // the kind of mistake, -1 for none
    QTest::addColumn<int>("position");
    const double none = std::nan("");
    const double e = std::exp(1.0);
    const double pi = std::acos(-1.0);
    // clang-format off
    QTest::newRow("2x") << "2x" << 3.0 << 6.0 << -1 << 0;
    QTest::newRow("0.5x^2 - 3, .5 and 1.25") << "0.5x^2 - 3 + .5 - 1.25" << 2.0 << -1.75 << -1 << 0;
    QTest::newRow("5sin(x)/x") << "5sin(x)/x" << 2.0 << 5 * std::sin(2.0) / 2 << -1 << 0;
    QTest::newRow("2(x+1)") << "2(x+1)" << 3.0 << 8.0 << -1 << 0;
    QTest::newRow("(x+1)(x-1)") << "(x+1)(x-1)" << 3.0 << 8.0 << -1 << 0;
    QTest::newRow("x sin(x)") << "x sin(x)" << 2.0 << 2 * std::sin(2.0) << -1 << 0;
    QTest::newRow("-x^2 is -(x^2)") << "-x^2" << 3.0 << -9.0 << -1 << 0;
    QTest::newRow("2^3^2 is 512") << "2^3^2" << 0.0 << 512.0 << -1 << 0;
    QTest::newRow("pi, π and e") << "pi + π + e" << 0.0 << 2 * pi + e << -1 << 0;
    QTest::newRow("log is base 10, ln natural") << "log(1000) + ln(e)" << 0.0 << 4.0 << -1 << 0;
    QTest::newRow("√ and a leading y =") << "y = √(x^2+1)" << 3.0 << std::sqrt(10.0) << -1 << 0;
    QTest::newRow("√2 alone") << "√2x" << 3.0 << 3 * std::sqrt(2.0) << -1 << 0;
    QTest::newRow("abs floor ceil sign") << "abs(x) + floor(x) + ceil(x) + sign(x)" << -1.5 << -2.5 << -1 << 0;
    QTest::newRow("caption 1") << "y=x*x-2 " << 3.0 << 7.0 << -1 << 0;
    QTest::newRow("caption 2") << "y=x*exp(-x)+2" << 1.0 << 1 / e + 2 << -1 << 0;
    QTest::newRow("caption 4") << "y=exp(x)-1-x^2 " << 1.0 << e - 2 << -1 << 0;
    QTest::newRow("formula 4") << "y = exp(x) - 1 - x^2" << 1.0 << e - 2 << -1 << 0;
    QTest::newRow("no value: sqrt(-1)") << "sqrt(x)" << -1.0 << none << -1 << 0;
    QTest::newRow("no value: a pole") << "1/x" << 0.0 << none << -1 << 0;
    QTest::newRow("unbalanced") << "(x+1" << 0.0 << none << int(Kind::MissingParenthesis) << 0;
    QTest::newRow("closes nothing") << "x+1)" << 0.0 << none << int(Kind::UnmatchedParenthesis) << 4;
    QTest::newRow("unknown name t") << "t" << 0.0 << none << int(Kind::UnknownName) << 1;
    QTest::newRow("unknown name sinn") << "sinn(x)" << 0.0 << none << int(Kind::UnknownName) << 1;
    QTest::newRow("unknown name after y =") << "y = 2 + q" << 0.0 << none << int(Kind::UnknownName) << 9;
    QTest::newRow("missing operand") << "x^" << 0.0 << none << int(Kind::MissingOperand) << 0;
    QTest::newRow("empty") << "  " << 0.0 << none << int(Kind::Empty) << 0;
    QTest::newRow("10,000 characters") << QString("x+").repeated(5000) << 0.0 << none << int(Kind::TooLong) << 0;
    QTest::newRow("control character") << "x\t+1" << 0.0 << none << int(Kind::ControlCharacter) << 2;
    QTest::newRow("stray character") << "x $ 1" << 0.0 << none << int(Kind::UnexpectedCharacter) << 3;
    // clang-format on
}

void TestGraphing::typedFunctions()
{
    QFETCH(QString, typed);
    QFETCH(double, x);
    QFETCH(double, value);
    QFETCH(int, error);
    QFETCH(int, position);

    const auto parsed = graphing::Expression::parse(typed.toStdString());
    if (const auto *const mistake = std::get_if<graphing::ExpressionError>(&parsed)) {
        QCOMPARE(int(mistake->kind), error);
        QCOMPARE(int(mistake->position), position);
        return;
    }
    QCOMPARE(error, -1);
    // A copy is a function of its own, with the same values.
    const graphing::Expression copy = std::get<graphing::Expression>(parsed);
    const std::optional<double> found = copy(x);
    QCOMPARE(found.has_value(), !std::isnan(value));
    if (found)
        QVERIFY2(std::abs(*found - value) <= 1e-12 * std::max(1.0, std::abs(value)),
                 qPrintable(QString::number(*found, 'g', 17)));
}

void TestGraphing::keyPointsFound_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    // "kind x y" for each key point, in order of x, the values in closed form.
    QTest::addColumn<QStringList>("expected");
    const double root2 = std::sqrt(2.0);
    const double pi = std::acos(-1.0);
    const auto point = [](const char *kind, double x, double y) {
        return QStringLiteral("%1 %2 %3").arg(kind).arg(x, 0, 'g', 17).arg(y, 0, 'g', 17);
    };
    // clang-format off
    QTest::newRow("x^2-2: zeros at ±√2, minimum at 0") << "x^2-2" << -10.0 << 10.0 << QStringList{point("zero", -root2, 0), point("minimum", 0, -2), point("zero", root2, 0)};
    QTest::newRow("x^2: a zero that touches") << "(x-0.3)^2" << -10.0 << 10.0 << QStringList{point("zero", 0.3, 0), point("minimum", 0.3, 0)};
    QTest::newRow("x exp(-x)+2: maximum 2+1/e at 1") << "x exp(-x) + 2" << -10.0 << 10.0 << QStringList{point("zero", -0.85260550201372549, 0), point("maximum", 1, 2 + std::exp(-1.0))};
    QTest::newRow("5sin(x)/x: zeros at multiples of π") << "5sin(x)/x" << 2.0 << 10.0 << QStringList{point("zero", pi, 0), point("minimum", 4.4934094579090642, 5 * std::sin(4.4934094579090642) / 4.4934094579090642), point("zero", 2 * pi, 0), point("maximum", 7.7252518369377068, 5 * std::sin(7.7252518369377068) / 7.7252518369377068), point("zero", 3 * pi, 0)};
    QTest::newRow("√(x^2+1): minimum 1 at 0") << "√(x^2+1)" << -10.0 << 10.0 << QStringList{point("minimum", 0, 1)};
    QTest::newRow("tan: zeros, no poles") << "tan(x)" << -4.0 << 4.0 << QStringList{point("zero", -pi, 0), point("zero", 0, 0), point("zero", pi, 0)};
    QTest::newRow("a pole and jumps turn nowhere") << "1/x^2 + floor(x)/100" << -3.0 << 3.0 << QStringList{};
    QTest::newRow("sqrt(1-x^2): the top, and its ends") << "sqrt(1-x^2)" << -2.0 << 2.0 << QStringList{point("zero", -1, 0), point("maximum", 0, 1), point("zero", 1, 0)};
    // clang-format on
}

void TestGraphing::keyPointsFound()
{
    QFETCH(QString, typed);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(QStringList, expected);

    const graphing::Expression f =
        std::get<graphing::Expression>(graphing::Expression::parse(typed.toStdString()));
    const std::vector<graphing::KeyPoint> found =
        graphing::keyPoints([&f](double x) { return f(x); }, {left, right, -10, 10});
    QStringList kinds;
    for (const graphing::KeyPoint &point : found)
        kinds << QStringList{"zero", "minimum", "maximum"}.at(int(point.kind));
    QStringList expectedKinds;
    for (const QString &point : expected)
        expectedKinds << point.section(' ', 0, 0);
    QCOMPARE(kinds, expectedKinds);
    for (std::size_t i = 0; i < found.size(); ++i) {
        const QStringList values = expected[qsizetype(i)].split(' ');
        QVERIFY2(std::abs(found[i].x - values[1].toDouble()) <= 1e-9, qPrintable(values.join(' ')));
        QVERIFY2(std::abs(found[i].y - values[2].toDouble()) <= 1e-9, qPrintable(values.join(' ')));
    }
}

QTEST_APPLESS_MAIN(TestGraphing)
#include "tst_graphing.moc"
