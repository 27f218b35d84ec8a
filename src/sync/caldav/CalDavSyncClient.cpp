#include "CalDavSyncClient.h"

#include "AppState.h"
#include "CalDavBody.h"
#include "CalDavClient.h"
#include "CalDavHref.h"
#include "CalDavRowKind.h"
#include "CalDavSyncPlan.h"
#include "CalDavSyncStore.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "DavXml.h"
#include "EventRepository.h"
#include "Savepoint.h"
#include "ShownText.h"

#include <QLoggingCategory>
#include <QSet>
#include <QTimer>
#include <QUuid>

#include <algorithm>
#include <functional>
#include <optional>

using namespace CalDavSyncPlan;
using Table = CalDavSyncStore::Table;
using Kind = CalDavRowKind;

namespace {

Q_LOGGING_CATEGORY(lcCalDav, "calendar.caldav", QtWarningMsg)

const QString contentType = QStringLiteral("text/calendar; charset=utf-8");

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
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

// The hrefs (comparable) of the objects that hold pending rows: their newest copy is what the
// push builds on.
QSet<QString> pendingHrefs(const Index& index)
{
    QSet<QString> hrefs;
    for (const LocalRow& row : index.rows) {
        if (row.pending && !row.href.isEmpty())
            hrefs.insert(comparableHref(row.href));
    }
    return hrefs;
}

QString newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

// The state of one run, carried from step to step.
struct CalDavSyncClient::Run
{
    CalDavClient* client = nullptr;
    Calendar calendar;
    QUrl url;
    std::optional<QString> ctag;
    const CalDavRowKind* kind = &CalDavRowKind::events; // the kind in progress
    QList<CalDavParse::Resource> resources;
    bool listingComplete = false;
    int pulled = 0;   // components of the listing handled so far, unchanged ones included
    int upserted = 0; // rows the pull wrote, of the kinds that report progress
    // What the run changed: rows the pull wrote or removed here, and objects the push sent.
    int changed = 0;
    // Objects holding a component the store cannot hold, by href: the run says it left them out.
    QSet<QString> skipped;
    QList<PushGroup> queue; // the push sequencer's list
    // The newest server copy seen of each object holding pending rows of the kind in progress,
    // by comparable href: what their push is built over.
    QHash<QString, QString> serverCopies;
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
    QHash<QString, CalDavRowKind::Outgoing> outgoing; // the body's rows as sent, by id
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
    qCDebug(lcCalDav).noquote() << "[CalDav] syncCalendar started for"
                                << ShownText::logged(calendar.name);
    Q_EMIT calendarSyncStarted(calendar.id);
    auto run = std::make_shared<Run>();
    run->client = clientFor(username, password, trustedCertSha256);
    run->calendar = calendar;
    run->url = QUrl(calendar.url);
    checkCtag(run);
}

CalDavClient* CalDavSyncClient::clientFor(const QString& username, const QString& password,
                                          const QString& trustedCertSha256)
{
    const QString login = username + QChar(0) + password + QChar(0) + trustedCertSha256;
    CalDavClient*& client = m_clients[login];
    if (!client) {
        client = new CalDavClient(this);
        client->setCredentials(username, password);
        if (!trustedCertSha256.isEmpty())
            client->setTrustedCertSha256(trustedCertSha256);
    }
    return client;
}

void CalDavSyncClient::checkCtag(const RunPtr& run)
{
    run->client->propfind(
        run->url, DavXml::ctagPropfind(), 0, [this, run](const CalDavClient::Response& reply) {
            if (!reply.errorString.isEmpty() || reply.statusCode == 0)
                return fail(run, tr("Network error: %1").arg(reply.errorString));
            if (!isSuccess(reply.statusCode))
                return fail(run,
                            tr("Server returned HTTP %1 during ctag check").arg(reply.statusCode));
            run->ctag = DavXml::parseCtag(reply.body);
            pull(run);
        });
}

void CalDavSyncClient::pull(const RunPtr& run)
{
    run->serverCopies.clear();
    if (!run->kind->listedBy(run->calendar))
        return push(run);
    run->client->report(
        run->url, DavXml::calendarQuery({}, {}, QLatin1String(run->kind->component)), 1,
        [this, run](const CalDavClient::Response& reply) {
            const Kind& kind = *run->kind;
            if (!reply.errorString.isEmpty() || reply.statusCode == 0)
                return fail(run, kind.pullNetworkError(reply.errorString));
            if (!isSuccess(reply.statusCode)) {
                if (kind.required)
                    return fail(run, tr("Server returned HTTP %1").arg(reply.statusCode));
                qCInfo(lcCalDav).noquote() << "[CalDav]" << kind.label << "pull skipped (HTTP"
                                           << reply.statusCode << ") for" << run->calendar.id;
                return push(run);
            }
            run->resources = DavXml::parseResources(reply.body, run->url, &run->listingComplete);
            // A listing read in part looks like a calendar that lost its other objects.
            if (!run->listingComplete)
                return fail(run, incompleteListing());
            // The reply's body is released before the objects are read.
            QTimer::singleShot(0, this, [this, run] { readMissing(run); });
        });
}

void CalDavSyncClient::readMissing(const RunPtr& run)
{
    const bool anyWithoutData =
        std::any_of(run->resources.cbegin(), run->resources.cend(),
                    [](const CalDavParse::Resource& r) { return r.calendarData.isEmpty(); });
    if (!anyWithoutData)
        return applyListing(run);
    const Index index = indexRows(
        CalDavSyncStore(m_state->database()).rows(run->kind->table, run->calendar.id, false));
    // Only objects whose ETag moved need their data: the rest are not read at all.
    QSet<int> toRead;
    if (run->kind->readsMissingData) {
        const ListingPlan plan = planListing(index, remoteObjects(run->resources), false);
        toRead = QSet<int>(plan.toRead.cbegin(), plan.toRead.cend());
    }
    // An object holding pending rows is read even when unchanged, whatever its kind: the push
    // builds on it.
    const QSet<QString> pending = pendingHrefs(index);
    QStringList missing;
    for (int i = 0; i < run->resources.size(); ++i) {
        const CalDavParse::Resource& resource = run->resources.at(i);
        if (resource.calendarData.isEmpty() &&
            (toRead.contains(i) ||
             (!pending.isEmpty() && pending.contains(comparableHref(resource.href)))))
            missing.append(resource.href);
    }
    if (missing.isEmpty())
        return applyListing(run);
    qCDebug(lcCalDav).noquote() << "[CalDav]" << ShownText::logged(run->calendar.name)
                                << "calendar-query returned" << missing.size()
                                << "hrefs without inline data, running multiget";
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
            qCDebug(lcCalDav).noquote()
                << "[CalDav]" << ShownText::logged(run->calendar.name) << "multiget filled"
                << filled << "of" << run->resources.size() << "resources";
            applyListing(run);
        });
}

