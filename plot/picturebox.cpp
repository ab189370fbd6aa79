#include "picturebox.h"

#include "drawingfailed.h"

#include <QPaintEvent>
#include <QPainter>

namespace plot {

PictureBox::PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent)
    : QWidget(parent), m_logicalSize(size),
      m_surface(PixelGrid::forWidget({}, size, devicePixelRatioF()), background, foreground)
{
    setFixedSize(size);
    // The image covers every pixel and keeps its content when the widget is exposed again.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
}

PixelGrid PictureBox::currentGrid() const
{
    return PixelGrid::forWidget(mapTo(window(), QPoint(0, 0)), size(), devicePixelRatioF());
}

RasterPlotSurface &PictureBox::beginDrawing()
{
    followGrid();
    m_surface.begin();
    return m_surface;
}

void PictureBox::endDrawing(const graphing::PictureContent &drawn)
{
    m_surface.end();
    m_content = drawn;
    update();
}

void PictureBox::followGrid()
{
    const PixelGrid grid = currentGrid();
    if (grid == m_surface.grid())
        return;
    m_surface.reset(grid);
    m_surface.begin();
    try {
        graphing::drawPicture(m_surface, m_content);
    } catch (const graphing::DrawingFailed &failure) {
        emit renderingFailed(QString::fromLatin1(graphing::operationName(failure.operation())));
    }
    m_surface.end();
}

void PictureBox::paintEvent(QPaintEvent * /*event*/)
{
    // The ratio is read here, where it takes effect: the window may have moved to another screen.
    followGrid();
    QPainter painter(this);
    // Painting in device pixels: the image's pixel (0, 0) lands on the first device pixel the
    // widget shows, and every other pixel one to one after it.
    const qreal ratio = m_surface.grid().ratio;
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.drawImage(QPoint(0, 0), m_surface.image());
}

} // namespace plot
