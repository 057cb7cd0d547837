#pragma once

#include "bank/paper.h"

#include <QDateTime>
#include <QList>

#include <array>
#include <optional>

namespace kivola {

// Practice in the exam's own item formats, as the learning record keeps it. An item is a group
// of one to four statements of one paper, part and item number; its format (choose the true one
// of four, the false one, a pair, a triple, or a single ○/×) and its options are the quiz's
// business: the record keeps them as the plain numbers the quiz gives. Every number stored here
// keeps its meaning for good, since older records must read the same.

enum class AttemptKind
{
    // Items from several papers, each graded as soon as it is answered.
    Drill = 1,
    // One whole paper, answers open to change until it ends, optionally against a countdown.
    MockPaper = 2
};

enum class AttemptState
{
    UnderWay = 0,
    Finished = 1,
    GivenUp = 2
};

// Stands for "no paper" where a paper's index into Papers would go: a drill mixes papers.
inline constexpr int NoPaper = -1;

// One item of an attempt as it was set: its place in the attempt (1..N), the bank id of its
// first statement, its format and the option that is right (options are numbered from 1).
struct AttemptItem
{
    int position = 0;
    int firstBankId = 0;
    int format = 0;
    int rightOption = 0;

    bool operator==(const AttemptItem &) const = default;
};

// What an attempt holds for one item.
struct ItemAnswer
{
    AttemptItem item;
    // No value while the item is unanswered.
    std::optional<int> chosen;
    // Marked by the student to come back to.
    bool flagged = false;
    // When the answer or the mark last changed; invalid while neither ever did.
    QDateTime answeredUtc;

    bool right() const { return chosen == item.rightOption; }
    bool operator==(const ItemAnswer &) const = default;
};

// What an answered item says about one of its statements: the answer it amounts to for that
// statement (AnswerTrue or AnswerFalse) and whether that was the bank's answer.
struct Judgment
{
    int bankId = 0;
    int given = 0;
    bool correct = false;
    int format = 0;

    bool operator==(const Judgment &) const = default;
};

// The judgments of one answered item.
struct JudgedItem
{
    int position = 0;
    QList<Judgment> judgments;

    bool operator==(const JudgedItem &) const = default;
};

struct ItemAttempt
{
    qint64 id = 0;
    AttemptKind kind = AttemptKind::Drill;
    // Index into Papers; NoPaper for a drill.
    int paper = NoPaper;
    QDateTime startedUtc;
    // Invalid while under way.
    QDateTime finishedUtc;
    AttemptState state = AttemptState::UnderWay;
    int itemCount = 0;
    // 0 when there is no countdown.
    int timeLimitSeconds = 0;
    int secondsLeft = 0;
    int secondsUsed = 0;
    int rightCount = 0;
    // In the order of their positions; left empty by the reads that list attempts.
    QList<ItemAnswer> answers;

    bool operator==(const ItemAttempt &) const = default;
};

// A mock paper that was finished, as the list of papers taken shows it.
struct PaperResult
{
    qint64 attemptId = 0;
    int paper = 0;
    QDateTime finishedUtc;
    int rightCount = 0;
    int itemCount = 0;
    // Out of 100: paperScore().
    int score = 0;
    int secondsUsed = 0;

    bool operator==(const PaperResult &) const = default;
};

// Entry n holds the best score of paper n (in the order of Papers), or no value when it was never
// finished.
using BestScores = std::array<std::optional<int>, Papers.size()>;

} // namespace kivola
