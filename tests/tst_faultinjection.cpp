#include "windowdriver.h"

#include <QMessageBox>
#include <QtTest>

using namespace windowdriver;
using graphing::DrawingOperation;

// Each press costs several times as much under address sanitizer: there every fifth call fails,
// a stride that still reaches every kind of operation (the clear, the frame's lines, the point
// at call 45 and the curve's line-tos); the optimised build fails every call.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t failureStride = 5;
#else
constexpr std::size_t failureStride = 1;
#endif

// Makes every drawing call of one whole press fail in turn, and checks that each failure is told
// to the user, stops the press there, and leaves a window whose next press draws the right picture.
class TestFaultInjection : public QObject {
    Q_OBJECT

private slots:
    void everyCallOfAPressMayFail_data();
    void everyCallOfAPressMayFail();
};

void TestFaultInjection::everyCallOfAPressMayFail_data()
{
    QTest::addColumn<int>("option");
    QTest::newRow("5sin(x)/x: every sample joined") << 2;
    QTest::newRow("x*exp(-x)+2: start point far below") << 1;
}

void TestFaultInjection::everyCallOfAPressMayFail()
{
    QFETCH(int, option);
    const QImage expected = freshGraph(option);

    FaultyGraphWindow window;
    click(windowdriver::option(window, option));
    window.recorder.calls.clear();
    pressGraph(window);
    const std::vector<RecordingSurface::Call> press = window.recorder.calls;
    QVERIFY(press.size() > 46);

    for (std::size_t failing = 0; failing < press.size(); failing += failureStride) {
        const QString where = QStringLiteral("call %1").arg(failing);
        window.recorder.calls.clear();
        window.recorder.failOnCall = failing;
        pressGraph(window);
        QVERIFY2(window.recorder.calls.size() == failing + 1, qPrintable(where));

        auto *const message = window.findChild<QMessageBox *>(QStringLiteral("drawingFailure"));
        QVERIFY2(message != nullptr && message->isVisible(), qPrintable(where));
        const QString operation =
            QString::fromLatin1(graphing::operationName(press[failing].operation));
        QVERIFY2(message->text().contains(QLatin1Char('"') + operation + QLatin1Char('"')),
                 qPrintable(where + QStringLiteral(": ") + message->text()));
        delete message;

        window.recorder.failOnCall.reset();
        pressGraph(window);
        QVERIFY2(picture(window) == expected, qPrintable(where));
    }
}

QTEST_MAIN(TestFaultInjection)
#include "tst_faultinjection.moc"
