#include "SeriesEdit.h"

#include "CalDavBody.h"
#include "ExceptionDates.h"
#include "Ical.h"
#include "PushCopy.h"
#include "Recurrence.h"
#include "RuleShift.h"
#include "RuleUntil.h"
#include "SeriesMove.h"
#include "WallClock.h"

#include <QStringList>

#include <algorithm>

namespace {

QString partName(const QString& part)
{
    const qsizetype equals = part.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : part.left(equals).trimmed().toUpper();
}

// The fields a row made from the master carries over.
Event copyOfMaster(const Event& master, const QDateTime& newStart,
                   const std::optional<QDateTime>& newEnd, const QString& id, const QDateTime& now)
{
    Event event;
    event.id = id;
    event.uid = id;
    event.calendarId = master.calendarId;
    event.title = master.title;
    event.description = master.description;
    event.location = master.location;
    event.color = master.color;
    event.timezone = master.timezone;
    event.status = master.status;
    event.organizerEmail = master.organizerEmail;
    event.organizerName = master.organizerName;
    event.isAllDay = master.isAllDay;
    event.startTime = newStart;
    event.endTime = newEnd;
    event.created = now.toUTC();
    event.lastModified = event.created;
    event.syncStatus = QStringLiteral("pending");
    event.sequence = 0;
    return event;
}

// Reminders and attendees for a new row: the same choices, rows of their own.
void takeChildren(Event& event, const QList<Reminder>& reminders, const QList<Attendee>& attendees)
{
    event.reminders = reminders;
    for (Reminder& reminder : event.reminders) {
        reminder.id.clear();
        reminder.eventId.clear();
        reminder.acknowledged = false;
        reminder.triggerTime.reset();
    }
    event.attendees = attendees;
    for (Attendee& attendee : event.attendees) {
        attendee.id.clear();
        attendee.eventId.clear();
    }
}

// What the user edits in the form, taken over from the edited occurrence. Reminder and attendee
// rows of another event (the master's, shown on its occurrence) become rows of this one.
void takeEditedFields(Event& row, const Event& edited)
{
    row.title = edited.title;
    row.description = edited.description;
    row.location = edited.location;
    row.color = edited.color;
    row.reminders = edited.reminders;
    for (Reminder& reminder : row.reminders) {
        if (reminder.eventId == row.id && !row.id.isEmpty())
            continue;
        reminder.id.clear();
        reminder.eventId.clear();
        reminder.acknowledged = false;
        reminder.triggerTime.reset();
    }
    row.attendees = edited.attendees;
    for (Attendee& attendee : row.attendees) {
        if (attendee.eventId == row.id && !row.id.isEmpty())
            continue;
        attendee.id.clear();
        attendee.eventId.clear();
    }
}

void stamp(Event& row, const QDateTime& now)
{
    row.lastModified = now.toUTC();
    row.syncStatus = QStringLiteral("pending");
}

// The row again as a new row of `uid` in `calendarId`: a new id, no server identity.
Event recreated(const Event& row, const QString& id, const QString& calendarId,
                const QDateTime& now)
{
    Event copy = row;
    copy.id = id;
    copy.calendarId = calendarId;
    copy.providerEventId.clear();
    copy.etag.clear();
    copy.href.clear();
    copy.deletedAt.reset();
    copy.created = now.toUTC();
    takeChildren(copy, row.reminders, row.attendees);
    stamp(copy, now);
    return copy;
}

// An override moves with its series by the days the series moved; its own hour stays.
void moveOwnTimes(Event& row, const SeriesMove& move)
{
    if (move.days() == 0)
        return;
    row.startTime = move.byDays(row.startTime);
    if (row.endTime)
        row.endTime = move.byDays(*row.endTime);
}

// The exception dates kept by `keep`, each moved, in the series' value type.
QString movedDates(const QString& json, const SeriesMove& move, bool allDay,
                   const std::function<bool(const QDateTime&)>& keep)
{
    QStringList dates;
    for (const QString& text : ExceptionDates::read(json)) {
        const QDateTime instant = SeriesEdit::instantOf(text);
        if (!instant.isValid()) {
            if (keep(QDateTime()))
                dates.append(text);
            continue;
        }
        if (keep(instant))
            dates.append(move.none() ? text : Recurrence::recurrenceIdFor(move(instant), allDay));
    }
    return dates.isEmpty() ? QString() : ExceptionDates::write(dates);
}

QString normalizedRule(const Event& event)
{
    return RuleUntil::ofSeries(event);
}

// The rule with its UNTIL moved by the move's change of the time of day (whole days move with the
// rule's own days): a series moved later keeps its last occurrence, one moved earlier gains none.
QString movedUntil(const QString& rule, const SeriesMove& move, bool allDay)
{
    if (!move.changesTimeOfDay())
        return rule;
    QStringList parts;
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (partName(part) == QLatin1String("UNTIL")) {
            const QDateTime until =
                SeriesEdit::instantOf(part.mid(part.indexOf(QLatin1Char('=')) + 1));
            if (until.isValid()) {
                parts.append(QStringLiteral("UNTIL=") +
                             RuleUntil::forInstant(move.byTimeOfDay(until), allDay));
                continue;
            }
        }
        parts.append(part);
    }
    return parts.join(QLatin1Char(';'));
}

