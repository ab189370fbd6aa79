// The window as a user meets it, with the mouse, the keyboard or a screen reader.
#include "graphwindow.h"
#include "windowdriver.h"

#include <QtTest>

using namespace windowdriver;

namespace {

const QString axes = QStringLiteral("Axes from -10 to 10");

// What a screen reader says for each function's option, the formula in words.
const QStringList spokenFunctions{"y = x squared minus 2", "y = x times e to the minus x, plus 2",
                                  "y = 5 sine x over x", "y = e to the x, minus 1, minus x squared",
                                  "y = square root of x squared plus 1"};

QString graphedDescription(int index)
{
    return "Graph of " + spokenFunctions[index] + " from -10 to 10; Space plays it as sound";
}

// A click on the empty green right of an option, which chooses it too.
void clickBesideCaption(QAbstractButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {},
                      QPoint(option->width() - 3, option->height() / 2));
}

} // namespace

class TestGraphWindow : public QObject {
    Q_OBJECT

private slots:
    void controlsSpeakTheirNames_data();
    void controlsSpeakTheirNames();
    void graphDrawsTheChosenCurve_data();
    void graphDrawsTheChosenCurve();
    void everyWayOfChoosingIsGraphed_data();
    void everyWayOfChoosingIsGraphed();
    void endQuits_data();
    void endQuits();
};

// Places, sizes and colours are judged on screen by tests/e2e/tst_window; here what a screenshot
// cannot show: captions, fonts, and what a screen reader says.
void TestGraphWindow::controlsSpeakTheirNames_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<QString>("keys"); // what its description ends with

    // clang-format off
    QTest::newRow("title") << "title" << "Graph Drawing Method" << "Graph Drawing Method" << "";
    QTest::newRow("picture") << "picture" << "" << "Plot" << "";
    const QStringList captions{"y=x*x-2 ", "y=x*exp(-x)+2", "y=5sin(x)/x ", "y=exp(x)-1-x^2 ", QString::fromUtf8("y=\u221a(x^2+1) ")};
    for (int i = 0; i < 5; ++i)
        QTest::addRow("function %d", i + 1) << QStringLiteral("functionButton%1").arg(i + 1) << captions[i] << spokenFunctions[i] << QStringLiteral("Key: %1").arg(i + 1);
    QTest::newRow("Graph") << "graphButton" << "Graph" << "Graph" << "Key: Alt+G";
    QTest::newRow("End") << "endButton" << "End" << "End" << "Keys: Alt+E or Ctrl+Q";
    // clang-format on
}

void TestGraphWindow::controlsSpeakTheirNames()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QString, spoken);
    QFETCH(QString, keys);

    app::GraphWindow window;
    QCOMPARE(window.minimumSize(), window.maximumSize());
    auto *const widget = window.findChild<QWidget *>(objectName);
    QVERIFY(widget != nullptr);
    QCOMPARE(accessibleText(widget, QAccessible::Name), spoken);
    QVERIFY2(keys.isEmpty() || accessibleText(widget, QAccessible::Description).endsWith(keys),
             qPrintable(accessibleText(widget, QAccessible::Description)));
    if (auto *const label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(widget->font().italic());
    }
    if (auto *const pushOrOption = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(pushOrOption->text(), caption);
        QVERIFY(widget->font().bold());
        QVERIFY(!widget->font().italic());
    }
}

void TestGraphWindow::graphDrawsTheChosenCurve_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < 5; ++index)
        QTest::newRow(qPrintable(spokenFunctions[index])) << index;
}

void TestGraphWindow::graphDrawsTheChosenCurve()
{
    QFETCH(int, index);
    const QString graphed = graphedDescription(index);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QVERIFY(option(*window, 0)->isChecked());
    QCOMPARE(focusName(), QStringLiteral("functionButton1"));
    QCOMPARE(pictureDescription(*window), axes);
    const QImage startup = picture(*window);

    // A choice alone changes nothing on screen, so the description stays too.
    QVERIFY(tabTo(*window, option(*window, index)->objectName()));
    press(*window, Qt::Key_Space);
    QVERIFY(option(*window, index)->isChecked());
    QCOMPARE(picture(*window), startup);
    QCOMPARE(pictureDescription(*window), axes);

    QVERIFY(tabTo(*window, QStringLiteral("graphButton")));
    press(*window, Qt::Key_Space);
    const QImage first = picture(*window);
    QCOMPARE(pictureDescription(*window), graphed);

    // The focus on the picture, and off it again, or hiding the window, leave what it shows.
    QVERIFY(tabTo(*window, QStringLiteral("picture")));
    QCOMPARE(picture(*window), first);
    press(*window, Qt::Key_Tab);
    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(picture(*window), first);

    // The next choice leaves the curve, and its description, until "Graph" is pressed again.
    QAbstractButton *const next = option(*window, (index + 1) % 5);
    clickBesideCaption(next);
    QVERIFY(next->isChecked());
    QCOMPARE(picture(*window), first);
    QCOMPARE(pictureDescription(*window), graphed);

    // The mouse graphs the very same pixels.
    clickBesideCaption(option(*window, index));
    pressGraph(*window);
    QCOMPARE(picture(*window), first);
}

