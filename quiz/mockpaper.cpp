#include "quiz/mockpaper.h"

#include <algorithm>

namespace kivola {

namespace {

constexpr qint64 MsPerSecond = 1000;
constexpr int Percent = 100;

} // namespace

MockPaper::MockPaper(int paperIndex, QList<ExamItem> items, Countdown countdown)
    : m_paperIndex(paperIndex)
    , m_items(std::move(items))
    , m_countdown(countdown)
    , m_chosen(m_items.size(), 0)
    , m_flagged(m_items.size(), false)
{ }

MockPaper MockPaper::ofPaper(const QList<ExamItem> &allItems, int paperIndex, Countdown countdown)
{
    return MockPaper(paperIndex, itemsOfPaper(allItems, paperIndex), countdown);
}

std::optional<MockPaper> MockPaper::restored(
    int paperIndex, QList<ExamItem> items, Countdown countdown, const MockPaperState &state)
{
    MockPaper paper(paperIndex, std::move(items), countdown);
    if (state.chosen.size() != paper.m_items.size() || state.flagged.size() != paper.m_items.size())
        return std::nullopt;
    for (int index = 0; index < paper.itemCount(); ++index) {
        const int option = state.chosen.at(index);
        if (option < 0 || option > paper.item(index).optionCount())
            return std::nullopt;
    }
    paper.m_chosen = state.chosen;
    paper.m_flagged = state.flagged;
    const int used = paper.isTimed()
        ? paper.timeLimitSeconds() - std::clamp(state.secondsLeft, 0, paper.timeLimitSeconds())
        : std::max(state.secondsUsed, 0);
    paper.m_usedMs = used * MsPerSecond;
    return paper;
}

bool MockPaper::choose(int index, int option)
{
    if (index < 0 || index >= itemCount() || option < 0 || option > item(index).optionCount()
        || m_chosen.at(index) == option)
        return false;
    m_chosen[index] = option;
    return true;
}

bool MockPaper::setFlagged(int index, bool flagged)
{
    if (index < 0 || index >= itemCount() || m_flagged.at(index) == flagged)
        return false;
    m_flagged[index] = flagged;
    return true;
}

MockPaperState MockPaper::state() const
{
    return {m_chosen, m_flagged, secondsLeft(), secondsUsed()};
}

void MockPaper::setPosition(int index)
{
    m_position = std::clamp(index, 0, std::max(itemCount() - 1, 0));
}

bool MockPaper::goNext()
{
    const int before = m_position;
    setPosition(m_position + 1);
    return m_position != before;
}

bool MockPaper::goPrevious()
{
    const int before = m_position;
    setPosition(m_position - 1);
    return m_position != before;
}

int MockPaper::timeLimitSeconds() const
{
    return isTimed() ? timeLimitFor(itemCount()) : 0;
}

void MockPaper::startClock(qint64 nowMs)
{
    if (!m_runningSinceMs)
        m_runningSinceMs = nowMs;
}

void MockPaper::stopClock(qint64 nowMs)
{
    advanceClock(nowMs);
    m_runningSinceMs.reset();
}

void MockPaper::advanceClock(qint64 nowMs)
{
    if (!m_runningSinceMs)
        return;
    m_usedMs += std::max<qint64>(nowMs - *m_runningSinceMs, 0);
    m_runningSinceMs = nowMs;
    // A countdown stops at zero, and so do the seconds it counts.
    if (isTimed())
        m_usedMs = std::min(m_usedMs, timeLimitSeconds() * MsPerSecond);
}

int MockPaper::secondsUsed() const
{
    return int(m_usedMs / MsPerSecond);
}

int MockPaper::secondsLeft() const
{
    return isTimed() ? std::max(timeLimitSeconds() - secondsUsed(), 0) : 0;
}

int MockPaper::unansweredCount() const
{
    return int(std::count(m_chosen.cbegin(), m_chosen.cend(), 0));
}

bool MockPaper::isRight(int index) const
{
    return index >= 0 && index < itemCount() && m_chosen.at(index) == item(index).rightOption;
}

int MockPaper::rightCount() const
{
    int right = 0;
    for (int index = 0; index < itemCount(); ++index)
        right += isRight(index) ? 1 : 0;
    return right;
}

int MockPaper::score() const
{
    return scoreOf(rightCount(), itemCount());
}

int MockPaper::scoreOf(int right, int count)
{
    // 100·right/count rounded half up, in integers: no binary fraction can tip a half.
    return count > 0 ? (2 * Percent * right + count) / (2 * count) : 0;
}

std::array<PartScore, PartCount> MockPaper::partScores() const
{
    std::array<PartScore, PartCount> parts {};
    for (int index = 0; index < itemCount(); ++index) {
        const int part = item(index).part;
        if (part < 1 || part > PartCount)
            continue;
        ++parts[part - 1].count;
        parts[part - 1].right += isRight(index) ? 1 : 0;
    }
    return parts;
}

} // namespace kivola
