#include "windowdriver.h"

#include <QRandomGenerator>
#include <QtTest>

#include <array>

using namespace windowdriver;

// Plays long random sequences of clicks against a simple model of the window: the chosen function
// is the last option clicked, and the picture is what a fresh window shows for it after "Graph".
class TestRandomClicks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void picturesFollowTheModel_data();
    void picturesFollowTheModel();

private:
    std::array<QImage, 5> m_expected;
};

void TestRandomClicks::initTestCase()
{
    for (int i = 0; i < 5; ++i)
        m_expected[std::size_t(i)] = freshGraph(i);
}

void TestRandomClicks::picturesFollowTheModel_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("events");

    QTest::newRow("fixed seed") << quint32(20261208) << 2000;
    for (int run = 0; run < 3; ++run) {
        const quint32 seed = QRandomGenerator::global()->generate();
        QTest::addRow("random seed %u", seed) << seed << 700;
    }
}

void TestRandomClicks::picturesFollowTheModel()
{
    QFETCH(quint32, seed);
    QFETCH(int, events);

    app::GraphWindow window;
    QRandomGenerator random(seed);
    int chosen = 0; // the window starts with the first function chosen
    QImage shown = picture(window);
    QAbstractButton *previous = nullptr;

    for (int event = 0; event < events; ++event) {
        // One in five events repeats the previous click; otherwise any of the six buttons.
        QAbstractButton *target = previous;
        if (target == nullptr || random.bounded(5) != 0) {
            const int pick = int(random.bounded(6));
            target =
                pick < 5 ? option(window, pick) : button(window, QStringLiteral("graphButton"));
        }
        click(target);
        previous = target;

        const QString where = QStringLiteral("seed %1, event %2").arg(seed).arg(event);
        if (target == button(window, QStringLiteral("graphButton"))) {
            shown = picture(window);
            QVERIFY2(shown == m_expected[std::size_t(chosen)], qPrintable(where));
        } else {
            chosen = target->objectName().back().digitValue() - 1;
            QCOMPARE(window.funcNo(), std::optional<int>(chosen + 1));
            QVERIFY2(picture(window) == shown, qPrintable(where));
        }
    }
}

QTEST_MAIN(TestRandomClicks)
#include "tst_randomclicks.moc"
