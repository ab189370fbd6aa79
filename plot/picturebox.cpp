#include "picturebox.h"

#include "axes.h"
#include "drawingfailed.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace plot {

PictureBox::PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent)
    : QWidget(parent),
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

QPointF PictureBox::userPointAt(QPointF windowPosition)
{
    followGrid();
    const PixelGrid &grid = m_surface.grid();
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    // A pointer stands on a whole device pixel; the toolkit hands it over divided by the ratio.
    // The picture's first device column is the window's round(x r), as in PixelGrid.
    const auto devicePixel = [&grid](double logical, int start, int count) {
        const int pixel = qRound(logical * grid.ratio) - qRound(start * grid.ratio);
        return std::clamp(pixel, 0, count - 1);
    };
    const QPointF user =
        m_surface.toUser(QPointF(devicePixel(windowPosition.x(), origin.x(), grid.size.width()),
                                 devicePixel(windowPosition.y(), origin.y(), grid.size.height())));
    // The last columns and rows show the pen square of the scale's very edge.
    return {
        std::clamp(user.x(), double(graphing::plotTopLeft.x), double(graphing::plotBottomRight.x)),
        std::clamp(user.y(), double(graphing::plotBottomRight.y), double(graphing::plotTopLeft.y))};
}

QPointF PictureBox::windowPositionOf(QPointF user)
{
    followGrid();
    const PixelGrid &grid = m_surface.grid();
    const QPointF device =
        m_surface.toDevice({static_cast<float>(user.x()), static_cast<float>(user.y())});
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    const QPointF middle(std::floor(device.x() + 0.5) + grid.penWidth / 2.0,
                         std::floor(device.y() + 0.5) + grid.penWidth / 2.0);
    const QPointF firstPixel(qRound(origin.x() * grid.ratio), qRound(origin.y() * grid.ratio));
    return (middle + firstPixel) / grid.ratio;
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
