// The picture's context menu and what its commands put out: the clipboard, a saved file, a print.
// A file saved or printed to is replaced only by a complete one; when it cannot be, the user is
// told why. (Every way a save can fail, with its reason, is in tst_commandline: the same code.)
#include "expectedpicture.h"
#include "graphwindow.h"
#include "pictureactions.h"
#include "picturecheck.h"
#include "picturefile.h"
#include "process.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <memory>
#include <optional>
#include <utility>

#include <sys/resource.h>

Q_DECLARE_METATYPE(graphing::PictureStyle)

using namespace windowdriver;

namespace {

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

// What the user was told in the message `name`; empty when nothing was.
QString told(app::GraphWindow &window, const QString &name = QStringLiteral("saveFailure"))
{
    auto *const message = window.findChild<QMessageBox *>(name);
    return message != nullptr && message->isVisible() ? message->informativeText() : QString();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestPictureMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playingTellsWhyNot_data();
    void playingTellsWhyNot();
    void soundFollowsItsServer_data();
    void soundFollowsItsServer();
    void copyPutsImageAndSvgOnTheClipboard_data();
    void copyPutsImageAndSvgOnTheClipboard();
    void saveAsProposesANameAndFollowsTheFilter_data();
    void saveAsProposesANameAndFollowsTheFilter();
    void saveAndPrintWriteWholeFiles_data();
    void saveAndPrintWriteWholeFiles();
    void styleIsChosenAndRemembered_data();
    void styleIsChosenAndRemembered();
    void printedPageIsTheCommandLinesPage();
    void printDialogRefusesAPageTooSmall_data();
    void printDialogRefusesAPageTooSmall();

private:
    QTemporaryDir m_home;
};

// The item `path` ("Grid", "Line Width/3 Pixels") of the picture menu's "Picture Style".
QAction *styleItem(app::GraphWindow &window, const QString &path)
{
    QMenu *menu = pictureMenu(window)->actions().constLast()->menu();
    QAction *found = nullptr;
    for (const QString &step : path.split(QLatin1Char('/'))) {
        const QList<QAction *> items = menu->actions();
        const auto item = std::find_if(items.cbegin(), items.cend(),
                                       [&](const QAction *a) { return a->text() == step; });
        if (item == items.cend())
            return nullptr;
        found = *item;
        menu = found->menu();
    }
    return found;
}

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

void TestPictureMenu::copyPutsImageAndSvgOnTheClipboard_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("menu"); // how the menu is opened to Copy from it; else Ctrl+C
    QTest::addColumn<bool>("pointerOnPicture"); // resting there, its readout showing
    QTest::addColumn<QString>("keys");          // pressed on the focused picture first
    QTest::addColumn<QString>("text");          // copied as text alone; empty: the picture

    // clang-format off
    QTest::newRow("Ctrl+C before a graph, focus on a button") << 0 << "functionButton1" << "" << false << "" << "";
    QTest::newRow("Ctrl+C after a graph, focus on the picture") << 3 << "picture" << "" << false << "" << "";
    QTest::newRow("Copy from the menu of a right click") << 4 << "graphButton" << "right click" << false << "" << "";
    QTest::newRow("Copy from the menu of the Menu key on the picture") << 0 << "picture" << "Menu" << false << "" << "";
    QTest::newRow("Copy from the menu of Shift+F10 on the picture") << 3 << "picture" << "Shift+F10" << false << "" << "";
    QTest::newRow("the Menu key on a function button, then Ctrl+C") << 3 << "functionButton1" << "Menu" << false << "" << "";
    // What the user works with is what has the focus, not what the pointer happens to rest on.
    QTest::newRow("Ctrl+C on Graph, the pointer resting on the picture") << 3 << "graphButton" << "" << true << "" << "";
    QTest::newRow("Ctrl+C on the picture, the pointer resting on it") << 3 << "picture" << "" << true << "" << "";
    QTest::newRow("Ctrl+C after the arrow keys read a value off") << 3 << "picture" << "" << false << "Right" << "x = 0.10, f(x) = 4.99";
    QTest::newRow("Ctrl+C after the arrow keys, the pointer reading elsewhere") << 3 << "picture" << "" << true << "Shift+Right Left" << "x = 0.90, f(x) = 4.35";
    // clang-format on
}

