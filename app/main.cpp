#include "commandline.h"
#include "graphwindow.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

#include <optional>

int main(int argc, char *argv[])
{
    // A picture file is drawn without any application object: no display is needed, and nothing
    // is set up that the drawing does not use.
    if (app::isCommandLineInvocation(argc, argv))
        return app::runCommandLine(argc, argv);

    std::optional<app::DisplayConnectionGuard> guard(std::in_place);
    QApplication application(argc, argv);
    guard.reset();
    QApplication::setApplicationName(QStringLiteral("function-graph"));
    QApplication::setApplicationDisplayName(QStringLiteral("Graph"));
    QApplication::setApplicationVersion(QString::fromLatin1(app::applicationVersion));
    QApplication::setDesktopFileName(QString::fromLatin1(app::desktopFileName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/window-icon.png")));

    app::GraphWindow window;
    window.show();
    return QApplication::exec();
}
