#include "GoogleCalendarClient.h"

#include "GoogleRequestQueue.h"
#include "Limits.h"
#include "OAuthEndpoints.h"
#include "ShownText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>
#include <QTimeZone>
#include <QTimer>
#include <QUrl>

namespace Google {

namespace {

const char* const pastDeadlineProperty = "googlePastDeadline";
const char* const tooLargeProperty = "googleTooLarge";

QString encoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString utcText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

// The body as a JSON object; empty when it is not one.
std::optional<QJsonObject> jsonObject(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// What a refusal says: Google's own message where the reply is its JSON error document (which
// it pretty-prints, so its first line is only "{"), else the first line of whatever answered, a
// proxy's error page say; bounded either way. Only a reply of an error document's size is parsed.
QString refusalDetail(const QByteArray& body)
{
    if (body.size() <= 64 * 1024) {
        const QString message = jsonObject(body)
                                    .value_or(QJsonObject())
                                    .value(QLatin1String("error"))
                                    .toObject()
                                    .value(QLatin1String("message"))
                                    .toString();
        if (!message.trimmed().isEmpty())
            return ShownText::replyLine(message.toUtf8());
    }
    return ShownText::replyLine(body);
}

} // namespace

// One listing in progress: what it asks for, the pages seen and the items gathered.
struct CalendarClient::Listing
{
    QString calendarId;
    QString syncToken;
    QDateTime timeMin;
    QDateTime timeMax;
    QSet<QString> pageTokens;
    int pages = 0;
    EventListPage page;
};

CalendarClient::CalendarClient(QObject* parent, QNetworkAccessManager* network)
    : QObject(parent), m_network(network ? network : new QNetworkAccessManager(this)),
      m_deadlineMs(Limits::googleRequestDeadlineMs), m_maxPages(Limits::maxGoogleListPages)
{
    static const bool registered = [] {
        qRegisterMetaType<Google::DiscoveredCalendar>("Google::DiscoveredCalendar");
        qRegisterMetaType<QList<Google::DiscoveredCalendar>>("QList<Google::DiscoveredCalendar>");
        qRegisterMetaType<Google::CalendarClient::EventListPage>(
            "Google::CalendarClient::EventListPage");
        return true;
    }();
    Q_UNUSED(registered);
}

CalendarClient::~CalendarClient() = default;

QString CalendarClient::apiBase()
{
    return OAuthEndpoints::googleApiBase();
}

QString CalendarClient::eventsUrl(const QString& calendarId, const QString& eventId)
{
    QString url =
        apiBase() + QStringLiteral("/calendars/") + encoded(calendarId) + QStringLiteral("/events");
    if (!eventId.isEmpty())
        url += u'/' + encoded(eventId);
    return url;
}

QString CalendarClient::listQuery(const QString& syncToken, const QDateTime& timeMin,
                                  const QDateTime& timeMax, const QString& pageToken)
{
    // Built by hand: QUrlQuery leaves '+' as it is, which a server reads as a space, and sync
    // and page tokens are base64 text.
    QStringList items;
    if (syncToken.isEmpty()) {
        items << QStringLiteral("singleEvents=false") << QStringLiteral("showDeleted=true");
        if (timeMin.isValid())
            items << QStringLiteral("timeMin=") + encoded(utcText(timeMin));
        if (timeMax.isValid())
            items << QStringLiteral("timeMax=") + encoded(utcText(timeMax));
    } else {
        items << QStringLiteral("syncToken=") + encoded(syncToken)
              << QStringLiteral("showDeleted=true");
    }
    if (!pageToken.isEmpty())
        items << QStringLiteral("pageToken=") + encoded(pageToken);
    items << QStringLiteral("maxResults=%1").arg(maxResultsPerPage);
    return items.join(u'&');
}

void CalendarClient::send(const QByteArray& method, const QString& url, const QByteArray& body,
                          const QString& etag, Handler handler)
{
    QNetworkRequest request(QUrl::fromEncoded(url.toUtf8(), QUrl::StrictMode));
    request.setRawHeader("Authorization", "Bearer " + m_accessToken.toUtf8());
    if (method != "DELETE")
        request.setRawHeader("Accept", "application/json");
    if (!body.isEmpty())
        request.setRawHeader("Content-Type", "application/json");
    if (!etag.isEmpty())
        request.setRawHeader("If-Match", etag.toUtf8());
    // Uncompressed replies only: a compressed body cut off in the middle cannot be told from a
    // whole one, and a cut page must fail, not pass for a shorter calendar.
    request.setRawHeader("Accept-Encoding", "identity");
    // A request that waits its turn waits unsent, where neither of its time-outs runs yet.
    RequestQueue::of(m_network)->enqueue(this, [this, request, method, body, handler]() mutable {
        request.setTransferTimeout(m_transferTimeoutMs);
        QNetworkReply* reply = m_network->sendCustomRequest(request, method, body);
        // The manager may be shared and outlive this client: a request still out when the
        // client goes is ended with it.
        reply->setParent(this);
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > Limits::maxGoogleReplyBytes) {
                reply->setProperty(tooLargeProperty, true);
                reply->abort();
            }
        });
        // The transfer time-out ends a silent server; this ends one that trickles.
        QTimer::singleShot(m_deadlineMs, reply, [reply] {
            reply->setProperty(pastDeadlineProperty, true);
            reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this, [this, reply, handler] {
            reply->deleteLater();
            Answer answer;
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->property(tooLargeProperty).toBool()) {
                answer.status = 0;
                answer.transportError = tr("the reply was larger than %1 MB")
                                            .arg(Limits::maxGoogleReplyBytes / (1024 * 1024));
            } else if (reply->property(pastDeadlineProperty).toBool()) {
                answer.status = 0;
                answer.transportError =
                    tr("the reply did not end within %1 s").arg(std::max(1, m_deadlineMs / 1000));
            } else if (reply->error() == QNetworkReply::OperationCanceledError ||
                       reply->error() == QNetworkReply::TimeoutError) {
                answer.status = 0;
                answer.transportError =
                    tr("no answer within %1 s").arg(std::max(1, m_transferTimeoutMs / 1000));
            } else if (answer.status == 0) {
                answer.transportError = reply->errorString();
            } else {
                answer.body = reply->readAll();
            }
            handler(answer);
        });
        return reply;
    });
}

