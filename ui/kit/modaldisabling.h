#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace kivola::kit {

// While a modal window is open, every window below it is disabled, menus included, so that
// neither a click, a key nor an assistive tool's action reaches one. Closing the modal window
// enables them again with the keyboard focus where it was. Watches every window of the
// application once installed.
class ModalDisabling : public QObject
{
public:
    // Installs the rule on the application; later calls do nothing.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ModalDisabling() = default;
    void disableBelow(QWidget *modal);
    void enableBelow(QWidget *modal);

    struct DisabledWindow
    {
        QPointer<QWidget> window;
        QPointer<QWidget> focus;
        QList<QPointer<QAction>> actions;
    };
    struct Layer
    {
        QPointer<QWidget> modal;
        QList<DisabledWindow> below;
    };
    QList<Layer> m_layers;
};

} // namespace kivola::kit
