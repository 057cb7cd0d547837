#pragma once

#include "ui/kit/wrappedtext.h"

#include <QLabel>

class QPainter;

namespace kivola::kit {

// How a label lays out its text.
enum class Sizing
{
    Fixed, // one line at its designed size; a longer text widens it about its alignment, never
           // clipped
    Fit, // resizes itself to its text whenever the text changes, keeping its left and top edges
    Wraps, // keeps its size; wraps within its width, clipped at its height
};

// A label of the window layouts: transparent unless given a background, top-aligned text.
// Alignment places the text within the label; a fitting label keeps its left and top edges
// whatever its alignment.
class Label : public QLabel
{
    Q_OBJECT

public:
    Label(QWidget *parent, Sizing sizing, Qt::Alignment horizontal);

    // Sets the text and, for a fitting label, resizes to it.
    void setText(const QString &text);
    Sizing sizing() const { return m_sizing; }

    // A wrapping label's text as it is drawn: font and lines.
    const WrappedText &wrapped() const { return m_wrapped; }
    // Draws a wrapping label's lines, relative to the painter's origin.
    void drawLines(QPainter &painter) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitToText();
    void wrap();

    Sizing m_sizing;
    WrappedText m_wrapped;
    // What m_wrapped was laid out from: showing the label resizes it to the size it already
    // has, and laying a text out again costs more than the rest of the label's work.
    QString m_wrappedText;
    QFont m_wrappedFont;
    QSize m_wrappedBox;
    Qt::Alignment m_wrappedAlignment;
};

} // namespace kivola::kit
