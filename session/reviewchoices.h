#pragma once

#include "memory/fsrsparameters.h"
#include "memory/reviewsettings.h"

#include <QDate>

#include <optional>

namespace kivola {

class StudyRecord;

// The daily review's settings and the student's fitted memory parameters, kept among the
// record's remembered choices (StudyRecord::value). Missing or malformed values read as their
// defaults, and whatever is read is clamped.

// Names of the remembered choices.
inline constexpr const char *RetentionChoice = "review/retention";
inline constexpr const char *NewPerDayChoice = "review/newPerDay";
inline constexpr const char *SessionSizeChoice = "review/sessionSize";
inline constexpr const char *ExamDateChoice = "review/examDate";
inline constexpr const char *ParametersChoice = "memory/parameters";
inline constexpr const char *FitDayChoice = "memory/fitDay";

// today decides the default exam date.
ReviewSettings LoadReviewSettings(StudyRecord &record, const QDate &today);
// Saves the settings clamped; false when the record could not take them.
bool SaveReviewSettings(StudyRecord &record, const ReviewSettings &settings, const QDate &today);

struct StoredParameters
{
    // The defaults until a fit has been kept, or when what is kept is malformed.
    FsrsParameters parameters = DefaultFsrsParameters;
    // The study day (a date) of the last fit, fitted or not; none when no fit ever ran.
    std::optional<QDate> fitDay;
};

// Parameters outside FsrsParameterRanges, a wrong count or anything not a number read as the
// defaults.
StoredParameters LoadMemoryParameters(StudyRecord &record);
bool SaveMemoryParameters(
    StudyRecord &record, const FsrsParameters &parameters, const QDate &fitDay);

} // namespace kivola
