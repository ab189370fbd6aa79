#include "picturefile.h"
#include "picturerenderer.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// The picture as vectors (SVG, PDF, a printed page), judged as a user sees it: rasterised by the
// usual tools at the picture's size, it marks the pixels the window's picture marks.

namespace {

enum class Mark { None, Frame, Curve };

const QRgb background = qRgb(128, 255, 255);

// What a pixel shows over the picture's background: no mark, the frame (black or the start-up
// magenta) or the red curve. A smoothed edge counts when the ink covers over a third of it; every
// ink has no green, so the green that is left tells the coverage, and the ink's own red and blue
// follow from it.
Mark markOf(QRgb pixel)
{
    const double coverage = 1 - qGreen(pixel) / 255.0;
    if (coverage < 0.35)
        return Mark::None;
    const double red = (qRed(pixel) - (1 - coverage) * qRed(background)) / coverage;
    const double blue = (qBlue(pixel) - (1 - coverage) * qBlue(background)) / coverage;
    return red > 190 && blue < 64 ? Mark::Curve : Mark::Frame;
}

// The marks of `image` that have no mark of the same kind within one pixel in `other`. Where the
// curve runs along a tick, the raster's curve covers the tick whole while the smoothed vector's
// tick shows a fraction of a pixel beside it: with `frameMayMeetCurve`, a frame mark is matched by
// a curve mark too.
QList<QPoint> unmatchedMarks(const QImage &image, const QImage &other, bool frameMayMeetCurve)
{
    QList<QPoint> unmatched;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Mark mark = markOf(image.pixel(x, y));
            if (mark == Mark::None)
                continue;
            bool matched = false;
            for (int dy = -1; dy <= 1 && !matched; ++dy) {
                for (int dx = -1; dx <= 1 && !matched; ++dx) {
                    const QPoint near(x + dx, y + dy);
                    if (!other.rect().contains(near))
                        continue;
                    const Mark found = markOf(other.pixel(near));
                    matched = found == mark
                              || (frameMayMeetCurve && mark == Mark::Frame && found != Mark::None);
                }
            }
            if (!matched)
                unmatched << QPoint(x, y);
        }
    }
    return unmatched;
}

QByteArray runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        process.kill();
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page of a PDF as pixels at `dpi`.
QImage rasterisedPdf(const QString &pdf, int dpi)
{
    const QString base = pdf + QStringLiteral("-page");
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The content streams of a PDF, inflated: the drawing operators as the file holds them.
QByteArray pdfContent(const QByteArray &pdf)
{
    QByteArray content;
    static const QRegularExpression stream(QStringLiteral("/FlateDecode\\s*>>\\s*stream\\r?\\n"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = stream.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const qsizetype start = match.capturedEnd();
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        // qUncompress wants the inflated size first; a guess is enough, it grows as needed.
        QByteArray deflated(4, '\0');
        const quint32 guess = quint32(end - start) * 4;
        for (int i = 0; i < 4; ++i)
            deflated[i] = char((guess >> (24 - 8 * i)) & 0xff);
        deflated += pdf.mid(start, end - start);
        content += qUncompress(deflated);
    }
    return content;
}

graphing::PictureContent contentFor(int function)
{
    return function == 0 ? graphing::PictureContent{} : graphing::PictureContent{function};
}

} // namespace

class TestPictureOutput : public QObject {
    Q_OBJECT

private slots:
    void vectorsMarkTheRastersPixels_data();
    void vectorsMarkTheRastersPixels();
    void svgIsSmallAndInPictureUnits_data();
    void svgIsSmallAndInPictureUnits();
    void pdfPageIsThePicturesSize();
    void printedPageHoldsVectors_data();
    void printedPageHoldsVectors();

private:
    QTemporaryDir m_folder;
};

void TestPictureOutput::vectorsMarkTheRastersPixels_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("function");

    for (const char *format : {"svg", "pdf"}) {
        QTest::addRow("%s, start-up frame", format) << QString::fromLatin1(format) << 0;
        for (int function = 1; function <= 5; ++function)
            QTest::addRow("%s, function %d", format, function)
                << QString::fromLatin1(format) << function;
    }
}

void TestPictureOutput::vectorsMarkTheRastersPixels()
{
    QFETCH(QString, format);
    QFETCH(int, function);
    const graphing::PictureContent content = contentFor(function);
    const plot::PictureRenderer &renderer = app::pictureRenderer();

    const QString path = m_folder.filePath(QStringLiteral("f%1.%2").arg(function).arg(format));
    QImage vector;
    if (format == QLatin1String("svg")) {
        QVERIFY(writeFile(path, renderer.svg(content)));
        const QString png = path + QStringLiteral(".png");
        runTool(QStringLiteral("rsvg-convert"),
                {QStringLiteral("-w"), QStringLiteral("441"), QStringLiteral("-h"),
                 QStringLiteral("385"), QStringLiteral("-o"), png, path});
        vector = QImage(png).convertToFormat(QImage::Format_RGB32);
    } else {
        QVERIFY(writeFile(path, renderer.pdf(content)));
        vector = rasterisedPdf(path, 72);
    }
    const QImage raster = renderer.image(content, 1);
    QCOMPARE(vector.size(), QSize(441, 385));
    QCOMPARE(raster.size(), QSize(441, 385));

    const QList<QPoint> missing = unmatchedMarks(raster, vector, false);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("%1 marks missing, first at %2,%3")
                                               .arg(missing.size())
                                               .arg(missing.value(0).x())
                                               .arg(missing.value(0).y())));
    const QList<QPoint> extra = unmatchedMarks(vector, raster, true);
    QVERIFY2(extra.isEmpty(), qPrintable(QStringLiteral("%1 marks too many, first at %2,%3")
                                             .arg(extra.size())
                                             .arg(extra.value(0).x())
                                             .arg(extra.value(0).y())));

    // Exact colours: the axes lie on pixel centres, so their pixels are solid ink; the
    // background is the window's.
    const QRgb xAxis = function == 0 ? qRgb(128, 0, 128) : qRgb(0, 0, 0);
    QCOMPARE(vector.pixel(100, 192), xAxis);
    QCOMPARE(vector.pixel(220, 100), qRgb(0, 0, 0));
    // The picture fills the page: a pixel on each edge, where no mark passes, is the picture's
    // background, not a strip of the page.
    for (const QPoint edge : {QPoint(110, 0), QPoint(110, 384), QPoint(0, 100), QPoint(440, 100)})
        QCOMPARE(vector.pixel(edge), background);
}

