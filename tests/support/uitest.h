#pragma once

#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// Shared tools of the window tests.
namespace uitest {

// The program's start-up settings: font substitutions, style and default font. With
// KIVOLA_TEST_ONLY_FACE set, the Japanese face is that one alone.
void setUpApplication();

// The modal window the user is looking at, if any.
QWidget *activeModal();

template <typename T> T *child(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

// The next widget in tab order that takes the keyboard focus.
QWidget *nextFocusable(QWidget *widget);

// The text a label or a display box of the window shows.
QString textOf(const QWidget *window, const QString &name);

// True when no top-level window is left, once pending deletions have run.
bool noWindowLeft();

// Plays a script against modal windows as they come up: each step waits until a modal window
// with the given object name (or class name) is active, then acts on it. The script looks again
// whenever a window is shown or hidden and after each action, and each action runs on its own
// from the event loop, so that it may open another window. A step acts on a window only once it
// differs from the last one acted on, or a new window has been shown since.
class ModalScript : public QObject
{
public:
    using Action = std::function<void(QWidget *)>;

    ModalScript();
    ~ModalScript() override;

    void expect(const QString &windowName, Action action);
    // Starts watching; the windows of the script are then opened by the test.
    void start();
    // Runs the event loop until every step has acted and no modal window is left open but those
    // that were open when the script started. A flow
    // that breaks fails the test instead of hanging: past the guard time whatever is still open
    // is closed and the wait reports false.
    bool finished(int guardMs = 10000);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void look();
    void lookSoon();
    bool done() const;
    void giveUp();

    struct Step
    {
        QString windowName;
        Action action;
    };
    QList<Step> m_steps;
    QEventLoop *m_waiting = nullptr;
    bool m_gaveUp = false;
    bool m_lookPending = false;
    int m_actionsRunning = 0;
    int m_windowsShown = 0;
    int m_windowsShownAtAction = -1;
    const QWidget *m_lastActedOn = nullptr;
    QList<QPointer<QWidget>> m_before;
};

} // namespace uitest
