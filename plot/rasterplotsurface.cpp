#include "rasterplotsurface.h"

#include <QPen>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace plot {

namespace {

QRgb toRgb(graphing::Colour colour)
{
    return qRgb(colour.red, colour.green, colour.blue);
}

bool isFinite(graphing::UserPoint point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

bool isFinite(QPointF point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

// Edges included: a cut leaves its ends on them.
bool contains(const QRectF &bounds, QPointF point)
{
    return point.x() >= bounds.left() && point.x() <= bounds.right() && point.y() >= bounds.top()
           && point.y() <= bounds.bottom();
}

// Round half up, the same for every coordinate of points and lines. Only called on values already
// brought within a few pixels of the image, so the conversion cannot overflow. Exactly floor(), as
// truncation corrected below zero: a press rounds thousands of coordinates, and for the baseline
// x86-64, which has no rounding instruction, floor() is a long general sequence.
int toPixel(double coordinate)
{
    const double shifted = coordinate + 0.5;
    const int truncated = static_cast<int>(shifted);
    return truncated > shifted ? truncated - 1 : truncated;
}

// Cuts the segment down to the part inside `bounds` (Liang-Barsky); false when none of it is.
// A cut end lies exactly on the edge that cut it, and its other coordinate is measured from the
// nearer end of the segment: a start point millions of pixels away then costs no precision.
bool clipSegment(QPointF &from, QPointF &to, const QRectF &bounds)
{
    enum class Edge { None, Left, Right, Top, Bottom };
    struct Side {
        double direction;
        double room;
        Edge edge;
    };
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const Side sides[4] = {
        {-dx, from.x() - bounds.left(), Edge::Left},
        {dx, bounds.right() - from.x(), Edge::Right},
        {-dy, from.y() - bounds.top(), Edge::Top},
        {dy, bounds.bottom() - from.y(), Edge::Bottom},
    };
    double enter = 0;
    double leave = 1;
    Edge enterEdge = Edge::None;
    Edge leaveEdge = Edge::None;
    for (const Side &side : sides) {
        if (side.direction == 0) {
            if (side.room < 0)
                return false;
            continue;
        }
        const double t = side.room / side.direction;
        if (side.direction < 0 && t > enter) {
            enter = t;
            enterEdge = side.edge;
        } else if (side.direction > 0 && t < leave) {
            leave = t;
            leaveEdge = side.edge;
        }
        if (enter > leave)
            return false;
    }

    const QPointF start = from;
    const QPointF end = to;
    auto pointAt = [&](double t, Edge edge) {
        QPointF point = t <= 0.5 ? start + t * QPointF(dx, dy) : end - (1 - t) * QPointF(dx, dy);
        switch (edge) {
        case Edge::Left: point.setX(bounds.left()); break;
        case Edge::Right: point.setX(bounds.right()); break;
        case Edge::Top: point.setY(bounds.top()); break;
        case Edge::Bottom: point.setY(bounds.bottom()); break;
        case Edge::None: break;
        }
        return point;
    };
    if (enterEdge != Edge::None)
        from = pointAt(enter, enterEdge);
    if (leaveEdge != Edge::None)
        to = pointAt(leave, leaveEdge);
    return true;
}

} // namespace

RasterPlotSurface::RasterPlotSurface(QSize logicalSize, qreal devicePixelRatio, QColor background,
                                     QColor foreground)
    : m_logicalSize(logicalSize), m_devicePixelRatio(devicePixelRatio),
      m_penWidth(std::max(1, qRound(devicePixelRatio))), m_background(background),
      m_foreground(foreground),
      m_image(QSize(static_cast<int>(std::ceil(logicalSize.width() * devicePixelRatio)),
                    static_cast<int>(std::ceil(logicalSize.height() * devicePixelRatio))),
              QImage::Format_RGB32),
      // A margin beyond the pen's reach keeps rounding at a cut from shortening what shows.
      m_clipBounds(QPointF(-(m_penWidth + 1), -(m_penWidth + 1)),
                   QPointF(m_image.width() + m_penWidth + 1, m_image.height() + m_penWidth + 1)),
      m_pen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap),
      m_scale(scaleFor({0, 0}, {float(logicalSize.width() - 1), float(logicalSize.height() - 1)}))
{
    m_currentDevice = toDevice(m_current);
    if (!m_image.isNull())
        m_image.fill(m_background);
}

RasterPlotSurface::~RasterPlotSurface()
{
    finishPainting();
}

RasterPlotSurface::Scale RasterPlotSurface::scaleFor(graphing::UserPoint topLeft,
                                                     graphing::UserPoint bottomRight) const
{
    // The pen's top-left pixel travels over the image less the pen's own width, so that a mark at
    // the scale's far edge is drawn whole. Pixels per user unit are worked out once here: a press
    // maps thousands of points.
    const double columns = m_image.width() - m_penWidth;
    const double rows = m_image.height() - m_penWidth;
    return {topLeft.x, topLeft.y, columns / (double(bottomRight.x) - topLeft.x),
            rows / (double(bottomRight.y) - topLeft.y)};
}

const QImage &RasterPlotSurface::image()
{
    finishPainting();
    return m_image;
}

QPointF RasterPlotSurface::toDevice(graphing::UserPoint user) const
{
    return {(double(user.x) - m_scale.left) * m_scale.columnsPerUnit,
            (double(user.y) - m_scale.top) * m_scale.rowsPerUnit};
}

bool RasterPlotSurface::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    if (!isFinite(topLeft) || !isFinite(bottomRight) || topLeft.x == bottomRight.x
        || topLeft.y == bottomRight.y)
        return false;
    m_scale = scaleFor(topLeft, bottomRight);
    m_currentDevice = toDevice(m_current);
    return true;
}