CalDavRowKind::Applied CalDavSyncClient::applyObject(const RunPtr& run, const CalDavRowKind& kind,
                                                     Index& index, const QString& href,
                                                     const QString& etag,
                                                     const QString& calendarData)
{
    const Kind::Applied applied = kind.apply(
        m_state, run->calendar, index, href, etag, calendarData, [this, &run, &kind](int handled) {
            ++run->changed;
            if (!kind.reportsProgress)
                return;
            ++run->upserted;
            if ((run->pulled + handled) % 25 == 0)
                Q_EMIT calendarSyncProgress(run->calendar.id, run->pulled + handled);
        });
    run->changed += applied.removed;
    if (applied.skipped > 0)
        run->skipped.insert(href);
    return applied;
}

void CalDavSyncClient::applyListing(const RunPtr& run)
{
    const Kind& kind = *run->kind;
    CalDavSyncStore store(m_state->database());
    Index index = indexRows(store.rows(kind.table, run->calendar.id, false));
    const ListingPlan plan =
        planListing(index, remoteObjects(run->resources), run->listingComplete);

    const QSet<QString> pending = pendingHrefs(index);
    for (const CalDavParse::Resource& resource : std::as_const(run->resources)) {
        if (pending.isEmpty())
            break;
        if (!resource.calendarData.isEmpty() && pending.contains(comparableHref(resource.href)))
            run->serverCopies.insert(comparableHref(resource.href), resource.calendarData);
    }

    Savepoint transaction(m_state->database()->database());
    bool stored = transaction.isActive();
    run->pulled = plan.unchangedRows;
    for (const RowTag& tag : plan.adoptTags)
        stored = stored && store.setTag(kind.table, tag.id, tag.href, tag.etag);
    for (int position : plan.toRead) {
        if (!stored)
            break;
        CalDavParse::Resource& resource = run->resources[position];
        if (resource.calendarData.isEmpty()) {
            qCWarning(lcCalDav).noquote() << "[CalDav]" << ShownText::logged(run->calendar.name)
                                          << "still missing body for an object";
            continue;
        }
        const Kind::Applied applied =
            applyObject(run, kind, index, resource.href, resource.etag, resource.calendarData);
        stored = !applied.failed;
        run->pulled += applied.handled;
        // A large calendar's text is let go object by object, not at the end.
        resource.calendarData = QString();
    }
    for (const QString& id : plan.remove + plan.dropDeletion)
        stored = stored && kind.hardDelete(m_state, id);
    run->changed += int(plan.remove.size() + plan.dropDeletion.size());
    for (const QString& id : plan.recreate)
        stored = stored && store.setTag(kind.table, id, QString(), QString());
    if (!stored || !transaction.commit()) {
        qCWarning(lcCalDav).noquote() << "[CalDav] storing the pulled" << kind.component
                                      << "objects failed:" << transaction.errorText();
        transaction.rollback();
        return fail(run, kind.notStored());
    }
    if (kind.announcesEveryPull || !plan.remove.isEmpty() || !plan.dropDeletion.isEmpty())
        kind.announce(m_state, run->calendar.id);
    qCDebug(lcCalDav).noquote() << "[CalDav]" << ShownText::logged(run->calendar.name)
                                << kind.component << "parsed=" << run->pulled
                                << "upserted=" << run->upserted << "from" << run->resources.size()
                                << "resources";
    run->resources.clear();
    if (kind.storesCtag)
        return writeBackCalendar(run);
    push(run);
}

