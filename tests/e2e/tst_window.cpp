// The window as its user meets it on a virtual X display of the test's own: driven with real
// clicks and keys, judged on screenshots. The design's figures are written out again here, and the
// expected pictures come from the formulas alone, so that this test stands apart from the program.
#include "expectedpicture.h"
#include "runningprogram.h"

#include <QtTest>

#include <cstdlib>
#include <memory>

using e2e::Screenshot;
using e2e::shows;
using testsupport::boundsOf;
using testsupport::deviceRect;
using testsupport::logicalPictureRect;

namespace {

// The design, in logical pixels of the client area.
constexpr QSize clientSize(639, 436);
constexpr QRect labelRect(136, 8, 225, 33);
constexpr QRect optionsRect(448, 80, 145, 121); // five of 145x25, 24 apart
constexpr QRect buttonsRect(472, 208, 73, 65);  // Graph, then End
constexpr QRgb windowBlue = qRgb(0, 0, 255);
constexpr QRgb labelYellow = qRgb(255, 255, 192);
constexpr QRgb optionGreen = qRgb(0, 255, 0);
constexpr const char *functionNames[] = {"start-up",  "x*x-2",        "x*exp(-x)+2",
                                         "5sin(x)/x", "exp(x)-1-x^2", "sqrt(x^2+1)"};
// The font resolution at which the toolkit draws one device pixel to the logical pixel.
constexpr int standardDpi = 96;
// How far, in device pixels, an edge of a control may lie from its design place.
constexpr int tolerance = 2;

QRect scaled(QRect rect, int scale)
{
    return {rect.topLeft() * scale, rect.size() * scale};
}

// Empty when every edge of `actual` lies near that of `designed`.
QString misplaced(const char *control, QRect actual, QRect designed)
{
    const QRect d(actual.topLeft() - designed.topLeft(), actual.size() - designed.size());
    if (std::abs(d.x()) <= tolerance && std::abs(d.y()) <= tolerance
        && std::abs(d.x() + d.width()) <= tolerance && std::abs(d.y() + d.height()) <= tolerance)
        return {};
    QString text;
    QDebug(&text).nospace() << control << " at " << actual << "; ";
    return text;
}

// Whether the window's margin shows a mark just outside the picture's left or bottom edge.
bool marginShowsFocus(const QImage &shot, QRect picture)
{
    const QRect left(picture.left() - 4, picture.top(), 4, picture.height() + 4);
    const QRect below(picture.left() - 4, picture.bottom() + 1, picture.width() + 4, 4);
    return !boundsOf(shot, windowBlue, left, false).isNull()
           || !boundsOf(shot, windowBlue, below, false).isNull();
}

// What in the window at rest at the integer `scale` stands off its design place; empty if nothing.
QString layoutFaults(const QImage &image, int scale)
{
    // The whole window is drawn at the density: client area and every control twice the size.
    QString faults;
    for (const QPoint corner : {image.rect().topLeft(), image.rect().topRight(),
                                image.rect().bottomLeft(), image.rect().bottomRight()})
        faults += image.pixel(corner) == windowBlue ? QString() : QStringLiteral("a corner ");
    // Each control where the design puts it, found by its colour. The push buttons are drawn in
    // the platform's style: no blue inside them, blue right around them. The title keeps its
    // place and height and grows to the right as far as its text needs, short of the options.
    const QRect buttons = scaled(buttonsRect, scale);
    const QRect title = boundsOf(image, labelYellow);
    const QRect designedTitle = scaled(labelRect, scale);
    const QRect options = boundsOf(image, optionGreen);
    faults +=
        misplaced("picture", boundsOf(image, testsupport::pictureBackground),
                  scaled(logicalPictureRect, scale))
        + misplaced("options", options, scaled(optionsRect, scale))
        + misplaced("buttons",
                    boundsOf(image, windowBlue,
                             buttons.adjusted(-8 * scale, -4 * scale, 8 * scale, 8 * scale), false),
                    buttons)
        + misplaced("title", QRect(title.topLeft(), designedTitle.size()),
                    {designedTitle.topLeft(), QSize(designedTitle.width(), title.height())});
    if (title.width() < designedTitle.width() - tolerance || title.right() >= options.left()
        || std::abs(title.height() - designedTitle.height()) > tolerance)
        faults += misplaced("title", title, {});
    for (const int top : {0, 32}) {
        const QRect inside =
            QRect(buttons.left(), buttons.top() + top * scale, buttons.width(), 33 * scale)
                .adjusted(tolerance, tolerance, -tolerance, -tolerance);
        if (shows(image, windowBlue, inside))
            faults += misplaced("blue inside a button", inside, {});
    }
    // Each option's round indicator sits in the middle of its own button, in the block's first
    // twelve columns.
    int runStart = -1;
    int option = 0;
    for (int y = options.top(); y <= options.bottom() + 1; ++y) {
        const QRect row(options.left(), y, 12 * scale, 1);
        const bool marked =
            y <= options.bottom() && !boundsOf(image, optionGreen, row, false).isNull();
        if (marked && runStart < 0)
            runStart = y;
        if (!marked && runStart >= 0) {
            const QRect designed = scaled({448, 80 + 24 * option++, 145, 25}, scale);
            if (std::abs((runStart + y) / 2 - designed.center().y()) > tolerance)
                faults += QStringLiteral("option %1's indicator at row %2 ").arg(option).arg(y);
            runStart = -1;
        }
    }
    return faults + (option == 5 ? QString() : QStringLiteral("%1 indicators").arg(option));
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_program.reset(); }

