#include "picturecheck.h"

#include "expectedpicture.h"

#include <functional>
#include <utility>

namespace testsupport {

namespace {

using PixelTest = std::function<bool(QPoint)>;

QString colourText(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & RGB_MASK, 6, 16, QLatin1Char('0'));
}

QRgb colourAt(const QImage &image, QPoint at)
{
    return image.pixel(at) | ~RGB_MASK;
}

// The pixels of `image` that are `colour` and fail `test`.
Mismatches failing(const QImage &image, QRgb colour, const PixelTest &test)
{
    Mismatches failed;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colourAt(image, {x, y}) == colour && !test({x, y}))
                failed.add({x, y});
    return failed;
}

// Whether a pixel of `colour` lies at most one pixel from `at` along both axes.
bool near(const QImage &image, QPoint at, QRgb colour)
{
    return !boundsOf(image, colour, QRect(at - QPoint(1, 1), QSize(3, 3))).isNull();
}

// Whether the pen square with its top-left pixel at `corner` is red where it is in the picture.
bool redSquare(const QImage &image, QPoint corner, int pen)
{
    return boundsOf(image, curveColour, QRect(corner, QSize(pen, pen)), false).isNull();
}

int countOf(const QImage &image, QRgb colour)
{
    return failing(image, colour, [](QPoint) { return false; }).count();
}

void addFault(QStringList &faults, const Mismatches &mismatches, const char *what)
{
    if (!mismatches.isEmpty())
        faults << mismatches.summary(QLatin1String(what));
}

enum class Mark { None, Black, Magenta, Curve };

// What a pixel shows over the background: every ink has no green, so the green that is left
// tells the coverage, and the ink's own red and blue follow from it.
Mark markOf(QRgb pixel)
{
    const double coverage = 1 - qGreen(pixel) / 255.0;
    if (coverage < 0.35)
        return Mark::None;
    const double red = (qRed(pixel) - (1 - coverage) * qRed(pictureBackground)) / coverage;
    const double blue = (qBlue(pixel) - (1 - coverage) * qBlue(pictureBackground)) / coverage;
    if (red > 190 && blue < 64)
        return Mark::Curve;
    return blue > 64 ? Mark::Magenta : Mark::Black;
}

// The marks of `image` with no mark of their kind within one pixel in `other`. Where the curve
// runs along a tick, the raster's curve covers the tick whole while the smoothed vector's tick
// shows a fraction of a pixel beside it: with `frameMayMeetCurve`, any mark matches a frame mark.
Mismatches unmatchedMarks(const QImage &image, const QImage &other, bool frameMayMeetCurve)
{
    Mismatches unmatched;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Mark mark = markOf(image.pixel(x, y));
            bool matched = mark == Mark::None;
            for (int dy = -1; dy <= 1 && !matched; ++dy) {
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    const QPoint at(x + dx, y + dy);
                    const Mark found = other.rect().contains(at) ? markOf(other.pixel(at)) : mark;
                    matched = found == mark
                              || (frameMayMeetCurve && mark != Mark::Curve && found != Mark::None);
                }
            }
            if (!matched)
                unmatched.add({x, y}, QStringLiteral(" is ") + colourText(image.pixel(x, y)));
        }
    }
    return unmatched;
}

QString sizeFault(QSize actual, QSize expected)
{
    return QStringLiteral("size %1x%2, expected %3x%4")
        .arg(actual.width())
        .arg(actual.height())
        .arg(expected.width())
        .arg(expected.height());
}

} // namespace

void Mismatches::add(QPoint at, const QString &what)
{
    if (++m_count <= 5)
        m_examples << QStringLiteral("(%1,%2)%3").arg(at.x()).arg(at.y()).arg(what);
}

QString Mismatches::summary(const QString &what) const
{
    return QStringLiteral("%1 %2, e.g. %3").arg(m_count).arg(what, m_examples.join(", "));
}

