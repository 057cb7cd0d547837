#pragma once

#include "bank/questionbank.h"

#include <QDate>

namespace kivola {

// What the student chooses for the daily review. Plain values: reading them from the record and
// writing them back is the session's business (LoadReviewSettings).
struct ReviewSettings
{
    static constexpr double DefaultRetention = 0.90;
    // Below 70 % the review is too sparse to hold anything for an exam; above 97 % the daily load
    // grows steeply for little gain.
    static constexpr double MinimumRetention = 0.70;
    static constexpr double MaximumRetention = 0.97;
    static constexpr int DefaultNewPerDay = 20;
    static constexpr int MinimumNewPerDay = 0;
    static constexpr int MaximumNewPerDay = QuestionBank::QuestionCount;
    static constexpr int DefaultSessionSize = 20;
    static constexpr int MinimumSessionSize = 5;
    static constexpr int MaximumSessionSize = 100;
    // The センター試験 was held on the Saturday and Sunday of mid-January: its first day is the
    // first Saturday on or after 13 January.
    static constexpr int ExamMonth = 1;
    static constexpr int EarliestExamDay = 13;

    // The chance of knowing a statement at which it comes up for review.
    double desiredRetention = DefaultRetention;
    // Statements met for the first time per study day, before the exam raises it.
    int newPerDay = DefaultNewPerDay;
    // Statements in one batch of the daily review.
    int sessionSize = DefaultSessionSize;
    // The first day of the exam.
    QDate examDate;

    // The defaults, with the exam of the coming season as seen on `today`.
    static ReviewSettings defaults(const QDate &today);
    // The first exam day on or after `today`: the first Saturday on or after 13 January of this
    // year, or of the next year once this year's has gone by.
    static QDate defaultExamDate(const QDate &today);

    // Every value within its range; an invalid exam date becomes the default one.
    ReviewSettings clamped(const QDate &today) const;

    bool operator==(const ReviewSettings &) const = default;
};

} // namespace kivola
