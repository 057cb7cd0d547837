// Speed of the learning record with 10,000 tests (50,000 answers) in it: recording a test, the
// first opening of the file in a run, and every figure read back; the statement figures also with
// 1,000 drill items (3,000 judgments) on top.
#include "bank/compiledpapers.h"
#include "study/itemrecord.h"
#include "study/studyrecord.h"
#include "tests/support/recordhistory.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace kivola;

namespace {

constexpr int RecordedTests = 10000;
constexpr quint32 Seed = 17;
constexpr int LatestTests = 50;
constexpr int TopWrong = 20;
constexpr int JudgedItems = 1000;
constexpr int StatementsPerItem = 3;
constexpr int RightPercent = 65;
constexpr int Percent = 100;

void fill(const QString &path)
{
    const QList<CompletedTest> tests = history::randomTests(
        RecordedTests, Seed, QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
    if (!StudyRecord(path).record(std::span<const CompletedTest>(tests)))
        qFatal("cannot create the record");
}

// Generated once; benchmarks that write work on a copy.
const QString &fullRecord()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString path = StudyRecord::pathIn(dir.path());
        fill(path);
        return path;
    }();
    return path;
}

// A copy of the full record in a fresh folder: on disk, or in memory (/dev/shm), where a sync
// costs nothing and what remains is the work of recording itself.
struct RecordCopy
{
    explicit RecordCopy(bool inMemory)
        : dir(inMemory && QDir(QStringLiteral("/dev/shm")).exists()
                ? QStringLiteral("/dev/shm/kivola-bench-XXXXXX")
                : QDir::tempPath() + QStringLiteral("/kivola-bench-XXXXXX"))
        , path(StudyRecord::pathIn(dir.path()))
    {
        QFile::copy(fullRecord(), path);
    }

    QTemporaryDir dir;
    QString path;
};

// The full record with a drill of JudgedItems items, each judged on StatementsPerItem statements.
const QString &judgedRecord()
{
    static const RecordCopy copy(true);
    static const bool judged = [] {
        ItemRecord items(copy.path);
        QRandomGenerator random(Seed);
        QList<AttemptItem> set;
        for (int position = 1; position <= JudgedItems; ++position) {
            set.append({position,
                random.bounded(QuestionBank::QuestionCount - StatementsPerItem) + 1, 1, 1});
        }
        const std::optional<qint64> drill = items.start(AttemptKind::Drill, NoPaper, 0, set);
        if (!drill)
            return false;
        for (const AttemptItem &item : std::as_const(set)) {
            JudgedItem judged {item.position, {}};
            for (int n = 0; n < StatementsPerItem; ++n) {
                const bool right = random.bounded(Percent) < RightPercent;
                judged.judgments.append(
                    {item.firstBankId + n, right ? AnswerTrue : AnswerFalse, right, 1});
            }
            if (!items.recordDrillItem(*drill, 1, judged, 0))
                return false;
        }
        return true;
    }();
    if (!judged)
        qFatal("cannot judge the items");
    return copy.path;
}