// The series' start before `occurrenceStart`, exception dates aside, when the clocks moved that
// occurrence off the series' time of day; nothing for any other.
std::optional<QDateTime> startBeforeOffItsTime(const Event& master,
                                               const QDateTime& occurrenceStart)
{
    if (master.isAllDay || !master.startTime.isValid() || !occurrenceStart.isValid())
        return std::nullopt;
    WallClock clock = Recurrence::wallClockOf(master);
    const auto timeOfDay = [&clock](const QDateTime& at) {
        const qint64 local = clock.localMs(at.toMSecsSinceEpoch());
        return local - CivilDays::floorDiv(local, CivilDays::msPerDay) * CivilDays::msPerDay;
    };
    if (timeOfDay(occurrenceStart) == timeOfDay(master.startTime))
        return std::nullopt;
    Event rule = master;
    rule.exceptionDates.clear();
    // Four years back reaches the start before of any rule this program reads (29 February).
    const QList<Event> earlier =
        Recurrence::occurrences(rule, occurrenceStart.addDays(-1461), occurrenceStart);
    for (auto it = earlier.crbegin(); it != earlier.crend(); ++it) {
        if (it->startTime < occurrenceStart)
            return it->startTime;
    }
    return std::nullopt;
}

// Whether the rule of the series gives a start before `occurrenceStart`, exception dates aside.
// A series may begin on a day its rule does not give (a Sunday series from a Saturday): its
// first occurrence is then later than its start.
bool startsBefore(const Event& master, const QDateTime& occurrenceStart)
{
    Event rule = master;
    rule.exceptionDates.clear();
    const QList<Event> earlier = Recurrence::occurrences(rule, master.startTime, occurrenceStart);
    return std::any_of(earlier.cbegin(), earlier.cend(), [&](const Event& occurrence) {
        return occurrence.startTime < occurrenceStart;
    });
}

} // namespace

namespace SeriesEdit {

QString truncateRule(const QString& rule, const QDateTime& until, bool allDay)
{
    const QString untilPart = QStringLiteral("UNTIL=") + RuleUntil::forInstant(until, allDay);
    QStringList result;
    bool replaced = false;
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = partName(part);
        if (name == QLatin1String("COUNT"))
            continue;
        if (name == QLatin1String("UNTIL")) {
            result.append(untilPart);
            replaced = true;
            continue;
        }
        result.append(part);
    }
    if (!replaced)
        result.append(untilPart);
    return result.join(QLatin1Char(';'));
}

int occurrencesBefore(const Event& master, const QDateTime& instant)
{
    if (!instant.isValid() || !master.startTime.isValid() || instant <= master.startTime)
        return 0;
    // COUNT counts the instances the rule generates, before exception dates take any away.
    Event series = master;
    series.exceptionDates.clear();
    series.recurrenceDates.clear();
    return int(Recurrence::occurrences(series, master.startTime.addDays(-1), instant).size());
}

QString followingRule(const Event& master, const QDateTime& occurrenceStart)
{
    const QString rule = RuleUntil::ofSeries(master);
    QStringList result;
    for (const QString& part : rule.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (partName(part) == QLatin1String("COUNT")) {
            bool ok = false;
            const int count = part.mid(part.indexOf(QLatin1Char('=')) + 1).trimmed().toInt(&ok);
            if (!ok || count < 1)
                continue;
            const int remaining = count - occurrencesBefore(master, occurrenceStart);
            result.append(QStringLiteral("COUNT=%1").arg(std::max(remaining, 1)));
            continue;
        }
        result.append(part);
    }
    return result.join(QLatin1Char(';'));
}

