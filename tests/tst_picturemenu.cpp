// The picture's context menu and what its commands put out: the clipboard, a saved file, a print.
// Saving is checked where it can go wrong for a user: each bad target with what the user is told
// and what is left on disk.
#include "graphwindow.h"
#include "pictureactions.h"
#include "picturefile.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

using namespace windowdriver;

namespace {

// Set to a path, the test program is the helper that saves the picture there as the user it runs
// as, and prints what the user was told.
constexpr const char *saveAsHelperVariable = "PICTURE_MENU_SAVE_TO";
constexpr uid_t nobody = 65534;

app::PictureActions &actionsOf(app::GraphWindow &window)
{
    auto *const actions = window.findChild<app::PictureActions *>();
    if (actions == nullptr)
        qFatal("no picture actions");
    return *actions;
}

QMenu *pictureMenu(app::GraphWindow &window)
{
    return window.findChild<QMenu *>(QStringLiteral("pictureMenu"));
}

// What the user was told about a failed save; empty when nothing was.
QString toldAboutSaving(app::GraphWindow &window)
{
    auto *const message = window.findChild<QMessageBox *>(QStringLiteral("saveFailure"));
    return message != nullptr && message->isVisible() ? message->informativeText() : QString();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void write(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

// Runs this program as the helper, as user `uid` where it may switch users (as root) and as
// itself otherwise; returns what the user was told.
QString saveAsAnotherUser(const QString &path, const QString &workFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(saveAsHelperVariable), path);
    QString program = QCoreApplication::applicationFilePath();
    QStringList arguments;
    if (::geteuid() == 0) {
        // A copy the other user may run, wherever the build lies; and a runtime folder of its own.
        const QString copy = workFolder + QStringLiteral("/helper");
        const QString runtime = workFolder + QStringLiteral("/runtime");
        if (!QFile::copy(program, copy) || !QDir().mkdir(runtime)
            || ::chown(QFile::encodeName(runtime).constData(), nobody, nobody) != 0)
            qFatal("cannot prepare the helper");
        QFile(runtime).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("HOME"), runtime);
        arguments = QStringList{QStringLiteral("--reuid=%1").arg(nobody),
                                QStringLiteral("--regid=%1").arg(nobody),
                                QStringLiteral("--clear-groups"), copy};
        program = QStringLiteral("setpriv");
    }
    QProcess helper;
    helper.setProcessEnvironment(environment);
    helper.start(program, arguments);
    if (!helper.waitForFinished(30000) || helper.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("<the helper did not finish: %1>")
            .arg(QString::fromLocal8Bit(helper.readAllStandardError()));
    return QString::fromUtf8(helper.readAllStandardOutput());
}

// The helper: a window that saves its picture to `path`; prints what the user was told.
int runSaveAsHelper(int argc, char *argv[], const QString &path)
{
    QApplication application(argc, argv);
    app::GraphWindow window;
    actionsOf(window).saveTo(path, app::PictureFormat::Png);
    QTextStream(stdout) << toldAboutSaving(window);
    return 0;
}

// Lowers the largest file this process may write to `bytes` while it lives: a write past it
// fails, as on a disk that fills up half-way, also for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit lowered = m_before;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_before); }

    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_before{};
};

} // namespace

class TestPictureMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void contextMenuOpens_data();
    void contextMenuOpens();
    void copyPutsImageAndSvgOnTheClipboard_data();
    void copyPutsImageAndSvgOnTheClipboard();
    void saveAsProposesANameAndFollowsTheFilter_data();
    void saveAsProposesANameAndFollowsTheFilter();
    void failedSaveTellsWhyAndLeavesTheDiskAlone_data();
    void failedSaveTellsWhyAndLeavesTheDiskAlone();
    void printPaintsVectors();

private:
    QTemporaryDir m_home;
};

void TestPictureMenu::initTestCase()
{
    // A write past the file size limit fails instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The user's home, with a pictures folder for "Save As..." to start in.
    QVERIFY(m_home.isValid());
    QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral("Pictures")));
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/config")));
}

void TestPictureMenu::contextMenuOpens_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("opens");

    QTest::newRow("right click") << "functionButton1"
                                 << "right click" << true;
    QTest::newRow("Menu key on the picture") << "picture"
                                             << "Menu" << true;
    QTest::newRow("Shift+F10 on the picture") << "picture"
                                              << "Shift+F10" << true;
    QTest::newRow("Menu key on a function button") << "functionButton1"
                                                   << "Menu" << false;
}

