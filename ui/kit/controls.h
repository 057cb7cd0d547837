#pragma once

#include "ui/kit/label.h"
#include "ui/kit/shapewidget.h"
#include "ui/kit/twips.h"

#include <QColor>
#include <QFont>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kivola::kit {

// Colours shared by the windows.
namespace colors {
inline const QColor Black(0x00, 0x00, 0x00);
inline const QColor White(0xFF, 0xFF, 0xFF);
inline const QColor Shadow(0xC0, 0xC0, 0xC0);
inline const QColor PanelFill(0xFF, 0xC0, 0x80);
inline const QColor PanelBorder(0xC0, 0x40, 0x00);
inline const QColor Cream(0xFF, 0xE0, 0xC0);
inline const QColor Brown(0x80, 0x40, 0x00);
inline const QColor Lavender(0xC0, 0xC0, 0xFF);
inline const QColor Pink(0xFF, 0xC0, 0xC0);
inline const QColor Green(0x00, 0x80, 0x00);
inline const QColor Lime(0x00, 0xFF, 0x00);
inline const QColor Red(0xFF, 0x00, 0x00);
inline const QColor Blue(0x00, 0x00, 0xFF);
inline const QColor Grey(0x80, 0x80, 0x80);
} // namespace colors

// The drop shadow of a title: the silver copy lies this far right and down, behind the black one.
inline constexpr int ShadowOffsetX = 45;
inline constexpr int ShadowOffsetY = 30;
inline constexpr int PanelBorderWidth = 3;

// The system colours of the original windows, taken from the application palette.
QColor windowTextColor();
QColor menuColor();

// The contrast WCAG 2 asks of body text against what lies behind it.
inline constexpr double ReadableContrast = 4.5;

// The contrast ratio of two colours by WCAG 2, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// A layout's colour for text drawn on the system's window background. The layouts were drawn
// for a light background and keep their colours on one; on a dark one, as a dark colour scheme
// gives, a colour that stands out too little is lightened, keeping its hue, until it reads.
QColor readableOnWindow(const QColor &designed);

// Members of a control array are named after the array with their index: btnReview0.
QString indexedName(const char *name, int index);

Label *addLabel(QWidget *parent, const QString &name, const QString &text, Twips where,
    const QFont &font, const QColor &color, Sizing sizing,
    Qt::Alignment horizontal = Qt::AlignLeft);

// An opaque box with a single-line border that frames text drawn in front of it.
Label *addBoxLabel(QWidget *parent, const QString &name, Twips where, const QColor &background);

// A button in the system's colours and the style's look.
QPushButton *addButton(
    QWidget *parent, const QString &name, const QString &text, Twips where, const QFont &font);

// A button filled with a colour of its own, light as the layouts' are, so its text is black
// whatever the colour scheme.
QPushButton *addButton(QWidget *parent, const QString &name, const QString &text, Twips where,
    const QFont &font, const QColor &background);

// The green-on-black box that shows a score or a mark; the program writes it, the user only
// reads it.
QLineEdit *addDisplayBox(QWidget *parent, const QString &name, Twips where, const QFont &font);

// A captioned container; the controls inside are placed relative to its top-left corner.
QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, Twips where,
    const QColor &background, const QColor &captionColor);

ShapeWidget *addShape(QWidget *parent, const QString &name, Twips where, const ShapeStyle &style);

// A title drawn twice, black in front and the silver shadow behind it, named name + "a" and
// name + "b".
void addShadowedTitle(
    QWidget *parent, const QString &name, const QString &text, Twips where, const QFont &font);

// The rounded orange panel that carries most titles.
ShapeWidget *addTitlePanel(QWidget *parent, const QString &name, Twips where);

LineWidget *addLine(QWidget *parent, const QString &name, QPoint fromTwips, QPoint toTwips,
    const QColor &color, int widthPixels);

// Stacks the children of a container as the layouts list them: among labels, lines and shapes
// the one listed first is in front; buttons, boxes, frames and pictures lie above all of them.
// Call once all children exist, created in listed order.
void stackInListedOrder(QWidget *container);

} // namespace kivola::kit
