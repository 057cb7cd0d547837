#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kivola {

// Where a window of the given outer size lands in the middle of the screen area, in pixels:
// the differences are taken in twips and halved by integer division, truncating toward zero.
QPoint centeredPosition(QSize outer, QRect screen);

// Places a window's outer frame in the middle of its screen: each of left and top is half the
// difference between screen and window, in twips, halved by integer division.
void CenterOnScreen(QWidget *window);
// The same for a window that will have the given outer size.
void CenterOnScreen(QWidget *window, QSize outer);

} // namespace kivola
