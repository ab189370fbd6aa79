#pragma once

#include "plotsurface.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QSize>

namespace plot {

// A plot surface that draws into a persistent image at device resolution. The image is the
// picture: a widget only copies it to the screen, so what was drawn survives the window being
// covered, and drawing done before the window first shows is kept.
//
// User points become device pixels in one place (toDevice), in double precision: the first user
// column lands on the first pixel column and the last on the last, points and lines alike. Lines
// are solid, aliased and one logical pixel thick (devicePixelRatio pixels on a dense screen);
// segments are clipped in double before anything becomes an integer, so far-off ends draw exactly
// their visible part.
class RasterPlotSurface final : public graphing::PlotSurface {
public:
    RasterPlotSurface(QSize logicalSize, qreal devicePixelRatio, QColor background,
                      QColor foreground);
    ~RasterPlotSurface() override;

    RasterPlotSurface(const RasterPlotSurface &) = delete;
    RasterPlotSurface &operator=(const RasterPlotSurface &) = delete;

    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) override;
    bool clear() override;
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) override;
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) override;
    bool point(graphing::UserPoint at, graphing::Colour colour) override;

    // The picture in device pixels, with everything drawn so far.
    const QImage &image();

    QSize logicalSize() const { return m_logicalSize; }
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    graphing::UserPoint currentPoint() const { return m_current; }

    // Where a user point lands, in device pixels (not rounded). A pixel is the pen's top-left.
    QPointF toDevice(graphing::UserPoint user) const;

private:
    struct Scale {
        double left = 0;
        double top = 0;
        double right = 1;
        double bottom = 1;
    };

    QPainter *painter();
    void finishPainting();
    bool drawSegment(QPointF from, QPointF to, QColor colour);

    QSize m_logicalSize;
    qreal m_devicePixelRatio;
    int m_penWidth;
    QColor m_background;
    QColor m_foreground;
    QImage m_image;
    QPainter m_painter;
    Scale m_scale;
    graphing::UserPoint m_current;
};

} // namespace plot
