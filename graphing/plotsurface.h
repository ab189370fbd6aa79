#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace graphing {

// A 24-bit RGB colour, exact: the surface draws precisely these components.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Colour, Colour) = default;
};

// A point in the surface's user coordinates.
struct UserPoint {
    double x = 0;
    double y = 0;

    friend constexpr bool operator==(UserPoint, UserPoint) = default;
};

// Where a label stands against the point it names: centred below or above it, or to its left or
// right and centred on its height, a small gap away in every case.
enum class LabelPlacement { Below, Left, Above, Right };

// A drawing area with a user coordinate scale and a current point. Every operation reports whether
// it succeeded; the callers check each one at once. Points may lie anywhere: the surface shows the
// visible part of a segment, skips an invisible point, and moves the current point all the same.
class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    // Maps the whole area linearly: topLeft onto its top-left corner, bottomRight onto its
    // bottom-right. Stays in force until set again; clearing leaves it alone.
    virtual bool setScale(UserPoint topLeft, UserPoint bottomRight) = 0;

    // Fills the whole area with the background colour.
    virtual bool clear() = 0;

    // Draws from `from` to `to`, in the foreground colour when no colour is given; the current
    // point becomes `to`.
    virtual bool line(UserPoint from, UserPoint to, std::optional<Colour> colour) = 0;

    // Draws from the current point to `to`, which becomes the current point.
    virtual bool lineTo(UserPoint to, Colour colour) = 0;

    // Sets the single pixel at `at`, which becomes the current point.
    virtual bool point(UserPoint at, Colour colour) = 0;

    // Lines and points drawn from now on are `pixels` picture pixels thick (1 until set).
    virtual bool setLineWidth(int pixels) = 0;

    // Writes `text` in the foreground colour beside `at`, as `placement` says.
    virtual bool label(UserPoint at, std::string_view text, LabelPlacement placement) = 0;

    // The width and height of one picture pixel in user units, at the scale set.
    virtual UserPoint pixelSize() const = 0;
};

// The drawing operations of a plot surface, named as a user would read them in a message.
enum class DrawingOperation { SetScale, Clear, Line, LineTo, Point, SetLineWidth, Label };

constexpr const char *operationName(DrawingOperation operation)
{
    constexpr std::array names{"set scale", "clear",          "line", "line-to",
                               "point",     "set line width", "label"};
    return names.at(static_cast<std::size_t>(operation));
}

// Thrown when a surface reports that a drawing call failed: the drawing stops at once and whoever
// started it tells the user which operation it was.
class DrawingFailed : public std::runtime_error {
public:
    explicit DrawingFailed(DrawingOperation operation)
        : std::runtime_error(std::string("the drawing operation \"") + operationName(operation)
                             + "\" failed"),
          m_operation(operation)
    {}

    DrawingOperation operation() const noexcept { return m_operation; }

private:
    DrawingOperation m_operation;
};

// Checks a surface call's report at once.
inline void require(bool succeeded, DrawingOperation operation)
{
    if (!succeeded)
        throw DrawingFailed(operation);
}

} // namespace graphing
