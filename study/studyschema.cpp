#include "study/studyschema.h"

#include "bank/questionbank.h"
#include "study/completedtest.h"
#include "study/itemattempt.h"
#include "study/reviewanswer.h"

namespace kivola {

namespace {

// Version 2: practice in the exam's item formats and the daily review. Option counts by format:
// four for formats 1 to 3, eight for the triple (4), two for the single statement (5).
QStringList itemTables()
{
    const QString optionRange
        = QStringLiteral("BETWEEN 1 AND CASE format WHEN 4 THEN 8 WHEN 5 THEN 2 ELSE 4 END");
    return {
        QStringLiteral("CREATE TABLE item_attempts (id INTEGER PRIMARY KEY, "
                       "kind INTEGER NOT NULL CHECK (kind IN (%1, %2)), "
                       "paper INTEGER CHECK (paper BETWEEN 0 AND %3), started_at TEXT NOT NULL, "
                       "finished_at TEXT, state INTEGER NOT NULL CHECK (state IN (%4, %5, %6)), "
                       "item_count INTEGER NOT NULL CHECK (item_count >= 1), "
                       "time_limit INTEGER NOT NULL CHECK (time_limit >= 0), "
                       "seconds_left INTEGER NOT NULL CHECK (seconds_left >= 0), "
                       "seconds_used INTEGER NOT NULL CHECK (seconds_used >= 0), "
                       "right_count INTEGER NOT NULL CHECK (right_count BETWEEN 0 AND item_count), "
                       "CHECK ((kind = %2) = (paper IS NOT NULL)), "
                       "CHECK ((state = %4) = (finished_at IS NULL)))")
            .arg(int(AttemptKind::Drill))
            .arg(int(AttemptKind::MockPaper))
            .arg(int(Papers.size()) - 1)
            .arg(int(AttemptState::UnderWay))
            .arg(int(AttemptState::Finished))
            .arg(int(AttemptState::GivenUp)),
        QStringLiteral("CREATE TABLE item_answers (attempt_id INTEGER NOT NULL "
                       "REFERENCES item_attempts (id), position INTEGER NOT NULL CHECK (position "
                       ">= 1), first_bank_id INTEGER NOT NULL CHECK (first_bank_id BETWEEN 1 AND "
                       "%1), format INTEGER NOT NULL CHECK (format BETWEEN 1 AND 5), "
                       "right_option INTEGER NOT NULL CHECK (right_option %2), "
                       "chosen INTEGER CHECK (chosen %2), "
                       "flagged INTEGER NOT NULL CHECK (flagged IN (0, 1)), answered_at TEXT, "
                       "PRIMARY KEY (attempt_id, position)) WITHOUT ROWID")
            .arg(QuestionBank::QuestionCount)
            .arg(optionRange),
        QStringLiteral("CREATE TABLE judgments (attempt_id INTEGER NOT NULL, "
                       "position INTEGER NOT NULL, "
                       "bank_id INTEGER NOT NULL CHECK (bank_id BETWEEN 1 AND %1), "
                       "given INTEGER NOT NULL CHECK (given IN (%2, %3)), "
                       "correct INTEGER NOT NULL CHECK (correct IN (0, 1)), "
                       "format INTEGER NOT NULL CHECK (format BETWEEN 1 AND 5), "
                       "judged_at TEXT NOT NULL, PRIMARY KEY (attempt_id, position, bank_id), "
                       "FOREIGN KEY (attempt_id, position) REFERENCES item_answers (attempt_id, "
                       "position)) WITHOUT ROWID")
            .arg(QuestionBank::QuestionCount)
            .arg(AnswerTrue)
            .arg(AnswerFalse),
        // Covers the figures per statement, as answers_by_statement does for the tests.
        QStringLiteral("CREATE INDEX judgments_by_statement ON judgments (bank_id, judged_at, "
                       "attempt_id, position, correct)"),
        // The daily review: one row per answer, given 0 for "わからない".
        QStringLiteral("CREATE TABLE reviews (id INTEGER PRIMARY KEY, "
                       "bank_id INTEGER NOT NULL CHECK (bank_id BETWEEN 1 AND %1), "
                       "answered_at TEXT NOT NULL, given INTEGER NOT NULL CHECK (given IN (%2, "
                       "%3, %4)), correct INTEGER NOT NULL CHECK (correct IN (0, 1)), "
                       "CHECK (given <> %2 OR correct = 0))")
            .arg(QuestionBank::QuestionCount)
            .arg(int(ReviewGiven::DontKnow))
            .arg(int(ReviewGiven::True))
            .arg(int(ReviewGiven::False)),
        QStringLiteral("CREATE INDEX reviews_by_statement ON reviews (bank_id, answered_at, id, "
                       "correct)"),
    };
}

} // namespace

StudySchema StudySchema::current()
{
    const QStringList version2 = itemTables();
    return {
        QStringList {
            QStringLiteral("CREATE TABLE tests (id INTEGER PRIMARY KEY, finished_at TEXT NOT NULL, "
                           "kind INTEGER NOT NULL, points INTEGER NOT NULL)"),
            QStringLiteral(
                "CREATE TABLE answers (test_id INTEGER NOT NULL REFERENCES tests (id), "
                "slot INTEGER NOT NULL CHECK (slot BETWEEN 1 AND %1), "
                "bank_id INTEGER NOT NULL CHECK (bank_id BETWEEN 1 AND %2), "
                "given INTEGER NOT NULL, correct INTEGER NOT NULL CHECK (correct IN (0, 1)), "
                "PRIMARY KEY (test_id, slot)) WITHOUT ROWID")
                .arg(AnswersPerTest)
                .arg(QuestionBank::QuestionCount),
            // Covers the figures per statement: counts and the latest answers without the table.
            QStringLiteral("CREATE INDEX answers_by_statement ON answers (bank_id, test_id, slot, "
                           "correct)"),
            QStringLiteral("CREATE INDEX tests_by_time ON tests (finished_at, id)"),
            QStringLiteral("CREATE TABLE choices (name TEXT PRIMARY KEY, value TEXT NOT NULL) "
                           "WITHOUT ROWID"),
        } + version2,
        {version2},
    };
}

} // namespace kivola
