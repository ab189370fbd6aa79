#include "commandline.h"
#include "expectedpicture.h"
#include "picturecheck.h"
#include "picturefile.h"
#include "process.h"

#include <QColor>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>

#include <unistd.h>

// The program runs as a separate process, as a user would start it from a shell, with no display
// in its environment: every test here passes without one.

namespace {

const QString program = QStringLiteral(FUNCTION_GRAPH_PATH);

// Runs `commands` with bash in `folder`, without a display, `function-graph` naming the program;
// as root and `unprivileged`, as the unprivileged user, for whom permissions hold. $UNSERVED is a
// display no X server serves on this machine.
testsupport::ToolResult runShell(const QString &commands, const QString &folder,
                                 bool unprivileged = false)
{
    QProcessEnvironment environment =
        testsupport::isolatedEnvironment(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    int number = 99;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
           || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    environment.insert(QStringLiteral("UNSERVED"), QStringLiteral(":%1").arg(number));
    const QString script =
        QStringLiteral("cd \"$1\" && function-graph() { '%1' \"$@\"; }; export -f function-graph; ")
            .arg(program);
    QStringList arguments{"bash", "-o", "pipefail", "-c", script + commands, "bash", folder};
    if (unprivileged && ::geteuid() == 0)
        arguments =
            QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} + arguments;
    const QString tool = arguments.takeFirst();
    return testsupport::runTool(tool, arguments, environment, 60000);
}

// Every file, folder and link under `folder` with what it holds: a file its bytes, a link where it
// leads, a folder nothing.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        QFile file(entry.filePath());
        entries[QDir(folder).relativeFilePath(entry.filePath())] =
            entry.isSymLink() ? QFile::encodeName(entry.symLinkTarget())
            : entry.isDir() || !file.open(QIODevice::ReadOnly) ? QByteArray()
                                                               : file.readAll();
    }
    return entries;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void invocations_data();
    void invocations();
    void styledPictures_data();
    void styledPictures();
    void numbersReadBack_data();
    void numbersReadBack();
    void manyPictures_data();
    void manyPictures();
    void curvesMatchTheExactCurve_data();
    void curvesMatchTheExactCurve();
};

