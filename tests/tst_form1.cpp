#include "designdata.h"
#include "fonts.h"
#include "form1.h"
#include "formdriver.h"

#include <QMessageBox>
#include <QtTest>

using app::ControlDesign;
using app::ControlKind;
using formdriver::button;
using formdriver::picture;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb magenta = qRgb(128, 0, 128);
const QRgb black = qRgb(0, 0, 0);

QString nameOf(const ControlDesign &design)
{
    return app::toQString(design.name);
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutFollowsTheDesign();
    void startsWithTheFirstFunctionAndTheStartupFrame();
    void choosingChangesNothingUntilGraph();
    void graphDrawsTheChosenCurve_data();
    void graphDrawsTheChosenCurve();
    void tabOrderFollowsTheDesign();
    void failedDrawingIsReportedAndRecovers();
    void endQuits();
};

void TestForm1::initTestCase()
{
    app::installFontSubstitutes();
}

void TestForm1::layoutFollowsTheDesign()
{
    app::Form1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Graph"));
    QCOMPARE(form.size(), QSize(639, 436));
    QCOMPARE(form.minimumSize(), form.maximumSize());

    for (const ControlDesign &design : app::form1Design) {
        if (design.kind == ControlKind::Window)
            continue;
        auto *const widget = form.findChild<QWidget *>(nameOf(design));
        QVERIFY2(widget != nullptr, qPrintable(nameOf(design)));
        const QString caption = app::toQString(design.caption);
        if (auto *const label = qobject_cast<QLabel *>(widget)) {
            // The label keeps its place and height, and is wide enough for its whole title.
            QCOMPARE(widget->pos(), design.rect().topLeft());
            QCOMPARE(widget->height(), design.rect().height());
            QVERIFY(widget->width() >= design.rect().width());
            QVERIFY(QFontMetrics(label->font()).horizontalAdvance(caption) <= widget->width());
            QVERIFY(widget->geometry().right() < app::designOf("Option1(0)").rect().left());
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        } else {
            QCOMPARE(widget->geometry(), design.rect());
        }
        if (auto *const pushOrOption = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(pushOrOption->text(), caption);
        if (design.font) {
            QCOMPARE(widget->font().pointSizeF(), design.font->pointSize);
            QCOMPARE(widget->font().bold(), design.font->bold);
            QCOMPARE(widget->font().italic(), design.font->italic);
        }
        if (design.background) {
            const QPalette::ColorRole role =
                design.kind == ControlKind::OptionButton ? QPalette::Button : QPalette::Window;
            QCOMPARE(widget->palette().color(role).rgb(), *design.background);
            QVERIFY(widget->autoFillBackground() || design.kind == ControlKind::PictureArea);
        }
    }
    QCOMPARE(form.palette().color(QPalette::Window).rgb(), app::blue);

    // The captions that name the functions tell the truth, square-root sign included.
    QCOMPARE(button(form, "Option1(0)")->text(), QStringLiteral("y=x*x-2 "));
    QCOMPARE(button(form, "Option1(3)")->text(), QStringLiteral("y=exp(x)-1-x^2 "));
    QCOMPARE(button(form, "Option1(4)")->text(), QString::fromUtf8("y=\u221a(x^2+1) "));
}

void TestForm1::startsWithTheFirstFunctionAndTheStartupFrame()
{
    app::Form1 form;
    QCOMPARE(form.funcNo(), std::optional<int>(1));
    QVERIFY(button(form, "Option1(0)")->isChecked());
    QCOMPARE(form.focusWidget(), button(form, "Option1(0)"));

    const QImage image = picture(form);
    QCOMPARE(image.pixel(0, 192), magenta);
    QCOMPARE(image.pixel(440, 192), magenta);
    QCOMPARE(image.pixel(220, 0), black);
    // Start-up ticks stop at -9 and 9: none at the ends of the axes.
    QCOMPARE(image.pixel(22, 190), black);
    QCOMPARE(image.pixel(0, 190), qRgb(128, 255, 255));
    QCOMPARE(image.pixel(218, 0), qRgb(128, 255, 255));
}

void TestForm1::choosingChangesNothingUntilGraph()
{
    app::Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage before = picture(form);

    // A click on the empty green right of a button chooses it too.
    QAbstractButton *const sinc = button(form, "Option1(2)");
    QTest::mouseClick(sinc, Qt::LeftButton, {}, QPoint(sinc->width() - 3, sinc->height() / 2));
    QVERIFY(sinc->isChecked());
    QCOMPARE(form.funcNo(), std::optional<int>(3));
    QCOMPARE(picture(form), before);

    QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
    const QImage sincGraph = picture(form);
    QVERIFY(sincGraph != before);

    // Another choice leaves the sinc curve on screen until the next press.
    QTest::mouseClick(button(form, "Option1(4)"), Qt::LeftButton);
    QCOMPARE(form.funcNo(), std::optional<int>(5));
    QCOMPARE(picture(form), sincGraph);
}

void TestForm1::graphDrawsTheChosenCurve_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QPoint>("onCurve");
    QTest::addColumn<QPoint>("offCurve");

    // Pixels on and well off each curve: column (x + 10) * 22, row (10 - y) * 19.2.
    QTest::newRow("x*x-2") << "Option1(0)" << QPoint(220, 230) << QPoint(220, 154);
    QTest::newRow("x*exp(-x)+2") << "Option1(1)" << QPoint(220, 154) << QPoint(220, 230);
    QTest::newRow("5sin(x)/x") << "Option1(2)" << QPoint(220, 96) << QPoint(330, 220);
    QTest::newRow("exp(x)-1-x^2") << "Option1(3)" << QPoint(242, 178) << QPoint(220, 154);
    QTest::newRow("sqrt(x^2+1)") << "Option1(4)" << QPoint(220, 173) << QPoint(220, 96);
}

