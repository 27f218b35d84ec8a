#include "WindowFit.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowFit {

void boundToScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize room(available.width(), std::max(0, available.height() - frameAllowance));
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
}

} // namespace WindowFit
