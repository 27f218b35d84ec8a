#include "RecurringEdit.h"

#include "AccountRepository.h"
#include "AccountTypes.h"
#include "AppState.h"
#include "CalDavBody.h"
#include "CalendarRepository.h"
#include "Clock.h"
#include "Database.h"
#include "DateLanguage.h"
#include "EventChangeState.h"
#include "EventRepository.h"
#include "Ical.h"
#include "Limits.h"
#include "OccurrencesApart.h"
#include "Recurrence.h"
#include "RuleUntil.h"
#include "Savepoint.h"
#include "SeriesUndo.h"
#include "ShownText.h"
#include "TimeFormatState.h"
#include "UndoStack.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSet>
#include <QUuid>

namespace {

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Marks the record as a local change and rebuilds the text a push sends.
void prepareForPush(Event& event)
{
    event.lastModified = Clock::now();
    event.syncStatus = QStringLiteral("pending");
    // An override repeats with its series only (a server refuses one with a rule of its own).
    event.recurrenceRule = event.recurrenceId.isEmpty() ? RuleUntil::ofSeries(event) : QString();
    event.rawIcalendar = Ical::buildEvent(event);
}

// The store keeps one row per calendar, UID and recurrence id, deleted rows included. A new row
// whose place a deleted one holds (a series moved back before the first move was pushed) takes
// that row over with its server identity; a deleted override in the way of a rewritten one goes.
void fitStoredKeys(EventRepository* events, SeriesEdit::Plan& plan)
{
    QList<Event> inserts;
    for (Event& row : plan.inserts) {
        const std::optional<Event> held =
            events->getByUidAndRecurrenceId(row.uid, row.calendarId, row.recurrenceId);
        if (!held || !held->deletedAt) {
            inserts.append(row);
            continue;
        }
        row.id = held->id;
        row.href = held->href;
        row.etag = held->etag;
        row.providerEventId = held->providerEventId;
        row.created = held->created;
        row.deletedAt.reset();
        plan.updates.append(row);
    }
    plan.inserts = inserts;
    for (const Event& row : std::as_const(plan.updates)) {
        const std::optional<Event> held =
            events->getByUidAndRecurrenceId(row.uid, row.calendarId, row.recurrenceId);
        if (held && held->id != row.id && held->deletedAt && !held->recurrenceId.isEmpty())
            plan.purges.append(held->id);
    }
}

SeriesEdit::Plan prepared(SeriesEdit::Plan plan)
{
    for (Event& row : plan.updates)
        prepareForPush(row);
    for (Event& row : plan.inserts)
        prepareForPush(row);
    return plan;
}

// The series' live overrides: its other rows of the same UID.
QList<Event> overridesOf(EventRepository* events, const Event& master)
{
    QList<Event> rows = events->getSeries(master.uid, master.calendarId);
    rows.removeIf(
        [&master](const Event& row) { return row.id == master.id || row.recurrenceId.isEmpty(); });
    return rows;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("RecurringEdit", text);
}

// The record named by the UIDs its item and its series go by now.
void followUid(EventRepository* events, Event& record)
{
    const QString uid = events->currentUid(record.calendarId, record.uid);
    if (uid != record.uid) {
        record.rawIcalendar = CalDavBody::withUid(record.rawIcalendar, uid);
        record.uid = uid;
    }
    if (!record.masterEventUid.isEmpty())
        record.masterEventUid = events->currentUid(record.calendarId, record.masterEventUid);
}

// Whether the calendar's server keeps a changed occurrence as an item of its own.
bool keepsOccurrencesApart(AppState* state, const QString& calendarId)
{
    if (!state->calendars() || !state->accounts())
        return false;
    const std::optional<Calendar> calendar = state->calendars()->getById(calendarId);
    const std::optional<Account> account =
        calendar ? state->accounts()->getById(calendar->accountId) : std::nullopt;
    return account && AccountTypes::of(account->type).family == AccountTypes::Family::Google;
}

// The calendars of the rows whose server keeps a changed occurrence as an item of its own.
QSet<QString> occurrencesApart(AppState* state, const QList<SeriesUndo::Touched>& rows)
{
    QSet<QString> apart;
    QSet<QString> looked;
    for (const SeriesUndo::Touched& row : rows) {
        const QString& calendarId = row.written.calendarId;
        if (looked.contains(calendarId))
            continue;
        looked.insert(calendarId);
        if (keepsOccurrencesApart(state, calendarId))
            apart.insert(calendarId);
    }
    return apart;
}

// The plan as written where the series' server keeps its changed occurrences apart, so that none
// of them is left under an original start the series no longer has (OccurrencesApart).
SeriesEdit::Plan writtenApart(AppState* state, const SeriesEdit::Plan& plan)
{
    for (const Event& row : plan.updates) {
        if (!row.recurrenceId.isEmpty() || row.recurrenceRule.isEmpty() ||
            !keepsOccurrencesApart(state, row.calendarId))
            continue;
        EventRepository* events = state->events();
        SeriesEdit::Plan apart = OccurrencesApart::forward(
            plan, events->getSeries(row.uid, row.calendarId), newId, Clock::now());
        fitStoredKeys(events, apart);
        return prepared(apart);
    }
    return plan;
}

} // namespace

