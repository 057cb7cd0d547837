#pragma once

#include "memory/fsrsparameters.h"

namespace kivola {

// The program grades only Again (a wrong answer or "I don't know") and Good (a right one); Hard
// and Easy are kept so that the model can be checked against others that use all four.
enum class Grade
{
    Again = 1,
    Hard = 2,
    Good = 3,
    Easy = 4
};

// Stability: days until the chance of recall falls to 90 %. Difficulty: 1 (easy) to 10.
struct MemoryState
{
    double stability = 0;
    double difficulty = 0;
};

inline constexpr double MinimumStability = 0.001;
inline constexpr double MaximumStability = 36500;
inline constexpr double MinimumDifficulty = 1;
inline constexpr double MaximumDifficulty = 10;

// The forgetting model of one student: the state a statement reaches after each answer and the
// chance that it is still known a number of days later. Times are whole study days.
class Fsrs
{
public:
    explicit Fsrs(const FsrsParameters &parameters = DefaultFsrsParameters);

    const FsrsParameters &parameters() const { return m_w; }

    // The chance that a statement of this stability is known after so many days.
    double retrievability(double elapsedDays, double stability) const;
    // The days, in fractions, after which retrievability has fallen to the given value.
    double daysUntilRetrievability(double retrievability, double stability) const;
    // Days until retrievability falls to the desired retention, rounded, at least one day and at
    // most maximumDays.
    int intervalDays(double stability, double desiredRetention, int maximumDays) const;

    MemoryState firstReview(Grade grade) const;
    // The state after an answer elapsedDays after the previous one (0: the same study day).
    MemoryState nextState(const MemoryState &previous, int elapsedDays, Grade grade) const;

    // The steps of nextState, for callers that need one of them alone.
    double initialStability(Grade grade) const;
    double initialDifficulty(Grade grade) const;
    // The difficulty moved by the grade, before the pull back toward the easiest start.
    double movedDifficulty(double difficulty, Grade grade) const;
    double nextDifficulty(double difficulty, Grade grade) const;
    double stabilityAfterPass(
        double stability, double difficulty, double retrievability, Grade grade) const;
    double stabilityAfterLapse(double stability, double difficulty, double retrievability) const;
    double sameDayStability(double stability, Grade grade) const;

private:
    double unclampedInitialDifficulty(Grade grade) const;

    FsrsParameters m_w;
    double m_decay;
    double m_factor;
};

// What the student shows when answering a two-way (○/×) judgment: a statement that is known is
// answered right, one that is not is still right by luck with chance guessChance (0.5 for ○/×).
// Keep it apart from retrievability: it is what answers are measured against, not memory.
double ChanceRight(double retrievability, double guessChance);

} // namespace kivola
