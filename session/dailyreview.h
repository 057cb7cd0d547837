#pragma once

#include "bank/questionbank.h"
#include "memory/reviewplan.h"
#include "quiz/examitem.h"
#include "study/reviewanswer.h"
#include "study/studyrecord.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <functional>
#include <optional>
#include <vector>

namespace kivola {

// What the daily review said about one answer.
struct ReviewOutcome
{
    bool right = false;
    // The bank's answer, AnswerTrue or AnswerFalse.
    AnswerCode bankAnswer = 0;
    // False when the record could not keep the answer; the review goes on all the same.
    bool recorded = false;
};

// 今日の復習 from the record to the window: today's plan read from the learning record, the
// statements to answer in batches (due ones first, the most forgotten first, then new ones, up to
// the session size), each answer kept in the record at once and the plan worked out again after
// it. Days are study days in the given zone, from 4:00 to 4:00. The session keeps its own
// connection to the record.
class DailyReview
{
public:
    using Clock = std::function<QDateTime()>;

    DailyReview(QString recordPath, QuestionBank bank, QTimeZone zone, Clock clock);

    // Reads the record afresh (history, settings and parameters), works out today's plan and
    // starts a new batch. False when the record cannot be read: the plan is then that of an empty
    // record and nothing is offered.
    bool reload();
    bool isReadable() const { return m_readable; }

    const ReviewPlan &plan() const { return m_plan; }
    const ReviewSettings &settings() const { return m_plan.settings(); }
    // Keeps the settings (clamped) and works the plan and the batch out again under them. False
    // when the record could not take them; they apply to this session all the same.
    bool setSettings(const ReviewSettings &settings);

    // The batch under way, in the order asked, and how far it has got.
    const QList<int> &batch() const { return m_batch; }
    int answeredInBatch() const { return m_position; }
    // The statement to answer next; none when the batch is through.
    std::optional<int> current() const;
    // Starts the next batch from what is still due and new today; false when nothing is left.
    bool goOn();

    // Answers the current statement; the answer is kept at once and the plan worked out again.
    // Without a current statement nothing happens (recorded false).
    ReviewOutcome answer(ReviewGiven given);

    // Left for today, batch under way included.
    int dueLeft() const { return int(m_plan.due().size()); }
    int newLeft() const { return int(m_plan.newToday().size()); }
    // Answered in this session since it was loaded.
    int answeredCount() const { return m_answeredCount; }

    // The calendar date of a study day, for showing a statement's due date.
    static QDate dateOf(qint64 studyDay) { return QDate::fromJulianDay(studyDay); }
    // The expected score out of 100 of a mock paper on the exam day, if nothing more is
    // answered (ExpectedMockScore).
    double expectedMockScoreOnExam() const;

    // True the first time an answer could not be kept, so that the student is told once.
    bool takeFirstFailure();

private:
    qint64 today() const;
    void replan();
    void startBatch();

    StudyRecord m_record;
    QuestionBank m_bank;
    QList<ExamItem> m_items;
    QTimeZone m_zone;
    Clock m_clock;
    std::vector<Review> m_reviews;
    FsrsParameters m_parameters = DefaultFsrsParameters;
    ReviewPlan m_plan;
    QList<int> m_batch;
    int m_position = 0;
    int m_answeredCount = 0;
    bool m_readable = false;
    bool m_failed = false;
    bool m_failureTold = false;
};

} // namespace kivola
