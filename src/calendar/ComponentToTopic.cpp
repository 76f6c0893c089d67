// Reading one calendar component into a topic; see ComponentToTopic.h.
#include "calendar/ComponentToTopic.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "calendar/LocalZone.h"
#include "calendar/NimbusFields.h"
#include "calendar/RecurrenceIcal.h"
#include "recurrence/TopicRecurrence.h"
#include "store/LimitedComplaints.h"
#include "store/TopicCodes.h"

namespace nimbus::calendar {

namespace {

// libical turns a value it cannot read into an X-LIC-ERROR property and drops the value; for
// the properties that carry a topic's dates and repeats that makes the component unusable.
bool brokenEssential(icalcomponent *c, std::string &problem)
{
    static const char *const essential[] = {"DTSTART", "DUE", "DTEND", "DURATION", "RRULE", "COMPLETED"};
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY)) {
        const char *text = icalproperty_get_xlicerror(p);
        const std::string message = text ? text : "";
        for (const char *name : essential) {
            if (message.find(name) != std::string::npos) {
                problem = message;
                return true;
            }
        }
    }
    return false;
}

int unitOfFrequency(icalrecurrencetype_frequency freq)
{
    switch (freq) {
    case ICAL_MINUTELY_RECURRENCE: return kUnitMinutes;
    case ICAL_HOURLY_RECURRENCE: return kUnitHours;
    case ICAL_DAILY_RECURRENCE: return kUnitDays;
    case ICAL_WEEKLY_RECURRENCE: return kUnitWeeks;
    case ICAL_MONTHLY_RECURRENCE: return kUnitMonths;
    case ICAL_YEARLY_RECURRENCE: return kUnitYears;
    default: return kUnitNone;
    }
}

// A date property's value with its zone. The local zone, the one our own files use, is
// recognised at once; any other TZID is left to libical, which looks it up in the file's
// VTIMEZONEs and its built-in zones (a search of several hundred names).
icaltimetype zonedValue(icalcomponent *c, icalproperty_kind kind)
{
    icalproperty *p = icalcomponent_get_first_property(c, kind);
    icalparameter *tzid = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
    icaltimezone *local = localZone();
    if (p != nullptr && tzid != nullptr && local != nullptr) {
        const char *name = icalparameter_get_tzid(tzid);
        const char *localName = icaltimezone_get_tzid(local);
        if (name && localName && std::strcmp(name, localName) == 0) {
            icaltimetype t = kind == ICAL_DUE_PROPERTY ? icalproperty_get_due(p) : icalproperty_get_dtstart(p);
            if (!t.is_date)
                t.zone = local;
            return t;
        }
    }
    return kind == ICAL_DUE_PROPERTY ? icalcomponent_get_due(c) : icalcomponent_get_dtstart(c);
}

std::string ruleText(const icalrecurrencetype &rule)
{
    char *text = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype *>(&rule));
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

} // namespace

void titleLine(const char *text, std::string &line)
{
    line = text ? text : "";
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
}

void readRepeat(icalcomponent *c, CalendarTopic &topic)
{
    icalproperty *p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
    if (p == nullptr)
        return;
    const icalrecurrencetype rule = icalproperty_get_rrule(p);
    const int unit = unitOfFrequency(rule.freq);
    if (unit == kUnitNone) {
        topic.notes.push_back("Repeats: " + ruleText(rule));
        return;
    }
    TNimbusNode &n = topic.node;
    n.recur = true;
    n.dl = false;
    n.rtype = unit;
    n.rno = std::clamp<int>(rule.interval, 1, 0xFFFF);
    n.rsDate = n.dlDate;
    n.rsTime = n.dlTime;
    // A rule the recurrence module can carry is kept whole (with its skipped and added dates);
    // the plain rule beside it is its nearest "every N units".
    if (std::optional<recurrence::Series> series = readSeries(c, n.dlDate, n.dlTime);
        series && isRichSeries(*series)) {
        const recurrence::PlainRule nearest = recurrence::nearestPlainRule(series->rule);
        n.rtype = nearest.rtype;
        n.rno = nearest.rno;
        n.richRule = std::make_shared<recurrence::SeriesRule>(std::move(*series));
        return;
    }
    icalrecurrencetype plain;
    icalrecurrencetype_clear(&plain);
    plain.freq = rule.freq;
    plain.interval = rule.interval;
    plain.week_start = rule.week_start;
    const std::string full = ruleText(rule);
    if (full != ruleText(plain))
        topic.notes.push_back("Repeats: " + full);
    for (p = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY))
        topic.notes.push_back("Also repeats: " + ruleText(icalproperty_get_rrule(p)));
}

