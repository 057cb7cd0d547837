#include "memory/fsrs.h"

#include <algorithm>
#include <cmath>

namespace kivola {

namespace {

// Retrievability at one stability's distance from the last review, by definition of stability.
constexpr double RetentionAtStability = 0.9;

double gradeValue(Grade grade)
{
    return double(static_cast<int>(grade));
}

double clampStability(double stability)
{
    return std::clamp(stability, MinimumStability, MaximumStability);
}

double clampDifficulty(double difficulty)
{
    return std::clamp(difficulty, MinimumDifficulty, MaximumDifficulty);
}

} // namespace

Fsrs::Fsrs(const FsrsParameters &parameters)
    : m_w(parameters)
    , m_decay(-parameters[20])
    , m_factor(std::pow(RetentionAtStability, 1 / m_decay) - 1)
{ }

double Fsrs::retrievability(double elapsedDays, double stability) const
{
    return std::pow(1 + m_factor * elapsedDays / stability, m_decay);
}

double Fsrs::daysUntilRetrievability(double retrievability, double stability) const
{
    return stability / m_factor * (std::pow(retrievability, 1 / m_decay) - 1);
}

int Fsrs::intervalDays(double stability, double desiredRetention, int maximumDays) const
{
    const double days = daysUntilRetrievability(desiredRetention, stability);
    return int(std::clamp(std::round(days), 1.0, double(maximumDays)));
}

MemoryState Fsrs::firstReview(Grade grade) const
{
    return {initialStability(grade), initialDifficulty(grade)};
}

MemoryState Fsrs::nextState(const MemoryState &previous, int elapsedDays, Grade grade) const
{
    double stability = 0;
    if (elapsedDays == 0) {
        stability = sameDayStability(previous.stability, grade);
    } else {
        const double recall = retrievability(elapsedDays, previous.stability);
        stability = grade == Grade::Again
            ? stabilityAfterLapse(previous.stability, previous.difficulty, recall)
            : stabilityAfterPass(previous.stability, previous.difficulty, recall, grade);
    }
    return {clampStability(stability), nextDifficulty(previous.difficulty, grade)};
}

double Fsrs::initialStability(Grade grade) const
{
    return std::max(m_w[static_cast<int>(grade) - 1], MinimumStability);
}

double Fsrs::unclampedInitialDifficulty(Grade grade) const
{
    return m_w[4] - std::exp(m_w[5] * (gradeValue(grade) - 1)) + 1;
}

double Fsrs::initialDifficulty(Grade grade) const
{
    return clampDifficulty(unclampedInitialDifficulty(grade));
}

double Fsrs::movedDifficulty(double difficulty, Grade grade) const
{
    // The step shrinks near the top, so that difficulty approaches 10 without overshooting.
    const double change = -m_w[6] * (gradeValue(grade) - 3);
    return difficulty + change * (MaximumDifficulty - difficulty) / 9;
}

double Fsrs::nextDifficulty(double difficulty, Grade grade) const
{
    const double moved = movedDifficulty(difficulty, grade);
    return clampDifficulty(m_w[7] * unclampedInitialDifficulty(Grade::Easy) + (1 - m_w[7]) * moved);
}

double Fsrs::stabilityAfterPass(
    double stability, double difficulty, double retrievability, Grade grade) const
{
    const double hard = grade == Grade::Hard ? m_w[15] : 1;
    const double easy = grade == Grade::Easy ? m_w[16] : 1;
    const double growth = std::exp(m_w[8]) * (11 - difficulty) * std::pow(stability, -m_w[9])
        * (std::exp(m_w[10] * (1 - retrievability)) - 1) * hard * easy;
    return stability * (1 + growth);
}

double Fsrs::stabilityAfterLapse(double stability, double difficulty, double retrievability) const
{
    const double relearnt = m_w[11] * std::pow(difficulty, -m_w[12])
        * (std::pow(stability + 1, m_w[13]) - 1) * std::exp(m_w[14] * (1 - retrievability));
    // Forgetting must never leave a statement more stable than it was before.
    return std::min(relearnt, stability / std::exp(m_w[17] * m_w[18]));
}

double Fsrs::sameDayStability(double stability, Grade grade) const
{
    double change
        = std::exp(m_w[17] * (gradeValue(grade) - 3 + m_w[18])) * std::pow(stability, -m_w[19]);
    if (grade != Grade::Again)
        change = std::max(change, 1.0);
    return stability * change;
}

double ChanceRight(double retrievability, double guessChance)
{
    return guessChance + (1 - guessChance) * retrievability;
}

} // namespace kivola