void TestPictureMenu::copyPutsImageAndSvgOnTheClipboard()
{
    QFETCH(int, graphed);
    QFETCH(QString, focus);
    QFETCH(QString, menu);
    QFETCH(bool, pointerOnPicture);
    QFETCH(QString, keys);
    QFETCH(QString, text);

    const std::unique_ptr<app::GraphWindow> window = activeWindow(graphed);
    QGuiApplication::clipboard()->clear();
    QVERIFY(tabTo(*window, focus));
    for (const QString &step : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        press(*window, step);
    auto *const readOut = window->findChild<QLabel *>(QStringLiteral("readOut"));
    if (pointerOnPicture) {
        // Off the picture first: a move to where the pointer already is is no move.
        QTest::mouseMove(window->windowHandle(), QPoint(600, 400));
        // The picture's pixel 52,260.
        QTest::mouseMove(window->windowHandle(), QPoint(60, 300));
        QTRY_COMPARE(readOut->isVisible() ? readOut->text() : QString(),
                     QStringLiteral("x = -7.64, y = -3.54\nf(x) = 0.64"));
    }
    QMenu *const opened = pictureMenu(*window);
    if (!menu.isEmpty()) {
        // The pointer on the picture shows the readout; the menu takes its place.
        QTest::mouseMove(window->windowHandle(), QPoint(600, 400));
        QTest::mouseMove(window->windowHandle(), QPoint(200, 300));
        QTRY_VERIFY(readOut->isVisible());
        if (menu == QLatin1String("right click"))
            QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, QPoint(200, 300));
        else
            press(*window, menu);
        // The Menu key opens the picture's menu on the picture alone.
        QCOMPARE(opened->isVisible(), menu == "right click" || focus == "picture");
    }
    if (opened->isVisible()) {
        QStringList entries;
        for (const QAction *action : opened->actions())
            entries << action->text() + QLatin1Char(' ') + action->shortcut().toString();
        QCOMPARE(entries, (QStringList{"Copy Ctrl+C", "Save As... Ctrl+S", "Print... Ctrl+P",
                                       "Play the Curve Space", " ", "Type a Function... Ctrl+E",
                                       "View ", "Key Points ", "Picture Style "}));
        // The shortcuts are the window's, working wherever the focus is; but Space is the
        // picture's.
        for (QAction *action : opened->actions()) {
            QVERIFY(window->actions().contains(action) || action->shortcut().isEmpty()
                    || action->text().startsWith("Play") || action->menu());
        }
        QVERIFY(!readOut->isVisible());
        opened->actions().constFirst()->trigger();
        opened->hide();
    } else {
        press(*window, Qt::Key_C, Qt::ControlModifier);
    }

    const QMimeData *const data = QGuiApplication::clipboard()->mimeData();
    if (!text.isEmpty()) {
        QVERIFY(data != nullptr && !data->hasImage());
        QCOMPARE(data->text(), text);
        return;
    }
    QVERIFY(data != nullptr && data->hasImage());
    // The image is what the window shows, pixel for pixel.
    const QImage copied = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), picture(*window));
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    QVERIFY2(svg.startsWith("<?xml") && svg.contains("<svg"), svg.left(100).constData());
    QCOMPARE(svg.contains("stroke=\"#ff0000\""), graphed > 0);
}

void TestPictureMenu::playingTellsWhyNot_data()
{
    QTest::addColumn<int>("graphed"); // 0: the start-up frame
    QTest::addColumn<QString>("told");
    QTest::newRow("nothing graphed") << 0 << "The axes alone have no curve to be heard";
    QTest::newRow("no audio output") << 3 << "No audio output was found";
}

// Space on the picture with no sound server within reach: a message, and the picture as it was.
void TestPictureMenu::playingTellsWhyNot()
{
    QFETCH(int, graphed);
    QFETCH(QString, told);
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    const std::unique_ptr<app::GraphWindow> window = activeWindow(graphed);
    const QImage before = picture(*window);
    QVERIFY(tabTo(*window, QStringLiteral("picture")));
    press(*window, Qt::Key_Space);
    QVERIFY2(::told(*window, QStringLiteral("playFailure")).startsWith(told),
             qPrintable(::told(*window, QStringLiteral("playFailure"))));
    QCOMPARE(picture(*window), before);
}

