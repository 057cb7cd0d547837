#pragma once

#include "bank/testkind.h"
#include "quiz/quiz.h"
#include "study/completedtest.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace kivola {

class ScoreStore;
class StudyRecord;

// One test from its start to its place in the records: the windows hand the answers through it,
// and once the fifth is graded it keeps the test. An ordinary test counts in the settings file
// at once; the learning record takes every test, ordinary or practice, a moment later, once the
// result sheet is on screen, so that the student does not wait for its syncs. Grading itself
// knows nothing of where results are kept.
class TestSession
{
public:
    using Clock = QDateTime (*)();

    TestSession(Quiz &quiz, ScoreStore &store, StudyRecord &study,
        Clock clock = &QDateTime::currentDateTimeUtc);
    // A test still waiting for the learning record goes in before the program ends.
    ~TestSession();
    TestSession(const TestSession &) = delete;
    TestSession &operator=(const TestSession &) = delete;

    // Reads the counters, so the result sheet can number this test, then starts the run.
    Quiz::StartOutcome begin();

    // Starts a practice on the given set; statements never answered fill it up to five.
    Quiz::StartOutcome beginPractice(TestKind kind, const QList<int> &practiceSet);

    // Hands the answer to the run; the answer that grades the test saves it to the settings file
    // and keeps it for the learning record.
    Quiz::AnswerOutcome answer(AnswerCode code);

    // Writes the graded test kept for the learning record, if there is one.
    void recordPendingStudy();
    bool hasPendingStudy() const { return m_pendingStudy.has_value(); }

    Quiz &quiz() { return m_quiz; }
    const Quiz &quiz() const { return m_quiz; }
    ScoreStore &store() { return m_store; }
    StudyRecord &study() { return m_study; }
    TestKind kind() const { return m_kind; }

    // The heading of the result sheet of the test begun last.
    QString resultTitle() const;

    // The last graded test could not be written to the settings file.
    bool lastSaveFailed() const { return m_saveFailed; }
    // The last test written to the learning record could not be.
    bool lastStudySaveFailed() const { return m_studySaveFailed; }

    // True the first time in this run that the learning record could not be written, so that
    // the student is told once rather than after every test.
    bool takeFirstStudyFailure();

private:
    void keepGraded();

    Quiz &m_quiz;
    ScoreStore &m_store;
    StudyRecord &m_study;
    Clock m_clock;
    TestKind m_kind = TestKind::Ordinary;
    qint64 m_attemptNo = 0;
    std::optional<CompletedTest> m_pendingStudy;
    bool m_saveFailed = false;
    bool m_studySaveFailed = false;
    bool m_studyFailureTold = false;
};

} // namespace kivola
