#include "pictureactions.h"

#include "picturebox.h"
#include "picturefilename.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
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
    if (event->type() == QEvent::ContextMenu) {
        const auto *const request = static_cast<QContextMenuEvent *>(event);
        // From the keyboard, the menu opens over the picture's middle rather than at a pointer
        // that may be anywhere.
        openMenu(request->reason() == QContextMenuEvent::Mouse
                     ? request->globalPos()
                     : m_picture.mapToGlobal(m_picture.rect().center()));
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *const key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
            || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            openMenu(m_picture.mapToGlobal(m_picture.rect().center()));
            return true;
        }
    }
    return false;
}

void PictureActions::openMenu(QPoint globalPosition)
{
    m_menu->popup(globalPosition);
}

qreal PictureActions::screenRatio() const
{
    return m_picture.devicePixelRatioF();
}

void PictureActions::copy()
{
    const graphing::PictureContent &content = m_picture.content();
    auto *const data = new QMimeData;
    data->setImageData(pictureRenderer().image(content, screenRatio()));
    data->setData(QStringLiteral("image/svg+xml"), pictureRenderer().svg(content));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PictureActions::saveAs()
{
    QFileDialog dialog(&m_window, tr("Save Picture As"));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = saveFilters();
    dialog.setNameFilters(filters);
    dialog.setDirectory(m_folder);
    dialog.selectFile(proposedFileName(m_picture.content()));
    // A name typed without an extension gets the chosen filter's, before the dialog asks
    // whether to replace a file of that name.
    const auto formatOfFilter = [&filters](const QString &filter) {
        return static_cast<PictureFormat>(std::max<qsizetype>(0, filters.indexOf(filter)));
    };
    dialog.setDefaultSuffix(extensionOf(PictureFormat::Png));
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &formatOfFilter](const QString &filter) {
                dialog.setDefaultSuffix(extensionOf(formatOfFilter(filter)));
            });
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
    const PictureFormat format = pictureFormatOf(path).value_or(chosen);
    const std::optional<QString> failure =
        savePicture(m_picture.content(), path, format, screenRatio());
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

bool PictureActions::printOn(QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        tell(QStringLiteral("printFailure"), tr("The picture could not be printed."),
             tr("The printer could not be started."));
        return false;
    }
    // The painter's origin is the page's printable area's top-left corner.
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    pictureRenderer().paint(m_picture.content(), painter, page);
    return painter.end();
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
