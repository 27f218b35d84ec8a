#include "CalDavRowKind.h"

#include "AppState.h"
#include "CalDavBody.h"
#include "CalDavSyncClient.h"
#include "Clock.h"
#include "EventRepository.h"
#include "Ical.h"
#include "PushCopy.h"
#include "ShownText.h"
#include "TaskRepository.h"
#include "UidChange.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QUuid>

#include <algorithm>

using namespace CalDavSyncPlan;
using Table = CalDavSyncStore::Table;

namespace {

Q_LOGGING_CATEGORY(lcCalDav, "calendar.caldav", QtWarningMsg)

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Whether the calendar lists VTODO among the components it holds.
bool supportsTasks(const Calendar& calendar)
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

// How the run reaches the rows of one kind in the store and in iCalendar text.
template <class Row> struct RowAccess;

template <> struct RowAccess<Event>
{
    static constexpr Table table = Table::Events;
    static EventRepository* repository(AppState* state) { return state->events(); }
    static QList<Event> parse(const QString& text) { return Ical::parseEvents(text); }
    static QString build(const Event& event) { return Ical::buildEvent(event); }
    static QString zone(const Event& event) { return event.timezone; }
    static Component component(const Event& event) { return {event.uid, event.recurrenceId}; }
    static bool sameKey(const Event& a, const Event& b)
    {
        return a.uid == b.uid && a.recurrenceId == b.recurrenceId;
    }
    // The store cannot hold an event without a start.
    static bool storable(const Event& event) { return event.startTime.isValid(); }
    static void keepLocal(Event&, AppState*, const QString&) {}
};

template <> struct RowAccess<Task>
{
    static constexpr Table table = Table::Tasks;
    static TaskRepository* repository(AppState* state) { return state->tasks(); }
    static QList<Task> parse(const QString& text) { return Ical::parseTasks(text); }
    static QString build(const Task& task) { return Ical::buildTask(task); }
    static QString zone(const Task&) { return QString(); }
    static Component component(const Task& task) { return {task.uid, QString()}; }
    static bool sameKey(const Task& a, const Task& b) { return a.uid == b.uid; }
    static bool storable(const Task&) { return true; }
    // What the server does not know of stays as the user arranged it.
    static void keepLocal(Task& task, AppState* state, const QString& localId)
    {
        if (const auto local = state->tasks()->getById(localId)) {
            task.sortOrder = local->sortOrder;
            task.color = local->color;
        }
    }
};

template <class Row> bool hardDeleteRow(AppState* state, const QString& id)
{
    return RowAccess<Row>::repository(state)->hardDelete(id);
}

template <class Row>
bool markRowSynced(AppState* state, const QString& id, const QString& href, const QString& etag)
{
    return RowAccess<Row>::repository(state)->markSynced(id, href, etag);
}

template <class Row> void announceRows(AppState* state, const QString& calendarId)
{
    RowAccess<Row>::repository(state)->scheduleChanged(calendarId);
}

// The component of the row's key in the object's text.
template <class Row> std::optional<Row> componentOf(const QString& text, const Row& row)
{
    if (text.isEmpty())
        return std::nullopt;
    for (Row& component : RowAccess<Row>::parse(text)) {
        if (RowAccess<Row>::sameKey(component, row))
            return std::move(component);
    }
    return std::nullopt;
}

template <class Row>
std::optional<CalDavRowKind::Outgoing> outgoingRow(AppState* state, const QString& id,
                                                   const QString& serverText)
{
    using Access = RowAccess<Row>;
    const std::optional<Row> row = Access::repository(state)->getById(id);
    if (!row)
        return std::nullopt;
    const QString zone = Access::zone(*row);
    if (const std::optional<Row> server = componentOf(serverText, *row)) {
        if (row->syncStatus != QLatin1String("pending"))
            return CalDavRowKind::Outgoing{row->title, server->rawIcalendar, server->sequence,
                                           server->rawIcalendar != row->rawIcalendar, zone};
        const Row copy = PushCopy::over(*row, *server);
        return CalDavRowKind::Outgoing{row->title, Access::build(copy), copy.sequence, true, zone};
    }
    if (row->rawIcalendar.isEmpty())
        return CalDavRowKind::Outgoing{row->title, Access::build(*row), row->sequence, true, zone};
    return CalDavRowKind::Outgoing{row->title, row->rawIcalendar, row->sequence, false, zone};
}

template <class Row> bool objectHoldsUid(const QString& calendarData, const QString& uid)
{
    const QList<Row> rows = RowAccess<Row>::parse(calendarData);
    return std::any_of(rows.begin(), rows.end(), [&](const Row& row) { return row.uid == uid; });
}

UidChange uidChange(AppState* state)
{
    return UidChange(state->events(), state->tasks(), state->filterRules());
}

std::optional<QStringList> renameEventUid(AppState* state, const QString& calendarId,
                                          const QString& from, const QString& to)
{
    return uidChange(state).event(calendarId, from, to) ? std::optional(QStringList())
                                                        : std::nullopt;
}

std::optional<QStringList> renameTaskUid(AppState* state, const QString& calendarId,
                                         const QString& from, const QString& to)
{
    return uidChange(state).task(calendarId, from, to);
}

template <class Row> std::optional<QString> rowTitle(AppState* state, const QString& id)
{
    const std::optional<Row> row = RowAccess<Row>::repository(state)->getById(id);
    return row ? std::optional<QString>(row->title) : std::nullopt;
}

// A pending row meets a newer copy on the server: the push sends the row's own fields over that
// copy, so what another client stored there that the record does not model goes out with it.
template <class Row>
bool adoptRow(AppState* state, CalDavSyncStore& store, const QString& id, const QString& href,
              const QString& etag, const Row& server)
{
    using Access = RowAccess<Row>;
    const std::optional<Row> row = Access::repository(state)->getById(id);
    if (!row)
        return store.setTag(Access::table, id, href, etag);
    return store.setTagAndText(Access::table, id, href, etag,
                               Access::build(PushCopy::over(*row, server)));
}

template <class Row>
CalDavRowKind::Applied applyRows(AppState* state, const Calendar& calendar, Index& index,
                                 const QString& href, const QString& etag,
                                 const QString& calendarData,
                                 const std::function<void(int handled)>& onWritten)
{
    using Access = RowAccess<Row>;
    CalDavSyncStore store(state->database());
    const QList<Row> rows = Access::parse(calendarData);
    QList<Component> components;
    components.reserve(rows.size());
    for (const Row& row : rows)
        components.append(Access::component(row));
    const ObjectPlan plan = planObject(index, {href, etag}, components);
    const QDateTime now = Clock::now();
    CalDavRowKind::Applied applied;
    for (int i = 0; i < components.size(); ++i) {
        const Apply action = plan.actions.at(i);
        const QString& localId = plan.localIds.at(i);
        if (action == Apply::Skip)
            continue;
        // A row the store cannot hold (an event without a start) is left out, and a row already
        // stored for it stays: one broken object must not stop the rest of the calendar.
        if ((action == Apply::Insert || action == Apply::Replace) &&
            !Access::storable(rows.at(i))) {
            qCWarning(lcCalDav).noquote() << "[CalDav]" << ShownText::logged(calendar.name)
                                          << "skipped an object the store cannot hold";
            ++applied.skipped;
            continue;
        }
        ++applied.handled;
        if (action == Apply::Keep) {
            ++applied.stored;
            continue;
        }
        if (action == Apply::Adopt) {
            if (!adoptRow<Row>(state, store, localId, href, etag, rows.at(i))) {
                applied.failed = true;
                return applied;
            }
            continue;
        }
        Row row = rows.at(i);
        row.calendarId = calendar.id;
        row.href = href;
        row.etag = etag;
        row.syncStatus = QStringLiteral("synced");
        if (!row.created.isValid())
            row.created = now;
        if (!row.lastModified.isValid())
            row.lastModified = row.created;
        QString id = localId;
        bool written = false;
        if (action == Apply::Insert) {
            row.id = id = newId();
            written = Access::repository(state)->insert(row);
        } else {
            Access::keepLocal(row, state, localId);
            row.id = localId;
            written = Access::repository(state)->update(row);
        }
        if (!written) {
            applied.failed = true;
            return applied;
        }
        ++applied.stored;
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
        onWritten(applied.handled);
    }
    for (const QString& id : plan.remove) {
        if (!Access::repository(state)->hardDelete(id)) {
            qCWarning(lcCalDav).noquote() << "[CalDav] hardDelete failed for id=" << id;
            applied.failed = true;
            return applied;
        }
        ++applied.removed;
    }
    return applied;
}

} // namespace

