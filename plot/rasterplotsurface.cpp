#include "rasterplotsurface.h"

#include "qtvalues.h"
#include "segmentclipping.h"

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

RasterPlotSurface::RasterPlotSurface(const PixelGrid &grid, QColor background, QColor foreground)
    : m_background(background), m_foreground(foreground)
{
    // One pixel wide whatever the painter's scale; a wider pen is drawn as a square of these.
    m_pen.setCosmetic(true);
    m_pen.setWidth(1);
    m_pen.setCapStyle(Qt::SquareCap);
    reset(grid);
}

void RasterPlotSurface::reset(const PixelGrid &grid)
{
    end();
    m_grid = grid;
    m_image = QImage(grid.size, QImage::Format_RGB32);
    if (!m_image.isNull())
        m_image.fill(m_background);
    const double margin = grid.penWidth + 1;
    m_clipBounds = QRectF(QPointF(-margin, -margin),
                          QPointF(grid.size.width() + margin, grid.size.height() + margin));
    m_left = 0;
    m_top = 0;
    m_columnsPerUnit = 1;
    m_rowsPerUnit = 1;
    m_current = {};
}

bool RasterPlotSurface::begin()
{
    if (m_painter.isActive())
        return true;
    if (m_image.isNull() || !m_painter.begin(&m_image))
        return false;
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    return true;
}

void RasterPlotSurface::end()
{
    if (m_painter.isActive())
        m_painter.end();
}

QPointF RasterPlotSurface::toDevice(graphing::UserPoint user) const
{
    return {(double(user.x) - m_left) * m_columnsPerUnit, (double(user.y) - m_top) * m_rowsPerUnit};
}

QPointF RasterPlotSurface::toUser(QPointF device) const
{
    return {m_left + device.x() / m_columnsPerUnit, m_top + device.y() / m_rowsPerUnit};
}

bool RasterPlotSurface::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    if (!isFinite(topLeft) || !isFinite(bottomRight) || topLeft.x == bottomRight.x
        || topLeft.y == bottomRight.y)
        return false;
    // The pen's top-left pixel travels over the image less the pen's own width.
    m_left = topLeft.x;
    m_top = topLeft.y;
    m_columnsPerUnit = (m_grid.size.width() - m_grid.penWidth) / (double(bottomRight.x) - m_left);
    m_rowsPerUnit = (m_grid.size.height() - m_grid.penWidth) / (double(bottomRight.y) - m_top);
    return true;
}

bool RasterPlotSurface::clear()
{
    if (!m_painter.isActive())
        return false;
    m_painter.fillRect(m_image.rect(), m_background);
    return true;
}

bool RasterPlotSurface::line(graphing::UserPoint from, graphing::UserPoint to,
                             std::optional<graphing::Colour> colour)
{
    if (!isFinite(from) || !isFinite(to))
        return false;
    m_current = to;
    return drawSegment(toDevice(from), toDevice(to), colour ? toQColor(*colour) : m_foreground);
}

bool RasterPlotSurface::lineTo(graphing::UserPoint to, graphing::Colour colour)
{
    if (!isFinite(to))
        return false;
    const QPointF from = toDevice(m_current);
    m_current = to;
    return drawSegment(from, toDevice(to), toQColor(colour));
}

bool RasterPlotSurface::point(graphing::UserPoint at, graphing::Colour colour)
{
    if (!isFinite(at) || !m_painter.isActive())
        return false;
    m_current = at;
    const QPointF device = toDevice(at);
    // A point far off the picture is not drawn, but it is still the current point.
    if (m_clipBounds.contains(device))
        m_painter.fillRect(QRect(toPixel(device), QSize(m_grid.penWidth, m_grid.penWidth)),
                           toQColor(colour));
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
    for (int dy = 0; dy < m_grid.penWidth; ++dy) {
        for (int dx = 0; dx < m_grid.penWidth; ++dx) {
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

} // namespace plot