void TestCommandLine::invocations_data()
{
    QTest::addColumn<QString>("setup");   // shell commands run first in the folder, as root
    QTest::addColumn<QString>("command"); // as typed in a shell
    // Run as the unprivileged user, so that root's rights neither hide the fault nor let a wrong
    // program replace a device by a file.
    QTest::addColumn<bool>("unprivileged");
    QTest::addColumn<int>("status");
    // In the one line on the standard error; with status 0, on the standard output.
    QTest::addColumn<QStringList>("told");
    // The file that holds the new picture, with its format ("png", "svg", "pdf", "wav"); "+png" is
    // a PNG appended to what the file held. Every other entry is left as it was.
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("format");

    const QStringList nothing;
    const QStringList usage{"Usage:",       "--function",    "--output",  "--scale",
                            "--background", "--line-width",  "--numbers", "--grid",
                            "--page",       "--unit-length", ".wav",      "13.3"};
    const QStringList version{"function-graph 1.00\n"};
    const QStringList noDisplay{"no display", "--output"};
    const QString old = QStringLiteral("printf 'an older picture' > out.png");
    const QString unprivileged = QStringLiteral("chmod 755 . && ");

    // clang-format off
    QTest::newRow("png") << "" << "function-graph --function 3 --output out.png" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("svg, named .Svg") << "" << "function-graph --function 1 --output out.Svg" << false << 0 << nothing << "out.Svg" << "svg";
    QTest::newRow("pdf, named .PDF") << "" << "function-graph --function 5 --output OUT.PDF" << false << 0 << nothing << "OUT.PDF" << "pdf";
    QTest::newRow("options with =, function 0, scale 0.5") << "" << "function-graph --function=0 --output=out.png --scale=0.5" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("function 5, scale 8") << "" << "function-graph --function 5 --output out.png --scale 8" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("existing file replaced") << old << "function-graph --function 2 --output out.png" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("link to /dev/stdout, a log appended to") << "ln -s /dev/stdout so.png && echo earlier > log.txt" << "function-graph --function 1 --output so.png >> log.txt" << false << 0 << nothing << "log.txt" << "+png";
    QTest::newRow("link to /dev/fd/1, a log appended to") << "ln -s /dev/fd/1 so.png && echo earlier > log.txt" << "function-graph --function 1 --output so.png >> log.txt" << false << 0 << nothing << "log.txt" << "+png";
    QTest::newRow("link to /proc/self/fd/1, a log appended to") << "ln -s /proc/self/fd/1 so.png && echo earlier > log.txt" << "function-graph --function 1 --output so.png >> log.txt" << false << 0 << nothing << "log.txt" << "+png";
    QTest::newRow("link to /dev/stdout, a pipe") << "ln -s /dev/stdout so.png" << "function-graph --function 1 --output so.png | cat > piped.png" << false << 0 << nothing << "piped.png" << "png";
    QTest::newRow("link to /proc/self/fd/1, a pipe") << "ln -s /proc/self/fd/1 so.png" << "function-graph --function 1 --output so.png | cat > piped.png" << false << 0 << nothing << "piped.png" << "png";
    QTest::newRow("wav, the curve as sound") << "" << "function-graph --function 4 --output curve.wav" << false << 0 << nothing << "curve.wav" << "wav";
    QTest::newRow("wav of the axes alone, file kept") << "printf old > c.wav" << "function-graph --function 0 --output c.wav" << false << 2 << QStringList{"no curve", "'c.wav'"} << "" << "";
    QTest::newRow("scale with wav") << "" << "function-graph --function 3 --output c.wav --scale 2" << false << 2 << QStringList{"--scale", "PNG", "c.wav"} << "" << "";
    QTest::newRow("--help") << "" << "function-graph --help" << false << 0 << usage << "" << "";
    QTest::newRow("-v") << "" << "function-graph -v" << false << 0 << version << "" << "";
    QTest::newRow("--version") << "" << "function-graph --version" << false << 0 << version << "" << "";

    QTest::newRow("full disk") << unprivileged + "ln -s /dev/full out.png" << "function-graph --function 3 --output out.png" << true << 1 << QStringList{"out.png", "no space left"} << "" << "";
    QTest::newRow("write cut short, old file kept") << old << "ulimit -f 1; trap '' XFSZ; function-graph --function 3 --output out.png" << false << 1 << QStringList{"out.png", "too large"} << "" << "";
    QTest::newRow("missing folder") << "" << "function-graph --function 3 --output missing/out.png" << false << 1 << QStringList{"missing", "does not exist"} << "" << "";
    QTest::newRow("path under a file") << "echo notes > file.txt" << "function-graph --function 3 --output file.txt/out.png" << false << 1 << QStringList{"file.txt is a file, not a folder"} << "" << "";
    QTest::newRow("a folder") << "mkdir out.png" << "function-graph --function 3 --output out.png" << false << 1 << QStringList{"out.png is a folder"} << "" << "";
    QTest::newRow("/proc, no missing folder") << "" << "function-graph --function 3 --output /proc/out.png" << false << 1 << QStringList{"in the folder /proc"} << "" << "";
    QTest::newRow("read-only file system") << "mkdir ro" << "unshare -m bash -c 'mount -t tmpfs -o ro tmpfs ro && function-graph --function 3 --output ro/out.png'" << false << 1 << QStringList{"ro is on a read-only file system"} << "" << "";
    QTest::newRow("folder not writable, file kept") << unprivileged + "mkdir locked && " + QString(old).replace("out.png", "locked/out.png") + " && chmod 555 locked" << "function-graph --function 3 --output locked/out.png" << true << 1 << QStringList{"may not make files in the folder", "locked"} << "" << "";
    QTest::newRow("read-only file in a writable folder") << unprivileged + "mkdir open && chmod 777 open && " + QString(old).replace("out.png", "open/out.png") + " && chmod 444 open/out.png" << "function-graph --function 3 --output open/out.png" << true << 1 << QStringList{"may not write to the file", "open/out.png"} << "" << "";
    QTest::newRow("a link into a missing folder") << "ln -s /nonexistent/dir/y.png y.png" << "function-graph --function 3 --output y.png" << false << 1 << QStringList{"folder /nonexistent/dir does not exist"} << "" << "";
    QTest::newRow("a link to a file: the file replaced") << "printf old > real.png && ln -s real.png link.png" << "function-graph --function 3 --output link.png" << false << 0 << nothing << "real.png" << "png";
    QTest::newRow("no runtime folder: text drawn") << "mkdir tmp" << "unset XDG_RUNTIME_DIR; TMPDIR=\"$PWD/tmp\" function-graph --function 3 --output out.png --numbers" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("no runtime folder: a mistake") << "mkdir tmp" << "unset XDG_RUNTIME_DIR; TMPDIR=\"$PWD/tmp\" function-graph --function 3 --output out.png --page A9" << false << 2 << QStringList{"--page", "'A9'"} << "" << "";
    QTest::newRow("folder without search permission") << unprivileged + "mkdir -p closed/sub && chmod 666 closed" << "function-graph --function 3 --output closed/sub/out.png" << true << 1 << QStringList{"may not open the folder", "closed"} << "" << "";

    QTest::newRow("unknown extension") << "" << "function-graph --function 3 --output out.txt" << false << 2 << QStringList{"out.txt", ".png", ".svg", ".pdf", ".wav"} << "" << "";
    QTest::newRow("no extension") << "" << "function-graph --function 3 --output out" << false << 2 << QStringList{"'out'", ".png"} << "" << "";
    QTest::newRow(".png.txt") << "" << "function-graph --function 3 --output out.png.txt" << false << 2 << QStringList{"'out.png.txt'", ".png"} << "" << "";
    QTest::newRow("a folder name with a dot") << "mkdir dir.png" << "function-graph --function 3 --output dir.png/out" << false << 2 << QStringList{"'dir.png/out'", ".png"} << "" << "";
    QTest::newRow("name not UTF-8") << "" << "function-graph --function 3 --output $'bad\\xff\\xfe.png'" << false << 2 << QStringList{"UTF-8"} << "" << "";
    QTest::newRow("Latin-1 name, Latin-1 locale") << "" << "{ export LC_ALL=en_US.ISO-8859-1; } 2>/dev/null; function-graph --function 3 --output $'caf\\xe9.png'" << false << 2 << QStringList{"UTF-8"} << "" << "";
    QTest::newRow("function 6, file kept") << old << "function-graph --function 6 --output out.png" << false << 2 << QStringList{"--function", "'6'", "0 to 5"} << "" << "";
    QTest::newRow("function -1") << "" << "function-graph --function -1 --output out.png" << false << 2 << QStringList{"--function", "'-1'"} << "" << "";
    QTest::newRow("function x") << "" << "function-graph --function x --output out.png" << false << 2 << QStringList{"--function", "'x'"} << "" << "";
    QTest::newRow("scale 0.49, file kept") << old << "function-graph --function 3 --output out.png --scale 0.49" << false << 2 << QStringList{"--scale", "'0.49'", "0.5 to 8"} << "" << "";
    QTest::newRow("scale 8.01") << "" << "function-graph --function 3 --output out.png --scale 8.01" << false << 2 << QStringList{"--scale", "'8.01'"} << "" << "";
    QTest::newRow("scale nan") << "" << "function-graph --function 3 --output out.png --scale nan" << false << 2 << QStringList{"--scale", "'nan'"} << "" << "";
    QTest::newRow("scale with svg") << "" << "function-graph --function 3 --output out.svg --scale 2" << false << 2 << QStringList{"--scale", "PNG", "out.svg"} << "" << "";
    QTest::newRow("list without {n}, file kept") << old << "function-graph --function 1-5 --output out.png" << false << 2 << QStringList{"'out.png'", "{n}"} << "" << "";
    QTest::newRow("{N}") << "" << "function-graph --function 1-2 --output 'f{N}.png'" << false << 2 << QStringList{"'f{N}.png'", "brace"} << "" << "";
    QTest::newRow("range downwards") << "" << "function-graph --function 5-1 --output 'f{n}.png'" << false << 2 << QStringList{"--function", "'5-1'"} << "" << "";
    QTest::newRow("range past 5") << "" << "function-graph --function 2-6 --output 'f{n}.png'" << false << 2 << QStringList{"--function", "'2-6'"} << "" << "";
    QTest::newRow("function named twice") << "" << "function-graph --function 1-3 --function 2 --output 'f{n}.png'" << false << 2 << QStringList{"--function", "'1-3,2'", "once"} << "" << "";
    QTest::newRow("a link to another output's file") << "ln -s f1.png f2.png" << "function-graph --function 1-2 --output 'f{n}.png'" << false << 2 << QStringList{"'f2.png'", "twice"} << "" << "";
    QTest::newRow("two links to one folder") << "mkdir d && ln -s d a && ln -s d b" << "function-graph --function 1 --output a/f.png --output b/f.png" << false << 2 << QStringList{"'b/f.png'", "twice"} << "" << "";
    QTest::newRow("two names of one file") << "printf old > a.png && ln a.png b.png" << "function-graph --function 1 --output a.png --output b.png" << false << 2 << QStringList{"'b.png'", "twice"} << "" << "";
    QTest::newRow("one file named twice") << "" << "function-graph --function 1 --output a.png --output ./a.png" << false << 2 << QStringList{"'./a.png'", "twice"} << "" << "";
    QTest::newRow("{n} in the extension") << "" << "function-graph --function 1-2 --output 'f.{n}'" << false << 2 << QStringList{"'f.1'", "format"} << "" << "";
    QTest::newRow("scale with no png among several") << "" << "function-graph --function 1 --output a.svg --output a.pdf --scale 2" << false << 2 << QStringList{"--scale", "PNG", "a.svg"} << "" << "";
    QTest::newRow("--function alone") << "" << "function-graph --function 3" << false << 2 << QStringList{"--function", "--output"} << "" << "";
    QTest::newRow("--output alone") << "" << "function-graph --output out.png" << false << 2 << QStringList{"--output", "--function"} << "" << "";
    QTest::newRow("--scale alone") << "" << "function-graph --scale 2" << false << 2 << QStringList{"--scale", "--function", "--output"} << "" << "";
    QTest::newRow("a printed page") << "" << "function-graph --function 3 --output page.pdf --page a4 --unit-length 5 --grid" << false << 0 << nothing << "page.pdf" << "pdf";
    QTest::newRow("a printed page on white") << "ln -s /dev/stdout page.pdf" << "function-graph --function 3 --output page.pdf --page A4 | pdftoppm -r 20 -png -singlefile - | convert png:- -format '%[pixel:p{30,100}]' info:" << false << 0 << QStringList{"srgb(255,255,255)"} << "" << "";
    QTest::newRow("--background red, file kept") << old << "function-graph --function 3 --output out.png --background red" << false << 2 << QStringList{"--background", "'red'", "transparent"} << "" << "";
    QTest::newRow("--line-width 0") << "" << "function-graph --function 3 --output out.png --line-width 0" << false << 2 << QStringList{"--line-width", "'0'", "1 to 4"} << "" << "";
    QTest::newRow("--line-width 2.5") << "" << "function-graph --function 3 --output out.svg --line-width 2.5" << false << 2 << QStringList{"--line-width", "'2.5'"} << "" << "";
    QTest::newRow("--numbers alone") << "" << "function-graph --numbers" << false << 2 << QStringList{"--numbers", "--function", "--output"} << "" << "";
    QTest::newRow("--page with a PNG") << "" << "function-graph --function 3 --output out.png --page A4" << false << 2 << QStringList{"--page", "PDF", "'out.png'"} << "" << "";
    QTest::newRow("--page B9") << "" << "function-graph --function 3 --output out.pdf --page B9" << false << 2 << QStringList{"--page", "'B9'", "Letter"} << "" << "";
    QTest::newRow("--unit-length without --page") << "" << "function-graph --function 3 --output out.pdf --unit-length 5" << false << 2 << QStringList{"--unit-length", "--page"} << "" << "";
    QTest::newRow("--unit-length 0.5") << "" << "function-graph --function 3 --output out.pdf --page A4 --unit-length 0.5" << false << 2 << QStringList{"--unit-length", "'0.5'", "1 to 13.3"} << "" << "";
    QTest::newRow("1 cm to the unit on A4, file kept") << QString(old).replace("out.png", "out.pdf") << "function-graph --function 3 --output out.pdf --page A4 --unit-length 10" << false << 2 << QStringList{"10 mm", "do not fit", "180 x 267 mm", "at most 8.9 mm"} << "" << "";
    QTest::newRow("--unit-length 13.3 on A3, the largest") << "" << "function-graph --function 3 --output out.pdf --page A3 --unit-length 13.3" << false << 0 << nothing << "out.pdf" << "pdf";
    QTest::newRow("--unit-length 13.4 fits no page") << "" << "function-graph --function 3 --output out.pdf --page A3 --unit-length 13.4" << false << 2 << QStringList{"--unit-length", "'13.4'", "1 to 13.3"} << "" << "";
    QTest::newRow("--function ''") << "" << "function-graph --function '' --output out.png" << false << 2 << QStringList{"--function", "empty"} << "" << "";
    QTest::newRow("--help to a full disk") << "" << "function-graph --help > /dev/full" << false << 1 << QStringList{"help", "could not be written"} << "" << "";
    QTest::newRow("--background White") << "" << "function-graph --function 3 --output out.png --background White" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("--background with wav") << "" << "function-graph --function 3 --output c.wav --background white" << false << 2 << QStringList{"--background", "c.wav"} << "" << "";
    QTest::newRow("--line-width with wav") << "" << "function-graph --function 3 --output c.wav --line-width 2" << false << 2 << QStringList{"--line-width", "c.wav"} << "" << "";
    QTest::newRow("--numbers with wav") << "" << "function-graph --function 3 --output c.wav --numbers" << false << 2 << QStringList{"--numbers", "c.wav"} << "" << "";
    QTest::newRow("--grid with wav") << "" << "function-graph --function 3 --output c.wav --grid" << false << 2 << QStringList{"--grid", "c.wav"} << "" << "";
    QTest::newRow("unknown option") << "" << "function-graph --function 3 --output out.png --colour red" << false << 2 << QStringList{"unknown option", "colour"} << "" << "";
    QTest::newRow("short options not ours") << "" << "function-graph -f 1 -o c.png" << false << 2 << QStringList{"unknown option", "f"} << "" << "";
    QTest::newRow("--functio") << "" << "function-graph --functio 3" << false << 2 << QStringList{"unknown option", "functio"} << "" << "";
    QTest::newRow("-hv") << "" << "function-graph -hv" << false << 2 << QStringList{"unknown option", "hv"} << "" << "";
    QTest::newRow("stray argument") << "" << "function-graph -reverse extra" << false << 2 << QStringList{"'extra'"} << "" << "";
    QTest::newRow("typed function, own view") << "" << "function-graph --expression 'y = 0.5x^2 - 3' --x-range=-6.5:6.5 --y-range 0:5 --output out.png" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("key points, no file") << "" << "function-graph --expression 'x^2-2' --key-points" << false << 0 << QStringList{"zero\t-1.414213562\t0\nminimum\t0\t-2.000000000\nzero\t1.414213562\t0\n"} << "" << "";
    QTest::newRow("key points of function 3 in a view") << "" << "function-graph --function 3 --x-range 0:7 --key-points --output out.svg" << false << 0 << QStringList{"zero\t3.141592654\t0\nminimum\t4.493409458\t-1.086168"} << "out.svg" << "svg";
    QTest::newRow("unknown name, file kept") << old << "function-graph --expression 'sinn(x)' --output out.png" << false << 2 << QStringList{"unknown name 'sinn' at position 1"} << "" << "";
    QTest::newRow("unbalanced parenthesis") << "" << "function-graph --expression '(x+1' --output out.png" << false << 2 << QStringList{"a ')' is missing at the end"} << "" << "";
    QTest::newRow("missing operand") << "" << "function-graph --expression 'x^' --output out.png" << false << 2 << QStringList{"missing at the end"} << "" << "";
    QTest::newRow("empty expression") << "" << "function-graph --expression '' --output out.png" << false << 2 << QStringList{"empty"} << "" << "";
    QTest::newRow("control character") << "" << "function-graph --expression $'x\\x01' --output out.png" << false << 2 << QStringList{"control character at position 2"} << "" << "";
    QTest::newRow("10,000 characters") << "" << "function-graph --expression $(printf 'x+%.0s' $(seq 5000))x --output out.png" << false << 2 << QStringList{"longer than 1000"} << "" << "";
    QTest::newRow("--expression with --function") << "" << "function-graph --function 1 --expression x --output out.png" << false << 2 << QStringList{"--expression", "--function"} << "" << "";
    QTest::newRow("--x-range 5:1") << "" << "function-graph --function 1 --x-range 5:1 --output out.png" << false << 2 << QStringList{"--x-range", "'5:1'"} << "" << "";
    QTest::newRow("--y-range a:b") << "" << "function-graph --function 1 --y-range a:b --output out.png" << false << 2 << QStringList{"--y-range", "'a:b'"} << "" << "";
    QTest::newRow("--x-range to inf") << "" << "function-graph --function 1 --x-range 0:inf --output out.png" << false << 2 << QStringList{"--x-range", "'0:inf'"} << "" << "";
    QTest::newRow("--y-range too narrow") << "" << "function-graph --function 1 --y-range 1:1.0000000000001 --output out.png" << false << 2 << QStringList{"cannot be drawn"} << "" << "";
    QTest::newRow("--key-points of the axes") << "" << "function-graph --function 0 --key-points" << false << 2 << QStringList{"--key-points"} << "" << "";
    QTest::newRow("key points with --scale, no file") << "" << "function-graph --expression x^2-2 --key-points --scale 2" << false << 2 << QStringList{"--scale", "--output"} << "" << "";
    QTest::newRow("key points with --grid, no file") << "" << "function-graph --expression x^2-2 --key-points --grid" << false << 2 << QStringList{"--grid", "--output"} << "" << "";

    // In the user's language, as the locale names it: the program's texts and Qt's own.
    QTest::newRow("German: png") << "" << "LANG=de_DE.UTF-8 function-graph --function 3 --output out.png" << false << 0 << nothing << "out.png" << "png";
    QTest::newRow("German: --help") << "" << "LANG=de_DE.UTF-8 function-graph --help" << false << 0 << QStringList{"Aufruf:", "Ohne Optionen", "--output DATEI"} << "" << "";
    QTest::newRow("German: function 6") << "" << "LANG=de_DE.UTF-8 function-graph --function 6 --output out.png" << false << 2 << QStringList{"ganze Zahl", "„6“"} << "" << "";
    QTest::newRow("German: unknown option, Qt's text") << "" << "LANG=de_DE.UTF-8 function-graph --colour red" << false << 2 << QStringList{"Unbekannte Option", "colour"} << "" << "";
    QTest::newRow("German: missing value, Qt's text") << "" << "LANG=de_DE.UTF-8 function-graph --output" << false << 2 << QStringList{"fehlt der Wert", "--output"} << "" << "";
    QTest::newRow("German: no display") << "" << "LANG=de_DE.UTF-8 function-graph" << false << 1 << QStringList{"kein Bildschirm", "--output DATEI"} << "" << "";
    QTest::newRow("French by LC_ALL: --help") << "" << "{ export LANG=de_DE.UTF-8 LC_ALL=fr_FR.UTF-8; } 2>/dev/null; function-graph -h" << false << 0 << QStringList{"Utilisation :", "FICHIER"} << "" << "";
    QTest::newRow("French: missing folder") << "" << "LANG=fr_FR.UTF-8 function-graph --function 3 --output missing/out.png" << false << 1 << QStringList{"impossible d’écrire", "Le dossier", "n’existe pas"} << "" << "";
    QTest::newRow("French: scale with svg") << "" << "LANG=fr_FR.UTF-8 function-graph --function 3 --output out.svg --scale 2" << false << 2 << QStringList{"ne s’applique qu’aux images PNG", "out.svg"} << "" << "";

    QTest::newRow("no display, no output") << "" << "function-graph" << false << 1 << noDisplay << "" << "";
    QTest::newRow("unserved display, Qt's window options") << "" << "DISPLAY=$UNSERVED function-graph -geometry +10+10 -style=fusion --reverse -qwindowtitle T" << false << 1 << noDisplay << "" << "";
    // clang-format on
}

