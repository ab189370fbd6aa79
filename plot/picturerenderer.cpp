#include "picturerenderer.h"

#include "drawingfailed.h"
#include "pixelgrid.h"
#include "rasterplotsurface.h"
#include "vectorplotsurface.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace plot {

namespace {

// Documents measure the picture at the resolution a screen of ratio 1 has.
constexpr int documentDpi = 96;
constexpr double pointsPerInch = 72;

// The generator gives the document's size in millimetres to six digits (101.865mm for 385 pixels),
// which renderers round up to a row more; the same size in CSS pixels is exact.
QByteArray withSizeInPixels(QByteArray document, QSize pixels)
{
    static const QRegularExpression size(
        QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    const QString header = QString::fromLatin1(document.left(256));
    const QRegularExpressionMatch match = size.match(header);
    if (!match.hasMatch())
        return document;
    document.replace(match.capturedStart(), match.capturedLength(),
                     "<svg width=\"" + QByteArray::number(pixels.width()) + "\" height=\""
                         + QByteArray::number(pixels.height()) + '"');
    return document;
}

// The page box as the PDF writer puts it: "/MediaBox [0 0 w h]", each number with six decimals.
QByteArray mediaBox(QSizeF points)
{
    return "/MediaBox [0 0 " + QByteArray::number(points.width(), 'f') + ' '
           + QByteArray::number(points.height(), 'f') + ']';
}

// Puts the page's exact size in points in place of the rounded one. The new numbers have as many
// characters as the old (330.750000 for 331.000000), so no offset in the file's cross-reference
// table moves; a document with another box is returned as it is.
QByteArray withExactMediaBox(QByteArray document, QSize roundedPoints, QSizeF exactPoints)
{
    const QByteArray rounded = mediaBox(QSizeF(roundedPoints));
    const QByteArray exact = mediaBox(exactPoints);
    const qsizetype at = document.indexOf(rounded);
    if (at < 0 || exact.size() != rounded.size() || document.indexOf(rounded, at + 1) >= 0)
        return document;
    document.replace(at, rounded.size(), exact);
    return document;
}

} // namespace

PictureRenderer::PictureRenderer(QRect geometryInWindow, QColor background, QColor foreground)
    : m_geometry(geometryInWindow), m_background(background), m_foreground(foreground)
{}

QImage PictureRenderer::image(const graphing::PictureContent &content, qreal ratio) const
{
    const PixelGrid grid = PixelGrid::forWidget(m_geometry.topLeft(), m_geometry.size(), ratio);
    if (!(ratio > 0) || grid.size.isEmpty())
        return {};
    RasterPlotSurface surface(grid, m_background, m_foreground);
    if (!surface.begin())
        return {};
    try {
        graphing::drawPicture(surface, content);
    } catch (const graphing::DrawingFailed &) {
        return {};
    }
    surface.end();
    QImage picture = surface.image();
    picture.setDevicePixelRatio(ratio);
    return picture;
}

bool PictureRenderer::drawVectors(const graphing::PictureContent &content, QPainter &painter,
                                  const QRectF &target) const
{
    VectorPlotSurface surface(painter, target, QSizeF(m_geometry.size()), m_background,
                              m_foreground);
    try {
        graphing::drawPicture(surface, content);
    } catch (const graphing::DrawingFailed &) {
        return false;
    }
    return surface.finish();
}

QByteArray PictureRenderer::svg(const graphing::PictureContent &content) const
{
    QByteArray document;
    QBuffer buffer(&document);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(m_geometry.size());
    generator.setViewBox(QRect(QPoint(0, 0), m_geometry.size()));
    generator.setResolution(documentDpi);
    generator.setTitle(QStringLiteral("Graph"));
    QPainter painter;
    if (!painter.begin(&generator))
        return {};
    const bool drawn = drawVectors(content, painter, QRectF(QPointF(0, 0), m_geometry.size()));
    if (!painter.end() || !drawn)
        return {};
    return withSizeInPixels(document, m_geometry.size());
}

QByteArray PictureRenderer::pdf(const graphing::PictureContent &content) const
{
    QByteArray document;
    QBuffer buffer(&document);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QPdfWriter writer(&buffer);
    writer.setResolution(documentDpi);
    writer.setCreator(QStringLiteral("function-graph"));
    writer.setTitle(QStringLiteral("Graph"));
    const QSizeF exactPoints = QSizeF(m_geometry.size()) * pointsPerInch / documentDpi;
    writer.setPageLayout(QPageLayout(QPageSize(exactPoints, QPageSize::Point),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // The writer keeps the page in whole points (331 x 289 for 330.75 x 288.75) and counts the
    // page's rows from the top of that rounded height. The page's box is corrected below; the
    // picture is lowered by the difference, so that it fills the corrected page exactly.
    const QSize roundedPoints = writer.pageLayout().fullRectPoints().size();
    const double lowered =
        (roundedPoints.height() - exactPoints.height()) * documentDpi / pointsPerInch;
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    const bool drawn =
        drawVectors(content, painter, QRectF(QPointF(0, lowered), QSizeF(m_geometry.size())));
    if (!painter.end() || !drawn)
        return {};
    return withExactMediaBox(document, roundedPoints, exactPoints);
}

void PictureRenderer::paint(const graphing::PictureContent &content, QPainter &painter,
                            const QRectF &target) const
{
    if (!painter.isActive() || target.isEmpty() || m_geometry.isEmpty())
        return;
    const QSizeF fitted = QSizeF(m_geometry.size()).scaled(target.size(), Qt::KeepAspectRatio);
    QRectF placed(QPointF(0, 0), fitted);
    placed.moveCenter(target.center());
    painter.save();
    // A square cap at a slanted cut may reach a fraction of a pixel past the picture.
    painter.setClipRect(placed, Qt::IntersectClip);
    drawVectors(content, painter, placed);
    painter.restore();
}

} // namespace plot
