// Speed of the daily review over a record of 10,000 tests (50,000 answers): the history turned
// into the memory model's reviews, the plan with its due queue, the whole reload the window does,
// and the exam-day forecast.
#include "bank/compiledpapers.h"
#include "memory/reviewplan.h"
#include "memory/studyday.h"
#include "session/dailyreview.h"
#include "session/mockscoreforecast.h"
#include "session/reviewhistory.h"
#include "study/studyrecord.h"
#include "tests/support/recordhistory.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kivola;

namespace {

constexpr int RecordedTests = 10000;
constexpr quint32 Seed = 17;
const QTimeZone Tokyo("Asia/Tokyo");
const QDateTime FirstTest(QDate(2025, 9, 1), QTime(9, 0), Qt::UTC);
// A day after the last of the tests, ten minutes apart.
const QDateTime Now = FirstTest.addDays(70);

QDateTime benchClock()
{
    return Now;
}

const QString &fullRecord()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString path = StudyRecord::pathIn(dir.path());
        const QList<CompletedTest> tests = history::randomTests(RecordedTests, Seed, FirstTest);
        if (!StudyRecord(path).record(std::span<const CompletedTest>(tests)))
            qFatal("cannot create the record");
        return path;
    }();
    return path;
}

const QList<StatementEvent> &fullHistory()
{
    static const QList<StatementEvent> history = *StudyRecord(fullRecord()).statementHistory();
    return history;
}

const QuestionBank &bank()
{
    static const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
    return bank;
}

ReviewPlan fullPlan()
{
    const std::vector<Review> reviews = ReviewsFromHistory(fullHistory(), Tokyo);
    const QDate today = QDate::fromJulianDay(StudyDay(Now, Tokyo));
    return ReviewPlan(
        reviews, DefaultFsrsParameters, ReviewSettings::defaults(today), StudyDay(Now, Tokyo));
}

void BM_ReviewsFromHistory(benchmark::State &state)
{
    const QList<StatementEvent> &history = fullHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReviewsFromHistory(history, Tokyo));
}
BENCHMARK(BM_ReviewsFromHistory)->Unit(benchmark::kMillisecond);

// The due queue from the history as read: every statement replayed, due and new worked out.
void BM_DueQueue(benchmark::State &state)
{
    for (auto _ : state) {
        const ReviewPlan plan = fullPlan();
        benchmark::DoNotOptimize(plan.due());
        benchmark::DoNotOptimize(plan.newToday());
    }
}
BENCHMARK(BM_DueQueue)->Unit(benchmark::kMillisecond);

// What the window waits for when it opens: the history read from the file, settings, parameters,
// the plan and the first batch.
void BM_DailyReviewReload(benchmark::State &state)
{
    DailyReview review(fullRecord(), bank(), Tokyo, &benchClock);
    for (auto _ : state)
        benchmark::DoNotOptimize(review.reload());
}
BENCHMARK(BM_DailyReviewReload)->Unit(benchmark::kMillisecond);

// The figures toward the exam: the plan, the fortnight's forecast, the means and the expected
// mock score over every item of the six papers.
void BM_ExamForecast(benchmark::State &state)
{
    const QList<ExamItem> items = buildExamItems(bank());
    for (auto _ : state) {
        const ReviewPlan plan = fullPlan();
        benchmark::DoNotOptimize(plan.dueForecast());
        benchmark::DoNotOptimize(plan.meanRetrievabilityNow());
        benchmark::DoNotOptimize(plan.expectedJudgmentShareOnExam());
        benchmark::DoNotOptimize(ExpectedMockScore(items, plan.retrievabilityOnExamTable()));
    }
}
BENCHMARK(BM_ExamForecast)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
