#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace kivola::kit {

// Runs an action once a window has been painted for the first time, from the event loop after
// that paint, so that work the user need not wait for comes after what they see. Runs it at
// once if the window is hidden or gone before it was ever painted, so the action is never lost.
class FirstPaintWatch : public QObject
{
public:
    using Action = std::function<void()>;

    // Watches the window; the watch belongs to the window and ends with it.
    static void after(QWidget *window, Action action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstPaintWatch(QWidget *window, Action action);
    void run();

    Action m_action;
    bool m_ran = false;
};

} // namespace kivola::kit
