#include "pictureactions.h"

#include "curvesound.h"
#include "picturebox.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace app {

namespace {

// A wheel's notch, the + and - keys, and the arrow keys with Ctrl move the view this much.
constexpr double notchZoom = 0.8;
constexpr double keyZoom = 0.5;
constexpr double keyPan = 0.1;
// Millimetres to the unit of each printed size; nothing: as large as the page allows.
const std::array<std::optional<double>, 3> unitLengths{std::nullopt, 10.0, 5.0};

PictureFormat formatOfFilter(const QString &filter)
{
    return static_cast<PictureFormat>(std::max<qsizetype>(0, saveFilters().indexOf(filter)));
}

// A name typed without an extension gets the chosen filter's. Qt's own dialog then asks before it
// replaces a file of that name; a platform's dialog (the desktop portal's) asked only about the
// name as typed, and Qt adds the extension to its answer unasked (Qt 6.4): so this asks then.
class SaveDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        // While a platform's dialog shows, Qt keeps this one off the screen.
        const bool platforms = testAttribute(Qt::WA_DontShowOnScreen);
        const QStringList chosen = selectedFiles();
        setDefaultSuffix(extensionOf(formatOfFilter(selectedNameFilter())));
        const QString named = selectedFiles().value(0);
        if (platforms && !chosen.isEmpty() && named != chosen.constFirst()
            && QFileInfo::exists(named)) {
            QMessageBox question(
                QMessageBox::Warning, parentWidget()->windowTitle(),
                PictureActions::tr("%1 already exists.\nDo you want to replace it?")
                    .arg(QFileInfo(named).fileName()),
                QMessageBox::Yes | QMessageBox::No, parentWidget());
            question.setObjectName(QStringLiteral("replaceQuestion"));
            question.setDefaultButton(QMessageBox::No);
            if (question.exec() != QMessageBox::Yes)
                return reject();
        }
        QFileDialog::accept();
    }
};

// Print on a page the picture does not fit (`refuses`, which tells the user why over the dialog)
// leaves the dialog open, so that another page, margins or size can be chosen.
class PrintDialog final : public QPrintDialog {
public:
    PrintDialog(QPrinter &printer, QWidget &parent, std::function<bool(QWidget &)> refuses)
        : QPrintDialog(&printer, &parent), m_refuses(std::move(refuses))
    {}

    // QPrintDialog::accept has set the printer up from the dialog's choices by now.
    void done(int result) override
    {
        if (result != QDialog::Accepted || !m_refuses(*this))
            QPrintDialog::done(result);
    }

private:
    std::function<bool(QWidget &)> m_refuses;
};

} // namespace

