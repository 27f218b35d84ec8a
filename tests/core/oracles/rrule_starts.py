"""Recurrence oracle: python3-dateutil's rrulestr over a batch of cases.

Reads one JSON object a line from standard input: {"id", "rule", "start" ("yyyyMMddTHHmmss"
wall-clock time), "zone" (IANA id, or "" for an all-day series at 00:00 UTC), "from" and "to"
(UTC seconds), "limit"}. Writes one line a case: the id, then the UTC seconds of every start in
[from, to), at most `limit` of them, separated by blanks.
"""
import datetime
import json
import sys
import zoneinfo

from dateutil import rrule

UTC = datetime.timezone.utc


def starts(case):
    zone = zoneinfo.ZoneInfo(case["zone"]) if case["zone"] else UTC
    dtstart = datetime.datetime.strptime(case["start"], "%Y%m%dT%H%M%S").replace(tzinfo=zone)
    # dateutil insists on UTC for UNTIL when DTSTART carries a zone; the date form means
    # 00:00 UTC of that date.
    parts = []
    for part in case["rule"].split(";"):
        key, _, value = part.partition("=")
        if key == "UNTIL" and len(value) == 8:
            value += "T000000Z"
        parts.append(key + "=" + value)
    low = datetime.datetime.fromtimestamp(case["from"], UTC)
    high = datetime.datetime.fromtimestamp(case["to"], UTC)
    # dateutil tests UNTIL only on matching dates and otherwise stops at datetime.MAXYEAR, so a
    # rule that never matches would run to the year 9999: its year bound is moved to the
    # window's end (read at each step, it ends the loop and nothing else).
    datetime.MAXYEAR = high.year + 1
    rule = rrule.rrulestr(";".join(parts), dtstart=dtstart)
    result = []
    for when in rule:
        instant = when.astimezone(UTC)
        if instant >= high or len(result) >= case["limit"]:
            break
        if instant >= low:
            result.append(int(instant.timestamp()))
    return result


def main():
    out = []
    for line in sys.stdin:
        line = line.strip()
        if not line:
            continue
        case = json.loads(line)
        try:
            values = starts(case)
            out.append(" ".join([str(case["id"])] + [str(v) for v in values]))
        except Exception as error:  # a case the oracle cannot read is reported, not fatal
            out.append("%s error %s: %s" % (case["id"], case["rule"], str(error).replace("\n", " ")))
    sys.stdout.write("\n".join(out) + "\n")


main()