void setEventLength(TNimbusNode &n, long seconds, bool dateOnly)
{
    if (seconds < 0)
        seconds = 0;
    const long minutes = (seconds + 59) / 60;
    if (dateOnly || (minutes % (24 * 60) == 0 && minutes > 0)) {
        const long days = dateOnly ? seconds / 86400 : minutes / (24 * 60);
        if (days % 7 == 0 && days > 0) {
            n.durtype = kUnitWeeks;
            n.durno = static_cast<int>(std::min(days / 7, 0xFFFFL));
        } else {
            n.durtype = kUnitDays;
            n.durno = static_cast<int>(std::min(days, 0xFFFFL));
        }
    } else if (minutes % 60 == 0 && minutes > 0) {
        n.durtype = kUnitHours;
        n.durno = static_cast<int>(std::min(minutes / 60, 0xFFFFL));
    } else if (minutes <= 0xFFFF) {
        n.durtype = kUnitMinutes;
        n.durno = static_cast<int>(minutes);
    } else {
        n.durtype = kUnitDays;
        n.durno = static_cast<int>(std::min(minutes / (24 * 60), 0xFFFFL));
    }
}

int alarmLeadDays(int seconds)
{
    return static_cast<int>(std::min((-static_cast<long>(seconds) + 86399) / 86400, 0xFFFFL));
}

namespace {

void readEventLength(icalcomponent *c, icaltimetype start, TNimbusNode &n)
{
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
        setEventLength(n, icaldurationtype_as_int(icalproperty_get_duration(p)), start.is_date);
        return;
    }
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)) {
        const icaltimetype end = icalcomponent_get_dtend(c);
        (void)p;
        long seconds;
        if (start.is_date) {
            seconds = static_cast<long>(icaltime_as_timet(end) - icaltime_as_timet(start));
        } else {
            seconds = static_cast<long>(icaltime_as_timet_with_zone(end, end.zone) -
                                        icaltime_as_timet_with_zone(start, start.zone));
        }
        setEventLength(n, seconds, start.is_date);
        return;
    }
    // Without either an all-day event lasts its day and a timed one is a moment.
    if (start.is_date) {
        n.durno = 1;
        n.durtype = kUnitDays;
    } else {
        n.durno = 0;
        n.durtype = kUnitMinutes;
    }
}

// The first alarm a set number of days (rounded up) before the start or due time becomes the
// automatic urgency; every other alarm is kept as a line.
void readAlarms(icalcomponent *c, CalendarTopic &topic)
{
    bool first = true;
    for (icalcomponent *a = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(c, ICAL_VALARM_COMPONENT)) {
        icalproperty *p = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        const char *shown = p ? icalproperty_get_value_as_string(p) : nullptr;
        const std::string trigger = shown ? shown : "(no time)";
        if (first && p != nullptr) {
            const icaltriggertype t = icalproperty_get_trigger(p);
            const int seconds = icaldurationtype_as_int(t.duration);
            if (icaltime_is_null_time(t.time) && seconds < 0) {
                topic.node.flno = alarmLeadDays(seconds);
                topic.node.fltyp = kUnitDays;
                first = false;
                continue;
            }
        }
        first = false;
        topic.notes.push_back("Reminder: " + trigger);
    }
}

