// The calendar writer as it was when every entry was a libical component: each entry built
// property by property with libical, read back with componentToTopic for its X-NIMBUS- fields
// and printed by libical. The direct writer must say the same; the tests compare the two.
#include "calendar/LibicalReferenceWriter.h"

#include <algorithm>

#include <libical/ical.h>

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

icalrecurrencetype_frequency frequencyOfUnit(int unit)
{
    switch (unit) {
    case kUnitMinutes:
        return ICAL_MINUTELY_RECURRENCE;
    case kUnitHours:
        return ICAL_HOURLY_RECURRENCE;
    case kUnitDays:
        return ICAL_DAILY_RECURRENCE;
    case kUnitWeeks:
        return ICAL_WEEKLY_RECURRENCE;
    case kUnitMonths:
        return ICAL_MONTHLY_RECURRENCE;
    case kUnitYears:
        return ICAL_YEARLY_RECURRENCE;
    default:
        return ICAL_NO_RECURRENCE;
    }
}

void addX(icalcomponent *c, const char *name, const std::string &value)
{
    icalproperty *p = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

// DURATION for minutes to weeks (weeks and days only after an all-day start); months and years
// have no duration value, so the end is written as DTEND.
void addEventLength(icalcomponent *c, const TNimbusNode &n, icaltimetype start, bool utc)
{
    if (n.durno <= 0)
        return;
    icaldurationtype d = icaldurationtype_null_duration();
    switch (n.durtype) {
    case kUnitMinutes:
        d.minutes = static_cast<unsigned>(n.durno);
        break;
    case kUnitHours:
        d.hours = static_cast<unsigned>(n.durno);
        break;
    case kUnitDays:
        d.days = static_cast<unsigned>(n.durno);
        break;
    case kUnitWeeks:
        d.weeks = static_cast<unsigned>(n.durno);
        break;
    case kUnitMonths:
    case kUnitYears: {
        const schedule::DateAndTime end =
            schedule::AddPeriod(n.dlDate, n.dlTime, n.durtype, n.durno);
        const icaltimetype t = writtenTime(n, end.date, end.time, utc);
        if (!icaltime_is_null_time(t))
            icalcomponent_set_dtend(c, t);
        return;
    }
    default:
        return;
    }
    if (start.is_date && (n.durtype == kUnitMinutes || n.durtype == kUnitHours))
        return; // an all-day start takes whole days only; the X-NIMBUS- fields keep it
    icalcomponent_add_property(c, icalproperty_new_duration(d));
}

void addStandardProperties(icalcomponent *c, const CalendarTopic &topic, icaltimetype stamp,
                           bool utc)
{
    const TNimbusNode &n = topic.node;
    const icalcomponent_kind kind = icalcomponent_isa(c);
    icalcomponent_add_property(c, icalproperty_new_uid(topic.uid.c_str()));
    icalcomponent_add_property(c, icalproperty_new_dtstamp(stamp));
    if (!n.cre.empty()) {
        const icaltimetype created = utcFromStamp(n.cre);
        if (!icaltime_is_null_time(created))
            icalcomponent_add_property(c, icalproperty_new_created(created));
    }
    icalcomponent_add_property(c, icalproperty_new_summary(n.text.c_str()));
    if (writesDate(n)) {
        // A rich rule counts from its own first date, which the topic's rolls never move.
        const recurrence::Series *series = n.recur ? recurrence::seriesOf(n) : nullptr;
        const icaltimetype when =
            series ? writtenTime(n, seriesStartDate(*series), seriesStartTime(*series), utc)
                   : writtenTime(n, n.dlDate, n.dlTime, utc);
        if (kind == ICAL_VTODO_COMPONENT) {
            icalcomponent_set_due(c, when);
            if (n.recur)
                icalcomponent_set_dtstart(c, when); // a repeat counts from DTSTART
        } else {
            icalcomponent_set_dtstart(c, when);
        }
        if (kind == ICAL_VEVENT_COMPONENT)
            addEventLength(c, n, when, utc);
        if (series) {
            addSeries(c, *series);
        } else if (n.recur && n.rno > 0 && frequencyOfUnit(n.rtype) != ICAL_NO_RECURRENCE) {
            icalrecurrencetype rule;
            icalrecurrencetype_clear(&rule);
            rule.freq = frequencyOfUnit(n.rtype);
            rule.interval = static_cast<short>(std::min(n.rno, 32767));
            icalcomponent_add_property(c, icalproperty_new_rrule(rule));
        }
        if (n.flno > 0 && kind != ICAL_VJOURNAL_COMPONENT) {
            icalcomponent *alarm = icalcomponent_new_valarm();
            icaltriggertype trigger;
            trigger.time = icaltime_null_time();
            trigger.duration = icaldurationtype_null_duration();
            trigger.duration.is_neg = 1;
            trigger.duration.days = static_cast<unsigned>(n.flno);
            icalproperty *t = icalproperty_new_trigger(trigger);
            if (kind == ICAL_VTODO_COMPONENT) // relative to the due time
                icalproperty_add_parameter(t, icalparameter_new_related(ICAL_RELATED_END));
            icalcomponent_add_property(alarm, t);
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(alarm, icalproperty_new_description(n.text.c_str()));
            icalcomponent_add_component(c, alarm);
        }
    }
    if (kind == ICAL_VTODO_COMPONENT) {
        if (n.status == kStatusNotStarted)
            icalcomponent_set_status(c, ICAL_STATUS_NEEDSACTION);
        else if (n.status == kStatusInProgress)
            icalcomponent_set_status(c, ICAL_STATUS_INPROCESS);
        else if (n.status == kStatusCompleted)
            icalcomponent_set_status(c, ICAL_STATUS_COMPLETED);
        if (n.percent >= 0 && n.percent <= 100)
            icalcomponent_add_property(c, icalproperty_new_percentcomplete(n.percent));
        if (!n.fdate.empty()) {
            const icaltimetype done = utcTime(n.fdate, n.fTime);
            if (!icaltime_is_null_time(done))
                icalcomponent_add_property(c, icalproperty_new_completed(done));
        }
    }
    if (n.pri >= 1 && n.pri <= 9 && kind != ICAL_VJOURNAL_COMPONENT)
        icalcomponent_add_property(c, icalproperty_new_priority(n.pri));
    if (!topic.parentUid.empty()) {
        icalproperty *related = icalproperty_new_relatedto(topic.parentUid.c_str());
        icalproperty_add_parameter(related, icalparameter_new_reltype(ICAL_RELTYPE_PARENT));
        icalcomponent_add_property(c, related);
    }
    if (!topic.detailsText.empty())
        icalcomponent_add_property(c, icalproperty_new_description(topic.detailsText.c_str()));
    if (!topic.detailsHtml.empty()) {
        icalproperty *html = icalproperty_new_x(topic.detailsHtml.c_str());
        icalproperty_set_x_name(html, "X-ALT-DESC");
        icalproperty_add_parameter(html, icalparameter_new_fmttype("text/html"));
        icalcomponent_add_property(c, html);
    }
}

// Reads the component back as the importer would and writes an X-NIMBUS- property for every
// field that would come back different.
void addNimbusFields(icalcomponent *c, const TNimbusNode &n)
{
    CalendarTopic back;
    std::string problem;
    componentToTopic(c, back, problem, false);
    for (const NimbusField &field : nimbusFields()) {
        const std::string value = field.get(n);
        const std::string standard = field.get(back.node);
        if (standard == value)
            continue;
        icalproperty *p = icalproperty_new_x(value.c_str());
        icalproperty_set_x_name(p, field.name);
        icalparameter *was = icalparameter_new_x(standardValueFingerprint(standard).c_str());
        icalparameter_set_xname(was, kStandardValueParameter);
        icalproperty_add_parameter(p, was);
        icalcomponent_add_property(c, p);
    }
}

icalcomponent *topicComponent(const CalendarTopic &topic, icaltimetype stamp, bool utc)
{
    const int ttype = topic.node.ttype;
    icalcomponent *c = ttype == kTopicTask    ? icalcomponent_new_vtodo()
                       : ttype == kTopicEvent ? icalcomponent_new_vevent()
                                              : icalcomponent_new_vjournal();
    addStandardProperties(c, topic, stamp, utc);
    addNimbusFields(c, topic.node);
    return c;
}

icalcomponent *checklistComponent(const CalendarTopic &topic, std::size_t index, icaltimetype stamp)
{
    const ChecklistItem &item = topic.checklist[index];
    icalcomponent *c = icalcomponent_new_vtodo();
    icalcomponent_add_property(c, icalproperty_new_uid(checklistItemUid(topic.uid, index).c_str()));
    icalcomponent_add_property(c, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(c, icalproperty_new_summary(item.text.c_str()));
    icalcomponent_set_status(c, item.checked ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION);
    if (!item.finished.empty()) {
        const icaltimetype done = utcFromStamp(item.finished);
        if (!icaltime_is_null_time(done))
            icalcomponent_add_property(c, icalproperty_new_completed(done));
        else
            addX(c, "X-NIMBUS-FINISHED", item.finished);
    }
    icalproperty *related = icalproperty_new_relatedto(topic.uid.c_str());
    icalproperty_add_parameter(related, icalparameter_new_reltype(ICAL_RELTYPE_PARENT));
    icalcomponent_add_property(c, related);
    addX(c, kChecklistProperty, std::to_string(index + 1));
    return c;
}

void appendComponent(std::string &bytes, icalcomponent *c)
{
    char *text = icalcomponent_as_ical_string_r(c);
    if (text != nullptr)
        bytes += text;
    icalmemory_free_buffer(text);
    icalcomponent_free(c);
}

void appendProperty(std::string &bytes, icalproperty *p)
{
    char *text = icalproperty_as_ical_string_r(p);
    if (text != nullptr)
        bytes += text;
    icalmemory_free_buffer(text);
    icalproperty_free(p);
}

} // namespace

std::string referenceCalendar(const std::vector<CalendarTopic> &topics, const WriteOptions &options)
{
    std::string bytes = "BEGIN:VCALENDAR\r\n";
    appendProperty(bytes, icalproperty_new_version("2.0"));
    appendProperty(bytes, icalproperty_new_prodid("-//Nimbus Desk//Nimbus Desk 1.0//EN"));
    icaltimezone *zone = localZone();
    if (zone != nullptr && zone != icaltimezone_get_utc_timezone()) {
        if (icalcomponent *vtimezone = icaltimezone_get_component(zone))
            appendComponent(bytes, icalcomponent_new_clone(vtimezone));
    }
    icaltimetype stamp = utcFromStamp(options.stampNow);
    if (icaltime_is_null_time(stamp))
        stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (const CalendarTopic &topic : topics) {
        appendComponent(bytes, topicComponent(topic, stamp, options.oneOffTimesInUtc));
        for (std::size_t i = 0; i < topic.checklist.size(); ++i)
            appendComponent(bytes, checklistComponent(topic, i, stamp));
    }
    bytes += "END:VCALENDAR\r\n";
    return bytes;
}

} // namespace nimbus::calendar
