#include "SeriesUndo.h"

#include "CalDavBody.h"
#include "EventChange.h"
#include "ExceptionDates.h"
#include "PushCopy.h"
#include "Recurrence.h"
#include "SeriesMove.h"
#include "WallClock.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace SeriesUndo {

namespace {

using SeriesEdit::instantOf;
using SeriesEdit::occurrenceAsGiven;
using SeriesEdit::Plan;

QString seriesKey(const Event& row)
{
    return row.calendarId + QLatin1Char('\n') + row.uid;
}

void stamp(Event& row, const QDateTime& now)
{
    row.lastModified = now.toUTC();
    row.syncStatus = QStringLiteral("pending");
}

bool sameInstant(const QDateTime& a, const QDateTime& b)
{
    return a.isValid() == b.isValid() &&
           (!a.isValid() || a.toSecsSinceEpoch() == b.toSecsSinceEpoch());
}

QString zoneOf(const Event& series)
{
    if (series.isAllDay)
        return QString();
    return series.timezone.isEmpty() ? QStringLiteral("UTC") : series.timezone;
}

bool sameDates(const Event& a, const Event& b)
{
    return Recurrence::parseDateList(a.exceptionDates) ==
           Recurrence::parseDateList(b.exceptionDates);
}

// Whether `series`, its exception dates aside, has an occurrence starting at `instant`.
bool occursAt(const Event& series, const QDateTime& instant)
{
    Event rule = series;
    rule.exceptionDates.clear();
    const QList<Event> near = Recurrence::occurrences(rule, instant, instant.addSecs(1));
    return std::any_of(near.cbegin(), near.cend(), [&instant](const Event& occurrence) {
        return sameInstant(occurrence.startTime, instant);
    });
}

// The live master of the series `row` belongs to, among `rows`.
std::optional<Event> masterOf(const QList<Event>& rows, const Event& row)
{
    for (const Event& master : rows) {
        if (master.uid == row.uid && master.calendarId == row.calendarId &&
            master.recurrenceId.isEmpty() && !master.deletedAt)
            return master;
    }
    return std::nullopt;
}

// An override the change created that another client changed since keeps what it holds of its
// own: the fields the change gave it (as against what its series gave the occurrence then) take
// what the series gives now. Nothing when it was not changed since, or when nothing of its own
// would be left. A copy read back from a server that fills in fields of its own (Google's
// organizer and links, `serverKeepsItsOwn`) is no change.
std::optional<Event> keptOverride(const Touched& row, const Event& master, const QDateTime& now,
                                  bool serverKeepsItsOwn)
{
    const Event& current = *row.current;
    if (EventChange::sameAsWritten(current, row.written, serverKeepsItsOwn))
        return std::nullopt;
    const std::optional<Event> givenThen =
        occurrenceAsGiven(row.series.value_or(master), row.written, now);
    const std::optional<Event> givenNow = occurrenceAsGiven(master, current, now);
    if (!givenThen || !givenNow)
        return std::nullopt;
    Event kept = EventChange::putBack(*givenThen, row.written, current, *givenNow);
    if (EventChange::sameAsWritten(kept, *givenNow, serverKeepsItsOwn))
        return std::nullopt;
    kept.sequence = PushCopy::nextSequence(current.sequence);
    stamp(kept, now);
    return kept;
}

// Whether a row the change wrote stands as written in every field the program writes to each
// server it syncs with and reads back unchanged: a series' frame and exception dates by what
// they mean, an occurrence's times and recurrence id, and the title, description, location,
// status and reminders. Guests, organizer and links are not among them: Google keeps its own,
// so a copy read back after the push differs there without anyone having changed it.
bool standsAsWritten(const Event& current, const Event& written)
{
    const auto end = [](const Event& event) {
        return event.endTime ? *event.endTime : event.startTime;
    };
    const bool times = written.recurrenceId.isEmpty()
                           ? sameFrame(current, written) && sameDates(current, written)
                           : current.recurrenceId == written.recurrenceId &&
                                 current.isAllDay == written.isAllDay &&
                                 sameInstant(current.startTime, written.startTime) &&
                                 sameInstant(end(current), end(written));
    return times && current.title == written.title && current.description == written.description &&
           current.location == written.location && current.status == written.status &&
           EventChange::sameReminders(current, written);
}

// The title of a series whose frame changed since the change wrote it, or of a series the change
// made that another client changed since (any field of it, its exception dates, its overrides:
// the undo would take them away with it). Nothing when everything stands as the change left it.
std::optional<QString> changedFrame(const QList<Touched>& rows, const QList<Event>& seriesRows)
{
    for (const Touched& row : rows) {
        const Event& written = row.written;
        if (!written.recurrenceId.isEmpty() || written.deletedAt)
            continue;
        const bool live = row.current && !row.current->deletedAt;
        // Named as the change left it, as the undo entry names it.
        const QString& title = written.title;
        if (!live || !sameFrame(*row.current, written))
            return title;
        if (row.before)
            continue;
        if (!standsAsWritten(*row.current, written))
            return title;
        const QString key = seriesKey(*row.current);
        for (const Event& other : seriesRows) {
            if (other.recurrenceId.isEmpty() || other.deletedAt || seriesKey(other) != key)
                continue;
            const auto made = std::find_if(rows.cbegin(), rows.cend(), [&other](const Touched& t) {
                return !t.before && t.written.id == other.id;
            });
            if (made == rows.cend() || !standsAsWritten(other, made->written))
                return title;
        }
        for (const Touched& made : rows) {
            if (!made.before && !made.written.recurrenceId.isEmpty() &&
                seriesKey(made.written) == seriesKey(written) &&
                (!made.current || made.current->deletedAt))
                return title;
        }
    }
    return std::nullopt;
}

// A row the change rewrote or deleted, as it goes back.
struct Restored
{
    Event row;
    bool inserted = false; // purged since: it comes back as a new row
    bool merged = false;   // changed since: the change's fields put back over the row as it is
};

// The row before the change, over the row as it stands now. Nothing when it is gone since without
// the change deleting it: another client took it away, which stays.
std::optional<Restored> restoredRow(const Touched& row, const QDateTime& now)
{
    Restored result{*row.before};
    Event& restored = result.row;
    if (!row.current) {
        if (!row.written.deletedAt)
            return std::nullopt;
        // Purged after its deletion reached the server: the server no longer has it.
        restored.providerEventId.clear();
        restored.etag.clear();
        restored.href.clear();
        restored.sequence =
            std::max(restored.sequence, PushCopy::nextSequence(row.written.sequence));
        stamp(restored, now);
        result.inserted = true;
        return result;
    }
    const Event& current = *row.current;
    const bool unpushed = current.syncStatus == QLatin1String("pending") &&
                          current.etag == row.written.etag && current.href == row.written.href &&
                          current.providerEventId == row.written.providerEventId;
    if (unpushed && EventChange::sameFields(current, row.written)) {
        // Nothing changed it since: the old record exactly, SEQUENCE never going back.
        restored.sequence = std::max(restored.sequence, current.sequence);
    } else {
        // What changed the row since in the fields the change left alone stays.
        restored = EventChange::putBack(*row.before, row.written, current);
        restored.sequence = PushCopy::nextSequence(current.sequence);
        stamp(restored, now);
        result.merged = true;
    }
    // A row the change moved into another series goes back to its own; any other keeps the UID
    // it goes by now (a sync may have given it the server's since).
    const Event& named = row.before->uid == row.written.uid ? current : *row.before;
    if (restored.uid != named.uid)
        restored.rawIcalendar = CalDavBody::withUid(restored.rawIcalendar, named.uid);
    restored.uid = named.uid;
    restored.masterEventUid = named.masterEventUid;
    return result;
}

// Rows of the undo, and the masters whose server copy holds an override the undo takes away.
struct Undoing
{
    Plan plan;
    QList<Event> resend;

