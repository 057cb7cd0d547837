#include "ui/kit/windowframe.h"

#include <QEvent>
#include <QHash>
#include <QRect>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace kivola::kit {

namespace {

struct LearnedFrames
{
    QHash<quint64, QMargins> byKind;
    // Of the kinds not seen yet, the frame of the last kind seen is the likeliest guess.
    std::optional<QMargins> last;
};

LearnedFrames &learnedFrames()
{
    static LearnedFrames frames;
    return frames;
}

quint64 kindOf(const QWidget *window)
{
    const bool fixed = window->minimumSize() == window->maximumSize();
    return (quint64(window->windowFlags().toInt()) << 1) | quint64(fixed);
}

QMargins guessFor(const QWidget *window)
{
    // Some platforms know the frame as soon as the native window exists.
    if (const QWindow *handle = window->windowHandle()) {
        const QMargins reported = handle->frameMargins();
        if (!reported.isNull())
            return reported;
    }
    return learnedFrames().last.value_or(QMargins());
}

// Waits for the first exposure of a window of a kind not seen yet: by then the window manager
// has framed it, and nothing has been painted.
class FrameWatch : public QObject
{
public:
    FrameWatch(QWidget *window, quint64 kind, QMargins guess, WindowFrame::Placement placement)
        : QObject(window)
        , m_window(window)
        , m_kind(kind)
        , m_guess(guess)
        , m_placement(std::move(placement))
    {
        if (QWindow *handle = window->windowHandle())
            handle->installEventFilter(this);
        else
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show) {
            // The native window exists from here on, not yet mapped.
            m_window->removeEventFilter(this);
            m_window->windowHandle()->installEventFilter(this);
        } else if (watched == m_window->windowHandle() && event->type() == QEvent::Expose
            && m_window->windowHandle()->isExposed()) {
            m_window->windowHandle()->removeEventFilter(this);
            learn(m_window->windowHandle()->frameMargins());
            deleteLater();
        }
        return false;
    }

private:
    void learn(QMargins frame)
    {
        // No frame at all means no window manager, or one that frames its windows later:
        // the next window of the kind asks again.
        if (!frame.isNull()) {
            learnedFrames().byKind.insert(m_kind, frame);
            learnedFrames().last = frame;
        }
        if (frame != m_guess)
            m_placement(frame);
    }

    QWidget *m_window;
    quint64 m_kind;
    QMargins m_guess;
    WindowFrame::Placement m_placement;
};

} // namespace

void WindowFrame::place(QWidget *window, const Placement &placement)
{
    const quint64 kind = kindOf(window);
    const auto learned = learnedFrames().byKind.constFind(kind);
    if (learned != learnedFrames().byKind.cend()) {
        placement(*learned);
        return;
    }
    const QMargins guess = guessFor(window);
    placement(guess);
    new FrameWatch(window, kind, guess, placement);
}

void WindowFrame::setFrameGeometry(
    QWidget *window, QPoint frameTopLeft, QSize client, QMargins frame)
{
    window->setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), client));
}

} // namespace kivola::kit
