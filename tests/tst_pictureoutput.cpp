#include "expectedpicture.h"
#include "picturecheck.h"
#include "picturefile.h"
#include "picturerenderer.h"

#include "process.h"
#include <QPageLayout>
#include <QPageSize>

#include <QTemporaryDir>
#include <QtTest>

// The picture as a document, held to what the document itself states: its size in its own units,
// few lines of a real width, one page that the picture fills; and rasterised by the usual tools at
// the picture's size, the marks of the picture. (Every function, through the command line, is in
// tests/e2e; the printed page in tst_picturemenu.)

class TestPictureOutput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void documentIsThePicture_data();
    void documentIsThePicture();
    void pageKeepsItsSizesAtAnyResolution_data();
    void pageKeepsItsSizesAtAnyResolution();

private:
    QTemporaryDir m_folder;
    QString m_pdfinfo;
};

void TestPictureOutput::initTestCase()
{
    QVERIFY(m_folder.isValid());
    testsupport::ToolFinder tools;
    tools.find(QStringLiteral("rsvg-convert"));
    tools.find(QStringLiteral("pdftoppm"));
    m_pdfinfo = tools.find(QStringLiteral("pdfinfo"));
    QVERIFY2(tools.missingTools().isEmpty(), qPrintable(tools.missingTools()));
}

void TestPictureOutput::documentIsThePicture_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("function");

    for (const char *format : {"svg", "pdf"}) {
        QTest::addRow("%s, start-up frame", format) << QString::fromLatin1(format) << 0;
        QTest::addRow("%s, function 3", format) << QString::fromLatin1(format) << 3;
    }
}

void TestPictureOutput::documentIsThePicture()
{
    QFETCH(QString, format);
    QFETCH(int, function);
    const graphing::PictureContent content =
        function == 0 ? graphing::PictureContent{} : graphing::PictureContent{function};
    const bool svg = format == QLatin1String("svg");
    const QByteArray document =
        svg ? app::pictureRenderer().svg(content) : app::pictureRenderer().pdf(content);
    const QString path = m_folder.filePath(QStringLiteral("f%1.%2").arg(function).arg(format));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
    file.close();

    if (svg) {
        // The picture's pixels are the user units, one of them 0.2 mm, a size the generator
        // writes exactly.
        QVERIFY(document.contains("<svg width=\"88.2mm\" height=\"77mm\""));
        QVERIFY(document.contains("viewBox=\"0 0 441 385\""));
        QVERIFY2(document.size() <= qsizetype(64) * 1024,
                 QByteArray::number(document.size()).constData());
        // The frame's 2 axes and up to 42 ticks, and the curve in a few polylines, not one a step.
        QVERIFY2(document.count("<polyline") <= 48,
                 QByteArray::number(document.count("<polyline")).constData());
        // A real width, not a hairline that every viewer draws differently.
        QVERIFY(!document.contains("non-scaling-stroke"));
        QVERIFY(document.contains("stroke-width=\"1\""));
    } else {
        const testsupport::ToolResult info =
            testsupport::runTool(m_pdfinfo, {path}, QProcessEnvironment::systemEnvironment());
        const QString stated = QString::fromLatin1(info.output).simplified();
        QVERIFY2(stated.contains(QLatin1String("Pages: 1 "))
                     && stated.contains(QLatin1String("Page size: 441 x 385 pts")),
                 info.output.constData());
        // Vectors only: no picture of pixels on the page.
        QVERIFY(!document.contains("/Subtype /Image"));
    }
    // At 72 dpi a PDF's points are pixels.
    const QImage image = testsupport::rasterised(path, 72);
    QCOMPARE(testsupport::documentFaults(image, function).join('\n'), QString());

    // The axes lie on pixel centres, so their pixels are solid ink.
    QCOMPARE(image.pixel(100, 192),
             function == 0 ? testsupport::startupAxisColour : testsupport::foreground);
    QCOMPARE(image.pixel(220, 100), testsupport::foreground);
    // The picture fills the page: a pixel on each edge, where no mark passes, is the picture's
    // background, not a strip of the page.
    for (const QPoint edge : {QPoint(110, 0), QPoint(110, 384), QPoint(0, 100), QPoint(440, 100)})
        QCOMPARE(image.pixel(edge), testsupport::pictureBackground);
}

