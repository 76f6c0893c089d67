// One topic's calendar entry, written directly; see TopicEntry.h.
#include "calendar/TopicEntry.h"

#include <algorithm>
#include <charconv>

#include "calendar/ComponentToTopic.h"
#include "calendar/IcsWriter.h"
#include "calendar/LocalZone.h"
#include "calendar/NimbusFields.h"
#include "calendar/RecurrenceIcal.h"
#include "calendar/TopicUid.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Scheduler.h"
#include "store/TopicCodes.h"

namespace nimbus::calendar {

namespace {

// The topic's date and time as written: local, or UTC for a one-off time when asked to. A
// date stays a date either way.
icaltimetype writtenTime(const TNimbusNode &n, const std::string &date, const std::string &time,
                         bool utc)
{
    const icaltimetype local = localTime(date, time);
    if (!utc || n.recur || local.is_date || icaltime_is_null_time(local))
        return local;
    return utcTime(date, time);
}

const char *frequencyOfUnit(int unit)
{
    switch (unit) {
    case kUnitMinutes:
        return "MINUTELY";
    case kUnitHours:
        return "HOURLY";
    case kUnitDays:
        return "DAILY";
    case kUnitWeeks:
        return "WEEKLY";
    case kUnitMonths:
        return "MONTHLY";
    case kUnitYears:
        return "YEARLY";
    default:
        return nullptr;
    }
}

void appendNumber(std::string &out, long long v, int width = 0)
{
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, v);
    (void)ec;
    for (long long n = end - digits; n < width; ++n)
        out += '0';
    out.append(digits, end);
}

// A date or date-time value as libical writes it: "20240610", "20240610T093000" and a "Z"
// for UTC; a time libical holds invalid (after the year 3000) as zeros.
void appendTimeValue(std::string &out, icaltimetype t)
{
    if (!icaltime_is_valid_time(t)) {
        out += "00000000T000000";
        return;
    }
    appendNumber(out, t.year, 4);
    appendNumber(out, t.month, 2);
    appendNumber(out, t.day, 2);
    if (t.is_date)
        return;
    out += 'T';
    appendNumber(out, t.hour, 2);
    appendNumber(out, t.minute, 2);
    appendNumber(out, t.second, 2);
    if (icaltime_is_utc(t))
        out += 'Z';
}

// A duration as libical writes it ("PT2H", "-P3D", "PT0S").
std::string durationValue(icaldurationtype d)
{
    std::string out = d.is_neg ? "-P" : "P";
    if (d.weeks != 0) {
        appendNumber(out, d.weeks);
        out += 'W';
    }
    if (d.days != 0) {
        appendNumber(out, d.days);
        out += 'D';
    }
    if (d.hours != 0 || d.minutes != 0 || d.seconds != 0) {
        out += 'T';
        if (d.hours != 0) {
            appendNumber(out, d.hours);
            out += 'H';
        }
        if (d.minutes != 0) {
            appendNumber(out, d.minutes);
            out += 'M';
        }
        if (d.seconds != 0) {
            appendNumber(out, d.seconds);
            out += 'S';
        }
    }
    if (d.weeks == 0 && d.days == 0 && d.hours == 0 && d.minutes == 0 && d.seconds == 0)
        out = "PT0S";
    return out;
}

// What a libical value holds of a time: libical keeps a time it holds invalid (after the year
// 3000) as the null time.
icaltimetype held(icaltimetype t)
{
    return icaltime_is_valid_time(t) ? t : icaltime_null_time();
}

// A property libical wrote, unfolded and folded again by this writer's rule.
void appendLibicalProperty(ContentLines &lines, icalproperty *p)
{
    char *text = icalproperty_as_ical_string_r(p);
    if (text == nullptr)
        return;
    std::string_view folded(text);
    std::string line;
    line.reserve(folded.size());
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (folded[i] == '\r' && i + 1 < folded.size() && folded[i + 1] == '\n') {
            i += (i + 2 < folded.size() && folded[i + 2] == ' ') ? 2 : 1;
            continue;
        }
        line += folded[i];
    }
    icalmemory_free_buffer(text);
    lines.line(line);
}

} // namespace

