#pragma once

#include "graphwindow.h"
#include "recordingsurface.h"

#include <QAbstractButton>
#include <QImage>
#include <QString>
#include <QtTest>

// Reaches a window's controls by their object names and presses them as a user would.
namespace windowdriver {

inline QAbstractButton *button(app::GraphWindow &window, const QString &name)
{
    auto *const found = window.findChild<QAbstractButton *>(name);
    if (found == nullptr)
        qFatal("no button %s", qPrintable(name));
    return found;
}

// The button of function `index` + 1.
inline QAbstractButton *option(app::GraphWindow &window, int index)
{
    return button(window, QStringLiteral("functionButton%1").arg(index + 1));
}

inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void pressGraph(app::GraphWindow &window)
{
    click(button(window, QStringLiteral("graphButton")));
}

inline plot::PictureBox *pictureBox(app::GraphWindow &window)
{
    return window.findChild<plot::PictureBox *>(QStringLiteral("picture"));
}

inline QImage picture(app::GraphWindow &window)
{
    return pictureBox(window)->surface().image();
}

// The picture a fresh window shows after choosing option `index` and pressing "Graph".
inline QImage freshGraph(int index)
{
    app::GraphWindow window;
    click(option(window, index));
    pressGraph(window);
    return picture(window);
}

} // namespace windowdriver

// A window whose drawing goes through a recording surface that can be told to fail.
class FaultyGraphWindow final : public app::GraphWindow {
public:
    RecordingSurface recorder{&app::GraphWindow::drawingSurface()};

protected:
    graphing::PlotSurface &drawingSurface() override { return recorder; }
};
