#include "session/testsession.h"

#include "bank/grading.h"
#include "scores/scorestore.h"
#include "study/completedtest.h"
#include "study/studyrecord.h"

namespace kivola {

TestSession::TestSession(Quiz &quiz, ScoreStore &store, StudyRecord &study, Clock clock)
    : m_quiz(quiz)
    , m_store(store)
    , m_study(study)
    , m_clock(clock)
{ }

TestSession::~TestSession()
{
    recordPendingStudy();
}

Quiz::StartOutcome TestSession::begin()
{
    recordPendingStudy();
    m_kind = TestKind::Ordinary;
    m_store.LoadScores();
    // The title counts the tests as they stood when this one started, even if another copy of
    // the program saves some meanwhile.
    m_attemptNo = qint64(m_store.testsTaken()) + 1;
    return m_quiz.StartTest();
}

Quiz::StartOutcome TestSession::beginPractice(TestKind kind, const QList<int> &practiceSet)
{
    recordPendingStudy();
    m_kind = kind;
    QList<int> unanswered;
    // Filling up is a nicety: a record that cannot be read leaves it to the whole bank.
    if (practiceSet.size() < QuestionsPerTest) {
        if (const std::optional<StatementTable> figures = m_study.statementFigures())
            unanswered = neverAnswered(*figures);
    }
    return m_quiz.StartPractice(practiceSet, unanswered);
}

Quiz::AnswerOutcome TestSession::answer(AnswerCode code)
{
    const Quiz::AnswerOutcome outcome = m_quiz.RecordAnswer(code);
    if (outcome == Quiz::AnswerOutcome::Graded)
        keepGraded();
    return outcome;
}

void TestSession::keepGraded()
{
    const GradedTest &graded = m_quiz.graded();
    // The settings file comes first: it is what the score report counts.
    m_saveFailed = m_kind == TestKind::Ordinary && !m_store.recordTest(graded.score);
    CompletedTest test;
    test.finishedUtc = m_clock();
    test.kind = m_kind;
    test.points = graded.score;
    for (int i = 0; i < QuestionsPerTest; ++i) {
        const GradedAnswer &answer = graded.answers[i];
        test.answers[i] = {i + 1, answer.bankId, answer.given, answer.isRight()};
    }
    m_pendingStudy = test;
}

void TestSession::recordPendingStudy()
{
    if (!m_pendingStudy)
        return;
    const CompletedTest test = *m_pendingStudy;
    m_pendingStudy.reset();
    m_studySaveFailed = !m_study.record(test);
}

QString TestSession::resultTitle() const
{
    return m_kind == TestKind::Ordinary ? AttemptTitle(m_attemptNo) : PracticeTitle();
}

bool TestSession::takeFirstStudyFailure()
{
    if (!m_studySaveFailed || m_studyFailureTold)
        return false;
    m_studyFailureTold = true;
    return true;
}

} // namespace kivola