namespace {

// Closes the message `name`, as the user's OK does, so that keys reach the window again.
void dismiss(app::GraphWindow &window, const QString &name)
{
    for (auto *const message : window.findChildren<QMessageBox *>(name))
        message->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

void TestPictureMenu::soundFollowsItsServer_data()
{
    // "comes" after the first sound, "comes back" while the curve plays, or how a playing sound
    // is stopped: Escape, another graph, or the window closed.
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("afterMs"); // of playing, the event loop running in short turns

    QTest::newRow("the server started after the first sound") << "comes" << 0;
    QTest::newRow("the server restarted while the curve plays") << "comes back" << 0;
    // Past 2 s the sink asks for more of the sound at each turn: Qt 6.4's PulseAudio sink,
    // destroyed then without being stopped, aborts the program.
    QTest::newRow("Escape after 0.5 s") << "Escape" << 500;
    for (const char *how : {"Escape", "graph", "close"})
        QTest::addRow("%s after 2.5 s", how) << QString::fromLatin1(how) << 2500;
}

// The sound server comes, or comes back, while the window runs: the next Space is heard there.
// Stopping the sound while it plays, whenever that is, stops it, and the program goes on.
void TestPictureMenu::soundFollowsItsServer()
{
    QFETCH(QString, what);
    QFETCH(int, afterMs);
    testsupport::ToolFinder tools;
    tools.find(QStringLiteral("pulseaudio"));
    tools.find(QStringLiteral("pactl"));
    if (!tools.missingTools().isEmpty() && qEnvironmentVariableIsEmpty("CI"))
        QSKIP("a sound server and its client are missing: the packages pulseaudio and "
              "pulseaudio-utils (scripts/install-packages test)");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    std::optional<testsupport::SoundServer> server;
    const auto start = [&server, &folder] { return server.emplace(folder.path()).isReady(); };
    const auto playing = [&folder] {
        const testsupport::ToolResult streams = testsupport::runTool(
            QStringLiteral("pactl"),
            {"--server=unix:" + folder.filePath("pulse"), "list", "short", "sink-inputs"},
            QProcessEnvironment::systemEnvironment());
        return streams.succeeded() ? int(streams.output.count('\n')) : -1;
    };
    qputenv("PULSE_SERVER", "unix:" + folder.filePath("pulse").toLocal8Bit());
    const auto restore = qScopeGuard([] { qputenv("PULSE_SERVER", "unix:/nonexistent"); });
    std::unique_ptr<app::GraphWindow> window = activeWindow(3);
    QVERIFY(tabTo(*window, QStringLiteral("picture")));
    const QString failure = QStringLiteral("playFailure");
    if (what == QLatin1String("comes")) {
        press(*window, Qt::Key_Space);
        QVERIFY2(told(*window, failure).startsWith("No audio output was found"),
                 qPrintable(told(*window, failure)));
        dismiss(*window, failure);
        QVERIFY(tabTo(*window, QStringLiteral("picture")));
    } else {
        QVERIFY(start());
        press(*window, Qt::Key_Space);
        QCOMPARE(told(*window, failure), QString());
        QTRY_COMPARE(playing(), 1);
        if (what != QLatin1String("comes back")) {
            for (QDeadlineTimer playing(afterMs); !playing.hasExpired();) {
                QCoreApplication::processEvents();
                QThread::msleep(10);
            }
            if (what == QLatin1String("Escape"))
                press(*window, Qt::Key_Escape);
            else if (what == QLatin1String("graph"))
                graph(*window, 4);
            else
                window.reset();
            QTRY_COMPARE(playing(), 0);
            return;
        }
        server.reset();
        // Past Qt's own attempt to connect again, 3 s after the connection broke.
        QTest::qWait(4000);
    }
    QVERIFY(start());
    press(*window, Qt::Key_Space);
    QCOMPARE(told(*window, failure), QString());
    QTRY_COMPARE(playing(), 1);
    press(*window, Qt::Key_Escape);
    QTRY_COMPARE(playing(), 0);
}

void TestPictureMenu::saveAsProposesANameAndFollowsTheFilter_data()
{
    QTest::addColumn<int>("graphed");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("startsWith");
    // The answer to whether `written`, there already, may be replaced; empty: it is not there.
    QTest::addColumn<QString>("replacing");

    const QByteArray png("\x89PNG");
    const QByteArray svg("<?xml");
    // clang-format off
    QTest::newRow("before a graph, as proposed") << 0 << "axes.png" << "" << 0 << "axes.png" << png << "";
    QTest::newRow("graph of function 2, as proposed") << 2 << "function-2.png" << "" << 0 << "function-2.png" << png << "";
    QTest::newRow("a name without extension, SVG filter") << 3 << "function-3.png" << "curve" << 1 << "curve.svg" << svg << "";
    QTest::newRow("a name without extension, PDF filter") << 3 << "function-3.png" << "curve" << 2 << "curve.pdf" << QByteArray("%PDF") << "";
    QTest::newRow("a name without extension, WAV filter") << 3 << "function-3.png" << "curve" << 3 << "curve.wav" << QByteArray("RIFF") << "";
    QTest::newRow("an extension of no picture format, kept; the filter's format") << 3 << "function-3.png" << "curve.v2" << 1 << "curve.v2" << svg << "";
    QTest::newRow("the name's own extension over the filter") << 5 << "function-5.png" << "curve.svg" << 0 << "curve.svg" << svg << "";
    QTest::newRow("into another folder, where the next Save As starts") << 1 << "function-1.png" << "drafts/curve" << 1 << "drafts/curve.svg" << svg << "";
    // The dialog asks about the name with the filter's extension before anything is written.
    QTest::newRow("replacing a name without extension, answered No") << 3 << "function-3.png" << "curve" << 1 << "curve.svg" << QByteArray("an old") << "No";
    QTest::newRow("replacing a name without extension, answered Yes") << 3 << "function-3.png" << "curve" << 1 << "curve.svg" << svg << "Yes";
    QTest::newRow("replacing the name with its extension, answered No") << 3 << "function-3.png" << "curve.svg" << 1 << "curve.svg" << QByteArray("an old") << "No";
    // clang-format on
}

void TestPictureMenu::saveAsProposesANameAndFollowsTheFilter()
{
    QFETCH(int, graphed);
    QFETCH(QString, proposed);
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(QByteArray, startsWith);
    QFETCH(QString, replacing);

    const QString folder = m_home.path() + QStringLiteral("/Pictures");
    QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder + QStringLiteral("/drafts")));
    if (!replacing.isEmpty()) {
        QFile old(folder + QLatin1Char('/') + written);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an old picture") > 0);
    }
    const std::unique_ptr<app::GraphWindow> window = activeWindow(graphed);

