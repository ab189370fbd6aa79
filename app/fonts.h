#pragma once

#include "designdata.h"

#include <QFont>

namespace app {

// Teaches the font database the faces the design names, by fonts this system has: a Japanese
// proportional Gothic for the buttons, a Century-like serif for the label. Call once, before any
// control is made.
void installFontSubstitutes();

QFont fontFor(const FontDesign &design);

} // namespace app
