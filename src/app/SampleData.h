#pragma once

#include "Event.h"
#include "Task.h"

#include <QDateTime>
#include <QString>

#include <optional>

class AppState;

// The developer instance's sample set: one account, four calendars, eighteen events and eight
// tasks dated around the day of loading. Rows are recognised by their fixed ids (SampleSet.h);
// a row that exists already is left alone, so loading twice adds nothing.

// Calendars, events and tasks inserted (the account is not counted), in one transaction; 0 when
// the sample account is missing and cannot be inserted, or the transaction fails.
int loadSampleData(AppState* state);

// Deletes every sample row for good (the child rows of sample events first), in one
// transaction, and announces the changes. Returns the events, tasks, calendars and account
// deleted; a statement that fails (a sample calendar still holding the user's own rows) adds
// nothing and leaves those rows in place.
int removeSampleData(AppState* state);

bool makeSampleAccount(AppState* state);
int makeSampleCalendar(AppState* state);
// Inserts "sample-event-<key>" unless that id exists (tombstones count); raises *counter on a
// successful insert. Timed starts and ends are local times; an all-day event is stored at
// 00:00 UTC of its dates.
void makeSampleEvent(AppState* state, const QString& key, const QString& calendarId,
                     const QString& title, const QDateTime& start, const QDateTime& end,
                     const QString& location, const QString& description,
                     const QString& recurrenceRule, bool allDay, int* counter);
void makeSampleTask(AppState* state, const QString& key, const QString& calendarId,
                    const QString& title, const std::optional<QDateTime>& due, int priority,
                    bool completed, int* counter);

// Minimal iCalendar texts of a sample row (values unescaped, lines unfolded).
QString sampleEventIcs(const Event& event);
QString sampleTaskIcs(const Task& task);
