#include "segmentclipping.h"

namespace plot {

namespace {

bool contains(const QRectF &bounds, QPointF point)
{
    return point.x() >= bounds.left() && point.x() <= bounds.right() && point.y() >= bounds.top()
           && point.y() <= bounds.bottom();
}

} // namespace

// Liang-Barsky, keeping track of which edge made each cut.
bool clipSegment(QPointF &from, QPointF &to, const QRectF &bounds)
{
    // Almost every segment of a curve lies wholly inside: those need no cutting.
    if (contains(bounds, from) && contains(bounds, to))
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

} // namespace plot
