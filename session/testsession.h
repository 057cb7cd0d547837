#pragma once

#include "bank/testkind.h"
#include "quiz/quiz.h"

#include <QList>
#include <QString>

namespace kivola {

class ScoreStore;
class StudyRecord;

// One test from its start to its place in the records: the windows hand the answers through it,
// and once the fifth is graded it keeps the test. An ordinary test counts in the settings file
// and goes into the learning record; a practice goes into the learning record alone. Grading
// itself knows nothing of where results are kept.
class TestSession
{
public:
    TestSession(Quiz &quiz, ScoreStore &store, StudyRecord &study);

    // Reads the counters, so the result sheet can number this test, then starts the run.
    Quiz::StartOutcome begin();

    // Starts a practice on the given set; statements never answered fill it up to five.
    Quiz::StartOutcome beginPractice(TestKind kind, const QList<int> &practiceSet);

    // Hands the answer to the run; the answer that grades the test also records it.
    Quiz::AnswerOutcome answer(AnswerCode code);

    Quiz &quiz() { return m_quiz; }
    const Quiz &quiz() const { return m_quiz; }
    ScoreStore &store() { return m_store; }
    StudyRecord &study() { return m_study; }
    TestKind kind() const { return m_kind; }

    // The heading of the result sheet of the test begun last.
    QString resultTitle() const;

    // The last graded test could not be written to the settings file.
    bool lastSaveFailed() const { return m_saveFailed; }
    // The last graded test could not be written to the learning record.
    bool lastStudySaveFailed() const { return m_studySaveFailed; }

    // True the first time in this run that the learning record could not be written, so that
    // the student is told once rather than after every test.
    bool takeFirstStudyFailure();

private:
    void recordGraded();

    Quiz &m_quiz;
    ScoreStore &m_store;
    StudyRecord &m_study;
    TestKind m_kind = TestKind::Ordinary;
    qint64 m_attemptNo = 0;
    bool m_saveFailed = false;
    bool m_studySaveFailed = false;
    bool m_studyFailureTold = false;
};

} // namespace kivola
