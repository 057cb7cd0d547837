#include "session/drillsession.h"

#include "quiz/itemjudgment.h"

#include <algorithm>

namespace kivola {

DrillSession::DrillSession(const QString &recordPath, QuestionBank bank, Clock clock)
    : m_record(recordPath, clock)
    , m_bank(std::move(bank))
    , m_clock(clock)
{ }

DrillSession::~DrillSession()
{
    endRound();
}

void DrillSession::beginRound(const QList<ExamItem> &items)
{
    endRound();
    m_items = items;
    m_chosen = QList<std::optional<int>>(items.size());
    m_startedUtc = m_clock();
}

bool DrillSession::answer(int index, int chosen)
{
    const ExamItem &item = m_items.at(index);
    m_chosen[index] = chosen;
    if (!m_attemptId) {
        QList<AttemptItem> attemptItems;
        for (qsizetype i = 0; i < m_items.size(); ++i) {
            const ExamItem &each = m_items.at(i);
            attemptItems.append(
                {int(i) + 1, each.firstBankId(), int(each.format), each.rightOption});
        }
        m_attemptId = m_record.start(AttemptKind::Drill, NoPaper, 0, attemptItems);
    }
    JudgedItem judged {index + 1, {}};
    for (const StatementJudgment &judgment : judgmentsOf(item, m_bank, chosen)) {
        judged.judgments.append(
            {judgment.bankId, judgment.given, judgment.right, int(judgment.format)});
    }
    const bool kept
        = m_attemptId && m_record.recordDrillItem(*m_attemptId, chosen, judged, secondsUsed());
    m_failed = m_failed || !kept;
    const bool allAnswered = std::all_of(m_chosen.cbegin(), m_chosen.cend(),
        [](const std::optional<int> &given) { return given.has_value(); });
    if (allAnswered)
        endRound();
    return kept;
}

const QString &DrillSession::recordPath() const
{
    return m_record.path();
}

bool DrillSession::takeFirstFailure()
{
    if (!m_failed || m_failureTold)
        return false;
    m_failureTold = true;
    return true;
}

int DrillSession::secondsUsed() const
{
    return int(std::max<qint64>(0, m_startedUtc.secsTo(m_clock())));
}

void DrillSession::endRound()
{
    if (!m_attemptId)
        return;
    int right = 0;
    bool allAnswered = true;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        right += m_chosen.at(i) == m_items.at(i).rightOption;
        allAnswered = allAnswered && m_chosen.at(i).has_value();
    }
    // The judgments went in with each answer; an attempt that cannot be ended stays under way,
    // which no one resumes for a drill.
    m_record.end(*m_attemptId, allAnswered ? AttemptState::Finished : AttemptState::GivenUp,
        secondsUsed(), right, {});
    m_attemptId.reset();
}

} // namespace kivola
