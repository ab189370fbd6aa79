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
    // The length of one unit of the axes on paper, in millimetres, the same on both axes; nothing
    // for as large as the page allows at the picture's own proportions.
    std::optional<double> unitLength;
    // Lines printed centred under the picture.
    QStringList caption;
    // In shades of grey, as a printer set to grayscale prints.
    bool grey = false;
};

// The shortest unit a printed picture may have, in millimetres: also the smallest that "as large
// as the page allows" accepts, its x-axis 2 cm long.
inline constexpr double shortestUnitLength = 1;

// Draws what the picture shows onto any target, with the geometry and colours the window gives it.
// Every rendering is the graphing code drawing the content afresh, never a copy of the screen.
class PictureRenderer {
public:
    PictureRenderer(QRect geometryInWindow, QColor background, QColor foreground);

    // The picture at device pixel ratio `ratio`: pixel for pixel what the window shows at that
    // ratio, and carrying that ratio. A null image when it cannot be drawn.
    QImage image(const graphing::PictureContent &content, qreal ratio) const;

    // An SVG document whose user units are the picture's pixels (viewBox 0 0 441 385), one pixel
    // being 0.2 mm (88.2 x 77 mm); empty on failure.
    QByteArray svg(const graphing::PictureContent &content) const;

    // A one-page PDF whose page is the picture, one pixel being one point (441 x 385 pt); empty
    // on failure. A transparent background is white here.
    QByteArray pdf(const graphing::PictureContent &content) const;

    // The room the picture and its caption need on a page as `options` ask, in millimetres: at
    // the unit length asked, or as large as the page allows at the shortest unit length.
    QSizeF roomNeeded(const graphing::View &view, const PageOptions &options) const;
    // Whether the picture of `view` and its caption fit the printable area of `layout` as
    // `options` ask.
    bool fitsOnPage(const graphing::View &view, const QPageLayout &layout,
                    const PageOptions &options) const;
    // Paints the picture as vectors on the page of `device` (a printer, a PDF writer) with its
    // caption under it, the two centred in the printable area. A transparent background is white.
    // False when it does not fit, or the device or a drawing call failed.
    bool paintPage(const graphing::PictureContent &content, QPagedPaintDevice &device,
                   const PageOptions &options = {}) const;
    // The same on any `device` that is the printable area of `layout`, its origin at the area's
    // top-left corner: millimetres are measured along each axis at that axis's resolution
    // (logicalDpiX, logicalDpiY), so a device of other resolutions across and down prints the
    // same sizes.
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