const CalDavRowKind CalDavRowKind::events = {
    .table = Table::Events,
    .component = "VEVENT",
    .label = "Event",
    .listedBy = [](const Calendar&) { return true; },
    .required = true,
    .readsMissingData = true,
    .storesCtag = true,
    .reportsProgress = true,
    .announcesEveryPull = false,
    .hasOverrides = true,
    .next = &CalDavRowKind::tasks,
    .apply = &applyRows<Event>,
    .hardDelete = &hardDeleteRow<Event>,
    .markSynced = &markRowSynced<Event>,
    .announce = &announceRows<Event>,
    .outgoing = &outgoingRow<Event>,
    .holdsUid = &objectHoldsUid<Event>,
    .renameUid = &renameEventUid,
    .title = &rowTitle<Event>,
    .pullNetworkError =
        [](const QString& error) { return CalDavSyncClient::tr("Network error: %1").arg(error); },
    .pushNetworkError =
        [](const QString& error) { return CalDavSyncClient::tr("Push error: %1").arg(error); },
    .pushRefused =
        [](int statusCode, const QString& title) {
            return CalDavSyncClient::tr("Server returned HTTP %1 pushing \"%2\"")
                .arg(statusCode)
                .arg(title);
        },
    .notStored =
        [] { return CalDavSyncClient::tr("The events read from the server could not be stored."); },
};

const CalDavRowKind CalDavRowKind::tasks = {
    .table = Table::Tasks,
    .component = "VTODO",
    .label = "Task",
    .listedBy = &supportsTasks,
    .required = false,
    .readsMissingData = false,
    .storesCtag = false,
    .reportsProgress = false,
    .announcesEveryPull = true,
    .hasOverrides = false,
    .next = nullptr,
    .apply = &applyRows<Task>,
    .hardDelete = &hardDeleteRow<Task>,
    .markSynced = &markRowSynced<Task>,
    .announce = &announceRows<Task>,
    .outgoing = &outgoingRow<Task>,
    .holdsUid = &objectHoldsUid<Task>,
    .renameUid = &renameTaskUid,
    .title = &rowTitle<Task>,
    .pullNetworkError =
        [](const QString& error) {
            return CalDavSyncClient::tr("Network error during task pull: %1").arg(error);
        },
    .pushNetworkError =
        [](const QString& error) { return CalDavSyncClient::tr("Task push error: %1").arg(error); },
    .pushRefused =
        [](int statusCode, const QString& title) {
            return CalDavSyncClient::tr("Server returned HTTP %1 pushing task \"%2\"")
                .arg(statusCode)
                .arg(title);
        },
    .notStored =
        [] { return CalDavSyncClient::tr("The tasks read from the server could not be stored."); },
};
