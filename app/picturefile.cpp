#include "picturefile.h"

#include "curvesound.h"
#include "designdata.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QFileInfo>
#include <QImageWriter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QtMath>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The picture's few flat colours as a palette: the same pixels in a quarter of the bytes. A pixel
// of the colour before it costs one comparison, a row like the one above a copy. More than 256
// colours (smoothed numbers) or transparency keep their 32-bit pixels.
QImage withPalette(const QImage &picture)
{
    if (picture.format() != QImage::Format_RGB32 || picture.isNull())
        return picture;
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    QList<QRgb> colours{picture.pixel(0, 0)};
    QRgb colour = colours[0];
    uchar index = 0;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        const auto *pixel = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        if (y > 0 && std::equal(pixel, pixel + width, pixel - picture.bytesPerLine() / 4)) {
            std::copy_n(out - indexed.bytesPerLine(), width, out);
            continue;
        }
        for (const QRgb *const end = pixel + width; pixel != end; ++pixel, ++out) {
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
    // A full table: libpng checks every pixel's index against a shorter one.
    colours.resize(256, colours[0]);
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

// Where `file` leads through at most 40 links, as the system follows them; it need not exist.
QFileInfo followedLinks(QFileInfo file)
{
    for (int links = 0; file.isSymLink() && links < 40; ++links)
        file.setFile(file.symLinkTarget());
    return file;
}

// Why no new file could be made at `given`, which Qt put as `qtReason`: what the folders on the
// way to the file it leads to tell, else Qt's words.
QString whyNotMade(const QFileInfo &given, const QString &qtReason)
{
    const QFileInfo target = followedLinks(given);
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

// The largest length of a unit in millimetres, to a tenth, at which the picture and `caption` fit
// the printable area of `layout`, found by halving; 0 when none does.
double largestUnitLength(const graphing::View &view, const QPageLayout &layout,
                         const QStringList &caption)
{
    int fitting = 0;
    int tooLarge = qCeil(layout.paintRect(QPageLayout::Millimeter).width() * 10) + 1;
    while (tooLarge - fitting > 1) {
        const int middle = (fitting + tooLarge) / 2;
        const bool fits = pictureRenderer().fitsOnPage(view, layout, {middle / 10.0, caption});
        (fits ? fitting : tooLarge) = middle;
    }
    return fitting / 10.0;
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
    if (!content.function)
        return QStringLiteral("axes.png");
    if (const std::optional<int> number = content.function->number())
        return QStringLiteral("function-%1.png").arg(*number);
    return QStringLiteral("graph.png");
}

QString viewInWords(const graphing::View &view)
{
    const auto number = [](double value) { return QString::number(value, 'g', 10); };
    if (view.left == view.bottom && view.right == view.top)
        return PictureFile::tr("x and y from %1 to %2").arg(number(view.left), number(view.right));
    return PictureFile::tr("x from %1 to %2, y from %3 to %4")
        .arg(number(view.left), number(view.right), number(view.bottom), number(view.top));
}

QStringList pictureCaption(const graphing::PictureContent &content)
{
    QStringList caption;
    if (content.function)
        caption << QString::fromStdString(content.function->formula());
    return caption << viewInWords(content.view);
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
    // 96 dpi at `ratio` device pixels a pixel: a viewer shows the picture at the window's size.
    image.setDotsPerMeterX(qRound(96 / 0.0254 * ratio));
    image.setDotsPerMeterY(qRound(96 / 0.0254 * ratio));
    QByteArray png;
    QBuffer buffer(&png);
    // The format named, so that no image-format plugin is looked for; quality 80 is zlib's fastest
    // level, 1, enough for the long runs of one colour.
    QImageWriter writer(&buffer, QByteArrayLiteral("png"));
    writer.setQuality(80);
    return writer.write(image) ? png : QByteArray();
}

std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio)
{
    if (format == PictureFormat::Wav && !content.function)
        return PictureFile::tr("The axes alone have no curve to be heard; graph a function first.");
    return PictureFiles::write(path, encodePicture(content, format, ratio));
}

std::optional<QString> whyNotOnPage(const graphing::PictureContent &content,
                                    const QPageLayout &layout, const plot::PageOptions &options)
{
    if (pictureRenderer().fitsOnPage(content.view, layout, options))
        return std::nullopt;
    const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size();
    const QSizeF needed = pictureRenderer().roomNeeded(content.view, options);
    // Whole millimetres: the room needed rounded up, the room there is down.
    const QString room[] = {QString::number(qCeil(needed.width())),
                            QString::number(qCeil(needed.height())),
                            QString::number(qFloor(area.width() + 0.01)),
                            QString::number(qFloor(area.height() + 0.01))};
    if (!options.unitLength)
        return PictureFile::tr(
                   "The picture and its caption need at least %1 x %2 mm and do not fit on the "
                   "page, whose printable area is %3 x %4 mm: choose a larger page or smaller "
                   "margins.")
            .arg(room[0], room[1], room[2], room[3]);
    return PictureFile::tr(
               "At %1 mm to the unit the picture and its caption need %2 x %3 mm and do not fit "
               "on the page, whose printable area is %4 x %5 mm: choose a larger page, or at "
               "most %6 mm to the unit for this one.")
        .arg(*options.unitLength)
        .arg(room[0], room[1], room[2], room[3])
        .arg(largestUnitLength(content.view, layout, options.caption));
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
    return PictureFiles::write(path, pagePdf(content, layout, resolution, options));
}

QString fileIdentity(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return QStringLiteral("%1:%2").arg(status.st_dev).arg(status.st_ino);
    const QFileInfo target = followedLinks(QFileInfo(path));
    const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? target.absolutePath() : folder) + QLatin1Char('/')
           + target.fileName();
}

PictureFiles::~PictureFiles()
{
    for (const Waiting &file : m_waiting)
        QFile::remove(file.temporary);
}

std::optional<QString> PictureFiles::write(const QString &path, const QByteArray &data)
{
    PictureFiles files;
    std::optional<WriteFailure> failure = files.add(path, data);
    if (!failure)
        failure = files.commit();
    return failure ? std::optional(failure->reason) : std::nullopt;
}

std::optional<WriteFailure> PictureFiles::add(const QString &path, const QByteArray &data)
{
    const auto failure = [&path](const QString &reason) { return WriteFailure{path, reason}; };
    if (data.isEmpty())
        return failure(PictureFile::tr("The picture could not be drawn."));
    // Unbuffered, so that a failed write reports its own error at once.
    const QFileInfo given(path);
    if (writesInPlace(given)) {
        QFile device(path);
        // A file open on the standard output (a log it is appended to) keeps what it holds.
        const QIODevice::OpenMode append = given.isFile() ? QIODevice::Append : QIODevice::NotOpen;
        if (device.open(QIODevice::WriteOnly | QIODevice::Unbuffered | append)
            && writeAll(device, data))
            return std::nullopt;
        return failure(device.errorString() + QLatin1Char('.'));
    }
    // The new file is made beside the file it replaces, where a link leads, so that renaming it
    // there replaces the file and keeps the link.
    const QFileInfo target = followedLinks(given);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        return failure(whyNotMade(given, QString()));
    QFile file(QStringLiteral("%1/.%2.%3")
                   .arg(target.absolutePath(), target.fileName())
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return failure(whyNotMade(given, file.errorString()));
    // A replaced file's permissions stay; a new one has the usual ones, less the umask.
    if ((target.exists() && !file.setPermissions(target.permissions())) || !writeAll(file, data)) {
        const QString reason = file.errorString() + QLatin1Char('.');
        file.remove();
        return failure(reason);
    }
    m_waiting.push_back({path, file.fileName(), target.absoluteFilePath()});
    return std::nullopt;
}

// The one place the program leaves Qt for POSIX calls: QSaveFile waits for the disk once a file,
// and QFile::rename replaces no file. errno is read at once after the call that failed.
std::optional<WriteFailure> PictureFiles::commit()
{
    const std::vector<Waiting> waiting = std::exchange(m_waiting, {});
    std::optional<WriteFailure> failure;
    std::size_t atFault = waiting.size();
    const auto fail = [&](std::size_t index) {
        if (index < atFault)
            failure = WriteFailure{waiting[index].path, qt_error_string(errno) + QLatin1Char('.')};
        atFault = std::min(atFault, index);
    };
    // The new files' folders, open; the first file in each; the file systems synchronised.
    QStringList folders;
    std::vector<std::pair<int, std::size_t>> descriptors;
    std::vector<dev_t> synchronised;
    // The data reach the disk before any name changes, one wait for each file system, so that a
    // crash leaves the old file or the new one, never a part.
    for (std::size_t index = 0; index < waiting.size() && !failure; ++index) {
        const QString folder = QFileInfo(waiting[index].target).absolutePath();
        if (folders.contains(folder))
            continue;
        const int descriptor =
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) {
            fail(index);
            break;
        }
        folders << folder;
        descriptors.emplace_back(descriptor, index);
        struct stat status {};
        if (::fstat(descriptor, &status) != 0
            || (std::find(synchronised.cbegin(), synchronised.cend(), status.st_dev)
                    == synchronised.cend()
                && ::syncfs(descriptor) != 0))
            fail(index);
        synchronised.push_back(status.st_dev);
    }
    std::size_t placed = 0;
    for (; placed < atFault; ++placed) {
        if (::rename(QFile::encodeName(waiting[placed].temporary).constData(),
                     QFile::encodeName(waiting[placed].target).constData())
            != 0) {
            fail(placed);
            break;
        }
    }
    // Each folder synchronised once, so that the new names last.
    for (const auto &[descriptor, first] : descriptors) {
        if (first < placed && ::fsync(descriptor) != 0)
            fail(first);
        ::close(descriptor);
    }
    // What was not put in place goes, and the files it would have replaced stay as they were.
    for (std::size_t index = placed; index < waiting.size(); ++index)
        QFile::remove(waiting[index].temporary);
    return failure;
}

} // namespace app
