#include "testsession.h"

#include "grading.h"
#include "scorestore.h"

namespace kivola {

TestSession::TestSession(Quiz &quiz, ScoreStore &store)
    : m_quiz(quiz)
    , m_store(store)
{ }

Quiz::StartOutcome TestSession::begin()
{
    m_store.LoadScores();
    // The title counts the tests as they stood when this one started, even if another copy of
    // the program saves some meanwhile.
    m_attemptNo = qint64(m_store.testsTaken()) + 1;
    return m_quiz.StartTest();
}

Quiz::AnswerOutcome TestSession::answer(AnswerCode code)
{
    const Quiz::AnswerOutcome outcome = m_quiz.RecordAnswer(code);
    if (outcome == Quiz::AnswerOutcome::Graded)
        m_saveFailed = !m_store.recordTest(m_quiz.graded().score);
    return outcome;
}

QString TestSession::resultTitle() const
{
    return AttemptTitle(m_attemptNo);
}

} // namespace kivola
