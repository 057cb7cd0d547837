#include "memory/examschedule.h"
#include "memory/reviewplan.h"

#include <QTest>

#include <vector>

using namespace kivola;

namespace {

constexpr int Statements = 10;
constexpr qint64 Today = 2461000;
const QDate FarExam = QDate::fromJulianDay(Today + 3650);

ReviewSettings settingsWith(int newPerDay, const QDate &exam = FarExam)
{
    return {ReviewSettings::DefaultRetention, newPerDay, ReviewSettings::DefaultSessionSize, exam};
}

Review rightOn(int id, qint64 day)
{
    return {id, day, true, 0.5};
}

Review wrongOn(int id, qint64 day)
{
    return {id, day, false, 0.5};
}

} // namespace

class TestReviewPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dueMostForgottenFirst();
    void newPerDayCap_data();
    void newPerDayCap();
    void intervalIntoTheExamIsPulledIn();
    void newPerDayRaisedForTheExam();
    void figures();
};

void TestReviewPlan::dueMostForgottenFirst()
{
    const std::vector<Review> reviews {
        rightOn(1, Today - 10),
        wrongOn(2, Today - 5),
        rightOn(3, Today - 1),
        wrongOn(4, Today - 40),
        rightOn(5, Today - 30),
        rightOn(5, Today - 20),
        wrongOn(6, Today),
        // Outside the bank: left out.
        rightOn(Statements + 1, Today - 30),
        rightOn(0, Today - 30),
    };
    const ReviewPlan plan(reviews, DefaultFsrsParameters, settingsWith(0), Today, Statements);

    // Statement 5, answered right twice, is still known well enough.
    QCOMPARE(plan.due(), (QList<int> {4, 2, 1}));
    for (int id = 1; id <= Statements; ++id) {
        const StatementSchedule &statement = plan.statement(id);
        QCOMPARE(plan.due().contains(id),
            statement.seen && statement.retrievabilityNow < ReviewSettings::DefaultRetention);
    }
    // Answered today, even wrong, is not due again today.
    QCOMPARE(plan.statement(6).retrievabilityNow, 1.0);
    QVERIFY(plan.statement(6).dueDay > Today);
    QCOMPARE(plan.unseenCount(), Statements - 6);
}

void TestReviewPlan::newPerDayCap_data()
{
    QTest::addColumn<int>("newPerDay");
    QTest::addColumn<int>("introducedToday");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("none met yet") << 3 << 0 << QList<int> {1, 2, 3};
    QTest::newRow("some met today") << 3 << 2 << QList<int> {1};
    QTest::newRow("cap reached") << 3 << 3 << QList<int> {};
    QTest::newRow("cap passed") << 3 << 5 << QList<int> {};
    QTest::newRow("more than there are") << 20 << 0 << QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9};
    // Even years ahead, the exam asks for one a day while any statement is unseen.
    QTest::newRow("none a day") << 0 << 0 << QList<int> {1};
}

void TestReviewPlan::newPerDayCap()
{
    QFETCH(int, newPerDay);
    QFETCH(int, introducedToday);
    QFETCH(QList<int>, expected);

    // The last statement met before today, the ones below it today.
    std::vector<Review> reviews {rightOn(Statements, Today - 3)};
    for (int i = 1; i <= introducedToday; ++i)
        reviews.push_back(rightOn(Statements - i, Today));
    const ReviewPlan plan(
        reviews, DefaultFsrsParameters, settingsWith(newPerDay), Today, Statements);
    QCOMPARE(plan.introducedToday(), introducedToday);
    QCOMPARE(plan.newToday(), expected);
}

