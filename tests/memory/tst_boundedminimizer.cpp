#include "memory/boundedminimizer.h"

#include <QTest>

#include <cmath>

using namespace kivola;

class TestBoundedMinimizer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void minimum_data();
    void minimum();
};

void TestBoundedMinimizer::minimum_data()
{
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("inside the box") << 2.0 << 1.0 << 1.0;
    QTest::newRow("held at the upper bound") << 0.5 << 0.5 << 0.25;
}

// Rosenbrock's valley, in a box [-2, high]²: a curved minimum that steepest descent alone would
// take thousands of steps to reach.
void TestBoundedMinimizer::minimum()
{
    QFETCH(double, high);
    QFETCH(double, x);
    QFETCH(double, y);
    const SmoothFunction valley = [](std::span<const double> p, std::span<double> g) {
        const double a = 1 - p[0];
        const double b = p[1] - p[0] * p[0];
        if (!g.empty()) {
            g[0] = -2 * a - 400 * p[0] * b;
            g[1] = 200 * b;
        }
        return a * a + 100 * b * b;
    };
    const std::vector<double> low = {-2, -2};
    const std::vector<double> highs = {high, high};
    const MinimizerResult result = MinimizeWithinBounds(valley, {-1.2, 1}, low, highs);
    QVERIFY2(std::abs(result.x[0] - x) < 1e-4 && std::abs(result.x[1] - y) < 1e-4,
        qPrintable(QStringLiteral("(%1, %2)").arg(result.x[0]).arg(result.x[1])));
    QVERIFY(result.iterations < 200);
}

QTEST_APPLESS_MAIN(TestBoundedMinimizer)
#include "tst_boundedminimizer.moc"
