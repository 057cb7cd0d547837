#pragma once

#include "bank/paper.h"
#include "session/mockpapersession.h"
#include "ui/kit/modalwindow.h"

#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kivola {

// Chooses the paper of a mock paper and whether the time is counted down; when a paper is
// under way, first offers to go on with it or to give it up. Accepted with the choice made.
class FrmMockStart : public kit::ModalWindow
{
    Q_OBJECT

public:
    enum class Choice
    {
        NewPaper,
        Resume
    };

    // itemCounts[n] is the number of items of paper n.
    FrmMockStart(const std::array<int, Papers.size()> &itemCounts, int paperIndex, bool timed,
        const std::optional<PaperUnderWay> &underWay, QWidget *owner);

    Choice choice() const { return m_choice; }
    int paperIndex() const;
    bool timed() const;
    // The paper offered to go on with, if any is still offered.
    const std::optional<PaperUnderWay> &underWay() const { return m_underWay; }
    // Offers the next paper under way, or none, once one was given up.
    void setUnderWay(const std::optional<PaperUnderWay> &underWay);

Q_SIGNALS:
    // The student confirmed giving up the paper under way.
    void giveUpConfirmed(qint64 attemptId);

private:
    void updateLengths();

    std::array<int, Papers.size()> m_itemCounts;
    std::optional<PaperUnderWay> m_underWay;
    Choice m_choice = Choice::NewPaper;
    QGroupBox *m_frameResume;
    QLabel *m_lblUnderWay;
    QPushButton *m_btnResume;
    QPushButton *m_btnGiveUp;
    QGroupBox *m_framePaper;
    std::array<QRadioButton *, Papers.size()> m_optPaper {};
    QCheckBox *m_chkTimed;
    QPushButton *m_btnStart;
};

} // namespace kivola
