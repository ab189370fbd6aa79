#include "optionbutton.h"

namespace app {

OptionButton::OptionButton(const QString &caption, QWidget *parent) : QRadioButton(caption, parent)
{
    // A button fills its background from the button role, so that is where the colour goes.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

bool OptionButton::hitButton(const QPoint &position) const
{
    return rect().contains(position);
}

} // namespace app
