#include "commandline.h"
#include "designdata.h"
#include "picturefile.h"
#include "pixelgrid.h"
#include "rasterplotsurface.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// The program runs as a separate process, as a user would start it, with no display in its
// environment: every test here passes without one.

namespace {

const QString program = QStringLiteral(FUNCTION_GRAPH_PATH);
const QByteArray oldContent = "an older picture";

// What is in the output folder before the program runs.
enum class Setup {
    Nothing,
    ExistingOutput,    // out.png holds other bytes
    FullDevice,        // out.png is a link to /dev/full, a device whose every write fails for room
    RegularFile,       // a file named file.txt, to put a path under
    ReadOnlyWithOutput // a folder "locked" the program's user may not write in, holding out.png
};

struct Run {
    bool finished = false;
    int status = -1;
    QByteArray output;
    QByteArray errors;
};

// A display number no X server serves on this machine.
QString unservedDisplay()
{
    for (int number = 99;; ++number) {
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
            && !QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return QStringLiteral(":%1").arg(number);
    }
}

// Runs the program in `folder` with no display, or on `display` when one is named. As root, a
// run that must not be allowed to write runs as the unprivileged user, for whom permissions hold.
Run runProgram(QStringList arguments, const QString &folder, const QString &display = {},
               bool unprivileged = false)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    QString command = program;
    if (unprivileged && ::geteuid() == 0) {
        arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"), program}
                    + arguments;
        command = QStringLiteral("setpriv");
    }
    process.start(command, arguments);
    Run run;
    run.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished)
        process.kill();
    run.status = process.exitCode();
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

// Every file and link under `folder`, relative to it, sorted.
QStringList filesIn(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void prepare(const QString &folder, Setup setup)
{
    const QString out = folder + QStringLiteral("/out.png");
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    };
    switch (setup) {
    case Setup::Nothing: break;
    case Setup::ExistingOutput: write(out, oldContent); break;
    case Setup::FullDevice: QVERIFY(QFile::link(QStringLiteral("/dev/full"), out)); break;
    case Setup::RegularFile: write(folder + QStringLiteral("/file.txt"), oldContent); break;
    case Setup::ReadOnlyWithOutput: {
        const QString locked = folder + QStringLiteral("/locked");
        QVERIFY(QDir(folder).mkdir(QStringLiteral("locked")));
        write(locked + QStringLiteral("/out.png"), oldContent);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(locked).constData(), 0555), 0);
        break;
    }
    }
}

QImage expectedPicture(const graphing::PictureContent &content, qreal ratio)
{
    const auto &design = app::graphWindowDesign.picture;
    plot::RasterPlotSurface surface(
        plot::PixelGrid::forWidget(design.geometry.topLeft(), design.geometry.size(), ratio),
        QColor::fromRgb(*design.background), QColor::fromRgb(app::pictureForeground));
    surface.begin();
    graphing::drawPicture(surface, content);
    surface.end();
    QImage image = surface.image();
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void invocations_data();
    void invocations();
    void pngIsTheWindowsPicture_data();
    void pngIsTheWindowsPicture();
};