void TestForm1::graphDrawsTheChosenCurve()
{
    QFETCH(QString, option);
    QFETCH(QPoint, onCurve);
    QFETCH(QPoint, offCurve);

    app::Form1 form;
    QTest::mouseClick(button(form, qPrintable(option)), Qt::LeftButton);
    QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
    const QImage first = picture(form);

    // The graph frame replaces the start-up frame: black x-axis with ticks at its very ends.
    QCOMPARE(first.pixel(1, 192), black);
    QCOMPARE(first.pixel(0, 190), black);
    QCOMPARE(first.pixel(440, 194), black);
    bool magentaLeft = false;
    for (int x = 0; x < first.width(); ++x)
        magentaLeft = magentaLeft || first.pixel(x, 192) == magenta;
    QVERIFY(!magentaLeft);

    QCOMPARE(first.pixel(onCurve), red);
    QVERIFY(first.pixel(offCurve) != red);

    // Graphing again draws the very same pixels.
    QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
    QCOMPARE(picture(form), first);
}

void TestForm1::tabOrderFollowsTheDesign()
{
    app::Form1 form;
    const QStringList expected{"Option1(0)", "Command1",   "Picture1",   "Command2",
                               "Option1(1)", "Option1(2)", "Option1(3)", "Option1(4)"};
    QWidget *widget = form.findChild<QWidget *>(expected.front());
    for (const QString &name : expected) {
        QCOMPARE(widget->objectName(), name);
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus)
            widget = widget->nextInFocusChain();
    }
}

void TestForm1::failedDrawingIsReportedAndRecovers()
{
    FaultyForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.recorder.failOnCall = 46; // the first join of the curve

    QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
    QCOMPARE(form.recorder.calls.size(), std::size_t(47));
    auto *const message = form.findChild<QMessageBox *>(QStringLiteral("drawingFailure"));
    QVERIFY(message != nullptr);
    QVERIFY(message->text().contains(QStringLiteral("\"line-to\"")));
    QVERIFY(form.isEnabled());
    message->close();

    // The next press draws the whole picture, the same as an untroubled window's.
    form.recorder.failOnCall.reset();
    QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
    app::Form1 healthy;
    QTest::mouseClick(button(healthy, "Command1"), Qt::LeftButton);
    QCOMPARE(picture(form), picture(healthy));
}

void TestForm1::endQuits()
{
    app::Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTimer::singleShot(0, &form,
                       [&form] { QTest::mouseClick(button(form, "Command2"), Qt::LeftButton); });
    QCOMPARE(QCoreApplication::exec(), 0);

    // Closing the window, the last one, ends the program too.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTimer::singleShot(0, &form, [&form] { form.close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
