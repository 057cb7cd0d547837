#pragma once

#include <QList>
#include <QString>
#include <QTimer>
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
// with the given object name (or class name) is active, then acts on it. Modal windows block the
// caller, so the script runs from a timer inside their event loops, and each action runs on its
// own, so that an action may open another modal window. A step acts on a window only once it
// differs from the last one acted on, or a new window has been shown since. Anything still
// open when the script times out is closed, so a broken flow fails the test instead of hanging.
class ModalScript : public QObject
{
public:
    using Action = std::function<void(QWidget *)>;

    ModalScript();
    ~ModalScript() override;

    void expect(const QString &windowName, Action action);
    void start(int timeoutMs = 10000);
    bool finished() const { return m_steps.isEmpty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void poll();

    struct Step
    {
        QString windowName;
        Action action;
    };
    QList<Step> m_steps;
    QTimer m_timer;
    int m_remainingPolls = 0;
    int m_windowsShown = 0;
    int m_windowsShownAtAction = -1;
    const QWidget *m_lastActedOn = nullptr;
};

} // namespace uitest