void TestCommandLine::invocations_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("display"); // "none", or "unserved": a display nobody serves
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("errorWords"); // in the one line on the standard error
    QTest::addColumn<QStringList>("outputWords");
    QTest::addColumn<QStringList>("filesAfter");

    const QString none = QStringLiteral("none");
    const QStringList noWords;
    const QStringList noFiles;
    const QStringList out{QStringLiteral("out.png")};
    const auto args = [](const char *line) { return QString::fromLatin1(line).split(' '); };

    // clang-format off
    QTest::newRow("png") << args("--function 3 --output out.png") << Setup::Nothing << none << 0 << noWords << noWords << out;
    QTest::newRow("svg") << args("--function 1 --output out.svg") << Setup::Nothing << none << 0 << noWords << noWords << QStringList{"out.svg"};
    QTest::newRow("pdf in capitals") << args("--function 5 --output OUT.PDF") << Setup::Nothing << none << 0 << noWords << noWords << QStringList{"OUT.PDF"};
    QTest::newRow("start-up frame, options with =") << args("--function=0 --output=out.png --scale=2") << Setup::Nothing << none << 0 << noWords << noWords << out;
    QTest::newRow("existing file replaced") << args("--function 2 --output out.png") << Setup::ExistingOutput << none << 0 << noWords << noWords << out;
    QTest::newRow("--help") << args("--help") << Setup::Nothing << none << 0 << noWords << QStringList{"Usage:", "--function", "--output", "--scale"} << noFiles;
    QTest::newRow("-v") << args("-v") << Setup::Nothing << none << 0 << noWords << QStringList{"function-graph 1.00\n"} << noFiles;
    QTest::newRow("--version") << args("--version") << Setup::Nothing << none << 0 << noWords << QStringList{"function-graph 1.00\n"} << noFiles;

    QTest::newRow("full disk") << args("--function 3 --output out.png") << Setup::FullDevice << none << 1 << QStringList{"out.png", "no space left"} << noWords << out;
    QTest::newRow("missing folder") << args("--function 3 --output missing/out.png") << Setup::Nothing << none << 1 << QStringList{"missing", "does not exist"} << noWords << noFiles;
    QTest::newRow("path under a file") << args("--function 3 --output file.txt/out.png") << Setup::RegularFile << none << 1 << QStringList{"file.txt", "not a folder"} << noWords << QStringList{"file.txt"};
    QTest::newRow("folder not writable, file kept") << args("--function 3 --output locked/out.png") << Setup::ReadOnlyWithOutput << none << 1 << QStringList{"locked", "may not write"} << noWords << QStringList{"locked/out.png"};
    QTest::newRow("unknown extension") << args("--function 3 --output out.txt") << Setup::Nothing << none << 2 << QStringList{"out.txt", ".png", ".svg", ".pdf"} << noWords << noFiles;
    QTest::newRow("no extension") << args("--function 3 --output out") << Setup::Nothing << none << 2 << QStringList{"'out'", ".png"} << noWords << noFiles;
    QTest::newRow("function 6") << args("--function 6 --output out.png") << Setup::ExistingOutput << none << 2 << QStringList{"--function", "'6'", "0 to 5"} << noWords << out;
    QTest::newRow("function x") << args("--function x --output out.png") << Setup::Nothing << none << 2 << QStringList{"--function", "'x'"} << noWords << noFiles;
    QTest::newRow("scale 0.4") << args("--function 3 --output out.png --scale 0.4") << Setup::ExistingOutput << none << 2 << QStringList{"--scale", "'0.4'", "0.5 to 8"} << noWords << out;
    QTest::newRow("scale 9") << args("--function 3 --output out.png --scale 9") << Setup::Nothing << none << 2 << QStringList{"--scale", "'9'"} << noWords << noFiles;
    QTest::newRow("scale nan") << args("--function 3 --output out.png --scale nan") << Setup::Nothing << none << 2 << QStringList{"--scale", "'nan'"} << noWords << noFiles;
    QTest::newRow("scale inf") << args("--function 3 --output out.png --scale inf") << Setup::Nothing << none << 2 << QStringList{"--scale", "'inf'"} << noWords << noFiles;
    QTest::newRow("scale with svg") << args("--function 3 --output out.svg --scale 2") << Setup::Nothing << none << 2 << QStringList{"--scale", "PNG", "out.svg"} << noWords << noFiles;
    QTest::newRow("--function alone") << args("--function 3") << Setup::Nothing << none << 2 << QStringList{"--function", "--output"} << noWords << noFiles;
    QTest::newRow("--output alone") << args("--output out.png") << Setup::Nothing << none << 2 << QStringList{"--output", "--function"} << noWords << noFiles;
    QTest::newRow("unknown option") << args("--function 3 --output out.png --colour red") << Setup::Nothing << none << 2 << QStringList{"unknown option", "colour"} << noWords << noFiles;
    QTest::newRow("stray argument") << args("--function 3 --output out.png extra") << Setup::Nothing << none << 2 << QStringList{"'extra'"} << noWords << noFiles;
    QTest::newRow("no display, no output") << QStringList{} << Setup::Nothing << none << 1 << QStringList{"no display", "--output"} << noWords << noFiles;
    QTest::newRow("unserved display, no output") << args("-geometry +10+10") << Setup::Nothing << QStringLiteral("unserved") << 1 << QStringList{"no display", "--output"} << noWords << noFiles;
    // clang-format on
}

