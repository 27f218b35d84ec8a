#pragma once

#include "Calendar.h"

#include <QObject>
#include <QString>

#include <functional>

// What a CalDAV client needs besides the calendar; the other clients ignore it.
struct CalDavLogin
{
    QString serverUrl;
    QString username;
    QString password;
    QString trustedCertSha256;
};

// One sync client of any kind behind one face. The clients share no base class but agree on
// three signals; a handle owns its client, forwards those signals (and feedEventsSkipped, from a
// client that has it) and starts its calendars, so the orchestration (and tests, with fake
// clients) treat every kind alike.
class SyncClientHandle : public QObject
{
    Q_OBJECT

public:
    using Start = std::function<void(const Calendar& calendar, const CalDavLogin& login)>;

    // Takes `client` as a child and forwards its three signals; `start` starts one calendar.
    template <class Client>
    static SyncClientHandle* wrap(Client* client, Start start, QObject* parent)
    {
        auto* handle = new SyncClientHandle(std::move(start), parent);
        client->setParent(handle);
        connect(client, &Client::calendarSyncStarted, handle,
                &SyncClientHandle::calendarSyncStarted);
        connect(client, &Client::calendarSyncCompleted, handle,
                &SyncClientHandle::calendarSyncCompleted);
        connect(client, &Client::calendarSyncFailed, handle, &SyncClientHandle::calendarSyncFailed);
        if constexpr (requires { &Client::feedEventsSkipped; })
            connect(client, &Client::feedEventsSkipped, handle,
                    &SyncClientHandle::calendarEventsSkipped);
        return handle;
    }

    // Starts the calendar's sync; returns at once (a client may also report at once).
    void syncCalendar(const Calendar& calendar, const CalDavLogin& login)
    {
        m_start(calendar, login);
    }

Q_SIGNALS:
    void calendarSyncStarted(const QString& calendarId);
    void calendarSyncCompleted(const QString& calendarId, int eventCount);
    void calendarSyncFailed(const QString& calendarId, const QString& reason);
    // Before calendarSyncCompleted: events of the calendar's source that could not be stored.
    void calendarEventsSkipped(const QString& calendarId, int count);

private:
    SyncClientHandle(Start start, QObject* parent) : QObject(parent), m_start(std::move(start)) {}

    Start m_start;
};
