#pragma once

#include "bank/questionbank.h"
#include "memory/fsrs.h"
#include "memory/review.h"
#include "memory/reviewsettings.h"

#include <QList>

#include <span>
#include <vector>

namespace kivola {

// What the plan knows of one statement on one study day.
struct StatementSchedule
{
    // Never answered: every other field keeps its default.
    bool seen = false;
    MemoryState state;
    qint64 firstDay = 0;
    qint64 lastDay = 0;
    int answers = 0;
    // The chance that the statement is known (not that it is answered right); 0 while unseen.
    double retrievabilityNow = 0;
    // On the exam day, if it is not answered again before; 0 while unseen.
    double retrievabilityOnExam = 0;
    // The study day it comes up for review (ExamDueDay); 0 while unseen.
    qint64 dueDay = 0;
    // The exam moved the due day earlier than plain FSRS would.
    bool pulledInByExam = false;
};

// The daily review of one study day, worked out from every answer ever given: each statement's
// memory state replayed through the model (right as Good, wrong or "I don't know" as Again), what
// is due, what is new, and the figures. Pure and cheap enough to rebuild after every answer.
class ReviewPlan
{
public:
    static constexpr int ForecastDays = 14;
    static constexpr int MeetingsBeforeExam = 3;

    // The reviews in time order, statements interleaved; ids outside 1..statementCount are
    // ignored. today is a study day; the settings are taken as given (clamp them first).
    ReviewPlan(std::span<const Review> reviews, const FsrsParameters &parameters,
        const ReviewSettings &settings, qint64 today,
        int statementCount = QuestionBank::QuestionCount);

    qint64 today() const { return m_today; }
    qint64 examDay() const { return m_examDay; }
    // Until the exam day the exam bends the schedule; from that day on, plain FSRS.
    bool examAhead() const { return m_today < m_examDay; }
    const ReviewSettings &settings() const { return m_settings; }
    const Fsrs &model() const { return m_model; }

    int statementCount() const { return int(m_statements.size()) - 1; }
    // Indexed by bank id, 1..statementCount().
    const StatementSchedule &statement(int id) const { return m_statements.at(id); }

    // The statements due today or earlier, most forgotten (lowest R now) first, the lower id
    // first among equals.
    const QList<int> &due() const { return m_due; }
    // Statements met for the first time today.
    int introducedToday() const { return m_introducedToday; }
    int unseenCount() const { return m_unseenCount; }
    // The new statements a day needed to meet every statement MeetingsBeforeExam times before the
    // exam (RequiredNewPerDay); 0 when the exam is not ahead.
    int requiredNewPerDay() const { return m_requiredNewPerDay; }
    // The settings' number, raised to requiredNewPerDay() when that is more.
    int newPerDay() const { return qMax(m_settings.newPerDay, m_requiredNewPerDay); }
    bool newPerDayRaised() const { return m_requiredNewPerDay > m_settings.newPerDay; }
    // The statements never answered still to meet today, in bank order: newPerDay() less those
    // introduced today.
    QList<int> newToday() const;

    // Entry k: the statements already seen that fall due on study day today + k, if nothing more
    // is answered; entry 0 counts due() (overdue ones included).
    QList<int> dueForecast() const;
    // Means over every statement, unseen ones counting as R = 0 (nothing known of them). The exam
    // figures assume nothing more is answered before it: where the student stands now.
    double meanRetrievabilityNow() const;
    double meanRetrievabilityOnExam() const;
    // The expected share of right ○/× judgments on the exam day over every statement: a known
    // statement is right, an unknown one right by a coin flip, 0.5 + 0.5 R.
    double expectedJudgmentShareOnExam() const;
    // R on the exam day by bank id (entry 0 unused), for the mock paper's expected score.
    QList<double> retrievabilityOnExamTable() const;

private:
    Fsrs m_model;
    ReviewSettings m_settings;
    qint64 m_today;
    qint64 m_examDay;
    std::vector<StatementSchedule> m_statements;
    QList<int> m_due;
    int m_introducedToday = 0;
    int m_unseenCount = 0;
    int m_requiredNewPerDay = 0;
};

} // namespace kivola
