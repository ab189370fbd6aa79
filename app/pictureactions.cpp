#include "pictureactions.h"

#include "functions.h"
#include "picturebox.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// Where "Save As..." first proposes to save: the user's pictures folder, or home without one.
QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

PictureFormat formatOfFilter(const QString &filter)
{
    return static_cast<PictureFormat>(std::max<qsizetype>(0, saveFilters().indexOf(filter)));
}

// "Save As..."'s dialog: a name typed without an extension gets the chosen filter's, before the
// dialog asks whether to replace a file of that name.
class SaveDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        setDefaultSuffix(extensionOf(formatOfFilter(selectedNameFilter())));
        QFileDialog::accept();
    }
};

constexpr double keyStep = 0.1;
constexpr double shiftKeyStep = 1.0;
// How far the readout keeps from its anchor: clear of the pointer's arrow, as a tooltip does.
constexpr int clearance = 16;

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
    // Written so that a value that is not a number fails it too.
    const bool onPicture =
        value && *value >= graphing::plotBottomRight.y && *value <= graphing::plotTopLeft.y;
    return onPicture ? value : std::nullopt;
}

QLabel *makeReadOut(QWidget *parent)
{
    auto *const label =
        new QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus);
    label->setObjectName(QStringLiteral("readOut"));
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
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

PictureActions::PictureActions(QWidget &window, plot::PictureBox &picture)
    : QObject(&window), m_window(window), m_picture(picture), m_menu(new QMenu(&window)),
      m_folder(picturesFolder()), m_readOut(makeReadOut(&picture))
{
    m_menu->setObjectName(QStringLiteral("pictureMenu"));
    addAction(tr("Copy"), QKeySequence::Copy, &PictureActions::copy);
    addAction(tr("Save As..."), QKeySequence::Save, &PictureActions::saveAs);
    addAction(tr("Print..."), QKeySequence::Print, &PictureActions::print);
    m_picture.setMouseTracking(true);
    m_picture.installEventFilter(this);
    // The readout is a window of its own: it follows when the picture's window moves.
    m_window.installEventFilter(this);
}

void PictureActions::setDescription(const QString &whatThePictureShows)
{
    m_description = whatThePictureShows;
    describe();
    if (m_pointer)
        followPointer(*m_pointer);
    else if (m_keyX)
        showKeyPoint();
}

bool PictureActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window) {
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
    const auto middle = [this] { return m_picture.mapToGlobal(m_picture.rect().center()); };
    switch (event->type()) {
    case QEvent::Enter:
        followPointer(m_picture.mapTo(&m_window, static_cast<QEnterEvent *>(event)->position()));
        break;
    case QEvent::MouseMove:
        followPointer(m_picture.mapTo(&m_window, static_cast<QMouseEvent *>(event)->position()));
        break;
    case QEvent::Leave:
        m_pointer.reset();
        m_readOut->hide();
        break;
    case QEvent::Hide:
    case QEvent::FocusOut: stopReadOff(); break;
    // As a tooltip does, the readout gives way to a click and to what the click opens.
    case QEvent::MouseButtonPress: m_readOut->hide(); break;
    case QEvent::ContextMenu: {
        m_readOut->hide();
        const auto *const request = static_cast<QContextMenuEvent *>(event);
        // From the keyboard, the menu opens over the picture's middle rather than at a pointer
        // that may be anywhere.
        m_menu->popup(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                                    : middle());
        return true;
    }
    case QEvent::KeyPress: {
        const auto *const key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool arrow = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
        if (arrow && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
            const double step = modifiers == Qt::ShiftModifier ? shiftKeyStep : keyStep;
            moveKeyPoint(key->key() == Qt::Key_Left ? -step : step);
            return true;
        }
        // Any other key takes the readout away, such as the one that opens the menu.
        m_readOut->hide();
        if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
            || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            m_menu->popup(middle());
            return true;
        }
        break;
    }
    default: break;
    }
    return false;
}

void PictureActions::addAction(const QString &text, QKeySequence::StandardKey shortcut,
                               void (PictureActions::*trigger)())
{
    auto *const action = new QAction(text, &m_window);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, trigger);
    // On the window, the shortcut works wherever the focus is within it.
    m_window.addAction(action);
    m_menu->addAction(action);
}

