// The memory model on simulated students: how fast one student's history is fitted, and how well
// the plain and the guess-aware model predict later ○/× answers and the memory behind them.
//
// Each student's true memory follows FSRS-6 with parameters of their own, drawn around the
// defaults. A statement the student knows is answered right; one they do not know is right by
// luck half the time. Memory moves with what really happened (recalled: Good, not: Again),
// while the models see only right and wrong.
#include "memory/fsrs.h"
#include "memory/memoryfit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

using namespace kivola;

namespace {

constexpr int Statements = 565;
constexpr double OxGuess = 0.5;
// The chance that a statement is known before its first answer, from school lessons.
constexpr double KnownBeforehand = 0.25;
// How far a student's parameters lie from the defaults: a factor e^(±0.3) at one sigma.
constexpr double StudentSpread = 0.3;
constexpr std::uint64_t Seed = 2026;
constexpr int Students = 10;
constexpr int PracticeDays = 120;
constexpr int HeldOutFrom = 90;
constexpr int AnswersPerDay = 40;
constexpr int CalibrationBins = 20;

struct SimulatedAnswer
{
    Review review;
    // The chance that the student knew the statement at that moment; -1 before the first answer.
    double trueRecall = -1;
};

FsrsParameters drawStudent(std::mt19937_64 &random)
{
    std::normal_distribution<double> spread(0, StudentSpread);
    FsrsParameters w = DefaultFsrsParameters;
    for (int i = 0; i < FsrsParameterCount; ++i)
        w[i] = std::clamp(w[i] * std::exp(spread(random)), FsrsParameterRanges[i].low,
            FsrsParameterRanges[i].high);
    return w;
}

// Daily practice: a quarter new statements while any are left, a quarter among those last
// answered wrong, the rest among all seen; a statement may come twice in a day.
std::vector<SimulatedAnswer> practise(
    const FsrsParameters &truth, int days, int perDay, std::mt19937_64 &random)
{
    const Fsrs memory(truth);
    std::uniform_real_distribution<double> chance(0, 1);
    std::vector<MemoryState> states(Statements);
    std::vector<qint64> last(Statements, -1);
    std::vector<bool> lastWrong(Statements, false);
    std::vector<int> seen;
    int nextNew = 0;
    std::vector<SimulatedAnswer> answers;
    for (qint64 day = 0; day < days; ++day) {
        for (int k = 0; k < perDay; ++k) {
            std::vector<int> wrong;
            for (int id : seen)
                if (lastWrong[id])
                    wrong.push_back(id);
            int id = 0;
            if ((k % 4 == 0 && nextNew < Statements) || seen.empty())
                id = nextNew++;
            else if (k % 4 == 1 && !wrong.empty())
                id = wrong[std::size_t(chance(random) * wrong.size())];
            else
                id = seen[std::size_t(chance(random) * seen.size())];
            if (last[id] < 0)
                seen.push_back(id);

            const int elapsed = int(day - last[id]);
            const double recall = last[id] < 0
                ? KnownBeforehand
                : memory.retrievability(elapsed, states[id].stability);
            const bool known = chance(random) < recall;
            const bool right = known || chance(random) < OxGuess;
            const Grade grade = known ? Grade::Good : Grade::Again;
            states[id] = last[id] < 0 ? memory.firstReview(grade)
                                      : memory.nextState(states[id], elapsed, grade);
            answers.push_back({{id, day, right, OxGuess}, last[id] < 0 ? -1 : recall});
            last[id] = day;
            lastWrong[id] = !right;
        }
    }
    return answers;
}

struct Tally
{
    double loss = 0;
    double recallError = 0;
    double recallBias = 0;
    int count = 0;
    std::array<double, CalibrationBins> binPredicted {};
    std::array<double, CalibrationBins> binObserved {};
    std::array<int, CalibrationBins> binCount {};

    void add(double chanceRight, bool right, double recall, double trueRecall)
    {
        loss -= std::log(right ? chanceRight : 1 - chanceRight);
        recallError += std::abs(recall - trueRecall);
        recallBias += recall - trueRecall;
        const int bin = std::min(int(chanceRight * CalibrationBins), CalibrationBins - 1);
        binPredicted[bin] += chanceRight;
        binObserved[bin] += right ? 1 : 0;
        ++binCount[bin];
        ++count;
    }

