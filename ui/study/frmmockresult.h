#pragma once

#include "quiz/mockpaper.h"
#include "ui/kit/modalwindow.h"

namespace kivola {

// The result of a mock paper: items right, the score out of 100, the score of every part, the
// time used, and every item with the answer given and the right one, each open to review.
class FrmMockResult : public kit::ModalWindow
{
    Q_OBJECT

public:
    FrmMockResult(const MockPaper &paper, bool timeRanOut, QWidget *owner);

Q_SIGNALS:
    // The student asked to look again at the item at index (from 0).
    void reviewRequested(int index);
};

} // namespace kivola
