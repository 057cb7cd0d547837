#pragma once

#include "memory/fsrsparameters.h"
#include "memory/review.h"

#include <span>

namespace kivola {

// Below this many scored answers (see HistoryLoss) the defaults are kept. A ○/× answer tells
// about half as much as a recall graded by the learner: at R = 0.9 its Fisher information about
// R is (1 - g)² / (p (1 - p)) = 5.3 against 11.1 when guessing is impossible. Schedulers that
// fit from recalls want about 500 reviews before leaving the defaults, so ○/× answers want
// twice that; bench_memory's simulation agrees (at 500 answers the fit barely beats the
// defaults on later answers, from 1,000 on it clearly does).
inline constexpr int MinimumScoredAnswersForFit = 1000;

struct MemoryFit
{
    // The defaults when there was too little history.
    FsrsParameters parameters = DefaultFsrsParameters;
    bool fitted = false;
    int scoredAnswers = 0;
    // Mean log loss per scored answer, in nats, at the parameters returned and at the defaults.
    double logLoss = 0;
    double defaultLogLoss = 0;
    int iterations = 0;
};

// The parameters under which the student's answers are likeliest, within FsrsParameterRanges,
// starting from the defaults and pulled gently toward them (see PriorStrength in the source).
// The reviews in time order; statements may interleave. Pure: safe on a worker thread.
MemoryFit FitMemoryModel(std::span<const Review> reviews, GuessModel model);

// Mean log loss per scored answer under the given parameters; 0 when nothing is scored.
double MeanLogLoss(
    std::span<const Review> reviews, const FsrsParameters &parameters, GuessModel model);

} // namespace kivola