Event occurrenceOverride(const Event& master, const QDateTime& occurrenceStart,
                         const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                         const QString& id, const QDateTime& now)
{
    Event event = copyOfMaster(master, newStart, newEnd, id, now);
    event.uid = master.uid;
    event.masterEventUid = master.uid;
    event.recurrenceId = Recurrence::recurrenceIdFor(occurrenceStart, master.isAllDay);
    event.rawIcalendar = Ical::floatingStartOf(master, event.uid);
    // The occurrence keeps the series' alarms and guests: a server sends what the override holds.
    takeChildren(event, master.reminders, master.attendees);
    return event;
}

std::optional<Event> occurrenceAsGiven(const Event& master, const Event& row, const QDateTime& now)
{
    const QDateTime original = instantOf(row.recurrenceId);
    if (!original.isValid())
        return std::nullopt;
    const QDateTime start =
        master.isAllDay ? original : original.toTimeZone(master.startTime.timeZone());
    std::optional<QDateTime> end;
    if (master.endTime)
        end = start.addSecs(master.startTime.secsTo(*master.endTime));
    Event given = occurrenceOverride(master, start, start, end, row.id, now);
    given.providerEventId = row.providerEventId;
    given.etag = row.etag;
    given.href = row.href;
    given.created = row.created;
    given.sequence = PushCopy::nextSequence(row.sequence);
    return given;
}

bool givesOccurrence(const Event& series, const QString& recurrenceId)
{
    const QDateTime at = instantOf(recurrenceId);
    if (!at.isValid() || series.recurrenceRule.isEmpty())
        return false;
    const QList<Event> near = Recurrence::occurrences(series, at, at.addSecs(1));
    return std::any_of(near.cbegin(), near.cend(), [&](const Event& occurrence) {
        return occurrence.recurrenceId == recurrenceId ||
               occurrence.startTime.toSecsSinceEpoch() == at.toSecsSinceEpoch();
    });
}

Event followingSeries(const Event& master, const QDateTime& occurrenceStart,
                      const QDateTime& newStart, const std::optional<QDateTime>& newEnd,
                      const QString& id, const QDateTime& now)
{
    Event event = copyOfMaster(master, newStart, newEnd, id, now);
    event.recurrenceRule = followingRule(master, occurrenceStart);
    event.rawIcalendar = Ical::floatingStartOf(master, event.uid);
    return event;
}

QDateTime instantOf(const QString& recurrenceId)
{
    const QString text = recurrenceId.trimmed();
    if (text.size() == 8) {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
        return date.isValid() ? QDateTime(date, QTime(0, 0), Qt::UTC) : QDateTime();
    }
    if (text.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive)) {
        // Read as UTC digits: read on the machine's clock first, a time its clocks skip (02:30
        // on the night they go forward) would not read, or read an hour later.
        const QDate date = QDate::fromString(text.left(8), QStringLiteral("yyyyMMdd"));
        const QTime time = QTime::fromString(text.mid(9, 6), QStringLiteral("HHmmss"));
        if (text.size() != 16 || text.at(8).toUpper() != QLatin1Char('T') || !date.isValid() ||
            !time.isValid())
            return {};
        return QDateTime(date, time, Qt::UTC);
    }
    return QDateTime::fromString(text, QStringLiteral("yyyyMMdd'T'HHmmss"));
}

namespace {

// The part of the series before `occurrenceStart`: its rule ends there and it keeps only the
// exception dates that still fall inside it.
Event headBefore(const Event& master, const QDateTime& occurrenceStart, const QDateTime& now)
{
    Event head = master;
    head.recurrenceRule =
        truncateRule(master.recurrenceRule, occurrenceStart.addSecs(-1), master.isAllDay);
    head.exceptionDates = movedDates(master.exceptionDates, SeriesMove(), master.isAllDay,
                                     [&](const QDateTime& at) { return at < occurrenceStart; });
    head.sequence = PushCopy::nextSequence(head.sequence);
    stamp(head, now);
    return head;
}

} // namespace

Plan edit(const Event& master, const QList<Event>& overrides, const std::optional<Event>& stored,
          const QDateTime& occurrenceStart, const Event& edited, int scope, const IdSource& newId,
          const QDateTime& now)
{
    return edit(master, overrides, stored, occurrenceStart, edited,
                SeriesMove::of(master, occurrenceStart, edited.startTime), scope, newId, now);
}

