// A "Graph" press on the program's own surface, against the floor: the plainest drawing of the
// same picture with the toolkit, mark by mark. And the cost of the samples alone.
#include "floorpicture.h"

#include "axes.h"
#include "curvetracer.h"
#include "designdata.h"
#include "functioncatalogue.h"
#include "rasterplotsurface.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

const QSize pictureSize = app::designOf("Picture1").rect().size();
const QColor background = QColor::fromRgb(*app::designOf("Picture1").background);
const QColor foreground = QColor::fromRgb(app::pictureForeground);

// Argument 0 is no choice at all; 1..5 choose that function.
graphing::FunctionCatalogue catalogueFor(const benchmark::State &state)
{
    graphing::FunctionCatalogue catalogue;
    if (state.range(0) > 0)
        catalogue.choose(static_cast<std::int16_t>(state.range(0) - 1));
    return catalogue;
}

graphing::CurveFunction curveOf(const graphing::FunctionCatalogue &catalogue)
{
    return [&catalogue](double x) { return catalogue.f(x); };
}

// Brings the picture's surface where the window has it after start-up: scale set, frame shown.
void startUp(plot::RasterPlotSurface &surface)
{
    graphing::drawStartupFrame(surface);
    surface.image();
}

void graphPress(benchmark::State &state)
{
    const graphing::FunctionCatalogue catalogue = catalogueFor(state);
    const graphing::CurveFunction f = curveOf(catalogue);
    plot::RasterPlotSurface surface(pictureSize, 1.0, background, foreground);
    startUp(surface);
    for (auto _ : state) {
        graphing::traceCurve(surface, f);
        // Reading the picture ends the painter, as the repaint that follows a press does.
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void painterFloor(benchmark::State &state)
{
    const graphing::FunctionCatalogue catalogue = catalogueFor(state);
    const bench::FloorPicture picture =
        bench::recordPress(pictureSize, background, foreground, curveOf(catalogue));
    QImage image(pictureSize, QImage::Format_RGB32);

    // The floor counts only if it draws the very picture the program does.
    plot::RasterPlotSurface surface(pictureSize, 1.0, background, foreground);
    startUp(surface);
    graphing::traceCurve(surface, curveOf(catalogue));
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

BENCHMARK(graphPress)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(painterFloor)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(functionSamples)->ArgName("function")->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
