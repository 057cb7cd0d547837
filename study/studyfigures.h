#pragma once

#include "bank/paper.h"
#include "bank/questionbank.h"
#include "bank/questionplace.h"
#include "bank/studylayer.h"
#include "bank/testkind.h"
#include "study/itemattempt.h"

#include <QDateTime>
#include <QList>

#include <array>
#include <optional>

namespace kivola {

enum class LatestResult
{
    Unseen,
    Right,
    Wrong
};

// What the record holds about one statement.
struct StatementFigures
{
    int answered = 0;
    int wrong = 0;
    LatestResult latest = LatestResult::Unseen;
    // The latest two answers were both right.
    bool mastered = false;

    bool operator==(const StatementFigures &) const = default;
};

// Figures of every statement, indexed by bank id like the bank itself: entry 0 is unused and
// entries 1..565 are the statements. A record with nothing in it gives all entries unseen.
using StatementTable = QList<StatementFigures>;
StatementTable emptyStatementTable();

// One answer in the history of a statement: given in a test or practice of five, judged from an
// answered item, or given in the daily review.
struct StatementEvent
{
    enum class Source
    {
        TestAnswer,
        Judgment,
        Review
    };

    int bankId = 0;
    QDateTime atUtc;
    bool right = false;
    // AnswerTrue or AnswerFalse; 0 for "わからない" in the daily review.
    int given = 0;
    Source source = Source::TestAnswer;
    // The item's format for a judgment; 0 for a test or review answer.
    int format = 0;

    bool operator==(const StatementEvent &) const = default;
};

struct TestPoints
{
    QDateTime finishedUtc;
    TestKind kind = TestKind::Ordinary;
    int points = 0;

    bool operator==(const TestPoints &) const = default;
};

// Answers given and how many of them were right, over a group of statements.
struct Accuracy
{
    int answered = 0;
    int right = 0;

    bool operator==(const Accuracy &) const = default;
};

// Entry n - 1 holds part n (第n問), over all six papers.
using PartAccuracy = std::array<Accuracy, PartCount>;
// In the order of the paper list, Papers.
using PaperAccuracy = std::array<Accuracy, Papers.size()>;
// In the order of the Period and Theme lists.
using PeriodAccuracy = std::array<Accuracy, PeriodCount>;
using ThemeAccuracy = std::array<Accuracy, ThemeCount>;

// A group is named the weakest only on this many answers at least: over a handful, the share of
// right answers says more about luck than about the student.
inline constexpr int WeakestMinimumAnswers = 10;

// Ids in ascending order.
QList<int> latestWrong(const StatementTable &table);
QList<int> neverAnswered(const StatementTable &table);
int seenCount(const StatementTable &table);
int masteredCount(const StatementTable &table);
// The statements answered wrong most often, at most count of them, most wrong answers first
// and the lower id first among equals; statements never answered wrong are left out.
QList<int> mostWrong(const StatementTable &table, int count);

// A statement's part and paper come from its record in the bank; statements the bank lacks or
// whose fields name no part or paper count nowhere.
PartAccuracy accuracyByPart(const StatementTable &table, const QuestionBank &bank);
PaperAccuracy accuracyByPaper(const StatementTable &table, const QuestionBank &bank);
// A statement's period and themes come from its study note; a statement of two themes counts for
// both, and one without a note counts nowhere.
PeriodAccuracy accuracyByPeriod(const StatementTable &table, const StudyLayer &layer);
ThemeAccuracy accuracyByTheme(const StatementTable &table, const StudyLayer &layer);

// The part (1..6) with the lowest share of right answers among those answered at least
// WeakestMinimumAnswers times; the lower part among equals; 0 when none has been answered as
// often.
int weakestPart(const PartAccuracy &accuracy);
// The same for periods and themes, the earlier in their lists among equals.
std::optional<Period> weakestPeriod(const PeriodAccuracy &accuracy);
std::optional<Theme> weakestTheme(const ThemeAccuracy &accuracy);

// Entry i is the mean points of tests 0..i, so the line shows where the student stands after
// each test.
QList<double> runningAverage(const QList<TestPoints> &tests);

// A paper's score out of 100, every item weighing the same, rounded to the nearest point (halves
// up); 0 for a paper of no items.
int paperScore(int rightCount, int itemCount);
// The best score of each paper among the results; papers with a number outside Papers are left
// out.
BestScores bestScores(const QList<PaperResult> &results);

} // namespace kivola
