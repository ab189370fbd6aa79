#pragma once

#include "picturecontent.h"
#include "picturerenderer.h"

#include <QString>

#include <optional>

namespace app {

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name's extension names (.png, .svg, .pdf, any case); nothing for others.
std::optional<PictureFormat> pictureFormatOf(const QString &path);

// The renderer for the window's picture: its designed geometry and colours (from designdata.h).
const plot::PictureRenderer &pictureRenderer();

// Writes the picture to `path` in `format` atomically (QSaveFile): an existing file is replaced
// only by a complete new one, and nothing is left behind on failure. `ratio` is the PNG's device
// pixel ratio. Returns nothing on success, else one sentence for the user saying in words why it
// failed.
std::optional<QString> savePicture(const graphing::PictureContent &content, const QString &path,
                                   PictureFormat format, qreal ratio);

} // namespace app
