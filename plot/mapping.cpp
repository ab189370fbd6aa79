#include "mapping.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace plot {

Mapping::Mapping(const QRectF &area, QSizeF pen) : m_area(area), m_pen(pen)
{
    const graphing::View window;
    setScale(window.topLeft(), window.bottomRight());
}

bool Mapping::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    if (!isFinite(topLeft) || !isFinite(bottomRight) || topLeft.x == bottomRight.x
        || topLeft.y == bottomRight.y)
        return false;
    m_left = topLeft.x;
    m_top = topLeft.y;
    m_xPerUnit = (m_area.width() - m_pen.width()) / (double(bottomRight.x) - m_left);
    m_yPerUnit = (m_area.height() - m_pen.height()) / (double(bottomRight.y) - m_top);
    return true;
}

QPointF Mapping::toDevice(graphing::UserPoint user) const
{
    return {m_area.left() + (double(user.x) - m_left) * m_xPerUnit,
            m_area.top() + (double(user.y) - m_top) * m_yPerUnit};
}

QPointF Mapping::toUser(QPointF device) const
{
    return {m_left + (device.x() - m_area.left()) / m_xPerUnit,
            m_top + (device.y() - m_area.top()) / m_yPerUnit};
}

MappedSurface::MappedSurface(const Mapping &mapping, QColor foreground, double pixel)
    : m_mapping(mapping), m_foreground(foreground), m_pixel(pixel)
{}

bool MappedSurface::setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight)
{
    return m_mapping.setScale(topLeft, bottomRight);
}

bool MappedSurface::line(graphing::UserPoint from, graphing::UserPoint to,
                         std::optional<graphing::Colour> colour)
{
    if (!isFinite(from) || !isFinite(to))
        return false;
    m_current = to;
    return drawSegment(m_mapping.toDevice(from), m_mapping.toDevice(to),
                       colour ? toQColor(*colour) : m_foreground);
}

bool MappedSurface::lineTo(graphing::UserPoint to, graphing::Colour colour)
{
    if (!isFinite(to))
        return false;
    const QPointF from = m_mapping.toDevice(m_current);
    m_current = to;
    return drawSegment(from, m_mapping.toDevice(to), toQColor(colour));
}

bool MappedSurface::point(graphing::UserPoint at, graphing::Colour colour)
{
    if (!isFinite(at))
        return false;
    // A point off the picture is not drawn, but it is still the current point.
    m_current = at;
    return drawDot(m_mapping.toDevice(at), toQColor(colour));
}

graphing::UserPoint MappedSurface::pixelSize() const
{
    const QPointF size = m_mapping.toUser(QPointF(m_pixel, m_pixel)) - m_mapping.toUser({0, 0});
    return {std::abs(size.x()), std::abs(size.y())};
}

bool MappedSurface::setLineWidth(int pixels)
{
    if (pixels < 1 || pixels > graphing::thickestLine)
        return false;
    m_lineWidth = pixels;
    return true;
}

bool MappedSurface::label(graphing::UserPoint at, std::string_view text,
                          graphing::LabelPlacement placement)
{
    if (!isFinite(at))
        return false;
    // Labels are measured in picture pixels: 12 high, 3 from their point (the middle of the pen
    // square drawn there) and further by the line's width. The box is far larger than any label;
    // the alignment places it.
    constexpr double textHeight = 12;
    const double gap = 2 + m_lineWidth;
    constexpr double room = 100;
    const QPointF anchor =
        m_mapping.toDevice(at) + QPointF(m_mapping.pen().width(), m_mapping.pen().height()) / 2;
    using graphing::LabelPlacement;
    const double reach = room * m_pixel;
    const double away = gap * m_pixel;
    QRectF box;
    int alignment = Qt::AlignHCenter | Qt::AlignTop;
    switch (placement) {
    case LabelPlacement::Below:
        box = QRectF(anchor.x() - reach, anchor.y() + away, 2 * reach, reach);
        break;
    case LabelPlacement::Above:
        box = QRectF(anchor.x() - reach, anchor.y() - away - reach, 2 * reach, reach);
        alignment = Qt::AlignHCenter | Qt::AlignBottom;
        break;
    case LabelPlacement::Left:
        box = QRectF(anchor.x() - away - reach, anchor.y() - reach, reach, 2 * reach);
        alignment = Qt::AlignRight | Qt::AlignVCenter;
        break;
    case LabelPlacement::Right:
        box = QRectF(anchor.x() + away, anchor.y() - reach, reach, 2 * reach);
        alignment = Qt::AlignLeft | Qt::AlignVCenter;
        break;
    }
    QFont font = pictureFont();
    font.setPixelSize(qMax(1, qRound(textHeight * m_pixel)));
    return drawText(box, alignment, QString::fromUtf8(text.data(), qsizetype(text.size())), font,
                    m_foreground);
}

QColor backgroundColour(graphing::Background background, QColor screen)
{
    switch (background) {
    case graphing::Background::White: return Qt::white;
    case graphing::Background::Transparent: return Qt::transparent;
    case graphing::Background::Screen: break;
    }
    return screen;
}

QFont pictureFont()
{
    QFont font(QStringLiteral("Nimbus Sans"));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

PixelGrid PixelGrid::forWidget(QPoint originInWindow, QSize size, qreal ratio)
{
    const QPoint first(qRound(originInWindow.x() * ratio), qRound(originInWindow.y() * ratio));
    const QPoint end(qRound((originInWindow.x() + size.width()) * ratio),
                     qRound((originInWindow.y() + size.height()) * ratio));
    return {first, QSize(end.x() - first.x(), end.y() - first.y()), qMax(1, qRound(ratio)), ratio};
}

Mapping PixelGrid::mapping(const graphing::View &view) const
{
    Mapping mapping(QRectF(QPointF(0, 0), QSizeF(size)), QSizeF(penWidth, penWidth));
    mapping.setScale(view.topLeft(), view.bottomRight());
    return mapping;
}

QPoint PixelGrid::pixelAt(QPointF windowPosition) const
{
    // A pointer stands on a whole device pixel; the toolkit hands it over divided by the ratio.
    const auto pixel = [this](double logical, int first, int count) {
        return std::clamp(qRound(logical * ratio) - first, 0, count - 1);
    };
    return {pixel(windowPosition.x(), origin.x(), size.width()),
            pixel(windowPosition.y(), origin.y(), size.height())};
}

// Liang-Barsky, keeping track of which edge made each cut.
bool clipSegment(QPointF &from, QPointF &to, const QRectF &bounds)
{
    const auto inside = [&bounds](QPointF p) {
        return p.x() >= bounds.left() && p.x() <= bounds.right() && p.y() >= bounds.top()
               && p.y() <= bounds.bottom();
    };
    // Almost every segment of a curve lies wholly inside: those need no cutting.
    if (inside(from) && inside(to))
        return true;

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
    const auto pointAt = [&](double t, Edge edge) {
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

} // namespace plot
