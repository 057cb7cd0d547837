#include "ui/kit/firstpaintwatch.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kivola::kit {

FirstPaintWatch::FirstPaintWatch(QWidget *window, Action action)
    : QObject(window)
    , m_action(std::move(action))
{
    window->installEventFilter(this);
}

void FirstPaintWatch::after(QWidget *window, Action action)
{
    new FirstPaintWatch(window, std::move(action));
}

bool FirstPaintWatch::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // Queued, so that the painting finishes and reaches the screen first.
        QTimer::singleShot(0, this, &FirstPaintWatch::run);
        break;
    case QEvent::Hide:
    case QEvent::Close:
        run();
        break;
    default:
        break;
    }
    return false;
}

void FirstPaintWatch::run()
{
    if (m_ran)
        return;
    m_ran = true;
    parent()->removeEventFilter(this);
    const Action action = std::move(m_action);
    deleteLater();
    action();
}

} // namespace kivola::kit