std::string timeValue(icaltimetype t)
{
    std::string value;
    appendTimeValue(value, t);
    return value;
}

TopicEntry::TopicEntry(const CalendarTopic &topic, bool utc) : topic_(topic)
{
    const TNimbusNode &n = topic.node;
    kind_ = n.ttype == kTopicTask    ? ICAL_VTODO_COMPONENT
            : n.ttype == kTopicEvent ? ICAL_VEVENT_COMPONENT
                                     : ICAL_VJOURNAL_COMPONENT;
    hasDate_ = writesDate(n);
    if (hasDate_) {
        // A rich rule counts from its own first date, which the topic's rolls never move.
        const recurrence::Series *series = n.recur ? recurrence::seriesOf(n) : nullptr;
        when_ = series ? writtenTime(n, seriesStartDate(*series), seriesStartTime(*series), utc)
                       : writtenTime(n, n.dlDate, n.dlTime, utc);
        if (kind_ == ICAL_VEVENT_COMPONENT && n.durno > 0) {
            // DURATION for minutes to weeks (weeks and days only after an all-day start);
            // months and years have no duration value, so the end is written as DTEND.
            duration_ = icaldurationtype_null_duration();
            length_ = Length::Duration;
            switch (n.durtype) {
            case kUnitMinutes:
                duration_.minutes = static_cast<unsigned>(n.durno);
                break;
            case kUnitHours:
                duration_.hours = static_cast<unsigned>(n.durno);
                break;
            case kUnitDays:
                duration_.days = static_cast<unsigned>(n.durno);
                break;
            case kUnitWeeks:
                duration_.weeks = static_cast<unsigned>(n.durno);
                break;
            case kUnitMonths:
            case kUnitYears: {
                const schedule::DateAndTime end =
                    schedule::AddPeriod(n.dlDate, n.dlTime, n.durtype, n.durno);
                end_ = writtenTime(n, end.date, end.time, utc);
                length_ = icaltime_is_null_time(end_) ? Length::None : Length::End;
                break;
            }
            default:
                length_ = Length::None;
                break;
            }
            // An all-day start takes whole days only; the X-NIMBUS- fields keep the rest.
            if (when_.is_date && (n.durtype == kUnitMinutes || n.durtype == kUnitHours))
                length_ = Length::None;
        }
        if (series) {
            series_.reset(kind_ == ICAL_VTODO_COMPONENT ? icalcomponent_new_vtodo()
                                                        : icalcomponent_new_vevent());
            icalcomponent_set_dtstart(series_.get(), when_);
            addSeries(series_.get(), *series);
        } else if (n.recur && n.rno > 0 && frequencyOfUnit(n.rtype) != nullptr) {
            plainRule_ = true;
            plainUnit_ = n.rtype;
            interval_ = std::min(n.rno, 32767);
        }
        if (n.flno > 0 && kind_ != ICAL_VJOURNAL_COMPONENT) {
            alarm_ = true;
            alarmBefore_ = icaldurationtype_null_duration();
            alarmBefore_.is_neg = 1;
            alarmBefore_.days = static_cast<unsigned>(n.flno);
        }
    }
    completed_ = icaltime_null_time();
    if (kind_ == ICAL_VTODO_COMPONENT) {
        if (n.status == kStatusNotStarted)
            status_ = ICAL_STATUS_NEEDSACTION;
        else if (n.status == kStatusInProgress)
            status_ = ICAL_STATUS_INPROCESS;
        else if (n.status == kStatusCompleted)
            status_ = ICAL_STATUS_COMPLETED;
        percent_ = n.percent >= 0 && n.percent <= 100;
        if (!n.fdate.empty())
            completed_ = utcTime(n.fdate, n.fTime);
    }
    priority_ = n.pri >= 1 && n.pri <= 9 && kind_ != ICAL_VJOURNAL_COMPONENT;
    created_ = n.cre.empty() ? icaltime_null_time() : utcFromStamp(n.cre);
}

TopicEntry::~TopicEntry() = default;

