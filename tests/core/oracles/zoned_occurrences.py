"""Occurrence oracle: python3-icalendar with recurring_ical_events over one .ics file.

Arguments: the file, the window's start and end as UTC "yyyyMMddTHHmmssZ", and optionally
"lengths". Prints one line per occurrence in the window, ascending: its start as UTC seconds, a
blank, and its wall-clock time in the zone it was written in ("HH:MM"); with "lengths", its
length in seconds after another blank. Exception dates and overrides are applied by the library.
"""
import datetime
import sys

import icalendar
import recurring_ical_events


def main():
    with open(sys.argv[1], "rb") as handle:
        calendar = icalendar.Calendar.from_ical(handle.read())
    parse = lambda text: datetime.datetime.strptime(text, "%Y%m%dT%H%M%SZ").replace(
        tzinfo=datetime.timezone.utc)
    lengths = sys.argv[4:] == ["lengths"]
    lines = []
    for event in recurring_ical_events.of(calendar).between(parse(sys.argv[2]), parse(sys.argv[3])):
        start = event.decoded("DTSTART")
        line = "%d %s" % (int(start.timestamp()), start.strftime("%H:%M"))
        if lengths:
            line += " %d" % int(event.decoded("DTEND").timestamp() - start.timestamp())
        lines.append((int(start.timestamp()), line))
    for _, line in sorted(lines):
        print(line)


if __name__ == "__main__":
    main()
