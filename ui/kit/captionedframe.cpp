#include "ui/kit/captionedframe.h"

#include <QPainter>

namespace kivola::kit {

namespace {

// The caption starts this far in from the left edge and has this much room either side, over
// the border line.
constexpr int CaptionLeft = 6;
constexpr int CaptionPadding = 2;

} // namespace

CaptionedFrame::CaptionedFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{ }

int CaptionedFrame::borderTop() const
{
    return fontMetrics().height() / 2;
}

void CaptionedFrame::changeEvent(QEvent *event)
{
    // The group box sets its margins anew from the style's caption on every change of font or
    // style.
    QGroupBox::changeEvent(event);
    setContentsMargins({});
}

void CaptionedFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    // Etched: a dark line with a light one just inside and below it.
    const QRect outer(0, borderTop(), width() - 1, height() - borderTop() - 1);
    painter.setPen(colours.color(QPalette::Light));
    painter.drawRect(outer.translated(1, 1));
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawRect(outer);

    if (title().isEmpty())
        return;
    const QFontMetrics metrics = fontMetrics();
    const QRect caption(
        CaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * CaptionPadding, metrics.height());
    painter.fillRect(caption, colours.color(QPalette::Window));
    painter.setPen(colours.color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

} // namespace kivola::kit