QRect boundsOf(const QImage &image, QRgb colour, QRect area, bool is)
{
    QRect bounds;
    area = area.isNull() ? image.rect() : area & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((colourAt(image, {x, y}) == colour) == is)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QStringList pictureFaults(const QImage &picture, qreal ratio, int function, QSize size)
{
    const ExpectedPicture expected(ratio, size);
    if (picture.size() != expected.size())
        return {sizeFault(picture.size(), expected.size())};
    QStringList faults;
    // Under the curve, exactly the frame.
    const QImage frame = expected.frame(function);
    Mismatches offFrame;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = colourAt(picture, {x, y});
            if (colour != frame.pixel(x, y) && (function == 0 || colour != curveColour))
                offFrame.add({x, y}, QStringLiteral(" is %1 not %2")
                                         .arg(colourText(colour), colourText(frame.pixel(x, y))));
        }
    }
    addFault(faults, offFrame, "pixels differ from the frame");
    if (function == 0)
        return faults;

    // The curve where the formula puts it, within a pixel either way.
    const QImage traced = expected.picture(function);
    addFault(
        faults,
        failing(traced, curveColour, [&](QPoint at) { return near(picture, at, curveColour); }),
        "curve pixels missing");
    addFault(
        faults,
        failing(picture, curveColour, [&](QPoint at) { return near(traced, at, curveColour); }),
        "red pixels off the curve");
    // Pixel for pixel where the two ways of walking a line agree, as they do for nine in ten.
    for (const auto &[one, other] : {std::pair{&traced, &picture}, {&picture, &traced}}) {
        const QImage &image = *one;
        const QImage &against = *other;
        const int all = countOf(image, curveColour);
        const int apart = failing(image, curveColour, [&against](QPoint at) {
                              return colourAt(against, at) == curveColour;
                          }).count();
        if (apart * 10 > all)
            faults << QStringLiteral("%1 of %2 curve pixels not exactly where expected")
                          .arg(apart)
                          .arg(all);
    }
    // As thick as the pen: every red pixel lies in a red pen square.
    const int pen = expected.penWidth();
    addFault(faults,
             failing(picture, curveColour,
                     [&](QPoint at) {
                         for (int corner = 0; corner < pen * pen; ++corner)
                             if (redSquare(picture, at - QPoint(corner % pen, corner / pen), pen))
                                 return true;
                         return false;
                     }),
             "red pixels thinner than the pen");
    // Drawn at device resolution, the pen squares fall on odd places as often as on even ones; a
    // small picture enlarged consists of whole aligned blocks only.
    if (pen > 1) {
        const int red = countOf(picture, curveColour);
        const int offGrid =
            failing(picture, curveColour, [&](QPoint at) {
                return redSquare(picture, {at.x() / pen * pen, at.y() / pen * pen}, pen);
            }).count();
        if (offGrid * 4 < red)
            faults << QStringLiteral("only %1 of %2 red pixels off the logical grid: enlarged")
                          .arg(offGrid)
                          .arg(red);
    }
    return faults;
}

QString pixelDifferences(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return sizeFault(actual.size(), expected.size());
    Mismatches differing;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb colour = colourAt(actual, {x, y});
            if (colour != colourAt(expected, {x, y}))
                differing.add({x, y}, QStringLiteral(" is ") + colourText(colour));
        }
    }
    return differing.isEmpty() ? QString() : differing.summary(QStringLiteral("pixels differ"));
}

QStringList documentFaults(const QImage &rasterised, int function)
{
    const QImage expected = ExpectedPicture(1).picture(function);
    if (rasterised.size() != expected.size())
        return {sizeFault(rasterised.size(), expected.size())};
    QStringList faults;
    addFault(faults, unmatchedMarks(expected, rasterised, false), "marks missing");
    addFault(faults, unmatchedMarks(rasterised, expected, true), "marks too many");
    return faults;
}

} // namespace testsupport
