#include "picturebox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace plot {

PictureBox::PictureBox(QSize size, QColor background, QColor foreground, QWidget *parent)
    : QWidget(parent), m_surface(size, devicePixelRatioF(), background, foreground)
{
    setFixedSize(size);
    // The image covers every pixel and keeps its content when the widget is exposed again.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QStylePainter painter(this);
    const QImage &image = m_surface.image();
    // The image is at device resolution: its logical rectangle maps onto it one to one.
    const qreal scale = m_surface.devicePixelRatio();
    const QRectF target = QRectF(event->rect());
    const QRectF source(target.x() * scale, target.y() * scale, target.width() * scale,
                        target.height() * scale);
    painter.drawImage(target, image, source);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Window);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

} // namespace plot
