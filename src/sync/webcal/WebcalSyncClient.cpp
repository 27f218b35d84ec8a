#include "WebcalSyncClient.h"

#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Limits.h"
#include "Savepoint.h"
#include "WebcalMirror.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUuid>

namespace Webcal {

SyncClient::SyncClient(AppState* state, QObject* parent)
    : QObject(parent), m_state(state), m_network(new QNetworkAccessManager(this)),
      m_deadlineMs(Limits::webcalDownloadDeadlineMs), m_maxBytes(Limits::maxWebcalFeedBytes)
{
}

void SyncClient::syncCalendar(const Calendar& calendar)
{
    if (m_running.contains(calendar.id)) {
        return;
    }
    Q_EMIT calendarSyncStarted(calendar.id);
    const QUrl url = WebcalMirror::downloadUrl(calendar.url);
    if (!url.isValid()) {
        // Reported on the next turn, like every other outcome, so callers see the call return
        // first.
        const QString id = calendar.id;
        QTimer::singleShot(0, this, [this, id] {
            Q_EMIT calendarSyncFailed(id, tr("The calendar's feed address is not a web address."));
        });
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setMaximumRedirectsAllowed(Limits::maxHttpRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("OrvandellicCalendar"));
    QNetworkReply* reply = m_network->get(request);
    m_running.insert(calendar.id, reply);
    const qint64 maxBytes = m_maxBytes;
    // A feed that announces or delivers more than the bound is cut off; nothing of it is kept.
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, maxBytes](qint64 received, qint64 total) {
                if (received > maxBytes || total > maxBytes) {
                    reply->setProperty("tooLarge", true);
                    reply->abort();
                }
            });
    // The transfer timeout ends a silent feed; this ends one that trickles.
    QTimer::singleShot(m_deadlineMs, reply, [reply] { reply->abort(); });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, calendar] { onFinished(reply, calendar); });
}

void SyncClient::onFinished(QNetworkReply* reply, const Calendar& calendar)
{
    reply->deleteLater();
    m_running.remove(calendar.id);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->property("tooLarge").toBool()) {
        qWarning().noquote() << "[Webcal] feed of calendar" << calendar.id << "too large";
        Q_EMIT calendarSyncFailed(calendar.id, tr("The calendar feed is too large."));
        return;
    }
    if (reply->error() == QNetworkReply::OperationCanceledError ||
        reply->error() == QNetworkReply::TimeoutError) {
        qWarning().noquote() << "[Webcal] feed of calendar" << calendar.id << "timed out";
        Q_EMIT calendarSyncFailed(calendar.id, tr("The calendar feed did not answer in time."));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        // The error text names the address, which may carry a private token: codes only.
        qWarning().noquote() << "[Webcal] feed of calendar" << calendar.id << "failed, error"
                             << int(reply->error()) << "HTTP" << status;
        Q_EMIT calendarSyncFailed(
            calendar.id,
            status > 0 ? tr("The calendar feed could not be downloaded (HTTP %1).").arg(status)
                       : tr("The calendar feed could not be downloaded."));
        return;
    }
    const QByteArray body = reply->read(m_maxBytes + 1);
    if (body.size() > m_maxBytes) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("The calendar feed is too large."));
        return;
    }
    const QString text = QString::fromUtf8(body);
    // An error page served with status 200 must not empty the calendar.
    if (!text.contains(QLatin1String("BEGIN:VCALENDAR"), Qt::CaseInsensitive)) {
        qWarning().noquote() << "[Webcal] feed of calendar" << calendar.id
                             << "is not an iCalendar file";
        Q_EMIT calendarSyncFailed(calendar.id, tr("The calendar feed is not an iCalendar file."));
        return;
    }
    int skipped = 0;
    const int count = apply(calendar, text, &skipped);
    if (count < 0) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("The calendar feed could not be stored."));
        return;
    }
    if (skipped > 0)
        Q_EMIT feedEventsSkipped(calendar.id, skipped);
    Q_EMIT calendarSyncCompleted(calendar.id, count);
}

int SyncClient::apply(const Calendar& calendar, const QString& feedText, int* skipped)
{
    EventRepository* events = m_state->events();
    QList<Event> local = events->getByCalendar(calendar.id);
    // Pending deletions are not live rows, but they are local edits the feed must not revive.
    for (const Event& pending : events->getPending(calendar.id)) {
        if (pending.deletedAt.has_value()) {
            local.append(pending);
        }
    }
    const WebcalMirror::Plan plan =
        WebcalMirror::plan(local, Ical::parseEvents(feedText), calendar.id);

    Savepoint transaction(m_state->database()->database());
    if (!transaction.isActive()) {
        qWarning().noquote() << "[Webcal] could not begin a transaction:"
                             << transaction.errorText();
        return -1;
    }
    const QDateTime now = Clock::now().toUTC();
    for (Event event : plan.inserts) {
        event.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        // Feeds often leave out CREATED and LAST-MODIFIED; the row records when it arrived.
        if (!event.created.isValid()) {
            event.created = now;
        }
        if (!event.lastModified.isValid()) {
            event.lastModified = now;
        }
        if (!events->insert(event)) {
            return -1;
        }
    }
    for (const Event& event : plan.updates) {
        if (!events->update(event)) {
            return -1;
        }
    }
    for (const QString& id : plan.removals) {
        if (!events->hardDelete(id)) {
            return -1;
        }
    }
    if (!transaction.commit()) {
        qWarning().noquote() << "[Webcal] storing the feed failed:" << transaction.errorText();
        return -1;
    }
    if (!plan.inserts.isEmpty() || !plan.updates.isEmpty() || !plan.removals.isEmpty()) {
        events->scheduleChanged(calendar.id);
    }
    qInfo().noquote() << "[Webcal] calendar" << calendar.id << "added" << plan.inserts.size()
                      << "changed" << plan.updates.size() << "removed" << plan.removals.size();
    *skipped = plan.skipped;
    if (plan.skipped > 0) {
        qWarning().noquote() << "[Webcal] calendar" << calendar.id << "skipped" << plan.skipped
                             << "unreadable event(s) of its feed";
    }
    return int(plan.inserts.size() + plan.updates.size() + plan.removals.size());
}

} // namespace Webcal