    void put(const Restored& restored)
    {
        (restored.inserted ? plan.inserts : plan.updates).append(restored.row);
    }

    // A row the change created goes. `restoredMaster` is its series as the undo leaves it, when
    // the undo rewrites the series too.
    void undoCreated(const Touched& row, const QSet<QString>& createdSeries,
                     const QList<Event>& seriesRows, const QSet<QString>& occurrencesApart,
                     const QDateTime& now, const std::optional<Event>& restoredMaster = {})
    {
        if (!row.current || row.current->deletedAt)
            return;
        if (row.written.recurrenceId.isEmpty() || createdSeries.contains(seriesKey(row.written))) {
            // A series it made goes, its overrides with it.
            plan.removals.append(row.written.id);
            return;
        }
        const bool seen = !row.current->href.isEmpty() || !row.current->etag.isEmpty();
        const std::optional<Event> master = masterOf(seriesRows, *row.current);
        if (master) {
            if (const std::optional<Event> kept = keptOverride(
                    row, *master, now, occurrencesApart.contains(row.current->calendarId))) {
                plan.updates.append(*kept);
                return;
            }
        }
        // A server that keeps a changed occurrence as an item of its own keeps it after the
        // series is sent again: the override goes back to what its series gives instead, or,
        // where the series as the undo leaves it has no such start, is deleted, which cancels
        // the item there.
        if (seen && master && occurrencesApart.contains(row.current->calendarId)) {
            const Event series = restoredMaster.value_or(*master);
            if (SeriesEdit::givesOccurrence(series, row.current->recurrenceId)) {
                if (const std::optional<Event> given =
                        occurrenceAsGiven(series, *row.current, now)) {
                    plan.updates.append(*given);
                    return;
                }
            }
            plan.removals.append(row.written.id);
            return;
        }
        // The override goes and its occurrence stays: a tombstone would make the push exclude
        // the occurrence from the series, so the row is dropped outright, and a series whose
        // server copy holds it is sent again without it.
        plan.purges.append(row.written.id);
        if (seen && master &&
            std::none_of(resend.cbegin(), resend.cend(),
                         [&master](const Event& m) { return m.id == master->id; }))
            resend.append(*master);
    }

