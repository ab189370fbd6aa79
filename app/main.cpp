#include "fonts.h"
#include "form1.h"
#include "version.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>

namespace {

// Every size the icon was rendered at, so that no desktop has to scale one down.
QIcon windowIcon()
{
    QIcon icon;
    QDirIterator images(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                        QDirIterator::Subdirectories);
    while (images.hasNext())
        icon.addFile(images.next());
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
