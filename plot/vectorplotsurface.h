#pragma once

#include "plotsurface.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

namespace plot {

// A plot surface that draws vectors through an active QPainter on any paint device (an SVG or PDF
// document, a printer page), in floating point, onto a target rectangle of device coordinates.
//
// The scale means what it means on the raster surface: the picture is `pictureSize` pixels laid
// over the target, and the scale's edges land on the centres of the first and last columns and
// rows, where the raster surface puts its one-pixel marks. A line is one picture pixel wide with
// square caps (a real width in the device's units, not a cosmetic pen, so a PDF or SVG shows the
// same line at any zoom), so a rasterisation of the document at the picture's size marks the same
// pixels as the raster surface does. The surface maps points itself and leaves the painter's
// transform alone; segments are clipped in double to the band between the edge pixels' centres.
//
// Consecutive lineTo calls in one colour are gathered into one polyline, drawn before any other
// call and by finish(): a curve is one path, not thousands of segments.
class VectorPlotSurface final : public graphing::PlotSurface {
public:
    // Draws with `painter`, which must stay active while the surface is used. The target starts
    // filled with the background, as a fresh picture is.
    VectorPlotSurface(QPainter &painter, const QRectF &target, QSizeF pictureSize,
                      QColor background, QColor foreground);
    ~VectorPlotSurface() override;

    VectorPlotSurface(const VectorPlotSurface &) = delete;
    VectorPlotSurface &operator=(const VectorPlotSurface &) = delete;

    // Draws what is still gathered. False when the painter is no longer active.
    bool finish();

    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) override;
    bool clear() override;
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) override;
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) override;
    bool point(graphing::UserPoint at, graphing::Colour colour) override;

    // Where a user point lands in device coordinates: the centre of the mark drawn there.
    QPointF toDevice(graphing::UserPoint user) const;

    double penWidth() const { return m_pen.widthF(); }

private:
    bool flush();
    // Draws a mark from `from` to `to` as its own path.
    bool drawSegment(QPointF from, QPointF to, const QColor &colour);
    void drawDot(QPointF centre, const QColor &colour);

    QPainter &m_painter;
    QRectF m_target;
    QColor m_background;
    QColor m_foreground;
    QPen m_pen;
    // Device units per picture pixel, across and down.
    double m_pixelWidth = 1;
    double m_pixelHeight = 1;
    // The band the centres of marks may lie in: from the first pixel's centre to the last's, so a
    // square cap reaches exactly to the target's edge.
    QRectF m_clipBounds;
    double m_left = 0;
    double m_top = 0;
    double m_xPerUnit = 1;
    double m_yPerUnit = 1;
    graphing::UserPoint m_current;
    QPolygonF m_polyline;
    QColor m_polylineColour;
};

} // namespace plot
