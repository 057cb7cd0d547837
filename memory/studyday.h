#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace kivola {

// A study day runs from 4:00 to 4:00 local time, so that practice after midnight still counts
// for the evening it belongs to.
inline constexpr int StudyDayStartHour = 4;

// The study day of a moment as a Julian day number (the day the study day starts on), in the
// given time zone; one day apart means one night between. The zone is passed in, never the
// machine's, so that a record read elsewhere gives the same days.
qint64 StudyDay(const QDateTime &moment, const QTimeZone &zone);

} // namespace kivola
