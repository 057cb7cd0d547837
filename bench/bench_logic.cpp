// Speed of the logic behind every test start, grading and score report.
#include "bank/compiledpapers.h"
#include "bank/questionbank.h"
#include "quiz/clockrandomsource.h"
#include "quiz/examitem.h"
#include "quiz/quiz.h"
#include "scores/scorestore.h"
#include "scores/scoresummary.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kivola;

namespace {

BankBuild compiledBank()
{
    return BankLoader(compiledPapersDirectory()).build();
}

void BankRebuild(benchmark::State &state)
{
    for (auto _ : state) {
        BankBuild build = compiledBank();
        benchmark::DoNotOptimize(build);
    }
}
BENCHMARK(BankRebuild)->Unit(benchmark::kMicrosecond);

// Items are built afresh whenever a drill or a mock paper starts.
void BuildExamItems(benchmark::State &state)
{
    const BankBuild build = compiledBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildExamItems(build.bank));
}
BENCHMARK(BuildExamItems)->Unit(benchmark::kMicrosecond);

void StartTestLogic(benchmark::State &state)
{
    ClockRandomSource random;
    Quiz quiz(compiledBank, random);
    for (auto _ : state)
        benchmark::DoNotOptimize(quiz.StartTest());
}
BENCHMARK(StartTestLogic)->Unit(benchmark::kMicrosecond);

void ScoreTestAndSave(benchmark::State &state)
{
    QTemporaryDir dir;
    ScoreStore store(ScoreStore::pathIn(dir.path()));
    ClockRandomSource random;
    Quiz quiz(compiledBank, random);
    if (quiz.StartTest() != Quiz::StartOutcome::Started) {
        state.SkipWithError("the compiled bank is incomplete");
        return;
    }
    for (int n = 1; n < QuestionsPerTest; ++n)
        quiz.RecordAnswer(AnswerTrue);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.recordTest(quiz.ScoreTest().score));
}
BENCHMARK(ScoreTestAndSave)->Unit(benchmark::kMicrosecond);

void LoadScores(benchmark::State &state)
{
    QTemporaryDir dir;
    ScoreStore store(ScoreStore::pathIn(dir.path()));
    store.addTest(60);
    store.SaveScores();
    for (auto _ : state) {
        store.LoadScores();
        benchmark::DoNotOptimize(store.totalPoints());
    }
}
BENCHMARK(LoadScores)->Unit(benchmark::kMicrosecond);

void ReportFigures(benchmark::State &state)
{
    std::int32_t tests = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScoreSummary::of(tests, tests * 60));
        tests = tests % 1000 + 1;
    }
}
BENCHMARK(ReportFigures);

} // namespace

BENCHMARK_MAIN();
