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

// Where a label stands against the point it names, a small gap away, centred on the other axis.
enum class LabelPlacement { Below, Left, Above, Right };

// A drawing area with a user coordinate scale and a current point. Every operation reports whether
// it succeeded. Points may lie anywhere: the surface shows what is visible of each mark.
class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    // Maps the whole area linearly from `topLeft` to `bottomRight`, until set again.
    virtual bool setScale(UserPoint topLeft, UserPoint bottomRight) = 0;
    // Fills the whole area with the background colour.
    virtual bool clear() = 0;
    // Draws a line (in the foreground colour without `colour`); `to` becomes the current point.
    virtual bool line(UserPoint from, UserPoint to, std::optional<Colour> colour) = 0;
    virtual bool lineTo(UserPoint to, Colour colour) = 0;
    // Sets the single pixel at `at`, which becomes the current point.
    virtual bool point(UserPoint at, Colour colour) = 0;
    // Lines and points drawn from now on are `pixels` picture pixels thick (1 until set).
    virtual bool setLineWidth(int pixels) = 0;
    // Writes `text` in the foreground colour beside `at`.
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

// Thrown when a drawing call failed: the drawing stops, and its caller tells the user which.
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
