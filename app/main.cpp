#include "fonts.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("function-graph"));
    QApplication::setApplicationDisplayName(QStringLiteral("Graph"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    app::installFontSubstitutes();
    app::Form1 window;
    window.show();
    return QApplication::exec();
}
