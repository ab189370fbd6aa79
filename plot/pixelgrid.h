#pragma once

#include <QPoint>
#include <QSize>
#include <QtGlobal>

namespace plot {

// The device pixels that show a picture, and the pen that draws one logical pixel on them.
struct PixelGrid {
    QSize size;
    int penWidth = 1;
    qreal ratio = 1;

    friend bool operator==(const PixelGrid &, const PixelGrid &) = default;

    // The pixels a widget of logical `size`, placed at `origin` in its window, shows at `ratio`:
    // the window's device columns round(x r) up to round((x + w) r), rows likewise. Rounding both
    // edges, not the width, is what makes the last row and column the ones the screen shows.
    static PixelGrid forWidget(QPoint origin, QSize size, qreal ratio)
    {
        const auto span = [ratio](int start, int length) {
            return qRound((start + length) * ratio) - qRound(start * ratio);
        };
        return {QSize(span(origin.x(), size.width()), span(origin.y(), size.height())),
                qMax(1, qRound(ratio)), ratio};
    }
};

} // namespace plot
