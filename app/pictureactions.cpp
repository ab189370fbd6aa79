#include "pictureactions.h"

#include "axes.h"
#include "curveplayer.h"
#include "curvesound.h"
#include "keypoints.h"
#include "picturebox.h"

#include <QAction>
#include <QActionGroup>
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
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

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

// "Save As..."'s dialog: a name typed without an extension gets the chosen filter's, and the user
// is asked before a file of the name with that extension is replaced.
//
// Qt's own dialog adds the extension before it asks whether to replace the file. A platform's
// dialog (the desktop portal's file chooser) asked about the name as the user typed it, and Qt adds
// the extension only to the answer, asking nothing (QFileDialog::accept with a native dialog;
// QFileDialogPrivate::addDefaultSuffixToUrls, Qt 6.4): an existing "name.svg" would be replaced
// unasked. For such a dialog the question is asked here, over the window; No saves nothing.
class SaveDialog final : public QFileDialog {
public:
    // `mayReplace` asks the user whether the file `path` may be replaced.
    SaveDialog(QWidget &parent, const QString &caption,
               std::function<bool(const QString &path)> mayReplace)
        : QFileDialog(&parent, caption), m_mayReplace(std::move(mayReplace))
    {}

    void accept() override
    {
        // While a platform's dialog shows in its place, Qt keeps this one off the screen
        // (QFileDialog::setVisible).
        const bool platforms = testAttribute(Qt::WA_DontShowOnScreen);
        const QStringList chosen = selectedFiles();
        setDefaultSuffix(extensionOf(formatOfFilter(selectedNameFilter())));
        if (platforms && !chosen.isEmpty()) {
            const QString named = selectedFiles().value(0);
            if (named != chosen.constFirst() && QFileInfo::exists(named) && !m_mayReplace(named)) {
                reject();
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    std::function<bool(const QString &)> m_mayReplace;
};

// "Print..."'s dialog: Print on a page the picture does not fit (`refuses`, which tells the user
// why over the dialog) leaves the dialog open, so that the user chooses another page, margins or
// printed size before anything prints.
class PrintDialog final : public QPrintDialog {
public:
    PrintDialog(QPrinter &printer, QWidget &parent, std::function<bool(QWidget &)> refuses)
        : QPrintDialog(&printer, &parent), m_refuses(std::move(refuses))
    {}

    // Print sets the printer up from the dialog's choices first (QPrintDialog::accept), so they
    // are the ones judged here.
    void done(int result) override
    {
        if (result == QDialog::Accepted && m_refuses(*this))
            return;
        QPrintDialog::done(result);
    }

private:
    std::function<bool(QWidget &)> m_refuses;
};

// Millimetres to the unit of each printed size; nothing: as large as the page allows.
const std::array<std::optional<double>, 3> unitLengths{std::nullopt, 10.0, 5.0};

// How far the readout keeps from its anchor: clear of the pointer's arrow, as a tooltip does.
constexpr int clearance = 16;
// A wheel's notch, the + and - keys, and the arrow keys with Ctrl move the view this much.
constexpr double notchZoom = 0.8;
constexpr double keyZoom = 0.5;
constexpr double keyPan = 0.1;

// The x-axis's tick spacing: the keyboard's read-off point steps a tenth of it, with Shift a whole
// one (0.1 and 1 at -10..10).
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

// A coordinate or value as the read-off shows it: "1.23", "-4.50", never "-0.00"; with `trimmed`,
// no trailing zeros ("1.5", "0").
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
    // Space is the picture's own: elsewhere it presses the focused button.
    auto *const play = new QAction(tr("Play the Curve"), &m_picture);
    play->setObjectName(QStringLiteral("playCurve"));
    play->setShortcut(Qt::Key_Space);
    play->setShortcutContext(Qt::WidgetShortcut);
    play->setStatusTip(tr("Plays the graph as sound: x from -10 to 10 in four seconds, from left "
                          "to right, the pitch rising with y, a tick at each whole x and a bell "
                          "where the curve crosses the x-axis"));
    connect(play, &QAction::triggered, this, &PictureActions::playCurve);
    m_picture.addAction(play);
    m_menu->addAction(play);
    m_menu->addSeparator();
    auto *const type = new QAction(tr("Type a Function..."), &m_window);
    type->setShortcut(Qt::ControlModifier | Qt::Key_E);
    connect(type, &QAction::triggered, this, &PictureActions::functionRequested);
    m_window.addAction(type);
    m_menu->addAction(type);
    QMenu *const view = m_menu->addMenu(tr("View"));
    addPictureAction(view, tr("Zoom In"), Qt::Key_Plus, [this] {
        zoomAboutMiddle(keyZoom);
    })->setShortcuts({Qt::Key_Plus, Qt::Key_Equal});
    addPictureAction(view, tr("Zoom Out"), Qt::Key_Minus, [this] { zoomAboutMiddle(1 / keyZoom); });
    addPictureAction(view, tr("Default View"), Qt::Key_0, [this] { setView({}); });
    QMenu *const keyPoints = m_menu->addMenu(tr("Key Points"));
    addPictureAction(keyPoints, tr("List Them"), Qt::Key_K, &PictureActions::listKeyPoints);
    addPictureAction(keyPoints, tr("Next"), Qt::Key_PageDown, [this] { jumpToKeyPoint(true); });
    addPictureAction(keyPoints, tr("Previous"), Qt::Key_PageUp, [this] { jumpToKeyPoint(false); });
    addStyleMenu();
    m_picture.setMouseTracking(true);
    m_picture.installEventFilter(this);
    // The readout is a window of its own: it follows when the picture's window moves.
    m_window.installEventFilter(this);
}

void PictureActions::setDescription(const QString &whatThePictureShows)
{
    m_sound.stop();
    m_description = whatThePictureShows;
    describe();
    if (m_pointer)
        followPointer(*m_pointer);
    else if (m_readOffX)
        showReadOffPoint();
}

bool PictureActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window) {
        if (event->type() == QEvent::Move && m_readOut->isVisible()) {
            if (m_readOffX)
                showReadOffPoint();
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
    case QEvent::MouseMove: {
        const auto *const mouse = static_cast<QMouseEvent *>(event);
        const QPointF at = m_picture.mapTo(&m_window, mouse->position());
        if (m_drag && (mouse->buttons() & Qt::LeftButton)) {
            // The point grabbed stays under the pointer.
            const graphing::View &grabbed = m_drag->second;
            const QPointF moved = userAt(m_drag->first, grabbed) - userAt(at, grabbed);
            setView(grabbed.moved(moved.x() / (grabbed.right - grabbed.left),
                                  moved.y() / (grabbed.top - grabbed.bottom)));
        }
        followPointer(at);
        break;
    }
    case QEvent::MouseButtonRelease: m_drag.reset(); break;
    case QEvent::Wheel: {
        const auto *const wheel = static_cast<QWheelEvent *>(event);
        const QPointF user =
            userAt(m_picture.mapTo(&m_window, wheel->position()), m_picture.content().view);
        setView(m_picture.content().view.zoomed(
            std::pow(notchZoom, wheel->angleDelta().y() / 120.0), user.x(), user.y()));
        return true;
    }
    case QEvent::Leave:
        m_pointer.reset();
        m_readOut->hide();
        break;
    case QEvent::Hide:
    case QEvent::FocusOut: stopReadOff(); break;
    // As a tooltip does, the readout gives way to a click and to what the click opens.
    case QEvent::MouseButtonPress: {
        m_readOut->hide();
        const auto *const mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            m_drag = {m_picture.mapTo(&m_window, mouse->position()), m_picture.content().view};
        break;
    }
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
        const double spacing = tickSpacing(m_picture.content().view);
        if (arrow && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
            const double step = modifiers == Qt::ShiftModifier ? spacing : spacing / 10;
            moveReadOffPoint(key->key() == Qt::Key_Left ? -step : step);
            return true;
        }
        // With Ctrl the arrow keys move the view; alone, Left and Right are the read-off's.
        const int direction = key->key() - Qt::Key_Left;
        if (modifiers == Qt::ControlModifier && direction >= 0 && direction < 4) {
            // Left, Up, Right, Down: the view moves that way.
            constexpr std::array<std::array<double, 2>, 4> shares{
                {{-keyPan, 0}, {0, keyPan}, {keyPan, 0}, {0, -keyPan}}};
            const auto &share = shares.at(std::size_t(direction));
            setView(m_picture.content().view.moved(share[0], share[1]));
            return true;
        }
        if (key->key() == Qt::Key_Escape && m_sound.isPlaying()) {
            m_sound.stop();
            return true;
        }
        // Any other key takes the readout away, such as the one that opens the menu; a modifier
        // alone does not, so that Ctrl+C still copies the value read off.
        const bool modifierAlone = key->key() == Qt::Key_Control || key->key() == Qt::Key_Shift
                                   || key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
        if (!modifierAlone)
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

template <typename Trigger>
QAction *PictureActions::addPictureAction(QMenu *menu, const QString &text, QKeyCombination key,
                                          Trigger trigger)
{
    // The picture's own keys, as Space is: elsewhere they do what the focused control does.
    auto *const action = new QAction(text, &m_picture);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, trigger);
    m_picture.addAction(action);
    menu->addAction(action);
    return action;
}

void PictureActions::setView(const graphing::View &view)
{
    graphing::PictureContent content = m_picture.content();
    if (content.view == view)
        return;
    content.view = view;
    m_picture.setContent(content);
    emit contentChanged();
}

void PictureActions::zoomAboutMiddle(double factor)
{
    const graphing::View &view = m_picture.content().view;
    setView(view.zoomed(factor, (view.left + view.right) / 2, (view.bottom + view.top) / 2));
}

QPointF PictureActions::userAt(QPointF windowPosition, const graphing::View &view) const
{
    const plot::PixelGrid grid = m_picture.grid();
    return grid.mapping(view).toUser(QPointF(grid.pixelAt(windowPosition)));
}

void PictureActions::listKeyPoints()
{
    const graphing::PictureContent &content = m_picture.content();
    QStringList lines;
    for (const graphing::KeyPoint &point : graphing::keyPoints(content))
        lines << keyPointWords(point);
    if (!content.function)
        lines << tr("The axes alone have no key points; graph a function first.");
    else if (lines.isEmpty())
        lines << tr("The curve has no zero, minimum or maximum in view.");
    auto *const list = new QMessageBox(
        QMessageBox::Information, m_window.windowTitle(),
        tr("Key points of %1, %2")
            .arg(content.function ? QString::fromStdString(content.function->formula()) : QString(),
                 viewInWords(content.view)),
        QMessageBox::Ok, &m_window);
    list->setObjectName(QStringLiteral("keyPointList"));
    list->setInformativeText(lines.join(QLatin1Char('\n')));
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->open();
}

QString PictureActions::keyPointWords(const graphing::KeyPoint &point) const
{
    const int shown = decimals(m_picture.content().view);
    const QString x = number(point.x, shown, true);
    const QString y = number(point.y, shown, true);
    switch (point.kind) {
    case graphing::KeyPoint::Kind::Zero: return tr("zero at x = %1, y = %2").arg(x, y);
    case graphing::KeyPoint::Kind::Minimum: return tr("minimum at x = %1, y = %2").arg(x, y);
    case graphing::KeyPoint::Kind::Maximum: break;
    }
    return tr("maximum at x = %1, y = %2").arg(x, y);
}

void PictureActions::jumpToKeyPoint(bool right)
{
    const std::vector<graphing::KeyPoint> points = graphing::keyPoints(m_picture.content());
    // From the keyboard's point, or from the edge the jump starts at.
    const double from = m_readOffX ? *m_readOffX
                        : right    ? -std::numeric_limits<double>::infinity()
                                   : std::numeric_limits<double>::infinity();
    const double slack = 1e-9 * (m_picture.content().view.right - m_picture.content().view.left);
    const auto next = right
                          ? std::find_if(points.cbegin(), points.cend(),
                                         [&](const auto &point) { return point.x > from + slack; })
                          : std::find_if(points.crbegin(), points.crend(), [&](const auto &point) {
                                return point.x < from - slack;
                            }).base();
    if (next == (right ? points.cend() : points.cbegin()))
        return;
    const graphing::KeyPoint &point = right ? *next : *(next - 1);
    m_readOffX = point.x;
    m_lastX = point.x;
    m_keyPointWords = keyPointWords(point);
    showReadOffPoint();
    describe();
    static_cast<void>(play(graphing::pointSound(m_picture.content(), point.x)));
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
    m_chosen = rememberedChoices();
    for (int choice = 0; choice < int(choiceDesigns.size()); ++choice) {
        const ChoiceDesign &design = choiceDesigns.at(std::size_t(choice));
        if (choice == PrintedSize)
            menu->addSeparator();
        if (!design.options[0].second) {
            QAction *const item = menu->addAction(tr(design.title));
            item->setCheckable(true);
            item->setChecked(m_chosen.at(std::size_t(choice)) == 1);
            connect(item, &QAction::toggled, this,
                    [this, choice](bool on) { choose(choice, on ? 1 : 0); });
            continue;
        }
        QMenu *const options = menu->addMenu(tr(design.title));
        auto *const group = new QActionGroup(options);
        for (int option = 0; option < int(design.options.size()); ++option) {
            QAction *const item =
                options->addAction(tr(design.options[std::size_t(option)].second));
            item->setCheckable(true);
            item->setChecked(option == m_chosen.at(std::size_t(choice)));
            group->addAction(item);
            connect(item, &QAction::triggered, this,
                    [this, choice, option] { choose(choice, option); });
        }
    }
    showStyle();
}

void PictureActions::choose(int choice, int option)
{
    m_chosen.at(std::size_t(choice)) = option;
    remember(choice, option);
    showStyle();
}

void PictureActions::showStyle()
{
    graphing::PictureStyle onScreen;
    onScreen.numbers = m_chosen[Numbers] == 1;
    onScreen.grid = m_chosen[Grid] == 1;
    onScreen.keyPoints = m_chosen[KeyPointMarks] == 1;
    // Drawn again only when it changes: at start-up, with the window's own look, it does not.
    graphing::PictureContent shown = m_picture.content();
    shown.style = onScreen;
    if (shown != m_picture.content())
        m_picture.setContent(shown);
}

graphing::PictureContent PictureActions::styledContent() const
{
    graphing::PictureContent content = m_picture.content();
    content.style = styleOf(m_chosen);
    return content;
}

void PictureActions::copy()
{
    // What the user works with: the value the keyboard reads off, while it does (the picture has
    // the focus, and the arrow keys moved the point), on one line; else the picture, also while
    // the pointer happens to rest on it.
    if (m_readOffX && m_picture.hasFocus()) {
        const int shown = decimals(m_picture.content().view);
        QGuiApplication::clipboard()->setText(
            m_keyPointWords.isEmpty() ? readOut(tr("x = %1").arg(number(*m_readOffX, shown)),
                                                *m_readOffX, QStringLiteral(", "))
                                      : m_keyPointWords);
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
    SaveDialog dialog(m_window, tr("Save Picture As"), [this](const QString &path) {
        QMessageBox question(
            QMessageBox::Warning, m_window.windowTitle(),
            tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
            QMessageBox::Yes | QMessageBox::No, &m_window);
        question.setObjectName(QStringLiteral("replaceQuestion"));
        question.setDefaultButton(QMessageBox::No);
        return question.exec() == QMessageBox::Yes;
    });
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
    PrintDialog dialog(printer, m_window, [this, &printer](QWidget &over) {
        const std::optional<QString> why =
            whyNotOnPage(printedContent(), printer.pageLayout(), pageOptions(printer));
        if (why)
            tell(over, QStringLiteral("printFailure"), tr("The picture could not be printed."),
                 *why);
        return why.has_value();
    });
    dialog.setObjectName(QStringLiteral("printDialog"));
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
}

graphing::PictureContent PictureActions::printedContent() const
{
    graphing::PictureContent content = styledContent();
    content.style.background = m_chosen[PrintedBackground] == 1 ? graphing::Background::Screen
                                                                : graphing::Background::White;
    return content;
}

plot::PageOptions PictureActions::pageOptions(const QPrinter &printer) const
{
    return {unitLengths.at(std::size_t(m_chosen[PrintedSize])), pictureCaption(printedContent()),
            printer.colorMode() == QPrinter::GrayScale};
}

void PictureActions::printOn(QPrinter &printer)
{
    const graphing::PictureContent content = printedContent();
    const plot::PageOptions options = pageOptions(printer);
    std::optional<QString> failure = whyNotOnPage(content, printer.pageLayout(), options);
    const QString file = printer.outputFileName();
    // A file is made whole first, then put in place as a saved picture is.
    if (!failure && printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty())
        failure = savePage(content, file, printer.pageLayout(), printer.resolution(), options);
    else if (!failure && !pictureRenderer().paintPage(content, printer, options))
        failure = tr("The printer reported an error.");
    if (failure)
        tell(QStringLiteral("printFailure"), tr("The picture could not be printed."), *failure);
}

std::optional<QString> PictureActions::play(const std::vector<std::int16_t> &samples)
{
    switch (m_sound.play(samples)) {
    case SoundModule::Outcome::Started: return std::nullopt;
    case SoundModule::Outcome::ModuleMissing:
        return tr("The program's sound module is missing; installing the program again brings it.");
    case SoundModule::Outcome::NoOutput:
        return tr("No audio output was found: this computer has no sound device or sound server.");
    case SoundModule::Outcome::OutputFailed: break;
    }
    return tr("The audio output %1 could not play the sound.").arg(m_sound.outputName());
}

void PictureActions::playCurve()
{
    if (!m_picture.content().function) {
        tell(QStringLiteral("playFailure"), tr("There is nothing to play."),
             tr("The axes alone have no curve to be heard; graph a function first."));
    } else if (const std::optional<QString> failure =
                   play(graphing::curveSound(m_picture.content()))) {
        tell(QStringLiteral("playFailure"), tr("The curve could not be played."), *failure);
    }
}

void PictureActions::tell(const QString &objectName, const QString &text, const QString &why)
{
    tell(m_window, objectName, text, why);
}

void PictureActions::tell(QWidget &over, const QString &objectName, const QString &text,
                          const QString &why)
{
    auto *const message =
        new QMessageBox(QMessageBox::Warning, m_window.windowTitle(), text, QMessageBox::Ok, &over);
    message->setObjectName(objectName);
    message->setInformativeText(why);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->open();
}

QString PictureActions::readOut(const QString &text, double x, const QString &separator) const
{
    const graphing::PictureContent &content = m_picture.content();
    if (!content.function)
        return text;
    const std::optional<double> value = graphing::valueOnPicture(content, x);
    return text + separator
           + (value ? tr("f(x) = %1").arg(number(*value, decimals(content.view)))
                    : tr("f(x) off the picture"));
}

void PictureActions::followPointer(QPointF windowPosition)
{
    m_pointer = windowPosition;
    const graphing::View &view = m_picture.content().view;
    const QPointF user = userAt(windowPosition, view);
    // The last columns and rows show the pen square of the scale's very edge.
    const double x = std::clamp(user.x(), view.left, view.right);
    const double y = std::clamp(user.y(), view.bottom, view.top);
    m_lastX = x;
    const int shown = decimals(view);
    showBeside(windowPosition, readOut(tr("x = %1, y = %2").arg(number(x, shown), number(y, shown)),
                                       x, QStringLiteral("\n")));
}

void PictureActions::moveReadOffPoint(double step)
{
    // From the x last read off, as the readout showed it.
    const graphing::View &view = m_picture.content().view;
    const int shown = decimals(view);
    m_readOffX = std::clamp(rounded(rounded(m_lastX, shown) + step, shown), view.left, view.right);
    m_lastX = *m_readOffX;
    m_keyPointWords.clear();
    showReadOffPoint();
    describe();
    // Quietly without an audio output: the values are read off in words all the same.
    static_cast<void>(play(graphing::pointSound(m_picture.content(), *m_readOffX)));
}

void PictureActions::showReadOffPoint()
{
    // The point lies on the curve where that shows, on the x-axis elsewhere; the readout stands
    // beside the middle of the pen square drawn there.
    const double x = *m_readOffX;
    const double y = graphing::valueOnPicture(m_picture.content(), x).value_or(0);
    const plot::PixelGrid grid = m_picture.grid();
    const QPointF corner = grid.mapping(m_picture.content().view).toDevice({x, y});
    const QPointF middle(std::floor(corner.x() + 0.5) + grid.penWidth / 2.0,
                         std::floor(corner.y() + 0.5) + grid.penWidth / 2.0);
    showBeside(grid.windowPosition(middle),
               m_keyPointWords.isEmpty()
                   ? readOut(tr("x = %1").arg(number(x, decimals(m_picture.content().view))), x,
                             QStringLiteral("\n"))
                   : m_keyPointWords);
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
    m_keyPointWords.clear();
    if (m_readOffX) {
        m_readOffX.reset();
        describe();
    }
}

void PictureActions::describe()
{
    QString description = m_description;
    if (!m_keyPointWords.isEmpty()) {
        description += QStringLiteral(". ") + m_keyPointWords;
    } else if (m_readOffX) {
        description +=
            QStringLiteral(". ")
            + readOut(tr("At x = %1").arg(number(*m_readOffX, decimals(m_picture.content().view))),
                      *m_readOffX, QStringLiteral(": "));
    }
    if (description == m_picture.accessibleDescription())
        return;
    // Qt tells assistive technology of the change (a description-changed event), so a screen
    // reader speaks the new values.
    m_picture.setAccessibleDescription(description);
}

} // namespace app
