#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>

#include <functional>

class QWidget;

namespace kivola::kit {

// The frame a window manager draws around a window (title bar and borders) is known on X11 only
// once the window is on screen, yet the layouts give outer sizes and centre outer frames. Every
// window of one kind (same flags, fixed or sizable) gets the same frame, so the first window of
// each kind teaches the rest: it is placed with the best guess and, if its frame turns out
// different, placed again before its first paint. Later windows of that kind are placed at once,
// without asking the window system anything.
class WindowFrame
{
public:
    // Arranges the window for a frame of the given margins.
    using Placement = std::function<void(QMargins frame)>;

    // Runs the placement with the frame the window is expected to get, and once more with the
    // real frame before the first paint when the guess was wrong. Call once the window's flags
    // and size constraints are final.
    static void place(QWidget *window, const Placement &placement);

    // Puts the window's frame with its top-left corner at the point, around a client area of
    // the given size.
    static void setFrameGeometry(
        QWidget *window, QPoint frameTopLeft, QSize client, QMargins frame);
};

} // namespace kivola::kit
