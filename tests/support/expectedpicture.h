#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <vector>

namespace testsupport {

inline constexpr QRgb pictureBackground = qRgb(128, 255, 255);
inline constexpr QRgb foreground = qRgb(0, 0, 0);
inline constexpr QRgb startupAxisColour = qRgb(128, 0, 128);
inline constexpr QRgb curveColour = qRgb(255, 0, 0);

// Where the picture area stands in the window, in logical pixels.
inline constexpr QRect logicalPictureRect(8, 40, 441, 385);

// The ratio a scale factor gives: the toolkit keeps a ratio in whole 1/65536ths, the rest
// dropped, so 1.1 becomes 1.0999908 and the picture ends a row higher than at 1.1.
qreal storedRatio(qreal factor);

// The device pixels a logical rectangle covers at `ratio` device pixels to the logical pixel:
// each edge rounded on its own, half away from zero, as the toolkit places widgets.
QRect deviceRect(QRect logical, qreal ratio);

// A set of pixels of one picture; points outside it are never members.
class PixelSet {
public:
    PixelSet() = default;
    explicit PixelSet(QSize size);

    bool contains(QPoint at) const { return isInside(at) && m_members[index(at)]; }
    void insert(QPoint at)
    {
        if (isInside(at))
            m_members[index(at)] = true;
    }
    // Whether a member lies at most `radius` pixels from `at` along both axes.
    bool hasMemberNear(QPoint at, int radius) const;
    template <typename Visit> void forEach(Visit visit) const
    {
        for (int y = 0; y < m_size.height(); ++y) {
            for (int x = 0; x < m_size.width(); ++x) {
                if (m_members[index({x, y})])
                    visit(QPoint(x, y));
            }
        }
    }

private:
    bool isInside(QPoint at) const
    {
        return at.x() >= 0 && at.y() >= 0 && at.x() < m_size.width() && at.y() < m_size.height();
    }
    std::size_t index(QPoint at) const
    {
        return static_cast<std::size_t>(at.y()) * static_cast<std::size_t>(m_size.width())
               + static_cast<std::size_t>(at.x());
    }

    QSize m_size;
    std::vector<bool> m_members;
};

// What the picture has to show, worked out from the formulas and the picture's geometry alone, so
// that a mistake shared with the program's own drawing code cannot go unnoticed.
//
// At `ratio` the picture covers deviceRect(logicalPictureRect), W x H device pixels. The pen is
// w = max(1, round(ratio)) pixels square; its top-left pixel travels from the first pixel to the
// last but w, so user x = -10 lands on column 0 and x = 10 on column W - w, y = 10 on row 0 and
// y = -10 on row H - w. Coordinates round half up; a line is the one-pixel line between its
// rounded ends with each pixel grown into a pen square to its right and below.
class ExpectedPicture {
public:
    explicit ExpectedPicture(qreal ratio);

    QSize size() const { return m_size; }
    int penWidth() const { return m_penWidth; }

    // Function 0: magenta x-axis, black y-axis, tick pairs at -9..9 only. Functions 1..5: black
    // axes and tick pairs at -10..10, the frame the curve is traced over.
    QImage frame(int function) const;
    // The red pixels that tracing function `number` (1..5) sets.
    PixelSet curve(int number) const;
    // The frame with the curve over it: the whole picture.
    QImage picture(int function) const;

private:
    QPointF toDevice(float x, float y) const;

    QSize m_size;
    int m_penWidth;
};

} // namespace testsupport
