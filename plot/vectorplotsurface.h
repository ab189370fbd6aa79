#pragma once

#include "mapping.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace plot {

// A plot surface that draws vectors through an active QPainter on any paint device (an SVG or PDF
// document, a printer page), in floating point, onto a target rectangle of device coordinates.
//
// The picture is `pictureSize` pixels laid over the target and points land where Mapping puts
// them: a mark is centred on the pen square the raster surface fills there. A line is one picture
// pixel wide with square caps (a real width in the device's units, not a cosmetic pen, so a
// document shows the same line at any zoom), so a rasterisation of the document at the picture's
// size marks the same pixels as the raster surface does. Segments are clipped in double to the
// band the centres of whole marks may lie in.
//
// Consecutive lineTo calls in one colour are gathered into one polyline, drawn before any other
// call and by finish(): a curve is one path, not thousands of segments.
class VectorPlotSurface final : public graphing::PlotSurface {
public:
    // Draws with `painter`, which must stay active while the surface is used. The target starts
    // filled with the background, as a fresh picture is.
    VectorPlotSurface(QPainter &painter, const QRectF &target, QSizeF pictureSize,
                      QColor background, QColor foreground);

    // Draws what is still gathered. False when the painter is no longer active.
    bool finish();

    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) override;
    bool clear() override;
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) override;
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) override;
    bool point(graphing::UserPoint at, graphing::Colour colour) override;

private:
    // The centre of the mark at `user`.
    QPointF centre(graphing::UserPoint user) const;
    // Draws a mark from `from` to `to` as its own path.
    bool drawSegment(QPointF from, QPointF to, const QColor &colour);
    void drawDot(QPointF centre, const QColor &colour);

    QPainter &m_painter;
    QColor m_background;
    QColor m_foreground;
    QPen m_pen;
    Mapping m_mapping;
    QRectF m_clipBounds;
    graphing::UserPoint m_current;
    QPolygonF m_polyline;
    QColor m_polylineColour;
};

} // namespace plot
