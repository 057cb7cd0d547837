#pragma once

#include "quiz/randomsource.h"

#include <QList>

namespace kivola {

// The five statements of a practice test, all different: drawn at random from the practice's
// own set first; when that holds fewer than five, the rest come from the statements never
// answered, then from the whole bank of `bankSize`.
QList<int> drawPractice(const QList<int> &practiceSet, const QList<int> &unanswered, int bankSize,
    RandomSource &random);

} // namespace kivola
