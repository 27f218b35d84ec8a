#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

// An in-process, stateful stand-in for the Google Calendar API v3 on 127.0.0.1, under
// "/calendar/v3": the calendar list (in pages, with access roles) and, per calendar, event
// listings in pages (full, or incremental from a sync token), single reads, inserts (with an id
// chosen by the client, 409 when it is taken), updates and deletes checked against If-Match (412)
// and per-event ETags. An occurrence of a stored series ("<series id>_<start>", the start as
// "yyyyMMddTHHmmssZ" or "yyyyMMdd") can be read and updated before it was ever stored, as on
// Google: until then it is the series' item at that start, with the series' ETag; a start the
// series' rule does not give is 404. The fake finds those starts by stepping the rules the tests
// write on the series' wall clock itself, never with the program's recurrence code, whose faults
// would otherwise pass for Google's answers. As on Google, an update that changes an instance's
// "originalStartTime" is refused with 400; every item but a cancellation carries an organizer, a
// creator, an "htmlLink" and an "iCalUID" that no client write changes; a reminder of any kind
// but "email" comes back as "popup". Every change
// takes the next number of one sequence; a sync token names the number its listing saw, and a
// deleted event stays as "cancelled" so that incremental listings report it. Faults are switched
// on by the test: expired sync tokens (410), refused access tokens (401), a stalled reply, a reply
// that is not JSON, a page token that repeats, pages without end.
class FakeGoogleCalendar : public QObject
{
    Q_OBJECT

public:
    // What the next event listing (or calendar list) does instead of answering properly.
    enum class Fault {
        None,
        Stall,           // never answers
        NotJson,         // 200 with an HTML body
        RepeatPageToken, // every page names the same next page
        EndlessPages,    // every page names a new next page
    };

    explicit FakeGoogleCalendar(QObject* parent = nullptr);
    ~FakeGoogleCalendar() override;

    QString apiBase() const; // "http://127.0.0.1:<port>/calendar/v3"
    // Points GOOGLE_API_URL at this server.
    void exportEnvironment() const;

    // A calendar of the list; `accessRole` as Google names it ("owner", "writer", "reader",
    // "freeBusyReader").
    void addCalendar(const QString& id, const QString& summary, const QString& accessRole,
                     bool primary = false);
    // Stores an event as another client would: a new id when the item has none, a new ETag and
    // "updated" time. Returns the stored item.
    QJsonObject putEvent(const QString& calendarId, QJsonObject item);
    // Deletes as another client would: the event stays, "cancelled", for incremental listings.
    // An occurrence of a series ("<series id>_<start>") may be one never changed.
    void cancelEvent(const QString& calendarId, const QString& eventId);
    // Forgets an event entirely, as Google does with deletions older than its sync tokens: no
    // listing reports it any more.
    void purgeEvent(const QString& calendarId, const QString& eventId);
    // The stored item, cancelled ones included; empty when there is none.
    QJsonObject event(const QString& calendarId, const QString& eventId) const;
    // Events not cancelled, in the order they were first stored.
    QList<QJsonObject> liveEvents(const QString& calendarId) const;

    // Every sync token issued so far is refused with 410 from now on.
    void expireSyncTokens();
    // Events per listing page (at most the request's maxResults) and calendars per list page.
    void setPageSize(int events) { m_pageSize = events; }
    void setCalendarListPageSize(int calendars) { m_calendarPageSize = calendars; }
    // The next listing request (events or calendar list) meets the fault; Stall and NotJson
    // once, the page-token faults until cleared with Fault::None.
    void setListingFault(Fault fault) { m_listingFault = fault; }
    // The next `count` write requests (POST, PUT, DELETE) whose path ends with the text answer
    // with `status` (0: never), before the fake looks at them.
    void failWrites(const QString& pathSuffix, int status, int count = 1);
    // The same for the next reads of single events (GET of an event id).
    void failReads(const QString& pathSuffix, int status, int count = 1);
    // The next insert is stored but its reply never comes (a reply lost on the way).
    void loseNextInsertReply() { m_loseInsertReply = true; }
    // Runs when a write request arrives, before it is handled.
    void setWriteHook(std::function<void()> hook) { m_writeHook = std::move(hook); }
    // From now on requests bearing this access token are answered 401, as Google answers one
    // revoked or rotated before its expiry; an empty token stands for every token.
    void refuseAccessToken(const QString& token) { m_refusedTokens.insert(token); }

    QList<LoopbackHttpServer::Request> requests() const;
    int count(const QByteArray& method, const QString& pathSuffix) const;

private:
    struct Stored
    {
        QJsonObject item;
        int revision = 0;
    };
    struct CalendarData
    {
        QString id;
        QString summary;
        QString accessRole;
        bool primary = false;
        QList<QString> order;        // event ids, first stored first
        QHash<QString, Stored> byId; // cancelled ones included
    };
    using Reply = LoopbackHttpServer::Reply;
    using Request = LoopbackHttpServer::Request;

    Reply handle(const Request& request);
    Reply calendarList(const Request& request);
    Reply listEvents(const QString& calendarId, const Request& request);
    Reply insertEvent(const QString& calendarId, const Request& request);
    Reply updateEvent(const QString& calendarId, const QString& eventId, const Request& request);
    Reply deleteEvent(const QString& calendarId, const QString& eventId, const Request& request);
    Reply listingFault(const QString& nextToken);
    struct InjectedFailure
    {
        QString suffix;
        int status = 0;
        int count = 0;
    };
    // The reply of the first failure in `failures` still due for the path, counted down.
    static std::optional<Reply> injectedFailure(QList<InjectedFailure>& failures,
                                                const QString& path);
    // The occurrence an id names in a stored series, as read before it was ever changed; empty
    // when the id names none.
    static QJsonObject occurrenceOf(const CalendarData& calendar, const QString& eventId);
    Stored& store(CalendarData& calendar, QJsonObject item);
    static Reply error(int status, const QString& message);

    std::unique_ptr<LoopbackHttpServer> m_http;
    QHash<QString, CalendarData> m_calendars;
    QList<QString> m_calendarOrder;
    int m_revision = 0;
    int m_expiredBelow = 0; // sync tokens naming a revision below this are refused
    int m_nextId = 0;
    int m_pageSize = 2500;
    int m_calendarPageSize = 250;
    Fault m_listingFault = Fault::None;
    int m_endlessPage = 0;
    QList<InjectedFailure> m_writeFailures;
    QList<InjectedFailure> m_readFailures;
    bool m_loseInsertReply = false;
    std::function<void()> m_writeHook;
    QSet<QString> m_refusedTokens;
};
