#!/usr/bin/python3
"""A phone's calendar app for the sync tests: python3-caldav, a CalDAV client that no one here
wrote, reads and changes the calendar the way other devices do (entries read and edited with
vobject, as python3-caldav does itself).

    phone.py CALENDAR_URL USER PASSWORD OUT_FILE ACTION [ARGUMENTS ...]

Actions:
    list                          every entry written to OUT_FILE, a line each: UID, kind,
                                  summary, status, start, rule, description and how many
                                  entries hold that UID, separated by tabs
    add-todo UID SUMMARY DUE      a task due on DUE (YYYYMMDD)
    add-weekly UID SUMMARY START  a weekly event from START (YYYYMMDDTHHMMSS) in Berlin time,
                                  with the zone's definition as phones send it
    rename UID SUMMARY
    complete UID                  STATUS, PERCENT-COMPLETE and COMPLETED, as phones set them
    describe UID TEXT             the entry's DESCRIPTION
    delete UID
    add-series UID SUMMARY START RRULE [EXDATE [RDATE]]
                                  an hour's event from START (YYYYMMDDTHHMMSS, Berlin time)
                                  repeating by RRULE, with one skipped and one added time
                                  (YYYYMMDDTHHMMSS, Berlin time; "-" for none)
    add-meeting UID SUMMARY START an hour's meeting from START (YYYYMMDDTHHMMSS, UTC) that the
                                  user organises, with a guest invited
    ics UID                       the entry as the server holds it, written to OUT_FILE
    set-rule UID RRULE            the entry's RRULE
    expand UID FROM TO            the entry's start (as list writes it) on the first line, then its
                                  times from FROM to TO (YYYYMMDD) as python3-dateutil expands
                                  its DTSTART, RRULE, EXDATE and RDATE: one date (YYYYMMDD, in
                                  the start's own zone) a line
"""
import datetime
import sys

import caldav
import vobject
from dateutil import rrule, tz

KINDS = ("vtodo", "vevent", "vjournal")

BERLIN = """BEGIN:VTIMEZONE
TZID:Europe/Berlin
BEGIN:DAYLIGHT
TZOFFSETFROM:+0100
TZOFFSETTO:+0200
TZNAME:CEST
DTSTART:19700329T020000
RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU
END:DAYLIGHT
BEGIN:STANDARD
TZOFFSETFROM:+0200
TZOFFSETTO:+0100
TZNAME:CET
DTSTART:19701025T030000
RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU
END:STANDARD
END:VTIMEZONE
"""


def utc_now():
    return datetime.datetime.now(datetime.timezone.utc).strftime("%Y%m%dT%H%M%SZ")


def masters(cal):
    return [c for c in cal.getChildren() if c.name.lower() in KINDS and not hasattr(c, "recurrence_id")]


def value(c, name):
    prop = getattr(c, name, None)
    return "" if prop is None else prop.value


def when(c):
    if not hasattr(c, "dtstart"):
        return ""
    moment = c.dtstart.value
    if isinstance(moment, datetime.datetime):
        if moment.tzinfo is not None:
            return moment.astimezone(datetime.timezone.utc).strftime("%Y%m%dT%H%M%SZ")
        return moment.strftime("%Y%m%dT%H%M%S")
    return moment.strftime("%Y%m%d")


def listing(calendar):
    out = {}
    for obj in calendar.objects():
        if not obj.data:
            try:
                obj.load()
            except caldav.lib.error.NotFoundError:
                continue  # removed between the listing and the read
        for c in masters(vobject.readOne(obj.data)):
            uid = str(value(c, "uid"))
            out[uid] = {
                "kind": c.name.upper(),
                "summary": str(value(c, "summary")),
                "status": str(value(c, "status")),
                "description": str(value(c, "description")),
                "start": when(c),
                "rrule": str(value(c, "rrule")),
                "copies": out.get(uid, {}).get("copies", 0) + 1,
            }
    return out


def set_value(c, name, text):
    prop = getattr(c, name, None) or c.add(name)
    prop.value = text


def change(calendar, uid, edit):
    obj = calendar.object_by_uid(uid)
    cal = vobject.readOne(obj.data)
    for c in masters(cal):
        if str(value(c, "uid")) == uid:
            edit(c)
    obj.data = cal.serialize()
    obj.save()


def entry(lines, zone=""):
    return ("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//Phone//EN\n" + zone + "\n".join(lines) +
            "\nEND:VCALENDAR\n").replace("\n", "\r\n")


def as_datetime(moment, zone):
    if isinstance(moment, datetime.datetime):
        return moment
    return datetime.datetime(moment.year, moment.month, moment.day, tzinfo=zone)