void RecordTest(benchmark::State &state)
{
    const RecordCopy copy(state.range(0) != 0);
    StudyRecord record(copy.path);
    QRandomGenerator random(Seed);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!record.record(history::randomTest(random, now)))
        state.SkipWithError("cannot record");
    for (auto _ : state) {
        const CompletedTest test = history::randomTest(random, now);
        benchmark::DoNotOptimize(record.record(test));
    }
}
BENCHMARK(RecordTest)->ArgName("in_memory")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One answered drill item with the judgments of its four statements, in its own transaction.
void RecordDrillItem(benchmark::State &state)
{
    const RecordCopy copy(state.range(0) != 0);
    ItemRecord items(copy.path);
    QList<AttemptItem> set;
    for (int position = 1; position <= AnswersPerTest; ++position)
        set.append({position, position * 4 - 3, 1, 1});
    std::optional<qint64> drill;
    int position = AnswersPerTest;
    for (auto _ : state) {
        if (position == AnswersPerTest) {
            state.PauseTiming();
            drill = items.start(AttemptKind::Drill, NoPaper, 0, set);
            position = 0;
            state.ResumeTiming();
        }
        ++position;
        JudgedItem judged {position, {}};
        const int first = set.at(position - 1).firstBankId;
        judged.judgments.append({first, AnswerTrue, true, 1});
        judged.judgments.append({first + 1, AnswerFalse, false, 1});
        if (!drill || !items.recordDrillItem(*drill, 1, judged, position)) {
            state.SkipWithError("cannot record the item");
            return;
        }
    }
}
BENCHMARK(RecordDrillItem)->ArgName("in_memory")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// An answer of a mock paper under way, with the seconds left, in its own transaction.
void RecordPaperAnswer(benchmark::State &state)
{
    const RecordCopy copy(state.range(0) != 0);
    ItemRecord items(copy.path);
    constexpr int PaperItems = 28;
    QList<AttemptItem> set;
    for (int position = 1; position <= PaperItems; ++position)
        set.append({position, position * 4 - 3, 1, 1});
    const std::optional<qint64> paper = items.start(AttemptKind::MockPaper, 0, 2800, set);
    int answer = 0;
    for (auto _ : state) {
        ++answer;
        if (!paper
            || !items.recordAnswer(
                *paper, answer % PaperItems + 1, answer % 4 + 1, false, 2800 - answer % 2800)) {
            state.SkipWithError("cannot record the answer");
            return;
        }
    }
}
BENCHMARK(RecordPaperAnswer)->ArgName("in_memory")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The first use in a run: opening the file and checking it.
void OpenRecord(benchmark::State &state)
{
    for (auto _ : state) {
        StudyRecord record(fullRecord());
        benchmark::DoNotOptimize(record.value(QStringLiteral("parts")));
    }
}
BENCHMARK(OpenRecord)->Unit(benchmark::kMillisecond);

void StatementFigures(benchmark::State &state)
{
    StudyRecord record(fullRecord());
    for (auto _ : state)
        benchmark::DoNotOptimize(record.statementFigures());
}
BENCHMARK(StatementFigures)->Unit(benchmark::kMillisecond);

void StatementFiguresJudged(benchmark::State &state)
{
    StudyRecord record(judgedRecord());
    for (auto _ : state)
        benchmark::DoNotOptimize(record.statementFigures());
}
BENCHMARK(StatementFiguresJudged)->Unit(benchmark::kMillisecond);

void StatementHistory(benchmark::State &state)
{
    StudyRecord record(judgedRecord());
    for (auto _ : state)
        benchmark::DoNotOptimize(record.statementHistory());
}
BENCHMARK(StatementHistory)->Unit(benchmark::kMillisecond);

void TestPointsAll(benchmark::State &state)
{
    StudyRecord record(fullRecord());
    for (auto _ : state)
        benchmark::DoNotOptimize(record.testPoints());
}
BENCHMARK(TestPointsAll)->Unit(benchmark::kMillisecond);

void TestPointsLatest(benchmark::State &state)
{
    StudyRecord record(fullRecord());
    for (auto _ : state)
        benchmark::DoNotOptimize(record.testPoints(LatestTests));
}
BENCHMARK(TestPointsLatest)->Unit(benchmark::kMicrosecond);

// The figures derived from the table of statements, read once.
template <typename Query> void Derived(benchmark::State &state, Query query)
{
    StudyRecord record(fullRecord());
    const StatementTable table = record.statementFigures().value_or(emptyStatementTable());
    const QuestionBank bank = BankLoader(compiledPapersDirectory()).build().bank;
    for (auto _ : state)
        benchmark::DoNotOptimize(query(table, bank));
}
BENCHMARK_CAPTURE(Derived, LatestWrong,
    [](const StatementTable &t, const QuestionBank &) { return latestWrong(t); });
BENCHMARK_CAPTURE(Derived, NeverAnswered,
    [](const StatementTable &t, const QuestionBank &) { return neverAnswered(t); });
BENCHMARK_CAPTURE(
    Derived, SeenCount, [](const StatementTable &t, const QuestionBank &) { return seenCount(t); });
BENCHMARK_CAPTURE(Derived, MasteredCount,
    [](const StatementTable &t, const QuestionBank &) { return masteredCount(t); });
BENCHMARK_CAPTURE(Derived, MostWrong,
    [](const StatementTable &t, const QuestionBank &) { return mostWrong(t, TopWrong); });
BENCHMARK_CAPTURE(Derived, AccuracyByPart,
    [](const StatementTable &t, const QuestionBank &b) { return accuracyByPart(t, b); });
BENCHMARK_CAPTURE(Derived, AccuracyByPaper,
    [](const StatementTable &t, const QuestionBank &b) { return accuracyByPaper(t, b); });

} // namespace

BENCHMARK_MAIN();