    void pictureIsExactAtEveryRatio_data();
    void pictureIsExactAtEveryRatio();
    void focusLeavesThePictureAlone_data();
    void focusLeavesThePictureAlone();
    void typedFunctionOnItsOwnView();

private:
    // Starts a program at `scaleFactor` (none when empty) with the display's font resolution
    // `dpi`, and waits for its start-up frame; the screenshot, not ready on failure.
    Screenshot start(const QString &scaleFactor, int dpi = standardDpi);

    std::unique_ptr<e2e::Desktop> m_desktop;
    int m_dpi = standardDpi;
    std::unique_ptr<e2e::RunningProgram> m_program;
    // What the running program was started for, while later rows go on with it.
    QString m_configuration;
    QImage m_lastPicture;
};

void TestWindow::initTestCase()
{
    m_desktop = std::make_unique<e2e::Desktop>(
        QSize(2048, 1536), QStringList{"xrdb", "xclip", "rsvg-convert", "pdftoppm"});
    QVERIFY2(m_desktop->failure().isEmpty(), qPrintable(m_desktop->failure()));
}

Screenshot TestWindow::start(const QString &scaleFactor, int dpi)
{
    // One window at a time: with no window manager they would all stand at the same place.
    m_program.reset();
    m_configuration.clear();
    m_lastPicture = {};
    // The font resolution is a resource of the whole server, read by a program as it starts; the
    // server does not reset when a program leaves, so it stays until set again.
    const QByteArray resource = QStringLiteral("Xft.dpi: %1\n").arg(dpi).toLatin1();
    if (dpi != m_dpi && !m_desktop->run("xrdb", {"-merge"}, resource).succeeded())
        return {};
    m_dpi = dpi;
    const qreal ratio = scaleFactor.isEmpty() ? qreal(dpi) / standardDpi
                                              : testsupport::storedRatio(scaleFactor.toDouble());
    m_program = m_desktop->start(scaleFactor, ratio);
    return m_program->startedUp();
}

void TestWindow::pictureIsExactAtEveryRatio_data()
{
    QTest::addColumn<QString>("scaleFactor"); // empty: none set
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("function");   // 0: the start-up frame
    QTest::addColumn<bool>("unmapped");  // and mapped again before it is judged
    QTest::addColumn<QString>("target"); // the screen, or where else the picture goes

    const auto addRows = [](const QString &configuration, const QString &scaleFactor, int dpi) {
        for (int function = 0; function <= 5; ++function)
            QTest::addRow("%s, %s", qPrintable(configuration), functionNames[function])
                << scaleFactor << dpi << function << false << QStringLiteral("screen");
    };
    for (const char *factor : {"1", "1.1", "1.2", "1.25", "1.33", "1.5", "1.75", "2", "2.5", "3"})
        addRows(QStringLiteral("scale %1").arg(factor), factor, standardDpi);
    for (const int dpi : {120, 144})
        addRows(QStringLiteral("Xft.dpi %1").arg(dpi), {}, dpi);
    QTest::newRow("Xft.dpi 144, 5sin(x)/x, unmapped and mapped again")
        << QString() << 144 << 3 << true << QStringLiteral("screen");
    // The picture leaving the program: the command line's documents, rasterised, and what another
    // program pastes after Copy, as PNG and as SVG.
    for (int function = 0; function <= 5; ++function) {
        for (const char *document : {"svg", "pdf"})
            QTest::addRow("%s, %s", document, functionNames[function])
                << QString() << standardDpi << function << false << QString(document);
    }
    for (const int function : {0, 3})
        QTest::addRow("clipboard, %s", functionNames[function])
            << QStringLiteral("1") << standardDpi << function << false
            << QStringLiteral("clipboard");
}

