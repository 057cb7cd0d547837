#pragma once

#include "bank/questionbank.h"
#include "quiz/examitem.h"
#include "study/itemrecord.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace kivola {

// What a drill does to the learning record. Each round of drawn items is an attempt of its own;
// an item goes in, with what the chosen option says about each of its statements, as soon as it
// is answered, so that a drill left halfway keeps what was answered. The attempt is started with
// the round's first answer: a round left unanswered leaves nothing behind. The session keeps its
// own connection to the record, so that it lasts as long as the drill that owns it.
class DrillSession
{
public:
    using Clock = QDateTime (*)();

    DrillSession(
        const QString &recordPath, QuestionBank bank, Clock clock = &QDateTime::currentDateTimeUtc);
    // A round under way ends as given up.
    ~DrillSession();
    DrillSession(const DrillSession &) = delete;
    DrillSession &operator=(const DrillSession &) = delete;

    // Starts a round on these items, ending the one before.
    void beginRound(const QList<ExamItem> &items);
    // Keeps the answer to the round's item at `index` (from 0); the last one ends the round as
    // finished. False when the record could not keep it.
    bool answer(int index, int chosen);

    // Where the record is kept, for telling the student which file could not be written.
    const QString &recordPath() const;

    // The attempt of the round under way, once one of its answers has gone in.
    std::optional<qint64> attemptId() const { return m_attemptId; }

    // True the first time an answer could not be kept, so that the student is told once.
    bool takeFirstFailure();

private:
    int secondsUsed() const;
    void endRound();

    ItemRecord m_record;
    QuestionBank m_bank;
    Clock m_clock;
    QList<ExamItem> m_items;
    QList<std::optional<int>> m_chosen;
    QDateTime m_startedUtc;
    std::optional<qint64> m_attemptId;
    bool m_failed = false;
    bool m_failureTold = false;
};

} // namespace kivola
