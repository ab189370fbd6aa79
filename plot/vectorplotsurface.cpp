#include "vectorplotsurface.h"

#include <algorithm>
#include <utility>

namespace plot {

namespace {

// How far past the band a computed centre may stray and still count as on it: far below anything
// visible, far above the rounding of the mapping.
constexpr double roundingAllowance = 1e-6;

} // namespace

VectorPlotSurface::VectorPlotSurface(QPainter &painter, const QRectF &target, QSizeF pictureSize,
                                     QColor background, QColor foreground)
    : m_painter(painter), m_background(background), m_foreground(foreground),
      m_mapping(target, QSizeF(target.width() / pictureSize.width(),
                               target.height() / pictureSize.height()))
{
    const QSizeF pen = m_mapping.pen();
    // One picture pixel wide in the device's own units: the document keeps the width at any zoom.
    m_pen.setWidthF(pen.width());
    m_pen.setCapStyle(Qt::SquareCap);
    // A turn of the curve stays within half a pixel of its samples.
    m_pen.setJoinStyle(Qt::RoundJoin);
    // From the first pixel's centre to the last's, so a square cap reaches exactly to the edge.
    m_clipBounds =
        QRectF(target.topLeft() + QPointF(pen.width(), pen.height()) / 2, target.size() - pen)
            .adjusted(-roundingAllowance, -roundingAllowance, roundingAllowance, roundingAllowance);
    if (m_painter.isActive()) {
        m_painter.setBrush(Qt::NoBrush);
        m_painter.fillRect(target, m_background);
    }
}

QPointF VectorPlotSurface::centre(graphing::UserPoint user) const
{
    const QSizeF pen = m_mapping.pen();
    return m_mapping.toDevice(user) + QPointF(pen.width(), pen.height()) / 2;
}

bool VectorPlotSurface::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    return m_mapping.setScale(topLeft, bottomRight);
}

bool VectorPlotSurface::clear()
{
    if (!finish())
        return false;
    m_painter.fillRect(m_mapping.area(), m_background);
    return true;
}

bool VectorPlotSurface::line(graphing::UserPoint from, graphing::UserPoint to,
                             std::optional<graphing::Colour> colour)
{
    if (!isFinite(from) || !isFinite(to) || !finish())
        return false;
    m_current = to;
    return drawSegment(centre(from), centre(to), colour ? toQColor(*colour) : m_foreground);
}

bool VectorPlotSurface::lineTo(graphing::UserPoint to, graphing::Colour colour)
{
    if (!isFinite(to) || !m_painter.isActive())
        return false;
    QPointF from = centre(m_current);
    QPointF end = centre(to);
    m_current = to;
    const QColor qColour = toQColor(colour);
    if (!clipSegment(from, end, m_clipBounds))
        return finish();
    // The polyline goes on while each segment starts where the last one ended, in its colour; a
    // segment cut at its start begins a new one.
    if (m_polyline.isEmpty() || qColour != m_polylineColour || m_polyline.constLast() != from) {
        if (!finish())
            return false;
        m_polyline << from;
        m_polylineColour = qColour;
    }
    m_polyline << end;
    return true;
}

bool VectorPlotSurface::point(graphing::UserPoint at, graphing::Colour colour)
{
    if (!isFinite(at) || !finish())
        return false;
    m_current = at;
    const QPointF where = centre(at);
    // A point off the picture is not drawn, but it is still the current point.
    if (m_clipBounds.contains(where))
        drawDot(where, toQColor(colour));
    return true;
}

bool VectorPlotSurface::finish()
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
    const QSizeF pen = m_mapping.pen();
    m_painter.fillRect(QRectF(centre - QPointF(pen.width(), pen.height()) / 2, pen), colour);
}

} // namespace plot
