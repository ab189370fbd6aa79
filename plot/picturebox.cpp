#include "picturebox.h"

#include "rasterplotsurface.h"

#include <QPainter>

namespace plot {

PictureBox::PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent)
    : QWidget(parent), m_background(background), m_foreground(foreground)
{
    setFixedSize(size);
    // The image covers every pixel and keeps its content when the widget is exposed again.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
}

PixelGrid PictureBox::grid() const
{
    return PixelGrid::forWidget(mapTo(window(), QPoint(0, 0)), size(), devicePixelRatioF());
}

void PictureBox::setContent(const graphing::PictureContent &content)
{
    m_content = content;
    render(grid());
    update();
}

void PictureBox::render(const PixelGrid &grid)
{
    m_grid = grid;
    RasterImage rendering = renderImage(m_content, grid, m_background, m_foreground);
    m_image = std::move(rendering.image);
    if (rendering.failure)
        emit renderingFailed(QString::fromLatin1(graphing::operationName(*rendering.failure)));
}

void PictureBox::paintEvent(QPaintEvent * /*event*/)
{
    // The grid is checked here, where it takes effect: the window may have moved to another
    // screen, and Qt sends no event when only the pixel ratio changes.
    if (const PixelGrid now = grid(); now != m_grid)
        render(now);
    QPainter painter(this);
    // Painting in device pixels: the image's pixel (0, 0) lands on the first device pixel the
    // widget shows, and every other pixel one to one after it.
    painter.setWorldTransform(QTransform::fromScale(1 / m_grid.ratio, 1 / m_grid.ratio));
    painter.drawImage(QPoint(0, 0), m_image);
}

} // namespace plot
