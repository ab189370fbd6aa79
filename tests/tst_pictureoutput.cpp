#include "expectedpicture.h"
#include "picturecheck.h"
#include "picturefile.h"
#include "picturerenderer.h"
#include "process.h"

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

private:
    QTemporaryDir m_folder;
    QString m_rsvgConvert;
    QString m_pdftoppm;
    QString m_pdfinfo;
};

void TestPictureOutput::initTestCase()
{
    QVERIFY(m_folder.isValid());
    testsupport::ToolFinder tools;
    m_rsvgConvert = tools.find(QStringLiteral("rsvg-convert"));
    m_pdftoppm = tools.find(QStringLiteral("pdftoppm"));
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

    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString png = path + QStringLiteral(".png");
    testsupport::ToolResult rasterised;
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
        rasterised =
            testsupport::runTool(m_rsvgConvert,
                                 {QStringLiteral("-w"), QStringLiteral("441"), QStringLiteral("-h"),
                                  QStringLiteral("385"), QStringLiteral("-o"), png, path},
                                 environment);
    } else {
        const testsupport::ToolResult info = testsupport::runTool(m_pdfinfo, {path}, environment);
        const QString stated = QString::fromLatin1(info.output).simplified();
        QVERIFY2(stated.contains(QLatin1String("Pages: 1 "))
                     && stated.contains(QLatin1String("Page size: 441 x 385 pts")),
                 info.output.constData());
        // Vectors only: no picture of pixels on the page.
        QVERIFY(!document.contains("/Subtype /Image"));
        rasterised = testsupport::runTool(m_pdftoppm,
                                          {QStringLiteral("-r"), QStringLiteral("72"),
                                           QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                           path, path},
                                          environment);
    }
    QVERIFY2(rasterised.succeeded(),
             qPrintable(rasterised.describe(QStringLiteral("rasterising"))));
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
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

QTEST_MAIN(TestPictureOutput)
#include "tst_pictureoutput.moc"