void TestWindow::pictureIsExactAtEveryRatio()
{
    QFETCH(QString, scaleFactor);
    QFETCH(int, dpi);
    QFETCH(int, function);
    QFETCH(bool, unmapped);
    QFETCH(QString, target);
    QTemporaryDir folder;
    if (target == "svg" || target == "pdf") {
        const QString file = folder.filePath("picture." + target);
        const e2e::ToolResult run = m_desktop->run(
            FUNCTION_GRAPH_PATH, {"--function", QString::number(function), "--output", file});
        QVERIFY2(run.succeeded(), qPrintable(run.describe(file)));
        QCOMPARE(testsupport::documentFaults(testsupport::rasterised(file), function).join("; "),
                 QString());
        return;
    }

    // One program per density: its start-up frame, then each function graphed in turn.
    const QString configuration = QStringLiteral("%1 at %2 dpi").arg(scaleFactor).arg(dpi);
    Screenshot shot;
    if (function == 0 || !m_program || m_configuration != configuration) {
        shot = start(scaleFactor, dpi);
        QVERIFY2(m_program && m_program->hasWindow(),
                 qPrintable(m_program ? m_program->failure() : QStringLiteral("xrdb failed")));
        m_configuration = configuration;
    }
    const qreal ratio = m_program->ratio();
    const QRect area = deviceRect(logicalPictureRect, ratio);
    if (function > 0) {
        QVERIFY(m_program->graph(function));
        const QImage previous = m_lastPicture;
        shot = m_program->screenshotWhen([&](const QImage &image) {
            const QImage picture = image.copy(area);
            return shows(picture, testsupport::curveColour)
                   && !shows(picture, testsupport::startupAxisColour) && picture != previous;
        });
    }
    if (unmapped) {
        QVERIFY(shot.ready && m_program->xdo("windowunmap --sync %w")
                && m_program->xdo("windowmap --sync %w"));
        shot = m_program->screenshotWhen(
            [&area](const QImage &image) { return shows(image, testsupport::curveColour, area); });
    }
    QVERIFY2(shot.ready, "the picture never showed the start-up frame or the chosen graph");
    m_lastPicture = shot.image.copy(area);
    if (target == "clipboard") {
        const auto paste = [this](const QString &type) { return m_desktop->pasted(type); };
        QVERIFY(m_program->click(e2e::restingPoint) && m_program->xdo("key ctrl+c"));
        QTRY_VERIFY_WITH_TIMEOUT(paste("TARGETS").contains("image/svg+xml"), 20000);
        // What a text field pastes: the caption. (A value read off: tst_picturemenu.)
        QCOMPARE(QString::fromUtf8(paste("text/plain")),
                 function == 0 ? "x and y from -10 to 10"
                               : "y = 5 sin(x)/x, x and y from -10 to 10");
        QFile svg(folder.filePath("pasted.svg"));
        QVERIFY(svg.open(QIODevice::WriteOnly) && svg.write(paste("image/svg+xml")) > 0);
        svg.close();
        QCOMPARE(testsupport::documentFaults(testsupport::rasterised(svg.fileName()), function)
                     .join("; "),
                 QString());
        m_lastPicture =
            QImage::fromData(paste("image/png"), "PNG").convertToFormat(QImage::Format_RGB32);
    }

    // At the integer densities, each control where the design puts it, found by its colour.
    if (function == 0 && dpi == standardDpi && (scaleFactor == "1" || scaleFactor == "2"))
        QCOMPARE(layoutFaults(shot.image, scaleFactor.toInt()), QString());
    // The window's size says the toolkit took the ratio the expected picture is worked out for.
    QCOMPARE(shot.image.size(),
             QSize(qRound(clientSize.width() * ratio), qRound(clientSize.height() * ratio)));
    QCOMPARE(testsupport::pictureFaults(m_lastPicture, ratio, function).join("; "), QString());
}

void TestWindow::focusLeavesThePictureAlone_data()
{
    QTest::addColumn<QString>("scaleFactor");
    QTest::newRow("scale 1") << QStringLiteral("1");
    QTest::newRow("scale 1.5") << QStringLiteral("1.5");
}