    // The masters whose server copy held a purged override go out again, once.
    Plan finish(const QDateTime& now)
    {
        for (Event master : std::as_const(resend)) {
            if (plan.removals.contains(master.id))
                continue;
            const auto written =
                std::find_if(plan.updates.begin(), plan.updates.end(),
                             [&master](const Event& row) { return row.id == master.id; });
            if (written != plan.updates.end()) {
                if (written->syncStatus != QLatin1String("pending")) {
                    written->sequence = PushCopy::nextSequence(written->sequence);
                    stamp(*written, now);
                }
                continue;
            }
            master.sequence = PushCopy::nextSequence(master.sequence);
            stamp(master, now);
            plan.updates.append(master);
        }
        return plan;
    }
};

QSet<QString> seriesCreated(const QList<Touched>& rows)
{
    QSet<QString> created;
    for (const Touched& row : rows) {
        if (!row.before && row.written.recurrenceId.isEmpty())
            created.insert(seriesKey(row.written));
    }
    return created;
}

// The exception dates an undo writes on a master whose frame stands as the change wrote it: the
// change's own put back (a date it moved goes back to where it was, one it added goes, one it
// dropped comes back), and those that came in since moved back as the series is, so that they
// keep excluding the occurrences they did; one that excludes nothing of the series as written goes.
QString undoneDates(const Event& before, const Event& written, const Event& current)
{
    const SeriesMove forward = SeriesMove::of(before, before.startTime, written.startTime);
    const SeriesMove back = SeriesMove::of(written, written.startTime, before.startTime);
    // The start a move was made from goes to the one it was made to, which may be the later
    // instant of a repeated hour: a wall time moved names the earlier one.
    const auto moved = [](const QString& text, const SeriesMove& move, const QDateTime& from,
                          const QDateTime& to, bool allDay) {
        const QDateTime instant = instantOf(text);
        if (!instant.isValid() || move.none())
            return text;
        return Recurrence::recurrenceIdFor(sameInstant(instant, from) ? to : move(instant), allDay);
    };
    const QStringList was = ExceptionDates::read(before.exceptionDates);
    const QStringList wrote = ExceptionDates::read(written.exceptionDates);
    QHash<QString, QString> origins; // a date the change wrote, and the one it came from
    for (const QString& text : was) {
        const QString to =
            moved(text, forward, before.startTime, written.startTime, written.isAllDay);
        if (wrote.contains(to))
            origins.insert(to, text);
    }
    QStringList dates;
    const auto add = [&dates](const QString& text) {
        if (!dates.contains(text))
            dates.append(text);
    };
    for (const QString& text : ExceptionDates::read(current.exceptionDates)) {
        if (const auto origin = origins.constFind(text); origin != origins.constEnd()) {
            add(*origin);
            continue;
        }
        if (wrote.contains(text))
            continue;
        const QDateTime instant = instantOf(text);
        if (instant.isValid() && !occursAt(written, instant))
            continue;
        add(moved(text, back, written.startTime, before.startTime, before.isAllDay));
    }
    const QStringList kept = origins.values();
    for (const QString& text : was) {
        if (!kept.contains(text))
            add(text);
    }
    return dates.isEmpty() ? QString() : ExceptionDates::write(dates);
}

// The overrides of the series among `rows` that the change did not touch (they came in since),
// moved back with the master from the times the change wrote to the restored ones: the
// occurrence they replace by the series' move, their own times by its days.
QList<Event> arrivedOverrides(const Event& restored, const Event& written, const QList<Event>& rows,
                              const QSet<QString>& touched, const QDateTime& now)
{
    QList<Event> moved;
    if (sameInstant(restored.startTime, written.startTime) ||
        restored.isAllDay != written.isAllDay || restored.recurrenceRule.isEmpty())
        return moved;
    const SeriesMove back = SeriesMove::of(written, written.startTime, restored.startTime);
    for (Event row : rows) {
        const QDateTime original = instantOf(row.recurrenceId);
        if (touched.contains(row.id) || row.deletedAt || !original.isValid() ||
            row.uid != restored.uid || row.calendarId != restored.calendarId)
            continue;
        // The series' own start goes back to the start restored, which may be the later
        // instant of a repeated hour: a wall time moved back names the earlier one.
        const QDateTime to =
            sameInstant(original, written.startTime) ? restored.startTime : back(original);
        row.recurrenceId = Recurrence::recurrenceIdFor(to, restored.isAllDay);
        if (row.startTime.isValid())
            row.startTime = back.byDays(row.startTime);
        if (row.endTime)
            row.endTime = back.byDays(*row.endTime);
        row.sequence = PushCopy::nextSequence(row.sequence);
        stamp(row, now);
        moved.append(row);
    }
    return moved;
}

// Fields of whole series, or occurrences changed apart from their series: each row takes back
// what the change gave it and nothing else; the overrides the change made go (or keep what
// another client gave them since).
Plan undoOwnFields(const QList<Touched>& rows, const QDateTime& now, const QList<Event>& seriesRows,
                   const QSet<QString>& occurrencesApart)
{
    Undoing undoing;
    const QSet<QString> createdSeries = seriesCreated(rows);
    for (const Touched& row : rows) {
        if (!row.before)
            undoing.undoCreated(row, createdSeries, seriesRows, occurrencesApart, now);
        else if (const std::optional<Restored> restored = restoredRow(row, now))
            undoing.put(*restored);
    }
    return undoing.finish(now);
}

// A change of frames, exception dates or whole series, each frame standing as it wrote it: the
// rows go back, and what came in since moves back with its series.
Plan undoFrame(const QList<Touched>& rows, const QDateTime& now, const QList<Event>& seriesRows,
               const QSet<QString>& occurrencesApart)
{
    Undoing undoing;
    const QSet<QString> createdSeries = seriesCreated(rows);
    QSet<QString> touched;
    for (const Touched& row : rows)
        touched.insert(row.written.id);
    // Such a server names an occurrence by its original start, which cannot change: an override
    // that another client wrote or changed since cannot go back with its series.
    const auto refused = [](const Event& row) {
        Plan plan;
        plan.changedElsewhere.append(row.title);
        return plan;
    };
    QList<Event> arrived;
    QHash<QString, Event> restoredMasters;
    for (const Touched& row : rows) {
        if (!row.before)
            continue;
        std::optional<Restored> restored = restoredRow(row, now);
        if (!restored)
            continue;
        const bool standingMaster =
            row.written.recurrenceId.isEmpty() && !row.written.deletedAt && !restored->inserted;
        if (standingMaster) {
            if (restored->merged)
                restored->row.exceptionDates = undoneDates(*row.before, row.written, *row.current);
            const QList<Event> back =
                arrivedOverrides(restored->row, row.written, seriesRows, touched, now);
            if (!back.isEmpty() && occurrencesApart.contains(row.current->calendarId))
                return refused(row.written);
            arrived.append(back);
            restoredMasters.insert(seriesKey(restored->row), restored->row);
        }
        undoing.put(*restored);
    }
    for (const Touched& row : rows) {
        if (row.before)
            continue;
        const bool changedSince =
            row.current && !row.current->deletedAt && !standsAsWritten(*row.current, row.written);
        const auto master = restoredMasters.constFind(seriesKey(row.written));
        if (changedSince && !row.written.recurrenceId.isEmpty() &&
            occurrencesApart.contains(row.written.calendarId) && master != restoredMasters.cend())
            return refused(*master);
        undoing.undoCreated(row, createdSeries, seriesRows, occurrencesApart, now,
                            master == restoredMasters.cend() ? std::nullopt
                                                             : std::optional<Event>(*master));
    }
    undoing.plan.updates.append(arrived);
    return undoing.finish(now);
}

} // namespace

