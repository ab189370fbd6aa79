#include "picturefile.h"

#include "curvesound.h"
#include "designdata.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QStorageInfo>

namespace app {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("app::PictureFile", text);
}

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

QByteArray encode(const graphing::PictureContent &content, PictureFormat format, qreal ratio)
{
    if (format == PictureFormat::Svg)
        return pictureRenderer().svg(content);
    if (format == PictureFormat::Pdf)
        return pictureRenderer().pdf(content);
    if (format == PictureFormat::Wav)
        return wave(content);
    // The picture's few flat colours as a palette: the same pixels in fewer bytes, compressed in
    // a quarter of the time.
    QImage image = pictureRenderer().image(content, ratio).convertToFormat(QImage::Format_Indexed8);
    // Viewers that honour the resolution show the picture at its size on a screen: 96 dpi at
    // `ratio` device pixels per logical pixel.
    image.setDotsPerMeterX(qRound(96 / 0.0254 * ratio));
    image.setDotsPerMeterY(qRound(96 / 0.0254 * ratio));
    QByteArray png;
    QBuffer buffer(&png);
    // The format named, so no image-format plugin is looked for.
    QImageWriter writer(&buffer, QByteArrayLiteral("png"));
    return writer.write(image) ? png : QByteArray();
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
        return tr("%1 is a folder.").arg(target.filePath());
    QFileInfo folder(target.absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    const QString name = folder.absoluteFilePath();
    if (!folder.isDir())
        return tr("%1 is a file, not a folder.").arg(name);
    if (!folder.isExecutable())
        return tr("You may not open the folder %1.").arg(name);
    if (name != target.absolutePath())
        return tr("The folder %1 does not exist.").arg(target.absolutePath());
    if (QStorageInfo(name).isReadOnly())
        return tr("The folder %1 is on a read-only file system.").arg(name);
    if (!folder.isWritable())
        return tr("You may not make files in the folder %1.").arg(name);
    if (target.exists() && !target.isWritable())
        return tr("You may not write to the file %1.").arg(target.absoluteFilePath());
    return tr("No file could be made in the folder %1: %2.").arg(name, qtReason);
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
    return {tr("PNG image (*.png)"), tr("SVG drawing (*.svg)"), tr("PDF document (*.pdf)"),
            tr("WAV sound of the curve (*.wav)")};
}

QString proposedFileName(const graphing::PictureContent &content)
{
    if (!content.graphedFunction)
        return QStringLiteral("axes.png");
    return QStringLiteral("function-%1.png").arg(*content.graphedFunction);
}

const plot::PictureRenderer &pictureRenderer()
{
    static const plot::PictureRenderer renderer(
        graphWindowDesign.picture.geometry, QColor::fromRgb(*graphWindowDesign.picture.background),
        QColor::fromRgb(pictureForeground));
    return renderer;
}

std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio)
{
    if (format == PictureFormat::Wav && !content.graphedFunction)
        return tr("The axes alone have no curve to be heard; graph a function first.");
    const QByteArray data = encode(content, format, ratio);
    if (data.isEmpty())
        return tr("The picture could not be drawn.");
    return writePictureFile(path, data);
}

std::optional<QString> writePictureFile(const QString &path, const QByteArray &data)
{
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
