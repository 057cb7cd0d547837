#include "memory/examschedule.h"

#include <algorithm>
#include <cmath>

namespace kivola {

qint64 PlainDueDay(const Fsrs &model, const MemoryState &state, qint64 lastDay, double retention)
{
    // The curve solved for the retention gives the days in fractions; the whole-day checks
    // around it settle what rounding may have left on the wrong side.
    const double days = model.daysUntilRetrievability(retention, state.stability);
    qint64 elapsed = std::max<qint64>(1, qint64(std::floor(days)) + 1);
    while (elapsed > 1 && model.retrievability(double(elapsed - 1), state.stability) < retention)
        --elapsed;
    while (model.retrievability(double(elapsed), state.stability) >= retention)
        ++elapsed;
    return lastDay + elapsed;
}

qint64 ExamDueDay(const Fsrs &model, const MemoryState &state, qint64 lastDay, qint64 plainDueDay,
    qint64 examDay, double retention)
{
    const qint64 examEve = examDay - 1;
    if (plainDueDay < examDay || examEve <= lastDay
        || model.retrievability(double(examDay - lastDay), state.stability) >= retention) {
        return plainDueDay;
    }
    // Later reviews leave a shorter gap to the exam and, coming after more forgetting, grow the
    // stability more; the earliest day that is enough is the one that spaces the review most.
    for (qint64 day = lastDay + 1; day < examEve; ++day) {
        const MemoryState after = model.nextState(state, int(day - lastDay), Grade::Good);
        if (model.retrievability(double(examDay - day), after.stability) >= retention)
            return day;
    }
    return examEve;
}

int DaysToThirdMeeting(const Fsrs &model, double retention)
{
    const MemoryState first = model.firstReview(Grade::Good);
    const qint64 second = PlainDueDay(model, first, 0, retention);
    const MemoryState afterSecond = model.nextState(first, int(second), Grade::Good);
    return int(PlainDueDay(model, afterSecond, second, retention));
}

int RequiredNewPerDay(const Fsrs &model, double retention, qint64 today, qint64 examDay, int unseen,
    int introducedToday)
{
    if (unseen <= 0 || today >= examDay)
        return 0;
    // The third meeting must come on the exam's eve at the latest.
    const qint64 lastFirstMeeting = examDay - 1 - DaysToThirdMeeting(model, retention);
    const qint64 days = lastFirstMeeting - today + 1;
    const qint64 total = qint64(unseen) + introducedToday;
    if (days <= 0)
        return int(total);
    return int((total + days - 1) / days);
}

} // namespace kivola
