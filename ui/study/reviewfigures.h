#pragma once

#include "bank/studylayer.h"
#include "study/statementmemory.h"

#include <QDate>
#include <QList>

#include <array>

namespace kivola {

class DailyReview;
class ReviewPlan;

// The mean chance of knowing the statements of one period or theme, now and on the exam day; a
// statement never answered counts as not known, as it does for the whole bank.
struct GroupMemory
{
    double now = 0;
    double onExam = 0;

    bool operator==(const GroupMemory &) const = default;
};

// What the study-record window shows of the memory model, worked out by whoever opens it.
struct ReviewFigures
{
    // False when there is nothing to show: the record could not be read.
    bool known = false;
    QDate today;
    QDate examDate;
    double desiredRetention = 0;
    int dueToday = 0;
    int newToday = 0;
    // The statements falling due on each of the coming days, today first (ReviewPlan's
    // dueForecast).
    QList<int> forecast;
    double meanRetrievabilityNow = 0;
    double meanRetrievabilityOnExam = 0;
    double judgmentShareOnExam = 0;
    // Out of 100.
    double mockScoreOnExam = 0;
    // In the order of the Period and Theme lists; a statement of two themes counts for both.
    std::array<GroupMemory, PeriodCount> byPeriod {};
    std::array<GroupMemory, ThemeCount> byTheme {};
};

// From a review loaded from the record, the groups as the layer files the statements.
ReviewFigures reviewFiguresOf(const DailyReview &review, const StudyLayer &layer);

// Each statement's chance of being known now and its next due date, for the question browser.
StatementMemory statementMemoryOf(const ReviewPlan &plan);

} // namespace kivola
