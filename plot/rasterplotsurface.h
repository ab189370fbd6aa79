#pragma once

#include "pixelgrid.h"
#include "plotsurface.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

namespace plot {

// A plot surface that draws into an image of device pixels. The image is the picture: a widget
// only copies it to the screen, so what was drawn survives the window being covered.
//
// User points become device pixels in one place (toDevice), in double precision: the scale's
// left and right edges land on the first and the last column a pen can start on, so a mark at
// either edge is drawn whole; likewise for rows. Lines are solid, aliased and one logical pixel
// thick (a square pen of PixelGrid::penWidth device pixels); segments are clipped in double
// before anything becomes an integer, so far-off ends draw exactly their visible part.
//
// Drawing happens between begin() and end(), which the surface's owner calls around one press,
// as with any QPainter: calls outside report failure.
class RasterPlotSurface final : public graphing::PlotSurface {
public:
    RasterPlotSurface(const PixelGrid &grid, QColor background, QColor foreground);

    RasterPlotSurface(const RasterPlotSurface &) = delete;
    RasterPlotSurface &operator=(const RasterPlotSurface &) = delete;

    // Starts again on a blank image of `grid`, with the scale in device pixels.
    void reset(const PixelGrid &grid);

    bool begin();
    void end();

    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) override;
    bool clear() override;
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) override;
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) override;
    bool point(graphing::UserPoint at, graphing::Colour colour) override;

    const QImage &image() const { return m_image; }
    const PixelGrid &grid() const { return m_grid; }
    graphing::UserPoint currentPoint() const { return m_current; }

    // Where a user point lands, in device pixels (not rounded). A pixel is the pen's top-left.
    QPointF toDevice(graphing::UserPoint user) const;

private:
    bool drawSegment(QPointF from, QPointF to, const QColor &colour);

    PixelGrid m_grid;
    QColor m_background;
    QColor m_foreground;
    QImage m_image;
    QPainter m_painter;
    QPen m_pen;
    // Where segments are cut: a margin beyond the pen's reach keeps rounding at a cut from
    // shortening what shows.
    QRectF m_clipBounds;
    // The scale as device pixels per user unit, from the user point at the top-left corner.
    double m_left = 0;
    double m_top = 0;
    double m_columnsPerUnit = 1;
    double m_rowsPerUnit = 1;
    graphing::UserPoint m_current;
};

} // namespace plot
