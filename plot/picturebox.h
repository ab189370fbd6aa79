#pragma once

#include "rasterplotsurface.h"

#include <QWidget>

namespace plot {

// The picture area: shows its plot surface's image, pixel for pixel, and nothing else.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent = nullptr);

    RasterPlotSurface &surface() { return m_surface; }

    QSize sizeHint() const override { return m_surface.logicalSize(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RasterPlotSurface m_surface;
};

} // namespace plot