void TestCommandLine::invocations()
{
    QFETCH(QString, setup);
    QFETCH(QString, command);
    QFETCH(bool, unprivileged);
    QFETCH(int, status);
    QFETCH(QStringList, told);
    QFETCH(QString, written);
    QFETCH(QString, format);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // Folders closed in the setup are opened again, so that the temporary folder can go.
    const auto reopen =
        qScopeGuard([&folder] { runShell(QStringLiteral("chmod -R u+rwx ."), folder.path()); });
    const testsupport::ToolResult prepared = runShell(setup, folder.path());
    QVERIFY2(prepared.succeeded(), qPrintable(prepared.describe(setup)));
    const QString reach = QStringLiteral("test -x '%1' && test -x .").arg(program);
    if (unprivileged && runShell(reach, folder.path(), true).exitCode != 0)
        QSKIP("the unprivileged user cannot reach the program or a temporary folder here");
    if (command.startsWith(QLatin1String("unshare"))
        && runShell(QStringLiteral("unshare -m true"), folder.path()).exitCode != 0)
        QSKIP("no mount namespace of its own can be made here");
    const QMap<QString, QByteArray> before = snapshot(folder.path());

    const testsupport::ToolResult run = runShell(command, folder.path(), unprivileged);
    QVERIFY2(run.finished, "the program crashed or hung");
    QVERIFY2(run.exitCode == status, qPrintable(run.errors));
    const QString output = QString::fromLocal8Bit(run.output);
    const QString &toldOn = status == 0 ? output : run.errors;
    if (status != 0)
        QVERIFY2(run.errors.startsWith(QLatin1String("function-graph: "))
                     && run.errors.count(QLatin1Char('\n')) == 1
                     && run.errors.endsWith(QLatin1Char('\n')),
                 qPrintable(run.errors));
    QVERIFY2(status == 0 ? run.errors.isEmpty() : run.output.isEmpty(), qPrintable(run.errors));
    QVERIFY(told.isEmpty() == toldOn.isEmpty());
    for (const QString &word : told)
        QVERIFY2(toldOn.contains(word, Qt::CaseInsensitive),
                 qPrintable(word + QStringLiteral(" not in: ") + toldOn));

    // Nothing is left half-written or temporary, whatever happened; only `written` changed.
    QMap<QString, QByteArray> after = snapshot(folder.path());
    QByteArray picture = after.take(written);
    QMap<QString, QByteArray> unchanged = before;
    unchanged.remove(written);
    QCOMPARE(after, unchanged);
    if (written.isEmpty())
        return;
    if (format.startsWith(QLatin1Char('+'))) {
        QVERIFY(picture.startsWith(before.value(written)) && !before.value(written).isEmpty());
        picture.remove(0, before.value(written).size());
        format.remove(0, 1);
    }
    // A picture written is complete: it reads back whole, at the picture's size.
    if (format == QLatin1String("png")) {
        const QImage image = QImage::fromData(picture, "PNG");
        QVERIFY(image.width() >= 221 && image.height() >= 193);
    } else if (format == QLatin1String("svg")) {
        QVERIFY(picture.startsWith("<?xml") && picture.trimmed().endsWith("</svg>"));
    } else if (format == QLatin1String("wav")) {
        // Four seconds of 16-bit stereo at 44.1 kHz after the 44-byte header.
        QCOMPARE(picture.size(), 44 + 4 * 4 * 44100);
        // What a player reads: PCM, 2 channels, 44100 frames and 176400 bytes a second, 4 bytes a
        // frame, 16 bits a sample.
        QCOMPARE(picture.mid(20, 16).toHex(), QByteArray("0100020044ac000010b1020004001000"));
    } else {
        QVERIFY(picture.startsWith("%PDF-") && picture.trimmed().endsWith("%%EOF"));
    }
}