void TopicEntry::readBack(CalendarTopic &back) const
{
    // The order and the early returns are componentToTopic's: what follows an unreadable
    // date is left as a new node has it.
    const TNimbusNode &n = topic_.node;
    TNimbusNode &b = back.node;
    b.durtype = kUnitDays;
    switch (kind_) {
    case ICAL_VTODO_COMPONENT:
        b.ttype = kTopicTask;
        b.status = kStatusNotStarted;
        break;
    case ICAL_VEVENT_COMPONENT:
        b.ttype = kTopicEvent;
        b.status = kStatusNotStarted;
        break;
    default:
        b.ttype = kTopicInformation;
        b.status = kStatusNone;
        break;
    }
    titleLine(n.text.c_str(), b.text);
    const icaltimetype when = held(when_);
    if (hasDate_ && !icaltime_is_null_time(when)) {
        std::string time;
        if (!toLocal(when, b.dlDate, time))
            return;
        b.dlTime = time;
        b.dl = true;
    }
    if (series_) {
        readRepeat(series_.get(), back);
    } else if (plainRule_) {
        b.recur = true;
        b.dl = false;
        b.rtype = plainUnit_;
        b.rno = std::clamp(interval_, 1, 0xFFFF);
        b.rsDate = b.dlDate;
        b.rsTime = b.dlTime;
    }
    if (kind_ == ICAL_VEVENT_COMPONENT && !b.dlDate.empty()) {
        if (length_ == Length::Duration) {
            setEventLength(b, icaldurationtype_as_int(duration_), when.is_date);
        } else if (length_ == Length::End) {
            const icaltimetype end = held(end_);
            const long seconds =
                when.is_date ? static_cast<long>(icaltime_as_timet(end) - icaltime_as_timet(when))
                             : static_cast<long>(icaltime_as_timet_with_zone(end, end.zone) -
                                                 icaltime_as_timet_with_zone(when, when.zone));
            setEventLength(b, seconds, when.is_date);
        } else if (when.is_date) {
            b.durno = 1;
            b.durtype = kUnitDays;
        } else {
            b.durno = 0;
            b.durtype = kUnitMinutes;
        }
    }
    if (status_ == ICAL_STATUS_INPROCESS)
        b.status = kStatusInProgress;
    else if (status_ == ICAL_STATUS_COMPLETED)
        b.status = kStatusCompleted;
    if (priority_)
        b.pri = n.pri;
    if (percent_)
        b.percent = n.percent;
    if (!icaltime_is_null_time(completed_)) {
        std::string date, time;
        if (!toLocal(held(completed_), date, time))
            return;
        b.fdate = date;
        b.fTime = time;
    }
    if (!icaltime_is_null_time(created_))
        if (std::string stamp; toLocalStamp(held(created_), stamp))
            b.cre = stamp;
    if (alarm_) {
        const int seconds = icaldurationtype_as_int(alarmBefore_);
        if (seconds < 0) {
            b.flno = alarmLeadDays(seconds);
            b.fltyp = kUnitDays;
        }
    }
}

void TopicEntry::writeTime(ContentLines &lines, std::string_view name, icaltimetype t) const
{
    lines.name(name);
    if (t.is_date && icaltime_is_valid_time(t))
        lines.param("VALUE", "DATE");
    if (t.zone != nullptr && !icaltime_is_utc(t))
        if (const char *tzid = icaltimezone_get_tzid(const_cast<icaltimezone *>(t.zone)))
            lines.param("TZID", tzid);
    std::string value;
    appendTimeValue(value, t);
    lines.value(value);
}