bool sameFrame(const Event& a, const Event& b)
{
    const auto end = [](const Event& event) {
        return event.endTime ? *event.endTime : event.startTime;
    };
    return a.isAllDay == b.isAllDay && sameInstant(a.startTime, b.startTime) &&
           sameInstant(end(a), end(b)) && zoneOf(a) == zoneOf(b) && EventChange::sameRule(a, b);
}

Kind kindOf(const QList<Touched>& rows)
{
    bool series = false;
    for (const Touched& row : rows) {
        const Event& written = row.written;
        if (!written.recurrenceId.isEmpty())
            continue;
        series = true;
        if (!row.before || written.deletedAt || row.before->calendarId != written.calendarId ||
            !sameFrame(*row.before, written) || !sameDates(*row.before, written))
            return Kind::Frame;
    }
    return series ? Kind::Fields : Kind::Occurrence;
}

Plan undo(const QList<Touched>& rows, const QDateTime& now, const QList<Event>& seriesRows,
          const QSet<QString>& occurrencesApart)
{
    // A series deleted elsewhere since stays deleted, its overrides and the series the change
    // split off with it: the undo writes nothing, as for a single event.
    for (const Touched& row : rows) {
        if (row.before && !row.current && !row.written.deletedAt &&
            row.written.recurrenceId.isEmpty()) {
            Plan gone;
            gone.gone.append(row.written.title);
            return gone;
        }
    }
    Plan plan;
    const Kind kind = kindOf(rows);
    if (kind != Kind::Frame) {
        plan = undoOwnFields(rows, now, seriesRows, occurrencesApart);
    } else if (const std::optional<QString> title = changedFrame(rows, seriesRows)) {
        plan.changedElsewhere.append(*title);
        return plan;
    } else {
        plan = undoFrame(rows, now, seriesRows, occurrencesApart);
    }
    // Nothing left to put back: what the change wrote was deleted, or moved to another calendar,
    // elsewhere since.
    if (plan.updates.isEmpty() && plan.inserts.isEmpty() && plan.removals.isEmpty() &&
        plan.purges.isEmpty() && plan.changedElsewhere.isEmpty() && !rows.isEmpty()) {
        const Event& written = rows.constFirst().written;
        plan.gone.append(written.title);
        // Only the changed occurrence went, not its series: the user is told which.
        if (kind == Kind::Occurrence && written.startTime.isValid() &&
            masterOf(seriesRows, written)) {
            WallClock clock = Recurrence::wallClockOf(written);
            const qint64 local = clock.localMs(written.startTime.toMSecsSinceEpoch());
            plan.goneOccurrenceDay =
                QDate(1970, 1, 1).addDays(CivilDays::floorDiv(local, CivilDays::msPerDay));
        }
    }
    return plan;
}

} // namespace SeriesUndo
