#pragma once

#include "memory/fsrsparameters.h"
#include "memory/review.h"

#include <span>
#include <vector>

namespace kivola {

// The negative log-likelihood of a student's answers under a set of parameters, and its
// gradient, for fitting. Each statement's answers replay through the model in time order, the
// state following the answers given (right as Good, wrong as Again). An answer is scored if it
// is not the statement's first (nothing predicts that one) and comes on a later study day than
// the one before: on the same day the model has the statement fully known, which says nothing.
class HistoryLoss
{
public:
    // The reviews in time order, statements in any order and interleaved.
    HistoryLoss(std::span<const Review> reviews, GuessModel model);

    int scoredAnswers() const { return m_scored; }

    // The summed loss in nats; the gradient with respect to each parameter when asked for.
    double operator()(const FsrsParameters &parameters, FsrsParameters *gradient) const;

private:
    struct Answer
    {
        // Days since the statement's answer before; FirstAnswer for its first.
        int elapsedDays = 0;
        bool right = false;
        double guessChance = 0;
    };
    static constexpr int FirstAnswer = -1;

    template <bool WithGradient>
    double evaluate(const FsrsParameters &w, FsrsParameters *gradient) const;

    std::vector<Answer> m_answers;
    int m_scored = 0;
};

} // namespace kivola