Plan edit(const Event& master, const QList<Event>& overrides, const std::optional<Event>& stored,
          const QDateTime& occurrenceStart, const Event& edited, const SeriesMove& move, int scope,
          const IdSource& newId, const QDateTime& now)
{
    Plan plan;
    const auto endAfter = [&edited](const QDateTime& start) {
        return edited.endTime ? std::optional<QDateTime>(
                                    start.addSecs(edited.startTime.secsTo(*edited.endTime)))
                              : std::nullopt;
    };

    if (scope == 1) {
        Event row = stored ? *stored
                           : occurrenceOverride(master, occurrenceStart, edited.startTime,
                                                edited.endTime, newId(), now);
        takeEditedFields(row, edited);
        row.startTime = edited.startTime;
        row.endTime = edited.endTime;
        row.isAllDay = master.isAllDay;
        row.calendarId = master.calendarId;
        row.recurrenceRule.clear();
        row.deletedAt.reset();
        stamp(row, now);
        if (stored) {
            row.sequence = PushCopy::nextSequence(row.sequence);
            plan.updates.append(row);
        } else {
            plan.inserts.append(row);
        }
        return plan;
    }

    // "This and following" from the first occurrence is the whole series: a new series there
    // could not keep the time the clocks moved that occurrence off (02:30 on the spring night is
    // an instant at 03:30), and would take every later occurrence there.
    const bool split =
        scope == 2 && occurrenceStart > master.startTime && startsBefore(master, occurrenceStart);
    // Another rule or kind gives other starts: the overrides would replace occurrences that no
    // longer exist, so they go.
    const bool newRule =
        edited.recurrenceRule != normalizedRule(master) || edited.isAllDay != master.isAllDay;
    // The rule kept, its own days (weekdays, month days) move with the start; a rule whose days
    // cannot follow the start refuses the change rather than move its occurrences apart.
    const auto keptRule = [](const QString& rule, const QDateTime& from, const SeriesMove& shift,
                             bool allDay) -> std::optional<QString> {
        const std::optional<QString> moved =
            RuleShift::byDays(rule, from.toTimeZone(shift.zone()), shift.days());
        if (!moved)
            return std::nullopt;
        return movedUntil(*moved, shift, allDay);
    };
    if (split) {
        // One move for everything the new series takes over: its start, its UNTIL, the exception
        // dates and the overrides. Settled for its start, so that it begins at a wall time its
        // clock has (the earlier instant of a repeated hour) and repeats where that start reads.
        Event following = master;
        following.startTime = occurrenceStart;
        const SeriesMove shift = move.settledFor(following);
        QDateTime tailStart =
            edited.isAllDay == master.isAllDay ? shift(occurrenceStart) : edited.startTime;
        // Nothing moved, an occurrence the clocks moved off the series' time of day (into the
        // hour after the one they skip) cannot begin a series that keeps that time, as a start
        // is an instant: the new series begins at the start before it, which it excludes.
        std::optional<QDateTime> excludedStart;
        if (move.none() && !newRule)
            excludedStart = startBeforeOffItsTime(master, occurrenceStart);
        if (excludedStart)
            tailStart = *excludedStart;
        Event tail = followingSeries(master, excludedStart.value_or(occurrenceStart), tailStart,
                                     endAfter(tailStart), newId(), now);
        takeEditedFields(tail, edited);
        tail.calendarId = edited.calendarId.isEmpty() ? master.calendarId : edited.calendarId;
        tail.isAllDay = edited.isAllDay;
        if (edited.recurrenceRule != normalizedRule(master)) {
            tail.recurrenceRule = edited.recurrenceRule;
        } else {
            const std::optional<QString> rule =
                keptRule(tail.recurrenceRule, occurrenceStart, shift, tail.isAllDay);
            if (!rule) {
                plan.refused = true;
                return plan;
            }
            tail.recurrenceRule = *rule;
        }
        plan.updates.append(headBefore(master, occurrenceStart, now));
        tail.exceptionDates =
            movedDates(master.exceptionDates, shift, tail.isAllDay,
                       [&](const QDateTime& at) { return at.isValid() && at >= occurrenceStart; });
        if (excludedStart)
            tail.exceptionDates = CalDavBody::addExceptionDates(
                tail.exceptionDates, {Recurrence::recurrenceIdFor(*excludedStart, tail.isAllDay)});
        if (tail.recurrenceRule.isEmpty()) {
            tail.startTime = edited.startTime;
            tail.endTime = edited.endTime;
        }
        plan.inserts.append(tail);

        for (const Event& row : overrides) {
            const QDateTime original = instantOf(row.recurrenceId);
            if (!original.isValid() || original < occurrenceStart)
                continue;
            plan.removals.append(row.id);
            if (tail.recurrenceRule.isEmpty() || newRule)
                continue;
            Event moved = recreated(row, newId(), tail.calendarId, now);
            moved.uid = tail.uid;
            moved.masterEventUid = tail.uid;
            moved.recurrenceId = Recurrence::recurrenceIdFor(shift(original), tail.isAllDay);
            moveOwnTimes(moved, shift);
            moved.sequence = 0;
            plan.inserts.append(moved);
        }
        return plan;
    }

    // The whole series. Its start lands on a wall time its clock has, and every other start moves
    // with it.
    const SeriesMove shift = move.settledFor(master);
    Event whole = master;
    plan.settledStart = move.settledStart(master);
    takeEditedFields(whole, edited);
    whole.isAllDay = edited.isAllDay;
    whole.startTime = shift(master.startTime);
    whole.endTime = endAfter(whole.startTime);
    if (edited.recurrenceRule == normalizedRule(master)) {
        const std::optional<QString> rule =
            keptRule(edited.recurrenceRule, master.startTime, shift, whole.isAllDay);
        if (!rule) {
            plan.refused = true;
            return plan;
        }
        whole.recurrenceRule = *rule;
    } else {
        whole.recurrenceRule = edited.recurrenceRule;
    }
    if (whole.recurrenceRule.isEmpty()) {
        // A series that stops repeating becomes the event the person was looking at: the edited
        // occurrence at its new times, wherever it stood in the series, not its first one.
        whole.startTime = edited.startTime;
        whole.endTime = edited.endTime;
        plan.settledStart.reset();
    }
    whole.exceptionDates = movedDates(master.exceptionDates, shift, whole.isAllDay,
                                      [](const QDateTime&) { return true; });
    whole.sequence = PushCopy::nextSequence(whole.sequence);
    stamp(whole, now);

    QList<Event> kept;
    for (const Event& row : overrides) {
        if (whole.recurrenceRule.isEmpty() || newRule) {
            // Their occurrences went with the old rule. A tombstone would make the push exclude
            // their starts, which the new rule may well give again.
            plan.purges.append(row.id);
            continue;
        }
        Event moved = row;
        const QDateTime original = instantOf(row.recurrenceId);
        const QString id = original.isValid()
                               ? Recurrence::recurrenceIdFor(shift(original), whole.isAllDay)
                               : row.recurrenceId;
        if (id == row.recurrenceId && edited.calendarId == master.calendarId)
            continue;
        moved.recurrenceId = id;
        moveOwnTimes(moved, shift);
        moved.sequence = PushCopy::nextSequence(moved.sequence);
        stamp(moved, now);
        kept.append(moved);
    }

    const QString target = edited.calendarId.isEmpty() ? master.calendarId : edited.calendarId;
    if (target == master.calendarId) {
        plan.updates.append(whole);
        plan.updates.append(kept);
        return plan;
    }
    // Another calendar is another collection on the server: the object is deleted there and
    // created here, under the same UID.
    plan.removals.prepend(master.id);
    plan.inserts.append(recreated(whole, newId(), target, now));
    for (const Event& row : overrides) {
        if (plan.purges.contains(row.id))
            continue;
        plan.removals.append(row.id);
        const auto changed = std::find_if(kept.cbegin(), kept.cend(),
                                          [&row](const Event& k) { return k.id == row.id; });
        plan.inserts.append(
            recreated(changed != kept.cend() ? *changed : row, newId(), target, now));
    }
    return plan;
}

