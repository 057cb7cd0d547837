#pragma once

#include "ui/kit/twips.h"

#include <QDialog>

namespace kivola::kit {

// The common frame of the modal windows: name, caption, icon, default font, client size in
// twips. Escape closes the window only where it has a cancel button; elsewhere the window's own
// buttons are the way out.
class ModalWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Frame
    {
        Sizable,
        FixedDialog
    };
    enum class Escape
    {
        Ignored,
        Closes
    };

    ModalWindow(QWidget *owner, const char *name, const QString &caption, QSize clientTwips,
        Frame frame, Escape escape = Escape::Ignored);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Escape m_escape;
};

// Shows a window modal to the whole program, as every window of the program is, and returns at
// once: what follows it is connected to its finished() signal. The window deletes itself when it
// closes.
void showModal(QDialog *window);

} // namespace kivola::kit
