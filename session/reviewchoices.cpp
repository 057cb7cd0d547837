#include "session/reviewchoices.h"

#include "study/studyrecord.h"

#include <QStringList>

#include <cmath>

namespace kivola {

namespace {

QString nameOf(const char *choice)
{
    return QString::fromLatin1(choice);
}

std::optional<double> numberIn(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

std::optional<int> wholeNumberIn(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

ReviewSettings LoadReviewSettings(StudyRecord &record, const QDate &today)
{
    ReviewSettings settings = ReviewSettings::defaults(today);
    settings.desiredRetention = numberIn(record.value(nameOf(RetentionChoice)))
                                    .value_or(ReviewSettings::DefaultRetention);
    settings.newPerDay = wholeNumberIn(record.value(nameOf(NewPerDayChoice)))
                             .value_or(ReviewSettings::DefaultNewPerDay);
    settings.sessionSize = wholeNumberIn(record.value(nameOf(SessionSizeChoice)))
                               .value_or(ReviewSettings::DefaultSessionSize);
    const QDate examDate = QDate::fromString(record.value(nameOf(ExamDateChoice)), Qt::ISODate);
    if (examDate.isValid())
        settings.examDate = examDate;
    return settings.clamped(today);
}

bool SaveReviewSettings(StudyRecord &record, const ReviewSettings &settings, const QDate &today)
{
    const ReviewSettings kept = settings.clamped(today);
    // Each choice is a transaction of its own; all four are tried even when one fails.
    bool saved
        = record.setValue(nameOf(RetentionChoice), QString::number(kept.desiredRetention, 'g', 17));
    saved &= record.setValue(nameOf(NewPerDayChoice), QString::number(kept.newPerDay));
    saved &= record.setValue(nameOf(SessionSizeChoice), QString::number(kept.sessionSize));
    saved &= record.setValue(nameOf(ExamDateChoice), kept.examDate.toString(Qt::ISODate));
    return saved;
}

StoredParameters LoadMemoryParameters(StudyRecord &record)
{
    StoredParameters stored;
    const QDate fitDay = QDate::fromString(record.value(nameOf(FitDayChoice)), Qt::ISODate);
    if (fitDay.isValid())
        stored.fitDay = fitDay;
    const QStringList fields = record.value(nameOf(ParametersChoice)).split(u',');
    if (fields.size() != FsrsParameterCount)
        return stored;
    FsrsParameters parameters {};
    for (int i = 0; i < FsrsParameterCount; ++i) {
        const std::optional<double> value = numberIn(fields.at(i));
        if (!value || *value < FsrsParameterRanges[i].low || *value > FsrsParameterRanges[i].high)
            return stored;
        parameters[i] = *value;
    }
    stored.parameters = parameters;
    return stored;
}

bool SaveMemoryParameters(
    StudyRecord &record, const FsrsParameters &parameters, const QDate &fitDay)
{
    QStringList fields;
    for (const double value : parameters)
        fields.append(QString::number(value, 'g', 17));
    const bool saved = record.setValue(nameOf(ParametersChoice), fields.join(u','));
    return record.setValue(nameOf(FitDayChoice), fitDay.toString(Qt::ISODate)) && saved;
}

} // namespace kivola
