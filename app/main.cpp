#include "fonts.h"
#include "form1.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

namespace {

// The icon at the sizes a window shows it, named outright: a search of the resources would load a
// pattern matcher, and every image decoded costs start-up time.
QIcon windowIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/%2.png")
                         .arg(size)
                         .arg(QLatin1String(app::desktopFileName)),
                     QSize(size, size));
    }
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("function-graph"));
    QApplication::setApplicationDisplayName(QStringLiteral("Graph"));
    QApplication::setApplicationVersion(QString::fromLatin1(app::applicationVersion));
    QApplication::setDesktopFileName(QString::fromLatin1(app::desktopFileName));
    QApplication::setWindowIcon(windowIcon());

    app::installFontSubstitutes();
    app::Form1 window;
    window.show();
    return QApplication::exec();
}