    // The dialog is answered as a user would, once it is up; opened again, it is cancelled. The
    // question comes while the dialog's Save is pressed: a second timer answers it.
    QStringList offered;
    QString proposedPath;
    QString nextFolder;
    QString asked;
    bool stillOpen = false;
    QTimer answer;
    QTimer reply;
    connect(&reply, &QTimer::timeout, window.get(), [&] {
        for (auto *const question : window->findChildren<QMessageBox *>()) {
            if (question->isVisible()) {
                reply.stop();
                asked = question->text();
                question->button(replacing == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
            }
        }
    });
    connect(&answer, &QTimer::timeout, window.get(), [&] {
        auto *const dialog = window->findChild<QFileDialog *>();
        if (dialog == nullptr || !dialog->isVisible())
            return;
        answer.stop();
        if (!offered.isEmpty()) {
            nextFolder = dialog->directory().absolutePath();
            dialog->reject();
            return;
        }
        offered = dialog->nameFilters();
        proposedPath = dialog->selectedFiles().value(0);
        // As the user's choice of a filter and a name, and the Save button.
        dialog->selectNameFilter(offered.value(filter));
        if (!typed.isEmpty()) {
            // The dialog leaves alone a name the user is typing: it is typed elsewhere.
            if (QWidget *const typing = QApplication::focusWidget())
                typing->clearFocus();
            dialog->selectFile(typed);
        }
        if (!replacing.isEmpty())
            reply.start(10);
        static_cast<QDialog *>(dialog)->accept();
        // After No, the dialog is still there for another name; it is left.
        stillOpen = dialog->isVisible();
        if (stillOpen)
            dialog->reject();
    });
    for (int time = 0; time < 2; ++time) {
        QApplication::setActiveWindow(window.get());
        answer.start(10);
        press(*window, Qt::Key_S, Qt::ControlModifier);
    }

    QCOMPARE(offered, (QStringList{"PNG image (*.png)", "SVG drawing (*.svg)",
                                   "PDF document (*.pdf)", "WAV sound of the curve (*.wav)"}));
    QCOMPARE(proposedPath, folder + QLatin1Char('/') + proposed);
    QVERIFY2(asked.startsWith(replacing.isEmpty() ? QString() : written + " already exists."),
             qPrintable(asked));
    QCOMPARE(stillOpen, replacing == "No");
    QStringList files;
    for (QDirIterator file(folder, QDir::Files, QDirIterator::Subdirectories); file.hasNext();)
        files << QDir(folder).relativeFilePath(file.next());
    QCOMPARE(files, QStringList{written});
    QCOMPARE(nextFolder, QFileInfo(folder + QLatin1Char('/') + written).absolutePath());
    QVERIFY(contentsOf(folder + QLatin1Char('/') + written).startsWith(startsWith));
    QCOMPARE(told(*window), QString());
}

void TestPictureMenu::saveAndPrintWriteWholeFiles_data()
{
    QTest::addColumn<QString>("size"); // printed size chosen in the menu; empty: "Save As..." PNG
    QTest::addColumn<QPageLayout>("layout");
    QTest::addColumn<bool>("grey");        // the printer set to grayscale
    QTest::addColumn<bool>("cutShort");    // a write past 1 KiB fails, as on a full disk
    QTest::addColumn<QStringList>("told"); // empty: written

    const auto page = [](QPageSize::PageSizeId id, QMarginsF margins = {15, 15, 15, 15}) {
        return QPageLayout(QPageSize(id), QPageLayout::Portrait, margins, QPageLayout::Millimeter);
    };
    const QPageLayout a4 = page(QPageSize::A4);
    // A4 with the printer's own margins.
    const auto printers = [](QPageLayout::Orientation orientation) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(orientation);
        return printer.pageLayout();
    };
    const QString largest = QStringLiteral("As Large as the Page Allows");
    const QString unit = QStringLiteral("1 Unit = 1 cm");
    const QStringList tooLarge{"File too large."};
    // clang-format off
    QTest::newRow("saved") << "" << a4 << false << false << QStringList{};
    QTest::newRow("saving cut short") << "" << a4 << false << true << tooLarge;
    QTest::newRow("printed on a portrait page") << largest << printers(QPageLayout::Portrait) << false << false << QStringList{};
    QTest::newRow("printed on a landscape page") << largest << printers(QPageLayout::Landscape) << false << false << QStringList{};
    QTest::newRow("printing cut short") << largest << printers(QPageLayout::Portrait) << false << true << tooLarge;
    QTest::newRow("grayscale") << largest << a4 << true << false << QStringList{};
    QTest::newRow("grayscale, 5 mm to the unit") << "1 Unit = 5 mm" << a4 << true << false << QStringList{};
    // 12 mm of height left: the caption alone needs 16.
    QTest::newRow("margins of 140 and 145 mm") << largest << page(QPageSize::A4, {15, 140, 15, 145}) << false << false << QStringList{"at least 21 x 34 mm", "180 x 12 mm", "smaller margins"};
    QTest::newRow("margins leaving 20 mm across") << largest << page(QPageSize::A4, {95, 15, 95, 15}) << false << false << QStringList{"at least 21 x 34 mm", "20 x 267 mm"};
    QTest::newRow("1 cm to the unit on A4") << unit << a4 << false << false << QStringList{"10 mm", "201 x 217 mm", "180 x 267 mm", "larger page", "at most 8.9 mm"};
    QTest::newRow("1 cm to the unit on Letter") << unit << page(QPageSize::Letter) << false << false << QStringList{"201 x 217 mm", "185 x 249 mm"};
    QTest::newRow("1 cm to the unit on A3") << unit << page(QPageSize::A3) << false << false << QStringList{};
    // clang-format on
}

