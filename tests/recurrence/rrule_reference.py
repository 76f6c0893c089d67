#!/usr/bin/env python3
"""Occurrences of series computed by python3-dateutil's rrule, the independent reference the
recurrence tests compare with. Input: one series a line, "ZONE<TAB>WINDOWEND<TAB>series" with the
series in the program's text form. Output: one line per series, the wall-clock occurrences up to
the window's end, space-separated, as YYYYMMDD or YYYYMMDDTHHMMSS."""
import sys
from datetime import datetime, timedelta
from zoneinfo import ZoneInfo

from dateutil import rrule

FREQS = {"DAILY": rrule.DAILY, "WEEKLY": rrule.WEEKLY, "MONTHLY": rrule.MONTHLY, "YEARLY": rrule.YEARLY}
WEEKDAYS = {"MO": rrule.MO, "TU": rrule.TU, "WE": rrule.WE, "TH": rrule.TH, "FR": rrule.FR, "SA": rrule.SA, "SU": rrule.SU}


def parse_date(text, zone):
    if len(text) == 8:
        return datetime(int(text[:4]), int(text[4:6]), int(text[6:8]), tzinfo=zone), False
    return datetime(int(text[:4]), int(text[4:6]), int(text[6:8]), int(text[9:11]), int(text[11:13]),
                    int(text[13:15]), tzinfo=zone), True


def occurrences(zone_name, window_end, text):
    zone = ZoneInfo(zone_name)
    kwargs = {}
    count = None
    exdates, rdates = set(), set()
    start, has_time = None, False
    for part in text.split(";"):
        key, _, value = part.partition("=")
        if key == "START":
            start, has_time = parse_date(value, zone)
        elif key == "FREQ":
            kwargs["freq"] = FREQS[value]
        elif key == "INTERVAL":
            kwargs["interval"] = int(value)
        elif key == "COUNT":
            count = int(value)
        elif key == "UNTIL":
            kwargs["until"] = parse_date(value, zone)[0]
        elif key == "BYDAY":
            days = []
            for code in value.split(","):
                nth = code[:-2]
                days.append(WEEKDAYS[code[-2:]](int(nth)) if nth else WEEKDAYS[code[-2:]])
            kwargs["byweekday"] = days
        elif key == "BYMONTHDAY":
            kwargs["bymonthday"] = [int(v) for v in value.split(",")]
        elif key == "BYMONTH":
            kwargs["bymonth"] = [int(v) for v in value.split(",")]
        elif key == "BYSETPOS":
            kwargs["bysetpos"] = [int(v) for v in value.split(",")]
        elif key in ("EXDATE", "RDATE"):
            target = exdates if key == "EXDATE" else rdates
            for v in value.split(","):
                target.add(parse_date(v, zone)[0].date())
    freq = kwargs.pop("freq")
    end = parse_date(window_end, zone)[0] + timedelta(days=1)
    # The first date is always the first occurrence and counts toward a count, as iCalendar
    # says; dateutil leaves it out when the rule would not make it.
    found = []
    if "until" not in kwargs or start <= kwargs["until"]:
        found.append(start)
    for moment in rrule.rrule(freq, dtstart=start, **kwargs):
        if count is not None and len(found) >= count:
            break
        if moment >= end:
            break
        if moment != start:
            found.append(moment)
    days = {m.date() for m in found if m < end}
    days |= {d for d in rdates if d < end.date()}
    days -= exdates
    out = []
    for d in sorted(days):
        # The wall-clock time stays the first date's in the zone, across daylight-saving changes.
        moment = datetime(d.year, d.month, d.day, start.hour, start.minute, start.second, tzinfo=zone)
        out.append(moment.strftime("%Y%m%dT%H%M%S") if has_time else moment.strftime("%Y%m%d"))
    return " ".join(out)


def main():
    for line in sys.stdin:
        line = line.rstrip("\n")
        if not line:
            continue
        zone, window_end, text = line.split("\t")
        print(occurrences(zone, window_end, text))


if __name__ == "__main__":
    main()
