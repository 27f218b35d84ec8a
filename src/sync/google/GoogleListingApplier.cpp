#include "GoogleListingApplier.h"

#include "AppState.h"
#include "Database.h"
#include "EventRepository.h"
#include "ExceptionDates.h"
#include "GoogleEventMapping.h"
#include "GoogleSyncStore.h"
#include "Savepoint.h"
#include "UidChange.h"

#include <QDebug>
#include <QHash>
#include <QSet>

namespace Google {

namespace {

// Listed changes up to which their rows are looked up one by one rather than read all at once.
constexpr int rowsReadOneByOne = 200;

// The exception dates with some added and some taken away, in their order, each once.
QString withExceptions(const QString& json, const QStringList& added, const QSet<QString>& removed)
{
    QStringList dates;
    for (const QString& date : ExceptionDates::read(json) + added) {
        if (!removed.contains(date) && !dates.contains(date))
            dates.append(date);
    }
    return dates.isEmpty() ? QString() : ExceptionDates::write(dates);
}

// Rewrites a row whose UID Google's copy changes (an event or series made here takes its Google
// id) together with everything that names it by its old UID, or writes nothing.
bool updateWithNewUid(AppState* state, const Event& event, const QString& oldUid)
{
    EventRepository* events = state->events();
    Savepoint write(events->database()->database());
    return write.isActive() && events->update(event) &&
           UidChange(events, state->tasks(), state->filterRules())
               .event(event.calendarId, oldUid, event.uid) &&
           write.commit();
}

} // namespace

ListingApplier::ListingApplier(AppState* state) : m_state(state) {}

ListingApplier::Outcome ListingApplier::apply(const QString& calendarId,
                                              const QList<QJsonObject>& items, bool fullListing)
{
    EventRepository* events = m_state->events();
    GoogleSyncStore store(m_state->database());
    Savepoint transaction(m_state->database()->database());
    if (!transaction.isActive()) {
        qWarning().noquote() << "[Google] the store refused the listing:"
                             << transaction.errorText();
        return {};
    }
    // A full or long listing reads the calendar's rows at once; a few changes look their rows up
    // one by one, so an unchanged calendar is not read whole on every run.
    const bool readAll = fullListing || items.size() > rowsReadOneByOne;
    QHash<QString, GoogleSyncStore::Row> rows =
        readAll ? store.rowsByGoogleId(calendarId) : store.pendingRowsByGoogleId(calendarId);
    QSet<QString> lookedUp;
    const auto findRow = [&](const QString& googleId) -> std::optional<GoogleSyncStore::Row> {
        if (const auto it = rows.constFind(googleId); it != rows.constEnd())
            return *it;
        if (readAll || lookedUp.contains(googleId))
            return std::nullopt;
        lookedUp.insert(googleId);
        const std::optional<GoogleSyncStore::Row> row = store.rowByGoogleId(calendarId, googleId);
        if (row)
            rows.insert(googleId, *row);
        return row;
    };
    // The cancellations known before this listing, by series: this program's own, and those
    // listed before. A full listing records them anew.
    QHash<QString, QStringList> knownCancelled;
    const auto known = [&](const CancelledOccurrence& occurrence) {
        auto it = knownCancelled.find(occurrence.masterId);
        if (it == knownCancelled.end())
            it = knownCancelled.insert(occurrence.masterId,
                                       store.cancelledOccurrences(calendarId, occurrence.masterId));
        return it->contains(occurrence.recurrenceId);
    };
    if (fullListing) {
        for (const QJsonObject& item : items) {
            if (const auto occurrence = cancelledOccurrence(item))
                known(*occurrence);
        }
        store.clearCancelledOccurrences(calendarId);
    }

    int upserted = 0;
    int tombstoned = 0;
    int failed = 0;
    QSet<QString> listed;
    listed.reserve(items.size());
    // Series whose cancelled occurrences changed: the occurrences added and restored.
    QHash<QString, QStringList> cancelledBySeries;
    QHash<QString, QSet<QString>> restoredBySeries;
    QSet<QString> deletedSeries;
    QSet<QString> removed; // local ids

    // Every item is mapped up front (a long listing on several threads); cancellations have
    // no record.
    QList<std::optional<Event>> mapped = eventsFromJson(items, calendarId);
    // New rows wait here and go to the store together, before any other write, so the writes
    // keep the listing's order; a first listing is almost nothing but new rows.
    QList<Event> newRows;
    QSet<QString> newGoogleIds;
    const auto storeNewRows = [&] {
        if (newRows.isEmpty())
            return;
        const QList<bool> written = events->insertAll(newRows);
        rows.reserve(rows.size() + newRows.size());
        for (qsizetype i = 0; i < newRows.size(); ++i) {
            if (written.at(i)) {
                const Event& event = newRows.at(i);
                rows.insert(event.providerEventId,
                            {event.id, event.providerEventId, event.uid, false, false});
                ++upserted;
            } else {
                ++failed;
            }
        }
        newRows.clear();
        newGoogleIds.clear();
    };

    for (qsizetype index = 0; index < items.size(); ++index) {
        const QJsonObject& item = items.at(index);
        const QString googleId = item.value(QLatin1String("id")).toString();
        if (googleId.isEmpty())
            continue;
        listed.insert(googleId);
        const bool cancelled = item.value(QLatin1String("status")).toString() == u"cancelled";
        if (cancelled || newGoogleIds.contains(googleId))
            storeNewRows();
        std::optional<GoogleSyncStore::Row> found = findRow(googleId);

        if (cancelled) {
            if (const auto occurrence = cancelledOccurrence(item)) {
                const bool knownBefore = known(*occurrence);
                store.addCancelledOccurrence(calendarId, occurrence->masterId,
                                             occurrence->recurrenceId);
                // An occurrence changed here for the first time has no Google id of its own yet:
                // it is the row of its series and start.
                if (!found) {
                    const auto series = findRow(occurrence->masterId);
                    found = store.rowByOccurrence(calendarId,
                                                  series ? series->uid : occurrence->masterId,
                                                  occurrence->recurrenceId);
                }
                // A cancellation known before is no news: an edit made here since (an undo that
                // brings the occurrence back) stands and goes out, its series without the
                // exception.
                if (knownBefore && found && found->pending)
                    continue;
                cancelledBySeries[occurrence->masterId].append(occurrence->recurrenceId);
            }
            // Google's deletion wins even over a local edit of the event; a deleted series
            // takes its changed occurrences with it.
            const bool isSeries = !item.contains(QLatin1String("recurringEventId"));
            if (isSeries)
                deletedSeries.insert(googleId);
            QStringList gone =
                isSeries ? store.occurrenceRowIds(calendarId, googleId) : QStringList();
            // A series made here names its occurrences by its own UID until a listing gives it
            // Google's id.
            if (isSeries && found && found->uid != googleId)
                gone += store.occurrenceRowIds(calendarId, found->uid);
            if (found)
                gone.prepend(found->id);
            for (const QString& localId : std::as_const(gone)) {
                if (events->hardDelete(localId)) {
                    removed.insert(localId);
                    ++tombstoned;
                } else {
                    ++failed;
                }
            }
            rows.remove(googleId);
            continue;
        }

        // An occurrence listed beside the deletion of its series goes with it.
        if (deletedSeries.contains(item.value(QLatin1String("recurringEventId")).toString()))
            continue;
        Event event = std::move(*mapped[index]);
        if (!event.masterEventUid.isEmpty() && !event.recurrenceId.isEmpty() &&
            store.removeCancelledOccurrence(calendarId, event.masterEventUid, event.recurrenceId))
            restoredBySeries[event.masterEventUid].insert(event.recurrenceId);
        // An occurrence belongs to its series under the series' UID here, which for a series
        // made here is not Google's id until a listing has given it that. One changed here for
        // the first time has no Google id of its own yet: its row is found by series and start.
        if (!event.masterEventUid.isEmpty() && !event.recurrenceId.isEmpty()) {
            if (const auto series = findRow(event.masterEventUid);
                series && series->uid != event.masterEventUid)
                event.uid = event.masterEventUid = series->uid;
            if (!found)
                found = store.rowByOccurrence(calendarId, event.uid, event.recurrenceId);
        }
        if (found && found->pending)
            continue; // the local edit wins and goes out below
        if (!event.recurrenceRule.isEmpty()) {
            event.exceptionDates = withExceptions(
                event.exceptionDates, store.cancelledOccurrences(calendarId, googleId), {});
        }
        if (!found) {
            newGoogleIds.insert(googleId);
            newRows.append(std::move(event));
            continue;
        }
        storeNewRows();
        event.id = found->id;
        const std::optional<Event> local = events->getById(found->id);
        if (local)
            event.color = local->color;
        const bool newUid = local && local->recurrenceId.isEmpty() &&
                            event.recurrenceId.isEmpty() && local->uid != event.uid;
        if (newUid ? updateWithNewUid(m_state, event, local->uid) : events->update(event)) {
            ++upserted;
            if (newUid)
                rows[googleId].uid = event.uid;
        } else {
            ++failed;
        }
    }
    storeNewRows();

    // Occurrences cancelled or restored since the series was stored change its exceptions.
    QSet<QString> touchedSeries(cancelledBySeries.keyBegin(), cancelledBySeries.keyEnd());
    for (auto it = restoredBySeries.cbegin(); it != restoredBySeries.cend(); ++it)
        touchedSeries.insert(it.key());
    for (const QString& masterId : touchedSeries) {
        const std::optional<GoogleSyncStore::Row> master = findRow(masterId);
        if (!master)
            continue;
        const std::optional<Event> local = events->getById(master->id);
        if (!local)
            continue;
        const QString dates =
            withExceptions(local->exceptionDates, cancelledBySeries.value(masterId),
                           restoredBySeries.value(masterId));
        if (dates != local->exceptionDates) {
            if (store.setExceptionDates(local->id, dates))
                ++upserted;
            else
                ++failed;
        }
    }

    // A full listing holds every event of the calendar: a stored one it lacks was deleted on
    // Google while the sync token was not valid. Local edits and rows never sent stay.
    if (fullListing) {
        for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
            if (it->pending || it->providerEventId.isEmpty() || listed.contains(it.key()) ||
                removed.contains(it->id))
                continue;
            if (events->hardDelete(it->id)) {
                ++tombstoned;
            } else {
                ++failed;
            }
        }
    }

    if (!transaction.commit()) {
        qWarning().noquote() << "[Google] committing the listing failed:"
                             << transaction.errorText();
        return {};
    }
    if (upserted > 0 || tombstoned > 0)
        events->scheduleChanged(calendarId);
    return {true, upserted, tombstoned, failed};
}

} // namespace Google
