#include "imageregions.h"

namespace e2e {

PixelTest isColour(QRgb colour)
{
    return
        [colour](QRgb pixel) { return qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) == colour; };
}

PixelTest isNotColour(QRgb colour)
{
    return [same = isColour(colour)](QRgb pixel) { return !same(pixel); };
}

QRect boundsOf(const QImage &image, const PixelTest &test, QRect area)
{
    QRect bounds;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QRect boundsOf(const QImage &image, const PixelTest &test)
{
    return boundsOf(image, test, image.rect());
}

bool anyPixel(const QImage &image, const PixelTest &test, QRect area)
{
    return !boundsOf(image, test, area).isNull();
}

QList<QPair<int, int>> rowRuns(const QImage &image, const PixelTest &test, QRect area)
{
    QList<QPair<int, int>> runs;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (!anyPixel(image, test, QRect(area.left(), y, area.width(), 1)))
            continue;
        if (!runs.isEmpty() && runs.last().second == y - 1)
            runs.last().second = y;
        else
            runs.append({y, y});
    }
    return runs;
}

} // namespace e2e