void TestGraphWindow::everyWayOfChoosingIsGraphed_data()
{
    // Keys, or "Toggle" and "Press", a screen reader's actions on the third option, or
    // "setChecked" on it.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("visited"); // what has the focus after each step, when given
    QTest::addColumn<int>("chosen");          // the option "Graph" then graphs
    QTest::addColumn<bool>("byKey");          // whether Graph is pressed with its key, else clicked

    const QStringList forward{"graphButton",     "picture",         "endButton",
                              "functionButton2", "functionButton3", "functionButton4",
                              "functionButton5", "functionButton1"};
    QStringList backward(forward.crbegin() + 1, forward.crend());
    backward << "functionButton1";
    const QStringList any;
    // clang-format off
    QTest::newRow("Tab") << QStringList(8, "Tab") << forward << 0 << false;
    QTest::newRow("Shift+Tab") << QStringList(8, "Shift+Tab") << backward << 0 << true;
    // Down and Up move along the stack of options and choose as they go, as in any radio group;
    // Tab then goes on from there in the designed order.
    QTest::newRow("Down, Down, Up, Tab") << QStringList{"Down", "Down", "Up", "Tab"} << QStringList{"functionButton2", "functionButton3", "functionButton2", "functionButton3"} << 1 << false;
    QTest::newRow("Down twice") << QStringList{"Down", "Down"} << any << 2 << true;
    QTest::newRow("the digit 3") << QStringList{"3"} << any << 2 << true;
    QTest::newRow("the digit 3 of the keypad") << QStringList{"Num+3"} << any << 2 << false;
    QTest::newRow("a screen reader's Toggle action") << QStringList{"Toggle"} << any << 2 << false;
    QTest::newRow("a screen reader's Press action") << QStringList{"Press"} << any << 2 << true;
    QTest::newRow("setChecked") << QStringList{"setChecked"} << any << 2 << false;
    // clang-format on
}

// However an option becomes checked, Graph draws its function and the picture's description
// names it.
void TestGraphWindow::everyWayOfChoosingIsGraphed()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, visited);
    QFETCH(int, chosen);
    QFETCH(bool, byKey);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QAbstractButton *const third = option(*window, 2);
    QCOMPARE(focusName(), QStringLiteral("functionButton1"));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i] == "Toggle" || steps[i] == "Press")
            QAccessible::queryAccessibleInterface(third)->actionInterface()->doAction(
                steps[i] == "Toggle" ? QAccessibleActionInterface::toggleAction()
                                     : QAccessibleActionInterface::pressAction());
        else if (steps[i] == "setChecked")
            third->setChecked(true);
        else
            press(*window, steps[i]);
        if (!visited.isEmpty())
            QCOMPARE(focusName(), visited[i]);
    }
    QTRY_VERIFY(option(*window, chosen)->isChecked());
    if (byKey)
        press(*window, QStringLiteral("Alt+G"));
    else
        pressGraph(*window);
    QTRY_COMPARE(pictureDescription(*window), graphedDescription(chosen));
    QCOMPARE(picture(*window), freshGraph(chosen));
}

void TestGraphWindow::endQuits_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("End") << "End";
    QTest::newRow("Alt+E") << "Alt+E";
    QTest::newRow("Ctrl+Q") << "Ctrl+Q";
    // Closing the window, the last one, ends the program too.
    QTest::newRow("closing the window") << "close";
}

void TestGraphWindow::endQuits()
{
    QFETCH(QString, how);
    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QTimer::singleShot(0, window.get(), [&window, &how] {
        if (how == "End")
            click(button(*window, "endButton"));
        else if (how == "close")
            window->close();
        else
            press(*window, how);
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(TestGraphWindow)
#include "tst_graphwindow.moc"