bool RasterPlotSurface::clear()
{
    QPainter *const p = painter();
    if (p == nullptr)
        return false;
    // The fill covers whatever segments are still waiting.
    m_pendingLines.clear();
    p->fillRect(m_image.rect(), m_background);
    m_lastEnd.reset();
    return true;
}

bool RasterPlotSurface::line(graphing::UserPoint from, graphing::UserPoint to,
                             std::optional<graphing::Colour> colour)
{
    if (!isFinite(from) || !isFinite(to))
        return false;
    moveTo(to);
    return drawSegment(toDevice(from), m_currentDevice,
                       colour ? toRgb(*colour) : m_foreground.rgb());
}

bool RasterPlotSurface::lineTo(graphing::UserPoint to, graphing::Colour colour)
{
    if (!isFinite(to))
        return false;
    const QPointF from = m_currentDevice;
    moveTo(to);
    return drawSegment(from, m_currentDevice, toRgb(colour));
}

bool RasterPlotSurface::point(graphing::UserPoint at, graphing::Colour colour)
{
    if (!isFinite(at))
        return false;
    moveTo(at);
    QPainter *const p = painter();
    if (p == nullptr)
        return false;
    const QPointF device = m_currentDevice;
    if (!isFinite(device))
        return false;
    const QRectF visible(-m_penWidth, -m_penWidth, m_image.width() + m_penWidth,
                         m_image.height() + m_penWidth);
    if (visible.contains(device)) {
        drawPendingLines();
        m_lastEnd.reset();
        p->fillRect(QRect(toPixel(device.x()), toPixel(device.y()), m_penWidth, m_penWidth),
                    QColor::fromRgb(toRgb(colour)));
    }
    return true;
}

void RasterPlotSurface::moveTo(graphing::UserPoint to)
{
    m_current = to;
    m_currentDevice = toDevice(to);
}

bool RasterPlotSurface::drawSegment(QPointF from, QPointF to, QRgb colour)
{
    QPainter *const p = painter();
    if (p == nullptr || !isFinite(from) || !isFinite(to))
        return false;
    // Almost every segment of a curve lies wholly inside: those need no cutting.
    if ((!contains(m_clipBounds, from) || !contains(m_clipBounds, to))
        && !clipSegment(from, to, m_clipBounds))
        return true;

    const QPoint start(toPixel(from.x()), toPixel(from.y()));
    const QPoint end(toPixel(to.x()), toPixel(to.y()));
    // A curve's samples lie closer than a pixel, so most of its segments are only the pixel the
    // segment before ended on, already in this colour: drawing it again would change nothing.
    if (start == end && m_lastEnd && m_lastEnd->pixel == end && m_lastEnd->colour == colour)
        return true;
    m_lastEnd = DrawnEnd{end, colour};
    if (colour != m_penColour) {
        drawPendingLines();
        m_pen.setColor(QColor::fromRgb(colour));
        p->setPen(m_pen);
        m_penColour = colour;
    }
    // Most of a curve's segments step at most one pixel: such a line is just its two end pixels,
    // set here directly, for a fraction of a painter call. Lines waiting in the queue share this
    // colour, so the order in which they reach the image does not matter.
    if (m_penWidth == 1 && std::abs(end.x() - start.x()) <= 1
        && std::abs(end.y() - start.y()) <= 1) {
        setPixel(start, colour);
        setPixel(end, colour);
        return true;
    }
    // A thick pen is the one-pixel line repeated across a pen-sized square: sharp edges and the
    // same pixels a one-pixel line has, only bigger.
    for (int dy = 0; dy < m_penWidth; ++dy) {
        for (int dx = 0; dx < m_penWidth; ++dx) {
            const QPoint offset(dx, dy);
            if (start == end) {
                drawPendingLines();
                p->drawPoint(start + offset);
            } else {
                m_pendingLines.emplace_back(start + offset, end + offset);
            }
        }
    }
    return true;
}

QPainter *RasterPlotSurface::painter()
{
    // One painter serves every call until the picture is read, so a press costs one begin.
    if (!m_painter.isActive()) {
        if (m_image.isNull() || !m_painter.begin(&m_image))
            return nullptr;
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setPen(m_pen);
    }
    return &m_painter;
}

void RasterPlotSurface::setPixel(QPoint pixel, QRgb colour)
{
    // The painter began on this image and detached it, so writing to its memory is writing to
    // what the painter draws on.
    if (m_image.rect().contains(pixel))
        reinterpret_cast<QRgb *>(m_image.scanLine(pixel.y()))[pixel.x()] = colour;
}

void RasterPlotSurface::drawPendingLines()
{
    if (m_pendingLines.empty())
        return;
    m_painter.drawLines(m_pendingLines.data(), static_cast<int>(m_pendingLines.size()));
    m_pendingLines.clear();
}

void RasterPlotSurface::finishPainting()
{
    if (m_painter.isActive()) {
        drawPendingLines();
        m_painter.end();
    }
}

} // namespace plot
