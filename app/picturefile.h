#pragma once

#include "picturecontent.h"
#include "picturerenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace app {

// The files the program writes: pictures, and the curve's sound (graphing::curveSound) as a WAV.
enum class PictureFormat { Png, Svg, Pdf, Wav };

// The format a file name's extension names (.png, .svg, .pdf, .wav, any case); nothing for others.
std::optional<PictureFormat> pictureFormatOf(const QString &path);
// "png", "svg", "pdf" or "wav".
QString extensionOf(PictureFormat format);
// The filters "Save As..." offers, one for each format in the order of PictureFormat.
QStringList saveFilters();
// "function-3.png" for the graph of function 3, "graph.png" for a typed one, "axes.png" for none.
QString proposedFileName(const graphing::PictureContent &content);
// The view in words: "x and y from -10 to 10", "x from 0 to 5, y from -1 to 1".
QString viewInWords(const graphing::View &view);
// The graphed function's formula, if any, and the view in words: the caption under a page's
// picture.
QStringList pictureCaption(const graphing::PictureContent &content);

// A printer's high resolution, in dots per inch, for a printed page.
inline constexpr int printResolution = 1200;
// A page of `size` as the program prints one: upright, with margins of 15 mm.
QPageLayout printedPage(const QPageSize &size);
// The renderer for the window's picture: its designed geometry and colours (from designdata.h).
const plot::PictureRenderer &pictureRenderer();

// The picture as the bytes of a file in `format`, `ratio` being a PNG's device pixel ratio; empty
// when it could not be drawn. Safe to call on several threads at once.
QByteArray encodePicture(const graphing::PictureContent &content, PictureFormat format,
                         qreal ratio);
// Why the picture and its caption do not fit the printable area of `layout` at the size `options`
// ask, with the largest size that fits, in one sentence for the user; nothing when they fit.
std::optional<QString> whyNotOnPage(const graphing::PictureContent &content,
                                    const QPageLayout &layout, const plot::PageOptions &options);
// The printed page of `layout` with the picture as `options` ask, as a PDF at `resolution`; empty
// when it could not be drawn or does not fit.
QByteArray pagePdf(const graphing::PictureContent &content, const QPageLayout &layout,
                   int resolution, const plot::PageOptions &options);

// encodePicture() and pagePdf() written by PictureFiles::write.
std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio);
std::optional<QString> savePage(const graphing::PictureContent &content, const QString &path,
                                const QPageLayout &layout, int resolution,
                                const plot::PageOptions &options);

// The same for two names of one file, different for two files: the device and inode of an existing
// file, else the canonical folder and the name of a new one.
QString fileIdentity(const QString &path);

// A file that could not be written, and one sentence for the user saying why.
struct WriteFailure {
    QString path;
    QString reason;
};

// The files of a run. Each new file is written beside the one it replaces; commit() puts them in
// place, in order, after one wait for the disk. When one fails, those before it are in place,
// complete, and the others untouched. A device or pipe, or an open file named through /dev/fd,
// /proc/self/fd or /dev/stdout (or a link to one), is written at once, in place, after what it
// holds. Empty data is a picture that could not be drawn, and writes nothing.
class PictureFiles {
public:
    PictureFiles() = default;
    PictureFiles(const PictureFiles &) = delete;
    PictureFiles &operator=(const PictureFiles &) = delete;
    ~PictureFiles();

    // One file written and put in place; nothing on success, else why it failed.
    static std::optional<QString> write(const QString &path, const QByteArray &data);
    std::optional<WriteFailure> add(const QString &path, const QByteArray &data);
    std::optional<WriteFailure> commit();

private:
    struct Waiting {
        QString path; // as the user named it
        QString temporary;
        QString target;
    };
    std::vector<Waiting> m_waiting;
};

} // namespace app
