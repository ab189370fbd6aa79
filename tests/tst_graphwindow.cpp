// The window as a user meets it, with the mouse, the keyboard or a screen reader.
#include "graphwindow.h"
#include "windowdriver.h"

#include <QtTest>

using namespace windowdriver;

namespace {

const QString axes = QStringLiteral("Axes from -10 to 10");

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
    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void graphDrawsTheChosenCurve_data();
    void graphDrawsTheChosenCurve();
    void keysMoveTheFocusAndTheChoice_data();
    void keysMoveTheFocusAndTheChoice();
    void everyWayOfChoosingIsGraphed_data();
    void everyWayOfChoosingIsGraphed();
    void endQuits_data();
    void endQuits();
};

void TestGraphWindow::layoutFollowsTheDesign_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<QString>("spoken"); // what a screen reader says for it, functions in words
    QTest::addColumn<QString>("keys");   // what its description ends with

    // Spelled out here, not read from the design table: a typo there must show as one here.
    const QRgb green = qRgb(0, 255, 0);
    // clang-format off
    QTest::newRow("title") << "title" << "Graph Drawing Method" << QRect(136, 8, 225, 33) << qRgb(255, 255, 192) << "Graph Drawing Method" << "";
    QTest::newRow("picture") << "picture" << "" << QRect(8, 40, 441, 385) << qRgb(128, 255, 255) << "Plot" << "";
    QTest::newRow("function 1") << "functionButton1" << "y=x*x-2 " << QRect(448, 80, 145, 25) << green << "y = x squared minus 2" << "Key: 1";
    QTest::newRow("function 2") << "functionButton2" << "y=x*exp(-x)+2" << QRect(448, 104, 145, 25) << green << "y = x times e to the minus x, plus 2" << "Key: 2";
    QTest::newRow("function 3") << "functionButton3" << "y=5sin(x)/x " << QRect(448, 128, 145, 25) << green << "y = 5 sine x over x" << "Key: 3";
    QTest::newRow("function 4") << "functionButton4" << "y=exp(x)-1-x^2 " << QRect(448, 152, 145, 25) << green << "y = e to the x, minus 1, minus x squared" << "Key: 4";
    QTest::newRow("function 5") << "functionButton5" << QString::fromUtf8("y=\u221a(x^2+1) ") << QRect(448, 176, 145, 25) << green << "y = square root of x squared plus 1" << "Key: 5";
    QTest::newRow("Graph") << "graphButton" << "Graph" << QRect(472, 208, 73, 33) << QRgb(0) << "Graph" << "Key: Alt+G";
    QTest::newRow("End") << "endButton" << "End" << QRect(472, 240, 73, 33) << QRgb(0) << "End" << "Keys: Alt+E or Ctrl+Q";
    // clang-format on
}

void TestGraphWindow::layoutFollowsTheDesign()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(QRgb, background);
    QFETCH(QString, spoken);
    QFETCH(QString, keys);

    app::GraphWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Graph"));
    QCOMPARE(accessibleText(&window, QAccessible::Name), QStringLiteral("Graph"));
    QCOMPARE(window.size(), QSize(639, 436));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.palette().color(QPalette::Window).rgb(), qRgb(0, 0, 255));

    auto *const widget = window.findChild<QWidget *>(objectName);
    QVERIFY(widget != nullptr);
    QCOMPARE(accessibleText(widget, QAccessible::Name), spoken);
    if (!keys.isEmpty())
        QVERIFY2(accessibleText(widget, QAccessible::Description).endsWith(keys),
                 qPrintable(accessibleText(widget, QAccessible::Description)));
    if (auto *const label = qobject_cast<QLabel *>(widget)) {
        // The title keeps its place and height, and is wide enough for its whole text.
        QCOMPARE(label->text(), caption);
        QCOMPARE(widget->pos(), geometry.topLeft());
        QCOMPARE(widget->height(), geometry.height());
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(caption) <= widget->width());
        QVERIFY(widget->geometry().right() < 448);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(widget->font().italic());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
    if (auto *const pushOrOption = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(pushOrOption->text(), caption);
        QVERIFY(widget->font().bold());
        QVERIFY(!widget->font().italic());
    }
    if (background != 0) {
        const QPalette::ColorRole role =
            qobject_cast<QRadioButton *>(widget) != nullptr ? QPalette::Button : QPalette::Window;
        QCOMPARE(widget->palette().color(role).rgb(), background);
    }
}