namespace RecurringEdit {

std::optional<Event> masterOf(EventRepository* events, const Event& row)
{
    if (!events)
        return std::nullopt;
    if (row.recurrenceId.isEmpty())
        return row.recurrenceRule.isEmpty() ? std::nullopt : std::optional<Event>(row);
    std::optional<Event> master = events->getByUidAndRecurrenceId(row.uid, row.calendarId, {});
    if (!master || master->deletedAt || master->recurrenceRule.isEmpty())
        return std::nullopt;
    return master;
}

std::optional<SeriesEdit::Plan> planEdit(EventRepository* events, const Event& master,
                                         const QDateTime& occurrenceStart, const Event& edited,
                                         int scope, const std::optional<SeriesMove::WallTime>& wall)
{
    if (!events || scope < 1 || scope > 3)
        return std::nullopt;
    if (!edited.startTime.isValid() || (edited.endTime && !edited.endTime->isValid()))
        return std::nullopt;
    std::optional<Event> stored;
    if (scope == 1)
        stored = events->getByUidAndRecurrenceId(
            master.uid, master.calendarId,
            Recurrence::recurrenceIdFor(occurrenceStart, master.isAllDay));
    const SeriesMove move = wall ? SeriesMove::of(master, occurrenceStart, *wall)
                                 : SeriesMove::of(master, occurrenceStart, edited.startTime);
    SeriesEdit::Plan plan =
        SeriesEdit::edit(master, overridesOf(events, master), stored, occurrenceStart, edited, move,
                         scope, newId, Clock::now());
    fitStoredKeys(events, plan);
    return prepared(plan);
}

std::optional<SeriesEdit::Plan> planMove(EventRepository* events, const Event& master,
                                         const QDateTime& occurrenceStart,
                                         const QDateTime& newStart,
                                         const std::optional<QDateTime>& newEnd, int scope,
                                         const std::optional<SeriesMove::WallTime>& wall)
{
    if (!events || scope < 1 || scope > 3)
        return std::nullopt;
    // A drag changes times only: the occurrence keeps what it shows now, an override's own
    // texts included.
    Event edited = master;
    if (scope == 1) {
        if (const std::optional<Event> stored = events->getByUidAndRecurrenceId(
                master.uid, master.calendarId,
                Recurrence::recurrenceIdFor(occurrenceStart, master.isAllDay)))
            edited = *stored;
    }
    edited.recurrenceRule = RuleUntil::ofSeries(master);
    edited.calendarId = master.calendarId;
    edited.startTime = newStart;
    edited.endTime = newEnd;
    return planEdit(events, master, occurrenceStart, edited, scope, wall);
}

std::optional<SeriesEdit::Plan> planRemove(EventRepository* events, const Event& master,
                                           const QDateTime& occurrenceStart, int scope)
{
    if (!events || scope < 1 || scope > 3)
        return std::nullopt;
    return prepared(SeriesEdit::remove(master, overridesOf(events, master), occurrenceStart, scope,
                                       Clock::now()));
}

QString changedElsewhereText(const QString& title)
{
    return tr("\"%1\" was changed elsewhere meanwhile, so nothing was changed.")
        .arg(ShownText::bounded(title, Limits::maxRowTextChars));
}

QString occurrenceGoneText(const QString& title, const QDate& day)
{
    return tr("The change of \"%1\" on %2 was deleted elsewhere meanwhile, so nothing was "
              "changed.")
        .arg(ShownText::bounded(title, Limits::maxRowTextChars),
             DateLanguage::format(day, QStringLiteral("dddd, MMMM d, yyyy")));
}

QString settledText(const AppState* state, const QString& title, const QDateTime& start)
{
    const QDateTime local = start.toLocalTime();
    const QString time = local.time().toString(TimeFormat::timePattern(state));
    return tr("The clocks skip the time \"%1\" was moved to on %2, so it begins at %3 that day "
              "and repeats at %3.")
        .arg(ShownText::bounded(title, Limits::maxRowTextChars),
             DateLanguage::format(local.date(), QStringLiteral("MMM d, yyyy")), time);
}

QString refusalText()
{
    return tr("The days of this series' repeat rule cannot all move by the same number of "
              "days, so the series was left as it was. To move it, change its repeat rule "
              "together with its date in the event form.");
}

bool carryOut(EventRepository* events, const SeriesEdit::Plan& plan)
{
    if (!events || plan.refused)
        return false;
    Savepoint transaction(events->database()->database());
    if (!transaction.isActive())
        return false;
    for (const QString& id : plan.purges) {
        if (!events->hardDelete(id))
            return false;
    }
    for (const QString& id : plan.removals) {
        if (!events->remove(id))
            return false;
    }
    // Overrides moved with their series take each other's recurrence ids.
    if (!events->freePlaces(plan.updates))
        return false;
    for (const Event& row : plan.updates) {
        if (!events->update(row))
            return false;
    }
    for (const Event& row : plan.inserts) {
        if (!events->insert(row))
            return false;
    }
    if (transaction.commit())
        return true;
    qWarning().noquote() << "[RecurringEdit] could not commit:" << transaction.errorText();
    return false;
}

bool carryOutWithUndo(AppState* state, const SeriesEdit::Plan& given, const QString& summary,
                      const QString& failure, const EventChange::Reporter& report)
{
    if (!state || !state->events() || !state->undoStack())
        return false;
    if (given.refused) {
        if (report)
            report(refusalText());
        return false;
    }
    // While an import holds the store the plan and its undo entry wait for its end.
    if (state->isStoreHeld()) {
        state->whenStoreFree([state, given, summary, failure, report] {
            carryOutWithUndo(state, given, summary, failure, report);
        });
        return true;
    }
    EventRepository* events = state->events();
    const SeriesEdit::Plan plan = writtenApart(state, given);
    QList<SeriesUndo::Touched> touched;
    QStringList ids = plan.removals;
    for (const Event& row : plan.updates)
        ids.append(row.id);
    // Live rows the plan drops for good come back as new rows on undo.
    for (const QString& id : plan.purges) {
        const std::optional<Event> row = events->getById(id);
        if (row && !row->deletedAt)
            ids.append(id);
    }
    for (const QString& id : std::as_const(ids))
        touched.append({events->getById(id), Event(), std::nullopt});
    for (const Event& row : plan.inserts) {
        ids.append(row.id);
        touched.append({std::nullopt, Event(), std::nullopt});
    }
    if (!carryOut(events, plan)) {
        if (report)
            report(failure);
        return false;
    }
    const QDateTime written = Clock::now();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        SeriesUndo::Touched& row = touched[i];
        if (const std::optional<Event> stored = events->getById(ids.at(i))) {
            row.written = *stored;
        } else {
            // Dropped for good: the change deleted it.
            row.written = row.before.value_or(Event());
            row.written.deletedAt = written;
        }
        // What the occurrence was before the change made it apart: its series as it stands.
        if (!row.before && !row.written.recurrenceId.isEmpty())
            row.series =
                events->getByUidAndRecurrenceId(row.written.uid, row.written.calendarId, {});
    }
    // The hub owns the repository and the undo list, and outlives every entry on it.
    state->undoStack()->push(
        {summary, [state, events, touched, summary, report] {
             QList<SeriesUndo::Touched> now = touched;
             // The series' rows as they stand, what came in since among them.
             QList<Event> seriesRows;
             QSet<QString> series;
             for (SeriesUndo::Touched& row : now) {
                 // The items may go by other UIDs since (a sync gave them the server's).
                 if (row.before)
                     followUid(events, *row.before);
                 followUid(events, row.written);
                 row.current = events->getById(row.written.id);
                 // A row gone since still names its series, which may stand without it.
                 const Event& named = row.current ? *row.current : row.written;
                 if (!series.contains(named.calendarId + u'\n' + named.uid)) {
                     series.insert(named.calendarId + u'\n' + named.uid);
                     seriesRows.append(events->getSeries(named.uid, named.calendarId));
                 }
             }
             SeriesEdit::Plan plan =
                 SeriesUndo::undo(now, Clock::now(), seriesRows, occurrencesApart(state, now));
             if (!plan.gone.isEmpty() || !plan.changedElsewhere.isEmpty()) {
                 if (report)
                     report(!plan.changedElsewhere.isEmpty()
                                ? changedElsewhereText(plan.changedElsewhere.constFirst())
                            : plan.goneOccurrenceDay.isValid()
                                ? occurrenceGoneText(plan.gone.constFirst(), plan.goneOccurrenceDay)
                                : EventChange::goneText(plan.gone.constFirst()));
                 return false;
             }
             // What goes to the server again carries its SEQUENCE in the text it is sent as.
             for (Event& row : plan.updates)
                 if (row.syncStatus == QLatin1String("pending"))
                     prepareForPush(row);
             for (Event& row : plan.inserts)
                 prepareForPush(row);
             if (carryOut(events, plan))
                 return true;
             if (report)
                 report(tr("Could not undo: %1")
                            .arg(ShownText::bounded(summary, Limits::maxRowTextChars)));
             return false;
         }});
    return true;
}

bool apply(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
           const QDateTime& newStart, std::optional<QDateTime> newEnd, int scope)
{
    if (!events)
        return false;
    if (scope == 0)
        return true;
    const std::optional<SeriesEdit::Plan> plan =
        planMove(events, master, occurrenceStart, newStart, newEnd, scope);
    return plan && carryOut(events, *plan);
}

bool applyToThisOnly(EventRepository* events, const Event& master, const QDateTime& occurrenceStart,
                     const QDateTime& newStart, std::optional<QDateTime> newEnd)
{
    return apply(events, master, occurrenceStart, newStart, newEnd, 1);
}

bool applyToFollowing(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, std::optional<QDateTime> newEnd)
{
    return apply(events, master, occurrenceStart, newStart, newEnd, 2);
}

bool applyToAll(EventRepository* events, Event master, const QDateTime& occurrenceStart,
                const QDateTime& newStart, std::optional<QDateTime> newEnd)
{
    return apply(events, master, occurrenceStart, newStart, newEnd, 3);
}

QString truncateRule(const QString& rule, const QDateTime& until, bool allDay)
{
    return SeriesEdit::truncateRule(rule, until, allDay);
}

} // namespace RecurringEdit
