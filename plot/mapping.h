#pragma once

#include "picturecontent.h"
#include "plotsurface.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <cmath>
#include <optional>

namespace plot {

// Where user coordinates land on a device, in double: the one mapping of every rendering and the
// read-off. A point lands on the top-left corner of its pen square, one picture pixel across; the
// scale's bottom-right on the last place a whole pen square fits.
class Mapping {
public:
    // The picture's -10..10 scale over `area`, with a pen square of `pen` device units.
    Mapping(const QRectF &area, QSizeF pen);

    // False (and no change) when the corners are not finite or span no width or height.
    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight);

    // The corner of the pen square at `user`, in device units, and the inverse.
    QPointF toDevice(graphing::UserPoint user) const;
    QPointF toUser(QPointF device) const;

    const QRectF &area() const { return m_area; }
    QSizeF pen() const { return m_pen; }

private:
    QRectF m_area;
    QSizeF m_pen;
    double m_left = 0;
    double m_top = 0;
    double m_xPerUnit = 1;
    double m_yPerUnit = 1;
};

// What both surfaces over Qt share: points checked and mapped, the current point, the foreground,
// labels placed. A surface draws marks given by their pen squares' corners in device units.
class MappedSurface : public graphing::PlotSurface {
public:
    bool setScale(graphing::UserPoint topLeft, graphing::UserPoint bottomRight) final;
    bool line(graphing::UserPoint from, graphing::UserPoint to,
              std::optional<graphing::Colour> colour) final;
    bool lineTo(graphing::UserPoint to, graphing::Colour colour) final;
    bool point(graphing::UserPoint at, graphing::Colour colour) final;
    bool setLineWidth(int pixels) override;
    bool label(graphing::UserPoint at, std::string_view text,
               graphing::LabelPlacement placement) final;
    graphing::UserPoint pixelSize() const final;

protected:
    // `pixel` is one picture pixel in device units, which labels are measured in.
    MappedSurface(const Mapping &mapping, QColor foreground, double pixel);

    // lineWidth() picture pixels thick; false when it could not be drawn.
    virtual bool drawSegment(QPointF from, QPointF to, const QColor &colour) = 0;
    virtual bool drawDot(QPointF at, const QColor &colour) = 0;
    virtual bool drawText(const QRectF &box, int alignment, const QString &text, const QFont &font,
                          const QColor &colour) = 0;

    const Mapping &mapping() const { return m_mapping; }
    int lineWidth() const { return m_lineWidth; }

private:
    Mapping m_mapping;
    QColor m_foreground;
    double m_pixel;
    int m_lineWidth = 1;
    graphing::UserPoint m_current;
};

// The device pixels that show a picture widget, in its window, at a device pixel ratio.
struct PixelGrid {
    QPoint origin; // the picture's first device pixel, counted in the window's device pixels
    QSize size;
    int penWidth = 1; // one logical pixel, in whole device pixels
    qreal ratio = 1;

    friend bool operator==(const PixelGrid &, const PixelGrid &) = default;

    // A widget at logical x..x+w shows the device columns round(x r) up to, not including,
    // round((x + w) r); rows likewise: both edges rounded, not the width.
    static PixelGrid forWidget(QPoint originInWindow, QSize size, qreal ratio);

    // The picture's scale over these pixels, showing `view`.
    Mapping mapping(const graphing::View &view) const;
    // The picture's device pixel under a logical position in the window, clamped to the picture.
    QPoint pixelAt(QPointF windowPosition) const;
    // The user point of `view` whose pen square that pixel is.
    QPointF userAt(QPointF windowPosition, const graphing::View &view) const
    {
        return mapping(view).toUser(QPointF(pixelAt(windowPosition)));
    }
    // The window's logical position of a point given in the picture's device pixels.
    QPointF windowPosition(QPointF device) const { return (device + QPointF(origin)) / ratio; }
};

// Cuts the segment down to the part inside `bounds`; false when none of it is. A cut end lies
// exactly on its edge, measured from the nearer end so that a far end costs no precision.
bool clipSegment(QPointF &from, QPointF &to, const QRectF &bounds);

// The device pixel a mark's corner lands on: rounded half up, the same for every coordinate.
// Only for values within a few pixels of the picture, so that the conversion cannot overflow.
inline QPoint devicePixel(QPointF corner)
{
    return {static_cast<int>(std::floor(corner.x() + 0.5)),
            static_cast<int>(std::floor(corner.y() + 0.5))};
}

inline bool isFinite(graphing::UserPoint point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

inline QColor toQColor(graphing::Colour colour)
{
    return {colour.red, colour.green, colour.blue};
}

// The colour a picture is drawn on: the window's `screen` colour, white, or transparent.
QColor backgroundColour(graphing::Background background, QColor screen);

// The face of every text in a picture and on its page; a sans-serif face stands in without it.
QFont pictureFont();

} // namespace plot
