// Presses of "Graph": thousands in a row, random sequences against a model of the window, and
// presses whose drawing fails at any one call. A failure is followed in two halves joined by the
// picture's renderingFailed signal: what the drawing leaves when a call fails, and what the window
// does when the picture reports it.
#include "picturecontent.h"
#include "rasterplotsurface.h"
#include "recordingsurface.h"
#include "windowdriver.h"

#include <QMessageBox>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <array>

#include <sys/resource.h>

using namespace windowdriver;
using graphing::DrawingOperation;

namespace {

// Address sanitizer keeps freed memory in quarantine, so the process grows by design there, and
// each press costs several times as much: the heavy rows are shorter there and the optimised build
// runs them in full. Failing every fifth call still reaches every kind of operation.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool underSanitizer = true;
#else
constexpr bool underSanitizer = false;
#endif
constexpr int soakPresses = underSanitizer ? 1000 : 10000;
constexpr int clickShare = underSanitizer ? 5 : 1;
constexpr std::size_t failureStride = underSanitizer ? 5 : 1;

// The process's peak resident memory so far, in kB.
long peakResidentKb()
{
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
}

// The window's picture at ratio 1.
const plot::PixelGrid pictureGrid{QPoint(8, 40), QSize(441, 385), 1, 1};
const QColor background(128, 255, 255);

// The image a fresh raster surface of the picture's pixels holds after `draw` drew on it.
template <typename Draw> QImage drawnOnRaster(Draw draw)
{
    QImage image(pictureGrid.size, QImage::Format_RGB32);
    {
        plot::RasterPlotSurface raster(image, pictureGrid.penWidth, background, Qt::black);
        draw(raster);
    }
    return image;
}

void replay(const RecordingSurface::Call &call, graphing::PlotSurface &surface)
{
    switch (call.operation) {
    case DrawingOperation::SetScale: surface.setScale(call.from, call.to); break;
    case DrawingOperation::Clear: surface.clear(); break;
    case DrawingOperation::Line: surface.line(call.from, call.to, call.colour); break;
    case DrawingOperation::LineTo: surface.lineTo(call.to, *call.colour); break;
    case DrawingOperation::Point: surface.point(call.to, *call.colour); break;
    case DrawingOperation::SetLineWidth: surface.setLineWidth(std::stoi(call.text)); break;
    case DrawingOperation::Label: surface.label(call.to, call.text, call.placement); break;
    }
}

} // namespace

class TestPress : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void thousandsOfPresses();
    void picturesFollowTheModel_data();
    void picturesFollowTheModel();
    void drawingStopsAtTheFailingCall_data();
    void drawingStopsAtTheFailingCall();
    void pictureReportsAFailedRendering();

private:
    std::array<QImage, 5> m_expected;
};

void TestPress::initTestCase()
{
    for (int i = 0; i < 5; ++i)
        m_expected[std::size_t(i)] = freshGraph(i);
}

void TestPress::thousandsOfPresses()
{
    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    long peakAfterTenth = 0;
    for (int press = 0; press < soakPresses; ++press) {
        const int function = press % 5;
        graph(window, function + 1);
        // Let the window repaint, as it would between a user's clicks.
        QCoreApplication::processEvents();
        if (press == 9)
            peakAfterTenth = peakResidentKb();
    }
    const long peakAfterLast = peakResidentKb();
    QVERIFY(peakAfterTenth > 0);
    qInfo("peak resident memory: %ld kB after the tenth press, %ld kB after the last",
          peakAfterTenth, peakAfterLast);

    QCOMPARE(picture(window), m_expected[std::size_t((soakPresses - 1) % 5)]);
    if (!underSanitizer)
        QVERIFY(peakAfterLast - peakAfterTenth <= 1024);
}

void TestPress::picturesFollowTheModel_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("events");

    QTest::newRow("seed 20261208") << quint32(20261208) << 2000 / clickShare;
    QTest::newRow("seed 7") << quint32(7) << 700 / clickShare;
}