void TestPictureOutput::pageKeepsItsSizesAtAnyResolution_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<double>("unit"); // millimetres; 0: as large as the page allows

    QTest::newRow("square, 5 mm to the unit") << 150 << 150 << 5.0;
    QTest::newRow("twice as fine down, 5 mm to the unit") << 100 << 200 << 5.0;
    QTest::newRow("twice as fine across, 5 mm to the unit") << 200 << 100 << 5.0;
    QTest::newRow("twice as fine down, as large as the page allows") << 100 << 200 << 0.0;
}

// A printer of one resolution across and another down (Qt's PDF writer and printers state only
// one; a QImage has two): the picture and its caption keep their sizes on paper, the picture
// where the page puts it, the caption's letters as wide as on a square device.
void TestPictureOutput::pageKeepsItsSizesAtAnyResolution()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(double, unit);
    const std::optional<double> unitLength = unit > 0 ? std::optional(unit) : std::nullopt;
    const QPageLayout layout = app::printedPage(QPageSize(QPageSize::A4));
    const graphing::PictureContent content(3);
    const plot::PageOptions options{unitLength, app::pictureCaption(content)};
    // The page's printable area, the painter's origin at its corner, in millimetres on paper.
    const auto paint = [&](int across, int down) {
        const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size();
        QImage page(qRound(area.width() * across / 25.4), qRound(area.height() * down / 25.4),
                    QImage::Format_RGB32);
        page.setDotsPerMeterX(qRound(across / 0.0254));
        page.setDotsPerMeterY(qRound(down / 0.0254));
        page.fill(Qt::white);
        const bool painted = app::pictureRenderer().paintPage(content, page, layout, options);
        return painted ? page : QImage();
    };
    const auto millimetres = [](const QRect &pixels, int across, int down) {
        return QRectF(pixels.x() * 25.4 / across, pixels.y() * 25.4 / down,
                      pixels.width() * 25.4 / across, pixels.height() * 25.4 / down);
    };
    const QImage page = paint(dpiX, dpiY);
    const QImage square = paint(300, 300);
    QVERIFY(!page.isNull() && !square.isNull());
    // The picture: its frame is everything not white above the caption.
    const auto inked = [](const QImage &image, int fromRow = 0) {
        QRect ink;
        for (int y = fromRow; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    const auto curve = [](const QImage &image) {
        return testsupport::boundsOf(image, testsupport::curveColour);
    };
    const QRectF curveHere = millimetres(curve(page), dpiX, dpiY);
    const QRectF curveThere = millimetres(curve(square), 300, 300);
    const QRectF inkHere = millimetres(inked(page), dpiX, dpiY);
    const QRectF inkThere = millimetres(inked(square), 300, 300);
    const auto near = [](const QRectF &a, const QRectF &b) {
        // Within half a millimetre: a pixel of the coarser resolution and a little more.
        return qAbs(a.left() - b.left()) < 0.5 && qAbs(a.top() - b.top()) < 0.5
               && qAbs(a.right() - b.right()) < 0.5 && qAbs(a.bottom() - b.bottom()) < 0.5;
    };
    QVERIFY2(near(curveHere, curveThere), qPrintable(QDebug::toString(curveHere) + " instead of "
                                                     + QDebug::toString(curveThere)));
    QVERIFY2(near(inkHere, inkThere),
             qPrintable(QDebug::toString(inkHere) + " instead of " + QDebug::toString(inkThere)));
    // The caption's lines, the ink under the picture: letters as wide and as high on paper.
    const auto caption = [&](const QImage &image, int across, int down) {
        const QRect picture = testsupport::boundsOf(image, testsupport::pictureBackground);
        return millimetres(inked(image, picture.bottom() + down / 25), across, down);
    };
    const QRectF captionHere = caption(page, dpiX, dpiY);
    const QRectF captionThere = caption(square, 300, 300);
    QVERIFY2(captionThere.width() > 20 && near(captionHere, captionThere),
             qPrintable(QDebug::toString(captionHere) + " instead of "
                        + QDebug::toString(captionThere)));
    if (unitLength) {
        // 20 units across, a pixel's pen square more.
        QVERIFY2(qAbs(curveThere.width() - 20 * *unitLength) < 1,
                 qPrintable(QString::number(curveThere.width())));
    }
}

QTEST_MAIN(TestPictureOutput)
#include "tst_pictureoutput.moc"
