#include "commandline.h"
#include "graphwindow.h"
#include "translations.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // A picture file is drawn, and the command line answered, without a window: no display is
    // needed, and nothing is set up that the drawing does not use.
    if (const std::optional<int> status = app::runCommandLine(argc, argv))
        return *status;

    // In the user's language from the first message on, that of a missing display.
    app::Translations translations;
    app::reportMissingDisplay(true, translations);
    QApplication application(argc, argv);
    app::reportMissingDisplay(false, translations);
    translations.install();
    QApplication::setApplicationName(QStringLiteral("function-graph"));
    QApplication::setApplicationDisplayName(QStringLiteral("Graph"));
    QApplication::setApplicationVersion(QString::fromLatin1(app::applicationVersion));
    QApplication::setDesktopFileName(QString::fromLatin1(app::desktopFileName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/window-icon.png")));

    app::GraphWindow window;
    window.show();
    return QApplication::exec();
}
