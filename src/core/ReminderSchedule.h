#pragma once

#include "Event.h"

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <optional>

// When the reminders of one stored reminder row are due. A row's trigger time is a cursor: the
// trigger of the next occurrence not yet reminded. For a single event that is the one trigger;
// for a series it moves from occurrence to occurrence, so every occurrence reminds once, and the
// row keeps the occurrence it handled last, from which a rewrite of the series finds the next.
// Pure functions; all times are instants (compared in UTC). `zone` is the machine's: an all-day
// event's reminder counts from the start of its day there.
namespace ReminderSchedule {

// A reminder whose event started this long ago is not shown any more: it was missed.
inline constexpr qint64 lateLimitSeconds = 1800;

// The occurrence a series' row handled last (shown, or passed over as too late): the start of a
// timed one; the date of an all-day one, which names it in every zone. Neither: none yet.
struct Shown
{
    QDateTime start;
    QDate date;
    bool isValid() const { return start.isValid() || date.isValid(); }
};

// What a row keeps of `occurrence` once it handled it.
Shown shownOf(const Event& occurrence);

// Where a handled occurrence started, in `zone`: its start, or the start of its date there (as
// reminderStart counts an all-day occurrence, so a series that changed kind compares sensibly).
QDateTime shownStart(const Shown& shown, const QTimeZone& zone);

// What an occurrence's reminders count back from: its start, or for an all-day occurrence (held
// at 00:00 UTC of its date) the start of that date in `zone`. Invalid without a start.
QDateTime reminderStart(const Event& occurrence, const QTimeZone& zone);

// reminderStart minus the minutes.
QDateTime triggerOf(const Event& occurrence, int minutesBefore, const QTimeZone& zone);

// A stored all-day trigger was counted in the zone of the machine that wrote it, which need not
// be `zone`: for the reminders due about `now` it lies at most this much after the same reminder
// counted in `zone` (no zone lies further west than -12 h; an hour more where the clocks skip
// midnight).
qint64 allDayStoredLagSeconds(const QTimeZone& zone, const QDateTime& now);

// The date whose start, in whichever zone counted it, lies `minutesBefore` after an all-day
// trigger stored without its date. Where two dates fit (a start 10 to 12 hours after 00:00 UTC:
// west of -10 h for the one, east of +12 h for the next) the one whose offset is nearer `zone`'s.
QDate allDayDateOf(const QDateTime& trigger, int minutesBefore, const QTimeZone& zone);

// The date an all-day trigger counted in `zone` counts back from: what is stored with it.
QDate allDayDateIn(const QDateTime& trigger, int minutesBefore, const QTimeZone& zone);

// An all-day trigger counted again in `zone`: the same date, the same minutes before its start.
// `date` is the one stored with the trigger; invalid (stored without one) it is allDayDateOf.
QDateTime allDayTriggerIn(const QDateTime& trigger, const QDate& date, int minutesBefore,
                          const QTimeZone& zone);

// The trigger of the first occurrence of `series` (overrides aside, which remind through their
// own rows) whose trigger is later than `after`; empty when none lies within about eleven years.
std::optional<QDateTime> nextTrigger(const Event& series, const QList<Event>& overrides,
                                     int minutesBefore, const QDateTime& after,
                                     const QTimeZone& zone);

// The trigger of the first occurrence of `series` (overrides aside) that starts after `shown`
// (compared by shownStart and reminderStart in `zone`); empty when none within about eleven years.
std::optional<QDateTime> triggerAfter(const Event& series, int minutesBefore, const Shown& shown,
                                      const QTimeZone& zone);

// The last occurrence of `series` (overrides aside, which remind through their own rows) whose
// trigger lies in [from, to); `from` invalid: any within about eleven years before `to`. Empty
// when none. The search grows back from `to`, so its cost follows the series, not the span.
std::optional<Event> lastTriggered(const Event& series, const QList<Event>& overrides,
                                   int minutesBefore, const QDateTime& from, const QDateTime& to,
                                   const QTimeZone& zone);

struct Decision
{
    // The occurrences whose reminder is due now and not too late, by start.
    QList<Event> show;
    // Occurrences passed over because they started lateLimitSeconds or more before now.
    int missed = 0;
    // The trigger of the next occurrence after now; empty when nothing is left to remind.
    std::optional<QDateTime> nextTrigger;
    // For an all-day event, the date nextTrigger counts back from; invalid otherwise.
    QDate nextDate;
    // For a series, the last occurrence shown or passed over; invalid when none was.
    Shown handled;
};

// The row of `event` (a single event or a series with its stored overrides, which carry their
// own reminder rows and are never reminded through the series) with the given offset and
// stored trigger, at `now`. Only occurrences starting after now - lateLimitSeconds are
// expanded, so the work does not grow with the time since the trigger; the next trigger is
// searched a bounded time ahead (a series with none within about eleven years is done), and the
// last occurrence passed over a bounded time back from the late limit. An
// all-day row is decided in `zone` whatever zone counted its stored trigger: a single event by
// its date, a series' cursor by the date it stands at (allDayTriggerIn of the stored date).
Decision decide(const Event& event, const QList<Event>& overrides, int minutesBefore,
                const QDateTime& stored, const QDate& storedDate, const QDateTime& now,
                const QTimeZone& zone);

// How far off a timed occurrence is when its reminder is shown, as its words name it.
struct Lead
{
    enum class Kind { StartingNow, Minutes, Hours, Tomorrow, OnDate };
    Kind kind = Kind::StartingNow;
    // The minutes (Minutes) or whole hours (Hours) still to go; 0 otherwise.
    int count = 0;
};

// The lead of an occurrence starting at `start` whose reminder is shown at `now`, taken from
// the time left rather than from the offset the reminder was set with, so that a reminder
// shown late (the program was not running, or several fell due at once) names the right day.
// Minutes still to go are counted up, so a reminder shown within a minute of its trigger keeps
// its offset's words. Under an hour: Minutes; within a day or on now's date in `zone`: Hours;
// on the date after: Tomorrow; later: OnDate. A start not after now is StartingNow.
Lead lead(const QDateTime& start, const QDateTime& now, const QTimeZone& zone);

} // namespace ReminderSchedule
