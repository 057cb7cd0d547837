#pragma once

#include "study/completedtest.h"
#include "study/reviewanswer.h"
#include "study/studydatabase.h"
#include "study/studyfigures.h"

#include <QList>
#include <QString>

#include <limits>
#include <optional>
#include <span>

namespace kivola {

// The learning record: every answer of every graded test, kept in kivola.sqlite beside the
// settings file, and the figures read back from it. Nothing happens on construction; the file
// is opened the first time a test is recorded or the record is read. Nothing here throws: what
// cannot be saved reports false, what cannot be read gives no value, and a file that could not be
// used is moved aside and reported once through takeNotices(). A record of an earlier version
// is upgraded when first opened; one that cannot be upgraded is left as it was and neither read
// nor written.
class StudyRecord
{
public:
    static constexpr const char *FileName = "kivola.sqlite";
    static constexpr int AllTests = std::numeric_limits<int>::max();

    explicit StudyRecord(QString path, StudyDatabase::Clock clock = &QDateTime::currentDateTime,
        StudySchema schema = StudySchema::current());

    // The record beside the settings file in folder.
    static QString pathIn(const QString &folder);
    const QString &path() const { return m_database.path(); }

    // Adds the test and its answers in one transaction. False when they could not be saved: the
    // folder or file is read-only, the disk full, another copy of the program held the file
    // longer than StudyDatabase::BusyTimeoutMs, or the file comes from a newer version.
    bool record(const CompletedTest &test);
    // Several tests in one transaction: a whole history costs a single sync.
    bool record(std::span<const CompletedTest> tests);

    // One answer of the daily review, in a transaction of its own. False when it could not be
    // saved, as for record().
    bool recordReview(const ReviewAnswer &answer);

    // Choices remembered between runs; a null string when none was stored.
    QString value(const QString &name);
    bool setValue(const QString &name, const QString &value);

    // No value when the record exists but cannot be read; a missing record reads as empty.
    // Counts the answers of tests, the judgments of answered items and the daily review's answers
    // alike. The latest answers are found in time order: tests in the order they were recorded
    // (the order they finished), judgments by when they were judged, review answers by when they
    // were given, all merged by their times; at the same second a judgment counts as later than a
    // test answer, and a review answer as later than both.
    std::optional<StatementTable> statementFigures();
    // Every answer ever given to any statement, in time order: by the second it was stamped with,
    // test answers before judgments and judgments before review answers at the same second, then
    // by test and slot, by attempt, position and statement, or in the order reviews were kept.
    std::optional<QList<StatementEvent>> statementHistory();
    // The latest tests, oldest first.
    std::optional<QList<TestPoints>> testPoints(int latestCount = AllTests);

    QList<StudyNotice> takeNotices() { return m_database.takeNotices(); }

private:
    StudyDatabase m_database;
};

} // namespace kivola
