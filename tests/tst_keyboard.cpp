#include "designdata.h"
#include "fonts.h"
#include "graphwindow.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QtTest>

#include <memory>

using app::toQString;
using windowdriver::activeWindow;
using windowdriver::button;
using windowdriver::focusName;
using windowdriver::option;
using windowdriver::picture;
using windowdriver::press;
using windowdriver::redPixels;
using windowdriver::tabTo;

namespace {

// What assistive technology is told about `widget`.
QString accessibleText(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *const accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(text) : QStringLiteral("<no interface>");
}

QWidget *control(app::GraphWindow &window, const QString &name)
{
    return window.objectName() == name ? &window : window.findChild<QWidget *>(name);
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyControlHasAnAccessibleName();
    void pictureDescribesWhatItShows_data();
    void pictureDescribesWhatItShows();
    void focusFollowsTheDesignedTabOrder_data();
    void focusFollowsTheDesignedTabOrder();
    void keyboardAloneGraphsAFunction_data();
    void keyboardAloneGraphsAFunction();
    void arrowKeysChooseWithinTheOptions();
};

void TestKeyboard::initTestCase()
{
    app::installFontSubstitutes();
}

void TestKeyboard::everyControlHasAnAccessibleName()
{
    app::GraphWindow window;
    // Spelled out: what a screen reader says for each control, functions in words.
    const QList<QPair<QString, QString>> spokenNames{
        {"graphWindow", "Graph"},
        {"title", "Graph Drawing Method"},
        {"picture", "Plot"},
        {"functionButton1", "y = x squared minus 2"},
        {"functionButton2", "y = x times e to the minus x, plus 2"},
        {"functionButton3", "y = 5 sine x over x"},
        {"functionButton4", "y = e to the x, minus 1, minus x squared"},
        {"functionButton5", "y = square root of x squared plus 1"},
        {"graphButton", "Graph"},
        {"endButton", "End"},
    };
    for (const auto &[name, spoken] : spokenNames) {
        QWidget *const widget = control(window, name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        QCOMPARE(accessibleText(widget, QAccessible::Name), spoken);
    }
}

void TestKeyboard::pictureDescribesWhatItShows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("graphed");

    QTest::newRow("x*x-2") << 0 << "Graph of y = x squared minus 2 from -10 to 10";
    QTest::newRow("x*exp(-x)+2") << 1
                                 << "Graph of y = x times e to the minus x, plus 2 from -10 to 10";
    QTest::newRow("5sin(x)/x") << 2 << "Graph of y = 5 sine x over x from -10 to 10";
    QTest::newRow("exp(x)-1-x^2")
        << 3 << "Graph of y = e to the x, minus 1, minus x squared from -10 to 10";
    QTest::newRow("sqrt(x^2+1)") << 4
                                 << "Graph of y = square root of x squared plus 1 from -10 to 10";
}

void TestKeyboard::pictureDescribesWhatItShows()
{
    QFETCH(int, index);
    QFETCH(QString, graphed);

    app::GraphWindow window;
    QWidget *const picture = control(window, QStringLiteral("picture"));
    const QString axes = QStringLiteral("Axes from -10 to 10");
    QCOMPARE(accessibleText(picture, QAccessible::Description), axes);

    // A choice alone changes nothing on screen, so the description stays too.
    windowdriver::click(option(window, index));
    QCOMPARE(accessibleText(picture, QAccessible::Description), axes);

    windowdriver::pressGraph(window);
    QCOMPARE(accessibleText(picture, QAccessible::Description), graphed);

    // The next choice leaves the curve, and its description, until "Graph" is pressed again.
    windowdriver::click(option(window, (index + 1) % graphing::FunctionCatalogue::functionCount));
    QCOMPARE(accessibleText(picture, QAccessible::Description), graphed);
}

void TestKeyboard::focusFollowsTheDesignedTabOrder_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("visited");

    const QStringList forward{"graphButton",     "picture",         "endButton",
                              "functionButton2", "functionButton3", "functionButton4",
                              "functionButton5", "functionButton1"};
    const QStringList backward{"functionButton5", "functionButton4", "functionButton3",
                               "functionButton2", "endButton",       "picture",
                               "graphButton",     "functionButton1"};
    QTest::newRow("Tab") << Qt::KeyboardModifiers(Qt::NoModifier) << forward;
    QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
}

void TestKeyboard::focusFollowsTheDesignedTabOrder()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, visited);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QCOMPARE(focusName(), QStringLiteral("functionButton1"));
    for (const QString &expected : visited) {
        press(*window, Qt::Key_Tab, modifiers);
        QCOMPARE(focusName(), expected);
    }
}

void TestKeyboard::keyboardAloneGraphsAFunction_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("x*x-2") << 0;
    QTest::newRow("x*exp(-x)+2") << 1;
    QTest::newRow("5sin(x)/x") << 2;
    QTest::newRow("exp(x)-1-x^2") << 3;
    QTest::newRow("sqrt(x^2+1)") << 4;
}

void TestKeyboard::keyboardAloneGraphsAFunction()
{
    QFETCH(int, index);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    const QImage startup = picture(*window);
    QCOMPARE(redPixels(startup), 0);

    QVERIFY(tabTo(*window, option(*window, index)->objectName()));
    press(*window, Qt::Key_Space);
    QVERIFY(option(*window, index)->isChecked());
    QCOMPARE(window->funcNo(), std::optional<int>(index + 1));
    QCOMPARE(picture(*window), startup);

    QVERIFY(tabTo(*window, QStringLiteral("graphButton")));
    press(*window, Qt::Key_Space);
    const QImage graphed = picture(*window);
    QVERIFY(redPixels(graphed) > 100);
    // The very curve a mouse user gets.
    QCOMPARE(graphed, windowdriver::freshGraph(index));
}

void TestKeyboard::arrowKeysChooseWithinTheOptions()
{
    const std::unique_ptr<app::GraphWindow> window = activeWindow();

    // Down and Up move along the stack of options and choose as they go, as in any radio group.
    press(*window, Qt::Key_Down);
    press(*window, Qt::Key_Down);
    QCOMPARE(focusName(), QStringLiteral("functionButton3"));
    QCOMPARE(window->funcNo(), std::optional<int>(3));
    press(*window, Qt::Key_Up);
    QCOMPARE(focusName(), QStringLiteral("functionButton2"));
    QCOMPARE(window->funcNo(), std::optional<int>(2));
    QVERIFY(option(*window, 1)->isChecked());

    // Tab then goes on from there in the designed order.
    press(*window, Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("functionButton3"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