// What the print dialog sets on the printer is honoured: grayscale, the page and its margins. A
// file saved or printed to is replaced only by a complete one; a picture that does not fit the
// printable area is refused with the sizes. Whatever fails, the old file is kept.
void TestPictureMenu::saveAndPrintWriteWholeFiles()
{
    QFETCH(QString, size);
    QFETCH(QPageLayout, layout);
    QFETCH(bool, grey);
    QFETCH(bool, cutShort);
    QFETCH(QStringList, told);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const bool printed = !size.isEmpty();
    const QString path = folder.filePath(printed ? QStringLiteral("graph.pdf") : "graph.png");
    const QByteArray oldFile("an old picture");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldFile) == oldFile.size());
    old.close();
    app::GraphWindow window;
    graph(window, 3);
    if (printed)
        styleItem(window, QStringLiteral("Printed Size/") + size)->trigger();
    // On the screen's colour, whose grey shows where the picture is.
    styleItem(window, QStringLiteral("Printed Background/As on Screen"))->trigger();
    QSettings(QStringLiteral("function-graph"), QStringLiteral("function-graph")).clear();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(layout);
    QCOMPARE(printer.pageLayout().margins(QPageLayout::Millimeter),
             layout.margins(QPageLayout::Millimeter));
    printer.setColorMode(grey ? QPrinter::GrayScale : QPrinter::Color);
    // Cut short, a write past 1 KiB fails, also for root.
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    rlimit limited = unlimited;
    limited.rlim_cur = cutShort ? 1024 : unlimited.rlim_cur;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    if (printed)
        actionsOf(window).printOn(printer);
    else
        actionsOf(window).saveTo(path, app::PictureFormat::Png);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);

    const QString message = ::told(window, printed ? "printFailure" : "saveFailure");
    QCOMPARE(message.isEmpty(), told.isEmpty());
    for (const QString &part : told)
        QVERIFY2(message.contains(part), qPrintable(message));
    // The file alone is there, no temporary one beside it.
    QCOMPARE(QDir(folder.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(path).fileName()});
    const QByteArray written = contentsOf(path);
    if (!told.isEmpty()) {
        QCOMPARE(written, oldFile);
        return;
    }
    if (!printed) {
        QImage saved;
        QVERIFY(saved.loadFromData(written, "PNG"));
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), picture(window));
        return;
    }

    // Lines, not a picture of pixels: the page holds no image.
    QVERIFY(written.startsWith("%PDF") && written.trimmed().endsWith("%%EOF"));
    QVERIFY(!written.contains("/Subtype /Image"));
    constexpr int dpi = 240;
    const QImage page = testsupport::rasterised(path, dpi);
    // The picture is on the page, its background and curve in their colours, or in their greys.
    const auto shade = [grey](QRgb colour) {
        return grey ? qRgb(qGray(colour), qGray(colour), qGray(colour)) : colour;
    };
    const QRect shown = testsupport::boundsOf(page, shade(testsupport::pictureBackground));
    QVERIFY2(shown.width() > 300, qPrintable(QDebug::toString(shown)));
    QVERIFY(!testsupport::boundsOf(page, shade(testsupport::curveColour), shown).isNull());
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            coloured +=
                qAbs(qRed(pixel) - qGreen(pixel)) > 2 || qAbs(qGreen(pixel) - qBlue(pixel)) > 2 ? 1
                                                                                                : 0;
        }
    }
    QCOMPARE(coloured == 0, grey);
    if (size != QLatin1String("As Large as the Page Allows") || grey)
        return;

    // As large as the printable area allows with room for the two lines of its caption under it
    // (5 mm, then 1.4 times 11 pt a line), the two centred.
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
    const double caption = 5 * 72 / 25.4 + 2 * 1.4 * 11;
    QRectF expected(QPointF(0, 0),
                    QSizeF(441, 385).scaled(area.size() - QSizeF(0, caption), Qt::KeepAspectRatio));
    expected.moveCenter(area.center() - QPointF(0, caption / 2));
    expected = QRectF(expected.topLeft() * dpi / 72, expected.size() * dpi / 72);
    const QRectF found(shown);
    // Each edge within two pixels of its place.
    QVERIFY2(found.adjusted(-2, -2, 2, 2).contains(expected)
                 && expected.adjusted(-2, -2, 2, 2).contains(found),
             qPrintable(QDebug::toString(found) + " instead of " + QDebug::toString(expected)));
    // A line is a picture pixel wide on paper too, not the printer's finest hairline: the black
    // x-axis, beside the red curve there, inks over a third of as many rows as a pixel measures.
    const double pixel = expected.width() / 441;
    const int column = shown.left() + qRound(100 * pixel);
    int axisRows = 0;
    for (int y = shown.top(); y <= shown.bottom(); ++y) {
        const QRgb ink = page.pixel(column, y);
        axisRows += qGreen(ink) < 166 && qRed(ink) < 128 ? 1 : 0;
    }
    QVERIFY2(qAbs(axisRows - pixel) <= 1,
             qPrintable(QStringLiteral("%1 rows instead of %2").arg(axisRows).arg(pixel)));
}

