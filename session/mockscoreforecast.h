#pragma once

#include "quiz/examitem.h"

#include <QList>

namespace kivola {

// The chance of choosing the right option of an item, from the chance that each of its
// statements is known (retrievability by bank id, entry 0 unused) and the luck its format leaves.
// A statement is known independently of the others with its R and then judged right; one that is
// not known is judged by a coin flip.
// - Single: R + (1 - R) / 2.
// - Pair, Triple: every statement must be judged right: the product of R + (1 - R) / 2.
// - ChooseTrue, ChooseFalse: the student picks the right statement when it knows that one, or
//   when it knows all three others for what they are; else it guesses evenly among the right one
//   and the others it does not know: R_k + (1 - R_k) E[1 / (1 + unknown others)].
// All R = 1 gives 1; all R = 0 gives pure luck: 1/2, 1/4, 1/8, 1/4.
double ExpectedItemChance(const ExamItem &item, const QList<double> &retrievability);

// The expected score out of 100 of a mock paper: the mean, over the papers, of the mean chance
// of their items. 0 when there are no items.
double ExpectedMockScore(const QList<ExamItem> &items, const QList<double> &retrievability);

} // namespace kivola
