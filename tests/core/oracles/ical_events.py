"""Reads .ics files with python3-icalendar and prints, per VEVENT, what the calendar's own
reader must agree with: UID, summary, recurrence id, start and end instants and exception dates.

Output: one JSON object per line. Dates are "yyyyMMdd"; date-times are UTC "yyyyMMddTHHmmssZ";
floating date-times are taken in the machine's zone (TZ), as the reader under test does.
"""
import datetime
import json
import sys

import icalendar


def instant(value):
    if isinstance(value, datetime.datetime):
        if value.tzinfo is None:
            value = value.astimezone()  # floating: local time of the machine
        return value.astimezone(datetime.timezone.utc).strftime("%Y%m%dT%H%M%SZ")
    return value.strftime("%Y%m%d")


def exception_dates(event):
    found = []
    entries = event.get("EXDATE")
    if entries is None:
        return found
    if not isinstance(entries, list):
        entries = [entries]
    for entry in entries:
        for value in entry.dts:
            text = instant(value.dt)
            if text not in found:
                found.append(text)
    return found


def end_of(event, start):
    if "DTEND" in event:
        return event.decoded("DTEND")
    if "DURATION" in event:
        return start + event.decoded("DURATION")
    if not isinstance(start, datetime.datetime):
        return start + datetime.timedelta(days=1)
    return None


def main():
    for path in sys.argv[1:]:
        with open(path, "rb") as handle:
            calendar = icalendar.Calendar.from_ical(handle.read())
        for event in calendar.walk("VEVENT"):
            if "UID" not in event:
                continue
            start = event.decoded("DTSTART")
            end = end_of(event, start)
            record = {
                "file": path.rsplit("/", 1)[-1],
                "uid": str(event.get("UID")),
                "summary": str(event.get("SUMMARY", "")),
                "recurrenceId": instant(event.decoded("RECURRENCE-ID"))
                if "RECURRENCE-ID" in event else "",
                "start": instant(start),
                "end": instant(end) if end is not None else "",
                "exdates": exception_dates(event),
            }
            print(json.dumps(record, sort_keys=True, ensure_ascii=False))


if __name__ == "__main__":
    main()