void TestReviewPlan::intervalIntoTheExamIsPulledIn()
{
    const Fsrs model;
    const qint64 lastDay = Today - 2;
    const MemoryState state = model.firstReview(Grade::Good);
    const qint64 plain = PlainDueDay(model, state, lastDay, ReviewSettings::DefaultRetention);
    const std::vector<Review> reviews {rightOn(1, lastDay)};
    const QDate exam = QDate::fromJulianDay(plain);

    const ReviewPlan before(reviews, DefaultFsrsParameters, settingsWith(0, exam), Today, 1);
    const StatementSchedule &bent = before.statement(1);
    QVERIFY(bent.pulledInByExam);
    QVERIFY(bent.dueDay < plain);
    const MemoryState after = model.nextState(state, int(bent.dueDay - lastDay), Grade::Good);
    QVERIFY(model.retrievability(double(plain - bent.dueDay), after.stability)
        >= ReviewSettings::DefaultRetention);

    // Once the exam day has come, plain FSRS.
    const ReviewPlan onExam(
        reviews, DefaultFsrsParameters, settingsWith(0, QDate::fromJulianDay(Today)), Today, 1);
    QVERIFY(!onExam.examAhead());
    QCOMPARE(onExam.statement(1).dueDay, plain);
    QVERIFY(!onExam.statement(1).pulledInByExam);
}

void TestReviewPlan::newPerDayRaisedForTheExam()
{
    const int room = DaysToThirdMeeting(Fsrs(), ReviewSettings::DefaultRetention);
    // Twenty days to introduce them all.
    const int days = 20;
    const QDate exam = QDate::fromJulianDay(Today + days + room);
    const int needed = (QuestionBank::QuestionCount + days - 1) / days;
    QVERIFY(needed > ReviewSettings::DefaultNewPerDay);

    const ReviewPlan raised({}, DefaultFsrsParameters, settingsWith(20, exam), Today);
    QCOMPARE(raised.requiredNewPerDay(), needed);
    QCOMPARE(raised.newPerDay(), needed);
    QVERIFY(raised.newPerDayRaised());
    QCOMPARE(raised.newToday().size(), needed);

    const ReviewPlan enough({}, DefaultFsrsParameters, settingsWith(needed + 5, exam), Today);
    QCOMPARE(enough.newPerDay(), needed + 5);
    QVERIFY(!enough.newPerDayRaised());

    const ReviewPlan after(
        {}, DefaultFsrsParameters, settingsWith(20, QDate::fromJulianDay(Today - 1)), Today);
    QCOMPARE(after.requiredNewPerDay(), 0);
    QCOMPARE(after.newPerDay(), 20);
}

void TestReviewPlan::figures()
{
    const QDate exam = QDate::fromJulianDay(Today + 30);
    const std::vector<Review> reviews {
        rightOn(1, Today), rightOn(2, Today - 3), wrongOn(3, Today - 9)};
    const ReviewPlan plan(reviews, DefaultFsrsParameters, settingsWith(0, exam), Today, Statements);

    // Unseen statements count as known with R = 0.
    double now = 0;
    double onExam = 0;
    for (int id = 1; id <= 3; ++id) {
        now += plan.statement(id).retrievabilityNow;
        onExam += plan.statement(id).retrievabilityOnExam;
    }
    QCOMPARE(plan.statement(1).retrievabilityNow, 1.0);
    QCOMPARE(plan.meanRetrievabilityNow(), now / Statements);
    QCOMPARE(plan.meanRetrievabilityOnExam(), onExam / Statements);
    QCOMPARE(plan.expectedJudgmentShareOnExam(), 0.5 + 0.5 * onExam / Statements);

    const QList<int> forecast = plan.dueForecast();
    QCOMPARE(forecast.size(), ReviewPlan::ForecastDays);
    QCOMPARE(forecast.at(0), int(plan.due().size()));
    int counted = 0;
    for (int id = 1; id <= 3; ++id) {
        const qint64 ahead = plan.statement(id).dueDay - Today;
        counted += ahead < ReviewPlan::ForecastDays ? 1 : 0;
    }
    int sum = 0;
    for (const int count : forecast)
        sum += count;
    QCOMPARE(sum, counted);
    QCOMPARE(plan.retrievabilityOnExamTable().size(), Statements + 1);
}

QTEST_APPLESS_MAIN(TestReviewPlan)
#include "tst_reviewplan.moc"
