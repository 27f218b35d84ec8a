#!/usr/bin/python3
"""The baseline of bench_store's insert figure: the same events written with Python's own sqlite3.

Usage: store_insert.py DATABASE EVENTS_JSON

DATABASE is an empty store the benchmark built with the program's migrations (its accounts and
calendars in place); EVENTS_JSON holds the benchmark's generated events, field by field. The
events and their reminder and attendee rows are inserted in one transaction, the way a Python
programmer would write it: one prepared statement per table, run row by row, values taken from
the records inside the timed part. Prints "us per event <figure>".
"""

import datetime
import json
import sqlite3
import sys
import time
import uuid

EVENT_COLUMNS = (
    "id", "calendar_id", "uid", "provider_event_id", "etag", "href", "title", "description",
    "location", "geo_location", "start_time", "end_time", "is_all_day", "timezone",
    "recurrence_rule", "recurrence_dates", "exception_dates", "recurrence_id",
    "master_event_uid", "status", "event_url", "conference_url", "organizer_email",
    "organizer_name", "sequence", "raw_icalendar", "color", "created", "last_modified",
    "sync_status", "deleted_at",
)
INSERT_EVENT = "INSERT INTO events (%s) VALUES (%s)" % (
    ", ".join(EVENT_COLUMNS), ", ".join("?" * len(EVENT_COLUMNS)))
INSERT_REMINDER = ("INSERT INTO reminders (id, event_id, minutes_before, action, acknowledged, "
                   "trigger_time) VALUES (?, ?, ?, ?, ?, ?)")
INSERT_ATTENDEE = ("INSERT INTO attendees (id, event_id, email, name, role, status, type, rsvp) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
STORED = "%Y-%m-%dT%H:%M:%SZ"


def event_row(event):
    row = [event[column] for column in EVENT_COLUMNS]
    # An override never carries a rule of its own; texts the schema requires are never NULL.
    if event["recurrence_id"]:
        row[14] = None
    for index in (2, 6, 13, 19, 25):
        if row[index] is None:
            row[index] = ""
    row[12] = 1 if event["is_all_day"] else 0
    row[29] = event["sync_status"] or "synced"
    return row


def trigger_text(start, minutes_before):
    if not start:
        return None
    instant = datetime.datetime.fromisoformat(start.replace("Z", "+00:00"))
    return (instant - datetime.timedelta(minutes=minutes_before)).strftime(STORED)


def main():
    database_path, events_path = sys.argv[1], sys.argv[2]
    with open(events_path, encoding="utf-8") as file:
        events = json.load(file)

    # The connection as the program's Database opens it.
    connection = sqlite3.connect(database_path, isolation_level=None)
    connection.execute("PRAGMA journal_mode=WAL")
    connection.execute("PRAGMA journal_size_limit=%d" % (4 * 1024 * 1024))
    connection.execute("PRAGMA foreign_keys=ON")
    cursor = connection.cursor()

    started = time.perf_counter()
    cursor.execute("BEGIN")
    for event in events:
        cursor.execute(INSERT_EVENT, event_row(event))
        for reminder in event["reminders"]:
            cursor.execute(INSERT_REMINDER, (
                reminder["id"] or str(uuid.uuid4()), event["id"], reminder["minutes_before"],
                reminder["action"] or "display", 1 if reminder["acknowledged"] else 0,
                trigger_text(event["start_time"], reminder["minutes_before"])))
        for attendee in event["attendees"]:
            cursor.execute(INSERT_ATTENDEE, (
                attendee["id"] or str(uuid.uuid4()), event["id"], attendee["email"] or "",
                attendee["name"], attendee["role"] or "required",
                attendee["status"] or "needs-action", attendee["type"],
                1 if attendee["rsvp"] else 0))
    cursor.execute("COMMIT")
    elapsed = time.perf_counter() - started
    connection.close()
    print("us per event %.3f" % (elapsed * 1e6 / len(events)))


if __name__ == "__main__":
    main()
