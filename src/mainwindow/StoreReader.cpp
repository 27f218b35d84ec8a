#include "StoreReader.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Database.h"
#include "EventRepository.h"
#include "FilterRuleRepository.h"
#include "TaskRepository.h"
#include "ViewRepository.h"

#include <QMutexLocker>
#include <QThread>

// The reader's own connection and its repositories; made, used and destroyed on its thread, as
// SQLite connections of the toolkit must be.
struct StoreReader::Connection
{
    Database database;
    AccountRepository accounts{&database};
    CalendarRepository calendars{&database};
    EventRepository events{&database};
    FilterRuleRepository filterRules{&database};
    TaskRepository tasks{&database};
    ViewRepository views{&database};

    Repositories repositories()
    {
        return {&accounts, &calendars, &events, &filterRules, &tasks, &views};
    }
};

namespace {

bool hasFileOfItsOwn(const QString& path)
{
    return !path.isEmpty() && path != QLatin1String(":memory:") &&
           !path.startsWith(QLatin1String("file::memory:"));
}

} // namespace

StoreReader::StoreReader(AppState* appState, const QString& name, QObject* parent)
    : QObject(parent), m_appState(appState), m_name(name)
{
    if (m_appState && m_appState->database())
        m_databasePath = m_appState->database()->database().databaseName();
}

StoreReader::~StoreReader()
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

void StoreReader::read(Read read)
{
    m_busy = true;
    const quint64 number = ++m_latest;
    if (!hasFileOfItsOwn(m_databasePath)) {
        QMetaObject::invokeMethod(
            this, [this, number, read = std::move(read)] { readHere(number, read); },
            Qt::QueuedConnection);
        return;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_waiting = Request{number, std::move(read)};
    }
    m_wake.wakeAll();
    startThread();
}

void StoreReader::release(std::shared_ptr<const void> garbage)
{
    if (!hasFileOfItsOwn(m_databasePath))
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_garbage.append(std::move(garbage));
    }
    m_wake.wakeAll();
    startThread();
}

void StoreReader::startThread()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] { serve(); });
    m_thread->setObjectName(m_name);
    m_thread->start();
}

void StoreReader::cancel()
{
    ++m_latest;
    m_busy = false;
    QMutexLocker lock(&m_mutex);
    m_waiting.reset();
}

void StoreReader::serve()
{
    // In write-ahead-log mode the reads here neither wait for the window's writes nor hold them
    // up, and each read sees what was committed when it began.
    auto connection = std::make_unique<Connection>();
    const bool open = connection->database.open(
        m_databasePath, QStringLiteral("%1-%2").arg(m_name).arg(quintptr(this)));
    for (;;) {
        Request request;
        QList<std::shared_ptr<const void>> garbage;
        {
            QMutexLocker lock(&m_mutex);
            while (!m_stopping && !m_waiting && m_garbage.isEmpty())
                m_wake.wait(&m_mutex);
            if (m_stopping)
                return;
            garbage.swap(m_garbage);
            if (!m_waiting)
                continue;
            request = std::move(*m_waiting);
            m_waiting.reset();
        }
        garbage.clear();
        if (!open) {
            // The file could not be opened a second time: read it through the window's own
            // connection rather than show nothing.
            QMetaObject::invokeMethod(
                this,
                [this, number = request.number, read = std::move(request.read)] {
                    readHere(number, read);
                },
                Qt::QueuedConnection);
            continue;
        }
        std::function<void()> deliver = request.read(connection->repositories());
        QMetaObject::invokeMethod(
            this,
            [this, number = request.number, deliver = std::move(deliver)] {
                answer(number, deliver);
            },
            Qt::QueuedConnection);
    }
}

void StoreReader::readHere(quint64 number, const Read& read)
{
    if (number != m_latest || !m_appState)
        return;
    const Repositories store{m_appState->accounts(), m_appState->calendars(),
                             m_appState->events(),   m_appState->filterRules(),
                             m_appState->tasks(),    m_appState->views()};
    answer(number, read(store));
}

void StoreReader::answer(quint64 number, const std::function<void()>& deliver)
{
    if (number != m_latest)
        return;
    m_busy = false;
    if (deliver)
        deliver();
}
