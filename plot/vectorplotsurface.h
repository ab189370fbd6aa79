#pragma once

#include "mapping.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace plot {

// A plot surface drawing vectors through an active QPainter (SVG, PDF, a printer page) onto a
// target rectangle laid with `pictureSize` pixels. Marks are centred on the raster surface's pen
// squares, lines a picture pixel (or the line width) wide with square caps, in the device's own
// units, so that a document keeps its widths at any zoom and rasterises to the raster picture.
// Joined segments of one colour become one path, drawn before any other mark and by finish().
class VectorPlotSurface final : public MappedSurface {
public:
    // Draws with `painter`, active while the surface is used, first filling the target with the
    // background. `grey`: every colour in its shade of grey, as a grayscale printer prints.
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
