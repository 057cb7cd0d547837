#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "session/mockpapersession.h"

#include <QObject>

#include <memory>

class QWidget;

namespace kivola {

class FrmMockPaper;
class FrmMockStart;
class StudyRecord;

// The steps of a mock paper from the menu: the start window (going on with a paper under way,
// giving it up, or choosing a new one), the paper, and its result. Lives until its last window
// has closed.
class MockPaperFlow : public QObject
{
    Q_OBJECT

public:
    // The keys under which the last paper and the countdown choice are remembered.
    static constexpr const char *PaperKey = "mockPaper";
    static constexpr const char *TimedKey = "mockPaperTimed";

    // Opens the start window over the owner. The steady clock counts the countdown; without one
    // the machine's own is used.
    static void start(const QuestionBank &bank, const StudyLayer &layer, StudyRecord &study,
        QWidget *owner, MockPaperSession::SteadyClock steady = {});

private:
    MockPaperFlow(const QuestionBank &bank, const StudyLayer &layer, StudyRecord &study,
        QWidget *owner, MockPaperSession::SteadyClock steady);

    void offer();
    std::optional<PaperUnderWay> firstUnderWay(bool &readable);
    void giveUp(FrmMockStart *window, qint64 attemptId);
    void begin(const FrmMockStart &window);
    void openPaper(std::unique_ptr<MockPaperSession> session);
    void showResult(const FrmMockPaper &window);
    void tell(const char *name, const QString &text);

    QuestionBank m_bank;
    StudyLayer m_layer;
    StudyRecord &m_study;
    QWidget *m_owner;
    MockPaperSession::SteadyClock m_steady;
};

} // namespace kivola
