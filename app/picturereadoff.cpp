#include "picturereadoff.h"

#include "functions.h"
#include "picturebox.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr double keyStep = 0.1;
constexpr double shiftKeyStep = 1.0;
// How far the readout keeps from its anchor: clear of the pointer's arrow, as a tooltip does.
constexpr int clearance = 16;

QString tr(const char *text)
{
    return QCoreApplication::translate("ReadOut", text);
}

// Hundredths, as the readout shows them: steps of 0.1 then add up without drift.
double toHundredths(double x)
{
    return std::round(x * 100) / 100;
}

// A coordinate or value as the read-off shows it: "1.23", "-4.50", never "-0.00".
QString number(double value)
{
    const QString text = QString::number(value, 'f', 2);
    return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

// The graphed function's value at `x` when it lies on the picture (-10..10 inclusive); nothing
// when no function is graphed, it has no value there, or the value is off the picture.
std::optional<double> valueOnPicture(const graphing::PictureContent &content, double x)
{
    if (!content.graphedFunction)
        return std::nullopt;
    const std::optional<double> value = graphing::functionValue(*content.graphedFunction, x);
    if (!value || !std::isfinite(*value) || *value < graphing::plotBottomRight.y
        || *value > graphing::plotTopLeft.y)
        return std::nullopt;
    return value;
}

// "x = 1.23" and, once a function is graphed, "f(x) = 4.79" or "f(x) off the picture", joined
// by `separator`.
QString readOut(QString text, double x, const graphing::PictureContent &content,
                const QString &separator)
{
    if (!content.graphedFunction)
        return text;
    const std::optional<double> value = valueOnPicture(content, x);
    return text + separator
           + (value ? tr("f(x) = %1").arg(number(*value)) : tr("f(x) off the picture"));
}

QLabel *makeReadOut(QWidget *parent)
{
    auto *const label =
        new QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus);
    label->setObjectName(QStringLiteral("readOut"));
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
    label->setFont(QToolTip::font());
    QPalette colours = QToolTip::palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setMargin(3);
    return label;
}

} // namespace

PictureReadOff::PictureReadOff(plot::PictureBox &picture)
    : QObject(&picture), m_picture(picture), m_readOut(makeReadOut(&picture))
{
    m_picture.setMouseTracking(true);
    m_picture.installEventFilter(this);
    // The readout is a window of its own: it follows when the picture's window moves.
    m_picture.window()->installEventFilter(this);
}

void PictureReadOff::setDescription(const QString &whatThePictureShows)
{
    m_description = whatThePictureShows;
    describe();
    if (m_pointer)
        followPointer(*m_pointer);
    else if (m_keyX)
        showKeyPoint();
}

bool PictureReadOff::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture.window() && watched != &m_picture) {
        if (event->type() == QEvent::Move && m_readOut->isVisible()) {
            if (m_keyX)
                showKeyPoint();
            else
                m_readOut->hide();
        }
        return false;
    }
    if (watched != &m_picture)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        followPointer(
            m_picture.mapTo(m_picture.window(), static_cast<QEnterEvent *>(event)->position()));
        break;
    case QEvent::MouseMove:
        followPointer(
            m_picture.mapTo(m_picture.window(), static_cast<QMouseEvent *>(event)->position()));
        break;
    case QEvent::Leave:
        m_pointer.reset();
        m_readOut->hide();
        break;
    case QEvent::Hide:
    case QEvent::FocusOut: stop(); break;
    case QEvent::MouseButtonPress:
    case QEvent::ContextMenu:
        // As a tooltip does, the readout gives way to a click and to what the click opens.
        m_readOut->hide();
        break;
    case QEvent::KeyPress: {
        const auto *const key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool arrow = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
        if (!arrow || (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)) {
            // Any other key, too, such as the one that opens the picture's menu.
            m_readOut->hide();
            break;
        }
        const double step = modifiers == Qt::ShiftModifier ? shiftKeyStep : keyStep;
        moveKeyPoint(key->key() == Qt::Key_Left ? -step : step);
        return true;
    }
    default: break;
    }
    return false;
}

void PictureReadOff::followPointer(QPointF windowPosition)
{
    m_pointer = windowPosition;
    const plot::PixelGrid grid = m_picture.grid();
    const QPointF user = grid.mapping().toUser(QPointF(grid.pixelAt(windowPosition)));
    // The last columns and rows show the pen square of the scale's very edge.
    const double x =
        std::clamp(user.x(), double(graphing::plotTopLeft.x), double(graphing::plotBottomRight.x));
    const double y =
        std::clamp(user.y(), double(graphing::plotBottomRight.y), double(graphing::plotTopLeft.y));
    m_lastX = x;
    showBeside(windowPosition, readOut(tr("x = %1, y = %2").arg(number(x), number(y)), x,
                                       m_picture.content(), QStringLiteral("\n")));
}

void PictureReadOff::moveKeyPoint(double step)
{
    // From the x last read off, as the readout showed it.
    m_keyX = std::clamp(toHundredths(toHundredths(m_lastX) + step), double(graphing::plotTopLeft.x),
                        double(graphing::plotBottomRight.x));
    m_lastX = *m_keyX;
    showKeyPoint();
    describe();
}

void PictureReadOff::showKeyPoint()
{
    // The point lies on the curve where that shows, on the x-axis elsewhere; the readout stands
    // beside the middle of the pen square drawn there.
    const double x = *m_keyX;
    const double y = valueOnPicture(m_picture.content(), x).value_or(0);
    const plot::PixelGrid grid = m_picture.grid();
    const QPointF corner = grid.mapping().toDevice({static_cast<float>(x), static_cast<float>(y)});
    const QPointF middle(std::floor(corner.x() + 0.5) + grid.penWidth / 2.0,
                         std::floor(corner.y() + 0.5) + grid.penWidth / 2.0);
    showBeside(grid.windowPosition(middle),
               readOut(tr("x = %1").arg(number(x)), x, m_picture.content(), QStringLiteral("\n")));
}

void PictureReadOff::showBeside(QPointF windowPosition, const QString &text)
{
    const QPoint anchor = m_picture.window()->mapToGlobal(windowPosition.toPoint());
    m_readOut->setText(text);
    m_readOut->adjustSize();
    // Below and to the right, or where the screen leaves room.
    QPoint place = anchor + QPoint(clearance, clearance);
    if (const QScreen *const screen = QGuiApplication::screenAt(anchor)) {
        const QRect room = screen->availableGeometry();
        if (place.x() + m_readOut->width() > room.right())
            place.setX(anchor.x() - clearance - m_readOut->width());
        if (place.y() + m_readOut->height() > room.bottom())
            place.setY(anchor.y() - clearance - m_readOut->height());
    }
    m_readOut->move(place);
    m_readOut->show();
}

void PictureReadOff::stop()
{
    m_readOut->hide();
    m_pointer.reset();
    if (m_keyX) {
        m_keyX.reset();
        describe();
    }
}

void PictureReadOff::describe()
{
    QString description = m_description;
    if (m_keyX) {
        description += QStringLiteral(". ")
                       + readOut(tr("At x = %1").arg(number(*m_keyX)), *m_keyX, m_picture.content(),
                                 QStringLiteral(": "));
    }
    if (description == m_picture.accessibleDescription())
        return;
    // Qt tells assistive technology of the change (a description-changed event), so a screen
    // reader speaks the new values.
    m_picture.setAccessibleDescription(description);
}

} // namespace app
