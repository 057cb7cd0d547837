#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "quiz/gradedtest.h"
#include "quiz/randomsource.h"
#include "quiz/testrun.h"

#include <functional>

namespace kivola {

// The test run: starts a test, takes the five answers and grades the test. The windows call
// it and show what it returns; it never touches a window, and keeping the result is the
// caller's business.
class Quiz
{
public:
    using BankSource = std::function<BankBuild()>;
    // Builds the study layer checked against the bank it comments on.
    using LayerSource = std::function<StudyLayerBuild(const QuestionBank &)>;

    enum class StartOutcome
    {
        Started,
        BankUnusable
    };
    enum class AnswerOutcome
    {
        NextQuestion,
        Graded,
        NoTestRunning
    };

    // Without a layer source there is no study layer, and what needs one cannot be used.
    Quiz(BankSource bankSource, RandomSource &random, LayerSource layerSource = {});

    // Rebuilds the bank, resets the run and draws five ids. When the bank cannot be built in
    // full nothing is drawn; lastBuild() tells why.
    StartOutcome StartTest();

    // Starts a practice test the same way, on five different statements drawn from the
    // practice's set, filled up from the unanswered ones and then from the whole bank.
    StartOutcome StartPractice(const QList<int> &practiceSet, const QList<int> &unanswered);

    // Rebuilds the bank alone, so that a practice can be chosen by what the bank holds.
    const BankBuild &rebuildBank();
    // The study layer for a bank built before, for the windows that show or choose by it.
    StudyLayerBuild buildLayer(const QuestionBank &bank) const;

    // Stores the answer to the current question and moves on; the fifth answer grades the test
    // (graded() holds it from then on). Answers beyond the fifth are refused.
    AnswerOutcome RecordAnswer(AnswerCode code);

    // Grades the five answers.
    GradedTest ScoreTest();

    // An id in 1..565 for a uniform number in [0, 1).
    static std::int16_t idForDraw(float uniform);

    const TestRun &run() const { return m_run; }
    // The draw's randomness, for the other draws of the program (items to practise).
    RandomSource &random() { return m_random; }
    const QuestionBank &bank() const { return m_build.bank; }
    const BankBuild &lastBuild() const { return m_build; }
    const GradedTest &graded() const { return m_graded; }
    bool isAnswering() const;

    // The question shown now, and the question of slot n for the review. A slot outside 1..5
    // is a caller's mistake.
    const QuestionRecord &currentQuestion() const;
    const QuestionRecord &questionOfSlot(int n) const;

private:
    // Rebuilds the bank and resets the run; false when the bank cannot be used.
    bool prepareStart();

    BankSource m_bankSource;
    LayerSource m_layerSource;
    RandomSource &m_random;
    BankBuild m_build;
    TestRun m_run;
    GradedTest m_graded;
};

} // namespace kivola
