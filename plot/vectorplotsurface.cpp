#include "vectorplotsurface.h"

#include "qtvalues.h"
#include "segmentclipping.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plot {

namespace {

// How far past the band a computed centre may stray and still count as on it: far below anything
// visible, far above the rounding of the mapping.
constexpr double roundingAllowance = 1e-6;

} // namespace

VectorPlotSurface::VectorPlotSurface(QPainter &painter, const QRectF &target, QSizeF pictureSize,
                                     QColor background, QColor foreground)
    : m_painter(painter), m_target(target), m_background(background), m_foreground(foreground),
      m_pixelWidth(target.width() / pictureSize.width()),
      m_pixelHeight(target.height() / pictureSize.height())
{
    // One picture pixel wide in the device's own units: the document keeps the width at any zoom.
    m_pen.setWidthF(m_pixelWidth);
    m_pen.setCapStyle(Qt::SquareCap);
    // A turn of the curve stays within half a pixel of its samples.
    m_pen.setJoinStyle(Qt::RoundJoin);
    m_clipBounds =
        QRectF(target.left() + m_pixelWidth / 2, target.top() + m_pixelHeight / 2,
               target.width() - m_pixelWidth, target.height() - m_pixelHeight)
            .adjusted(-roundingAllowance, -roundingAllowance, roundingAllowance, roundingAllowance);
    if (m_painter.isActive()) {
        m_painter.setBrush(Qt::NoBrush);
        m_painter.fillRect(m_target, m_background);
    }
}

VectorPlotSurface::~VectorPlotSurface()
{
    finish();
}

bool VectorPlotSurface::finish()
{
    return flush();
}

QPointF VectorPlotSurface::toDevice(graphing::UserPoint user) const
{
    return {m_target.left() + m_pixelWidth / 2 + (double(user.x) - m_left) * m_xPerUnit,
            m_target.top() + m_pixelHeight / 2 + (double(user.y) - m_top) * m_yPerUnit};
}

bool VectorPlotSurface::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    if (!isFinite(topLeft) || !isFinite(bottomRight) || topLeft.x == bottomRight.x
        || topLeft.y == bottomRight.y)
        return false;
    // From the centre of the first pixel to the centre of the last, as the raster surface's marks.
    m_left = topLeft.x;
    m_top = topLeft.y;
    m_xPerUnit = (m_target.width() - m_pixelWidth) / (double(bottomRight.x) - m_left);
    m_yPerUnit = (m_target.height() - m_pixelHeight) / (double(bottomRight.y) - m_top);
    return true;
}

bool VectorPlotSurface::clear()
{
    if (!flush())
        return false;
    m_painter.fillRect(m_target, m_background);
    return true;
}

bool VectorPlotSurface::line(graphing::UserPoint from, graphing::UserPoint to,
                             std::optional<graphing::Colour> colour)
{
    if (!isFinite(from) || !isFinite(to) || !flush())
        return false;
    m_current = to;
    return drawSegment(toDevice(from), toDevice(to), colour ? toQColor(*colour) : m_foreground);
}

bool VectorPlotSurface::lineTo(graphing::UserPoint to, graphing::Colour colour)
{
    if (!isFinite(to) || !m_painter.isActive())
        return false;
    QPointF from = toDevice(m_current);
    QPointF end = toDevice(to);
    m_current = to;
    const QColor qColour = toQColor(colour);
    if (!clipSegment(from, end, m_clipBounds))
        return flush();
    // The polyline goes on while each segment starts where the last one ended, in its colour; a
    // segment cut at its start begins a new one.
    if (m_polyline.isEmpty() || qColour != m_polylineColour || m_polyline.constLast() != from) {
        if (!flush())
            return false;
        m_polyline << from;
        m_polylineColour = qColour;
    }
    m_polyline << end;
    return true;
}

bool VectorPlotSurface::point(graphing::UserPoint at, graphing::Colour colour)
{
    if (!isFinite(at) || !flush())
        return false;
    m_current = at;
    const QPointF centre = toDevice(at);
    // A point off the picture is not drawn, but it is still the current point.
    if (m_clipBounds.contains(centre))
        drawDot(centre, toQColor(colour));
    return true;
}

bool VectorPlotSurface::flush()
{
    if (!m_painter.isActive())
        return false;
    if (m_polyline.isEmpty())
        return true;
    const QPolygonF polyline = std::exchange(m_polyline, {});
    const bool hasLength = std::any_of(polyline.cbegin(), polyline.cend(),
                                       [&](QPointF p) { return p != polyline.constFirst(); });
    if (!hasLength) {
        drawDot(polyline.constFirst(), m_polylineColour);
        return true;
    }
    m_pen.setColor(m_polylineColour);
    m_painter.setPen(m_pen);
    m_painter.drawPolyline(polyline);
    return true;
}

bool VectorPlotSurface::drawSegment(QPointF from, QPointF to, const QColor &colour)
{
    if (!m_painter.isActive())
        return false;
    if (!clipSegment(from, to, m_clipBounds))
        return true;
    // A line without length is its one pixel; a square cap on a zero-length path is not drawn by
    // every renderer.
    if (from == to) {
        drawDot(from, colour);
        return true;
    }
    m_pen.setColor(colour);
    m_painter.setPen(m_pen);
    m_painter.drawLine(from, to);
    return true;
}

void VectorPlotSurface::drawDot(QPointF centre, const QColor &colour)
{
    m_painter.fillRect(QRectF(centre.x() - m_pixelWidth / 2, centre.y() - m_pixelHeight / 2,
                              m_pixelWidth, m_pixelHeight),
                       colour);
}

} // namespace plot
