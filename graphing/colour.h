#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

namespace graphing {

// A 24-bit RGB colour, exact: the surface draws precisely these components.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Colour, Colour) = default;
};

// Composes a colour from three components in 0..255; anything outside is refused rather than
// silently wrapped into another colour.
constexpr Colour rgb(int red, int green, int blue)
{
    auto component = [](int value) {
        if (value < 0 || value > 255)
            throw std::out_of_range("colour component outside 0..255");
        return static_cast<std::uint8_t>(value);
    };
    return {component(red), component(green), component(blue)};
}

// The sixteen standard colours, looked up by index 0..15.
constexpr Colour standardColour(int index)
{
    constexpr std::array<Colour, 16> palette{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    if (index < 0 || index >= static_cast<int>(palette.size()))
        throw std::out_of_range("standard colour index outside 0..15");
    return palette[static_cast<std::size_t>(index)];
}

} // namespace graphing
