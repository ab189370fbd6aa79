// A "Graph" press on the program's own surface at device pixel ratios 1 and 3, against the floor
// (the plainest drawing of the same picture with the toolkit, mark by mark); the picture drawn
// again after a ratio change; and the cost of the samples alone.
#include "floorpicture.h"

#include "axes.h"
#include "curvetracer.h"
#include "designdata.h"
#include "functioncatalogue.h"
#include "picturecontent.h"
#include "rasterplotsurface.h"

#include <benchmark/benchmark.h>

namespace {

const QRect pictureGeometry = app::graphWindowDesign.picture.geometry;
const QColor background = QColor::fromRgb(*app::graphWindowDesign.picture.background);
const QColor foreground = QColor::fromRgb(app::pictureForeground);

plot::PixelGrid gridAt(qreal ratio)
{
    return plot::PixelGrid::forWidget(pictureGeometry.topLeft(), pictureGeometry.size(), ratio);
}

// Argument 0 is no choice at all; 1..5 choose that function.
graphing::FunctionCatalogue catalogueFor(const benchmark::State &state)
{
    graphing::FunctionCatalogue catalogue;
    if (state.range(0) > 0)
        catalogue.choose(int(state.range(0) - 1));
    return catalogue;
}

graphing::CurveFunction curveOf(const graphing::FunctionCatalogue &catalogue)
{
    return [&catalogue](double x) { return catalogue.f(x); };
}

// A press as the window makes it: the painter opens, the curve is traced, the painter closes.
void graphPress(benchmark::State &state, qreal ratio)
{
    const graphing::FunctionCatalogue catalogue = catalogueFor(state);
    const graphing::CurveFunction f = curveOf(catalogue);
    plot::RasterPlotSurface surface(gridAt(ratio), background, foreground);
    surface.begin();
    graphing::drawStartupFrame(surface);
    surface.end();
    for (auto _ : state) {
        surface.begin();
        graphing::traceCurve(surface, f);
        surface.end();
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

// The picture drawn whole at a new ratio, as after the window moved to a screen of scale 3.
void renderAfterRatioChange(benchmark::State &state)
{
    const graphing::PictureContent content{int(state.range(0))};
    plot::RasterPlotSurface surface(gridAt(1), background, foreground);
    for (auto _ : state) {
        surface.reset(gridAt(3));
        surface.begin();
        graphing::drawPicture(surface, content);
        surface.end();
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void painterFloor(benchmark::State &state)
{
    const graphing::FunctionCatalogue catalogue = catalogueFor(state);
    const QSize size = pictureGeometry.size();
    const bench::FloorPicture picture =
        bench::recordPress(size, background, foreground, curveOf(catalogue));
    QImage image(size, QImage::Format_RGB32);

    // The floor counts only if it draws the very picture the program does.
    plot::RasterPlotSurface surface(gridAt(1), background, foreground);
    surface.begin();
    graphing::drawStartupFrame(surface);
    graphing::traceCurve(surface, curveOf(catalogue));
    surface.end();
    bench::drawFloor(image, picture);
    if (image != surface.image()) {
        state.SkipWithError("the floor draws a different picture from the program's");
        return;
    }

    for (auto _ : state) {
        bench::drawFloor(image, picture);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void functionSamples(benchmark::State &state)
{
    const graphing::FunctionCatalogue catalogue = catalogueFor(state);
    for (auto _ : state) {
        // The tracer's own sampling: repeated addition, 2001 samples.
        for (double x = -10; x <= 10; x += 0.01)
            benchmark::DoNotOptimize(catalogue.f(x));
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
BENCHMARK(renderAfterRatioChange)
    ->ArgName("function")
    ->DenseRange(1, 5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(painterFloor)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(functionSamples)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
