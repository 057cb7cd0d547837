#include "quiz.h"

#include "banktext.h"
#include "grading.h"
#include "scorestore.h"

#include <algorithm>
#include <cmath>

namespace kivola {

Quiz::Quiz(BankSource bankSource, ScoreStore &store, RandomSource &random)
    : m_bankSource(std::move(bankSource))
    , m_store(store)
    , m_random(random)
{ }

std::int16_t Quiz::idForDraw(float uniform)
{
    const double id = std::floor(double(uniform) * QuestionBank::QuestionCount) + 1;
    return std::int16_t(std::clamp(id, 1.0, double(QuestionBank::QuestionCount)));
}

Quiz::StartOutcome Quiz::StartTest()
{
    m_build = m_bankSource();
    m_store.LoadScores();
    m_run.testScore = 0;
    if (!m_build.isUsable()) {
        m_run.currentNo = 0;
        return StartOutcome::BankUnusable;
    }
    m_run.currentNo = 1;
    m_random.seedFromClock();
    for (int slot = 1; slot <= QuestionsPerTest; ++slot)
        m_run.selectedIds[slot] = idForDraw(m_random.uniform());
    return StartOutcome::Started;
}

bool Quiz::isAnswering() const
{
    return m_run.currentNo >= 1 && m_run.currentNo <= QuestionsPerTest;
}

Quiz::AnswerOutcome Quiz::RecordAnswer(AnswerCode code)
{
    if (!isAnswering())
        return AnswerOutcome::NoTestRunning;
    m_run.answers[m_run.currentNo] = code;
    const std::int16_t answered = m_run.currentNo++;
    if (answered < QuestionsPerTest)
        return AnswerOutcome::NextQuestion;
    m_result = ScoreTest();
    return AnswerOutcome::Graded;
}

TestResult Quiz::ScoreTest()
{
    TestResult result;
    m_run.testScore = 0;
    for (int n = 1; n <= QuestionsPerTest; ++n) {
        const std::int16_t correct = codeOf(questionOfSlot(n).answerCode);
        const std::int16_t given = m_run.answers[n];
        const std::int16_t points = PointsFor(correct, given);
        m_run.testScore = std::int16_t(m_run.testScore + points);
        result.rows[n - 1] = {QString::number(points), AnswerMark(given), AnswerMark(correct)};
    }
    result.score = m_run.testScore;
    result.rank = RankOf(result.score);
    result.scoreText = QString::number(result.score) + QStringLiteral("点");
    result.comment = CommentFor(result.rank);
    // The title counts the tests as they stood when this one started, even if another copy of
    // the program has saved some since.
    result.attemptTitle = QStringLiteral("第") + QString::number(qint64(m_store.testsTaken()) + 1)
        + QStringLiteral("回 採点結果");
    m_saveFailed = !m_store.recordTest(result.score);
    return result;
}

const QuestionRecord &Quiz::currentQuestion() const
{
    return questionOfSlot(m_run.currentNo);
}

const QuestionRecord &Quiz::questionOfSlot(int n) const
{
    const int slot = std::clamp(n, 1, QuestionsPerTest);
    return m_build.bank.record(m_run.selectedIds[slot]);
}

} // namespace kivola
