#include "rasterplotsurface.h"

#include <QRect>

#include <cmath>

namespace plot {

namespace {

// Round half up, the same for every coordinate of points and lines. Only called on values already
// brought within a few pixels of the image, so the conversion cannot overflow.
QPoint toPixel(QPointF device)
{
    return {static_cast<int>(std::floor(device.x() + 0.5)),
            static_cast<int>(std::floor(device.y() + 0.5))};
}

} // namespace

RasterPlotSurface::RasterPlotSurface(QImage &image, int penWidth, QColor background,
                                     QColor foreground)
    : MappedSurface(
        Mapping(QRectF(QPointF(0, 0), QSizeF(image.size())), QSizeF(penWidth, penWidth)),
        foreground),
      m_penWidth(penWidth), m_image(image), m_background(background)
{
    const double margin = penWidth + 1;
    m_clipBounds = mapping().area().adjusted(-margin, -margin, margin, margin);
    // One pixel wide whatever the painter's scale; a wider pen is drawn as a square of these.
    m_pen.setCosmetic(true);
    m_pen.setWidth(1);
    m_pen.setCapStyle(Qt::SquareCap);
    if (!m_image.isNull() && m_painter.begin(&m_image)) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.fillRect(m_image.rect(), m_background);
    }
}

bool RasterPlotSurface::clear()
{
    if (!m_painter.isActive())
        return false;
    m_painter.fillRect(m_image.rect(), m_background);
    return true;
}

bool RasterPlotSurface::drawDot(QPointF at, const QColor &colour)
{
    if (!m_painter.isActive())
        return false;
    if (m_clipBounds.contains(at))
        m_painter.fillRect(QRect(toPixel(at), QSize(m_penWidth, m_penWidth)), colour);
    return true;
}

bool RasterPlotSurface::drawSegment(QPointF from, QPointF to, const QColor &colour)
{
    if (!m_painter.isActive())
        return false;
    if (!clipSegment(from, to, m_clipBounds))
        return true;
    const QPoint start = toPixel(from);
    const QPoint end = toPixel(to);
    m_pen.setColor(colour);
    m_painter.setPen(m_pen);
    // A wide pen is the one-pixel line repeated across a pen-sized square: sharp edges, and the
    // same pixels a one-pixel line has, only bigger.
    for (int dy = 0; dy < m_penWidth; ++dy) {
        for (int dx = 0; dx < m_penWidth; ++dx) {
            const QPoint offset(dx, dy);
            // A line without length is its one pixel.
            if (start == end)
                m_painter.drawPoint(start + offset);
            else
                m_painter.drawLine(start + offset, end + offset);
        }
    }
    return true;
}

RasterImage renderImage(const graphing::PictureContent &content, const PixelGrid &grid,
                        QColor background, QColor foreground)
{
    RasterImage rendering{QImage(grid.size, QImage::Format_RGB32), std::nullopt};
    {
        RasterPlotSurface surface(rendering.image, grid.penWidth, background, foreground);
        try {
            graphing::drawPicture(surface, content);
        } catch (const graphing::DrawingFailed &failed) {
            rendering.failure = failed.operation();
        }
    }
    return rendering;
}

} // namespace plot
