// The window as its user meets it on a virtual X display of the test's own: driven with real
// clicks and keys, judged on screenshots. The design's figures are written out again here, and the
// expected pictures come from the formulas alone, so that this test stands apart from the program.
#include "expectedpicture.h"
#include "picturecheck.h"
#include "runningprogram.h"

#include <QtTest>

#include <cstdlib>
#include <memory>

using e2e::restingPoint;
using e2e::RunningProgram;
using e2e::Screenshot;
using testsupport::deviceRect;
using testsupport::logicalPictureRect;

namespace {

// The design, in logical pixels of the client area.
constexpr QSize clientSize(639, 436);
constexpr QRect labelRect(136, 8, 225, 33);
constexpr QRect optionsRect(448, 80, 145, 121);
constexpr QRect graphButtonRect(472, 208, 73, 33);
constexpr QRect endButtonRect(472, 240, 73, 33);
constexpr QRgb windowBlue = qRgb(0, 0, 255);
constexpr QRgb labelYellow = qRgb(255, 255, 192);
constexpr QRgb optionGreen = qRgb(0, 255, 0);
constexpr const char *functionNames[] = {"x*x-2", "x*exp(-x)+2", "5sin(x)/x", "exp(x)-1-x^2",
                                         "sqrt(x^2+1)"};
// The font resolution at which the toolkit draws one device pixel to the logical pixel.
constexpr int standardDpi = 96;
// How far, in device pixels, an edge of a control may lie from its design place.
constexpr int layoutTolerance = 2;

// The smallest rectangle of `area` holding every pixel that is (or, with `is` false, is not)
// `colour`; null if there is none.
QRect boundsOf(const QImage &image, QRgb colour, QRect area, bool is = true)
{
    QRect bounds;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) == colour) == is)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

bool shows(const QImage &image, QRgb colour, QRect area)
{
    return !boundsOf(image, colour, area).isNull();
}

QRect scaled(QRect rect, int scale)
{
    return {rect.topLeft() * scale, rect.size() * scale};
}

QString edgesFault(QRect actual, QRect expected)
{
    const bool near = std::abs(actual.left() - expected.left()) <= layoutTolerance
                      && std::abs(actual.top() - expected.top()) <= layoutTolerance
                      && std::abs(actual.right() - expected.right()) <= layoutTolerance
                      && std::abs(actual.bottom() - expected.bottom()) <= layoutTolerance;
    return near ? QString()
                : QStringLiteral("at (%1,%2 %3x%4)")
                      .arg(actual.x())
                      .arg(actual.y())
                      .arg(actual.width())
                      .arg(actual.height());
}

// Whether the window's margin shows a mark just outside the picture's left or bottom edge.
bool marginShowsFocus(const QImage &shot, QRect picture)
{
    constexpr int reach = 4;
    return !boundsOf(shot, windowBlue,
                     {picture.left() - reach, picture.top(), reach, picture.height() + reach},
                     false)
                .isNull()
           || !boundsOf(
                   shot, windowBlue,
                   {picture.left() - reach, picture.bottom() + 1, picture.width() + reach, reach},
                   false)
                   .isNull();
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_program.reset(); }

    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void pictureIsExactAtEveryRatio_data();
    void pictureIsExactAtEveryRatio();
    void pictureSurvivesUnmapping();
    void endsWithStatusZero_data();
    void endsWithStatusZero();
    void focusLeavesThePictureAlone_data();
    void focusLeavesThePictureAlone();

private:
    // Starts a program at `scaleFactor` (none when empty) with the display's font resolution
    // `dpi`, and waits for its start-up frame; the screenshot, not ready on failure.
    Screenshot start(const QString &scaleFactor, int dpi = standardDpi);

    std::unique_ptr<e2e::Desktop> m_desktop;
    int m_dpi = standardDpi;
    std::unique_ptr<RunningProgram> m_program;
    // What the running program was started for, while later rows go on with it.
    QString m_configuration;
    QImage m_lastPicture;
};

void TestWindow::initTestCase()
{
    m_desktop = std::make_unique<e2e::Desktop>(QSize(2048, 1536), QStringList{"xrdb"});
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
    if (dpi != m_dpi) {
        if (!m_desktop->run("xrdb", {"-merge"}, QStringLiteral("Xft.dpi: %1\n").arg(dpi).toLatin1())
                 .succeeded())
            return {};
        m_dpi = dpi;
    }
    const qreal ratio = scaleFactor.isEmpty() ? qreal(dpi) / standardDpi
                                              : testsupport::storedRatio(scaleFactor.toDouble());
    m_program = m_desktop->start(scaleFactor, ratio);
    if (!m_program->hasWindow())
        return {};
    return m_program->screenshotWhen([ratio](const QImage &image) {
        return shows(image, testsupport::startupAxisColour, deviceRect(logicalPictureRect, ratio));
    });
}

