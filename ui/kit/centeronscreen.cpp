#include "ui/kit/centeronscreen.h"

#include "ui/kit/twips.h"
#include "ui/kit/windowframe.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kivola::kit {

QPoint centeredPosition(QSize outer, QRect area)
{
    const int left = (kit::twips(area.width()) - kit::twips(outer.width())) / 2;
    const int top = (kit::twips(area.height()) - kit::twips(outer.height())) / 2;
    return {area.x() + kit::px(left), area.y() + kit::px(top)};
}

QRect screenArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

void CenterOnScreen(QWidget *window)
{
    kit::WindowFrame::place(window, [window](QMargins frame) {
        const QSize client = window->size();
        kit::WindowFrame::setFrameGeometry(
            window, centeredPosition(client.grownBy(frame), screenArea(window)), client, frame);
    });
}

} // namespace kivola::kit
