#pragma once

#include "picturecontent.h"
#include "rasterplotsurface.h"

#include <QWidget>

namespace plot {

// The picture area. It keeps what it shows as a value (PictureContent) and one rendering of it,
// an image of exactly the device pixels the widget covers; the screen shows that image pixel for
// pixel. When the pixel ratio or the device size changes (another screen, another scale), the
// value is drawn again at the new size: an image is never scaled.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent = nullptr);

    // One press: opens the picture for drawing and returns the surface to draw on, ready at the
    // current pixel grid. endDrawing() closes it and records `drawn` as what the picture now
    // shows (also when the drawing stopped part-way: the next rendering completes it).
    RasterPlotSurface &beginDrawing();
    void endDrawing(const graphing::PictureContent &drawn);

    RasterPlotSurface &surface() { return m_surface; }
    const graphing::PictureContent &content() const { return m_content; }

    // The device pixels the widget covers now, in its window at its screen's ratio.
    PixelGrid currentGrid() const;

    // The user point that the device pixel under `windowPosition` shows, by the picture's own
    // mapping, within the -10..10 the picture spans. Positions are the window's logical
    // coordinates, as pointer events give them; one beyond the picture counts as its edge.
    QPointF userPointAt(QPointF windowPosition);
    // The middle of the pen square that `user` lands on, in the window's logical coordinates.
    QPointF windowPositionOf(QPointF user);

signals:
    // Drawing the picture again at a new size failed at this operation.
    void renderingFailed(const QString &operation);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Brings the image to the current pixel grid, drawing the content again if it changed.
    void followGrid();

    RasterPlotSurface m_surface;
    graphing::PictureContent m_content;
};

} // namespace plot
