#pragma once

#include <QPointF>
#include <QRectF>

namespace plot {

// Cuts the segment down to the part inside `bounds` (edges included); false when none of it is.
// A cut end lies exactly on the edge that cut it, and its other coordinate is measured from the
// nearer end of the segment: a start point millions of pixels away then costs no precision.
bool clipSegment(QPointF &from, QPointF &to, const QRectF &bounds);

} // namespace plot
