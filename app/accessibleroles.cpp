#include "accessibleroles.h"

#include "graphwindow.h"
#include "picturebox.h"

#include <QAccessibleWidget>

namespace app {

namespace {

QAccessibleInterface *accessibleWithRole(const QString & /*className*/, QObject *object)
{
    if (auto *const window = qobject_cast<GraphWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *const picture = qobject_cast<plot::PictureBox *>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(accessibleWithRole);
}

} // namespace app
