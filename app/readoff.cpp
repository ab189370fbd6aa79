#include "readoff.h"

#include "axes.h"
#include "curvesound.h"
#include "picturebox.h"
#include "soundmodule.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

namespace app {

namespace {

// How far the readout keeps from its anchor: clear of the pointer's arrow, as a tooltip does.
constexpr int clearance = 16;

double tickSpacing(const graphing::View &view)
{
    return graphing::tickSpacing(view.right - view.left);
}

// The decimals the read-off shows: two at -10..10, more as the view narrows.
int decimals(const graphing::View &view)
{
    return std::max(2, 2 - int(std::floor(std::log10(tickSpacing(view)) + 1e-9)));
}

// As the readout shows it: steps then add up without drift.
double rounded(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(x * scale) / scale;
}

// "1.23", "-4.50", never "-0.00"; with `trimmed`, no trailing zeros ("1.5", "0").
QString number(double value, int decimals, bool trimmed = false)
{
    QString text = QString::number(rounded(value, decimals) == 0 ? 0.0 : value, 'f', decimals);
    if (trimmed && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

} // namespace

ReadOff::ReadOff(QWidget &window, plot::PictureBox &picture, SoundModule &sound)
    : m_window(window), m_picture(picture), m_sound(sound),
      m_label(new QLabel(&picture, Qt::ToolTip | Qt::FramelessWindowHint
                                       | Qt::WindowTransparentForInput
                                       | Qt::WindowDoesNotAcceptFocus))
{
    m_label->setObjectName(QStringLiteral("readOut"));
    m_label->setAttribute(Qt::WA_ShowWithoutActivating);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setFont(QToolTip::font());
    QPalette colours = QToolTip::palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    m_label->setPalette(colours);
    m_label->setAutoFillBackground(true);
    m_label->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_label->setMargin(3);
    m_picture.setMouseTracking(true);
}

bool ReadOff::handle(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        followPointer(
            m_picture.mapTo(&m_window, static_cast<const QSinglePointEvent &>(event).position()));
        break;
    case QEvent::Leave:
        m_pointer.reset();
        m_label->hide();
        break;
    case QEvent::Hide:
    case QEvent::FocusOut: stop(); break;
    // As a tooltip does, the readout gives way to a click.
    case QEvent::MouseButtonPress: m_label->hide(); break;
    case QEvent::KeyPress: {
        const auto &key = static_cast<const QKeyEvent &>(event);
        const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
        if ((key.key() == Qt::Key_Left || key.key() == Qt::Key_Right)
            && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
            const graphing::View &view = m_picture.content().view;
            const double step = tickSpacing(view) / (modifiers == Qt::ShiftModifier ? 1 : 10);
            // From the x last read off, as the readout showed it.
            const int shown = decimals(view);
            moveTo(std::clamp(
                       rounded(rounded(m_lastX, shown) + (key.key() == Qt::Key_Left ? -step : step),
                               shown),
                       view.left, view.right),
                   {});
            return true;
        }
        // Any other key takes the readout away, such as the one that opens the menu; a modifier
        // alone does not, so that Ctrl+C still copies the value read off.
        if (key.key() != Qt::Key_Control && key.key() != Qt::Key_Shift && key.key() != Qt::Key_Alt
            && key.key() != Qt::Key_Meta)
            m_label->hide();
        break;
    }
    default: break;
    }
    return false;
}

void ReadOff::windowMoved()
{
    // The readout is a window of its own.
    if (m_pointX && m_label->isVisible())
        showPoint();
    else
        m_label->hide();
}

void ReadOff::setDescription(const QString &whatThePictureShows)
{
    m_description = whatThePictureShows;
    describe();
    if (m_pointer)
        followPointer(*m_pointer);
    else if (m_pointX)
        showPoint();
}

void ReadOff::jumpToKeyPoint(bool right)
{
    const graphing::View &view = m_picture.content().view;
    const std::vector<graphing::KeyPoint> points = graphing::keyPoints(m_picture.content());
    // From the keyboard's point, or from the edge the jump starts at.
    const double infinity = std::numeric_limits<double>::infinity();
    const double from = m_pointX.value_or(right ? -infinity : infinity);
    const double slack = 1e-9 * (view.right - view.left);
    const auto next = right
                          ? std::find_if(points.cbegin(), points.cend(),
                                         [&](const auto &point) { return point.x > from + slack; })
                          : std::find_if(points.crbegin(), points.crend(), [&](const auto &point) {
                                return point.x < from - slack;
                            }).base();
    if (next == (right ? points.cend() : points.cbegin()))
        return;
    const graphing::KeyPoint &point = right ? *next : *(next - 1);
    moveTo(point.x, inWords(point, view));
}

std::optional<QString> ReadOff::keyboardValue() const
{
    if (!m_pointX || !m_picture.hasFocus())
        return std::nullopt;
    return pointInWords(tr("x = %1"), QStringLiteral(", "));
}

QString ReadOff::inWords(const graphing::KeyPoint &point, const graphing::View &view)
{
    const QString x = number(point.x, decimals(view), true);
    const QString y = number(point.y, decimals(view), true);
    switch (point.kind) {
    case graphing::KeyPoint::Kind::Zero: return tr("zero at x = %1, y = %2").arg(x, y);
    case graphing::KeyPoint::Kind::Minimum: return tr("minimum at x = %1, y = %2").arg(x, y);
    case graphing::KeyPoint::Kind::Maximum: break;
    }
    return tr("maximum at x = %1, y = %2").arg(x, y);
}

void ReadOff::followPointer(QPointF windowPosition)
{
    m_pointer = windowPosition;
    const graphing::View &view = m_picture.content().view;
    const QPointF user = m_picture.grid().userAt(windowPosition, view);
    // The last columns and rows show the pen square of the scale's very edge.
    const double x = std::clamp(user.x(), view.left, view.right);
    const double y = std::clamp(user.y(), view.bottom, view.top);
    m_lastX = x;
    const int shown = decimals(view);
    showBeside(windowPosition,
               withValue(tr("x = %1, y = %2").arg(number(x, shown), number(y, shown)), x,
                         QStringLiteral("\n")));
}

void ReadOff::moveTo(double x, const QString &words)
{
    m_pointX = x;
    m_lastX = x;
    m_keyPointWords = words;
    showPoint();
    describe();
    // Quietly without an audio output: the values are read off in words all the same.
    static_cast<void>(m_sound.play(graphing::pointSound(m_picture.content(), x)));
}

void ReadOff::showPoint()
{
    // The point lies on the curve where that shows, on the x-axis elsewhere; the readout stands
    // beside the middle of the pen square drawn there.
    const double x = *m_pointX;
    const double y = graphing::valueOnPicture(m_picture.content(), x).value_or(0);
    const plot::PixelGrid grid = m_picture.grid();
    const QPointF corner = grid.mapping(m_picture.content().view).toDevice({x, y});
    const QPointF middle =
        QPointF(plot::devicePixel(corner)) + QPointF(grid.penWidth, grid.penWidth) / 2;
    showBeside(grid.windowPosition(middle), pointInWords(tr("x = %1"), QStringLiteral("\n")));
}

void ReadOff::showBeside(QPointF windowPosition, const QString &text)
{
    const QPoint anchor = m_window.mapToGlobal(windowPosition.toPoint());
    m_label->setText(text);
    m_label->adjustSize();
    // Below and to the right, or where the screen leaves room.
    QPoint place = anchor + QPoint(clearance, clearance);
    if (const QScreen *const screen = QGuiApplication::screenAt(anchor)) {
        const QRect room = screen->availableGeometry();
        if (place.x() + m_label->width() > room.x() + room.width())
            place.setX(anchor.x() - clearance - m_label->width());
        if (place.y() + m_label->height() > room.y() + room.height())
            place.setY(anchor.y() - clearance - m_label->height());
    }
    m_label->move(place);
    m_label->show();
}

QString ReadOff::pointInWords(const QString &lead, const QString &separator) const
{
    if (!m_keyPointWords.isEmpty())
        return m_keyPointWords;
    return withValue(lead.arg(number(*m_pointX, decimals(m_picture.content().view))), *m_pointX,
                     separator);
}

QString ReadOff::withValue(const QString &text, double x, const QString &separator) const
{
    const graphing::PictureContent &content = m_picture.content();
    if (!content.function)
        return text;
    const std::optional<double> value = graphing::valueOnPicture(content, x);
    return text + separator
           + (value ? tr("f(x) = %1").arg(number(*value, decimals(content.view)))
                    : tr("f(x) off the picture"));
}

void ReadOff::stop()
{
    m_label->hide();
    m_pointer.reset();
    m_keyPointWords.clear();
    if (m_pointX) {
        m_pointX.reset();
        describe();
    }
}

void ReadOff::describe()
{
    QString description = m_description;
    if (m_pointX)
        description += QStringLiteral(". ") + pointInWords(tr("At x = %1"), QStringLiteral(": "));
    // Qt tells assistive technology of the change, so a screen reader speaks the new values.
    if (description != m_picture.accessibleDescription())
        m_picture.setAccessibleDescription(description);
}

} // namespace app
