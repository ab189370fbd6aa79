#include "picturefile.h"

#include "designdata.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace app {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("app::PictureFile", text);
}

// The sentence for the system error `error` (an errno value) met while writing `path`.
QString writeFailureSentence(int error, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    switch (error) {
    case ENOSPC: return tr("There is no space left on the device.");
    case EDQUOT: return tr("Your disk quota is used up.");
    case EACCES:
    case EPERM: return tr("You may not write in the folder %1.").arg(folder);
    case EROFS: return tr("The folder %1 is on a read-only file system.").arg(folder);
    case ENOENT: return tr("The folder %1 does not exist.").arg(folder);
    case ENOTDIR: return tr("A part of %1 is a file, not a folder.").arg(folder);
    case EISDIR: return tr("%1 is a folder.").arg(path);
    case ENAMETOOLONG: return tr("The file name %1 is too long.").arg(path);
    case EFBIG: return tr("The file would be larger than the device allows.");
    case EIO: return tr("The device reported an error while writing %1.").arg(path);
    case 0: return tr("The picture could not be written to %1.").arg(path);
    default:
        return tr("The picture could not be written to %1: %2.")
            .arg(path, QString::fromLocal8Bit(std::strerror(error)));
    }
}

// A 96 dpi picture at `ratio` device pixels per logical pixel, in the PNG's dots per metre.
int dotsPerMetre(qreal ratio)
{
    return qRound(96 / 0.0254 * ratio);
}

// The picture's few flat colours as a palette: the same pixels in a third of the bytes, and a
// quarter of the time to compress. Nothing for an image of more colours than a palette holds.
std::optional<QImage> asPalette(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (rgb.isNull() || indexed.isNull())
        return std::nullopt;
    constexpr qsizetype paletteSize = 256;
    QList<QRgb> table;
    // Runs of one colour are long: the last colour's index is kept at hand.
    QRgb last = 0;
    uchar lastIndex = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            if (table.isEmpty() || in[x] != last) {
                qsizetype index = table.indexOf(in[x]);
                if (index < 0) {
                    if (table.size() == paletteSize)
                        return std::nullopt;
                    table.append(in[x]);
                    index = table.size() - 1;
                }
                last = in[x];
                lastIndex = uchar(index);
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

QByteArray encode(const graphing::PictureContent &content, PictureFormat format, qreal ratio)
{
    switch (format) {
    case PictureFormat::Svg: return pictureRenderer().svg(content);
    case PictureFormat::Pdf: return pictureRenderer().pdf(content);
    case PictureFormat::Png: {
        const QImage rendered = pictureRenderer().image(content, ratio);
        if (rendered.isNull())
            return {};
        QImage image = asPalette(rendered).value_or(rendered);
        // Viewers that honour the resolution show the picture at its size on a screen.
        image.setDotsPerMeterX(dotsPerMetre(ratio));
        image.setDotsPerMeterY(dotsPerMetre(ratio));
        QByteArray png;
        QBuffer buffer(&png);
        // The format named, so no image-format plugin is looked for.
        QImageWriter writer(&buffer, QByteArrayLiteral("png"));
        if (!writer.write(image))
            return {};
        return png;
    }
    }
    return {};
}

// Follows symbolic links to the file a write lands in; the name itself when it is no link.
QFileInfo finalTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info;
}

// Why no file can be made in the folder of `target`, if something already tells: the folder is
// missing, is a file, or is closed to writing.
std::optional<QString> folderProblem(const QFileInfo &target)
{
    const QString folder = target.absolutePath();
    if (QFileInfo(folder).isDir()) {
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
            return writeFailureSentence(errno, target.absoluteFilePath());
        return std::nullopt;
    }
    // The nearest existing folder on the way tells which: a missing one, or a file in the way.
    QString existing = folder;
    while (!QFileInfo::exists(existing) && !QFileInfo(existing).isSymLink()) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            break;
        existing = parent;
    }
    if (QFileInfo::exists(existing) && !QFileInfo(existing).isDir())
        return tr("%1 is a file, not a folder.").arg(existing);
    return tr("The folder %1 does not exist.").arg(folder);
}

// Writes straight into a device or pipe, which cannot be replaced by a new file.
std::optional<QString> writeToDevice(const QString &path, const QByteArray &data)
{
    QFile device(path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailureSentence(errno, path);
    if (device.write(data) != data.size())
        return writeFailureSentence(errno, path);
    device.close();
    return std::nullopt;
}

std::optional<QString> writeAtomically(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    // Unbuffered, so a failed write reports its own error at once.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailureSentence(errno, path);
    if (file.write(data) != data.size()) {
        const int error = errno;
        file.cancelWriting();
        return writeFailureSentence(error, path);
    }
    errno = 0;
    if (!file.commit())
        return writeFailureSentence(errno, path);
    return std::nullopt;
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
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
    if (path.isEmpty())
        return tr("No file name was given.");
    const QFileInfo target = finalTarget(path);
    if (target.isDir())
        return tr("%1 is a folder.").arg(path);
    const bool isDevice = target.exists() && !target.isFile();
    if (!isDevice) {
        if (auto problem = folderProblem(target))
            return problem;
    }

    const QByteArray data = encode(content, format, ratio);
    if (data.isEmpty())
        return tr("The picture could not be drawn.");
    // A device (a printer port, /dev/null, a full disk's stand-in) cannot be replaced by a new
    // file: the bytes go straight into it.
    if (isDevice)
        return writeToDevice(target.filePath(), data);
    return writeAtomically(target.filePath(), data);
}

} // namespace app
