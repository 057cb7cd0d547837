#pragma once

#include <QPushButton>

namespace kivola::kit {

// A push button in a colour of its own, QPalette::Button, filled flat as the window layouts
// show it; the style would only tint its own gradient with it. A raised bevel in lighter and
// darker shades of the colour sets it off, pressed it sinks and darkens, and the keyboard focus
// is a dotted rectangle inside it.
class ColouredButton : public QPushButton
{
    Q_OBJECT

public:
    ColouredButton(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kivola::kit