namespace {

// The longest run of `colour` down one column of `image`, within `rows`.
int runDown(const QImage &image, int column, int firstRow, int lastRow, QRgb colour)
{
    int longest = 0;
    for (int y = firstRow, run = 0; y <= lastRow; ++y) {
        run = image.pixel(column, y) == colour ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

} // namespace

void TestCommandLine::styledPictures_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QRgb>("background"); // where nothing is drawn
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<bool>("grid");

    const QRgb cyan = 0xff80ffff;
    const QRgb white = 0xffffffff;
    // clang-format off
    QTest::newRow("the window's look") << "" << 1 << cyan << 1 << false;
    QTest::newRow("white, lines 3 wide") << "--background white --line-width 3" << 1 << white << 3 << false;
    QTest::newRow("transparent, lines 2 wide, at scale 2") << "--background transparent --line-width 2 --scale 2" << 2 << QRgb(0) << 2 << false;
    QTest::newRow("grid under the curve") << "--grid" << 1 << cyan << 1 << true;
    QTest::newRow("everything, lines 4 wide, at scale 3") << "--background white --line-width 4 --grid --numbers --scale 3" << 3 << white << 4 << true;
    // clang-format on
}

void TestCommandLine::styledPictures()
{
    QFETCH(QString, style);
    QFETCH(int, scale);
    QFETCH(QRgb, background);
    QFETCH(int, lineWidth);
    QFETCH(bool, grid);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const testsupport::ToolResult run =
        runShell("function-graph --function 3 --output out.png " + style
                     + " && function-graph --function 3 --output out.svg "
                     + QString(style).remove("--scale 2").remove("--scale 3"),
                 folder.path());
    QVERIFY2(run.succeeded(), qPrintable(run.describe(QStringLiteral("function-graph"))));
    const QImage image =
        QImage(folder.filePath(QStringLiteral("out.png"))).convertToFormat(QImage::Format_ARGB32);
    // Picture pixels to image pixels: a unit is 22 pixels across and 19.2 down.
    const auto at = [scale](double x, double y) {
        return QPoint(qRound((x + 10) * 22 * scale), qRound((10 - y) * 19.2 * scale));
    };
    QCOMPARE(image.pixel(at(-8.5, 8.5)), background);
    // Across the x-axis between ticks, and across the curve at its flat top and bottoms.
    const int thickness = lineWidth * scale;
    for (const double x : {-7.5, 1.5, 8.5}) {
        const QPoint axis = at(x, 0);
        QCOMPARE(runDown(image, axis.x(), axis.y() - 10 * scale, axis.y() + 10 * scale, 0xff000000),
                 thickness);
    }
    for (const auto &[x, y] : {std::pair{0.0, 5.0}, {-4.4934, -1.0864}, {4.4934, -1.0864}}) {
        const QPoint curve = at(x, y);
        const int across =
            runDown(image, curve.x(), curve.y() - 10 * scale, curve.y() + 10 * scale, 0xffff0000);
        QVERIFY2(across >= thickness && across <= thickness + 1,
                 qPrintable(QStringLiteral("%1 pixels across at x = %2").arg(across).arg(x)));
    }
    // A grid line at every tick, light grey, under the curve where they cross.
    const QPoint gridLine = at(-9, 8.5);
    QCOMPARE(image.pixel(gridLine.x() + scale / 2, gridLine.y()), grid ? 0xffc8c8c8 : background);
    QCOMPARE(image.pixel(at(0, 5) + QPoint(scale / 2, 0)), 0xffff0000);

    // The drawing: lines of the same width, and the same background (none when transparent).
    QFile svgFile(folder.filePath(QStringLiteral("out.svg")));
    QVERIFY(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svg = svgFile.readAll();
    QVERIFY(
        svg.contains(QStringLiteral("stroke=\"#ff0000\" stroke-opacity=\"1\" stroke-width=\"%1\"")
                         .arg(lineWidth)
                         .toLatin1()));
    for (const QRgb paper : {0xff80ffffU, 0xffffffffU}) {
        const QByteArray fill = "fill=\"" + QColor(paper).name().toLatin1() + '"';
        QCOMPARE(svg.contains(fill), paper == background);
    }
}

void TestCommandLine::numbersReadBack_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("at scale 1") << 1;
    QTest::newRow("at scale 2") << 2;
}

// The numbers are read back as a reader would: from the pixels by OCR, and from a page's text.
void TestCommandLine::numbersReadBack()
{
    QFETCH(int, scale);
    testsupport::ToolFinder tools;
    for (const char *tool : {"tesseract", "convert", "pdftotext"})
        tools.find(QString::fromLatin1(tool));
    QVERIFY2(tools.missingTools().isEmpty(), qPrintable(tools.missingTools()));

    // The strip under the x-axis and the column left of the y-axis, without the origin's tick,
    // enlarged to four times the picture's pixels.
    QString strips = QStringLiteral(
        "convert out.png -crop %1x%2+0+%3 +repage -fill white -draw 'rectangle "
        "%4,0 %5,%2' -bordercolor white -border %6 -filter Triangle -resize %7%% x.png && "
        "convert out.png -crop %8x%9+%10+0 +repage -fill white -draw 'rectangle "
        "0,%11 %8,%12' -bordercolor white -border %6 -filter Triangle -resize %7%% y.png && ");
    for (const int value :
         {441 * scale, 14 * scale, 196 * scale, 214 * scale, 226 * scale, 10 * scale, 300 / scale,
          24 * scale, 385 * scale, 193 * scale, 186 * scale, 198 * scale})
        strips = strips.arg(value);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const testsupport::ToolResult run = runShell(
        QStringLiteral("function-graph --function 0 --output out.png --background white --numbers "
                       "--scale %1 && ")
                .arg(scale)
            + strips
            + "tesseract x.png - --psm 7 && tesseract y.png - --psm 6 && "
              "function-graph --function 3 --output page.pdf --page A4 --numbers && "
              "pdftotext page.pdf -",
        folder.path());
    QVERIFY2(run.succeeded(), qPrintable(run.describe(QStringLiteral("reading back"))));
    // Any dash is a minus sign to OCR; the page's text has true ones.
    QString read = QString::fromUtf8(run.output).simplified();
    read.replace(QRegularExpression(QStringLiteral("[\u2012-\u2015\u2212_]")), QStringLiteral("-"));
    const QString numbers = QStringLiteral("-8 -6 -4 -2 2 4 6 8 8 6 4 2 -2 -4 -6 -8 ");
    QVERIFY2(read.startsWith(numbers), qPrintable(read));
    for (const char *text : {"y = 5 sin(x)/x", "x and y from -10 to 10", "-8", "-4", "6"})
        QVERIFY2(read.mid(numbers.size()).contains(QLatin1String(text)), text);
}

void TestCommandLine::manyPictures_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("told");    // in the one line on the standard error
    QTest::addColumn<QStringList>("written"); // its second letter the function; the rest kept
    QTest::addColumn<double>("scale");

