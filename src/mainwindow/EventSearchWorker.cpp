#include "EventSearchWorker.h"

#include "Database.h"
#include "EventRepository.h"

#include <QMutexLocker>
#include <QThread>

EventSearchWorker::EventSearchWorker(const QString& databasePath, QObject* parent)
    : QObject(parent), m_databasePath(databasePath)
{
}

EventSearchWorker::~EventSearchWorker()
{
    if (!m_thread)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_waiting.reset();
    }
    m_wake.wakeAll();
    m_thread->wait();
    delete m_thread;
}

void EventSearchWorker::search(const QString& text, int limit)
{
    m_searching = true;
    {
        QMutexLocker lock(&m_mutex);
        m_waiting = Request{++m_latest, text, limit};
    }
    m_wake.wakeAll();
    if (!m_thread) {
        m_thread = QThread::create([this] { serve(); });
        m_thread->setObjectName(QStringLiteral("event-search"));
        m_thread->start();
    }
}

void EventSearchWorker::cancel()
{
    ++m_latest;
    m_searching = false;
    QMutexLocker lock(&m_mutex);
    m_waiting.reset();
}

void EventSearchWorker::serve()
{
    // The connection lives and dies on this thread, as SQLite connections of the toolkit must.
    // In write-ahead-log mode its reads neither wait for the window's writes nor hold them up.
    Database database;
    const bool open =
        database.open(m_databasePath,
                      QStringLiteral("event-search-%1").arg(quintptr(QThread::currentThreadId())));
    EventRepository events(&database);
    for (;;) {
        Request request;
        {
            QMutexLocker lock(&m_mutex);
            while (!m_stopping && !m_waiting)
                m_wake.wait(&m_mutex);
            if (m_stopping)
                return;
            request = *m_waiting;
            m_waiting.reset();
        }
        const QList<Event> found =
            open ? events.search(request.text, request.limit) : QList<Event>();
        QMetaObject::invokeMethod(
            this, [this, number = request.number, found] { deliver(number, found); },
            Qt::QueuedConnection);
    }
}

void EventSearchWorker::deliver(quint64 number, const QList<Event>& events)
{
    if (number != m_latest)
        return;
    m_searching = false;
    Q_EMIT found(events);
}
