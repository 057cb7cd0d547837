#pragma once

#include "study/statementmemory.h"

#include <QDate>
#include <QList>

namespace kivola {

class DailyReview;
class ReviewPlan;

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
};

// From a review loaded from the record.
ReviewFigures reviewFiguresOf(const DailyReview &review);

// Each statement's chance of being known now and its next due date, for the question browser.
StatementMemory statementMemoryOf(const ReviewPlan &plan);

} // namespace kivola
