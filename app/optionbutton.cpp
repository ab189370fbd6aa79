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

void OptionButton::focusInEvent(QFocusEvent *event)
{
    QRadioButton::focusInEvent(event);
    // Qt keeps only the focused button of a group in the Tab chain, the others being reached with
    // the arrow keys; here Tab visits every option in its designed place.
    if (parentWidget() == nullptr)
        return;
    for (auto *const option :
         parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly))
        option->setFocusPolicy(Qt::StrongFocus);
}

} // namespace app
