#include "CalDavSyncClient.h"

#include "AppState.h"
#include "CalDavBody.h"
#include "CalDavClient.h"
#include "CalDavHref.h"
#include "CalDavSyncPlan.h"
#include "CalDavSyncStore.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "DavXml.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Savepoint.h"
#include "TaskRepository.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSet>
#include <QTimer>
#include <QUuid>

#include <algorithm>

using namespace CalDavSyncPlan;
using Table = CalDavSyncStore::Table;

namespace {

Q_LOGGING_CATEGORY(lcCalDav, "calendar.caldav", QtWarningMsg)

const QString contentType = QStringLiteral("text/calendar; charset=utf-8");

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString etagFromHeaders(const QHash<QByteArray, QByteArray>& headers)
{
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        if (it.key().compare("etag", Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(it.value()).remove(QLatin1Char('"'));
    }
    return {};
}

QString incompleteListing()
{
    return CalDavSyncClient::tr("The server's listing was cut short or unreadable.");
}

QList<RemoteObject> remoteObjects(const QList<CalDavParse::Resource>& resources)
{
    QList<RemoteObject> objects;
    objects.reserve(resources.size());
    for (const CalDavParse::Resource& resource : resources)
        objects.append({resource.href, resource.etag});
    return objects;
}

} // namespace

// The state of one run, carried from step to step.
struct CalDavSyncClient::Run
{
    CalDavClient* client = nullptr;
    Calendar calendar;
    QUrl url;
    std::optional<QString> ctag;
    QList<CalDavParse::Resource> resources;
    bool listingComplete = false;
    int eventCount = 0;
    int upserted = 0;
    // What the run changed: rows the pull wrote or removed here, and objects the push sent.
    int changed = 0;
    bool tasks = false;     // the half in progress
    QList<PushGroup> queue; // the push sequencer's list
    bool ended = false;
};

// One request of the push and what it carries.
struct CalDavSyncClient::Flight
{
    PushGroup group;
    QList<LocalRow> sent; // the UID's rows as they stood when the request left
    QString href;         // where the object lives (for a create, where it is put)
    bool create = false;
    bool retried = false;
    QString title;
    QByteArray body;
};

CalDavSyncClient::CalDavSyncClient(AppState* state, QObject* parent)
    : QObject(parent), m_state(state)
{
}

CalDavSyncClient::~CalDavSyncClient() = default;

void CalDavSyncClient::syncCalendar(const Calendar& calendar, const QString& serverUrl,
                                    const QString& username, const QString& password,
                                    const QString& trustedCertSha256)
{
    Q_UNUSED(serverUrl)
    syncCalendar(calendar, username, password, trustedCertSha256);
}

void CalDavSyncClient::syncCalendar(const Calendar& calendar, const QString& username,
                                    const QString& password, const QString& trustedCertSha256)
{
    qCDebug(lcCalDav).noquote() << "[CalDav] syncCalendar started for" << calendar.name;
    Q_EMIT calendarSyncStarted(calendar.id);
    auto run = std::make_shared<Run>();
    run->client = new CalDavClient(this);
    run->client->setCredentials(username, password);
    if (!trustedCertSha256.isEmpty())
        run->client->setTrustedCertSha256(trustedCertSha256);
    run->calendar = calendar;
    run->url = QUrl(calendar.url);
    runPull(run);
}

void CalDavSyncClient::runPull(const RunPtr& run)
{
    run->client->propfind(
        run->url, DavXml::ctagPropfind(), 0, [this, run](const CalDavClient::Response& reply) {
            if (!reply.errorString.isEmpty() || reply.statusCode == 0)
                return fail(run, tr("Network error: %1").arg(reply.errorString));
            if (!isSuccess(reply.statusCode))
                return fail(run,
                            tr("Server returned HTTP %1 during ctag check").arg(reply.statusCode));
            run->ctag = DavXml::parseCtag(reply.body);

            run->client->report(
                run->url, DavXml::calendarQuery({}, {}, QStringLiteral("VEVENT")), 1,
                [this, run](const CalDavClient::Response& reply) {
                    if (!reply.errorString.isEmpty() || reply.statusCode == 0)
                        return fail(run, tr("Network error: %1").arg(reply.errorString));
                    if (!isSuccess(reply.statusCode))
                        return fail(run, tr("Server returned HTTP %1").arg(reply.statusCode));
                    run->resources =
                        DavXml::parseResources(reply.body, run->url, &run->listingComplete);
                    // A listing read in part looks like a calendar that lost its other events.
                    if (!run->listingComplete)
                        return fail(run, incompleteListing());
                    // The reply's body is released before the objects are read.
                    QTimer::singleShot(0, this, [this, run] { runMultiget(run); });
                });
        });
}

void CalDavSyncClient::runMultiget(const RunPtr& run)
{
    const bool anyWithoutData =
        std::any_of(run->resources.cbegin(), run->resources.cend(),
                    [](const CalDavParse::Resource& r) { return r.calendarData.isEmpty(); });
    if (!anyWithoutData)
        return applyPulledEvents(run);
    // Only objects whose ETag moved need their data: the rest are not read at all.
    const Index index = indexRows(
        CalDavSyncStore(m_state->database()).rows(Table::Events, run->calendar.id, false));
    const ListingPlan plan = planListing(index, remoteObjects(run->resources), false);
    QStringList missing;
    for (int position : plan.toRead) {
        const CalDavParse::Resource& resource = run->resources.at(position);
        if (resource.calendarData.isEmpty())
            missing.append(resource.href);
    }
    if (missing.isEmpty())
        return applyPulledEvents(run);
    qCDebug(lcCalDav).noquote() << "[CalDav]" << run->calendar.name << "calendar-query returned"
                                << missing.size() << "hrefs without inline data, running multiget";
    run->client->report(
        run->url, DavXml::calendarMultiget(missing), 1,
        [this, run](const CalDavClient::Response& reply) {
            if (!reply.errorString.isEmpty() || reply.statusCode == 0)
                return fail(run, tr("Network error: %1").arg(reply.errorString));
            if (!isSuccess(reply.statusCode))
                return fail(run, tr("Server returned HTTP %1").arg(reply.statusCode));
            bool complete = false;
            const QList<CalDavParse::Resource> read =
                DavXml::parseResources(reply.body, run->url, &complete);
            if (!complete)
                return fail(run, incompleteListing());
            QHash<QString, int> position;
            for (int i = 0; i < run->resources.size(); ++i)
                position.insert(comparableHref(run->resources.at(i).href), i);
            int filled = 0;
            for (const CalDavParse::Resource& got : read) {
                const auto it = position.constFind(comparableHref(got.href));
                if (it == position.constEnd()) {
                    run->resources.append(got);
                    continue;
                }
                CalDavParse::Resource& target = run->resources[*it];
                target.calendarData = got.calendarData;
                if (!got.etag.isEmpty())
                    target.etag = got.etag;
                if (!got.calendarData.isEmpty())
                    ++filled;
            }
            qCDebug(lcCalDav).noquote() << "[CalDav]" << run->calendar.name << "multiget filled"
                                        << filled << "of" << run->resources.size() << "resources";
            applyPulledEvents(run);
        });
}

CalDavSyncClient::Applied CalDavSyncClient::applyObject(const RunPtr& run, Index& index,
                                                        const QString& href, const QString& etag,
                                                        const QString& calendarData, bool tasks)
{
    CalDavSyncStore store(m_state->database());
    const Table table = tasks ? Table::Tasks : Table::Events;
    QList<Event> events;
    QList<Task> taskList;
    QList<Component> components;
    if (tasks) {
        taskList = Ical::parseTasks(calendarData);
        for (const Task& task : taskList)
            components.append({task.uid, QString()});
    } else {
        events = Ical::parseEvents(calendarData);
        for (const Event& event : events)
            components.append({event.uid, event.recurrenceId});
    }
    const ObjectPlan plan = planObject(index, {href, etag}, components);
    const QDateTime now = Clock::now();
    Applied applied;
    for (int i = 0; i < components.size(); ++i) {
        const Apply action = plan.actions.at(i);
        const QString& localId = plan.localIds.at(i);
        if (action == Apply::Skip)
            continue;
        // An event the store cannot hold (one without a start) is left out, and a row already
        // stored for it stays: one broken object must not stop the rest of the calendar.
        if (!tasks && (action == Apply::Insert || action == Apply::Replace) &&
            !events.at(i).startTime.isValid()) {
            qCWarning(lcCalDav).noquote()
                << "[CalDav]" << run->calendar.name << "skipped an event without a start";
            continue;
        }
        ++applied.handled;
        if (action == Apply::Keep) {
            ++applied.stored;
            continue;
        }
        if (action == Apply::Adopt) {
            if (!store.setTag(table, localId, href, etag)) {
                applied.failed = true;
                return applied;
            }
            continue;
        }
        QString id = localId;
        bool written = false;
        if (tasks) {
            Task task = taskList.at(i);
            task.calendarId = run->calendar.id;
            task.href = href;
            task.etag = etag;
            task.syncStatus = QStringLiteral("synced");
            if (!task.created.isValid())
                task.created = now;
            if (!task.lastModified.isValid())
                task.lastModified = task.created;
            if (action == Apply::Insert) {
                task.id = id = newId();
                written = m_state->tasks()->insert(task);
            } else {
                // What the server does not know of stays as the user arranged it.
                if (const auto local = m_state->tasks()->getById(localId)) {
                    task.sortOrder = local->sortOrder;
                    task.color = local->color;
                }
                task.id = localId;
                written = m_state->tasks()->update(task);
            }
        } else {
            Event event = events.at(i);
            event.calendarId = run->calendar.id;
            event.href = href;
            event.etag = etag;
            event.syncStatus = QStringLiteral("synced");
            if (!event.created.isValid())
                event.created = now;
            if (!event.lastModified.isValid())
                event.lastModified = event.created;
            if (action == Apply::Insert) {
                event.id = id = newId();
                written = m_state->events()->insert(event);
            } else {
                event.id = localId;
                written = m_state->events()->update(event);
            }
        }
        if (!written) {
            applied.failed = true;
            return applied;
        }
        ++applied.stored;
        ++run->changed;
        if (action == Apply::Insert) {
            // Later objects of the same listing find the row (a server holding one UID twice
            // must not make it twice here).
            const int position = int(index.rows.size());
            index.rows.append({id, components.at(i).uid, components.at(i).recurrenceId, href, etag,
                               false, false, QString()});
            index.byKey.insert(
                components.at(i).uid + QLatin1Char('\n') + components.at(i).recurrenceId, position);
            index.byUid[components.at(i).uid].append(position);
        }
        if (!tasks) {
            ++run->upserted;
            if ((run->eventCount + applied.handled) % 25 == 0)
                Q_EMIT calendarSyncProgress(run->calendar.id, run->eventCount + applied.handled);
        }
    }
    for (const QString& id : plan.remove) {
        if (!(tasks ? m_state->tasks()->hardDelete(id) : m_state->events()->hardDelete(id))) {
            qCWarning(lcCalDav).noquote() << "[CalDav] hardDelete failed for id=" << id;
            applied.failed = true;
            return applied;
        }
        ++run->changed;
    }
    return applied;
}

void CalDavSyncClient::applyPulledEvents(const RunPtr& run)
{
    CalDavSyncStore store(m_state->database());
    Index index = indexRows(store.rows(Table::Events, run->calendar.id, false));
    const ListingPlan plan =
        planListing(index, remoteObjects(run->resources), run->listingComplete);

    Savepoint transaction(m_state->database()->database());
    bool stored = transaction.isActive();
    run->eventCount = plan.unchangedRows;
    for (const RowTag& tag : plan.adoptTags)
        stored = stored && store.setTag(Table::Events, tag.id, tag.href, tag.etag);
    for (int position : plan.toRead) {
        if (!stored)
            break;
        CalDavParse::Resource& resource = run->resources[position];
        if (resource.calendarData.isEmpty()) {
            qCWarning(lcCalDav).noquote()
                << "[CalDav]" << run->calendar.name << "still missing body for an object";
            continue;
        }
        const Applied applied =
            applyObject(run, index, resource.href, resource.etag, resource.calendarData, false);
        stored = !applied.failed;
        run->eventCount += applied.handled;
        // A large calendar's text is let go object by object, not at the end.
        resource.calendarData = QString();
    }
    for (const QString& id : plan.remove + plan.dropDeletion)
        stored = stored && m_state->events()->hardDelete(id);
    run->changed += int(plan.remove.size() + plan.dropDeletion.size());
    for (const QString& id : plan.recreate)
        stored = stored && store.setTag(Table::Events, id, QString(), QString());
    if (!stored || !transaction.commit()) {
        qCWarning(lcCalDav).noquote()
            << "[CalDav] storing the pulled events failed:" << transaction.errorText();
        transaction.rollback();
        return fail(run, tr("The events read from the server could not be stored."));
    }
    if (!plan.remove.isEmpty() || !plan.dropDeletion.isEmpty())
        m_state->events()->scheduleChanged(run->calendar.id);
    qCDebug(lcCalDav).noquote() << "[CalDav]" << run->calendar.name << "parsed=" << run->eventCount
                                << "upserted=" << run->upserted << "from" << run->resources.size()
                                << "resources";
    run->resources.clear();
    writeBackCalendar(run);
}

void CalDavSyncClient::writeBackCalendar(const RunPtr& run)
{
    // Read again, so that a rename or a new colour made while the run was away is kept.
    std::optional<Calendar> current = m_state->calendars()->getById(run->calendar.id);
    if (current) {
        if (run->ctag)
            current->ctag = *run->ctag;
        current->lastSyncError.clear();
        current->updatedAt = Clock::now();
        if (!m_state->calendars()->update(*current)) {
            qCWarning(lcCalDav).noquote() << "[CalDav] writing the calendar back failed";
            return fail(run, tr("The calendar's sync state could not be stored."));
        }
        run->calendar = *current;
    }
    runPush(run);
}

void CalDavSyncClient::runPush(const RunPtr& run)
{
    run->tasks = false;
    const Table table = Table::Events;
    run->queue = planPush(
        indexRows(CalDavSyncStore(m_state->database()).rowsOfPendingUids(table, run->calendar.id)));
    if (!run->queue.isEmpty())
        qCDebug(lcCalDav).noquote()
            << "[CalDav] Event push for" << run->calendar.name << "pending=" << run->queue.size();
    sendNextGroup(run);
}

void CalDavSyncClient::runTaskPull(const RunPtr& run)
{
    run->tasks = true;
    if (!supportsTasks(run->calendar))
        return runTaskPush(run);
    run->client->report(
        run->url, DavXml::calendarQuery({}, {}, QStringLiteral("VTODO")), 1,
        [this, run](const CalDavClient::Response& reply) {
            if (!reply.errorString.isEmpty() || reply.statusCode == 0)
                return fail(run, tr("Network error during task pull: %1").arg(reply.errorString));
            if (!isSuccess(reply.statusCode)) {
                qCInfo(lcCalDav).noquote() << "[CalDav] Task pull skipped (HTTP" << reply.statusCode
                                           << ") for" << run->calendar.id;
                return runTaskPush(run);
            }
            bool complete = false;
            const QList<CalDavParse::Resource> resources =
                DavXml::parseResources(reply.body, run->url, &complete);
            if (!complete)
                return fail(run, incompleteListing());
            CalDavSyncStore store(m_state->database());
            Index index = indexRows(store.rows(Table::Tasks, run->calendar.id, false));
            const ListingPlan plan = planListing(index, remoteObjects(resources), complete);
            Savepoint transaction(m_state->database()->database());
            bool stored = transaction.isActive();
            for (const RowTag& tag : plan.adoptTags)
                stored = stored && store.setTag(Table::Tasks, tag.id, tag.href, tag.etag);
            for (int position : plan.toRead) {
                const CalDavParse::Resource& resource = resources.at(position);
                if (!stored || resource.calendarData.isEmpty())
                    continue;
                const Applied applied = applyObject(run, index, resource.href, resource.etag,
                                                    resource.calendarData, true);
                stored = !applied.failed;
            }
            for (const QString& id : plan.remove + plan.dropDeletion)
                stored = stored && m_state->tasks()->hardDelete(id);
            run->changed += int(plan.remove.size() + plan.dropDeletion.size());
            for (const QString& id : plan.recreate)
                stored = stored && store.setTag(Table::Tasks, id, QString(), QString());
            if (!stored || !transaction.commit()) {
                qCWarning(lcCalDav).noquote()
                    << "[CalDav] storing the pulled tasks failed:" << transaction.errorText();
                transaction.rollback();
                return fail(run, tr("The tasks read from the server could not be stored."));
            }
            m_state->tasks()->scheduleChanged(run->calendar.id);
            runTaskPush(run);
        });
}

void CalDavSyncClient::runTaskPush(const RunPtr& run)
{
    run->tasks = true;
    run->queue = planPush(indexRows(
        CalDavSyncStore(m_state->database()).rowsOfPendingUids(Table::Tasks, run->calendar.id)));
    if (!run->queue.isEmpty())
        qCInfo(lcCalDav).noquote()
            << "[CalDav] Task push for" << run->calendar.name << "pending=" << run->queue.size();
    sendNextGroup(run);
}

void CalDavSyncClient::sendNextGroup(const RunPtr& run)
{
    CalDavSyncStore store(m_state->database());
    const Table table = run->tasks ? Table::Tasks : Table::Events;
    while (!run->queue.isEmpty()) {
        const QString uid = run->queue.takeFirst().uid;
        // Planned again from the rows as they stand now: an edit made during the previous
        // request goes out with this one.
        const QList<LocalRow> rows = store.rowsOfUid(table, run->calendar.id, uid);
        const QList<PushGroup> again = planPush(indexRows(rows));
        if (again.isEmpty())
            continue;
        auto flight = std::make_shared<Flight>();
        flight->group = again.first();
        flight->sent = rows;
        if (flight->group.kind == PushKind::ForgetLocally) {
            qCDebug(lcCalDav).noquote() << "[CalDav] Local-only delete skip-push for uid" << uid;
            if (!settleFlight(run, flight, QString()))
                return;
            continue;
        }
        return sendFlight(run, flight);
    }
    if (run->tasks)
        return finish(run);
    runTaskPull(run);
}

void CalDavSyncClient::sendFlight(const RunPtr& run, const std::shared_ptr<Flight>& flight)
{
    const PushGroup& group = flight->group;
    flight->create = group.href.isEmpty();
    flight->href = flight->create ? CalDavHref::createHref(run->url, group.uid) : group.href;
    const QUrl url = CalDavHref::resourceUrl(run->url, flight->href);

    QStringList texts;
    for (const QString& id : group.bodyIds) {
        if (run->tasks) {
            const std::optional<Task> task = m_state->tasks()->getById(id);
            if (!task)
                continue;
            if (flight->title.isEmpty())
                flight->title = task->title;
            texts.append(task->rawIcalendar.isEmpty() ? Ical::buildTask(*task)
                                                      : task->rawIcalendar);
        } else {
            const std::optional<Event> event = m_state->events()->getById(id);
            if (!event)
                continue;
            if (flight->title.isEmpty())
                flight->title = event->title;
            texts.append(event->rawIcalendar.isEmpty() ? Ical::buildEvent(*event)
                                                       : event->rawIcalendar);
        }
    }
    if (flight->title.isEmpty() && !group.deletedIds.isEmpty()) {
        const QString& id = group.deletedIds.first();
        if (run->tasks) {
            if (const auto task = m_state->tasks()->getById(id))
                flight->title = task->title;
        } else if (const auto event = m_state->events()->getById(id)) {
            flight->title = event->title;
        }
    }

    auto onReply = [this, run, flight](const CalDavClient::Response& reply) {
        const QString error = reply.statusCode == 0 && reply.errorString.isEmpty()
                                  ? tr("no reply")
                                  : reply.errorString;
        onPushReply(run, flight, reply.statusCode, reply.statusCode == 0 ? error : QString(),
                    etagFromHeaders(reply.headers));
    };
    if (group.kind == PushKind::Delete) {
        qCDebug(lcCalDav).noquote() << "[CalDav] DELETE" << CalDavHref::displayPath(flight->href);
        run->client->remove(url, onReply, group.etag);
        return;
    }
    flight->body = CalDavBody::compose(texts, group.exceptionDates).toUtf8();
    qCDebug(lcCalDav).noquote() << "[CalDav] PUT" << CalDavHref::displayPath(flight->href)
                                << (flight->create ? "(create)" : "(update)");
    run->client->put(url, flight->body, contentType, onReply, group.etag);
}

void CalDavSyncClient::onPushReply(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                                   int statusCode, const QString& errorString,
                                   const QString& replyEtag)
{
    const bool transportError = !errorString.isEmpty();
    const Verdict verdict =
        judgeReply(flight->group.kind, flight->create, statusCode, transportError, flight->retried);
    qCDebug(lcCalDav).noquote() << "[CalDav] Push response → HTTP" << statusCode << errorString;
    QString failure;
    if (transportError) {
        failure = run->tasks ? tr("Task push error: %1").arg(errorString)
                             : tr("Push error: %1").arg(errorString);
    } else {
        failure =
            run->tasks
                ? tr("Server returned HTTP %1 pushing task \"%2\"")
                      .arg(statusCode)
                      .arg(flight->title)
                : tr("Server returned HTTP %1 pushing \"%2\"").arg(statusCode).arg(flight->title);
    }
    switch (verdict) {
    case Verdict::Failed:
        if (transportError)
            qCWarning(lcCalDav).noquote() << "[CalDav] Push network error";
        else
            qCWarning(lcCalDav).noquote() << "[CalDav] Push HTTP" << statusCode;
        return fail(run, failure);
    case Verdict::RetryWithTag:
        qCInfo(lcCalDav).noquote() << "[CalDav] Push 412 - reading the object again";
        return refreshAndRetry(run, flight, failure);
    case Verdict::Done:
        break;
    }
    // A reply without an ETag leaves the old one, so the next pull reads the object again.
    QString etag = replyEtag;
    if (etag.isEmpty() && flight->group.kind == PushKind::Put && !flight->create)
        etag = flight->group.etag;
    ++run->changed;
    if (settleFlight(run, flight, etag))
        sendNextGroup(run);
}

void CalDavSyncClient::refreshAndRetry(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                                       const QString& failure)
{
    run->client->report(
        run->url, DavXml::calendarMultiget({flight->href}), 1,
        [this, run, flight, failure](const CalDavClient::Response& reply) {
            bool complete = false;
            const QList<CalDavParse::Resource> read =
                DavXml::parseResources(reply.body, run->url, &complete);
            // Only a whole answer can tell that the object is gone.
            if (!reply.errorString.isEmpty() || !isSuccess(reply.statusCode) || !complete)
                return fail(run, failure);
            std::optional<CalDavParse::Resource> found;
            for (const CalDavParse::Resource& resource : read) {
                if (comparableHref(resource.href) == comparableHref(flight->href) &&
                    !resource.calendarData.isEmpty())
                    found = resource;
            }
            const Table table = run->tasks ? Table::Tasks : Table::Events;
            CalDavSyncStore store(m_state->database());
            if (found) {
                // Synced rows take the server's copy, pending ones its ETag; what is pending
                // then goes once more, against the object as it stands.
                {
                    Index index = indexRows(store.rows(table, run->calendar.id, false));
                    Savepoint transaction(m_state->database()->database());
                    const Applied applied = applyObject(run, index, found->href, found->etag,
                                                        found->calendarData, run->tasks);
                    if (applied.failed || !transaction.commit()) {
                        qCWarning(lcCalDav).noquote() << "[CalDav] storing the object failed";
                        transaction.rollback();
                        return fail(run, failure);
                    }
                }
                const QList<LocalRow> rows =
                    store.rowsOfUid(table, run->calendar.id, flight->group.uid);
                const QList<PushGroup> again = planPush(indexRows(rows));
                if (again.isEmpty())
                    return sendNextGroup(run);
                auto next = std::make_shared<Flight>();
                next->group = again.first();
                next->sent = rows;
                next->retried = true;
                if (next->group.kind == PushKind::ForgetLocally) {
                    if (settleFlight(run, next, QString()))
                        sendNextGroup(run);
                    return;
                }
                return sendFlight(run, next);
            }
            const std::optional<PushGroup> again = retryAfterRefresh(flight->group, std::nullopt);
            if (!again) {
                if (settleFlight(run, flight, QString()))
                    sendNextGroup(run);
                return;
            }
            auto next = std::make_shared<Flight>(*flight);
            next->group = *again;
            next->retried = true;
            sendFlight(run, next);
        });
}

bool CalDavSyncClient::settleFlight(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                                    const QString& etag)
{
    const Table table = run->tasks ? Table::Tasks : Table::Events;
    CalDavSyncStore store(m_state->database());
    const QList<LocalRow> current = store.rowsOfUid(table, run->calendar.id, flight->group.uid);
    const QList<Settlement> settlements = settle(flight->group, flight->sent, current);
    Savepoint transaction(m_state->database()->database());
    bool stored = transaction.isActive();
    for (const Settlement& s : settlements) {
        bool ok = true;
        switch (s.what) {
        case Settle::MarkSynced:
            ok = run->tasks ? m_state->tasks()->markSynced(s.id, flight->href, etag)
                            : m_state->events()->markSynced(s.id, flight->href, etag);
            break;
        case Settle::TagOnly:
            ok = store.setTag(table, s.id, flight->href, etag);
            break;
        case Settle::Remove:
            ok = run->tasks ? m_state->tasks()->hardDelete(s.id)
                            : m_state->events()->hardDelete(s.id);
            break;
        case Settle::ForgetTag:
            ok = store.setTag(table, s.id, QString(), QString());
            break;
        }
        if (!ok) {
            qCWarning(lcCalDav).noquote()
                << "[CalDav] storing the push result failed for id=" << s.id;
            stored = false;
            break;
        }
    }
    // The server's master now excludes the deleted overrides; so does the local one.
    if (stored && !run->tasks && flight->group.kind == PushKind::Put &&
        !flight->group.exceptionDates.isEmpty()) {
        for (const LocalRow& row : current) {
            if (!row.recurrenceId.isEmpty() || row.deleted)
                continue;
            const std::optional<Event> master = m_state->events()->getById(row.id);
            if (!master)
                continue;
            stored = stored && store.setExceptionDates(
                                   row.id,
                                   CalDavBody::withExceptionDates(master->rawIcalendar,
                                                                  flight->group.exceptionDates),
                                   CalDavBody::addExceptionDates(master->exceptionDates,
                                                                 flight->group.exceptionDates));
        }
    }
    if (!stored || !transaction.commit()) {
        qCWarning(lcCalDav).noquote()
            << "[CalDav] storing the push result failed:" << transaction.errorText();
        transaction.rollback();
        // The rows stay pending; the next run finds the object sent and sends it once more.
        fail(run, tr("The result of sending \"%1\" could not be stored.").arg(flight->title));
        return false;
    }
    if (run->tasks)
        m_state->tasks()->scheduleChanged(run->calendar.id);
    else
        m_state->events()->scheduleChanged(run->calendar.id);
    return true;
}

void CalDavSyncClient::finish(const RunPtr& run)
{
    if (run->ended)
        return;
    run->ended = true;
    run->client->deleteLater();
    Q_EMIT calendarSyncCompleted(run->calendar.id, run->changed);
}

void CalDavSyncClient::fail(const RunPtr& run, const QString& reason)
{
    if (run->ended)
        return;
    run->ended = true;
    run->client->deleteLater();
    run->queue.clear();
    Q_EMIT calendarSyncFailed(run->calendar.id, reason);
}

bool CalDavSyncClient::supportsTasks(const Calendar& calendar)
{
    const QJsonDocument document = QJsonDocument::fromJson(calendar.supportedComponents.toUtf8());
    if (!document.isArray())
        return false;
    for (const QJsonValue& value : document.array()) {
        if (value.toString().compare(QLatin1String("VTODO"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
