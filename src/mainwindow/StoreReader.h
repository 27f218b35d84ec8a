#pragma once

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <functional>
#include <memory>
#include <optional>

class AccountRepository;
class AppState;
class CalendarRepository;
class EventRepository;
class FilterRuleRepository;
class QThread;
class TaskRepository;
class ViewRepository;

// Reads the store off the window's thread, on a read connection of its own, so that what a pane
// reads from a large store never holds the event loop. Only the newest read counts: a newer one
// replaces a read still waiting, and the answer of any but the newest is dropped. Answers arrive
// queued, on the thread that made the reader; call it from that thread only. A store without a
// file of its own (or one a second connection cannot open) is read on the caller's thread
// through the hub's repositories, still queued, so callers see one order of events either way.
class StoreReader : public QObject
{
    Q_OBJECT

public:
    // The repositories a read may use; they belong to the connection the read runs on.
    struct Repositories
    {
        AccountRepository* accounts = nullptr;
        CalendarRepository* calendars = nullptr;
        EventRepository* events = nullptr;
        FilterRuleRepository* filterRules = nullptr;
        TaskRepository* tasks = nullptr;
        ViewRepository* views = nullptr;
    };
    // Runs on the reader's thread; what it returns runs on the caller's thread with the result.
    using Read = std::function<std::function<void()>(const Repositories& store)>;

    // `name` names the thread and its connection.
    StoreReader(AppState* appState, const QString& name, QObject* parent = nullptr);
    // Lets a running read end and joins the thread.
    ~StoreReader() override;

    // Starts the thread on first use.
    void read(Read read);
    // Drops the read waiting or running: its answer is not run.
    void cancel();
    // Frees `garbage` on the reader's thread: what a pane read can take long to free.
    void release(std::shared_ptr<const void> garbage);
    // From read() until its answer has run, or cancel().
    bool isBusy() const { return m_busy; }

private:
    struct Request
    {
        quint64 number = 0;
        Read read;
    };
    struct Connection;

    void startThread();
    void serve();
    void readHere(quint64 number, const Read& read);
    void answer(quint64 number, const std::function<void()>& deliver);

    AppState* m_appState;
    const QString m_name;
    QString m_databasePath;
    QThread* m_thread = nullptr;
    // Owned by the caller's thread.
    quint64 m_latest = 0;
    bool m_busy = false;
    // Shared with the reader's thread.
    QMutex m_mutex;
    QWaitCondition m_wake;
    std::optional<Request> m_waiting;
    QList<std::shared_ptr<const void>> m_garbage;
    bool m_stopping = false;
};