void TestGraphWindow::graphDrawsTheChosenCurve_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("graphed");
    QTest::newRow("x*x-2")
        << 0 << "Graph of y = x squared minus 2 from -10 to 10; Space plays it as sound";
    QTest::newRow("x*exp(-x)+2")
        << 1
        << "Graph of y = x times e to the minus x, plus 2 from -10 to 10; Space plays it as sound";
    QTest::newRow("5sin(x)/x")
        << 2 << "Graph of y = 5 sine x over x from -10 to 10; Space plays it as sound";
    QTest::newRow("exp(x)-1-x^2") << 3
                                  << "Graph of y = e to the x, minus 1, minus x squared from -10 "
                                     "to 10; Space plays it as sound";
    QTest::newRow("sqrt(x^2+1)")
        << 4
        << "Graph of y = square root of x squared plus 1 from -10 to 10; Space plays it as sound";
}

// Chosen and graphed with the keyboard alone, then again with the mouse.
void TestGraphWindow::graphDrawsTheChosenCurve()
{
    QFETCH(int, index);
    QFETCH(QString, graphed);

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

void TestGraphWindow::keysMoveTheFocusAndTheChoice_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("visited"); // what has the focus after each key
    QTest::addColumn<int>("chosen");          // the option "Graph" then graphs

    const QStringList forward{"graphButton",     "picture",         "endButton",
                              "functionButton2", "functionButton3", "functionButton4",
                              "functionButton5", "functionButton1"};
    QStringList backward(forward.crbegin() + 1, forward.crend());
    backward << "functionButton1";
    QTest::newRow("Tab") << QStringList(8, "Tab") << forward << 0;
    QTest::newRow("Shift+Tab") << QStringList(8, "Shift+Tab") << backward << 0;
    // Down and Up move along the stack of options and choose as they go, as in any radio group;
    // Tab then goes on from there in the designed order.
    QTest::newRow("Down, Down, Up, Tab")
        << QStringList{"Down", "Down", "Up", "Tab"}
        << QStringList{"functionButton2", "functionButton3", "functionButton2", "functionButton3"}
        << 1;
}

void TestGraphWindow::keysMoveTheFocusAndTheChoice()
{
    QFETCH(QStringList, keys);
    QFETCH(QStringList, visited);
    QFETCH(int, chosen);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QCOMPARE(focusName(), QStringLiteral("functionButton1"));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QKeyCombination key = QKeySequence(keys[i])[0];
        press(*window, key.key(), key.keyboardModifiers());
        QCOMPARE(focusName(), visited[i]);
    }
    QVERIFY(option(*window, chosen)->isChecked());
    pressGraph(*window);
    QCOMPARE(picture(*window), freshGraph(chosen));
}

void TestGraphWindow::everyWayOfChoosingIsGraphed_data()
{
    QTest::addColumn<QString>("choice"); // how function 3 is chosen
    QTest::addColumn<bool>("byKey");     // whether Graph is pressed with its key, else clicked

    QTest::newRow("click") << "click" << false;
    QTest::newRow("Down twice") << "Down Down" << true;
    QTest::newRow("Space on the focused button") << "Space" << false;
    QTest::newRow("the digit 3") << "3" << true;
    QTest::newRow("the digit 3 of the keypad") << "keypad 3" << false;
    QTest::newRow("a screen reader's Toggle action") << "Toggle" << false;
    QTest::newRow("a screen reader's Press action") << "Press" << true;
    QTest::newRow("setChecked") << "setChecked" << false;
}

// However the third button becomes checked, Graph draws its function and the picture's
// description names it.
void TestGraphWindow::everyWayOfChoosingIsGraphed()
{
    QFETCH(QString, choice);
    QFETCH(bool, byKey);

    const std::unique_ptr<app::GraphWindow> window = activeWindow();
    QAbstractButton *const third = option(*window, 2);
    QAccessibleActionInterface *const actions =
        QAccessible::queryAccessibleInterface(third)->actionInterface();
    if (choice == "click") {
        clickBesideCaption(third);
    } else if (choice == "Toggle" || choice == "Press") {
        actions->doAction(choice == "Toggle" ? QAccessibleActionInterface::toggleAction()
                                             : QAccessibleActionInterface::pressAction());
    } else if (choice == "setChecked") {
        third->setChecked(true);
    } else if (choice == "keypad 3") {
        press(*window, Qt::Key_3, Qt::KeypadModifier);
    } else {
        if (choice == "Space")
            QVERIFY(tabTo(*window, third->objectName()));
        for (const QString &key : choice.split(' '))
            press(*window, QKeySequence(key)[0].key());
    }
    QTRY_VERIFY(third->isChecked());
    if (byKey)
        press(*window, Qt::Key_G, Qt::AltModifier);
    else
        pressGraph(*window);
    QTRY_COMPARE(
        pictureDescription(*window),
        QStringLiteral("Graph of y = 5 sine x over x from -10 to 10; Space plays it as sound"));
    QCOMPARE(picture(*window), freshGraph(2));
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
            press(*window, QKeySequence(how)[0].key(), QKeySequence(how)[0].keyboardModifiers());
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(TestGraphWindow)
#include "tst_graphwindow.moc"