void TestPictureMenu::styleIsChosenAndRemembered_data()
{
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<graphing::PictureStyle>("style");
    // Remembered before the first run, as each option's place in its menu.
    QTest::addColumn<QVariantMap>("remembered");
    using graphing::Background;
    // clang-format off
    QTest::newRow("the window's look") << QStringList{} << graphing::PictureStyle{} << QVariantMap{};
    QTest::newRow("numbers and grid") << QStringList{"Numbers on the Axes", "Grid"} << graphing::PictureStyle{Background::Screen, 1, true, true} << QVariantMap{};
    QTest::newRow("white, 3 pixels") << QStringList{"Background/White", "Line Width/3 Pixels"} << graphing::PictureStyle{Background::White, 3, false, false} << QVariantMap{};
    QTest::newRow("transparent, 2 pixels, numbers") << QStringList{"Background/Transparent", "Line Width/2 Pixels", "Numbers on the Axes"} << graphing::PictureStyle{Background::Transparent, 2, true, false} << QVariantMap{};
    QTest::newRow("white, 3 pixels, numbers remembered as menu places") << QStringList{} << graphing::PictureStyle{Background::White, 3, true, false} << QVariantMap{{"style/background", 1}, {"style/lineWidth", 2}, {"style/numbers", 1}};
    // clang-format on
}

