#pragma once

#include "functions.h"

#include <QCoreApplication>
#include <QKeyCombination>
#include <QRect>
#include <QRgb>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace app {

struct FontDesign {
    std::string_view face;
    double pointSize;
    bool bold;
    bool italic;
    bool serif; // the kind of face to fall back on
};

// One control of the graph window as designed: its place in pixels of the client area; UTF-8.
struct ControlDesign {
    std::string_view objectName;
    std::string_view caption;
    QRect geometry;
    std::optional<int> tabIndex; // the place in the focus order
    std::optional<FontDesign> font;
    std::optional<QRgb> background;
    std::string_view accessibleName; // what a screen reader says, in words rather than symbols
};

struct WindowDesign {
    ControlDesign window;
    ControlDesign title;
    ControlDesign picture;
    std::array<ControlDesign, graphing::functionCount> functionButtons;
    ControlDesign graphButton;
    ControlDesign endButton;
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

// Texts a user reads or hears are translated where shown (translated()), but for the formulas and
// the program's name.
// clang-format off
inline constexpr WindowDesign graphWindowDesign{
    //                 object name       caption                 left  top  width height  tab font        background   accessible name
    .window          {"graphWindow",    "Graph",                {0,    0,   639,  436},  {}, {},         blue,        "Graph"},
    .title           {"title",          QT_TRANSLATE_NOOP("app::GraphWindow", "Graph Drawing Method"),
                                                                {136,  8,   225,  33},   3,  century18,  lightYellow, QT_TRANSLATE_NOOP("app::GraphWindow", "Graph Drawing Method")},
    .picture         {"picture",        "",                     {8,    40,  441,  385},  2,  {},         lightCyan,   QT_TRANSLATE_NOOP("app::GraphWindow", "Plot")},
    .functionButtons {{
                     {"functionButton1", "y=x*x-2 ",            {448,  80,  145,  25},   0,  gothic1125, green,       QT_TRANSLATE_NOOP("app::GraphWindow", "y = x squared minus 2")},
                     {"functionButton2", "y=x*exp(-x)+2",       {448,  104, 145,  25},   5,  gothic1125, green,       QT_TRANSLATE_NOOP("app::GraphWindow", "y = x times e to the minus x, plus 2")},
                     {"functionButton3", "y=5sin(x)/x ",        {448,  128, 145,  25},   6,  gothic1125, green,       QT_TRANSLATE_NOOP("app::GraphWindow", "y = 5 sine x over x")},
                     {"functionButton4", "y=exp(x)-1-x^2 ",     {448,  152, 145,  25},   7,  gothic1125, green,       QT_TRANSLATE_NOOP("app::GraphWindow", "y = e to the x, minus 1, minus x squared")},
                     {"functionButton5", "y=\u221a(x^2+1) ",    {448,  176, 145,  25},   8,  gothic1125, green,       QT_TRANSLATE_NOOP("app::GraphWindow", "y = square root of x squared plus 1")},
    }},
    .graphButton     {"graphButton",    QT_TRANSLATE_NOOP("app::GraphWindow", "Graph"),
                                                                {472,  208, 73,   33},   1,  gothic1125, {},          QT_TRANSLATE_NOOP("app::GraphWindow", "Graph")},
    .endButton       {"endButton",      QT_TRANSLATE_NOOP("app::GraphWindow", "End"),
                                                                {472,  240, 73,   33},   4,  gothic12,   {},          QT_TRANSLATE_NOOP("app::GraphWindow", "End")},
};
// clang-format on
static_assert(!graphWindowDesign.functionButtons.back().objectName.empty(),
              "a design for every function's button");

// What the picture tells a screen reader it shows, %1 the function's accessible name.
inline constexpr std::string_view axesDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Axes from -10 to 10");
inline constexpr std::string_view graphDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Graph of %1 from -10 to 10; Space plays it as sound");
// Over another view, %2 (or %1 for the axes) naming it: "x from 0 to 5, y from -1 to 1".
inline constexpr std::string_view axesInViewDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Axes, %1");
inline constexpr std::string_view graphInViewDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Graph of %1, %2; Space plays it as sound");

// The keys that work wherever the focus is in the window; no caption is underlined.
inline constexpr std::array<QKeyCombination, graphing::functionCount> functionKeys{
    Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
static_assert(functionKeys.back() != QKeyCombination(), "a key for every function's button");
inline constexpr QKeyCombination graphKey = Qt::AltModifier | Qt::Key_G;
inline constexpr QKeyCombination endKey = Qt::AltModifier | Qt::Key_E;
inline constexpr QKeyCombination quitKey = Qt::ControlModifier | Qt::Key_Q;
// What a screen reader is told a button does, and its keys (%1, %2).
inline constexpr const char *functionButtonDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Chooses this function. Key: %1");
inline constexpr const char *graphButtonDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Draws the chosen function. Key: %1");
inline constexpr const char *endButtonDescription =
    QT_TRANSLATE_NOOP("app::GraphWindow", "Ends the program. Keys: %1 or %2");

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString translated(std::string_view text)
{
    return text.empty()
               ? QString()
               : QCoreApplication::translate("app::GraphWindow", std::string(text).c_str());
}

} // namespace app
