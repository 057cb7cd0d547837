#include "session/mockpapersession.h"

#include "quiz/itemjudgment.h"
#include "study/itemrecord.h"
#include "study/paperclaim.h"

namespace kivola {

namespace {

AttemptItem attemptItemOf(const ExamItem &item, int position)
{
    return {position, item.firstBankId(), int(item.format), item.rightOption};
}

QList<Judgment> recordedJudgments(const QList<StatementJudgment> &judgments)
{
    QList<Judgment> recorded;
    for (const StatementJudgment &judgment : judgments) {
        recorded.append(
            {judgment.bankId, int(judgment.given), judgment.right, int(judgment.format)});
    }
    return recorded;
}

// The state the attempt was left in, when its items are still the paper's items of this bank.
std::optional<MockPaperState> stateOf(const ItemAttempt &attempt, const QList<ExamItem> &items)
{
    if (attempt.answers.size() != items.size())
        return std::nullopt;
    MockPaperState state;
    for (qsizetype index = 0; index < items.size(); ++index) {
        const ItemAnswer &answer = attempt.answers.at(index);
        if (answer.item != attemptItemOf(items.at(index), int(index) + 1))
            return std::nullopt;
        state.chosen.append(answer.chosen.value_or(0));
        state.flagged.append(answer.flagged);
    }
    state.secondsLeft = attempt.secondsLeft;
    state.secondsUsed = attempt.secondsUsed;
    return state;
}

} // namespace

MockPaperSession::MockPaperSession(std::unique_ptr<ItemRecord> record, QuestionBank bank,
    MockPaper paper, qint64 attemptId, PaperClaim claim, SteadyClock steady)
    : m_record(std::move(record))
    , m_bank(std::move(bank))
    , m_paper(std::move(paper))
    , m_attemptId(attemptId)
    , m_claim(std::make_unique<PaperClaim>(std::move(claim)))
    , m_steady(std::move(steady))
    , m_savedSecondsLeft(m_paper.secondsLeft())
{ }

MockPaperSession::~MockPaperSession()
{
    if (!m_ended)
        pauseClock();
}

std::unique_ptr<MockPaperSession> MockPaperSession::start(const QString &recordPath,
    const QuestionBank &bank, int paperIndex, MockPaper::Countdown countdown, WallClock wall,
    SteadyClock steady)
{
    MockPaper paper = MockPaper::ofPaper(buildExamItems(bank), paperIndex, countdown);
    if (paper.itemCount() == 0)
        return nullptr;
    QList<AttemptItem> items;
    for (int index = 0; index < paper.itemCount(); ++index)
        items.append(attemptItemOf(paper.item(index), index + 1));
    auto record = std::make_unique<ItemRecord>(recordPath, wall);
    const std::optional<qint64> id
        = record->start(AttemptKind::MockPaper, paperIndex, paper.timeLimitSeconds(), items);
    if (!id)
        return nullptr;
    std::optional<PaperClaim> claim = PaperClaim::take(recordPath, *id);
    if (!claim)
        return nullptr;
    return std::unique_ptr<MockPaperSession>(new MockPaperSession(
        std::move(record), bank, std::move(paper), *id, std::move(*claim), std::move(steady)));
}

std::unique_ptr<MockPaperSession> MockPaperSession::resume(const QString &recordPath,
    const QuestionBank &bank, qint64 attemptId, WallClock wall, SteadyClock steady)
{
    // Claimed before it is read, so that what is read is not changed by another copy meanwhile.
    std::optional<PaperClaim> claim = PaperClaim::take(recordPath, attemptId);
    if (!claim)
        return nullptr;
    auto record = std::make_unique<ItemRecord>(recordPath, wall);
    const std::optional<ItemAttempt> attempt = record->attempt(attemptId);
    if (!attempt || attempt->kind != AttemptKind::MockPaper
        || attempt->state != AttemptState::UnderWay)
        return nullptr;
    const QList<ExamItem> items = itemsOfPaper(buildExamItems(bank), attempt->paper);
    const std::optional<MockPaperState> state = stateOf(*attempt, items);
    if (!state)
        return nullptr;
    const auto countdown
        = attempt->timeLimitSeconds > 0 ? MockPaper::Countdown::On : MockPaper::Countdown::Off;
    std::optional<MockPaper> paper = MockPaper::restored(attempt->paper, items, countdown, *state);
    if (!paper)
        return nullptr;
    return std::unique_ptr<MockPaperSession>(new MockPaperSession(std::move(record), bank,
        std::move(*paper), attemptId, std::move(*claim), std::move(steady)));
}

std::optional<QList<PaperUnderWay>> MockPaperSession::resumablePapers(
    const QString &recordPath, WallClock wall)
{
    ItemRecord record(recordPath, wall);
    const std::optional<QList<ItemAttempt>> attempts = record.resumablePapers();
    if (!attempts)
        return std::nullopt;
    QList<PaperUnderWay> papers;
    for (const ItemAttempt &attempt : *attempts) {
        papers.append({attempt.id, attempt.paper, attempt.itemCount, attempt.timeLimitSeconds > 0,
            attempt.secondsLeft});
    }
    return papers;
}

void MockPaperSession::resumeClock()
{
    if (!m_ended)
        m_paper.startClock(m_steady());
}

void MockPaperSession::pauseClock()
{
    if (m_ended || !m_paper.isClockRunning())
        return;
    m_paper.stopClock(m_steady());
    saveSecondsLeft();
}

bool MockPaperSession::tick()
{
    if (m_ended)
        return m_paper.isTimeUp();
    m_paper.advanceClock(m_steady());
    if (m_paper.isTimed() && m_savedSecondsLeft - m_paper.secondsLeft() >= SaveEverySeconds)
        saveSecondsLeft();
    return m_paper.isTimeUp();
}

void MockPaperSession::choose(int option)
{
    if (!m_ended && m_paper.choose(m_paper.position(), option))
        recordItem(m_paper.position());
}

void MockPaperSession::setFlagged(bool flagged)
{
    if (!m_ended && m_paper.setFlagged(m_paper.position(), flagged))
        recordItem(m_paper.position());
}

void MockPaperSession::finish()
{
    end(true);
}

void MockPaperSession::giveUp()
{
    end(false);
}

bool MockPaperSession::takeFirstWriteFailure()
{
    if (!m_writeFailed || m_failureTold)
        return false;
    m_failureTold = true;
    return true;
}

void MockPaperSession::saveSecondsLeft()
{
    // Without a countdown there are no seconds left to keep.
    if (!m_paper.isTimed())
        return;
    m_savedSecondsLeft = m_paper.secondsLeft();
    noteWrite(m_record->saveSecondsLeft(m_attemptId, m_savedSecondsLeft));
}

void MockPaperSession::recordItem(int index)
{
    m_paper.advanceClock(m_steady());
    const int chosen = m_paper.chosen(index);
    m_savedSecondsLeft = m_paper.secondsLeft();
    noteWrite(m_record->recordAnswer(m_attemptId, index + 1,
        chosen > 0 ? std::optional(chosen) : std::nullopt, m_paper.isFlagged(index),
        m_savedSecondsLeft));
}

void MockPaperSession::end(bool finished)
{
    if (m_ended)
        return;
    if (m_paper.isClockRunning())
        m_paper.stopClock(m_steady());
    QList<JudgedItem> judged;
    for (int index = 0; index < m_paper.itemCount(); ++index) {
        const int chosen = m_paper.chosen(index);
        if (chosen > 0) {
            judged.append(
                {index + 1, recordedJudgments(judgmentsOf(m_paper.item(index), m_bank, chosen))});
        }
    }
    noteWrite(m_record->end(m_attemptId, finished ? AttemptState::Finished : AttemptState::GivenUp,
        m_paper.secondsUsed(), m_paper.rightCount(), judged));
    m_ended = true;
    m_claim->release();
}

void MockPaperSession::noteWrite(bool written)
{
    m_writeFailed = m_writeFailed || !written;
}

} // namespace kivola
