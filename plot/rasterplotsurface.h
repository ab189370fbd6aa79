#pragma once

#include "plotsurface.h"

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QSize>

#include <optional>
#include <vector>

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
        double left;
        double top;
        double columnsPerUnit;
        double rowsPerUnit;
    };
    Scale scaleFor(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) const;

    QPainter *painter();
    void setPixel(QPoint pixel, QRgb colour);
    void drawPendingLines();
    void finishPainting();
    void moveTo(graphing::UserPoint to);
    bool drawSegment(QPointF from, QPointF to, QRgb colour);

    QSize m_logicalSize;
    qreal m_devicePixelRatio;
    int m_penWidth;
    QColor m_background;
    QColor m_foreground;
    QImage m_image;
    // Fixed by the image and the pen: where segments are cut.
    QRectF m_clipBounds;
    QPainter m_painter;
    // The pen the painter has, changed only when the colour does: a press draws thousands of
    // segments in one colour, and making a pen for each cost more than drawing them.
    QPen m_pen;
    QRgb m_penColour = qRgb(0, 0, 0);
    // Where the last segment ended and in which colour, while nothing else has been drawn since.
    struct DrawnEnd {
        QPoint pixel;
        QRgb colour;
    };
    std::optional<DrawnEnd> m_lastEnd;
    // Segments in the pen's colour not yet handed to the painter. The painter sets up its line
    // drawing once per call, which costs more than a short segment itself: a curve goes in one
    // call. Drawn, in order, before anything else is drawn and before the picture is read.
    std::vector<QLine> m_pendingLines;
    Scale m_scale;
    graphing::UserPoint m_current;
    // Where the current point lands, kept so that a line-to maps only its new end.
    QPointF m_currentDevice;
};

} // namespace plot