void TestWindow::focusLeavesThePictureAlone()
{
    QFETCH(QString, scaleFactor);
    QVERIFY(start(scaleFactor).ready);
    const QRect area = deviceRect(logicalPictureRect, m_program->ratio());
    QVERIFY(m_program->click(e2e::restingPoint));
    Screenshot shot = m_program->screenshotWhen([](const QImage &) { return true; });
    const QImage picture = shot.image.copy(area);
    QVERIFY(!marginShowsFocus(shot.image, area));

    // The tab order runs from the first option button to Graph, the picture and End.
    for (const QString focus : {"Graph", "the picture", "End"}) {
        const QImage before = shot.image;
        QVERIFY(m_program->xdo("key Tab"));
        shot =
            m_program->screenshotWhen([&before](const QImage &image) { return image != before; });
        QVERIFY2(shot.ready, qPrintable("nothing showed the focus moving to " + focus));
        const QString changed = testsupport::pixelDifferences(shot.image.copy(area), picture);
        QVERIFY2(changed.isEmpty(), qPrintable("with the focus on " + focus + ": " + changed));
        const bool onPicture = focus == QLatin1String("the picture");
        QVERIFY2(marginShowsFocus(shot.image, area) == onPicture,
                 qPrintable(QStringLiteral("with the focus on %1 the margin %2 a mark")
                                .arg(focus, onPicture ? "lacks" : "shows")));
    }
}

// A function typed into the window's dialog, then zoomed, moved, stepped to its first key point,
// copied and saved, all by real keys, wheel and drag; each view is the command line's picture of
// it, pixel for pixel.
void TestWindow::typedFunctionOnItsOwnView()
{
    QVERIFY(start(QStringLiteral("1")).ready);
    QTemporaryDir folder;
    const auto commandLine = [this, &folder](const QStringList &view) {
        return m_desktop->commandLinePicture(QStringList{"--expression", "0.5x^2 - 3"} + view,
                                             folder.filePath("c.png"));
    };
    const auto showsView = [&](const QStringList &view) {
        // The readout beside the pointer would cover part of the picture.
        const QImage expected = commandLine(view);
        m_program->moveTo(e2e::restingPoint);
        return m_program->pictureWhen([&](const QImage &picture) { return picture == expected; })
            .ready;
    };
    // A dialog takes the keys once the pointer is over it: no window manager gives it the focus.
    const auto intoDialog = [this](const QString &text) {
        QStringList windows;
        static_cast<void>(QTest::qWaitFor(
            [&] { return (windows = m_program->visibleWindows()).size() > 1; }, 10000));
        const QRect dialog = m_program->windowGeometry(windows.constLast());
        return windows.size() > 1
               && m_program->xdo("mousemove", {QString::number(dialog.center().x()),
                                               QString::number(dialog.center().y())})
               && m_program->xdo("key ctrl+a") && m_program->xdo("type", {text})
               && m_program->xdo("key Return");
    };
    QVERIFY(m_program->click(e2e::restingPoint) && m_program->xdo("key ctrl+e")
            && intoDialog("0.5x^2 - 3"));
    QVERIFY2(showsView({}), "the typed function is not the command line's picture of it");

    QVERIFY(m_program->click(e2e::restingPoint) && m_program->xdo("key Tab Tab"));
    QVERIFY(m_program->xdo("key plus") && m_program->xdo("key ctrl+Right"));
    QVERIFY2(showsView({"--x-range=-4:6", "--y-range=-5:5"}), "+ and Ctrl+Right");
    // The wheel about the point under the pointer, (1, 0).
    QVERIFY(m_program->moveTo({228, 232}) && m_program->xdo("click 4"));
    QVERIFY2(showsView({"--x-range=-3:5", "--y-range=-4:4"}), "the wheel");
    // A drag of 55 pixels to the right and 48 down moves the view by -1 and 1.
    QVERIFY(m_program->moveTo({228, 232}) && m_program->xdo("mousedown 1")
            && m_program->moveTo({283, 280}) && m_program->xdo("mouseup 1"));
    QVERIFY2(showsView({"--x-range=-4:4", "--y-range=-3:5"}), "dragging");

    QVERIFY(m_program->click(e2e::restingPoint) && m_program->xdo("key Next")
            && m_program->xdo("key ctrl+c"));
    QTest::qWait(500);
    QCOMPARE(QString::fromUtf8(m_desktop->pasted("text/plain")),
             QStringLiteral("zero at x = -2.449, y = 0"));

    const QString saved = folder.filePath("saved.png");
    QVERIFY(m_program->xdo("key ctrl+s") && intoDialog(saved));
    QVERIFY(QTest::qWaitFor([&saved] { return QFileInfo::exists(saved); }, 10000));
    QCOMPARE(QImage(saved).convertToFormat(QImage::Format_RGB32),
             commandLine({"--x-range=-4:4", "--y-range=-3:5"}));

    QVERIFY(m_program->click(e2e::restingPoint) && m_program->xdo("key 0"));
    QVERIFY2(showsView({}), "0 back to -10..10");
    // Closing the window ends it too: tst_graphwindow's endQuits.
    QVERIFY(m_program->click(e2e::endClickPoint));
    QCOMPARE(m_program->exitDescription(10000), QStringLiteral("ended with status 0"));
}

QTEST_GUILESS_MAIN(TestWindow)
#include "tst_window.moc"
