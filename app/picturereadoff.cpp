#include "picturereadoff.h"

#include "axes.h"
#include "picturebox.h"
#include "readoutlabel.h"
#include "readouttext.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr double keyStep = 0.1;
constexpr double shiftKeyStep = 1.0;

// Hundredths, as the readout shows them: steps of 0.1 then add up without drift.
double toHundredths(double x)
{
    return std::round(x * 100) / 100;
}

} // namespace

PictureReadOff::PictureReadOff(plot::PictureBox &picture)
    : QObject(&picture), m_picture(picture), m_readOut(new ReadOutLabel(&picture))
{
    m_picture.setMouseTracking(true);
    m_picture.installEventFilter(this);
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
    const QPointF user = m_picture.userPointAt(windowPosition);
    m_lastX = user.x();
    const QPoint anchor = m_picture.window()->mapToGlobal(windowPosition.toPoint());
    m_readOut->showBeside(anchor, pointerReadOut(user, m_picture.content()));
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
    // The point lies on the curve where that shows, on the x-axis elsewhere.
    const double x = *m_keyX;
    const double y = valueOnPicture(m_picture.content(), x).value_or(0);
    const QPointF place = m_picture.windowPositionOf({x, y});
    const QPoint anchor = m_picture.window()->mapToGlobal(place.toPoint());
    m_readOut->showBeside(anchor, keyboardReadOut(x, m_picture.content()));
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
    if (m_keyX)
        description += QStringLiteral(". ") + spokenReadOut(*m_keyX, m_picture.content());
    if (description == m_picture.accessibleDescription())
        return;
    // Qt tells assistive technology of the change (a description-changed event), so a screen
    // reader speaks the new values.
    m_picture.setAccessibleDescription(description);
}

} // namespace app