QString CalendarClient::transportText(const Answer& answer) const
{
    return tr("Google could not be reached: %1").arg(answer.transportError);
}

void CalendarClient::listCalendars()
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT requestFailed(tr("No Google access token available."), 0);
        return;
    }
    requestCalendarPage(std::make_shared<QList<DiscoveredCalendar>>(), QString(), 0);
}

void CalendarClient::requestCalendarPage(const std::shared_ptr<QList<DiscoveredCalendar>>& found,
                                         const QString& pageToken, int pagesSoFar)
{
    QString url = apiBase() + QStringLiteral("/users/me/calendarList");
    if (!pageToken.isEmpty())
        url += QStringLiteral("?pageToken=") + encoded(pageToken);
    send("GET", url, {}, {}, [this, found, pageToken, pagesSoFar](const Answer& answer) {
        if (answer.status == 0) {
            Q_EMIT requestFailed(transportText(answer), 0);
            return;
        }
        if (answer.status < 200 || answer.status > 299) {
            Q_EMIT requestFailed(tr("Google rejected calendarList.list (HTTP %1): %2")
                                     .arg(answer.status)
                                     .arg(refusalDetail(answer.body)),
                                 answer.status);
            return;
        }
        const std::optional<QJsonObject> body = jsonObject(answer.body);
        if (!body) {
            Q_EMIT requestFailed(tr("Google sent a calendar list that is not JSON."),
                                 answer.status);
            return;
        }
        for (const QJsonValue& value : body->value(QLatin1String("items")).toArray()) {
            const QJsonObject entry = value.toObject();
            DiscoveredCalendar calendar;
            calendar.id = entry.value(QLatin1String("id")).toString();
            calendar.summary = entry.value(QLatin1String("summary")).toString();
            calendar.description = entry.value(QLatin1String("description")).toString();
            calendar.backgroundColor = entry.value(QLatin1String("backgroundColor")).toString();
            calendar.accessRole = entry.value(QLatin1String("accessRole")).toString();
            calendar.primary = entry.value(QLatin1String("primary")).toBool(false);
            found->append(calendar);
        }
        const QString next = body->value(QLatin1String("nextPageToken")).toString();
        if (next.isEmpty()) {
            Q_EMIT calendarsListed(*found);
            return;
        }
        if (next == pageToken || pagesSoFar + 1 >= m_maxPages) {
            Q_EMIT requestFailed(tr("Google's calendar list does not end."), answer.status);
            return;
        }
        requestCalendarPage(found, next, pagesSoFar + 1);
    });
}

void CalendarClient::listEvents(const QString& calendarId, const QString& syncToken,
                                const QDateTime& timeMin, const QDateTime& timeMax)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT requestFailed(tr("No Google access token available."), 0);
        return;
    }
    auto listing = std::make_shared<Listing>();
    listing->calendarId = calendarId;
    listing->syncToken = syncToken;
    listing->timeMin = timeMin;
    listing->timeMax = timeMax;
    requestEventsPage(listing, QString());
}

void CalendarClient::requestEventsPage(const std::shared_ptr<Listing>& listing,
                                       const QString& pageToken)
{
    ++listing->pages;
    const QString url =
        eventsUrl(listing->calendarId) + u'?' +
        listQuery(listing->syncToken, listing->timeMin, listing->timeMax, pageToken);
    send("GET", url, {}, {},
         [this, listing](const Answer& answer) { onEventsPage(listing, answer); });
}

