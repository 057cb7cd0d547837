#include "ui/kit/modaldisabling.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace kivola::kit {

namespace {

bool isInside(const QObject *object, const QObject *container)
{
    for (const QObject *owner = object->parent(); owner; owner = owner->parent()) {
        if (owner == container)
            return true;
    }
    return false;
}

} // namespace

void ModalDisabling::install()
{
    static ModalDisabling *installed = nullptr;
    if (installed)
        return;
    installed = new ModalDisabling;
    installed->setParent(qApp);
    qApp->installEventFilter(installed);
}

bool ModalDisabling::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !widget->isWindow() || !widget->isModal())
        return false;
    if (event->type() == QEvent::Show)
        disableBelow(widget);
    else
        enableBelow(widget);
    return false;
}

void ModalDisabling::disableBelow(QWidget *modal)
{
    const bool known = std::any_of(m_layers.cbegin(), m_layers.cend(),
        [modal](const Layer &layer) { return layer.modal == modal; });
    if (known)
        return;
    Layer layer {modal, {}};
    // Disabling the owner below takes the focus from the modal window's chosen control, and Qt
    // would then give it to the first control that takes it.
    const QPointer<QWidget> chosenFocus = modal->focusWidget();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window == modal || !window->isVisible() || !window->isEnabled())
            continue;
        DisabledWindow disabled {window, window->focusWidget(), {}};
        // A menu item acts on its own for assistive tools, whatever its menu bar's state. The
        // search over children also reaches the windows this one owns, the modal window among
        // them, whose actions (a line edit's clear button) must keep working.
        for (QAction *action : window->findChildren<QAction *>()) {
            if (action->isEnabled() && !isInside(action, modal)) {
                disabled.actions.append(action);
                action->setEnabled(false);
            }
        }
        window->setEnabled(false);
        layer.below.append(disabled);
    }
    // Disabling its owner disabled the modal window along with the owner's other children.
    modal->setEnabled(true);
    if (chosenFocus)
        chosenFocus->setFocus();
    m_layers.append(layer);
}

void ModalDisabling::enableBelow(QWidget *modal)
{
    const auto layer = std::find_if(m_layers.begin(), m_layers.end(),
        [modal](const Layer &candidate) { return candidate.modal == modal; });
    if (layer == m_layers.end())
        return;
    const QList<DisabledWindow> below = layer->below;
    m_layers.erase(layer);
    for (const DisabledWindow &disabled : below) {
        if (!disabled.window)
            continue;
        disabled.window->setEnabled(true);
        for (const QPointer<QAction> &action : disabled.actions) {
            if (action)
                action->setEnabled(true);
        }
        if (disabled.focus)
            disabled.focus->setFocus();
    }
}

} // namespace kivola::kit
