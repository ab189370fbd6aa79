// The least a toolkit window of the program's size costs: an empty widget with the same title and
// client size. With --text it also shows one word in the default font, which is what any window
// with a caption pays on top (the font machinery is only started by the first text).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Graph"));
    window.setFixedSize(639, 436);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        new QLabel(QStringLiteral("Graph"), &window);
    window.show();
    return QApplication::exec();
}
