#pragma once

#include <QGroupBox>

namespace kivola::kit {

// A frame as the window layouts know it: an etched border whose top line runs through the
// middle of the caption, and the whole inside free for the controls placed in it. The style's
// group box would draw its top line below the caption, through the first line of a label
// placed near the top. A layout set on the frame places its items from the frame's edges.
class CaptionedFrame : public QGroupBox
{
    Q_OBJECT

public:
    CaptionedFrame(const QString &caption, QWidget *parent);

    // Where the top line of the border runs, half the caption's height down.
    int borderTop() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
};

} // namespace kivola::kit
