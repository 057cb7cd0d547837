#include "study/studyschema.h"

#include "bank/questionbank.h"
#include "study/completedtest.h"

namespace kivola {

StudySchema StudySchema::current()
{
    return {
        {
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
        },
        // Every record so far is of version 1.
        {},
    };
}

} // namespace kivola
