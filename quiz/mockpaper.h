#pragma once

#include "bank/questionplace.h"
#include "quiz/examitem.h"

#include <QList>

#include <array>
#include <optional>

namespace kivola {

// Right answers out of the items of one part of a paper.
struct PartScore
{
    int right = 0;
    int count = 0;

    bool operator==(const PartScore &) const = default;
};

// What a paper under way leaves behind, enough to take it up again: the option chosen per item
// (0 for none), the items marked to look at again, and its time.
struct MockPaperState
{
    QList<int> chosen;
    QList<bool> flagged;
    int secondsLeft = 0;
    // Counts only for a paper without a countdown; a timed one knows it from the seconds left.
    int secondsUsed = 0;
};

// One whole paper taken as the exam sets it: every item in paper order, the answers open to
// change until the end, and optionally a countdown at the exam's pace. Knows no clock: the
// caller hands in the moments of a steady clock in milliseconds, and the paper counts the time
// between them while it runs.
class MockPaper
{
public:
    // The exam gave 60 minutes for 36 answers.
    static constexpr int SecondsPerItem = 100;

    enum class Countdown
    {
        Off,
        On
    };

    MockPaper(int paperIndex, QList<ExamItem> items, Countdown countdown);
    // The items of the paper at paperIndex out of every item of the bank.
    static MockPaper ofPaper(const QList<ExamItem> &allItems, int paperIndex, Countdown countdown);
    // The paper as it was left; no value when the state does not fit its items.
    static std::optional<MockPaper> restored(
        int paperIndex, QList<ExamItem> items, Countdown countdown, const MockPaperState &state);

    static int timeLimitFor(int itemCount) { return itemCount * SecondsPerItem; }

    int paperIndex() const { return m_paperIndex; }
    const QList<ExamItem> &items() const { return m_items; }
    int itemCount() const { return int(m_items.size()); }
    const ExamItem &item(int index) const { return m_items.at(index); }

    // The option chosen in the item at index, from 0; 0 while unanswered.
    int chosen(int index) const { return m_chosen.value(index); }
    // Chooses an option, or withdraws the answer with 0. False when nothing changed: the same
    // option, an option the item does not have, or an index past the paper.
    bool choose(int index, int option);
    bool isFlagged(int index) const { return m_flagged.value(index); }
    bool setFlagged(int index, bool flagged);
    MockPaperState state() const;

    // The item on screen, from 0; moves stay within the paper.
    int position() const { return m_position; }
    void setPosition(int index);
    bool goNext();
    bool goPrevious();

    bool isTimed() const { return m_countdown == Countdown::On; }
    // 0 without a countdown.
    int timeLimitSeconds() const;
    // Starts counting from nowMs; the time before it is not the student's.
    void startClock(qint64 nowMs);
    // Counts up to nowMs and stops, while the paper is out of sight.
    void stopClock(qint64 nowMs);
    bool isClockRunning() const { return m_runningSinceMs.has_value(); }
    // Counts the time up to nowMs; a clock that went back counts nothing.
    void advanceClock(qint64 nowMs);
    int secondsUsed() const;
    // 0 without a countdown.
    int secondsLeft() const;
    bool isTimeUp() const { return isTimed() && secondsLeft() == 0; }

    int unansweredCount() const;
    bool isRight(int index) const;
    int rightCount() const;
    // Out of 100, every item weighted alike, halves rounded up.
    int score() const;
    static int scoreOf(int right, int count);
    // Entry n is part n + 1 (第1問 first).
    std::array<PartScore, PartCount> partScores() const;

private:
    int m_paperIndex;
    QList<ExamItem> m_items;
    Countdown m_countdown;
    QList<int> m_chosen;
    QList<bool> m_flagged;
    int m_position = 0;
    qint64 m_usedMs = 0;
    std::optional<qint64> m_runningSinceMs;
};

} // namespace kivola
