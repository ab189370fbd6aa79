#pragma once

#include "picturecontent.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRect>
#include <QRectF>
#include <QStringList>

#include <optional>

namespace plot {

// How the picture stands on a printed page.
struct PageOptions {
    // One unit of both axes on paper, in millimetres; nothing for as large as the page allows.
    std::optional<double> unitLength;
    QStringList caption; // lines centred under the picture
    bool grey = false;   // in shades of grey
};

// The shortest unit a printed picture may have, in millimetres, also as large as the page allows.
inline constexpr double shortestUnitLength = 1;

// Draws what the picture shows afresh onto any target, at the window's geometry and colours.
class PictureRenderer {
public:
    PictureRenderer(QRect geometryInWindow, QColor background, QColor foreground);

    // Pixel for pixel what the window shows at `ratio`, carrying it; null when it cannot be drawn.
    QImage image(const graphing::PictureContent &content, qreal ratio) const;

    // An SVG document in the picture's pixels, each 0.2 mm (88.2 x 77 mm); empty on failure.
    QByteArray svg(const graphing::PictureContent &content) const;

    // A one-page PDF of the picture, a pixel a point, on white at least; empty on failure.
    QByteArray pdf(const graphing::PictureContent &content) const;

    // The room in millimetres the picture and its caption need on a page at least.
    QSizeF roomNeeded(const graphing::View &view, const PageOptions &options) const;
    bool fitsOnPage(const graphing::View &view, const QPageLayout &layout,
                    const PageOptions &options) const;
    // Paints the picture as vectors, its caption under it, centred in the printable area, on
    // white at least. False when it does not fit, or the device or a drawing call failed.
    bool paintPage(const graphing::PictureContent &content, QPagedPaintDevice &device,
                   const PageOptions &options = {}) const;
    // The same on any `device` that is the printable area of `layout`, each axis measured at its
    // own resolution.
    bool paintPage(const graphing::PictureContent &content, QPaintDevice &device,
                   const QPageLayout &layout, const PageOptions &options = {}) const;

private:
    // The picture's size on a page, in millimetres, at `unitLength` millimetres to the unit.
    QSizeF sizeAtUnitLength(const graphing::View &view, double unitLength) const;
    bool drawVectors(const graphing::PictureContent &content, QPainter &painter,
                     const QRectF &target, bool grey = false) const;

    QRect m_geometry;
    QColor m_background;
    QColor m_foreground;
};

} // namespace plot
