#include "fonts.h"

#include <QStringList>

namespace app {

void installFontSubstitutes()
{
    // Tried in order; the generic families catch a system with neither font installed.
    QFont::insertSubstitutions(toQString(gothic1125.face),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("sans-serif")});
    QFont::insertSubstitutions(toQString(century18.face),
                               {QStringLiteral("C059"), QStringLiteral("serif")});
}

QFont fontFor(const FontDesign &design)
{
    QFont font(toQString(design.face));
    font.setPointSizeF(design.pointSize);
    font.setBold(design.bold);
    font.setItalic(design.italic);
    font.setStyleHint(design.serif ? QFont::Serif : QFont::SansSerif);
    return font;
}

} // namespace app
