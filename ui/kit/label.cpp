#include "ui/kit/label.h"

#include <QEvent>
#include <QPainter>

namespace kivola::kit {

Label::Label(QWidget *parent, Sizing sizing, Qt::Alignment horizontal)
    : QLabel(parent)
    , m_sizing(sizing)
{
    setAlignment(horizontal | Qt::AlignTop);
    setWordWrap(sizing == Sizing::Wraps);
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
}

void Label::setText(const QString &text)
{
    QLabel::setText(text);
    if (m_sizing == Sizing::Fit)
        fitToText();
    else if (m_sizing == Sizing::Fixed && sizeHint().width() > width())
        fitToText();
    else if (m_sizing == Sizing::Wraps)
        wrap();
}

void Label::drawLines(QPainter &painter) const
{
    painter.setFont(m_wrapped.font);
    painter.setPen(palette().color(foregroundRole()));
    for (const WrappedLine &line : m_wrapped.lines)
        painter.drawText(line.baseline, line.text);
}

void Label::paintEvent(QPaintEvent *event)
{
    if (m_sizing != Sizing::Wraps) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawLines(painter);
}

void Label::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_sizing == Sizing::Wraps)
        wrap();
}

void Label::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (m_sizing == Sizing::Wraps && event->type() == QEvent::FontChange)
        wrap();
}

void Label::fitToText()
{
    const QRect before = geometry();
    const QSize size = sizeHint();
    QRect after(
        before.topLeft(), m_sizing == Sizing::Fixed ? QSize(size.width(), before.height()) : size);
    // A one-line label that grows keeps its text where its alignment puts it.
    if (m_sizing == Sizing::Fixed && (alignment() & Qt::AlignHCenter))
        after.moveLeft(before.center().x() - size.width() / 2);
    setGeometry(after);
}

void Label::wrap()
{
    const QSize box = contentsRect().size();
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    if (text() == m_wrappedText && box == m_wrappedBox && horizontal == m_wrappedAlignment
        && font() == m_wrappedFont)
        return;
    m_wrappedText = text();
    m_wrappedFont = font();
    m_wrappedBox = box;
    m_wrappedAlignment = horizontal;
    m_wrapped = wrapText(m_wrappedText, m_wrappedFont, box, horizontal);
    update();
}

} // namespace kivola::kit
