#include "memory/examschedule.h"

#include <QTest>

using namespace kivola;

namespace {

constexpr double Target = 0.9;
constexpr qint64 LastDay = 1000;

} // namespace

class TestExamSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plainDueDayIsTheFirstDayBelowTarget_data();
    void plainDueDayIsTheFirstDayBelowTarget();
    void anIntervalIntoTheExamIsPulledIn_data();
    void anIntervalIntoTheExamIsPulledIn();
    void requiredNewPerDay_data();
    void requiredNewPerDay();
};

void TestExamSchedule::plainDueDayIsTheFirstDayBelowTarget_data()
{
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("retention");

    QTest::newRow("after a first wrong answer") << 0.212 << Target;
    QTest::newRow("after a first right answer") << 2.3065 << Target;
    QTest::newRow("stable, high retention") << 120.0 << 0.97;
    QTest::newRow("stable, low retention") << 120.0 << 0.7;
}

void TestExamSchedule::plainDueDayIsTheFirstDayBelowTarget()
{
    QFETCH(double, stability);
    QFETCH(double, retention);
    const Fsrs model;
    const qint64 due = PlainDueDay(model, {stability, 5}, LastDay, retention);
    QVERIFY(due > LastDay);
    QVERIFY(model.retrievability(double(due - LastDay), stability) < retention);
    if (due - LastDay > 1)
        QVERIFY(model.retrievability(double(due - LastDay - 1), stability) >= retention);
}

void TestExamSchedule::anIntervalIntoTheExamIsPulledIn_data()
{
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");

    QTest::newRow("short interval") << 2.3065 << 5.0;
    QTest::newRow("month") << 30.0 << 5.0;
    QTest::newRow("hard statement, long interval") << 90.0 << 9.5;
}

// The exam falls on the plain due day itself: the review would come on the exam's morning, too
// late. It is pulled in to the earliest day from which a right answer carries R on the exam day to
// the target, and not a day earlier.
void TestExamSchedule::anIntervalIntoTheExamIsPulledIn()
{
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    const Fsrs model;
    const MemoryState state {stability, difficulty};
    const qint64 plain = PlainDueDay(model, state, LastDay, Target);
    const qint64 examDay = plain;
    QVERIFY(model.retrievability(double(examDay - LastDay), stability) < Target);

    const qint64 due = ExamDueDay(model, state, LastDay, plain, examDay, Target);
    QVERIFY(due > LastDay);
    QVERIFY(due < examDay);
    auto onExamAfterReviewOn = [&](qint64 day) {
        const MemoryState after = model.nextState(state, int(day - LastDay), Grade::Good);
        return model.retrievability(double(examDay - day), after.stability);
    };
    QVERIFY(onExamAfterReviewOn(due) >= Target);
    if (due - 1 > LastDay)
        QVERIFY(onExamAfterReviewOn(due - 1) < Target);

    // Once the exam is a day later than the plain due day, R on the exam day is below the target
    // anyway and the plain day, before the exam, stands.
    QCOMPARE(ExamDueDay(model, state, LastDay, plain, examDay + 1, Target), plain);
    // With the exam before the plain due day, R on the exam day already reaches the target.
    QCOMPARE(ExamDueDay(model, state, LastDay, plain, examDay - 1, Target), plain);
}

void TestExamSchedule::requiredNewPerDay_data()
{
    QTest::addColumn<int>("daysToExam");
    QTest::addColumn<int>("unseen");
    QTest::addColumn<int>("introducedToday");
    QTest::addColumn<int>("expected");

    const int room = DaysToThirdMeeting(Fsrs(), Target);
    // Introduction days: today up to the exam's eve less the room for two follow-ups.
    const int days = 100 - 1 - room;
    QTest::newRow("565 over 100 days") << 100 << 565 << 0 << (565 + days - 1) / days;
    QTest::newRow("today's count counts toward today")
        << 100 << 545 << 20 << (565 + days - 1) / days;
    QTest::newRow("nothing unseen") << 100 << 0 << 5 << 0;
    QTest::newRow("exam today") << 0 << 100 << 0 << 0;
    QTest::newRow("exam past") << -3 << 100 << 0 << 0;
    QTest::newRow("too late to leave room: all today") << room << 40 << 2 << 42;
    QTest::newRow("last day that leaves room") << room + 1 << 40 << 0 << 40;
}

void TestExamSchedule::requiredNewPerDay()
{
    QFETCH(int, daysToExam);
    QFETCH(int, unseen);
    QFETCH(int, introducedToday);
    QFETCH(int, expected);
    QCOMPARE(
        RequiredNewPerDay(Fsrs(), Target, LastDay, LastDay + daysToExam, unseen, introducedToday),
        expected);
}

QTEST_APPLESS_MAIN(TestExamSchedule)
#include "tst_examschedule.moc"
