#include "picturecheck.h"

#include "expectedpicture.h"

namespace testsupport {

namespace {

// How far, in device pixels along both axes, a curve pixel may lie from where it is expected.
constexpr int curveTolerance = 1;

QString colourText(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & RGB_MASK, 6, 16, QLatin1Char('0'));
}

void addFault(QStringList &faults, const Mismatches &mismatches, const char *what)
{
    if (!mismatches.isEmpty())
        faults << mismatches.summary(QLatin1String(what));
}

// Whether every pixel of the pen square with its top-left corner at `corner` is in `pixels` or
// cut off by the picture's edge.
bool fullSquare(const PixelSet &pixels, QSize size, QPoint corner, int pen)
{
    for (int y = 0; y < pen; ++y) {
        for (int x = 0; x < pen; ++x) {
            const QPoint at = corner + QPoint(x, y);
            if (!pixels.contains(at) && QRect(QPoint(0, 0), size).contains(at))
                return false;
        }
    }
    return true;
}

// The red pixels that belong to no full pen square of red, and how many lie in no whole
// pen-aligned block: a picture drawn small and enlarged consists of such blocks only.
void checkPenWeight(const PixelSet &red, QSize size, int pen, QStringList &faults)
{
    Mismatches thin;
    int redCount = 0;
    int offGrid = 0;
    red.forEach([&](QPoint at) {
        ++redCount;
        bool inSquare = false;
        for (int dy = 0; dy < pen && !inSquare; ++dy) {
            for (int dx = 0; dx < pen && !inSquare; ++dx)
                inSquare = fullSquare(red, size, at - QPoint(dx, dy), pen);
        }
        if (!inSquare)
            thin.add(at);
        offGrid +=
            fullSquare(red, size, QPoint(at.x() / pen * pen, at.y() / pen * pen), pen) ? 0 : 1;
    });
    addFault(faults, thin, "red pixels thinner than the pen");
    if (pen > 1 && offGrid * 4 < redCount)
        faults << QStringLiteral("only %1 of %2 red pixels off the logical grid: enlarged")
                      .arg(offGrid)
                      .arg(redCount);
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
            if (mark == Mark::None)
                continue;
            bool matched = false;
            for (int dy = -1; dy <= 1 && !matched; ++dy) {
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    const QPoint near(x + dx, y + dy);
                    if (!other.rect().contains(near))
                        continue;
                    const Mark found = markOf(other.pixel(near));
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

QStringList pictureFaults(const QImage &picture, qreal ratio, int function)
{
    const ExpectedPicture expected(ratio);
    if (picture.size() != expected.size())
        return {QStringLiteral("the picture is %1x%2, not %3x%4")
                    .arg(picture.width())
                    .arg(picture.height())
                    .arg(expected.size().width())
                    .arg(expected.size().height())};
    QStringList faults;
    const QImage frame = expected.frame(function);
    Mismatches offFrame;
    PixelSet red(picture.size());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y) | ~RGB_MASK;
            if (function > 0 && colour == curveColour)
                red.insert({x, y});
            else if (colour != frame.pixel(x, y))
                offFrame.add({x, y}, QStringLiteral(" is %1 not %2")
                                         .arg(colourText(colour), colourText(frame.pixel(x, y))));
        }
    }
    addFault(faults, offFrame, "pixels differ from the frame");
    if (function == 0)
        return faults;

    const PixelSet expectedRed = expected.curve(function);
    Mismatches missing;
    expectedRed.forEach([&](QPoint at) {
        if (!red.hasMemberNear(at, curveTolerance))
            missing.add(at);
    });
    addFault(faults, missing, "curve pixels missing");
    Mismatches stray;
    red.forEach([&](QPoint at) {
        if (!expectedRed.hasMemberNear(at, curveTolerance))
            stray.add(at);
    });
    addFault(faults, stray, "red pixels off the curve");
    checkPenWeight(red, picture.size(), expected.penWidth(), faults);
    return faults;
}

Mismatches differingPixels(const QImage &actual, const QImage &expected)
{
    Mismatches differing;
    const QSize common = actual.size().boundedTo(expected.size());
    for (int y = 0; y < common.height(); ++y) {
        for (int x = 0; x < common.width(); ++x) {
            const QRgb colour = actual.pixel(x, y) | ~RGB_MASK;
            if (colour != (expected.pixel(x, y) | ~RGB_MASK))
                differing.add({x, y}, QStringLiteral(" is ") + colourText(colour));
        }
    }
    return differing;
}

QString pixelDifferences(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const Mismatches differing = differingPixels(actual, expected);
    return differing.isEmpty() ? QString() : differing.summary(QStringLiteral("pixels differ"));
}

QStringList documentFaults(const QImage &rasterised, int function)
{
    const QImage expected = ExpectedPicture(1).picture(function);
    if (rasterised.size() != expected.size())
        return {QStringLiteral("rasterised at %1x%2, not %3x%4")
                    .arg(rasterised.width())
                    .arg(rasterised.height())
                    .arg(expected.width())
                    .arg(expected.height())};
    QStringList faults;
    addFault(faults, unmatchedMarks(expected, rasterised, false), "marks missing");
    addFault(faults, unmatchedMarks(rasterised, expected, true), "marks too many");
    return faults;
}

} // namespace testsupport
