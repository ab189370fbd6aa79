#include "designdata.h"
#include "fonts.h"
#include "form1.h"
#include "formdriver.h"

#include <QAccessible>
#include <QtTest>

#include <memory>

using app::toQString;
using formdriver::button;
using formdriver::option;
using formdriver::picture;

namespace {

// What assistive technology is told about `widget`.
QString accessibleText(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *const accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(text) : QStringLiteral("<no interface>");
}

QWidget *control(app::Form1 &form, const QString &name)
{
    return form.objectName() == name ? &form : form.findChild<QWidget *>(name);
}

// A window on screen with the keyboard focus, as a user meets it.
std::unique_ptr<app::Form1> activeWindow()
{
    auto form = std::make_unique<app::Form1>();
    form->show();
    QApplication::setActiveWindow(form.get());
    if (!QTest::qWaitForWindowActive(form.get()))
        qFatal("the window did not become active");
    return form;
}

// Presses a key the way the keyboard does: through the window, to whatever holds the focus.
void press(app::Form1 &form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(form.windowHandle(), key, modifiers);
}

QString focusName()
{
    QWidget *const focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QStringLiteral("<nothing>");
}

// Presses Tab until `name` has the focus; a whole round of the window without it is a failure.
bool tabTo(app::Form1 &form, const QString &name)
{
    for (int presses = 0; presses < 2 * int(app::form1Design.size()); ++presses) {
        if (focusName() == name)
            return true;
        press(form, Qt::Key_Tab);
    }
    return false;
}

int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    }
    return count;
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
    app::Form1 form;
    QStringList optionNames;
    for (const app::ControlDesign &design : app::form1Design) {
        const QString name = toQString(design.name);
        QWidget *const widget = control(form, name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        const QString spoken = accessibleText(widget, QAccessible::Name);
        QVERIFY2(!spoken.isEmpty(), qPrintable(name));
        QCOMPARE(spoken, toQString(design.accessibleName));
        if (design.kind == app::ControlKind::OptionButton)
            optionNames << spoken;
    }
    // Each option is told apart by the function it names.
    optionNames.removeDuplicates();
    QCOMPARE(optionNames.size(), graphing::FunctionCatalogue::functionCount);
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

    app::Form1 form;
    QWidget *const picture = control(form, QStringLiteral("Picture1"));
    const QString axes = QStringLiteral("Axes from -10 to 10");
    QCOMPARE(accessibleText(picture, QAccessible::Description), axes);

    // A choice alone changes nothing on screen, so the description stays too.
    formdriver::click(option(form, index));
    QCOMPARE(accessibleText(picture, QAccessible::Description), axes);

    formdriver::pressGraph(form);
    QCOMPARE(accessibleText(picture, QAccessible::Description), graphed);

    // The next choice leaves the curve, and its description, until "Graph" is pressed again.
    formdriver::click(option(form, (index + 1) % graphing::FunctionCatalogue::functionCount));
    QCOMPARE(accessibleText(picture, QAccessible::Description), graphed);
}

void TestKeyboard::focusFollowsTheDesignedTabOrder_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("visited");

    const QStringList forward{"Command1",   "Picture1",   "Command2",   "Option1(1)",
                              "Option1(2)", "Option1(3)", "Option1(4)", "Option1(0)"};
    const QStringList backward{"Option1(4)", "Option1(3)", "Option1(2)", "Option1(1)",
                               "Command2",   "Picture1",   "Command1",   "Option1(0)"};
    QTest::newRow("Tab") << Qt::KeyboardModifiers(Qt::NoModifier) << forward;
    QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
}

void TestKeyboard::focusFollowsTheDesignedTabOrder()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, visited);

    const std::unique_ptr<app::Form1> form = activeWindow();
    QCOMPARE(focusName(), QStringLiteral("Option1(0)"));
    for (const QString &expected : visited) {
        press(*form, Qt::Key_Tab, modifiers);
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

    const std::unique_ptr<app::Form1> form = activeWindow();
    const QImage startup = picture(*form);
    QCOMPARE(redPixels(startup), 0);

    QVERIFY(tabTo(*form, option(*form, index)->objectName()));
    press(*form, Qt::Key_Space);
    QVERIFY(option(*form, index)->isChecked());
    QCOMPARE(form->funcNo(), std::optional<int>(index + 1));
    QCOMPARE(picture(*form), startup);

    QVERIFY(tabTo(*form, QStringLiteral("Command1")));
    press(*form, Qt::Key_Space);
    const QImage graphed = picture(*form);
    QVERIFY(redPixels(graphed) > 100);
    // The very curve a mouse user gets.
    QCOMPARE(graphed, formdriver::freshGraph(index));
}

void TestKeyboard::arrowKeysChooseWithinTheOptions()
{
    const std::unique_ptr<app::Form1> form = activeWindow();

    // Down and Up move along the stack of options and choose as they go, as in any radio group.
    press(*form, Qt::Key_Down);
    press(*form, Qt::Key_Down);
    QCOMPARE(focusName(), QStringLiteral("Option1(2)"));
    QCOMPARE(form->funcNo(), std::optional<int>(3));
    press(*form, Qt::Key_Up);
    QCOMPARE(focusName(), QStringLiteral("Option1(1)"));
    QCOMPARE(form->funcNo(), std::optional<int>(2));
    QVERIFY(option(*form, 1)->isChecked());

    // Tab then goes on from there in the designed order.
    press(*form, Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("Option1(2)"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