void TestWindow::layoutFollowsTheDesign_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("standard density") << 1;
    QTest::newRow("double density") << 2;
}

void TestWindow::layoutFollowsTheDesign()
{
    QFETCH(int, scale);
    const Screenshot shot = start(QString::number(scale));
    QVERIFY2(shot.ready, qPrintable(m_program ? m_program->failure() : QString()));
    const QImage &image = shot.image;

    // The whole window is drawn at the density: client area and every control twice the size.
    QCOMPARE(image.size(), clientSize * scale);
    for (const QPoint corner : {image.rect().topLeft(), image.rect().topRight(),
                                image.rect().bottomLeft(), image.rect().bottomRight()})
        QCOMPARE(image.pixel(corner), windowBlue);
    const QString picture =
        edgesFault(boundsOf(image, testsupport::pictureBackground, image.rect()),
                   scaled(logicalPictureRect, scale));
    QVERIFY2(picture.isEmpty(), qPrintable("picture " + picture));

    // The title keeps its place and height and grows to the right, as far as needed for its
    // text but short of the option buttons.
    const QRect title = boundsOf(image, labelYellow, image.rect());
    const QRect designedTitle = scaled(labelRect, scale);
    QVERIFY2(std::abs(title.left() - designedTitle.left()) <= layoutTolerance
                 && std::abs(title.top() - designedTitle.top()) <= layoutTolerance
                 && std::abs(title.height() - designedTitle.height()) <= layoutTolerance
                 && title.width() >= designedTitle.width() - layoutTolerance
                 && title.right() < optionsRect.left() * scale,
             qPrintable(edgesFault(title, {})));

    // The five option buttons make one green block; each one's round indicator sits in the
    // middle of its own 24-pixel band, so the indicators show where the buttons are.
    const QRect options = boundsOf(image, optionGreen, image.rect());
    QVERIFY2(edgesFault(options, scaled(optionsRect, scale)).isEmpty(),
             qPrintable("options " + edgesFault(options, scaled(optionsRect, scale))));
    QList<int> middles;
    int runStart = -1;
    for (int y = options.top(); y <= options.bottom() + 1; ++y) {
        const bool marked =
            y <= options.bottom()
            && !boundsOf(image, optionGreen, {options.left(), y, 12 * scale, 1}, false).isNull();
        if (marked && runStart < 0)
            runStart = y;
        if (!marked && runStart >= 0) {
            middles << (runStart + y) / 2;
            runStart = -1;
        }
    }
    QCOMPARE(middles.size(), 5);
    for (int k = 0; k < 5; ++k) {
        const int designedMiddle = scaled({448, 80 + 24 * k, 145, 25}, scale).center().y();
        QVERIFY2(
            std::abs(middles[k] - designedMiddle) <= layoutTolerance,
            qPrintable(QStringLiteral("option %1's indicator at row %2").arg(k).arg(middles[k])));
    }

    // The push buttons are drawn in the platform's style: no blue inside them, blue right
    // around them.
    const QRect buttons = scaled(graphButtonRect | endButtonRect, scale);
    const QRect drawn = boundsOf(
        image, windowBlue, buttons.adjusted(-8 * scale, -4 * scale, 8 * scale, 8 * scale), false);
    QVERIFY2(edgesFault(drawn, buttons).isEmpty(),
             qPrintable("buttons " + edgesFault(drawn, buttons)));
    for (const QRect button : {graphButtonRect, endButtonRect}) {
        const QRect inside =
            scaled(button, scale)
                .adjusted(layoutTolerance, layoutTolerance, -layoutTolerance, -layoutTolerance);
        QVERIFY2(!shows(image, windowBlue, inside), qPrintable(edgesFault(inside, {})));
    }
}

