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

// A plot surface that draws into an image of device pixels, for one rendering.
//
// Lines are solid, aliased and one logical pixel thick: a square pen of `penWidth` device pixels,
// its top-left corner where Mapping puts a point, rounded half up. Segments are clipped in double
// before anything becomes an integer, so far-off ends draw exactly their visible part. A thicker
// line is a wider pen centred on the one-pixel line; segments that join end to start in one colour
// are gathered and drawn as one polyline, so a curve turns without corners sticking out.
class RasterPlotSurface final : public MappedSurface {
public:
    // Draws on `image`, which it first fills with the background; the image must outlive the
    // surface. A null image makes every drawing call fail. Labels are drawn at `ratio` device
    // pixels to a picture pixel.
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
    // The side of a thick line's square, in device pixels, and where it starts from a one-pixel
    // pen square's corner.
    int thickness() const { return m_penWidth * lineWidth(); }
    QPointF thickCorner(QPointF corner) const;
    // Where segments are cut: a margin beyond the pen's reach keeps rounding at a cut from
    // shortening what shows.
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

// The picture showing `content`, drawn afresh on exactly the device pixels of `grid` on
// `background` (or white or nothing, as the content's style says). When a drawing call fails, the
// image holds what was drawn before it and `failure` names the operation.
struct RasterImage {
    QImage image;
    std::optional<graphing::DrawingOperation> failure;
};
RasterImage renderImage(const graphing::PictureContent &content, const PixelGrid &grid,
                        QColor background, QColor foreground);

} // namespace plot