void TopicEntry::write(ContentLines &lines, std::string_view stamp, CalendarTopic &back) const
{
    const TNimbusNode &n = topic_.node;
    const char *kindName = kind_ == ICAL_VTODO_COMPONENT    ? "VTODO"
                           : kind_ == ICAL_VEVENT_COMPONENT ? "VEVENT"
                                                            : "VJOURNAL";
    lines.name("BEGIN").value(kindName);
    lines.name("UID").text(topic_.uid);
    lines.name("DTSTAMP").value(stamp);
    if (!icaltime_is_null_time(created_))
        writeTime(lines, "CREATED", created_);
    lines.name("SUMMARY").text(n.text);
    if (hasDate_) {
        if (kind_ == ICAL_VTODO_COMPONENT) {
            writeTime(lines, "DUE", when_);
            if (n.recur)
                writeTime(lines, "DTSTART", when_); // a repeat counts from DTSTART
        } else {
            writeTime(lines, "DTSTART", when_);
        }
        if (length_ == Length::Duration)
            lines.name("DURATION").value(durationValue(duration_));
        else if (length_ == Length::End)
            writeTime(lines, "DTEND", end_);
        if (series_) {
            for (icalproperty *p =
                     icalcomponent_get_first_property(series_.get(), ICAL_ANY_PROPERTY);
                 p; p = icalcomponent_get_next_property(series_.get(), ICAL_ANY_PROPERTY))
                if (icalproperty_isa(p) != ICAL_DTSTART_PROPERTY)
                    appendLibicalProperty(lines, p);
        } else if (plainRule_) {
            std::string rule = "FREQ=";
            rule += frequencyOfUnit(plainUnit_);
            if (interval_ != 1) {
                rule += ";INTERVAL=";
                appendNumber(rule, interval_);
            }
            lines.name("RRULE").value(rule);
        }
    }
    if (status_ != ICAL_STATUS_NONE)
        lines.name("STATUS").value(icalproperty_status_to_string(status_));
    if (percent_)
        lines.number("PERCENT-COMPLETE", n.percent);
    if (!icaltime_is_null_time(completed_))
        writeTime(lines, "COMPLETED", completed_);
    if (priority_)
        lines.number("PRIORITY", n.pri);
    if (!topic_.parentUid.empty())
        lines.name("RELATED-TO").param("RELTYPE", "PARENT").text(topic_.parentUid);
    if (!topic_.detailsText.empty())
        lines.name("DESCRIPTION").text(topic_.detailsText);
    if (!topic_.detailsHtml.empty())
        lines.name("X-ALT-DESC").param("FMTTYPE", "text/html").extension(topic_.detailsHtml);
    writeNimbusFields(lines, back);
    if (alarm_) {
        lines.line("BEGIN:VALARM");
        lines.name("TRIGGER");
        if (kind_ == ICAL_VTODO_COMPONENT) // relative to the due time
            lines.param("RELATED", "END");
        lines.value(durationValue(alarmBefore_));
        lines.line("ACTION:DISPLAY");
        lines.name("DESCRIPTION").text(n.text);
        lines.line("END:VALARM");
    }
    lines.name("END").value(kindName);
    writeChecklist(lines, stamp);
}

void TopicEntry::writeNimbusFields(ContentLines &lines, CalendarTopic &back) const
{
    // back starts as a new topic, as componentToTopic's topic does; its strings keep their
    // room from one entry to the next.
    static const TNimbusNode fresh{""};
    back.node.AssignNode(fresh);
    back.node.richRule.reset();
    back.notes.clear();
    readBack(back);
    const TNimbusNode &n = topic_.node;
    for (const NimbusField &field : nimbusFields()) {
        if (field.same(n, back.node))
            continue;
        lines.name(field.name)
            .param(kStandardValueParameter, standardValueFingerprint(field.get(back.node)))
            .extension(field.get(n));
    }
}

void TopicEntry::writeChecklist(ContentLines &lines, std::string_view stamp) const
{
    for (std::size_t i = 0; i < topic_.checklist.size(); ++i) {
        const ChecklistItem &item = topic_.checklist[i];
        lines.line("BEGIN:VTODO");
        lines.name("UID").text(checklistItemUid(topic_.uid, i));
        lines.name("DTSTAMP").value(stamp);
        lines.name("SUMMARY").text(item.text);
        lines.name("STATUS").value(item.checked ? "COMPLETED" : "NEEDS-ACTION");
        if (!item.finished.empty()) {
            const icaltimetype done = utcFromStamp(item.finished);
            if (!icaltime_is_null_time(done))
                writeTime(lines, "COMPLETED", done);
            else
                lines.name("X-NIMBUS-FINISHED").extension(item.finished);
        }
        lines.name("RELATED-TO").param("RELTYPE", "PARENT").text(topic_.uid);
        lines.name(kChecklistProperty).extension(std::to_string(i + 1));
        lines.line("END:VTODO");
    }
}

} // namespace nimbus::calendar
