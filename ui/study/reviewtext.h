#pragma once

#include <QDate>
#include <QString>

namespace kivola {

class ReviewPlan;

// The daily review's sentences, shared by its windows.

// "4月12日（日）", with the year in front when it is not the year of `today`.
QString reviewDateText(const QDate &date, const QDate &today);

// What the exam asks of the daily number of new statements, when it asks more than the
// settings give; empty otherwise.
QString raisedNewText(const ReviewPlan &plan);

// When the next statements fall due after today and how many; empty when nothing has been
// answered yet.
QString nextDueText(const ReviewPlan &plan);

} // namespace kivola