void CalDavSyncClient::writeBackCalendar(const RunPtr& run)
{
    // Read again, so that the run carries on with a rename or a new colour made while it was
    // away; the write itself touches the sync fields alone.
    std::optional<Calendar> current = m_state->calendars()->getById(run->calendar.id);
    if (current) {
        if (run->ctag)
            current->ctag = *run->ctag;
        current->lastSyncError.clear();
        current->updatedAt = Clock::now();
        if (!m_state->calendars()->updateSyncState(*current)) {
            qCWarning(lcCalDav).noquote() << "[CalDav] writing the calendar back failed";
            return fail(run, tr("The calendar's sync state could not be stored."));
        }
        run->calendar = *current;
    }
    push(run);
}

void CalDavSyncClient::push(const RunPtr& run)
{
    run->queue = planPush(indexRows(CalDavSyncStore(m_state->database())
                                        .rowsOfPendingUids(run->kind->table, run->calendar.id)));
    if (!run->queue.isEmpty())
        qCDebug(lcCalDav).noquote()
            << "[CalDav]" << run->kind->label << "push for" << ShownText::logged(run->calendar.name)
            << "pending=" << run->queue.size();
    sendNextGroup(run);
}

void CalDavSyncClient::sendNextGroup(const RunPtr& run)
{
    CalDavSyncStore store(m_state->database());
    const Table table = run->kind->table;
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
    if (!run->kind->next)
        return finish(run);
    run->kind = run->kind->next;
    pull(run);
}

