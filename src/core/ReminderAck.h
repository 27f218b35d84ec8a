#pragma once

#include "Event.h"

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
    QDate date = {};            // an all-day trigger's date; invalid when stored without one
    QDateTime setBackFrom = {}; // see Outcome
};

// What the store writes for one reminder.
struct Outcome
{
    QString id;        // empty: a new row
    QDateTime trigger; // ReminderSchedule::triggerOf the event, or a series' kept cursor
    bool acknowledged = false;
    QDate date; // for an all-day event, the date `trigger` counts back from; invalid otherwise
    // For a series whose cursor a rewrite set back (the occurrence it stood at moved): the start
    // of that occurrence, where a later rewrite that puts the times back resumes. Invalid when
    // none.
    QDateTime setBackFrom;
};

// One outcome per reminder of `event`, in order. A reminder with an id continues the stored row
// of that id; one without (a server's copy carries none) takes the first stored row with the
// same minutes that no reminder of the event names. A reminder stays acknowledged only while its
// trigger is where it was when acknowledged, by the record (its own trigger time, else the
// stored row's) or by the stored row; with no trigger known it keeps its flag; a record whose own
// trigger moved starts over. A series' row keeps its trigger (its cursor, as stored, not as a
// record read earlier carries it) while an occurrence of the rewritten series still triggers
// there, or none triggers from there on; else it starts over from the first occurrence, not
// acknowledged, unless the row was set back by an earlier rewrite and the series triggers again
// where it then stood (an undo): it resumes there. All-day triggers compare by date and minutes,
// whatever zone counted them (by the date stored with the row; the record's own trigger shares
// it when it is the row's), and are written counted in `zone`, the machine's
// (ReminderSchedule::allDayTriggerIn).
QList<Outcome> decide(const Event& event, const QList<StoredReminder>& stored,
                      const QTimeZone& zone);

} // namespace ReminderAck
