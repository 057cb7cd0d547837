#pragma once

#include "quiz.h"

#include <QString>

namespace kivola {

class ScoreStore;

// One test from its start to its place in the record: the windows hand the answers through it,
// and once the fifth is graded it adds the test to the running record. Grading itself knows
// nothing of where results are kept.
class TestSession
{
public:
    TestSession(Quiz &quiz, ScoreStore &store);

    // Reads the counters, so the result sheet can number this test, then starts the run.
    Quiz::StartOutcome begin();

    // Hands the answer to the run; the answer that grades the test also records it.
    Quiz::AnswerOutcome answer(AnswerCode code);

    Quiz &quiz() { return m_quiz; }
    const Quiz &quiz() const { return m_quiz; }
    ScoreStore &store() { return m_store; }

    // The heading of the result sheet of the test begun last.
    QString resultTitle() const;

    // The last graded test could not be written to the settings file.
    bool lastSaveFailed() const { return m_saveFailed; }

private:
    Quiz &m_quiz;
    ScoreStore &m_store;
    qint64 m_attemptNo = 0;
    bool m_saveFailed = false;
};

} // namespace kivola