    const QString old = QStringLiteral("printf 'an older picture' > ");
    // clang-format off
    QTest::newRow("five functions, two formats") << "" << "function-graph --function 1-5 --output 'f{n}.png' --output 'f{n}.svg'" << 0 << QStringList() << QStringList{"f1.png", "f2.png", "f3.png", "f4.png", "f5.png", "f1.svg", "f2.svg", "f3.svg", "f4.svg", "f5.svg"} << 1.0;
    QTest::newRow("lists joined, old file replaced, scale 2") << old + "a2.png" << "function-graph --function 0,4 --function 2 --output 'a{n}.png' --output 'sub/../b{n}.pdf' --scale 2" << 0 << QStringList() << QStringList{"a0.png", "a4.png", "a2.png", "b0.pdf", "b4.pdf", "b2.pdf"} << 2.0;
    QTest::newRow("names differing in case are two files") << "" << "function-graph --function 1 --output a1.png --output A1.png" << 0 << QStringList() << QStringList{"a1.png", "A1.png"} << 1.0;
    QTest::newRow("a folder in the middle stops the run") << "mkdir f3.png && " + old + "f4.png" << "function-graph --function 1-5 --output 'f{n}.png'" << 1 << QStringList{"f3.png is a folder"} << QStringList{"f1.png", "f2.png"} << 1.0;
    QTest::newRow("a missing folder for the second file") << old + "f2.png" << "function-graph --function 1-2 --output 'f{n}.png' --output 'missing/f{n}.svg'" << 1 << QStringList{"missing/f1.svg", "does not exist"} << QStringList{"f1.png"} << 1.0;
    QTest::newRow("function 3 at 1.25") << "" << "function-graph --function 3 --output f3.png --scale 1.25" << 0 << QStringList() << QStringList{"f3.png"} << 1.25;
    QTest::newRow("function 3 at 2") << "" << "function-graph --function 3 --output f3.png --scale 2" << 0 << QStringList() << QStringList{"f3.png"} << 2.0;
    // 1.1 is kept as a window keeps it, 72089/65536: rounded up, the picture is a row taller.
    QTest::newRow("start-up frame at 1.1") << "" << "function-graph --function 0 --output f0.png --scale 1.1" << 0 << QStringList() << QStringList{"f0.png"} << 1.1;
    QTest::newRow("function 1 at 0.5") << "" << "function-graph --function 1 --output f1.png --scale 0.5" << 0 << QStringList() << QStringList{"f1.png"} << 0.5;
    // The picture's place in the window counts: 441 pixels from column 8 cover 574 device
    // columns at this ratio, from column 0 they would cover 573.
    QTest::newRow("function 4 at 1.3") << "" << "function-graph --function 4 --output f4.png --scale 1.3" << 0 << QStringList() << QStringList{"f4.png"} << 1.3;
    // Large pictures, whose palette is made in one pass over millions of pixels.
    QTest::newRow("function 2 at 4") << "" << "function-graph --function 2 --output f2.png --scale 4" << 0 << QStringList() << QStringList{"f2.png"} << 4.0;
    QTest::newRow("function 5 at 8") << "" << "function-graph --function 5 --output f5.png --scale 8" << 0 << QStringList() << QStringList{"f5.png"} << 8.0;
    // clang-format on
}

