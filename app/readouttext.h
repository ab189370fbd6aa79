#pragma once

#include "picturecontent.h"

#include <QPointF>
#include <QString>

#include <optional>

namespace app {

// What the read-off says: the readout beside the pointer or the keyboard's point, and the words a
// screen reader is given. Coordinates and values have two decimals.

// A coordinate or value as the read-off shows it: "1.23", "-4.50", never "-0.00".
QString readOutNumber(double value);

// The graphed function's value at `x` when it lies on the picture (-10..10 inclusive); nothing
// when no function is graphed, it has no value there, or the value is off the picture.
std::optional<double> valueOnPicture(const graphing::PictureContent &content, double x);

// "x = 1.23, y = -4.50", and once a function is graphed a second line "f(x) = 4.79" or
// "f(x) off the picture".
QString pointerReadOut(QPointF user, const graphing::PictureContent &content);

// "x = 1.00", and once a function is graphed a second line as for the pointer.
QString keyboardReadOut(double x, const graphing::PictureContent &content);

// "At x = 1.00: f(x) = 4.21" (or ": f(x) off the picture"); "At x = 1.00" before any graph.
QString spokenReadOut(double x, const graphing::PictureContent &content);

} // namespace app
