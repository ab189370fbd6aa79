#pragma once

#include "picturecontent.h"
#include "picturerenderer.h"

#include <QString>
#include <QStringList>

#include <optional>

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
// "function-3.png" for the graph of function 3, "axes.png" before any graph.
QString proposedFileName(const graphing::PictureContent &content);

// The renderer for the window's picture: its designed geometry and colours (from designdata.h).
const plot::PictureRenderer &pictureRenderer();

// Writes the picture to `path` in `format` (see writePictureFile); `ratio` is the PNG's device
// pixel ratio. Nothing on success, else one sentence for the user saying why it failed.
std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio);

// Writes `data` to `path`. A file is replaced only by a complete new one, and nothing is left
// behind on failure. A device or pipe, or an open file named through /dev/fd, /proc/self/fd or
// /dev/stdout (or a link to one), is written in place, after what it already holds. Nothing on
// success, else one sentence for the user saying why it failed.
std::optional<QString> writePictureFile(const QString &path, const QByteArray &data);

} // namespace app