void TestCommandLine::manyPictures()
{
    QFETCH(QString, setup);
    QFETCH(QString, command);
    QFETCH(int, status);
    QFETCH(QStringList, told);
    QFETCH(QStringList, written);
    QFETCH(double, scale);

    QTemporaryDir folder;
    QVERIFY(folder.isValid() && runShell("mkdir sub; " + setup, folder.path()).succeeded());
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    const testsupport::ToolResult run = runShell(command, folder.path());
    QVERIFY2(run.finished && run.exitCode == status, qPrintable(run.errors));
    QCOMPARE(run.errors.count(QLatin1Char('\n')), status == 0 ? 0 : 1);
    for (const QString &word : told)
        QVERIFY2(run.errors.contains(word), qPrintable(run.errors));

    // Each file holds its own function's picture, complete; nothing else changed.
    QMap<QString, QByteArray> after = snapshot(folder.path());
    QMap<QString, QByteArray> unchanged = before;
    for (const QString &name : written) {
        unchanged.remove(name);
        const int function = name.at(1).digitValue();
        const graphing::PictureContent content =
            function == 0 ? graphing::PictureContent{} : graphing::PictureContent{function};
        const QByteArray file = after.take(name);
        const app::PictureFormat format = *app::pictureFormatOf(name);
        const qreal ratio = testsupport::storedRatio(scale);
        if (format == app::PictureFormat::Png) {
            // What the window shows at the ratio (the same pixels on screen: tests/e2e).
            const QImage image = QImage::fromData(file);
            QCOMPARE(testsupport::pictureFaults(image.convertToFormat(QImage::Format_RGB32), ratio,
                                                function)
                         .join('\n'),
                     QString());
            // Placed in a document it keeps its size at scale 1: 441 pixels at 96 dpi, 116.7 mm.
            QCOMPARE(qRound(image.width() * 1000.0 / image.dotsPerMeterX()), 117);
            QCOMPARE(qRound(image.height() * 1000.0 / image.dotsPerMeterY()), 102);
        } else if (format == app::PictureFormat::Svg)
            QVERIFY2(file == app::encodePicture(content, format, ratio), qPrintable(name));
        else
            QVERIFY2(file.startsWith("%PDF-") && file.trimmed().endsWith("%%EOF"),
                     qPrintable(name));
    }
    QCOMPARE(after, unchanged);
}

