#include "functionbutton.h"

namespace app {

FunctionButton::FunctionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
    // A button fills its background from the button role, so that is where the colour goes.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

bool FunctionButton::hitButton(const QPoint &position) const
{
    return rect().contains(position);
}

void FunctionButton::focusInEvent(QFocusEvent *event)
{
    QRadioButton::focusInEvent(event);
    // Qt keeps only the focused button of a group in the Tab chain, the others being reached with
    // the arrow keys; here Tab visits every function button in its designed place.
    for (auto *const option :
         parentWidget()->findChildren<FunctionButton *>(Qt::FindDirectChildrenOnly))
        option->setFocusPolicy(Qt::StrongFocus);
}

} // namespace app
