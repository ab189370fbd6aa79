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
// pixel wide (or the line width set) with square caps (a real width in the device's units, not a
// cosmetic pen, so a document shows the same line at any zoom), so a rasterisation of the document
// at the picture's size marks the same pixels as the raster surface does. Segments are clipped in
// double to the band the centres of whole marks may lie in.
//
// Segments that join end to start in one colour are gathered into one polyline, drawn before any
// other mark and by finish(): a curve is one path, not thousands of segments.
class VectorPlotSurface final : public MappedSurface {
public:
    // Draws with `painter`, which must stay active while the surface is used. The target starts
    // filled with the background, as a fresh picture is; a transparent one is left as it is.
    // `grey`: every colour drawn in its shade of grey (qGray), as for a printer set to grayscale.
    VectorPlotSurface(QPainter &painter, const QRectF &target, QSizeF pictureSize,
                      QColor background, QColor foreground, bool grey = false);

    // Draws what is still gathered. False when the painter is no longer active.
    bool finish();

    bool clear() override;
    // What is gathered is drawn at the width it was gathered at.
    bool setLineWidth(int pixels) override;

private:
    bool drawSegment(QPointF from, QPointF to, const QColor &colour) override;
    bool drawDot(QPointF at, const QColor &colour) override;
    bool drawText(const QRectF &box, int alignment, const QString &text, const QFont &font,
                  const QColor &colour) override;
    // The pen square of a mark at the line width, around the one-pixel square at `corner`.
    QRectF mark(QPointF corner) const;
    // `colour` as drawn: itself, or its shade of grey.
    QColor shown(const QColor &colour) const;

    QPainter &m_painter;
    bool m_grey;
    QColor m_background;
    QPen m_pen;
    // From a pen square's corner to its centre.
    QPointF m_toCentre;
    QRectF m_band;
    QPolygonF m_polyline;
    QColor m_polylineColour;
};

} // namespace plot