using Exact = std::function<double(double)>;
Q_DECLARE_METATYPE(Exact)

void TestCommandLine::curvesMatchTheExactCurve_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("view"); // the ranges' options
    QTest::addColumn<Exact>("exact");  // NaN where the function has no value
    // Continuous everywhere: in each column the red pixels reach across every row the curve takes.
    QTest::addColumn<bool>("joined");
    const double none = std::nan("");
    // clang-format off
    QTest::newRow("0.5x^2 - 3") << "0.5x^2 - 3" << "" << Exact([](double x) { return 0.5 * x * x - 3; }) << true;
    QTest::newRow("5tanh(1e6 (x-0.01)): steep, yet joined") << "5tanh(1000000(x-0.01))" << "" << Exact([](double x) { return 5 * std::tanh(1e6 * (x - 0.01)); }) << true;
    QTest::newRow("caption y=5sin(x)/x, zoomed") << "y=5sin(x)/x " << "--x-range=-1:4 --y-range=-2:6" << Exact([](double x) { return 5 * std::sin(x) / x; }) << false;
    QTest::newRow("caption y=√(x^2+1), far") << "y=√(x^2+1) " << "--x-range 100:102 --y-range 100:102" << Exact([](double x) { return std::sqrt(x * x + 1); }) << false;
    QTest::newRow("tan: poles") << "tan(x)" << "--x-range=-6.2832:6.2832" << Exact([](double x) { return std::tan(x); }) << false;
    QTest::newRow("1/x: a pole at a column") << "1/x" << "--x-range=-2:2 --y-range=-5:5" << Exact([](double x) { return 1 / x; }) << false;
    QTest::newRow("1/(x^2-1): two poles") << "1/(x^2-1)" << "--x-range=-3:3 --y-range=-4:4" << Exact([](double x) { return 1 / (x * x - 1); }) << false;
    QTest::newRow("floor: jumps") << "floor(x)" << "--x-range=-3:3 --y-range=-4:4" << Exact([](double x) { return std::floor(x); }) << false;
    QTest::newRow("sign: a jump and a point") << "sign(x)" << "--x-range=-2:2 --y-range=-2:2" << Exact([](double x) { return double((x > 0) - (x < 0)); }) << false;
    QTest::newRow("sqrt: starts at (0, 0)") << "sqrt(x)" << "--x-range=-1:4 --y-range=-1:3" << Exact([none](double x) { return x < 0 ? none : std::sqrt(x); }) << false;
    QTest::newRow("sqrt(1-x^2): reaches ±1") << "sqrt(1-x^2)" << "--x-range=-1.1:1.1 --y-range=-0.5:1.5" << Exact([none](double x) { return x * x > 1 ? none : std::sqrt(1 - x * x); }) << false;
    QTest::newRow("exp: leaves at the top") << "exp(x)" << "--x-range=-3:3 --y-range=-1:10" << Exact([](double x) { return std::exp(x); }) << false;
    QTest::newRow("sin(50x): a band") << "sin(50x)" << "--y-range=-2:2" << Exact([](double x) { return std::sin(50 * x); }) << false;
    // clang-format on
}

