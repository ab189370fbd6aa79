#include "pictureactions.h"

#include "functions.h"
#include "picturebox.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
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
#include <QSettings>
#include <QStandardPaths>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <functional>

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

// Where the style and the page's choices are remembered.
QSettings settings()
{
    return QSettings(QStringLiteral("function-graph"), QStringLiteral("function-graph"));
}

// The sizes a printed page offers: as large as it allows, 1 cm or 5 mm to the unit.
const std::array<std::optional<double>, 3> unitLengths{std::nullopt, 10.0, 5.0};

graphing::PictureStyle rememberedStyle()
{
    const QSettings remembered = settings();
    graphing::PictureStyle style;
    const qsizetype background =
        backgroundNames().indexOf(remembered.value(QStringLiteral("style/background")).toString());
    style.background = static_cast<graphing::Background>(std::max<qsizetype>(0, background));
    const int width = remembered.value(QStringLiteral("style/lineWidth"), 1).toInt();
    style.lineWidth = width >= 1 && width <= graphing::thickestLine ? width : 1;
    style.numbers = remembered.value(QStringLiteral("style/numbers")).toBool();
    style.grid = remembered.value(QStringLiteral("style/grid")).toBool();
    return style;
}

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
    m_style = rememberedStyle();
    const QSettings remembered = settings();
    const int size = remembered.value(QStringLiteral("page/size")).toInt();
    m_pageChoice.unitLength = unitLengths.at(size > 0 && size < 3 ? std::size_t(size) : 0);
    m_pageChoice.screenBackground =
        remembered.value(QStringLiteral("page/screenBackground")).toBool();
    addStyleMenu();
    // The screen shows the remembered numbers and grid from the start.
    changeStyle();
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

void PictureActions::addStyleMenu()
{
    QMenu *const menu = m_menu->addMenu(tr("Picture Style"));
    // Exclusive choices in a submenu; `apply` takes the number of the one chosen.
    const auto addChoices = [this](QMenu *choices, const QStringList &texts, int chosen,
                                   const std::function<void(int)> &apply) {
        auto *const group = new QActionGroup(choices);
        for (int i = 0; i < texts.size(); ++i) {
            QAction *const choice = choices->addAction(texts[i]);
            choice->setCheckable(true);
            choice->setChecked(i == chosen);
            group->addAction(choice);
            connect(choice, &QAction::triggered, this, [this, apply, i] {
                apply(i);
                changeStyle();
            });
        }
    };
    addChoices(menu->addMenu(tr("Background")),
               {tr("As on Screen"), tr("White"), tr("Transparent")}, int(m_style.background),
               [this](int i) { m_style.background = static_cast<graphing::Background>(i); });
    QStringList widths;
    for (int pixels = 1; pixels <= graphing::thickestLine; ++pixels)
        widths << tr("%n Pixel(s)", nullptr, pixels);
    addChoices(menu->addMenu(tr("Line Width")), widths, m_style.lineWidth - 1,
               [this](int i) { m_style.lineWidth = i + 1; });
    const auto addSwitch = [this, menu](const QString &text, bool graphing::PictureStyle::*on) {
        QAction *const action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(m_style.*on);
        connect(action, &QAction::toggled, this, [this, on](bool checked) {
            m_style.*on = checked;
            changeStyle();
        });
    };
    addSwitch(tr("Numbers on the Axes"), &graphing::PictureStyle::numbers);
    addSwitch(tr("Grid"), &graphing::PictureStyle::grid);
}

void PictureActions::changeStyle()
{
    QSettings remembered = settings();
    remembered.setValue(QStringLiteral("style/background"),
                        backgroundNames().at(qsizetype(m_style.background)));
    remembered.setValue(QStringLiteral("style/lineWidth"), m_style.lineWidth);
    remembered.setValue(QStringLiteral("style/numbers"), m_style.numbers);
    remembered.setValue(QStringLiteral("style/grid"), m_style.grid);
    graphing::PictureStyle onScreen;
    onScreen.numbers = m_style.numbers;
    onScreen.grid = m_style.grid;
    m_picture.setContent(graphing::PictureContent(m_picture.content().graphedFunction, onScreen));
}

graphing::PictureContent PictureActions::styledContent() const
{
    return graphing::PictureContent(m_picture.content().graphedFunction, m_style);
}

void PictureActions::copy()
{
    // A value read off, as the readout shows it, on one line.
    if (m_readOut->isVisible()) {
        QGuiApplication::clipboard()->setText(
            m_readOut->text().replace(QLatin1Char('\n'), QStringLiteral(", ")));
        return;
    }
    const graphing::PictureContent content = styledContent();
    auto *const data = new QMimeData;
    data->setImageData(pictureRenderer().image(content, m_picture.devicePixelRatioF()));
    data->setData(QStringLiteral("image/svg+xml"), pictureRenderer().svg(content));
    // Pasted where only text goes: what the picture shows, in words.
    data->setText(pictureCaption(content).join(QStringLiteral(", ")));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PictureActions::saveAs()
{
    SaveDialog dialog(&m_window, tr("Save Picture As"));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
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
        savePicture(styledContent(), path, pictureFormatOf(path).value_or(chosen),
                    m_picture.devicePixelRatioF());
    if (failure)
        tell(QStringLiteral("saveFailure"), tr("The picture could not be saved."), *failure);
    return !failure;
}

void PictureActions::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(printedPage(printer.pageLayout().pageSize()));
    QPrintDialog dialog(&printer, &m_window);
    dialog.setObjectName(QStringLiteral("printDialog"));
    // The page's own choices, on a tab of the dialog, which owns it.
    auto *const page = new QWidget;
    page->setWindowTitle(tr("Picture"));
    auto *const form = new QFormLayout(page);
    auto *const size = new QComboBox(page);
    size->addItems({tr("As large as the page allows"), tr("1 unit = 1 cm"), tr("1 unit = 5 mm")});
    size->setCurrentIndex(
        int(std::find(unitLengths.cbegin(), unitLengths.cend(), m_pageChoice.unitLength)
            - unitLengths.cbegin()));
    form->addRow(tr("Size:"), size);
    auto *const paper = new QComboBox(page);
    paper->addItems({tr("White"), tr("As on screen")});
    paper->setCurrentIndex(m_pageChoice.screenBackground ? 1 : 0);
    form->addRow(tr("Background:"), paper);
    dialog.setOptionTabs({page});
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_pageChoice = {unitLengths.at(std::size_t(size->currentIndex())), paper->currentIndex() == 1};
    QSettings remembered = settings();
    remembered.setValue(QStringLiteral("page/size"), size->currentIndex());
    remembered.setValue(QStringLiteral("page/screenBackground"), m_pageChoice.screenBackground);
    printOn(printer, m_pageChoice);
}

void PictureActions::printOn(QPrinter &printer, const PageChoice &choice)
{
    graphing::PictureContent content = styledContent();
    content.style.background =
        choice.screenBackground ? graphing::Background::Screen : graphing::Background::White;
    const plot::PageOptions options{choice.unitLength, pictureCaption(content)};
    std::optional<QString> failure = whyNotOnPage(printer.pageLayout(), options);
    const QString file = printer.outputFileName();
    if (failure) {
    } else if (printer.outputFormat() != QPrinter::PdfFormat || file.isEmpty()) {
        if (!pictureRenderer().paintPage(content, printer, options))
            failure = tr("The printer reported an error.");
    } else {
        // The page is made whole first, then put in place of the file as a saved picture is.
        failure = savePage(content, file, printer.pageLayout(), printer.resolution(), options);
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
