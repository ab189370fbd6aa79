#include "pictureactions.h"

#include "picturebox.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <algorithm>

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

} // namespace

PictureActions::PictureActions(QWidget &window, plot::PictureBox &picture)
    : QObject(&window), m_window(window), m_picture(picture), m_menu(new QMenu(&window)),
      m_folder(picturesFolder())
{
    m_menu->setObjectName(QStringLiteral("pictureMenu"));
    addAction(tr("Copy"), QKeySequence::Copy, &PictureActions::copy);
    addAction(tr("Save As..."), QKeySequence::Save, &PictureActions::saveAs);
    addAction(tr("Print..."), QKeySequence::Print, &PictureActions::print);
    m_picture.installEventFilter(this);
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

bool PictureActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_picture)
        return false;
    const auto middle = [this] { return m_picture.mapToGlobal(m_picture.rect().center()); };
    if (event->type() == QEvent::ContextMenu) {
        const auto *const request = static_cast<QContextMenuEvent *>(event);
        // From the keyboard, the menu opens over the picture's middle rather than at a pointer
        // that may be anywhere.
        m_menu->popup(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                                    : middle());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *const key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
            || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            m_menu->popup(middle());
            return true;
        }
    }
    return false;
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
    // Modal to the window only, and without waiting here: the caller goes on at once.
    message->open();
}

} // namespace app
