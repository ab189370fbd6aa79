#include "rasterplotsurface.h"

#include <QLine>
#include <QRect>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <utility>

namespace plot {

RasterPlotSurface::RasterPlotSurface(QImage &image, int penWidth, QColor background,
                                     QColor foreground, qreal ratio)
    : MappedSurface(
        Mapping(QRectF(QPointF(0, 0), QSizeF(image.size())), QSizeF(penWidth, penWidth)),
        foreground, ratio),
      m_penWidth(penWidth), m_image(image), m_background(background)
{
    // One pixel wide whatever the painter's scale; a wider pen is drawn as a square of these.
    m_pen.setCosmetic(true);
    m_pen.setWidth(1);
    m_pen.setCapStyle(Qt::SquareCap);
    if (!m_image.isNull() && m_painter.begin(&m_image)) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        clear();
    }
}

bool RasterPlotSurface::clear()
{
    drawThickLine();
    if (!m_painter.isActive())
        return false;
    // Transparent replaces what is there rather than being laid over it.
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(m_image.rect(), m_background);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
}

RasterPlotSurface::~RasterPlotSurface()
{
    drawThickLine();
}

bool RasterPlotSurface::setLineWidth(int pixels)
{
    drawThickLine();
    return MappedSurface::setLineWidth(pixels);
}

void RasterPlotSurface::drawThickLine()
{
    const QPolygonF line = std::exchange(m_thickLine, {});
    if (line.isEmpty() || !m_painter.isActive())
        return;
    const QPointF toMiddle = QPointF(thickness(), thickness()) / 2;
    // A line without length is its square.
    if (std::all_of(line.cbegin(), line.cend(),
                    [&](QPointF p) { return p == line.constFirst(); })) {
        m_painter.fillRect(QRectF(line.constFirst() - toMiddle, QSizeF(thickness(), thickness())),
                           m_thickColour);
        return;
    }
    m_painter.setPen(QPen(m_thickColour, thickness(), Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    m_painter.drawPolyline(line);
}

QRectF RasterPlotSurface::clipBounds() const
{
    const double margin = thickness() + 1;
    return mapping().area().adjusted(-margin, -margin, margin, margin);
}

QPointF RasterPlotSurface::thickCorner(QPointF corner) const
{
    const double shift = std::floor((thickness() - m_penWidth) / 2.0);
    return corner - QPointF(shift, shift);
}

bool RasterPlotSurface::drawText(const QRectF &box, int alignment, const QString &text,
                                 const QFont &font, const QColor &colour)
{
    drawThickLine();
    if (!m_painter.isActive())
        return false;
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(box, alignment, text);
    return true;
}

bool RasterPlotSurface::drawDot(QPointF at, const QColor &colour)
{
    drawThickLine();
    if (!m_painter.isActive())
        return false;
    if (clipBounds().contains(at))
        m_painter.fillRect(QRect(devicePixel(thickCorner(at)), QSize(thickness(), thickness())),
                           colour);
    return true;
}

bool RasterPlotSurface::drawSegment(QPointF from, QPointF to, const QColor &colour)
{
    if (!m_painter.isActive())
        return false;
    if (!clipSegment(from, to, clipBounds()))
        return true;
    if (lineWidth() > 1) {
        // From the middle of the thick square at one end to the middle of the other's.
        const QPointF toMiddle = QPointF(thickness(), thickness()) / 2;
        const QPointF start = QPointF(devicePixel(thickCorner(from))) + toMiddle;
        if (m_thickLine.isEmpty() || colour != m_thickColour || m_thickLine.constLast() != start) {
            drawThickLine();
            m_thickLine << start;
            m_thickColour = colour;
        }
        m_thickLine << QPointF(devicePixel(thickCorner(to))) + toMiddle;
        return true;
    }
    const QPoint start = devicePixel(from);
    const QPoint end = devicePixel(to);
    // The pen kept while the colour stays, so that the painter sees the same pen and keeps it.
    if (m_pen.color() != colour)
        m_pen.setColor(colour);
    m_painter.setPen(m_pen);
    // A wide pen is the one-pixel line repeated across a pen-sized square: sharp edges, and the
    // same pixels a one-pixel line has, only bigger. A line without length is its square.
    if (start == end) {
        m_painter.fillRect(QRect(start, QSize(m_penWidth, m_penWidth)), colour);
        return true;
    }
    // Given to the painter in one call: at --scale 4, sixteen calls a segment were most of the
    // drawing's time.
    QVarLengthArray<QLine, 64> lines;
    for (int dy = 0; dy < m_penWidth; ++dy) {
        for (int dx = 0; dx < m_penWidth; ++dx)
            lines.append(QLine(start + QPoint(dx, dy), end + QPoint(dx, dy)));
    }
    m_painter.drawLines(lines.constData(), int(lines.size()));
    return true;
}

RasterImage renderImage(const graphing::PictureContent &content, const PixelGrid &grid,
                        QColor background, QColor foreground)
{
    const QColor paper = backgroundColour(content.style.background, background);
    RasterImage rendering{QImage(grid.size, paper.alpha() == 255
                                                ? QImage::Format_RGB32
                                                : QImage::Format_ARGB32_Premultiplied),
                          std::nullopt};
    {
        RasterPlotSurface surface(rendering.image, grid.penWidth, paper, foreground, grid.ratio);
        try {
            graphing::drawPicture(surface, content);
        } catch (const graphing::DrawingFailed &failed) {
            rendering.failure = failed.operation();
        }
    }
    return rendering;
}

} // namespace plot
