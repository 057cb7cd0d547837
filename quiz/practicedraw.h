#pragma once

#include "quiz/randomsource.h"

#include <QList>

namespace kivola {

// The five statements of a practice test, all different: drawn at random from the practice's
// own set first; when that holds fewer than five, the rest come from the statements never
// answered, then from the whole bank of `bankSize`.
QList<int> drawPractice(const QList<int> &practiceSet, const QList<int> &unanswered, int bankSize,
    RandomSource &random);

// Where the five statements of a practice come from: as many as it can from its own set, then
// from the statements never answered, the rest from the whole bank.
struct PracticeSources
{
    int fromSet = 0;
    int fromUnanswered = 0;
    int fromBank = 0;

    bool operator==(const PracticeSources &) const = default;
};
PracticeSources practiceSources(const QList<int> &practiceSet, const QList<int> &unanswered);

} // namespace kivola
