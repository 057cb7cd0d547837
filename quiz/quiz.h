#pragma once

#include "questionbank.h"
#include "randomsource.h"
#include "testrun.h"

#include <functional>

namespace kivola {

class ScoreStore;

// The test run: starts a test, takes the five answers and grades the test. The windows call
// it and show what it returns; it never touches a window.
class Quiz
{
public:
    using BankSource = std::function<BankBuild()>;

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

    Quiz(BankSource bankSource, ScoreStore &store, RandomSource &random);

    // Rebuilds the bank, reloads the counters, resets the run and draws five ids. When the bank
    // cannot be built in full nothing is drawn; lastBuild() tells why.
    StartOutcome StartTest();

    // Stores the answer to the current question and moves on; the fifth answer grades the test
    // and saves the record. Answers beyond the fifth are refused.
    AnswerOutcome RecordAnswer(AnswerCode code);

    // Grades the five answers, adds the test to the record and saves it at once.
    TestResult ScoreTest();

    // An id in 1..565 for a uniform number in [0, 1).
    static std::int16_t idForDraw(float uniform);

    const TestRun &run() const { return m_run; }
    const QuestionBank &bank() const { return m_build.bank; }
    const BankBuild &lastBuild() const { return m_build; }
    const TestResult &result() const { return m_result; }
    bool isAnswering() const;

    // The question shown now, and the question of slot n (1..5) for the review.
    const QuestionRecord &currentQuestion() const;
    const QuestionRecord &questionOfSlot(int n) const;

    // The record could not be saved at the end of the last test.
    bool lastSaveFailed() const { return m_saveFailed; }

private:
    BankSource m_bankSource;
    ScoreStore &m_store;
    RandomSource &m_random;
    BankBuild m_build;
    TestRun m_run;
    TestResult m_result;
    bool m_saveFailed = false;
};

} // namespace kivola
