#include "functioncatalogue.h"

#include <QtTest>

#include <cmath>

using graphing::FunctionCatalogue;

class TestFunctionCatalogue : public QObject {
    Q_OBJECT

private slots:
    void valuesAtTheEndsAndTheMiddle_data();
    void valuesAtTheEndsAndTheMiddle();
    void nothingChosenGivesNoValue();
    void choosingReplacesAndRepeats();
    void sincLimitAtZero();
};

void TestFunctionCatalogue::valuesAtTheEndsAndTheMiddle_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");

    QTest::newRow("x*x-2 at -10") << 0 << -10.0 << 98.0;
    QTest::newRow("x*exp(-x)+2 at -10") << 1 << -10.0 << -220262.65794806718;
    QTest::newRow("5sin(x)/x at -10") << 2 << -10.0 << -0.27201055544468489;
    QTest::newRow("exp(x)-1-x^2 at -10") << 3 << -10.0 << -100.99995460007024;
    QTest::newRow("sqrt(x^2+1) at -10") << 4 << -10.0 << 10.04987562112089;

    QTest::newRow("x*x-2 at 0") << 0 << 0.0 << -2.0;
    QTest::newRow("x*exp(-x)+2 at 0") << 1 << 0.0 << 2.0;
    QTest::newRow("exp(x)-1-x^2 at 0") << 3 << 0.0 << 0.0;
    QTest::newRow("sqrt(x^2+1) at 0") << 4 << 0.0 << 1.0;

    QTest::newRow("x*x-2 at 10") << 0 << 10.0 << 98.0;
    QTest::newRow("x*exp(-x)+2 at 10") << 1 << 10.0 << 2.000453999297625;
    QTest::newRow("5sin(x)/x near 0") << 2 << -1.7e-13 << 5.0;
    QTest::newRow("exp(x)-1-x^2 at 3") << 3 << 3.0 << 10.085536923187668;
    QTest::newRow("sqrt(x^2+1) at sqrt(99)") << 4 << std::sqrt(99.0) << 10.0;
}

void TestFunctionCatalogue::valuesAtTheEndsAndTheMiddle()
{
    QFETCH(int, option);
    QFETCH(double, x);
    QFETCH(double, expected);

    FunctionCatalogue catalogue;
    catalogue.choose((option));
    QCOMPARE(catalogue.funcNo(), std::optional<int>(option + 1));
    const std::optional<double> y = catalogue.f(x);
    QVERIFY(y.has_value());
    if (expected == 0)
        QCOMPARE(*y, 0.0);
    else
        QVERIFY2(std::abs(*y - expected) <= 1e-12 * std::abs(expected),
                 qPrintable(QString::number(*y, 'g', 17)));
}

void TestFunctionCatalogue::nothingChosenGivesNoValue()
{
    FunctionCatalogue catalogue;
    QCOMPARE(catalogue.funcNo(), std::nullopt);
    for (const double x : {-10.0, -0.5, 0.0, 3.25, 10.0})
        QCOMPARE(catalogue.f(x), std::nullopt);

    // A number no button gives chooses nothing either.
    catalogue.choose(5);
    QCOMPARE(catalogue.funcNo(), std::optional<int>(6));
    QCOMPARE(catalogue.f(1.0), std::nullopt);
}

void TestFunctionCatalogue::choosingReplacesAndRepeats()
{
    FunctionCatalogue catalogue;
    catalogue.choose(2);
    catalogue.choose(2);
    QCOMPARE(catalogue.funcNo(), std::optional<int>(3));
    catalogue.choose(0);
    QCOMPARE(catalogue.funcNo(), std::optional<int>(1));
    QCOMPARE(catalogue.f(3.0), std::optional<double>(7.0));
}

void TestFunctionCatalogue::sincLimitAtZero()
{
    FunctionCatalogue catalogue;
    catalogue.choose(2);
    QCOMPARE(catalogue.f(0.0), std::optional<double>(5.0));
    QCOMPARE(catalogue.f(-0.0), std::optional<double>(5.0));
    const std::optional<double> nearZero = catalogue.f(1e-300);
    QVERIFY(nearZero && std::isfinite(*nearZero));
}

QTEST_APPLESS_MAIN(TestFunctionCatalogue)
#include "tst_functioncatalogue.moc"
