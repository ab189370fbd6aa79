#pragma once

#include "form1.h"
#include "recordingsurface.h"

#include <QAbstractButton>
#include <QImage>
#include <QString>
#include <QtTest>

// Reaches a window's controls by their design names and presses them as a user would.
namespace formdriver {

inline QAbstractButton *button(app::Form1 &form, const QString &name)
{
    auto *const found = form.findChild<QAbstractButton *>(name);
    if (found == nullptr)
        qFatal("no button %s", qPrintable(name));
    return found;
}

inline QAbstractButton *option(app::Form1 &form, int index)
{
    return button(form, QStringLiteral("Option1(%1)").arg(index));
}

inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void pressGraph(app::Form1 &form)
{
    click(button(form, QStringLiteral("Command1")));
}

inline QImage picture(app::Form1 &form)
{
    return form.findChild<plot::PictureBox *>(QStringLiteral("Picture1"))->surface().image();
}

// The picture a fresh window shows after choosing option `index` and pressing "Graph".
inline QImage freshGraph(int index)
{
    app::Form1 form;
    click(option(form, index));
    pressGraph(form);
    return picture(form);
}

} // namespace formdriver

// A window whose drawing goes through a recording surface that can be told to fail.
class FaultyForm1 final : public app::Form1 {
public:
    RecordingSurface recorder{&app::Form1::drawingSurface()};

protected:
    graphing::PlotSurface &drawingSurface() override { return recorder; }
};
