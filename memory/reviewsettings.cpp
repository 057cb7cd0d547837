#include "memory/reviewsettings.h"

#include <algorithm>
#include <cmath>

namespace kivola {

ReviewSettings ReviewSettings::defaults(const QDate &today)
{
    ReviewSettings settings;
    settings.examDate = defaultExamDate(today);
    return settings;
}

QDate ReviewSettings::defaultExamDate(const QDate &today)
{
    auto examIn = [](int year) {
        const QDate earliest(year, ExamMonth, EarliestExamDay);
        return earliest.addDays((Qt::Saturday - earliest.dayOfWeek() + 7) % 7);
    };
    const QDate thisSeason = examIn(today.year());
    return today <= thisSeason ? thisSeason : examIn(today.year() + 1);
}

ReviewSettings ReviewSettings::clamped(const QDate &today) const
{
    ReviewSettings settings = *this;
    settings.desiredRetention = std::isfinite(desiredRetention)
        ? std::clamp(desiredRetention, MinimumRetention, MaximumRetention)
        : DefaultRetention;
    settings.newPerDay = std::clamp(newPerDay, MinimumNewPerDay, MaximumNewPerDay);
    settings.sessionSize = std::clamp(sessionSize, MinimumSessionSize, MaximumSessionSize);
    if (!examDate.isValid())
        settings.examDate = defaultExamDate(today);
    return settings;
}

} // namespace kivola
