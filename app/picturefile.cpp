#include "picturefile.h"

#include "curvesound.h"
#include "designdata.h"
#include "functions.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QFileInfo>
#include <QImageWriter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStorageInfo>
#include <QtMath>

namespace app {

namespace {

// Texts worded here are translated in this context.
struct PictureFile {
    Q_DECLARE_TR_FUNCTIONS(app::PictureFile)
};

const QStringList extensions{QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf"),
                             QStringLiteral("wav")};

// The curve's sound as a WAV file: a RIFF header for 16-bit stereo PCM, then the samples.
QByteArray wave(const graphing::PictureContent &content)
{
    const std::vector<std::int16_t> samples = graphing::curveSound(content);
    const auto bytes = quint32(samples.size() * 2);
    const auto rate = quint32(graphing::soundRate);
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + bytes);
    out.writeRawData("WAVEfmt ", 8);
    // PCM, 2 channels, the rate, bytes a second and a frame, bits a sample.
    out << quint32(16) << quint16(1) << quint16(2) << rate << rate * 4 << quint16(4) << quint16(16);
    out.writeRawData("data", 4);
    out << bytes;
    for (const std::int16_t sample : samples)
        out << sample;
    return file;
}

// The picture's few flat colours as a palette: the same pixels in fewer bytes, compressed in a
// quarter of the time. Qt's own conversion looks every pixel up in a table; here a pixel of the
// same colour as the one before it, nearly every pixel, costs one comparison (at --scale 4, 2.9 ms
// instead of 8.6). A picture of more colours (smoothed numbers) or with transparency is left as
// it is: a palette would have to drop some of them.
QImage withPalette(const QImage &picture)
{
    if (picture.format() != QImage::Format_RGB32 || picture.isNull())
        return picture;
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    QList<QRgb> colours{picture.pixel(0, 0)};
    QRgb colour = colours[0];
    uchar index = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *pixel = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        const QRgb *const end = pixel + picture.width();
        for (uchar *out = indexed.scanLine(y); pixel != end; ++pixel, ++out) {
            if (*pixel != colour) {
                colour = *pixel;
                qsizetype found = colours.indexOf(colour);
                if (found < 0) {
                    if (colours.size() == 256)
                        return picture;
                    found = colours.size();
                    colours.append(colour);
                }
                index = uchar(found);
            }
            *out = index;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

// True for what cannot be replaced by a new file: a device or pipe, or a name the system gives an
// open file (/dev/stdout, /dev/fd/1, /proc/self/fd/1), also through a link to one.
bool writesInPlace(const QFileInfo &target)
{
    if (target.exists() && !target.isFile() && !target.isDir())
        return true;
    for (const QString &name : {target.absoluteFilePath(), target.symLinkTarget()}) {
        const QString folder = QFileInfo(name).path();
        if (folder == QLatin1String("/dev/fd") || name.startsWith(QLatin1String("/dev/std"))
            || (folder.startsWith(QLatin1String("/proc/"))
                && folder.endsWith(QLatin1String("/fd"))))
            return true;
    }
    return false;
}

// Writes all of `data`, calling again after a short write, so that what stops it reports its error.
bool writeAll(QIODevice &device, const QByteArray &data)
{
    for (qsizetype done = 0, written = 0; done < data.size(); done += written) {
        written = device.write(data.constData() + done, data.size() - done);
        if (written <= 0)
            return false;
    }
    return true;
}

// Why no new file could be made at `target`, which Qt put as `qtReason`: what the folders on the
// way tell, else Qt's words.
QString whyNotMade(const QFileInfo &target, const QString &qtReason)
{
    if (target.isDir())
        return PictureFile::tr("%1 is a folder.").arg(target.filePath());
    QFileInfo folder(target.absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    const QString name = folder.absoluteFilePath();
    if (!folder.isDir())
        return PictureFile::tr("%1 is a file, not a folder.").arg(name);
    if (!folder.isExecutable())
        return PictureFile::tr("You may not open the folder %1.").arg(name);
    if (name != target.absolutePath())
        return PictureFile::tr("The folder %1 does not exist.").arg(target.absolutePath());
    if (QStorageInfo(name).isReadOnly())
        return PictureFile::tr("The folder %1 is on a read-only file system.").arg(name);
    if (!folder.isWritable())
        return PictureFile::tr("You may not make files in the folder %1.").arg(name);
    if (target.exists() && !target.isWritable())
        return PictureFile::tr("You may not write to the file %1.").arg(target.absoluteFilePath());
    return PictureFile::tr("No file could be made in the folder %1: %2.").arg(name, qtReason);
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(const QString &path)
{
    const qsizetype index = extensions.indexOf(QFileInfo(path).suffix().toLower());
    return index < 0 ? std::nullopt : std::optional(static_cast<PictureFormat>(index));
}

QString extensionOf(PictureFormat format)
{
    return extensions.at(static_cast<qsizetype>(format));
}

QStringList saveFilters()
{
    return {PictureFile::tr("PNG image (*.png)"), PictureFile::tr("SVG drawing (*.svg)"),
            PictureFile::tr("PDF document (*.pdf)"),
            PictureFile::tr("WAV sound of the curve (*.wav)")};
}

QString proposedFileName(const graphing::PictureContent &content)
{
    if (!content.graphedFunction)
        return QStringLiteral("axes.png");
    return QStringLiteral("function-%1.png").arg(*content.graphedFunction);
}

QStringList pictureCaption(const graphing::PictureContent &content)
{
    QStringList caption;
    if (content.graphedFunction) {
        const std::string_view formula = graphing::functionFormula(*content.graphedFunction);
        caption << QString::fromUtf8(formula.data(), qsizetype(formula.size()));
    }
    return caption << PictureFile::tr("x and y from -10 to 10");
}

QPageLayout printedPage(const QPageSize &size)
{
    constexpr double margin = 15;
    return {size, QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin),
            QPageLayout::Millimeter};
}

const plot::PictureRenderer &pictureRenderer()
{
    static const plot::PictureRenderer renderer(
        graphWindowDesign.picture.geometry, QColor::fromRgb(*graphWindowDesign.picture.background),
        QColor::fromRgb(pictureForeground));
    return renderer;
}

QByteArray encodePicture(const graphing::PictureContent &content, PictureFormat format, qreal ratio)
{
    if (format == PictureFormat::Svg)
        return pictureRenderer().svg(content);
    if (format == PictureFormat::Pdf)
        return pictureRenderer().pdf(content);
    if (format == PictureFormat::Wav)
        return wave(content);
    QImage image = withPalette(pictureRenderer().image(content, ratio));
    // Viewers that honour the resolution show the picture at its size on a screen: 96 dpi at
    // `ratio` device pixels per logical pixel.
    image.setDotsPerMeterX(qRound(96 / 0.0254 * ratio));
    image.setDotsPerMeterY(qRound(96 / 0.0254 * ratio));
    QByteArray png;
    QBuffer buffer(&png);
    // The format named, so no image-format plugin is looked for.
    QImageWriter writer(&buffer, QByteArrayLiteral("png"));
    // The fastest compression (zlib level 1 is what the writer makes of 80): the picture's long
    // runs of one colour leave little for a slower level to gain. At --scale 4 it saves a third of
    // the compression time for a file of 24 KB instead of 10.
    writer.setQuality(80);
    return writer.write(image) ? png : QByteArray();
}

std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio)
{
    if (format == PictureFormat::Wav && !content.graphedFunction)
        return PictureFile::tr("The axes alone have no curve to be heard; graph a function first.");
    return writePictureFile(path, encodePicture(content, format, ratio));
}

std::optional<QString> whyNotOnPage(const QPageLayout &layout, const plot::PageOptions &options)
{
    if (pictureRenderer().fitsOnPage(layout, options))
        return std::nullopt;
    const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size();
    const QSizeF needed = pictureRenderer().roomNeeded(options);
    // Whole millimetres: the room needed rounded up, the room there is down.
    const int neededWidth = qCeil(needed.width());
    const int neededHeight = qCeil(needed.height());
    const int width = qFloor(area.width() + 0.01);
    const int height = qFloor(area.height() + 0.01);
    if (!options.unitLength) {
        return PictureFile::tr(
                   "The picture and its caption need at least %1 x %2 mm and do not fit on the "
                   "page, whose printable area is %3 x %4 mm: choose a larger page or smaller "
                   "margins.")
            .arg(neededWidth)
            .arg(neededHeight)
            .arg(width)
            .arg(height);
    }
    return PictureFile::tr(
               "At %1 mm to the unit the picture and its caption need %2 x %3 mm and do not fit "
               "on the page, whose printable area is %4 x %5 mm: choose a larger page or a "
               "smaller size.")
        .arg(*options.unitLength)
        .arg(neededWidth)
        .arg(neededHeight)
        .arg(width)
        .arg(height);
}

QByteArray pagePdf(const graphing::PictureContent &content, const QPageLayout &layout,
                   int resolution, const plot::PageOptions &options)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("function-graph"));
    writer.setTitle(pictureCaption(content).join(QStringLiteral(", ")));
    writer.setPageLayout(layout);
    writer.setResolution(resolution);
    if (!buffer.open(QIODevice::WriteOnly)
        || !pictureRenderer().paintPage(content, writer, options))
        return {};
    return pdf;
}

std::optional<QString> savePage(const graphing::PictureContent &content, const QString &path,
                                const QPageLayout &layout, int resolution,
                                const plot::PageOptions &options)
{
    return writePictureFile(path, pagePdf(content, layout, resolution, options));
}

std::optional<QString> writePictureFile(const QString &path, const QByteArray &data)
{
    if (data.isEmpty())
        return PictureFile::tr("The picture could not be drawn.");
    // Unbuffered, so that a failed write reports its own error at once.
    const QFileInfo target(path);
    if (writesInPlace(target)) {
        QFile device(path);
        // A file open on the standard output (a log it is appended to) keeps what it holds.
        const QIODevice::OpenMode append = target.isFile() ? QIODevice::Append : QIODevice::NotOpen;
        if (device.open(QIODevice::WriteOnly | QIODevice::Unbuffered | append)
            && writeAll(device, data))
            return std::nullopt;
        return device.errorString() + QLatin1Char('.');
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return whyNotMade(target, file.errorString());
    // An unfinished file is removed when `file` goes.
    if (!writeAll(file, data) || !file.commit())
        return file.errorString() + QLatin1Char('.');
    return std::nullopt;
}

} // namespace app
