#include "EventLoopBlocks.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

namespace {

// How long the loop must have stayed idle for the work to count as done: a read off the window's
// thread comes back within it, or the loop is turned again.
constexpr int quietMs = 30;

} // namespace

EventLoopBlocks::EventLoopBlocks(int& argc, char** argv) : QApplication(argc, argv) {}

bool EventLoopBlocks::notify(QObject* receiver, QEvent* event)
{
    // Other threads (the network's among them) deliver their own events through here too: they
    // neither block the window nor may touch its counts.
    if (m_depth > 0 || QThread::currentThread() != thread())
        return QApplication::notify(receiver, event);
    ++m_depth;
    QElapsedTimer timer;
    timer.start();
    const bool handled = QApplication::notify(receiver, event);
    const qint64 ns = timer.nsecsElapsed();
    --m_depth;
    m_busyNs += ns;
    m_longestNs = std::max(m_longestNs, ns);
    return handled;
}

void EventLoopBlocks::reset()
{
    m_longestNs = 0;
    m_busyNs = 0;
}

bool EventLoopBlocks::run(const std::function<void()>& work, const std::function<bool()>& settled,
                          int timeoutMs)
{
    QTimer::singleShot(0, this, work);
    return settle(settled, timeoutMs);
}

bool EventLoopBlocks::settle(const std::function<bool()>& settled, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QElapsedTimer quiet;
    quiet.start();
    while (!deadline.hasExpired()) {
        const qint64 busyBefore = m_busyNs;
        processEvents(QEventLoop::AllEvents);
        sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (m_busyNs != busyBefore || !settled())
            quiet.restart();
        else if (quiet.elapsed() >= quietMs)
            return true;
        QThread::msleep(1);
    }
    return false;
}
