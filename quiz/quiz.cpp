#include "quiz/quiz.h"

#include "bank/banktext.h"
#include "bank/grading.h"
#include "quiz/practicedraw.h"

#include <algorithm>
#include <cmath>

namespace kivola {

Quiz::Quiz(BankSource bankSource, RandomSource &random, LayerSource layerSource)
    : m_bankSource(std::move(bankSource))
    , m_layerSource(std::move(layerSource))
    , m_random(random)
{ }

std::int16_t Quiz::idForDraw(float uniform)
{
    const double id = std::floor(double(uniform) * QuestionBank::QuestionCount) + 1;
    return std::int16_t(std::clamp(id, 1.0, double(QuestionBank::QuestionCount)));
}

const BankBuild &Quiz::rebuildBank()
{
    m_build = m_bankSource();
    return m_build;
}

StudyLayerBuild Quiz::buildLayer(const QuestionBank &bank) const
{
    return m_layerSource ? m_layerSource(bank) : StudyLayerBuild {};
}

bool Quiz::prepareStart()
{
    rebuildBank();
    m_run.testScore = 0;
    if (!m_build.isUsable()) {
        m_run.currentNo = 0;
        return false;
    }
    m_run.currentNo = 1;
    m_random.seedFromClock();
    return true;
}

Quiz::StartOutcome Quiz::StartTest()
{
    if (!prepareStart())
        return StartOutcome::BankUnusable;
    for (int slot = 1; slot <= QuestionsPerTest; ++slot)
        m_run.selectedIds[slot] = idForDraw(m_random.uniform());
    return StartOutcome::Started;
}

Quiz::StartOutcome Quiz::StartPractice(const QList<int> &practiceSet, const QList<int> &unanswered)
{
    if (!prepareStart())
        return StartOutcome::BankUnusable;
    const QList<int> ids
        = drawPractice(practiceSet, unanswered, m_build.bank.questionCount(), m_random);
    for (int slot = 1; slot <= QuestionsPerTest; ++slot)
        m_run.selectedIds[slot] = std::int16_t(ids.at(slot - 1));
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
    m_graded = ScoreTest();
    return AnswerOutcome::Graded;
}

GradedTest Quiz::ScoreTest()
{
    GradedTest graded;
    m_run.testScore = 0;
    for (int n = 1; n <= QuestionsPerTest; ++n) {
        GradedAnswer &answer = graded.answers[n - 1];
        answer.bankId = m_run.selectedIds[n];
        answer.correct = codeOf(questionOfSlot(n).answerCode);
        answer.given = m_run.answers[n];
        answer.points = PointsFor(answer.correct, answer.given);
        m_run.testScore = std::int16_t(m_run.testScore + answer.points);
    }
    graded.score = m_run.testScore;
    graded.rank = RankOf(graded.score);
    return graded;
}

const QuestionRecord &Quiz::currentQuestion() const
{
    return questionOfSlot(m_run.currentNo);
}

const QuestionRecord &Quiz::questionOfSlot(int n) const
{
    // A wrong slot is a programming error: stop with a clear message rather than show another
    // question than the one asked for.
    if (n < 1 || n > QuestionsPerTest)
        qFatal("Quiz::questionOfSlot: slot %d is outside 1..%d", n, QuestionsPerTest);
    return m_build.bank.record(m_run.selectedIds[n]);
}

} // namespace kivola
