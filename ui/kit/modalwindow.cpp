#include "ui/kit/modalwindow.h"

#include "ui/kit/gothicfont.h"
#include "ui/kit/programicon.h"

#include <QKeyEvent>

namespace kivola::kit {

ModalWindow::ModalWindow(QWidget *owner, const char *name, const QString &caption,
    QSize clientTwips, Frame frame, Escape escape)
    : QDialog(owner)
    , m_escape(escape)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setWindowIcon(programIcon());
    setFont(defaultWindowFont());
    setModal(true);
    const QSize client(px(clientTwips.width()), px(clientTwips.height()));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    // Sizable windows offer no minimise button: a minimised modal window would hide the way
    // back to the windows it blocks.
    if (frame == Frame::FixedDialog)
        setFixedSize(client);
    else
        resize(client);
    setWindowFlags(flags);
    setSizeGripEnabled(false);
}

void ModalWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_escape == Escape::Ignored) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void showModal(QDialog *window)
{
    // QDialog::open() would make it modal to its owner alone; the windows below a modal one are
    // all disabled.
    window->setWindowModality(Qt::ApplicationModal);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

} // namespace kivola::kit
