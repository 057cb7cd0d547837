#include "memory/studyday.h"

namespace kivola {

qint64 StudyDay(const QDateTime &moment, const QTimeZone &zone)
{
    // By the local clock rather than by subtracting hours, so that a change to or from summer
    // time moves no answer to another day.
    const QDateTime local = moment.toTimeZone(zone);
    const QDate date = local.date();
    return local.time().hour() < StudyDayStartHour ? date.toJulianDay() - 1 : date.toJulianDay();
}

} // namespace kivola