    // Root mean square gap between predicted and observed rates over bins of prediction,
    // weighted by the answers in each.
    double binnedRmse() const
    {
        double sum = 0;
        for (int b = 0; b < CalibrationBins; ++b)
            if (binCount[b] > 0)
                sum += std::pow(binPredicted[b] - binObserved[b], 2) / binCount[b];
        return std::sqrt(sum / count);
    }
};

// Replays every answer under the given parameters and scores the later ones, as the fit scores
// answers: neither a statement's first answer nor a second one on the same day.
void scoreHeldOut(const std::vector<SimulatedAnswer> &answers, const FsrsParameters &parameters,
    double guessChance, Tally &tally)
{
    const Fsrs model(parameters);
    std::vector<MemoryState> states(Statements);
    std::vector<qint64> last(Statements, -1);
    for (const SimulatedAnswer &answer : answers) {
        const Review &review = answer.review;
        const int id = review.statementId;
        const int elapsed = int(review.studyDay - last[id]);
        const Grade grade = review.right ? Grade::Good : Grade::Again;
        if (last[id] >= 0 && elapsed > 0 && review.studyDay >= HeldOutFrom) {
            const double recall = model.retrievability(elapsed, states[id].stability);
            tally.add(ChanceRight(recall, guessChance), review.right, recall, answer.trueRecall);
        }
        states[id]
            = last[id] < 0 ? model.firstReview(grade) : model.nextState(states[id], elapsed, grade);
        last[id] = review.studyDay;
    }
}

// Arguments: guess-aware (0 or 1), fitted (0 or 1), days of history fitted on.
void HeldOut(benchmark::State &state)
{
    const bool guessAware = state.range(0) != 0;
    const bool fitted = state.range(1) != 0;
    const int trainingDays = int(state.range(2));
    const GuessModel model = guessAware ? GuessModel::GuessAware : GuessModel::Plain;
    Tally tally;
    double trainingAnswers = 0;
    for (auto _ : state) {
        tally = {};
        std::mt19937_64 random(Seed);
        for (int student = 0; student < Students; ++student) {
            const FsrsParameters truth = drawStudent(random);
            const std::vector<SimulatedAnswer> answers
                = practise(truth, PracticeDays, AnswersPerDay, random);
            std::vector<Review> training;
            for (const SimulatedAnswer &answer : answers)
                if (answer.review.studyDay < trainingDays)
                    training.push_back(answer.review);
            const MemoryFit fit = FitMemoryModel(training, model, fitted ? 1 : INT_MAX);
            trainingAnswers += fit.scoredAnswers;
            scoreHeldOut(answers, fit.parameters, guessAware ? OxGuess : 0, tally);
        }
    }
    state.counters["train_scored"] = trainingAnswers / Students / state.iterations();
    state.counters["log_loss"] = tally.loss / tally.count;
    state.counters["rmse_bins"] = tally.binnedRmse();
    state.counters["mae_R"] = tally.recallError / tally.count;
    state.counters["bias_R"] = tally.recallBias / tally.count;
}
BENCHMARK(HeldOut)
    ->ArgNames({"guess", "fitted", "train_days"})
    ->Args({0, 0, HeldOutFrom})
    ->Args({0, 1, HeldOutFrom})
    ->Args({1, 0, HeldOutFrom})
    ->Args({1, 1, HeldOutFrom})
    ->Args({0, 1, 5})
    ->Args({1, 1, 5})
    ->Args({0, 1, 10})
    ->Args({1, 1, 10})
    ->Args({0, 1, 40})
    ->Args({1, 1, 40})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The fit the program would run for a heavy user: 50,000 answers over 500 days.
void FitFiftyThousand(benchmark::State &state)
{
    std::mt19937_64 random(Seed);
    const FsrsParameters truth = drawStudent(random);
    std::vector<Review> reviews;
    for (const SimulatedAnswer &answer : practise(truth, 500, 100, random))
        reviews.push_back(answer.review);
    MemoryFit fit;
    for (auto _ : state)
        fit = FitMemoryModel(reviews, GuessModel::GuessAware);
    state.counters["answers"] = double(reviews.size());
    state.counters["scored"] = fit.scoredAnswers;
    state.counters["iterations"] = fit.iterations;
    state.counters["log_loss"] = fit.logLoss;
    state.counters["default_log_loss"] = fit.defaultLogLoss;
}
BENCHMARK(FitFiftyThousand)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
