#include "memory/fsrs.h"

#include <QTest>

#include <climits>
#include <cmath>

using namespace kivola;

namespace {

// The expected figures come from schedulers computing in single precision.
constexpr double SinglePrecision = 2e-6;

bool near(double actual, double expected, double relative = SinglePrecision)
{
    return std::abs(actual - expected) <= relative * std::max(1.0, std::abs(expected));
}

#define COMPARE_NEAR(actual, expected)                                                             \
    QVERIFY2(near(actual, expected),                                                               \
        qPrintable(                                                                                \
            QStringLiteral("%1, expected %2").arg(actual, 0, 'g', 10).arg(expected, 0, 'g', 10)))

} // namespace

class TestFsrs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void retrievability_data();
    void retrievability();
    void firstReview_data();
    void firstReview();
    void difficulty_data();
    void difficulty();
    void stability_data();
    void stability();
    void history_data();
    void history();
    void interval_data();
    void interval();
    void chanceRight();
};

void TestFsrs::retrievability_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("expected");
    QTest::newRow("just reviewed") << 0.0 << 1.0 << 1.0;
    QTest::newRow("1 day, S 2") << 1.0 << 2.0 << 0.9403443;
    QTest::newRow("2 days, S 3") << 2.0 << 3.0 << 0.9253786;
    QTest::newRow("3 days, S 4") << 3.0 << 4.0 << 0.9185229;
    QTest::newRow("at the stability") << 4.0 << 4.0 << 0.9;
    QTest::newRow("past the stability") << 5.0 << 2.0 << 0.8261359;
}

void TestFsrs::retrievability()
{
    QFETCH(double, days);
    QFETCH(double, stability);
    QFETCH(double, expected);
    COMPARE_NEAR(Fsrs().retrievability(days, stability), expected);
}

void TestFsrs::firstReview_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    QTest::newRow("Again") << 1 << 0.212 << 6.4133;
    QTest::newRow("Hard") << 2 << 1.2931 << 5.11217071;
    QTest::newRow("Good") << 3 << 2.3065 << 2.11810397;
    QTest::newRow("Easy, difficulty floored") << 4 << 8.2956 << 1.0;
}

void TestFsrs::firstReview()
{
    QFETCH(int, grade);
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    const MemoryState state = Fsrs().firstReview(Grade(grade));
    COMPARE_NEAR(state.stability, stability);
    COMPARE_NEAR(state.difficulty, difficulty);
}

void TestFsrs::difficulty_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<double>("moved");
    QTest::addColumn<double>("reverted");
    QTest::newRow("Again") << 1 << 8.354889 << 8.341763;
    QTest::newRow("Hard") << 2 << 6.6774445 << 6.6659956;
    QTest::newRow("Good") << 3 << 5.0 << 4.990228;
    QTest::newRow("Easy") << 4 << 3.3225555 << 3.3144615;
}

void TestFsrs::difficulty()
{
    QFETCH(int, grade);
    QFETCH(double, moved);
    QFETCH(double, reverted);
    COMPARE_NEAR(Fsrs().movedDifficulty(5, Grade(grade)), moved);
    COMPARE_NEAR(Fsrs().nextDifficulty(5, Grade(grade)), reverted);
}

// From S = 5; the row's difficulty and retrievability rise with the grade.
void TestFsrs::stability_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<double>("pass");
    QTest::addColumn<double>("lapse");
    QTest::addColumn<double>("sameDay");
    QTest::newRow("Again") << 1 << 25.602541 << 1.0525396 << 1.596818;
    QTest::newRow("Hard, same day floored") << 2 << 28.226582 << 1.1894329 << 5.0;
    QTest::newRow("Good") << 3 << 58.656002 << 1.3680838 << 5.0;
    QTest::newRow("Easy") << 4 << 127.226685 << 1.584989 << 8.12961;
}

void TestFsrs::stability()
{
    QFETCH(int, grade);
    QFETCH(double, pass);
    QFETCH(double, lapse);
    QFETCH(double, sameDay);
    const Fsrs fsrs;
    const double difficulty = grade;
    const double recall = 1 - 0.1 * grade;
    COMPARE_NEAR(fsrs.stabilityAfterPass(5, difficulty, recall, Grade(grade)), pass);
    COMPARE_NEAR(fsrs.stabilityAfterLapse(5, difficulty, recall), lapse);
    COMPARE_NEAR(fsrs.sameDayStability(5, Grade(grade)), sameDay);
}

void TestFsrs::history_data()
{
    QTest::addColumn<bool>("withSameDayTerms");
    QTest::addColumn<double>("stability");
    QTest::newRow("defaults") << true << 53.62691;
    QTest::newRow("same-day terms off") << false << 53.335106;
}

// Again, then Good on days 0, 1, 4, 12 and 33.
void TestFsrs::history()
{
    QFETCH(bool, withSameDayTerms);
    QFETCH(double, stability);
    FsrsParameters parameters = DefaultFsrsParameters;
    if (!withSameDayTerms)
        parameters[17] = parameters[18] = parameters[19] = 0;
    const Fsrs fsrs(parameters);
    MemoryState state = fsrs.firstReview(Grade::Again);
    for (int elapsed : {0, 1, 3, 8, 21})
        state = fsrs.nextState(state, elapsed, Grade::Good);
    QVERIFY(std::abs(state.stability - stability) < 1e-4);
    QVERIFY(std::abs(state.difficulty - 6.3574867) < 1e-4);
}

void TestFsrs::interval_data()
{
    QTest::addColumn<double>("retention");
    QTest::addColumn<int>("days");
    const QList<int> expected = {3116769, 34793, 2508, 387, 90, 27, 9, 3, 1, 1};
    for (int i = 0; i < expected.size(); ++i) {
        const double retention = 0.1 * (i + 1);
        QTest::addRow("%.1f", retention) << retention << expected.at(i);
    }
}

void TestFsrs::interval()
{
    QFETCH(double, retention);
    QFETCH(int, days);
    QCOMPARE(Fsrs().intervalDays(1, retention, INT_MAX), days);
    QCOMPARE(Fsrs().intervalDays(1, retention, 365), std::min(days, 365));
}

void TestFsrs::chanceRight()
{
    QCOMPARE(ChanceRight(0.8, 0.5), 0.9);
    QCOMPARE(ChanceRight(0.8, 0.0), 0.8);
    QCOMPARE(ChanceRight(0.0, 0.25), 0.25);
}

QTEST_APPLESS_MAIN(TestFsrs)
#include "tst_fsrs.moc"
