#pragma once

#include "Event.h"
#include "ReminderSchedule.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

// Which stored reminder row each reminder of an event continues when the event is written
// again, and whether it stays acknowledged. Pure: the store reads the rows and carries the
// outcome out.
namespace ReminderAck {

// A reminder row as stored before the write.
struct StoredReminder
{
    QString id;
    int minutesBefore = 0;
    QDateTime trigger; // invalid when none was stored
    bool acknowledged = false;
    QDate date = {}; // an all-day trigger's date; invalid when stored without one
    ReminderSchedule::Shown lastShown = {}; // a series' row: see Outcome
};

// What the store writes for one reminder.
struct Outcome
{
    QString id;        // empty: a new row
    QDateTime trigger; // ReminderSchedule::triggerOf the event, or a series' next occurrence's
    bool acknowledged = false;
    QDate date; // for an all-day event, the date `trigger` counts back from; invalid otherwise
    // The occurrence a series' row handled last (the poll records it), kept through rewrites.
    ReminderSchedule::Shown lastShown;
};

// One outcome per reminder of `event`, in order. A reminder with an id continues the stored row
// of that id; one without (a server's copy carries none) takes the first stored row with the
// same minutes that no reminder of the event names. A reminder stays acknowledged only while its
// trigger is where it was when acknowledged, by the record (its own trigger time, else the
// stored row's) or by the stored row; with no trigger known it keeps its flag; a record whose own
// trigger moved starts over. A series' row reminds next the first occurrence of the rewritten
// series that starts after the one it handled last (ReminderSchedule::triggerAfter), and is
// acknowledged when there is none; a row that handled none starts at the series' first. A row
// stored without that occurrence, or a record put back without its row, tells it by its cursor
// (shownByCursor). All-day triggers compare by date and minutes, whatever zone counted them (by
// the date stored with the row; the record's own trigger shares it when it is the row's), and
// are written counted in `zone`, the machine's (ReminderSchedule::allDayTriggerIn).
QList<Outcome> decide(const Event& event, const QList<StoredReminder>& stored,
                      const QTimeZone& zone);

// What a series' row that kept only its cursor had handled: the occurrence before `trigger` (the
// trigger of the next one to remind; `date`, an all-day one's as stored with it, or invalid), or
// for an acknowledged row, which had reminded the one at its cursor too, that one. Invalid when
// no occurrence lies before the cursor.
ReminderSchedule::Shown shownByCursor(const Event& series, int minutesBefore,
                                      const QDateTime& trigger, const QDate& date,
                                      bool acknowledged, const QTimeZone& zone);

} // namespace ReminderAck
