#include "picturerenderer.h"

#include "rasterplotsurface.h"
#include "vectorplotsurface.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace plot {

namespace {

// The writers state a document's size in their own units: the SVG generator in millimetres to six
// digits, the PDF writer in whole points. These resolutions make both exact for the picture's
// pixels: 127 dpi is 0.2 mm a pixel, 72 dpi one point a pixel.
constexpr int svgDpi = 127;
constexpr int pdfDpi = 72;
// The caption's size, and the room between it and the picture.
constexpr double captionPoints = 11;
constexpr double captionGapMillimetres = 5;
constexpr double millimetresPerInch = 25.4;

QFont captionFont()
{
    QFont font = pictureFont();
    font.setPointSizeF(captionPoints);
    return font;
}

// The room the caption takes on a page, in millimetres: its lines and the gap above them. A line
// takes 1.4 times the point size, more than the face's own line spacing (1.2).
double captionHeight(const QStringList &caption)
{
    if (caption.isEmpty())
        return 0;
    constexpr double pointsPerInch = 72;
    return captionGapMillimetres
           + 1.4 * captionPoints * double(caption.size()) * millimetresPerInch / pointsPerInch;
}

graphing::PictureContent onPaper(graphing::PictureContent content)
{
    if (content.style.background == graphing::Background::Transparent)
        content.style.background = graphing::Background::White;
    return content;
}

} // namespace

PictureRenderer::PictureRenderer(QRect geometryInWindow, QColor background, QColor foreground)
    : m_geometry(geometryInWindow), m_background(background), m_foreground(foreground)
{}

QImage PictureRenderer::image(const graphing::PictureContent &content, qreal ratio) const
{
    RasterImage rendering =
        renderImage(content, PixelGrid::forWidget(m_geometry.topLeft(), m_geometry.size(), ratio),
                    m_background, m_foreground);
    if (rendering.failure)
        return {};
    rendering.image.setDevicePixelRatio(ratio);
    return rendering.image;
}

bool PictureRenderer::drawVectors(const graphing::PictureContent &content, QPainter &painter,
                                  const QRectF &target, bool grey) const
{
    VectorPlotSurface surface(painter, target, QSizeF(m_geometry.size()),
                              backgroundColour(content.style.background, m_background),
                              m_foreground, grey);
    try {
        graphing::drawPicture(surface, content);
    } catch (const graphing::DrawingFailed &) {
        return false;
    }
    return surface.finish();
}

QByteArray PictureRenderer::svg(const graphing::PictureContent &content) const
{
    QByteArray document;
    QBuffer buffer(&document);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(m_geometry.size());
    generator.setViewBox(QRect(QPoint(0, 0), m_geometry.size()));
    generator.setResolution(svgDpi);
    generator.setTitle(QStringLiteral("Graph"));
    QPainter painter;
    if (!painter.begin(&generator))
        return {};
    const bool drawn = drawVectors(content, painter, QRectF(QPointF(0, 0), m_geometry.size()));
    return painter.end() && drawn ? document : QByteArray();
}

QByteArray PictureRenderer::pdf(const graphing::PictureContent &content) const
{
    QByteArray document;
    QBuffer buffer(&document);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QPdfWriter writer(&buffer);
    writer.setResolution(pdfDpi);
    writer.setCreator(QStringLiteral("function-graph"));
    writer.setTitle(QStringLiteral("Graph"));
    writer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(m_geometry.size()), QPageSize::Point, {}, QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return paintPage(content, writer) ? document : QByteArray();
}

QSizeF PictureRenderer::sizeAtUnitLength(const graphing::View &view, double unitLength) const
{
    // The scale spans the picture but for one pen square: 20 units over 440 of 441 pixels.
    const QSizeF pixels(m_geometry.size());
    return {unitLength * (view.right - view.left) * pixels.width() / (pixels.width() - 1),
            unitLength * (view.top - view.bottom) * pixels.height() / (pixels.height() - 1)};
}

QSizeF PictureRenderer::roomNeeded(const graphing::View &view, const PageOptions &options) const
{
    QSizeF picture = sizeAtUnitLength(view, options.unitLength.value_or(shortestUnitLength));
    // As large as the page allows keeps the picture's proportions: as wide as at the shortest
    // unit, as high as those proportions make it.
    if (!options.unitLength)
        picture.setHeight(picture.width() * m_geometry.height() / m_geometry.width());
    return {picture.width(), picture.height() + captionHeight(options.caption)};
}

bool PictureRenderer::fitsOnPage(const graphing::View &view, const QPageLayout &layout,
                                 const PageOptions &options) const
{
    const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size();
    const QSizeF needed = roomNeeded(view, options);
    return needed.width() <= area.width() && needed.height() <= area.height();
}

bool PictureRenderer::paintPage(const graphing::PictureContent &content, QPagedPaintDevice &device,
                                const PageOptions &options) const
{
    return paintPage(content, device, device.pageLayout(), options);
}

bool PictureRenderer::paintPage(const graphing::PictureContent &content, QPaintDevice &device,
                                const QPageLayout &layout, const PageOptions &options) const
{
    if (!fitsOnPage(content.view, layout, options))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the printable area's top-left corner; its unit is a device pixel
    // down, and across as wide as that: square, so that a line, a mark or a letter has the same
    // width in every direction, and paper millimetres are the same number of units either way.
    const double pixelsPerMillimetre = device.logicalDpiY() / millimetresPerInch;
    painter.scale(double(device.logicalDpiX()) / device.logicalDpiY(), 1);
    const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size() * pixelsPerMillimetre;
    const double caption = captionHeight(options.caption) * pixelsPerMillimetre;
    const QSizeF picture =
        options.unitLength
            ? sizeAtUnitLength(content.view, *options.unitLength) * pixelsPerMillimetre
            : QSizeF(m_geometry.size())
                  .scaled(QSizeF(area.width(), area.height() - caption), Qt::KeepAspectRatio);
    QRectF placed(QPointF((area.width() - picture.width()) / 2,
                          (area.height() - picture.height() - caption) / 2),
                  picture);
    // A square cap at a slanted cut may reach a fraction of a pixel past the picture.
    painter.setClipRect(placed);
    const bool drawn = drawVectors(onPaper(content), painter, placed, options.grey);
    painter.setClipping(false);
    if (!options.caption.isEmpty()) {
        painter.setFont(captionFont());
        painter.setPen(Qt::black);
        const QRectF below(0, placed.bottom() + captionGapMillimetres * pixelsPerMillimetre,
                           area.width(), area.height());
        painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop,
                         options.caption.join(QLatin1Char('\n')));
    }
    return painter.end() && drawn;
}

} // namespace plot
