#pragma once

#include "ui/kit/modalwindow.h"

#include <array>

class QPushButton;

namespace kivola {

class TestSession;

// One question of the running test with the two answer buttons. Each window lives for one
// answer: a click hands the answer to the test run and closes the window.
class FrmQuestion : public kit::ModalWindow
{
    Q_OBJECT

public:
    explicit FrmQuestion(TestSession &session);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void answer(int code);

    TestSession &m_session;
    // Indexed by answer code: 1 is "○", 2 is "×"; slot 0 is unused.
    std::array<QPushButton *, 3> m_btnYesNo {};
};

} // namespace kivola
