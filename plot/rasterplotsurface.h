#pragma once

#include "mapping.h"
#include "picturecontent.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <optional>

namespace plot {

// A plot surface on an image of device pixels. Lines are aliased, a square pen of `penWidth`
// device pixels at the rounded point, clipped in double first. A thicker line is a wider pen
// centred on that; joined segments of one colour become one polyline, turning without corners.
class RasterPlotSurface final : public MappedSurface {
public:
    // Fills `image` (which outlives it; null fails every call) with the background; labels are
    // drawn at `ratio` device pixels to a picture pixel.
    RasterPlotSurface(QImage &image, int penWidth, QColor background, QColor foreground,
                      qreal ratio = 1);

    ~RasterPlotSurface() override;
    RasterPlotSurface(const RasterPlotSurface &) = delete;
    RasterPlotSurface &operator=(const RasterPlotSurface &) = delete;

    bool clear() override;
    bool setLineWidth(int pixels) override;

private:
    bool drawSegment(QPointF from, QPointF to, const QColor &colour) override;
    bool drawDot(QPointF at, const QColor &colour) override;
    bool drawText(const QRectF &box, int alignment, const QString &text, const QFont &font,
                  const QColor &colour) override;
    // A thick line's square side in device pixels, and its corner from a one-pixel square's.
    int thickness() const { return m_penWidth * lineWidth(); }
    QPointF thickCorner(QPointF corner) const;
    // Where segments are cut: a margin beyond the pen's reach, so rounding shortens nothing seen.
    QRectF clipBounds() const;
    // Draws the thick line gathered so far.
    void drawThickLine();

    int m_penWidth = 1;
    QImage &m_image;
    QPainter m_painter;
    QPen m_pen;
    QColor m_background;
    QPolygonF m_thickLine;
    QColor m_thickColour;
};

// `content` drawn afresh on exactly the device pixels of `grid`; after a failed drawing call the
// image holds what was drawn before it and `failure` names the operation.
struct RasterImage {
    QImage image;
    std::optional<graphing::DrawingOperation> failure;
};
RasterImage renderImage(const graphing::PictureContent &content, const PixelGrid &grid,
                        QColor background, QColor foreground);

} // namespace plot