PictureActions::PictureActions(QWidget &window, plot::PictureBox &picture)
    : QObject(&window), m_window(window), m_picture(picture), m_menu(new QMenu(&window)),
      m_readOff(window, picture, m_sound)
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    m_folder = !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
    m_menu->setObjectName(QStringLiteral("pictureMenu"));
    add(m_menu, m_window, tr("Copy"), QKeySequence::keyBindings(QKeySequence::Copy),
        &PictureActions::copy);
    add(m_menu, m_window, tr("Save As..."), QKeySequence::keyBindings(QKeySequence::Save),
        &PictureActions::saveAs);
    add(m_menu, m_window, tr("Print..."), QKeySequence::keyBindings(QKeySequence::Print),
        &PictureActions::print);
    QAction *const play =
        add(m_menu, m_picture, tr("Play the Curve"), {Qt::Key_Space}, &PictureActions::playCurve);
    play->setObjectName(QStringLiteral("playCurve"));
    play->setStatusTip(tr("Plays the graph as sound: x from -10 to 10 in four seconds, from left "
                          "to right, the pitch rising with y, a tick at each whole x and a bell "
                          "where the curve crosses the x-axis"));
    m_menu->addSeparator();
    add(m_menu, m_window, tr("Type a Function..."), {Qt::ControlModifier | Qt::Key_E},
        &PictureActions::functionRequested);
    const auto zoom = [this](double factor) {
        const graphing::View &view = m_picture.content().view;
        setView(view.zoomed(factor, (view.left + view.right) / 2, (view.bottom + view.top) / 2));
    };
    QMenu *const view = m_menu->addMenu(tr("View"));
    add(view, m_picture, tr("Zoom In"), {Qt::Key_Plus, Qt::Key_Equal}, [zoom] { zoom(keyZoom); });
    add(view, m_picture, tr("Zoom Out"), {Qt::Key_Minus}, [zoom] { zoom(1 / keyZoom); });
    add(view, m_picture, tr("Default View"), {Qt::Key_0}, [this] { setView({}); });
    QMenu *const keyPoints = m_menu->addMenu(tr("Key Points"));
    add(keyPoints, m_picture, tr("List Them"), {Qt::Key_K}, &PictureActions::listKeyPoints);
    add(keyPoints, m_picture, tr("Next"), {Qt::Key_PageDown},
        [this] { m_readOff.jumpToKeyPoint(true); });
    add(keyPoints, m_picture, tr("Previous"), {Qt::Key_PageUp},
        [this] { m_readOff.jumpToKeyPoint(false); });
    addStyleMenu();
    m_picture.installEventFilter(this);
    m_window.installEventFilter(this);
}

template <typename Trigger>
QAction *PictureActions::add(QMenu *menu, QWidget &owner, const QString &text,
                             const QList<QKeySequence> &keys, Trigger trigger)
{
    auto *const action = new QAction(text, &owner);
    action->setShortcuts(keys);
    if (&owner == &m_picture)
        action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, trigger);
    owner.addAction(action);
    menu->addAction(action);
    return action;
}

void PictureActions::setDescription(const QString &whatThePictureShows)
{
    m_sound.stop();
    m_readOff.setDescription(whatThePictureShows);
}

bool PictureActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window) {
        if (event->type() == QEvent::Move)
            m_readOff.windowMoved();
        return false;
    }
    // Where a menu asked for from the keyboard opens: over the picture's middle.
    const auto middle = [this] { return m_picture.mapToGlobal(m_picture.rect().center()); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        const auto *const mouse = static_cast<QMouseEvent *>(event);
        const QPointF at = m_picture.mapTo(&m_window, mouse->position());
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            m_drag = {at, m_picture.content().view};
        } else if (m_drag && (mouse->buttons() & Qt::LeftButton)) {
            // The point grabbed stays under the pointer.
            const graphing::View &grabbed = m_drag->second;
            const plot::PixelGrid grid = m_picture.grid();
            const QPointF moved = grid.userAt(m_drag->first, grabbed) - grid.userAt(at, grabbed);
            setView(grabbed.moved(moved.x() / (grabbed.right - grabbed.left),
                                  moved.y() / (grabbed.top - grabbed.bottom)));
        }
        break;
    }
    case QEvent::MouseButtonRelease: m_drag.reset(); break;
    case QEvent::Wheel: {
        const auto *const wheel = static_cast<QWheelEvent *>(event);
        const graphing::View &view = m_picture.content().view;
        const QPointF user =
            m_picture.grid().userAt(m_picture.mapTo(&m_window, wheel->position()), view);
        setView(
            view.zoomed(std::pow(notchZoom, wheel->angleDelta().y() / 120.0), user.x(), user.y()));
        return true;
    }
    case QEvent::ContextMenu: {
        m_readOff.hide();
        // From the keyboard, over the picture's middle rather than where the pointer may be.
        const auto *const request = static_cast<QContextMenuEvent *>(event);
        m_menu->popup(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                                    : middle());
        return true;
    }
    case QEvent::KeyPress: {
        const auto *const key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        // Left, Up, Right, Down with Ctrl move the view that way.
        const int direction = key->key() - Qt::Key_Left;
        if (modifiers == Qt::ControlModifier && direction >= 0 && direction < 4) {
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
        if (m_readOff.handle(*event))
            return true;
        if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
            || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            m_menu->popup(middle());
            return true;
        }
        return false;
    }
    default: break;
    }
    return m_readOff.handle(*event);
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

