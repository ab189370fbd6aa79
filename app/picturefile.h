#pragma once

#include "picturecontent.h"
#include "picturerenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace app {

// The picture files the program writes, and their names.

// A WAV file holds the curve's sound (graphing::curveSound), the picture for the ear.
enum class PictureFormat { Png, Svg, Pdf, Wav };

// The format a file name's extension names (.png, .svg, .pdf, .wav, any case); nothing for others.
std::optional<PictureFormat> pictureFormatOf(const QString &path);
// The extension of `format`, without the dot: "png", "svg", "pdf" or "wav".
QString extensionOf(PictureFormat format);
// The filters "Save As..." offers, one for each format in the order of PictureFormat.
QStringList saveFilters();
// "function-3.png" for the graph of function 3, "graph.png" for a typed one, "axes.png" before
// any graph.
QString proposedFileName(const graphing::PictureContent &content);

// The view in words: "x and y from -10 to 10", "x from 0 to 5, y from -1 to 1".
QString viewInWords(const graphing::View &view);

// What the picture shows, in words: the graphed function's formula, if any, and the view, one a
// line ("y = 5 sin(x)/x", "x and y from -10 to 10"). A page prints it under the picture.
QStringList pictureCaption(const graphing::PictureContent &content);

// The resolution of a printed page, in dots per inch: a printer's high resolution.
inline constexpr int printResolution = 1200;

// A page of `size` as the program prints one: upright, with margins of 15 mm.
QPageLayout printedPage(const QPageSize &size);

// The renderer for the window's picture: its designed geometry and colours (from designdata.h).
const plot::PictureRenderer &pictureRenderer();

// The picture as the bytes of a file in `format`; `ratio` is the PNG's device pixel ratio. Empty
// when it could not be drawn. Safe to call on several threads at once.
QByteArray encodePicture(const graphing::PictureContent &content, PictureFormat format,
                         qreal ratio);

// Writes the picture to `path` in `format` (see writePictureFile); `ratio` is the PNG's device
// pixel ratio. Nothing on success, else one sentence for the user saying why it failed.
std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio);

// The largest length of a unit in millimetres, to a tenth, at which the picture and `caption` fit
// the printable area of `layout`; 0 when none does.
double largestUnitLength(const graphing::View &view, const QPageLayout &layout,
                         const QStringList &caption);

// Why the picture and its caption do not fit the printable area of `layout` at the size `options`
// ask, with the largest size that fits, in one sentence for the user; nothing when they fit.
std::optional<QString> whyNotOnPage(const graphing::PictureContent &content,
                                    const QPageLayout &layout, const plot::PageOptions &options);

// The printed page of `layout` showing the picture as `options` ask (caption and size), as a PDF
// at the printer's `resolution`; empty when it could not be drawn or does not fit.
QByteArray pagePdf(const graphing::PictureContent &content, const QPageLayout &layout,
                   int resolution, const plot::PageOptions &options);

// Writes pagePdf() to `path` as writePictureFile does; a page that does not fit (whyNotOnPage) is
// not drawn. Nothing on success, else one sentence for the user saying why it failed.
std::optional<QString> savePage(const graphing::PictureContent &content, const QString &path,
                                const QPageLayout &layout, int resolution,
                                const plot::PageOptions &options);

// Writes `data` to `path`; empty data is a picture that could not be drawn, and nothing is
// written. A file is replaced only by a complete new one, and nothing is left behind on failure. A
// device or pipe, or an open file named through /dev/fd, /proc/self/fd or /dev/stdout (or a link to
// one), is written in place, after what it already holds. Nothing on success, else one sentence for
// the user saying why it failed.
std::optional<QString> writePictureFile(const QString &path, const QByteArray &data);

// The same for two names of one file, different for two files: the device and inode of an existing
// file (reached through links or another hard link), else the canonical folder and the name of a
// new one (reached through links to the folder or to the name).
QString fileIdentity(const QString &path);

// A file that could not be written, and one sentence for the user saying why.
struct WriteFailure {
    QString path;
    QString reason;
};

// Writes the files of a run as writePictureFile writes one, waiting for the disk once for all of
// them instead of once a file: each new file is written beside the one it replaces, and commit()
// puts them in place, in the order added. When one fails, those before it are in place, complete,
// and those after it are not begun or are removed. The temporary files of a batch that is not
// committed are removed when it goes.
class PictureFiles {
public:
    PictureFiles();
    PictureFiles(const PictureFiles &) = delete;
    PictureFiles &operator=(const PictureFiles &) = delete;
    ~PictureFiles();

    // Writes `data` for `path`: a device or pipe at once, in place; a file into a new file beside
    // it (commit() puts those in place first when too many are open).
    std::optional<WriteFailure> add(const QString &path, const QByteArray &data);
    // Puts every file added in place; the first that fails ends it.
    std::optional<WriteFailure> commit();

    struct Waiting;

private:
    std::vector<std::unique_ptr<Waiting>> m_waiting;
};

} // namespace app
