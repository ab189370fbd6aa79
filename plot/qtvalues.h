#pragma once

#include "colour.h"
#include "plotsurface.h"

#include <QColor>

#include <cmath>

namespace plot {

// The graphing code's values as the surfaces over Qt use them.
inline QColor toQColor(graphing::Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

inline bool isFinite(graphing::UserPoint point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

} // namespace plot
