#include "floorpicture.h"

#include "axes.h"

#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace bench {

namespace {

QRgb toRgb(graphing::Colour colour)
{
    return qRgb(colour.red, colour.green, colour.blue);
}

int toPixel(double coordinate)
{
    return static_cast<int>(std::floor(coordinate + 0.5));
}

// Cuts a segment to `bounds` by its parameter range; false when nothing of it is inside.
bool clip(QPointF &from, QPointF &to, const QRectF &bounds)
{
    const QPointF delta = to - from;
    const double p[4] = {-delta.x(), delta.x(), -delta.y(), delta.y()};
    const double q[4] = {from.x() - bounds.left(), bounds.right() - from.x(),
                         from.y() - bounds.top(), bounds.bottom() - from.y()};
    double enter = 0;
    double leave = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    const QPointF start = from;
    from = start + enter * delta;
    to = start + leave * delta;
    return true;
}

// Takes the tracer's calls and keeps them as the pixels they stand for.
class PixelRecorder final : public graphing::PlotSurface {
public:
    PixelRecorder(FloorPicture &picture, QRgb foreground)
        : m_picture(picture), m_foreground(foreground)
    {}

    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) override
    {
        m_topLeft = topLeft;
        m_bottomRight = bottomRight;
        return true;
    }
    bool clear() override { return true; }
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) override
    {
        m_current = to;
        record(from, to, colour ? toRgb(*colour) : m_foreground);
        return true;
    }
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) override
    {
        const graphing::UserPoint from = m_current;
        m_current = to;
        record(from, to, toRgb(colour));
        return true;
    }
    bool point(graphing::UserPoint at, graphing::Colour colour) override
    {
        m_current = at;
        const QPointF device = toDevice(at);
        const QPoint pixel(toPixel(device.x()), toPixel(device.y()));
        if (QRect(QPoint(0, 0), m_picture.size).contains(pixel))
            m_picture.marks.push_back({pixel, pixel, toRgb(colour)});
        return true;
    }
    // The press measured draws in the window's style: one-pixel lines, no labels.
    bool setLineWidth(int pixels) override { return pixels == 1; }
    bool label(graphing::UserPoint /*at*/, std::string_view /*text*/,
               graphing::LabelPlacement /*placement*/) override
    {
        return false;
    }
    graphing::UserPoint pixelSize() const override
    {
        return {std::abs(m_bottomRight.x - m_topLeft.x) / (m_picture.size.width() - 1),
                std::abs(m_bottomRight.y - m_topLeft.y) / (m_picture.size.height() - 1)};
    }

private:
    QPointF toDevice(graphing::UserPoint user) const
    {
        const double columns = m_picture.size.width() - 1;
        const double rows = m_picture.size.height() - 1;
        return {(double(user.x) - m_topLeft.x) / (m_bottomRight.x - m_topLeft.x) * columns,
                (double(user.y) - m_topLeft.y) / (m_bottomRight.y - m_topLeft.y) * rows};
    }

    void record(graphing::UserPoint from, graphing::UserPoint to, QRgb colour) const
    {
        QPointF start = toDevice(from);
        QPointF end = toDevice(to);
        // Two pixels of margin, so that rounding at a cut never shortens what shows.
        const QRectF bounds = QRectF(QPointF(0, 0), m_picture.size).adjusted(-2, -2, 2, 2);
        if (!clip(start, end, bounds))
            return;
        m_picture.marks.push_back({QPoint(toPixel(start.x()), toPixel(start.y())),
                                   QPoint(toPixel(end.x()), toPixel(end.y())), colour});
    }

    FloorPicture &m_picture;
    QRgb m_foreground;
    graphing::UserPoint m_topLeft{0, 0};
    graphing::UserPoint m_bottomRight{1, 1};
    graphing::UserPoint m_current;
};

} // namespace

FloorPicture recordPress(QSize size, QColor background, QColor foreground,
                         const graphing::CurveFunction &f)
{
    FloorPicture picture{size, background, {}};
    PixelRecorder recorder(picture, foreground.rgb());
    const graphing::View window;
    recorder.setScale(window.topLeft(), window.bottomRight());
    graphing::drawGraphFrame(recorder, window);
    graphing::traceCurve(recorder, f);
    return picture;
}

void drawFloor(QImage &image, const FloorPicture &picture)
{
    QPainter painter(&image);
    painter.fillRect(image.rect(), picture.background);
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap);
    pen.setCosmetic(true);
    painter.setPen(pen);
    QRgb penColour = pen.color().rgb();
    for (const FloorPicture::Mark &mark : picture.marks) {
        if (mark.colour != penColour) {
            penColour = mark.colour;
            pen.setColor(QColor::fromRgb(penColour));
            painter.setPen(pen);
        }
        if (mark.from == mark.to)
            painter.drawPoint(mark.from);
        else
            painter.drawLine(mark.from, mark.to);
    }
}

} // namespace bench
