#include "label.h"

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
}

void Label::fitToText()
{
    const QRect before = geometry();
    const QSize size = sizeHint();
    QRect after(
        before.topLeft(), m_sizing == Sizing::Fixed ? QSize(size.width(), before.height()) : size);
    if (alignment() & Qt::AlignHCenter)
        after.moveLeft(before.center().x() - size.width() / 2);
    setGeometry(after);
}

} // namespace kivola::kit