// The screen takes the numbers and the grid, a copy the whole style; the next window (the next
// run) starts with the same choices, and so does the first after an update.
void TestPictureMenu::styleIsChosenAndRemembered()
{
    QFETCH(QStringList, chosen);
    QFETCH(graphing::PictureStyle, style);
    QFETCH(QVariantMap, remembered);

    {
        QSettings settings(QStringLiteral("function-graph"), QStringLiteral("function-graph"));
        settings.clear();
        for (auto place = remembered.cbegin(); place != remembered.cend(); ++place)
            settings.setValue(place.key(), place.value());
    }
    graphing::PictureStyle onScreen;
    onScreen.numbers = style.numbers;
    onScreen.grid = style.grid;
    const QImage shown = app::pictureRenderer().image(graphing::PictureContent(3, onScreen), 1);
    {
        const std::unique_ptr<app::GraphWindow> window = activeWindow(3);
        for (const QString &item : chosen) {
            QVERIFY2(styleItem(*window, item) != nullptr, qPrintable(item));
            styleItem(*window, item)->trigger();
        }
        QCOMPARE(picture(*window), shown);
    }
    const std::unique_ptr<app::GraphWindow> window = activeWindow(3);
    for (const QString &item : chosen)
        QVERIFY2(styleItem(*window, item)->isChecked(), qPrintable(item));
    QCOMPARE(picture(*window), shown);
    press(*window, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *const data = QGuiApplication::clipboard()->mimeData();
    const QImage styled = app::pictureRenderer()
                              .image(graphing::PictureContent(3, style), 1)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(qvariant_cast<QImage>(data->imageData())
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied),
             styled);
    QTemporaryDir folder;
    QVERIFY(actionsOf(*window).saveTo(folder.filePath("saved.png"), app::PictureFormat::Png));
    QCOMPARE(
        QImage(folder.filePath("saved.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied),
        styled);
    QCOMPARE(data->text(), QStringLiteral("y = 5 sin(x)/x, x and y from -10 to 10"));
    // Remembered by name, so that a menu in another order reads them alike.
    QSettings settings(QStringLiteral("function-graph"), QStringLiteral("function-graph"));
    QCOMPARE(settings.value("style/background").toString(),
             QStringList({"screen", "white", "transparent"}).at(int(style.background)));
    QCOMPARE(settings.value("style/lineWidth").toString(), QString::number(style.lineWidth));
    QCOMPARE(settings.value("style/numbers").toString(), style.numbers ? "on" : "off");
    settings.clear();
}

// Print to File writes the page the command line writes for the same choices: white paper, the
// picture in the printable area, its caption under it.
void TestPictureMenu::printedPageIsTheCommandLinesPage()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    app::GraphWindow window;
    graph(window, 3);
    styleItem(window, QStringLiteral("Grid"))->trigger();
    styleItem(window, QStringLiteral("Printed Size/1 Unit = 5 mm"))->trigger();
    QSettings(QStringLiteral("function-graph"), QStringLiteral("function-graph")).clear();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("printed.pdf")));
    printer.setPageLayout(app::printedPage(QPageSize(QPageSize::A4)));
    actionsOf(window).printOn(printer);
    QCOMPARE(told(window, QStringLiteral("printFailure")), QString());
    const testsupport::ToolResult command =
        testsupport::runTool(FUNCTION_GRAPH_PATH,
                             {"--function", "3", "--output", folder.filePath("command.pdf"),
                              "--page", "A4", "--unit-length", "5", "--grid"},
                             QProcessEnvironment::systemEnvironment());
    QVERIFY2(command.succeeded(), qPrintable(command.describe(QStringLiteral("function-graph"))));

    const std::array<QImage, 2> pages{testsupport::rasterised(folder.filePath("printed.pdf"), 100),
                                      testsupport::rasterised(folder.filePath("command.pdf"), 100)};
    QCOMPARE(testsupport::pixelDifferences(pages[0], pages[1]), QString());
    // On white paper, 10 cm wide at 5 mm to the unit, within the 15 mm margins, the caption under
    // it.
    const QRect inked = testsupport::boundsOf(pages[0], testsupport::curveColour);
    QVERIFY(!inked.isNull() && pages[0].pixel(5, 5) == qRgb(255, 255, 255));
    const double millimetre = 100 / 25.4;
    QVERIFY2(inked.width() > 95 * millimetre && inked.width() <= 101 * millimetre
                 && inked.left() > 15 * millimetre
                 && inked.right() < pages[0].width() - 15 * millimetre,
             qPrintable(QDebug::toString(inked)));
    const testsupport::ToolResult text =
        testsupport::runTool("pdftotext", {folder.filePath("printed.pdf"), "-"},
                             QProcessEnvironment::systemEnvironment());
    QVERIFY(text.output.contains("y = 5 sin(x)/x\nx and y from -10 to 10"));
}

