#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace Google {

// One entry of the user's calendar list.
struct DiscoveredCalendar
{
    QString id; // the Google calendar id, kept as the local calendar's URL
    QString summary;
    QString description;
    QString backgroundColor;
    QString accessRole; // "owner", "writer", "reader", "freeBusyReader"
    bool primary = false;
};

// The Google Calendar API v3 for one task: the calendar list, a calendar's events (in full, or
// incrementally from a sync token), and single events read, inserted, updated and deleted.
// Results leave only through the signals; each request's context travels with its reply, so
// any number may be in flight. The access token is the owner's to set; this client never
// refreshes it.
//
// Every request has a transfer time-out (a silent server) and a deadline (one that trickles),
// both counted from when it leaves the network manager's RequestQueue, and a reply bound. A
// listing follows its pages itself and ends in exactly one of eventsListed, syncTokenExpired and
// requestFailed; a page that is not JSON, a page token that repeats, or more pages than
// Limits::maxGoogleListPages fail it, and nothing of its earlier pages is reported. The calendar
// list follows its pages within the same bound.
class CalendarClient : public QObject
{
    Q_OBJECT

public:
    // One whole listing: every page's items in order, and the last page's sync token.
    struct EventListPage
    {
        QList<QJsonObject> items;
        QString nextSyncToken;
    };

    static constexpr int defaultTransferTimeoutMs = 30000;
    static constexpr int maxResultsPerPage = 2500;

    // Sends through `network` when given (not owned; it must outlive the client), else through
    // a network access manager of its own.
    explicit CalendarClient(QObject* parent = nullptr, QNetworkAccessManager* network = nullptr);
    ~CalendarClient() override;

    void setAccessToken(const QString& token) { m_accessToken = token; }
    QString accessToken() const { return m_accessToken; }
    // Milliseconds a request may go without progress before it fails.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    // Milliseconds a request may take in all; Limits::googleRequestDeadlineMs unless lowered.
    void setRequestDeadline(int milliseconds) { m_deadlineMs = milliseconds; }
    // Pages one listing may have; Limits::maxGoogleListPages unless lowered.
    void setMaxPages(int pages) { m_maxPages = pages; }

    // The base of the API (OAuthEndpoints::googleApiBase), without a trailing slash.
    static QString apiBase();
    // "<base>/calendars/<id>/events", and "/<event id>" when given; both ids percent-encoded
    // outside the unreserved characters.
    static QString eventsUrl(const QString& calendarId, const QString& eventId = QString());
    // The query of one listing page, in the order Google documents; values fully encoded.
    static QString listQuery(const QString& syncToken, const QDateTime& timeMin,
                             const QDateTime& timeMax, const QString& pageToken);

    void listCalendars();
    // An empty sync token lists everything; an invalid time leaves that bound out.
    void listEvents(const QString& calendarId, const QString& syncToken, const QDateTime& timeMin,
                    const QDateTime& timeMax);
    void insertEvent(const QString& localId, const QString& calendarId, const QJsonObject& body);
    // An empty etag sends no If-Match.
    void updateEvent(const QString& localId, const QString& calendarId,
                     const QString& providerEventId, const QJsonObject& body, const QString& etag);
    void deleteEvent(const QString& localId, const QString& calendarId,
                     const QString& providerEventId, const QString& etag);
    // Reads one event as the server holds it now (cancelled ones included).
    void getEvent(const QString& localId, const QString& calendarId,
                  const QString& providerEventId);

Q_SIGNALS:
    void calendarsListed(const QList<Google::DiscoveredCalendar>& calendars);
    void eventsListed(const QString& calendarId, const Google::CalendarClient::EventListPage& page);
    void syncTokenExpired(const QString& calendarId);
    // Calendar list or event listing; statusCode is the HTTP status of the reply that failed it,
    // 0 without a token or an HTTP reply (a 401 says the access token was refused).
    void requestFailed(const QString& reason, int statusCode);
    // Insert or update succeeded; `item` is the event as the server returned it.
    void eventWritten(const QString& localId, const QString& providerEventId, const QString& etag,
                      const QJsonObject& item);
    void eventDeleted(const QString& localId);
    void eventFetched(const QString& localId, const QJsonObject& item);
    // statusCode is the HTTP status, 0 without a token or an HTTP reply.
    void eventWriteFailed(const QString& localId, const QString& reason, int statusCode);

private:
    struct Listing;
    struct Answer
    {
        int status = 0; // 0: no HTTP reply
        QByteArray body;
        QString transportError; // set when status is 0
    };
    using Handler = std::function<void(const Answer&)>;

    void send(const QByteArray& method, const QString& url, const QByteArray& body,
              const QString& etag, Handler handler);
    void requestEventsPage(const std::shared_ptr<Listing>& listing, const QString& pageToken);
    void onEventsPage(const std::shared_ptr<Listing>& listing, const Answer& answer);
    void requestCalendarPage(const std::shared_ptr<QList<DiscoveredCalendar>>& found,
                             const QString& pageToken, int pagesSoFar);
    void onWriteAnswer(const QString& localId, const char* operation, const Answer& answer);
    QString transportText(const Answer& answer) const;

    QNetworkAccessManager* m_network;
    QString m_accessToken;
    int m_transferTimeoutMs = defaultTransferTimeoutMs;
    int m_deadlineMs;
    int m_maxPages;
};

} // namespace Google

Q_DECLARE_METATYPE(Google::DiscoveredCalendar)
Q_DECLARE_METATYPE(Google::CalendarClient::EventListPage)
