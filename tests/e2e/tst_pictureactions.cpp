// The picture's commands and read-off as a user meets them on a real X display: the clipboard read
// by another program, the context menu, the readout beside the pointer, and the same picture in the
// window, from the command line and from saving, at every density.
#include "commandline.h"
#include "externaltool.h"
#include "picturefile.h"
#include "runningprogram.h"
#include "virtualdisplay.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using e2e::RunningProgram;

namespace {

constexpr QSize screenSize(2048, 1536);
constexpr int toolTimeoutMs = 10000;

// The design, in pixels of the client area.
constexpr QRect pictureRect(8, 40, 441, 385);
constexpr QPoint optionClickPoint(int k)
{
    return {520, 92 + 24 * k};
}
constexpr QPoint graphClickPoint(508, 224);
// Where the pointer rests when it is not on the picture: blue window background.
constexpr QPoint awayFromThePicture(600, 400);
constexpr QPoint onThePicture(229, 120);

constexpr QRgb startupAxisColour = qRgb(128, 0, 128);

// The device pixels of the picture in a client-area screenshot at `scale`: both edges rounded, at
// the ratio the window works with (Qt keeps a widget's ratio in 1/65536ths: at 1.1 the bottom
// edge, 467.5 exactly, becomes 467.496 and the picture's last row 466).
QRect pictureArea(qreal scale)
{
    const qreal ratio = app::storedRatio(scale);
    return {QPoint(qRound(pictureRect.left() * ratio), qRound(pictureRect.top() * ratio)),
            QPoint(qRound((pictureRect.right() + 1) * ratio) - 1,
                   qRound((pictureRect.bottom() + 1) * ratio) - 1)};
}

bool showsColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK))
                return true;
        }
    }
    return false;
}

// How many pixels differ, for a failure message; the sizes when they differ. Empty when the two
// are the same pixel for pixel.
QString differences(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    int count = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x)
            count += actual.pixel(x, y) == expected.pixel(x, y) ? 0 : 1;
    }
    return count == 0 ? QString() : QStringLiteral("%1 pixels differ").arg(count);
}

bool samePixels(const QImage &actual, const QImage &expected)
{
    return differences(actual, expected).isEmpty();
}

QImage asRgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPictureActions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void copyReachesAnotherProgram_data();
    void copyReachesAnotherProgram();
    void contextMenuOpens_data();
    void contextMenuOpens();
    void readOutShowsWhileThePointerRests();
    void samePictureEverywhere_data();
    void samePictureEverywhere();

private:
    // Starts the program at `scale`, with function `graphed` (1..5) graphed unless 0, and returns
    // the picture area of a screenshot once it shows that.
    QImage startProgram(qreal scale, int graphed = 0);
    // The picture area of a screenshot once `ready` holds for it.
    e2e::Screenshot pictureWhen(const std::function<bool(const QImage &)> &ready);
    e2e::ToolResult clipboard(const QString &target);

    std::unique_ptr<QTemporaryDir> m_runtimeDir;
    std::unique_ptr<e2e::VirtualDisplay> m_display;
    QProcessEnvironment m_environment;
    e2e::DesktopTools m_tools;
    QString m_xclip;
    std::unique_ptr<RunningProgram> m_program;
};

void TestPictureActions::initTestCase()
{
    e2e::ToolFinder tools;
    const QString server = tools.find(QStringLiteral("Xvfb"));
    m_tools.xdotool = tools.find(QStringLiteral("xdotool"));
    m_tools.import = tools.find(QStringLiteral("import"));
    m_xclip = tools.find(QStringLiteral("xclip"));
    QVERIFY2(tools.missingTools().isEmpty(), qPrintable(tools.missingTools()));

    m_runtimeDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtimeDir->isValid());
    m_display = std::make_unique<e2e::VirtualDisplay>(server, screenSize);
    QVERIFY2(m_display->isRunning(), qPrintable(m_display->failure()));

    m_environment = e2e::programEnvironment(m_runtimeDir->path());
    m_environment.insert(QStringLiteral("DISPLAY"), m_display->name());
}

void TestPictureActions::cleanup()
{
    m_program.reset();
}

void TestPictureActions::cleanupTestCase()
{
    m_program.reset();
    m_display.reset();
    m_runtimeDir.reset();
}

