#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

// Mouse input delivered with QApplication::sendEvent, so that moves carry the held button (which
// QTest::mouseMove does not) and wheel events reach the widget under the offscreen platform.
// Positions are in the widget's own coordinates.
namespace InputEvents {

void press(QWidget* widget, QPoint position, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A move with `buttons` held.
void move(QWidget* widget, QPoint position, Qt::MouseButtons buttons = Qt::LeftButton,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void release(QWidget* widget, QPoint position, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Press at `from`, `steps` held moves along the line to `to`, release at `to`.
void drag(QWidget* widget, QPoint from, QPoint to, int steps = 4,
          Qt::MouseButton button = Qt::LeftButton,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// One wheel event; `angleDeltaY` in eighths of a degree (120 is one notch, positive away from
// the user).
void wheel(QWidget* widget, QPoint position, int angleDeltaY,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace InputEvents