void TestPictureOutput::svgIsSmallAndInPictureUnits_data()
{
    QTest::addColumn<int>("function");
    QTest::newRow("start-up frame") << 0;
    for (int function = 1; function <= 5; ++function)
        QTest::addRow("function %d", function) << function;
}

void TestPictureOutput::svgIsSmallAndInPictureUnits()
{
    QFETCH(int, function);
    const QByteArray svg = app::pictureRenderer().svg(contentFor(function));
    QVERIFY(!svg.isEmpty());
    QVERIFY2(svg.size() <= qsizetype(64) * 1024, QByteArray::number(svg.size()).constData());
    QVERIFY(svg.contains("viewBox=\"0 0 441 385\""));
    // One picture pixel is 0.2 mm, a size the generator writes exactly.
    QVERIFY(svg.contains("<svg width=\"88.2mm\" height=\"77mm\""));
    // The frame's 2 axes and up to 42 ticks, and the curve in a few polylines, not one per step.
    QVERIFY2(svg.count("<polyline") <= 48, QByteArray::number(svg.count("<polyline")).constData());
    // A real width, not a hairline that every viewer draws differently.
    QVERIFY(!svg.contains("non-scaling-stroke"));
    QVERIFY(svg.contains("stroke-width=\"1\""));
}

void TestPictureOutput::pdfPageIsThePicturesSize()
{
    const QString path = m_folder.filePath(QStringLiteral("page.pdf"));
    QVERIFY(writeFile(path, app::pictureRenderer().pdf(contentFor(3))));
    const QByteArray info = runTool(QStringLiteral("pdfinfo"), {path});
    const QString text = QString::fromLatin1(info).simplified();
    QVERIFY2(text.contains(QLatin1String("Pages: 1 ")), info.constData());
    QVERIFY2(text.contains(QLatin1String("Page size: 441 x 385 pts")), info.constData());
}

void TestPictureOutput::printedPageHoldsVectors_data()
{
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("portrait") << QPageLayout::Portrait;
    QTest::newRow("landscape") << QPageLayout::Landscape;
}

void TestPictureOutput::printedPageHoldsVectors()
{
    QFETCH(QPageLayout::Orientation, orientation);
    const QString path = m_folder.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    QVERIFY(app::pictureRenderer().paintPage(contentFor(3), printer));

    // Paths stroked in the page's own content, and no picture of pixels anywhere.
    const QByteArray content = pdfContent(readFile(path));
    QVERIFY(content.contains(" m\n") && content.contains(" l\n") && content.contains("\nS\n"));
    const QByteArray images = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    QVERIFY2(images.trimmed().count('\n') == 1, images.constData()); // the heading lines only

    // The picture is as large as the printable area allows, centred, and shows the curve.
    constexpr int dpi = 240;
    const QImage page = rasterisedPdf(path, dpi);
    QVERIFY(!page.isNull());
    QRect picture;
    bool hasCurve = false;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixel(x, y) == background)
                picture |= QRect(x, y, 1, 1);
            hasCurve = hasCurve || markOf(page.pixel(x, y)) == Mark::Curve;
        }
    }
    QVERIFY(hasCurve);
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
    QRectF expected(QPointF(0, 0), QSizeF(441, 385).scaled(area.size(), Qt::KeepAspectRatio));
    expected.moveCenter(area.center());
    const QRectF expectedPixels(expected.topLeft() * dpi / 72, expected.size() * dpi / 72);
    for (const auto &[found, wanted] : {std::pair{picture.left(), expectedPixels.left()},
                                        std::pair{picture.right() + 1, expectedPixels.right()},
                                        std::pair{picture.top(), expectedPixels.top()},
                                        std::pair{picture.bottom() + 1, expectedPixels.bottom()}}) {
        QVERIFY2(qAbs(found - wanted) <= 2,
                 qPrintable(QStringLiteral("%1 instead of %2").arg(found).arg(wanted)));
    }

    // A line is a picture pixel wide on paper too, not the printer's finest hairline.
    const double pixel = expectedPixels.width() / 441;
    const int column = picture.left() + qRound(100 * pixel);
    int axisRows = 0;
    for (int y = picture.top(); y <= picture.bottom(); ++y)
        axisRows += markOf(page.pixel(column, y)) == Mark::Frame ? 1 : 0;
    QVERIFY2(qAbs(axisRows - pixel) <= 1,
             qPrintable(QStringLiteral("%1 rows instead of %2").arg(axisRows).arg(pixel)));
}

QTEST_MAIN(TestPictureOutput)
#include "tst_pictureoutput.moc"
