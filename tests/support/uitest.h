#pragma once

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

// Shared tools of the window tests.
namespace uitest {

// The program's start-up settings: font substitutions, style and default font.
void setUpApplication();

// The modal window the user is looking at, if any.
QWidget *activeModal();

template <typename T> T *child(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

// The next widget in tab order that takes the keyboard focus.
QWidget *nextFocusable(QWidget *widget);

// True when no top-level window is left, once pending deletions have run.
bool noWindowLeft();

// Plays a script against modal windows as they come up: each step waits until a modal window
// with the given object name is active, then acts on it. Modal windows block the caller, so the
// script runs from a timer inside their event loops. Anything still open when the script times
// out is closed, so a broken flow fails the test instead of hanging it.
class ModalScript : public QObject
{
public:
    using Action = std::function<void(QWidget *)>;

    void expect(const QString &windowName, Action action);
    void start(int timeoutMs = 10000);
    bool finished() const { return m_steps.isEmpty(); }
    QStringList seen() const { return m_seen; }

private:
    void poll();

    struct Step
    {
        QString windowName;
        Action action;
    };
    QList<Step> m_steps;
    QStringList m_seen;
    QTimer m_timer;
    int m_remainingPolls = 0;
};

} // namespace uitest
