#include "InputEvents.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    const QPointF local(position);
    const QPointF global(widget->mapToGlobal(position));
    QMouseEvent event(type, local, local, global, button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace

namespace InputEvents {

void press(QWidget* widget, QPoint position, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers)
{
    sendMouse(widget, QEvent::MouseButtonPress, position, button, button, modifiers);
}

void move(QWidget* widget, QPoint position, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers)
{
    sendMouse(widget, QEvent::MouseMove, position, Qt::NoButton, buttons, modifiers);
}

void release(QWidget* widget, QPoint position, Qt::MouseButton button,
             Qt::KeyboardModifiers modifiers)
{
    sendMouse(widget, QEvent::MouseButtonRelease, position, button, Qt::NoButton, modifiers);
}

void drag(QWidget* widget, QPoint from, QPoint to, int steps, Qt::MouseButton button,
          Qt::KeyboardModifiers modifiers)
{
    press(widget, from, button, modifiers);
    const int count = std::max(steps, 1);
    for (int step = 1; step <= count; ++step) {
        const QPoint at = from + (to - from) * step / count;
        move(widget, at, button, modifiers);
    }
    release(widget, to, button, modifiers);
}

void wheel(QWidget* widget, QPoint position, int angleDeltaY, Qt::KeyboardModifiers modifiers)
{
    const QPointF local(position);
    const QPointF global(widget->mapToGlobal(position));
    QWheelEvent event(local, global, QPoint(), QPoint(0, angleDeltaY), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace InputEvents
