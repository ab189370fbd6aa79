#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

namespace testsupport {

// Pixels that fail a check: how many, and the first few for the failure message.
class Mismatches {
public:
    void add(QPoint at, const QString &what = {});
    bool isEmpty() const { return m_count == 0; }
    int count() const { return m_count; }
    // "12 <what>, e.g. (3,4) is #ff0000, ..."
    QString summary(const QString &what) const;

private:
    int m_count = 0;
    QStringList m_examples;
};

// The smallest rectangle of `area` (the whole image when null) holding every pixel that is
// `colour`, or with `is` false every pixel that is not; null when there is none.
QRect boundsOf(const QImage &image, QRgb colour, QRect area = {}, bool is = true);

// What is wrong with `picture`, the device pixels of the picture area, as the picture of function
// `function` (0: the start-up frame) at `ratio`, checked against ExpectedPicture: the size; the
// frame pixel for pixel wherever the curve is not, with no blended colour; every curve pixel within
// one pixel of where the formula puts it, and every expected one shown within one pixel, nine in
// ten exactly there; the curve as thick as the pen and, above one pixel, drawn at device
// resolution, not enlarged. One line per kind of fault; empty when the picture is right. `size`,
// when given, is the picture's where it stands elsewhere than in the window at rest.
QStringList pictureFaults(const QImage &picture, qreal ratio, int function, QSize size = {});

// The same pictures pixel for pixel: empty, or what differs (the size, or the pixels).
QString pixelDifferences(const QImage &actual, const QImage &expected);

// What is wrong with a document (SVG, PDF) of function `function` rasterised at the picture's
// 441x385: smoothed edges count where the ink covers over a third of a pixel, and every mark of
// the picture at ratio 1 (the magenta or black frame, the red curve) has one of its kind within a
// pixel in the document, and the other way round.
QStringList documentFaults(const QImage &rasterised, int function);

} // namespace testsupport
