#include "expectedpicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace testsupport {

namespace {

std::int64_t roundHalfUp(double coordinate)
{
    return static_cast<std::int64_t>(std::floor(coordinate + 0.5));
}

// Rounds half up a / b for b > 0, exactly, whatever the signs of a.
std::int64_t dividedRounded(std::int64_t a, std::int64_t b)
{
    const std::int64_t twice = 2 * a + b;
    const std::int64_t quotient = twice / (2 * b);
    return quotient - ((twice % (2 * b) != 0 && twice < 0) ? 1 : 0);
}

// Every pixel of the one-pixel line from `from` to `to` (ends included), grown into pen squares.
// Ends far outside the picture are walked all the same: with integers of 64 bits that is only slow
// for the few million steps the steepest chord of the catalogue takes.
template <typename Plot> void rasterizeSegment(QPointF from, QPointF to, int penWidth, Plot plot)
{
    const std::int64_t x0 = roundHalfUp(from.x());
    const std::int64_t y0 = roundHalfUp(from.y());
    const std::int64_t dx = roundHalfUp(to.x()) - x0;
    const std::int64_t dy = roundHalfUp(to.y()) - y0;
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    for (std::int64_t k = 0; k <= steps; ++k) {
        const std::int64_t x = steps == 0 ? x0 : x0 + dividedRounded(k * dx, steps);
        const std::int64_t y = steps == 0 ? y0 : y0 + dividedRounded(k * dy, steps);
        // Only pixels near the picture matter; the rest cannot reach it.
        if (x < -penWidth || y < -penWidth || x > 1 << 20 || y > 1 << 20)
            continue;
        for (int py = 0; py < penWidth; ++py)
            for (int px = 0; px < penWidth; ++px)
                plot(QPoint(static_cast<int>(x) + px, static_cast<int>(y) + py));
    }
}

double catalogueValue(int number, double x)
{
    switch (number) {
    case 1: return x * x - 2;
    case 2: return x * std::exp(-x) + 2;
    case 3: return std::sin(x) * 5.0 / x; // the samples never hit 0 exactly
    case 4: return std::exp(x) - 1.0 - x * x;
    case 5: return std::sqrt(x * x + 1);
    default: throw std::invalid_argument("the catalogue holds functions 1 to 5");
    }
}

} // namespace

qreal storedRatio(qreal factor)
{
    return std::floor(factor * 65536) / 65536;
}

QRect deviceRect(QRect logical, qreal ratio)
{
    const QPoint topLeft(qRound(logical.left() * ratio), qRound(logical.top() * ratio));
    const QPoint end(qRound((logical.left() + logical.width()) * ratio),
                     qRound((logical.top() + logical.height()) * ratio));
    return {topLeft, end - QPoint(1, 1)};
}

ExpectedPicture::ExpectedPicture(qreal ratio, QSize size)
    : m_size(size.isEmpty() ? deviceRect(logicalPictureRect, ratio).size() : size),
      m_penWidth(std::max(1, qRound(ratio)))
{}

QPointF ExpectedPicture::toDevice(float x, float y) const
{
    const double columns = m_size.width() - m_penWidth;
    const double rows = m_size.height() - m_penWidth;
    return {(double(x) + 10) / 20 * columns, (10 - double(y)) / 20 * rows};
}

QImage ExpectedPicture::frame(int function) const
{
    constexpr float tickHalfLength = 0.1F;
    const int lastTick = function == 0 ? 9 : 10;
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(pictureBackground);
    auto line = [&](float x1, float y1, float x2, float y2, QRgb colour) {
        rasterizeSegment(toDevice(x1, y1), toDevice(x2, y2), m_penWidth, [&](QPoint at) {
            if (image.rect().contains(at))
                image.setPixel(at, colour);
        });
    };
    line(-10, 0, 10, 0, function == 0 ? startupAxisColour : foreground);
    line(0, 10, 0, -10, foreground);
    for (int i = -lastTick; i <= lastTick; ++i) {
        const auto at = static_cast<float>(i);
        line(at, -tickHalfLength, at, tickHalfLength, foreground);
        line(-tickHalfLength, at, tickHalfLength, at, foreground);
    }
    return image;
}

QImage ExpectedPicture::picture(int function) const
{
    QImage image = frame(function);
    if (function == 0)
        return image;
    auto plot = [&image](QPoint at) {
        if (image.rect().contains(at))
            image.setPixel(at, curveColour);
    };
    auto device = [this](double x, double y) {
        return toDevice(static_cast<float>(x), static_cast<float>(y));
    };
    QPointF current = device(-10, catalogueValue(function, -10));
    rasterizeSegment(current, current, m_penWidth, plot);
    for (double x = -10; x <= 10; x += 0.01) {
        const double y = catalogueValue(function, x);
        if (y > -10 && y < 10) {
            const QPointF next = device(x, y);
            rasterizeSegment(current, next, m_penWidth, plot);
            current = next;
        }
    }
    return image;
}

} // namespace testsupport
