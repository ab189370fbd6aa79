// A "Graph" press at device pixel ratios 1 and 3 (the content drawn afresh on a new image, as
// every press and every redraw does), against the floor (the plainest drawing of the same picture
// with the toolkit, mark by mark); and the cost of the samples alone.
#include "floorpicture.h"

#include "axes.h"
#include "curvetracer.h"
#include "designdata.h"
#include "functions.h"
#include "picturecontent.h"
#include "rasterplotsurface.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

const QRect pictureGeometry = app::graphWindowDesign.picture.geometry;
const QColor background = QColor::fromRgb(*app::graphWindowDesign.picture.background);
const QColor foreground = QColor::fromRgb(app::pictureForeground);

plot::PixelGrid gridAt(qreal ratio)
{
    return plot::PixelGrid::forWidget(pictureGeometry.topLeft(), pictureGeometry.size(), ratio);
}

// Argument 0 is no function at all (the tracer draws y = 0); 1..5 that function.
graphing::CurveFunction curveOf(const benchmark::State &state)
{
    const int function = int(state.range(0));
    return [function](double x) { return graphing::functionValue(function, x); };
}

// Argument 0 is the start-up frame; 1..5 the graph of that function.
graphing::PictureContent contentFor(const benchmark::State &state)
{
    return state.range(0) > 0 ? graphing::PictureContent{int(state.range(0))}
                              : graphing::PictureContent{};
}

// A press as the window makes it: the content drawn afresh on the picture's device pixels.
void graphPress(benchmark::State &state, qreal ratio)
{
    const graphing::PictureContent content = contentFor(state);
    const plot::PixelGrid grid = gridAt(ratio);
    for (auto _ : state) {
        const plot::RasterImage rendering =
            plot::renderImage(content, grid, background, foreground);
        benchmark::DoNotOptimize(rendering.image.constBits());
    }
}

// The same press in the fullest style: white, lines 4 pixels wide, numbers and grid.
void styledPress(benchmark::State &state)
{
    graphing::PictureContent content = contentFor(state);
    content.style = {graphing::Background::White, graphing::thickestLine, true, true};
    const plot::PixelGrid grid = gridAt(1);
    for (auto _ : state) {
        const plot::RasterImage rendering =
            plot::renderImage(content, grid, background, foreground);
        benchmark::DoNotOptimize(rendering.image.constBits());
    }
}

void painterFloor(benchmark::State &state)
{
    const QSize size = pictureGeometry.size();
    const bench::FloorPicture picture =
        bench::recordPress(size, background, foreground, curveOf(state));
    QImage image(size, QImage::Format_RGB32);

    // The floor counts only if it draws the very picture the program does.
    QImage program(size, QImage::Format_RGB32);
    {
        plot::RasterPlotSurface surface(program, 1, background, foreground);
        const graphing::View window;
        surface.setScale(window.topLeft(), window.bottomRight());
        graphing::drawGraphFrame(surface, window);
        graphing::traceCurve(surface, curveOf(state));
    }
    bench::drawFloor(image, picture);
    if (image != program) {
        state.SkipWithError("the floor draws a different picture from the program's");
        return;
    }

    for (auto _ : state) {
        bench::drawFloor(image, picture);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A press with a typed function, sampled where the curve needs it: the five's formulas as typed,
// and hard curves (a pole, a jump, fast oscillation).
void typedPress(benchmark::State &state, const char *typed, qreal ratio)
{
    const graphing::PictureContent content(
        graphing::Function(std::get<graphing::Expression>(graphing::Expression::parse(typed))));
    const plot::PixelGrid grid = gridAt(ratio);
    for (auto _ : state) {
        const plot::RasterImage rendering =
            plot::renderImage(content, grid, background, foreground);
        benchmark::DoNotOptimize(rendering.image.constBits());
    }
}

void functionSamples(benchmark::State &state)
{
    const int function = int(state.range(0));
    for (auto _ : state) {
        // The tracer's own sampling: repeated addition, 2001 samples.
        for (double x = -10; x <= 10; x += 0.01)
            benchmark::DoNotOptimize(graphing::functionValue(function, x));
    }
}

} // namespace

BENCHMARK_CAPTURE(graphPress, ratio1, 1.0)
    ->ArgName("function")
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(graphPress, ratio3, 3.0)
    ->ArgName("function")
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typedPress, x ^ 2 - 2 at 1, "x^2-2", 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typedPress, 5sin(x) / x at 1, "5sin(x)/x", 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typedPress, 5sin(x) / x at 3, "5sin(x)/x", 3.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typedPress, tan(x) at 1, "tan(x)", 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typedPress, floor(x) at 1, "floor(x)", 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(typedPress, sin(50x) at 1, "sin(50x)", 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(styledPress)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(painterFloor)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(functionSamples)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// Numbers need the fonts, which only a GUI application finds; no display is needed.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