// Random clicks against a model of the window: the chosen function is the last option clicked,
// and the picture is what a fresh window shows for it after "Graph".
void TestPress::picturesFollowTheModel()
{
    QFETCH(quint32, seed);
    QFETCH(int, events);

    app::GraphWindow window;
    QRandomGenerator random(seed);
    int chosen = 0; // the window starts with the first function chosen
    QImage shown = picture(window);
    QAbstractButton *previous = nullptr;
    QAbstractButton *const graph = button(window, QStringLiteral("graphButton"));

    for (int event = 0; event < events; ++event) {
        // One in five events repeats the previous click; otherwise any of the six buttons.
        QAbstractButton *target = previous;
        if (target == nullptr || random.bounded(5) != 0) {
            const int pick = int(random.bounded(6));
            target = pick < 5 ? option(window, pick) : graph;
        }
        click(target);
        previous = target;

        const QString where = QStringLiteral("seed %1, event %2").arg(seed).arg(event);
        if (target == graph) {
            shown = picture(window);
            QVERIFY2(shown == m_expected[std::size_t(chosen)], qPrintable(where));
        } else {
            chosen = target->objectName().back().digitValue() - 1;
            QVERIFY2(target->isChecked(), qPrintable(where));
            QVERIFY2(picture(window) == shown, qPrintable(where));
        }
    }
}

void TestPress::drawingStopsAtTheFailingCall_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("told"); // the operation the picture then reports to the window
    QTest::newRow("5sin(x)/x: every sample joined") << 3 << "line-to";
    QTest::newRow("x*exp(-x)+2: start point far below") << 2 << "clear";
}

// Every call of a whole press fails in turn, on a surface that passes the others on to a real one;
// then the window is told of a failure as the picture tells it, and recovers.
void TestPress::drawingStopsAtTheFailingCall()
{
    QFETCH(int, function);
    QFETCH(QString, told);
    const graphing::PictureContent content{function};

    std::vector<RecordingSurface::Call> press;
    const QImage whole = drawnOnRaster([&](graphing::PlotSurface &raster) {
        RecordingSurface recorder(&raster);
        graphing::drawPicture(recorder, content);
        press = recorder.calls;
    });
    // What is recorded is the whole picture the screen shows.
    QCOMPARE(whole, plot::renderImage(content, pictureGrid, background, Qt::black).image);
    QVERIFY(press.size() > 47);

    for (std::size_t failing = 0; failing < press.size(); failing += failureStride) {
        const QString where = QStringLiteral("call %1").arg(failing);
        std::optional<DrawingOperation> failure;
        std::size_t made = 0;
        const QImage drawn = drawnOnRaster([&](graphing::PlotSurface &raster) {
            RecordingSurface recorder(&raster);
            recorder.failOnCall = failing;
            try {
                graphing::drawPicture(recorder, content);
            } catch (const graphing::DrawingFailed &failed) {
                failure = failed.operation();
            }
            made = recorder.calls.size();
        });
        QVERIFY2(failure == press[failing].operation, qPrintable(where));
        QVERIFY2(made == failing + 1, qPrintable(where));
        // Exactly what the calls before the failing one draw.
        const QImage before = drawnOnRaster([&](graphing::PlotSurface &raster) {
            for (std::size_t call = 0; call < failing; ++call)
                replay(press[call], raster);
        });
        QVERIFY2(drawn == before, qPrintable(where));
    }

    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    click(option(window, function - 1));
    emit pictureBox(window)->renderingFailed(told);
    auto *const message = window.findChild<QMessageBox *>(QStringLiteral("drawingFailure"));
    QVERIFY(message != nullptr);
    // Told, not only made: the message is on screen, beside a window that stays usable.
    QVERIFY(QTest::qWaitForWindowExposed(message));
    QVERIFY2(message->text().contains(QLatin1Char('"') + told + QLatin1Char('"')),
             qPrintable(message->text()));
    QVERIFY(window.isEnabled());
    message->close();
    pressGraph(window);
    QCOMPARE(picture(window), m_expected[std::size_t(function - 1)]);
}

// The joint of the two halves: a picture of no pixels has nothing to draw on, so the first
// painting call of a graph, its clear, fails, and the picture says so.
void TestPress::pictureReportsAFailedRendering()
{
    plot::PictureBox box(QSize(0, 0), background, Qt::black);
    const QSignalSpy failures(&box, &plot::PictureBox::renderingFailed);
    box.setContent(graphing::PictureContent{3});
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures.front().front().toString(), QStringLiteral("clear"));
}

QTEST_MAIN(TestPress)
#include "tst_press.moc"