e2e::Screenshot TestPictureActions::pictureWhen(const std::function<bool(const QImage &)> &ready)
{
    const QRect area = pictureArea(m_program->ratio());
    e2e::Screenshot shot = m_program->screenshotWhen(
        [&](const QImage &image) { return ready(asRgb(image.copy(area))); });
    shot.image = asRgb(shot.image.copy(area));
    return shot;
}

QImage TestPictureActions::startProgram(qreal scale, int graphed)
{
    m_program.reset();
    QProcessEnvironment environment = m_environment;
    if (scale != 1)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    m_program = std::make_unique<RunningProgram>(QStringLiteral(FUNCTION_GRAPH_PATH), environment,
                                                 m_tools, scale);
    if (!m_program->hasWindow())
        return {};
    // The pointer stays off the picture, where it shows no readout.
    m_program->moveTo(awayFromThePicture);
    if (!pictureWhen([](const QImage &picture) {
             return showsColour(picture, startupAxisColour);
         }).ready)
        return {};
    if (graphed == 0)
        return pictureWhen([](const QImage &) { return true; }).image;
    m_program->click(optionClickPoint(graphed - 1));
    m_program->click(graphClickPoint);
    m_program->moveTo(awayFromThePicture);
    const e2e::Screenshot shot =
        pictureWhen([](const QImage &picture) { return !showsColour(picture, startupAxisColour); });
    return shot.ready ? shot.image : QImage();
}

e2e::ToolResult TestPictureActions::clipboard(const QString &target)
{
    return e2e::runTool(m_xclip,
                        {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                         QStringLiteral("-t"), target, QStringLiteral("-o")},
                        m_environment, toolTimeoutMs);
}

void TestPictureActions::copyReachesAnotherProgram_data()
{
    QTest::addColumn<int>("graphed");
    QTest::newRow("start-up frame") << 0;
    QTest::newRow("graph of 5sin(x)/x") << 3;
}

void TestPictureActions::copyReachesAnotherProgram()
{
    QFETCH(int, graphed);
    const QImage shown = startProgram(1, graphed);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));

    // Without a window manager the keyboard goes where the pointer is; a click on the window's
    // background makes it the active window, as a window manager would.
    QVERIFY(m_program->click(awayFromThePicture));
    QVERIFY(m_program->pressKeys({QStringLiteral("ctrl+c")}));
    e2e::ToolResult targets;
    QTRY_VERIFY_WITH_TIMEOUT((targets = clipboard(QStringLiteral("TARGETS"))).succeeded()
                                 && targets.output.contains("image/png"),
                             5000);
    QVERIFY2(targets.output.contains("image/svg+xml"), targets.output.constData());

    // The image another program pastes is the picture on screen, pixel for pixel.
    const e2e::ToolResult png = clipboard(QStringLiteral("image/png"));
    QVERIFY2(png.succeeded(), qPrintable(png.describe(QStringLiteral("xclip"))));
    const QImage pasted = asRgb(QImage::fromData(png.output, "PNG"));
    QVERIFY2(samePixels(pasted, shown), qPrintable(differences(pasted, shown)));

    const e2e::ToolResult svg = clipboard(QStringLiteral("image/svg+xml"));
    QVERIFY2(svg.succeeded(), qPrintable(svg.describe(QStringLiteral("xclip"))));
    QVERIFY2(svg.output.startsWith("<?xml") && svg.output.contains("<svg"),
             svg.output.left(100).constData());
}

void TestPictureActions::contextMenuOpens_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("right click on the picture") << false;
    QTest::newRow("Menu key on the focused picture") << true;
}

void TestPictureActions::contextMenuOpens()
{
    QFETCH(bool, byKeyboard);
    const QImage shown = startProgram(1);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));

    if (byKeyboard) {
        QVERIFY(m_program->click(awayFromThePicture));
        // From the first function button, two presses of Tab reach the picture.
        QVERIFY(m_program->pressKeys({QStringLiteral("Tab")}));
        QVERIFY(m_program->pressKeys({QStringLiteral("Tab")}));
        QVERIFY(m_program->pressKeys({QStringLiteral("Menu")}));
    } else {
        QVERIFY(m_program->click(onThePicture, 3));
    }
    QStringList windows;
    QTRY_VERIFY_WITH_TIMEOUT((windows = m_program->visibleWindows()).size() == 2, 5000);
    // The menu opens where it was asked for: at the pointer, or over the picture's middle.
    const QRect menu = m_program->windowGeometry(windows.last());
    const QPoint expected = byKeyboard ? pictureRect.center() : onThePicture;
    QVERIFY2((menu.topLeft() - expected).manhattanLength() <= 2,
             qPrintable(QStringLiteral("menu at %1,%2").arg(menu.x()).arg(menu.y())));
    QVERIFY(menu.width() > 50 && menu.height() > 40);

    // Escape closes it; off the picture, the pointer brings no readout back.
    QVERIFY(m_program->pressKeys({QStringLiteral("Escape")}));
    QVERIFY(m_program->moveTo(awayFromThePicture));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->visibleWindows().size(), 1, 5000);
}

