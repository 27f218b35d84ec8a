#include "OrvandellicSyncClient.h"

#include "AccountRepository.h"
#include "ApiClient.h"
#include "AppState.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "ConflictResolutionService.h"
#include "Database.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Limits.h"
#include "Savepoint.h"

#include <QDebug>
#include <QJsonArray>
#include <QPointer>
#include <QUrl>
#include <QUuid>

namespace Orvandellic {

namespace {

// The client may be deleted while a request is out; its answer is then dropped.
OrvaAccount::ApiClient::Callback whileAlive(QObject* owner,
                                            OrvaAccount::ApiClient::Callback callback)
{
    return [owner = QPointer<QObject>(owner),
            callback = std::move(callback)](bool ok, int status, const QJsonObject& json) {
        if (owner) {
            callback(ok, status, json);
        }
    };
}

QString pathPart(const QString& text)
{
    return QString::fromUtf8(QUrl::toPercentEncoding(text));
}

// The server's master copy of the event: the VEVENT without a recurrence id, else the first.
std::optional<Event> masterOf(const QString& ical, const QString& uid)
{
    if (ical.size() > Limits::maxIcalendarBytes) {
        return std::nullopt;
    }
    std::optional<Event> found;
    for (const Event& event : Ical::parseEvents(ical)) {
        if (event.uid != uid) {
            continue;
        }
        if (event.recurrenceId.isEmpty()) {
            return event;
        }
        if (!found) {
            found = event;
        }
    }
    return found;
}

} // namespace

SyncClient::SyncClient(AppState* state, OrvaAccount::ApiClient* syncApi, QObject* parent)
    : QObject(parent), m_state(state), m_syncApi(syncApi)
{
}

void SyncClient::pullCalendarList()
{
    if (!m_syncApi) {
        Q_EMIT calendarListPulled(0);
        return;
    }
    m_syncApi->get(QStringLiteral("/calendars"),
                   whileAlive(this, [this](bool ok, int status, const QJsonObject& json) {
                       onCalendarList(ok, status, json);
                   }));
}

void SyncClient::onCalendarList(bool ok, int status, const QJsonObject& json)
{
    if (!ok) {
        qWarning().noquote() << "[CloudSync] calendar list failed, HTTP" << status;
        Q_EMIT calendarListPulled(0);
        return;
    }
    QList<CloudSync::RemoteCalendar> listed;
    const QJsonArray entries = json.value(QLatin1String("calendars")).toArray();
    for (const QJsonValue& entry : entries) {
        if (listed.size() >= Limits::maxCloudCalendars) {
            break;
        }
        if (auto calendar = CloudSync::remoteCalendarFromJson(entry.toObject())) {
            listed.append(*calendar);
        }
    }
    const QList<CloudSync::RemoteCalendar> missing =
        CloudSync::calendarsToInsert(listed, m_state->calendars()->getAll());
    if (missing.isEmpty()) {
        Q_EMIT calendarListPulled(0);
        return;
    }

    Savepoint transaction(m_state->database()->database());
    const std::optional<QString> accountId = transaction.isActive() ? cloudAccount() : std::nullopt;
    int inserted = 0;
    bool stored = accountId.has_value();
    const QDateTime now = Clock::now();
    for (const CloudSync::RemoteCalendar& remote : missing) {
        if (!stored) {
            break;
        }
        const QString url = m_syncApi->baseUrl().toString() + collectionPath(remote.id);
        stored = m_state->calendars()->insert(CloudSync::newCalendar(remote, *accountId, url, now));
        inserted += stored ? 1 : 0;
    }
    if (!stored || !transaction.commit()) {
        qWarning().noquote() << "[CloudSync] storing the cloud calendars failed";
        Q_EMIT calendarListPulled(0);
        return;
    }
    qInfo().noquote() << "[CloudSync] inserted" << inserted << "cloud calendar(s)";
    Q_EMIT calendarListPulled(inserted);
}

std::optional<QString> SyncClient::cloudAccount()
{
    for (const Account& account : m_state->accounts()->getAll()) {
        if (CloudSync::isCloudAccount(account)) {
            return account.id;
        }
    }
    Account account;
    account.id = cloudAccountId;
    account.name = QStringLiteral("Orvandellic Cloud");
    account.type = QStringLiteral("orvandellic");
    account.syncIntervalMinutes = 0;
    account.createdAt = Clock::now();
    account.updatedAt = account.createdAt;
    if (!m_state->accounts()->insert(account)) {
        return std::nullopt;
    }
    return account.id;
}

void SyncClient::syncCalendar(const Calendar& calendar)
{
    Q_EMIT calendarSyncStarted(calendar.id);
    if (!m_syncApi) {
        Q_EMIT calendarSyncFailed(calendar.id, tr("Not signed in"));
        return;
    }
    const std::optional<Account> account = m_state->accounts()->getById(calendar.accountId);
    if (!account || !CloudSync::isCloudAccount(*account)) {
        // The local and sample calendars share the cloud type word but live here only.
        qInfo().noquote() << "[CloudSync] calendar" << calendar.id << "is kept on this device";
        Q_EMIT calendarSyncCompleted(calendar.id, 0);
        return;
    }
    Run run;
    run.calendar = calendar;
    pullPage(run);
}

QString SyncClient::collectionPath(const QString& calendarId) const
{
    return QStringLiteral("/calendars/") + pathPart(calendarId);
}

void SyncClient::pullPage(Run run)
{
    // The cursor lives on the calendar row; read it afresh for every page.
    const std::optional<Calendar> stored = m_state->calendars()->getById(run.calendar.id);
    if (!stored) {
        Q_EMIT calendarSyncFailed(run.calendar.id, tr("The calendar no longer exists."));
        return;
    }
    run.calendar = *stored;
    QUrlQuery query;
    if (!run.calendar.syncToken.isEmpty()) {
        query.addQueryItem(QStringLiteral("since"), run.calendar.syncToken);
    }
    m_syncApi->get(collectionPath(run.calendar.id) + QStringLiteral("/events"),
                   whileAlive(this,
                              [this, run](bool ok, int status, const QJsonObject& json) mutable {
                                  if (!ok) {
                                      fail(run, status);
                                      return;
                                  }
                                  if (!applyPage(run, json)) {
                                      Q_EMIT calendarSyncFailed(
                                          run.calendar.id,
                                          tr("Could not store the cloud calendar's changes."));
                                      return;
                                  }
                                  ++run.pages;
                                  if (json.value(QLatin1String("has_more")).toBool() &&
                                      run.pages < Limits::maxCloudPullPages) {
                                      pullPage(run);
                                      return;
                                  }
                                  run.pending = m_state->events()->getPending(run.calendar.id);
                                  pushNext(run);
                              }),
                   query);
}

bool SyncClient::applyPage(Run& run, const QJsonObject& page)
{
    Savepoint transaction(m_state->database()->database());
    if (!transaction.isActive()) {
        return false;
    }
    int applied = 0;
    const QJsonArray items = page.value(QLatin1String("events")).toArray();
    for (const QJsonValue& item : items) {
        const std::optional<CloudSync::RemoteEvent> remote =
            CloudSync::remoteEventFromJson(item.toObject());
        if (remote && !applyEvent(run.calendar.id, *remote, applied)) {
            return false;
        }
    }
    const QString cursor = page.value(QLatin1String("cursor")).toString();
    if (!cursor.isEmpty() && cursor != run.calendar.syncToken) {
        Calendar moved = run.calendar;
        moved.syncToken = cursor;
        moved.updatedAt = Clock::now();
        if (!m_state->calendars()->update(moved)) {
            return false;
        }
        run.calendar = moved;
    }
    if (!transaction.commit()) {
        return false;
    }
    run.applied += applied;
    if (applied > 0) {
        m_state->events()->scheduleChanged(run.calendar.id);
    }
    return true;
}

bool SyncClient::applyEvent(const QString& calendarId, const CloudSync::RemoteEvent& remote,
                            int& applied)
{
    EventRepository* events = m_state->events();
    const std::optional<Event> local =
        events->getByUidAndRecurrenceId(remote.uid, calendarId, QString());
    switch (CloudSync::decidePull(local, remote)) {
    case CloudSync::PullAction::Skip:
        return true;
    case CloudSync::PullAction::Conflict: {
        Sync::Conflict conflict;
        conflict.calendarId = calendarId;
        conflict.eventId = local->id;
        conflict.uid = remote.uid;
        conflict.localEtag = local->etag;
        conflict.remoteEtag = remote.etag;
        conflict.detectedAt = Clock::now();
        if (m_state->conflicts()) {
            m_state->conflicts()->recordConflict(conflict);
        }
        return true;
    }
    case CloudSync::PullAction::Delete:
        ++applied;
        return events->hardDelete(local->id);
    case CloudSync::PullAction::Insert:
    case CloudSync::PullAction::Update:
        break;
    }
    std::optional<Event> copy = masterOf(remote.ical, remote.uid);
    if (!copy) {
        // An unreadable server copy is left out; the local row, if any, stays as it is.
        qWarning().noquote() << "[CloudSync] skipped an unreadable event in calendar" << calendarId;
        return true;
    }
    copy->calendarId = calendarId;
    copy->providerEventId = remote.uid;
    copy->etag = remote.etag;
    copy->syncStatus = QStringLiteral("synced");
    if (copy->rawIcalendar.isEmpty()) {
        copy->rawIcalendar = remote.ical;
    }
    const QDateTime now = Clock::now();
    if (!copy->created.isValid()) {
        copy->created = now;
    }
    if (!copy->lastModified.isValid()) {
        copy->lastModified = now;
    }
    ++applied;
    if (local) {
        copy->id = local->id;
        copy->created = local->created;
        return events->update(*copy);
    }
    copy->id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return events->insert(*copy);
}

void SyncClient::pushNext(Run run)
{
    if (run.pending.isEmpty()) {
        Q_EMIT calendarSyncCompleted(run.calendar.id, run.applied + run.pushed);
        return;
    }
    const Event sent = run.pending.takeFirst();
    const QString path =
        collectionPath(run.calendar.id) + QStringLiteral("/events/") + pathPart(sent.uid);
    switch (CloudSync::decidePush(sent)) {
    case CloudSync::PushAction::DropLocally:
        m_state->events()->hardDelete(sent.id);
        pushNext(run);
        return;
    case CloudSync::PushAction::Delete:
        m_syncApi->del(path, whileAlive(this, [this, run, sent](bool ok, int status,
                                                                const QJsonObject&) mutable {
                           // Already gone on the server is as good as deleted.
                           if (!ok && status != 404) {
                               fail(run, status);
                               return;
                           }
                           m_state->events()->hardDelete(sent.id);
                           ++run.pushed;
                           pushNext(run);
                       }));
        return;
    case CloudSync::PushAction::Put:
        break;
    }
    const QString ical = sent.rawIcalendar.isEmpty() ? Ical::buildEvent(sent) : sent.rawIcalendar;
    m_syncApi->put(
        path, QJsonObject{{QStringLiteral("ical"), ical}},
        whileAlive(this, [this, run, sent](bool ok, int status, const QJsonObject& json) mutable {
            if (!ok) {
                fail(run, status);
                return;
            }
            finishPushed(run, sent, json.value(QLatin1String("etag")).toString());
        }));
}

void SyncClient::finishPushed(Run run, const Event& sent, const QString& etag)
{
    // An edit made while the request was out stays pending, so it is sent next time.
    const std::optional<Event> now = m_state->events()->getById(sent.id);
    if (now && now->lastModified == sent.lastModified && !now->deletedAt) {
        m_state->events()->markSynced(sent.id, now->href, etag);
    }
    ++run.pushed;
    pushNext(run);
}

void SyncClient::fail(const Run& run, int status)
{
    qWarning().noquote() << "[CloudSync] calendar" << run.calendar.id << "failed, HTTP" << status;
    QString reason;
    if (status == 0) {
        reason = tr("Could not reach the cloud service.");
    } else if (status == 401) {
        reason = tr("Not signed in");
    } else {
        reason = tr("Cloud sync failed (HTTP %1)").arg(status);
    }
    Q_EMIT calendarSyncFailed(run.calendar.id, reason);
}

} // namespace Orvandellic