void CalendarClient::onEventsPage(const std::shared_ptr<Listing>& listing, const Answer& answer)
{
    if (answer.status == 410) {
        Q_EMIT syncTokenExpired(listing->calendarId);
        return;
    }
    if (answer.status == 0) {
        Q_EMIT requestFailed(transportText(answer), 0);
        return;
    }
    if (answer.status < 200 || answer.status > 299) {
        Q_EMIT requestFailed(tr("Google rejected events.list (HTTP %1): %2")
                                 .arg(answer.status)
                                 .arg(refusalDetail(answer.body)),
                             answer.status);
        return;
    }
    const std::optional<QJsonObject> body = jsonObject(answer.body);
    if (!body) {
        Q_EMIT requestFailed(
            tr("Google sent an event listing that is not JSON; nothing of it was stored."),
            answer.status);
        return;
    }
    const QJsonArray items = body->value(QLatin1String("items")).toArray();
    listing->page.items.reserve(listing->page.items.size() + items.size());
    for (const QJsonValue& value : items)
        listing->page.items.append(value.toObject());

    const QString next = body->value(QLatin1String("nextPageToken")).toString();
    if (!next.isEmpty()) {
        if (listing->pageTokens.contains(next)) {
            Q_EMIT requestFailed(
                tr("Google named the same page of the event listing twice; nothing of it was "
                   "stored."),
                answer.status);
            return;
        }
        if (listing->pages >= m_maxPages) {
            Q_EMIT requestFailed(tr("Google's event listing went on past %n page(s); nothing of "
                                    "it was stored.",
                                    nullptr, m_maxPages),
                                 answer.status);
            return;
        }
        listing->pageTokens.insert(next);
        requestEventsPage(listing, next);
        return;
    }
    EventListPage page = std::move(listing->page);
    page.nextSyncToken = body->value(QLatin1String("nextSyncToken")).toString();
    Q_EMIT eventsListed(listing->calendarId, page);
}

void CalendarClient::insertEvent(const QString& localId, const QString& calendarId,
                                 const QJsonObject& body)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    send("POST", eventsUrl(calendarId), QJsonDocument(body).toJson(QJsonDocument::Compact), {},
         [this, localId](const Answer& answer) { onWriteAnswer(localId, "insert", answer); });
}

void CalendarClient::updateEvent(const QString& localId, const QString& calendarId,
                                 const QString& providerEventId, const QJsonObject& body,
                                 const QString& etag)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    send("PUT", eventsUrl(calendarId, providerEventId),
         QJsonDocument(body).toJson(QJsonDocument::Compact), etag,
         [this, localId](const Answer& answer) { onWriteAnswer(localId, "update", answer); });
}

void CalendarClient::getEvent(const QString& localId, const QString& calendarId,
                              const QString& providerEventId)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    send("GET", eventsUrl(calendarId, providerEventId), {}, {},
         [this, localId](const Answer& answer) { onWriteAnswer(localId, "get", answer); });
}

void CalendarClient::onWriteAnswer(const QString& localId, const char* operation,
                                   const Answer& answer)
{
    const QString name = QLatin1String(operation);
    if (answer.status == 0) {
        Q_EMIT eventWriteFailed(localId, transportText(answer), 0);
        return;
    }
    if (answer.status < 200 || answer.status > 299) {
        Q_EMIT eventWriteFailed(
            localId,
            tr("Google rejected events.%1 (HTTP %2): %3")
                .arg(name, QString::number(answer.status), refusalDetail(answer.body)),
            answer.status);
        return;
    }
    const std::optional<QJsonObject> item = jsonObject(answer.body);
    const QString id = item ? item->value(QLatin1String("id")).toString() : QString();
    if (!item || id.isEmpty()) {
        Q_EMIT eventWriteFailed(
            localId, tr("Google answered events.%1 with a reply that is not an event.").arg(name),
            answer.status);
        return;
    }
    if (name == u"get")
        Q_EMIT eventFetched(localId, *item);
    else
        Q_EMIT eventWritten(localId, id, item->value(QLatin1String("etag")).toString(), *item);
}

void CalendarClient::deleteEvent(const QString& localId, const QString& calendarId,
                                 const QString& providerEventId, const QString& etag)
{
    if (m_accessToken.isEmpty()) {
        Q_EMIT eventWriteFailed(localId, tr("No Google access token."), 0);
        return;
    }
    send("DELETE", eventsUrl(calendarId, providerEventId), {}, etag,
         [this, localId](const Answer& answer) {
             // An event that is already gone counts as deleted.
             if ((answer.status >= 200 && answer.status <= 299) || answer.status == 404 ||
                 answer.status == 410) {
                 Q_EMIT eventDeleted(localId);
             } else if (answer.status == 0) {
                 Q_EMIT eventWriteFailed(localId, transportText(answer), 0);
             } else {
                 Q_EMIT eventWriteFailed(
                     localId,
                     tr("Google rejected events.delete (HTTP %1): %2")
                         .arg(QString::number(answer.status), refusalDetail(answer.body)),
                     answer.status);
             }
         });
}

} // namespace Google
