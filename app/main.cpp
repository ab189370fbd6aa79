#include "accessibleroles.h"
#include "fonts.h"
#include "graphwindow.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("function-graph"));
    QApplication::setApplicationDisplayName(QStringLiteral("Graph"));
    QApplication::setApplicationVersion(QString::fromLatin1(app::applicationVersion));
    QApplication::setDesktopFileName(QString::fromLatin1(app::desktopFileName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/window-icon.png")));

    app::installFontSubstitutes();
    app::installAccessibleRoles();
    app::GraphWindow window;
    window.show();
    return QApplication::exec();
}
