#pragma once

#include "bank/questionrecord.h"

#include <QDateTime>

namespace kivola {

// The student's answer in the daily review: ○ or ×, or "わからない". Stored as its number in the
// learning record, so the values never change.
enum class ReviewGiven
{
    DontKnow = 0,
    True = AnswerTrue,
    False = AnswerFalse
};

// One answer of the daily review as the record keeps it. "わからない" is always wrong, and it was
// no guess.
struct ReviewAnswer
{
    int bankId = 0;
    QDateTime answeredUtc;
    ReviewGiven given = ReviewGiven::DontKnow;
    bool correct = false;

    bool operator==(const ReviewAnswer &) const = default;
};

} // namespace kivola