def expand(calendar, uid, first, last):
    """The entry's start, then its times by python3-dateutil's rruleset as dates in the start's
    own zone."""
    cal = vobject.readOne(calendar.object_by_uid(uid).data)
    c = [m for m in masters(cal) if str(value(m, "uid")) == uid][0]
    start = c.dtstart.value
    zone = start.tzinfo if isinstance(start, datetime.datetime) else None
    begin = as_datetime(start, zone)
    series = rrule.rruleset()
    for prop in c.contents.get("rrule", []):
        series.rrule(rrule.rrulestr(prop.value, dtstart=begin))
    for name, add in (("exdate", series.exdate), ("rdate", series.rdate)):
        for prop in c.contents.get(name, []):
            for moment in prop.value:
                add(as_datetime(moment, zone))
    low = datetime.datetime.strptime(first, "%Y%m%d").replace(tzinfo=zone)
    high = datetime.datetime.strptime(last, "%Y%m%d").replace(tzinfo=zone) + datetime.timedelta(days=1)
    return [when(c)] + [t.astimezone(zone).strftime("%Y%m%d") if zone else t.strftime("%Y%m%d")
                        for t in series.between(low, high, inc=True)]


def main(argv):
    url, user, password, out_file, action, *args = argv
    client = caldav.DAVClient(url, username=user or None, password=password or None)
    calendar = client.calendar(url=url)
    if action == "list":
        fields = ("kind", "summary", "status", "start", "rrule", "description", "copies")
        with open(out_file, "w", encoding="utf-8") as f:
            for uid, found in sorted(listing(calendar).items()):
                values = [uid] + [str(found[name]) for name in fields]
                f.write("\t".join(v.replace("\t", " ").replace("\n", " ") for v in values) + "\n")
    elif action == "add-todo":
        uid, summary, due = args
        calendar.save_todo(entry(["BEGIN:VTODO", "UID:" + uid, "DTSTAMP:" + utc_now(), "SUMMARY:" + summary,
                                  "DUE;VALUE=DATE:" + due, "END:VTODO"]))
    elif action == "add-weekly":
        uid, summary, start = args
        begin = datetime.datetime.strptime(start, "%Y%m%dT%H%M%S")
        end = (begin + datetime.timedelta(hours=1)).strftime("%Y%m%dT%H%M%S")
        calendar.save_event(entry(["BEGIN:VEVENT", "UID:" + uid, "DTSTAMP:" + utc_now(), "SUMMARY:" + summary,
                                   "DTSTART;TZID=Europe/Berlin:" + start, "DTEND;TZID=Europe/Berlin:" + end,
                                   "RRULE:FREQ=WEEKLY", "END:VEVENT"], BERLIN))
    elif action == "rename":
        uid, summary = args
        change(calendar, uid, lambda c: set_value(c, "summary", summary))
    elif action == "complete":
        (uid,) = args

        def complete(c):
            set_value(c, "status", "COMPLETED")
            set_value(c, "percent-complete", "100")
            set_value(c, "completed", datetime.datetime.now(vobject.icalendar.utc))

        change(calendar, uid, complete)
    elif action == "describe":
        uid, description = args
        change(calendar, uid, lambda c: set_value(c, "description", description))
    elif action == "add-series":
        uid, summary, start, rule, *more = args
        begin = datetime.datetime.strptime(start, "%Y%m%dT%H%M%S")
        end = (begin + datetime.timedelta(hours=1)).strftime("%Y%m%dT%H%M%S")
        lines = ["BEGIN:VEVENT", "UID:" + uid, "DTSTAMP:" + utc_now(), "SUMMARY:" + summary,
                 "DTSTART;TZID=Europe/Berlin:" + start, "DTEND;TZID=Europe/Berlin:" + end, "RRULE:" + rule]
        for name, moment in zip(("EXDATE", "RDATE"), more):
            if moment != "-":
                lines.append(name + ";TZID=Europe/Berlin:" + moment)
        calendar.save_event(entry(lines + ["END:VEVENT"], BERLIN))
    elif action == "add-meeting":
        uid, summary, start = args
        begin = datetime.datetime.strptime(start, "%Y%m%dT%H%M%S")
        end = (begin + datetime.timedelta(hours=1)).strftime("%Y%m%dT%H%M%S")
        organizer = "mailto:" + user + "@example.org"
        calendar.save_event(entry(["BEGIN:VEVENT", "UID:" + uid, "DTSTAMP:" + utc_now(), "SUMMARY:" + summary,
                                   "DTSTART:" + start + "Z", "DTEND:" + end + "Z",
                                   "ORGANIZER;CN=Organiser:" + organizer,
                                   "ATTENDEE;CN=Organiser;PARTSTAT=ACCEPTED:" + organizer,
                                   "ATTENDEE;CN=Guest;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:mailto:guest@example.org",
                                   "END:VEVENT"]))
    elif action == "ics":
        (uid,) = args
        with open(out_file, "w", encoding="utf-8") as f:
            f.write(calendar.object_by_uid(uid).data)
    elif action == "set-rule":
        uid, rule = args
        change(calendar, uid, lambda c: set_value(c, "rrule", rule))
    elif action == "expand":
        uid, first, last = args
        with open(out_file, "w", encoding="utf-8") as f:
            for line in expand(calendar, uid, first, last):
                f.write(line + "\n")
    elif action == "delete":
        (uid,) = args
        calendar.object_by_uid(uid).delete()
    else:
        sys.exit("unknown action " + action)


if __name__ == "__main__":
    main(sys.argv[1:])
