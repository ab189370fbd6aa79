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
                                     QColor background, QColor foreground, bool grey)
    : MappedSurface(Mapping(target, QSizeF(target.width() / pictureSize.width(),
                                           target.height() / pictureSize.height())),
                    foreground, target.width() / pictureSize.width()),
      m_painter(painter), m_grey(grey), m_background(shown(background))
{
    const QSizeF pen = mapping().pen();
    m_toCentre = QPointF(pen.width(), pen.height()) / 2;
    m_pen.setCapStyle(Qt::SquareCap);
    // A turn of the curve stays within half a pixel of its samples.
    m_pen.setJoinStyle(Qt::RoundJoin);
    // From the first pixel's centre to the last's, so a square cap reaches exactly to the edge.
    m_band =
        QRectF(target.topLeft() + m_toCentre, target.size() - pen)
            .adjusted(-roundingAllowance, -roundingAllowance, roundingAllowance, roundingAllowance);
    if (m_painter.isActive()) {
        m_painter.setBrush(Qt::NoBrush);
        if (m_background.alpha() != 0)
            m_painter.fillRect(target, m_background);
    }
}

bool VectorPlotSurface::clear()
{
    if (!finish())
        return false;
    if (m_background.alpha() != 0)
        m_painter.fillRect(mapping().area(), m_background);
    return true;
}

bool VectorPlotSurface::setLineWidth(int pixels)
{
    return finish() && MappedSurface::setLineWidth(pixels);
}

QColor VectorPlotSurface::shown(const QColor &colour) const
{
    if (!m_grey)
        return colour;
    const int shade = qGray(colour.rgb());
    return QColor(shade, shade, shade, colour.alpha());
}

QRectF VectorPlotSurface::mark(QPointF corner) const
{
    const QSizeF pen = mapping().pen() * lineWidth();
    return {corner + m_toCentre - QPointF(pen.width(), pen.height()) / 2, pen};
}

bool VectorPlotSurface::drawText(const QRectF &box, int alignment, const QString &text,
                                 const QFont &font, const QColor &colour)
{
    if (!finish())
        return false;
    m_painter.setFont(font);
    m_painter.setPen(shown(colour));
    m_painter.drawText(box, alignment, text);
    return true;
}

bool VectorPlotSurface::drawSegment(QPointF from, QPointF to, const QColor &colour)
{
    if (!m_painter.isActive())
        return false;
    from += m_toCentre;
    to += m_toCentre;
    if (!clipSegment(from, to, m_band))
        return finish();
    // The polyline goes on while each segment starts where the last one ended, in its colour; a
    // segment cut at its start begins a new one.
    if (m_polyline.isEmpty() || shown(colour) != m_polylineColour
        || m_polyline.constLast() != from) {
        if (!finish())
            return false;
        m_polyline << from;
        m_polylineColour = shown(colour);
    }
    m_polyline << to;
    return true;
}

bool VectorPlotSurface::drawDot(QPointF at, const QColor &colour)
{
    if (!finish())
        return false;
    if (m_band.contains(at + m_toCentre))
        m_painter.fillRect(mark(at), shown(colour));
    return true;
}

bool VectorPlotSurface::finish()
{
    if (!m_painter.isActive())
        return false;
    const QPolygonF polyline = std::exchange(m_polyline, {});
    if (polyline.isEmpty())
        return true;
    // A line without length is its one pixel; a square cap on a zero-length path is not drawn by
    // every renderer.
    if (std::all_of(polyline.cbegin(), polyline.cend(),
                    [&](QPointF p) { return p == polyline.constFirst(); })) {
        m_painter.fillRect(mark(polyline.constFirst() - m_toCentre), m_polylineColour);
        return true;
    }
    // Picture pixels wide in the device's own units: the document keeps the width at any zoom.
    m_pen.setWidthF(mapping().pen().width() * lineWidth());
    m_pen.setColor(m_polylineColour);
    m_painter.setPen(m_pen);
    m_painter.drawPolyline(polyline);
    return true;
}

} // namespace plot
