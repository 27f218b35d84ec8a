#pragma once

#include "LoopbackHttpServer.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>

// An in-process stand-in for the cloud calendar sync API on 127.0.0.1, under "/calendar/v1":
// the calendar list, per calendar a pull of the events changed after a cursor (in pages) and
// PUT/DELETE of single events, and the configuration push and pull. Every change takes the next
// number of one sequence; cursors and pull timestamps are such numbers. Requests without a
// bearer token are refused with 401.
class FakeCloudSyncServer : public QObject
{
    Q_OBJECT

public:
    struct StoredEvent
    {
        QString ical;
        QString etag;
        bool deleted = false;
        int sequence = 0;
    };

    explicit FakeCloudSyncServer(QObject* parent = nullptr);

    QString baseUrl() const; // "http://127.0.0.1:<port>/calendar/v1"
    // Points SYNC_API_URL at this server.
    void exportEnvironment() const;

    void addCalendar(const QString& id, const QString& name);
    // The calendar, its events and its members are gone from the list and the server.
    void removeCalendar(const QString& id);
    // Sharing: the people with access to a calendar, as "members" objects ("user_id", "email",
    // "display_name", "role", "joined_at"). A calendar added here has its owner as first member.
    void setMembers(const QString& calendarId, const QJsonArray& members);
    QJsonArray members(const QString& calendarId) const { return m_members.value(calendarId); }
    // Requests whose method and path (below the base, ids decoded) match are answered only on
    // releaseHeld(), until clearFailures().
    void holdPath(const QByteArray& method, const QString& path);
    void releaseHeld() { m_http->releaseHeld(); }
    // Stores (or replaces) an event as another device would; returns its new ETag.
    QString putEvent(const QString& calendarId, const QString& uid, const QString& ical);
    void deleteEvent(const QString& calendarId, const QString& uid);
    std::optional<StoredEvent> event(const QString& calendarId, const QString& uid) const;
    // Stores a configuration record ("views", "filter_rules", "templates", "accounts") as
    // another device would push it.
    void putConfig(const QString& section, const QJsonObject& record);
    void setSettings(const QJsonObject& settings)
    {
        m_settings = settings;
        m_settingsSequence = ++m_sequence;
    }
    QJsonObject config(const QString& section, const QString& id) const;
    // The pushes received, in order.
    QList<QJsonObject> pushes() const { return m_pushes; }
    int sequence() const { return m_sequence; }

    // Runs when a configuration push arrives, before it is stored and answered: what the test
    // does there happens while the push is out.
    void setPushHook(std::function<void()> hook) { m_pushHook = std::move(hook); }
    // Events per pull page.
    void setPageSize(int events) { m_pageSize = events; }
    // Requests whose method and path (below the base) match answer with this status, or never
    // when it is 0, until cleared.
    void failPath(const QByteArray& method, const QString& path, int status);
    void clearFailures() { m_failures.clear(); }

    QList<LoopbackHttpServer::Request> requests() const { return m_http->requests(); }
    int count(const QByteArray& method, const QString& pathSuffix) const
    {
        return m_http->count(method, pathSuffix);
    }

private:
    using Reply = LoopbackHttpServer::Reply;

    Reply handle(const LoopbackHttpServer::Request& request);
    Reply pullEvents(const QString& calendarId, const LoopbackHttpServer::Request& request);
    Reply pullConfig(const LoopbackHttpServer::Request& request);
    // GET members, POST share, DELETE share/<user>; nullopt when the path is none of these.
    std::optional<Reply> sharing(const LoopbackHttpServer::Request& request,
                                 const QStringList& parts);
    void storeConfig(const QString& section, QJsonObject record);

    LoopbackHttpServer* m_http;
    QMap<QString, QString> m_calendars;                 // id -> name
    QMap<QString, QMap<QString, StoredEvent>> m_events; // calendar id -> uid -> event
    QMap<QString, QMap<QString, QJsonObject>> m_config; // section -> id -> record
    QMap<QString, int> m_configSequence;                // section + '/' + id -> sequence
    QJsonObject m_settings;
    int m_settingsSequence = 0;
    QList<QJsonObject> m_pushes;
    std::function<void()> m_pushHook;
    QHash<QString, int> m_failures;
    QSet<QString> m_held;
    QMap<QString, QJsonArray> m_members; // calendar id -> members
    int m_sequence = 0;
    int m_pageSize = 100;
};
