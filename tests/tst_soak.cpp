#include "windowdriver.h"

#include <QFile>
#include <QtTest>

#include <array>

using namespace windowdriver;

namespace {

// The process's peak resident memory so far, in kB.
qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong();
    }
    return -1;
}

// Address sanitizer keeps freed memory in quarantine, so the process grows by design there. Each
// press also costs several times as much under it: there the soak is shorter, and the optimised
// build makes the full ten thousand presses.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool memoryIsMeaningful = false;
constexpr int presses = 1000;
#else
constexpr bool memoryIsMeaningful = true;
constexpr int presses = 10000;
#endif

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void tenThousandPresses();
};

void TestSoak::tenThousandPresses()
{
    app::GraphWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    std::array<QImage, 5> first;
    qint64 peakAfterTenth = 0;
    for (int press = 0; press < presses; ++press) {
        const int function = press % 5;
        click(option(window, function));
        pressGraph(window);
        // Let the window repaint, as it would between a user's clicks.
        QCoreApplication::processEvents();
        if (first[std::size_t(function)].isNull())
            first[std::size_t(function)] = picture(window);
        if (press == 9)
            peakAfterTenth = peakResidentKb();
    }
    const qint64 peakAfterLast = peakResidentKb();
    QVERIFY(peakAfterTenth > 0);
    qInfo("peak resident memory: %lld kB after the tenth press, %lld kB after the last",
          peakAfterTenth, peakAfterLast);

    QCOMPARE(picture(window), first[std::size_t((presses - 1) % 5)]);
    if (memoryIsMeaningful)
        QVERIFY(peakAfterLast - peakAfterTenth <= 1024);
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