void CalDavSyncClient::sendFlight(const RunPtr& run, const std::shared_ptr<Flight>& flight)
{
    const Kind& kind = *run->kind;
    const PushGroup& group = flight->group;
    flight->create = group.href.isEmpty();
    flight->href = flight->create ? CalDavHref::createHref(run->url, group.uid) : group.href;
    const QUrl url = CalDavHref::resourceUrl(run->url, flight->href);

    const QString serverCopy =
        flight->create ? QString() : run->serverCopies.value(comparableHref(flight->href));
    QStringList texts;
    QString zone; // the series', whose rows share it
    flight->outgoing.clear();
    for (const QString& id : group.bodyIds) {
        const std::optional<Kind::Outgoing> row = kind.outgoing(m_state, id, serverCopy);
        if (!row)
            continue;
        if (flight->title.isEmpty())
            flight->title = row->title;
        texts.append(row->text);
        if (zone.isEmpty())
            zone = row->zone;
        flight->outgoing.insert(id, *row);
    }
    if (flight->title.isEmpty() && !group.deletedIds.isEmpty()) {
        if (const std::optional<QString> title = kind.title(m_state, group.deletedIds.first()))
            flight->title = *title;
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
    flight->body = CalDavBody::compose(texts, group.exceptionDates, zone).toUtf8();
    qCDebug(lcCalDav).noquote() << "[CalDav] PUT" << CalDavHref::displayPath(flight->href)
                                << (flight->create ? "(create)" : "(update)");
    // A create never replaces what another client put at its place meanwhile.
    if (flight->create)
        run->client->putNew(url, flight->body, contentType, onReply);
    else
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
    const QString failure = transportError ? run->kind->pushNetworkError(errorString)
                                           : run->kind->pushRefused(statusCode, flight->title);
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
    case Verdict::PlaceTaken:
        qCInfo(lcCalDav).noquote() << "[CalDav] Create 412 - reading what holds its place";
        return takeInPlace(run, flight, failure);
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

void CalDavSyncClient::readObject(
    const RunPtr& run, const QString& href, const QString& failure,
    const std::function<void(const std::optional<CalDavParse::Resource>&)>& then)
{
    run->client->report(run->url, DavXml::calendarMultiget({href}), 1,
                        [this, run, href, failure, then](const CalDavClient::Response& reply) {
                            bool complete = false;
                            const QList<CalDavParse::Resource> read =
                                DavXml::parseResources(reply.body, run->url, &complete);
                            // Only a whole answer can tell that the object is gone.
                            if (!reply.errorString.isEmpty() || !isSuccess(reply.statusCode) ||
                                !complete)
                                return fail(run, failure);
                            std::optional<CalDavParse::Resource> found;
                            for (const CalDavParse::Resource& resource : read) {
                                if (comparableHref(resource.href) == comparableHref(href) &&
                                    !resource.calendarData.isEmpty())
                                    found = resource;
                            }
                            then(found);
                        });
}

void CalDavSyncClient::sendAgain(const RunPtr& run, const QString& uid)
{
    const QList<LocalRow> rows =
        CalDavSyncStore(m_state->database()).rowsOfUid(run->kind->table, run->calendar.id, uid);
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
    sendFlight(run, next);
}

void CalDavSyncClient::refreshAndRetry(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                                       const QString& failure)
{
    readObject(
        run, flight->href, failure,
        [this, run, flight, failure](const std::optional<CalDavParse::Resource>& found) {
            if (found) {
                // Synced rows take the server's copy, pending ones its ETag; what is
                // pending then goes once more, over the object as it stands.
                CalDavSyncStore store(m_state->database());
                Index index = indexRows(store.rows(run->kind->table, run->calendar.id, false));
                Savepoint transaction(m_state->database()->database());
                run->serverCopies.insert(comparableHref(found->href), found->calendarData);
                const Kind::Applied applied = applyObject(run, *run->kind, index, found->href,
                                                          found->etag, found->calendarData);
                if (applied.failed || !transaction.commit()) {
                    qCWarning(lcCalDav).noquote() << "[CalDav] storing the object failed";
                    transaction.rollback();
                    return fail(run, failure);
                }
                return sendAgain(run, flight->group.uid);
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

void CalDavSyncClient::takeInPlace(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                                   const QString& failure)
{
    readObject(run, flight->href, failure,
               [this, run, flight, failure](const std::optional<CalDavParse::Resource>& found) {
                   if (!found) {
                       // Nothing to read there (any more): the create goes once more as it was.
                       auto next = std::make_shared<Flight>(*flight);
                       next->retried = true;
                       return sendFlight(run, next);
                   }
                   const Kind& kind = *run->kind;
                   CalDavSyncStore store(m_state->database());
                   // The same item (a create whose reply was lost) is taken as the object of its
                   // pending rows, which then go over it. Anything else stays as the other client
                   // put it, is stored here too, and the item made here goes under a UID of its
                   // own.
                   const bool sameItem = kind.holdsUid(found->calendarData, flight->group.uid);
                   QString uid = flight->group.uid;
                   Savepoint transaction(m_state->database()->database());
                   bool stored = transaction.isActive();
                   if (sameItem)
                       run->serverCopies.insert(comparableHref(found->href), found->calendarData);
                   for (const Kind* held : {&Kind::events, &Kind::tasks}) {
                       if (!stored || (sameItem ? held != &kind : !held->listedBy(run->calendar)))
                           continue;
                       Index index = indexRows(store.rows(held->table, run->calendar.id, false));
                       stored = !applyObject(run, *held, index, found->href, found->etag,
                                             found->calendarData)
                                     .failed;
                       if (stored && held != &kind)
                           held->announce(m_state, run->calendar.id);
                   }
                   QStringList followers;
                   if (!sameItem) {
                       uid = newUid();
                       const std::optional<QStringList> renamed =
                           stored
                               ? kind.renameUid(m_state, run->calendar.id, flight->group.uid, uid)
                               : std::nullopt;
                       stored = renamed.has_value();
                       followers = renamed.value_or(QStringList());
                   }
                   if (!stored || !transaction.commit()) {
                       qCWarning(lcCalDav).noquote()
                           << "[CalDav] storing the object at a create's place failed:"
                           << transaction.errorText();
                       transaction.rollback();
                       return fail(run, failure);
                   }
                   // What now names the item anew (its subtasks) goes out in this run, after it.
                   for (const QString& follower : std::as_const(followers)) {
                       if (std::none_of(
                               run->queue.cbegin(), run->queue.cend(),
                               [&](const PushGroup& group) { return group.uid == follower; })) {
                           PushGroup group;
                           group.uid = follower;
                           run->queue.append(group);
                       }
                   }
                   sendAgain(run, uid);
               });
}

bool CalDavSyncClient::settleFlight(const RunPtr& run, const std::shared_ptr<Flight>& flight,
                                    const QString& etag)
{
    const Kind& kind = *run->kind;
    const Table table = kind.table;
    CalDavSyncStore store(m_state->database());
    const QList<LocalRow> current = store.rowsOfUid(table, run->calendar.id, flight->group.uid);
    const QList<Settlement> settlements = settle(flight->group, flight->sent, current);
    Savepoint transaction(m_state->database()->database());
    bool stored = transaction.isActive();
    for (const Settlement& s : settlements) {
        bool ok = true;
        switch (s.what) {
        case Settle::MarkSynced: {
            ok = kind.markSynced(m_state, s.id, flight->href, etag);
            // The row holds what the server now holds, so later edits build on it.
            const auto sent = flight->outgoing.constFind(s.id);
            if (ok && sent != flight->outgoing.constEnd() && sent->rebuilt)
                ok = store.setSentCopy(table, s.id, sent->text, sent->sequence);
            break;
        }
        case Settle::TagOnly:
            ok = store.setTag(table, s.id, flight->href, etag);
            break;
        case Settle::Remove:
            ok = kind.hardDelete(m_state, s.id);
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
    if (stored && kind.hasOverrides && flight->group.kind == PushKind::Put &&
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
                                                                  flight->group.exceptionDates,
                                                                  master->timezone),
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
    kind.announce(m_state, run->calendar.id);
    return true;
}

void CalDavSyncClient::finish(const RunPtr& run)
{
    if (run->ended)
        return;
    run->ended = true;
    if (!run->skipped.isEmpty())
        Q_EMIT feedEventsSkipped(run->calendar.id, int(run->skipped.size()));
    Q_EMIT calendarSyncCompleted(run->calendar.id, run->changed);
}

void CalDavSyncClient::fail(const RunPtr& run, const QString& reason)
{
    if (run->ended)
        return;
    run->ended = true;
    run->queue.clear();
    Q_EMIT calendarSyncFailed(run->calendar.id, reason);
}
