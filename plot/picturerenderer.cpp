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
                                  const QRectF &target) const
{
    VectorPlotSurface surface(painter, target, QSizeF(m_geometry.size()), m_background,
                              m_foreground);
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

bool PictureRenderer::paintPage(const graphing::PictureContent &content,
                                QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the printable area's top-left corner.
    const QSizeF area = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    QRectF placed(QPointF(0, 0), QSizeF(m_geometry.size()).scaled(area, Qt::KeepAspectRatio));
    placed.moveCenter(QRectF(QPointF(0, 0), area).center());
    // A square cap at a slanted cut may reach a fraction of a pixel past the picture.
    painter.setClipRect(placed);
    const bool drawn = drawVectors(content, painter, placed);
    return painter.end() && drawn;
}

} // namespace plot
