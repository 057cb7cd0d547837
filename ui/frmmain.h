#pragma once

#include <QMainWindow>

class QAction;

namespace kivola {

namespace kit {
class ClockStatusBar;
}
class TestFlow;
class TestSession;

// The window the program starts into and the only one that is not modal: title panel, the
// three buttons, menus and a status bar with the date and time.
class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // The outer size the window always ends at, frame and menu bar included.
    static constexpr int OuterWidthTwips = 4785;
    static constexpr int OuterHeightTwips = 3810;

    explicit FrmMain(TestSession &session);

    kit::ClockStatusBar *clockStatusBar() const { return m_statusBar; }
    // What comes next in a test started from this window or its menus.
    TestFlow *testFlow() const { return m_flow; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load();
    void startTest();
    void showScores();
    void toggleStatusBar();
    void showAbout();

    TestSession &m_session;
    kit::ClockStatusBar *m_statusBar;
    QAction *m_statusBarAction;
    TestFlow *m_flow;
};

} // namespace kivola