void PictureActions::listKeyPoints()
{
    const graphing::PictureContent &content = m_picture.content();
    QStringList lines;
    for (const graphing::KeyPoint &point : graphing::keyPoints(content))
        lines << ReadOff::inWords(point, content.view);
    if (!content.function)
        lines << tr("The axes alone have no key points; graph a function first.");
    else if (lines.isEmpty())
        lines << tr("The curve has no zero, minimum or maximum in view.");
    tell(
        QStringLiteral("keyPointList"),
        tr("Key points of %1, %2")
            .arg(content.function ? QString::fromStdString(content.function->formula()) : QString(),
                 viewInWords(content.view)),
        lines.join(QLatin1Char('\n')), nullptr, QMessageBox::Information);
}

void PictureActions::addStyleMenu()
{
    QMenu *const menu = m_menu->addMenu(tr("Picture Style"));
    m_chosen = rememberedChoices();
    for (int choice = 0; choice < int(choiceDesigns.size()); ++choice) {
        const ChoiceDesign &design = choiceDesigns.at(std::size_t(choice));
        const auto choose = [this, choice](int option) {
            m_chosen.at(std::size_t(choice)) = option;
            remember(choice, option);
            showStyle();
        };
        if (choice == PrintedSize)
            menu->addSeparator();
        if (!design.options[0].second) {
            QAction *const item = menu->addAction(tr(design.title));
            item->setCheckable(true);
            item->setChecked(m_chosen.at(std::size_t(choice)) == 1);
            connect(item, &QAction::toggled, this, [choose](bool on) { choose(on ? 1 : 0); });
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
            connect(item, &QAction::triggered, this, [choose, option] { choose(option); });
        }
    }
    showStyle();
}

void PictureActions::showStyle()
{
    // The screen shows the numbers, the grid and the key points, with its own colour and lines;
    // drawn again only when that changes, so not at start-up with the window's own look.
    graphing::PictureContent shown = m_picture.content();
    shown.style = styleOf(m_chosen);
    shown.style.background = graphing::Background::Screen;
    shown.style.lineWidth = 1;
    if (shown != m_picture.content())
        m_picture.setContent(shown);
}

graphing::PictureContent PictureActions::styledContent() const
{
    graphing::PictureContent content = m_picture.content();
    content.style = styleOf(m_chosen);
    return content;
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

void PictureActions::copy()
{
    // The value the keyboard reads off, while it does; else the picture, also while the pointer
    // happens to rest on it.
    if (const std::optional<QString> value = m_readOff.keyboardValue()) {
        QGuiApplication::clipboard()->setText(*value);
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
    // The name as the dialog gave it: the file whose replacement the user confirmed there.
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
            tell(QStringLiteral("printFailure"), tr("The picture could not be printed."), *why,
                 &over);
        return why.has_value();
    });
    dialog.setObjectName(QStringLiteral("printDialog"));
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
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

void PictureActions::playCurve()
{
    if (!m_picture.content().function) {
        tell(QStringLiteral("playFailure"), tr("There is nothing to play."),
             tr("The axes alone have no curve to be heard; graph a function first."));
    } else if (const std::optional<QString> failure =
                   m_sound.play(graphing::curveSound(m_picture.content()))) {
        tell(QStringLiteral("playFailure"), tr("The curve could not be played."), *failure);
    }
}

void PictureActions::tell(const QString &objectName, const QString &text, const QString &why,
                          QWidget *over, QMessageBox::Icon icon)
{
    auto *const message = new QMessageBox(icon, m_window.windowTitle(), text, QMessageBox::Ok,
                                          over ? over : &m_window);
    message->setObjectName(objectName);
    message->setInformativeText(why);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->open();
}

} // namespace app
