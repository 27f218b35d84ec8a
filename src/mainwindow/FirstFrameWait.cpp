#include "FirstFrameWait.h"

#include <QEvent>
#include <QWidget>

FirstFrameWait::FirstFrameWait(QWidget* widget) : QObject(widget), m_widget(widget) {}

void FirstFrameWait::run(std::function<void()> work)
{
    QWindow* window = m_widget->window()->windowHandle();
    if (!m_widget->isVisible() || !window || window->isExposed()) {
        m_work = nullptr;
        work();
        return;
    }
    m_work = std::move(work);
    if (m_window != window) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = window;
        window->installEventFilter(this);
    }
}

bool FirstFrameWait::eventFilter(QObject* watched, QEvent* event)
{
    // The expose paints the first frame once it has been handled: the work comes after it.
    if (watched == m_window && event->type() == QEvent::Expose)
        QMetaObject::invokeMethod(this, &FirstFrameWait::runWaiting, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void FirstFrameWait::runWaiting()
{
    if (m_window) {
        m_window->removeEventFilter(this);
        m_window = nullptr;
    }
    if (!m_work)
        return;
    const std::function<void()> work = std::move(m_work);
    m_work = nullptr;
    work();
}
