#include "rasterplotsurface.h"

#include <QPen>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace plot {

namespace {

QColor toQColor(graphing::Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

bool isFinite(graphing::UserPoint point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

bool isFinite(QPointF point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

// Round half up, the same for every coordinate of points and lines. Only called on values already
// brought within a few pixels of the image, so the conversion cannot overflow.
int toPixel(double coordinate)
{
    return static_cast<int>(std::floor(coordinate + 0.5));
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
      m_scale{0, 0, static_cast<double>(logicalSize.width() - 1),
              static_cast<double>(logicalSize.height() - 1)}
{
    if (!m_image.isNull())
        m_image.fill(m_background);
}

RasterPlotSurface::~RasterPlotSurface()
{
    finishPainting();
}

const QImage &RasterPlotSurface::image()
{
    finishPainting();
    return m_image;
}

QPointF RasterPlotSurface::toDevice(graphing::UserPoint user) const
{
    // The pen's top-left pixel travels over the image less the pen's own width, so that a mark at
    // the scale's far edge is drawn whole.
    const double columns = m_image.width() - m_penWidth;
    const double rows = m_image.height() - m_penWidth;
    return {(double(user.x) - m_scale.left) / (m_scale.right - m_scale.left) * columns,
            (double(user.y) - m_scale.top) / (m_scale.bottom - m_scale.top) * rows};
}

bool RasterPlotSurface::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    if (!isFinite(topLeft) || !isFinite(bottomRight) || topLeft.x == bottomRight.x
        || topLeft.y == bottomRight.y)
        return false;
    m_scale = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return true;
}

bool RasterPlotSurface::clear()
{
    QPainter *const p = painter();
    if (p == nullptr)
        return false;
    p->fillRect(m_image.rect(), m_background);
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
    const graphing::UserPoint from = m_current;
    m_current = to;
    return drawSegment(toDevice(from), toDevice(to), toQColor(colour));
}

bool RasterPlotSurface::point(graphing::UserPoint at, graphing::Colour colour)
{
    if (!isFinite(at))
        return false;
    m_current = at;
    QPainter *const p = painter();
    if (p == nullptr)
        return false;
    const QPointF device = toDevice(at);
    if (!isFinite(device))
        return false;
    const QRectF visible(-m_penWidth, -m_penWidth, m_image.width() + m_penWidth,
                         m_image.height() + m_penWidth);
    if (visible.contains(device))
        p->fillRect(QRect(toPixel(device.x()), toPixel(device.y()), m_penWidth, m_penWidth),
                    toQColor(colour));
    return true;
}

bool RasterPlotSurface::drawSegment(QPointF from, QPointF to, QColor colour)
{
    QPainter *const p = painter();
    if (p == nullptr || !isFinite(from) || !isFinite(to))
        return false;
    // A margin beyond the pen's reach keeps rounding at the cut from shortening what shows.
    const double margin = m_penWidth + 1;
    const QRectF bounds(QPointF(-margin, -margin),
                        QPointF(m_image.width() + margin, m_image.height() + margin));
    if (!clipSegment(from, to, bounds))
        return true;

    const QPoint start(toPixel(from.x()), toPixel(from.y()));
    const QPoint end(toPixel(to.x()), toPixel(to.y()));
    p->setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap));
    // A thick pen is the one-pixel line repeated across a pen-sized square: sharp edges and the
    // same pixels a one-pixel line has, only bigger.
    for (int dy = 0; dy < m_penWidth; ++dy) {
        for (int dx = 0; dx < m_penWidth; ++dx) {
            const QPoint offset(dx, dy);
            if (start == end)
                p->drawPoint(start + offset);
            else
                p->drawLine(start + offset, end + offset);
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
    }
    return &m_painter;
}

void RasterPlotSurface::finishPainting()
{
    if (m_painter.isActive())
        m_painter.end();
}

} // namespace plot
