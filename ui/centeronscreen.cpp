#include "centeronscreen.h"

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kivola {

QPoint centeredPosition(QSize outer, QRect screen)
{
    const int left = (kit::twips(screen.width()) - kit::twips(outer.width())) / 2;
    const int top = (kit::twips(screen.height()) - kit::twips(outer.height())) / 2;
    return {screen.x() + kit::px(left), screen.y() + kit::px(top)};
}

void CenterOnScreen(QWidget *window)
{
    CenterOnScreen(window, window->frameGeometry().size());
}

void CenterOnScreen(QWidget *window, QSize outer)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(centeredPosition(outer, screen->geometry()));
}

} // namespace kivola