void TestCommandLine::invocations()
{
    QFETCH(QStringList, arguments);
    QFETCH(Setup, setup);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QStringList, errorWords);
    QFETCH(QStringList, outputWords);
    QFETCH(QStringList, filesAfter);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // A locked folder is opened again, so that the temporary folder can go whoever runs this.
    const auto unlock = qScopeGuard([&folder] {
        ::chmod(QFile::encodeName(folder.filePath(QStringLiteral("locked"))).constData(), 0755);
    });
    prepare(folder.path(), setup);
    if (QTest::currentTestFailed())
        return;
    const QStringList filesBefore = filesIn(folder.path());
    if (setup == Setup::ReadOnlyWithOutput && ::geteuid() == 0) {
        // The unprivileged user must reach the program and the folder, wherever they were put.
        const QString locked = folder.filePath(QStringLiteral("locked"));
        const int reachable = QProcess::execute(
            QStringLiteral("setpriv"),
            {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
             QStringLiteral("--clear-groups"), QStringLiteral("sh"), QStringLiteral("-c"),
             QStringLiteral("test -x \"$0\" && test -x \"$1\""), program, locked});
        if (reachable != 0)
            QSKIP("the unprivileged user cannot reach the program or a temporary folder here");
    }

    const Run run = runProgram(arguments, folder.path(),
                               display == QLatin1String("unserved") ? unservedDisplay() : QString(),
                               setup == Setup::ReadOnlyWithOutput);
    QVERIFY2(run.finished, "the program crashed or hung");
    QVERIFY2(run.status == status, run.errors.constData());

    if (errorWords.isEmpty()) {
        QVERIFY2(run.errors.isEmpty(), run.errors.constData());
    } else {
        QVERIFY2(run.errors.startsWith("function-graph: ") && run.errors.count('\n') == 1
                     && run.errors.endsWith('\n'),
                 run.errors.constData());
        for (const QString &word : errorWords)
            QVERIFY2(QString::fromLocal8Bit(run.errors).contains(word, Qt::CaseInsensitive),
                     qPrintable(word + QStringLiteral(" not in: ") + run.errors));
    }
    for (const QString &word : outputWords)
        QVERIFY2(QString::fromLocal8Bit(run.output).contains(word), qPrintable(word));

    // No half-written or temporary file is left, whatever happened.
    QCOMPARE(filesIn(folder.path()), filesAfter);
    if (status != 0) {
        // What was there before is there as it was.
        QCOMPARE(filesIn(folder.path()), filesBefore);
        for (const QString &file : filesBefore) {
            const QString path = folder.filePath(file);
            if (!QFileInfo(path).isSymLink())
                QCOMPARE(contentOf(path), oldContent);
        }
        // The link still leads to the device, which no file has taken the place of.
        if (setup == Setup::FullDevice)
            QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
        return;
    }
    // A picture written is complete: it reads back whole, at the picture's size.
    for (const QString &file : filesAfter) {
        const QByteArray written = contentOf(folder.filePath(file));
        QVERIFY(written != oldContent);
        if (file.endsWith(QLatin1String(".png"))) {
            const QImage image = QImage::fromData(written, "PNG");
            QVERIFY(!image.isNull());
            QVERIFY(image.width() >= 441 && image.height() >= 385);
        } else if (file.endsWith(QLatin1String(".svg"))) {
            QVERIFY(written.trimmed().endsWith("</svg>"));
        } else {
            QVERIFY(written.startsWith("%PDF-") && written.trimmed().endsWith("%%EOF"));
        }
    }
}

void TestCommandLine::pngIsTheWindowsPicture_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QSize>("size");

    QTest::newRow("function 3 at 1") << 3 << QStringLiteral("1") << QSize(441, 385);
    QTest::newRow("function 3 at 1.25") << 3 << QStringLiteral("1.25") << QSize(551, 481);
    QTest::newRow("function 3 at 2") << 3 << QStringLiteral("2") << QSize(882, 770);
    // 1.1 is kept as a window keeps it, 72089/65536: rounded up, the picture is a row taller.
    QTest::newRow("start-up frame at 1.1") << 0 << QStringLiteral("1.1") << QSize(485, 423);
    QTest::newRow("function 1 at 0.5") << 1 << QStringLiteral("0.5") << QSize(221, 193);
    // The picture's place in the window counts: 441 pixels from column 8 cover 574 device
    // columns at this ratio, from column 0 they would cover 573.
    QTest::newRow("function 4 at 1.3") << 4 << QStringLiteral("1.3") << QSize(574, 500);
}

void TestCommandLine::pngIsTheWindowsPicture()
{
    QFETCH(int, function);
    QFETCH(QString, scale);
    QFETCH(QSize, size);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const Run run = runProgram({QStringLiteral("--function"), QString::number(function),
                                QStringLiteral("--output"), QStringLiteral("out.png"),
                                QStringLiteral("--scale"), scale},
                               folder.path());
    QVERIFY2(run.finished && run.status == 0, run.errors.constData());
    QImage written(folder.filePath(QStringLiteral("out.png")), "PNG");
    QCOMPARE(written.size(), size);

    const graphing::PictureContent content =
        function == 0 ? graphing::PictureContent{} : graphing::PictureContent{function};
    const qreal ratio = app::storedRatio(scale.toDouble());
    const QImage rendered = app::pictureRenderer().image(content, ratio);
    QCOMPARE(rendered.devicePixelRatio(), ratio);
    // A PNG keeps no pixel ratio; the pixels are what counts.
    written.setDevicePixelRatio(ratio);
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
             rendered.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), expectedPicture(content, ratio));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
