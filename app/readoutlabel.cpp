#include "readoutlabel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>

namespace app {

namespace {

// How far the readout keeps from its anchor: clear of the pointer's arrow, as a tooltip does.
constexpr int clearance = 16;

} // namespace

ReadOutLabel::ReadOutLabel(QWidget *parent)
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                         | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("readOut"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFont(QToolTip::font());
    QPalette colours = QToolTip::palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(3);
}

void ReadOutLabel::showBeside(QPoint globalAnchor, const QString &text)
{
    setText(text);
    adjustSize();
    QPoint place = globalAnchor + QPoint(clearance, clearance);
    if (const QScreen *const screen = QGuiApplication::screenAt(globalAnchor)) {
        const QRect room = screen->availableGeometry();
        if (place.x() + width() > room.right())
            place.setX(globalAnchor.x() - clearance - width());
        if (place.y() + height() > room.bottom())
            place.setY(globalAnchor.y() - clearance - height());
    }
    move(place);
    show();
}

} // namespace app
