#include "picturefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The steps of `function-graph --function 3 --output f3.png` after the libraries are loaded, each
// on its own and warm: drawing the picture, turning it into a palette image, compressing it, and
// the whole save (drawing, compressing, writing a new file and putting it in place of the old).

namespace {

const graphing::PictureContent function3{3};

QImage picture()
{
    return app::pictureRenderer().image(function3, 1).convertToFormat(QImage::Format_RGB32);
}

// The palette image as the program made it with its own loop before it used Qt's conversion: the
// colours in the order met, a run of one colour looked up once.
QImage ownPalette(const QImage &rgb)
{
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        qsizetype index = 0;
        for (int x = 0; x < rgb.width(); ++x) {
            if (table.isEmpty() || in[x] != table[index]) {
                index = table.indexOf(in[x]);
                if (index < 0) {
                    table.append(in[x]);
                    index = table.size() - 1;
                }
            }
            out[x] = uchar(index);
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

QImage palette(const QImage &rgb, bool own)
{
    return own ? ownPalette(rgb) : rgb.convertToFormat(QImage::Format_Indexed8);
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, QByteArrayLiteral("png"));
    return writer.write(image) ? bytes : QByteArray();
}

void draw(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(app::pictureRenderer().image(function3, 1));
}
BENCHMARK(draw)->Unit(benchmark::kMicrosecond);

// Qt's conversion (0) against the program's former loop (1); the counters give the PNG's bytes
// and colours, which are the same.
void toPalette(benchmark::State &state)
{
    const QImage rgb = picture();
    const bool own = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(palette(rgb, own));
    const QImage indexed = palette(rgb, own);
    state.counters["bytes"] = double(png(indexed).size());
    state.counters["colours"] = double(indexed.colorCount());
    if (indexed.convertToFormat(QImage::Format_RGB32) != rgb)
        state.SkipWithError("the palette image has other pixels");
}
BENCHMARK(toPalette)->ArgName("own")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void compress(benchmark::State &state)
{
    const QImage source = state.range(0) != 0 ? palette(picture(), false) : picture();
    for (auto _ : state)
        benchmark::DoNotOptimize(png(source));
}
BENCHMARK(compress)->ArgName("palette")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole picture file in memory, drawn, turned into a palette and compressed, at --scale 1, 4
// and 8; the PNG's bytes as a counter.
void encode(benchmark::State &state)
{
    const auto scale = qreal(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(app::encodePicture(function3, app::PictureFormat::Png, scale));
    state.counters["bytes"] =
        double(app::encodePicture(function3, app::PictureFormat::Png, scale).size());
}
BENCHMARK(encode)->ArgName("scale")->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

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
