#include "picturefilename.h"

#include <QCoreApplication>

namespace app {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PictureFileName", text);
}

} // namespace

QString proposedFileName(const graphing::PictureContent &content)
{
    if (!content.graphedFunction)
        return QStringLiteral("axes.png");
    return QStringLiteral("function-%1.png").arg(*content.graphedFunction);
}

QString extensionOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png: return QStringLiteral("png");
    case PictureFormat::Svg: return QStringLiteral("svg");
    case PictureFormat::Pdf: return QStringLiteral("pdf");
    }
    return {};
}

QStringList saveFilters()
{
    return {tr("PNG image (*.png)"), tr("SVG drawing (*.svg)"), tr("PDF document (*.pdf)")};
}

} // namespace app