void PictureActions::copy()
{
    const graphing::PictureContent &content = m_picture.content();
    auto *const data = new QMimeData;
    data->setImageData(pictureRenderer().image(content, m_picture.devicePixelRatioF()));
    data->setData(QStringLiteral("image/svg+xml"), pictureRenderer().svg(content));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PictureActions::saveAs()
{
    SaveDialog dialog(&m_window, tr("Save Picture As"));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(saveFilters());
    dialog.setDirectory(m_folder);
    dialog.selectFile(proposedFileName(m_picture.content()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (saveTo(path, formatOfFilter(dialog.selectedNameFilter())))
        m_folder = QFileInfo(path).absolutePath();
}

bool PictureActions::saveTo(const QString &path, PictureFormat chosen)
{
    // The name stays as the dialog gave it, so that the file written is the one whose
    // replacement the user confirmed there.
    const std::optional<QString> failure =
        savePicture(m_picture.content(), path, pictureFormatOf(path).value_or(chosen),
                    m_picture.devicePixelRatioF());
    if (failure)
        tell(QStringLiteral("saveFailure"), tr("The picture could not be saved."), *failure);
    return !failure;
}

void PictureActions::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &m_window);
    dialog.setObjectName(QStringLiteral("printDialog"));
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
}

void PictureActions::printOn(QPrinter &printer)
{
    std::optional<QString> failure;
    const QString file = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || file.isEmpty()) {
        if (!pictureRenderer().paintPage(m_picture.content(), printer))
            failure = tr("The printer reported an error.");
    } else {
        // The page is made whole first, then put in place of the file as a saved picture is.
        QByteArray pdf;
        QBuffer buffer(&pdf);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        if (buffer.open(QIODevice::WriteOnly)
            && pictureRenderer().paintPage(m_picture.content(), writer))
            failure = writePictureFile(file, pdf);
        else
            failure = tr("The page could not be drawn.");
    }
    if (failure)
        tell(QStringLiteral("printFailure"), tr("The picture could not be printed."), *failure);
}

void PictureActions::tell(const QString &objectName, const QString &text, const QString &why)
{
    auto *const message = new QMessageBox(QMessageBox::Warning, m_window.windowTitle(), text,
                                          QMessageBox::Ok, &m_window);
    message->setObjectName(objectName);
    message->setInformativeText(why);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->open();
}

QString PictureActions::readOut(const QString &text, double x, const QString &separator) const
{
    const graphing::PictureContent &content = m_picture.content();
    if (!content.graphedFunction)
        return text;
    const std::optional<double> value = valueOnPicture(content, x);
    return text + separator
           + (value ? tr("f(x) = %1").arg(number(*value)) : tr("f(x) off the picture"));
}

void PictureActions::followPointer(QPointF windowPosition)
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
    showBeside(windowPosition,
               readOut(tr("x = %1, y = %2").arg(number(x), number(y)), x, QStringLiteral("\n")));
}

void PictureActions::moveKeyPoint(double step)
{
    // From the x last read off, as the readout showed it.
    m_keyX = std::clamp(toHundredths(toHundredths(m_lastX) + step), double(graphing::plotTopLeft.x),
                        double(graphing::plotBottomRight.x));
    m_lastX = *m_keyX;
    showKeyPoint();
    describe();
}

void PictureActions::showKeyPoint()
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
               readOut(tr("x = %1").arg(number(x)), x, QStringLiteral("\n")));
}

void PictureActions::showBeside(QPointF windowPosition, const QString &text)
{
    const QPoint anchor = m_window.mapToGlobal(windowPosition.toPoint());
    m_readOut->setText(text);
    m_readOut->adjustSize();
    // Below and to the right, or where the screen leaves room.
    QPoint place = anchor + QPoint(clearance, clearance);
    if (const QScreen *const screen = QGuiApplication::screenAt(anchor)) {
        const QRect room = screen->availableGeometry();
        if (place.x() + m_readOut->width() > room.x() + room.width())
            place.setX(anchor.x() - clearance - m_readOut->width());
        if (place.y() + m_readOut->height() > room.y() + room.height())
            place.setY(anchor.y() - clearance - m_readOut->height());
    }
    m_readOut->move(place);
    m_readOut->show();
}

void PictureActions::stopReadOff()
{
    m_readOut->hide();
    m_pointer.reset();
    if (m_keyX) {
        m_keyX.reset();
        describe();
    }
}

void PictureActions::describe()
{
    QString description = m_description;
    if (m_keyX) {
        description +=
            QStringLiteral(". ")
            + readOut(tr("At x = %1").arg(number(*m_keyX)), *m_keyX, QStringLiteral(": "));
    }
    if (description == m_picture.accessibleDescription())
        return;
    // Qt tells assistive technology of the change (a description-changed event), so a screen
    // reader speaks the new values.
    m_picture.setAccessibleDescription(description);
}

} // namespace app