// What a calendar can say and a topic cannot hold, as readable lines.
void readLeftovers(icalcomponent *c, CalendarTopic &topic)
{
    static const std::pair<icalproperty_kind, const char *> kept[] = {
        {ICAL_ORGANIZER_PROPERTY, "Organizer"}, {ICAL_ATTENDEE_PROPERTY, "Attendee"},
        {ICAL_LOCATION_PROPERTY, "Location"},   {ICAL_URL_PROPERTY, "Link"},
        {ICAL_CATEGORIES_PROPERTY, "Categories"}, {ICAL_CONTACT_PROPERTY, "Contact"},
        {ICAL_EXDATE_PROPERTY, "Except on"},    {ICAL_RDATE_PROPERTY, "Also on"},
        {ICAL_COMMENT_PROPERTY, "Comment"},
    };
    // A meeting of a hundred thousand attendees names the first of them: the page stays
    // one a person can read (another program's entry on a server keeps them all).
    constexpr std::size_t kLinesPerKind = 50;
    for (const auto &[kind, label] : kept) {
        // Skipped and added dates of a rule kept whole are part of it, not page text.
        if (topic.node.richRule && (kind == ICAL_EXDATE_PROPERTY || kind == ICAL_RDATE_PROPERTY))
            continue;
        std::size_t count = 0;
        for (icalproperty *p = icalcomponent_get_first_property(c, kind); p;
             p = icalcomponent_get_next_property(c, kind)) {
            if (++count > kLinesPerKind)
                continue;
            std::string line = std::string(label) + ": ";
            if (icalparameter *cn = icalproperty_get_first_parameter(p, ICAL_CN_PARAMETER)) {
                const char *name = icalparameter_get_cn(cn);
                if (name)
                    line += std::string(name) + " ";
            }
            line += propertyText(p);
            topic.notes.push_back(line);
        }
        if (count > kLinesPerKind)
            topic.notes.push_back(std::string(label) + ": and " +
                                  groupedCount(count - kLinesPerKind) + " more");
    }
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_ATTACH_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_ATTACH_PROPERTY)) {
        icalattach *attach = icalproperty_get_attach(p);
        if (attach != nullptr && icalattach_get_is_url(attach))
            topic.notes.push_back(std::string("Attachment: ") + icalattach_get_url(attach));
        else
            topic.notes.push_back("Attachment: (a file stored in the calendar, not imported)");
    }
    if (icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED)
        topic.notes.push_back("Cancelled");
}

// The fingerprint an X-NIMBUS- field carries of the standard value it was written beside.
const char *standardValueWhenWritten(icalproperty *p)
{
    for (icalparameter *a = icalproperty_get_first_parameter(p, ICAL_X_PARAMETER); a;
         a = icalproperty_get_next_parameter(p, ICAL_X_PARAMETER)) {
        const char *name = icalparameter_get_xname(a);
        if (name != nullptr && strcasecmp(name, kStandardValueParameter) == 0)
            return icalparameter_get_xvalue(a);
    }
    return nullptr;
}

void applyNimbusFields(icalcomponent *c, TNimbusNode &n)
{
    static const std::map<std::string, const NimbusField *> byName = [] {
        std::map<std::string, const NimbusField *> m;
        for (const NimbusField &f : nimbusFields())
            m[f.name] = &f;
        return m;
    }();
    TNimbusNode standard{""};  // as the standard properties say it
    standard.AssignNode(n);
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char *name = icalproperty_get_x_name(p);
        if (name == nullptr)
            continue;
        const auto it = byName.find(name);
        if (it == byName.end())
            continue;
        if (const char *was = standardValueWhenWritten(p);
            was != nullptr && standardValueFingerprint(it->second->get(standard)) != was)
            continue;  // another program changed the standard value since: it wins
        const char *value = icalproperty_get_x(p);
        it->second->set(n, value ? value : "");
    }
}

} // namespace

std::string propertyText(icalproperty *property)
{
    // A text value as people read it ("Room 4, 2nd floor"), not in the file's escaped form.
    const icalvalue *value = icalproperty_get_value(property);
    if (value != nullptr && icalvalue_isa(value) == ICAL_TEXT_VALUE) {
        const char *text = icalvalue_get_text(value);
        return text ? text : "";
    }
    const char *v = icalproperty_get_value_as_string(property);
    return v ? v : "";
}