void TestPictureActions::readOutShowsWhileThePointerRests()
{
    const QImage shown = startProgram(1, 3);
    QVERIFY2(!shown.isNull(), qPrintable(m_program->failure()));

    QVERIFY(m_program->moveTo(onThePicture));
    QStringList windows;
    QTRY_VERIFY_WITH_TIMEOUT((windows = m_program->visibleWindows()).size() == 2, 5000);
    // Beside the pointer, clear of it.
    const QRect readOut = m_program->windowGeometry(windows.last());
    QVERIFY(!readOut.contains(onThePicture));
    QVERIFY((readOut.topLeft() - onThePicture).manhattanLength() < 60);

    // Nothing is drawn into the picture: around the readout it is as it was.
    const QRect covered = readOut.translated(-pictureRect.topLeft());
    const e2e::Screenshot withReadOut = pictureWhen([&](const QImage &picture) {
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (!covered.contains(x, y) && picture.pixel(x, y) != shown.pixel(x, y))
                    return false;
            }
        }
        return true;
    });
    QVERIFY2(withReadOut.ready, "the picture changed beside the readout");

    // Gone when the pointer leaves, the whole picture as it was.
    QVERIFY(m_program->moveTo(awayFromThePicture));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->visibleWindows().size(), 1, 5000);
    const e2e::Screenshot after =
        pictureWhen([&shown](const QImage &picture) { return samePixels(picture, shown); });
    QVERIFY2(after.ready, qPrintable(differences(after.image, shown)));
}

void TestPictureActions::samePictureEverywhere_data()
{
    QTest::addColumn<double>("scale");
    for (const double scale : {1.0, 1.1, 1.25, 1.33, 1.5, 2.0})
        QTest::addRow("scale %g", scale) << scale;
}

void TestPictureActions::samePictureEverywhere()
{
    QFETCH(double, scale);
    QTemporaryDir files;
    QVERIFY(files.isValid());
    QVERIFY2(!startProgram(scale).isNull(), qPrintable(m_program->failure()));

    for (int function = 1; function <= 5; ++function) {
        const QString where = QStringLiteral("function %1").arg(function);
        // The command line's file.
        const QString output = files.filePath(QStringLiteral("f%1.png").arg(function));
        const e2e::ToolResult written = e2e::runTool(
            QStringLiteral(FUNCTION_GRAPH_PATH),
            {QStringLiteral("--function"), QString::number(function), QStringLiteral("--output"),
             output, QStringLiteral("--scale"), QString::number(scale)},
            m_environment, toolTimeoutMs);
        QVERIFY2(written.succeeded(), qPrintable(written.describe(where)));
        const QImage fromCommandLine = asRgb(QImage(output, "PNG"));
        QVERIFY2(!fromCommandLine.isNull(), qPrintable(where));

        // What "Save As..." writes at the window's ratio.
        const QString saved = files.filePath(QStringLiteral("saved%1.png").arg(function));
        const std::optional<QString> failure =
            app::savePicture(graphing::PictureContent{function}, saved, app::PictureFormat::Png,
                             app::storedRatio(scale));
        QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        const QImage fromSaving = asRgb(QImage(saved, "PNG"));
        QVERIFY2(
            samePixels(fromSaving, fromCommandLine),
            qPrintable(where + QStringLiteral(": ") + differences(fromSaving, fromCommandLine)));

        // The window's picture after the press.
        QVERIFY(m_program->click(optionClickPoint(function - 1)));
        QVERIFY(m_program->click(graphClickPoint));
        const e2e::Screenshot shot = pictureWhen([&fromCommandLine](const QImage &picture) {
            return samePixels(picture, fromCommandLine);
        });
        QVERIFY2(shot.ready, qPrintable(where + QStringLiteral(": ")
                                        + differences(shot.image, fromCommandLine)));
    }
}

QTEST_GUILESS_MAIN(TestPictureActions)
#include "tst_pictureactions.moc"