void TestPictureMenu::printDialogRefusesAPageTooSmall_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>(
        "fits"); // on the dialog's page, A4 (or Letter where that is the default)

    QTest::newRow("1 cm to the unit") << "1 Unit = 1 cm" << false;
    QTest::newRow("5 mm to the unit") << "1 Unit = 5 mm" << true;
}

// The user learns that the picture does not fit while the print dialog is still open, and can
// choose again there; nothing prints.
void TestPictureMenu::printDialogRefusesAPageTooSmall()
{
    QFETCH(QString, size);
    QFETCH(bool, fits);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("printed.pdf"));
    const std::unique_ptr<app::GraphWindow> window = activeWindow(3);
    styleItem(*window, QStringLiteral("Printed Size/") + size)->trigger();
    QSettings(QStringLiteral("function-graph"), QStringLiteral("function-graph")).clear();

    bool answered = false;
    QString toldOpen; // what the user was told while the dialog was still open
    bool stayedOpen = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, window.get(), [&] {
        auto *const dialog = window->findChild<QPrintDialog *>(QStringLiteral("printDialog"));
        if (dialog == nullptr || !dialog->isVisible())
            return;
        answer.stop();
        answered = true;
        // To a file in the test's folder, as "Print to File (PDF)" with that name.
        dialog->printer()->setOutputFileName(path);
        if (auto *const name = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
            name->setText(path);
        dialog->accept();
        stayedOpen = dialog->isVisible();
        toldOpen = told(*window, QStringLiteral("printFailure"));
        if (stayedOpen) {
            dismiss(*window, QStringLiteral("printFailure"));
            dialog->reject();
        }
    });
    answer.start(10);
    press(*window, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(answered);
    QCOMPARE(stayedOpen, !fits);
    if (fits) {
        QTRY_VERIFY(QFileInfo(path).size() > 0);
        QCOMPARE(told(*window, QStringLiteral("printFailure")), QString());
        return;
    }
    QVERIFY2(toldOpen.contains("do not fit") && toldOpen.contains("201 x 217 mm"),
             qPrintable(toldOpen));
    QVERIFY(!QFileInfo::exists(path));
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestPictureMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_picturemenu.moc"