void TestPictureMenu::contextMenuOpens()
{
    QFETCH(QString, focus);
    QFETCH(QString, how);
    QFETCH(bool, opens);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QVERIFY(tabTo(*window, focus));
    // The pointer on the picture shows the readout; the menu takes its place.
    QTest::mouseMove(window->windowHandle(), QPoint(200, 300));
    if (how == QLatin1String("right click")) {
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, QPoint(200, 300));
    } else {
        const QKeyCombination key = QKeySequence(how)[0];
        press(*window, key.key(), key.keyboardModifiers());
    }
    QMenu *const menu = pictureMenu(*window);
    QCOMPARE(menu->isVisible(), opens);
    if (!opens)
        return;
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries << action->text() + QLatin1Char(' ') + action->shortcut().toString();
    QCOMPARE(entries, (QStringList{"Copy Ctrl+C", "Save As... Ctrl+S", "Print... Ctrl+P"}));
    // The shortcuts are the window's: they work wherever the focus is.
    for (QAction *action : menu->actions())
        QVERIFY(window->actions().contains(action));
    QVERIFY(!window->findChild<QLabel *>(QStringLiteral("readOut"))->isVisible());
    menu->hide();
}

void TestPictureMenu::copyPutsImageAndSvgOnTheClipboard_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("fromTheMenu");

    QTest::newRow("Ctrl+C before a graph, focus on a button") << 0 << "functionButton1" << false;
    QTest::newRow("Ctrl+C after a graph, focus on the picture") << 3 << "picture" << false;
    QTest::newRow("Copy from the menu after a graph") << 4 << "graphButton" << true;
}

void TestPictureMenu::copyPutsImageAndSvgOnTheClipboard()
{
    QFETCH(int, graphed);
    QFETCH(QString, focus);
    QFETCH(bool, fromTheMenu);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    if (graphed > 0) {
        click(option(*window, graphed - 1));
        pressGraph(*window);
    }
    QGuiApplication::clipboard()->clear();
    QVERIFY(tabTo(*window, focus));
    if (fromTheMenu)
        pictureMenu(*window)->actions().constFirst()->trigger();
    else
        press(*window, Qt::Key_C, Qt::ControlModifier);

    const QMimeData *const data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr && data->hasImage());
    // The image is what the window shows, pixel for pixel.
    const QImage copied = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), picture(*window));
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    QVERIFY2(svg.startsWith("<?xml") && svg.contains("<svg"), svg.left(100).constData());
    QCOMPARE(svg.contains("stroke=\"#ff0000\""), graphed > 0);
}

void TestPictureMenu::saveAsProposesANameAndFollowsTheFilter_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("startsWith");

    QTest::newRow("before a graph, as proposed") << 0 << "axes.png"
                                                 << "" << 0 << "axes.png" << QByteArray("\x89PNG");
    QTest::newRow("graph of function 2, as proposed")
        << 2 << "function-2.png"
        << "" << 0 << "function-2.png" << QByteArray("\x89PNG");
    QTest::newRow("a name without extension, SVG filter")
        << 3 << "function-3.png"
        << "curve" << 1 << "curve.svg" << QByteArray("<?xml");
    QTest::newRow("a name without extension, PDF filter")
        << 3 << "function-3.png"
        << "curve" << 2 << "curve.pdf" << QByteArray("%PDF");
    QTest::newRow("an extension of no picture format, kept; the filter's format")
        << 3 << "function-3.png"
        << "curve.v2" << 1 << "curve.v2" << QByteArray("<?xml");
    QTest::newRow("the name's own extension over the filter")
        << 5 << "function-5.png"
        << "curve.svg" << 0 << "curve.svg" << QByteArray("<?xml");
}

void TestPictureMenu::saveAsProposesANameAndFollowsTheFilter()
{
    QFETCH(int, graphed);
    QFETCH(QString, proposed);
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(QByteArray, startsWith);

    const QString folder = m_home.path() + QStringLiteral("/Pictures");
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        QFile::remove(folder + QLatin1Char('/') + name);
    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    if (graphed > 0) {
        click(option(*window, graphed - 1));
        pressGraph(*window);
    }

    // The dialog is answered as a user would, once it is up.
    QStringList offered;
    QString proposedPath;
    QTimer answer;
    connect(&answer, &QTimer::timeout, window.get(), [&] {
        auto *const dialog = window->findChild<QFileDialog *>();
        if (dialog == nullptr || !dialog->isVisible())
            return;
        answer.stop();
        offered = dialog->nameFilters();
        proposedPath = dialog->selectedFiles().value(0);
        auto *const types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        auto *const name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (types == nullptr || name == nullptr) {
            dialog->reject();
            return;
        }
        // What the combo box does when the user picks an entry.
        types->setCurrentIndex(filter);
        emit types->activated(filter);
        emit types->textActivated(types->itemText(filter));
        if (!typed.isEmpty())
            name->setText(typed);
        // As the Save button does.
        static_cast<QDialog *>(dialog)->accept();
    });
    answer.start(10);
    press(*window, Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(offered,
             (QStringList{"PNG image (*.png)", "SVG drawing (*.svg)", "PDF document (*.pdf)"}));
    QCOMPARE(proposedPath, folder + QLatin1Char('/') + proposed);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{written});
    QVERIFY(contentsOf(folder + QLatin1Char('/') + written).startsWith(startsWith));
    QCOMPARE(toldAboutSaving(*window), QString());
}

