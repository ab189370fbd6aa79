#pragma once

#include "graphwindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QImage>
#include <QString>
#include <QtTest>

#include <memory>

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

// Clicks function `function` (1..5) and presses "Graph"; does nothing for 0.
inline void graph(app::GraphWindow &window, int function)
{
    if (function > 0) {
        click(option(window, function - 1));
        pressGraph(window);
    }
}

// What assistive technology is told about `widget`.
inline QString accessibleText(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *const accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(text) : QStringLiteral("<no interface>");
}

inline plot::PictureBox *pictureBox(app::GraphWindow &window)
{
    return window.findChild<plot::PictureBox *>(QStringLiteral("picture"));
}

// What a screen reader says the picture shows.
inline QString pictureDescription(app::GraphWindow &window)
{
    return accessibleText(pictureBox(window), QAccessible::Description);
}

// What the picture shows on screen, in its device pixels: the widget painted where the screen
// paints it, in its window, at the window's pixel ratio. Pixels it leaves unpainted stay white.
inline QImage picture(app::GraphWindow &window)
{
    plot::PictureBox *const box = pictureBox(window);
    const plot::PixelGrid grid = box->grid();
    const QRect shown(grid.origin, grid.size);
    QImage image(shown.bottomRight().x() + 2, shown.bottomRight().y() + 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDevicePixelRatio(grid.ratio);
    // PictureBox has a render of its own, private, which hides the one every widget has.
    static_cast<QWidget *>(box)->render(&image, box->mapTo(&window, QPoint(0, 0)));
    image.setDevicePixelRatio(1);
    return image.copy(shown);
}

// The picture a fresh window shows after choosing option `index` and pressing "Graph".
inline QImage freshGraph(int index)
{
    app::GraphWindow window;
    graph(window, index + 1);
    return picture(window);
}

// A window on screen with the keyboard focus, as a user meets it, with function `graphed` (1..5)
// chosen and graphed unless 0.
inline std::unique_ptr<app::GraphWindow> activeWindow(int graphed = 0)
{
    auto window = std::make_unique<app::GraphWindow>();
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the window did not become active");
    graph(*window, graphed);
    return window;
}

// Presses a key the way the keyboard does: through the window, to whatever holds the focus.
inline void press(app::GraphWindow &window, Qt::Key key,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

// Presses a key named as a shortcut names it: "Tab", "Shift+Right", "Alt+E".
inline void press(app::GraphWindow &window, const QString &key)
{
    const QKeyCombination combination = QKeySequence(key)[0];
    press(window, combination.key(), combination.keyboardModifiers());
}

inline QString focusName()
{
    QWidget *const focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QStringLiteral("<nothing>");
}

// Presses Tab until `name` has the focus; a whole round of the window without it is a failure.
inline bool tabTo(app::GraphWindow &window, const QString &name)
{
    for (int presses = 0; presses < 20; ++presses) {
        if (focusName() == name)
            return true;
        press(window, Qt::Key_Tab);
    }
    return false;
}

} // namespace windowdriver
