#pragma once

#include "memory/fsrs.h"

#include <QtGlobal>

namespace kivola {

// Days are study days (StudyDay). The exam day is the study day of the exam's first morning: a
// review on that day no longer comes before the exam, so the last day that can prepare for it is
// the day before.

// The first study day after lastDay on which the chance of knowing the statement has fallen
// below the desired retention: R(d - lastDay) < retention.
qint64 PlainDueDay(const Fsrs &model, const MemoryState &state, qint64 lastDay, double retention);

// The due day with the exam in view. While the exam lies ahead, a statement whose plain due day
// is the exam day or later but whose chance of being known on the exam day is below the
// retention (its interval runs into the exam unreviewed) is due instead on the earliest day d,
// after lastDay and before the exam day, at which a right answer would leave R on the exam day at
// the retention or above; when no such day exists (a weak statement that a single review cannot
// carry so far), on the day before the exam. Otherwise the plain due day stands.
qint64 ExamDueDay(const Fsrs &model, const MemoryState &state, qint64 lastDay, qint64 plainDueDay,
    qint64 examDay, double retention);

// The study days between a statement's first meeting and its third, answered right each time and
// reviewed on its plain due days: the room to leave before the exam for the two follow-ups.
int DaysToThirdMeeting(const Fsrs &model, double retention);

// The new statements a day needed so that every statement is met at least three times before
// the exam: the `unseen` ones still to meet, plus those already introduced today, spread over
// the days from today to the last day that leaves DaysToThirdMeeting before the exam's eve,
// rounded up. When no such day is left, all of them today. 0 when nothing is unseen or the exam
// is not ahead.
int RequiredNewPerDay(const Fsrs &model, double retention, qint64 today, qint64 examDay, int unseen,
    int introducedToday);

} // namespace kivola