void TestPictureMenu::failedSaveTellsWhyAndLeavesTheDiskAlone_data()
{
    QTest::addColumn<QString>("target");   // in the folder F
    QTest::addColumn<QString>("prepared"); // what F holds before
    QTest::addColumn<QString>("told");     // what the user is told, F standing for the folder
    QTest::addColumn<QStringList>("left"); // F's entries after

    // Nothing is made on the way to a folder that is not there.
    QTest::newRow("missing folder") << "missing/graph.png"
                                    << ""
                                    << "The folder F/missing does not exist." << QStringList{};
    // A file where a folder should be is named, and stays as it was.
    QTest::newRow("path under a regular file")
        << "notes.txt/graph.png"
        << "notes"
        << "F/notes.txt is a file, not a folder." << QStringList{"notes.txt"};
    // A full disk is told as such; the link to it stays a link.
    QTest::newRow("full disk") << "graph.png"
                               << "link to /dev/full"
                               << "There is no space left on the device."
                               << QStringList{"graph.png"};
    // An existing file is replaced by the whole new picture, and no temporary file is left.
    QTest::newRow("existing file replaced") << "graph.png"
                                            << "old file"
                                            << "" << QStringList{"graph.png"};
    // A write that fails half-way leaves the old file whole, not a truncated new one.
    QTest::newRow("existing file, write cut short")
        << "graph.png"
        << "old file, file size limit"
        << "The file would be larger than the device allows." << QStringList{"graph.png"};
    // A folder closed to the user (root may write anywhere, so another user tries).
    QTest::newRow("folder the user may not write")
        << "graph.png"
        << "old file, folder closed"
        << "You may not write in the folder F." << QStringList{"graph.png"};
}

void TestPictureMenu::failedSaveTellsWhyAndLeavesTheDiskAlone()
{
    QFETCH(QString, target);
    QFETCH(QString, prepared);
    QFETCH(QString, told);
    QFETCH(QStringList, left);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    // Open to other users on the way in, so that one of them can try the closed folder.
    QFile(work.path())
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                        | QFile::ExeOther);
    const QString folder = work.path() + QStringLiteral("/F");
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QLatin1Char('/') + target;
    const QByteArray oldFile("an old picture");
    if (prepared == QLatin1String("notes"))
        write(folder + QStringLiteral("/notes.txt"), "notes");
    if (prepared == QLatin1String("link to /dev/full"))
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
    if (prepared.startsWith(QLatin1String("old file")))
        write(path, oldFile);

    app::GraphWindow window;
    click(option(window, 2));
    pressGraph(window);
    QString whatWasTold;
    if (prepared.endsWith(QLatin1String("folder closed"))) {
        QFile(folder).setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                     | QFile::ExeOther);
        whatWasTold = saveAsAnotherUser(path, work.path());
        QFile(folder).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        std::unique_ptr<FileSizeLimit> limit;
        if (prepared.endsWith(QLatin1String("file size limit")))
            limit = std::make_unique<FileSizeLimit>(1024);
        actionsOf(window).saveTo(path, app::PictureFormat::Png);
        limit.reset();
        whatWasTold = toldAboutSaving(window);
    }
    QCOMPARE(whatWasTold, QString(told).replace(QLatin1Char('F'), folder));

    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), left);
    if (prepared == QLatin1String("notes"))
        QCOMPARE(contentsOf(folder + QStringLiteral("/notes.txt")), QByteArray("notes"));
    if (prepared == QLatin1String("link to /dev/full"))
        QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/full"));
    if (prepared == QLatin1String("old file")) {
        QImage saved;
        QVERIFY(saved.loadFromData(contentsOf(path), "PNG"));
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), picture(window));
    } else if (prepared.startsWith(QLatin1String("old file"))) {
        QCOMPARE(contentsOf(path), oldFile);
    }
}

void TestPictureMenu::printPaintsVectors()
{
    QTemporaryDir work;
    const QString output = work.path() + QStringLiteral("/printed.pdf");
    app::GraphWindow window;
    click(option(window, 0));
    pressGraph(window);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    QVERIFY(actionsOf(window).printOn(printer));
    const QByteArray printed = contentsOf(output);
    QVERIFY(printed.startsWith("%PDF"));
    // Lines, not a picture of pixels: the page holds no image.
    QVERIFY(!printed.contains("/Subtype /Image"));
}

int main(int argc, char *argv[])
{
    const QString helperTarget = qEnvironmentVariable(saveAsHelperVariable);
    if (!helperTarget.isEmpty())
        return runSaveAsHelper(argc, argv, helperTarget);
    QApplication application(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestPictureMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_picturemenu.moc"
