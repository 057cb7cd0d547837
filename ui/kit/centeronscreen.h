#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kivola::kit {

// Where a window of the given outer size lands in the middle of an area, in pixels: the
// differences are taken in twips and halved by integer division, truncating toward zero.
QPoint centeredPosition(QSize outer, QRect area);

// The screen a window is on, or will be shown on.
QRect screenArea(const QWidget *window);

// Places a window's outer frame, title bar and borders included, in the middle of its screen:
// each of left and top is half the difference between screen and window, in twips, halved by
// integer division.
void CenterOnScreen(QWidget *window);

} // namespace kivola::kit
