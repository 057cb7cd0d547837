#pragma once

#include "study/itemattempt.h"
#include "study/studydatabase.h"

#include <QList>
#include <QString>

#include <optional>

namespace kivola {

// Practice in the exam's item formats, kept in the same file as the learning record
// (StudyRecord): attempts, their items and answers, and what each answered item says about its
// statements (the judgments, which the statement figures count beside the tests' answers).
// Like StudyRecord, it opens the file on first use and throws nothing: each write is one
// transaction that reports false and leaves nothing of itself when it fails, and each read gives
// no value when the record cannot be read. Writes to an attempt that has ended fail.
class ItemRecord
{
public:
    explicit ItemRecord(QString path, StudyDatabase::Clock clock = &QDateTime::currentDateTime,
        StudySchema schema = StudySchema::current());

    const QString &path() const { return m_database.path(); }

    // A new attempt under way, started now, with its items unanswered; the countdown starts full.
    // paper is an index into Papers for a mock paper and NoPaper for a drill; the items'
    // positions must run from 1 to their number. Its id, or no value when it could not be saved.
    std::optional<qint64> start(
        AttemptKind kind, int paper, int timeLimitSeconds, const QList<AttemptItem> &items);

    // A drill's item, graded as soon as answered: the option chosen, the judgments of its
    // statements, and the seconds the drill has taken so far. Its right count follows.
    bool recordDrillItem(qint64 attemptId, int chosen, const JudgedItem &item, int secondsUsed);
    // An answer of a mock paper, changed or withdrawn (no chosen option) or marked, with the
    // seconds left on the countdown.
    bool recordAnswer(
        qint64 attemptId, int position, std::optional<int> chosen, bool flagged, int secondsLeft);
    bool saveSecondsLeft(qint64 attemptId, int secondsLeft);
    // Ends the attempt now, finished or given up, with the judgments of its answered items.
    bool end(qint64 attemptId, AttemptState state, int secondsUsed, int rightCount,
        const QList<JudgedItem> &judged);

    // The attempt with all its items; no value when there is no such attempt too.
    std::optional<ItemAttempt> attempt(qint64 attemptId);
    // The mock papers under way, oldest first, without their items.
    std::optional<QList<ItemAttempt>> papersUnderWay();
    // Those of them no running copy of the program has open (PaperClaim::isFree).
    std::optional<QList<ItemAttempt>> resumablePapers();
    // The mock papers finished, in the order they were finished.
    std::optional<QList<PaperResult>> papersTaken();

    QList<StudyNotice> takeNotices() { return m_database.takeNotices(); }

private:
    QString now() const;
    std::optional<QList<ItemAttempt>> attemptsWhere(const QString &condition);

    StudyDatabase m_database;
    StudyDatabase::Clock m_clock;
};

} // namespace kivola
