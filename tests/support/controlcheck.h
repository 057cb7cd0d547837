#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QTest>
#include <QWidget>

// One row of a window's control table, as the window tests compare it.
struct ControlRow
{
    QRect twips;
    bool fits = false; // a fitting label keeps only its left and top edges
    int pixelSize = 0; // 0: no font to check
    bool bold = false;
    bool italic = false;
    QColor color; // invalid: no colour to check; a shape's fill, a line's colour
    QPalette::ColorRole colorRole = QPalette::WindowText;
    QColor border; // a shape's border, drawn inside its outline
    int borderPixels = 0;
};
Q_DECLARE_METATYPE(ControlRow)

// A shape's row: where it lies, its fill and, where it has one, its border.
ControlRow shapeRow(
    QRect twips, const QColor &fill, const QColor &border = {}, int borderPixels = 0);
// A line's row: the colour it is drawn in (its ends are checked apart).
ControlRow lineRow(const QColor &color);

// Compares one control against its row: geometry (pixels from twips; none for a null rectangle),
// font and colour. Shapes and lines are checked by the colours they draw.
void checkControl(const QWidget *window, const QString &name, const ControlRow &row);

// Checks, by the pixels drawn, that a frame's border has its top line through the middle of its
// caption, and that the line runs above the first line of text of the wrapping label inside it.
void checkCaptionOnBorder(
    const QWidget *window, const QString &frameName, const QString &labelName);

// The Japanese faces the program's font may resolve to; never a Latin or Chinese face.
bool isJapaneseGothic(const QString &family);

// On a platform with a window manager (xcb), checks that it has framed the window: the outer
// frame is larger than the client area. Elsewhere windows have no frame to check.
void checkFramed(const QWidget *window);

// Shows the window, waits until it is framed and checks that its outer frame is centred on its
// screen: left and top are half the difference between screen and frame, taken in twips and
// halved by integer division.
void checkCentredOnScreen(QWidget *window);
