#pragma once

#include "bank/questionbank.h"
#include "quiz/mockpaper.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kivola {

class ItemRecord;
class PaperClaim;

// A mock paper left under way that this copy of the program may take up again.
struct PaperUnderWay
{
    qint64 attemptId = 0;
    int paperIndex = 0;
    int itemCount = 0;
    bool timed = false;
    int secondsLeft = 0;

    bool operator==(const PaperUnderWay &) const = default;
};

// One mock paper from its start to its end, kept in the learning record as it goes: every
// answer and mark the moment it changes, and the seconds left every half minute while the
// countdown runs and whenever it stops. A program closed, killed or crashed mid-paper leaves it
// under way, to be taken up again with the time that was left. The paper belongs to this copy of
// the program while the session lives (PaperClaim); another copy leaves it alone.
class MockPaperSession
{
public:
    // Wall time for the record's time stamps.
    using WallClock = QDateTime (*)();
    // A steady clock in milliseconds for the countdown.
    using SteadyClock = std::function<qint64()>;

    // How often a running countdown is saved between answers.
    static constexpr int SaveEverySeconds = 30;

    // A new paper, recorded and claimed; nothing when the record cannot take it.
    static std::unique_ptr<MockPaperSession> start(const QString &recordPath,
        const QuestionBank &bank, int paperIndex, MockPaper::Countdown countdown, WallClock wall,
        SteadyClock steady);
    // A paper under way, as it was left; nothing when it cannot be read, another copy holds it,
    // or the bank no longer has its items.
    static std::unique_ptr<MockPaperSession> resume(const QString &recordPath,
        const QuestionBank &bank, qint64 attemptId, WallClock wall, SteadyClock steady);
    // The papers under way that no running copy holds, oldest first; no value when the record
    // cannot be read.
    static std::optional<QList<PaperUnderWay>> resumablePapers(
        const QString &recordPath, WallClock wall);

    // A paper left under way pauses its countdown, saving the seconds left, and stays under way.
    ~MockPaperSession();
    MockPaperSession(const MockPaperSession &) = delete;
    MockPaperSession &operator=(const MockPaperSession &) = delete;

    const MockPaper &paper() const { return m_paper; }
    qint64 attemptId() const { return m_attemptId; }

    // The countdown runs only while the paper is on screen.
    void resumeClock();
    void pauseClock();
    // Counts the time since the last tick, saving the seconds left when a half minute has gone
    // by. True once the countdown has run out.
    bool tick();

    // Answers the item on screen (0 withdraws the answer), or marks it to look at again.
    void choose(int option);
    void setFlagged(bool flagged);
    void setPosition(int index) { m_paper.setPosition(index); }
    bool goNext() { return m_paper.goNext(); }
    bool goPrevious() { return m_paper.goPrevious(); }

    // Ends the paper, graded, with the judgments of every answered item; the claim goes with it.
    void finish();
    // Ends it as given up, its answered items judged all the same.
    void giveUp();
    bool hasEnded() const { return m_ended; }
    // Whether it ended because the countdown ran out.
    bool timeRanOut() const { return m_ended && m_paper.isTimeUp(); }

    // True the first time a write failed, so that the student is told once.
    bool takeFirstWriteFailure();

private:
    MockPaperSession(std::unique_ptr<ItemRecord> record, QuestionBank bank, MockPaper paper,
        qint64 attemptId, PaperClaim claim, SteadyClock steady);

    void saveSecondsLeft();
    void recordItem(int index);
    void end(bool finished);
    void noteWrite(bool written);

    std::unique_ptr<ItemRecord> m_record;
    QuestionBank m_bank;
    MockPaper m_paper;
    qint64 m_attemptId;
    std::unique_ptr<PaperClaim> m_claim;
    SteadyClock m_steady;
    int m_savedSecondsLeft;
    bool m_ended = false;
    bool m_writeFailed = false;
    bool m_failureTold = false;
};

} // namespace kivola