void TestWindow::pictureIsExactAtEveryRatio_data()
{
    QTest::addColumn<QString>("scaleFactor"); // empty: none set
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("function"); // 0: the start-up frame

    const auto addRows = [](const QString &configuration, const QString &scaleFactor, int dpi) {
        QTest::addRow("%s, start-up", qPrintable(configuration)) << scaleFactor << dpi << 0;
        for (int function = 1; function <= 5; ++function) {
            QTest::addRow("%s, %s", qPrintable(configuration), functionNames[function - 1])
                << scaleFactor << dpi << function;
        }
    };
    for (const char *factor : {"1", "1.1", "1.2", "1.25", "1.33", "1.5", "1.75", "2", "2.5", "3"})
        addRows(QStringLiteral("scale %1").arg(QLatin1String(factor)), QLatin1String(factor),
                standardDpi);
    for (const int dpi : {120, 144})
        addRows(QStringLiteral("Xft.dpi %1").arg(dpi), {}, dpi);
}

void TestWindow::pictureIsExactAtEveryRatio()
{
    QFETCH(QString, scaleFactor);
    QFETCH(int, dpi);
    QFETCH(int, function);
    const qreal ratio = scaleFactor.isEmpty() ? qreal(dpi) / standardDpi
                                              : testsupport::storedRatio(scaleFactor.toDouble());
    const QRect area = deviceRect(logicalPictureRect, ratio);

    // One program per density: its start-up frame, then each function graphed in turn.
    const QString configuration = QStringLiteral("%1 at %2 dpi").arg(scaleFactor).arg(dpi);
    Screenshot shot;
    if (function == 0 || !m_program || m_configuration != configuration) {
        shot = start(scaleFactor, dpi);
        QVERIFY2(m_program && m_program->hasWindow(),
                 qPrintable(m_program ? m_program->failure() : QStringLiteral("xrdb failed")));
        m_configuration = configuration;
    }
    if (function > 0) {
        QVERIFY(m_program->graph(function));
        const QImage previous = m_lastPicture;
        shot = m_program->screenshotWhen([&](const QImage &image) {
            const QImage picture = image.copy(area);
            return shows(picture, testsupport::curveColour, picture.rect())
                   && !shows(picture, testsupport::startupAxisColour, picture.rect())
                   && picture != previous;
        });
    }
    QVERIFY2(shot.ready, "the picture never showed the start-up frame or the chosen graph");
    m_lastPicture = shot.image.copy(area);

    // The window's size says the toolkit took the ratio the expected picture is worked out for.
    QCOMPARE(shot.image.size(),
             QSize(qRound(clientSize.width() * ratio), qRound(clientSize.height() * ratio)));
    const QStringList faults = testsupport::pictureFaults(m_lastPicture, ratio, function);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

void TestWindow::pictureSurvivesUnmapping()
{
    QVERIFY(start({}).ready);
    QVERIFY(m_program->graph(3));
    const Screenshot before = m_program->screenshotWhen([](const QImage &image) {
        return shows(image, testsupport::curveColour, logicalPictureRect);
    });
    QVERIFY(before.ready);
    const QImage picture = before.image.copy(logicalPictureRect);

    QVERIFY(m_program->unmapWindow());
    QVERIFY(m_program->mapWindow());
    const Screenshot after = m_program->screenshotWhen(
        [&picture](const QImage &image) { return image.copy(logicalPictureRect) == picture; });
    QVERIFY2(after.ready, "the picture came back different after the window was mapped again");
}

void TestWindow::endsWithStatusZero_data()
{
    QTest::addColumn<bool>("byWindowManager");
    QTest::newRow("End button") << false;
    QTest::newRow("close request of the window manager") << true;
}

void TestWindow::endsWithStatusZero()
{
    QFETCH(bool, byWindowManager);
    QVERIFY(start({}).ready);
    QVERIFY(byWindowManager ? m_program->requestClose() : m_program->click(e2e::endClickPoint));
    QVERIFY2(m_program->endsWithStatusZero(10000), qPrintable(m_program->exitDescription()));
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
    Screenshot shot = start(scaleFactor);
    QVERIFY(shot.ready);
    const QRect area = deviceRect(logicalPictureRect, m_program->ratio());
    QVERIFY(m_program->click(restingPoint));
    shot = m_program->screenshotWhen([](const QImage &) { return true; });
    const QImage picture = shot.image.copy(area);
    QVERIFY(!marginShowsFocus(shot.image, area));

    // The tab order runs from the first option button to Graph, the picture and End.
    for (const QString focus : {"Graph", "the picture", "End"}) {
        const QImage before = shot.image;
        QVERIFY(m_program->pressKeys(QStringLiteral("Tab")));
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

QTEST_GUILESS_MAIN(TestWindow)
#include "tst_window.moc"
