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

// Where `file` leads: the file itself, or what its links lead to, a name that need not exist yet.
// At most 40 links are followed, as the system follows them.
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

} // namespace

// A new file, written and open, waiting to be put in place of `target`.
struct PictureFiles::Waiting {
    QString path; // as the user named it
    QString target;
    QFile file;
};

namespace {

// What putInPlace did: how many files it put in place and, when it failed, the first file at
// fault and why.
struct Placing {
    std::size_t placed = 0;
    std::optional<std::size_t> atFault;
    QString reason;
};

// Puts the new files of `waiting` in place of their targets, in order, durably. This is the one
// place the program leaves Qt for POSIX calls, for what Qt does not offer: QSaveFile waits for the
// disk on its own for every file, and QFile::rename does not replace an existing file.
// First every file's writing to the disk is started without waiting (sync_file_range), so that the
// disk writes them all in one pass; then each is waited for (fdatasync), the first wait taking
// about as long as one file's and the later ones finding their data already written. Only then
// is each renamed over its target, so that a crash leaves the old file or the new one, never a
// part; and each folder is synchronised once, so that the new names last. errno is read at once
// after the call that failed.
Placing putInPlace(const std::vector<std::unique_ptr<PictureFiles::Waiting>> &waiting)
{
    Placing result;
    const auto fail = [&result](std::size_t index, int error) {
        if (!result.atFault || index < *result.atFault) {
            result.atFault = index;
            result.reason = qt_error_string(error) + QLatin1Char('.');
        }
    };
    // One wait for the disk: each file system that holds new files is synchronised once.
    std::vector<dev_t> synchronised;
    std::size_t written = 0;
    for (; written < waiting.size(); ++written) {
        const int handle = waiting[written]->file.handle();
        struct stat status {};
        if (::fstat(handle, &status) != 0) {
            fail(written, errno);
            break;
        }
        if (std::find(synchronised.cbegin(), synchronised.cend(), status.st_dev)
            != synchronised.cend())
            continue;
        if (::syncfs(handle) != 0) {
            fail(written, errno);
            break;
        }
        synchronised.push_back(status.st_dev);
    }
    for (; result.placed < written; ++result.placed) {
        const PictureFiles::Waiting &file = *waiting[result.placed];
        const QByteArray from = QFile::encodeName(file.file.fileName());
        const QByteArray to = QFile::encodeName(file.target);
        if (::rename(from.constData(), to.constData()) != 0) {
            fail(result.placed, errno);
            break;
        }
    }
    QStringList folders;
    for (std::size_t index = 0; index < result.placed; ++index) {
        const QString folder = QFileInfo(waiting[index]->target).absolutePath();
        if (folders.contains(folder))
            continue;
        folders << folder;
        const QByteArray name = QFile::encodeName(folder);
        const int descriptor = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool synchronised = descriptor >= 0 && ::fsync(descriptor) == 0;
        const int error = errno;
        if (descriptor >= 0)
            ::close(descriptor);
        if (!synchronised)
            fail(index, error);
    }
    return result;
}

// As many files as a batch keeps open before it puts them in place, well within the 1024 a
// process may usually hold open.
constexpr std::size_t mostWaiting = 256;

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
    if (format == PictureFormat::Wav && !content.function)
        return PictureFile::tr("The axes alone have no curve to be heard; graph a function first.");
    return writePictureFile(path, encodePicture(content, format, ratio));
}

double largestUnitLength(const graphing::View &view, const QPageLayout &layout,
                         const QStringList &caption)
{
    // In tenths of a millimetre: the picture grows with the unit, so the largest that fits is
    // found by halving the range between one that fits and one that does not.
    const auto fits = [&](int tenths) {
        return pictureRenderer().fitsOnPage(view, layout, {tenths / 10.0, caption});
    };
    int fitting = 0;
    int tooLarge = qCeil(layout.paintRect(QPageLayout::Millimeter).width() * 10) + 1;
    while (tooLarge - fitting > 1) {
        const int middle = (fitting + tooLarge) / 2;
        (fits(middle) ? fitting : tooLarge) = middle;
    }
    return fitting / 10.0;
}

std::optional<QString> whyNotOnPage(const graphing::PictureContent &content,
                                    const QPageLayout &layout, const plot::PageOptions &options)
{
    if (pictureRenderer().fitsOnPage(content.view, layout, options))
        return std::nullopt;
    const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size();
    const QSizeF needed = pictureRenderer().roomNeeded(content.view, options);
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
               "on the page, whose printable area is %4 x %5 mm: choose a larger page, or at "
               "most %6 mm to the unit for this one.")
        .arg(*options.unitLength)
        .arg(neededWidth)
        .arg(neededHeight)
        .arg(width)
        .arg(height)
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
    return writePictureFile(path, pagePdf(content, layout, resolution, options));
}

std::optional<QString> writePictureFile(const QString &path, const QByteArray &data)
{
    PictureFiles files;
    std::optional<WriteFailure> failure = files.add(path, data);
    if (!failure)
        failure = files.commit();
    return failure ? std::optional(failure->reason) : std::nullopt;
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

PictureFiles::PictureFiles() = default;

PictureFiles::~PictureFiles()
{
    for (const auto &waiting : m_waiting)
        waiting->file.remove();
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
    if (m_waiting.size() == mostWaiting) {
        if (std::optional<WriteFailure> earlier = commit())
            return earlier;
    }
    // The new file is made in the folder of the file it replaces, where a link leads, so that
    // renaming it there replaces the file and keeps the link.
    const QFileInfo target = followedLinks(given);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        return failure(whyNotMade(given, QString()));
    auto waiting = std::make_unique<Waiting>();
    waiting->path = path;
    waiting->target = target.absoluteFilePath();
    waiting->file.setFileName(
        QStringLiteral("%1/.%2.%3")
            .arg(target.absolutePath(), target.fileName())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    QFile &file = waiting->file;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return failure(whyNotMade(given, file.errorString()));
    // A replaced file's permissions stay; a new one has the usual ones, less the umask.
    if ((target.exists() && !file.setPermissions(target.permissions())) || !writeAll(file, data)) {
        const QString reason = file.errorString() + QLatin1Char('.');
        file.remove();
        return failure(reason);
    }
    m_waiting.push_back(std::move(waiting));
    return std::nullopt;
}

std::optional<WriteFailure> PictureFiles::commit()
{
    const Placing placing = putInPlace(m_waiting);
    std::optional<WriteFailure> failure;
    if (placing.atFault)
        failure = WriteFailure{m_waiting[*placing.atFault]->path, placing.reason};
    // What was not put in place goes, and the files it would have replaced stay as they were.
    for (std::size_t index = placing.placed; index < m_waiting.size(); ++index)
        m_waiting[index]->file.remove();
    m_waiting.clear();
    return failure;
}

} // namespace app
