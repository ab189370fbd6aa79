#pragma once

#include <cstdint>

namespace graphing {

// A 24-bit RGB colour, exact: the surface draws precisely these components.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Colour, Colour) = default;
};

} // namespace graphing
