#pragma once

#include <QRect>
#include <QRgb>
#include <QString>

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace app {

enum class ControlKind { Window, Label, PictureArea, OptionButton, PushButton };

struct FontDesign {
    std::string_view face;
    double pointSize;
    bool bold;
    bool italic;
    bool serif; // the kind of face to fall back on
};

// One control of the window as designed. Positions are kept in twips, as designed, and read in
// pixels at 15 twips to the pixel.
struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    std::string_view caption; // UTF-8
    int leftTwips;
    int topTwips;
    int widthTwips;
    int heightTwips;
    std::optional<int> tabIndex;
    std::optional<FontDesign> font;
    std::optional<QRgb> background;
    std::string_view accessibleName; // what a screen reader says, in words rather than symbols

    static constexpr int twipsPerPixel = 15;

    constexpr QRect rect() const
    {
        return {leftTwips / twipsPerPixel, topTwips / twipsPerPixel, widthTwips / twipsPerPixel,
                heightTwips / twipsPerPixel};
    }
};

inline constexpr FontDesign gothic1125{"ＭＳ Ｐゴシック", 11.25, true, false, false};
inline constexpr FontDesign gothic12{"ＭＳ Ｐゴシック", 12, true, false, false};
inline constexpr FontDesign century18{"Century", 18, true, true, true};

inline constexpr QRgb blue = 0xff0000ff;
inline constexpr QRgb lightCyan = 0xff80ffff;
inline constexpr QRgb lightYellow = 0xffffffc0;
inline constexpr QRgb green = 0xff00ff00;
// What the picture draws in when given no colour.
inline constexpr QRgb pictureForeground = 0xff000000;

// The window and its controls, one row each. Two option captions and the label say what the
// buttons really plot and spell the title right.
// clang-format off
inline constexpr std::array<ControlDesign, 10> form1Design{{
    // name          kind                       caption                 left  top   width height tab font        background   accessible name
    {"Form1",      ControlKind::Window,       "Graph",                0,    0,    9585, 6540, {}, {},         blue,        "Graph"},
    {"Label4",     ControlKind::Label,        "Graph Drawing Method", 2040, 120,  3375, 495,  3,  century18,  lightYellow, "Graph Drawing Method"},
    {"Picture1",   ControlKind::PictureArea,  "",                     120,  600,  6615, 5775, 2,  {},         lightCyan,   "Plot"},
    {"Option1(0)", ControlKind::OptionButton, "y=x*x-2 ",             6720, 1200, 2175, 375,  0,  gothic1125, green,       "y = x squared minus 2"},
    {"Option1(1)", ControlKind::OptionButton, "y=x*exp(-x)+2",        6720, 1560, 2175, 375,  5,  gothic1125, green,       "y = x times e to the minus x, plus 2"},
    {"Option1(2)", ControlKind::OptionButton, "y=5sin(x)/x ",         6720, 1920, 2175, 375,  6,  gothic1125, green,       "y = 5 sine x over x"},
    {"Option1(3)", ControlKind::OptionButton, "y=exp(x)-1-x^2 ",      6720, 2280, 2175, 375,  7,  gothic1125, green,       "y = e to the x, minus 1, minus x squared"},
    {"Option1(4)", ControlKind::OptionButton, "y=\u221a(x^2+1) ",     6720, 2640, 2175, 375,  8,  gothic1125, green,       "y = square root of x squared plus 1"},
    {"Command1",   ControlKind::PushButton,   "Graph",                7080, 3120, 1095, 495,  1,  gothic1125, {},          "Graph"},
    {"Command2",   ControlKind::PushButton,   "End",                  7080, 3600, 1095, 495,  4,  gothic12,   {},          "End"},
}};
// clang-format on

// What the picture tells a screen reader it shows: the axes alone until "Graph" is pressed, then
// the graphed function, %1 being its option's accessible name.
inline constexpr std::string_view axesDescription = "Axes from -10 to 10";
inline constexpr std::string_view graphDescription = "Graph of %1 from -10 to 10";

// The design's texts are UTF-8.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The row of the control called `name`; the table names every control the window builds.
constexpr const ControlDesign &designOf(std::string_view name)
{
    for (const ControlDesign &control : form1Design) {
        if (control.name == name)
            return control;
    }
    throw std::out_of_range("no such control in the design");
}

} // namespace app