// Every red pixel lies within a pixel and a half of the exact curve, in its column or the next;
// every column where the exact curve is in view and continuous has a red pixel on it. A line
// across a pole or a jump, or a piece stopping short of an edge or a domain's end, fails.
void TestCommandLine::curvesMatchTheExactCurve()
{
    QFETCH(QString, typed);
    QFETCH(QString, view);
    QFETCH(Exact, exact);
    QFETCH(bool, joined);
    QTemporaryDir folder;
    const testsupport::ToolResult run = runShell(
        QStringLiteral("function-graph --expression '%1' %2 --output c.png").arg(typed, view),
        folder.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QImage image(folder.filePath("c.png"));
    const QStringList ranges = QString(view).replace('=', ' ').split(' ', Qt::SkipEmptyParts);
    const auto range = [&ranges](const char *option) {
        const qsizetype at = ranges.indexOf(QLatin1String(option));
        return at < 0 ? std::pair(-10.0, 10.0)
                      : std::pair(ranges[at + 1].section(':', 0, 0).toDouble(),
                                  ranges[at + 1].section(':', 1, 1).toDouble());
    };
    const auto [left, right] = range("--x-range");
    const auto [bottom, top] = range("--y-range");
    const int columns = image.width() - 1;
    const int rows = image.height() - 1;
    // The exact curve's rows across each column, at 256 places from its left edge to its right: a
    // point lands on the top-left corner of the pixel drawn there.
    std::vector<std::vector<double>> curve(std::size_t(image.width()));
    for (int c = 0; c <= columns; ++c)
        for (int k = 0; k < 256; ++k)
            curve[std::size_t(c)].push_back(
                (top - exact(left + (c + k / 256.0) * (right - left) / columns)) * rows
                    / (top - bottom)
                - 0.5);
    const auto red = [&image](int c, int r) { return image.pixel(c, r) == qRgb(255, 0, 0); };
    for (int c = 0; c <= columns; ++c) {
        for (int r = 0; r <= rows; ++r) {
            bool near = !red(c, r);
            // A joined curve is near anywhere between its lowest and highest row around here.
            double low = rows;
            double high = 0;
            for (int n = std::max(0, c - 1); n <= std::min(columns, c + 1); ++n) {
                for (const double row : curve[std::size_t(n)]) {
                    near = near || std::abs(row - r) <= 1.5;
                    low = std::min(low, row);
                    high = std::max(high, row);
                }
            }
            near = near || (joined && r >= low - 1.5 && r <= high + 1.5);
            QVERIFY2(
                near,
                qPrintable(QStringLiteral("a red pixel off the curve at %1, %2").arg(c).arg(r)));
        }
        const std::vector<double> &exactRows = curve[std::size_t(c)];
        bool continuous = true;
        for (std::size_t k = 0; k < exactRows.size(); ++k)
            continuous = continuous && exactRows[k] >= 0 && exactRows[k] <= rows
                         && (k == 0 || std::abs(exactRows[k] - exactRows[k - 1]) < 2);
        bool drawn = !continuous;
        for (int r = 0; r <= rows && !drawn; ++r)
            for (const double row : exactRows)
                drawn = drawn || (red(c, r) && std::abs(row - r) <= 1.5);
        // Where the domain ends, its last point in view is drawn: the piece stops not short.
        for (std::size_t k = 0; c < columns && k < exactRows.size(); ++k) {
            const double after =
                k + 1 < exactRows.size() ? exactRows[k + 1] : curve[std::size_t(c) + 1].front();
            const double end = std::isnan(exactRows[k]) ? after : exactRows[k];
            const int column = std::isnan(exactRows[k]) && k + 1 == exactRows.size() ? c + 1 : c;
            if (std::isnan(exactRows[k]) == std::isnan(after) || end < 0 || end > rows)
                continue;
            bool reached = false;
            for (int r = 0; r <= rows; ++r)
                reached = reached || (red(column, r) && std::abs(end - r) <= 1.5);
            QVERIFY2(reached, qPrintable(QStringLiteral("the domain's end in column %1 is not "
                                                        "drawn")
                                             .arg(column)));
        }
        QVERIFY2(drawn,
                 qPrintable(QStringLiteral("no red pixel on the curve in column %1").arg(c)));
        const auto [lowest, highest] = std::minmax_element(exactRows.begin(), exactRows.end());
        for (int r = int(std::max(0.0, *lowest + 1.5));
             joined && r < std::min(*highest - 1.5, double(rows)); ++r)
            QVERIFY2(red(c, r) || red(std::min(c + 1, columns), r),
                     qPrintable(QStringLiteral("a gap in column %1 at row %2").arg(c).arg(r)));
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