Plan remove(const Event& master, const QList<Event>& overrides, const QDateTime& occurrenceStart,
            int scope, const QDateTime& now)
{
    Plan plan;
    if (scope == 1) {
        const QString id = Recurrence::recurrenceIdFor(occurrenceStart, master.isAllDay);
        Event head = master;
        head.exceptionDates = CalDavBody::addExceptionDates(master.exceptionDates, {id});
        head.sequence = PushCopy::nextSequence(head.sequence);
        stamp(head, now);
        plan.updates.append(head);
        for (const Event& row : overrides) {
            const QDateTime original = instantOf(row.recurrenceId);
            if (row.recurrenceId == id || (original.isValid() && original == occurrenceStart))
                plan.removals.append(row.id);
        }
        return plan;
    }
    if (scope == 2 && occurrenceStart > master.startTime) {
        plan.updates.append(headBefore(master, occurrenceStart, now));
        for (const Event& row : overrides) {
            const QDateTime original = instantOf(row.recurrenceId);
            if (original.isValid() && original >= occurrenceStart)
                plan.removals.append(row.id);
        }
        return plan;
    }
    if (scope == 2 || scope == 3) {
        plan.removals.append(master.id);
        for (const Event& row : overrides)
            plan.removals.append(row.id);
    }
    return plan;
}

} // namespace SeriesEdit
