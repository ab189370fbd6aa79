#pragma once

#include <stdexcept>
#include <string>

namespace graphing {

// The drawing operations of a plot surface, named as a user would read them in a message.
enum class DrawingOperation { SetScale, Clear, Line, LineTo, Point };

constexpr const char *operationName(DrawingOperation operation)
{
    switch (operation) {
    case DrawingOperation::SetScale: return "set scale";
    case DrawingOperation::Clear: return "clear";
    case DrawingOperation::Line: return "line";
    case DrawingOperation::LineTo: return "line-to";
    case DrawingOperation::Point: return "point";
    }
    return "unknown";
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
