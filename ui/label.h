#pragma once

#include <QLabel>

namespace kivola::kit {

// How a label lays out its text.
enum class Sizing
{
    Fixed, // one line at its designed size; a longer text widens it about its alignment, never
           // clipped
    Fit, // resizes itself to its text whenever the text changes
    Wraps, // keeps its size; wraps within its width, clipped at its height
};

// A label of the window layouts: transparent unless given a background, top-aligned text.
// A fitting label keeps its left and top edges, except a centred one, which keeps its centre so
// that a centred heading stays centred whatever its text.
class Label : public QLabel
{
    Q_OBJECT

public:
    Label(QWidget *parent, Sizing sizing, Qt::Alignment horizontal);

    // Sets the text and, for a fitting label, resizes to it.
    void setText(const QString &text);
    Sizing sizing() const { return m_sizing; }

private:
    void fitToText();

    Sizing m_sizing;
};

} // namespace kivola::kit
