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
#include "ShownText.h"

#include <QDebug>
#include <QJsonArray>
#include <QUrl>
#include <QUuid>

namespace Orvandellic {

namespace {

// The client may be deleted while a request is out; its answer is then dropped.
constexpr auto whileAlive = &OrvaAccount::ApiClient::whileAlive;

QString pathPart(const QString& text)
{
    return QString::fromUtf8(QUrl::toPercentEncoding(text));
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
    QList<CloudSync::RemoteCalendar> beyondBound;
    const QJsonArray entries = json.value(QLatin1String("calendars")).toArray();
    for (const QJsonValue& entry : entries) {
        if (auto calendar = CloudSync::remoteCalendarFromJson(entry.toObject())) {
            (listed.size() < Limits::maxCloudCalendars ? listed : beyondBound).append(*calendar);
        }
    }
    const QList<Calendar> stored = m_state->calendars()->getAll();
    const QList<CloudSync::RemoteCalendar> missing = CloudSync::calendarsToInsert(listed, stored);
    // The same decision over the whole list begins with `missing`; what follows it are the
    // calendars the bound keeps out, neither here nor among those taken.
    const QList<CloudSync::RemoteCalendar> leftOut =
        beyondBound.isEmpty()
            ? QList<CloudSync::RemoteCalendar>()
            : CloudSync::calendarsToInsert(listed + beyondBound, stored).mid(missing.size());
    const std::optional<Account> account = storedCloudAccount();
    const QString leftOutError = leftOut.isEmpty() ? QString() : leftOutText(int(leftOut.size()));
    if (!leftOut.isEmpty()) {
        QStringList names;
        names.reserve(leftOut.size());
        for (const CloudSync::RemoteCalendar& remote : leftOut) {
            names.append(remote.name.isEmpty() ? remote.id : remote.name);
        }
        qWarning().noquote() << "[CloudSync] the calendar list holds more than"
                             << Limits::maxCloudCalendars
                             << "calendars; not added:" << ShownText::loggedNames(names);
    }
    const bool errorChanges =
        account ? account->lastSyncError != leftOutError : !leftOutError.isEmpty();
    if (missing.isEmpty() && !errorChanges) {
        Q_EMIT calendarListPulled(0);
        return;
    }

    Savepoint transaction(m_state->database()->database());
    const std::optional<QString> accountId = transaction.isActive() ? cloudAccount() : std::nullopt;
    QList<Calendar> added;
    added.reserve(missing.size());
    if (accountId) {
        const QDateTime now = Clock::now();
        for (const CloudSync::RemoteCalendar& remote : missing) {
            const QString url = m_syncApi->baseUrl().toString() + collectionPath(remote.id);
            added.append(CloudSync::newCalendar(remote, *accountId, url, now));
        }
    }
    // One write and one announcement for the whole list, however long.
    if (!accountId || !m_state->calendars()->saveAll(added, {}) ||
        (errorChanges && !storeListError(*accountId, leftOutError)) || !transaction.commit()) {
        qWarning().noquote() << "[CloudSync] storing the cloud calendars failed";
        Q_EMIT calendarListPulled(0);
        return;
    }
    qInfo().noquote() << "[CloudSync] inserted" << added.size() << "cloud calendar(s)";
    Q_EMIT calendarListPulled(int(added.size()));
}

QString SyncClient::leftOutText(int count)
{
    return tr("%n calendar(s) of the cloud calendar list not added: only the first %1 are taken.",
              nullptr, count)
        .arg(Limits::maxCloudCalendars);
}

bool SyncClient::storeListError(const QString& accountId, const QString& error)
{
    std::optional<Account> account = m_state->accounts()->getById(accountId);
    if (!account) {
        return false;
    }
    account->lastSyncError = error;
    account->updatedAt = Clock::now();
    return m_state->accounts()->update(*account);
}

std::optional<Account> SyncClient::storedCloudAccount() const
{
    for (const Account& account : m_state->accounts()->getAll()) {
        if (CloudSync::isCloudAccount(account)) {
            return account;
        }
    }
    return std::nullopt;
}

std::optional<QString> SyncClient::cloudAccount()
{
    if (const std::optional<Account> stored = storedCloudAccount()) {
        return stored->id;
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
                                  const QString cursor = run.calendar.syncToken;
                                  if (!applyPage(run, json)) {
                                      Q_EMIT calendarSyncFailed(
                                          run.calendar.id,
                                          tr("Could not store the cloud calendar's changes."));
                                      return;
                                  }
                                  ++run.pages;
                                  // A server that says "more" without moving the
                                  // cursor would repeat the same page forever.
                                  if (json.value(QLatin1String("has_more")).toBool() &&
                                      run.calendar.syncToken != cursor &&
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
        if (!m_state->calendars()->updateSyncState(moved)) {
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
    if (remote.deleted) {
        // The whole series goes: its master and its changed occurrences.
        QList<Event> rows = seriesRows(calendarId, remote.uid);
        if (rows.isEmpty()) {
            if (auto master =
                    m_state->events()->getByUidAndRecurrenceId(remote.uid, calendarId, QString())) {
                rows.append(*master);
            }
        }
        for (const Event& row : rows) {
            if (!applyRow(remote, row, std::nullopt, applied)) {
                return false;
            }
        }
        return true;
    }
    const QList<Event> copies = remote.ical.size() > Limits::maxIcalendarBytes
                                    ? QList<Event>()
                                    : Ical::parseEvents(remote.ical);
    bool any = false;
    for (const Event& copy : copies) {
        if (copy.uid != remote.uid) {
            continue;
        }
        any = true;
        const std::optional<Event> local =
            m_state->events()->getByUidAndRecurrenceId(remote.uid, calendarId, copy.recurrenceId);
        Event placed = copy;
        placed.calendarId = calendarId;
        if (!applyRow(remote, local, placed, applied)) {
            return false;
        }
    }
    if (!any) {
        // An unreadable server copy is left out; the local rows stay as they are.
        qWarning().noquote() << "[CloudSync] skipped an unreadable event in calendar" << calendarId;
    }
    return true;
}

bool SyncClient::applyRow(const CloudSync::RemoteEvent& remote, const std::optional<Event>& local,
                          const std::optional<Event>& copy, int& applied)
{
    EventRepository* events = m_state->events();
    switch (CloudSync::decidePull(local, remote)) {
    case CloudSync::PullAction::Skip:
        return true;
    case CloudSync::PullAction::Conflict: {
        Sync::Conflict conflict;
        conflict.calendarId = local->calendarId;
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
    if (!copy) {
        return true;
    }
    Event row = *copy;
    row.providerEventId = remote.uid;
    row.etag = remote.etag;
    row.syncStatus = QStringLiteral("synced");
    if (row.rawIcalendar.isEmpty()) {
        row.rawIcalendar = remote.ical;
    }
    const QDateTime now = Clock::now();
    if (!row.created.isValid()) {
        row.created = now;
    }
    if (!row.lastModified.isValid()) {
        row.lastModified = now;
    }
    ++applied;
    if (local) {
        row.id = local->id;
        row.created = local->created;
        return events->update(row);
    }
    row.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return events->insert(row);
}

QList<Event> SyncClient::seriesRows(const QString& calendarId, const QString& uid) const
{
    QList<Event> rows;
    for (const Event& event : m_state->events()->getByCalendar(calendarId)) {
        if (event.uid == uid) {
            rows.append(event);
        }
    }
    return rows;
}

void SyncClient::pushNext(Run run)
{
    if (run.pending.isEmpty()) {
        Q_EMIT calendarSyncCompleted(run.calendar.id, run.applied + run.pushed);
        return;
    }
    // The service keeps a series as one item: every pending row of the uid goes in one request.
    const QString uid = run.pending.first().uid;
    QList<Event> group;
    for (qsizetype i = run.pending.size() - 1; i >= 0; --i) {
        if (run.pending.at(i).uid == uid) {
            group.prepend(run.pending.takeAt(i));
        }
    }
    const std::optional<Event> master =
        m_state->events()->getByUidAndRecurrenceId(uid, run.calendar.id, QString());
    if (!master) {
        // A changed occurrence whose series is not here cannot be sent alone; it stays pending.
        qInfo().noquote() << "[CloudSync] held back an occurrence without its series in calendar"
                          << run.calendar.id;
        pushNext(run);
        return;
    }
    const QString path =
        collectionPath(run.calendar.id) + QStringLiteral("/events/") + pathPart(uid);
    switch (CloudSync::decidePush(*master)) {
    case CloudSync::PushAction::DropLocally:
        dropSeries(run.calendar.id, *master);
        pushNext(run);
        return;
    case CloudSync::PushAction::Delete:
        m_syncApi->del(path, whileAlive(this, [this, run, master](bool ok, int status,
                                                                  const QJsonObject&) mutable {
                           // Already gone on the server is as good as deleted.
                           if (!ok && status != 404) {
                               fail(run, status);
                               return;
                           }
                           dropSeries(run.calendar.id, *master);
                           ++run.pushed;
                           pushNext(run);
                       }));
        return;
    case CloudSync::PushAction::Put:
        break;
    }
    QList<Event> sent{*master};
    QStringList occurrenceTexts;
    for (const Event& row : seriesRows(run.calendar.id, uid)) {
        if (!row.recurrenceId.isEmpty()) {
            sent.append(row);
            occurrenceTexts.append(row.rawIcalendar.isEmpty() ? Ical::buildEvent(row)
                                                              : row.rawIcalendar);
        }
    }
    const QString masterText =
        master->rawIcalendar.isEmpty() ? Ical::buildEvent(*master) : master->rawIcalendar;
    m_syncApi->put(
        path,
        QJsonObject{{QStringLiteral("ical"), CloudSync::seriesText(masterText, occurrenceTexts)}},
        whileAlive(this,
                   [this, run, sent, group](bool ok, int status, const QJsonObject& json) mutable {
                       if (!ok) {
                           fail(run, status);
                           return;
                       }
                       finishPushed(sent, group, json.value(QLatin1String("etag")).toString());
                       ++run.pushed;
                       pushNext(run);
                   }));
}

void SyncClient::dropSeries(const QString& calendarId, const Event& master)
{
    for (const Event& row : seriesRows(calendarId, master.uid)) {
        m_state->events()->hardDelete(row.id);
    }
    m_state->events()->hardDelete(master.id);
}

void SyncClient::finishPushed(const QList<Event>& sent, const QList<Event>& group,
                              const QString& etag)
{
    EventRepository* events = m_state->events();
    // An edit made while the request was out stays pending, so it is sent next time.
    for (const Event& row : sent) {
        const std::optional<Event> now = events->getById(row.id);
        if (now && now->lastModified == row.lastModified && !now->deletedAt) {
            events->markSynced(row.id, now->href, etag);
        }
    }
    // Removed occurrences are no longer in the series text the service now holds.
    for (const Event& row : group) {
        if (row.deletedAt && !row.recurrenceId.isEmpty()) {
            const std::optional<Event> now = events->getById(row.id);
            if (now && now->deletedAt) {
                events->hardDelete(row.id);
            }
        }
    }
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
