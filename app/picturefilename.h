#pragma once

#include "picturecontent.h"
#include "picturefile.h"

#include <QString>
#include <QStringList>

namespace app {

// Names for "Save As...": what the dialog proposes and the filters it offers.

// "function-3.png" for the graph of function 3, "axes.png" before any graph.
QString proposedFileName(const graphing::PictureContent &content);

// The extension of `format`, without the dot: "png", "svg" or "pdf".
QString extensionOf(PictureFormat format);

// The dialog's filters, one for each format in the order of PictureFormat.
QStringList saveFilters();

} // namespace app
