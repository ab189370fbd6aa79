#include "picturefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The steps of `function-graph --function 3 --output f3.png` after the libraries are loaded, each
// on its own and warm: drawing the picture, compressing it, and the whole save (drawing,
// compressing, writing a new file and putting it in place of the old).

namespace {

const graphing::PictureContent function3{3};

void draw(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(app::pictureRenderer().image(function3, 1));
}
BENCHMARK(draw)->Unit(benchmark::kMicrosecond);

void compress(benchmark::State &state)
{
    const QImage image = app::pictureRenderer().image(function3, 1);
    const bool palette = state.range(0) != 0;
    const QImage source =
        palette ? image.convertToFormat(QImage::Format_Indexed8,
                                        {qRgb(128, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0)},
                                        Qt::ThresholdDither | Qt::AvoidDither)
                : image;
    for (auto _ : state) {
        QByteArray png;
        QBuffer buffer(&png);
        QImageWriter writer(&buffer, QByteArrayLiteral("png"));
        benchmark::DoNotOptimize(writer.write(source));
    }
}
BENCHMARK(compress)->ArgName("palette")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void save(benchmark::State &state)
{
    QTemporaryDir folder(state.range(0) != 0 ? QDir::tempPath() + QStringLiteral("/bench-XXXXXX")
                                             : QStringLiteral("/dev/shm/bench-XXXXXX"));
    if (!folder.isValid()) {
        state.SkipWithError("no folder to write in");
        return;
    }
    const QString path = folder.filePath(QStringLiteral("f3.png"));
    for (auto _ : state) {
        if (app::savePicture(function3, path, app::PictureFormat::Png, 1)) {
            state.SkipWithError("the picture could not be written");
            return;
        }
    }
}
// On disk, where the new file is synchronised before it replaces the old, and in memory.
BENCHMARK(save)->ArgName("disk")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setLibraryPaths({});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