bool componentToTopic(icalcomponent *c, CalendarTopic &topic, std::string &problem, bool withNimbusFields)
{
    const icalcomponent_kind kind = icalcomponent_isa(c);
    TNimbusNode &n = topic.node;
    n.durtype = kUnitDays;  // as a topic made in the tree
    switch (kind) {
    case ICAL_VTODO_COMPONENT: n.ttype = kTopicTask; n.status = kStatusNotStarted; break;
    case ICAL_VEVENT_COMPONENT: n.ttype = kTopicEvent; n.status = kStatusNotStarted; break;
    default: n.ttype = kTopicInformation; n.status = kStatusNone; break;
    }
    if (brokenEssential(c, problem))
        return false;
    const char *uid = icalcomponent_get_uid(c);
    topic.uid = uid ? uid : "";
    titleLine(icalcomponent_get_summary(c), n.text);

    // The date: a task's due date (its start when it has none), otherwise the start.
    icaltimetype when = icaltime_null_time();
    if (kind == ICAL_VTODO_COMPONENT && icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY))
        when = zonedValue(c, ICAL_DUE_PROPERTY);
    else if (icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY))
        when = zonedValue(c, ICAL_DTSTART_PROPERTY);
    if (!icaltime_is_null_time(when)) {
        std::string time;
        if (!toLocal(when, n.dlDate, time)) {
            problem = "its date is not a valid date";
            return false;
        }
        n.dlTime = time;
        n.dl = true;
    }
    readRepeat(c, topic);
    if (kind == ICAL_VEVENT_COMPONENT && !n.dlDate.empty())
        readEventLength(c, when, n);

    switch (icalcomponent_get_status(c)) {
    case ICAL_STATUS_INPROCESS: n.status = kStatusInProgress; break;
    case ICAL_STATUS_COMPLETED: n.status = kStatusCompleted; break;
    case ICAL_STATUS_CANCELLED: if (kind == ICAL_VTODO_COMPONENT) n.status = kStatusCompleted; break;
    default: break;
    }
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_PRIORITY_PROPERTY))
        n.pri = std::clamp(icalproperty_get_priority(p), 0, 9);
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_PERCENTCOMPLETE_PROPERTY))
        n.percent = std::clamp(icalproperty_get_percentcomplete(p), 0, 100);
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY)) {
        icaltimetype done = icalproperty_get_completed(p);
        if (done.zone == nullptr && icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) == nullptr)
            done.zone = icaltimezone_get_utc_timezone();  // COMPLETED is UTC by definition
        std::string date, time;
        if (!toLocal(done, date, time)) {
            problem = "its completion date is not a valid date";
            return false;
        }
        n.fdate = date;
        n.fTime = time;
    }
    if (icalproperty *p = icalcomponent_get_first_property(c, ICAL_CREATED_PROPERTY))
        if (std::string stamp; toLocalStamp(icalproperty_get_created(p), stamp))
            n.cre = stamp;

    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_RELATEDTO_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_RELATEDTO_PROPERTY)) {
        icalparameter *type = icalproperty_get_first_parameter(p, ICAL_RELTYPE_PARAMETER);
        if ((type == nullptr || icalparameter_get_reltype(type) == ICAL_RELTYPE_PARENT) && topic.parentUid.empty()) {
            const char *parent = icalproperty_get_relatedto(p);
            topic.parentUid = parent ? parent : "";
        }
    }
    if (kind != ICAL_VJOURNAL_COMPONENT)
        readAlarms(c, topic);
    const char *description = icalcomponent_get_description(c);
    topic.detailsText = description ? description : "";
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char *name = icalproperty_get_x_name(p);
        icalparameter *format = icalproperty_get_first_parameter(p, ICAL_FMTTYPE_PARAMETER);
        const char *formatName = format ? icalparameter_get_fmttype(format) : nullptr;
        if (name && std::strcmp(name, "X-ALT-DESC") == 0 && formatName && strcasecmp(formatName, "text/html") == 0) {
            const char *html = icalproperty_get_x(p);
            topic.detailsHtml = html ? html : "";
        }
    }
    if (withNimbusFields) {
        readLeftovers(c, topic);
        applyNimbusFields(c, n);
    }
    return true;
}

}  // namespace nimbus::calendar
